#include "FaultInjector.h"

QByteArray CFaultInjector::Apply(const QByteArray& bytes)
{
    if (!m_options.Active())
        return bytes;
    std::lock_guard lock(m_mutex);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::uniform_int_distribution<int> flip(1, 255);
    QByteArray out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const double roll = chance(m_rng);
        if (roll < m_options.dropRate) {
            ++m_nDropped;
            continue;
        }
        if (roll < m_options.dropRate + m_options.corruptRate) {
            ++m_nCorrupted;
            c = char(quint8(c) ^ quint8(flip(m_rng)));
        }
        out.append(c);
    }
    return out;
}
