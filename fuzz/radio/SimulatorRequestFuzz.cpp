// libFuzzer target: the simulated radio's side. Arbitrary bytes from the PC,
// cut into writes at the positions the input chooses, go through the
// request parser and every command handler, including the record decoders
// behind the write commands. Nothing may crash, and every reply must be a
// well-formed frame.

#include "RadioSimulator.h"

#include <cstdint>
#include <cstdlib>

namespace {

void CheckReplies(const QByteArray& out)
{
    int pos = 0;
    while (pos < out.size()) {
        // 0x50, then header, ack, [length high, length low], data, checksum.
        if (quint8(out[pos]) != 0x50 || out.size() - pos < 5)
            std::abort();
        const quint8 header = quint8(out[pos + 1]);
        const int length = header == 0xFF ? 4 + quint8(out[pos + 3]) * 256 + quint8(out[pos + 4]) : 2 + (header & 0x0F);
        if (pos + length >= out.size())
            std::abort();
        quint8 sum = 0;
        for (int i = 1; i <= length; ++i)
            sum = quint8(sum + quint8(out[pos + i]));
        if (sum != 0xFF || length - (header == 0xFF ? 4 : 2) > 123)
            std::abort();
        pos += 1 + length;
    }
    if (pos != out.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CRadioSimulator radio(CRadioSimulator::FullContent());
    static int runs = 0;
    if (++runs % 1000 == 0)
        radio.SetContent(CRadioSimulator::FullContent());   // keep the content from drifting away
    size_t pos = 0;
    while (pos < size) {
        // The first byte of each chunk gives its length; a pause follows it.
        const size_t chunk = size_t(data[pos] % 64) + 1;
        ++pos;
        const size_t take = std::min(chunk, size - pos);
        QByteArray out;
        radio.Receive(data + pos, int(take), out);
        CheckReplies(out);
        pos += take;
        if (data[pos - 1] & 1)
            radio.LineIdle();
    }
    radio.LineIdle();
    return 0;
}
