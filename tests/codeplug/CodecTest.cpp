// Record codecs: byte layouts, acceptance rules and payload bounds.

#include "CodecResult.h"
#include "CodeplugTestImages.h"
#include "ContactCodec.h"
#include "RadioInfoCodec.h"
#include "RadioText.h"
#include "SettingsCodec.h"
#include "TextMessageCodec.h"
#include "VersionCodec.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// Every proper prefix of a payload must be refused without touching the
// record: a reader that strays past the end shows up here (and under the
// sanitizers) instead of in a radio.
template <typename Record, typename Parse>
void ExpectEveryPrefixRefused(const std::vector<quint8>& payload, const Record& start, Parse parse)
{
    for (size_t n = 0; n < payload.size(); ++n) {
        // A copy of exactly n bytes, so reading byte n would leave the heap block.
        std::vector<quint8> prefix(payload.begin(), payload.begin() + long(n));
        Record record = start;
        EXPECT_EQ(parse(record, prefix.data(), int(n)), kCodecPayloadTruncated) << "prefix " << n;
        EXPECT_TRUE(record == start) << "prefix " << n;
    }
}

}  // namespace

TEST(VersionCodec, CheckVersionReplyAcceptsAndRewritesThePhase)
{
    auto check = [](std::vector<quint8> reply, quint8* phaseAfter = nullptr) {
        const bool ok = CheckVersionReply(reply.data(), int(reply.size()));
        if (phaseAfter)
            *phaseAfter = reply[6];
        return ok;
    };
    quint8 phase = 0;
    EXPECT_TRUE(check(Bytes({1, 99, 0, 0, 0, 0, 'D'})));              // phase D: anything goes
    EXPECT_TRUE(check(Bytes({94, 8, 0, 3, 16, 5, 'R'}), &phase));
    EXPECT_EQ(phase, 'R');
    EXPECT_TRUE(check(Bytes({94, 0, 0, 0, 0, 0, 'R'})));
    EXPECT_FALSE(check(Bytes({94, 9, 0, 3, 16, 5, 'R'})));
    EXPECT_FALSE(check(Bytes({93, 8, 0, 3, 16, 5, 'R'})));
    EXPECT_TRUE(check(Bytes({94, 8, 0, 3, 16, 5, 'X'}), &phase));
    EXPECT_EQ(phase, 'D');
    EXPECT_FALSE(check(Bytes({95, 8, 0, 3, 16, 5, 0}), &phase));
    EXPECT_EQ(phase, 'D');

    std::vector<quint8> shortReply = Bytes({94, 8, 0, 3, 16, 'X'});
    EXPECT_FALSE(CheckVersionReply(shortReply.data(), int(shortReply.size())));
    EXPECT_EQ(shortReply[5], 'X');
    EXPECT_FALSE(CheckVersionReply(nullptr, 7));
}

TEST(VersionCodec, LoadMapsReplyOrderAndRefusesShortReplies)
{
    const std::vector<quint8> reply = Bytes({0x5E, 0x08, 0x01, 0x03, 0x10, 0x05, 'R'});
    CodeplugVersion v;
    v.firmware_phase = 'D';
    ASSERT_EQ(LoadVersionReply(v, reply.data(), 7), kCodecOk);
    EXPECT_EQ(v, (CodeplugVersion{'R', 0x5E, 8, 1, 3, 16, 5}));
    EXPECT_EQ(VersionImageBytes(v), (std::array<quint8, 7>{'R', 0x5E, 8, 1, 3, 16, 5}));

    quint8 out[7] = {};
    int written = -1;
    ASSERT_EQ(BuildVersionReply(v, out, 7, &written), kCodecOk);
    EXPECT_EQ(std::vector<quint8>(out, out + 7), reply);
    EXPECT_EQ(BuildVersionReply(v, out, 6, &written), kCodecBufferTooSmall);
    EXPECT_EQ(written, 0);

    ExpectEveryPrefixRefused(reply, CodeplugVersion{}, [](CodeplugVersion& r, const quint8* p, int n) {
        return LoadVersionReply(r, p, n);
    });
}

TEST(VersionCodec, SupportsGroupRanges)
{
    auto supports = [](quint8 phase, quint8 version, quint8 revision) {
        CodeplugVersion v;
        v.firmware_phase = phase;
        v.firmware_version = version;
        v.firmware_revision = revision;
        return v.SupportsGroupRanges();
    };
    EXPECT_TRUE(CodeplugVersion{}.SupportsGroupRanges());
    EXPECT_FALSE(supports('R', 5, 0));
    EXPECT_TRUE(supports('R', 5, 1));
    EXPECT_FALSE(supports('R', 3, 4));
    EXPECT_TRUE(supports('R', 3, 5));
    EXPECT_FALSE(supports('D', 8, 22));
    EXPECT_TRUE(supports('D', 8, 23));
    EXPECT_TRUE(supports('R', 8, 22));
}

namespace {

std::vector<quint8> RadioInfoPayload(const char* start, const char* end, const char* range0, int range0Size,
                                     std::initializer_list<int> languages, const char* pid = "10000050")
{
    std::vector<quint8> langs = Bytes({int(languages.size())}) + Bytes(languages);
    return Str(pid) + Str(start) + Str(end) + Str(range0) + Bytes({range0Size}) + Bytes({'K', '4', 'X', '1'})
           + Bytes({21, 150, 30, 20, 25}) + Bytes({0x01, 0x02, 0x03, 0x84}) + Bytes({0xAA, 0xBB, 0xCC, 0xDD}) + langs
           + Bytes({16, 9});
}

}  // namespace

TEST(RadioInfoCodec, ParsesEveryFieldAtItsOffset)
{
    const auto payload = RadioInfoPayload("10000002", "17000000000", "17179869183", 100, {1, 7});
    RadioInfo info;
    ASSERT_EQ(ParseRadioInfo(info, payload.data(), int(payload.size())), kCodecOk);
    EXPECT_EQ(info.pid, S("10000050"));
    EXPECT_EQ(info.valid_PID_start, S("10000002"));
    EXPECT_EQ(info.valid_PID_end, S("17000000000"));
    EXPECT_EQ(info.publicGroupRanges[0], (PublicGroupRange{S("17179869183"), S("Public"), 100}));
    EXPECT_EQ(info.model, S("K4X1"));
    EXPECT_EQ(info.clone_compatibility_version, 21);
    EXPECT_EQ(info.max_num_of_contacts, 150);
    EXPECT_EQ(info.max_num_of_private_grps, 30);
    EXPECT_EQ(info.max_num_of_public_grps, 20);
    EXPECT_EQ(info.max_num_of_predefined_msgs, 25);
    EXPECT_EQ(info.limitFlags, 0x84030201u);
    EXPECT_EQ(info.reservedWord, 0xDDCCBBAAu);
    EXPECT_EQ(info.num_of_languages, 2);
    EXPECT_EQ(info.languages[0], 1);
    EXPECT_EQ(info.languages[1], 7);
    EXPECT_EQ(info.max_num_of_channels, 16);
    EXPECT_EQ(info.max_vol_level, 9);

    // The builder writes the same bytes back.
    quint8 out[128];
    int written = 0;
    ASSERT_EQ(BuildRadioInfo(info, out, sizeof out, &written), kCodecOk);
    EXPECT_EQ(std::vector<quint8>(out, out + written), payload);
}

TEST(RadioInfoCodec, IdPairAndRangeZeroAcceptanceBoundaries)
{
    struct Case {
        const char* start;
        const char* end;
        bool taken;
    };
    for (const Case& c : {Case{"10000000", "10000005", false}, Case{"10000001", "17179867883", true},
                          Case{"10000001", "17179867884", false}, Case{"10000005", "10000005", false},
                          Case{"10000006", "10000005", false}, Case{"", "", false}}) {
        const auto payload = RadioInfoPayload(c.start, c.end, "0", 0, {});
        RadioInfo info;
        info.valid_PID_start = S("11111111");
        info.valid_PID_end = S("22222222");
        ASSERT_EQ(ParseRadioInfo(info, payload.data(), int(payload.size())), kCodecOk);
        EXPECT_EQ(info.valid_PID_start, c.taken ? S(c.start) : S("11111111")) << c.start << " " << c.end;
        EXPECT_EQ(info.valid_PID_end, c.taken ? S(c.end) : S("22222222")) << c.start << " " << c.end;
    }

    struct Range {
        const char* start;
        int size;
        bool taken;
    };
    // 4294965995 + size <= start <= 17179869183
    for (const Range& r : {Range{"4294966005", 10, true}, Range{"4294966004", 10, false},
                           Range{"17179869183", 255, true}, Range{"17179869184", 1, false}, Range{"0", 0, false}}) {
        const auto payload = RadioInfoPayload("10000002", "10000003", r.start, r.size, {});
        RadioInfo info;
        ASSERT_EQ(ParseRadioInfo(info, payload.data(), int(payload.size())), kCodecOk);
        const PublicGroupRange expected = r.taken ? PublicGroupRange{S(r.start), S("Public"), quint8(r.size)}
                                                  : RadioInfo{}.publicGroupRanges[0];
        EXPECT_EQ(info.publicGroupRanges[0], expected) << r.start;
    }
}

TEST(RadioInfoCodec, LongStringsAndLanguageListsStayWithinTheImage)
{
    // A pid of 14 digits keeps 11; the fields after it are still found.
    const auto payload = RadioInfoPayload("10000002", "10000003", "0", 0, {}, "12345678901234");
    RadioInfo info;
    ASSERT_EQ(ParseRadioInfo(info, payload.data(), int(payload.size())), kCodecOk);
    EXPECT_EQ(info.pid, S("12345678901"));
    EXPECT_EQ(info.valid_PID_start, S("10000002"));
    EXPECT_EQ(info.max_vol_level, 9);

    // Eight languages: the first six are kept, the rest skipped.
    const auto many = RadioInfoPayload("10000002", "10000003", "0", 0, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(ParseRadioInfo(info, many.data(), int(many.size())), kCodecOk);
    EXPECT_EQ(info.num_of_languages, 6);
    EXPECT_EQ(info.languages, (std::array<quint8, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(info.max_num_of_channels, 16);
    EXPECT_EQ(info.max_vol_level, 9);

    // A radio information without terminators anywhere is refused whole.
    ExpectEveryPrefixRefused(many, RadioInfo{}, [](RadioInfo& r, const quint8* p, int n) { return ParseRadioInfo(r, p, n); });
    const std::vector<quint8> garbage(40, 0x31);
    RadioInfo untouched;
    EXPECT_EQ(ParseRadioInfo(untouched, garbage.data(), int(garbage.size())), kCodecPayloadTruncated);
    EXPECT_EQ(untouched, RadioInfo{});
}

TEST(RangeListCodec, AcceptanceAndEndOfList)
{
    const auto four = Str("17179869183") + Bytes({100}) + Str("Public") + Str("5000000") + Bytes({50}) + Str("Fire")
                      + Str("6000000") + Bytes({10}) + Str("Rescue") + Str("7000000") + Bytes({5}) + Str("ABCDEFGHIJKL");
    RadioInfo info;
    ASSERT_EQ(ParseGroupRangeList(info, four.data(), int(four.size())), kCodecOk);
    EXPECT_EQ(info.publicGroupRanges[1], (PublicGroupRange{S("5000000"), S("Fire"), 50}));
    EXPECT_EQ(info.publicGroupRanges[3], (PublicGroupRange{S("7000000"), S("ABCDEFGHIJ"), 5}));   // 10 characters

    quint8 out[128];
    int written = 0;
    RadioInfo cut = info;
    cut.publicGroupRanges[3].pid_name = S("ABCDEFGHIJKL");
    ASSERT_EQ(BuildGroupRangeList(cut, out, sizeof out, &written), kCodecOk);
    EXPECT_EQ(std::vector<quint8>(out, out + written), four);

    // A second entry of size 0 ends the list: ranges 1-3 are emptied.
    const auto ended = Str("17179869183") + Bytes({100}) + Str("Public") + Str("5000000") + Bytes({0}) + Str("X");
    RadioInfo r;
    r.publicGroupRanges[2] = {S("123"), S("old"), 3};
    ASSERT_EQ(ParseGroupRangeList(r, ended.data(), int(ended.size())), kCodecOk);
    EXPECT_EQ(r.publicGroupRanges[0], (PublicGroupRange{S("17179869183"), S("Public"), 100}));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(r.publicGroupRanges[i], (PublicGroupRange{S("0"), QString(), 0}));

    // ((s - 21) mod 256) <= v <= 17179869183, or signed s <= v <= 10000000.
    auto accepted = [](const char* start, int size) {
        const auto payload = Str(start) + Bytes({size}) + Str("N") + Str("0") + Bytes({0});
        RadioInfo ri;
        EXPECT_EQ(ParseGroupRangeList(ri, payload.data(), int(payload.size())), kCodecOk);
        return ri.publicGroupRanges[0].lst_size != 0;
    };
    EXPECT_TRUE(accepted("79", 100));
    EXPECT_FALSE(accepted("78", 100));
    EXPECT_TRUE(accepted("100", 200));      // signed 200 is -56
    EXPECT_TRUE(accepted("179", 200));
    EXPECT_TRUE(accepted("17179869183", 1));
    EXPECT_FALSE(accepted("17179869184", 1));
    EXPECT_TRUE(accepted("235", 0x0A));     // (10 - 21) mod 256 = 245 > 235, but 10 <= 235
    EXPECT_FALSE(accepted("5", 10));

    // Truncated inside an entry that must be read: refused, ranges untouched.
    ExpectEveryPrefixRefused(four, RadioInfo{}, [](RadioInfo& ri, const quint8* p, int n) {
        return ParseGroupRangeList(ri, p, n);
    });
    // After an entry that ends the list nothing more is needed.
    const auto shortEnd = Str("17179869183") + Bytes({100}) + Str("Public") + Str("1") + Bytes({0});
    EXPECT_EQ(ParseGroupRangeList(r, shortEnd.data(), int(shortEnd.size())), kCodecOk);
}

TEST(RangeList, ResetKeepsRangeZeroAndNames)
{
    RadioInfo info;
    info.publicGroupRanges[0] = {S("4294967295"), S("Public"), 7};
    info.publicGroupRanges[2] = {S("5000000"), S("Fire"), 50};
    info.ResetGroupRanges();
    EXPECT_EQ(info.publicGroupRanges[0], (PublicGroupRange{S("4294967295"), S("Public"), 7}));
    EXPECT_EQ(info.publicGroupRanges[2], (PublicGroupRange{S("0"), S("Fire"), 0}));
}

namespace {

RadioSettings SampleSettings()
{
    RadioSettings s;
    s.contrast = 0x11;
    s.backlight = 0x01020304;
    s.vibracall = 0x22;
    s.current_time = 0xA1B2C3D4;
    s.alarm_time = 0x00000E10;
    s.ringer_vol_level = 1;
    s.speaker_vol_level = 2;
    s.keypad_vol_level = 3;
    s.alarm_vol_level = 4;
    s.earpiece_vol_level = 5;
    s.language = 6;
    s.settingsFlags = 0x840E0001;
    s.call_forward_id = S("10000099");
    s.password = S("1234");
    s.tot_timer = 0x3C;
    s.tpt_offset = 0x07;
    s.noiseLevels = 0xA3;
    return s;
}

}  // namespace

TEST(SettingsCodec, ByteLayoutAndRoundTrip)
{
    const std::vector<quint8> expected = Bytes({0x11, 0x01, 0x02, 0x03, 0x04, 0x22, 0xA1, 0xB2, 0xC3, 0xD4, 0, 0, 0x0E, 0x10,
                                                1, 2, 3, 4, 5, 6, 0x01, 0x00, 0x0E, 0x84})
                                         + Str("10000099") + Bytes({'1', '2', '3', '4', 0, 0x3C, 0x07, 0xA3});
    quint8 out[64];
    int written = 0;
    ASSERT_EQ(BuildRadioSettings(SampleSettings(), out, sizeof out, &written), kCodecOk);
    EXPECT_EQ(written, 8 + 33);
    EXPECT_EQ(std::vector<quint8>(out, out + written), expected);

    RadioSettings parsed;
    ASSERT_EQ(ParseRadioSettings(parsed, expected.data(), int(expected.size())), kCodecOk);
    EXPECT_EQ(parsed, SampleSettings());

    EXPECT_EQ(BuildRadioSettings(SampleSettings(), out, 40, &written), kCodecBufferTooSmall);
    EXPECT_EQ(written, 0);
}

TEST(SettingsCodec, OptionalTailFollowsTheStatedLength)
{
    quint8 full[64];
    int written = 0;
    ASSERT_EQ(BuildRadioSettings(SampleSettings(), full, sizeof full, &written), kCodecOk);
    const int n = 8;

    RadioSettings before;
    before.password = S("old");
    before.tot_timer = 9;
    before.tpt_offset = 8;
    before.noiseLevels = 7;

    // Exactly n + 25 bytes: the tail keeps its previous values.
    RadioSettings s = before;
    ASSERT_EQ(ParseRadioSettings(s, full, n + 25), kCodecOk);
    EXPECT_EQ(s.call_forward_id, S("10000099"));
    EXPECT_EQ(s.settingsFlags, 0x840E0001u);
    EXPECT_EQ(s.password, S("old"));
    EXPECT_EQ(s.tot_timer, 9);
    EXPECT_EQ(s.tpt_offset, 8);
    EXPECT_EQ(s.noiseLevels, 7);

    // The radio link states one byte less than it received and passes
    // the received count as readable: every tail field is taken.
    s = before;
    ASSERT_EQ(ParseRadioSettings(s, full, n + 32, n + 33), kCodecOk);
    EXPECT_EQ(s, SampleSettings());

    // Without the extra readable byte the last field is not read past the end.
    s = before;
    ASSERT_EQ(ParseRadioSettings(s, full, n + 32), kCodecOk);
    EXPECT_EQ(s.tpt_offset, 0x07);
    EXPECT_EQ(s.noiseLevels, 7);

    // A payload that ends before call_forward_id's 0 byte is refused whole.
    std::vector<quint8> head(full, full + n + 25);
    ExpectEveryPrefixRefused(head, before, [](RadioSettings& r, const quint8* p, int len) {
        return ParseRadioSettings(r, p, len);
    });
}

TEST(ContactCodec, PrivateGroupListWithHomeIndex)
{
    // 3 IDs with home index 2: home is the second, parents the first and third.
    const auto payload = Str("Alpha") + Bytes({3}) + Str("10000001") + Bytes({0x05, 2, 0}) + Bytes({3, 2}) + Str("201")
                         + Str("202") + Str("203");
    ContactRecord c;
    c.home_grp = S("stale");
    c.parentGroups = Groups({"a", "b", "c", "d", "e"});
    ASSERT_EQ(ParseContactRecord(c, payload.data(), int(payload.size())), kCodecOk);
    EXPECT_EQ(c.name, S("Alpha"));
    EXPECT_EQ(c.alert_tone, 3);
    EXPECT_EQ(c.pid, S("10000001"));
    EXPECT_EQ(c.contactFlags, 0x05);
    EXPECT_EQ(c.channel, 2);
    EXPECT_EQ(c.cntct_type, kContactPrivate);
    EXPECT_EQ(c.home_grp, S("202"));
    EXPECT_EQ(c.parentGroups, Groups({"201", "203", "", "", ""}));
    EXPECT_EQ(c.groupListCount, 3);
    EXPECT_EQ(c.homeGroupIndex, 2);
    EXPECT_EQ(c.roleFlags, kRoleSeeAllGroups);

    // Building it again writes the home group last with index 3.
    quint8 out[128];
    int written = 0;
    ASSERT_EQ(BuildContactRecord(c, out, sizeof out, &written), kCodecOk);
    const auto rebuilt = Str("Alpha") + Bytes({3}) + Str("10000001") + Bytes({0x05, 2, 0}) + Bytes({3, 3}) + Str("201")
                         + Str("203") + Str("202");
    EXPECT_EQ(std::vector<quint8>(out, out + written), rebuilt);

    // Once the home group is one of the parents it is not repeated.
    c.parentGroups[2] = S("202");
    ASSERT_EQ(BuildContactRecord(c, out, sizeof out, &written), kCodecOk);
    EXPECT_EQ(std::vector<quint8>(out, out + written), rebuilt);

    // Parents with gaps are packed; without a home group the index is 0.
    ContactRecord gaps = MakeContact(kContactPrivate, S("B"), S("7"));
    gaps.parentGroups = Groups({"", "301", "", "302", ""});
    ASSERT_EQ(BuildContactRecord(gaps, out, sizeof out, &written), kCodecOk);
    EXPECT_EQ(std::vector<quint8>(out, out + written),
              Str("B") + Bytes({0}) + Str("7") + Bytes({0, 0, 0, 2, 0}) + Str("301") + Str("302"));
    ContactRecord back;
    ASSERT_EQ(ParseContactRecord(back, out, written), kCodecOk);
    EXPECT_EQ(back.parentGroups, Groups({"301", "302", "", "", ""}));
    EXPECT_TRUE(back.home_grp.isEmpty());
}

TEST(ContactCodec, GroupsAndNamesStayWithinTheirFields)
{
    // A 30-character name reads as its first 25; the pid is still found.
    const auto longName = Str("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234") + Bytes({0}) + Str("10000002") + Bytes({0, 0, 1});
    ContactRecord group;
    ASSERT_EQ(ParseContactRecord(group, longName.data(), int(longName.size())), kCodecOk);
    EXPECT_EQ(group.name, S("ABCDEFGHIJKLMNOPQRSTUVWXY"));
    EXPECT_EQ(group.pid, S("10000002"));
    EXPECT_EQ(group.cntct_type, kContactPrivateGroup);
    EXPECT_EQ(group.roleFlags, 0);   // only privates get see_all_groups

    // Seven non-home IDs: the first five are kept.
    auto payload = Str("P") + Bytes({0}) + Str("1") + Bytes({0, 0, 0}) + Bytes({8, 8});
    for (const char* id : {"1", "2", "3", "4", "5", "6", "7", "HOME"})
        payload = payload + Str(id);
    ContactRecord p;
    ASSERT_EQ(ParseContactRecord(p, payload.data(), int(payload.size())), kCodecOk);
    EXPECT_EQ(p.parentGroups, Groups({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(p.home_grp, S("HOME"));

    ExpectEveryPrefixRefused(payload, ContactRecord{}, [](ContactRecord& r, const quint8* d, int n) {
        return ParseContactRecord(r, d, n);
    });
    // A group list count that runs past the payload is a truncation too.
    auto tooMany = Str("P") + Bytes({0}) + Str("1") + Bytes({0, 0, 0}) + Bytes({255, 0}) + Str("1");
    ContactRecord untouched;
    EXPECT_EQ(ParseContactRecord(untouched, tooMany.data(), int(tooMany.size())), kCodecPayloadTruncated);
    EXPECT_EQ(untouched, ContactRecord{});
}

TEST(ContactCodec, BuildRefusesWhatTheRadioCannotHold)
{
    quint8 out[128];
    int written = -1;
    ContactRecord pub = MakeContact(kContactPublicGroup, S("Caf\u00e9"), S("17179869183"));
    pub.roleFlags = 0xFF;   // never travels
    ASSERT_EQ(BuildContactRecord(pub, out, sizeof out, &written), kCodecOk);
    EXPECT_EQ(std::vector<quint8>(out, out + written),
              Bytes({'C', 'a', 'f', 0xE9, 0}) + Bytes({0}) + Str("17179869183") + Bytes({0, 0, 2}));

    // A character with no radio byte: U+0100 would narrow to the 0 byte
    // and end the name early, shifting every later field.
    ContactRecord wide = MakeContact(kContactPrivateGroup, S("A") + QChar(0x0100) + S("B"), S("5"));
    EXPECT_EQ(BuildContactRecord(wide, out, sizeof out, &written), kCodecTextNotConvertible);
    EXPECT_EQ(written, 0);

    EXPECT_EQ(BuildContactRecord(pub, out, 10, &written), kCodecBufferTooSmall);
    EXPECT_EQ(written, 0);
}

TEST(TextMessageCodec, ParseAndBuild)
{
    QString message = S("old");
    const auto payload = Str("Meet at 5 & go");
    ASSERT_EQ(ParseTextMessage(message, payload.data(), int(payload.size())), kCodecOk);
    EXPECT_EQ(message, S("Meet at 5 & go"));

    // At most 80 characters are kept.
    const std::string ninety(90, 'm');
    const auto longer = Str(ninety.c_str());
    ASSERT_EQ(ParseTextMessage(message, longer.data(), int(longer.size())), kCodecOk);
    EXPECT_EQ(message.size(), 80);

    // No 0 byte within the payload: refused, slot unchanged.
    message = S("kept");
    ExpectEveryPrefixRefused(payload, message, [](QString& m, const quint8* p, int n) { return ParseTextMessage(m, p, n); });

    quint8 out[100];
    int written = 0;
    ASSERT_EQ(BuildTextMessage(S("Hi \u00fc"), out, sizeof out, &written), kCodecOk);
    EXPECT_EQ(std::vector<quint8>(out, out + written), Bytes({'H', 'i', ' ', 0xFC, 0}));
    ASSERT_EQ(BuildTextMessage(QString(), out, sizeof out, &written), kCodecOk);
    EXPECT_EQ(written, 1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(BuildTextMessage(S("\u20ac5"), out, sizeof out, &written), kCodecTextNotConvertible);
    EXPECT_EQ(BuildTextMessage(S("abc"), out, 3, &written), kCodecBufferTooSmall);
}

TEST(RadioText, IdValuesSaturateInsteadOfOverflowing)
{
    EXPECT_EQ(RadioIdValue(S("17179869183")), 17179869183LL);
    EXPECT_EQ(RadioIdValue(S("123abc")), 123);
    EXPECT_EQ(RadioIdValue(S("abc")), 0);
    EXPECT_EQ(RadioIdValue(S("  -42")), -42);
    EXPECT_EQ(RadioIdValue(S("99999999999999999999999")), std::numeric_limits<qint64>::max());
    EXPECT_EQ(RadioIdValue(S("-99999999999999999999999")), std::numeric_limits<qint64>::min());
}
