#pragma once

#include <QDialog>
#include <memory>

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

private:
    void OnCurrentChanged(QListWidgetItem* current);
    void OnDoubleClicked(QListWidgetItem* item);

    std::unique_ptr<Ui::ReportDialog> m_ui;
};
