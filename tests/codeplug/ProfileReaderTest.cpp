// Profile text back into an image: every carried field, the reading
// rules, the private scroll list and the failures.

#include "CodeplugTestImages.h"
#include "DataAdaptor.h"

#include "KVXZOTException.h"
#include "XmlService.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

const QString kEmptyContacts =
    S("<Contacts> <PublicGroups></PublicGroups><PrivateGroups></PrivateGroups><Privates></Privates></Contacts>");

// The profile of a fresh image with its contacts element replaced.
QString ProfileWithContacts(const QString& contacts, const QString& messages = QString())
{
    QString text;
    CDataAdaptor::VirtualCP2XML(VirtualCP(), text);
    text.replace(kEmptyContacts, contacts);
    text.replace(S("<TextMessages>"), S("<TextMessages>") + messages);
    return text;
}

QString Private(const char* name, const char* pid, const char* scroll, const QString& children = QString(),
                const char* privateScrollList = "0")
{
    return S("<Private cntct_type=\"0\" name=\"%1\" pid=\"%2\" channel=\"0\" in_scroll_list=\"%3\" alert_tone=\"0\" "
             "home_grp=\"\" show_grp_only=\"0\" id_in_use=\"0\" see_all_groups=\"0\" mngr_mode=\"0\" "
             "private_scroll_list=\"%4\"><ParentPrivateGroups/><scrolllist>%5</scrolllist></Private>")
        .arg(S(name), S(pid), S(scroll), S(privateScrollList), children);
}

QString Group(const char* element, int type, const char* name, const char* pid, const char* scroll)
{
    return S("<%1 cntct_type=\"%2\" name=\"%3\" pid=\"%4\" channel=\"3\" in_scan_list=\"1\" in_scroll_list=\"%5\"/>")
        .arg(S(element))
        .arg(type)
        .arg(S(name), S(pid), S(scroll));
}

CKVXZOTException ConversionFailure(const QString& text, VirtualCP& image, const QString& ownId = QString())
{
    try {
        CDataAdaptor::XML2VirtualCP(text, image, ownId);
    } catch (const CKVXZOTException& e) {
        return e;
    }
    ADD_FAILURE() << "the conversion did not fail";
    return CKVXZOTException(0, QString(), "", 0);
}

}  // namespace

TEST(ProfileReader, RoundTripCarriesEveryField)
{
    for (bool full : {false, true}) {
        const VirtualCP sample = SampleImage(full);
        QString text;
        ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(sample, text));
        VirtualCP image;
        ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(text, image));
        EXPECT_EQ(image.version, sample.version);
        EXPECT_EQ(image.radioInfo, sample.radioInfo);
        EXPECT_EQ(image.settings, sample.settings);
        for (int i = 0; i < kMaxContacts; ++i)
            EXPECT_EQ(image.contacts[i], sample.contacts[i]) << "slot " << i;
        EXPECT_EQ(image.textMessages, sample.textMessages);
        EXPECT_TRUE(image == sample);

        // And the text of the image read back is the same text.
        QString again;
        CDataAdaptor::VirtualCP2XML(image, again);
        EXPECT_EQ(again, text);
    }
}

TEST(ProfileReader, NumbersFlagsAndStrings)
{
    QString text = ProfileWithContacts(kEmptyContacts);
    text.replace(S("backlight=\"0\""), S("backlight=\"4294967295\""));
    text.replace(S("contrast=\"0\""), S("contrast=\"300\""));
    text.replace(S("current_time=\"0\""), S("current_time=\"  +12abc\""));
    text.replace(S("alarm_time=\"0\""), S("alarm_time=\"-1\""));
    text.replace(S("tot_timer=\"0\""), S("tot_timer=\"x9\""));
    text.replace(S("noise_level_accessory=\"0\""), S("noise_level_accessory=\"17\""));
    text.replace(S("noise_level_radio=\"0\""), S("noise_level_radio=\"2\""));
    text.replace(S("scan_en=\"0\""), S("scan_en=\"3\""));
    text.replace(S("alarm_en=\"0\""), S("alarm_en=\"2\""));
    text.replace(S("firmware_release=\"94\""), S("firmware_release=\"4294967168\""));
    text.replace(S("firmware_phase=\"R\""), S("firmware_phase=\"Dx\""));
    text.replace(S("call_forward_id=\"0\""), S("call_forward_id=\" 12345678901234 \""));
    text.replace(S("public_grp_info_lst_size2=\"0\""), S("public_grp_info_lst_size2=\"257\""));
    text.replace(S("starting_public_grp_pid=\"17179869183\""), S("starting_public_grp_pid=\"1\""));

    VirtualCP image;
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(text, image));
    EXPECT_EQ(image.settings.backlight, 4294967295u);
    EXPECT_EQ(image.settings.contrast, 44);
    EXPECT_EQ(image.settings.current_time, 12u);
    EXPECT_EQ(image.settings.alarm_time, 4294967295u);
    EXPECT_EQ(image.settings.tot_timer, 0);
    EXPECT_EQ(image.settings.noiseLevels, 0x12);
    EXPECT_EQ(image.settings.settingsFlags, 1u << 28);
    EXPECT_EQ(image.version.firmware_release, 128);
    EXPECT_EQ(image.version.firmware_phase, 'D');
    EXPECT_EQ(image.settings.call_forward_id, S(" 12345678901234 "));   // strings as they stand
    EXPECT_EQ(image.radioInfo.publicGroupRanges[2].lst_size, 1);
    // The duplicate of range 0 is not read.
    EXPECT_EQ(image.radioInfo.publicGroupRanges[0].start_pid, S("17179869183"));
}

TEST(ProfileReader, ContactsFillSlotsKindByKind)
{
    QString contacts = S("<Contacts> <PublicGroups>");
    for (const char* pid : {"17179869183", "17179869182", "17179869181"})
        contacts += Group("PublicGroup", 2, "Pub", pid, "1");
    contacts += S("</PublicGroups><PrivateGroups>");
    contacts += Group("PrivateGroup", 1, "G1", "201", "0") + Group("PrivateGroup", 1, "G2", "202", "1");
    contacts += S("</PrivateGroups><Privates>");
    for (const char* pid : {"10000001", "10000002", "10000003", "10000004"})
        contacts += Private("U", pid, "1");
    contacts += S("</Privates></Contacts>");
    // A public group element whose type says private is stored as one.
    contacts.replace(S("<PublicGroup cntct_type=\"2\" name=\"Pub\" pid=\"17179869181\""),
                     S("<PublicGroup cntct_type=\"0\" name=\"Pub\" pid=\"17179869181\""));

    VirtualCP image;
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(ProfileWithContacts(contacts), image));
    EXPECT_EQ(image.contacts[0].cntct_type, kContactPublicGroup);
    EXPECT_EQ(image.contacts[0].contactFlags, kContactInScanList | kContactInScrollList);
    EXPECT_EQ(image.contacts[2].cntct_type, kContactPrivate);
    EXPECT_EQ(image.contacts[2].pid, S("17179869181"));
    EXPECT_EQ(image.contacts[3].pid, S("201"));
    EXPECT_EQ(image.contacts[3].contactFlags, 0);   // in_scan_list is not read for private groups
    EXPECT_EQ(image.contacts[4].contactFlags, kContactInScrollList);
    EXPECT_EQ(image.contacts[5].pid, S("10000001"));
    EXPECT_EQ(image.contacts[8].pid, S("10000004"));
    for (int i = 9; i < kMaxContacts; ++i)
        EXPECT_EQ(image.contacts[i].cntct_type, kContactEmpty) << i;
    for (const QString& m : image.textMessages)
        EXPECT_TRUE(m.isEmpty());
}

TEST(ProfileReader, PrivateScrollListDecidesScrollFlags)
{
    const QString list = S("<list name=\"G1\"/><list name=\"Say &quot;hi&quot;\"/><list name=\"It's &quot;q&quot;\"/>"
                           "<list name=\"nobody\"/>");
    auto profile = [&](const char* privateScrollList) {
        return ProfileWithContacts(
            S("<Contacts> <PublicGroups>") + Group("PublicGroup", 2, "Say &quot;hi&quot;x", "17179869183", "1")
            + Group("PublicGroup", 2, "Say &quot;hi&quot;", "17179869182", "0") + S("</PublicGroups><PrivateGroups>")
            + Group("PrivateGroup", 1, "G1", "201", "0") + Group("PrivateGroup", 1, "G2", "202", "1")
            + S("</PrivateGroups><Privates>") + Private("It's &quot;q&quot;", "10000002", "0")
            + Private("Me", "10000001", "1", list, privateScrollList) + S("</Privates></Contacts>"));
    };
    auto scrollFlags = [](const VirtualCP& image) {
        QString flags;
        for (int i = 0; i < 6; ++i)
            flags += (image.contacts[i].contactFlags & kContactInScrollList) ? u'1' : u'0';
        return flags;
    };

    VirtualCP image;
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(profile("1"), image, S("10000001")));
    EXPECT_EQ(scrollFlags(image), S("011010"));   // exact names only, double quotes included
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(profile("true"), image, S("10000001")));
    EXPECT_EQ(scrollFlags(image), S("011010"));

    // Disabled, another radio, no radio ID: the profile's own flags.
    for (auto [psl, id] : {std::pair{"0", "10000001"}, std::pair{"1", "10000003"}, std::pair{"1", ""}}) {
        ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(profile(psl), image, S(id)));
        EXPECT_EQ(scrollFlags(image), S("100101")) << psl << " " << id;
    }

    // An own ID that would break a quoted query is only a non-matching ID.
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(profile("1"), image, S("1'] | //*[@pid='")));
    EXPECT_EQ(scrollFlags(image), S("100101"));

    // The working document carries the rewrite; the text is not changed.
    const QString text = profile("1");
    const kvx::xml::XmlDocument doc = CDataAdaptor::CopyPrvtScrlLst(text, S("10000001"));
    EXPECT_EQ(doc.SelectSingleNode(S("//dfns:PrivateGroup[@pid='201']")).GetAttribute(S("in_scroll_list")), S("1"));
    EXPECT_TRUE(text.contains(Group("PrivateGroup", 1, "G1", "201", "0")));
}

TEST(ProfileReader, FailuresAreReportedWithTheirCodes)
{
    const VirtualCP sample = SampleImage(false);
    VirtualCP image = sample;

    CKVXZOTException bad = ConversionFailure(S("<not a profile"), image);
    EXPECT_EQ(bad.GetCode(), 106);
    EXPECT_TRUE(bad.GetTrace().contains(S("ErrorMsg: "))) << bad.GetTrace().toStdString();
    EXPECT_TRUE(bad.GetTrace().contains(S("\nDesc: ")));
    EXPECT_TRUE(bad.GetTrace().contains(S("\nSource: ")));
    EXPECT_TRUE(bad.GetTrace().startsWith(S("\n(CDataAdaptor::XML2VirtualCP:")));
    EXPECT_TRUE(image == sample);   // a failed conversion leaves the image alone

    QString noLimit = ProfileWithContacts(kEmptyContacts);
    noLimit.replace(S("<limit"), S("<limits")).replace(S("</limit>"), S("</limits>"));
    EXPECT_EQ(ConversionFailure(noLimit, image).GetCode(), 106);

    QString noAttribute = ProfileWithContacts(kEmptyContacts);
    noAttribute.replace(S("vibracall=\"0\""), QString());
    EXPECT_EQ(ConversionFailure(noAttribute, image).GetCode(), 106);

    // A failure inside CopyPrvtScrlLst passes through with both trace lines.
    const QString notBoolean = ProfileWithContacts(
        S("<Contacts> <PublicGroups></PublicGroups><PrivateGroups></PrivateGroups><Privates>")
        + Private("Me", "10000001", "1", QString(), "maybe") + S("</Privates></Contacts>"));
    const CKVXZOTException passed = ConversionFailure(notBoolean, image, S("10000001"));
    EXPECT_EQ(passed.GetCode(), 106);
    EXPECT_TRUE(passed.GetTrace().startsWith(S("\n(CDataAdaptor::CopyPrvtScrlLst:")));
    EXPECT_TRUE(passed.GetTrace().contains(S("\n(CDataAdaptor::XML2VirtualCP:")));
    EXPECT_TRUE(passed.GetTrace().endsWith(S(") Exception Catched")));
    EXPECT_TRUE(image == sample);
}

TEST(ProfileReader, ImageLimitsAreNeverExceeded)
{
    VirtualCP image;
    QString many = S("<Contacts> <PublicGroups></PublicGroups><PrivateGroups>");
    for (int i = 0; i < 100; ++i)
        many += Group("PrivateGroup", 1, "G", "201", "0");
    many += S("</PrivateGroups><Privates>");
    for (int i = 0; i < 50; ++i)
        many += Private("U", "10000001", "0");
    const QString exactly = many + S("</Privates></Contacts>");
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(ProfileWithContacts(exactly), image));
    EXPECT_EQ(image.contacts[149].cntct_type, kContactPrivate);

    const QString tooMany = many + Private("U", "10000001", "0") + S("</Privates></Contacts>");
    image = VirtualCP();
    EXPECT_EQ(ConversionFailure(ProfileWithContacts(tooMany), image).GetCode(), 105);
    EXPECT_TRUE(image == VirtualCP());

    QString messages;
    for (int i = 0; i < kMaxTextMessages; ++i)
        messages += S("<TextMessage txt=\"m%1\"/>").arg(i);
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(ProfileWithContacts(kEmptyContacts, messages), image));
    EXPECT_EQ(image.textMessages[24], S("m24"));
    EXPECT_EQ(ConversionFailure(ProfileWithContacts(kEmptyContacts, messages + S("<TextMessage txt=\"x\"/>")), image)
                  .GetCode(),
              105);

    QString parents;
    for (int i = 0; i < kMaxParentGroups; ++i)
        parents += S("<ParentPrivateGroup pid=\"20%1\"/>").arg(i);
    auto withParents = [&](const QString& groups) {
        QString p = Private("U", "10000001", "0");
        p.replace(S("<ParentPrivateGroups/>"), S("<ParentPrivateGroups>") + groups + S("</ParentPrivateGroups>"));
        return ProfileWithContacts(S("<Contacts> <PublicGroups></PublicGroups><PrivateGroups></PrivateGroups><Privates>") + p
                                   + S("</Privates></Contacts>"));
    };
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(withParents(parents), image));
    EXPECT_EQ(image.contacts[0].parentGroups[4], S("204"));
    EXPECT_EQ(ConversionFailure(withParents(parents + S("<ParentPrivateGroup pid=\"299\"/>")), image).GetCode(), 105);

    // Languages never travel to a radio: beyond six they are left out.
    QString languages = ProfileWithContacts(kEmptyContacts);
    QString list;
    for (int i = 1; i <= 8; ++i)
        list += S("<language language_id=\"%1\"/>").arg(i);
    languages.replace(S("<languages>"), S("<languages>") + list);
    languages.replace(S("num_of_languages=\"0\""), S("num_of_languages=\"8\""));
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(languages, image));
    EXPECT_EQ(image.radioInfo.num_of_languages, 8);
    EXPECT_EQ(image.radioInfo.languages, (std::array<quint8, 6>{1, 2, 3, 4, 5, 6}));
}
