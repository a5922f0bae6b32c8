// Timing of a full read and a full write of a full radio (150 contacts, 25
// messages) through the real serial port, against the simulated radio on a
// pseudo-terminal paced at 9600 baud, with the radio link's own timings.
// Reported as the ratio of the elapsed time to the wire-time bound: every
// byte on the line x 10 bits / 9600 baud, plus the mandated waits (the
// 4-second pause before the EndWrite reply).
//
// Usage: bench_radio_timing [RUNS]   (default 1)

#include "PtyRadioServer.h"
#include "RadioSimulator.h"
#include "TransferThread.h"
#include "Transfers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>

namespace {

struct Run {
    bool ok = false;
    qint64 elapsedMs = 0;
    quint64 bytes = 0;
    int frames = 0;
};

Run Measure(CRadioSimulator& radio, const QString& port, bool write, const VirtualCP& source)
{
    std::atomic<quint64> bytes{0};
    std::atomic<int> frames{0};
    radio.SetFrameLog([&](CRadioSimulator::Direction d, const QByteArray& f) {
        bytes += quint64(f.size());
        if (d == CRadioSimulator::Direction::FromPc)
            ++frames;
    });
    auto queue = std::make_shared<CTransferMessageQueue>();
    Run run;
    VirtualCP image;
    QElapsedTimer timer;
    timer.start();
    auto worker = StartTransferThread(queue, [&] {
        run.ok = write ? WriteCodeplugTransfer(source, port) : ReadCodeplugTransfer(image, port);
    });
    worker->wait();
    run.elapsedMs = timer.elapsed();
    radio.SetFrameLog({});
    run.bytes = bytes;
    run.frames = frames;
    return run;
}

void Report(const char* title, const Run& run, double waitsMs)
{
    const double wireMs = double(run.bytes) * 10.0 * 1000.0 / 9600.0;
    const double bound = wireMs + waitsMs;
    std::printf("%-11s %s  frames %3d  bytes %6llu  wire %7.0f ms + waits %5.0f ms = bound %7.0f ms  elapsed %7lld ms  "
                "ratio %.3f\n",
                title, run.ok ? "ok    " : "FAILED", run.frames, (unsigned long long)run.bytes, wireMs, waitsMs, bound,
                (long long)run.elapsedMs, double(run.elapsedMs) / bound);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    QTemporaryDir dir;
    CRadioSimulator radio(CRadioSimulator::FullContent());
    PtyServerOptions options;
    options.linkPath = dir.filePath(QStringLiteral("radio"));
    options.pace = true;
    CPtyRadioServer server(radio, options);
    QString error;
    if (!server.Start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    const VirtualCP full = CRadioSimulator::FullContent();
    const double endWriteWaitMs = TransferTimings().longWaitMs;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        const Run read = Measure(radio, options.linkPath, false, full);
        Report("full read", read, 0.0);
        const Run write = Measure(radio, options.linkPath, true, full);
        Report("full write", write, endWriteWaitMs);
        ok = ok && read.ok && write.ok;
    }
    server.Stop();
    return ok ? 0 : 1;
}
