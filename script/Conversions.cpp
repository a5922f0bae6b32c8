#include "Conversions.h"

#include "Errors.h"
#include "HostObject.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kvx::vbs {

Variant Dereference(const Variant& value)
{
    if (!value.IsObject())
        return value;
    const ObjectRef& object = value.ObjectValue();
    if (!object)
        throw ScriptError(kErrObjectNotSet);
    Variant result = object->Invoke(HostObject::kDefaultMember, InvokeKind::Get, {});
    if (result.IsObject())
        throw ScriptError(kErrTypeMismatch);
    return result;
}

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool ParseRadix(QStringView digits, int radix, double* out)
{
    if (digits.isEmpty() || digits.size() > (radix == 16 ? 8 : 11))
        return false;
    uint64_t value = 0;
    for (QChar c : digits) {
        int d;
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9')
            d = u - '0';
        else if (radix == 16 && u >= 'a' && u <= 'f')
            d = u - 'a' + 10;
        else if (radix == 16 && u >= 'A' && u <= 'F')
            d = u - 'A' + 10;
        else
            return false;
        if (d >= radix)
            return false;
        value = value * radix + d;
    }
    if (value > 0xFFFFFFFFull)
        return false;
    // Like hexadecimal literals: up to four digits are a 16-bit pattern,
    // more are a 32-bit pattern.
    const bool shortForm = radix == 16 ? digits.size() <= 4 : value <= 0xFFFF;
    if (shortForm)
        *out = static_cast<int16_t>(static_cast<uint16_t>(value));
    else
        *out = static_cast<int32_t>(static_cast<uint32_t>(value));
    return true;
}

}  // namespace

bool ParseNumber(QStringView text, double* out)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    QStringView s = text.mid(begin, end - begin);
    if (s.isEmpty())
        return false;
    if (s.size() >= 2 && s[0] == QLatin1Char('&')) {
        const QChar kind = s[1].toLower();
        if (kind == QLatin1Char('h'))
            return ParseRadix(s.mid(2), 16, out);
        if (kind == QLatin1Char('o'))
            return ParseRadix(s.mid(2), 8, out);
        return ParseRadix(s.mid(1), 8, out);
    }
    // Validate the decimal form strictly, then let strtod convert it.
    std::string ascii;
    ascii.reserve(static_cast<size_t>(s.size()));
    qsizetype i = 0;
    if (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))
        ascii.push_back(static_cast<char>(s[i++].unicode()));
    // The integer part may group its digits with the English thousands
    // separator: "1,234.5".
    int digits = 0;
    while (i < s.size()) {
        const char16_t u = s[i].unicode();
        if (u >= '0' && u <= '9') {
            ascii.push_back(static_cast<char>(u));
            ++digits;
            ++i;
        } else if (u == ',' && digits > 0 && i + 1 < s.size() && s[i + 1].unicode() >= '0' && s[i + 1].unicode() <= '9') {
            ++i;
        } else {
            break;
        }
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ascii.push_back(s[i++].toLatin1());
        while (i < s.size() && s[i].unicode() >= '0' && s[i].unicode() <= '9') {
            ascii.push_back(static_cast<char>(s[i++].unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E') || s[i] == QLatin1Char('d')
                         || s[i] == QLatin1Char('D'))) {
        ascii.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
            ascii.push_back(static_cast<char>(s[i++].unicode()));
        int expDigits = 0;
        while (i < s.size() && s[i].unicode() >= '0' && s[i].unicode() <= '9') {
            ascii.push_back(static_cast<char>(s[i++].unicode()));
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    const double value = std::strtod(ascii.c_str(), nullptr);
    if (!std::isfinite(value))
        return false;
    *out = value;
    return true;
}

namespace {

QString FormatWithDigits(double value, int digits)
{
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    if (std::fabs(value) < std::pow(10.0, digits) && value == std::trunc(value)) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return QString::fromLatin1(buffer);
    }
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    return QString::fromLatin1(buffer);
}

}  // namespace

QString FormatDouble(double value)
{
    return FormatWithDigits(value, 15);
}

QString FormatSingle(float value)
{
    return FormatWithDigits(value, 7);
}

double RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

double ToDouble(const Variant& value)
{
    switch (value.Type()) {
    case VarType::Empty: return 0;
    case VarType::Null: throw ScriptError(kErrInvalidNull);
    case VarType::Double: return value.DoubleValue();
    case VarType::Single: return value.SingleValue();
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long: return static_cast<double>(value.IntegralValue());
    case VarType::String: {
        double d;
        if (!ParseNumber(value.StringValue(), &d))
            throw ScriptError(kErrTypeMismatch);
        return d;
    }
    case VarType::Object: return ToDouble(Dereference(value));
    case VarType::Array: break;
    }
    throw ScriptError(kErrTypeMismatch);
}

float ToSingle(const Variant& value)
{
    if (value.Type() == VarType::Single)
        return value.SingleValue();
    const double d = ToDouble(value);
    if (std::fabs(d) > std::numeric_limits<float>::max())
        throw ScriptError(kErrOverflow);
    return static_cast<float>(d);
}

namespace {

int64_t ToRoundedInteger(const Variant& value, int64_t low, int64_t high)
{
    if (value.IsIntegral()) {
        const int64_t v = value.IntegralValue();
        if (v < low || v > high)
            throw ScriptError(kErrOverflow);
        return v;
    }
    if (value.IsEmpty())
        return 0;
    const double d = RoundHalfEven(ToDouble(value));
    if (!(d >= static_cast<double>(low) && d <= static_cast<double>(high)))
        throw ScriptError(kErrOverflow);
    return static_cast<int64_t>(d);
}

}  // namespace

int32_t ToLong(const Variant& value)
{
    if (value.Type() == VarType::Long)
        return value.LongValue();
    return static_cast<int32_t>(ToRoundedInteger(value, INT32_MIN, INT32_MAX));
}

int16_t ToInteger(const Variant& value)
{
    return static_cast<int16_t>(ToRoundedInteger(value, INT16_MIN, INT16_MAX));
}

uint8_t ToByte(const Variant& value)
{
    return static_cast<uint8_t>(ToRoundedInteger(value, 0, 255));
}

bool ToBool(const Variant& value)
{
    switch (value.Type()) {
    case VarType::Boolean: return value.BoolValue();
    case VarType::Empty: return false;
    case VarType::Null: throw ScriptError(kErrInvalidNull);
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long: return value.IntegralValue() != 0;
    case VarType::Double: return value.DoubleValue() != 0;
    case VarType::Single: return value.SingleValue() != 0;
    case VarType::String: {
        const QString& s = value.StringValue();
        // The boolean texts, also in the "#TRUE#" form that Write# produces.
        const QString trimmed = s.trimmed();
        for (const char* text : {"true", "#true#"})
            if (trimmed.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
                return true;
        for (const char* text : {"false", "#false#"})
            if (trimmed.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
                return false;
        double d;
        if (ParseNumber(s, &d))
            return d != 0;
        throw ScriptError(kErrTypeMismatch);
    }
    case VarType::Object: return ToBool(Dereference(value));
    case VarType::Array: break;
    }
    throw ScriptError(kErrTypeMismatch);
}

QString ToString(const Variant& value)
{
    switch (value.Type()) {
    case VarType::String: return value.StringValue();
    case VarType::Empty: return QString();
    case VarType::Null: throw ScriptError(kErrInvalidNull);
    case VarType::Boolean: return value.BoolValue() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long: return QString::number(value.IntegralValue());
    case VarType::Double: return FormatDouble(value.DoubleValue());
    case VarType::Single: return FormatSingle(value.SingleValue());
    case VarType::Object: return ToString(Dereference(value));
    case VarType::Array: break;
    }
    throw ScriptError(kErrTypeMismatch);
}

Variant MakeNumber(int64_t value, VarType type)
{
    switch (type) {
    case VarType::Byte:
        if (value >= 0 && value <= 255)
            return Variant::Byte(static_cast<uint8_t>(value));
        [[fallthrough]];
    case VarType::Boolean:
    case VarType::Empty:
    case VarType::Integer:
        if (value >= INT16_MIN && value <= INT16_MAX)
            return Variant::Integer(static_cast<int16_t>(value));
        [[fallthrough]];
    case VarType::Long:
        if (value >= INT32_MIN && value <= INT32_MAX)
            return Variant::Long(static_cast<int32_t>(value));
        [[fallthrough]];
    default: return Variant::Double(static_cast<double>(value));
    }
}

bool IsTrue(const Variant& value)
{
    if (value.Type() == VarType::Boolean)
        return value.BoolValue();
    if (value.IsNull())
        return false;
    return ToBool(value);
}

QString TypeName(const Variant& value)
{
    switch (value.Type()) {
    case VarType::Empty: return QStringLiteral("Empty");
    case VarType::Null: return QStringLiteral("Null");
    case VarType::Boolean: return QStringLiteral("Boolean");
    case VarType::Byte: return QStringLiteral("Byte");
    case VarType::Integer: return QStringLiteral("Integer");
    case VarType::Long: return QStringLiteral("Long");
    case VarType::Single: return QStringLiteral("Single");
    case VarType::Double: return QStringLiteral("Double");
    case VarType::String: return QStringLiteral("String");
    case VarType::Array: return QStringLiteral("Variant()");
    case VarType::Object:
        return value.ObjectValue() ? value.ObjectValue()->TypeName() : QStringLiteral("Nothing");
    }
    return QString();
}

int VarTypeNumber(const Variant& value)
{
    return static_cast<int>(value.Type());
}

}  // namespace kvx::vbs
