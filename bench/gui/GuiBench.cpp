// The windowed application on the offscreen platform: start-up to the main
// window shown (the splash wait excluded), and the processor time the
// program takes while it idles with a profile open.

#include "ChildFrame.h"
#include "KVXZOTGuiApp.h"
#include "MachineDefaults.h"
#include "MainFrame.h"
#include "MessageBoxAdapter.h"
#include "MessageScript.h"
#include "ScriptHost.h"
#include "SerialPortList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

struct BenchSettings {
    BenchSettings()
    {
        kvx::registry::UseScratchStore(dir.path(), QStringLiteral(KVX_INSTALLATION_DIR));
        kvx::serial::SetPortEnumerator([] { return std::optional<QStringList>(QStringList{QStringLiteral("COM3")}); });
        CMessageBoxAdapter::SetScript(&messages);
    }
    ~BenchSettings() { CMessageBoxAdapter::SetScript(nullptr); }
    QTemporaryDir dir;
    kvx::CMessageScript messages;
};

std::unique_ptr<CKVXZOTGuiApp> StartShown(const QStringList& files = {})
{
    auto app = std::make_unique<CKVXZOTGuiApp>([] { return CheckScriptEngine(); },
                                               CKVXZOTGuiApp::ParseCommandLine(QStringList{QStringLiteral("--no-splash")} + files));
    if (!app->InitInstance())
        return nullptr;
    CMainFrame* frame = app->MainFrame();
    while (!frame->windowHandle() || !frame->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return app;
}

double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void BM_StartupToMainWindowShown(benchmark::State& state)
{
    BenchSettings settings;
    bool first = true;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<CKVXZOTGuiApp> app = StartShown();
        if (!app) {
            state.SkipWithError("start-up failed");
            return;
        }
        if (first) {
            // The first start in a process also loads fonts and plugins.
            state.counters["first_ms"] = double(clock.nsecsElapsed()) / 1e6;
            first = false;
        }
        state.PauseTiming();
        app.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_IdleWithAProfileOpen(benchmark::State& state)
{
    BenchSettings settings;
    std::unique_ptr<CKVXZOTGuiApp> app =
        StartShown({QStringLiteral(KVX_INSTALLATION_DIR "/ProfileTemplate/KVX30.jub")});
    if (!app || app->MainFrame()->Children().size() != 1) {
        state.SkipWithError("the profile did not open");
        return;
    }
    QApplication::processEvents();
    double cpuMs = 0;
    for (auto _ : state) {
        const double before = ProcessCpuMs();
        QEventLoop idle;
        QTimer::singleShot(2000, &idle, &QEventLoop::quit);
        idle.exec();
        cpuMs = ProcessCpuMs() - before;
    }
    state.counters["cpu_ms_per_s"] = cpuMs / 2.0;
}
BENCHMARK(BM_IdleWithAProfileOpen)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
