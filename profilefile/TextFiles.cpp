#include "TextFiles.h"

#include <QFile>

namespace {

// U+0080..U+009F as Windows maps the code page's upper control range.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr unsigned char kScrambleKey = 0xB3;

}  // namespace

QString DecodeCp1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray EncodeCp1252(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        char b = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            b = static_cast<char>(c);
        } else {
            for (int k = 0; k < 32; ++k) {
                if (kCp1252High[k] == c) {
                    b = static_cast<char>(0x80 + k);
                    break;
                }
            }
        }
        bytes[i] = b;
    }
    return bytes;
}

TextFileContent ReadTextFile(const QString& path)
{
    TextFileContent result;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray data = file.readAll();
    result.ok = true;
    if (data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0xFF && static_cast<unsigned char>(data[1]) == 0xFE) {
        // An odd trailing byte cannot form a character and is dropped.
        const qsizetype units = (data.size() - 2) / 2;
        result.text.resize(units);
        for (qsizetype i = 0; i < units; ++i) {
            const auto lo = static_cast<unsigned char>(data[2 + 2 * i]);
            const auto hi = static_cast<unsigned char>(data[3 + 2 * i]);
            result.text[i] = QChar(static_cast<char16_t>(lo | (hi << 8)));
        }
        result.byteForm = false;
    } else {
        result.text = DecodeCp1252(data);
        result.byteForm = true;
    }
    return result;
}

QString ScrambleText(const QString& text, bool fromFile)
{
    if (fromFile) {
        QByteArray bytes = EncodeCp1252(text);
        for (char& b : bytes)
            b = static_cast<char>(static_cast<unsigned char>(b) ^ kScrambleKey);
        return DecodeCp1252(bytes);
    }
    QString result = text;
    for (QChar& c : result) {
        if (c.unicode() != kScrambleKey)
            c = QChar(static_cast<char16_t>(c.unicode() ^ kScrambleKey));
    }
    return result;
}

QString UnscrambleScript(const QString& text, bool fromFile)
{
    if (text.left(15).compare(QStringLiteral("Option Explicit"), Qt::CaseInsensitive) == 0)
        return text;
    return ScrambleText(text, fromFile);
}

QString UnscrambleXml(const QString& text, bool fromFile)
{
    if (text.left(5).compare(QStringLiteral("<?xml"), Qt::CaseInsensitive) == 0)
        return text;
    return ScrambleText(text, fromFile);
}
