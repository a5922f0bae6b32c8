// kvxzot-screenshots: pictures of the windowed program for the README and
// the AppStream metadata, drawn offscreen by the program's own windows.
// Usage: kvxzot-screenshots PROFILE OUTPUT_FOLDER

#include "ChildFrame.h"
#include "KVXZOTGuiApp.h"
#include "KVXZOTTreeView.h"
#include "MachineDefaults.h"
#include "MainFrame.h"
#include "ScriptHost.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

struct Shot {
    const char* file;
    NodeKind node;
    int index;
};

// The main window with the profile open at these nodes of its tree.
constexpr Shot kShots[] = {
    {"main-window.png", NodeKind::Private, 1},
    {"radio-information.png", NodeKind::Radio, 0},
    {"contacts.png", NodeKind::Contacts, 0},
    {"private-group.png", NodeKind::PrivateGroup, 0},
    {"settings.png", NodeKind::Settings, 0},
    {"scan-list.png", NodeKind::ScanChannel, 0},
};

// What a picture shows: the size of a laptop's window, fonts as the
// desktop's default.
const QSize kWindowSize(1280, 800);
// PNG quality 0: the strongest compression, the pictures are committed.
constexpr int kSmallestFile = 0;

int Fail(const QString& text)
{
    QTextStream(stderr) << "kvxzot-screenshots: " << text << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVX JUB ZOT"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3)
        return Fail(QStringLiteral("usage: kvxzot-screenshots PROFILE OUTPUT_FOLDER"));
    const QString output = args[2];
    if (!QDir().mkpath(output))
        return Fail(QStringLiteral("cannot create %1").arg(output));

    // A first start: the repository's installation, default window layout.
    QTemporaryDir settings;
    if (!settings.isValid() || !kvx::registry::UseScratchStore(settings.path(), QStringLiteral(KVX_INSTALLATION_DIR)))
        return Fail(QStringLiteral("cannot prepare the settings"));

    CKVXZOTGuiApp app([] { return CheckScriptEngine(); }, {{args[1]}, false});
    if (!app.InitInstance() || !app.MainFrame()->ActiveChild())
        return Fail(QStringLiteral("cannot open %1").arg(args[1]));
    CMainFrame& frame = *app.MainFrame();
    frame.showNormal();
    frame.resize(kWindowSize);
    CChildFrame& child = *frame.ActiveChild();
    child.showMaximized();
    QApplication::processEvents();

    for (const Shot& shot : kShots) {
        if (!child.Tree()->SelectNode(shot.node, shot.index))
            return Fail(QStringLiteral("no node for %1").arg(QLatin1String(shot.file)));
        QApplication::processEvents();
        const QString path = QDir(output).filePath(QLatin1String(shot.file));
        if (!frame.grab().save(path, "PNG", kSmallestFile))
            return Fail(QStringLiteral("cannot write %1").arg(path));
    }
    // Nothing was changed; the profile closes without a question.
    child.CloseWithoutSaving();
    return 0;
}
