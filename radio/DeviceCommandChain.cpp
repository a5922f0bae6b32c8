#include "DeviceCommandChain.h"

#include "Transfers.h"

#include <chrono>
#include <thread>

CDeviceCommandChain::CDeviceCommandChain(Hooks hooks, std::shared_ptr<ITransferNotify> notify)
    : m_hooks(std::move(hooks)), m_notify(std::move(notify))
{
}

CDeviceCommandChain::~CDeviceCommandChain()
{
    JoinWorker();
}

void CDeviceCommandChain::JoinWorker()
{
    if (m_worker) {
        m_worker->wait();
        m_worker.reset();
    }
}

void CDeviceCommandChain::Start(Command command)
{
    if (!IsIdle())
        return;
    JoinWorker();
    m_version = {};
    m_nModelGroup = 0;
    m_strPassword.clear();
    m_strIdentity.clear();
    const QString port = m_hooks.portName ? m_hooks.portName() : QString();
    switch (command) {
    case Command::Read: {
        m_stage = Stage::ReadStart;
        const int delayMs = CTransferState::Instance().Timings().chainStartDelayMs;
        m_worker = StartTransferThread(m_notify, [delayMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            CTransferState::Instance().Post(TransferMessageKind::Done, 0);
        });
        break;
    }
    case Command::Write:
        m_stage = Stage::WriteStart;
        m_worker = StartTransferThread(m_notify, [this, port] { ReadRadioIdentity(m_strIdentity, port); });
        break;
    case Command::Reset:
        m_stage = Stage::Reset;
        m_worker = StartTransferThread(m_notify, [port] { ResetRadioTransfer(port); });
        break;
    }
}

void CDeviceCommandChain::RunDirect(const std::function<void()>& transfer)
{
    PrepareTransfer(m_notify);
    transfer();
}

void CDeviceCommandChain::Identify()
{
    const QString port = m_hooks.portName ? m_hooks.portName() : QString();
    RunDirect([&] { IdentifyRadio(m_version, port); });
}

void CDeviceCommandChain::ReadPasswordOrOpen(bool read)
{
    m_nModelGroup = m_hooks.modelGroup ? m_hooks.modelGroup(VersionText(m_version)) : 0;
    if (m_nModelGroup < 3) {
        m_stage = Stage::Idle;
        auto& open = read ? m_hooks.openReadFlow : m_hooks.openWriteFlow;
        if (open)
            open();
        return;
    }
    const QString port = m_hooks.portName ? m_hooks.portName() : QString();
    RunDirect([&] {
        VirtualCP image;
        if (ReadRadioPassword(image, port))
            m_strPassword = image.settings.password;
    });
}

void CDeviceCommandChain::HandleMessage(TransferMessageKind kind, qint32 param)
{
    if (kind == TransferMessageKind::Progress || kind == TransferMessageKind::Question || IsIdle())
        return;
    if (kind == TransferMessageKind::Failed) {
        m_stage = Stage::Idle;
        JoinWorker();
        if (m_hooks.failed)
            m_hooks.failed(param);
        return;
    }
    switch (m_stage) {
    case Stage::ReadStart:
        JoinWorker();
        m_stage = Stage::ReadIdentified;
        Identify();
        break;
    case Stage::ReadIdentified:
        m_stage = Stage::ReadReady;
        ReadPasswordOrOpen(true);
        break;
    case Stage::ReadReady:
        m_stage = Stage::Idle;
        if (m_hooks.openReadFlow)
            m_hooks.openReadFlow();
        break;
    case Stage::WriteStart:
        JoinWorker();
        m_stage = Stage::WriteIdentified;
        Identify();
        break;
    case Stage::WriteIdentified:
        m_stage = Stage::WriteReady;
        ReadPasswordOrOpen(false);
        break;
    case Stage::WriteReady:
        m_stage = Stage::Idle;
        if (m_hooks.openWriteFlow)
            m_hooks.openWriteFlow();
        break;
    case Stage::Reset:
        JoinWorker();
        m_stage = Stage::Idle;
        if (m_hooks.resetDone)
            m_hooks.resetDone();
        break;
    case Stage::Idle:
        break;
    }
}

bool CDeviceCommandChain::CheckPassword()
{
    if (m_nModelGroup <= 2 || m_strPassword.isEmpty())
        return true;
    for (;;) {
        const std::optional<QString> typed = m_hooks.askPassword ? m_hooks.askPassword() : std::nullopt;
        if (!typed) {
            CTransferState::Instance().RequestCancel();
            return false;
        }
        if (*typed == m_strPassword)
            return true;
        if (m_hooks.passwordWrong)
            m_hooks.passwordWrong();
    }
}
