// The main frame: its two menu states, the toolbar, the status bar and the
// title, the routing of the edit commands and the help pane's flag.

#include "GuiTestSupport.h"

#include "ChildFrame.h"
#include "CommandIds.h"
#include "KVXZOTDoc.h"
#include "MainFrame.h"
#include "DocumentEdit.h"
#include "FormViewPane.h"
#include "KVXZOTTreeView.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QTest>

using namespace CommandId;

namespace {

QStringList VisibleMenuBar(CMainFrame& frame)
{
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        if (action->isVisible())
            titles << action->text();
    return titles;
}

QStringList ToolbarLabels(CMainFrame& frame)
{
    QStringList labels;
    for (QAction* action : frame.ToolBar()->actions())
        labels << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return labels;
}

QAction* ToolbarButton(CMainFrame& frame, int commandId)
{
    for (QAction* action : frame.ToolBar()->actions())
        if (action->property("toolbarCommandId").toInt() == commandId)
            return action;
    return nullptr;
}

// A line edit in the form pane of the active window, focused.
QLineEdit* FocusedField(CMainFrame& frame, const QString& text, bool readOnly)
{
    CFormViewPane* pane = frame.ActiveChild()->FormPane();
    auto* field = new QLineEdit(text, pane);
    field->setReadOnly(readOnly);
    field->show();
    frame.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    field->setFocus();
    return field;
}

}  // namespace

class MainFrameTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ASSERT_NE(Start(), nullptr);
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }
};

TEST_F(MainFrameTest, TheDocumentMenusAppearWithTheFirstDocument)
{
    EXPECT_EQ(VisibleMenuBar(Frame()),
              (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View"), QStringLiteral("&Device"),
                           QStringLiteral("&Help")}));
    for (int id : {FileClose, FileSave, FileSaveAs, EditAdd, EditDelete, EditRename, ViewHelpPane, DeviceWrite})
        EXPECT_FALSE(Frame().Action(id)->isVisible()) << id;
    // Greyed on the toolbar instead.
    EXPECT_FALSE(ToolbarButton(Frame(), FileSave)->isEnabled());
    EXPECT_TRUE(ToolbarButton(Frame(), FileNew)->isEnabled());
    EXPECT_TRUE(Frame().Action(DeviceRead)->isEnabled());
    EXPECT_TRUE(Frame().Action(DeviceReset)->isEnabled());

    ASSERT_NE(NewFromTemplate(), nullptr);
    EXPECT_EQ(VisibleMenuBar(Frame()),
              (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View"), QStringLiteral("&Device"),
                           QStringLiteral("&Report"), QStringLiteral("&Window"), QStringLiteral("&Help")}));
    EXPECT_TRUE(Frame().Action(FileSave)->isVisible());
    EXPECT_TRUE(ToolbarButton(Frame(), FileSave)->isEnabled());
    EXPECT_TRUE(Frame().Action(DeviceWrite)->isEnabled());
    // Maximised, the document's title joins the frame's in brackets.
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("KVX JUB ZOT - [KVX30]"));
    Frame().ActiveChild()->showNormal();
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("KVX JUB ZOT - KVX30"));

    Frame().ActiveChild()->close();
    QApplication::processEvents();
    EXPECT_EQ(VisibleMenuBar(Frame()).size(), 5);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("KVX JUB ZOT"));
}

TEST_F(MainFrameTest, CommandsCarryTheirKeysAndTheToolbarItsOrder)
{
    const std::pair<int, const char*> keys[] = {
        {FileNew, "Ctrl+N"},   {FileOpen, "Ctrl+O"},   {FileSave, "Ctrl+S"},  {EditAdd, "Ctrl+A"},
        {EditScanAdd, "Ctrl+T"}, {EditCut, "Ctrl+X"},  {EditCopy, "Ctrl+C"},  {EditPaste, "Ctrl+V"},
        {EditDelete, "Del"},   {EditRename, "F2"},     {DeviceRead, "Ctrl+R"}, {DeviceWrite, "Ctrl+W"},
        {DeviceReset, "Ctrl+E"}, {HelpFinder, "F1"},   {EditUndo, "Ctrl+Z"},  {EditRedo, "Ctrl+Y"}};
    for (const auto& [id, key] : keys)
        EXPECT_EQ(Frame().Action(id)->shortcut(), QKeySequence(QString::fromLatin1(key))) << key;
    EXPECT_EQ(Frame().Action(AppAbout)->text(), QStringLiteral("&About KVX JUB ZOT..."));

    EXPECT_EQ(ToolbarLabels(Frame()).join(QLatin1Char(' ')),
              QStringLiteral("New Open Save | Add Scan Delete | Cut Copy Paste | Read Write | Report About"));
    EXPECT_EQ(Frame().ToolBar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(Frame().toolBarArea(Frame().ToolBar()), Qt::TopToolBarArea);

    // The tree's context menu: Add, Scan(Add), Delete, Rename.
    QStringList context;
    for (QAction* action : Frame().TreeContextMenu()->actions())
        context << action->property("commandId").toString();
    EXPECT_EQ(context, (QStringList{QStringLiteral("32771"), QStringLiteral("32802"), QStringLiteral("32772"), QStringLiteral("32773")}));
}

TEST_F(MainFrameTest, TheStatusBarHasFivePanesWithTheTransferStateSecond)
{
    const QList<QLabel*> panes = Frame().statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panes.size(), 5);
    EXPECT_EQ(Frame().MessageText(), QStringLiteral("For Help, press F1"));
    EXPECT_EQ(Frame().StatusText(), QStringLiteral("Idle"));
    EXPECT_EQ(Frame().findChild<QLabel*>(QStringLiteral("portPane"))->text(), QStringLiteral("Port: COM3"));
}

TEST_F(MainFrameTest, CutCopyPasteActOnAWritableFieldElseOnTheTree)
{
    ASSERT_NE(NewFromTemplate(), nullptr);
    QLineEdit* field = FocusedField(Frame(), QStringLiteral("Alpha Bravo"), false);
    EXPECT_FALSE(Frame().Action(EditCopy)->isEnabled()) << "nothing selected";
    field->setSelection(0, 5);
    EXPECT_TRUE(Frame().Action(EditCopy)->isEnabled());
    EXPECT_TRUE(Frame().Action(EditCut)->isEnabled());
    Run(EditCut);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(field->text(), QStringLiteral(" Bravo"));
    field->setCursorPosition(6);
    Run(EditPaste);
    EXPECT_EQ(field->text(), QStringLiteral(" BravoAlpha"));
    // Undo belongs to the field first.
    EXPECT_TRUE(Frame().Action(EditUndo)->isEnabled());
    Run(EditUndo);
    EXPECT_EQ(field->text(), QStringLiteral(" Bravo"));

    // A read-only field is not an edit target: Copy goes to the tree, which
    // has nothing to copy here.
    QLineEdit* readOnly = FocusedField(Frame(), QStringLiteral("Locked text"), true);
    readOnly->selectAll();
    QApplication::processEvents();
    EXPECT_FALSE(Frame().Action(EditCopy)->isEnabled());
    EXPECT_FALSE(Frame().Action(EditCut)->isEnabled());
}

TEST_F(MainFrameTest, UndoAndRedoActOnAFieldsTypingFirstThenOnTheProfile)
{
    CChildFrame* child = NewFromTemplate();
    ASSERT_NE(child, nullptr);
    CKVXZOTDoc& doc = child->Document();
    const auto messageCount = [&doc] {
        CDataItem messages;
        return doc.GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages).GetChildCount();
    };
    CDataItem messages;
    doc.GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
    const int before = messageCount();
    ASSERT_TRUE(doc.Apply(EditRequest::AddChild(messages)).IsApplied());
    ASSERT_EQ(messageCount(), before + 1);
    EXPECT_TRUE(Frame().Action(EditUndo)->isEnabled());

    // A field with typing of its own takes Ctrl+Z for itself.
    QLineEdit* field = FocusedField(Frame(), QString(), false);
    QTest::keyClicks(field, QStringLiteral("abc"));
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(field->text(), QString());
    EXPECT_EQ(messageCount(), before + 1);

    // With nothing left to undo in the field, Ctrl+Z undoes the add.
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(messageCount(), before);
    EXPECT_FALSE(doc.IsModified()) << "back at the state it was created in";
    // The field could redo its typing; from the tree, Redo is the profile's.
    child->Tree()->setFocus();
    Run(EditRedo);
    EXPECT_EQ(messageCount(), before + 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Frame().findChild<QLabel*>(QStringLiteral("modifiedPane"))->text(), QStringLiteral("Modified"));
}

TEST_F(MainFrameTest, TheHelpPaneTheToolbarAndTheStatusBarSurviveARestart)
{
    ASSERT_NE(NewFromTemplate(), nullptr);
    EXPECT_FALSE(Frame().IsHelpPaneShown());
    Run(ViewHelpPane);
    EXPECT_TRUE(Frame().ActiveChild()->HelpPane()->isVisibleTo(Frame().ActiveChild()));
    Run(ViewToolbar);
    Run(ViewStatusBar);
    EXPECT_TRUE(Frame().ToolBar()->isHidden());
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    Frame().ActiveChild()->Document().SetModifiedFlag(false);

    ASSERT_NE(Start(), nullptr);   // the old frame goes and stores its state
    EXPECT_TRUE(Frame().IsHelpPaneShown());
    EXPECT_TRUE(Frame().Action(ViewHelpPane)->isChecked());
    EXPECT_TRUE(Frame().ToolBar()->isHidden());
    EXPECT_FALSE(Frame().Action(ViewToolbar)->isChecked());
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    EXPECT_FALSE(Frame().Action(ViewStatusBar)->isChecked());
}

TEST_F(MainFrameTest, TheTreeOpensTheFramesMenuWhoseCommandsActOnTheNodeChosen)
{
    CChildFrame* child = NewFromTemplate();
    ASSERT_NE(child, nullptr);
    CKVXZOTTreeView* tree = child->Tree();
    QMenu* menu = Frame().TreeContextMenu();
    const auto privates = [&] { return tree->FindItem(NodeKind::Privates); };
    const auto enabled = [menu] {
        QList<bool> states;
        for (QAction* action : menu->actions())
            states << action->isEnabled();
        return states;
    };
    // Picks the menu's n-th enabled item with the keyboard, as a user does.
    const auto choose = [menu](int n) {
        for (int i = 0; i <= n; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    };

    // A right click selects the item under the mouse first.
    tree->scrollToItem(privates());
    const QPoint at = tree->visualItemRect(privates()).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree->viewport(), &click);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    EXPECT_EQ(tree->currentItem(), privates());
    EXPECT_EQ(enabled(), (QList<bool>{true, true, false, false})) << "a folder: Add and Scan only";
    choose(0);   // Add
    ASSERT_EQ(privates()->childCount(), 1);
    EXPECT_EQ(tree->currentItem(), privates()->child(0));

    // The menu key opens it on the current item, here the new private.
    tree->setFocus();
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), tree->mapToGlobal(QPoint()));
    QApplication::sendEvent(tree, &key);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    EXPECT_EQ(enabled(), (QList<bool>{false, true, true, true})) << "an entry: no Add";
    choose(2);   // Rename
    ASSERT_TRUE(tree->IsEditingLabel());
    auto* editor = tree->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("Zed"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(privates()->child(0)->text(0), QStringLiteral("Zed"));

    tree->setFocus();
    QApplication::sendEvent(tree, &key);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    messages.Expect(142, kvx::kIdOk);
    choose(1);   // Delete, with the rules' question
    EXPECT_EQ(privates()->childCount(), 0);
    EXPECT_TRUE(child->Document().IsModified());
}

TEST_F(MainFrameTest, OpenDocumentWindowsCloseWhileTheFrameIsStillWhole)
{
    // What the windows signal on their way out reaches the frame.
    CChildFrame* child = NewFromTemplate();
    ASSERT_NE(child, nullptr);
    QObject* frame = &Frame();
    bool frameWhole = false;
    QObject::connect(child, &QObject::destroyed, [&frameWhole, frame] { frameWhole = qobject_cast<CMainFrame*>(frame) != nullptr; });
    Stop();
    EXPECT_TRUE(frameWhole);
}
