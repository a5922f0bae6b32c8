#include "SimulatedPort.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr quint32 kHangUpError = 5;   // any nonzero code will do
}

CSimulatedPort::CSimulatedPort(CRadioSimulator& radio, const FaultOptions& faults)
    : m_radio(radio), m_faults(std::make_shared<CFaultInjector>(faults))
{
}

CSimulatedPort::CSimulatedPort(CRadioSimulator& radio, std::shared_ptr<CFaultInjector> faults)
    : m_radio(radio), m_faults(std::move(faults))
{
}

int CSimulatedPort::Read(quint8* buffer, int count, bool /*waitForAll*/)
{
    if (!m_bOpen || count <= 0)
        return 0;
    if (m_bHungUp) {
        m_nLastError = kHangUpError;
        return 0;
    }
    const int n = std::min(count, int(m_rx.size()));
    std::memcpy(buffer, m_rx.constData(), size_t(n));
    m_rx.remove(0, n);
    return n;
}

int CSimulatedPort::Write(const quint8* buffer, int count)
{
    if (!m_bOpen || count <= 0)
        return 0;
    if (m_bHungUp) {
        m_nLastError = kHangUpError;
        return 0;
    }
    // A new request follows a pause on the line.
    m_radio.LineIdle();
    QByteArray reply;
    m_radio.Receive(m_faults->Apply(QByteArray(reinterpret_cast<const char*>(buffer), count)), reply);
    m_rx.append(m_faults->Apply(reply));
    return count;
}

bool CSimulatedPort::Purge(quint32 flags)
{
    m_nLastError = 0;
    if (!m_bOpen)
        return false;
    if (flags & (kPurgeRxAbort | kPurgeRxClear))
        m_rx.clear();
    return true;
}

bool CSimulatedPort::ClearErrors()
{
    m_nLastError = 0;
    return m_bOpen;
}

void CSimulatedPort::Close()
{
    m_bOpen = false;
    m_rx.clear();
}
