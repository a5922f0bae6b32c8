// The profile tree: what it shows, relabelling from the profile, and the
// repositioning of an entry when it is left.

#include "ViewTestSupport.h"

#include "ControlIds.h"
#include "ViewImages.h"

#include <QLineEdit>

namespace {

using namespace TreeNode;

class TreeTest : public ViewTest {
protected:
    static bool IsOwn(const QTreeWidgetItem* item)
    {
        return item->font(0).bold() &&
               item->icon(0).cacheKey() == ViewImages::TreeIcon(ImageOwnPrivate).cacheKey();
    }
    // Gives the messages these texts (the template holds seven).
    void SetMessages(const QStringList& texts)
    {
        CDataItem messages;
        m_doc->GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
        for (int i = 0; i < texts.size(); ++i) {
            CDataItem message;
            messages.GetChildByIndex(i, message);
            Set(message, QStringLiteral("txt"), texts[i]);
        }
    }
    QStringList MessageTexts()
    {
        QStringList texts;
        CDataItem messages;
        m_doc->GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
        for (int i = 0; i < messages.GetChildCount(); ++i) {
            CDataItem message;
            texts << messages.GetChildByIndex(i, message).GetAttributeValue(QStringLiteral("txt")).toString();
        }
        return texts;
    }
};

TEST_F(TreeTest, ShowsTheProfileAsFoldersAndEntriesAndOpensTheRadioInformation)
{
    NewDoc();
    OpenWindow();
    QTreeWidgetItem* root = m_tree->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QStringLiteral("KVX30"));
    EXPECT_EQ(Labels(root), (QStringList{"Contacts", "Settings", "Lists", "Text Messages"}));
    EXPECT_EQ(Labels(Item(Contacts)), (QStringList{"Privates", "Private Groups", "Public Groups"}));
    EXPECT_EQ(Labels(Item(PublicGroups)), (QStringList{"All Call", "Dispatch", "Maintenance"}));
    EXPECT_EQ(Labels(Item(Lists)), (QStringList{"Scroll (3)", "Scan List"}));
    EXPECT_EQ(Item(ScanList)->childCount(), 16);
    EXPECT_EQ(Item(ScanChannel, 0)->text(0), QStringLiteral("Channel 1 (2)"));
    EXPECT_EQ(Item(ScanChannel, 1)->text(0), QStringLiteral("Channel 2 (0)"));
    EXPECT_EQ(m_tree->ItemValue(Item(PublicGroup, 2)), ItemValue(PublicGroup, 2));
    EXPECT_TRUE(Item(Contacts)->isExpanded());
    EXPECT_TRUE(Item(Lists)->isExpanded());
    EXPECT_FALSE(Item(ScanList)->isExpanded());
    EXPECT_FALSE(Item(TextMessages)->isExpanded());
    EXPECT_EQ(m_tree->currentItem(), root);
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CRadioInfoView"));
    EXPECT_TRUE(m_tree->IsReady());
}

// Every node of every template and of a full radio opens without a message:
// no real profile takes the profile data error path.
TEST_F(TreeTest, EveryNodeOfEveryTemplateAndOfAFullRadioOpensQuietly)
{
    const QStringList templates = CKVXZOTDoc::TemplateNames(*CAppProfileEnvironment::Instance());
    ASSERT_EQ(templates.size(), 4);
    for (int source = 0; source <= templates.size(); ++source) {
        if (source < templates.size())
            NewDoc(templates[source]);
        else
            SimulatedDoc();
        SCOPED_TRACE(m_doc->GetTitle().toStdString());
        OpenWindow();
        int contactViews = 0;
        for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
            const quint32 value = m_tree->ItemValue(*it);
            ASSERT_TRUE(Select(KindOf(value), IndexOf(value))) << (*it)->text(0).toStdString();
            if (IsEntry(KindOf(value)) && KindOf(value) != TextMessage) {
                ASSERT_NE(View(), nullptr);
                EXPECT_EQ(View()->EntryIndex(), IndexOf(value));
                ++contactViews;
            }
        }
        EXPECT_EQ(contactViews, Folder(QStringLiteral("Privates")).GetChildCount() +
                                    Folder(QStringLiteral("PrivateGroups")).GetChildCount() +
                                    Folder(QStringLiteral("PublicGroups")).GetChildCount());
        EXPECT_TRUE(m_closeRequests.isEmpty());
        m_window.reset();
        Settle();
    }
}

TEST_F(TreeTest, FoldersTheRadioCannotHoldAreLeftOutAndTheirHintsDoNothing)
{
    DocFromTemplateText({{QStringLiteral("max_num_of_private_grps=\"30\""), QStringLiteral("max_num_of_private_grps=\"0\"")},
                         {QStringLiteral("sms_mesgs_tx_en=\"1\""), QStringLiteral("sms_mesgs_tx_en=\"0\"")},
                         {QStringLiteral("public_scan_en=\"1\""), QStringLiteral("public_scan_en=\"0\"")}});
    OpenWindow();
    EXPECT_EQ(Labels(m_tree->topLevelItem(0)), (QStringList{"Contacts", "Settings", "Lists"}));
    EXPECT_EQ(Labels(Item(Contacts)), (QStringList{"Privates", "Public Groups"}));
    EXPECT_EQ(Labels(Item(Lists)), (QStringList{"Scroll (3)"}));
    m_pane->UpdateAllViews(nullptr, MakeUpdateHint(HintAction::Add, PrivateGroups));
    m_pane->UpdateAllViews(nullptr, MakeUpdateHint(HintAction::Add, TextMessages));
    m_pane->UpdateAllViews(nullptr, MakeUpdateHint(HintAction::Refresh, ScanChannel, 0));
    EXPECT_EQ(Folder(QStringLiteral("PrivateGroups")).GetChildCount(), 0);
    EXPECT_FALSE(m_doc->IsModified());
}

TEST_F(TreeTest, MessageLabelsKeepTwentyCharactersAndMarkTheCut)
{
    EXPECT_EQ(CKVXZOTTreeView::MessageLabel(QStringLiteral("12345678901234567890")), QStringLiteral("12345678901234567890"));
    EXPECT_EQ(CKVXZOTTreeView::MessageLabel(QStringLiteral("123456789012345678901")),
              QStringLiteral("12345678901234567890..."));
    NewDoc();
    SetMessages({QStringLiteral("A message of 21 chars"), QStringLiteral("Twenty characters ok")});
    OpenWindow();
    EXPECT_EQ(Item(TextMessage, 0)->text(0), QStringLiteral("A message of 21 char..."));
    EXPECT_EQ(Item(TextMessage, 1)->text(0), QStringLiteral("Twenty characters ok"));
}

TEST_F(TreeTest, TheRadiosOwnPrivateIsBoldWithItsImageUntilItsIdChanges)
{
    SimulatedDoc();
    OpenWindow();
    const QString unitId = m_doc->GetUnitId();
    int own = -1;
    for (int i = 0; i < Item(Privates)->childCount() && own < 0; ++i) {
        if (Entry(QStringLiteral("Privates"), i).GetAttributeValue(QStringLiteral("pid")).toString() == unitId)
            own = i;
    }
    ASSERT_GE(own, 0);
    EXPECT_TRUE(IsOwn(Item(Private, own)));
    EXPECT_FALSE(IsOwn(Item(Private, own == 0 ? 1 : 0)));

    // Relabelling keeps it; a new ID takes it away.
    m_pane->UpdateAllViews(nullptr, MakeUpdateHint(HintAction::Refresh, Private));
    EXPECT_TRUE(IsOwn(Item(Private, own)));
    CDataItem entry = Entry(QStringLiteral("Privates"), own);
    Set(entry, QStringLiteral("pid"), QStringLiteral("10009999"));
    m_pane->UpdateAllViews(nullptr, MakeUpdateHint(HintAction::Refresh, Private));
    EXPECT_FALSE(Item(Private, own)->font(0).bold());
    EXPECT_EQ(Item(Private, own)->icon(0).cacheKey(), ViewImages::TreeIcon(ImagePrivate).cacheKey());
}

// Adam, Bob and Zed: an entry renamed keeps its place until it is left; then
// it moves, and the entry being entered stays selected where it went.
TEST_F(TreeTest, AnEntryLeftMovesToItsSortedPlaceAndTheEnteredEntryStaysSelected)
{
    NewDoc();
    for (const char* name : {"Adam", "Bob", "Zed"})
        Add(QStringLiteral("Privates"), QString::fromLatin1(name));
    OpenWindow();

    ASSERT_TRUE(Select(Private, 2));
    ReplaceText(Control<QLineEdit>(ControlId::PrivateNameEdit), QStringLiteral("Zack"));
    Click(Item(Private, 0));
    EXPECT_EQ(Names(QStringLiteral("Privates")), (QStringList{"Adam", "Bob", "Zack"}));
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(Private, 0));
    EXPECT_EQ(m_tree->currentItem()->text(0), QStringLiteral("Adam"));

    ReplaceText(Control<QLineEdit>(ControlId::PrivateNameEdit), QStringLiteral("Zoe"));
    Click(Item(Private, 1));   // Bob
    EXPECT_EQ(Names(QStringLiteral("Privates")), (QStringList{"Bob", "Zack", "Zoe"}));
    EXPECT_EQ(Labels(Item(Privates)), (QStringList{"Bob", "Zack", "Zoe"}));
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(Private, 0));
    EXPECT_EQ(m_tree->currentItem()->text(0), QStringLiteral("Bob"));
    EXPECT_EQ(View()->EntryIndex(), 0);

    // Left for another folder: the folder is relabelled all the same.
    ReplaceText(Control<QLineEdit>(ControlId::PrivateNameEdit), QStringLiteral("Zz"));
    Click(Item(PublicGroups));
    EXPECT_EQ(Labels(Item(Privates)), (QStringList{"Zack", "Zoe", "Zz"}));
    EXPECT_EQ(m_tree->ItemValue(Item(Privates)->child(2)), ItemValue(Private, 2));
}

TEST_F(TreeTest, RepositioningUsesTheNameCollation)
{
    NewDoc();
    SetMessages({"alpha", "beta", "delta", "echo", "foxtrot", "golf", "hotel"});
    OpenWindow();
    CDataItem messages;
    m_doc->GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
    ASSERT_TRUE(Select(TextMessage, 0));
    CDataItem first;
    messages.GetChildByIndex(0, first);
    Set(first, QStringLiteral("txt"), QStringLiteral("Echo"));   // equal to "echo": keeps its place before it
    Click(Item(TextMessage, 1));
    EXPECT_EQ(MessageTexts(), (QStringList{"beta", "delta", "Echo", "echo", "foxtrot", "golf", "hotel"}));
    EXPECT_EQ(m_tree->currentItem()->text(0), QStringLiteral("beta"));
    EXPECT_EQ(m_tree->ItemValue(), ItemValue(TextMessage, 0));

    CDataItem beta;
    messages.GetChildByIndex(0, beta);
    Set(beta, QStringLiteral("txt"), QString::fromUtf8("\xC3\x89paule"));   // an accented E sorts with E
    Click(Item(TextMessages));
    EXPECT_EQ(MessageTexts(), (QStringList{"delta", "Echo", "echo", QString::fromUtf8("\xC3\x89paule"), "foxtrot", "golf", "hotel"}));
    EXPECT_EQ(Labels(Item(TextMessages)), MessageTexts());
}

}  // namespace
