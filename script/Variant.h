#pragma once

// The script's value type: a tagged union over the VBScript subtypes that
// the engine supports. Numbers are held inline; strings are implicitly
// shared; arrays are shared copy-on-write, so assigning one behaves like a
// copy without paying for it until one side changes an element.

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace kvx::vbs {

class HostObject;
struct ArrayData;
using ObjectRef = std::shared_ptr<HostObject>;
using ArrayRef = std::shared_ptr<ArrayData>;

// The numbers that VarType() returns.
enum class VarType : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    String = 8,
    Object = 9,
    Boolean = 11,
    Byte = 17,
    Array = 8204,   // vbArray + vbVariant
};

// Longest string the engine builds; longer results fail with error 14.
inline constexpr qsizetype kMaxStringLength = 32 * 1024 * 1024;
// Most elements an array may hold; more fail with error 7.
inline constexpr qsizetype kMaxArrayElements = 4 * 1024 * 1024;

class Variant {
public:
    Variant() noexcept : m_type(VarType::Empty), m_d(0) {}
    Variant(const Variant& other) { CopyFrom(other); }
    Variant(Variant&& other) noexcept { MoveFrom(std::move(other)); }
    ~Variant() { Destroy(); }
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;

    static Variant Null() { Variant v; v.m_type = VarType::Null; return v; }
    static Variant Boolean(bool b) { Variant v; v.m_type = VarType::Boolean; v.m_b = b; return v; }
    static Variant Byte(uint8_t b) { Variant v; v.m_type = VarType::Byte; v.m_by = b; return v; }
    static Variant Integer(int16_t i) { Variant v; v.m_type = VarType::Integer; v.m_i = i; return v; }
    static Variant Long(int32_t l) { Variant v; v.m_type = VarType::Long; v.m_l = l; return v; }
    static Variant Single(float f) { Variant v; v.m_type = VarType::Single; v.m_f = f; return v; }
    static Variant Double(double d) { Variant v; v.m_type = VarType::Double; v.m_d = d; return v; }
    static Variant String(QString s);
    static Variant Object(ObjectRef o);
    static Variant Nothing() { return Object(nullptr); }
    static Variant Array(ArrayRef a);

    VarType Type() const { return m_type; }
    bool IsEmpty() const { return m_type == VarType::Empty; }
    bool IsNull() const { return m_type == VarType::Null; }
    bool IsString() const { return m_type == VarType::String; }
    bool IsObject() const { return m_type == VarType::Object; }
    bool IsNothing() const { return m_type == VarType::Object && !m_o; }
    bool IsArray() const { return m_type == VarType::Array; }
    // Boolean, Byte, Integer, Long, Single or Double.
    bool IsNumber() const
    {
        return m_type == VarType::Boolean || m_type == VarType::Byte || m_type == VarType::Integer
            || m_type == VarType::Long || m_type == VarType::Single || m_type == VarType::Double;
    }
    // Boolean, Byte, Integer or Long (an exact integer value).
    bool IsIntegral() const
    {
        return m_type == VarType::Boolean || m_type == VarType::Byte || m_type == VarType::Integer
            || m_type == VarType::Long;
    }

    // Raw accessors; the caller has checked the type.
    bool BoolValue() const { return m_b; }
    uint8_t ByteValue() const { return m_by; }
    int16_t IntegerValue() const { return m_i; }
    int32_t LongValue() const { return m_l; }
    float SingleValue() const { return m_f; }
    double DoubleValue() const { return m_d; }
    const QString& StringValue() const { return m_s; }
    const ObjectRef& ObjectValue() const { return m_o; }
    const ArrayRef& ArrayValue() const { return m_a; }
    // The array for changing it: unshared first, so other copies keep their values.
    ArrayData& MutableArray();

    // The value of an integral variant (Boolean True is -1).
    int64_t IntegralValue() const
    {
        switch (m_type) {
        case VarType::Boolean: return m_b ? -1 : 0;
        case VarType::Byte: return m_by;
        case VarType::Integer: return m_i;
        case VarType::Long: return m_l;
        default: return 0;
        }
    }

private:
    void CopyFrom(const Variant& other);
    void MoveFrom(Variant&& other) noexcept;
    void Destroy() noexcept
    {
        if (m_type == VarType::String)
            m_s.~QString();
        else if (m_type == VarType::Object)
            m_o.~ObjectRef();
        else if (m_type == VarType::Array)
            m_a.~ArrayRef();
    }

    VarType m_type;
    union {
        bool m_b;
        uint8_t m_by;
        int16_t m_i;
        int32_t m_l;
        float m_f;
        double m_d;
        QString m_s;
        ObjectRef m_o;
        ArrayRef m_a;
    };
};

// One dimension of an array: its lower bound (always 0 here) and element count.
struct ArrayBound {
    int32_t lower = 0;
    int32_t count = 0;
};

// A (possibly multi-dimensional) array. Elements are stored with the first
// index running fastest, so ReDim Preserve of the last dimension keeps every
// element in place. Arrays are made through the factories below, which
// charge the running engine's memory budget.
struct ArrayData {
    std::vector<ArrayBound> bounds;   // empty: a dynamic array not yet dimensioned
    std::vector<Variant> items;
    bool fixed = false;               // declared with bounds by Dim: ReDim refuses it

    // Elements lent to ByRef parameters. While any is, the array keeps its
    // shape (ReDim and Erase fail with error 10), and each lender holds a
    // reference that does not count as sharing. A copy lends nothing.
    struct LendCount {
        int count = 0;
        LendCount() = default;
        LendCount(const LendCount&) {}
        LendCount& operator=(const LendCount&) { return *this; }
    } lent;

    // The flat index of the given subscripts; throws error 9 when out of range.
    size_t Offset(const Variant* subscripts, size_t count) const;
    // Sets the dimensions, keeping the elements when `preserve` (only the
    // last dimension may then change). Throws 7, 9 or 10.
    void Redim(const std::vector<int32_t>& upperBounds, bool preserve);
    // True while the array is fixed or lends an element.
    bool Locked() const { return fixed || lent.count > 0; }

    // A dynamic array not yet dimensioned.
    static ArrayRef Create();
    // An unshared copy, dynamic unless `keepFixed`.
    static ArrayRef CopyOf(const ArrayData& other, bool keepFixed);
    static ArrayRef OneDimensional(std::vector<Variant> values);
};

}  // namespace kvx::vbs
