#include "CliDevice.h"

#include "CliCommand.h"
#include "CliStartup.h"
#include "ConfigStore.h"
#include "MessageIds.h"
#include "Messages.h"
#include "RadioResult.h"
#include "StringTable.h"

#include <QEventLoop>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

bool StdinIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

bool StderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

namespace {

std::optional<QString> ReadLine()
{
    QTextStream in(stdin);
    QString line;
    if (!in.readLineInto(&line))
        return std::nullopt;
    return line;
}

} // namespace

bool ParseDeviceOptions(const QStringList& args, DeviceOptions& options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--port") || a == QStringLiteral("--password")) {
            if (i + 1 >= args.size()) {
                CliError(QStringLiteral("%1 needs a value").arg(a));
                return false;
            }
            if (a == QStringLiteral("--port")) {
                options.port = args[++i];
                options.portGiven = true;
            } else {
                options.password = args[++i];
            }
        } else if (a == QStringLiteral("--yes")) {
            options.yes = true;
        } else if (a.startsWith(QStringLiteral("--")) && a != QStringLiteral("--xml")) {
            CliError(QStringLiteral("unknown option %1").arg(a));
            return false;
        } else {
            options.rest << a;
        }
    }
    return true;
}

QString DeviceOptionsHelp()
{
    return QStringLiteral(
        "  --port PORT      the radio's serial port: a path (/dev/ttyUSB0), or a bare\n"
        "                   device name, taken from /dev (ttyUSB0); without it the\n"
        "                   configured port applies\n"
        "  --password TEXT  the radio's password, where the radio has one\n"
        "  --yes            answer every question Yes (without a terminal they are answered No)\n\n"
        "Progress goes to stderr. A failure prints its message and exits with 1.");
}

int ReportFailure(int code)
{
    CliError(ResultMainWindowText(code));
    return 1;
}

CCliDevice::CCliDevice(const DeviceOptions& options) : m_options(options) {}

CCliDevice::~CCliDevice() = default;

CKVXZOTApp* CCliDevice::App()
{
    if (!m_bAppTried) {
        m_bAppTried = true;
        InstallCliMessageHandler(kvx::kIdNo);
        // The device commands need no rule script: the engine probe is skipped.
        auto app = std::make_unique<CKVXZOTApp>([] { return true; });
        if (app->InitInstance())
            m_app = std::move(app);
    }
    return m_app.get();
}

QString CCliDevice::Port()
{
    if (m_options.portGiven)
        return m_options.port;
    App();   // the start-up's configuration check stores a port when none is
    return GetComPort();
}

std::unique_ptr<CDeviceJob> CCliDevice::MakeJob(CDeviceJob::Command command)
{
    // The installation's settings documents map a version to its group.
    CKVXZOTApp* app = command == CDeviceJob::Command::Reset || command == CDeviceJob::Command::ReadPrivateId ? nullptr : App();
    return std::make_unique<CDeviceJob>(command, Port(), app ? app->VersionGroupResolver() : CDeviceJob::ModelGroupResolver());
}

int CCliDevice::Run(CDeviceJob& job, const std::function<bool(CDeviceJob&)>& onIdentified)
{
    QEventLoop loop;
    bool stoppedByFlow = false;
    QObject::connect(&job, &CDeviceJob::progress, &loop, [this](int percent) { ShowProgress(percent); });
    QObject::connect(&job, &CDeviceJob::question, &loop, [this, &job](int, const QString& text, unsigned style) {
        if ((style & 0x0F) == kvx::kMbOk) {
            CliError(text);
            job.answer(true);
            return;
        }
        EndProgress();
        job.answer(AskYesNo(text));
    });
    QObject::connect(&job, &CDeviceJob::identified, &loop, [&] {
        if (!onIdentified) {
            job.proceed();
        } else if (!onIdentified(job)) {
            stoppedByFlow = true;
            job.cancel();
        }
    });
    QObject::connect(&job, &CDeviceJob::passwordRequested, &loop, [this, &job] {
        if (m_options.password && !m_bPasswordOffered) {
            m_bPasswordOffered = true;
            job.givePassword(*m_options.password);
            return;
        }
        std::optional<QString> typed;
        if (StdinIsTerminal()) {
            QTextStream(stderr) << LoadStr(kMsgPasswordPrompt) << ' ' << Qt::flush;
            typed = ReadLine();
        }
        if (typed)
            job.givePassword(*typed);
        else
            job.refusePassword();
    });
    QObject::connect(&job, &CDeviceJob::passwordRejected, &loop, [] { CliError(LoadStr(kMsgPasswordWrong)); });
    QObject::connect(&job, &CDeviceJob::finished, &loop, [&loop] { loop.quit(); });
    job.start();
    if (!job.IsFinished())
        loop.exec();
    const int result = job.Result();
    if (result == kResultOk && job.GetCommand() != CDeviceJob::Command::Identify && job.GetCommand() != CDeviceJob::Command::Reset)
        ShowProgress(100);
    EndProgress();
    if (result != kResultOk && job.RadioLeftIncomplete())
        CliError(WriteIncompleteText(result));
    else if (result != kResultOk && !stoppedByFlow)
        ReportFailure(result);
    return result;
}

bool CCliDevice::AskYesNo(const QString& question)
{
    if (m_options.yes) {
        CliError(question + QStringLiteral(" [yes]"));
        return true;
    }
    if (!StdinIsTerminal()) {
        CliError(question + QStringLiteral(" [no: not a terminal]"));
        return false;
    }
    for (;;) {
        QTextStream(stderr) << question << QStringLiteral(" [y/n] ") << Qt::flush;
        const std::optional<QString> line = ReadLine();
        if (!line)
            return false;
        const QString answer = line->trimmed().toLower();
        if (answer == QStringLiteral("y") || answer == QStringLiteral("yes"))
            return true;
        if (answer == QStringLiteral("n") || answer == QStringLiteral("no"))
            return false;
    }
}

void CCliDevice::ShowProgress(int percent)
{
    QTextStream err(stderr);
    if (StderrIsTerminal()) {
        const int filled = percent / 5;
        err << '\r' << '[' << QString(filled, QLatin1Char('#')) << QString(20 - filled, QLatin1Char(' ')) << "] "
            << QString::number(percent).rightJustified(3) << '%' << Qt::flush;
        m_bProgressShown = true;
    } else {
        err << percent << "%\n";
    }
}

void CCliDevice::EndProgress()
{
    if (m_bProgressShown) {
        QTextStream(stderr) << '\n';
        m_bProgressShown = false;
    }
}
