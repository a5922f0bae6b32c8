// The private group view: members and available privates with the groups
// each has left, the five-group limit, Add and Remove, the channel change
// and the members line of the leave check.

#include "ViewTestSupport.h"

#include "ControlIds.h"
#include "PrivateGroupView.h"
#include "ViewImages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

using namespace TreeNode;

class PrivateGroupViewTest : public ViewTest {
protected:
    // Five groups on channel 1 (Crew1..Crew5); Full is in all five, Four in
    // the first four, Free in none; Away is on channel 2.
    void MakeProfile()
    {
        NewDoc();
        QList<CDataItem> groups;
        for (int i = 1; i <= 5; ++i)
            groups << Add(QStringLiteral("PrivateGroups"), QStringLiteral("Crew%1").arg(i));
        CDataItem full = Add(QStringLiteral("Privates"), QStringLiteral("Full"));
        CDataItem four = Add(QStringLiteral("Privates"), QStringLiteral("Four"));
        Add(QStringLiteral("Privates"), QStringLiteral("Free"));
        Add(QStringLiteral("Privates"), QStringLiteral("Away"), 2);
        for (int i = 0; i < 5; ++i) {
            Join(full, groups[i]);
            if (i < 4)
                Join(four, groups[i]);
        }
    }
    QListWidget* Available() const { return Control<QListWidget>(ControlId::PrivateGroupAllPrivatesList); }
    QListWidget* Members() const { return Control<QListWidget>(ControlId::PrivateGroupMembersList); }
    QPushButton* AddButton() const { return Control<QPushButton>(ControlId::PrivateGroupAddButton); }
    QPushButton* RemoveButton() const { return Control<QPushButton>(ControlId::PrivateGroupRemoveButton); }
    static QStringList Texts(const QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    static QListWidgetItem* Find(const QListWidget* list, const QString& name)
    {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->data(CPrivateGroupView::kNameRole).toString() == name)
                return list->item(i);
        }
        return nullptr;
    }
    void DoubleClickItem(QListWidget* list, QListWidgetItem* item)
    {
        const QPoint at = list->visualItemRect(item).center();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        Settle();
    }
    void ClickItem(QListWidget* list, QListWidgetItem* item)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        Settle();
    }
};

TEST_F(PrivateGroupViewTest, APrivateInFiveGroupsIsGreyAndCannotBeChosen)
{
    MakeProfile();
    OpenWindow();
    ASSERT_TRUE(Select(PrivateGroup, 4));   // Crew5: Full is a member
    EXPECT_EQ(Texts(Members()), QStringList{"Full"});
    EXPECT_EQ(Texts(Available()), (QStringList{"Four (1 Group(s) Left)", "Free (5 Group(s) Left)"}));

    ASSERT_TRUE(Select(PrivateGroup, 0));   // Crew1: Full and Four are members
    EXPECT_EQ(Texts(Members()), (QStringList{"Four", "Full"}));
    // A new group, which Full cannot join.
    ASSERT_TRUE(Select(PrivateGroups));
    m_tree->AddNewItem(PrivateGroups);
    Settle();
    ASSERT_EQ(View()->ViewClass(), QStringLiteral("CPrivateGroupView"));
    QListWidgetItem* full = Find(Available(), QStringLiteral("Full"));
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->text(), QStringLiteral("Full (0 Group(s) Left)"));
    EXPECT_EQ(full->foreground().color(), QColor(164, 164, 164));
    ClickItem(Available(), full);
    EXPECT_TRUE(Available()->selectedItems().isEmpty());
    EXPECT_FALSE(AddButton()->isEnabled());
    EXPECT_EQ(m_status, LoadStr(173));
    ClickItem(Available(), Find(Available(), QStringLiteral("Free")));
    EXPECT_TRUE(AddButton()->isEnabled());
    EXPECT_EQ(m_status, LoadStr(57345));
    m_script.Expect(10161, kvx::kIdCancel);
    Click(Item(PrivateGroups));   // no members yet: refused
    EXPECT_TRUE(Available()->hasFocus());
}

TEST_F(PrivateGroupViewTest, AddAndRemoveMoveMembersAndWriteTheMembership)
{
    MakeProfile();
    // A sixth group on channel 1, with Free as its only member.
    CDataItem crew6 = Add(QStringLiteral("PrivateGroups"), QStringLiteral("Crew6"));
    Join(Entry(QStringLiteral("Privates"), 2), crew6);
    OpenWindow();
    ASSERT_TRUE(Select(PrivateGroup, 5));
    QListWidgetItem* four = Find(Available(), QStringLiteral("Four"));
    ASSERT_NE(four, nullptr);
    EXPECT_EQ(four->text(), QStringLiteral("Four (1 Group(s) Left)"));
    DoubleClickItem(Available(), four);
    EXPECT_EQ(Texts(Members()), (QStringList{"Four", "Free"}));
    EXPECT_EQ(Texts(Available()), QStringList{"Full (0 Group(s) Left)"});
    EXPECT_TRUE(Available()->hasFocus());
    EXPECT_FALSE(RemoveButton()->isEnabled());
    CDataItem parents;
    Entry(QStringLiteral("Privates"), 1).GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
    EXPECT_EQ(parents.GetChildCount(), 5);
    EXPECT_TRUE(m_doc->IsModified());

    // In the other groups of the channel Four now has no group left.
    ASSERT_TRUE(Select(PrivateGroup, 4));
    EXPECT_EQ(Find(Available(), QStringLiteral("Four"))->text(), QStringLiteral("Four (0 Group(s) Left)"));

    // Removed again, it has one group more.
    ASSERT_TRUE(Select(PrivateGroup, 5));
    Members()->setFocus();
    ClickItem(Members(), Find(Members(), QStringLiteral("Four")));
    ASSERT_TRUE(RemoveButton()->isEnabled());
    EXPECT_FALSE(AddButton()->isEnabled());
    QTest::mouseClick(RemoveButton(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(Texts(Members()), QStringList{"Free"});
    EXPECT_EQ(Find(Available(), QStringLiteral("Four"))->text(), QStringLiteral("Four (1 Group(s) Left)"));
    EXPECT_EQ(parents.GetChildCount(), 4);
    EXPECT_EQ(Members()->currentItem()->text(), QStringLiteral("Free"));
}

TEST_F(PrivateGroupViewTest, AChannelWithoutAnAvailablePrivateIsRefused)
{
    MakeProfile();
    OpenWindow();
    ASSERT_TRUE(Select(PrivateGroup, 0));
    auto* channel = Control<QComboBox>(ControlId::PrivateGroupChannelCombo);
    m_script.Expect(10108);
    channel->setCurrentIndex(4);   // nobody on channel 5
    Settle();
    EXPECT_EQ(channel->currentIndex(), 0);
    EXPECT_EQ(Entry(QStringLiteral("PrivateGroups"), 0).GetAttributeValue(QStringLiteral("channel")).toString(),
              QStringLiteral("1"));
}

TEST_F(PrivateGroupViewTest, MovingAGroupWithMembersEmptiesItAndItsLeaveCheckSaysSo)
{
    MakeProfile();
    OpenWindow();
    ASSERT_TRUE(Select(PrivateGroup, 0));
    auto* channel = Control<QComboBox>(ControlId::PrivateGroupChannelCombo);
    m_script.Expect(136, kvx::kIdOk);
    channel->setCurrentIndex(1);   // Away is on channel 2
    Settle();
    EXPECT_EQ(channel->currentText(), QStringLiteral("Channel 2"));
    EXPECT_EQ(Texts(Members()), QStringList());
    EXPECT_EQ(Texts(Available()), QStringList{"Away (5 Group(s) Left)"});

    m_script.Expect(10161, kvx::kIdCancel);
    Click(Item(PrivateGroups));
    EXPECT_EQ(m_script.Shown().last(), LoadStr(10161).replace(QStringLiteral("%s"), LoadStr(10164)));
    EXPECT_TRUE(Available()->hasFocus());
}

TEST_F(PrivateGroupViewTest, TheRadiosOwnPrivateHasItsImageInTheLists)
{
    SimulatedDoc();
    OpenWindow();
    const QString unitId = m_doc->GetUnitId();
    bool seen = false;
    for (int g = 0; g < Item(PrivateGroups)->childCount() && !seen; ++g) {
        ASSERT_TRUE(Select(PrivateGroup, g));
        for (QListWidget* list : {Available(), Members()}) {
            for (int i = 0; i < list->count(); ++i) {
                const bool own = list->item(i)->icon().cacheKey() == ViewImages::TreeIcon(ImageOwnPrivate).cacheKey();
                const QString name = list->item(i)->data(CPrivateGroupView::kNameRole).toString();
                const bool isOwnName = name == m_doc->GetRootItem().GetContactNameByID(unitId);
                EXPECT_EQ(own, isOwnName) << name.toStdString();
                seen = seen || own;
            }
        }
    }
    EXPECT_TRUE(seen);
}

}  // namespace
