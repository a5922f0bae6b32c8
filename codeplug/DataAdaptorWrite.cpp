#include "DataAdaptor.h"
#include "ProfileTextWriter.h"

#include <QLatin1StringView>

#include <algorithm>

#include "XmlService.h"

namespace {

using L1 = QLatin1StringView;

// Version numbers are printed from the byte taken as signed and widened to
// an unsigned 32-bit value: 128..255 read as 4294967168..4294967295.
quint64 SignedByteAsUnsigned(quint8 value)
{
    return quint32(qint32(qint8(value)));
}

void WriteVersion(ProfileTextWriter& w, const CodeplugVersion& v)
{
    const L1 none("");
    w.Raw(L1("\r\n\t<version\r\n\t"));
    // The phase is one character; a 0 byte has no character and writes
    // an empty value, which reads back as 0.
    w.Attribute(none, L1("firmware_phase"), v.firmware_phase ? QString(QChar(v.firmware_phase)) : QString());
    w.Raw(ProfileTextWriter::kBreak);
    const std::pair<const char*, quint8> numbers[] = {
        {"firmware_release", v.firmware_release},     {"firmware_version", v.firmware_version},
        {"firmware_revision", v.firmware_revision},   {"codeplug_version", v.codeplug_version},
        {"codeplug_structure", v.codeplug_structure}, {"codeplug_dev_version", v.codeplug_dev_version}};
    for (const auto& [name, value] : numbers) {
        w.Attribute(none, L1(name), SignedByteAsUnsigned(value));
        w.Raw(ProfileTextWriter::kBreak);
    }
    w.Raw(L1("/>"));
}

void WriteLimit(ProfileTextWriter& w, const RadioInfo& r)
{
    w.Raw(L1("\r\n\t<limit"));
    w.Attribute(L1("pid"), r.pid);
    w.Attribute(L1("valid_PID_start"), r.valid_PID_start);
    w.Attribute(L1("valid_PID_end"), r.valid_PID_end);
    w.Attribute(L1("starting_public_grp_pid"), r.publicGroupRanges[0].start_pid);
    w.Attribute(L1("public_grp_list_size"), r.publicGroupRanges[0].lst_size);
    static const char* const kRangeNames[kPublicGroupRangeCount][3] = {
        {"public_grp_info_start_pid0", "public_grp_info_pid_name0", "public_grp_info_lst_size0"},
        {"public_grp_info_start_pid1", "public_grp_info_pid_name1", "public_grp_info_lst_size1"},
        {"public_grp_info_start_pid2", "public_grp_info_pid_name2", "public_grp_info_lst_size2"},
        {"public_grp_info_start_pid3", "public_grp_info_pid_name3", "public_grp_info_lst_size3"}};
    for (int n = 0; n < kPublicGroupRangeCount; ++n) {
        w.Attribute(L1(kRangeNames[n][0]), r.publicGroupRanges[n].start_pid);
        w.Attribute(L1(kRangeNames[n][1]), r.publicGroupRanges[n].pid_name);
        w.Attribute(L1(kRangeNames[n][2]), r.publicGroupRanges[n].lst_size);
    }
    w.Attribute(L1("model"), r.model);
    w.Attribute(L1("clone_compatibility_version"), r.clone_compatibility_version);
    w.Attribute(L1("max_num_of_contacts"), r.max_num_of_contacts);
    w.Attribute(L1("max_num_of_private_grps"), r.max_num_of_private_grps);
    w.Attribute(L1("max_num_of_public_grps"), r.max_num_of_public_grps);
    w.Attribute(L1("max_num_of_predefined_msgs"), r.max_num_of_predefined_msgs);
    w.Attribute(L1("max_num_of_channels"), r.max_num_of_channels);
    w.Attribute(L1("max_vol_level"), r.max_vol_level);
    w.Attribute(L1("num_of_languages"), r.num_of_languages);
    const quint32 f = r.limitFlags;
    w.Flag(L1("mngr_mode_en"), f, 14);
    w.Flag(L1("see_all_groups_en"), f, 13);
    w.Flag(L1("vibracall_dis"), f, 12);
    w.Flag(L1("public_scan_en"), f, 11);
    w.Flag(L1("prvt_call_rec_dis "), f, 10);
    w.Flag(L1("sms_compose_mesgs_en"), f, 9);
    w.Flag(L1("sms_free_form_mesgs_en"), f, 8);
    w.Flag(L1("sms_mesgs_rx_en"), f, 23);
    w.Flag(L1("sms_mesgs_tx_en"), f, 22);
    w.Flag(L1("prvt_call_ret_en"), f, 21);
    w.Flag(L1("prvt_call_tx_en"), f, 20);
    w.Flag(L1("call_forward_en"), f, 19);
    w.Flag(L1("add_prvt_contacts_en"), f, 18);
    w.Flag(L1("add_prvt_grp_en"), f, 17);
    w.Flag(L1("tx_tot_en"), f, 16);
    w.Flag(L1("ota_clone_rx_en"), f, 31);
    w.Flag(L1("remote_disable_rx_en"), f, 30);
    w.Flag(L1("remote_monitor_rx_en"), f, 29);
    w.Flag(L1("ota_time_update_rx_en"), f, 28);
    w.Flag(L1("ota_clone_tx_en"), f, 27);
    w.Flag(L1("remote_disable_en"), f, 26);
    w.Flag(L1("remote_monitor_en"), f, 25);
    w.Flag(L1("ota_time_update_en"), f, 24);
    w.Attribute(L1("static_ergo_flag2"), 0);
    w.Raw(L1(">\r\n\t<languages>"));
    // num_of_languages may come from a profile; the image holds six.
    const int languages = std::min<int>(r.num_of_languages, kMaxLanguages);
    for (int k = 0; k < languages; ++k) {
        w.Attribute(L1("\r\n\t<language "), L1("language_id"), r.languages[k]);
        w.Raw(L1(" />"));
    }
    w.Raw(L1("\r\n\t</languages>\r\n\t</limit>"));
}

void WriteSetting(ProfileTextWriter& w, const RadioSettings& s)
{
    w.Raw(L1("\r\n\t<setting"));
    w.Attribute(L1("password"), s.password);
    w.Attribute(L1("contrast"), s.contrast);
    w.Attribute(L1("backlight"), s.backlight);
    w.Attribute(L1("vibracall"), s.vibracall);
    w.Attribute(L1("tot_timer"), s.tot_timer);
    w.Attribute(L1("current_time"), s.current_time);
    w.Attribute(L1("alarm_time"), s.alarm_time);
    w.Attribute(L1("ringer_vol_level"), s.ringer_vol_level);
    w.Attribute(L1("speaker_vol_level"), s.speaker_vol_level);
    w.Attribute(L1("keypad_vol_level"), s.keypad_vol_level);
    w.Attribute(L1("alarm_vol_level"), s.alarm_vol_level);
    w.Attribute(L1("earpiece_vol_level"), s.earpiece_vol_level);
    w.Attribute(L1("language"), s.language);
    w.Attribute(L1("call_forward_id"), s.call_forward_id);
    w.Attribute(L1("tpt_offset"), s.tpt_offset);
    w.Attribute(L1("noise_level_accessory"), s.noiseLevels >> 4);
    w.Attribute(L1("noise_level_radio"), s.noiseLevels & 15);
    const quint32 f = s.settingsFlags;
    w.Flag(L1("time_format"), f, 31);
    w.Flag(L1("date_format"), f, 30);
    w.Flag(L1("see_all_grps"), f, 29);
    w.Flag(L1("scan_en"), f, 28);
    w.Flag(L1("alarm_en"), f, 27);
    w.Flag(L1("mngr_mode"), f, 26);
    w.Flag(L1("call_fwd_en"), f, 25);
    w.Flag(L1("is_disabled"), f, 24);
    w.Flag(L1("prog_mode_dis"), f, 18);
    w.Flag(L1("internal_ptt_dis"), f, 17);
    w.Flag(L1("tx_timeout_timer_dis"), f, 19);
    w.Raw(L1("\r\n\t/>\n\r"));
}

quint32 FlagBit(quint8 flags, quint8 mask)
{
    return (flags & mask) ? 1 : 0;
}

void WritePublicGroup(ProfileTextWriter& w, const ContactRecord& c)
{
    w.Raw(L1("\r\n\t<PublicGroup"));
    w.Attribute(L1("cntct_type"), c.cntct_type);
    w.Attribute(L1("name"), c.name);
    w.Attribute(L1("pid"), c.pid);
    w.Attribute(L1("channel"), c.channel);
    w.Attribute(L1("in_scan_list"), FlagBit(c.contactFlags, kContactInScanList));
    w.Attribute(L1("in_scroll_list"), FlagBit(c.contactFlags, kContactInScrollList));
    w.Raw(L1("\r\n\t/>"));
}

void WritePrivateGroup(ProfileTextWriter& w, const ContactRecord& c)
{
    w.Raw(L1("\r\n\t<PrivateGroup"));
    w.Attribute(L1("\n\r\t"), L1("cntct_type"), c.cntct_type);
    w.Attribute(L1("name"), c.name);
    w.Attribute(L1("pid"), c.pid);
    w.Attribute(L1("channel"), c.channel);
    w.Attribute(L1(" \r\n\t"), L1("in_scroll_list"), FlagBit(c.contactFlags, kContactInScrollList));
    w.Raw(L1("\r\n\t/>"));
}

void WritePrivate(ProfileTextWriter& w, const ContactRecord& c)
{
    w.Raw(L1("\r\n\t<Private"));
    w.Attribute(L1("cntct_type"), c.cntct_type);
    w.Attribute(L1("name"), c.name);
    w.Attribute(L1("pid"), c.pid);
    w.Attribute(L1("channel"), c.channel);
    w.Attribute(L1("in_scroll_list"), FlagBit(c.contactFlags, kContactInScrollList));
    w.Attribute(L1("alert_tone"), c.alert_tone);
    w.Attribute(L1("home_grp"), c.home_grp);
    w.Attribute(L1("show_grp_only"), FlagBit(c.contactFlags, kContactShowGrpOnly));
    w.Attribute(L1("id_in_use"), FlagBit(c.contactFlags, kContactIdInUse));
    w.Attribute(L1("see_all_groups"), FlagBit(c.roleFlags, kRoleSeeAllGroups));
    w.Attribute(L1("mngr_mode"), FlagBit(c.roleFlags, kRoleMngrMode));
    w.Attribute(L1("private_scroll_list"), 0);
    w.Raw(L1("><ParentPrivateGroups>"));
    for (const QString& parent : c.parentGroups) {
        if (parent.isEmpty())
            continue;
        w.Attribute(L1("<ParentPrivateGroup "), L1("pid "), parent);
        w.Raw(L1(" />"));
    }
    w.Raw(L1("</ParentPrivateGroups><scrolllist/></Private>"));
}

}  // namespace

QString CDataAdaptor::EscapeXmlText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    ProfileTextWriter(out).Escaped(text);
    return out;
}

bool CDataAdaptor::VirtualCP2XML(const VirtualCP& image, QString& text)
{
    QString out;
    out.reserve(40000);
    ProfileTextWriter w(out);
    w.Raw(L1("<?xml version=\"1.0\" encoding=\"utf-8\" ?><KVXProfile xmlns=\""));
    w.Raw(L1(kvx::xml::kProfileNamespace));
    w.Raw(L1("\">"));
    WriteVersion(w, image.version);
    WriteLimit(w, image.radioInfo);
    WriteSetting(w, image.settings);

    // One pass over the slots fills the three lists, each in slot order.
    QString publicGroups, privateGroups, privates;
    publicGroups.reserve(8000);
    privateGroups.reserve(8000);
    privates.reserve(32000);
    ProfileTextWriter pub(publicGroups), grp(privateGroups), prv(privates);
    for (const ContactRecord& c : image.contacts) {
        switch (c.cntct_type) {
        case kContactPublicGroup: WritePublicGroup(pub, c); break;
        case kContactPrivateGroup: WritePrivateGroup(grp, c); break;
        case kContactPrivate: WritePrivate(prv, c); break;
        default: break;
        }
    }
    w.Raw(L1("\n\r<Contacts> <PublicGroups>"));
    out.append(publicGroups);
    w.Raw(L1("</PublicGroups><PrivateGroups>"));
    out.append(privateGroups);
    w.Raw(L1("</PrivateGroups><Privates>"));
    out.append(privates);
    w.Raw(L1("</Privates></Contacts>"));

    w.Raw(L1("\r\n<TextMessages>"));
    for (const QString& message : image.textMessages) {
        if (message.isEmpty())
            continue;
        w.Attribute(L1("\r\n\t<TextMessage "), L1("txt"), message);
        w.Raw(L1(" />"));
    }
    w.Raw(L1("\r\n\t</TextMessages></KVXProfile>"));
    text = std::move(out);
    return true;
}
