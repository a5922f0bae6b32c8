// The windowed start-up: failures as message boxes, the language of the
// menus, the language menu pruned by the installation, the files of the
// command line.

#include "GuiTestSupport.h"

#include "ChildFrame.h"
#include "CommandIds.h"
#include "KVXZOTDoc.h"
#include "MainFrame.h"
#include "StringTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString GermanText(int id)
{
    QFile file(QStringLiteral(KVX_INSTALLATION_DIR "/Language/German.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("strings")).toObject().value(QString::number(id)).toString();
}

QStringList VisibleLanguageCommands(CMainFrame& frame)
{
    QStringList languages;
    for (QAction* action : frame.findChild<QMenu*>(QStringLiteral("languageMenu"))->actions())
        if (action->isVisible())
            languages << action->data().toString();
    return languages;
}

}  // namespace

class StartupTest : public GuiTest {
protected:
    void TearDown() override
    {
        GuiTest::TearDown();
        CStringTable::Instance().ResetToEnglish();
    }
};

TEST_F(StartupTest, AMissingSettingsDocumentIsAMessageBoxAndNoWindow)
{
    Store().WriteString(kvx::registry::Hive::Machine, kAppKey, QStringLiteral("InstallPath"), TempPath(QStringLiteral("empty")));
    messages.Expect(222);
    EXPECT_EQ(Start(), nullptr);
}

TEST_F(StartupTest, MenusSpeakTheConfiguredLanguage)
{
    Store().WriteString(kvx::registry::Hive::User, kAppKey, QStringLiteral("CurrentLanguage"), QStringLiteral("German"));
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->TopMenu(0)->title(), GermanText(225));
    EXPECT_EQ(frame->TopMenu(1)->title(), GermanText(233));
    // Menu texts lose the key name after the tab; the action shows its own.
    EXPECT_EQ(frame->Action(CommandId::FileNew)->text(), GermanText(226).section(QLatin1Char('\t'), 0, 0));
    EXPECT_EQ(frame->Action(CommandId::FileNew)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(frame->StatusText(), GermanText(10018));
    // The language commands are named by the installation's display names.
    EXPECT_EQ(frame->Action(CommandId::LanguageLaPortuguese)->text(), QStringLiteral("Latin American Portuguese"));
    EXPECT_TRUE(frame->Action(CommandId::LanguageGerman)->isChecked());
    // Qt's own texts follow: the standard buttons of the message boxes.
    QMessageBox box;
    EXPECT_EQ(box.addButton(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
}

TEST_F(StartupTest, TheLanguageMenuKeepsOnlyTheInstallationsLanguages)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    // The repository's installation offers all seven.
    EXPECT_EQ(VisibleLanguageCommands(*frame).size(), 7);

    frame->PruneLanguageMenu({QStringLiteral("German"), QStringLiteral("French")});
    EXPECT_EQ(VisibleLanguageCommands(*frame),
              (QStringList{QStringLiteral("French"), QStringLiteral("English"), QStringLiteral("German")}));
    // Only the first two runs count.
    frame->PruneLanguageMenu({QStringLiteral("English")});
    EXPECT_EQ(VisibleLanguageCommands(*frame).size(), 3);
}

TEST_F(StartupTest, EnglishAloneRemovesTheLanguageSubmenu)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    QMenu* edit = frame->TopMenu(1);
    ASSERT_TRUE(edit->actions().last()->menu());
    frame->PruneLanguageMenu({QStringLiteral("English")});
    EXPECT_FALSE(edit->actions().last()->isVisible());
}

TEST_F(StartupTest, OpensEveryFileNamedOnTheCommandLineAndReportsTheOnesThatFail)
{
    const QString good = TempPath(QStringLiteral("Fleet.jub"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KVX_INSTALLATION_DIR "/ProfileTemplate/KVX30.jub"), good));
    messages.ExpectText(LoadStr(105) + QStringLiteral("\nNo such file or directory"));
    CMainFrame* frame = Start({TempPath(QStringLiteral("missing.jub")), good});
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->Children().size(), 1);
    EXPECT_EQ(frame->ActiveDocument()->GetTitle(), QStringLiteral("Fleet.jub"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("KVX JUB ZOT - [Fleet.jub]"));
}
