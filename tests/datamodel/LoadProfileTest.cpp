// Loading profiles: templates, file forms, the compatibility check and the
// codes of bad input.

#include "ModelTestSupport.h"

namespace {

class LoadProfileTest : public ModelTest {
protected:
    // A template's text changed by a replacement, written plain.
    QString WriteVariant(const QString& templateName, const QString& from, const QString& to)
    {
        QString text = TemplateText(templateName);
        EXPECT_TRUE(text.contains(from)) << from.toStdString();
        text.replace(from, to);
        const QString path = TempPath(QStringLiteral("variant.jub"));
        WriteBytes(path, text.toUtf8());
        return path;
    }
    qint32 LoadCode(const QString& path, QString* trace = nullptr)
    {
        auto model = NewModel();
        return CodeOf([&] { model->LoadProfile(path, true); }, trace);
    }
};

TEST_F(LoadProfileTest, EveryTemplateLoadsWithItsGroup)
{
    const std::pair<const char*, int> templates[] = {{"KVX10", 1}, {"KVX20", 2}, {"KVX30", 3}, {"KVX35", 3}};
    for (const auto& [name, group] : templates) {
        auto model = NewModel();
        QString trace;
        ASSERT_EQ(CodeOf([&] { model->LoadProfile(TemplatePath(QLatin1String(name)), true); }, &trace), 0)
            << name << trace.toStdString();
        EXPECT_EQ(model->GetGroup(), group) << name;
        EXPECT_EQ(model->GetRootItem().GetNode().BaseName(), QStringLiteral("KVXProfile"));
        CDataItem limit;
        EXPECT_EQ(model->GetRootItem().GetChildByName(QStringLiteral("limit"), limit).GetAttributeValue(QStringLiteral("pid")),
                  QVariant(QStringLiteral("XXXXXXXXXXX")));
    }
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(m_scriptErrors.isEmpty()) << m_scriptErrors.join(QLatin1Char('\n')).toStdString();
}

}  // namespace

namespace {

TEST_F(LoadProfileTest, CompatibilityValueDecides)
{
    // Missing: loads (the check answers false, which is not an error).
    EXPECT_FALSE(CRadioDataModel::ValidateProfile(QStringLiteral("<a/>")));
    EXPECT_TRUE(CRadioDataModel::ValidateProfile(QStringLiteral("clone_compatibility_version=\"1\"")));
    EXPECT_EQ(CodeOf([] { CRadioDataModel::ValidateProfile(QStringLiteral("x clone_compatibility_version=\"2\"")); }), 10156);
    // Without a closing quote the value runs to the end of the text.
    EXPECT_EQ(CodeOf([] { CRadioDataModel::ValidateProfile(QStringLiteral("clone_compatibility_version=\"1")); }), 0);
    EXPECT_EQ(CodeOf([] { CRadioDataModel::ValidateProfile(QStringLiteral("clone_compatibility_version=\"12")); }), 10156);

    EXPECT_EQ(LoadCode(WriteVariant(QStringLiteral("KVX30"), QStringLiteral("clone_compatibility_version=\"1\""),
                                    QStringLiteral("clone_compatibility_version=\"2\""))),
              10156);
    // Without the value the profile fails the schema, not the check.
    EXPECT_EQ(LoadCode(WriteVariant(QStringLiteral("KVX30"), QStringLiteral("clone_compatibility_version=\"1\""), QString())), 105);
}

TEST_F(LoadProfileTest, BadFilesGetTheirCodes)
{
    const QString full = TemplateText(QStringLiteral("KVX30"));
    const QString path = TempPath(QStringLiteral("bad.jub"));

    WriteBytes(path, full.left(full.size() / 2).toUtf8());   // truncated
    QString trace;
    EXPECT_EQ(LoadCode(path, &trace), 105);
    EXPECT_TRUE(trace.contains(QStringLiteral("Exception Catched"))) << trace.toStdString();

    WriteBytes(path, QByteArray("this is no profile"));       // not XML: unscrambled first, still not XML
    EXPECT_EQ(LoadCode(path), 105);

    WriteBytes(path, QByteArray());                           // empty
    EXPECT_EQ(LoadCode(path), 105);

    EXPECT_EQ(LoadCode(TempPath(QStringLiteral("missing.jub"))), 105);

    // Wrongly scrambled: a scrambled text scrambled once more in the other form.
    WriteBytes(path, EncodeCp1252(ScrambleText(ScrambleText(full, false), true)));
    EXPECT_EQ(LoadCode(path), 105);

    // Valid XML the radio could not hold.
    EXPECT_EQ(LoadCode(WriteVariant(QStringLiteral("KVX30"), QStringLiteral("max_num_of_channels=\"16\""),
                                    QStringLiteral("max_num_of_channels=\"256\""))),
              105);
    EXPECT_EQ(LoadCode(WriteVariant(QStringLiteral("KVX30"), QStringLiteral("pid=\"17179869183\""),
                                    QStringLiteral("pid=\"17179869184\""))),
              105);
    EXPECT_EQ(LoadCode(WriteVariant(QStringLiteral("KVX30"), QStringLiteral("txt=\"Call me\""),
                                    QStringLiteral("txt=\"") + QString(81, QLatin1Char('x')) + QLatin1Char('"'))),
              105);

    // A missing list fails in the sort, a missing limit when the ranges are read.
    EXPECT_EQ(LoadCode(WriteVariant(QStringLiteral("KVX30"), QStringLiteral("<PrivateGroups></PrivateGroups>"), QString())), 106);
    const QString noMessages = WriteVariant(QStringLiteral("KVX30"), QStringLiteral("<TextMessages>"), QStringLiteral("<Messages>"));
    WriteBytes(path, ReadTextFile(noMessages).text.replace(QStringLiteral("</TextMessages>"), QStringLiteral("</Messages>")).toUtf8());
    EXPECT_EQ(LoadCode(path), 106);

    // An oversized file is refused without being read.
    QFile big(path);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly | QIODevice::Truncate));
    big.write(full.toUtf8());
    big.write(QByteArray(9 * 1024 * 1024, ' '));
    big.close();
    EXPECT_EQ(LoadCode(path, &trace), 105);
    EXPECT_TRUE(trace.contains(QStringLiteral("larger than"))) << trace.toStdString();
}

TEST_F(LoadProfileTest, MissingLimitIsCode107)
{
    // Without limit the schema refuses first, so the text goes through a
    // model whose schema accepts anything.
    const QString install = CopyInstallation();
    WriteBytes(install + QStringLiteral("/ProfileTemplate/DataProfile.xsd"),
               QByteArray("<?xml version=\"1.0\"?><xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                          "targetNamespace=\"urn:varnholt:kvxzot:profile\" elementFormDefault=\"qualified\">"
                          "<xs:element name=\"KVXProfile\"><xs:complexType><xs:sequence>"
                          "<xs:any processContents=\"skip\" minOccurs=\"0\" maxOccurs=\"unbounded\"/>"
                          "</xs:sequence></xs:complexType></xs:element></xs:schema>"));
    QString text = TemplateText(QStringLiteral("KVX30"));
    const qsizetype start = text.indexOf(QStringLiteral("<limit"));
    const qsizetype end = text.indexOf(QStringLiteral("</limit>")) + 8;
    text.remove(start, end - start);
    auto model = NewModel();
    EXPECT_EQ(CodeOf([&] { model->LoadProfile(text, false); }), 107);
}

TEST_F(LoadProfileTest, BothFileFormsAndPlainFilesLoad)
{
    const QString plain = TemplateText(QStringLiteral("KVX20"));
    const QString path = TempPath(QStringLiteral("forms.jub"));

    WriteBytes(path, EncodeCp1252(ScrambleText(plain, true)));
    auto byteModel = NewModel();
    ASSERT_TRUE(byteModel->LoadProfile(path, true));
    EXPECT_TRUE(byteModel->IsByteForm());
    EXPECT_EQ(byteModel->GetGroup(), 2);

    QByteArray utf16("\xFF\xFE", 2);
    const QString scrambled = ScrambleText(plain, false);
    utf16.append(reinterpret_cast<const char*>(scrambled.utf16()), scrambled.size() * 2);
    WriteBytes(path, utf16);
    auto wideModel = NewModel();
    ASSERT_TRUE(wideModel->LoadProfile(path, true));
    EXPECT_FALSE(wideModel->IsByteForm());
    EXPECT_EQ(wideModel->GetProfileXml(), byteModel->GetProfileXml());
}

TEST_F(LoadProfileTest, TextLoadAddsAttributesButNoTagsAndDoesNotSort)
{
    QString text = TemplateText(QStringLiteral("KVX10"));   // group 1: lacks the scroll lists and the timers
    text.replace(QStringLiteral("<Privates></Privates>"),
                 QStringLiteral("<Privates><Private cntct_type=\"0\" name=\"Zed\" pid=\"10000002\" channel=\"1\" in_scroll_list=\"1\" "
                                "alert_tone=\"1\" home_grp=\"\" show_grp_only=\"0\" id_in_use=\"1\" see_all_groups=\"1\" mngr_mode=\"0\">"
                                "<ParentPrivateGroups/><scrolllist/></Private>"
                                "<Private cntct_type=\"0\" name=\"Adam\" pid=\"10000003\" channel=\"1\" in_scroll_list=\"1\" "
                                "alert_tone=\"1\" home_grp=\"\" show_grp_only=\"0\" id_in_use=\"1\" see_all_groups=\"1\" mngr_mode=\"0\">"
                                "<ParentPrivateGroups/><scrolllist/></Private></Privates>"));
    auto model = NewModel();
    ASSERT_TRUE(model->LoadProfile(text, false));
    const kvx::xml::XmlNodeList privates = model->GetProfileDoc().SelectNodes(QStringLiteral("//dfns:Private"));
    ASSERT_EQ(privates.Length(), 2);
    EXPECT_EQ(privates.Item(0).GetAttribute(QStringLiteral("name")), QStringLiteral("Zed"));   // not sorted
    EXPECT_EQ(privates.Item(0).GetAttribute(QStringLiteral("private_scroll_list")), QStringLiteral("0"));
    EXPECT_EQ(privates.Item(0).SelectNodes(QStringLiteral("dfns:scrolllist")).Length(), 1);   // no second one
    const kvx::xml::XmlNode setting = model->GetProfileDoc().SelectSingleNode(QStringLiteral("//dfns:setting"));
    EXPECT_EQ(setting.GetAttribute(QStringLiteral("tot_timer")), QStringLiteral("60"));
    EXPECT_EQ(setting.GetAttribute(QStringLiteral("tx_timeout_timer_dis")), QStringLiteral("1"));

    // From a file the same profile is sorted.
    const QString path = TempPath(QStringLiteral("sorted.jub"));
    WriteBytes(path, text.replace(QStringLiteral("<scrolllist/>"), QString()).toUtf8());
    auto fileModel = NewModel();
    ASSERT_TRUE(fileModel->LoadProfile(path, true));
    EXPECT_EQ(fileModel->GetProfileDoc().SelectSingleNode(QStringLiteral("//dfns:Private")).GetAttribute(QStringLiteral("name")),
              QStringLiteral("Adam"));
}

}  // namespace

namespace {

TEST_F(LoadProfileTest, ServiceErrorsBecome103And299)
{
    // A version that is no number fails while the group is worked out.
    auto model = NewModel();
    QString trace;
    QString text = TemplateText(QStringLiteral("KVX30"));
    text.replace(QStringLiteral("firmware_release=\"94\""), QStringLiteral("firmware_release=\"ninety\""));
    EXPECT_EQ(CodeOf([&] { model->LoadProfile(text, false); }, &trace), 103);
    EXPECT_TRUE(trace.contains(QStringLiteral("ErrorMsg: Type mismatch"))) << trace.toStdString();
    EXPECT_TRUE(trace.contains(QStringLiteral("CRadioDataModel::LoadProfile"))) << trace.toStdString();
    EXPECT_FALSE(model->IsLoaded());

    // Nothing loaded: nothing to prepare for saving.
    EXPECT_EQ(CodeOf([&] { model->TakeOffDoc(false); }), 299);

    // A schema that does not compile.
    const QString install = CopyInstallation();
    WriteBytes(install + QStringLiteral("/ProfileTemplate/DataProfile.xsd"), QByteArray("<?xml version=\"1.0\"?><notASchema/>"));
    auto broken = NewModel();
    EXPECT_EQ(CodeOf([&] { broken->LoadProfile(TemplatePath(QStringLiteral("KVX30")), true); }), 103);
}

}  // namespace
