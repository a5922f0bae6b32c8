#include "NewProfileDialog.h"

#include "ui_NewProfileDialog.h"

#include "AppProfileEnvironment.h"
#include "GuiText.h"
#include "KVXZOTDoc.h"
#include "StringTable.h"

CNewProfileDialog::CNewProfileDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::NewProfileDialog>())
{
    m_ui->setupUi(this);
    setWindowTitle(LoadStr(10034));
    m_ui->prompt->setText(LoadStr(GuiText::NewProfilePrompt));
    m_ui->ok->setText(LoadStr(168));
    m_ui->cancel->setText(LoadStr(169));
    connect(m_ui->ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->templates, &QListWidget::itemActivated, this, &QDialog::accept);
}

CNewProfileDialog::~CNewProfileDialog() = default;

int CNewProfileDialog::exec()
{
    const QStringList names = CKVXZOTDoc::TemplateNames(*CAppProfileEnvironment::Instance());
    if (names.isEmpty())
        return Rejected;   // message 10114 has been shown
    m_ui->templates->addItems(names);
    m_ui->templates->setCurrentRow(0);
    m_ui->templates->setFocus();
    return QDialog::exec();
}

void CNewProfileDialog::accept()
{
    const QListWidgetItem* item = m_ui->templates->currentItem();
    if (!item)
        return;
    const auto environment = CAppProfileEnvironment::Instance();
    m_strPath = CKVXZOTDoc::TemplatePath(*environment, item->text());
    // A template that does not load creates no document; its message has been shown.
    if (!CKVXZOTDoc::TrialLoadTemplate(m_strPath, environment)) {
        QDialog::reject();
        return;
    }
    QDialog::accept();
}
