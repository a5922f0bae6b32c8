#include "TextFiles.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// The code page's byte of a character; -1 when it has none.
int Cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int k = 0; k < 32; ++k) {
        if (kCp1252High[k] == c)
            return 0x80 + k;
    }
    return -1;
}

}  // namespace

QByteArray EncodeCp1252(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = Cp1252Byte(text[i].unicode());
        bytes[i] = b < 0 ? '?' : static_cast<char>(b);
    }
    return bytes;
}

bool FitsCp1252(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return Cp1252Byte(c.unicode()) >= 0; });
}

FileBytes ReadRegularFile(const QString& path, qint64 maxBytes)
{
    FileBytes result;
    if (path.isEmpty()) {
        result.error = QStringLiteral("No file name was given.");
        return result;
    }
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error = qt_error_string(errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = S_ISDIR(info.st_mode) ? QStringLiteral("It is a folder, not a file.")
                                             : QStringLiteral("It is not a regular file.");
        ::close(fd);
        return result;
    }
    // The reported size only sizes the buffer; reading stops at the limit.
    const qint64 ceiling = maxBytes < 0 ? std::numeric_limits<qint64>::max() : maxBytes + 1;
    QByteArray data;
    data.reserve(static_cast<qsizetype>(std::min<qint64>(std::max<qint64>(info.st_size, 0), ceiling)));
    char buffer[65536];
    while (data.size() < ceiling) {
        const qint64 want = std::min<qint64>(sizeof buffer, ceiling - data.size());
        const ssize_t got = ::read(fd, buffer, static_cast<size_t>(want));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.error = qt_error_string(errno);
            ::close(fd);
            return result;
        }
        if (got == 0)
            break;
        data.append(buffer, got);
    }
    ::close(fd);
    if (maxBytes >= 0 && data.size() > maxBytes) {
        result.tooLarge = true;
        result.error = QStringLiteral("The file is larger than %1 bytes.").arg(maxBytes);
        return result;
    }
    result.ok = true;
    result.data = std::move(data);
    return result;
}

QString DecodeUtf8OrCp1252(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? DecodeCp1252(bytes) : text;
}

TextFileContent DecodeTextFile(const QByteArray& data)
{
    TextFileContent result;
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

TextFileContent ReadTextFile(const QString& path, qint64 maxBytes)
{
    const FileBytes file = ReadRegularFile(path, maxBytes);
    if (file.ok)
        return DecodeTextFile(file.data);
    TextFileContent result;
    result.tooLarge = file.tooLarge;
    result.error = file.error;
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
