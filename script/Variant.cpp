#include "Variant.h"

#include "Conversions.h"
#include "Errors.h"
#include "MemoryMeter.h"

#include <new>

namespace kvx::vbs {

Variant Variant::String(QString s)
{
    if (MemoryMeter* meter = MemoryMeter::Current())
        meter->ChargeString(s);
    Variant v;
    v.m_type = VarType::String;
    new (&v.m_s) QString(std::move(s));
    return v;
}

Variant Variant::Object(ObjectRef o)
{
    Variant v;
    v.m_type = VarType::Object;
    new (&v.m_o) ObjectRef(std::move(o));
    return v;
}

Variant Variant::Array(ArrayRef a)
{
    Variant v;
    v.m_type = VarType::Array;
    new (&v.m_a) ArrayRef(std::move(a));
    return v;
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other) {
        // Keep `other` alive if it lives inside the value being replaced.
        Variant copy(other);
        Destroy();
        MoveFrom(std::move(copy));
    }
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept
{
    if (this != &other) {
        Variant moved(std::move(other));
        Destroy();
        MoveFrom(std::move(moved));
    }
    return *this;
}

void Variant::CopyFrom(const Variant& other)
{
    m_type = other.m_type;
    switch (m_type) {
    case VarType::String: new (&m_s) QString(other.m_s); break;
    case VarType::Object: new (&m_o) ObjectRef(other.m_o); break;
    case VarType::Array: new (&m_a) ArrayRef(other.m_a); break;
    default: m_d = other.m_d; break;   // copies whichever number is held
    }
}

void Variant::MoveFrom(Variant&& other) noexcept
{
    m_type = other.m_type;
    switch (m_type) {
    case VarType::String: new (&m_s) QString(std::move(other.m_s)); break;
    case VarType::Object: new (&m_o) ObjectRef(std::move(other.m_o)); break;
    case VarType::Array: new (&m_a) ArrayRef(std::move(other.m_a)); break;
    default: m_d = other.m_d; break;
    }
}

ArrayData& Variant::MutableArray()
{
    if (m_a.use_count() > 1 + m_a->lent.count)
        m_a = ArrayData::CopyOf(*m_a, true);
    return *m_a;
}

size_t ArrayData::Offset(const Variant* subscripts, size_t count) const
{
    if (count != bounds.size())
        throw ScriptError(kErrSubscript);
    size_t offset = 0;
    size_t stride = 1;
    for (size_t i = 0; i < count; ++i) {
        const int32_t index = ToLong(subscripts[i]) - bounds[i].lower;
        if (index < 0 || index >= bounds[i].count)
            throw ScriptError(kErrSubscript);
        offset += static_cast<size_t>(index) * stride;
        stride *= static_cast<size_t>(bounds[i].count);
    }
    return offset;
}

void ArrayData::Redim(const std::vector<int32_t>& upperBounds, bool preserve)
{
    if (Locked())
        throw ScriptError(kErrArrayLocked);
    std::vector<ArrayBound> newBounds;
    qsizetype total = 1;
    for (int32_t upper : upperBounds) {
        // ReDim a(-1) gives an empty array, as Split("") does.
        if (upper < -1)
            throw ScriptError(kErrSubscript);
        if (upper >= kMaxArrayElements)
            throw ScriptError(kErrOutOfMemory);
        newBounds.push_back({0, upper + 1});
        total *= upper + 1;
        if (total > kMaxArrayElements)
            throw ScriptError(kErrOutOfMemory);
    }
    if (MemoryMeter* meter = MemoryMeter::Current())
        meter->ChargeElements(static_cast<size_t>(total));
    if (preserve && !bounds.empty()) {
        if (newBounds.size() != bounds.size())
            throw ScriptError(kErrSubscript);
        for (size_t i = 0; i + 1 < bounds.size(); ++i)
            if (newBounds[i].count != bounds[i].count)
                throw ScriptError(kErrSubscript);
        items.resize(static_cast<size_t>(total));
    } else {
        items.assign(static_cast<size_t>(total), Variant());
    }
    bounds = std::move(newBounds);
}

namespace {

ArrayRef Charged(ArrayRef array)
{
    if (MemoryMeter* meter = MemoryMeter::Current())
        meter->ChargeArray(array, array->items.size());
    return array;
}

}  // namespace

ArrayRef ArrayData::Create()
{
    return Charged(std::make_shared<ArrayData>());
}

ArrayRef ArrayData::CopyOf(const ArrayData& other, bool keepFixed)
{
    auto copy = std::make_shared<ArrayData>(other);
    copy->fixed = keepFixed && other.fixed;
    return Charged(std::move(copy));
}

ArrayRef ArrayData::OneDimensional(std::vector<Variant> values)
{
    auto array = std::make_shared<ArrayData>();
    array->bounds.push_back({0, static_cast<int32_t>(values.size())});
    array->items = std::move(values);
    return Charged(std::move(array));
}

}  // namespace kvx::vbs
