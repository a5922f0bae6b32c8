// The help: the pane that follows the focused control, the compiled help of
// each language, and the help window with its contents, index and search.

#include "GuiTestSupport.h"

#include "CommandIds.h"
#include "GuiText.h"
#include "ControlIds.h"
#include "HelpBrowser.h"
#include "HelpCollection.h"
#include "HelpPane.h"
#include "HelpWindow.h"
#include "MainFrame.h"

#include <QDir>
#include <QFile>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpSearchEngine>
#include <QHelpSearchResult>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

namespace {

QString HelpFile(const QString& language)
{
    return QStringLiteral(KVX_INSTALLATION_DIR "/Help/%1.qch").arg(language);
}

kvx::xml::XmlDocument HelpMap()
{
    QFile file(QStringLiteral(KVX_INSTALLATION_DIR "/lib/HelpPane.stv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    kvx::xml::XmlDocument map = kvx::xml::XmlDocument::Create();
    EXPECT_TRUE(map.LoadXml(QString::fromUtf8(file.readAll())));
    return map;
}

class HelpTest : public GuiTest {
protected:
    // A shown help pane on the help of a language.
    std::unique_ptr<CHelpPane> Pane(const QString& helpFile)
    {
        auto pane = std::make_unique<CHelpPane>();
        pane->SetSources(HelpMap(), helpFile);
        pane->resize(500, 300);
        pane->show();
        return pane;
    }
};

TEST_F(HelpTest, ThePaneShowsThePageOfTheFocusedControlAndLoadsEachPageOnce)
{
    auto pane = Pane(HelpFile(QStringLiteral("English")));
    QSignalSpy loads(pane.get(), &QTextBrowser::sourceChanged);
    pane->ShowContext(QStringLiteral("CSettingsView"), ControlId::SettingsTimeFormatCombo);
    EXPECT_EQ(pane->Address(), QStringLiteral("qthelp://com.varnholt.kvxzot.english/doc/SettingsClock.htm"));
    EXPECT_TRUE(pane->toPlainText().contains(QStringLiteral("Alarm Time")));
    EXPECT_EQ(loads.count(), 1);
    // Another control of the same page: no reload.
    pane->ShowContext(QStringLiteral("CSettingsView"), ControlId::SettingsAlarmCheck);
    EXPECT_EQ(loads.count(), 1);
    pane->ShowContext(QStringLiteral("CSettingsView"), ControlId::SettingsBacklightCombo);
    EXPECT_EQ(loads.count(), 2);
    EXPECT_TRUE(pane->toPlainText().contains(QStringLiteral("Backlight")));

    // No control of the view focused: the view's own page.
    pane->ShowContext(QStringLiteral("CScanChannelView"), 0);
    EXPECT_TRUE(pane->Address().endsWith(QStringLiteral("/ScanChannel.htm")));

    // Unmapped controls and classes show a blank page.
    pane->ShowContext(QStringLiteral("CSettingsView"), ControlId::ChannelAddButton);
    EXPECT_EQ(pane->Address(), CHelpPane::kBlank);
    EXPECT_TRUE(pane->toPlainText().trimmed().isEmpty());
    const int blank = loads.count();
    pane->ShowContext(QStringLiteral("CMainFrame"), 0);
    pane->ShowContext(QString(), 0);
    EXPECT_EQ(loads.count(), blank);
}

TEST_F(HelpTest, AHiddenPaneFollowsWhenShownAgain)
{
    auto pane = Pane(HelpFile(QStringLiteral("English")));
    pane->hide();
    pane->ShowContext(QStringLiteral("CTextMessageView"), ControlId::TextMsgEdit);
    EXPECT_EQ(pane->Address(), CHelpPane::kBlank);
    pane->show();
    EXPECT_TRUE(pane->Address().endsWith(QStringLiteral("/TextMessage.htm")));
}

TEST_F(HelpTest, GermanHasItsOwnPagesAndUntranslatedLanguagesShowEnglishAndSaySo)
{
    auto german = Pane(HelpFile(QStringLiteral("German")));
    german->ShowContext(QStringLiteral("CSettingsView"), ControlId::SettingsBacklightCombo);
    EXPECT_TRUE(german->toPlainText().contains(QStringLiteral("Hintergrundbeleuchtung")));
    german->ShowContext(QStringLiteral("CPrivateView"), ControlId::PrivateScrollEnableCheck);
    EXPECT_TRUE(german->toPlainText().contains(QStringLiteral("Private Blätterliste aktivieren")));

    auto spanish = Pane(HelpFile(QStringLiteral("Spanish")));
    spanish->ShowContext(QStringLiteral("CSettingsView"), ControlId::SettingsBacklightCombo);
    EXPECT_TRUE(spanish->toPlainText().contains(QStringLiteral("Backlight")));
    spanish->setSource(QUrl(HelpCollection::PageAddress(HelpFile(QStringLiteral("Spanish")), QStringLiteral("index.htm"))));
    EXPECT_TRUE(spanish->toPlainText().contains(QStringLiteral("todavía no está traducida")));
    EXPECT_TRUE(spanish->toPlainText().contains(QStringLiteral("KVX JUB ZOT Help")));
}

TEST_F(HelpTest, BlanksBecomePercent20AndAHelpFileMayLieInAFolderWithBlanks)
{
    EXPECT_EQ(HelpCollection::PageAddress(QStringLiteral("ns"), QStringLiteral("doc"), QStringLiteral("Scan List.htm")),
              QStringLiteral("qthelp://ns/doc/Scan%20List.htm"));
    const QString folder = TempPath(QStringLiteral("Program Files/KVX Help"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString copy = folder + QStringLiteral("/English Help.qch");
    ASSERT_TRUE(QFile::copy(HelpFile(QStringLiteral("English")), copy));
    auto pane = Pane(copy);
    pane->ShowContext(QStringLiteral("CListsView"), ControlId::ListsScanGrid);
    EXPECT_TRUE(pane->toPlainText().contains(QStringLiteral("One column per channel")));
}

TEST_F(HelpTest, ContentAndIndexOpensAWindowWithContentsIndexAndSearch)
{
    ASSERT_NE(Start(), nullptr);
    Run(CommandId::HelpFinder);
    CHelpWindow* window = CHelpWindow::Current();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->Tabs()->count(), 3);
    EXPECT_EQ(window->Tabs()->tabText(0), QStringLiteral("Contents"));
    EXPECT_EQ(window->Tabs()->tabText(1), QStringLiteral("Index"));
    EXPECT_EQ(window->Tabs()->tabText(2), QStringLiteral("Search"));
    EXPECT_TRUE(window->Browser()->toPlainText().contains(QStringLiteral("Pages of a profile")));

    // The index: a keyword typed and Enter shows its page.
    window->Tabs()->setCurrentIndex(1);
    auto* filter = window->findChild<QLineEdit*>(QStringLiteral("indexFilter"));
    ASSERT_NE(filter, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->indexModel()->rowCount() > 0, 10000);
    QTest::keyClicks(filter, QStringLiteral("Backlight"));
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_TRUE(window->Browser()->source().toString().endsWith(QStringLiteral("/SettingsDisplay.htm")));

    // The full-text search finds a page by a word of its text.
    QHelpSearchEngine* search = window->Engine()->searchEngine();
    QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
    search->reindexDocumentation();
    ASSERT_TRUE(indexed.wait(20000));
    QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);
    search->search(QStringLiteral("earpiece"));
    ASSERT_TRUE(searched.wait(20000));
    QStringList pages;
    for (const QHelpSearchResult& result : search->searchResults(0, search->searchResultCount()))
        pages << result.url().fileName();
    EXPECT_TRUE(pages.contains(QStringLiteral("SettingsVolume.htm"))) << pages.join(QLatin1Char(' ')).toStdString();

    // Asked again, the same window comes to the front.
    Run(CommandId::HelpFinder);
    EXPECT_EQ(CHelpWindow::Current(), window);
}

TEST_F(HelpTest, AHelpFileThatCannotBeOpenedIsReported)
{
    messages.Expect(GuiText::HelpFileMissing);
    EXPECT_EQ(CHelpWindow::ShowContents(TempPath(QStringLiteral("missing.qch")), nullptr), nullptr);
    EXPECT_EQ(HelpCollection::EngineFor(TempPath(QStringLiteral("missing.qch"))), nullptr);
}

}  // namespace
