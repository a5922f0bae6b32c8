#pragma once

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class PasswordDialog;
}

// The radio's password, asked before a radio with one is read or written.
class CPasswordDialog : public QDialog {
    Q_OBJECT

public:
    explicit CPasswordDialog(QWidget* parent = nullptr);
    ~CPasswordDialog() override;

    // The typed password, or nothing when the user cancelled.
    static std::optional<QString> Ask(QWidget* parent);

private:
    std::unique_ptr<Ui::PasswordDialog> m_ui;
};
