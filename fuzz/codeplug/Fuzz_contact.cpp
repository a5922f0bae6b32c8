#include "CodecResult.h"
#include "ContactCodec.h"
#include "FuzzCheck.h"
#include "VirtualCP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ContactRecord record;
    if (ParseContactRecord(record, data, int(size)) != kCodecOk) {
        FUZZ_CHECK(record == ContactRecord{});
        return 0;
    }
    // Whatever was read builds again, into a large buffer or a refusal.
    quint8 out[256];
    int written = -1;
    FUZZ_CHECK(BuildContactRecord(record, out, sizeof out, &written) == kCodecOk);
    FUZZ_CHECK(written > 0 && written <= int(sizeof out));
    quint8 small[16];
    const int result = BuildContactRecord(record, small, sizeof small, &written);
    FUZZ_CHECK(result == kCodecOk || (result == kCodecBufferTooSmall && written == 0));

    // The built record reads back with the same identity and groups.
    ContactRecord again;
    FUZZ_CHECK(ParseContactRecord(again, out, int(sizeof out)) == kCodecOk);
    FUZZ_CHECK(again.name == record.name && again.pid == record.pid && again.cntct_type == record.cntct_type);
    return 0;
}
