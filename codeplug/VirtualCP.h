#pragma once

// The codeplug image: the in-memory copy of everything read from or written
// into a radio. A plain value type: it owns all its strings, copies member
// by member and refers to nothing outside itself. A freshly constructed
// image holds the defaults a radio transfer or a profile conversion starts
// from.

#include <QString>
#include <QtGlobal>
#include <array>

// Capacities of the image. Nothing writes beyond them.
inline constexpr int kMaxContacts = 150;
inline constexpr int kMaxTextMessages = 25;
inline constexpr int kMaxTextMessageLength = 80;
inline constexpr int kMaxParentGroups = 5;
inline constexpr int kMaxGroupListIds = kMaxParentGroups + 1;   // parents plus the home group
inline constexpr int kMaxLanguages = 6;
inline constexpr int kPublicGroupRangeCount = 4;

// Widths of the radio's text fields, in characters (bytes on the wire).
inline constexpr int kIdWidth = 11;
inline constexpr int kContactNameWidth = 25;
inline constexpr int kRangeNameWidth = 10;
inline constexpr int kModelWidth = 4;
inline constexpr int kPasswordWidth = 4;

// The radio's ID space ends at the highest 34-bit value.
inline constexpr qint64 kHighestRadioId = 17179869183LL;

// Contact types (cntct_type).
inline constexpr quint8 kContactPrivate = 0;
inline constexpr quint8 kContactPrivateGroup = 1;
inline constexpr quint8 kContactPublicGroup = 2;
inline constexpr quint8 kContactEmpty = 255;

// contactFlags bits.
inline constexpr quint8 kContactIdInUse = 0x01;       // bit 0 id_in_use
inline constexpr quint8 kContactInScrollList = 0x02;  // bit 1 in_scroll_list
inline constexpr quint8 kContactShowGrpOnly = 0x04;   // bit 2 show_grp_only
inline constexpr quint8 kContactInScanList = 0x08;    // bit 3 in_scan_list

// roleFlags bits.
inline constexpr quint8 kRoleSeeAllGroups = 0x40;     // bit 6 see_all_groups
inline constexpr quint8 kRoleMngrMode = 0x80;         // bit 7 mngr_mode

struct CodeplugVersion {
    quint8 firmware_phase = 'R';
    quint8 firmware_release = 94;
    quint8 firmware_version = 8;
    quint8 firmware_revision = 0;
    quint8 codeplug_structure = 3;
    quint8 codeplug_version = 16;
    quint8 codeplug_dev_version = 5;

    // False for the firmware generations that do not answer the
    // public-group range list command.
    bool SupportsGroupRanges() const;

    bool operator==(const CodeplugVersion&) const = default;
};

struct PublicGroupRange {
    QString start_pid;   // decimal ID; the block counts downward from it
    QString pid_name;
    quint8 lst_size = 0; // number of IDs; 0 is an empty range

    bool operator==(const PublicGroupRange&) const = default;
};

struct RadioInfo {
    QString pid;
    QString valid_PID_start = QStringLiteral("10000001");
    QString valid_PID_end = QStringLiteral("17179867883");
    std::array<PublicGroupRange, kPublicGroupRangeCount> publicGroupRanges{
        PublicGroupRange{QStringLiteral("17179869183"), QString(), 100},
        PublicGroupRange{QStringLiteral("0"), QString(), 0},
        PublicGroupRange{QStringLiteral("0"), QString(), 0},
        PublicGroupRange{QStringLiteral("0"), QString(), 0}};
    QString model;
    quint8 clone_compatibility_version = 0;
    quint8 max_num_of_contacts = 0;
    quint8 max_num_of_private_grps = 0;
    quint8 max_num_of_public_grps = 0;
    quint8 max_num_of_predefined_msgs = 0;
    quint32 limitFlags = 0;
    quint32 reservedWord = 0;
    quint8 num_of_languages = 0;   // valid entries of languages (at most 6 when read from a radio)
    std::array<quint8, kMaxLanguages> languages{};
    quint8 max_num_of_channels = 0;
    quint8 max_vol_level = 0;

    // Ranges 1 to 3 become start "0", size 0; their names and range 0 stay.
    void ResetGroupRanges();
    // Level 20 accepts 20 and 21; 0 accepts anything; otherwise equality.
    bool IsCloneCompatible(quint8 expected) const;
    bool ModelMatches(const QString& otherModel) const { return model == otherModel; }
    // True when some non-empty range covers id (start - size + 1 .. start).
    bool IsInPublicRange(qint64 id) const;

    bool operator==(const RadioInfo&) const = default;
};

// limitFlags bits named by the profile (bits 0-7 and 15 are carried unnamed).
inline constexpr int kLimitSmsComposeMesgsEn = 9;
inline constexpr int kLimitPublicScanEn = 11;
inline constexpr int kLimitVibracallDis = 12;
inline constexpr int kLimitSeeAllGroupsEn = 13;
inline constexpr int kLimitMngrModeEn = 14;
inline constexpr int kLimitAddPrvtGrpEn = 17;
inline constexpr int kLimitAddPrvtContactsEn = 18;
inline constexpr int kLimitCallForwardEn = 19;
inline constexpr int kLimitSmsMesgsTxEn = 22;

// settingsFlags bits used by the whole-image operations.
inline constexpr int kSettingMngrMode = 26;
inline constexpr int kSettingSeeAllGrps = 29;

struct RadioSettings {
    quint8 contrast = 0;
    quint32 backlight = 0;
    quint8 vibracall = 0;
    quint32 current_time = 0;   // seconds since 1970-01-01 00:00:00
    quint32 alarm_time = 0;
    quint8 ringer_vol_level = 0;
    quint8 speaker_vol_level = 1;
    quint8 keypad_vol_level = 0;
    quint8 alarm_vol_level = 1;
    quint8 earpiece_vol_level = 1;
    quint8 language = 0;
    quint32 settingsFlags = 0;
    QString call_forward_id = QStringLiteral("0");
    QString password;
    quint8 noiseLevels = 0;     // high nibble accessory, low nibble radio
    quint8 tot_timer = 0;
    quint8 tpt_offset = 0;

    bool operator==(const RadioSettings&) const = default;
};

struct ContactRecord {
    QString name;
    quint8 alert_tone = 0;
    QString pid;
    quint8 contactFlags = 0;
    quint8 roleFlags = 0;
    quint8 channel = 0;
    quint8 cntct_type = kContactEmpty;
    std::array<QString, kMaxParentGroups> parentGroups;
    QString home_grp;
    quint8 groupListCount = 0;
    quint8 homeGroupIndex = 0;   // 1-based position on the group list, 0 = none

    // Not an empty slot, and both name and pid are set.
    bool IsValidContact() const { return cntct_type != kContactEmpty && !name.isEmpty() && !pid.isEmpty(); }

    bool operator==(const ContactRecord&) const = default;
};

struct VirtualCP {
    CodeplugVersion version;
    RadioInfo radioInfo;
    RadioSettings settings;
    std::array<ContactRecord, kMaxContacts> contacts;
    std::array<QString, kMaxTextMessages> textMessages;   // empty = free slot

    // Recomputed by CountEntries.
    qint32 contactCount = 0;
    qint32 publicGroupCount = 0;
    qint32 privateGroupCount = 0;
    qint32 textMessageCount = 0;

    void CountEntries();
    // Index of the first valid record with exactly this pid and, unless
    // type is -1, this cntct_type; -1 when there is none.
    int FindContact(const QString& id, int type = -1) const;

    // After a read: drop parent and home groups that name no existing
    // group, and add a private-group home to the parent groups.
    void RepairGroupReferences();
    // After a read: the radio's own private takes its role flags from the
    // radio's settings.
    void ApplyOwnRoleFlags();

    // Before a write: the radio's own private (id, or radioInfo.pid) decides
    // settings bits 26 (mngr_mode) and 29 (see_all_grps).
    void CollectOwnRoleFlags();
    void CollectOwnRoleFlags(const QString& id);
    // True when the image does not fit the connected radio; public groups
    // outside the radio's ranges are dropped on the way. Needs current counters.
    bool CheckAgainstRadio(const RadioInfo& radio);
    // True when no private carries the connected radio's own ID.
    bool IsOwnIdMissing(const RadioInfo& radio) const;

    bool operator==(const VirtualCP&) const = default;
};
