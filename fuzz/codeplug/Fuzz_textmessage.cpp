#include "CodecResult.h"
#include "FuzzCheck.h"
#include "TextMessageCodec.h"
#include "VirtualCP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString message;
    if (ParseTextMessage(message, data, int(size)) != kCodecOk) {
        FUZZ_CHECK(message.isEmpty());
        return 0;
    }
    FUZZ_CHECK(message.size() <= kMaxTextMessageLength);
    quint8 out[128];
    int written = 0;
    FUZZ_CHECK(BuildTextMessage(message, out, sizeof out, &written) == kCodecOk);
    FUZZ_CHECK(written == message.size() + 1);
    QString again;
    FUZZ_CHECK(ParseTextMessage(again, out, written) == kCodecOk && again == message);
    return 0;
}
