// Defaults of a fresh image and the whole-image operations around reads
// and writes.

#include "CodeplugTestImages.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

}  // namespace

TEST(VirtualCPDefaults, FreshImage)
{
    const VirtualCP cp;
    EXPECT_EQ(cp.version.firmware_phase, 'R');
    EXPECT_EQ(cp.version.firmware_release, 94);
    EXPECT_EQ(cp.version.codeplug_version, 16);
    EXPECT_EQ(cp.radioInfo.valid_PID_start, S("10000001"));
    EXPECT_EQ(cp.radioInfo.valid_PID_end, S("17179867883"));
    EXPECT_EQ(cp.radioInfo.publicGroupRanges[0], (PublicGroupRange{S("17179869183"), QString(), 100}));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(cp.radioInfo.publicGroupRanges[i], (PublicGroupRange{S("0"), QString(), 0}));
    EXPECT_EQ(cp.settings.call_forward_id, S("0"));
    EXPECT_EQ(cp.settings.speaker_vol_level, 1);
    EXPECT_EQ(cp.settings.alarm_vol_level, 1);
    EXPECT_EQ(cp.settings.earpiece_vol_level, 1);
    EXPECT_EQ(cp.settings.ringer_vol_level, 0);
    for (const ContactRecord& c : cp.contacts) {
        EXPECT_EQ(c.cntct_type, kContactEmpty);
        EXPECT_FALSE(c.IsValidContact());
    }
    EXPECT_EQ(cp.contactCount + cp.publicGroupCount + cp.privateGroupCount + cp.textMessageCount, 0);
}

TEST(ImageLookup, CountEntriesAndFindContact)
{
    VirtualCP cp;
    cp.contacts[0] = MakeContact(kContactPublicGroup, S("P"), S("17179869183"));
    cp.contacts[3] = MakeContact(kContactPrivateGroup, S("G"), S("200"));
    cp.contacts[4] = MakeContact(kContactPrivate, S("U"), S("200"));
    cp.contacts[5] = MakeContact(kContactPrivate, QString(), S("300"));   // no name: not valid
    cp.contacts[6] = MakeContact(kContactEmpty, S("E"), S("400"));
    cp.contacts[149] = MakeContact(kContactPrivate, S("Last"), S("500"));
    cp.textMessages[0] = S("a");
    cp.textMessages[24] = S("z");
    cp.CountEntries();
    EXPECT_EQ(cp.contactCount, 4);
    EXPECT_EQ(cp.publicGroupCount, 1);
    EXPECT_EQ(cp.privateGroupCount, 1);
    EXPECT_EQ(cp.textMessageCount, 2);

    EXPECT_EQ(cp.FindContact(S("200")), 3);
    EXPECT_EQ(cp.FindContact(S("200"), kContactPrivate), 4);
    EXPECT_EQ(cp.FindContact(S("200"), kContactPublicGroup), -1);
    EXPECT_EQ(cp.FindContact(S("300")), -1);
    EXPECT_EQ(cp.FindContact(S("400")), -1);
    EXPECT_EQ(cp.FindContact(S("500"), kContactPrivate), 149);
    EXPECT_EQ(cp.FindContact(QString()), -1);
    EXPECT_EQ(cp.FindContact(S("20")), -1);   // exact match only
}

TEST(ImageRepair, RepairGroupReferences)
{
    VirtualCP cp;
    cp.radioInfo.max_num_of_contacts = 255;   // more than the table holds
    cp.contacts[0] = MakeContact(kContactPrivateGroup, S("G1"), S("201"));
    cp.contacts[1] = MakeContact(kContactPrivateGroup, S("G2"), S("202"));
    cp.contacts[2] = MakeContact(kContactPrivateGroup, S("G3"), S("203"));
    cp.contacts[3] = MakeContact(kContactPublicGroup, S("Pub"), S("17179869183"));

    // As parsed from a group list of 3 with home index 2.
    ContactRecord p = MakeContact(kContactPrivate, S("A"), S("10000001"));
    p.parentGroups = Groups({"201", "203", "", "", ""});
    p.home_grp = S("202");
    cp.contacts[4] = p;

    ContactRecord dangling = MakeContact(kContactPrivate, S("B"), S("10000002"));
    dangling.parentGroups = Groups({"999", "201", "17179869183", "", ""});
    dangling.home_grp = S("888");
    cp.contacts[5] = dangling;

    ContactRecord publicHome = MakeContact(kContactPrivate, S("C"), S("10000003"));
    publicHome.home_grp = S("17179869183");
    cp.contacts[6] = publicHome;

    ContactRecord full = MakeContact(kContactPrivate, S("D"), S("10000004"));
    full.parentGroups = Groups({"201", "202", "203", "201", "202"});
    full.home_grp = S("203");
    cp.contacts[7] = full;

    cp.RepairGroupReferences();
    EXPECT_EQ(cp.contacts[4].parentGroups, Groups({"201", "203", "202", "", ""}));
    EXPECT_EQ(cp.contacts[4].home_grp, S("202"));
    // Unknown parents are emptied in place (public groups are not parents);
    // the home group fills the first free entry.
    EXPECT_EQ(cp.contacts[5].parentGroups, Groups({"", "201", "", "", ""}));
    EXPECT_TRUE(cp.contacts[5].home_grp.isEmpty());
    // A public home group stays home but is no parent.
    EXPECT_EQ(cp.contacts[6].home_grp, S("17179869183"));
    EXPECT_EQ(cp.contacts[6].parentGroups, Groups({}));
    // No free entry: nothing is added.
    EXPECT_EQ(cp.contacts[7].parentGroups, full.parentGroups);

    // Only slots below the radio's capacity are repaired.
    VirtualCP limited = cp;
    limited.contacts[4] = p;
    limited.radioInfo.max_num_of_contacts = 4;
    limited.RepairGroupReferences();
    EXPECT_EQ(limited.contacts[4], p);
}

TEST(ImageRoles, ApplyAndCollectOwnRoleFlags)
{
    VirtualCP cp;
    cp.radioInfo.pid = S("10000001");
    ContactRecord own = MakeContact(kContactPrivate, S("Me"), S("10000001"));
    own.roleFlags = kRoleSeeAllGroups | 0x01;
    cp.contacts[2] = own;
    cp.contacts[3] = MakeContact(kContactPrivate, S("Other"), S("10000002"));
    cp.contacts[3].roleFlags = kRoleSeeAllGroups;

    // mngr_mode needs settings bit 26 and limit bit 14; see_all_groups bit 29 and bit 13.
    cp.settings.settingsFlags = (1u << 26) | (1u << 29);
    cp.radioInfo.limitFlags = 1u << 14;
    cp.ApplyOwnRoleFlags();
    EXPECT_EQ(cp.contacts[2].roleFlags, kRoleMngrMode | 0x01);
    EXPECT_EQ(cp.contacts[3].roleFlags, kRoleSeeAllGroups);

    cp.radioInfo.limitFlags = (1u << 13) | (1u << 14);
    cp.settings.settingsFlags = 1u << 29;
    cp.ApplyOwnRoleFlags();
    EXPECT_EQ(cp.contacts[2].roleFlags, kRoleSeeAllGroups | 0x01);

    // Collect: the own private's role bits become settings bits 26 and 29.
    cp.contacts[2].roleFlags = kRoleMngrMode;
    cp.settings.settingsFlags = (1u << 29) | 0x3;
    cp.CollectOwnRoleFlags();
    EXPECT_EQ(cp.settings.settingsFlags, (1u << 26) | 0x3u);
    cp.radioInfo.limitFlags = 1u << 13;   // mngr_mode_en off
    cp.CollectOwnRoleFlags();
    EXPECT_EQ(cp.settings.settingsFlags, 0x3u);
    cp.contacts[3].roleFlags = kRoleSeeAllGroups;
    cp.CollectOwnRoleFlags(S("10000002"));
    EXPECT_EQ(cp.settings.settingsFlags, (1u << 29) | 0x3u);
    // No such private: both bits are cleared.
    cp.CollectOwnRoleFlags(S("123"));
    EXPECT_EQ(cp.settings.settingsFlags, 0x3u);

    // Nothing changes when the radio's own private is missing.
    VirtualCP none;
    none.radioInfo.pid = S("77");
    none.contacts[0] = MakeContact(kContactPrivate, S("X"), S("78"));
    none.contacts[0].roleFlags = 0xC0;
    none.settings.settingsFlags = 0;
    none.ApplyOwnRoleFlags();
    EXPECT_EQ(none.contacts[0].roleFlags, 0xC0);
}

TEST(RadioChecks, PublicRangeAndCloneLevel)
{
    RadioInfo r;
    EXPECT_TRUE(r.IsInPublicRange(17179869084LL));
    EXPECT_TRUE(r.IsInPublicRange(17179869183LL));
    EXPECT_FALSE(r.IsInPublicRange(17179869083LL));
    EXPECT_FALSE(r.IsInPublicRange(17179869184LL));
    EXPECT_FALSE(r.IsInPublicRange(0));   // ranges of size 0 hold nothing, not even their start
    r.publicGroupRanges[2] = {S("5000"), S("x"), 1};
    EXPECT_TRUE(r.IsInPublicRange(5000));
    EXPECT_FALSE(r.IsInPublicRange(4999));
    r.publicGroupRanges[3] = {S("-99999999999999999999999"), S("x"), 255};   // saturated start
    EXPECT_TRUE(r.IsInPublicRange(std::numeric_limits<qint64>::min()));

    RadioInfo clone;
    clone.clone_compatibility_version = 20;
    EXPECT_TRUE(clone.IsCloneCompatible(20));
    clone.clone_compatibility_version = 21;
    EXPECT_TRUE(clone.IsCloneCompatible(20));
    EXPECT_FALSE(clone.IsCloneCompatible(1));
    EXPECT_TRUE(clone.IsCloneCompatible(21));
    EXPECT_TRUE(clone.IsCloneCompatible(0));
    clone.clone_compatibility_version = 0;
    EXPECT_FALSE(clone.IsCloneCompatible(20));
    EXPECT_TRUE(clone.IsCloneCompatible(0));
}

namespace {

RadioInfo RoomyRadio()
{
    RadioInfo radio;
    radio.max_num_of_contacts = 150;
    radio.max_num_of_private_grps = 10;
    radio.max_num_of_public_grps = 10;
    radio.max_num_of_predefined_msgs = 25;
    radio.limitFlags = 0xFFFFFFFFu & ~(1u << 12);
    return radio;
}

}  // namespace

TEST(RadioChecks, CheckAgainstRadio)
{
    VirtualCP cp;
    cp.contacts[0] = MakeContact(kContactPublicGroup, S("In"), S("17179869100"));
    cp.contacts[1] = MakeContact(kContactPublicGroup, S("Out"), S("5000"));
    cp.contacts[2] = MakeContact(kContactPrivateGroup, S("G"), S("201"));
    cp.contacts[3] = MakeContact(kContactPrivate, S("U"), S("10000001"));
    cp.CountEntries();

    // All counts fit, yet the public group outside the radio's ranges is dropped.
    VirtualCP dropped = cp;
    EXPECT_TRUE(dropped.CheckAgainstRadio(RoomyRadio()));
    EXPECT_EQ(dropped.contacts[1].cntct_type, kContactEmpty);
    EXPECT_EQ(dropped.contacts[0].cntct_type, kContactPublicGroup);
    EXPECT_EQ(dropped.publicGroupCount, 1);
    EXPECT_EQ(dropped.contactCount, 3);

    cp.contacts[1] = ContactRecord{};
    cp.CountEntries();
    VirtualCP fits = cp;
    EXPECT_FALSE(fits.CheckAgainstRadio(RoomyRadio()));
    EXPECT_EQ(fits, cp);

    auto check = [&](auto change) {
        VirtualCP image = cp;
        RadioInfo radio = RoomyRadio();
        change(image, radio);
        return image.CheckAgainstRadio(radio);
    };
    EXPECT_TRUE(check([](VirtualCP&, RadioInfo& r) { r.max_num_of_private_grps = 0; }));
    EXPECT_TRUE(check([](VirtualCP&, RadioInfo& r) { r.max_num_of_public_grps = 0; }));
    // One private, room = 3 - 1 - 1 = 1 fits; room 0 does not.
    EXPECT_FALSE(check([](VirtualCP&, RadioInfo& r) { r.max_num_of_contacts = 3; }));
    EXPECT_TRUE(check([](VirtualCP&, RadioInfo& r) { r.max_num_of_contacts = 2; }));
    EXPECT_TRUE(check([](VirtualCP& i, RadioInfo& r) {
        i.textMessageCount = 3;
        r.max_num_of_predefined_msgs = 2;
    }));
    for (int bit : {9, 11, 13, 17, 18, 19, 22}) {
        EXPECT_TRUE(check([bit](VirtualCP& i, RadioInfo& r) {
            i.radioInfo.limitFlags = 1u << bit;
            r.limitFlags &= ~(1u << bit);
        })) << bit;
    }
    // Other capability bits missing on the radio do not matter.
    EXPECT_FALSE(check([](VirtualCP& i, RadioInfo& r) {
        i.radioInfo.limitFlags = 1u << 8;
        r.limitFlags = 0;
    }));
    EXPECT_TRUE(check([](VirtualCP& i, RadioInfo& r) {
        i.radioInfo.limitFlags = 0;
        r.limitFlags |= 1u << 12;
    }));

    // The radio's own ID must be on a private, not on a group.
    RadioInfo radio;
    radio.pid = S("201");
    EXPECT_TRUE(cp.IsOwnIdMissing(radio));
    radio.pid = S("10000001");
    EXPECT_FALSE(cp.IsOwnIdMissing(radio));
}
