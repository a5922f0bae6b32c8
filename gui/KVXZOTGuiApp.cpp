#include "KVXZOTGuiApp.h"

#include "MainFrame.h"
#include "MessageBoxAdapter.h"
#include "TransferState.h"

#include <QApplication>
#include <QIcon>
#include <QSplashScreen>
#include <QTimer>

namespace {

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/app/kvxzot-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace

CKVXZOTGuiApp::CommandLine CKVXZOTGuiApp::ParseCommandLine(const QStringList& arguments)
{
    CommandLine commandLine;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--no-splash"))
            commandLine.splash = false;
        else if (!argument.startsWith(QStringLiteral("--")))
            commandLine.files << argument;
    }
    return commandLine;
}

CKVXZOTGuiApp::CKVXZOTGuiApp(ScriptEngineProbe probe, CommandLine commandLine)
    : CKVXZOTApp(std::move(probe)), m_commandLine(std::move(commandLine))
{
}

CKVXZOTGuiApp::~CKVXZOTGuiApp() = default;

bool CKVXZOTGuiApp::InitInstance()
{
    // Every start-up failure is a message box.
    CMessageBoxAdapter::Install();
    CTransferState::Instance().SetExpectedCloneLevel(1);
    if (!CKVXZOTApp::InitInstance())
        return false;

    QApplication::setWindowIcon(ApplicationIcon());
    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_pMainFrame->LoadMenuTexts())
        return false;
    m_pMainFrame->PruneLanguageMenu(GetSupportLanguages());
    for (const QString& file : std::as_const(m_commandLine.files))
        m_pMainFrame->OpenDocumentFile(file);

    if (!m_commandLine.splash) {
        ShowMainWindow();
        return true;
    }
    m_pSplash = std::make_unique<QSplashScreen>(QPixmap(QStringLiteral(":/app/splash.png")));
    m_pSplash->show();
    QTimer::singleShot(kSplashMs, m_pMainFrame.get(), [this] { ShowMainWindow(); });
    return true;
}

void CKVXZOTGuiApp::ShowMainWindow()
{
    m_pMainFrame->showMaximized();
    if (m_pSplash) {
        m_pSplash->finish(m_pMainFrame.get());
        m_pSplash.reset();
    }
}
