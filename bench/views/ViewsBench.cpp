// The profile window's panes on a maximal profile (150 contacts, 25 messages
// of 80 characters), on the offscreen platform: opening the profile to its
// window with the tree and the root's view, switching the tree to a
// private's view and to the list views, and the memory of four such windows.

#include "FormViewPane.h"
#include "KVXZOTApp.h"
#include "KVXZOTDoc.h"
#include "KVXZOTTreeView.h"
#include "MachineDefaults.h"
#include "Messages.h"
#include "RadioSimulator.h"
#include "TreeNodeKinds.h"

#include <QApplication>
#include <QFile>
#include <QSplitter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <unistd.h>

namespace {

struct Installation {
    Installation()
    {
        kvx::registry::UseScratchStore(dir.path(), QStringLiteral(KVX_INSTALLATION_DIR));
        kvx::SetMessageHandler([](const QString&, unsigned) { return 1; });
        if (!app.InitInstance())
            return;
        CKVXZOTDoc doc;
        path = dir.filePath(QStringLiteral("maximal.jub"));
        ok = doc.SetVirtualCPData(CRadioSimulator::FullContent()) && doc.OnSaveDocument(path);
    }
    QTemporaryDir dir;
    CKVXZOTApp app{[] { return true; }};
    QString path;
    bool ok = false;
};

Installation& Setup()
{
    static Installation installation;
    return installation;
}

// One profile window: the document, the tree and the form view pane.
struct Window {
    explicit Window(const QString& path)
    {
        loaded = doc.OnOpenDocument(path);
        splitter = std::make_unique<QSplitter>();
        pane = new CFormViewPane(&doc);
        tree = new CKVXZOTTreeView(&doc, pane, splitter.get());
        splitter->addWidget(pane);
        splitter->resize(1000, 700);
        splitter->show();
        QCoreApplication::processEvents();
    }
    ~Window()
    {
        splitter.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    CKVXZOTDoc doc;
    std::unique_ptr<QSplitter> splitter;
    CFormViewPane* pane = nullptr;
    CKVXZOTTreeView* tree = nullptr;
    bool loaded = false;
};

// Only the opening is timed: the window is closed outside the measurement.
void BM_OpenProfileWindow(benchmark::State& state)
{
    if (!Setup().ok) {
        state.SkipWithError("no maximal profile");
        return;
    }
    for (auto _ : state) {
        auto window = std::make_unique<Window>(Setup().path);
        if (!window->loaded || !window->pane->ActiveView())
            state.SkipWithError("the window did not open");
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenProfileWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The document alone, for the share of the window in the figure above.
void BM_OpenProfileDocument(benchmark::State& state)
{
    if (!Setup().ok) {
        state.SkipWithError("no maximal profile");
        return;
    }
    for (auto _ : state) {
        CKVXZOTDoc doc;
        if (!doc.OnOpenDocument(Setup().path))
            state.SkipWithError("the profile did not open");
    }
}
BENCHMARK(BM_OpenProfileDocument)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SwitchToPrivateView(benchmark::State& state)
{
    if (!Setup().ok) {
        state.SkipWithError("no maximal profile");
        return;
    }
    Window window(Setup().path);
    const int privates = window.tree->FindItem(NodeKind::Privates)->childCount();
    int next = 0;
    for (auto _ : state) {
        next = (next + 37) % privates;
        if (!window.tree->SelectNode(NodeKind::Private, next))
            state.SkipWithError("the selection did not move");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_SwitchToPrivateView)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The list views on 150 contacts: the scroll list's two-list editor and the
// read-only overview with its channel grid, one after the other.
void BM_SwitchToListViews(benchmark::State& state)
{
    if (!Setup().ok) {
        state.SkipWithError("no maximal profile");
        return;
    }
    Window window(Setup().path);
    bool scroll = false;
    for (auto _ : state) {
        scroll = !scroll;
        if (!window.tree->SelectNode(scroll ? NodeKind::ScrollList : NodeKind::Lists, 0))
            state.SkipWithError("the selection did not move");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_SwitchToListViews)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

long ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * sysconf(_SC_PAGESIZE) : 0;
}

void BM_FourProfileWindowsResident(benchmark::State& state)
{
    if (!Setup().ok) {
        state.SkipWithError("no maximal profile");
        return;
    }
    for (auto _ : state) {
        std::vector<std::unique_ptr<Window>> windows;
        for (int i = 0; i < 4; ++i) {
            windows.push_back(std::make_unique<Window>(Setup().path));
            windows.back()->tree->SelectNode(NodeKind::Private, 5);
        }
        QCoreApplication::processEvents();
        state.counters["resident_MB"] = double(ResidentBytes()) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BM_FourProfileWindowsResident)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform says so each time a window's size hints change.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("propagateSizeHints")))
                previous(type, context, message);
        });
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
