// Changes carried out by the rule script: hook dispatch through the schema,
// by-reference answers, and the entries the OnAddNew hooks create.

#include "ModelTestSupport.h"

namespace {

class HookTest : public ModelTest {
protected:
    void Load(const QString& name)
    {
        m_model = NewModel();
        ASSERT_TRUE(m_model->LoadProfile(TemplatePath(name), true));
    }
    CDataItem Path(const QStringList& names)
    {
        CDataItem item = m_model->GetRootItem();
        for (const QString& name : names) {
            CDataItem child;
            item.GetChildByName(name, child);
            item = child;
        }
        return item;
    }
    CDataItem Folder(const QString& name) { return Path({QStringLiteral("Contacts"), name}); }

    // The edited profile must load again, validated, as a new profile.
    void ExpectReloads()
    {
        auto again = NewModel();
        QString trace;
        EXPECT_EQ(CodeOf([&] { again->LoadProfile(m_model->GetProfileXml(), false); }, &trace), 0) << trace.toStdString();
    }

    std::unique_ptr<CRadioDataModel> m_model;
};

TEST_F(HookTest, HooksAreFoundInTheDeclarations)
{
    Load(QStringLiteral("KVX30"));
    const CDataItem groups = Folder(QStringLiteral("PublicGroups"));
    QString function;
    EXPECT_TRUE(groups.GetScriptHandler(groups.GetNode(), QStringLiteral("OnAddNew"), function));
    EXPECT_EQ(function, QStringLiteral("AddPublicGroup"));
    EXPECT_TRUE(groups.GetScriptHandler(groups.GetNode(), QStringLiteral("IsEnabled"), function));
    EXPECT_EQ(function, QStringLiteral("IsFolderEnabled"));

    CDataItem group;
    groups.GetChildByIndex(0, group);
    EXPECT_TRUE(group.GetScriptHandler(group.GetNode().GetAttributeNode(QStringLiteral("name")), QStringLiteral("SetVal"), function));
    EXPECT_EQ(function, QStringLiteral("SetContactName"));
    EXPECT_FALSE(group.GetScriptHandler(group.GetNode().GetAttributeNode(QStringLiteral("cntct_type")), QStringLiteral("SetVal"), function));
}

TEST_F(HookTest, AddedEntriesAreValidAndUnique)
{
    Load(QStringLiteral("KVX30"));
    CDataItem privates = Folder(QStringLiteral("Privates"));
    ASSERT_TRUE(privates.CanAddChild());
    CDataItem first, second;
    ASSERT_NE(privates.AddNewPriGrpPrivate(first, QStringLiteral("Private")), nullptr);
    ASSERT_NE(privates.AddNewPriGrpPrivate(second, QStringLiteral("Private")), nullptr);
    EXPECT_EQ(first.GetAttributeValue(QStringLiteral("name")), QVariant(QStringLiteral("Private")));
    EXPECT_EQ(second.GetAttributeValue(QStringLiteral("name")), QVariant(QStringLiteral("Private 2")));
    EXPECT_EQ(first.GetAttributeValue(QStringLiteral("pid")), QVariant(QStringLiteral("10000001")));
    EXPECT_EQ(second.GetAttributeValue(QStringLiteral("pid")), QVariant(QStringLiteral("10000002")));
    EXPECT_EQ(privates.GetChildCount(), 2);

    CDataItem group, publicGroup, message, member, listed;
    ASSERT_NE(Folder(QStringLiteral("PrivateGroups")).AddNewPriGrpPrivate(group, QStringLiteral("Group")), nullptr);
    EXPECT_EQ(group.GetAttributeValue(QStringLiteral("pid")), QVariant(QStringLiteral("10000003")));
    ASSERT_NE(Folder(QStringLiteral("PublicGroups")).AddNewChild(publicGroup), nullptr);
    // The template uses the top three IDs of the first block.
    EXPECT_EQ(publicGroup.GetAttributeValue(QStringLiteral("pid")), QVariant(QStringLiteral("17179869180")));
    ASSERT_NE(Path({QStringLiteral("TextMessages")}).AddNewChild(message), nullptr);
    EXPECT_EQ(message.GetAttributeValue(QStringLiteral("txt")), QVariant(QString()));

    CDataItem parents;
    first.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
    ASSERT_NE(parents.AddNewChild(member), nullptr);
    qint32 r1 = 0, r2 = 0;
    EXPECT_EQ(member.SetAttributeValue(QStringLiteral("pid"), group.GetAttributeValue(QStringLiteral("pid")), r1, 0, r2), 0);
    CDataItem scrollList;
    first.GetChildByName(QStringLiteral("scrolllist"), scrollList);
    ASSERT_NE(scrollList.AddNewPriScrList(listed, QStringLiteral("All Call")), nullptr);
    EXPECT_EQ(listed.GetAttributeValue(QStringLiteral("name")), QVariant(QStringLiteral("All Call")));
    ASSERT_NE(scrollList.AddNewPriScrList(listed, QStringLiteral("All Call")), nullptr);
    EXPECT_EQ(scrollList.GetChildCount(), 1);   // listed once

    ExpectReloads();
}

TEST_F(HookTest, CapacitiesLimitAdding)
{
    Load(QStringLiteral("KVX10"));   // 10 messages and 10 public groups at most; 3 and 1 in the template
    CDataItem messages = Path({QStringLiteral("TextMessages")});
    CDataItem added;
    for (int i = 3; i < 10; ++i) {
        ASSERT_TRUE(messages.CanAddChild()) << i;
        ASSERT_NE(messages.AddNewChild(added), nullptr);
        qint32 r1 = 0, r2 = 0;
        ASSERT_EQ(added.SetAttributeValue(QStringLiteral("txt"), QStringLiteral("Message %1").arg(i), r1, 0, r2), 0);
    }
    EXPECT_FALSE(messages.CanAddChild());

    CDataItem groups = Folder(QStringLiteral("PublicGroups"));
    for (int i = 1; i < 10; ++i)
        ASSERT_NE(groups.AddNewChild(added), nullptr) << i;
    EXPECT_FALSE(groups.CanAddChild());
    EXPECT_EQ(added.GetAttributeValue(QStringLiteral("name")), QVariant(QStringLiteral("Public Group 9")));

    CDataItem parents, entry;
    Folder(QStringLiteral("Privates")).AddNewPriGrpPrivate(added, QStringLiteral("Private"));
    added.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
    for (int i = 0; i < 5; ++i)
        ASSERT_NE(parents.AddNewChild(entry), nullptr);
    EXPECT_FALSE(parents.CanAddChild());
}

TEST_F(HookTest, SetValAnswersThroughReferences)
{
    Load(QStringLiteral("KVX30"));
    CDataItem privateItem, message;
    Folder(QStringLiteral("Privates")).AddNewPriGrpPrivate(privateItem, QStringLiteral("Private"));

    qint32 r1 = -1, r2 = -1;
    EXPECT_EQ(privateItem.SetAttributeValue(QStringLiteral("name"), QStringLiteral("all call"), r1, 0, r2), 1);
    EXPECT_EQ(r1, 127);
    EXPECT_EQ(r2, 48);   // OK with the exclamation icon
    EXPECT_EQ(privateItem.GetNode().GetAttribute(QStringLiteral("name")), QStringLiteral("Private"));   // the script decides
    EXPECT_EQ(privateItem.SetAttributeValue(QStringLiteral("name"), QString(21, QLatin1Char('n')), r1, 0, r2), 1);
    EXPECT_EQ(r1, 165);
    EXPECT_EQ(privateItem.SetAttributeValue(QStringLiteral("name"), QStringLiteral("\u0141ukasz"), r1, 0, r2), 1);
    EXPECT_EQ(r1, 218);
    EXPECT_EQ(privateItem.SetAttributeValue(QStringLiteral("pid"), QStringLiteral("17179869183"), r1, 0, r2), 1);
    EXPECT_EQ(r1, 132);

    EXPECT_EQ(privateItem.SetAttributeValue(QStringLiteral("name"), QStringLiteral("Zo\u00EB"), r1, 0, r2), 0);
    EXPECT_EQ(r1, 0);   // reset, not left from the refusal
    EXPECT_EQ(r2, 0);
    EXPECT_EQ(privateItem.GetNode().GetAttribute(QStringLiteral("name")), QStringLiteral("Zo\u00EB"));

    ASSERT_NE(Path({QStringLiteral("TextMessages")}).AddNewChild(message), nullptr);
    EXPECT_EQ(message.SetAttributeValue(QStringLiteral("txt"), QString(81, QLatin1Char('m')), r1, 0, r2), 1);
    EXPECT_EQ(r1, 201);
    ExpectReloads();
}

TEST_F(HookTest, DeletingAsksFirstAndKeepsReferencesConsistent)
{
    Load(QStringLiteral("KVX30"));
    CDataItem privates = Folder(QStringLiteral("Privates"));
    CDataItem groups = Folder(QStringLiteral("PrivateGroups"));
    CDataItem member, group, parents, entry, scrollList, listed;
    privates.AddNewPriGrpPrivate(member, QStringLiteral("Ann"));
    groups.AddNewPriGrpPrivate(group, QStringLiteral("Crew"));
    qint32 r1 = 0, r2 = 0;
    member.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
    parents.AddNewChild(entry);
    entry.SetAttributeValue(QStringLiteral("pid"), group.GetAttributeValue(QStringLiteral("pid")), r1, 0, r2);
    member.SetAttributeValue(QStringLiteral("home_grp"), group.GetAttributeValue(QStringLiteral("pid")), r1, 0, r2);
    member.GetChildByName(QStringLiteral("scrolllist"), scrollList);
    scrollList.AddNewPriScrList(listed, QStringLiteral("Crew"));

    // Renaming the group renames its scroll-list entries.
    EXPECT_EQ(group.SetAttributeValue(QStringLiteral("name"), QStringLiteral("Team"), r1, 0, r2), 0);
    EXPECT_EQ(listed.GetNode().GetAttribute(QStringLiteral("name")), QStringLiteral("Team"));
    // A new group ID follows into the memberships and home groups.
    EXPECT_EQ(group.SetAttributeValue(QStringLiteral("pid"), QStringLiteral("10000077"), r1, 0, r2), 0);
    EXPECT_EQ(entry.GetNode().GetAttribute(QStringLiteral("pid")), QStringLiteral("10000077"));
    EXPECT_EQ(member.GetNode().GetAttribute(QStringLiteral("home_grp")), QStringLiteral("10000077"));

    // Unconfirmed: the rules ask and nothing changes.
    EXPECT_EQ(privates.RemoveChildByIndex(0, r1, 0, r2), 2);
    EXPECT_EQ(r1, 142);
    EXPECT_EQ(r2, 33);   // OK/Cancel with the question icon
    EXPECT_EQ(privates.GetChildCount(), 1);
    // Confirmed: the private goes, and the group it alone belonged to with it.
    EXPECT_EQ(privates.RemoveChildByIndex(0, r1, 1, r2), 0);
    EXPECT_EQ(privates.GetChildCount(), 0);
    EXPECT_EQ(groups.GetChildCount(), 0);
    ExpectReloads();
}

TEST_F(HookTest, AHookTheScriptLacksFailsWith106)
{
    const QString install = CopyInstallation();
    const QString schemaPath = install + QStringLiteral("/ProfileTemplate/DataProfile.xsd");
    QString schema = ReadTextFile(schemaPath).text;
    schema.replace(QStringLiteral("CanAddChild=\"CanAddTextMessage\""), QStringLiteral("CanAddChild=\"NoSuchRule\""));
    WriteBytes(schemaPath, schema.toUtf8());
    auto model = NewModel();
    ASSERT_TRUE(model->LoadProfile(TemplatePath(QStringLiteral("KVX30")), true));
    CDataItem messages;
    model->GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
    QString trace;
    EXPECT_EQ(CodeOf([&] { messages.CanAddChild(); }, &trace), 106);
    EXPECT_TRUE(trace.contains(QStringLiteral("Invoke script function failed\nfunction name=CanAddChild,Node=TextMessages")))
        << trace.toStdString();
}

TEST_F(HookTest, AScriptThatDoesNotParseStopsTheLoadWith101)
{
    const QString install = CopyInstallation();
    WriteBytes(install + QStringLiteral("/ProfileTemplate/DataProfile.vbs"), QByteArray("Option Explicit\nFunction Broken(\n"));
    auto model = NewModel();
    QString trace;
    EXPECT_EQ(CodeOf([&] { model->LoadProfile(TemplatePath(QStringLiteral("KVX30")), true); }, &trace), 101);
    EXPECT_TRUE(trace.contains(QStringLiteral("ParseScriptText failed"))) << trace.toStdString();
    EXPECT_EQ(m_scriptErrors.size(), 1);
}

}  // namespace
