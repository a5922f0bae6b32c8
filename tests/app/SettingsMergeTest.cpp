#include "KVXZOTApp.h"
#include "Messages.h"

#include <gtest/gtest.h>

using namespace kvx::xml;

namespace {

// A small up/downgrade settings document: G1 and G3 with a JUB part and a
// common part each. Field "pwd" exists only from G3 on, and its control
// 1101 on the Settings page appears only where the field exists.
const char* kUpDown = R"(<?xml version="1.0"?>
<UpDownGradeSetting xmlns="urn:varnholt:kvxzot:profile">
  <ZOTVersion>
    <G1><FirmwareVer version="5E.01.00"/><VerSpan startVer="5E.01.01" endVer="5E.04.99"/></G1>
    <G2><VerSpan startVer="5E.05.00" endVer="5E.09.99"/></G2>
    <G3><FirmwareVer version="5E.10.02"/><VerSpan startVer="5E.10.03" endVer="5E.99.99"/></G3>
  </ZOTVersion>
  <CodePlugSetting>
    <G1>
      <JUB><CPField name="lang" isExist="0" nodename="settings" defaulvalue="0" replaceby=""/></JUB>
      <RegionCommon>
        <CPField name="lang" isExist="1" nodename="settings" defaulvalue="0" replaceby=""/>
        <CPField name="pwd" isExist="0" nodename="limit" defaulvalue="" replaceby="">
          <Control ID="1101" RightView="Settings"/>
        </CPField>
      </RegionCommon>
    </G1>
    <G2><JUB/><RegionCommon/></G2>
    <G3>
      <JUB><CPTag name="PrivateScrollList" isExist="1" parentNode="Lists"/></JUB>
      <RegionCommon><CPField name="pwd" isExist="1" nodename="limit" defaulvalue="" replaceby=""/></RegionCommon>
    </G3>
  </CodePlugSetting>
  <VisibleSetting>
    <G1>
      <JUB><Settings><Control ID="1002" isVisible="0"/></Settings></JUB>
      <RegionCommon>
        <Settings><Control ID="1001" isVisible="1"/><Control ID="1002" isVisible="1"/></Settings>
        <Lists><Control ID="1201" isVisible="0"/></Lists>
      </RegionCommon>
    </G1>
    <G2><JUB/><RegionCommon/></G2>
    <G3>
      <JUB/>
      <RegionCommon><Lists><Control ID="1201" isVisible="1"/><Control ID="1202"/></Lists></RegionCommon>
    </G3>
  </VisibleSetting>
</UpDownGradeSetting>)";

const char* kRegion = R"(<?xml version="1.0"?>
<RegionSetting xmlns="urn:varnholt:kvxzot:profile"><Region name="JUB"/>
  <SupportLanguages><!-- comment --><language name="English" displayName="English"/>
  <language name="German" displayName="Deutsch"/></SupportLanguages></RegionSetting>)";

class SettingsMergeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = kvx::SetMessageHandler([this](const QString& text, unsigned) {
            m_messages << text;
            return static_cast<int>(kvx::kIdOk);
        });
        Load(QString::fromUtf8(kUpDown));
    }
    void TearDown() override { kvx::SetMessageHandler(m_previous); }

    void Load(const QString& upDownText)
    {
        XmlDocument region = XmlDocument::Create();
        ASSERT_TRUE(region.LoadXml(QString::fromUtf8(kRegion)));
        XmlDocument upDown = XmlDocument::Create();
        ASSERT_TRUE(upDown.LoadXml(upDownText)) << upDown.LastParseError().reason.toStdString();
        m_app.SetSettingDocuments(region, upDown);
    }

    QString Visible(const XmlDocument& doc, const QString& page, int id)
    {
        const XmlNode node = doc.SelectSingleNode(QStringLiteral("/dfns:RegionCommon/dfns:%1/dfns:Control[@ID='%2']").arg(page).arg(id));
        return node.IsNull() ? QStringLiteral("absent") : node.GetAttribute(QStringLiteral("isVisible"));
    }

    CKVXZOTApp m_app{[] { return true; }};
    QStringList m_messages;
    kvx::MessageHandler m_previous;
};

TEST_F(SettingsMergeTest, LatestGroupShowsItsFieldsControlsAndRegionOverrides)
{
    const XmlDocument visible = m_app.SelectGroup(3);
    ASSERT_FALSE(visible.IsNull()) << m_messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(m_app.GetCurrentGroup(), 3);
    EXPECT_EQ(Visible(visible, QStringLiteral("Settings"), 1001), QStringLiteral("1"));
    EXPECT_EQ(Visible(visible, QStringLiteral("Settings"), 1002), QStringLiteral("0"));   // JUB hides it
    EXPECT_EQ(Visible(visible, QStringLiteral("Settings"), 1101), QStringLiteral("1"));   // pwd exists in G3
    EXPECT_EQ(Visible(visible, QStringLiteral("Lists"), 1201), QStringLiteral("1"));
    // A control new to the target moves as it is: without isVisible.
    EXPECT_EQ(Visible(visible, QStringLiteral("Lists"), 1202), QString());
    EXPECT_TRUE(visible.SelectSingleNode(QStringLiteral("//dfns:Control[@RightView]")).IsNull());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(SettingsMergeTest, OldestGroupHidesFieldsItLacks)
{
    const XmlDocument visible = m_app.SelectGroup(1);
    ASSERT_FALSE(visible.IsNull());
    EXPECT_EQ(m_app.GetCurrentGroup(), 1);
    EXPECT_EQ(Visible(visible, QStringLiteral("Settings"), 1101), QStringLiteral("absent"));
    EXPECT_EQ(Visible(visible, QStringLiteral("Lists"), 1201), QStringLiteral("0"));
}

TEST_F(SettingsMergeTest, RegionFieldOfACommonNameOnlyUpdatesIsExist)
{
    // The region part switches "pwd" on for G1: the common entry (which owns
    // the control) must take the new isExist rather than gain a second entry.
    QString text = QString::fromUtf8(kUpDown);
    text.replace(QStringLiteral("<JUB><CPField name=\"lang\" isExist=\"0\" nodename=\"settings\" defaulvalue=\"0\" replaceby=\"\"/></JUB>"),
                 QStringLiteral("<JUB><CPField name=\"pwd\" isExist=\"1\" nodename=\"limit\" defaulvalue=\"\" replaceby=\"\"/></JUB>"));
    Load(text);
    const XmlDocument visible = m_app.SelectGroup(1);
    ASSERT_FALSE(visible.IsNull());
    EXPECT_EQ(Visible(visible, QStringLiteral("Settings"), 1101), QStringLiteral("1"));
}

TEST_F(SettingsMergeTest, ControlListedInBothPartsStopsWith292)
{
    QString text = QString::fromUtf8(kUpDown);
    text.replace(QStringLiteral("<Settings><Control ID=\"1001\" isVisible=\"1\"/>"),
                 QStringLiteral("<Settings><Control ID=\"1101\" isVisible=\"1\"/><Control ID=\"1001\" isVisible=\"1\"/>"));
    Load(text);
    EXPECT_TRUE(m_app.SelectGroup(3).IsNull());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.first().contains(QStringLiteral(
        "(CKVXZOTApp::MergeCpToBase:")));
    EXPECT_TRUE(m_messages.first().endsWith(QStringLiteral(
        ") Error: 101 Some node exist in CodePlugSetting part and VisibleSetting.")));
}

TEST_F(SettingsMergeTest, FieldWithoutIsExistStopsWith293)
{
    QString text = QString::fromUtf8(kUpDown);
    text.replace(QStringLiteral("<CPField name=\"lang\" isExist=\"0\""), QStringLiteral("<CPField name=\"lang\""));
    Load(text);
    EXPECT_TRUE(m_app.SelectGroup(3).IsNull());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.first().endsWith(QStringLiteral(") Error: 102 Some node are not correct, please check.")));
}

TEST_F(SettingsMergeTest, MissingGroupIsAnUnknownError)
{
    EXPECT_TRUE(m_app.SelectGroup(7).IsNull());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages.first(), QStringLiteral("Unknown Error"));
}

TEST_F(SettingsMergeTest, VersionGroupsFromExactVersionsAndSpans)
{
    EXPECT_EQ(m_app.GetVersionGroup(QStringLiteral("R5E.10.02")), 3);
    EXPECT_EQ(m_app.GetVersionGroup(QStringLiteral("DR5E.01.00")), 1);
    EXPECT_EQ(m_app.GetVersionGroup(QStringLiteral("D5E.03.00")), 1);
    EXPECT_EQ(m_app.GetVersionGroup(QStringLiteral("5E.07.10")), 2);
    EXPECT_EQ(m_app.GetVersionGroup(QStringLiteral("R5E.50.00")), 3);
    EXPECT_EQ(m_app.GetVersionGroup(QStringLiteral("R4F.10.02")), 0);
    EXPECT_EQ(m_app.GetVersionGroup(QStringLiteral("R5E.10.02']|//*['")), 0);
}

TEST(VersionToNumberTest, PartsAreHexadecimal)
{
    EXPECT_EQ(CKVXZOTApp::VersionToNumber(QStringLiteral("05.10.02")), 51602);
    EXPECT_EQ(CKVXZOTApp::VersionToNumber(QStringLiteral("10.99.00")), 175300);
    EXPECT_EQ(CKVXZOTApp::VersionToNumber(QStringLiteral("11.00.00")), 170000);
    EXPECT_EQ(CKVXZOTApp::VersionToNumber(QStringLiteral("5E.0A.FF")), 0x5E * 10000 + 10 * 100 + 255);
    EXPECT_EQ(CKVXZOTApp::VersionToNumber(QStringLiteral("zz")), 0);
}

TEST(RegionWordTest, RemovesModelWords)
{
    EXPECT_EQ(CKVXZOTApp::BuildRegionWord(QStringLiteral("KVX JUB ZOT")), QStringLiteral("JUB"));
    EXPECT_EQ(CKVXZOTApp::BuildRegionWord(QStringLiteral("KVX ZOT")), QStringLiteral("KVX"));
}

TEST_F(SettingsMergeTest, SupportedLanguagesSkipComments)
{
    EXPECT_EQ(m_app.GetSupportLanguages(), (QStringList{QStringLiteral("English"), QStringLiteral("German")}));
    EXPECT_EQ(m_app.GetLanguageDisplayName(QStringLiteral("German")), QStringLiteral("Deutsch"));
    EXPECT_EQ(m_app.GetLanguageDisplayName(QStringLiteral("French")), QString());
}

}  // namespace
