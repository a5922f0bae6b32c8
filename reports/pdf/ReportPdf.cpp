#include "ReportPdf.h"

#include "ProfileFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPdfWriter>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>

QPageLayout ReportPageLayout(const QPageSize& pageSize)
{
    return QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0.23667, 0.16667, 0.23667, 0.16667), QPageLayout::Inch);
}

QPageSize DefaultReportPageSize()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

bool LoadReportDocument(QTextDocument& document, const QString& savedPath, QString* error)
{
    QFile file(savedPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(savedPath, file.errorString());
        return false;
    }
    // The decoder takes the FF FE mark as the byte order and drops it.
    const QString html = QStringDecoder(QStringConverter::Utf16).decode(file.readAll());
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(savedPath).absoluteFilePath()));
    // Like a browser, widen a cell to a word that does not fit (names are
    // joined by non-breaking blanks) instead of breaking the word.
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    document.setHtml(html);
    return true;
}

void PrintReportDocument(QTextDocument& document, QPagedPaintDevice& device)
{
    // The fragments measure in screen pixels.
    const qreal pixelsPerInch = 96;
    document.setPageSize(device.pageLayout().paintRect(QPageLayout::Inch).size() * pixelsPerInch);
    document.print(&device);
}

bool WriteReportPdf(QTextDocument& document, const QString& pdfPath, const QPageSize& pageSize, QString* error)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("KVX JUB ZOT"));
        writer.setPageLayout(ReportPageLayout(pageSize));
        PrintReportDocument(document, writer);
    }
    if (!WriteFileAtomically(pdfPath, pdf.data(), error)) {
        *error = QStringLiteral("cannot write %1: %2").arg(pdfPath, *error);
        return false;
    }
    return true;
}
