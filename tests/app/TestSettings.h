#pragma once

#include "RegistryStore.h"

#include <QTemporaryDir>
#include <memory>

// Points the process-wide configuration store at two fresh INI files for the
// lifetime of a test, and restores the previous store afterwards.
class ScopedTestSettings {
public:
    ScopedTestSettings()
    {
        m_previous = kvx::registry::RegistryStore::ReplaceInstance(
            std::make_unique<kvx::registry::RegistryStore>(MachineFile(), UserFile()));
    }
    ~ScopedTestSettings() { kvx::registry::RegistryStore::ReplaceInstance(std::move(m_previous)); }

    QString MachineFile() const { return m_dir.filePath(QStringLiteral("machine.ini")); }
    QString UserFile() const { return m_dir.filePath(QStringLiteral("user.ini")); }
    QString Dir() const { return m_dir.path(); }
    kvx::registry::RegistryStore& Store() { return kvx::registry::RegistryStore::Instance(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<kvx::registry::RegistryStore> m_previous;
};

inline const QString kAppKey = QStringLiteral("Software\\Varnholt\\KVX JUB ZOT");
