// The headless start-up: configuration, the three settings documents of the
// installation and the merge of the latest model group.

#include "KVXZOTApp.h"
#include "Messages.h"
#include "RegistryStore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using kvx::registry::Hive;
using kvx::registry::RegistryStore;

namespace {

struct BenchSettings {
    BenchSettings()
    {
        RegistryStore::ReplaceInstance(std::make_unique<RegistryStore>(dir.filePath(QStringLiteral("m.ini")),
                                                                       dir.filePath(QStringLiteral("u.ini"))));
        const QString key = QStringLiteral("Software\\Varnholt\\KVX JUB ZOT");
        RegistryStore::Instance().WriteString(Hive::Machine, key, QStringLiteral("InstallPath"), QStringLiteral(KVX_INSTALLATION_DIR));
        RegistryStore::Instance().WriteString(Hive::Machine, key, QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
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
