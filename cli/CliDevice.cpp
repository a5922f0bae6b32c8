#include "CliDevice.h"

#include "CliCommand.h"
#include "CliStartup.h"
#include "ConfigStore.h"
#include "Messages.h"
#include "RadioResult.h"
#include "StringTable.h"

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
        "  --port PATH      the radio's serial port, used exactly as given; without it\n"
        "                   the configured port applies\n"
        "  --password TEXT  the radio's password, where the radio has one\n"
        "  --yes            answer every question Yes (without a terminal they are answered No)\n\n"
        "Progress goes to stderr. A failure prints its message and exits with 1.");
}

int ReportFailure(int code)
{
    CliError(ResultMainWindowText(code));
    return 1;
}

CCliDevice::CCliDevice(const DeviceOptions& options) : m_options(options)
{
    CDeviceCommandChain::Hooks hooks;
    hooks.portName = [this] { return Port(); };
    hooks.modelGroup = [this](const QString& version) {
        // The installation's settings documents map the version to its group.
        CKVXZOTApp* app = App();
        return app ? app->GetVersionGroup(version) : 0;
    };
    hooks.askPassword = [this]() -> std::optional<QString> {
        if (m_options.password && !m_bPasswordOffered) {
            m_bPasswordOffered = true;
            return m_options.password;
        }
        if (!StdinIsTerminal())
            return std::nullopt;
        QTextStream(stderr) << LoadStr(301) << ' ' << Qt::flush;
        return ReadLine();
    };
    hooks.passwordWrong = [] { CliError(LoadStr(302)); };
    hooks.failed = [this](int code) { m_nFailure = code; };
    hooks.openReadFlow = [this] {
        if (m_flow)
            m_flow();
    };
    hooks.openWriteFlow = hooks.openReadFlow;
    hooks.resetDone = hooks.openReadFlow;
    m_chain = std::make_unique<CDeviceCommandChain>(std::move(hooks), m_queue);
}

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

int CCliDevice::RunChain(CDeviceCommandChain::Command command, const std::function<int()>& flow)
{
    // The flow runs from inside the chain's message handling, as the main
    // window's flows do.
    int flowResult = kResultOk;
    m_flow = [&] {
        if (flow)
            flowResult = flow();
    };
    m_nFailure = 0;
    m_chain->Start(command);
    while (!m_chain->IsIdle()) {
        const auto message = m_queue->Take();
        m_chain->HandleMessage(message->kind, message->param);
    }
    m_flow = {};
    if (m_nFailure != 0) {
        ReportFailure(m_nFailure);
        return m_nFailure;
    }
    return flowResult;
}

int CCliDevice::RunWorker(const std::function<void()>& body)
{
    auto worker = StartTransferThread(m_queue, body);
    int result = kResultOk;
    for (bool running = true; running;) {
        const auto message = m_queue->Take();
        switch (message->kind) {
        case TransferMessageKind::Progress:
            ShowProgress(message->param);
            break;
        case TransferMessageKind::Question: {
            const int id = message->param == -2 ? 10031 : message->param == -1 ? 10030 : 10032;
            const bool yesNo = id != 10032;
            bool accepted = true;
            if (yesNo) {
                EndProgress();
                accepted = AskYesNo(LoadStr(id));
            } else {
                CliError(LoadStr(id));
            }
            CTransferState::Instance().AnswerQuestion(accepted);
            break;
        }
        case TransferMessageKind::Done:
            ShowProgress(100);
            running = false;
            break;
        case TransferMessageKind::Failed:
            result = message->param;
            running = false;
            break;
        }
    }
    worker->wait();
    EndProgress();
    if (result != kResultOk)
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
