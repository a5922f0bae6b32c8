#include "CodecResult.h"
#include "FuzzCheck.h"
#include "RadioInfoCodec.h"
#include "VirtualCP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RadioInfo info;
    if (ParseGroupRangeList(info, data, int(size)) != kCodecOk) {
        FUZZ_CHECK(info == RadioInfo{});
        return 0;
    }
    quint8 out[256];
    int written = 0;
    FUZZ_CHECK(BuildGroupRangeList(info, out, sizeof out, &written) == kCodecOk);
    RadioInfo again;
    FUZZ_CHECK(ParseGroupRangeList(again, out, written) == kCodecOk);
    FUZZ_CHECK(again.publicGroupRanges == info.publicGroupRanges);
    (void)info.IsInPublicRange(0);
    return 0;
}
