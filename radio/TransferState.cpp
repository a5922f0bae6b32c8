#include "TransferState.h"

#include "SerialPort.h"

CTransferState& CTransferState::Instance()
{
    static CTransferState state;
    return state;
}

void CTransferState::SetNotifyTarget(std::shared_ptr<ITransferNotify> target)
{
    std::lock_guard lock(m_mutex);
    m_notify = std::move(target);
}

std::shared_ptr<ITransferNotify> CTransferState::NotifyTarget() const
{
    std::lock_guard lock(m_mutex);
    return m_notify;
}

void CTransferState::Post(TransferMessageKind kind, qint32 param) const
{
    // A copy keeps the target alive while it is called, even if its window
    // replaces or drops it at the same moment.
    if (auto target = NotifyTarget())
        target->PostTransferMessage(kind, param);
}

void CTransferState::RequestCancel()
{
    m_cancelRequested = 1;
    // A worker held at a question must see the cancel too.
    std::lock_guard lock(m_questionMutex);
    m_questionAnswered.notify_all();
}

bool CTransferState::AskQuestion(qint32 code)
{
    // With nobody to ask, waiting would never end: the answer is No.
    if (!NotifyTarget()) {
        m_cancelRequested = 1;
        return false;
    }
    {
        std::lock_guard lock(m_questionMutex);
        m_bAnswered = false;
    }
    // Posted only after the question is marked open, so an answer that comes
    // before the wait below begins is not lost.
    Post(TransferMessageKind::Question, code);
    std::unique_lock lock(m_questionMutex);
    m_questionAnswered.wait(lock, [this] { return m_bAnswered || CancelRequested(); });
    m_bAnswered = true;
    return !CancelRequested();
}

void CTransferState::AnswerQuestion(bool accepted)
{
    if (!accepted)
        m_cancelRequested = 1;
    std::lock_guard lock(m_questionMutex);
    m_bAnswered = true;
    m_questionAnswered.notify_all();
}

void CTransferState::SetCurrent(ICommPort* port, RadioProtocol* protocol)
{
    m_currentPort = port;
    m_currentProtocol = protocol;
}

TransferTimings CTransferState::Timings() const
{
    std::lock_guard lock(m_mutex);
    return m_timings;
}

void CTransferState::SetTimings(const TransferTimings& timings)
{
    std::lock_guard lock(m_mutex);
    m_timings = timings;
}

void CTransferState::SetPortFactory(PortFactory factory)
{
    std::lock_guard lock(m_mutex);
    m_factory = std::move(factory);
}

std::unique_ptr<ICommPort> CTransferState::CreatePort(const QString& portName)
{
    PortFactory factory;
    TransferTimings timings;
    {
        std::lock_guard lock(m_mutex);
        factory = m_factory;
        timings = m_timings;
        m_strPortProblem.clear();
    }
    if (factory)
        return factory(portName, timings);
    auto port = std::make_unique<SerialPort>(SerialTimings{timings.readPerByteMs, timings.writeTotalMs});
    if (!port->Open(portName)) {
        std::lock_guard lock(m_mutex);
        m_strPortProblem = port->OpenProblem();
    }
    return port;
}

void CTransferState::SetPortProblem(const QString& problem)
{
    std::lock_guard lock(m_mutex);
    m_strPortProblem = problem;
}

QString CTransferState::PortProblem() const
{
    std::lock_guard lock(m_mutex);
    return m_strPortProblem;
}
