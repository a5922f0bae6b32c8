#include "RecentFileList.h"

#include "ConfigStore.h"
#include "RegistryStore.h"

#include <QDir>
#include <QFileInfo>

using kvx::registry::Hive;
using kvx::registry::RegistryStore;

namespace {

QString ListKey()
{
    return QString::fromLatin1(kApplicationKey) + QStringLiteral("\\Recent File List");
}

QString ValueName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

bool SameFile(const QString& a, const QString& b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

CRecentFileList::CRecentFileList()
{
    const RegistryStore& store = RegistryStore::Instance();
    for (int i = 0; i < kSize; ++i) {
        const QString path = store.ReadString(Hive::User, ListKey(), ValueName(i)).value_or(QString());
        if (!path.isEmpty())
            m_files << path;
    }
}

void CRecentFileList::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeIf([&](const QString& f) { return SameFile(f, absolute); });
    m_files.prepend(absolute);
    while (m_files.size() > kSize)
        m_files.removeLast();
    Store();
}

void CRecentFileList::Remove(const QString& path)
{
    if (m_files.removeIf([&](const QString& f) { return SameFile(f, path); }) > 0)
        Store();
}

QString CRecentFileList::MenuText(int index, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void CRecentFileList::Store() const
{
    RegistryStore& store = RegistryStore::Instance();
    if (!store.CreateKey(Hive::User, ListKey()))
        return;
    for (int i = 0; i < kSize; ++i)
        store.WriteString(Hive::User, ListKey(), ValueName(i), m_files.value(i));
}
