#include "CodecResult.h"
#include "FuzzCheck.h"
#include "VersionCodec.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int length = int(size > 1024 ? 1024 : size);
    std::vector<quint8> reply(data, data + length);
    const bool accepted = CheckVersionReply(reply.data(), length);
    CodeplugVersion version;
    const int result = LoadVersionReply(version, reply.data(), length);
    FUZZ_CHECK((result == kCodecOk) == (length >= kVersionReplySize));
    if (result == kCodecOk) {
        FUZZ_CHECK(reply[6] == 'R' || reply[6] == 'D');
        FUZZ_CHECK(accepted == (data[6] == 'D' || (data[0] == 94 && data[1] <= 8)));
        quint8 out[7];
        int written = 0;
        FUZZ_CHECK(BuildVersionReply(version, out, 7, &written) == kCodecOk && written == 7);
        for (int i = 0; i < 7; ++i)
            FUZZ_CHECK(out[i] == reply[i]);
        (void)version.SupportsGroupRanges();
    }
    return 0;
}
