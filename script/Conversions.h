#pragma once

// Conversions between variant subtypes with VBScript's rules: numeric text
// parsing, banker's rounding into the integer types, overflow error 6, type
// mismatch error 13, invalid use of Null error 94.

#include "Variant.h"

#include <QStringView>

namespace kvx::vbs {

// Objects stand for their default property value; Nothing fails with 91.
// Other values are returned unchanged.
Variant Dereference(const Variant& value);

// Numeric text as a Double: blanks around it, sign, thousands separators,
// decimals, exponent and &H / &O prefixes are accepted (English number
// format). False for anything else.
bool ParseNumber(QStringView text, double* out);

// The text of a Double the way the engine prints it: at most 15 significant
// digits, exponent form ("1E+20", "1.5E-07") outside that range.
QString FormatDouble(double value);
// The same for a Single, with 7 significant digits.
QString FormatSingle(float value);

// Rounds half to even, as CInt and CLng do.
double RoundHalfEven(double value);

double ToDouble(const Variant& value);
// A Double narrowed to a Single; error 6 beyond the Single range.
float ToSingle(const Variant& value);
int32_t ToLong(const Variant& value);
int16_t ToInteger(const Variant& value);
uint8_t ToByte(const Variant& value);
bool ToBool(const Variant& value);
QString ToString(const Variant& value);

// A value of a numeric variant converted to the narrowest of Byte, Integer,
// Long that the value of `type` allows, or Double.
Variant MakeNumber(int64_t value, VarType type);

// A condition of If, While, Do: Null counts as false.
bool IsTrue(const Variant& value);

QString TypeName(const Variant& value);
int VarTypeNumber(const Variant& value);

}  // namespace kvx::vbs
