// The private view: the ID field's keystroke rules and commit, the over-the-
// air read, the channel change with its cascade, home groups, and the
// scanner flow.

#include "ViewTestSupport.h"

#include "ControlIds.h"
#include "PrivateView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace TreeNode;

class PrivateViewTest : public ViewTest {
protected:
    QLineEdit* IdEdit() const { return Control<QLineEdit>(ControlId::PrivateIdEdit); }
    QLineEdit* NameEdit() const { return Control<QLineEdit>(ControlId::PrivateNameEdit); }
    QComboBox* Channel() const { return Control<QComboBox>(ControlId::PrivateChannelCombo); }
    QComboBox* HomeGroup() const { return Control<QComboBox>(ControlId::PrivateHomeGroupCombo); }
    static QStringList Texts(const QComboBox* combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }
    // Scans an ID as a bar-code scanner types it: digits, then Enter.
    void Scan(const QString& id)
    {
        QWidget* field = QApplication::focusWidget();
        ASSERT_EQ(field, IdEdit());
        QTest::keyClicks(field, id);
        QTest::keyClick(field, Qt::Key_Return);
        Settle();
    }
};

TEST_F(PrivateViewTest, TheIdFieldTakesDigitsUpToTheLastIdOfTheRadio)
{
    DocFromTemplateText({{QStringLiteral("valid_PID_start=\"10000001\""), QStringLiteral("valid_PID_start=\"1\"")},
                         {QStringLiteral("valid_PID_end=\"17179867883\""), QStringLiteral("valid_PID_end=\"500\"")}});
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    QLineEdit* id = IdEdit();
    EXPECT_EQ(id->maxLength(), 3);
    ReplaceText(id, QStringLiteral("0"));
    EXPECT_EQ(id->text(), QString());
    QTest::keyClicks(id, QStringLiteral("1a2"));
    EXPECT_EQ(id->text(), QStringLiteral("12"));
    ReplaceText(id, QStringLiteral("50"));
    QTest::keyClick(id, Qt::Key_1);
    EXPECT_EQ(id->text(), QStringLiteral("50"));
    EXPECT_EQ(id->cursorPosition(), 2);
    QTest::keyClick(id, Qt::Key_Home);
    QTest::keyClick(id, Qt::Key_0);   // a leading zero
    EXPECT_EQ(id->text(), QStringLiteral("50"));
    EXPECT_EQ(id->cursorPosition(), 0);
    QTest::keyClick(id, Qt::Key_End);
    QTest::keyClick(id, Qt::Key_0);
    EXPECT_EQ(id->text(), QStringLiteral("500"));   // the last ID itself
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(PrivateViewTest, LimitsWithTheLastIdBelowTheFirstCloseTheProfile)
{
    DocFromTemplateText({{QStringLiteral("valid_PID_start=\"10000001\""), QStringLiteral("valid_PID_start=\"500\"")},
                         {QStringLiteral("valid_PID_end=\"17179867883\""), QStringLiteral("valid_PID_end=\"1\"")}});
    // The rules give new privates IDs from the first ID on; the limits are read only by the view.
    CDataItem adam = Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    kvx::xml::XmlNode node = adam.GetNode();
    node.SetAttribute(QStringLiteral("pid"), QStringLiteral("7"));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    m_script.Expect(10113);
    Type(IdEdit(), QStringLiteral("8"));
    Settle();
    EXPECT_EQ(m_closeRequests, QList<bool>{true});
    EXPECT_TRUE(m_pane->IsClosing());
    EXPECT_FALSE(m_pane->CommitPendingEdits());
}

TEST_F(PrivateViewTest, LeavingWithAnEmptyIdListsOnlyTheIdAndCancelReturnsToIt)
{
    NewDoc();
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    ReplaceText(IdEdit(), QString());
    m_script.Expect(10161, kvx::kIdCancel);
    Click(Item(Privates));
    EXPECT_EQ(m_script.Shown().last(), LoadStr(10161).replace(QStringLiteral("%s"), LoadStr(10163)));
    EXPECT_TRUE(IdEdit()->hasFocus());
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(Private, 0));

    // A refused ID: the rules' message, the focus stays.
    Add(QStringLiteral("Privates"), QStringLiteral("Bob"));
    const QString bobsId = Entry(QStringLiteral("Privates"), 1).GetAttributeValue(QStringLiteral("pid")).toString();
    ReplaceText(IdEdit(), bobsId);
    m_script.Expect(132);
    FocusOn(Channel());
    EXPECT_TRUE(IdEdit()->hasFocus());
    ReplaceText(IdEdit(), QStringLiteral("10000500"));
    FocusOn(Channel());
    EXPECT_EQ(Entry(QStringLiteral("Privates"), 0).GetAttributeValue(QStringLiteral("pid")).toString(),
              QStringLiteral("10000500"));
}

TEST_F(PrivateViewTest, TheOverTheAirReadFillsTheIdField)
{
    NewDoc();
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    OpenWindow();
    std::optional<QString> answer = QStringLiteral("10000777");
    int reads = 0;
    m_pane->readPrivateIdOverAir = [&](QWidget*) {
        ++reads;
        return answer;
    };
    ASSERT_TRUE(Select(Private, 0));
    auto* read = Control<QPushButton>(ControlId::PrivateReadIdButton);
    ASSERT_FALSE(read->isHidden());
    QTest::mouseClick(read, Qt::LeftButton);
    Settle();
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(IdEdit()->text(), QStringLiteral("10000777"));
    EXPECT_TRUE(IdEdit()->hasFocus());
    FocusOn(Channel());
    EXPECT_EQ(Entry(QStringLiteral("Privates"), 0).GetAttributeValue(QStringLiteral("pid")).toString(),
              QStringLiteral("10000777"));

    answer.reset();
    QTest::mouseClick(read, Qt::LeftButton);
    Settle();
    EXPECT_EQ(IdEdit()->text(), QStringLiteral("10000777"));
    EXPECT_TRUE(IdEdit()->hasFocus());
}

TEST_F(PrivateViewTest, GroupOnlyIsStoredWhetherClickedOrToggledByAScreenReader)
{
    NewDoc();
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    auto* box = Control<QCheckBox>(ControlId::PrivateGroupOnlyCheck);
    ASSERT_NE(box, nullptr);
    const auto stored = [this] {
        return Entry(QStringLiteral("Privates"), 0).GetAttributeValue(QStringLiteral("show_grp_only")).toBool();
    };
    ASSERT_FALSE(stored());
    Toggle(box);
    Settle();
    EXPECT_TRUE(stored());
    EXPECT_TRUE(box->isChecked());
    box->click();
    Settle();
    EXPECT_FALSE(stored());
    EXPECT_FALSE(box->isChecked());
}

TEST_F(PrivateViewTest, AChannelChangeTakesThePrivateOutOfItsGroupsAndClearsItsHomeGroup)
{
    NewDoc();
    CDataItem adam = Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    Add(QStringLiteral("Privates"), QStringLiteral("Bob"));
    CDataItem solo = Add(QStringLiteral("PrivateGroups"), QStringLiteral("Solo"));
    Join(adam, solo);
    Set(adam, QStringLiteral("home_grp"), solo.GetAttributeValue(QStringLiteral("pid")));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    // Home groups of the private's channel only: Solo and the public groups of channel 1.
    EXPECT_EQ(Texts(HomeGroup()), (QStringList{"None", "Solo", "All Call", "Dispatch"}));
    EXPECT_EQ(HomeGroup()->currentText(), QStringLiteral("Solo"));

    m_script.Expect(137, kvx::kIdCancel);
    Channel()->setCurrentIndex(1);
    Settle();
    EXPECT_EQ(Channel()->currentIndex(), 0);
    EXPECT_EQ(Labels(Item(PrivateGroups)), QStringList{"Solo"});

    m_script.Expect(137, kvx::kIdOk);
    Channel()->setCurrentIndex(1);
    Settle();
    EXPECT_EQ(Channel()->currentText(), QStringLiteral("Channel 2"));
    EXPECT_EQ(Labels(Item(PrivateGroups)), QStringList());
    EXPECT_EQ(Names(QStringLiteral("PrivateGroups")), QStringList());
    EXPECT_EQ(Texts(HomeGroup()), (QStringList{"None", "Maintenance"}));
    EXPECT_EQ(HomeGroup()->currentText(), QStringLiteral("None"));

    HomeGroup()->setCurrentIndex(1);
    Settle();
    EXPECT_EQ(Entry(QStringLiteral("Privates"), 0).GetAttributeValue(QStringLiteral("home_grp")).toString(),
              QStringLiteral("17179869181"));
}

TEST_F(PrivateViewTest, ScannedIdsAddPrivatesUntilOneIsRefused)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(m_tree->CanScanAdd());
    m_tree->setFocus();
    QTest::keyClick(m_tree, Qt::Key_T, Qt::ControlModifier);
    Settle();
    ASSERT_EQ(View()->ViewClass(), QStringLiteral("CPrivateView"));
    EXPECT_EQ(View()->Title()->text(), QStringLiteral("Private (add with scanner)"));
    EXPECT_TRUE(static_cast<CPrivateView*>(View())->IsScanning());

    Scan(QStringLiteral("10000101"));
    Scan(QStringLiteral("10000102"));
    Scan(QStringLiteral("10000103"));
    // Three scanned, the fourth private waits for its ID.
    ASSERT_EQ(Folder(QStringLiteral("Privates")).GetChildCount(), 4);
    QStringList ids;
    for (int i = 0; i < 4; ++i)
        ids << Entry(QStringLiteral("Privates"), i).GetAttributeValue(QStringLiteral("pid")).toString();
    EXPECT_TRUE(ids.contains(QStringLiteral("10000101")));
    EXPECT_TRUE(ids.contains(QStringLiteral("10000102")));
    EXPECT_TRUE(ids.contains(QStringLiteral("10000103")));

    m_script.Expect(132);
    Scan(QStringLiteral("10000102"));
    EXPECT_EQ(Folder(QStringLiteral("Privates")).GetChildCount(), 4);
    EXPECT_TRUE(IdEdit()->hasFocus());
    EXPECT_TRUE(static_cast<CPrivateView*>(View())->IsScanning());

    // The next Enter tries again.
    QTest::keyClick(IdEdit(), Qt::Key_A, Qt::ControlModifier);
    Scan(QStringLiteral("10000104"));
    EXPECT_EQ(Folder(QStringLiteral("Privates")).GetChildCount(), 5);
}

TEST_F(PrivateViewTest, ScanningStopsWhenTheRadioIsFull)
{
    DocFromTemplateText({{QStringLiteral("max_num_of_contacts=\"150\""), QStringLiteral("max_num_of_contacts=\"5\"")}});
    OpenWindow();
    m_tree->setFocus();
    m_tree->OnScanAdd();
    Settle();
    Scan(QStringLiteral("10000101"));   // three public groups and two privates fill five places
    ASSERT_EQ(Folder(QStringLiteral("Privates")).GetChildCount(), 2);
    Scan(QStringLiteral("10000102"));
    EXPECT_EQ(Folder(QStringLiteral("Privates")).GetChildCount(), 2);
    EXPECT_FALSE(static_cast<CPrivateView*>(View())->IsScanning());
    EXPECT_FALSE(m_tree->CanScanAdd());
}

}  // namespace
