#pragma once

// Reading the values of a profile's attributes.

#include <QString>
#include <QtGlobal>

// A profile number: optional leading blanks and sign, then decimal digits
// up to the first non-digit; no digits reads as 0. The value is kept modulo
// 2^32 (its low-order bits), a minus sign negating it in that width.
quint32 ProfileNumber(const QString& text);

// A profile boolean as the XML service converts it: "true"/"false" in any
// case, or a number (true when not 0), blanks around allowed. Sets *ok to
// false for any other text.
bool ProfileBoolean(const QString& text, bool* ok);

// An XPath 1.0 string literal for any text: quoted with " or ', or built
// with concat() when it holds both.
QString XPathLiteral(const QString& text);
