// kvxzot-settings: writes the machine-scope configuration an installer
// writes (installation folder, default language, per-language files and the
// dealer's defaults) into an INI store. The build uses it to prepare the
// settings for running from the build tree.

#include "RegistryStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using kvx::registry::Hive;
using kvx::registry::RegistryStore;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || args[1].startsWith(QLatin1Char('-'))) {
        QTextStream(stderr) << "Usage: kvxzot-settings MACHINE_SETTINGS_FILE INSTALL_PATH\n"
                               "Writes the machine-scope configuration of an installation into an INI file.\n";
        return args.contains(QStringLiteral("--help")) ? 0 : 2;
    }
    const QString file = args[1];
    const QString installPath = args[2];
    QFile::remove(file);
    RegistryStore store(file, QString());
    const QString appKey = QStringLiteral("Software\\Varnholt\\KVX JUB ZOT");
    bool ok = store.WriteString(Hive::Machine, appKey, QStringLiteral("InstallPath"), installPath)
              && store.WriteString(Hive::Machine, appKey, QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
    const QStringList languages = {QStringLiteral("English"), QStringLiteral("Spanish"), QStringLiteral("French"),
                                   QStringLiteral("German"), QStringLiteral("CaFrench"), QStringLiteral("LaSpanish"),
                                   QStringLiteral("LaPortuguese")};
    for (const QString& language : languages) {
        const QString key = appKey + QStringLiteral("\\Language\\") + language;
        ok = ok && store.WriteString(Hive::Machine, key, QStringLiteral("GUIResource"), QStringLiteral("Language/%1.json").arg(language))
             && store.WriteString(Hive::Machine, key, QStringLiteral("HelpFileName"), QStringLiteral("Help/English"))
             && store.WriteMultiString(Hive::Machine, key, QStringLiteral("DealerInfo"),
                                       {QStringLiteral("Varnholt Authorised Radio Dealer"), QStringLiteral("Fleet Programming Service")})
             && store.WriteMultiString(Hive::Machine, key, QStringLiteral("ContactInfo"),
                                       {QStringLiteral("Service desk: +1 555 0100"), QStringLiteral("service@dealer.example")})
             && store.WriteMultiString(Hive::Machine, key, QStringLiteral("DealerNotes"),
                                       {QStringLiteral("Radios are programmed and tested before delivery.")});
    }
    if (!ok) {
        QTextStream(stderr) << "kvxzot-settings: cannot write " << file << '\n';
        return 1;
    }
    return 0;
}
