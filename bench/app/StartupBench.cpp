// The headless start-up: configuration, the three settings documents of the
// installation and the merge of the latest model group.

#include "KVXZOTApp.h"
#include "Messages.h"
#include "MachineDefaults.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct BenchSettings {
    BenchSettings()
    {
        kvx::registry::UseScratchStore(dir.path(), QStringLiteral(KVX_INSTALLATION_DIR));
        kvx::SetMessageHandler([](const QString&, unsigned) { return 1; });
    }
    QTemporaryDir dir;
};

void BM_HeadlessStartup(benchmark::State& state)
{
    BenchSettings settings;
    for (auto _ : state) {
        CKVXZOTApp app([] { return true; });
        if (!app.InitInstance())
            state.SkipWithError("start-up failed");
        benchmark::DoNotOptimize(app.GetCurrentGroup());
    }
}
BENCHMARK(BM_HeadlessStartup)->Unit(benchmark::kMillisecond);

void BM_SelectGroup3(benchmark::State& state)
{
    BenchSettings settings;
    CKVXZOTApp app([] { return true; });
    if (!app.InitInstance()) {
        state.SkipWithError("start-up failed");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(app.SelectGroup(3).IsNull());
}
BENCHMARK(BM_SelectGroup3)->Unit(benchmark::kMicrosecond);

}  // namespace
