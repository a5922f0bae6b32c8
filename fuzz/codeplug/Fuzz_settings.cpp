#include "CodecResult.h"
#include "FuzzCheck.h"
#include "SettingsCodec.h"
#include "VirtualCP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte shortens the stated length below the readable bytes,
    // as the radio link does.
    const int readable = int(size) - 1;
    const int length = readable - (data[0] % 4);
    RadioSettings settings;
    if (ParseRadioSettings(settings, data + 1, length, readable) != kCodecOk) {
        FUZZ_CHECK(settings == RadioSettings{});
        return 0;
    }
    quint8 out[128];
    int written = 0;
    FUZZ_CHECK(BuildRadioSettings(settings, out, sizeof out, &written) == kCodecOk);
    RadioSettings again;
    FUZZ_CHECK(ParseRadioSettings(again, out, written) == kCodecOk);
    FUZZ_CHECK(again == settings);
    return 0;
}
