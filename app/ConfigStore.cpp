#include "ConfigStore.h"

#include "MessageIds.h"
#include "Messages.h"
#include "RegistryStore.h"
#include "SerialPortList.h"
#include "StringTable.h"

using kvx::registry::Hive;
using kvx::registry::RegistryStore;

namespace {

const QString kAppKey = QString::fromLatin1(kApplicationKey);

QString UserLanguageKey(const QString& language)
{
    return kAppKey + QStringLiteral("\\Language\\") + language;
}

QString MachineLanguageKey(const QString& language)
{
    return QString::fromLatin1(kMachineLanguageKey) + language;
}

RegistryStore& Store()
{
    return RegistryStore::Instance();
}

QString ReadStringOrEmpty(Hive hive, const QString& key, const QString& name)
{
    return Store().ReadString(hive, key, name).value_or(QString());
}

}  // namespace

QStringList KnownLanguages()
{
    return {QStringLiteral("English"), QStringLiteral("Spanish"), QStringLiteral("French"), QStringLiteral("German"),
            QStringLiteral("CaFrench"), QStringLiteral("LaSpanish"), QStringLiteral("LaPortuguese")};
}

QString InstallationFile(const QString& installPath, const QString& relativeName)
{
    QString name = relativeName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString base = installPath;
    base.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return base + QLatin1Char('/') + name;
}

QString GetCurrentLanguage()
{
    return ReadStringOrEmpty(Hive::User, kAppKey, QStringLiteral("CurrentLanguage"));
}

bool SetCurrentLanguage(const QString& name)
{
    return Store().WriteString(Hive::User, kAppKey, QStringLiteral("CurrentLanguage"), name);
}

QString GetDefaultLanguage()
{
    return ReadStringOrEmpty(Hive::Machine, kAppKey, QStringLiteral("DefaultLanguage"));
}

QString GetInstallPath()
{
    return ReadStringOrEmpty(Hive::Machine, kAppKey, QStringLiteral("InstallPath"));
}

bool EnsureApplicationKeys()
{
    for (const QString& key : {QStringLiteral("Software\\Varnholt"), kAppKey, kAppKey + QStringLiteral("\\Language")}) {
        if (!Store().CreateKey(Hive::User, key))
            return false;
    }
    return true;
}

void EnsureComPortValue()
{
    if (!Store().ValueExists(Hive::User, kAppKey, QStringLiteral("CurrentComPort")))
        Store().WriteString(Hive::User, kAppKey, QStringLiteral("CurrentComPort"), QStringLiteral("COM1"));
}

QString GetComPort()
{
    const auto stored = Store().ReadString(Hive::User, kAppKey, QStringLiteral("CurrentComPort"));
    if (!stored)
        return QString();
    return ResolveComPort(*stored);
}

QString ResolveComPort(const QString& preferred)
{
    const auto ports = kvx::serial::EnumerateSerialPorts();
    if (!ports) {
        kvx::ShowMessageId(kMsgRegistryOpenFailed);
        return QString();
    }
    QString candidate;
    qint64 candidateNumber = 0;
    for (const QString& port : *ports) {
        if (port == preferred)
            return port;
        const qint64 number = kvx::serial::PortNumber(port);
        if (candidate.isEmpty() || number < candidateNumber) {
            candidate = port;
            candidateNumber = number;
        }
    }
    return candidate;
}

int GetShowContextHelp()
{
    const auto value = Store().ReadDword(Hive::User, kAppKey, QStringLiteral("ShowContextHelp"));
    return value ? static_cast<int>(*value) : -1;
}

bool SetShowContextHelp(bool show)
{
    return Store().WriteDword(Hive::User, kAppKey, QStringLiteral("ShowContextHelp"), show ? 1 : 0);
}

QString GetHelpFilePath()
{
    const QString language = GetCurrentLanguage();
    if (language.isEmpty())
        return QString();
    const QString name = ReadStringOrEmpty(Hive::Machine, MachineLanguageKey(language), QStringLiteral("HelpFileName"));
    if (name.isEmpty())
        return QString();
    return InstallationFile(GetInstallPath(), name);
}

QString GetGuiResourcePath()
{
    const QString language = GetCurrentLanguage();
    if (language.isEmpty())
        return QString();
    const QString name = ReadStringOrEmpty(Hive::Machine, MachineLanguageKey(language), QStringLiteral("GUIResource"));
    const QString install = GetInstallPath();
    if (name.isEmpty() || install.isEmpty())
        return QString();
    return InstallationFile(install, name);
}

std::optional<DealerInfo> ReadDealerInfo()
{
    const QString language = GetCurrentLanguage();
    const QString key = UserLanguageKey(language);
    if (language.isEmpty() || !Store().KeyExists(Hive::User, key))
        return std::nullopt;
    auto dealer = Store().ReadMultiString(Hive::User, key, QStringLiteral("DealerInfo"));
    auto contact = Store().ReadMultiString(Hive::User, key, QStringLiteral("ContactInfo"));
    auto notes = Store().ReadMultiString(Hive::User, key, QStringLiteral("DealerNotes"));
    if (!dealer || !contact || !notes)
        return std::nullopt;
    return DealerInfo{*dealer, *contact, *notes};
}

bool WriteDealerInfo(const QStringList& dealer, const QStringList& contact, const QStringList& notes)
{
    const QString key = UserLanguageKey(GetCurrentLanguage());
    return Store().WriteMultiString(Hive::User, key, QStringLiteral("DealerInfo"), dealer)
           && Store().WriteMultiString(Hive::User, key, QStringLiteral("ContactInfo"), contact)
           && Store().WriteMultiString(Hive::User, key, QStringLiteral("DealerNotes"), notes);
}

bool InitConfiguration()
{
    // A damaged user store is set aside and rebuilt below like a missing one.
    const RegistryStore::Repair repair = Store().RepairDamaged(Hive::User);
    if (repair == RegistryStore::Repair::Unrepairable || !EnsureApplicationKeys()) {
        const QString file = Store().Location(Hive::User);
        const QString reason = repair == RegistryStore::Repair::Unrepairable
                                   ? QStringLiteral("The user settings file %1 is damaged and cannot be moved aside.")
                                   : QStringLiteral("The user settings file %1 cannot be written.");
        kvx::ShowMessage(LoadStr(kMsgRegistryFatal) + QLatin1Char('\n') + reason.arg(file));
        return false;
    }
    EnsureComPortValue();

    QString language = GetCurrentLanguage();
    if (language.isEmpty()) {
        language = GetDefaultLanguage();
        if (language.isEmpty()) {
            kvx::ShowMessageId(kMsgRegistryFatal);
            return false;
        }
        if (!SetCurrentLanguage(language))
            return false;
    }

    // The user's dealer information starts as a copy of the installer's;
    // a value the user already has, even an empty one, is never replaced.
    const QString machineKey = MachineLanguageKey(language);
    const QString userKey = UserLanguageKey(language);
    if (!Store().CreateKey(Hive::User, userKey))
        return true;
    for (const QString& name : {QStringLiteral("DealerInfo"), QStringLiteral("DealerNotes"), QStringLiteral("ContactInfo")}) {
        if (Store().ValueExists(Hive::User, userKey, name))
            continue;
        const QStringList value = Store().ReadMultiString(Hive::Machine, machineKey, name).value_or(QStringList());
        Store().WriteMultiString(Hive::User, userKey, name, value);
    }
    return true;
}
