#include "TransferDialog.h"

#include "DeviceJob.h"
#include "GuiText.h"
#include "MessageBoxAdapter.h"
#include "RadioResult.h"
#include "StringTable.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

CTransferDialog::CTransferDialog(QWidget* parent) : QDialog(parent)
{
}

CTransferDialog::~CTransferDialog()
{
    Detach();
}

void CTransferDialog::Attach(CDeviceJob* job, QProgressBar* progress, QLabel* status, QPushButton* ok, QPushButton* cancel)
{
    m_job = job;
    m_pProgress = progress;
    m_pStatus = status;
    m_pOk = ok;
    m_pCancel = cancel;
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
    m_pProgress->setAccessibleName(LoadStr(GuiText::ProgressName));
    m_pOk->setText(LoadStr(168));
    m_pCancel->setText(LoadStr(169));
    m_pOk->setEnabled(false);
    m_pCancel->setEnabled(true);
    m_pCancel->setFocus();
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CTransferDialog::OnCancel);
    connect(job, &CDeviceJob::progress, this, [this](int percent) { m_pProgress->setValue(percent); });
    connect(job, &CDeviceJob::question, this, &CTransferDialog::OnQuestion);
    connect(job, &CDeviceJob::finished, this, &CTransferDialog::OnFinished);
}

void CTransferDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_bShown) {
        m_bShown = true;
        if (!m_bDone)
            emit statusTextChanged(LoadStr(10019));
    }
}

void CTransferDialog::Detach()
{
    if (m_job)
        disconnect(m_job, nullptr, this, nullptr);
}

void CTransferDialog::SetStatusLine(const QString& text)
{
    m_pStatus->setText(text);
    // A screen reader announces the new state.
    m_pStatus->setAccessibleName(text);
}

void CTransferDialog::OnFinished(int result)
{
    if (m_bDone)
        return;
    m_bDone = true;
    emit statusTextChanged(LoadStr(10018));
    if (result == kResultOk) {
        m_pProgress->setValue(100);
        setWindowTitle(SuccessText());
        SetStatusLine(SuccessText());
        m_pOk->setEnabled(true);
        m_pCancel->setEnabled(false);
        m_pOk->setDefault(true);
        m_pOk->setFocus();
        return;
    }
    OnFailed(result);
}

void CTransferDialog::OnFailed(int code)
{
    m_bFailed = true;
    if (m_job && m_job->RadioLeftIncomplete()) {
        // The radio took part of the profile: that, not the line's fault, is the news.
        SetStatusLine(ResultDialogText(code));
        CMessageBoxAdapter::Show(WriteIncompleteText(code), kvx::kMbOk | kvx::kMbIconError, this);
    } else if (ResultShownAsMessageBox(code)) {
        SetStatusLine(QString());
        CMessageBoxAdapter::Show(ResultDialogText(code), kvx::kMbOk | kvx::kMbIconError, this);
    } else {
        SetStatusLine(ResultDialogText(code));
    }
    if (code == kResultUserCanceled)
        done(Rejected);
}

void CTransferDialog::OnQuestion(int, const QString& text, unsigned style)
{
    if (m_bDone)
        return;
    // The job chose the text (10031, 10030 or 10032) and its buttons.
    const int answer = CMessageBoxAdapter::Show(text, style, this);
    if (m_job)
        m_job->answer(answer == kvx::kIdOk || answer == kvx::kIdYes);
}

void CTransferDialog::OnCancel()
{
    if (!m_pCancel->isEnabled())
        return;
    if (m_job)
        m_job->cancel();
    SetStatusLine(LoadStr(10105));
    if (m_bFailed)
        done(Rejected);
}

void CTransferDialog::done(int result)
{
    Detach();
    QDialog::done(result);
}

void CTransferDialog::reject()
{
    // Escape: Cancel while it is enabled, nothing after success.
    OnCancel();
}

void CTransferDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    OnCancel();
}
