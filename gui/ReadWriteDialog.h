#pragma once

#include "TransferDialog.h"

#include <memory>

namespace Ui {
class ReadWriteDialog;
}

// The read or write of a radio's codeplug: opened by the main window's read
// and write flows when their job starts the transfer. exec() answers
// Accepted only after a successful transfer.
class CReadWriteDialog : public CTransferDialog {
    Q_OBJECT

public:
    enum class Mode { Read, Write };

    CReadWriteDialog(Mode mode, CDeviceJob* job, QWidget* parent = nullptr);
    ~CReadWriteDialog() override;

protected:
    QString SuccessText() const override;

private:
    Mode m_mode;
    std::unique_ptr<Ui::ReadWriteDialog> m_ui;
};
