#pragma once

#include "TransferThread.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

// The main window's device commands as a controller without windows: Read
// and Write identify the radio, derive its model group and, for the latest
// group, read its password before their flow opens; Reset resets the radio.
// The chain advances on the Done messages addressed to the main window; its
// owner forwards every such message to HandleMessage on its own thread. The
// identification and password transfers run on that thread; the others on
// a worker thread.
class CDeviceCommandChain {
public:
    enum class Command { Read, Write, Reset };
    enum class Stage { Idle, ReadStart, ReadIdentified, ReadReady, WriteStart, WriteIdentified, WriteReady, Reset };

    struct Hooks {
        std::function<QString()> portName;                         // the port of each transfer
        std::function<int(const QString& versionText)> modelGroup;  // 0 when no group holds the version
        std::function<std::optional<QString>()> askPassword;       // nullopt: the user cancelled
        std::function<void()> passwordWrong;                       // tell the user the entry was wrong
        std::function<void(int code)> failed;                      // show the code's main-window text
        std::function<void()> openReadFlow;
        std::function<void()> openWriteFlow;
        std::function<void()> resetDone;
    };

    CDeviceCommandChain(Hooks hooks, std::shared_ptr<ITransferNotify> notify);
    ~CDeviceCommandChain();
    CDeviceCommandChain(const CDeviceCommandChain&) = delete;
    CDeviceCommandChain& operator=(const CDeviceCommandChain&) = delete;

    // Starts a command; ignored unless the chain is idle.
    void Start(Command command);
    void HandleMessage(TransferMessageKind kind, qint32 param);

    bool IsIdle() const { return m_stage == Stage::Idle; }
    Stage CurrentStage() const { return m_stage; }

    // What the chain learnt about the connected radio.
    const std::array<quint8, 7>& RadioVersion() const { return m_version; }
    int RadioModelGroup() const { return m_nModelGroup; }
    const QString& RadioPassword() const { return m_strPassword; }
    const QString& RadioIdentity() const { return m_strIdentity; }

    // The password check of both flows: asks again and again until the typed
    // text equals the radio's password. True when there is nothing to check
    // (model group 2 or lower, or no password) or the entry was right; false
    // when the user cancelled, which sets the transfer-cancel flag.
    bool CheckPassword();

private:
    void JoinWorker();
    void RunDirect(const std::function<void()>& transfer);
    void Identify();
    void ReadPasswordOrOpen(bool read);

    Hooks m_hooks;
    std::shared_ptr<ITransferNotify> m_notify;
    Stage m_stage = Stage::Idle;
    std::unique_ptr<QThread> m_worker;
    std::array<quint8, 7> m_version{};
    int m_nModelGroup = 0;
    QString m_strPassword;
    QString m_strIdentity;
};
