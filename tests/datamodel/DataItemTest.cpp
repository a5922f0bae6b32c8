// CDataItem: navigation, typed reading through the schema, plain writes and
// the queries the views ask.

#include "ModelTestSupport.h"

namespace {

class DataItemTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        m_model = NewModel();
        ASSERT_TRUE(m_model->LoadProfile(TemplatePath(QStringLiteral("KVX35")), true));
    }
    CDataItem Child(const CDataItem& parent, const QString& name)
    {
        CDataItem child;
        parent.GetChildByName(name, child);
        return child;
    }
    CDataItem Root() { return m_model->GetRootItem(); }

    std::unique_ptr<CRadioDataModel> m_model;
};

TEST_F(DataItemTest, AttributesAreTypedByTheirDeclaration)
{
    const CDataItem limit = Child(Root(), QStringLiteral("limit"));
    const QVariant channels = limit.GetAttributeValue(QStringLiteral("max_num_of_channels"));   // u8 from xs:long
    EXPECT_EQ(channels.typeId(), QMetaType::Int);
    EXPECT_EQ(channels.toInt(), 30);
    const QVariant scan = limit.GetAttributeValue(QStringLiteral("public_scan_en"));   // flag from xs:boolean
    EXPECT_EQ(scan.typeId(), QMetaType::Bool);
    EXPECT_TRUE(scan.toBool());
    const QVariant start = limit.GetAttributeValue(QStringLiteral("valid_PID_end"));   // ID: text
    EXPECT_EQ(start.typeId(), QMetaType::QString);
    EXPECT_EQ(start.toString(), QStringLiteral("17179867883"));

    const CDataItem setting = Child(Root(), QStringLiteral("setting"));
    const QVariant backlight = setting.GetAttributeValue(QStringLiteral("backlight"));   // u32 from xs:unsignedLong
    EXPECT_EQ(backlight.typeId(), QMetaType::UInt);
    EXPECT_EQ(backlight.toUInt(), 10000u);
    EXPECT_EQ(setting.GetAttributeValue(QStringLiteral("password")).typeId(), QMetaType::QString);

    // Values beyond the schema (the views write without validation) still
    // convert when they fit the type, and fail with 106 when they do not.
    setting.GetNode().OwnerDocument().SelectSingleNode(QStringLiteral("//dfns:setting")).SetAttribute(QStringLiteral("backlight"),
                                                                                                      QStringLiteral("4294967295"));
    EXPECT_EQ(setting.GetAttributeValue(QStringLiteral("backlight")).toUInt(), 4294967295u);
    kvx::xml::XmlNode node = setting.GetNode();
    node.SetAttribute(QStringLiteral("contrast"), QStringLiteral("high"));
    QString trace;
    EXPECT_EQ(CodeOf([&] { setting.GetAttributeValue(QStringLiteral("contrast")); }, &trace), 106);
    EXPECT_TRUE(trace.contains(QStringLiteral("ErrorMsg: "))) << trace.toStdString();
}

TEST_F(DataItemTest, MissingNodesRaise107And108)
{
    CDataItem out;
    QString trace;
    EXPECT_EQ(CodeOf([&] { Root().GetChildByName(QStringLiteral("Nothing"), out); }, &trace), 107);
    EXPECT_TRUE(trace.contains(QStringLiteral("Name='Nothing'")));
    const CDataItem limit = Child(Root(), QStringLiteral("limit"));
    EXPECT_EQ(CodeOf([&] { limit.GetAttributeValue(QStringLiteral("colour")); }, &trace), 108);
    EXPECT_TRUE(trace.contains(QStringLiteral("Name='colour'")));

    CDataItem messages = Child(Root(), QStringLiteral("TextMessages"));
    qint32 r1 = -1, r2 = -1;
    const int count = messages.GetChildCount();
    EXPECT_EQ(CodeOf([&] { messages.RemoveChildByIndex(count, r1, 0, r2); }, &trace), 108);
    EXPECT_TRUE(trace.contains(QStringLiteral("Index='%1'").arg(count)));
    EXPECT_TRUE(messages.GetChildByIndex(count, out).IsEmpty());
    EXPECT_EQ(messages.RemoveChildByIndex(count - 1, r1, 0, r2), 0);   // no hook: just removed
    EXPECT_EQ(messages.GetChildCount(), count - 1);
}

TEST_F(DataItemTest, WritesWithoutHookStoreText)
{
    CDataItem setting = Child(Root(), QStringLiteral("setting"));
    qint32 r1 = 5, r2 = 5;
    EXPECT_EQ(setting.SetAttributeValue(QStringLiteral("scan_en"), true, r1, 0, r2), 0);
    EXPECT_EQ(r1, 0);
    EXPECT_EQ(r2, 0);
    EXPECT_EQ(setting.GetNode().GetAttribute(QStringLiteral("scan_en")), QStringLiteral("1"));
    EXPECT_EQ(setting.SetAttributeValue(QStringLiteral("scan_en"), false, r1, 0, r2), 0);
    EXPECT_EQ(setting.GetNode().GetAttribute(QStringLiteral("scan_en")), QStringLiteral("0"));
    EXPECT_EQ(setting.SetAttributeValue(QStringLiteral("tot_timer"), 120, r1, 0, r2), 0);
    EXPECT_EQ(setting.GetAttributeValue(QStringLiteral("tot_timer")), QVariant(120));
    EXPECT_EQ(CodeOf([&] { setting.SetAttributeValue(QStringLiteral("volume"), 1, r1, 0, r2); }), 108);

    // No hooks bound: nothing may be added, everything is enabled.
    EXPECT_FALSE(setting.CanAddChild());
    CDataItem out;
    EXPECT_EQ(setting.AddNewChild(out), nullptr);
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_TRUE(setting.IsEnabled());
}

TEST_F(DataItemTest, QueriesOverTheProfile)
{
    const CDataItem root = Root();
    // KVX35: four public groups on the scroll list, two of them scanned on channel 1.
    EXPECT_EQ(root.GetScrollListCount(), 4);
    EXPECT_EQ(root.GetScanListCount(1), 2);
    EXPECT_EQ(root.GetScanListCount(3), 0);

    EXPECT_EQ(root.GetContactNameByID(QString()), QString());
    EXPECT_EQ(root.GetContactNameByID(QStringLiteral("17179869083")), QStringLiteral("Fleet North"));
    EXPECT_EQ(CodeOf([&] { root.GetContactNameByID(QStringLiteral("12345")); }), 106);
    // A quote in an ID cannot break the query.
    EXPECT_EQ(CodeOf([&] { root.GetContactNameByID(QStringLiteral("1' or '1'='1")); }), 106);

    CDataItem contact;
    EXPECT_EQ(root.GetContactByID(QString(), contact), nullptr);
    ASSERT_NE(root.GetContactByID(QStringLiteral("17179869182"), contact), nullptr);
    EXPECT_EQ(contact.GetNode().GetAttribute(QStringLiteral("name")), QStringLiteral("Dispatch"));
    EXPECT_TRUE(root.GetContactByID(QStringLiteral("1"), contact)->IsEmpty());

    // Members are found through their ParentPrivateGroup entries.
    auto model = NewModel();
    QString text = TemplateText(QStringLiteral("KVX30"));
    text.replace(QStringLiteral("<PrivateGroups></PrivateGroups><Privates></Privates>"),
                 QStringLiteral("<PrivateGroups><PrivateGroup cntct_type=\"1\" name=\"Crew\" pid=\"10000050\" channel=\"1\" in_scroll_list=\"1\"/>"
                                "</PrivateGroups><Privates>"
                                "<Private cntct_type=\"0\" name=\"Ann\" pid=\"10000001\" channel=\"1\" in_scroll_list=\"1\" alert_tone=\"1\" home_grp=\"\" "
                                "show_grp_only=\"0\" id_in_use=\"1\" see_all_groups=\"1\" mngr_mode=\"0\" private_scroll_list=\"0\">"
                                "<ParentPrivateGroups><ParentPrivateGroup pid=\"10000050\"/></ParentPrivateGroups><scrolllist/></Private>"
                                "<Private cntct_type=\"0\" name=\"Bob\" pid=\"10000002\" channel=\"1\" in_scroll_list=\"1\" alert_tone=\"1\" home_grp=\"\" "
                                "show_grp_only=\"0\" id_in_use=\"1\" see_all_groups=\"1\" mngr_mode=\"0\" private_scroll_list=\"0\">"
                                "<ParentPrivateGroups/><scrolllist/></Private></Privates>"));
    ASSERT_TRUE(model->LoadProfile(text, false));
    QStringList ids{QStringLiteral("stale")}, names;
    model->GetRootItem().GetGroupMemeber(QStringLiteral("10000050"), ids, names);
    EXPECT_EQ(ids, QStringList{QStringLiteral("10000001")});
    EXPECT_EQ(names, QStringList{QStringLiteral("Ann")});
    model->GetRootItem().GetGroupMemeber(QStringLiteral("10000099"), ids, names);
    EXPECT_TRUE(ids.isEmpty());
}

TEST(XPathLiteralTest, QuotesOfEveryKind)
{
    EXPECT_EQ(CDataItem::XPathLiteral(QStringLiteral("abc")), QStringLiteral("'abc'"));
    EXPECT_EQ(CDataItem::XPathLiteral(QStringLiteral("it's")), QStringLiteral("\"it's\""));
    EXPECT_EQ(CDataItem::XPathLiteral(QStringLiteral("a'b\"c")), QStringLiteral("concat('a', \"'\", 'b\"c', '')"));
}

}  // namespace
