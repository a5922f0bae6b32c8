#include "ReadWriteDialog.h"

#include "ui_ReadWriteDialog.h"

#include "StringTable.h"

CReadWriteDialog::CReadWriteDialog(Mode mode, CDeviceJob* job, QWidget* parent)
    : CTransferDialog(parent), m_mode(mode), m_ui(std::make_unique<Ui::ReadWriteDialog>())
{
    m_ui->setupUi(this);
    const bool read = mode == Mode::Read;
    setWindowTitle(LoadStr(read ? 10110 : 10111));
    Attach(job, m_ui->progress, m_ui->status, m_ui->ok, m_ui->cancel);
    SetStatusLine(LoadStr(read ? 10009 : 10010));
}

CReadWriteDialog::~CReadWriteDialog() = default;

QString CReadWriteDialog::SuccessText() const
{
    return LoadStr(m_mode == Mode::Read ? 10011 : 10012);
}
