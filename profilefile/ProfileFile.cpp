#include "ProfileFile.h"

#include "TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links are followed as the system follows them, up to its own limit.
constexpr int kMaxLinkDepth = 40;

// The file a path finally names: the path itself, or what its chain of
// symbolic links leads to (which need not exist yet). Empty for a loop.
QString FollowLinks(const QString& path)
{
    QString target = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            return target;
        target = info.symLinkTarget();
    }
    return QString();
}

}  // namespace

QByteArray EncodeProfileFile(const QString& xmlText, bool byteForm)
{
    if (byteForm)
        return EncodeCp1252(ScrambleText(xmlText, true));
    const QString scrambled = ScrambleText(xmlText, false);
    QByteArray bytes;
    bytes.reserve(2 + scrambled.size() * 2);
    bytes.append('\xFF').append('\xFE');
    for (const QChar c : scrambled) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error, const BlockWriter& writer)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("No file name was given."));
    const QString target = FollowLinks(path);
    if (target.isEmpty())
        return fail(QStringLiteral("The symbolic links form a loop."));
    struct stat existing {};
    const bool exists = ::stat(QFile::encodeName(target).constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return fail(QStringLiteral("It is a folder, not a file."));
    if (exists && !S_ISREG(existing.st_mode))
        return fail(QStringLiteral("It is not a regular file."));

    QSaveFile file(target);
    // Never fall back to writing the target in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (exists) {
        // The new file takes the place of the old one with its mode; the
        // owner only where the system lets us (a user cannot give files away).
        if (::fchmod(file.handle(), existing.st_mode & 07777) != 0)
            return fail(qt_error_string(errno));
        if ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
            && ::fchown(file.handle(), existing.st_uid, existing.st_gid) != 0
            && ::fchown(file.handle(), static_cast<uid_t>(-1), existing.st_gid) != 0) {
            // Another user's file becomes the writer's own; its mode stays.
        }
    }
    const qint64 written = writer ? writer(file, data) : file.write(data);
    if (written != data.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        if (error)
            *error = file.errorString().isEmpty() ? QStringLiteral("The file could not be written completely.") : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
