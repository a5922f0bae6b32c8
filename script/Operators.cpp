#include "Operators.h"

#include "Conversions.h"
#include "Errors.h"
#include "HostObject.h"

#include <cmath>
#include <limits>

namespace kvx::vbs {

namespace {

double CheckedDouble(double d)
{
    if (!std::isfinite(d))
        throw ScriptError(kErrOverflow);
    return d;
}

// Integer width of an operand for the result type of integer operations.
int Rank(VarType t)
{
    switch (t) {
    case VarType::Byte: return 1;
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer: return 2;
    case VarType::Long: return 3;
    case VarType::Single: return 4;
    default: return 5;   // Double, or text taken as Double
    }
}

// Single arithmetic: a Single with a Byte, Integer or another Single stays
// Single (a Long makes it Double), and a result beyond the Single range
// widens to Double.
bool SingleResult(const Variant& a, const Variant& b)
{
    const int rank = std::max(Rank(a.Type()), Rank(b.Type()));
    return rank == 4 && a.Type() != VarType::Long && b.Type() != VarType::Long;
}

Variant FloatResult(double r, bool single)
{
    if (single && std::fabs(r) <= std::numeric_limits<float>::max())
        return Variant::Single(static_cast<float>(r));
    return Variant::Double(CheckedDouble(r));
}

VarType RankType(int rank)
{
    switch (rank) {
    case 1: return VarType::Byte;
    case 2: return VarType::Integer;
    case 3: return VarType::Long;
    default: return VarType::Double;
    }
}

enum class Arith { Add, Sub, Mul };

Variant Arithmetic(Arith op, const Variant& a, const Variant& b)
{
    if (a.IsObject() || b.IsObject())
        return Arithmetic(op, Dereference(a), Dereference(b));
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    if (a.IsArray() || b.IsArray())
        throw ScriptError(kErrTypeMismatch);
    const int rank = std::max(Rank(a.Type()), Rank(b.Type()));
    if (rank <= 3) {
        const int64_t x = a.IntegralValue();
        const int64_t y = b.IntegralValue();
        const int64_t r = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
        return MakeNumber(r, RankType(rank));
    }
    const double x = ToDouble(a);
    const double y = ToDouble(b);
    return FloatResult(op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y, SingleResult(a, b));
}

// The integer operand of \, Mod and the logical operators: integral values
// as they are, everything else rounded into a Long.
int64_t IntegerOperand(const Variant& v)
{
    if (v.IsIntegral())
        return v.IntegralValue();
    if (v.IsEmpty())
        return 0;
    return ToLong(v);
}

int IntegerRank(const Variant& v)
{
    const int r = Rank(v.Type());
    return r > 3 ? 3 : r;
}

void CheckLength(qsizetype length)
{
    if (length > kMaxStringLength)
        throw ScriptError(kErrOutOfStringSpace);
}

}  // namespace

Variant Add(const Variant& a, const Variant& b)
{
    // The common case first: two Integers or Longs.
    if ((a.Type() == VarType::Integer || a.Type() == VarType::Long)
        && (b.Type() == VarType::Integer || b.Type() == VarType::Long)) {
        const VarType type = a.Type() == VarType::Long || b.Type() == VarType::Long ? VarType::Long : VarType::Integer;
        return MakeNumber(a.IntegralValue() + b.IntegralValue(), type);
    }
    if (a.IsObject() || b.IsObject())
        return Add(Dereference(a), Dereference(b));
    // Text + text (or Empty) concatenates; text + number adds.
    if ((a.IsString() && (b.IsString() || b.IsEmpty())) || (a.IsEmpty() && b.IsString())) {
        CheckLength(a.IsString() && b.IsString() ? a.StringValue().size() + b.StringValue().size() : 0);
        return Variant::String(a.IsString() ? (b.IsString() ? a.StringValue() + b.StringValue() : a.StringValue())
                                            : b.StringValue());
    }
    return Arithmetic(Arith::Add, a, b);
}

Variant Subtract(const Variant& a, const Variant& b)
{
    return Arithmetic(Arith::Sub, a, b);
}

Variant Multiply(const Variant& a, const Variant& b)
{
    return Arithmetic(Arith::Mul, a, b);
}

Variant Divide(const Variant& a0, const Variant& b0)
{
    const Variant a = Dereference(a0);
    const Variant b = Dereference(b0);
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    const double x = ToDouble(a);
    const double y = ToDouble(b);
    if (y == 0)
        throw ScriptError(x == 0 ? kErrOverflow : kErrDivByZero);
    return FloatResult(x / y, SingleResult(a, b));
}

Variant IntDivide(const Variant& a0, const Variant& b0)
{
    const Variant a = Dereference(a0);
    const Variant b = Dereference(b0);
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    const int64_t x = IntegerOperand(a);
    const int64_t y = IntegerOperand(b);
    if (y == 0)
        throw ScriptError(kErrDivByZero);
    return MakeNumber(x / y, RankType(std::max(IntegerRank(a), IntegerRank(b))));
}

Variant Modulo(const Variant& a0, const Variant& b0)
{
    const Variant a = Dereference(a0);
    const Variant b = Dereference(b0);
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    const int64_t x = IntegerOperand(a);
    const int64_t y = IntegerOperand(b);
    if (y == 0)
        throw ScriptError(kErrDivByZero);
    return MakeNumber(x % y, RankType(std::max(IntegerRank(a), IntegerRank(b))));
}

Variant Power(const Variant& a0, const Variant& b0)
{
    const Variant a = Dereference(a0);
    const Variant b = Dereference(b0);
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    const double r = std::pow(ToDouble(a), ToDouble(b));
    if (std::isnan(r))
        throw ScriptError(kErrInvalidCall);
    return Variant::Double(CheckedDouble(r));
}

Variant Concatenate(const Variant& a0, const Variant& b0)
{
    const Variant a = Dereference(a0);
    const Variant b = Dereference(b0);
    if (a.IsNull() && b.IsNull())
        return Variant::Null();
    const QString x = a.IsNull() ? QString() : ToString(a);
    const QString y = b.IsNull() ? QString() : ToString(b);
    CheckLength(x.size() + y.size());
    return Variant::String(x + y);
}

Variant Negate(const Variant& a0)
{
    const Variant a = Dereference(a0);
    switch (a.Type()) {
    case VarType::Null: return a;
    case VarType::Empty: return Variant::Integer(0);
    case VarType::Double: return Variant::Double(-a.DoubleValue());
    case VarType::Single: return Variant::Single(-a.SingleValue());
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer: return MakeNumber(-a.IntegralValue(), VarType::Integer);
    case VarType::Long: return MakeNumber(-a.IntegralValue(), VarType::Long);
    case VarType::String: return Variant::Double(-ToDouble(a));
    default: throw ScriptError(kErrTypeMismatch);
    }
}

namespace {

// An operand of a logical operator: Null, a Boolean, or an integer with the
// width of its result type.
struct LogicalOperand {
    bool isNull = false;
    bool isBool = false;
    int64_t value = 0;
    int rank = 2;
};

LogicalOperand ToLogical(const Variant& v0)
{
    const Variant v = Dereference(v0);
    LogicalOperand op;
    switch (v.Type()) {
    case VarType::Null: op.isNull = true; return op;
    case VarType::Boolean: op.isBool = true; op.value = v.BoolValue() ? -1 : 0; return op;
    case VarType::String: {
        double d;
        if (ParseNumber(v.StringValue(), &d)) {
            op.value = ToLong(Variant::Double(d));
            op.rank = 3;
            return op;
        }
        op.isBool = true;
        op.value = ToBool(v) ? -1 : 0;
        return op;
    }
    default:
        op.value = IntegerOperand(v);
        op.rank = IntegerRank(v);
        return op;
    }
}

Variant LogicalResult(int64_t value, bool isBool, int rank)
{
    if (isBool)
        return Variant::Boolean(value != 0);
    switch (rank) {
    case 1: return Variant::Byte(static_cast<uint8_t>(value));
    case 2: return Variant::Integer(static_cast<int16_t>(value));
    default: return Variant::Long(static_cast<int32_t>(value));
    }
}

}  // namespace

Variant LogicalNot(const Variant& a)
{
    const LogicalOperand x = ToLogical(a);
    if (x.isNull)
        return Variant::Null();
    return LogicalResult(~x.value, x.isBool, x.rank);
}

Variant Logical(BinaryOp op, const Variant& a, const Variant& b)
{
    const LogicalOperand x = ToLogical(a);
    const LogicalOperand y = ToLogical(b);
    if (x.isNull || y.isNull) {
        if (x.isNull && y.isNull)
            return Variant::Null();
        const LogicalOperand& known = x.isNull ? y : x;
        const Variant knownValue = LogicalResult(known.value, known.isBool, known.rank);
        switch (op) {
        case BinaryOp::And:   // False And Null is False
            return known.value == 0 ? knownValue : Variant::Null();
        case BinaryOp::Or:    // True Or Null is True
            return known.value == -1 ? knownValue : Variant::Null();
        case BinaryOp::Imp:
            if (x.isNull)     // Null Imp True is True
                return known.value == -1 ? knownValue : Variant::Null();
            // False Imp Null is True
            return known.value == 0 ? LogicalResult(-1, known.isBool, known.rank) : Variant::Null();
        default: return Variant::Null();
        }
    }
    const bool isBool = x.isBool && y.isBool;
    const int rank = std::max(x.isBool ? 2 : x.rank, y.isBool ? 2 : y.rank);
    int64_t r = 0;
    switch (op) {
    case BinaryOp::And: r = x.value & y.value; break;
    case BinaryOp::Or: r = x.value | y.value; break;
    case BinaryOp::Xor: r = x.value ^ y.value; break;
    case BinaryOp::Eqv: r = ~(x.value ^ y.value); break;
    case BinaryOp::Imp: r = ~x.value | y.value; break;
    default: break;
    }
    return LogicalResult(r, isBool, rank);
}

namespace {

int Sign(double d)
{
    return d < 0 ? -1 : d > 0 ? 1 : 0;
}

int CompareNumbers(const Variant& a, const Variant& b)
{
    if (a.IsIntegral() && b.IsIntegral()) {
        const int64_t x = a.IntegralValue();
        const int64_t y = b.IntegralValue();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return Sign(ToDouble(a) - ToDouble(b));
}

int CompareStrings(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseSensitive);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace

int CompareValues(const Variant& a0, bool aHard, const Variant& b0, bool bHard)
{
    const Variant a = Dereference(a0);
    const Variant b = Dereference(b0);
    if (a.IsNull() || b.IsNull())
        return 2;
    if (a.IsArray() || b.IsArray())
        throw ScriptError(kErrTypeMismatch);
    const bool aText = a.IsString();
    const bool bText = b.IsString();
    if (aText && bText)
        return CompareStrings(a.StringValue(), b.StringValue());
    if (a.IsNumber() && b.IsNumber())
        return CompareNumbers(a, b);
    if (a.IsEmpty() && b.IsEmpty())
        return 0;
    if (a.IsEmpty())
        return bText ? CompareStrings(QString(), b.StringValue()) : CompareNumbers(Variant::Integer(0), b);
    if (b.IsEmpty())
        return aText ? CompareStrings(a.StringValue(), QString()) : CompareNumbers(a, Variant::Integer(0));
    // A number against a text.
    if (aHard != bHard) {
        const bool textIsHard = aText ? aHard : bHard;
        if (textIsHard)
            return CompareStrings(ToString(a), ToString(b));
        // A text that is no number stays greater than any number.
        double number;
        if (ParseNumber((aText ? a : b).StringValue(), &number)) {
            const double other = ToDouble(aText ? b : a);
            return aText ? Sign(number - other) : Sign(other - number);
        }
    }
    return aText ? 1 : -1;
}

Variant Compare(BinaryOp op, const Variant& a, bool aHard, const Variant& b, bool bHard)
{
    const int c = CompareValues(a, aHard, b, bHard);
    if (c == 2)
        return Variant::Null();
    switch (op) {
    case BinaryOp::Eq: return Variant::Boolean(c == 0);
    case BinaryOp::Ne: return Variant::Boolean(c != 0);
    case BinaryOp::Lt: return Variant::Boolean(c < 0);
    case BinaryOp::Gt: return Variant::Boolean(c > 0);
    case BinaryOp::Le: return Variant::Boolean(c <= 0);
    case BinaryOp::Ge: return Variant::Boolean(c >= 0);
    default: throw ScriptError(kErrTypeMismatch);
    }
}

bool SameObject(const Variant& a, const Variant& b)
{
    if (!a.IsObject() || !b.IsObject())
        throw ScriptError(kErrObjectRequired);
    const ObjectRef& x = a.ObjectValue();
    const ObjectRef& y = b.ObjectValue();
    if (!x || !y)
        return !x && !y;
    return x->Identity() == y->Identity();
}

Variant ApplyBinary(BinaryOp op, const Variant& a, bool aHard, const Variant& b, bool bHard)
{
    switch (op) {
    case BinaryOp::Add: return Add(a, b);
    case BinaryOp::Sub: return Subtract(a, b);
    case BinaryOp::Mul: return Multiply(a, b);
    case BinaryOp::Div: return Divide(a, b);
    case BinaryOp::IntDiv: return IntDivide(a, b);
    case BinaryOp::Mod: return Modulo(a, b);
    case BinaryOp::Pow: return Power(a, b);
    case BinaryOp::Concat: return Concatenate(a, b);
    case BinaryOp::Eq:
    case BinaryOp::Ne:
    case BinaryOp::Lt:
    case BinaryOp::Gt:
    case BinaryOp::Le:
    case BinaryOp::Ge: return Compare(op, a, aHard, b, bHard);
    case BinaryOp::Is: return Variant::Boolean(SameObject(a, b));
    case BinaryOp::And:
    case BinaryOp::Or:
    case BinaryOp::Xor:
    case BinaryOp::Eqv:
    case BinaryOp::Imp: return Logical(op, a, b);
    }
    throw ScriptError(kErrTypeMismatch);
}

}  // namespace kvx::vbs
