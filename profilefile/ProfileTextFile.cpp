#include "ProfileTextFile.h"

#include "ProfileFile.h"
#include "TextFiles.h"

#include <QFile>

namespace {

bool IsUtf8Text(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    if (!bytes.startsWith("<?xml"))
        return false;
    const QByteArray declaration = bytes.left(bytes.indexOf("?>") + 2).toLower();
    return declaration.contains("utf-8");
}

} // namespace

bool ReadProfileText(const QString& path, QString& text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray head = file.peek(256);
    if (IsUtf8Text(head)) {
        QByteArray bytes = file.readAll();
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        text = QString::fromUtf8(bytes);
        return true;
    }
    file.close();
    const TextFileContent content = ReadTextFile(path);
    if (!content.ok) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    text = UnscrambleXml(content.text, content.byteForm);
    return true;
}

bool WriteProfileText(const QString& path, const QString& text, QString* error)
{
    QString reason;
    if (WriteFileAtomically(path, text.toUtf8(), &reason))
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(path, reason);
    return false;
}
