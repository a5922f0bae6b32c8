#include "ReportProfile.h"

#include "ModelErrors.h"
#include "NameCollation.h"
#include "ProfileVersion.h"
#include "RadioDataModel.h"
#include "ValueConversion.h"

#include <algorithm>

using namespace kvx::xml;

namespace {

QString Text(const CDataItem& item, const QString& name)
{
    return item.GetAttributeValue(name).toString();
}

int Number(const CDataItem& item, const QString& name)
{
    return VariantToInt32(item.GetAttributeValue(name)).value_or(0);
}

bool Flag(const CDataItem& item, const QString& name)
{
    return VariantToBool(item.GetAttributeValue(name)).value_or(false);
}

// The element children of an item; a comment or other node is no entry.
std::vector<CDataItem> Entries(const CDataItem& list)
{
    std::vector<CDataItem> entries;
    const int count = list.GetChildCount();
    entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        CDataItem child;
        list.GetChildByIndex(i, child);
        if (!child.IsEmpty() && child.GetNode().Type() == NodeType::Element)
            entries.push_back(child);
    }
    return entries;
}

ReportContact ReadContact(const CDataItem& item)
{
    ReportContact c;
    c.name = Text(item, QStringLiteral("name"));
    c.pid = Text(item, QStringLiteral("pid"));
    c.channel = Number(item, QStringLiteral("channel"));
    c.type = Number(item, QStringLiteral("cntct_type"));
    c.inScrollList = Flag(item, QStringLiteral("in_scroll_list"));
    return c;
}

ReportContact ReadPrivate(const CDataItem& item)
{
    ReportContact c = ReadContact(item);
    c.alertTone = Number(item, QStringLiteral("alert_tone"));
    c.homeGroup = Text(item, QStringLiteral("home_grp"));
    c.showGroupOnly = Flag(item, QStringLiteral("show_grp_only"));
    c.seeAllGroups = Flag(item, QStringLiteral("see_all_groups"));
    c.managerMode = Flag(item, QStringLiteral("mngr_mode"));
    c.privateScrollList = Flag(item, QStringLiteral("private_scroll_list"));
    CDataItem parents;
    item.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
    for (const CDataItem& parent : Entries(parents))
        c.parentGroups << Text(parent, QStringLiteral("pid"));
    return c;
}

template <typename Read>
std::vector<ReportContact> ReadList(const CDataItem& contacts, const QString& listName, Read read)
{
    CDataItem list;
    contacts.GetChildByName(listName, list);
    std::vector<ReportContact> result;
    for (const CDataItem& entry : Entries(list))
        result.push_back(read(entry));
    std::stable_sort(result.begin(), result.end(),
                     [](const ReportContact& a, const ReportContact& b) { return CompareNames(a.name, b.name) < 0; });
    return result;
}

QString CodeplugVersionText(const XmlNode& version)
{
    return QString::asprintf("CP%02X.%02X.%02X", ProfileVersionByte(version, QStringLiteral("codeplug_structure")),
                             ProfileVersionByte(version, QStringLiteral("codeplug_version")),
                             ProfileVersionByte(version, QStringLiteral("codeplug_dev_version")));
}

}  // namespace

void SortByName(QStringList& names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return CompareNames(a, b) < 0; });
}

ReportProfile ReportProfile::Read(CRadioDataModel& model)
{
    ReportProfile p;
    p.root = model.GetRootItem();
    p.group = model.GetGroup();
    p.banks = model.GetPublicGroupRanges();

    CDataItem version, limit, setting, contacts, messages;
    p.root.GetChildByName(QStringLiteral("version"), version);
    p.root.GetChildByName(QStringLiteral("limit"), limit);
    p.root.GetChildByName(QStringLiteral("setting"), setting);
    p.root.GetChildByName(QStringLiteral("Contacts"), contacts);
    p.root.GetChildByName(QStringLiteral("TextMessages"), messages);

    try {
        p.firmwareVersion = FirmwareVersionText(version.GetNode());
        p.codeplugVersion = CodeplugVersionText(version.GetNode());
    }
    KVX_CATCH_XML(106, "ReportProfile::Read")
    p.unitId = Text(limit, QStringLiteral("pid"));
    p.model = Text(limit, QStringLiteral("model"));
    p.managerModeEnabled = Flag(limit, QStringLiteral("mngr_mode_en"));
    p.seeAllGroupsEnabled = Flag(limit, QStringLiteral("see_all_groups_en"));
    p.publicScanEnabled = Flag(limit, QStringLiteral("public_scan_en"));
    p.scanMode = Flag(setting, QStringLiteral("scan_en"));

    p.publicGroups = ReadList(contacts, QStringLiteral("PublicGroups"), [](const CDataItem& item) {
        ReportContact c = ReadContact(item);
        c.inScanList = Flag(item, QStringLiteral("in_scan_list"));
        return c;
    });
    p.privateGroups = ReadList(contacts, QStringLiteral("PrivateGroups"), ReadContact);
    p.privates = ReadList(contacts, QStringLiteral("Privates"), ReadPrivate);

    for (const CDataItem& message : Entries(messages))
        p.messages << Text(message, QStringLiteral("txt"));
    SortByName(p.messages);
    return p;
}

const ReportContact* ReportProfile::FindContact(const QString& pid) const
{
    for (const auto* list : {&publicGroups, &privateGroups, &privates}) {
        for (const ReportContact& c : *list) {
            if (c.pid == pid)
                return &c;
        }
    }
    return nullptr;
}

const ReportContact* ReportProfile::FindPrivate(const QString& pid) const
{
    for (const ReportContact& c : privates) {
        if (c.pid == pid)
            return &c;
    }
    return nullptr;
}

QString ReportProfile::DisplayModel() const
{
    QString shown = model;
    return shown.replace(QLatin1Char('D'), QStringLiteral("KVX"));
}
