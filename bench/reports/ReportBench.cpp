// Both reports of a maximal profile (150 contacts, 25 messages of 80
// characters, the unit's own scroll list in use), and the PDF of the
// Overview Report. Targets: each report 20 ms, the PDF 300 ms.

#include "AppProfileEnvironment.h"
#include "KVXZOTApp.h"
#include "KVXZOTDoc.h"
#include "MachineDefaults.h"
#include "Messages.h"
#include "RadioSimulator.h"
#include "ReportBuilder.h"
#include "ReportPdf.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

// A started application on a copy of the installation (reports are written
// into its Report folder), and a maximal profile read from a radio.
struct Fixture {
    Fixture()
    {
        // The PDF needs fonts and pictures: a GUI application, offscreen.
        static int argc = 1;
        static char name[] = "bench_reports";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);   // lives as long as the process
        for (const QString& folder : {QStringLiteral("lib"), QStringLiteral("ProfileTemplate"), QStringLiteral("Report")}) {
            const QDir source(QStringLiteral(KVX_INSTALLATION_DIR "/") + folder);
            QDir().mkpath(Install() + QLatin1Char('/') + folder);
            for (const QString& name : source.entryList(QDir::Files))
                QFile::copy(source.filePath(name), Install() + QLatin1Char('/') + folder + QLatin1Char('/') + name);
        }
        kvx::registry::UseScratchStore(dir.path(), Install());
        kvx::SetMessageHandler([](const QString&, unsigned) { return 1; });
        ok = app.InitInstance() && doc.SetVirtualCPData(CRadioSimulator::FullContent());
        if (ok)
            UseOwnScrollList();
    }
    QString Install() const { return dir.filePath(QStringLiteral("install")); }

    // The unit's own private scroll list, twenty entries long.
    void UseOwnScrollList()
    {
        kvx::xml::XmlDocument profile = doc.GetDataModel().GetProfileDoc();
        kvx::xml::XmlNode unit = profile.SelectSingleNode(QStringLiteral("//dfns:Private[@pid='%1']").arg(doc.GetUnitId()));
        unit.SetAttribute(QStringLiteral("private_scroll_list"), QStringLiteral("1"));
        kvx::xml::XmlNode list = unit.SelectSingleNode(QStringLiteral("dfns:scrolllist"));
        const kvx::xml::XmlNodeList privates = profile.SelectNodes(QStringLiteral("//dfns:Private"));
        for (int i = 0; i < 20; ++i) {
            kvx::xml::XmlNode entry = profile.CreateElement(QStringLiteral("list"), QString::fromLatin1(kvx::xml::kProfileNamespace));
            entry.SetAttribute(QStringLiteral("name"), privates.Item(i * 5).GetAttribute(QStringLiteral("name")));
            list.AppendChild(entry);
        }
    }

    QTemporaryDir dir;
    CKVXZOTApp app{[] { return true; }};
    CKVXZOTDoc doc;
    bool ok = false;
};

Fixture& TheFixture()
{
    static Fixture fixture;
    return fixture;
}

void BM_SpecReport(benchmark::State& state)
{
    Fixture& f = TheFixture();
    if (!f.ok || !CReportBuilder::CanBuildSpecReport(f.doc.GetDataModel()))
        state.SkipWithError("setup failed");
    CReportBuilder builder(f.doc.GetDataModel());
    for (auto _ : state)
        benchmark::DoNotOptimize(builder.BuildSpecReport());
}
BENCHMARK(BM_SpecReport)->Unit(benchmark::kMillisecond);

void BM_OverviewReport(benchmark::State& state)
{
    Fixture& f = TheFixture();
    if (!f.ok)
        state.SkipWithError("setup failed");
    CReportBuilder builder(f.doc.GetDataModel());
    for (auto _ : state)
        benchmark::DoNotOptimize(builder.BuildOverviewReport());
}
BENCHMARK(BM_OverviewReport)->Unit(benchmark::kMillisecond);

// From the saved report to the PDF file, as the tool and Save As do it.
void BM_OverviewPdf(benchmark::State& state)
{
    Fixture& f = TheFixture();
    if (!f.ok)
        state.SkipWithError("setup failed");
    const ReportResult report = CReportBuilder(f.doc.GetDataModel()).BuildOverviewReport();
    const QString pdf = f.dir.filePath(QStringLiteral("overview.pdf"));
    QString error;
    for (auto _ : state) {
        QTextDocument document;
        if (!LoadReportDocument(document, report.path, &error) || !WriteReportPdf(document, pdf, QPageSize(QPageSize::A4), &error))
            state.SkipWithError("PDF failed");
    }
}
BENCHMARK(BM_OverviewPdf)->Unit(benchmark::kMillisecond);

}  // namespace
