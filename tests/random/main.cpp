// random_actions: a seeded random user on the real main window (see
// RandomSession.h). Not part of the default test run; build it with the
// sanitizers (-DKVX_SANITIZE=ON) and run it for minutes:
//
//   random_actions [--seed N] [--actions N] [--minutes M] [--profile FILE]
//
// The seed is printed first; the same seed repeats the same session.
// KVX_ABORT_ON_QT_WARNING=1 aborts at a warning of Qt, for a debugger.

#include "RandomSession.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

std::atomic<quint64> g_steps{0};
// Qt's warnings during the session: each says the program misused Qt.
QStringList g_qtWarnings;
std::atomic<bool> g_done{false};

// A step that never returns is a finding too: a dialog or loop that no
// answer ends.
void Watchdog(quint64 seed, int limitSeconds)
{
    quint64 last = g_steps;
    auto since = std::chrono::steady_clock::now();
    while (!g_done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (g_steps != last) {
            last = g_steps;
            since = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(limitSeconds)) {
            std::fprintf(stderr, "random_actions: step %llu has not ended after %d s (seed %llu)\n",
                         static_cast<unsigned long long>(last), limitSeconds, static_cast<unsigned long long>(seed));
            std::abort();
        }
    }
}

void PrintMessageSummary(const QStringList& shown)
{
    QHash<QString, int> counts;
    for (const QString& text : shown)
        ++counts[text.left(90).replace(QLatin1Char('\n'), QLatin1Char(' '))];
    QList<std::pair<int, QString>> sorted;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        sorted.append({it.value(), it.key()});
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    std::printf("messages shown: %lld, %lld different\n", static_cast<long long>(shown.size()), static_cast<long long>(sorted.size()));
    for (int i = 0; i < std::min<int>(20, int(sorted.size())); ++i)
        std::printf("  %6d  %s\n", sorted[i].first, qPrintable(sorted[i].second));
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            // The offscreen platform's notes on every window are noise here.
            if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QLatin1String("This plugin does not support"))
                || message.startsWith(QLatin1String("QStandardPaths:")))
                return;
            g_qtWarnings << message;
            previous(type, context, message);
            // For a debugger's backtrace of where the warning came from.
            if (qEnvironmentVariableIsSet("KVX_ABORT_ON_QT_WARNING"))
                std::abort();
        });
    QApplication application(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Random user actions on a maximal profile in the main window."));
    parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed of the session."), QStringLiteral("N"));
    const QCommandLineOption actionsOption(QStringLiteral("actions"), QStringLiteral("Actions to take (default 3000)."),
                                           QStringLiteral("N"), QStringLiteral("3000"));
    const QCommandLineOption minutesOption(QStringLiteral("minutes"), QStringLiteral("Stop after this time (default: no limit)."),
                                           QStringLiteral("M"), QStringLiteral("0"));
    const QCommandLineOption profileOption(QStringLiteral("profile"), QStringLiteral("Start from this profile instead of a maximal one."),
                                           QStringLiteral("FILE"));
    parser.addOptions({seedOption, actionsOption, minutesOption, profileOption});
    parser.process(application);

    bool ok = true;
    const quint64 seed = parser.isSet(seedOption) ? parser.value(seedOption).toULongLong(&ok) : QRandomGenerator::global()->generate64();
    const int actions = parser.value(actionsOption).toInt();
    const double minutes = parser.value(minutesOption).toDouble();
    if (!ok || actions <= 0) {
        std::fprintf(stderr, "random_actions: a seed and a number of actions are numbers\n");
        return 2;
    }
    std::printf("random_actions: seed %llu (repeat with --seed %llu)\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(seed));
    std::fflush(stdout);

    QTemporaryDir folder;
    std::thread watchdog(Watchdog, seed, 120);
    int status = 0;
    {
        CRandomSession session(seed, folder.path());
        QElapsedTimer clock;
        clock.start();
        int done = 0;
        if (session.Start(parser.value(profileOption))) {
            for (; done < actions; ++done) {
                if (minutes > 0 && clock.elapsed() > minutes * 60000)
                    break;
                const bool fine = session.Step() && g_qtWarnings.isEmpty();
                ++g_steps;
                if (!fine)
                    break;
            }
        }
        std::printf("%d actions, %d saves validated, %.1f s\n", done, session.Saves(), clock.elapsed() / 1000.0);
        PrintMessageSummary(session.MessagesShown());
        if (!session.Findings().isEmpty() || !g_qtWarnings.isEmpty()) {
            status = 1;
            std::printf("FOUND (seed %llu, action %d):\n", static_cast<unsigned long long>(seed), done + 1);
            for (const QString& finding : session.Findings())
                std::printf("  %s\n", qPrintable(finding));
            for (const QString& warning : g_qtWarnings)
                std::printf("  Qt: %s\n", qPrintable(warning));
            std::printf("last actions:\n");
            for (const QString& action : session.RecentActions())
                std::printf("  %s\n", qPrintable(action));
        }
    }
    g_done = true;
    watchdog.join();
    return status;
}
