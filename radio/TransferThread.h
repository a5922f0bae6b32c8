#pragma once

#include "TransferState.h"

#include <QThread>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Makes notify the target of transfer messages and clears the cancel flag,
// as every transfer start does. Done on the starting thread, so a Cancel
// pressed right after the start is never undone by a late clear.
void PrepareTransfer(std::shared_ptr<ITransferNotify> notify);

// Prepares and runs body on a new worker thread (normal priority). The
// caller owns the thread and waits for it before dropping it.
std::unique_ptr<QThread> StartTransferThread(std::shared_ptr<ITransferNotify> notify, std::function<void()> body);

// A notify target that queues the messages for the thread that waits on
// them: the command-line tool's window, and the tests'.
class CTransferMessageQueue final : public ITransferNotify {
public:
    struct Message {
        TransferMessageKind kind;
        qint32 param;
        bool operator==(const Message&) const = default;
    };

    void PostTransferMessage(TransferMessageKind kind, qint32 param) override;
    // The next message, waiting up to timeoutMs (negative: forever).
    std::optional<Message> Take(int timeoutMs = -1);
    // Every message queued so far, without waiting.
    std::vector<Message> Drain();

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<Message> m_messages;
};
