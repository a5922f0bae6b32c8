#include "CodecResult.h"
#include "FuzzCheck.h"
#include "RadioInfoCodec.h"
#include "VirtualCP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RadioInfo info;
    if (ParseRadioInfo(info, data, int(size)) != kCodecOk) {
        FUZZ_CHECK(info == RadioInfo{});
        return 0;
    }
    FUZZ_CHECK(info.num_of_languages <= kMaxLanguages);
    (void)info.IsInPublicRange(17179869183LL);

    // What was read builds back into a payload that reads the same.
    quint8 out[256];
    int written = 0;
    FUZZ_CHECK(BuildRadioInfo(info, out, sizeof out, &written) == kCodecOk);
    RadioInfo again;
    FUZZ_CHECK(ParseRadioInfo(again, out, written) == kCodecOk);
    again.publicGroupRanges[0].pid_name = info.publicGroupRanges[0].pid_name;   // "Public" once accepted
    FUZZ_CHECK(again == info);
    return 0;
}
