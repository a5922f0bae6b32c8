#pragma once

#include "CommPort.h"
#include "RadioSimulator.h"
#include "SimulatedPort.h"
#include "TransferState.h"
#include "TransferThread.h"

#include <QByteArray>
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

// QSerialPort wants an application object in the process.
inline void EnsureCoreApplication()
{
    static int argc = 1;
    static char name[] = "radio_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// A port that serves prepared reply bytes and records what was written.
// Reads never wait: what is not queued counts as timed out.
class ScriptedPort final : public ICommPort {
public:
    bool IsOpen() const override { return open; }
    quint32 LastError() const override { return lastError; }
    int Read(quint8* buffer, int count, bool) override
    {
        ++reads;
        const int n = std::min(count, int(incoming.size()));
        std::memcpy(buffer, incoming.constData(), size_t(n));
        incoming.remove(0, n);
        return n;
    }
    int Write(const quint8* buffer, int count) override
    {
        writes.emplace_back(reinterpret_cast<const char*>(buffer), count);
        if (onWrite)
            onWrite(writes.back());
        return count;
    }
    bool Purge(quint32 flags) override
    {
        ++purges;
        if (purgeClearsInput && (flags & kPurgeRxClear))
            incoming.clear();
        return true;
    }
    bool ClearErrors() override
    {
        ++clears;
        lastError = 0;
        return true;
    }
    void Close() override { open = false; }

    QByteArray incoming;
    std::vector<QByteArray> writes;
    std::function<void(const QByteArray&)> onWrite;
    bool open = true;
    bool purgeClearsInput = false;
    quint32 lastError = 0;
    int reads = 0, purges = 0, clears = 0;
};

// Every transfer of a test talks to one in-process simulated radio, with the
// radio's waits shortened; messages are collected in a queue.
class SimulatedRadioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CTransferState& state = CTransferState::Instance();
        TransferTimings timings;
        timings.longWaitMs = 0;
        timings.privateIdPollMs = 5;
        timings.chainStartDelayMs = 1;
        state.SetTimings(timings);
        state.SetExpectedCloneLevel(1);
        state.SetPortFactory([this](const QString& name, const TransferTimings&) -> std::unique_ptr<ICommPort> {
            ++portsCreated;
            auto port = std::make_unique<TrackedPort>(radio, faults, this);
            if (name != QStringLiteral("sim"))
                port->Close();   // any other name is a port that does not exist
            return port;
        });
        PrepareTransfer(messages);
    }

    void TearDown() override
    {
        CTransferState& state = CTransferState::Instance();
        state.SetPortFactory({});
        state.SetTimings({});
        state.SetNotifyTarget(nullptr);
        state.ClearCancel();
        EXPECT_EQ(openPorts, 0) << "a transfer left its port open";
        // The transfer lock must be free after every transfer.
        EXPECT_TRUE(state.TransferLock().try_lock());
        state.TransferLock().unlock();
    }

    std::vector<CTransferMessageQueue::Message> Messages() { return messages->Drain(); }

    static CTransferMessageQueue::Message Failed(int code) { return {TransferMessageKind::Failed, code}; }
    static CTransferMessageQueue::Message Progress(int p) { return {TransferMessageKind::Progress, p}; }
    static CTransferMessageQueue::Message Done() { return {TransferMessageKind::Done, 0}; }

    // A simulated port that counts itself open until closed.
    class TrackedPort final : public ICommPort {
    public:
        TrackedPort(CRadioSimulator& radio, const FaultOptions& faults, SimulatedRadioTest* owner)
            : m_port(radio, faults), m_owner(owner)
        {
            ++m_owner->openPorts;
        }
        ~TrackedPort() override { Close(); }
        bool IsOpen() const override { return m_port.IsOpen(); }
        quint32 LastError() const override { return m_port.LastError(); }
        int Read(quint8* b, int c, bool w) override { return m_port.Read(b, c, w); }
        int Write(const quint8* b, int c) override
        {
            if (m_owner->onWrite)
                m_owner->onWrite();
            return m_port.Write(b, c);
        }
        bool Purge(quint32 f) override { return m_port.Purge(f); }
        bool ClearErrors() override { return m_port.ClearErrors(); }
        void Close() override
        {
            if (!m_bClosed) {
                m_bClosed = true;
                --m_owner->openPorts;
            }
            m_port.Close();
        }

    private:
        CSimulatedPort m_port;
        SimulatedRadioTest* m_owner;
        bool m_bClosed = false;
    };

    CRadioSimulator radio;
    FaultOptions faults;
    std::shared_ptr<CTransferMessageQueue> messages = std::make_shared<CTransferMessageQueue>();
    std::function<void()> onWrite;   // runs before every frame the PC sends
    int portsCreated = 0;
    int openPorts = 0;
};

inline void PrintTo(const ContactRecord& c, std::ostream* os)
{
    *os << "{" << c.name.toStdString() << " " << c.pid.toStdString() << " type " << int(c.cntct_type) << " flags "
        << int(c.contactFlags) << " role " << int(c.roleFlags) << " tone " << int(c.alert_tone) << " ch "
        << int(c.channel) << " groups";
    for (const QString& g : c.parentGroups)
        *os << " " << g.toStdString();
    *os << " home " << c.home_grp.toStdString() << " " << int(c.groupListCount) << "/" << int(c.homeGroupIndex) << "}";
}

inline std::ostream& operator<<(std::ostream& os, const CTransferMessageQueue::Message& m)
{
    return os << "{" << int(m.kind) << ", " << m.param << "}";
}
