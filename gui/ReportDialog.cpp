#include "ReportDialog.h"

#include "ui_ReportDialog.h"

#include "GuiText.h"
#include "StringTable.h"

#include <QIcon>
#include <QListWidgetItem>

namespace {

constexpr int kKindRole = Qt::UserRole;

QListWidgetItem* AddReport(QListWidget* list, ReportKind kind, int textId, const QString& icon)
{
    auto* item = new QListWidgetItem(QIcon(icon), LoadStr(textId), list);
    item->setData(kKindRole, int(kind));
    return item;
}

bool IsAvailable(const QListWidgetItem* item)
{
    return item && (item->flags() & Qt::ItemIsEnabled);
}

}  // namespace

CReportDialog::CReportDialog(bool specAvailable, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ReportDialog>())
{
    m_ui->setupUi(this);
    setWindowTitle(LoadStr(167));
    m_ui->prompt->setText(LoadStr(166));
    m_ui->reports->setAccessibleName(m_ui->prompt->text());
    m_ui->ok->setText(LoadStr(168));
    m_ui->cancel->setText(LoadStr(169));

    QListWidgetItem* spec = AddReport(m_ui->reports, ReportKind::Spec, 170, QStringLiteral(":/report/radio-specific.png"));
    QListWidgetItem* overview = AddReport(m_ui->reports, ReportKind::Overview, 171, QStringLiteral(":/report/overview.png"));
    if (!specAvailable) {
        spec->setFlags(spec->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        spec->setToolTip(LoadStr(GuiText::SpecReportUnavailable));
    }

    connect(m_ui->reports, &QListWidget::currentItemChanged, this, &CReportDialog::OnCurrentChanged);
    connect(m_ui->reports, &QListWidget::itemDoubleClicked, this, &CReportDialog::OnDoubleClicked);
    connect(m_ui->ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->reports->setCurrentItem(specAvailable ? spec : overview);
    m_ui->reports->setFocus();
}

CReportDialog::~CReportDialog() = default;

ReportKind CReportDialog::Selected() const
{
    const QListWidgetItem* current = m_ui->reports->currentItem();
    return IsAvailable(current) ? ReportKind(current->data(kKindRole).toInt()) : ReportKind::Overview;
}

std::optional<ReportKind> CReportDialog::Ask(bool specAvailable, QWidget* parent)
{
    CReportDialog dialog(specAvailable, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Selected();
}

void CReportDialog::OnCurrentChanged(QListWidgetItem* current)
{
    m_ui->ok->setEnabled(IsAvailable(current));
}

void CReportDialog::OnDoubleClicked(QListWidgetItem* item)
{
    if (!IsAvailable(item))
        return;
    m_ui->reports->setCurrentItem(item);
    accept();
}
