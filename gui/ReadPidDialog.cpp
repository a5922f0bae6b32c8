#include "ReadPidDialog.h"

#include "ui_ReadPidDialog.h"

#include "ConfigStore.h"
#include "DeviceJob.h"
#include "KVXZOTApp.h"
#include "RadioResult.h"
#include "StringTable.h"

#include <QPalette>

CReadPidDialog::CReadPidDialog(QWidget* parent)
    : CTransferDialog(parent), m_ui(std::make_unique<Ui::ReadPidDialog>()), m_strId(20, QLatin1Char(' '))
{
    m_ui->setupUi(this);
    setWindowTitle(LoadStr(10109));
    m_ui->hint->setText(LoadStr(10094));
    const CKVXZOTApp* app = CKVXZOTApp::Instance();
    auto* job = new CDeviceJob(CDeviceJob::Command::ReadPrivateId, GetComPort(),
                               app ? app->VersionGroupResolver() : CDeviceJob::ModelGroupResolver(), this);
    connect(job, &CDeviceJob::finished, this, [this, job](int result) {
        if (result == kResultOk)
            m_strId = job->PrivateId();
    });
    Attach(job, m_ui->progress, m_ui->status, m_ui->ok, m_ui->cancel);
    SetStatusLine(QString());
    job->start();
}

CReadPidDialog::~CReadPidDialog() = default;

QString CReadPidDialog::SuccessText() const
{
    return LoadStr(10011);
}

void CReadPidDialog::OnFailed(int code)
{
    if (code == kResultTimedOut) {
        QPalette red = m_ui->progress->palette();
        red.setColor(QPalette::Base, QColor(255, 0, 0));
        red.setColor(QPalette::Window, QColor(255, 0, 0));
        m_ui->progress->setPalette(red);
        m_ui->progress->setAutoFillBackground(true);
    }
    CTransferDialog::OnFailed(code);
}
