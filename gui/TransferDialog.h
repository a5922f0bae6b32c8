#pragma once

#include "DeviceJob.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

// What the two transfer dialogs share: they show a running device job's
// progress and outcome and are the only way to stop it.
//
// | State        | OK                | Cancel   | Leaves by                                  |
// | Transferring | disabled          | enabled  | success → Succeeded; failure → Failed      |
// | Cancelling   | disabled          | enabled  | -12 → closed (Cancel); success → Succeeded |
// | Succeeded    | enabled, focused  | disabled | OK → closed (OK)                           |
// | Failed       | disabled          | enabled  | Cancel → closed (Cancel)                   |
//
// Escape and the window's Close act as Cancel while Cancel is enabled and do
// nothing after success. Nothing the job says after the dialog closed, or
// after its outcome was shown, changes the dialog.
class CTransferDialog : public QDialog {
    Q_OBJECT

public:
    ~CTransferDialog() override;

    bool Failed() const { return m_bFailed; }

signals:
    // The main window's transfer state pane ("Transferring", "Idle").
    void statusTextChanged(const QString& text);

protected:
    CTransferDialog(QWidget* parent);

    // Binds the controls (set up by the subclass) and follows the job.
    void Attach(CDeviceJob* job, QProgressBar* progress, QLabel* status, QPushButton* ok, QPushButton* cancel);
    void SetStatusLine(const QString& text);

    // The title and status line after success.
    virtual QString SuccessText() const = 0;
    virtual void OnFailed(int code);

    CDeviceJob* Job() const { return m_job; }
    QProgressBar* ProgressBar() const { return m_pProgress; }

    void done(int result) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnFinished(int result);
    void OnQuestion(int code, const QString& text, unsigned style);
    void OnCancel();
    void Detach();

    QPointer<CDeviceJob> m_job;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pStatus = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    bool m_bFailed = false;
    bool m_bDone = false;
    bool m_bShown = false;
};
