#include "ReportOutput.h"

#include "KVXZOTException.h"
#include "ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringEncoder>

namespace {

// The files a report refers to: its model pictures and its style sheet.
const QStringList kResourcePatterns = {QStringLiteral("*.jpg"), QStringLiteral("*.css")};

// The saved report is written anew for every report shown; it needs no
// syncing to disk, and a failed write leaves nothing behind.
bool WriteSavedReport(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    file.remove();
    return false;
}

// Copies a file over an older copy; false when it cannot.
bool ReplaceCopy(const QString& source, const QString& target)
{
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return true;
    QFile::remove(target);
    return QFile::copy(source, target);
}

// Every report takes these along: a copy made since the original last
// changed is kept.
void CopyResources(const QString& fromFolder, const QString& toFolder)
{
    const QDir from(fromFolder);
    for (const QFileInfo& source : from.entryInfoList(kResourcePatterns, QDir::Files)) {
        const QFileInfo copy(toFolder + QLatin1Char('/') + source.fileName());
        if (!copy.exists() || copy.size() != source.size() || copy.lastModified() < source.lastModified())
            ReplaceCopy(source.filePath(), copy.filePath());
    }
}

}  // namespace

ReportFolders DefaultReportFolders(const QString& installPath)
{
    return {installPath + QStringLiteral("/Report"),
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/kvxzot/Report")};
}

QByteArray ReportFileBytes(const QString& html)
{
    QStringEncoder encoder(QStringConverter::Utf16LE);
    return QByteArray("\xFF\xFE", 2) + QByteArray(encoder(html));
}

QString SaveReport(const ReportFolders& folders, const QString& fileName, const QString& html)
{
    // The installation folder is shared by every user and read-only once
    // installed, even for an administrator, who could write into it: a
    // report goes to the user's cache folder, with what it shows beside it.
    const QString saved = folders.cacheFolder + QLatin1Char('/') + fileName;
    if (folders.cacheFolder.isEmpty() || !QDir().mkpath(folders.cacheFolder) || !WriteSavedReport(saved, ReportFileBytes(html)))
        KVX_RAISE(101, QStringLiteral("Open script file failed"), "SaveReport");
    CopyResources(folders.reportFolder, folders.cacheFolder);
    return saved;
}

bool CopyReport(const QString& savedPath, const QString& target, QString* error)
{
    QFile saved(savedPath);
    if (!saved.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(savedPath, saved.errorString());
        return false;
    }
    const QByteArray bytes = saved.readAll();
    if (!WriteFileAtomically(target, bytes, error)) {
        *error = QStringLiteral("cannot write %1: %2").arg(target, *error);
        return false;
    }

    // Pictures and style sheets named by plain file names beside the report.
    const QString html = QStringDecoder(QStringConverter::Utf16LE).decode(bytes.mid(2));
    static const QRegularExpression reference(QStringLiteral("(?:src|href)\\s*=\\s*[\"']([^\"'/\\\\:]+)[\"']"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QDir from = QFileInfo(savedPath).absoluteDir();
    const QDir to = QFileInfo(target).absoluteDir();
    for (auto it = reference.globalMatch(html); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (name == QStringLiteral(".") || name == QStringLiteral("..") || !from.exists(name))
            continue;
        if (!ReplaceCopy(from.filePath(name), to.filePath(name))) {
            *error = QStringLiteral("cannot write %1").arg(to.filePath(name));
            return false;
        }
    }
    return true;
}
