#include "ScanListView.h"

#include "ui_ScanListView.h"

#include <QSignalBlocker>

CScanListView::CScanListView(QWidget* parent) : CBaseView("CScanListView", parent), ui(new Ui::ScanListView)
{
    ui->setupUi(Form());
    connect(ui->scanModeCheck, &QCheckBox::toggled, this, &CScanListView::OnScanModeToggled);
}

CScanListView::~CScanListView() = default;

void CScanListView::LoadData()
{
    QSignalBlocker block(ui->scanModeCheck);
    ui->scanModeCheck->setChecked(FlagAttribute(Child(Root(), QStringLiteral("setting")), QStringLiteral("scan_en")));
}

void CScanListView::OnScanModeToggled(bool checked)
{
    Guarded([&] {
        const CDataItem setting = Child(Root(), QStringLiteral("setting"));
        if (!Edit(EditRequest::SetAttribute(setting, QStringLiteral("scan_en"), checked)).IsApplied())
            LoadData();
    });
}
