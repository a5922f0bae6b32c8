#pragma once

// The operators of the language on variants, with VBScript's typing:
// integer results widen (Byte → Integer → Long → Double) instead of
// overflowing, "/" is always Double, "\" and Mod round their operands,
// Null propagates, and logical operators work bitwise on numbers.

#include "Variant.h"

namespace kvx::vbs {

enum class BinaryOp : uint8_t {
    Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat,
    Eq, Ne, Lt, Gt, Le, Ge, Is,
    And, Or, Xor, Eqv, Imp,
};

Variant Add(const Variant& a, const Variant& b);
Variant Subtract(const Variant& a, const Variant& b);
Variant Multiply(const Variant& a, const Variant& b);
Variant Divide(const Variant& a, const Variant& b);
Variant IntDivide(const Variant& a, const Variant& b);
Variant Modulo(const Variant& a, const Variant& b);
Variant Power(const Variant& a, const Variant& b);
Variant Concatenate(const Variant& a, const Variant& b);
Variant Negate(const Variant& a);
Variant LogicalNot(const Variant& a);
// And, Or, Xor, Eqv, Imp.
Variant Logical(BinaryOp op, const Variant& a, const Variant& b);

// -1, 0 or 1 for a < b, a = b, a > b, or 2 when either side is Null.
// A "hard" operand is a literal or constant: when the other side is a
// variant of the other kind (number against text) it is converted to the
// literal's kind where it can be; otherwise, as between two variants, a
// number is always less than a text.
int CompareValues(const Variant& a, bool aHard, const Variant& b, bool bHard);
// = <> < > <= >= as Boolean, or Null.
Variant Compare(BinaryOp op, const Variant& a, bool aHard, const Variant& b, bool bHard);
// Identity of two object references (Nothing Is Nothing is True).
bool SameObject(const Variant& a, const Variant& b);

// Any binary operator except Is.
Variant ApplyBinary(BinaryOp op, const Variant& a, bool aHard, const Variant& b, bool bHard);

}  // namespace kvx::vbs
