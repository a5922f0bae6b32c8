#include "PreferenceDialog.h"

#include "ui_PreferenceDialog.h"

#include "ConfigStore.h"
#include "GuiText.h"
#include "Messages.h"
#include "RegistryStore.h"
#include "SerialPortList.h"
#include "StringTable.h"

using kvx::registry::Hive;
using kvx::registry::RegistryStore;

CPreferenceDialog::CPreferenceDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::PreferenceDialog>())
{
    m_ui->setupUi(this);
    setWindowTitle(LoadStr(GuiText::PreferenceTitle));
    m_ui->portLabel->setText(LoadStr(GuiText::SerialPortLabel));
    m_ui->ok->setText(LoadStr(168));
    m_ui->cancel->setText(LoadStr(169));
    connect(m_ui->ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancel, &QPushButton::clicked, this, &QDialog::reject);
    FillPorts();
}

CPreferenceDialog::~CPreferenceDialog() = default;

void CPreferenceDialog::FillPorts()
{
    m_ui->ports->clear();
    const std::optional<QStringList> ports = kvx::serial::EnumerateSerialPorts();
    if (!ports) {
        kvx::ShowMessage(LoadStr(10006) + QStringLiteral("HKEY_LOCAL_MACHINE\\Hardware\\DeviceMap\\SerialComm"),
                         kvx::kMbOk | kvx::kMbIconError);
        return;
    }
    // Each port by its name, with what the system calls the device (a USB
    // adapter's product name) where it knows; the name is what is stored.
    for (const QString& port : *ports) {
        const QString description = kvx::serial::DescribeSerialPort(port);
        m_ui->ports->addItem(description.isEmpty() ? port : QStringLiteral("%1 (%2)").arg(port, description), port);
    }
    const int current = m_ui->ports->findData(GetComPort(), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (current >= 0)
        m_ui->ports->setCurrentIndex(current);
}

void CPreferenceDialog::accept()
{
    // Without any port there is nothing to choose; the stored one stays.
    if (m_ui->ports->currentIndex() >= 0)
        RegistryStore::Instance().WriteString(Hive::User, QString::fromLatin1(kApplicationKey), QStringLiteral("CurrentComPort"),
                                              m_ui->ports->currentData().toString());
    QDialog::accept();
}
