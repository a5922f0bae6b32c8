#include "TransferFrame.h"

#include "MessageIds.h"
#include "RadioResult.h"
#include "StringTable.h"

CTransferFrame::CTransferFrame(const QString& portName)
    : m_state(CTransferState::Instance()), m_lock(m_state.TransferLock())
{
    m_state.SetFailed(false);
    m_port = m_state.CreatePort(portName);
    m_protocol = std::make_unique<RadioProtocol>(m_port.get(), m_state.Timings().longWaitMs);
    m_state.SetCurrent(m_port.get(), m_protocol.get());
}

CTransferFrame::~CTransferFrame()
{
    m_state.SetCurrent(nullptr, nullptr);
    m_protocol.reset();
    if (m_port)
        m_port->Close();
    m_port.reset();
}

bool CTransferFrame::Proceed()
{
    // A failure already reported is the outcome; a cancel after it adds no
    // second, contradicting one.
    if (m_state.TransferFailed())
        return false;
    if (m_state.CancelRequested()) {
        if (!m_bCancelReported) {
            m_bCancelReported = true;
            m_state.Post(TransferMessageKind::Failed, kResultUserCanceled);
        }
        return false;
    }
    return true;
}

void CTransferFrame::Fail(int code)
{
    if (m_state.TransferFailed() || m_bCancelReported)
        return;
    m_state.SetFailed(true);
    // On an open port the port error means replies whose checksum never matched.
    if (code == kResultPortError && m_port && m_port->IsOpen() && m_port->LastError() == 0)
        m_state.SetPortProblem(LoadStr(kMsgRepliesGarbled));
    m_state.Post(TransferMessageKind::Failed, code);
}
