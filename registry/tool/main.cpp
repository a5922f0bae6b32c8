// kvxzot-settings: writes the machine-scope configuration an installer
// writes into an INI store. The build uses it to prepare the settings for
// running from the build tree.

#include "MachineDefaults.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || args[1].startsWith(QLatin1Char('-'))) {
        QTextStream(stderr) << "Usage: kvxzot-settings MACHINE_SETTINGS_FILE INSTALL_PATH\n"
                               "Writes the machine-scope configuration of an installation into an INI file.\n";
        return args.contains(QStringLiteral("--help")) ? 0 : 2;
    }
    QFile::remove(args[1]);
    kvx::registry::RegistryStore store(args[1], QString());
    if (!kvx::registry::WriteMachineDefaults(store, args[2])) {
        QTextStream(stderr) << "kvxzot-settings: cannot write " << args[1] << '\n';
        return 1;
    }
    return 0;
}
