#include "ReportCommand.h"

#include "GuiText.h"
#include "KVXZOTException.h"
#include "MessageBoxAdapter.h"
#include "ReportBuilder.h"
#include "ReportDialog.h"
#include "ReportWindow.h"
#include "StringTable.h"

void ShowReportOptions(CRadioDataModel& model, QWidget* parent)
{
    const std::optional<ReportKind> kind = CReportDialog::Ask(CReportBuilder::CanBuildSpecReport(model), parent);
    if (!kind)
        return;

    ReportResult report;
    try {
        CReportBuilder builder(model);
        report = *kind == ReportKind::Spec ? builder.BuildSpecReport() : builder.BuildOverviewReport();
    } catch (const CKVXZOTException& e) {
        CMessageBoxAdapter::Show(LoadStr(e.GetCode()), kvx::kMbOk | kvx::kMbIconError, parent);
        return;
    }

    CReportWindow window(parent);
    QString error;
    if (!window.Load(report.path, &error)) {
        CMessageBoxAdapter::Show(LoadStr(GuiText::ReportNotOpened).replace(QStringLiteral("%s"), error), kvx::kMbOk | kvx::kMbIconError,
                                 parent);
        return;
    }
    window.exec();
}
