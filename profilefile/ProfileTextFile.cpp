#include "ProfileTextFile.h"

#include "ProfileFile.h"
#include "TextFiles.h"

#include <QRegularExpression>

namespace {

enum class PlainEncoding { Utf8, Cp1252, Undeclared };

// The encoding a plain XML text's declaration names.
PlainEncoding DeclaredEncoding(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0)
        return PlainEncoding::Undeclared;
    static const QRegularExpression encoding(QStringLiteral("encoding\\s*=\\s*[\"']([A-Za-z0-9._-]+)[\"']"));
    const QRegularExpressionMatch match = encoding.match(QString::fromLatin1(bytes.left(end)));
    if (!match.hasMatch())
        return PlainEncoding::Undeclared;
    return match.captured(1).compare(QStringLiteral("utf-8"), Qt::CaseInsensitive) == 0 ? PlainEncoding::Utf8
                                                                                          : PlainEncoding::Cp1252;
}

}  // namespace

bool ReadProfileText(const QString& path, QString& text, QString* error)
{
    const FileBytes file = ReadRegularFile(path, kMaxProfileFileBytes);
    if (!file.ok) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.error);
        return false;
    }
    const QByteArray& bytes = file.data;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
        return true;
    }
    if (bytes.startsWith("<?xml")) {
        // A plain XML text: UTF-8 as declared, or, declaring nothing, as XML
        // reads it (UTF-8) unless its bytes are not UTF-8 at all.
        switch (DeclaredEncoding(bytes)) {
        case PlainEncoding::Utf8: text = QString::fromUtf8(bytes); return true;
        case PlainEncoding::Undeclared: text = DecodeUtf8OrCp1252(bytes); return true;
        case PlainEncoding::Cp1252: break;
        }
    }
    // A stored profile file's rules: UTF-16 with its mark or code page 1252,
    // unscrambled unless plain.
    const TextFileContent content = DecodeTextFile(bytes);
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
