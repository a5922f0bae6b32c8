#include "DataAdaptor.h"
#include "ProfileValues.h"

#include "KVXZOTException.h"
#include "XmlService.h"

using kvx::xml::NodeType;
using kvx::xml::XmlDocument;
using kvx::xml::XmlError;
using kvx::xml::XmlNode;

namespace {

constexpr const char* kCopyOp = "CDataAdaptor::CopyPrvtScrlLst";
constexpr const char* kReadOp = "CDataAdaptor::XML2VirtualCP";

constexpr qint32 kCodeFatal = 102;
constexpr qint32 kCodeInvalidProfile = 105;
constexpr qint32 kCodeUnknown = 106;

QString ErrorText(const XmlError& e)
{
    return QStringLiteral("ErrorMsg: %1\nDesc: %2\nSource: %3").arg(e.ErrorMessage(), e.Description(), e.Source());
}

XmlDocument CreateDocument(const char* op)
{
    XmlDocument doc;
    try {
        doc = XmlDocument::Create();
    } catch (const XmlError&) {
        doc = XmlDocument();
    }
    if (doc.IsNull())
        KVX_RAISE(kCodeFatal, QStringLiteral("create MSXML2::DOMDocument40 failed"), op);
    return doc;
}

// Attribute access that fails like a value that cannot be converted when
// the attribute is missing.
class Attributes {
public:
    Attributes(const XmlNode& node, const char* op) : m_node(node), m_op(op) {}

    QString Text(const QString& name) const
    {
        bool present = false;
        QString value = m_node.GetAttribute(name, &present);
        if (!present)
            throw XmlError(QStringLiteral("Attribute '%1' is missing.").arg(name),
                           QStringLiteral("The element '%1' has no attribute '%2' to convert.").arg(m_node.BaseName(), name),
                           QString::fromLatin1(m_op));
        return value;
    }
    quint32 Number(const QString& name) const { return ProfileNumber(Text(name)); }
    quint8 Byte(const QString& name) const { return quint8(Number(name)); }
    bool Flag(const QString& name) const { return Number(name) & 1u; }
    bool Boolean(const QString& name) const
    {
        bool ok = false;
        const bool value = ProfileBoolean(Text(name), &ok);
        if (!ok)
            throw XmlError(QStringLiteral("Type mismatch."),
                           QStringLiteral("The attribute '%1' is not a boolean.").arg(name), QString::fromLatin1(m_op));
        return value;
    }

private:
    XmlNode m_node;
    const char* m_op;
};

XmlNode RequiredNode(const XmlDocument& doc, const QString& xpath)
{
    XmlNode node = doc.SelectSingleNode(xpath);
    if (node.IsNull())
        throw XmlError(QStringLiteral("Required element not found."), QStringLiteral("'%1' selects nothing.").arg(xpath),
                       QString::fromLatin1(kReadOp));
    return node;
}

// Calls visit for node and each following sibling until the first one that
// is not an element.
template <typename Visit>
void WalkSiblings(XmlNode node, Visit visit)
{
    for (; !node.IsNull() && node.Type() == NodeType::Element; node = node.NextSibling())
        visit(node);
}

void SetBit(quint32& word, int bit, bool on)
{
    word = on ? (word | (1u << bit)) : (word & ~(1u << bit));
}

void SetMask(quint8& flags, quint8 mask, bool on)
{
    flags = on ? quint8(flags | mask) : quint8(flags & ~mask);
}

[[noreturn]] void RaiseTooMany(const QString& what, int limit)
{
    KVX_RAISE(kCodeInvalidProfile, QStringLiteral("The profile holds more %1 than the codeplug image (%2).").arg(what).arg(limit),
              kReadOp);
}

void ReadVersion(const XmlDocument& doc, CodeplugVersion& v)
{
    const Attributes a(RequiredNode(doc, QStringLiteral("//dfns:version")), kReadOp);
    const QString phase = a.Text(QStringLiteral("firmware_phase"));
    v.firmware_phase = phase.isEmpty() ? 0 : quint8(phase.at(0).unicode());
    v.firmware_release = a.Byte(QStringLiteral("firmware_release"));
    v.firmware_version = a.Byte(QStringLiteral("firmware_version"));
    v.firmware_revision = a.Byte(QStringLiteral("firmware_revision"));
    v.codeplug_structure = a.Byte(QStringLiteral("codeplug_structure"));
    v.codeplug_version = a.Byte(QStringLiteral("codeplug_version"));
    v.codeplug_dev_version = a.Byte(QStringLiteral("codeplug_dev_version"));
}

struct FlagName {
    const char* name;
    int bit;
};

constexpr FlagName kLimitFlags[] = {
    {"mngr_mode_en", 14},          {"see_all_groups_en", 13},    {"vibracall_dis", 12},
    {"public_scan_en", 11},        {"prvt_call_rec_dis", 10},    {"sms_compose_mesgs_en", 9},
    {"sms_free_form_mesgs_en", 8}, {"sms_mesgs_rx_en", 23},      {"sms_mesgs_tx_en", 22},
    {"prvt_call_ret_en", 21},      {"prvt_call_tx_en", 20},      {"call_forward_en", 19},
    {"add_prvt_contacts_en", 18},  {"add_prvt_grp_en", 17},      {"tx_tot_en", 16},
    {"ota_clone_rx_en", 31},       {"remote_disable_rx_en", 30}, {"remote_monitor_rx_en", 29},
    {"ota_time_update_rx_en", 28}, {"ota_clone_tx_en", 27},      {"remote_disable_en", 26},
    {"remote_monitor_en", 25},     {"ota_time_update_en", 24}};

constexpr FlagName kSettingFlags[] = {
    {"time_format", 31},   {"date_format", 30}, {"see_all_grps", 29},   {"scan_en", 28},
    {"alarm_en", 27},      {"mngr_mode", 26},   {"call_fwd_en", 25},    {"is_disabled", 24},
    {"prog_mode_dis", 18}, {"internal_ptt_dis", 17}, {"tx_timeout_timer_dis", 19}};

void ReadLimit(const XmlDocument& doc, RadioInfo& r)
{
    const Attributes a(RequiredNode(doc, QStringLiteral("//dfns:limit")), kReadOp);
    r.pid = a.Text(QStringLiteral("pid"));
    r.valid_PID_start = a.Text(QStringLiteral("valid_PID_start"));
    r.valid_PID_end = a.Text(QStringLiteral("valid_PID_end"));
    for (int n = 0; n < kPublicGroupRangeCount; ++n) {
        PublicGroupRange& range = r.publicGroupRanges[n];
        range.start_pid = a.Text(QStringLiteral("public_grp_info_start_pid%1").arg(n));
        range.pid_name = a.Text(QStringLiteral("public_grp_info_pid_name%1").arg(n));
        range.lst_size = a.Byte(QStringLiteral("public_grp_info_lst_size%1").arg(n));
    }
    r.model = a.Text(QStringLiteral("model"));
    r.clone_compatibility_version = a.Byte(QStringLiteral("clone_compatibility_version"));
    r.max_num_of_contacts = a.Byte(QStringLiteral("max_num_of_contacts"));
    r.max_num_of_private_grps = a.Byte(QStringLiteral("max_num_of_private_grps"));
    r.max_num_of_public_grps = a.Byte(QStringLiteral("max_num_of_public_grps"));
    r.max_num_of_predefined_msgs = a.Byte(QStringLiteral("max_num_of_predefined_msgs"));
    r.max_num_of_channels = a.Byte(QStringLiteral("max_num_of_channels"));
    r.max_vol_level = a.Byte(QStringLiteral("max_vol_level"));
    r.num_of_languages = a.Byte(QStringLiteral("num_of_languages"));
    for (const FlagName& f : kLimitFlags)
        SetBit(r.limitFlags, f.bit, a.Flag(QLatin1StringView(f.name)));

    // The image holds six languages; further language elements are not
    // kept (they never travel to a radio, which reports its own).
    int k = 0;
    WalkSiblings(doc.SelectSingleNode(QStringLiteral("//dfns:language")), [&](const XmlNode& node) {
        if (k < kMaxLanguages)
            r.languages[k] = Attributes(node, kReadOp).Byte(QStringLiteral("language_id"));
        ++k;
    });
}

void ReadSetting(const XmlDocument& doc, RadioSettings& s)
{
    const Attributes a(RequiredNode(doc, QStringLiteral("//dfns:setting")), kReadOp);
    s.password = a.Text(QStringLiteral("password"));
    s.call_forward_id = a.Text(QStringLiteral("call_forward_id"));
    s.backlight = a.Number(QStringLiteral("backlight"));
    s.current_time = a.Number(QStringLiteral("current_time"));
    s.alarm_time = a.Number(QStringLiteral("alarm_time"));
    s.contrast = a.Byte(QStringLiteral("contrast"));
    s.vibracall = a.Byte(QStringLiteral("vibracall"));
    s.tot_timer = a.Byte(QStringLiteral("tot_timer"));
    s.ringer_vol_level = a.Byte(QStringLiteral("ringer_vol_level"));
    s.speaker_vol_level = a.Byte(QStringLiteral("speaker_vol_level"));
    s.keypad_vol_level = a.Byte(QStringLiteral("keypad_vol_level"));
    s.alarm_vol_level = a.Byte(QStringLiteral("alarm_vol_level"));
    s.earpiece_vol_level = a.Byte(QStringLiteral("earpiece_vol_level"));
    s.language = a.Byte(QStringLiteral("language"));
    s.tpt_offset = a.Byte(QStringLiteral("tpt_offset"));
    const quint32 accessory = a.Number(QStringLiteral("noise_level_accessory"));
    const quint32 radio = a.Number(QStringLiteral("noise_level_radio"));
    s.noiseLevels = quint8(((accessory & 15u) << 4) | (radio & 15u));
    for (const FlagName& f : kSettingFlags)
        SetBit(s.settingsFlags, f.bit, a.Flag(QLatin1StringView(f.name)));
}

// The fields every contact kind carries.
void ReadContactBase(const Attributes& a, ContactRecord& c)
{
    c.cntct_type = a.Byte(QStringLiteral("cntct_type"));
    c.name = a.Text(QStringLiteral("name"));
    c.pid = a.Text(QStringLiteral("pid"));
    c.channel = a.Byte(QStringLiteral("channel"));
}

void ReadContacts(const XmlDocument& doc, VirtualCP& image)
{
    int slot = 0;
    auto next = [&]() -> ContactRecord& {
        if (slot >= kMaxContacts)
            RaiseTooMany(QStringLiteral("contacts"), kMaxContacts);
        return image.contacts[slot++];
    };

    WalkSiblings(doc.SelectSingleNode(QStringLiteral("//dfns:PublicGroup")), [&](const XmlNode& node) {
        const Attributes a(node, kReadOp);
        ContactRecord& c = next();
        ReadContactBase(a, c);
        SetMask(c.contactFlags, kContactInScanList, a.Flag(QStringLiteral("in_scan_list")));
        SetMask(c.contactFlags, kContactInScrollList, a.Flag(QStringLiteral("in_scroll_list")));
    });

    WalkSiblings(doc.SelectSingleNode(QStringLiteral("//dfns:PrivateGroup")), [&](const XmlNode& node) {
        const Attributes a(node, kReadOp);
        ContactRecord& c = next();
        ReadContactBase(a, c);
        SetMask(c.contactFlags, kContactInScrollList, a.Flag(QStringLiteral("in_scroll_list")));
    });

    WalkSiblings(doc.SelectSingleNode(QStringLiteral("//dfns:Private")), [&](const XmlNode& node) {
        const Attributes a(node, kReadOp);
        ContactRecord& c = next();
        ReadContactBase(a, c);
        SetMask(c.contactFlags, kContactInScrollList, a.Flag(QStringLiteral("in_scroll_list")));
        c.alert_tone = a.Byte(QStringLiteral("alert_tone"));
        c.home_grp = a.Text(QStringLiteral("home_grp"));
        SetMask(c.contactFlags, kContactShowGrpOnly, a.Flag(QStringLiteral("show_grp_only")));
        SetMask(c.contactFlags, kContactIdInUse, a.Flag(QStringLiteral("id_in_use")));
        SetMask(c.roleFlags, kRoleSeeAllGroups, a.Flag(QStringLiteral("see_all_groups")));
        SetMask(c.roleFlags, kRoleMngrMode, a.Flag(QStringLiteral("mngr_mode")));
        int parent = 0;
        WalkSiblings(node.SelectSingleNode(QStringLiteral("./dfns:*/dfns:ParentPrivateGroup")), [&](const XmlNode& group) {
            if (parent >= kMaxParentGroups)
                RaiseTooMany(QStringLiteral("parent groups for the private '%1'").arg(c.name), kMaxParentGroups);
            c.parentGroups[parent++] = Attributes(group, kReadOp).Text(QStringLiteral("pid"));
        });
    });
}

void ReadTextMessages(const XmlDocument& doc, VirtualCP& image)
{
    int slot = 0;
    WalkSiblings(doc.SelectSingleNode(QStringLiteral("//dfns:TextMessage")), [&](const XmlNode& node) {
        if (slot >= kMaxTextMessages)
            RaiseTooMany(QStringLiteral("text messages"), kMaxTextMessages);
        image.textMessages[slot++] = Attributes(node, kReadOp).Text(QStringLiteral("txt"));
    });
}

}  // namespace

XmlDocument CDataAdaptor::CopyPrvtScrlLst(const QString& text, const QString& ownId)
{
    XmlDocument doc = CreateDocument(kCopyOp);
    try {
        // A text that does not parse leaves the document empty; the
        // caller's first query reports it.
        doc.LoadXml(text);
        if (ownId.isEmpty())
            return doc;
        const QString ownPrivate = QStringLiteral("//dfns:Privates/dfns:Private[@pid=%1]").arg(XPathLiteral(ownId));
        const XmlNode own = doc.SelectSingleNode(ownPrivate);
        if (own.IsNull() || !Attributes(own, kCopyOp).Boolean(QStringLiteral("private_scroll_list")))
            return doc;

        const QString contacts = QStringLiteral("//dfns:Contacts/dfns:*/dfns:*");
        for (XmlNode contact : doc.SelectNodes(contacts))
            contact.SetAttribute(QStringLiteral("in_scroll_list"), QStringLiteral("0"));
        // The first contact of each listed name joins the scroll list; an
        // XPath literal that can hold any name, double quotes included,
        // finds it directly.
        for (const XmlNode& entry : doc.SelectNodes(ownPrivate + QStringLiteral("/dfns:scrolllist/dfns:list"))) {
            const QString name = Attributes(entry, kCopyOp).Text(QStringLiteral("name"));
            XmlNode contact = doc.SelectSingleNode(contacts + QStringLiteral("[@name=%1]").arg(XPathLiteral(name)));
            if (!contact.IsNull())
                contact.SetAttribute(QStringLiteral("in_scroll_list"), QStringLiteral("1"));
        }
        return doc;
    } catch (CKVXZOTException& e) {
        KVX_RERAISE(e, kCopyOp);
    } catch (const XmlError& e) {
        KVX_RAISE(kCodeUnknown, ErrorText(e), kCopyOp);
    }
}

bool CDataAdaptor::XML2VirtualCP(const QString& text, VirtualCP& image, const QString& ownId)
{
    try {
        const XmlDocument doc = CopyPrvtScrlLst(text, ownId);
        // Filled apart and handed over whole, so a failure leaves the
        // caller's image as it was.
        VirtualCP filled;
        ReadVersion(doc, filled.version);
        ReadLimit(doc, filled.radioInfo);
        ReadSetting(doc, filled.settings);
        ReadContacts(doc, filled);
        ReadTextMessages(doc, filled);
        image = std::move(filled);
        return true;
    } catch (CKVXZOTException& e) {
        KVX_RERAISE(e, kReadOp);
    } catch (const XmlError& e) {
        KVX_RAISE(kCodeUnknown, ErrorText(e), kReadOp);
    }
}
