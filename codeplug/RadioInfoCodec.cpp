#include "RadioInfoCodec.h"

#include "CodecResult.h"
#include "PayloadCursor.h"
#include "RadioText.h"

#include <algorithm>

namespace {

// Lowest start ID of public range 0 from the radio-information reply,
// before its size is added.
constexpr qint64 kLowestRange0Start = 4294965995LL;
constexpr qint64 kLowestValidPidStart = 10000000LL;   // exclusive
constexpr qint64 kHighestValidPidEnd = 17179867883LL;
constexpr qint64 kHighestSmallRangeStart = 10000000LL;

bool AcceptRangeEntry(qint64 start, quint8 size)
{
    if (size == 0)
        return false;
    const quint8 lowest = quint8(size - 21);
    if (lowest <= start && start <= kHighestRadioId)
        return true;
    return qint8(size) <= start && start <= kHighestSmallRangeStart;
}

}  // namespace

int ParseRadioInfo(RadioInfo& info, const quint8* payload, int size)
{
    PayloadReader in(payload, size);
    RadioInfo parsed = info;
    QString start, end, range0Start;
    quint8 range0Size = 0;
    quint8 languageCount = 0;
    if (!in.ReadString(kIdWidth, parsed.pid) || !in.ReadString(kIdWidth, start) || !in.ReadString(kIdWidth, end)
        || !in.ReadString(kIdWidth, range0Start) || !in.ReadByte(range0Size)
        || !in.ReadFixedString(kModelWidth, kModelWidth, parsed.model) || !in.ReadByte(parsed.clone_compatibility_version)
        || !in.ReadByte(parsed.max_num_of_contacts) || !in.ReadByte(parsed.max_num_of_private_grps)
        || !in.ReadByte(parsed.max_num_of_public_grps) || !in.ReadByte(parsed.max_num_of_predefined_msgs)
        || !in.ReadU32LittleEndian(parsed.limitFlags) || !in.ReadU32LittleEndian(parsed.reservedWord)
        || !in.ReadByte(languageCount))
        return kCodecPayloadTruncated;
    // The image holds six languages; a longer list keeps its first six.
    const int kept = std::min<int>(languageCount, kMaxLanguages);
    for (int k = 0; k < kept; ++k) {
        if (!in.ReadByte(parsed.languages[k]))
            return kCodecPayloadTruncated;
    }
    if (!in.Skip(languageCount - kept) || !in.ReadByte(parsed.max_num_of_channels) || !in.ReadByte(parsed.max_vol_level))
        return kCodecPayloadTruncated;
    parsed.num_of_languages = quint8(kept);

    const qint64 startValue = RadioIdValue(start);
    const qint64 endValue = RadioIdValue(end);
    if (kLowestValidPidStart < startValue && startValue < endValue && endValue <= kHighestValidPidEnd) {
        parsed.valid_PID_start = start;
        parsed.valid_PID_end = end;
    }
    const qint64 range0Value = RadioIdValue(range0Start);
    if (kLowestRange0Start + range0Size <= range0Value && range0Value <= kHighestRadioId)
        parsed.publicGroupRanges[0] = PublicGroupRange{range0Start, QStringLiteral("Public"), range0Size};

    info = parsed;
    return kCodecOk;
}

int BuildRadioInfo(const RadioInfo& info, quint8* out, int capacity, int* written)
{
    PayloadWriter w(out, capacity);
    w.WriteString(info.pid);
    w.WriteString(info.valid_PID_start);
    w.WriteString(info.valid_PID_end);
    w.WriteString(info.publicGroupRanges[0].start_pid);
    w.WriteByte(info.publicGroupRanges[0].lst_size);
    w.WriteFixedString(info.model, kModelWidth, kModelWidth);
    w.WriteByte(info.clone_compatibility_version);
    w.WriteByte(info.max_num_of_contacts);
    w.WriteByte(info.max_num_of_private_grps);
    w.WriteByte(info.max_num_of_public_grps);
    w.WriteByte(info.max_num_of_predefined_msgs);
    w.WriteU32LittleEndian(info.limitFlags);
    w.WriteU32LittleEndian(info.reservedWord);
    const int languages = std::min<int>(info.num_of_languages, kMaxLanguages);
    w.WriteByte(quint8(languages));
    for (int k = 0; k < languages; ++k)
        w.WriteByte(info.languages[k]);
    w.WriteByte(info.max_num_of_channels);
    w.WriteByte(info.max_vol_level);
    return w.Finish(written);
}

int ParseGroupRangeList(RadioInfo& info, const quint8* payload, int size)
{
    PayloadReader in(payload, size);
    auto ranges = info.publicGroupRanges;
    int entry = 0;
    for (; entry < kPublicGroupRangeCount; ++entry) {
        QString start, name;
        quint8 count = 0;
        if (!in.ReadString(kIdWidth, start) || !in.ReadByte(count))
            return kCodecPayloadTruncated;
        if (!AcceptRangeEntry(RadioIdValue(start), count))
            break;   // ends the list; its name is never needed
        if (!in.ReadString(kRangeNameWidth, name))
            return kCodecPayloadTruncated;
        ranges[entry] = PublicGroupRange{start, name, count};
    }
    for (; entry < kPublicGroupRangeCount; ++entry)
        ranges[entry] = PublicGroupRange{QStringLiteral("0"), QString(), 0};
    info.publicGroupRanges = ranges;
    return kCodecOk;
}

int BuildGroupRangeList(const RadioInfo& info, quint8* out, int capacity, int* written)
{
    PayloadWriter w(out, capacity);
    for (const PublicGroupRange& range : info.publicGroupRanges) {
        w.WriteString(range.start_pid);
        w.WriteByte(range.lst_size);
        w.WriteString(range.pid_name);
    }
    return w.Finish(written);
}
