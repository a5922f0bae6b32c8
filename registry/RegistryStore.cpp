#include "RegistryStore.h"

#include <QFile>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>
#include <mutex>

namespace kvx::registry {
namespace {

// Marker value that keeps an otherwise empty key present in an INI file.
const QString kKeyMarker = QStringLiteral(".key");

#ifndef Q_OS_WIN
// The store is "<configuration folder>/Varnholt/kvxzot.ini". No blanks: the
// machine file is a package's configuration file, and those are listed by path.
const QString kOrganization = QStringLiteral("Varnholt");
const QString kStoreName = QStringLiteral("kvxzot");

// QSettings' system scope looks only in the first folder of
// XDG_CONFIG_DIRS, where desktops often put a folder of their own; so every
// folder is searched, then the etc/xdg of the prefix the program runs from
// (an installation under /usr/local or /opt). Empty when none holds the file.
QString FindMachineFile()
{
    QStringList folders = qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (folders.isEmpty())
        folders << QStringLiteral("/etc/xdg");
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath() + QStringLiteral("/../etc/xdg");
    for (const QString& folder : folders) {
        const QString file = QDir::cleanPath(QStringLiteral("%1/%2/%3.ini").arg(folder, kOrganization, kStoreName));
        if (QFileInfo::exists(file))
            return file;
    }
    return QString();
}
#endif

std::unique_ptr<QSettings> OpenSettings(const QString& file, Hive hive)
{
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(hive == Hive::Machine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                                             : QStringLiteral("HKEY_CURRENT_USER"),
                                       QSettings::NativeFormat);
#else
    if (hive == Hive::Machine) {
        const QString machine = FindMachineFile();
        if (!machine.isEmpty())
            return std::make_unique<QSettings>(machine, QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::IniFormat,
                                       hive == Hive::Machine ? QSettings::SystemScope : QSettings::UserScope,
                                       kOrganization, kStoreName);
#endif
}

QStringList SplitKey(const QString& key)
{
    QString normal = key;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return normal.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// Walks the key path group by group, matching names case-insensitively
// against what the store holds; unknown names keep the spelling given.
// Leaves the settings inside the key's group. Returns whether every
// segment existed.
bool EnterKey(QSettings& settings, const QString& key)
{
    bool exists = true;
    for (const QString& segment : SplitKey(key)) {
        QString name = segment;
        if (exists) {
            exists = false;
            for (const QString& group : settings.childGroups()) {
                if (group.compare(segment, Qt::CaseInsensitive) == 0) {
                    name = group;
                    exists = true;
                    break;
                }
            }
        }
        settings.beginGroup(name);
    }
    return exists;
}

QString FindValueName(const QSettings& settings, const QString& name)
{
    for (const QString& key : settings.childKeys()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return key;
    }
    return QString();
}

std::optional<QVariant> ReadValue(const QString& file, Hive hive, const QString& key, const QString& name)
{
    auto settings = OpenSettings(file, hive);
    if (settings->status() != QSettings::NoError || !EnterKey(*settings, key))
        return std::nullopt;
    const QString stored = FindValueName(*settings, name);
    if (stored.isEmpty())
        return std::nullopt;
    return settings->value(stored);
}

bool WriteValue(const QString& file, Hive hive, const QString& key, const QString& name, const QVariant& value)
{
    auto settings = OpenSettings(file, hive);
    if (!settings->isWritable())
        return false;
    EnterKey(*settings, key);
    const QString stored = FindValueName(*settings, name);
    settings->setValue(stored.isEmpty() ? name : stored, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

std::mutex g_instanceMutex;
std::unique_ptr<RegistryStore> g_instance;

}  // namespace

RegistryStore::RegistryStore(QString machineFile, QString userFile)
    : m_machineFile(std::move(machineFile)), m_userFile(std::move(userFile))
{
}

RegistryStore& RegistryStore::Instance()
{
    std::lock_guard lock(g_instanceMutex);
    if (!g_instance) {
        g_instance = std::make_unique<RegistryStore>(qEnvironmentVariable("KVXZOT_MACHINE_SETTINGS"),
                                                     qEnvironmentVariable("KVXZOT_USER_SETTINGS"));
    }
    return *g_instance;
}

std::unique_ptr<RegistryStore> RegistryStore::ReplaceInstance(std::unique_ptr<RegistryStore> store)
{
    std::lock_guard lock(g_instanceMutex);
    std::swap(g_instance, store);
    return store;
}

bool RegistryStore::KeyExists(Hive hive, const QString& key) const
{
    auto settings = OpenSettings(hive == Hive::Machine ? m_machineFile : m_userFile, hive);
    return settings->status() == QSettings::NoError && EnterKey(*settings, key);
}

bool RegistryStore::CreateKey(Hive hive, const QString& key)
{
    auto settings = OpenSettings(hive == Hive::Machine ? m_machineFile : m_userFile, hive);
    if (EnterKey(*settings, key))
        return true;
    if (!settings->isWritable())
        return false;
    settings->setValue(kKeyMarker, QString());
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool RegistryStore::ValueExists(Hive hive, const QString& key, const QString& name) const
{
    return ReadValue(hive == Hive::Machine ? m_machineFile : m_userFile, hive, key, name).has_value();
}

std::optional<QString> RegistryStore::ReadString(Hive hive, const QString& key, const QString& name) const
{
    auto value = ReadValue(hive == Hive::Machine ? m_machineFile : m_userFile, hive, key, name);
    if (!value)
        return std::nullopt;
    // A multi-string read as a string gives its first entry, as the registry's
    // string readers do with a terminated first string.
    if (value->metaType().id() == QMetaType::QStringList) {
        const QStringList list = value->toStringList();
        return list.isEmpty() ? QString() : list.first();
    }
    return value->toString();
}

std::optional<quint32> RegistryStore::ReadDword(Hive hive, const QString& key, const QString& name) const
{
    auto value = ReadValue(hive == Hive::Machine ? m_machineFile : m_userFile, hive, key, name);
    if (!value)
        return std::nullopt;
    bool ok = false;
    const quint32 number = value->toString().trimmed().toUInt(&ok, 0);
    if (ok)
        return number;
    const qint32 signedNumber = value->toString().trimmed().toInt(&ok, 0);
    return ok ? std::optional<quint32>(static_cast<quint32>(signedNumber)) : std::nullopt;
}

std::optional<QStringList> RegistryStore::ReadMultiString(Hive hive, const QString& key, const QString& name) const
{
    auto value = ReadValue(hive == Hive::Machine ? m_machineFile : m_userFile, hive, key, name);
    if (!value)
        return std::nullopt;
    if (value->metaType().id() == QMetaType::QStringList)
        return value->toStringList();
    const QString text = value->toString();
    return text.isEmpty() ? QStringList() : QStringList{text};
}

bool RegistryStore::WriteString(Hive hive, const QString& key, const QString& name, const QString& value)
{
    return WriteValue(hive == Hive::Machine ? m_machineFile : m_userFile, hive, key, name, value);
}

bool RegistryStore::WriteDword(Hive hive, const QString& key, const QString& name, quint32 value)
{
    return WriteValue(hive == Hive::Machine ? m_machineFile : m_userFile, hive, key, name, QVariant(value));
}

bool RegistryStore::WriteMultiString(Hive hive, const QString& key, const QString& name, const QStringList& value)
{
    // An empty list is kept as an empty string so that the value still exists.
    return WriteValue(hive == Hive::Machine ? m_machineFile : m_userFile, hive, key, name,
                      value.isEmpty() ? QVariant(QString()) : QVariant(value));
}

QString RegistryStore::Location(Hive hive) const
{
    auto settings = OpenSettings(hive == Hive::Machine ? m_machineFile : m_userFile, hive);
    return settings->fileName();
}

RegistryStore::Repair RegistryStore::RepairDamaged(Hive hive)
{
    QString file;
    {
        auto settings = OpenSettings(hive == Hive::Machine ? m_machineFile : m_userFile, hive);
        if (settings->status() != QSettings::FormatError)
            return Repair::Sound;
        file = settings->fileName();
    }
    const QString copy = file + QStringLiteral(".damaged");
    if (QFile::exists(copy) && !QFile::remove(copy))
        return Repair::Unrepairable;
    return QFile::rename(file, copy) ? Repair::Repaired : Repair::Unrepairable;
}

}  // namespace kvx::registry
