// The tree's commands: Add with its caption and focus, Delete with the rules'
// confirmation, Rename, the command states and the context menu.

#include "ViewTestSupport.h"

#include "ControlIds.h"

#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

namespace {

using namespace TreeNode;

class TreeEditTest : public ViewTest {};

TEST_F(TreeEditTest, AddOpensTheNewEntryWithItsCaptionAndTheFocusInItsName)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(Privates));
    m_tree->setFocus();
    ASSERT_TRUE(m_tree->CanAdd());
    QTest::keyClick(m_tree, Qt::Key_A, Qt::ControlModifier);
    Settle();
    ASSERT_EQ(Names(QStringLiteral("Privates")), QStringList{"Private"});
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(Private, 0));
    EXPECT_EQ(View()->Title()->text(), QStringLiteral("Private (add without scanner)"));
    auto* name = Control<QLineEdit>(ControlId::PrivateNameEdit);
    EXPECT_TRUE(name->hasFocus());
    EXPECT_EQ(name->selectedText(), QStringLiteral("Private"));
    EXPECT_EQ(Item(ScrollList)->text(0), QStringLiteral("Scroll (4)"));
    EXPECT_TRUE(m_doc->IsModified());

    // Selected again later, the caption has no suffix.
    ASSERT_TRUE(Select(Privates));
    ASSERT_TRUE(Select(Private, 0));
    EXPECT_EQ(View()->Title()->text(), QStringLiteral("Private"));
}

TEST_F(TreeEditTest, DeletingTheLastMemberOfAGroupAsksAndTakesTheGroupAlong)
{
    NewDoc();
    CDataItem adam = Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    Add(QStringLiteral("Privates"), QStringLiteral("Bob"));
    Join(adam, Add(QStringLiteral("PrivateGroups"), QStringLiteral("Crew")));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    m_tree->setFocus();

    m_script.Expect(142, kvx::kIdCancel);
    QTest::keyClick(m_tree, Qt::Key_Delete);
    Settle();
    EXPECT_EQ(Names(QStringLiteral("Privates")), (QStringList{"Adam", "Bob"}));
    EXPECT_EQ(Labels(Item(PrivateGroups)), QStringList{"Crew"});

    m_script.Expect(142, kvx::kIdOk);
    QTest::keyClick(m_tree, Qt::Key_Delete);
    Settle();
    EXPECT_EQ(Names(QStringLiteral("Privates")), QStringList{"Bob"});
    EXPECT_EQ(Labels(Item(Privates)), QStringList{"Bob"});
    EXPECT_EQ(Labels(Item(PrivateGroups)), QStringList());
    // The view shows the entry now selected.
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CPrivateView"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::PrivateNameEdit)->text(), QStringLiteral("Bob"));
}

// Undo replaces the profile: the tree is built again with the selection
// kept, and the view shows the entry as it was.
TEST_F(TreeEditTest, UndoingADeleteWithItsCascadeRestoresTreeAndView)
{
    NewDoc();
    CDataItem adam = Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    Add(QStringLiteral("Privates"), QStringLiteral("Bob"));
    Join(adam, Add(QStringLiteral("PrivateGroups"), QStringLiteral("Crew")));
    m_doc->UndoStack()->clear();
    OpenWindow();
    ASSERT_TRUE(Select(Private, 1));
    ReplaceText(Control<QLineEdit>(ControlId::PrivateNameEdit), QStringLiteral("Bert"));
    FocusOn(Control<QWidget>(ControlId::PrivateChannelCombo));
    ASSERT_EQ(Labels(Item(Privates)), (QStringList{"Adam", "Bert"}));

    ASSERT_TRUE(Select(Private, 0));
    m_tree->setFocus();
    m_script.Expect(142, kvx::kIdOk);
    m_tree->OnDelete();
    Settle();
    ASSERT_EQ(Labels(Item(PrivateGroups)), QStringList());

    m_doc->UndoStack()->undo();
    Settle();
    EXPECT_EQ(Labels(Item(Privates)), (QStringList{"Adam", "Bert"}));
    EXPECT_EQ(Labels(Item(PrivateGroups)), QStringList{"Crew"});
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(Private, 0));
    EXPECT_EQ(Control<QLineEdit>(ControlId::PrivateNameEdit)->text(), QStringLiteral("Adam"));

    m_doc->UndoStack()->undo();
    Settle();
    EXPECT_EQ(Labels(Item(Privates)), (QStringList{"Adam", "Bob"}));
    EXPECT_FALSE(m_doc->UndoStack()->canUndo());
}

TEST_F(TreeEditTest, RenameIsOfferedForContactsOnlyAndTheRulesCanRefuseIt)
{
    NewDoc();
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    OpenWindow();

    ASSERT_TRUE(Select(TextMessage, 0));
    m_tree->setFocus();
    QTest::keyClick(m_tree, Qt::Key_F2);
    EXPECT_FALSE(m_tree->IsEditingLabel());
    ASSERT_TRUE(Select(Privates));
    m_tree->OnRename();
    EXPECT_FALSE(m_tree->IsEditingLabel());

    // At most 20 characters can be typed.
    ASSERT_TRUE(Select(PublicGroup, 0));
    m_tree->setFocus();
    QTest::keyClick(m_tree, Qt::Key_F2);
    ASSERT_TRUE(m_tree->IsEditingLabel());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("A name of twenty-five ch"));
    EXPECT_EQ(editor->text(), QStringLiteral("A name of twenty-fiv"));

    // A name another contact has is refused; the label stays.
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("adam"));
    m_script.Expect(127);
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
    EXPECT_FALSE(m_tree->IsEditingLabel());
    EXPECT_EQ(Item(PublicGroup, 0)->text(0), QStringLiteral("All Call"));
    EXPECT_EQ(Name(Entry(QStringLiteral("PublicGroups"), 0)), QStringLiteral("All Call"));

    // Accepted: label, profile and the view's name field follow.
    QTest::keyClick(m_tree, Qt::Key_F2);
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("Everyone"));
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
    EXPECT_EQ(Item(PublicGroup, 0)->text(0), QStringLiteral("Everyone"));
    EXPECT_EQ(Name(Entry(QStringLiteral("PublicGroups"), 0)), QStringLiteral("Everyone"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::PublicGroupNameEdit)->text(), QStringLiteral("Everyone"));
    EXPECT_EQ(View()->Title()->text(), QStringLiteral("Everyone"));
}

TEST_F(TreeEditTest, ALabelBeingEditedIsCommittedBeforeACommandAndARefusalStopsIt)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(PublicGroup, 1));
    m_tree->setFocus();
    m_tree->OnRename();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("all call"));
    m_script.Expect(127);
    EXPECT_FALSE(m_pane->CommitPendingEdits());

    m_tree->OnRename();
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Control"));
    EXPECT_TRUE(m_pane->CommitPendingEdits());
    EXPECT_EQ(Name(Entry(QStringLiteral("PublicGroups"), 1)), QStringLiteral("Control"));
}

// Write and Report commit the view and put the current entry in its place.
TEST_F(TreeEditTest, CommittingForWriteRepositionsTheCurrentEntryAndKeepsItSelected)
{
    NewDoc();
    for (const char* name : {"Adam", "Bob", "Zed"})
        Add(QStringLiteral("Privates"), QString::fromLatin1(name));
    OpenWindow();
    QList<QPair<QString, int>> help;
    QObject::connect(m_pane, &CFormViewPane::helpContextChanged,
                     [&](const QString& viewClass, int id) { help.append({viewClass, id}); });
    ASSERT_TRUE(Select(Private, 0));
    EXPECT_EQ(help.last(), (QPair<QString, int>{"CPrivateView", 0}));
    ReplaceText(Control<QLineEdit>(ControlId::PrivateNameEdit), QStringLiteral("Max"));
    EXPECT_EQ(help.last(), (QPair<QString, int>{"CPrivateView", ControlId::PrivateNameEdit}));

    ASSERT_TRUE(m_pane->CommitPendingEdits(true));
    Settle();
    EXPECT_EQ(Names(QStringLiteral("Privates")), (QStringList{"Bob", "Max", "Zed"}));
    EXPECT_EQ(Labels(Item(Privates)), (QStringList{"Bob", "Max", "Zed"}));
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(Private, 1));
    EXPECT_EQ(View()->EntryIndex(), 1);
    EXPECT_EQ(Control<QLineEdit>(ControlId::PrivateNameEdit)->text(), QStringLiteral("Max"));
}

TEST_F(TreeEditTest, CommandStatesFollowTheSelectionAndTheFocus)
{
    NewDoc();
    OpenWindow();
    int changes = 0;
    QObject::connect(m_tree, &CKVXZOTTreeView::commandStatesChanged, [&] { ++changes; });
    m_tree->setFocus();
    ASSERT_TRUE(Select(PublicGroups));
    EXPECT_TRUE(m_tree->CanAdd());
    EXPECT_TRUE(m_tree->CanScanAdd());
    EXPECT_FALSE(m_tree->CanDelete());
    EXPECT_FALSE(m_tree->CanRename());
    ASSERT_TRUE(Select(PublicGroup, 0));
    EXPECT_FALSE(m_tree->CanAdd());
    EXPECT_TRUE(m_tree->CanDelete());
    EXPECT_TRUE(m_tree->CanRename());
    ASSERT_TRUE(Select(TextMessage, 0));
    EXPECT_TRUE(m_tree->CanDelete());
    EXPECT_FALSE(m_tree->CanRename());
    EXPECT_GT(changes, 0);

    // Losing the focus takes Add, Delete and Rename away, not Scan(Add).
    ASSERT_TRUE(Select(PublicGroup, 0));
    m_tree->setFocus();
    Control<QLineEdit>(ControlId::PublicGroupNameEdit)->setFocus();
    Settle();
    EXPECT_FALSE(m_tree->CanDelete());
    EXPECT_FALSE(m_tree->CanRename());
    EXPECT_TRUE(m_tree->CanScanAdd());
    m_tree->setFocus();
    Settle();
    EXPECT_TRUE(m_tree->CanDelete());
}

TEST_F(TreeEditTest, ARightClickSelectsTheItemAndOffersTheCommands)
{
    NewDoc();
    OpenWindow();
    QTreeWidgetItem* item = Item(PublicGroup, 2);
    m_tree->scrollToItem(item);
    const QPoint at = m_tree->visualItemRect(item).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, m_tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(m_tree->viewport(), &event);
    Settle();
    EXPECT_EQ(m_tree->currentItem(), item);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList enabled;
    for (QAction* action : menu->actions()) {
        if (action->isEnabled())
            enabled << action->text();
    }
    EXPECT_EQ(enabled, (QStringList{"&Scan(Add)\tCtrl+T", "&Delete\tDel", "&Rename\tF2"}));
    menu->close();
}

}  // namespace
