#include "Builtins.h"

#include "BuiltinSupport.h"

#include "Conversions.h"
#include "Errors.h"
#include "HostObject.h"

#include <QHash>
#include <cmath>

namespace kvx::vbs {

namespace builtins {

bool AnyNull(Args args, size_t count)
{
    for (size_t i = 0; i < count && i < args.size(); ++i)
        if (Dereference(args[i]).IsNull())
            return true;
    return false;
}

QString Str(const Variant& v)
{
    return ToString(v);
}

int32_t Long(const Variant& v)
{
    return ToLong(v);
}

Qt::CaseSensitivity CompareMode(Args args, size_t index)
{
    if (index >= args.size() || args[index].IsEmpty())
        return Qt::CaseSensitive;
    const int32_t mode = Long(args[index]);
    if (mode == 0)
        return Qt::CaseSensitive;
    if (mode == 1)
        return Qt::CaseInsensitive;
    throw ScriptError(kErrInvalidCall);
}

Variant Text(QString s)
{
    if (s.size() > kMaxStringLength)
        throw ScriptError(kErrOutOfStringSpace);
    return Variant::String(std::move(s));
}

}  // namespace builtins

namespace {

using namespace builtins;

// The code page 1252 characters of the bytes 0x80 to 0x9F (0 = unassigned).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QChar CharFromAnsi(int code)
{
    if (code >= 0x80 && code < 0xA0 && kCp1252High[code - 0x80])
        return QChar(kCp1252High[code - 0x80]);
    return QChar(static_cast<char16_t>(code));
}

int AnsiFromChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == u)
            return 0x80 + i;
    return '?';
}

// ---- Strings --------------------------------------------------------------

Variant FnLen(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    if (v.IsNull())
        return v;
    return Variant::Long(static_cast<int32_t>(Str(v).size()));
}

Variant FnMid(Args a, Context&)
{
    if (AnyNull(a, 1))
        return Variant::Null();
    const QString s = Str(a[0]);
    const int32_t start = Long(a[1]);
    if (start < 1)
        throw ScriptError(kErrInvalidCall);
    int32_t length = -1;
    if (a.size() > 2) {
        length = Long(a[2]);
        if (length < 0)
            throw ScriptError(kErrInvalidCall);
    }
    if (start > s.size())
        return Variant::String(QString());
    return Variant::String(s.mid(start - 1, length));
}

Variant FnLeft(Args a, Context&)
{
    if (AnyNull(a, 1))
        return Variant::Null();
    const int32_t n = Long(a[1]);
    if (n < 0)
        throw ScriptError(kErrInvalidCall);
    return Variant::String(Str(a[0]).left(n));
}

Variant FnRight(Args a, Context&)
{
    if (AnyNull(a, 1))
        return Variant::Null();
    const int32_t n = Long(a[1]);
    if (n < 0)
        throw ScriptError(kErrInvalidCall);
    return Variant::String(Str(a[0]).right(n));
}

// InStr([start,] string1, string2[, compare])
Variant FnInStr(Args a, Context&)
{
    int32_t start = 1;
    size_t first = 0;
    if (a.size() >= 3) {
        if (Dereference(a[0]).IsNull())
            throw ScriptError(kErrInvalidNull);
        start = Long(a[0]);
        if (start < 1)
            throw ScriptError(kErrInvalidCall);
        first = 1;
    }
    const Qt::CaseSensitivity cs = CompareMode(a, first + 2);
    if (AnyNull(a.subspan(first), 2))
        return Variant::Null();
    const QString s1 = Str(a[first]);
    const QString s2 = Str(a[first + 1]);
    if (s1.isEmpty())
        return Variant::Long(0);
    if (s2.isEmpty())
        return Variant::Long(start <= s1.size() ? start : 0);
    if (start > s1.size())
        return Variant::Long(0);
    return Variant::Long(static_cast<int32_t>(s1.indexOf(s2, start - 1, cs) + 1));
}

// InStrRev(string1, string2[, start[, compare]])
Variant FnInStrRev(Args a, Context&)
{
    if (AnyNull(a, 2))
        return Variant::Null();
    const QString s1 = Str(a[0]);
    const QString s2 = Str(a[1]);
    int32_t start = a.size() > 2 ? Long(a[2]) : -1;
    if (start == 0 || start < -1)
        throw ScriptError(kErrInvalidCall);
    const Qt::CaseSensitivity cs = CompareMode(a, 3);
    if (start == -1)
        start = static_cast<int32_t>(s1.size());
    if (start > s1.size())
        return Variant::Long(0);
    if (s2.isEmpty())
        return Variant::Long(start);
    const qsizetype from = start - s2.size();
    if (from < 0)
        return Variant::Long(0);
    return Variant::Long(static_cast<int32_t>(s1.lastIndexOf(s2, from, cs) + 1));
}

// Character by character, so that the length never changes: the sharp s
// has no single upper-case letter and stays as it is.
QString ChangeCase(const QString& s, bool upper)
{
    QString out = s;
    QChar* data = out.data();
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (data[i].isHighSurrogate() && i + 1 < out.size() && data[i + 1].isLowSurrogate()) {
            const char32_t c = QChar::surrogateToUcs4(data[i], data[i + 1]);
            const char32_t mapped = upper ? QChar::toUpper(c) : QChar::toLower(c);
            if (QChar::requiresSurrogates(mapped)) {
                data[i] = QChar(QChar::highSurrogate(mapped));
                data[i + 1] = QChar(QChar::lowSurrogate(mapped));
            }
            ++i;
            continue;
        }
        const char32_t mapped = upper ? QChar::toUpper(char32_t(data[i].unicode())) : QChar::toLower(char32_t(data[i].unicode()));
        if (!QChar::requiresSurrogates(mapped))
            data[i] = QChar(static_cast<char16_t>(mapped));
    }
    return out;
}

Variant FnLCase(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    return v.IsNull() ? v : Variant::String(ChangeCase(Str(v), false));
}

Variant FnUCase(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    return v.IsNull() ? v : Variant::String(ChangeCase(Str(v), true));
}

QString TrimSpaces(const QString& s, bool left, bool right)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    if (left)
        while (begin < end && s[begin] == QLatin1Char(' '))
            ++begin;
    if (right)
        while (end > begin && s[end - 1] == QLatin1Char(' '))
            --end;
    return s.mid(begin, end - begin);
}

Variant FnTrim(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    return v.IsNull() ? v : Variant::String(TrimSpaces(Str(v), true, true));
}

Variant FnLTrim(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    return v.IsNull() ? v : Variant::String(TrimSpaces(Str(v), true, false));
}

Variant FnRTrim(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    return v.IsNull() ? v : Variant::String(TrimSpaces(Str(v), false, true));
}

// Replace(expression, find, replacement[, start[, count[, compare]]]): the
// result begins at `start`.
Variant FnReplace(Args a, Context&)
{
    if (AnyNull(a, 3))
        return Variant::Null();
    const QString s = Str(a[0]);
    const QString find = Str(a[1]);
    const QString with = Str(a[2]);
    const int32_t start = a.size() > 3 && !a[3].IsEmpty() ? Long(a[3]) : 1;
    const int32_t count = a.size() > 4 && !a[4].IsEmpty() ? Long(a[4]) : -1;
    const Qt::CaseSensitivity cs = CompareMode(a, 5);
    if (start < 1 || count < -1)
        throw ScriptError(kErrInvalidCall);
    const QString tail = start > s.size() ? QString() : s.mid(start - 1);
    if (find.isEmpty() || count == 0)
        return Variant::String(tail);
    QString out;
    qsizetype pos = 0;
    int32_t done = 0;
    while (count < 0 || done < count) {
        const qsizetype hit = tail.indexOf(find, pos, cs);
        if (hit < 0)
            break;
        out += QStringView(tail).mid(pos, hit - pos);
        out += with;
        if (out.size() > kMaxStringLength)
            throw ScriptError(kErrOutOfStringSpace);
        pos = hit + find.size();
        ++done;
    }
    out += QStringView(tail).mid(pos);
    return Text(std::move(out));
}

// Split(expression[, delimiter[, count[, compare]]])
Variant FnSplit(Args a, Context&)
{
    if (AnyNull(a, 1))
        return Variant::Null();
    const QString s = Str(a[0]);
    const QString delimiter = a.size() > 1 && !a[1].IsEmpty() ? Str(a[1]) : QStringLiteral(" ");
    const int32_t count = a.size() > 2 && !a[2].IsEmpty() ? Long(a[2]) : -1;
    const Qt::CaseSensitivity cs = CompareMode(a, 3);
    if (count < -1)
        throw ScriptError(kErrInvalidCall);
    std::vector<Variant> parts;
    if (s.isEmpty() || count == 0)
        return Variant::Array(ArrayData::OneDimensional(std::move(parts)));
    if (delimiter.isEmpty()) {
        parts.push_back(Variant::String(s));
        return Variant::Array(ArrayData::OneDimensional(std::move(parts)));
    }
    qsizetype pos = 0;
    while (count < 0 || static_cast<int32_t>(parts.size()) < count - 1) {
        const qsizetype hit = s.indexOf(delimiter, pos, cs);
        if (hit < 0)
            break;
        parts.push_back(Variant::String(s.mid(pos, hit - pos)));
        pos = hit + delimiter.size();
        if (static_cast<qsizetype>(parts.size()) >= kMaxArrayElements)
            throw ScriptError(kErrOutOfMemory);
    }
    parts.push_back(Variant::String(s.mid(pos)));
    return Variant::Array(ArrayData::OneDimensional(std::move(parts)));
}

Variant FnJoin(Args a, Context&)
{
    if (!a[0].IsArray() || a[0].ArrayValue()->bounds.size() > 1)
        throw ScriptError(kErrTypeMismatch);
    const QString delimiter = a.size() > 1 ? Str(a[1]) : QStringLiteral(" ");
    QString out;
    bool first = true;
    for (const Variant& item : a[0].ArrayValue()->items) {
        if (!first)
            out += delimiter;
        first = false;
        const Variant v = Dereference(item);
        if (!v.IsNull())
            out += Str(v);
        if (out.size() > kMaxStringLength)
            throw ScriptError(kErrOutOfStringSpace);
    }
    return Variant::String(out);
}

Variant FnAsc(Args a, Context&)
{
    const QString s = Str(a[0]);
    if (s.isEmpty())
        throw ScriptError(kErrInvalidCall);
    return Variant::Integer(static_cast<int16_t>(AnsiFromChar(s[0])));
}

Variant FnAscW(Args a, Context&)
{
    const QString s = Str(a[0]);
    if (s.isEmpty())
        throw ScriptError(kErrInvalidCall);
    return Variant::Integer(static_cast<int16_t>(s[0].unicode()));
}

Variant FnChr(Args a, Context&)
{
    const int32_t code = Long(a[0]);
    if (code < 0 || code > 255)
        throw ScriptError(kErrInvalidCall);
    return Variant::String(QString(CharFromAnsi(code)));
}

Variant FnChrW(Args a, Context&)
{
    const int32_t code = Long(a[0]);
    if (code < -32768 || code > 65535)
        throw ScriptError(kErrInvalidCall);
    return Variant::String(QString(QChar(static_cast<char16_t>(code & 0xFFFF))));
}

Variant FnStrComp(Args a, Context&)
{
    if (AnyNull(a, 2))
        return Variant::Null();
    const int c = QString::compare(Str(a[0]), Str(a[1]), CompareMode(a, 2));
    return Variant::Integer(static_cast<int16_t>(c < 0 ? -1 : c > 0 ? 1 : 0));
}

Variant FnSpace(Args a, Context&)
{
    const int32_t n = Long(a[0]);
    if (n < 0)
        throw ScriptError(kErrInvalidCall);
    if (n > kMaxStringLength)
        throw ScriptError(kErrOutOfStringSpace);
    return Variant::String(QString(n, QLatin1Char(' ')));
}

Variant FnString(Args a, Context&)
{
    if (AnyNull(a, 2))
        return Variant::Null();
    const int32_t n = Long(a[0]);
    if (n < 0)
        throw ScriptError(kErrInvalidCall);
    if (n > kMaxStringLength)
        throw ScriptError(kErrOutOfStringSpace);
    const Variant c = Dereference(a[1]);
    QChar ch;
    if (c.IsString()) {
        if (c.StringValue().isEmpty())
            throw ScriptError(kErrInvalidCall);
        ch = c.StringValue()[0];
    } else {
        ch = CharFromAnsi(Long(c) & 0xFF);
    }
    return Variant::String(QString(n, ch));
}

// ---- Conversions ----------------------------------------------------------

Variant FnCInt(Args a, Context&) { return Variant::Integer(ToInteger(a[0])); }
Variant FnCLng(Args a, Context&) { return Variant::Long(ToLong(a[0])); }
Variant FnCByte(Args a, Context&) { return Variant::Byte(ToByte(a[0])); }
Variant FnCBool(Args a, Context&) { return Variant::Boolean(ToBool(a[0])); }
Variant FnCStr(Args a, Context&) { return Variant::String(ToString(a[0])); }

Variant FnCDbl(Args a, Context&)
{
    return Variant::Double(ToDouble(a[0]));
}

// Int rounds down, Fix toward zero; integer subtypes are kept.
Variant Truncate(const Variant& v0, bool floor)
{
    const Variant v = Dereference(v0);
    switch (v.Type()) {
    case VarType::Null: return v;
    case VarType::Empty: return Variant::Integer(0);
    case VarType::Boolean: return Variant::Integer(static_cast<int16_t>(v.IntegralValue()));
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long: return v;
    case VarType::Single: {
        const float f = v.SingleValue();
        return Variant::Single(floor ? std::floor(f) : std::trunc(f));
    }
    default: {
        const double d = ToDouble(v);
        return Variant::Double(floor ? std::floor(d) : std::trunc(d));
    }
    }
}

Variant FnInt(Args a, Context&) { return Truncate(a[0], true); }
Variant FnFix(Args a, Context&) { return Truncate(a[0], false); }

Variant FnAbs(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    switch (v.Type()) {
    case VarType::Null: return v;
    case VarType::Empty: return Variant::Integer(0);
    case VarType::Byte: return v;
    case VarType::Boolean:
    case VarType::Integer: return MakeNumber(std::llabs(v.IntegralValue()), VarType::Integer);
    case VarType::Long: return MakeNumber(std::llabs(v.IntegralValue()), VarType::Long);
    case VarType::Single: return Variant::Single(std::fabs(v.SingleValue()));
    default: return Variant::Double(std::fabs(ToDouble(v)));
    }
}

Variant FnSgn(Args a, Context&)
{
    const double d = ToDouble(a[0]);
    return Variant::Integer(static_cast<int16_t>(d < 0 ? -1 : d > 0 ? 1 : 0));
}

Variant FnRound(Args a, Context&)
{
    const Variant v = Dereference(a[0]);
    if (v.IsNull())
        return v;
    const int32_t places = a.size() > 1 ? Long(a[1]) : 0;
    if (places < 0)
        throw ScriptError(kErrInvalidCall);
    if (v.IsIntegral())
        return v.Type() == VarType::Boolean ? Variant::Integer(static_cast<int16_t>(v.IntegralValue())) : v;
    const double scale = std::pow(10.0, std::min(places, 22));
    const double scaled = ToDouble(v) * scale;
    if (!std::isfinite(scaled))
        return v.Type() == VarType::Single ? v : Variant::Double(ToDouble(v));   // too many places to matter
    const double rounded = RoundHalfEven(scaled) / scale;
    if (v.Type() == VarType::Single)
        return Variant::Single(static_cast<float>(rounded));
    return Variant::Double(rounded);
}

// Hex and Oct show the two's complement of the value's own width.
QString Radix(const Variant& v0, int base)
{
    const Variant v = Dereference(v0);
    uint64_t bits;
    switch (v.Type()) {
    case VarType::Empty: bits = 0; break;
    case VarType::Byte: bits = v.ByteValue(); break;
    case VarType::Boolean:
    case VarType::Integer: bits = static_cast<uint16_t>(v.IntegralValue()); break;
    default: {
        const int32_t l = ToLong(v);
        bits = static_cast<uint32_t>(l);
        break;
    }
    }
    return QString::number(bits, base).toUpper();
}

Variant FnHex(Args a, Context&)
{
    if (Dereference(a[0]).IsNull())
        return Variant::Null();
    return Variant::String(Radix(a[0], 16));
}

Variant FnOct(Args a, Context&)
{
    if (Dereference(a[0]).IsNull())
        return Variant::Null();
    return Variant::String(Radix(a[0], 8));
}

// ---- Inspection -----------------------------------------------------------

Variant FnIsNumeric(Args a, Context&)
{
    Variant v;
    try {
        v = Dereference(a[0]);
    } catch (const ScriptError&) {
        return Variant::Boolean(false);
    }
    if (v.IsNumber() || v.IsEmpty())
        return Variant::Boolean(true);
    double d;
    return Variant::Boolean(v.IsString() && ParseNumber(v.StringValue(), &d));
}

Variant FnIsEmpty(Args a, Context&) { return Variant::Boolean(a[0].IsEmpty()); }
Variant FnIsNull(Args a, Context&) { return Variant::Boolean(a[0].IsNull()); }
Variant FnIsObject(Args a, Context&) { return Variant::Boolean(a[0].IsObject()); }
Variant FnIsArray(Args a, Context&) { return Variant::Boolean(a[0].IsArray()); }
Variant FnTypeName(Args a, Context&) { return Variant::String(TypeName(a[0])); }
Variant FnVarType(Args a, Context&) { return Variant::Integer(static_cast<int16_t>(VarTypeNumber(a[0]))); }

const ArrayBound& Dimension(Args a)
{
    if (!a[0].IsArray())
        throw ScriptError(kErrTypeMismatch);
    const ArrayData& array = *a[0].ArrayValue();
    const int32_t dim = a.size() > 1 ? Long(a[1]) : 1;
    if (dim < 1 || dim > static_cast<int32_t>(array.bounds.size()))
        throw ScriptError(kErrSubscript);
    return array.bounds[static_cast<size_t>(dim - 1)];
}

Variant FnUBound(Args a, Context&)
{
    const ArrayBound& b = Dimension(a);
    return Variant::Long(b.lower + b.count - 1);
}

Variant FnLBound(Args a, Context&)
{
    return Variant::Long(Dimension(a).lower);
}

Variant FnArray(Args a, Context&)
{
    return Variant::Array(ArrayData::OneDimensional(std::vector<Variant>(a.begin(), a.end())));
}

// No objects can be created by class name.
Variant FnCreateObject(Args a, Context&)
{
    throw ScriptError::WithName(kErrCannotCreateObject, a.empty() ? QString() : Str(a[0]));
}

// GetRef("name"): a reference that calls the script's procedure.
Variant FnGetRef(Args a, Context& context)
{
    ObjectRef ref = context.ProcedureReference(Str(a[0]).toLower());
    if (!ref)
        throw ScriptError(kErrInvalidCall);
    return Variant::Object(std::move(ref));
}

// The language level this engine implements.
Variant FnScriptEngine(Args, Context&) { return Variant::String(QStringLiteral("VBScript")); }
Variant FnScriptEngineMajorVersion(Args, Context&) { return Variant::Long(5); }
Variant FnScriptEngineMinorVersion(Args, Context&) { return Variant::Long(8); }
Variant FnScriptEngineBuildVersion(Args, Context&) { return Variant::Long(1); }

constexpr int kMany = 1 << 20;

const BuiltinInfo kBuiltins[] = {
    {"len", 1, 1, FnLen},
    {"mid", 2, 3, FnMid},
    {"left", 2, 2, FnLeft},
    {"right", 2, 2, FnRight},
    {"instr", 2, 4, FnInStr},
    {"instrrev", 2, 4, FnInStrRev},
    {"lcase", 1, 1, FnLCase},
    {"ucase", 1, 1, FnUCase},
    {"trim", 1, 1, FnTrim},
    {"ltrim", 1, 1, FnLTrim},
    {"rtrim", 1, 1, FnRTrim},
    {"replace", 3, 6, FnReplace},
    {"split", 1, 4, FnSplit},
    {"join", 1, 2, FnJoin},
    {"asc", 1, 1, FnAsc},
    {"ascw", 1, 1, FnAscW},
    {"chr", 1, 1, FnChr},
    {"chrw", 1, 1, FnChrW},
    {"strcomp", 2, 3, FnStrComp},
    {"space", 1, 1, FnSpace},
    {"string", 2, 2, FnString},
    {"cint", 1, 1, FnCInt},
    {"clng", 1, 1, FnCLng},
    {"cbool", 1, 1, FnCBool},
    {"cstr", 1, 1, FnCStr},
    {"cdbl", 1, 1, FnCDbl},
    {"cbyte", 1, 1, FnCByte},
    {"int", 1, 1, FnInt},
    {"fix", 1, 1, FnFix},
    {"abs", 1, 1, FnAbs},
    {"sgn", 1, 1, FnSgn},
    {"round", 1, 2, FnRound},
    {"isnumeric", 1, 1, FnIsNumeric},
    {"isempty", 1, 1, FnIsEmpty},
    {"isnull", 1, 1, FnIsNull},
    {"isobject", 1, 1, FnIsObject},
    {"isarray", 1, 1, FnIsArray},
    {"typename", 1, 1, FnTypeName},
    {"vartype", 1, 1, FnVarType},
    {"ubound", 1, 2, FnUBound},
    {"lbound", 1, 2, FnLBound},
    {"array", 0, kMany, FnArray},
    {"hex", 1, 1, FnHex},
    {"oct", 1, 1, FnOct},
    {"createobject", 1, 2, FnCreateObject},
    {"getobject", 0, 2, FnCreateObject},
    {"getref", 1, 1, FnGetRef},
    {"scriptengine", 0, 0, FnScriptEngine},
    {"scriptenginemajorversion", 0, 0, FnScriptEngineMajorVersion},
    {"scriptengineminorversion", 0, 0, FnScriptEngineMinorVersion},
    {"scriptenginebuildversion", 0, 0, FnScriptEngineBuildVersion},
};

}  // namespace

namespace {

const std::vector<BuiltinInfo>& AllBuiltins()
{
    static const std::vector<BuiltinInfo> all = [] {
        std::vector<BuiltinInfo> v(std::begin(kBuiltins), std::end(kBuiltins));
        for (std::span<const BuiltinInfo> more : {builtins::MathBuiltins(), builtins::TextBuiltins(), builtins::FormatBuiltins()})
            v.insert(v.end(), more.begin(), more.end());
        return v;
    }();
    return all;
}

}  // namespace

int FindBuiltin(const QString& lower)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const auto& all = AllBuiltins();
        for (int i = 0; i < static_cast<int>(all.size()); ++i)
            h.insert(QString::fromLatin1(all[i].name), i);
        return h;
    }();
    return index.value(lower, -1);
}

const BuiltinInfo& Builtin(int id)
{
    return AllBuiltins()[static_cast<size_t>(id)];
}

const Variant* FindBuiltinConstant(const QString& lower)
{
    static const QHash<QString, Variant> constants = [] {
        QHash<QString, Variant> c;
        auto integer = [&](const char* name, int16_t v) { c.insert(QString::fromLatin1(name), Variant::Integer(v)); };
        auto text = [&](const char* name, QString v) { c.insert(QString::fromLatin1(name), Variant::String(std::move(v))); };
        text("vbcrlf", QStringLiteral("\r\n"));
        text("vbnewline", QStringLiteral("\r\n"));
        text("vbcr", QStringLiteral("\r"));
        text("vblf", QStringLiteral("\n"));
        text("vbtab", QStringLiteral("\t"));
        text("vbnullchar", QString(QChar(0)));
        text("vbnullstring", QString());
        integer("vbbinarycompare", 0);
        integer("vbtextcompare", 1);
        // Message box styles and answers: scripts return them to the host.
        integer("vbokonly", 0);
        integer("vbokcancel", 1);
        integer("vbabortretryignore", 2);
        integer("vbyesnocancel", 3);
        integer("vbyesno", 4);
        integer("vbretrycancel", 5);
        integer("vbcritical", 16);
        integer("vbquestion", 32);
        integer("vbexclamation", 48);
        integer("vbinformation", 64);
        integer("vbdefaultbutton1", 0);
        integer("vbdefaultbutton2", 256);
        integer("vbdefaultbutton3", 512);
        integer("vbok", 1);
        integer("vbcancel", 2);
        integer("vbabort", 3);
        integer("vbretry", 4);
        integer("vbignore", 5);
        integer("vbyes", 6);
        integer("vbno", 7);
        // VarType results.
        integer("vbempty", 0);
        integer("vbnull", 1);
        integer("vbinteger", 2);
        integer("vblong", 3);
        integer("vbsingle", 4);
        integer("vbdouble", 5);
        integer("vbstring", 8);
        integer("vbobject", 9);
        integer("vbboolean", 11);
        integer("vbvariant", 12);
        integer("vbbyte", 17);
        integer("vbarray", 8192);
        c.insert(QStringLiteral("vbobjecterror"), Variant::Long(static_cast<int32_t>(0x80040000)));
        integer("vbusedefault", -2);
        integer("vbtrue", -1);
        integer("vbfalse", 0);
        return c;
    }();
    auto it = constants.find(lower);
    return it != constants.end() ? &it.value() : nullptr;
}

}  // namespace kvx::vbs
