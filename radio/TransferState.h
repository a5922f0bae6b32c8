#pragma once

#include "CommPort.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class RadioProtocol;

// The message kinds a transfer reports; the parameter is a percentage
// (Progress), 0 (Done), a result code (Failed) or a question code (Question).
enum class TransferMessageKind : int { Progress = 1, Done = 2, Failed = 3, Question = 4 };

// Receives a transfer's messages. Called on the transfer's own thread: an
// implementation hands the message over to its own thread (a window posts
// it to itself, the command-line tool queues it) and never blocks.
class ITransferNotify {
public:
    virtual ~ITransferNotify() = default;
    virtual void PostTransferMessage(TransferMessageKind kind, qint32 param) = 0;
};

// Timing of the radio link. The defaults are the radio's; tests inject
// shorter ones.
struct TransferTimings {
    int readPerByteMs = 100;       // a read of n bytes gives up after n x this
    int writeTotalMs = 120;        // a write gives up after this
    int longWaitMs = 4000;         // between sending EndWrite and reading its reply
    int privateIdPollMs = 3000;    // between the polls of an over-the-air ID read
    int chainStartDelayMs = 200;   // before a Read chain identifies the radio
};

// Creates the port of a transfer from its port name. The default opens a
// SerialPort; tests give a simulated line. A port whose opening failed is
// still returned: the first command on it then ends with -1.
using PortFactory = std::function<std::unique_ptr<ICommPort>(const QString& portName, const TransferTimings& timings)>;

// The state every transfer of the process shares: the lock held for a whole
// transfer, the cancel and failed flags, the notify target, the question
// handshake and the expected clone level.
class CTransferState {
public:
    static CTransferState& Instance();

    void SetNotifyTarget(std::shared_ptr<ITransferNotify> target);
    std::shared_ptr<ITransferNotify> NotifyTarget() const;
    // Delivers a message to the notify target; nothing happens without one.
    void Post(TransferMessageKind kind, qint32 param) const;

    void RequestCancel();
    void ClearCancel() { m_cancelRequested = 0; }
    bool CancelRequested() const { return m_cancelRequested != 0; }
    void SetFailed(bool failed) { m_transferFailed = failed ? 1 : 0; }
    bool TransferFailed() const { return m_transferFailed != 0; }

    // Worker side of a question: posts Question with code and blocks until
    // AnswerQuestion (or a cancel) releases it. True when the answer let the
    // transfer go on. Without a notify target the answer is No.
    bool AskQuestion(qint32 code);
    // Window side: a refusal sets the cancel flag; then the worker goes on.
    // An answer given before the worker started to wait is kept for it.
    void AnswerQuestion(bool accepted);

    std::mutex& TransferLock() { return m_transferLock; }
    // Held by a device-command job for its whole run (CDeviceJob): the
    // notify target and the cancel flag belong to one command at a time.
    std::mutex& CommandLock() { return m_commandLock; }

    // The running transfer's port and protocol (set by the lock holder).
    void SetCurrent(ICommPort* port, RadioProtocol* protocol);
    ICommPort* CurrentPort() const { return m_currentPort; }
    RadioProtocol* CurrentProtocol() const { return m_currentProtocol; }

    int ExpectedCloneLevel() const { return m_expectedCloneLevel; }
    void SetExpectedCloneLevel(int level) { m_expectedCloneLevel = level; }

    TransferTimings Timings() const;
    void SetTimings(const TransferTimings& timings);
    void SetPortFactory(PortFactory factory);   // empty: the serial port
    // Creates and opens the port; remembers why it could not be opened.
    std::unique_ptr<ICommPort> CreatePort(const QString& portName);
    // Why the latest port could not be opened (PortProblemText); empty when
    // it opened or no reason is known.
    QString PortProblem() const;
    // The port opened, but the radio's replies came garbled: that is the
    // reason below the port error then.
    void SetPortProblem(const QString& problem);

private:
    CTransferState() = default;

    mutable std::mutex m_mutex;   // guards the members below that are not atomic
    std::shared_ptr<ITransferNotify> m_notify;
    TransferTimings m_timings;
    PortFactory m_factory;
    QString m_strPortProblem;

    std::atomic<qint32> m_cancelRequested{0};
    std::atomic<qint32> m_transferFailed{0};
    std::atomic<ICommPort*> m_currentPort{nullptr};
    std::atomic<RadioProtocol*> m_currentProtocol{nullptr};
    std::atomic<int> m_expectedCloneLevel{1};
    std::mutex m_transferLock;
    std::mutex m_commandLock;

    std::mutex m_questionMutex;
    std::condition_variable m_questionAnswered;
    bool m_bAnswered = true;
};
