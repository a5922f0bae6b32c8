#pragma once

#include "CommPort.h"

#include <array>

// Frames, replies and one request-reply exchange with retries.
//
// Frame forms (checksum = 0xFF - low byte of the sum of all earlier bytes):
//   short: 0xF0|n, address, data..., checksum          n = 1 + data bytes (2..14)
//   long:  0xFF, address, Lhi, Llo, [value x3], data..., checksum
// Every reply is preceded by one 0x50 byte outside the frame.
class RadioLink {
public:
    static constexpr quint8 kRadioAddress = 0x9B;
    static constexpr quint8 kAck = 0x41;
    static constexpr quint8 kReplyLead = 0x50;
    static constexpr int kMaxPayload = 121;
    static constexpr int kMaxFrame = 127;
    static constexpr int kReplyCapacity = 123;     // reply letter + 122 payload bytes
    static constexpr int kReceiveBufferSize = 256;
    static constexpr int kDefaultLongWaitMs = 4000;

    using ReplyBuffer = std::array<quint8, kReplyCapacity>;

    explicit RadioLink(ICommPort* port, int longWaitMs = kDefaultLongWaitMs);
    virtual ~RadioLink() = default;

    // Writes the request frame into out (at least kMaxFrame bytes); returns
    // its length, or 0 when the payload is longer than kMaxPayload.
    static int BuildFrame(quint8 address, quint8 opcode, const quint8* payload, int length, quint8* out);

    // Reads exactly count bytes in up to `attempts` tries, each starting again
    // at the start of buffer; count on success, -1 otherwise.
    int ReadBytes(quint8* buffer, int count, int attempts);
    int ReadBytes(quint8* buffer, int count) { return ReadBytes(buffer, count, m_nAttempts); }

    int SendFrame(const quint8* frame, int length);

    // Parses one reply from the line. Returns the number of data bytes stored
    // in dataOut (reply letter first, at most kReplyCapacity), 0 when no valid
    // reply arrived, -1 on a checksum mismatch.
    int ReceiveReply(quint32& value, quint8& ackOut, quint8* dataOut);

    // Purge, send, optionally wait, receive; up to three attempts. Returns the
    // last ReceiveReply result, -1 when the port is unusable, -2 when no frame
    // was built (length 0).
    int Transact(const quint8* frame, int length, quint8& ackOut, quint8* dataOut, bool longWait);

    ICommPort* Port() const { return m_pPort; }

protected:
    ICommPort* m_pPort;
    int m_nAttempts = 3;        // every retried step
    int m_nFirstAttempts = 3;   // waiting for the first bytes of a reply
    int m_nLongWaitMs;
    std::array<quint8, kReceiveBufferSize> m_receive{};
};
