// kvxzot-settings: writes the machine-scope configuration an installer
// writes into an INI store. The build uses it to prepare the settings for
// running from the build tree; scripts/run.sh uses --user-port to make a
// simulated radio's port the user's port.

#include "MachineDefaults.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("--user-port")) {
        kvx::registry::RegistryStore store(QString(), args[2]);
        if (!store.WriteString(kvx::registry::Hive::User, QStringLiteral("Software\\Varnholt\\KVX JUB ZOT"),
                               QStringLiteral("CurrentComPort"), args[3])) {
            QTextStream(stderr) << "kvxzot-settings: cannot write " << args[2] << '\n';
            return 1;
        }
        return 0;
    }
    if (args.size() != 3 || args[1].startsWith(QLatin1Char('-'))) {
        QTextStream(stderr) << "Usage: kvxzot-settings MACHINE_SETTINGS_FILE INSTALL_PATH\n"
                               "       kvxzot-settings --user-port USER_SETTINGS_FILE PORT\n"
                               "Writes the machine-scope configuration of an installation into an INI file,\n"
                               "or the user's serial port into the user's INI file.\n";
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
