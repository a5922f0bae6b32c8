// FormatNumber and FormatPercent with the English number format: two
// decimals, a leading zero, "-" for negatives, digits grouped by ",".

#include "BuiltinSupport.h"

#include "Conversions.h"
#include "Errors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kvx::vbs::builtins {

namespace {

constexpr int kDefaultDecimals = 2;
constexpr int kMaxDecimals = 99;
constexpr int kUseDefault = -2;

// The digits of a non-negative value rounded half away from zero to
// `decimals` places, as integer and fraction digits. The value is first
// taken to 15 significant digits, so 2.345 rounds to 2.35 as written.
void RoundedDigits(double value, int decimals, QString* integer, QString* fraction)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    // "d.dddddddddddddde+XX"
    QString digits = QString::fromLatin1(buffer, 1) + QString::fromLatin1(buffer + 2, 14);
    int exponent = std::atoi(buffer + 17);
    if (value == 0)
        exponent = 0;
    // Digits before the point: exponent + 1.
    const int keep = exponent + 1 + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < digits.size()) {
        const bool up = digits[keep] >= QLatin1Char('5');
        digits.truncate(keep);
        if (up) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (digits[i] == QLatin1Char('9')) {
                    digits[i] = QLatin1Char('0');
                } else {
                    digits[i] = QChar(digits[i].unicode() + 1);
                    break;
                }
            }
            if (i < 0) {
                digits.prepend(QLatin1Char('1'));
                ++exponent;
            }
        }
    }
    // Place the digits around the point.
    const int integerCount = exponent + 1;
    QString all = digits;
    if (integerCount <= 0)
        all.prepend(QString(-integerCount, QLatin1Char('0')));
    const int intDigits = std::max(integerCount, 0);
    all = all.leftJustified(intDigits + decimals, QLatin1Char('0'), true);
    *integer = all.left(intDigits);
    *fraction = all.mid(intDigits, decimals);
}

int Tristate(Args a, size_t index, bool fallback)
{
    if (index >= a.size() || a[index].IsEmpty())
        return fallback;
    const int32_t v = Long(a[index]);
    if (v == kUseDefault)
        return fallback;
    return v != 0;
}

QString Grouped(const QString& integer)
{
    QString out;
    for (qsizetype i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out += QLatin1Char(',');
        out += integer[i];
    }
    return out;
}

// FormatNumber(expression[, decimals[, leadingDigit[, parentheses[, group]]]])
QString FormatFixed(double value, Args a)
{
    int decimals = kDefaultDecimals;
    if (a.size() > 1 && !a[1].IsEmpty()) {
        decimals = Long(a[1]);
        if (decimals == -1)
            decimals = kDefaultDecimals;
        else if (decimals < 0 || decimals > kMaxDecimals)
            throw ScriptError(kErrInvalidCall);
    }
    const bool leadingDigit = Tristate(a, 2, true);
    const bool parentheses = Tristate(a, 3, false);
    const bool group = Tristate(a, 4, true);

    QString integer;
    QString fraction;
    RoundedDigits(std::fabs(value), decimals, &integer, &fraction);
    auto allZero = [](const QString& digits) {
        return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == QLatin1Char('0'); });
    };
    const bool zero = allZero(integer) && allZero(fraction);
    if (allZero(integer))
        integer = leadingDigit ? QStringLiteral("0") : QString();
    QString text = group ? Grouped(integer) : integer;
    if (decimals > 0)
        text += QLatin1Char('.') + fraction;
    if (value < 0 && !zero)
        text = parentheses ? QLatin1Char('(') + text + QLatin1Char(')') : QLatin1Char('-') + text;
    return text;
}

double NumberArgument(const Variant& v0)
{
    const Variant v = Dereference(v0);
    if (v.IsNull())
        throw ScriptError(kErrTypeMismatch);
    return ToDouble(v);
}

Variant FnFormatNumber(Args a, Context&)
{
    return Variant::String(FormatFixed(NumberArgument(a[0]), a));
}

Variant FnFormatPercent(Args a, Context&)
{
    return Variant::String(FormatFixed(NumberArgument(a[0]) * 100, a) + QLatin1Char('%'));
}

const BuiltinInfo kFormat[] = {
    {"formatnumber", 1, 5, FnFormatNumber},
    {"formatpercent", 1, 5, FnFormatPercent},
};

}  // namespace

std::span<const BuiltinInfo> FormatBuiltins()
{
    return kFormat;
}

}  // namespace kvx::vbs::builtins
