#include "RadioLink.h"

#include <chrono>
#include <cstring>
#include <thread>

RadioLink::RadioLink(ICommPort* port, int longWaitMs) : m_pPort(port), m_nLongWaitMs(longWaitMs) {}

int RadioLink::BuildFrame(quint8 address, quint8 opcode, const quint8* payload, int length, quint8* out)
{
    if (length < 0 || length > kMaxPayload || (length > 0 && !payload))
        return 0;
    const int b = length + 2;
    int pos = 0;
    if (b <= 14) {
        out[pos++] = quint8(0xF0 | b);
        out[pos++] = address;
    } else {
        out[pos++] = 0xFF;
        out[pos++] = address;
        out[pos++] = 0;
        out[pos++] = quint8(b);
    }
    out[pos++] = opcode;
    if (length > 0)
        std::memcpy(out + pos, payload, size_t(length));
    pos += length;
    quint8 sum = 0;
    for (int i = 0; i < pos; ++i)
        sum = quint8(sum + out[i]);
    out[pos++] = quint8(0xFF - sum);
    return pos;
}

int RadioLink::ReadBytes(quint8* buffer, int count, int attempts)
{
    if (!m_pPort)
        return -1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (m_pPort->Read(buffer, count, true) == count)
            return count;
    }
    return -1;
}

int RadioLink::SendFrame(const quint8* frame, int length)
{
    if (m_pPort)
        m_pPort->Write(frame, length);
    return length;
}

int RadioLink::ReceiveReply(quint32& value, quint8& ackOut, quint8* dataOut)
{
    value = 0;
    int pos = 0;
    // One byte into the next position of the receive buffer; a full buffer
    // or a missing byte ends the reply as invalid.
    auto next = [&](int attempts, quint8& byte) {
        if (pos >= kReceiveBufferSize || ReadBytes(&m_receive[size_t(pos)], 1, attempts) != 1)
            return false;
        byte = m_receive[size_t(pos++)];
        return true;
    };

    quint8 byte = 0;
    if (!next(m_nFirstAttempts, byte) || byte != kReplyLead)
        return 0;

    // Header search: garbage before the header is skipped and not summed.
    bool isLong = false;
    int n = 0;
    for (;;) {
        if (!next(m_nFirstAttempts, byte))
            return 0;
        if (byte == 0xFF) {
            isLong = true;
            break;
        }
        if ((byte & 0xF0) == 0xF0) {
            n = byte & 0x0F;
            break;
        }
    }
    quint32 sum = byte;

    quint8 ack = 0;
    if (!next(m_nFirstAttempts, ack))
        return 0;
    ackOut = ack;
    sum += ack;

    int remaining = 0;   // data bytes + 1 (the checksum closes the frame at 1)
    if (isLong) {
        quint8 hi = 0, lo = 0;
        if (!next(m_nAttempts, hi) || !next(m_nAttempts, lo))
            return 0;
        sum += hi + lo;
        int length = hi * 256 + lo;
        if (length != 0 && (ack == 0x80 || ack == 0x84 || ack == 0x85)) {
            if (length < 4)   // cannot hold the value and the checksum
                return 0;
            for (int i = 0; i < 3; ++i) {
                quint8 v = 0;
                if (!next(m_nAttempts, v))
                    return 0;
                sum += v;
                value = (value << 8) | v;
            }
            length -= 3;
        }
        remaining = length == 0 ? 1 : length;
    } else {
        if (n < 2)
            return 0;
        remaining = n;
    }

    const int dataCount = remaining - 1;
    if (dataCount > kReplyCapacity)
        return 0;
    for (int i = 0; i < dataCount; ++i) {
        if (!next(m_nAttempts, byte))
            return 0;
        dataOut[i] = byte;
        sum += byte;
    }

    quint8 checksum = 0;
    if (!next(m_nAttempts, checksum))
        return 0;
    if (quint8(0xFF - (sum & 0xFF)) != checksum)
        return -1;
    return dataCount;
}

int RadioLink::Transact(const quint8* frame, int length, quint8& ackOut, quint8* dataOut, bool longWait)
{
    int result = 0;
    if (length == 0) {
        result = -2;
    } else if (!m_pPort || !m_pPort->IsOpen() || m_pPort->LastError() != 0) {
        result = -1;
    } else {
        for (int attempt = 0; attempt < 3; ++attempt) {
            m_pPort->Purge(ICommPort::kPurgeQueues);
            SendFrame(frame, length);
            if (longWait && m_nLongWaitMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(m_nLongWaitMs));
            quint32 value = 0;
            result = ReceiveReply(value, ackOut, dataOut);
            if (result > 0)
                break;
        }
    }
    if (m_pPort)
        m_pPort->ClearErrors();
    return result;
}
