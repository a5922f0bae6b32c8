#pragma once

// The memory budget of an engine. While the engine runs script code, every
// string value and every array it creates is charged here; after a few
// megabytes of new values the meter measures what is still alive (strings
// of some size, and arrays with the strings they hold) and fails the
// creation that would pass the budget with error 7. The values themselves
// know nothing of engines: they find the meter of the running engine
// through a per-thread pointer.

#include "Variant.h"

#include <QHash>
#include <QString>
#include <vector>

namespace kvx::vbs {

class MemoryMeter {
public:
    explicit MemoryMeter(size_t budgetBytes = 0);
    ~MemoryMeter();
    MemoryMeter(const MemoryMeter&) = delete;
    MemoryMeter& operator=(const MemoryMeter&) = delete;

    // 0: no budget.
    void SetBudget(size_t bytes) { m_budget = bytes; }
    size_t Budget() const { return m_budget; }

    // The meter of the engine running on this thread, or null.
    static MemoryMeter* Current();
    // Makes a meter current for the lifetime of the scope.
    class Scope {
    public:
        explicit Scope(MemoryMeter* meter);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        MemoryMeter* m_previous;
    };

    // A new string value; throws error 7 when it does not fit the budget.
    void ChargeString(const QString& s);
    // A new array, or new room in one, of `elements` elements.
    void ChargeArray(const ArrayRef& array, size_t elements);
    void ChargeElements(size_t elements);

    // Forgets values that have died and returns the bytes still alive.
    size_t Sweep();
    // The same for the strings followed one by one, which the meter keeps
    // alive until it looks again; cheap, for the end of a host call.
    size_t ReleaseDeadStrings();

    // Strings from this length on are followed one by one; shorter ones
    // count where arrays hold them.
    static constexpr qsizetype kTrackedLength = 4096;
    // An array besides its elements, with the weak reference this meter
    // keeps to it: what a dead array costs until the next measurement.
    static constexpr size_t kArrayOverhead = sizeof(ArrayData) + 64;
    // New values between two measurements (at most a quarter of the budget).
    static constexpr size_t kSweepStep = 16 * 1024 * 1024;

private:
    void Charge(size_t bytes, size_t incoming);

    size_t m_budget;
    size_t m_created = 0;
    QHash<const void*, QString> m_strings;
    std::vector<std::weak_ptr<ArrayData>> m_arrays;
};

}  // namespace kvx::vbs
