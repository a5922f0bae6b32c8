#pragma once

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class ReportDialog;
}
class QListWidgetItem;

enum class ReportKind { Spec, Overview };

// The choice of a report. The Radio-Specific Report is offered only for a
// profile that holds the radio's own private; otherwise it is shown
// disabled and the Overview Report is chosen.
class CReportDialog : public QDialog {
    Q_OBJECT

public:
    CReportDialog(bool specAvailable, QWidget* parent = nullptr);
    ~CReportDialog() override;

    ReportKind Selected() const;

    // The report chosen, or nothing when cancelled. The dialog is gone when
    // this returns.
    static std::optional<ReportKind> Ask(bool specAvailable, QWidget* parent);

private:
    void OnCurrentChanged(QListWidgetItem* current);
    void OnDoubleClicked(QListWidgetItem* item);

    std::unique_ptr<Ui::ReportDialog> m_ui;
};
