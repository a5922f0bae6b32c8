#include "ReportWindow.h"

#include "ui_ReportWindow.h"

#include "FileDialogs.h"
#include "GuiText.h"
#include "MessageBoxAdapter.h"
#include "ReportOutput.h"
#include "ReportPdf.h"
#include "StringTable.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QTextDocument>

CReportWindow::CReportWindow(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ReportWindow>()), m_pageSize(DefaultReportPageSize())
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_ui->print->setText(LoadStr(177));
    m_ui->preview->setText(LoadStr(178));
    m_ui->close->setText(LoadStr(179));
    m_ui->saveAs->setText(LoadStr(180));
    connect(m_ui->print, &QPushButton::clicked, this, &CReportWindow::OnPrint);
    connect(m_ui->preview, &QPushButton::clicked, this, &CReportWindow::OnPrintPreview);
    connect(m_ui->saveAs, &QPushButton::clicked, this, &CReportWindow::OnSaveAs);
    connect(m_ui->close, &QPushButton::clicked, this, &QDialog::accept);
    // The button texts carry no mnemonics (a language resource keeps them
    // as they are): the usual keys instead.
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, &CReportWindow::OnPrint);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &CReportWindow::OnSaveAs);

    // About a page wide, most of the screen high.
    const QRect screen = this->screen()->availableGeometry();
    resize(qMin(880, screen.width() * 9 / 10), screen.height() * 85 / 100);
}

CReportWindow::~CReportWindow() = default;

bool CReportWindow::Load(const QString& savedPath, QString* error)
{
    auto* document = new QTextDocument(this);
    if (!LoadReportDocument(*document, savedPath, error)) {
        delete document;
        return false;
    }
    m_ui->report->setDocument(document);
    // Wrapped as on paper: at word boundaries only.
    m_ui->report->setWordWrapMode(QTextOption::WordWrap);
    delete m_pDocument;
    m_pDocument = document;
    m_strPath = savedPath;

    const QString title = document->metaInformation(QTextDocument::DocumentTitle);
    setWindowTitle(title);
    m_ui->report->setAccessibleName(title);
    m_ui->report->setFocus();
    return true;
}

void CReportWindow::PreparePrinter(QPrinter& printer) const
{
    printer.setDocName(windowTitle());
    printer.setPageLayout(ReportPageLayout(m_pageSize));
}

void CReportWindow::Print(QPrinter& printer)
{
    // The dialogs may change the paper and its margins: the paper and the
    // orientation stay, the margins are the report's. A printer that
    // cannot print that close to the edge keeps the margins it can.
    m_pageSize = printer.pageLayout().pageSize();
    QPageLayout layout = ReportPageLayout(m_pageSize);
    layout.setOrientation(printer.pageLayout().orientation());
    printer.setPageLayout(layout);

    const std::unique_ptr<QTextDocument> copy(m_pDocument->clone());
    PrintReportDocument(*copy, printer);
    if (printer.printerState() == QPrinter::Error)
        CMessageBoxAdapter::Show(LoadStr(GuiText::ReportNotPrinted), kvx::kMbOk | kvx::kMbIconError, this);
}

void CReportWindow::OnPrint()
{
    if (!m_pDocument)
        return;
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        Print(printer);
}

void CReportWindow::OnPrintPreview()
{
    if (!m_pDocument)
        return;
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(LoadStr(178));
    preview.resize(size());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { Print(*target); });
    preview.exec();
}

void CReportWindow::OnSaveAs()
{
    if (!m_pDocument)
        return;
    const QString target = FileDialogs::AskSavePath(this, QFileInfo(m_strPath).fileName(), LoadStr(GuiText::ReportSaveFilter));
    if (target.isEmpty())
        return;
    QString error;
    bool saved = false;
    if (QFileInfo(target).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) {
        const std::unique_ptr<QTextDocument> copy(m_pDocument->clone());
        saved = WriteReportPdf(*copy, target, m_pageSize, &error);
    } else {
        saved = CopyReport(m_strPath, target, &error);
    }
    if (!saved)
        CMessageBoxAdapter::Show(LoadStr(GuiText::ReportNotSaved).replace(QStringLiteral("%s"), error), kvx::kMbOk | kvx::kMbIconError, this);
}
