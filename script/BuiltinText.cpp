// Text built-ins: StrReverse, Filter, Escape and Unescape, and the byte
// functions (LenB, MidB, ...) that see a string as its UTF-16 bytes.

#include "BuiltinSupport.h"

#include "Conversions.h"
#include "Errors.h"

#include <algorithm>

namespace kvx::vbs::builtins {

namespace {

Variant FnStrReverse(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    if (v.IsNull())
        throw ScriptError(kErrInvalidNull);
    QString s = Str(v);
    std::reverse(s.begin(), s.end());
    return Variant::String(std::move(s));
}

// Filter(strings, value[, include[, compare]]): the elements of a
// one-dimensional array that contain (or, with include False, lack) value.
Variant FnFilter(Args a, Context&)
{
    const Variant list = a[0];
    if (!list.IsArray() || list.ArrayValue()->bounds.size() != 1)
        throw ScriptError(kErrTypeMismatch);
    if (AnyNull(a.subspan(1), 1))
        throw ScriptError(kErrInvalidNull);
    const QString value = Str(a[1]);
    const bool include = a.size() < 3 || a[2].IsEmpty() || ToBool(Dereference(a[2]));
    const Qt::CaseSensitivity cs = CompareMode(a, 3);
    std::vector<Variant> kept;
    for (const Variant& item : list.ArrayValue()->items) {
        const QString text = Str(Dereference(item));
        if (text.contains(value, cs) == include)
            kept.push_back(Variant::String(text));
    }
    return Variant::Array(ArrayData::OneDimensional(std::move(kept)));
}

bool LeftAsIs(char16_t u)
{
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '@' || u == '*'
        || u == '_' || u == '+' || u == '-' || u == '.' || u == '/';
}

QString HexText(unsigned value, int width)
{
    return QString::number(value, 16).toUpper().rightJustified(width, QLatin1Char('0'));
}

// Escape: letters, digits and @*_+-./ stay; other characters up to 255
// become %XX, the rest %uXXXX.
Variant FnEscape(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    if (v.IsNull())
        return v;
    const QString s = Str(v);
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (LeftAsIs(u))
            out += c;
        else if (u < 256)
            out += QLatin1Char('%') + HexText(u, 2);
        else
            out += QLatin1String("%u") + HexText(u, 4);
    }
    return Text(std::move(out));
}

// The value of `count` hexadecimal digits at `at`, or -1.
int HexValue(QStringView s, qsizetype at, int count)
{
    if (at + count > s.size())
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t u = s[at + i].unicode();
        int d;
        if (u >= '0' && u <= '9')
            d = u - '0';
        else if (u >= 'a' && u <= 'f')
            d = u - 'a' + 10;
        else if (u >= 'A' && u <= 'F')
            d = u - 'A' + 10;
        else
            return -1;
        value = value * 16 + d;
    }
    return value;
}

// Unescape: %XX and %uXXXX become their characters; anything else, even a
// "%" without digits, stays as it is.
Variant FnUnescape(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    if (v.IsNull())
        return v;
    const QString s = Str(v);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('%')) {
            if (i + 1 < s.size() && (s[i + 1] == QLatin1Char('u') || s[i + 1] == QLatin1Char('U'))) {
                const int code = HexValue(s, i + 2, 4);
                if (code >= 0) {
                    out += QChar(static_cast<char16_t>(code));
                    i += 5;
                    continue;
                }
            }
            const int code = HexValue(s, i + 1, 2);
            if (code >= 0) {
                out += QChar(static_cast<char16_t>(code));
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return Variant::String(std::move(out));
}

// ---- Byte functions -------------------------------------------------------
// A string is seen as its UTF-16 bytes, low byte first. A string holds whole
// characters only, so a result with an odd number of bytes is completed
// with a zero byte: LenB(ChrB(65)) is 2.

QString FromBytes(const QByteArray& bytes)
{
    QString out((bytes.size() + 1) / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < out.size(); ++i) {
        const auto low = static_cast<uint8_t>(bytes[2 * i]);
        const auto high = 2 * i + 1 < bytes.size() ? static_cast<uint8_t>(bytes[2 * i + 1]) : uint8_t(0);
        out[i] = QChar(static_cast<char16_t>(low | (high << 8)));
    }
    return out;
}

// The bytes [start, start + count) of a string, clipped to its length.
QString ByteSlice(const QString& s, qsizetype start, qsizetype count)
{
    const qsizetype total = s.size() * 2;
    start = std::clamp<qsizetype>(start, 0, total);
    count = std::clamp<qsizetype>(count, 0, total - start);
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t u = s[(start + i) / 2].unicode();
        bytes[i] = static_cast<char>((start + i) % 2 ? u >> 8 : u & 0xFF);
    }
    return FromBytes(bytes);
}

Variant FnLenB(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    if (v.IsNull())
        return v;
    return Variant::Long(static_cast<int32_t>(Str(v).size() * 2));
}

Variant FnLeftB(Args a, Context&)
{
    if (AnyNull(a, 1))
        return Variant::Null();
    const int32_t n = Long(a[1]);
    if (n < 0)
        throw ScriptError(kErrInvalidCall);
    return Variant::String(ByteSlice(Str(a[0]), 0, n));
}

Variant FnRightB(Args a, Context&)
{
    if (AnyNull(a, 1))
        return Variant::Null();
    const int32_t n = Long(a[1]);
    if (n < 0)
        throw ScriptError(kErrInvalidCall);
    const QString s = Str(a[0]);
    const qsizetype total = s.size() * 2;
    return Variant::String(ByteSlice(s, total - std::min<qsizetype>(n, total), n));
}

Variant FnMidB(Args a, Context&)
{
    if (AnyNull(a, 1))
        return Variant::Null();
    const int32_t start = Long(a[1]);
    if (start < 1)
        throw ScriptError(kErrInvalidCall);
    qsizetype length = -1;
    if (a.size() > 2) {
        length = Long(a[2]);
        if (length < 0)
            throw ScriptError(kErrInvalidCall);
    }
    const QString s = Str(a[0]);
    return Variant::String(ByteSlice(s, start - 1, length < 0 ? s.size() * 2 : length));
}

Variant FnAscB(Args a, Context&)
{
    const QString s = Str(a[0]);
    if (s.isEmpty())
        throw ScriptError(kErrInvalidCall);
    return Variant::Integer(static_cast<int16_t>(s[0].unicode() & 0xFF));
}

Variant FnChrB(Args a, Context&)
{
    const int32_t code = Long(a[0]);
    if (code < 0 || code > 255)
        throw ScriptError(kErrInvalidCall);
    return Variant::String(QString(QChar(static_cast<char16_t>(code))));
}

const BuiltinInfo kText[] = {
    {"strreverse", 1, 1, FnStrReverse},
    {"filter", 2, 4, FnFilter},
    {"escape", 1, 1, FnEscape},
    {"unescape", 1, 1, FnUnescape},
    {"lenb", 1, 1, FnLenB},
    {"leftb", 2, 2, FnLeftB},
    {"rightb", 2, 2, FnRightB},
    {"midb", 2, 3, FnMidB},
    {"ascb", 1, 1, FnAscB},
    {"chrb", 1, 1, FnChrB},
};

}  // namespace

std::span<const BuiltinInfo> TextBuiltins()
{
    return kText;
}

}  // namespace kvx::vbs::builtins
