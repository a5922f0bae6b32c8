// The fields that differ between model groups: the add-field lists, adding
// and taking off, and the conversion to the latest format.

#include "ModelTestSupport.h"

namespace {

const QStringList kAllDifferingFields{QStringLiteral("password"),        QStringLiteral("private_scroll_list"),
                                      QStringLiteral("scrolllist"),      QStringLiteral("tx_timeout_timer_dis"),
                                      QStringLiteral("tot_timer"),       QStringLiteral("tpt_offset"),
                                      QStringLiteral("noise_level_accessory"), QStringLiteral("noise_level_radio")};

QStringList Names(const kvx::xml::XmlNodeList& entries)
{
    QStringList names;
    for (const kvx::xml::XmlNode& entry : entries)
        names << entry.GetAttribute(QStringLiteral("name"));
    return names;
}

class AddFieldsTest : public ModelTest {
protected:
    std::unique_ptr<CRadioDataModel> Loaded(const QString& name)
    {
        auto model = NewModel();
        EXPECT_TRUE(model->LoadProfile(TemplatePath(name), true));
        return model;
    }
};

TEST_F(AddFieldsTest, ListsPerGroup)
{
    auto model = Loaded(QStringLiteral("KVX30"));
    EXPECT_EQ(Names(model->BuildAddFieldList(1)), kAllDifferingFields);
    EXPECT_EQ(Names(model->BuildAddFieldList(2)), QStringList{QStringLiteral("password")});   // JUB G2 has the noise levels
    EXPECT_TRUE(Names(model->BuildAddFieldList(3)).isEmpty());
    EXPECT_EQ(Names(model->BuildAddFieldList(0)), kAllDifferingFields);   // no group: everything later groups have

    const kvx::xml::XmlNodeList g1 = model->BuildAddFieldList(1);
    EXPECT_EQ(g1.Item(2).BaseName(), QStringLiteral("CPTag"));
    EXPECT_EQ(g1.Item(2).GetAttribute(QStringLiteral("parentNode")), QStringLiteral("Private"));
    EXPECT_EQ(g1.Item(3).GetAttribute(QStringLiteral("replaceby")), QStringLiteral("tx_timeout_timer_dis"));
}

TEST_F(AddFieldsTest, AddedFieldsComeOffAgainOnSave)
{
    for (const QString& name : {QStringLiteral("KVX10"), QStringLiteral("KVX20"), QStringLiteral("KVX30")}) {
        auto model = Loaded(name);
        model->TakeOffDoc(false);
        // The stored form is the template in name order.
        QString original = TemplateText(name);
        CDataItem::SortXMLChildNodes(original, QStringLiteral("TextMessages"), QStringLiteral("txt"), true);
        EXPECT_EQ(model->GetOperaXml(), original) << name.toStdString();
    }
    // A G1 profile with privates keeps no trace of the scroll lists.
    auto model = Loaded(QStringLiteral("KVX10"));
    CDataItem privates, added;
    model->GetRootItem().GetChildByName(QStringLiteral("Contacts"), privates).GetChildByName(QStringLiteral("Privates"), privates);
    ASSERT_NE(privates.AddNewPriGrpPrivate(added, QStringLiteral("Private")), nullptr);
    model->TakeOffDoc(false);
    const QString stored = model->GetOperaXml();
    EXPECT_TRUE(stored.contains(QStringLiteral("<Private ")));
    EXPECT_FALSE(stored.contains(QStringLiteral("scrolllist")));
    EXPECT_FALSE(stored.contains(QStringLiteral("private_scroll_list")));
    EXPECT_FALSE(stored.contains(QStringLiteral("tot_timer")));
    // And loads again from a file as group 1 with the fields added back.
    const QString path = TempPath(QStringLiteral("g1.jub"));
    WriteBytes(path, stored.toUtf8());
    auto again = NewModel();
    ASSERT_TRUE(again->LoadProfile(path, true));
    EXPECT_EQ(again->GetGroup(), 1);
    EXPECT_FALSE(again->GetProfileDoc().SelectSingleNode(QStringLiteral("//dfns:Private/dfns:scrolllist")).IsNull());
}

TEST_F(AddFieldsTest, AnExistingFieldGetsTheDefaultOrItsOwnValue)
{
    QString text = TemplateText(QStringLiteral("KVX10"));
    text.replace(QStringLiteral("\tlanguage=\"0\""), QStringLiteral("\tlanguage=\"0\" tot_timer=\"180\" tx_timeout_timer_dis=\"0\""));
    auto model = NewModel();
    ASSERT_TRUE(model->LoadProfile(text, false));
    const kvx::xml::XmlNode setting = model->GetProfileDoc().SelectSingleNode(QStringLiteral("//dfns:setting"));
    EXPECT_EQ(setting.GetAttribute(QStringLiteral("tot_timer")), QStringLiteral("60"));             // replaced by the default
    EXPECT_EQ(setting.GetAttribute(QStringLiteral("tx_timeout_timer_dis")), QStringLiteral("0"));   // its own value kept
}

TEST_F(AddFieldsTest, ConvertingAGroup1ProfileKeepsEveryFieldAndUpgradesTheVersion)
{
    auto model = Loaded(QStringLiteral("KVX10"));
    CDataItem privates, added;
    model->GetRootItem().GetChildByName(QStringLiteral("Contacts"), privates).GetChildByName(QStringLiteral("Privates"), privates);
    ASSERT_NE(privates.AddNewPriGrpPrivate(added, QStringLiteral("Private")), nullptr);
    model->TakeOffDoc(true);
    model->UpgradeVersion();
    const QString converted = model->GetOperaXml();
    for (const QString& field : kAllDifferingFields)
        EXPECT_TRUE(converted.contains(field)) << field.toStdString();
    const kvx::xml::XmlNode version = [&] {
        kvx::xml::XmlDocument doc = kvx::xml::XmlDocument::Create();
        EXPECT_TRUE(doc.LoadXml(converted));
        return doc.SelectSingleNode(QStringLiteral("//dfns:version"));
    }();
    EXPECT_EQ(version.GetAttribute(QStringLiteral("firmware_release")), QStringLiteral("94"));
    EXPECT_EQ(version.GetAttribute(QStringLiteral("firmware_version")), QStringLiteral("08"));
    EXPECT_EQ(version.GetAttribute(QStringLiteral("firmware_revision")), QStringLiteral("00"));
    EXPECT_EQ(version.GetAttribute(QStringLiteral("firmware_phase")), QStringLiteral("R"));

    ASSERT_TRUE(model->LoadProfile(converted, false));
    EXPECT_EQ(model->GetGroup(), 3);
    model->TakeOffDoc(false);
    EXPECT_TRUE(model->GetOperaXml().contains(QStringLiteral("scrolllist")));   // nothing taken off in group 3
}

TEST_F(AddFieldsTest, UnknownVersionIsGroup0AndGetsEveryField)
{
    QString text = TemplateText(QStringLiteral("KVX10"));
    text.replace(QStringLiteral("firmware_release=\"94\""), QStringLiteral("firmware_release=\"17\""));
    auto model = NewModel();
    ASSERT_TRUE(model->LoadProfile(text, false));
    EXPECT_EQ(model->GetGroup(), 0);
    EXPECT_FALSE(model->GetProfileDoc().SelectSingleNode(QStringLiteral("//dfns:setting[@password]")).IsNull());
}

}  // namespace
