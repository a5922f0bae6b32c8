#pragma once

#include "KVXZOTApp.h"

#include <QStringList>
#include <memory>

class CMainFrame;
class QSplashScreen;
class QTranslator;

// The windowed application: the start-up of the application object, then
// the main frame with its menus, the files named on the command line, the
// splash picture and the maximised main window.
class CKVXZOTGuiApp : public CKVXZOTApp {
public:
    struct CommandLine {
        QStringList files;
        bool splash = true;
    };
    // "kvxzot [--no-splash] [FILE.jub …]"
    static CommandLine ParseCommandLine(const QStringList& arguments);

    // The splash picture stays this long before the main window shows.
    static constexpr int kSplashMs = 2500;

    CKVXZOTGuiApp(ScriptEngineProbe probe, CommandLine commandLine);
    ~CKVXZOTGuiApp() override;

    bool InitInstance() override;

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

private:
    void ShowMainWindow();

    CommandLine m_commandLine;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<QSplashScreen> m_pSplash;
    std::unique_ptr<QTranslator> m_pQtTranslator;
};
