#pragma once

#include "CommPort.h"
#include "FaultInjector.h"
#include "RadioSimulator.h"

#include <QByteArray>
#include <memory>

// An in-process line to a simulated radio, for tests: what the PC writes
// reaches the radio at once and its reply is queued for reading. Time is
// virtual: a read that cannot be satisfied returns at once with what is
// queued, as a real read would after its timeout.
class CSimulatedPort final : public ICommPort {
public:
    explicit CSimulatedPort(CRadioSimulator& radio, const FaultOptions& faults = {});
    // Shares one fault injector (and its counts) across ports.
    CSimulatedPort(CRadioSimulator& radio, std::shared_ptr<CFaultInjector> faults);

    bool IsOpen() const override { return m_bOpen; }
    quint32 LastError() const override { return m_nLastError; }
    int Read(quint8* buffer, int count, bool waitForAll) override;
    int Write(const quint8* buffer, int count) override;
    bool Purge(quint32 flags) override;
    bool ClearErrors() override;
    void Close() override;

    // Makes the next operations fail as on a port that went away.
    void SetHungUp(bool hungUp) { m_bHungUp = hungUp; }
    const CFaultInjector& Faults() const { return *m_faults; }

private:
    CRadioSimulator& m_radio;
    std::shared_ptr<CFaultInjector> m_faults;
    QByteArray m_rx;
    bool m_bOpen = true;
    bool m_bHungUp = false;
    quint32 m_nLastError = 0;
};
