#include "KVXZOTGuiApp.h"

#include "MainFrame.h"
#include "MessageBoxAdapter.h"
#include "TransferState.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QSplashScreen>
#include <QTimer>

namespace {

// Qt's own texts (standard buttons, file dialogs) in the language of the
// program's; languages without a Qt translation keep English.
std::unique_ptr<QTranslator> InstallQtTranslation(const QString& language)
{
    static const QHash<QString, QString> locales = {
        {QStringLiteral("German"), QStringLiteral("de")},      {QStringLiteral("French"), QStringLiteral("fr")},
        {QStringLiteral("CaFrench"), QStringLiteral("fr_CA")}, {QStringLiteral("Spanish"), QStringLiteral("es")},
        {QStringLiteral("LaSpanish"), QStringLiteral("es")},   {QStringLiteral("LaPortuguese"), QStringLiteral("pt_BR")},
    };
    const QString locale = locales.value(language);
    auto translator = std::make_unique<QTranslator>();
    if (locale.isEmpty()
        || !translator->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

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

    m_pQtTranslator = InstallQtTranslation(GetLanguage());
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
