#include "ControlIds.h"
#include "KVXZOTApp.h"
#include "XmlService.h"
#include "XmlTestDoc.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using Doc = XmlTestDoc;

const Doc& UpDown()
{
    static const Doc doc(InstallationPath(QStringLiteral("lib/UpDownGradeSetting.stv")));
    return doc;
}

xmlNodePtr First(const Doc& doc, const std::string& xpath)
{
    const auto nodes = doc.Select(xpath);
    return nodes.empty() ? nullptr : nodes.front();
}

long long VersionToNumber(const std::string& v)
{
    return CKVXZOTApp::VersionToNumber(QString::fromStdString(v));
}

int GroupNumber(xmlNodePtr groupElement)
{
    return std::stoi(Doc::Name(groupElement).substr(1));
}

// The program's own lookup, on the installation's document.
int VersionGroup(const char* version)
{
    static CKVXZOTApp app([] { return true; });
    static const bool loaded = [] {
        kvx::xml::XmlDocument upDown = kvx::xml::XmlDocument::Create();
        const bool ok = upDown.LoadXml(QString::fromUtf8(UpDown().Bytes()));
        app.SetSettingDocuments(kvx::xml::XmlDocument(), upDown);
        return ok;
    }();
    EXPECT_TRUE(loaded);
    return app.GetVersionGroup(QString::fromLatin1(version));
}

// ---- the three documents as files ----------------------------------------

class SettingsDocument : public ::testing::TestWithParam<const char*> {};

TEST_P(SettingsDocument, IsPlainAsciiXmlInTheProfileNamespace)
{
    const Doc doc(InstallationPath(QStringLiteral("lib/") + QString::fromLatin1(GetParam())));
    ASSERT_TRUE(doc.IsLoaded());
    // Unscrambled documents must begin so; they are read as code page 1252.
    EXPECT_TRUE(doc.Bytes().startsWith("<?xml"));
    for (char c : doc.Bytes())
        ASSERT_EQ(static_cast<unsigned char>(c) & 0x80, 0) << "non-ASCII byte";
    ASSERT_NE(doc.Root()->ns, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(doc.Root()->ns->href), kvx::xml::kProfileNamespace);
    EXPECT_EQ(doc.Root()->ns->prefix, nullptr) << "the namespace must be the default namespace";
}

INSTANTIATE_TEST_SUITE_P(Installation, SettingsDocument,
                         ::testing::Values("Region.stv", "UpDownGradeSetting.stv", "HelpPane.stv"));

TEST(RegionDocument, NamesTheBuildsRegionAndItsSevenLanguages)
{
    const Doc doc(InstallationPath(QStringLiteral("lib/Region.stv")));
    const auto regions = doc.Select("//dfns:Region");
    ASSERT_FALSE(regions.empty());
    EXPECT_EQ(Doc::Attr(regions.front(), "name"), "JUB");

    std::map<std::string, std::string> languages;
    for (xmlNodePtr language : doc.Select("//dfns:SupportLanguages/dfns:language"))
        languages[Doc::Attr(language, "name")] = Doc::Attr(language, "displayName");
    const std::map<std::string, std::string> expected = {
        {"English", "English"},
        {"Spanish", "Spanish"},
        {"French", "French"},
        {"German", "German"},
        {"CaFrench", "Canadian French"},
        {"LaSpanish", "Latin American Spanish"},
        {"LaPortuguese", "Latin American Portuguese"},
    };
    EXPECT_EQ(languages, expected);
}

// ---- ZOTVersion ----------------------------------------------------------

TEST(ModelGroups, VersionsAreWellFormedAndGroupsInOrder)
{
    const auto groups = Doc::ChildElements(First(UpDown(), "/dfns:UpDownGradeSetting/dfns:ZOTVersion"));
    ASSERT_EQ(groups.size(), 3u);
    const QRegularExpression form(QStringLiteral("^5E\\.[0-9]{2}\\.[0-9]{2}$"));
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(Doc::Name(groups[i]), "G" + std::to_string(i + 1));
        for (xmlNodePtr entry : Doc::ChildElements(groups[i])) {
            for (const char* attr : {"version", "startVer", "endVer"}) {
                if (Doc::HasAttr(entry, attr)) {
                    EXPECT_TRUE(form.match(QString::fromStdString(Doc::Attr(entry, attr))).hasMatch())
                        << Doc::Attr(entry, attr);
                }
            }
        }
    }
}

TEST(ModelGroups, SpansAreOrderedDisjointAndHoldTheirOwnVersions)
{
    struct Span { int group; long long start, end; };
    std::vector<Span> spans;
    for (xmlNodePtr span : UpDown().Select("//dfns:ZOTVersion/dfns:*/dfns:VerSpan")) {
        spans.push_back({GroupNumber(span->parent), VersionToNumber(Doc::Attr(span, "startVer")),
                         VersionToNumber(Doc::Attr(span, "endVer"))});
        EXPECT_LE(spans.back().start, spans.back().end);
    }
    ASSERT_EQ(spans.size(), 3u);
    for (std::size_t i = 1; i < spans.size(); ++i)
        EXPECT_LT(spans[i - 1].end, spans[i].start) << "spans overlap or are out of order";
    for (xmlNodePtr version : UpDown().Select("//dfns:ZOTVersion/dfns:*/dfns:FirmwareVer")) {
        const long long n = VersionToNumber(Doc::Attr(version, "version"));
        for (const Span& span : spans) {
            if (span.start <= n && n <= span.end) {
                EXPECT_EQ(span.group, GroupNumber(version->parent)) << Doc::Attr(version, "version");
            }
        }
    }
}

TEST(ModelGroups, MapFirmwareVersionsToTheirGeneration)
{
    // A fresh codeplug image carries release 94, version 8, revision 0: the
    // latest format, and the version a converted profile is given.
    EXPECT_EQ(VersionGroup("R5E.08.00"), 3);
    EXPECT_EQ(Doc::Attr(First(UpDown(), "//dfns:UpDownGradeSetting/dfns:ZOTVersion/dfns:G3/dfns:FirmwareVer"), "version"),
              "5E.08.00");
    EXPECT_EQ(VersionGroup("D5E.07.30"), 3);
    EXPECT_EQ(VersionGroup("R5E.05.00"), 2);
    EXPECT_EQ(VersionGroup("R5E.06.17"), 2);
    EXPECT_EQ(VersionGroup("R5E.04.00"), 2);
    EXPECT_EQ(VersionGroup("R5E.03.04"), 1);
    EXPECT_EQ(VersionGroup("D5E.00.22"), 1);
    EXPECT_EQ(VersionGroup("R5D.08.00"), 0);
}

// ---- CodePlugSetting -----------------------------------------------------

struct Field {
    std::string kind, name, node, defaultValue;
};

// Attributes and child elements of the profile grammar that a group may lack.
const std::map<std::string, std::set<std::string>> kGrammar = {
    {"setting",
     {"password", "contrast", "backlight", "vibracall", "tot_timer", "current_time", "alarm_time", "ringer_vol_level",
      "speaker_vol_level", "keypad_vol_level", "alarm_vol_level", "earpiece_vol_level", "language", "call_forward_id",
      "tpt_offset", "noise_level_accessory", "noise_level_radio", "time_format", "date_format", "see_all_grps",
      "scan_en", "alarm_en", "mngr_mode", "call_fwd_en", "is_disabled", "prog_mode_dis", "internal_ptt_dis",
      "tx_timeout_timer_dis"}},
    {"Private",
     {"cntct_type", "name", "pid", "channel", "in_scroll_list", "alert_tone", "home_grp", "show_grp_only", "id_in_use",
      "see_all_groups", "mngr_mode", "private_scroll_list", "ParentPrivateGroups", "scrolllist"}},
};

std::map<std::string, Field> FieldsOf(xmlNodePtr section)
{
    std::map<std::string, Field> fields;
    for (xmlNodePtr entry : Doc::ChildElements(section)) {
        Field field{Doc::Name(entry), Doc::Attr(entry, "name"), {}, {}};
        if (field.kind == "CPField") {
            field.node = Doc::Attr(entry, "nodename");
            field.defaultValue = Doc::Attr(entry, "defaulvalue");
            for (const char* attr : {"name", "isExist", "nodename", "defaulvalue", "replaceby"})
                EXPECT_TRUE(Doc::HasAttr(entry, attr)) << field.name << " lacks " << attr;
        } else {
            EXPECT_EQ(field.kind, "CPTag");
            field.node = Doc::Attr(entry, "parentNode");
            for (const char* attr : {"name", "isExist", "parentNode"})
                EXPECT_TRUE(Doc::HasAttr(entry, attr)) << field.name << " lacks " << attr;
        }
        const std::string exist = Doc::Attr(entry, "isExist");
        EXPECT_TRUE(exist == "0" || exist == "1") << field.name;
        EXPECT_TRUE(fields.emplace(field.name, field).second) << "duplicate " << field.name;
    }
    return fields;
}

TEST(CodePlugSetting, EveryGroupHasItsRegionAndCommonPart)
{
    const auto groups = Doc::ChildElements(First(UpDown(), "/dfns:UpDownGradeSetting/dfns:CodePlugSetting"));
    ASSERT_EQ(groups.size(), 3u);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(Doc::Name(groups[i]), "G" + std::to_string(i + 1));
        std::vector<std::string> parts;
        for (xmlNodePtr part : Doc::ChildElements(groups[i]))
            parts.push_back(Doc::Name(part));
        EXPECT_EQ(parts, (std::vector<std::string>{"JUB", "RegionCommon"}));
    }
}

TEST(CodePlugSetting, FieldsAreProfileFieldsListedAlikeByEveryGroup)
{
    const auto reference = FieldsOf(First(UpDown(), "//dfns:CodePlugSetting/dfns:G1/dfns:RegionCommon"));
    ASSERT_FALSE(reference.empty());
    for (const auto& [name, field] : reference) {
        ASSERT_TRUE(kGrammar.count(field.node)) << field.node;
        EXPECT_TRUE(kGrammar.at(field.node).count(name)) << name << " is not a field of " << field.node;
    }
    // The add-field lists are built per group from these parts: each group
    // states every field, and the region part only names known fields.
    for (xmlNodePtr section : UpDown().Select("//dfns:CodePlugSetting/dfns:*/dfns:*")) {
        const auto fields = FieldsOf(section);
        if (Doc::Name(section) == "RegionCommon") {
            EXPECT_EQ(fields.size(), reference.size());
        }
        for (const auto& [name, field] : fields) {
            ASSERT_TRUE(reference.count(name)) << name;
            EXPECT_EQ(field.kind, reference.at(name).kind) << name;
            EXPECT_EQ(field.node, reference.at(name).node) << name;
            EXPECT_EQ(field.defaultValue, reference.at(name).defaultValue) << name;
        }
    }
}

// ---- VisibleSetting and the merge of a group -----------------------------

TEST(VisibleSetting, EveryPartHoldsEveryFormPageAndKnownControls)
{
    const auto parts = UpDown().Select("//dfns:VisibleSetting/dfns:*/dfns:*");
    ASSERT_EQ(parts.size(), 6u);
    for (xmlNodePtr part : parts) {
        std::vector<std::string> pages;
        for (xmlNodePtr page : Doc::ChildElements(part)) {
            pages.push_back(Doc::Name(page));
            std::set<int> seen;
            for (xmlNodePtr control : Doc::ChildElements(page)) {
                EXPECT_EQ(Doc::Name(control), "Control");
                const int id = std::stoi(Doc::Attr(control, "ID"));
                const ControlInfo* info = FindControl(id);
                ASSERT_NE(info, nullptr) << "unknown control " << id;
                EXPECT_EQ(info->page, Doc::Name(page)) << id;
                const std::string visible = Doc::Attr(control, "isVisible");
                EXPECT_TRUE(visible == "0" || visible == "1") << id;
                EXPECT_TRUE(seen.insert(id).second) << "control " << id << " listed twice";
            }
        }
        EXPECT_EQ(pages, std::vector<std::string>(kFormPages.begin(), kFormPages.end()));
    }
}

TEST(VisibleSetting, FieldControlsAreKnownAndNeverListedAsVisibleSettings)
{
    std::set<int> fieldControls;
    for (xmlNodePtr control : UpDown().Select("//dfns:CodePlugSetting//dfns:CPField/dfns:Control")) {
        const int id = std::stoi(Doc::Attr(control, "ID"));
        const ControlInfo* info = FindControl(id);
        ASSERT_NE(info, nullptr) << "unknown control " << id;
        EXPECT_EQ(info->page, Doc::Attr(control, "RightView")) << id;
        EXPECT_TRUE(fieldControls.insert(id).second) << "control " << id << " under two fields";
    }
    ASSERT_FALSE(fieldControls.empty());
    for (xmlNodePtr control : UpDown().Select("//dfns:VisibleSetting//dfns:Control"))
        EXPECT_EQ(fieldControls.count(std::stoi(Doc::Attr(control, "ID"))), 0u)
            << "control " << Doc::Attr(control, "ID") << " would stop the merge with text 292";
}

TEST(VisibleSetting, EveryControlIsEitherAVisibleSettingOrAFieldControl)
{
    std::multiset<int> listed;
    for (xmlNodePtr control : UpDown().Select("//dfns:VisibleSetting/dfns:G1/dfns:RegionCommon/dfns:*/dfns:Control"))
        listed.insert(std::stoi(Doc::Attr(control, "ID")));
    for (xmlNodePtr control : UpDown().Select("//dfns:CodePlugSetting/dfns:G1/dfns:RegionCommon/dfns:CPField/dfns:Control"))
        listed.insert(std::stoi(Doc::Attr(control, "ID")));
    for (const ControlInfo& control : kControls)
        EXPECT_EQ(listed.count(control.id), 1u) << control.name;
    EXPECT_EQ(listed.size(), kControls.size());
}

// The merge of one group's settings into the visible-settings fragment, on
// plain maps: field existence and page controls, G1 as the base, the
// region part over the common part of each group.
struct Merge {
    std::map<std::string, std::pair<bool, std::vector<std::pair<std::string, int>>>> fields;
    std::map<std::string, std::map<int, bool>> pages; // page -> control -> visible
    std::string error;

    void Fields(xmlNodePtr source)
    {
        for (xmlNodePtr field : UpDown().Select("dfns:CPField", source)) {
            auto& target = fields[Doc::Attr(field, "name")];
            target.first = Doc::Attr(field, "isExist") == "1";
            for (xmlNodePtr control : UpDown().Select("dfns:Control", field))
                target.second.emplace_back(Doc::Attr(control, "RightView"), std::stoi(Doc::Attr(control, "ID")));
        }
    }
    void Visible(xmlNodePtr source)
    {
        for (xmlNodePtr control : UpDown().Select("dfns:*/dfns:Control", source)) {
            const std::string page = Doc::Name(control->parent);
            if (!pages.count(page))
                error = "missing page " + page;
            pages[page][std::stoi(Doc::Attr(control, "ID"))] = Doc::Attr(control, "isVisible") == "1";
        }
    }
};

Merge SelectGroup(int n)
{
    const std::string g = "G" + std::to_string(n);
    Merge merged;
    for (xmlNodePtr page : Doc::ChildElements(First(UpDown(), "//dfns:VisibleSetting/dfns:G1/dfns:RegionCommon")))
        merged.pages[Doc::Name(page)];
    merged.Fields(First(UpDown(), "//dfns:CodePlugSetting/dfns:G1/dfns:RegionCommon"));
    merged.Fields(First(UpDown(), "//dfns:CodePlugSetting/dfns:G1/dfns:JUB"));
    merged.Visible(First(UpDown(), "//dfns:VisibleSetting/dfns:G1/dfns:RegionCommon"));
    merged.Visible(First(UpDown(), "//dfns:VisibleSetting/dfns:G1/dfns:JUB"));
    if (n != 1) {
        Merge group;
        group.Fields(First(UpDown(), "//dfns:CodePlugSetting/dfns:" + g + "/dfns:RegionCommon"));
        group.Fields(First(UpDown(), "//dfns:CodePlugSetting/dfns:" + g + "/dfns:JUB"));
        for (const auto& [name, field] : group.fields)
            merged.fields[name].first = field.first;
        merged.Visible(First(UpDown(), "//dfns:VisibleSetting/dfns:" + g + "/dfns:RegionCommon"));
        merged.Visible(First(UpDown(), "//dfns:VisibleSetting/dfns:" + g + "/dfns:JUB"));
    }
    for (const auto& [name, field] : merged.fields) {
        if (!field.first)
            continue;
        for (const auto& [page, id] : field.second) {
            if (!merged.pages.count(page) || merged.pages[page].count(id))
                merged.error = "292 at control " + std::to_string(id);
            merged.pages[page][id] = true;
        }
    }
    return merged;
}

bool Shown(const Merge& merged, int id)
{
    const ControlInfo* info = FindControl(id);
    const auto page = merged.pages.find(std::string(info->page));
    if (page == merged.pages.end())
        return false;
    const auto control = page->second.find(id);
    return control != page->second.end() && control->second;
}

TEST(VisibleSetting, EveryGroupMergesAndShowsWhatItsRadiosHave)
{
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(SelectGroup(n).error, "") << "group " << n;

    const Merge g1 = SelectGroup(1), g2 = SelectGroup(2), g3 = SelectGroup(3);
    using namespace ControlId;
    for (int id : {SettingsPasswordEdit, SettingsConfirmPasswordEdit})
        EXPECT_TRUE(!Shown(g1, id) && !Shown(g2, id) && Shown(g3, id)) << id;
    for (int id : {PrivateScrollEnableCheck, PrivateScrollMembersList, SettingsTxTimeoutCombo, SettingsTptOffsetCombo,
                   PrivateReadIdButton})
        EXPECT_TRUE(!Shown(g1, id) && Shown(g2, id) && Shown(g3, id)) << id;
    // JUB radios of G2 already have the ambient noise levels.
    for (int id : {SettingsAmbientNoiseFrame, SettingsNoiseAccessoryCombo, SettingsNoiseRadioCombo})
        EXPECT_TRUE(!Shown(g1, id) && Shown(g2, id) && Shown(g3, id)) << id;
    // The latest format shows every control; the older ones everything else.
    for (const ControlInfo& control : kControls)
        EXPECT_TRUE(Shown(g3, control.id)) << control.name;
    EXPECT_TRUE(Shown(g1, SettingsVibraCallCheck) && Shown(g1, PrivateIdEdit) && Shown(g1, TextMsgEdit));
}

TEST(CodePlugSetting, EveryListedFieldDiffersBetweenGroups)
{
    std::map<std::string, std::set<bool>> existence;
    for (int n = 1; n <= 3; ++n) {
        for (const auto& [name, field] : SelectGroup(n).fields)
            existence[name].insert(field.first);
    }
    for (const auto& [name, values] : existence)
        EXPECT_EQ(values.size(), 2u) << name << " is the same in every group";
}

} // namespace
