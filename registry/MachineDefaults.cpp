#include "MachineDefaults.h"

#include <QFile>

namespace kvx::registry {

bool WriteMachineDefaults(RegistryStore& store, const QString& installPath)
{
    const QString appKey = QStringLiteral("Software\\Varnholt\\KVX JUB ZOT");
    bool ok = store.WriteString(Hive::Machine, appKey, QStringLiteral("InstallPath"), installPath)
              && store.WriteString(Hive::Machine, appKey, QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
    const QStringList languages = {QStringLiteral("English"), QStringLiteral("Spanish"), QStringLiteral("French"),
                                   QStringLiteral("German"), QStringLiteral("CaFrench"), QStringLiteral("LaSpanish"),
                                   QStringLiteral("LaPortuguese")};
    for (const QString& language : languages) {
        const QString key = appKey + QStringLiteral("\\Language\\") + language;
        ok = ok && store.WriteString(Hive::Machine, key, QStringLiteral("GUIResource"), QStringLiteral("Language/%1.json").arg(language))
             && store.WriteString(Hive::Machine, key, QStringLiteral("HelpFileName"), QStringLiteral("Help/%1.qch").arg(language))
             && store.WriteMultiString(Hive::Machine, key, QStringLiteral("DealerInfo"),
                                       {QStringLiteral("Varnholt Authorised Radio Dealer"), QStringLiteral("Fleet Programming Service")})
             && store.WriteMultiString(Hive::Machine, key, QStringLiteral("ContactInfo"),
                                       {QStringLiteral("Service desk: +1 555 0100"), QStringLiteral("service@dealer.example")})
             && store.WriteMultiString(Hive::Machine, key, QStringLiteral("DealerNotes"),
                                       {QStringLiteral("Radios are programmed and tested before delivery.")});
    }
    return ok;
}

bool UseScratchStore(const QString& folder, const QString& installPath)
{
    const QString machine = folder + QStringLiteral("/machine.ini");
    const QString user = folder + QStringLiteral("/user.ini");
    QFile::remove(machine);
    QFile::remove(user);
    RegistryStore::ReplaceInstance(std::make_unique<RegistryStore>(machine, user));
    return WriteMachineDefaults(RegistryStore::Instance(), installPath);
}

}  // namespace kvx::registry
