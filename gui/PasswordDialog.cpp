#include "PasswordDialog.h"

#include "ui_PasswordDialog.h"

#include "StringTable.h"

CPasswordDialog::CPasswordDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::PasswordDialog>())
{
    m_ui->setupUi(this);
    setWindowTitle(LoadStr(300));
    m_ui->prompt->setText(LoadStr(301));
    m_ui->ok->setText(LoadStr(168));
    m_ui->cancel->setText(LoadStr(169));
    connect(m_ui->ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CPasswordDialog::~CPasswordDialog() = default;

std::optional<QString> CPasswordDialog::Ask(QWidget* parent)
{
    CPasswordDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_ui->password->text();
}
