#include "TransferThread.h"

#include <chrono>

void PrepareTransfer(std::shared_ptr<ITransferNotify> notify)
{
    CTransferState& state = CTransferState::Instance();
    state.SetNotifyTarget(std::move(notify));
    state.ClearCancel();
}

std::unique_ptr<QThread> StartTransferThread(std::shared_ptr<ITransferNotify> notify, std::function<void()> body)
{
    PrepareTransfer(std::move(notify));
    std::unique_ptr<QThread> thread(QThread::create(std::move(body)));
    thread->start(QThread::NormalPriority);
    return thread;
}

void CTransferMessageQueue::PostTransferMessage(TransferMessageKind kind, qint32 param)
{
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back({kind, param});
    }
    m_posted.notify_all();
}

std::optional<CTransferMessageQueue::Message> CTransferMessageQueue::Take(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    auto ready = [this] { return !m_messages.empty(); };
    if (timeoutMs < 0)
        m_posted.wait(lock, ready);
    else if (!m_posted.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return std::nullopt;
    Message message = m_messages.front();
    m_messages.pop_front();
    return message;
}

std::vector<CTransferMessageQueue::Message> CTransferMessageQueue::Drain()
{
    std::lock_guard lock(m_mutex);
    std::vector<Message> all(m_messages.begin(), m_messages.end());
    m_messages.clear();
    return all;
}
