#pragma once

// The variant conversions the data model relies on, with the platform's
// rules: numbers in text may carry blanks, a sign and a fraction (rounded
// half to even); booleans in text are "True"/"False" in any case or a number
// (non-zero is true); a value out of the target's range does not convert.

#include <QString>
#include <QVariant>
#include <optional>

std::optional<qint32> TextToLong(const QString& text);
std::optional<quint32> TextToUnsignedLong(const QString& text);
std::optional<bool> TextToBoolean(const QString& text);

// Script results and arguments: bool, integers, double, text, or invalid
// (Empty, which converts to 0 and false).
std::optional<qint32> VariantToInt32(const QVariant& value);
std::optional<bool> VariantToBool(const QVariant& value);
// Text of a value as an attribute stores it; booleans read "True"/"False".
QString VariantToText(const QVariant& value);
