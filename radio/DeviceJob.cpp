#include "DeviceJob.h"

#include "MessageIds.h"
#include "Messages.h"
#include "ModelGroup.h"
#include "RadioResult.h"
#include "StringTable.h"
#include "Transfers.h"
#include "TransferState.h"

#include <atomic>
#include <chrono>

// The job's ear on the process-wide transfer state while it owns it: the
// transfers report here, on the worker thread.
class CDeviceJob::Notify final : public ITransferNotify {
public:
    explicit Notify(CDeviceJob& job) : m_job(job) {}

    void PostTransferMessage(TransferMessageKind kind, qint32 param) override
    {
        switch (kind) {
        case TransferMessageKind::Progress:
            m_job.Post([&job = m_job, param] { emit job.progress(param); });
            break;
        case TransferMessageKind::Failed:
            m_nLastFailure = param;
            break;
        case TransferMessageKind::Question:
            if (param == -2 && m_job.ProfileNotSupportedAccepted()) {
                // Released before the worker waits; the answer is kept for it.
                CTransferState::Instance().AnswerQuestion(true);
                break;
            }
            m_job.Post([&job = m_job, param] { emit job.question(param, QuestionText(param), QuestionStyle(param)); });
            break;
        case TransferMessageKind::Done:
            break;
        }
    }

    std::atomic<int> m_nLastFailure{0};

private:
    CDeviceJob& m_job;
};

CDeviceJob::CDeviceJob(Command command, const QString& portName, ModelGroupResolver modelGroup, QObject* parent)
    : QObject(parent), m_command(command), m_strPort(portName), m_modelGroup(std::move(modelGroup)),
      m_notify(std::make_shared<Notify>(*this))
{
}

CDeviceJob::~CDeviceJob()
{
    cancel();
    JoinWorker();
}

void CDeviceJob::JoinWorker()
{
    if (m_worker) {
        m_worker->wait();
        m_worker.reset();
    }
}

QString CDeviceJob::QuestionText(int code)
{
    return LoadStr(code == -2 ? kMsgProfileNotSupported : code == -1 ? kMsgRadioNotInProfile : kMsgUnknownWarning);
}

unsigned CDeviceJob::QuestionStyle(int code)
{
    return code == -2 || code == -1 ? kvx::kMbYesNo | kvx::kMbIconWarning : kvx::kMbOk | kvx::kMbIconWarning;
}

template <typename F>
void CDeviceJob::Post(F&& emitter)
{
    QMetaObject::invokeMethod(this, std::forward<F>(emitter), Qt::QueuedConnection);
}

void CDeviceJob::start()
{
    if (m_worker || IsFinished())
        return;
    m_worker.reset(QThread::create([this] { Run(); }));
    m_worker->start();
}

void CDeviceJob::proceed()
{
    // A write without its image would empty the radio.
    if (m_command == Command::Write) {
        cancel();
        return;
    }
    std::lock_guard lock(m_mutex);
    m_bProceed = true;
    m_changed.notify_all();
}

void CDeviceJob::proceed(const VirtualCP& writeImage)
{
    std::lock_guard lock(m_mutex);
    m_writeImage = writeImage;
    m_bProceed = true;
    m_changed.notify_all();
}

void CDeviceJob::answer(bool accepted)
{
    // A late answer must not reach another job's question.
    std::lock_guard lock(m_mutex);
    if (m_bActive)
        CTransferState::Instance().AnswerQuestion(accepted);
}

void CDeviceJob::givePassword(const QString& text)
{
    std::lock_guard lock(m_mutex);
    m_password = text;
    m_changed.notify_all();
}

void CDeviceJob::refusePassword()
{
    cancel();
}

void CDeviceJob::setProfileNotSupportedAccepted(bool accepted)
{
    std::lock_guard lock(m_mutex);
    m_bProfileNotSupportedAccepted = accepted;
}

bool CDeviceJob::ProfileNotSupportedAccepted() const
{
    std::lock_guard lock(m_mutex);
    return m_bProfileNotSupportedAccepted;
}

void CDeviceJob::cancel()
{
    std::lock_guard lock(m_mutex);
    m_bCancel = true;
    // Only the job that owns the transfer state may raise its flag: another
    // job's transfer must not see this cancel.
    if (m_bActive)
        CTransferState::Instance().RequestCancel();
    m_changed.notify_all();
}

bool CDeviceJob::WaitFor(Wait what, QString* password)
{
    std::unique_lock lock(m_mutex);
    if (what == Wait::Proceed) {
        m_changed.wait(lock, [this] { return m_bCancel || m_bProceed; });
    } else {
        m_changed.wait(lock, [this] { return m_bCancel || m_password.has_value(); });
        if (!m_bCancel)
            *password = *m_password;
        m_password.reset();
    }
    return !m_bCancel;
}

bool CDeviceJob::PauseMs(int ms)
{
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_bCancel; });
}

int CDeviceJob::LastFailure(int fallback) const
{
    const int code = m_notify->m_nLastFailure;
    return code != 0 ? code : fallback;
}

void CDeviceJob::Run()
{
    CTransferState& state = CTransferState::Instance();
    // One device command at a time in the process: the transfer state's
    // notify target and cancel flag belong to the job holding this lock.
    std::unique_lock command(state.CommandLock(), std::try_to_lock);
    while (!command.owns_lock() && PauseMs(20))
        command.try_lock();
    int result = kResultUserCanceled;
    if (command.owns_lock()) {
        {
            std::lock_guard lock(m_mutex);
            m_bActive = true;
            state.SetNotifyTarget(m_notify);
            state.ClearCancel();
            if (m_bCancel)
                state.RequestCancel();
        }
        result = RunCommand();
        std::lock_guard lock(m_mutex);
        m_bActive = false;
        state.SetNotifyTarget(nullptr);
    }
    Post([this, result] {
        JoinWorker();
        m_nResult = result;
        emit finished(result);
    });
}

int CDeviceJob::RunCommand()
{
    switch (m_command) {
    case Command::Reset:
        return ResetRadioTransfer(m_strPort) ? kResultOk : LastFailure(kResultOperationFailed);
    case Command::ReadPrivateId:
        return ReadPrivateIdOverAir(m_strPrivateId, m_strPort) ? kResultOk : LastFailure(kResultOperationFailed);
    case Command::Identify:
    case Command::Read:
    case Command::Write:
        break;
    }

    const int identification = Identify();
    if (identification != kResultOk || m_command == Command::Identify)
        return identification;
    Post([this] { emit identified(); });
    if (!WaitFor(Wait::Proceed))
        return kResultUserCanceled;
    const int password = CheckPassword();
    if (password != kResultOk)
        return password;

    Post([this] { emit transferStarted(); });
    bool done = false;
    if (m_command == Command::Read) {
        done = ReadCodeplugTransfer(m_readImage, m_strPort);
    } else {
        VirtualCP image;
        {
            std::lock_guard lock(m_mutex);
            image = m_writeImage;
        }
        bool radioChanged = false;
        done = WriteCodeplugTransfer(image, m_strPort, &radioChanged);
        m_bRadioIncomplete = !done && radioChanged;
    }
    return done ? kResultOk : LastFailure(kResultOperationFailed);
}

int CDeviceJob::Identify()
{
    if (m_command == Command::Write) {
        if (!ReadRadioIdentity(m_identity.ownId, m_strPort))
            return LastFailure(kResultOperationFailed);
    } else {
        // The radio gets a moment after the command before the first frame.
        if (!PauseMs(CTransferState::Instance().Timings().chainStartDelayMs))
            return kResultUserCanceled;
    }
    if (!IdentifyRadio(m_identity.version, m_strPort))
        return LastFailure(kResultOperationFailed);
    m_identity.versionText = VersionText(m_identity.version);
    m_identity.modelGroup = m_modelGroup ? m_modelGroup(m_identity.versionText) : 0;
    if (m_identity.modelGroup >= kLatestModelGroup) {
        VirtualCP image;
        if (!ReadRadioPassword(image, m_strPort))
            return LastFailure(kResultOperationFailed);
        m_strRadioPassword = image.settings.password;
        m_identity.hasPassword = !m_strRadioPassword.isEmpty();
    }
    return kResultOk;
}

int CDeviceJob::CheckPassword()
{
    if (m_identity.modelGroup < kLatestModelGroup || m_strRadioPassword.isEmpty())
        return kResultOk;
    for (;;) {
        {
            // Cleared before asking, so an answer that comes before the wait counts.
            std::lock_guard lock(m_mutex);
            m_password.reset();
        }
        Post([this] { emit passwordRequested(); });
        QString typed;
        if (!WaitFor(Wait::Password, &typed))
            return kResultUserCanceled;
        if (typed == m_strRadioPassword)
            return kResultOk;
        Post([this] { emit passwordRejected(); });
    }
}
