#include "RadioText.h"
#include "VirtualCP.h"

#include <limits>

bool CodeplugVersion::SupportsGroupRanges() const
{
    if (firmware_version == 5 && firmware_revision == 0)
        return false;
    if (firmware_version == 3 && firmware_revision <= 4)
        return false;
    if (firmware_phase == 'D' && firmware_revision <= 22)
        return false;
    return true;
}

void RadioInfo::ResetGroupRanges()
{
    for (int i = 1; i < kPublicGroupRangeCount; ++i) {
        publicGroupRanges[i].start_pid = QStringLiteral("0");
        publicGroupRanges[i].lst_size = 0;
    }
}

bool RadioInfo::IsCloneCompatible(quint8 expected) const
{
    if (expected == 20)
        return clone_compatibility_version == 20 || clone_compatibility_version == 21;
    return expected == 0 || expected == clone_compatibility_version;
}

bool RadioInfo::IsInPublicRange(qint64 id) const
{
    for (const PublicGroupRange& range : publicGroupRanges) {
        if (range.lst_size == 0)
            continue;
        const qint64 start = RadioIdValue(range.start_pid);
        // A saturated negative start must not overflow the lower bound.
        constexpr qint64 kLowest = std::numeric_limits<qint64>::min();
        const qint64 lowest = start < kLowest + range.lst_size ? kLowest : start - range.lst_size + 1;
        if (lowest <= id && id <= start)
            return true;
    }
    return false;
}
