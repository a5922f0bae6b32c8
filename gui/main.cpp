// kvxzot: the windowed programming application.

#include "KVXZOTGuiApp.h"
#include "ScriptHost.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVX JUB ZOT"));
    // The installed desktop entry: desktops match the windows to its name
    // and icon by this.
    QApplication::setDesktopFileName(QStringLiteral("com.varnholt.kvxzot"));
    CKVXZOTGuiApp app([] { return CheckScriptEngine(); },
                      CKVXZOTGuiApp::ParseCommandLine(QApplication::arguments().mid(1)));
    if (!app.InitInstance())
        return 1;
    return QApplication::exec();
}
