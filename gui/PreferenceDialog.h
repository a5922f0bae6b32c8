#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class PreferenceDialog;
}

// "Preference Setting": the serial port of the radio, chosen from the ports
// of this machine; OK stores it as the user's port.
class CPreferenceDialog : public QDialog {
    Q_OBJECT

public:
    explicit CPreferenceDialog(QWidget* parent = nullptr);
    ~CPreferenceDialog() override;

protected:
    void accept() override;

private:
    void FillPorts();

    std::unique_ptr<Ui::PreferenceDialog> m_ui;
};
