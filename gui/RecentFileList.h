#pragma once

#include <QString>
#include <QStringList>

// The four most recently opened or saved profiles, newest first, kept in the
// user scope of the configuration store ("Recent File List", File1…File4)
// so that the list survives a restart.
class CRecentFileList {
public:
    static constexpr int kSize = 4;

    CRecentFileList();

    const QStringList& Files() const { return m_files; }
    // Moves path to the front (adding it when new) and stores the list.
    void Add(const QString& path);
    void Remove(const QString& path);

    // "&1 /path/name.jub": the menu text of an entry.
    static QString MenuText(int index, const QString& path);

private:
    void Store() const;

    QStringList m_files;
};
