// The list views: the two-list editor's moves, selections and buttons on
// the scroll list, a channel's scan list with its capacity, the private
// scroll list, the scan mode and the read-only overview.

#include "ViewTestSupport.h"

#include "ControlIds.h"
#include "ListsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace {

using namespace TreeNode;

QStringList SelectedNames(const QTreeWidget* list)
{
    QStringList names;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (list->topLevelItem(row)->isSelected())
            names << list->topLevelItem(row)->text(0);
    }
    return names;
}

void SelectNames(QTreeWidget* list, const QStringList& names)
{
    list->clearSelection();
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (names.contains(list->topLevelItem(row)->text(0)))
            list->topLevelItem(row)->setSelected(true);
    }
}

class ListViewsTest : public ViewTest {
protected:
    // The editor of the view shown: available list, member list, Add, Remove.
    struct Editor {
        QTreeWidget* available;
        QTreeWidget* members;
        QPushButton* add;
        QPushButton* remove;
    };
    Editor EditorOf(int availableId) const
    {
        return {Control<QTreeWidget>(availableId), Control<QTreeWidget>(availableId + 2),
                Control<QPushButton>(availableId + 3), Control<QPushButton>(availableId + 4)};
    }
    void Press(QPushButton* button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        button->click();
        Settle();
    }
    // Public groups on a channel, in its scan list or not.
    void Groups(const QStringList& names, int channel, bool scanned)
    {
        for (const QString& name : names) {
            CDataItem group = Add(QStringLiteral("PublicGroups"), name, channel);
            if (scanned)
                Set(group, QStringLiteral("in_scan_list"), true);
        }
    }
    QString Flag(const QString& folder, const QString& name, const QString& flag)
    {
        const CDataItem node = Folder(folder);
        for (int i = 0; i < node.GetChildCount(); ++i) {
            if (ViewTest::Name(Entry(folder, i)) == name)
                return Entry(folder, i).GetNode().GetAttribute(flag);
        }
        return QStringLiteral("(none)");
    }
};

TEST_F(ListViewsTest, TheScrollListMovesSortsAndHandsTheSelectionOn)
{
    NewDoc();
    for (const QString& name : {QStringLiteral("Zed"), QStringLiteral("bob"), QStringLiteral("\u00C9mile"), QStringLiteral("adam")}) {
        CDataItem entry = Add(QStringLiteral("Privates"), name);
        Set(entry, QStringLiteral("in_scroll_list"), false);
    }
    OpenWindow();
    EXPECT_EQ(Item(ScrollList)->text(0), QStringLiteral("Scroll (3)"));
    ASSERT_TRUE(Select(ScrollList));
    const Editor e = EditorOf(ControlId::ScrollAvailableList);
    // Sorted under the radio's collation: case ignored, É with E.
    EXPECT_EQ(ListNames(e.available), (QStringList{"adam", "bob", "\u00C9mile", "Zed"}));
    EXPECT_EQ(ListNames(e.members), (QStringList{"All Call", "Dispatch", "Maintenance"}));
    // Shown: the first available contact selected, Remove off.
    EXPECT_EQ(SelectedNames(e.available), QStringList{"adam"});
    EXPECT_TRUE(e.add->isEnabled());
    EXPECT_FALSE(e.remove->isEnabled());
    // Each item carries its contact's row in a hidden column.
    EXPECT_TRUE(e.available->isColumnHidden(1));
    EXPECT_EQ(e.available->headerItem()->text(1), QStringLiteral("globalIndex"));
    EXPECT_EQ(e.members->topLevelItem(0)->text(1), QStringLiteral("0"));

    SelectNames(e.available, {"bob", "Zed"});
    Press(e.add);
    EXPECT_EQ(ListNames(e.members), (QStringList{"All Call", "bob", "Dispatch", "Maintenance", "Zed"}));
    EXPECT_EQ(ListNames(e.available), (QStringList{"adam", "\u00C9mile"}));
    // The list moved from selects the item at the last moved position.
    EXPECT_EQ(SelectedNames(e.available), QStringList{"\u00C9mile"});
    EXPECT_TRUE(e.available->hasFocus());
    EXPECT_TRUE(SelectedNames(e.members).isEmpty());
    EXPECT_TRUE(e.add->isEnabled());
    EXPECT_FALSE(e.remove->isEnabled());
    EXPECT_EQ(Flag(QStringLiteral("Privates"), QStringLiteral("bob"), QStringLiteral("in_scroll_list")), QStringLiteral("1"));
    EXPECT_EQ(Flag(QStringLiteral("Privates"), QStringLiteral("adam"), QStringLiteral("in_scroll_list")), QStringLiteral("0"));
    EXPECT_EQ(Item(ScrollList)->text(0), QStringLiteral("Scroll (5)"));

    // A list left empty hands selection and focus to the other one.
    SelectNames(e.available, {"adam", "\u00C9mile"});
    Press(e.add);
    EXPECT_EQ(e.available->topLevelItemCount(), 0);
    EXPECT_FALSE(e.add->isEnabled());
    EXPECT_EQ(SelectedNames(e.members), QStringList{"adam"});
    EXPECT_TRUE(e.members->hasFocus());
    EXPECT_TRUE(e.remove->isEnabled());

    // A double click in the members list removes.
    QTreeWidgetItem* zed = e.members->findItems(QStringLiteral("Zed"), Qt::MatchExactly).value(0);
    ASSERT_NE(zed, nullptr);
    const QPoint at = e.members->visualItemRect(zed).center();
    QTest::mouseClick(e.members->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(e.members->viewport(), Qt::LeftButton, {}, at);
    Settle();
    EXPECT_EQ(ListNames(e.available), QStringList{"Zed"});
    EXPECT_EQ(Flag(QStringLiteral("Privates"), QStringLiteral("Zed"), QStringLiteral("in_scroll_list")), QStringLiteral("0"));
    EXPECT_EQ(Item(ScrollList)->text(0), QStringLiteral("Scroll (6)"));
}

TEST_F(ListViewsTest, FocusInOneListTurnsTheOtherListsButtonOff)
{
    NewDoc();
    CDataItem adam = Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    Set(adam, QStringLiteral("in_scroll_list"), false);
    OpenWindow();
    ASSERT_TRUE(Select(ScrollList));
    const Editor e = EditorOf(ControlId::ScrollAvailableList);
    SelectNames(e.members, {"Dispatch"});
    EXPECT_TRUE(e.add->isEnabled());
    EXPECT_TRUE(e.remove->isEnabled());
    FocusOn(e.members);
    EXPECT_FALSE(e.add->isEnabled());
    EXPECT_TRUE(e.remove->isEnabled());
    FocusOn(e.available);
    EXPECT_TRUE(e.add->isEnabled());
    EXPECT_FALSE(e.remove->isEnabled());
}

TEST_F(ListViewsTest, ANearlyFullScanListTakesOneGroupThenSays164)
{
    NewDoc();
    Groups({"G1", "G2", "G3", "G4", "G5", "G6", "G7", "G8", "G9"}, 3, true);
    Groups({"Alpha", "Bravo", "Charlie"}, 3, false);
    OpenWindow();
    EXPECT_EQ(Item(ScanChannel, 2)->text(0), QStringLiteral("Channel 3 (9)"));
    ASSERT_TRUE(Select(ScanChannel, 2));
    EXPECT_EQ(View()->Title()->text(), QStringLiteral("Scan List Channel 3"));
    const Editor e = EditorOf(ControlId::ChannelAvailableList);
    // Only the groups of this channel.
    EXPECT_EQ(ListNames(e.available), (QStringList{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(e.members->topLevelItemCount(), 9);

    SelectNames(e.available, {"Alpha", "Bravo", "Charlie"});
    m_script.Expect(164);
    Press(e.add);
    EXPECT_EQ(m_script.Shown().last(), QStringLiteral("Cannot add more than 10 amount of contacts to the scan list."));
    EXPECT_EQ(e.members->topLevelItemCount(), 10);
    EXPECT_EQ(ListNames(e.available), (QStringList{"Bravo", "Charlie"}));
    EXPECT_EQ(Flag(QStringLiteral("PublicGroups"), QStringLiteral("Alpha"), QStringLiteral("in_scan_list")), QStringLiteral("1"));
    EXPECT_EQ(Flag(QStringLiteral("PublicGroups"), QStringLiteral("Bravo"), QStringLiteral("in_scan_list")), QStringLiteral("0"));
    EXPECT_EQ(Item(ScanChannel, 2)->text(0), QStringLiteral("Channel 3 (10)"));

    // Full: 155, and nothing stays selected among the available groups.
    SelectNames(e.available, {"Charlie"});
    m_script.Expect(155);
    Press(e.add);
    EXPECT_TRUE(SelectedNames(e.available).isEmpty());
    EXPECT_FALSE(e.add->isEnabled());
    EXPECT_EQ(e.members->topLevelItemCount(), 10);
    EXPECT_EQ(Flag(QStringLiteral("PublicGroups"), QStringLiteral("Charlie"), QStringLiteral("in_scan_list")), QStringLiteral("0"));
}

TEST_F(ListViewsTest, AnAddRelabelsItsChannelInTheTree)
{
    NewDoc();
    Groups({"Yard", "Gate"}, 2, true);   // with Maintenance, three groups on channel 2
    CDataItem maintenance = Entry(QStringLiteral("PublicGroups"), 2);
    Set(maintenance, QStringLiteral("in_scan_list"), true);
    Groups({"Dock"}, 2, false);
    OpenWindow();
    EXPECT_EQ(Item(ScanChannel, 1)->text(0), QStringLiteral("Channel 2 (3)"));
    Item(ScanList)->setExpanded(true);
    ASSERT_TRUE(Select(ScanChannel, 1));
    const Editor e = EditorOf(ControlId::ChannelAvailableList);
    SelectNames(e.available, {"Dock"});
    Press(e.add);
    EXPECT_EQ(Item(ScanChannel, 1)->text(0), QStringLiteral("Channel 2 (4)"));
    // The tree stays as the user left it.
    EXPECT_TRUE(Item(ScanList)->isExpanded());
    EXPECT_EQ(m_tree->currentItem(), Item(ScanChannel, 1));
    EXPECT_EQ(Item(ScanChannel, 0)->text(0), QStringLiteral("Channel 1 (2)"));

    SelectNames(e.members, {"Gate", "Yard"});
    Press(e.remove);
    EXPECT_EQ(Item(ScanChannel, 1)->text(0), QStringLiteral("Channel 2 (2)"));
    EXPECT_EQ(ListNames(e.available), (QStringList{"Gate", "Yard"}));
}

TEST_F(ListViewsTest, TheScanModeSwitchWritesTheSetting)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(ScanList));
    auto* scanMode = Control<QCheckBox>(ControlId::ScanListScanModeCheck);
    EXPECT_FALSE(scanMode->isChecked());
    scanMode->click();
    Settle();
    CDataItem setting;
    m_doc->GetRootItem().GetChildByName(QStringLiteral("setting"), setting);
    EXPECT_EQ(setting.GetNode().GetAttribute(QStringLiteral("scan_en")), QStringLiteral("1"));
    EXPECT_TRUE(m_doc->IsModified());
    // A screen reader's toggle writes as a click does.
    Toggle(scanMode);
    Settle();
    EXPECT_EQ(setting.GetNode().GetAttribute(QStringLiteral("scan_en")), QStringLiteral("0"));
}

TEST_F(ListViewsTest, TheOverviewShowsTheScrollListAndAChannelGrid)
{
    NewDoc();
    Groups({"Yard"}, 16, true);
    OpenWindow();
    ASSERT_TRUE(Select(Lists));
    auto* scroll = Control<QListWidget>(ControlId::ListsScrollList);
    QStringList scrolled;
    for (int row = 0; row < scroll->count(); ++row)
        scrolled << scroll->item(row)->text();
    // Folder by folder in document order, not sorted.
    EXPECT_EQ(scrolled, (QStringList{"All Call", "Dispatch", "Maintenance", "Yard"}));
    auto* grid = Control<QTableWidget>(ControlId::ListsScanGrid);
    ASSERT_FALSE(grid->isHidden());
    ASSERT_EQ(grid->columnCount(), 16);
    EXPECT_EQ(grid->horizontalHeaderItem(15)->text(), QStringLiteral("Channel 16"));
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("All Call"));
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("Dispatch"));
    EXPECT_EQ(grid->item(0, 1), nullptr);   // Maintenance is not scanned
    EXPECT_EQ(grid->item(0, 15)->text(), QStringLiteral("Yard"));
    // Sixteen channels are wider than the grid: a tenth of it each.
    EXPECT_EQ(grid->columnWidth(0), grid->viewport()->width() / 10);
    EXPECT_EQ(CListsView::ChannelColumnWidth(500, 4), 125);
    EXPECT_FALSE(Control<QCheckBox>(ControlId::ListsScanModeCheck)->isEnabled());
}

TEST_F(ListViewsTest, ARadioWithoutPublicScanHasNoScanGridNorScanListFolder)
{
    DocFromTemplateText({{QStringLiteral("public_scan_en=\"1\""), QStringLiteral("public_scan_en=\"0\"")}});
    OpenWindow();
    EXPECT_EQ(Item(ScanList), nullptr);
    ASSERT_TRUE(Select(Lists));
    for (int id : {ControlId::ListsScanListLabel, ControlId::ListsScanGrid, ControlId::ListsScanModeLabel,
                   ControlId::ListsScanModeCheck})
        EXPECT_TRUE(View()->Control(id)->isHidden()) << id;
    EXPECT_FALSE(View()->Control(ControlId::ListsScrollList)->isHidden());
}

TEST_F(ListViewsTest, ThePrivateScrollListOffersThePrivateItselfAndKeepsItsEntriesWhenOff)
{
    NewDoc();
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    Add(QStringLiteral("Privates"), QStringLiteral("Bob"));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    auto* enable = Control<QCheckBox>(ControlId::PrivateScrollEnableCheck);
    const Editor e = EditorOf(ControlId::PrivateScrollAvailableList);
    EXPECT_FALSE(enable->isChecked());
    EXPECT_FALSE(e.available->isEnabled());
    EXPECT_FALSE(e.add->isEnabled());
    EXPECT_TRUE(ListNames(e.available).contains(QStringLiteral("Adam")));
    EXPECT_EQ(e.members->topLevelItemCount(), 0);

    enable->click();
    Settle();
    EXPECT_EQ(Entry(QStringLiteral("Privates"), 0).GetNode().GetAttribute(QStringLiteral("private_scroll_list")),
              QStringLiteral("1"));
    EXPECT_TRUE(e.available->isEnabled());
    EXPECT_EQ(SelectedNames(e.available), QStringList{"Adam"});
    SelectNames(e.available, {"Adam", "Bob"});
    Press(e.add);
    EXPECT_EQ(ListNames(e.members), (QStringList{"Adam", "Bob"}));
    CDataItem list;
    Entry(QStringLiteral("Privates"), 0).GetChildByName(QStringLiteral("scrolllist"), list);
    ASSERT_EQ(list.GetChildCount(), 2);

    FocusOn(e.members);
    SelectNames(e.members, {"Adam"});
    Press(e.remove);
    EXPECT_EQ(ListNames(e.members), QStringList{"Bob"});
    ASSERT_EQ(list.GetChildCount(), 1);

    // Off (here from a screen reader): lists and buttons disabled, the entries stay.
    Toggle(enable);
    Settle();
    EXPECT_FALSE(e.available->isEnabled());
    EXPECT_FALSE(e.members->isEnabled());
    EXPECT_FALSE(e.add->isEnabled());
    EXPECT_FALSE(e.remove->isEnabled());
    EXPECT_TRUE(SelectedNames(e.available).isEmpty());
    EXPECT_EQ(ListNames(e.members), QStringList{"Bob"});
    EXPECT_EQ(list.GetChildCount(), 1);

    // The lists show names: renaming the private rebuilds them.
    auto* name = Control<QLineEdit>(ControlId::PrivateNameEdit);
    ReplaceText(name, QStringLiteral("Aaron"));
    FocusOn(Control<QComboBox>(ControlId::PrivateChannelCombo));
    EXPECT_TRUE(ListNames(e.available).contains(QStringLiteral("Aaron")));
    EXPECT_FALSE(ListNames(e.available).contains(QStringLiteral("Adam")));
}

}  // namespace
