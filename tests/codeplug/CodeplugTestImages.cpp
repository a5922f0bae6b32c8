#include "CodeplugTestImages.h"

#include <cstring>

std::vector<quint8> Bytes(std::initializer_list<int> values)
{
    std::vector<quint8> out;
    for (int v : values)
        out.push_back(quint8(v));
    return out;
}

std::vector<quint8> operator+(std::vector<quint8> a, const std::vector<quint8>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<quint8> Str(const char* text)
{
    std::vector<quint8> out(text, text + std::strlen(text));
    out.push_back(0);
    return out;
}

std::array<QString, kMaxParentGroups> Groups(std::initializer_list<const char*> ids)
{
    std::array<QString, kMaxParentGroups> groups;
    int i = 0;
    for (const char* id : ids)
        groups[i++] = QString::fromUtf8(id);
    return groups;
}

ContactRecord MakeContact(quint8 type, const QString& name, const QString& pid)
{
    ContactRecord c;
    c.cntct_type = type;
    c.name = name;
    c.pid = pid;
    return c;
}

VirtualCP SampleImage(bool full)
{
    VirtualCP cp;
    cp.version = CodeplugVersion{'D', 0x5E, 9, 200, 4, 17, 255};
    RadioInfo& r = cp.radioInfo;
    r.pid = QStringLiteral("10000050");
    r.valid_PID_start = QStringLiteral("10000002");
    r.valid_PID_end = QStringLiteral("17000000000");
    r.publicGroupRanges[0] = {QStringLiteral("17179869183"), QStringLiteral("Public"), 200};
    r.publicGroupRanges[1] = {QStringLiteral("5000000"), QStringLiteral("Fire & <co>"), 50};
    r.publicGroupRanges[2] = {QStringLiteral("6000000"), QStringLiteral("Rescue"), 10};
    r.model = QStringLiteral("K4\"X");
    r.clone_compatibility_version = 21;
    r.max_num_of_contacts = 150;
    r.max_num_of_private_grps = 30;
    r.max_num_of_public_grps = 20;
    r.max_num_of_predefined_msgs = 25;
    // Bits 0-7 and 15 are not carried by a profile; the full image sets
    // every named bit, the small one a mix.
    r.limitFlags = full ? 0xFFFF7F00u : 0xA5C37500u;
    r.num_of_languages = 3;
    r.languages = {1, 7, 250, 0, 0, 0};
    r.max_num_of_channels = 16;
    r.max_vol_level = 9;

    RadioSettings& s = cp.settings;
    s.contrast = 7;
    s.backlight = 4294967295u;
    s.vibracall = 2;
    s.current_time = 1700000000u;
    s.alarm_time = 86399u;
    s.ringer_vol_level = 3;
    s.speaker_vol_level = 4;
    s.keypad_vol_level = 5;
    s.alarm_vol_level = 6;
    s.earpiece_vol_level = 7;
    s.language = 250;
    s.settingsFlags = full ? 0xFF0E0000u : 0x5A0A0000u;   // named bits only: 17-19 and 24-31
    s.call_forward_id = QStringLiteral("10000099");
    s.password = QStringLiteral("12'4");
    s.noiseLevels = 0xA3;
    s.tot_timer = 60;
    s.tpt_offset = 200;

    const int publics = full ? 20 : 2;
    const int groups = full ? 30 : 2;
    const int privates = full ? 100 : 3;
    int slot = 0;
    for (int i = 0; i < publics; ++i) {
        ContactRecord c = MakeContact(kContactPublicGroup, QStringLiteral("Pub %1 & \"co\"").arg(i),
                                      QString::number(17179869183LL - i));
        c.channel = quint8(i % 16);
        c.contactFlags = (i % 2 ? kContactInScanList : 0) | (i % 3 ? kContactInScrollList : 0);
        cp.contacts[slot++] = c;
    }
    for (int i = 0; i < groups; ++i) {
        ContactRecord c = MakeContact(kContactPrivateGroup, QStringLiteral("Group <%1>").arg(i),
                                      QString::number(20000000 + i));
        c.channel = quint8(1 + i % 15);
        c.contactFlags = i % 2 ? kContactInScrollList : 0;
        cp.contacts[slot++] = c;
    }
    for (int i = 0; i < privates; ++i) {
        ContactRecord c = MakeContact(kContactPrivate, QStringLiteral("Unit %1 \u00e9'").arg(i),
                                      QString::number(10000050 + i));
        c.channel = quint8(i % 16);
        c.alert_tone = quint8(i % 5);
        c.contactFlags = quint8(i % 8) & (kContactIdInUse | kContactInScrollList | kContactShowGrpOnly);
        c.roleFlags = quint8((i % 2 ? kRoleSeeAllGroups : 0) | (i % 3 ? 0 : kRoleMngrMode));
        const int parents = i % 6;
        for (int j = 0; j < parents; ++j)
            c.parentGroups[j] = QString::number(20000000 + (i + j) % groups);
        c.home_grp = i % 4 ? QString::number(20000000 + i % groups) : QString();
        cp.contacts[slot++] = c;
    }
    const int messages = full ? kMaxTextMessages : 2;
    for (int i = 0; i < messages; ++i)
        cp.textMessages[i] = QStringLiteral("Message %1: <ok> & \"go\" %2").arg(i).arg(QString(i * 2, u'x'));
    return cp;
}
