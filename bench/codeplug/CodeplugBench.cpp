// Conversions of a full image (150 contacts, 25 messages) both ways.

#include "CodeplugTestImages.h"
#include "DataAdaptor.h"

#include <benchmark/benchmark.h>

static void BM_VirtualCP2XML(benchmark::State& state)
{
    const VirtualCP image = SampleImage(true);
    QString text;
    for (auto _ : state) {
        CDataAdaptor::VirtualCP2XML(image, text);
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["chars"] = double(text.size());
}
BENCHMARK(BM_VirtualCP2XML)->Unit(benchmark::kMicrosecond);

static void BM_XML2VirtualCP(benchmark::State& state)
{
    QString text;
    CDataAdaptor::VirtualCP2XML(SampleImage(true), text);
    for (auto _ : state) {
        VirtualCP image;
        CDataAdaptor::XML2VirtualCP(text, image, QStringLiteral("10000050"));
        benchmark::DoNotOptimize(image.contacts[149].pid.constData());
    }
}
BENCHMARK(BM_XML2VirtualCP)->Unit(benchmark::kMicrosecond);
