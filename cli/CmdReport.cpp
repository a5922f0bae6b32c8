// kvxzot-cli report: the Radio-Specific or Overview report of a profile, as
// HTML or PDF.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"
#include "KVXZOTException.h"
#include "Messages.h"
#include "ReportBuilder.h"
#include "ReportOutput.h"
#include "ReportPdf.h"

#include <QGuiApplication>
#include <QTextDocument>

namespace {

const QString kUsage = QStringLiteral("Usage: kvxzot-cli report FILE --kind spec|overview -o OUT.htm|OUT.pdf [--paper a4|letter]");

// Output formats by the file's extension.
enum class Format { Html, Pdf, Unknown };

Format FormatOf(const QString& path)
{
    const QString lower = path.toLower();
    if (lower.endsWith(QStringLiteral(".pdf")))
        return Format::Pdf;
    if (lower.endsWith(QStringLiteral(".htm")) || lower.endsWith(QStringLiteral(".html")))
        return Format::Html;
    return Format::Unknown;
}

bool PaperOf(const QString& name, QPageSize& size)
{
    if (name.isEmpty())
        size = DefaultReportPageSize();
    else if (name.compare(QStringLiteral("a4"), Qt::CaseInsensitive) == 0)
        size = QPageSize(QPageSize::A4);
    else if (name.compare(QStringLiteral("letter"), Qt::CaseInsensitive) == 0)
        size = QPageSize(QPageSize::Letter);
    else
        return false;
    return true;
}

bool WriteOutput(const QString& savedPath, const QString& output, Format format, const QPageSize& paper)
{
    QString error;
    if (format == Format::Html) {
        if (CopyReport(savedPath, output, &error))
            return true;
    } else {
        QTextDocument document;
        if (LoadReportDocument(document, savedPath, &error) && WriteReportPdf(document, output, paper, &error))
            return true;
    }
    CliError(QStringLiteral("kvxzot-cli report: %1").arg(error));
    return false;
}

int RunReport(QStringList args)
{
    bool kindMissing = false, outputMissing = false, paperMissing = false;
    const QString kind = TakeOption(args, QStringLiteral("--kind"), &kindMissing);
    const QString output = TakeOption(args, QStringLiteral("-o"), &outputMissing);
    const QString paperName = TakeOption(args, QStringLiteral("--paper"), &paperMissing);
    const bool spec = kind == QStringLiteral("spec");
    const Format format = FormatOf(output);
    QPageSize paper;
    if (args.size() != 1 || kindMissing || outputMissing || paperMissing || (!spec && kind != QStringLiteral("overview")) ||
        format == Format::Unknown || !PaperOf(paperName, paper)) {
        CliError(kUsage);
        return 2;
    }

    auto app = StartHeadless();
    if (!app)
        return 1;
    auto doc = OpenProfile(args.first());
    if (!doc)
        return 1;
    CRadioDataModel& model = doc->GetDataModel();
    if (spec && !CReportBuilder::CanBuildSpecReport(model)) {
        CliError(QStringLiteral("kvxzot-cli report: no private of the profile has its unit ID '%1'; only the overview report "
                                "can be built.")
                     .arg(doc->GetUnitId()));
        return 1;
    }
    try {
        CReportBuilder builder(model);
        const ReportResult report = spec ? builder.BuildSpecReport() : builder.BuildOverviewReport();
        return WriteOutput(report.path, output, format, paper) ? 0 : 1;
    } catch (const CKVXZOTException& e) {
        kvx::ShowMessage(e.UserText());
        CliError(e.GetTrace().trimmed());
        return 1;
    }
}

// Text layout and pictures need a GUI application; offscreen needs no display.
std::unique_ptr<QCoreApplication> OffscreenApplication(int& argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

CliCommandRegistrar reg({QStringLiteral("report"), QStringLiteral("write the Radio-Specific or Overview report of a profile"),
                         kUsage + QStringLiteral(
                                      "\n\n"
                                      "Builds the report of the profile FILE from the installation's templates and saves\n"
                                      "it as the report window does, in kvxzot/Report of the user's cache folder.\n"
                                      "Then writes OUT:\n"
                                      "  .htm, .html  the saved report: HTML in UTF-16 with a byte-order mark, with the\n"
                                      "               model picture and style sheet it uses copied beside it;\n"
                                      "  .pdf         the report as a PDF with the report margins, on A4 or Letter paper\n"
                                      "               (--paper; by default the one the locale uses).\n"
                                      "--kind spec is the Radio-Specific Report of the radio whose own private ID is the\n"
                                      "profile's unit ID; --kind overview lists the whole profile."),
                         [](const QStringList& args) { return RunReport(args); }, OffscreenApplication});

}  // namespace
