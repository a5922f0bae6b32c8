#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// A registry-like configuration store with two scopes: the machine scope
// (written by the installer) and the user scope (the user's choices).
// Keys are paths such as "Software\Varnholt\KVX JUB ZOT\Language\German";
// "\" and "/" both separate key names, and key and value names compare
// case-insensitively, as in the registry. Values are strings, 32-bit
// numbers or multi-strings.
//
// Each call opens the store, reads or writes and closes it again, so other
// processes' changes are seen and nothing stays open between calls.
//
// Backing files: the environment variables KVXZOT_MACHINE_SETTINGS and
// KVXZOT_USER_SETTINGS name INI files (keys kept as "/"-separated paths);
// without them the platform's own store is used: the registry on Windows,
// elsewhere "Varnholt/kvxzot.ini" in the XDG configuration folders (the
// machine scope in the first folder of XDG_CONFIG_DIRS that holds it, else
// in the etc/xdg of the program's prefix; the user scope in XDG_CONFIG_HOME).
namespace kvx::registry {

enum class Hive { Machine, User };

class RegistryStore {
public:
    // A store over two INI files; an empty name uses the platform default.
    RegistryStore(QString machineFile, QString userFile);

    // The process-wide store chosen from the environment.
    static RegistryStore& Instance();
    // Replaces the process-wide store (tests); returns the previous one.
    static std::unique_ptr<RegistryStore> ReplaceInstance(std::unique_ptr<RegistryStore> store);

    bool KeyExists(Hive hive, const QString& key) const;
    // Opens the key, creating it when absent; false when the store cannot be written.
    bool CreateKey(Hive hive, const QString& key);
    bool ValueExists(Hive hive, const QString& key, const QString& name) const;

    std::optional<QString> ReadString(Hive hive, const QString& key, const QString& name) const;
    std::optional<quint32> ReadDword(Hive hive, const QString& key, const QString& name) const;
    std::optional<QStringList> ReadMultiString(Hive hive, const QString& key, const QString& name) const;

    bool WriteString(Hive hive, const QString& key, const QString& name, const QString& value);
    bool WriteDword(Hive hive, const QString& key, const QString& name, quint32 value);
    bool WriteMultiString(Hive hive, const QString& key, const QString& name, const QStringList& value);

    // Where the scope's data lives (a file name or a registry root).
    QString Location(Hive hive) const;

    // A scope whose file cannot be read (damaged) is moved aside to
    // "<file>.damaged", replacing an older copy, so that the scope starts
    // afresh and loses nothing for good. Sound, Repaired, or Unrepairable when
    // the damaged file cannot be moved.
    enum class Repair { Sound, Repaired, Unrepairable };
    Repair RepairDamaged(Hive hive);

private:
    QString m_machineFile;
    QString m_userFile;
};

}  // namespace kvx::registry
