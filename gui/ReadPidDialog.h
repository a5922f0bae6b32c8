#pragma once

#include "TransferDialog.h"

#include <memory>

namespace Ui {
class ReadPidDialog;
}

// "Read Private ID from Radio": the connected radio listens for another
// radio's private ID, sent over the air while the user presses keys on that
// radio. The dialog starts the job when it opens; exec() answers Accepted
// only after an ID arrived (ReceivedId()). A timeout turns the bar red.
class CReadPidDialog : public CTransferDialog {
    Q_OBJECT

public:
    explicit CReadPidDialog(QWidget* parent = nullptr);
    ~CReadPidDialog() override;

    // The received ID; twenty blanks until one arrived.
    const QString& ReceivedId() const { return m_strId; }

protected:
    QString SuccessText() const override;
    void OnFailed(int code) override;

private:
    std::unique_ptr<Ui::ReadPidDialog> m_ui;
    QString m_strId;
};
