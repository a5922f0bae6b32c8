#pragma once

#include <QtGlobal>

// The byte pipe the radio link talks through. SerialPort is the real one;
// the simulator offers an in-memory one for tests. Every call blocks the
// calling thread until it completes or times out.
class ICommPort {
public:
    // Purge flags (same bit values as the classic serial API).
    static constexpr quint32 kPurgeTxAbort = 0x1;
    static constexpr quint32 kPurgeRxAbort = 0x2;
    static constexpr quint32 kPurgeTxClear = 0x4;
    static constexpr quint32 kPurgeRxClear = 0x8;
    static constexpr quint32 kPurgeQueues = kPurgeTxClear | kPurgeRxClear;   // 12
    static constexpr quint32 kPurgeAll = 0xF;                                // 15

    virtual ~ICommPort() = default;

    virtual bool IsOpen() const = 0;
    // Last recorded error; 0 when the last recorded operation succeeded.
    virtual quint32 LastError() const = 0;
    // Reads up to count bytes. With waitForAll the call gives up after
    // count x (per-byte timeout) and returns what arrived; without it only the
    // bytes already received are taken. Never negative.
    virtual int Read(quint8* buffer, int count, bool waitForAll) = 0;
    // Writes count bytes, giving up after the write timeout. Never negative.
    virtual int Write(const quint8* buffer, int count) = 0;
    virtual bool Purge(quint32 flags) = 0;
    // Forgets the last error and any collected line errors.
    virtual bool ClearErrors() = 0;
    virtual void Close() = 0;
};
