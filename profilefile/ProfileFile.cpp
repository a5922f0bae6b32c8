#include "ProfileFile.h"

#include "TextFiles.h"

#include <QSaveFile>
#include <unistd.h>

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
    QSaveFile file(path);
    // Never fall back to writing the target in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
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
