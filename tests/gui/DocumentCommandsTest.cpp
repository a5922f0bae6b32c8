// New, Open, Save As, Close and the save question, drops and the recent
// files, driven through the main frame as a user would.

#include "GuiTestSupport.h"

#include "ChildFrame.h"
#include "CommandIds.h"
#include "FormViewPane.h"
#include "GuiText.h"
#include "KVXZOTDoc.h"
#include "MainFrame.h"
#include "NewProfileDialog.h"
#include "RecentFileList.h"
#include "StringTable.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

using namespace CommandId;

namespace {

QString Template(const QString& name)
{
    return QStringLiteral(KVX_INSTALLATION_DIR "/ProfileTemplate/") + name + QStringLiteral(".jub");
}

QByteArray FileStart(const QString& path, int bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

QString AskToSave(const QString& name)
{
    return LoadStr(GuiText::AskToSave).replace(QStringLiteral("%s"), name);
}

}  // namespace

class DocumentCommandsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ASSERT_NE(Start(), nullptr);
    }

    // A copy of a template that the test may change.
    QString CopyOfTemplate(const QString& name, const QString& as)
    {
        const QString path = TempPath(as);
        EXPECT_TRUE(QFile::copy(Template(name), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
};

TEST_F(DocumentCommandsTest, NewListsTheTemplatesAndCreatesNothingOnCancel)
{
    QStringList listed;
    QString selected;
    WhenModal<CNewProfileDialog>([&](CNewProfileDialog* dialog) {
        auto* list = Child<QListWidget>(dialog, "templates");
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        selected = list->currentItem()->text();
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("New Profile"));
        Child<QPushButton>(dialog, "cancel")->click();
    });
    Run(FileNew);
    EXPECT_EQ(listed, (QStringList{QStringLiteral("KVX10"), QStringLiteral("KVX20"), QStringLiteral("KVX30"), QStringLiteral("KVX35")}));
    EXPECT_EQ(selected, QStringLiteral("KVX10"));
    EXPECT_TRUE(Frame().Children().isEmpty());

    CChildFrame* child = NewFromTemplate(QStringLiteral("KVX35"));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->Document().GetTitle(), QStringLiteral("KVX35"));
    EXPECT_TRUE(child->Document().GetPathName().isEmpty());
}

TEST_F(DocumentCommandsTest, NewWithoutTemplatesOrWithABrokenOneCreatesNoDocument)
{
    const QString install = TempPath(QStringLiteral("install"));
    ASSERT_TRUE(QDir().mkpath(install + QStringLiteral("/ProfileTemplate")));
    Store().WriteString(kvx::registry::Hive::Machine, kAppKey, QStringLiteral("InstallPath"), install);
    messages.Expect(10114);
    Run(FileNew);
    EXPECT_TRUE(Frame().Children().isEmpty());

    QFile broken(install + QStringLiteral("/ProfileTemplate/KVX99.jub"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<?xml version=\"1.0\"?><KVXProfile>");
    broken.close();
    messages.Expect(103);
    EXPECT_EQ(NewFromTemplate(QStringLiteral("KVX99")), nullptr);
}

TEST_F(DocumentCommandsTest, OpenTwiceActivatesTheOpenWindowAndRecentFilesKeepFour)
{
    QStringList paths;
    for (int i = 1; i <= 5; ++i)
        paths << CopyOfTemplate(QStringLiteral("KVX30"), QStringLiteral("P%1.jub").arg(i));
    AnswerFileDialogs({paths[0], paths[0]});
    Run(FileOpen);
    Run(FileOpen);
    EXPECT_EQ(Frame().Children().size(), 1);
    for (int i = 1; i < 5; ++i)
        ASSERT_NE(Frame().OpenDocumentFile(paths[i]), nullptr);
    EXPECT_EQ(Frame().Children().size(), 5);

    const QStringList expected = {paths[4], paths[3], paths[2], paths[1]};
    EXPECT_EQ(Frame().RecentFiles().Files(), expected);
    // The list lives in the configuration store, File1 newest.
    EXPECT_EQ(CRecentFileList().Files(), expected);
    EXPECT_EQ(Store().ReadString(kvx::registry::Hive::User, kAppKey + QStringLiteral("\\Recent File List"), QStringLiteral("File1")),
              paths[4]);
    QStringList menu;
    for (QAction* action : Frame().TopMenu(0)->actions())
        if (action->property("commandId").toInt() >= FileMruFirst && action->property("commandId").toInt() < FileMruFirst + 4)
            menu << action->text();
    EXPECT_EQ(menu.size(), 4);
    EXPECT_EQ(menu.first(), CRecentFileList::MenuText(0, paths[4]));
}

TEST_F(DocumentCommandsTest, SaveAsProposesTheTitleWritesUtf16AndRenamesTheWindow)
{
    CChildFrame* child = NewFromTemplate(QStringLiteral("KVX35"));
    ASSERT_NE(child, nullptr);
    const QString target = TempPath(QStringLiteral("Saved.jub"));
    AnswerFileDialogs({target});
    if (child->Document().GetDataModel().GetGroup() != 3)
        messages.Expect(297, kvx::kIdYes);
    Run(FileSave);   // no path yet: Save asks like Save As
    EXPECT_EQ(fileProposals, QStringList{QStringLiteral("KVX35.jub")});
    EXPECT_EQ(FileStart(target, 2), QByteArray("\xFF\xFE", 2));
    EXPECT_EQ(child->Document().GetTitle(), QStringLiteral("Saved.jub"));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("KVX JUB ZOT - [Saved.jub]"));
    EXPECT_EQ(Frame().RecentFiles().Files().value(0), target);

    // Save As proposes the current path; a cancelled dialog writes nothing.
    QFile::remove(target);
    Run(FileSaveAs);
    EXPECT_EQ(fileProposals.value(1), target);
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(DocumentCommandsTest, SaveWritesAnOpenedProfileInPlace)
{
    const QString path = CopyOfTemplate(QStringLiteral("KVX30"), QStringLiteral("Plain.jub"));
    ASSERT_EQ(FileStart(path, 5), QByteArray("<?xml"));
    ASSERT_NE(Frame().OpenDocumentFile(path), nullptr);
    Run(FileSave);
    EXPECT_TRUE(fileProposals.isEmpty()) << "a profile with a path is saved without asking";
    // Scrambled, in the single-byte form it was read in: "<?" becomes 8F 8C.
    EXPECT_EQ(FileStart(path, 2), QByteArray("\x8F\x8C", 2));
}

TEST_F(DocumentCommandsTest, AnOldFormatProfileIsOfferedTheLatestFormatUntilTheAnswerIsYes)
{
    const QString path = CopyOfTemplate(QStringLiteral("KVX10"), QStringLiteral("Old.jub"));
    ASSERT_NE(Frame().OpenDocumentFile(path), nullptr);
    messages.Expect(297, kvx::kIdNo);
    Run(FileSave);
    EXPECT_EQ(FileStart(path, 2), QByteArray("\x8F\x8C", 2)) << "No keeps the old single-byte form";
    messages.Expect(297, kvx::kIdYes);
    Run(FileSave);
    EXPECT_EQ(FileStart(path, 2), QByteArray("\xFF\xFE", 2));
    Run(FileSave);   // converted: no question any more
    EXPECT_EQ(Frame().findChild<QLabel*>(QStringLiteral("modelGroupPane"))->text(), QStringLiteral("Model group 3"));
}

TEST_F(DocumentCommandsTest, ClosingAModifiedProfileAsksAndCancelKeepsIt)
{
    const QString path = CopyOfTemplate(QStringLiteral("KVX30"), QStringLiteral("Fleet.jub"));
    CChildFrame* child = Frame().OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    const QByteArray before = FileStart(path, 1 << 20);
    child->Document().SetModifiedFlag(true);

    messages.ExpectText(AskToSave(QStringLiteral("Fleet.jub")), kvx::kIdCancel);
    Run(FileClose);
    QApplication::processEvents();
    ASSERT_EQ(Frame().Children().size(), 1);

    messages.ExpectText(AskToSave(QStringLiteral("Fleet.jub")), kvx::kIdNo);
    Run(FileClose);
    QApplication::processEvents();
    EXPECT_TRUE(Frame().Children().isEmpty());
    EXPECT_EQ(FileStart(path, 1 << 20), before) << "No must not write";
}

TEST_F(DocumentCommandsTest, AProfileDataErrorClosesTheWindowWithoutSaving)
{
    const QString path = CopyOfTemplate(QStringLiteral("KVX30"), QStringLiteral("Broken.jub"));
    CChildFrame* child = Frame().OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    const QByteArray before = FileStart(path, 1 << 20);
    child->Document().SetModifiedFlag(true);
    messages.Expect(10113);   // and no save question
    child->FormPane()->ProfileDataError();
    QApplication::processEvents();
    EXPECT_TRUE(Frame().Children().isEmpty());
    EXPECT_EQ(FileStart(path, 1 << 20), before);
}

TEST_F(DocumentCommandsTest, ClosingTheFrameAsksForEveryModifiedProfileAndStopsAtCancel)
{
    CChildFrame* first = Frame().OpenDocumentFile(CopyOfTemplate(QStringLiteral("KVX30"), QStringLiteral("A.jub")));
    CChildFrame* second = Frame().OpenDocumentFile(CopyOfTemplate(QStringLiteral("KVX30"), QStringLiteral("B.jub")));
    ASSERT_TRUE(first && second);
    first->Document().SetModifiedFlag(true);
    second->Document().SetModifiedFlag(true);

    messages.ExpectText(AskToSave(QStringLiteral("A.jub")), kvx::kIdYes)
        .ExpectText(AskToSave(QStringLiteral("B.jub")), kvx::kIdCancel);
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(Frame().Children().size(), 2);
    EXPECT_FALSE(first->Document().IsModified()) << "the Yes saved A";
    EXPECT_TRUE(second->Document().IsModified());

    messages.ExpectText(AskToSave(QStringLiteral("B.jub")), kvx::kIdNo);
    EXPECT_TRUE(Frame().close());
}

TEST_F(DocumentCommandsTest, DroppedProfilesOpenAndOtherFilesAreRefused)
{
    const QString profile = CopyOfTemplate(QStringLiteral("KVX30"), QStringLiteral("Dropped.JUB"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(TempPath(QStringLiteral("notes.txt")))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    data.setUrls({QUrl::fromLocalFile(profile)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    ASSERT_EQ(Frame().Children().size(), 1);
    EXPECT_EQ(Frame().ActiveDocument()->GetTitle(), QStringLiteral("Dropped.JUB"));
}
