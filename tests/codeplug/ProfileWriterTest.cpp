// The written profile text, character for character.

#include "CodeplugTestImages.h"
#include "DataAdaptor.h"

#include "XmlService.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// Expected texts are written with ~ for CR LF TAB, ^ for LF CR, % for CR LF
// and ` for TAB; line breaks of the source are not part of them.
QString Expand(const char* pattern)
{
    QString text = S(pattern);
    text.remove(u'\n');
    text.replace(u'~', S("\r\n\t"));
    text.replace(u'^', S("\n\r"));
    text.replace(u'%', S("\r\n"));
    text.replace(u'`', S("\t"));
    return text;
}

VirtualCP KnownImage()
{
    VirtualCP cp;
    cp.version.codeplug_dev_version = 200;
    RadioInfo& r = cp.radioInfo;
    r.pid = S("10000001");
    r.publicGroupRanges[1] = {S("5000000"), S("A&B"), 50};
    r.model = S("K4");
    r.clone_compatibility_version = 1;
    r.max_num_of_contacts = 150;
    r.max_num_of_private_grps = 10;
    r.max_num_of_public_grps = 20;
    r.max_num_of_predefined_msgs = 25;
    r.max_num_of_channels = 16;
    r.max_vol_level = 9;
    r.num_of_languages = 2;
    r.languages = {1, 7, 99, 99, 99, 99};
    r.limitFlags = (1u << 28) | (1u << 10) | 0xFFu | (1u << 15);
    r.reservedWord = 0xDEADBEEF;
    cp.settings.password = S("12");
    cp.settings.noiseLevels = 0xA3;
    cp.settings.settingsFlags = (1u << 31) | (1u << 19) | 0xFFFFu;

    ContactRecord group = MakeContact(kContactPrivateGroup, S("Grp"), S("201"));
    group.channel = 2;
    group.contactFlags = kContactInScrollList | kContactInScanList;
    cp.contacts[3] = group;
    ContactRecord pub = MakeContact(kContactPublicGroup, S("Pub <1>"), S("17179869183"));
    pub.channel = 1;
    pub.contactFlags = kContactInScanList | kContactInScrollList;
    cp.contacts[7] = pub;
    ContactRecord bob = MakeContact(kContactPrivate, S("Bob \"B\""), S("10000002"));
    bob.alert_tone = 2;
    bob.home_grp = S("201");
    bob.parentGroups = Groups({"100", "", "300", "", ""});
    bob.contactFlags = kContactIdInUse | kContactInScanList;
    bob.roleFlags = kRoleSeeAllGroups;
    cp.contacts[9] = bob;
    cp.contacts[12] = MakeContact(kContactEmpty, S("Gone"), S("5"));
    cp.textMessages[0] = S("Hi & bye");
    cp.textMessages[5] = S("x>y");
    return cp;
}

}  // namespace

TEST(ProfileWriter, KnownImageGivesExactText)
{
    const QString expected = Expand(R"(<?xml version="1.0" encoding="utf-8" ?><KVXProfile xmlns="urn:varnholt:kvxzot:profile">
~<version~firmware_phase="R"~firmware_release="94"~firmware_version="8"~firmware_revision="0"~codeplug_version="16"
~codeplug_structure="3"~codeplug_dev_version="4294967240"~/>
~<limit~pid="10000001"~valid_PID_start="10000001"~valid_PID_end="17179867883"~starting_public_grp_pid="17179869183"
~public_grp_list_size="100"
~public_grp_info_start_pid0="17179869183"~public_grp_info_pid_name0=""~public_grp_info_lst_size0="100"
~public_grp_info_start_pid1="5000000"~public_grp_info_pid_name1="A&amp;B"~public_grp_info_lst_size1="50"
~public_grp_info_start_pid2="0"~public_grp_info_pid_name2=""~public_grp_info_lst_size2="0"
~public_grp_info_start_pid3="0"~public_grp_info_pid_name3=""~public_grp_info_lst_size3="0"
~model="K4"~clone_compatibility_version="1"~max_num_of_contacts="150"~max_num_of_private_grps="10"
~max_num_of_public_grps="20"~max_num_of_predefined_msgs="25"~max_num_of_channels="16"~max_vol_level="9"
~num_of_languages="2"
~mngr_mode_en="0"~see_all_groups_en="0"~vibracall_dis="0"~public_scan_en="0"~prvt_call_rec_dis ="1"
~sms_compose_mesgs_en="0"~sms_free_form_mesgs_en="0"
~sms_mesgs_rx_en="0"~sms_mesgs_tx_en="0"~prvt_call_ret_en="0"~prvt_call_tx_en="0"~call_forward_en="0"
~add_prvt_contacts_en="0"~add_prvt_grp_en="0"~tx_tot_en="0"
~ota_clone_rx_en="0"~remote_disable_rx_en="0"~remote_monitor_rx_en="0"~ota_time_update_rx_en="1"~ota_clone_tx_en="0"
~remote_disable_en="0"~remote_monitor_en="0"~ota_time_update_en="0"~static_ergo_flag2="0">
~<languages>~<language language_id="1" />~<language language_id="7" />~</languages>~</limit>
~<setting~password="12"~contrast="0"~backlight="0"~vibracall="0"~tot_timer="0"~current_time="0"~alarm_time="0"
~ringer_vol_level="0"~speaker_vol_level="1"~keypad_vol_level="0"~alarm_vol_level="1"~earpiece_vol_level="1"
~language="0"~call_forward_id="0"~tpt_offset="0"~noise_level_accessory="10"~noise_level_radio="3"
~time_format="1"~date_format="0"~see_all_grps="0"~scan_en="0"~alarm_en="0"~mngr_mode="0"~call_fwd_en="0"
~is_disabled="0"~prog_mode_dis="0"~internal_ptt_dis="0"~tx_timeout_timer_dis="1"~/>^
^<Contacts> <PublicGroups>
~<PublicGroup~cntct_type="2"~name="Pub &lt;1&gt;"~pid="17179869183"~channel="1"~in_scan_list="1"~in_scroll_list="1"~/>
</PublicGroups><PrivateGroups>
~<PrivateGroup^`cntct_type="1"~name="Grp"~pid="201"~channel="2" ~in_scroll_list="1"~/>
</PrivateGroups><Privates>
~<Private~cntct_type="0"~name="Bob &quot;B&quot;"~pid="10000002"~channel="0"~in_scroll_list="0"~alert_tone="2"
~home_grp="201"~show_grp_only="0"~id_in_use="1"~see_all_groups="1"~mngr_mode="0"~private_scroll_list="0">
<ParentPrivateGroups><ParentPrivateGroup pid ="100" /><ParentPrivateGroup pid ="300" /></ParentPrivateGroups>
<scrolllist/></Private>
</Privates></Contacts>
%<TextMessages>~<TextMessage txt="Hi &amp; bye" />~<TextMessage txt="x&gt;y" />~</TextMessages></KVXProfile>)");

    QString text;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(KnownImage(), text));
    // Compare piece by piece first so that a difference is easy to find.
    for (qsizetype i = 0; i < std::min(text.size(), expected.size()); ++i) {
        if (text[i] != expected[i]) {
            ADD_FAILURE() << "first difference at " << i << ": got\n"
                          << text.mid(std::max<qsizetype>(0, i - 60), 120).toStdString() << "\nexpected\n"
                          << expected.mid(std::max<qsizetype>(0, i - 60), 120).toStdString();
            break;
        }
    }
    EXPECT_EQ(text, expected);

    // The namespace of the root is the one queries bind to dfns.
    kvx::xml::XmlDocument doc = kvx::xml::XmlDocument::Create();
    ASSERT_TRUE(doc.LoadXml(text)) << doc.LastParseError().reason.toStdString();
    EXPECT_FALSE(doc.SelectSingleNode(S("/dfns:KVXProfile/dfns:Contacts/dfns:Privates/dfns:Private")).IsNull());
}

TEST(ProfileWriter, FreshImageAndEmptyLists)
{
    QString text;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(VirtualCP(), text));
    EXPECT_TRUE(text.contains(S("\r\n\t<languages>\r\n\t</languages>\r\n\t</limit>")));
    EXPECT_TRUE(text.contains(
        S("\n\r<Contacts> <PublicGroups></PublicGroups><PrivateGroups></PrivateGroups><Privates></Privates></Contacts>")));
    EXPECT_TRUE(text.endsWith(S("\r\n<TextMessages>\r\n\t</TextMessages></KVXProfile>")));
    EXPECT_TRUE(text.contains(S("\r\n\tpid=\"\"\r\n\tvalid_PID_start=\"10000001\"\r\n\tvalid_PID_end=\"17179867883\"")));
    EXPECT_TRUE(text.contains(S("starting_public_grp_pid=\"17179869183\"\r\n\tpublic_grp_list_size=\"100\"")));
    EXPECT_TRUE(text.contains(S("public_grp_info_start_pid3=\"0\"\r\n\tpublic_grp_info_pid_name3=\"\"\r\n\tpublic_grp_info_lst_size3=\"0\"")));
    EXPECT_TRUE(text.contains(S("\r\n\tcall_forward_id=\"0\"")));

    // A private without parent groups; phase D stays a letter; bit 24 alone.
    VirtualCP cp;
    cp.version.firmware_phase = 'D';
    cp.radioInfo.limitFlags = 1u << 24;
    cp.contacts[0] = MakeContact(kContactPrivate, S("Solo"), S("10000009"));
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(cp, text));
    EXPECT_TRUE(text.contains(S("firmware_phase=\"D\"")));
    EXPECT_TRUE(text.contains(S("ota_time_update_rx_en=\"0\"")));
    EXPECT_TRUE(text.contains(S("ota_time_update_en=\"1\"")));
    EXPECT_TRUE(text.contains(S("private_scroll_list=\"0\"><ParentPrivateGroups></ParentPrivateGroups><scrolllist/></Private>")));

    // More languages claimed than the image holds: only six are written.
    cp.radioInfo.num_of_languages = 200;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(cp, text));
    EXPECT_EQ(text.count(S("<language language_id=")), kMaxLanguages);
}

TEST(ProfileWriter, EscapeXmlText)
{
    EXPECT_EQ(CDataAdaptor::EscapeXmlText(S("a&b<c>d\"e'f\tg")), S("a&amp;b&lt;c&gt;d&quot;e'f\tg"));
    // The ampersand goes first: an entity already in the text is escaped once.
    EXPECT_EQ(CDataAdaptor::EscapeXmlText(S("&amp;&lt;")), S("&amp;amp;&amp;lt;"));
    EXPECT_EQ(CDataAdaptor::EscapeXmlText(QString()), QString());

    VirtualCP cp;
    cp.contacts[0] = MakeContact(kContactPublicGroup, S("A&<>\"'"), S("1"));
    QString text;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(cp, text));
    EXPECT_TRUE(text.contains(S("name=\"A&amp;&lt;&gt;&quot;'\"")));
}

TEST(ProfileWriter, EachFlagBitHasItsOwnAttribute)
{
    const std::pair<const char*, int> limitBits[] = {
        {"sms_free_form_mesgs_en", 8}, {"sms_compose_mesgs_en", 9}, {"prvt_call_rec_dis ", 10}, {"public_scan_en", 11},
        {"vibracall_dis", 12},         {"see_all_groups_en", 13},   {"mngr_mode_en", 14},        {"tx_tot_en", 16},
        {"add_prvt_grp_en", 17},       {"add_prvt_contacts_en", 18}, {"call_forward_en", 19},    {"prvt_call_tx_en", 20},
        {"prvt_call_ret_en", 21},      {"sms_mesgs_tx_en", 22},     {"sms_mesgs_rx_en", 23},     {"ota_time_update_en", 24},
        {"remote_monitor_en", 25},     {"remote_disable_en", 26},   {"ota_clone_tx_en", 27},     {"ota_time_update_rx_en", 28},
        {"remote_monitor_rx_en", 29},  {"remote_disable_rx_en", 30}, {"ota_clone_rx_en", 31}};
    const std::pair<const char*, int> settingBits[] = {
        {"internal_ptt_dis", 17}, {"prog_mode_dis", 18}, {"tx_timeout_timer_dis", 19}, {"is_disabled", 24},
        {"call_fwd_en", 25},      {"mngr_mode", 26},     {"alarm_en", 27},              {"scan_en", 28},
        {"see_all_grps", 29},     {"date_format", 30},   {"time_format", 31}};

    auto onlyOne = [](const QString& text, const char* element, const char* name) {
        const qsizetype start = text.indexOf(S("<%1").arg(S(element)));
        const QString attributes = text.mid(start, text.indexOf(u'>', start) - start);
        return attributes.count(S("=\"1\"")) == 1 && attributes.contains(S("\r\n\t%1=\"1\"").arg(S(name)));
    };
    QString text;
    for (const auto& [name, bit] : limitBits) {
        VirtualCP cp;
        cp.radioInfo.limitFlags = (1u << bit) | 0xFFu | (1u << 15);   // unnamed bits are not written
        CDataAdaptor::VirtualCP2XML(cp, text);
        EXPECT_TRUE(onlyOne(text, "limit", name)) << name;
    }
    for (const auto& [name, bit] : settingBits) {
        VirtualCP cp;
        cp.settings.settingsFlags = (1u << bit) | 0xFFFFu | (7u << 20);
        cp.settings.speaker_vol_level = cp.settings.alarm_vol_level = cp.settings.earpiece_vol_level = 0;
        CDataAdaptor::VirtualCP2XML(cp, text);
        EXPECT_TRUE(onlyOne(text, "setting", name)) << name;
    }
}
