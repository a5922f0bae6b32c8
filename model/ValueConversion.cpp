#include "ValueConversion.h"

#include <cmath>

namespace {

// A decimal number with optional blanks, sign and fraction; nullopt when the
// text is not one.
std::optional<double> ParseNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint64> RoundToInteger(double value)
{
    if (!(value > -9.3e18 && value < 9.3e18))
        return std::nullopt;
    return static_cast<qint64>(std::nearbyint(value));   // the default rounding mode is half to even
}

std::optional<qint32> ToInt32(double value)
{
    const auto rounded = RoundToInteger(value);
    if (!rounded || *rounded < INT32_MIN || *rounded > INT32_MAX)
        return std::nullopt;
    return static_cast<qint32>(*rounded);
}

}  // namespace

std::optional<qint32> TextToLong(const QString& text)
{
    const auto number = ParseNumber(text);
    return number ? ToInt32(*number) : std::nullopt;
}

std::optional<quint32> TextToUnsignedLong(const QString& text)
{
    const auto number = ParseNumber(text);
    if (!number)
        return std::nullopt;
    const auto rounded = RoundToInteger(*number);
    if (!rounded || *rounded < 0 || *rounded > UINT32_MAX)
        return std::nullopt;
    return static_cast<quint32>(*rounded);
}

std::optional<bool> TextToBoolean(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    const auto number = ParseNumber(trimmed);
    if (!number)
        return std::nullopt;
    return *number != 0.0;
}

std::optional<qint32> VariantToInt32(const QVariant& value)
{
    if (!value.isValid())
        return 0;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return ToInt32(value.toDouble());
    case QMetaType::QString:
        return TextToLong(value.toString());
    default:
        return std::nullopt;
    }
}

std::optional<bool> VariantToBool(const QVariant& value)
{
    if (!value.isValid())
        return false;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble() != 0.0;
    case QMetaType::QString:
        return TextToBoolean(value.toString());
    default:
        return std::nullopt;
    }
}

QString VariantToText(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}
