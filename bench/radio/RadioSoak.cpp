// Fault-injection soak: full reads of a full simulated radio over a line
// that drops or corrupts bytes. Every read must end with the radio's exact
// image or with -1 / -2; a different image or any other ending is counted
// as a fault. Runs on the in-process line (virtual time), so a read that
// would hang shows up as a read that never returns.
//
// With --pty the reads go through the real serial port to the simulated
// radio on a pseudo-terminal, with the link's real timeouts, so a hang would
// be a real one; the longest read shows the bound.
//
// Usage: bench_radio_soak [READS] [RATE] [--pty]   (defaults 100 reads, 1 %)

#include "PtyRadioServer.h"
#include "RadioResult.h"
#include "RadioSimulator.h"
#include "SimulatedPort.h"
#include "TransferThread.h"
#include "Transfers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

namespace {

struct Outcome {
    int identical = 0;
    int wrongImage = 0;
    std::map<int, int> failures;   // result code -> count
    qint64 longestMs = 0;
    quint64 dropped = 0, corrupted = 0;
};

bool g_pty = false;

bool RunPtyRead(CRadioSimulator& radio, const FaultOptions& faults, VirtualCP& image, int& code, quint64& dropped,
                quint64& corrupted)
{
    QTemporaryDir dir;
    PtyServerOptions options;
    options.linkPath = dir.filePath(QStringLiteral("radio"));
    options.faults = faults;
    CPtyRadioServer server(radio, options);
    if (!server.Start())
        std::exit(2);
    CTransferState::Instance().SetPortFactory({});
    auto queue = std::make_shared<CTransferMessageQueue>();
    bool ok = false;
    auto worker = StartTransferThread(queue, [&] { ok = ReadCodeplugTransfer(image, options.linkPath); });
    worker->wait();
    code = kResultOk;
    for (const auto& m : queue->Drain())
        if (m.kind == TransferMessageKind::Failed)
            code = m.param;
    server.Stop();
    dropped += server.Dropped();
    corrupted += server.Corrupted();
    return ok;
}

bool RunRead(CRadioSimulator& radio, const FaultOptions& faults, VirtualCP& image, int& code, quint64& dropped,
             quint64& corrupted)
{
    if (g_pty)
        return RunPtyRead(radio, faults, image, code, dropped, corrupted);
    auto injector = std::make_shared<CFaultInjector>(faults);
    CTransferState& state = CTransferState::Instance();
    state.SetPortFactory([&](const QString&, const TransferTimings&) -> std::unique_ptr<ICommPort> {
        return std::make_unique<CSimulatedPort>(radio, injector);
    });
    auto queue = std::make_shared<CTransferMessageQueue>();
    PrepareTransfer(queue);
    const bool ok = ReadCodeplugTransfer(image, QStringLiteral("soak"));
    code = kResultOk;
    for (const auto& m : queue->Drain())
        if (m.kind == TransferMessageKind::Failed)
            code = m.param;
    dropped += injector->Dropped();
    corrupted += injector->Corrupted();
    return ok;
}

Outcome Soak(const char* title, int reads, double dropRate, double corruptRate)
{
    CRadioSimulator radio(CRadioSimulator::FullContent());
    VirtualCP reference;
    int code = 0;
    quint64 d = 0, c = 0;
    if (!RunRead(radio, FaultOptions{}, reference, code, d, c)) {
        std::printf("reference read failed with %d\n", code);
        std::exit(2);
    }
    Outcome outcome;
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < reads; ++i) {
        FaultOptions faults;
        faults.dropRate = dropRate;
        faults.corruptRate = corruptRate;
        faults.seed = quint32(1000 + i);
        VirtualCP image;
        QElapsedTimer timer;
        timer.start();
        const bool ok = RunRead(radio, faults, image, code, outcome.dropped, outcome.corrupted);
        outcome.longestMs = std::max(outcome.longestMs, timer.elapsed());
        if (ok && image == reference)
            ++outcome.identical;
        else if (ok)
            ++outcome.wrongImage;
        else
            ++outcome.failures[code];
    }
    std::printf("%-34s reads %3d  identical %3d  wrong image %d", title, reads, outcome.identical, outcome.wrongImage);
    int other = 0;
    for (const auto& [failure, count] : outcome.failures) {
        std::printf("  %d: %d", failure, count);
        if (failure != kResultPortError && failure != kResultNoConnection)
            other += count;
    }
    std::printf("  other endings %d  bytes dropped %llu corrupted %llu  longest read %lld ms  (%lld ms in all)\n", other,
                (unsigned long long)outcome.dropped, (unsigned long long)outcome.corrupted, (long long)outcome.longestMs,
                (long long)total.elapsed());
    return outcome;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    g_pty = args.removeAll(QStringLiteral("--pty")) > 0;
    const int reads = args.size() > 0 ? args[0].toInt() : 100;
    const double rate = args.size() > 1 ? args[1].toDouble() : 0.01;
    if (!g_pty) {
        TransferTimings timings;
        timings.longWaitMs = 0;
        CTransferState::Instance().SetTimings(timings);
    }

    int bad = 0;
    for (const auto& [title, drop, corrupt] :
         {std::tuple{"byte drop", rate, 0.0}, std::tuple{"byte corruption", 0.0, rate},
          std::tuple{"drop and corruption (half each)", rate / 2, rate / 2}}) {
        const Outcome o = Soak(title, reads, drop, corrupt);
        bad += o.wrongImage;
        for (const auto& [failure, count] : o.failures)
            if (failure != kResultPortError && failure != kResultNoConnection)
                bad += count;
    }
    CTransferState::Instance().SetPortFactory({});
    return bad == 0 ? 0 : 1;
}
