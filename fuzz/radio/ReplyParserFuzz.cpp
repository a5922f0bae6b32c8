// libFuzzer target: the reply parser and the reply classification. The
// input is what arrives on the line after a request; the parser must end,
// stay within its buffers and give 0, -1 or a count that fits the reply
// buffer, whatever the bytes.

#include "RadioProtocol.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

class FuzzPort final : public ICommPort {
public:
    FuzzPort(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool IsOpen() const override { return true; }
    quint32 LastError() const override { return 0; }
    int Read(quint8* buffer, int count, bool) override
    {
        const int n = int(std::min<size_t>(size_t(count), m_size - m_pos));
        std::memcpy(buffer, m_data + m_pos, size_t(n));
        m_pos += size_t(n);
        return n;
    }
    int Write(const quint8*, int count) override { return count; }
    bool Purge(quint32) override { return true; }
    bool ClearErrors() override { return true; }
    void Close() override {}

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The whole exchange: three attempts reading on through the input.
    FuzzPort port(data, size);
    RadioProtocol protocol(&port, 0);
    RadioLink::ReplyBuffer reply{};
    quint8 count = 0;
    const int result = protocol.PollPrivateId(reply, count);
    if (result == 1 && (count < 2 || reply[0] != 'S' || reply[1] != 2))
        std::abort();
    if (result > 1 && result > RadioLink::kReplyCapacity)
        std::abort();

    // One reply parse on its own, with its raw result.
    FuzzPort single(data, size);
    RadioLink link(&single, 0);
    quint8 data2[RadioLink::kReplyCapacity];
    quint32 value = 0;
    quint8 ack = 0;
    const int parsed = link.ReceiveReply(value, ack, data2);
    if (parsed < -1 || parsed > RadioLink::kReplyCapacity || value > 0xFFFFFF)
        std::abort();
    return 0;
}
