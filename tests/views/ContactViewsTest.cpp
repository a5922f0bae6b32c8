// The contact editing conventions on the public group view: the name commit,
// the leave check, Delete Current Contact, the channel protocol and the ID
// choice over the public ID banks.

#include "ViewTestSupport.h"

#include "ControlIds.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

using namespace TreeNode;

// Public ID banks given by their display numbers: a bank of the high block
// numbered from n counts down from 17179869184 - n.
QList<QPair<QString, QString>> Banks(int first0, int last0, int first1, int last1)
{
    const auto start = [](int first) { return QString::number(17179869184LL - first); };
    return {{QStringLiteral("public_grp_info_start_pid0=\"17179869183\""),
             QStringLiteral("public_grp_info_start_pid0=\"%1\"").arg(start(first0))},
            {QStringLiteral("public_grp_info_lst_size0=\"100\""),
             QStringLiteral("public_grp_info_lst_size0=\"%1\"").arg(last0 - first0 + 1)},
            {QStringLiteral("public_grp_info_start_pid1=\"0\""),
             QStringLiteral("public_grp_info_start_pid1=\"%1\"").arg(start(first1))},
            {QStringLiteral("public_grp_info_lst_size1=\"0\""),
             QStringLiteral("public_grp_info_lst_size1=\"%1\"").arg(last1 - first1 + 1)}};
}

class ContactViewsTest : public ViewTest {
protected:
    QLineEdit* NameEdit() const { return Control<QLineEdit>(ControlId::PublicGroupNameEdit); }
    QComboBox* Channel() const { return Control<QComboBox>(ControlId::PublicGroupChannelCombo); }
    QComboBox* Id() const { return Control<QComboBox>(ControlId::PublicGroupIdCombo); }
};

TEST_F(ContactViewsTest, TheNameCommitsWhenTheFocusMovesWithinTheView)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(PublicGroup, 0));
    ReplaceText(NameEdit(), QString());
    m_script.Expect(10055);
    FocusOn(Channel());
    EXPECT_TRUE(NameEdit()->hasFocus());

    ReplaceText(NameEdit(), QStringLiteral("dispatch"));
    m_script.Expect(127);
    FocusOn(Channel());
    EXPECT_TRUE(NameEdit()->hasFocus());
    EXPECT_EQ(NameEdit()->selectedText(), QStringLiteral("dispatch"));
    EXPECT_EQ(Name(Entry(QStringLiteral("PublicGroups"), 0)), QStringLiteral("All Call"));

    // Accepted: the tree relabels, the entry keeps its place until it is left.
    ReplaceText(NameEdit(), QStringLiteral("Zulu"));
    FocusOn(Channel());
    EXPECT_EQ(Name(Entry(QStringLiteral("PublicGroups"), 0)), QStringLiteral("Zulu"));
    EXPECT_EQ(Labels(Item(PublicGroups)), (QStringList{"Zulu", "Dispatch", "Maintenance"}));
    EXPECT_EQ(View()->Title()->text(), QStringLiteral("Zulu"));

    // Moving to the tree does not commit: the leave check does.
    ReplaceText(NameEdit(), QString());
    m_tree->setFocus();
    Settle();
}

TEST_F(ContactViewsTest, LeavingAGroupWithAnErasedNameAsksToDeleteIt)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(PublicGroup, 1));
    ReplaceText(NameEdit(), QString());

    m_script.Expect(10161, kvx::kIdCancel);
    Click(Item(PublicGroups));
    EXPECT_EQ(m_script.Shown().last(), LoadStr(10161).replace(QStringLiteral("%s"), LoadStr(10162)));
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(PublicGroup, 1));
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CPublicGroupView"));
    EXPECT_TRUE(NameEdit()->hasFocus());

    m_script.Expect(10161, kvx::kIdOk);
    Click(Item(PublicGroups));
    EXPECT_EQ(Names(QStringLiteral("PublicGroups")), (QStringList{"All Call", "Maintenance"}));
    EXPECT_EQ(Labels(Item(PublicGroups)), (QStringList{"All Call", "Maintenance"}));
    // The selection did not move; the view shows the entry now in its place.
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(PublicGroup, 1));
    EXPECT_EQ(NameEdit()->text(), QStringLiteral("Maintenance"));
    EXPECT_EQ(Item(ScrollList)->text(0), QStringLiteral("Scroll (2)"));
    EXPECT_EQ(Item(ScanChannel, 0)->text(0), QStringLiteral("Channel 1 (1)"));
}

TEST_F(ContactViewsTest, DeleteCurrentContactDeletesAnEntryWithoutCheckingItsName)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(PublicGroup, 2));
    ReplaceText(NameEdit(), QString());
    auto* remove = Control<QToolButton>(ControlId::PublicGroupDeleteButton);
    remove->setFocus();
    Settle();
    QTest::mouseClick(remove, Qt::LeftButton);
    Settle();
    EXPECT_EQ(Names(QStringLiteral("PublicGroups")), (QStringList{"All Call", "Dispatch"}));
    EXPECT_EQ(Labels(Item(PublicGroups)), (QStringList{"All Call", "Dispatch"}));
}

TEST_F(ContactViewsTest, AChannelChangeAsksWithBothChannelsAndCancelKeepsTheOldOne)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(PublicGroup, 0));   // All Call, channel 1, in the scan list
    const QString before = m_doc->GetDataModel().GetProfileXml();

    m_script.ExpectText(LoadStr(133).replace(QStringLiteral("%d's scan list and add"), QStringLiteral("1's scan list and add"))
                            .replace(QStringLiteral("%d's scan list. Do"), QStringLiteral("3's scan list. Do")),
                        kvx::kIdCancel);
    Channel()->setCurrentIndex(2);
    Settle();
    EXPECT_EQ(Channel()->currentIndex(), 0);
    EXPECT_EQ(m_doc->GetDataModel().GetProfileXml(), before);

    m_script.Expect(133, kvx::kIdOk);
    Channel()->setCurrentIndex(2);
    Settle();
    EXPECT_EQ(Channel()->currentText(), QStringLiteral("Channel 3"));
    EXPECT_EQ(Entry(QStringLiteral("PublicGroups"), 0).GetAttributeValue(QStringLiteral("channel")).toString(),
              QStringLiteral("3"));
    EXPECT_EQ(Item(ScanChannel, 0)->text(0), QStringLiteral("Channel 1 (1)"));
    EXPECT_EQ(Item(ScanChannel, 2)->text(0), QStringLiteral("Channel 3 (1)"));
}

TEST_F(ContactViewsTest, InconsistentBanksAreReportedOnceEach)
{
    struct Case {
        int f0, l0, f1, l1;
        QList<int> messages;
    };
    for (const Case& c : {Case{1, 100, 50, 150, {266, 210}}, Case{1, 100, 100, 150, {}}, Case{200, 300, 1, 100, {210}}}) {
        SCOPED_TRACE(QStringLiteral("%1-%2 and %3-%4").arg(c.f0).arg(c.l0).arg(c.f1).arg(c.l1).toStdString());
        DocFromTemplateText(Banks(c.f0, c.l0, c.f1, c.l1));
        OpenWindow();
        for (int id : c.messages)
            m_script.Expect(id);
        ASSERT_TRUE(Select(PublicGroup, 0));
        EXPECT_TRUE(m_script.Pending().isEmpty());
        EXPECT_EQ(View()->ViewClass(), QStringLiteral("CPublicGroupView"));
        m_window.reset();
        Settle();
    }
}

TEST_F(ContactViewsTest, TheIdChoiceMarksIdsInUseButNotTheGroupsOwn)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(PublicGroup, 1));   // Dispatch: 17179869182, display number 2
    ASSERT_EQ(Id()->count(), 100);
    EXPECT_EQ(Id()->itemText(0), QStringLiteral("x  1"));
    EXPECT_EQ(Id()->itemText(1), QStringLiteral("   2"));
    EXPECT_EQ(Id()->itemText(2), QStringLiteral("x  3"));
    EXPECT_EQ(Id()->itemText(3), QStringLiteral("   4"));
    EXPECT_EQ(Id()->currentText(), QStringLiteral("   2"));

    m_script.Expect(132);
    Id()->setCurrentIndex(0);
    Settle();
    EXPECT_EQ(Id()->currentText(), QStringLiteral("   2"));

    Id()->setCurrentIndex(9);
    Settle();
    EXPECT_EQ(Entry(QStringLiteral("PublicGroups"), 1).GetAttributeValue(QStringLiteral("pid")).toString(),
              QStringLiteral("17179869174"));
    EXPECT_EQ(Id()->currentText(), QStringLiteral("   10"));
    EXPECT_EQ(Id()->itemText(1), QStringLiteral("   2"));
}

}  // namespace

namespace {

class LongNameTest : public ViewTest {};

// A radio holds names of up to 25 characters, more than may be typed: they
// are shown whole, and passing through a view or a label edit keeps them.
TEST_F(LongNameTest, NamesLongerThanMayBeTypedSurviveViewingAndLabelEditing)
{
    SimulatedDoc();
    OpenWindow();
    ASSERT_TRUE(Select(TreeNode::Private, 1));
    const QString name = Name(Entry(QStringLiteral("Privates"), 1));
    ASSERT_EQ(name.size(), 25);
    auto* edit = Control<QLineEdit>(ControlId::PrivateNameEdit);
    EXPECT_EQ(edit->text(), name);
    FocusOn(Control<QComboBox>(ControlId::PrivateChannelCombo));
    m_tree->setFocus();
    QTest::keyClick(m_tree, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), name);
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
    ASSERT_TRUE(Select(TreeNode::Privates));
    EXPECT_EQ(Name(Entry(QStringLiteral("Privates"), 1)), name);
    EXPECT_FALSE(m_doc->IsModified());
}

}  // namespace
