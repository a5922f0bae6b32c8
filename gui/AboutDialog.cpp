#include "AboutDialog.h"

#include "ui_AboutDialog.h"

#include "AppProfileEnvironment.h"
#include "ConfigStore.h"
#include "GuiText.h"
#include "KVXZOTDoc.h"
#include "StringTable.h"

#include <QFont>

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    const QString name = QString::fromLatin1(kApplicationName);
    setWindowTitle(LoadStr(261).replace(QStringLiteral("%s"), name).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    m_ui->picture->setPixmap(QPixmap(QStringLiteral(":/app/about.png")));
    m_ui->picture->setAccessibleName(name);
    m_ui->name->setText(name);
    QFont bold = m_ui->name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    m_ui->name->setFont(bold);
    m_ui->version->setText(LoadStr(GuiText::AboutVersion).replace(QStringLiteral("%s"), QStringLiteral(KVX_VERSION)));
    m_ui->description->setText(LoadStr(GuiText::AboutDescription));
    m_ui->description->setMinimumWidth(m_ui->description->fontMetrics().averageCharWidth() * 48);
    // The family's models are the installation's templates.
    const QStringList models = CKVXZOTDoc::TemplateNames(*CAppProfileEnvironment::Instance(), false);
    m_ui->family->setText(LoadStr(GuiText::AboutFamily).replace(QStringLiteral("%s"), models.join(QStringLiteral(", "))));
    m_ui->family->setVisible(!models.isEmpty());
    m_ui->licence->setText(LoadStr(GuiText::AboutLicence));
    m_ui->ok->setText(LoadStr(168));
    connect(m_ui->ok, &QPushButton::clicked, this, &QDialog::accept);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

CAboutDialog::~CAboutDialog() = default;
