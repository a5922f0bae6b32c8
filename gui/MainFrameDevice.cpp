// CMainFrame: the device commands Read, Write and Reset. Each runs one
// device job; the frame answers what the job asks (the password, the write's
// image and its 10031 question), opens the read/write dialog when the
// transfer starts and finishes the read flow with the profile it read.

#include "MainFrame.h"

#include "ChildFrame.h"
#include "ConfigStore.h"
#include "DeviceJob.h"
#include "KVXZOTApp.h"
#include "KVXZOTDoc.h"
#include "MessageBoxAdapter.h"
#include "PasswordDialog.h"
#include "RadioResult.h"
#include "ReadWriteDialog.h"
#include "StringTable.h"
#include "WriteFlow.h"

int CMainFrame::Ask(int messageId, unsigned style)
{
    return CMessageBoxAdapter::Show(LoadStr(messageId), style, this);
}

void CMainFrame::OnDeviceRead()
{
    StartDeviceJob(CDeviceJob::Command::Read);
}

void CMainFrame::OnDeviceWrite()
{
    CChildFrame* child = ActiveChild();
    if (!child || !child->CommitPendingEdits(true))
        return;
    m_writeChild = child;
    StartDeviceJob(CDeviceJob::Command::Write);
}

void CMainFrame::OnDeviceReset()
{
    StartDeviceJob(CDeviceJob::Command::Reset);
}

void CMainFrame::StartDeviceJob(CDeviceJob::Command command)
{
    if (!m_bIdle)
        return;
    m_bIdle = false;
    m_bUserStopped = false;
    m_bTransferDialogOpen = false;
    m_bTransferDialogShown = false;
    m_nJobResult = 0;
    SetStatusText(LoadStr(10019));
    UpdateCommandStates();

    const CKVXZOTApp* app = CKVXZOTApp::Instance();
    m_pJob = new CDeviceJob(command, GetComPort(), app ? app->VersionGroupResolver() : CDeviceJob::ModelGroupResolver(), this);
    connect(m_pJob, &CDeviceJob::identified, this, &CMainFrame::OnRadioIdentified);
    connect(m_pJob, &CDeviceJob::passwordRequested, this, &CMainFrame::OnPasswordRequested);
    connect(m_pJob, &CDeviceJob::passwordRejected, this, [this] { Ask(302, kvx::kMbOk | kvx::kMbIconWarning); });
    connect(m_pJob, &CDeviceJob::transferStarted, this, &CMainFrame::OnTransferStarted);
    connect(m_pJob, &CDeviceJob::finished, this, &CMainFrame::OnDeviceJobFinished);
    m_pJob->start();
}

void CMainFrame::StopDeviceJob()
{
    // The user said no: the command ends without a failure message.
    m_bUserStopped = true;
    m_pJob->cancel();
}

void CMainFrame::OnRadioIdentified()
{
    const CDeviceJob::RadioIdentity& radio = m_pJob->Identity();
    if (m_pJob->GetCommand() != CDeviceJob::Command::Write) {
        m_pJob->proceed();
        return;
    }
    if (!m_writeChild) {
        StopDeviceJob();
        return;
    }
    CKVXZOTDoc& doc = m_writeChild->Document();
    // A fresh image of the profile, for this radio.
    *m_pImage = VirtualCP();
    if (!PrepareWriteImage(doc, radio.ownId, *m_pImage)) {
        StopDeviceJob();
        return;
    }
    if (ProfileNotSupportedByRadio(doc, radio.modelGroup)) {
        if (Ask(10031, kvx::kMbYesNo | kvx::kMbIconWarning) != kvx::kIdYes) {
            StopDeviceJob();
            return;
        }
        // The transfer's own question about it is then answered Yes.
        m_pJob->setProfileNotSupportedAccepted(true);
    }
    m_pJob->proceed(*m_pImage);
}

void CMainFrame::OnPasswordRequested()
{
    const std::optional<QString> typed = CPasswordDialog::Ask(this);
    if (!typed) {
        m_bUserStopped = true;
        m_pJob->refusePassword();
        return;
    }
    m_pJob->givePassword(*typed);
}

void CMainFrame::OnTransferStarted()
{
    const auto mode = m_pJob->GetCommand() == CDeviceJob::Command::Read ? CReadWriteDialog::Mode::Read
                                                                         : CReadWriteDialog::Mode::Write;
    CReadWriteDialog dialog(mode, m_pJob, this);
    connect(&dialog, &CTransferDialog::statusTextChanged, this, &CMainFrame::SetStatusText);
    m_bTransferDialogOpen = true;
    m_bTransferDialogShown = true;
    const int answer = dialog.exec();
    m_bTransferDialogOpen = false;
    // The dialog ends only after the job's outcome.
    FinishDeviceCommand(answer == QDialog::Accepted ? int(kResultOk) : m_nJobResult);
}

void CMainFrame::OnDeviceJobFinished(int result)
{
    m_nJobResult = result;
    if (!m_bTransferDialogOpen)
        FinishDeviceCommand(result);
}

void CMainFrame::FinishDeviceCommand(int result)
{
    if (!m_pJob)
        return;
    CDeviceJob* job = m_pJob;
    m_pJob = nullptr;
    m_bIdle = true;
    SetStatusText(LoadStr(10018));
    UpdateCommandStates();

    if (result == kResultOk && job->GetCommand() == CDeviceJob::Command::Read)
        FinishRead(job->ReadImage());
    else if (result != kResultOk && !m_bTransferDialogShown && !m_bUserStopped)
        CMessageBoxAdapter::Show(ResultMainWindowText(result), kvx::kMbOk | kvx::kMbIconError, this);
    job->deleteLater();
}

void CMainFrame::FinishRead(const VirtualCP& image)
{
    *m_pImage = image;
    CChildFrame* active = ActiveChild();
    int answer = kvx::kIdYes;
    if (active)
        answer = Ask(10001, kvx::kMbYesNoCancel | kvx::kMbIconQuestion);
    if (answer == kvx::kIdYes) {
        std::unique_ptr<CKVXZOTDoc> doc = CreateDocument();
        if (doc && doc->OnNewDocument(*m_pImage))
            CreateDocumentWindow(std::move(doc));
    } else if (answer == kvx::kIdNo) {
        active->Document().ReplaceWithRadioImage(*m_pImage);
        UpdateStatusPanes();
    }
}
