#pragma once

#include <QDialog>
#include <QPageSize>
#include <memory>

namespace Ui {
class ReportWindow;
}
class QPrinter;
class QTextDocument;

// A saved report on screen, laid out as it prints, with Print, Print
// Preview, Save As (the HTML as written, or a PDF) and Close. Every printed
// page and PDF has the report margins; the paper chosen in a print dialog
// is kept for the next print or PDF.
class CReportWindow : public QDialog {
    Q_OBJECT

public:
    explicit CReportWindow(QWidget* parent = nullptr);
    ~CReportWindow() override;

    // Shows a saved report; false with `error` set when it cannot be read.
    bool Load(const QString& savedPath, QString* error);

public slots:
    void OnPrint();
    void OnPrintPreview();
    void OnSaveAs();

private:
    void PreparePrinter(QPrinter& printer) const;
    // Prints a copy of the shown report, so the view keeps its layout.
    void Print(QPrinter& printer);

    std::unique_ptr<Ui::ReportWindow> m_ui;
    QTextDocument* m_pDocument = nullptr;
    QString m_strPath;
    QPageSize m_pageSize;
};
