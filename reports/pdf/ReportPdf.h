#pragma once

// Saved reports on paper: the page layout of every printed report and the
// PDF form of a report.

#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

// The paper size and the report margins: 0.23667 in left and right, 0.16667 in
// top and bottom.
QPageLayout ReportPageLayout(const QPageSize& pageSize);

// Letter where the locale measures in US units, else A4.
QPageSize DefaultReportPageSize();

// Loads a saved report (FF FE and UTF-16) into `document`, which then finds
// the pictures and style sheet beside the file. A view showing a report
// wraps lines as this does: at word boundaries only (QTextOption::WordWrap). False with `error` set when
// the file cannot be read.
bool LoadReportDocument(QTextDocument& document, const QString& savedPath, QString* error);

// Prints a report on a paged device (a printer or PDF writer) whose page
// layout is set: laid out to the page's printable area at 96 pixels to the
// inch, with no margins or page numbers of the renderer's own added. The
// document's page size changes: print a clone of a document on screen.
void PrintReportDocument(QTextDocument& document, QPagedPaintDevice& device);

// Writes `document` as a PDF titled with the document's title. False with
// `error` set when the file cannot be written.
bool WriteReportPdf(QTextDocument& document, const QString& pdfPath, const QPageSize& pageSize, QString* error);
