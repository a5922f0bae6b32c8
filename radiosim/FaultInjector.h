#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <mutex>
#include <random>

// Line faults of the simulated radio: each byte passing the line is dropped
// or replaced by a different value at the given rates, reproducibly from
// the seed.
struct FaultOptions {
    double dropRate = 0.0;      // 0..1 per byte
    double corruptRate = 0.0;   // 0..1 per byte
    int delayMs = 0;            // pause before every reply
    quint32 seed = 1;

    bool Active() const { return dropRate > 0.0 || corruptRate > 0.0; }
};

class CFaultInjector {
public:
    explicit CFaultInjector(const FaultOptions& options = {}) : m_options(options), m_rng(options.seed) {}

    QByteArray Apply(const QByteArray& bytes);
    const FaultOptions& Options() const { return m_options; }

    quint64 Dropped() const { return m_nDropped; }
    quint64 Corrupted() const { return m_nCorrupted; }

private:
    FaultOptions m_options;
    std::mt19937 m_rng;
    std::mutex m_mutex;
    quint64 m_nDropped = 0;
    quint64 m_nCorrupted = 0;
};
