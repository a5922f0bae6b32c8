#pragma once

#include "RadioProtocol.h"
#include "TransferState.h"

#include <QString>
#include <memory>
#include <mutex>

// What every transfer does around its steps: holds the transfer lock, owns
// the port and the protocol, the reply buffer and its count, and decides
// before each step whether the transfer goes on. The port is closed and the
// lock released on every path when the frame ends.
class CTransferFrame {
public:
    explicit CTransferFrame(const QString& portName);
    ~CTransferFrame();
    CTransferFrame(const CTransferFrame&) = delete;
    CTransferFrame& operator=(const CTransferFrame&) = delete;

    RadioProtocol& Protocol() { return *m_protocol; }
    RadioLink::ReplyBuffer& Reply() { return m_reply; }
    quint8& Count() { return m_nCount; }
    // The reply payload after the reply letter, and its size.
    const quint8* Payload() const { return m_reply.data() + 1; }
    int PayloadSize() const { return m_nCount > 0 ? m_nCount - 1 : 0; }

    // Checked before every step. False when the transfer must stop: after a
    // failure (already reported) or on a cancel, which is reported here as
    // Failed -12, once, and counts as the transfer's outcome.
    bool Proceed();
    // A step failed with code: report it and skip the rest.
    void Fail(int code);
    void Progress(int percent) { m_state.Post(TransferMessageKind::Progress, percent); }
    void Done() { m_state.Post(TransferMessageKind::Done, 0); }
    // True when the transfer ran to its end without failure or cancel.
    bool Succeeded() const { return !m_state.TransferFailed() && !m_bCancelReported; }

    CTransferState& State() { return m_state; }

private:
    CTransferState& m_state;
    std::unique_lock<std::mutex> m_lock;
    std::unique_ptr<ICommPort> m_port;
    std::unique_ptr<RadioProtocol> m_protocol;
    RadioLink::ReplyBuffer m_reply{};
    quint8 m_nCount = 0;
    bool m_bCancelReported = false;
};
