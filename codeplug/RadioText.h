#pragma once

// Text of the radio's payloads: single-byte ISO-8859-1, each string ended
// by a 0 byte. Reading widens each byte to the UTF-16 code unit of the same
// value; writing narrows each code unit back to one byte.

#include <QString>
#include <QtGlobal>

// Widens length bytes (no terminator expected) into a string.
QString WidenRadioText(const quint8* bytes, int length);

// True when every code unit of text has a radio byte of its own: 1 to 255.
// U+0000 would end the string early on the radio, and anything above
// U+00FF would be a different character after narrowing.
bool IsRadioText(const QString& text);

// The value of a decimal ID string: optional leading blanks and sign, then
// the leading decimal digits as a signed 64-bit value (saturated rather than
// overflowing). No digits reads as 0.
qint64 RadioIdValue(const QString& id);
