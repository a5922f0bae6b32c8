#include "MemoryMeter.h"

#include "Errors.h"

#include <algorithm>

namespace kvx::vbs {

namespace {

thread_local MemoryMeter* t_current = nullptr;

// Heap bookkeeping of a string besides its characters.
constexpr size_t kOverhead = 32;

size_t StringBytes(const QString& s)
{
    return static_cast<size_t>(s.size()) * sizeof(QChar) + kOverhead;
}

size_t ArrayBytes(const ArrayData& array)
{
    size_t bytes = array.items.capacity() * sizeof(Variant) + MemoryMeter::kArrayOverhead;
    for (const Variant& item : array.items)
        if (item.IsString() && item.StringValue().size() < MemoryMeter::kTrackedLength)
            bytes += StringBytes(item.StringValue());
    return bytes;
}

}  // namespace

MemoryMeter::MemoryMeter(size_t budgetBytes) : m_budget(budgetBytes) {}

MemoryMeter::~MemoryMeter() = default;

MemoryMeter* MemoryMeter::Current()
{
    return t_current;
}

MemoryMeter::Scope::Scope(MemoryMeter* meter) : m_previous(t_current)
{
    t_current = meter && meter->Budget() > 0 ? meter : nullptr;
}

MemoryMeter::Scope::~Scope()
{
    t_current = m_previous;
}

void MemoryMeter::Charge(size_t bytes, size_t incoming)
{
    m_created += bytes;
    if (m_created < std::min(kSweepStep, m_budget / 4))
        return;
    if (Sweep() + incoming > m_budget)
        throw ScriptError(kErrOutOfMemory);
}

void MemoryMeter::ChargeString(const QString& s)
{
    const size_t bytes = StringBytes(s);
    Charge(bytes, bytes);
    if (s.size() >= kTrackedLength)
        m_strings.insert(s.constData(), s);
}

void MemoryMeter::ChargeArray(const ArrayRef& array, size_t elements)
{
    const size_t bytes = elements * sizeof(Variant) + kArrayOverhead;
    Charge(bytes, bytes);
    m_arrays.push_back(array);
}

void MemoryMeter::ChargeElements(size_t elements)
{
    const size_t bytes = elements * sizeof(Variant);
    Charge(bytes, bytes);
}

size_t MemoryMeter::ReleaseDeadStrings()
{
    if (m_strings.isEmpty())
        return 0;
    size_t live = 0;
    // A string that only this table still holds has died.
    for (auto it = m_strings.begin(); it != m_strings.end();) {
        if (it->isDetached()) {
            it = m_strings.erase(it);
        } else {
            live += StringBytes(*it);
            ++it;
        }
    }
    return live;
}

size_t MemoryMeter::Sweep()
{
    size_t live = ReleaseDeadStrings();
    size_t kept = 0;
    for (size_t i = 0; i < m_arrays.size(); ++i) {
        if (const ArrayRef array = m_arrays[i].lock()) {
            live += ArrayBytes(*array);
            if (kept != i)
                m_arrays[kept] = std::move(m_arrays[i]);
            ++kept;
        }
    }
    m_arrays.resize(kept);
    m_created = 0;
    return live;
}

}  // namespace kvx::vbs
