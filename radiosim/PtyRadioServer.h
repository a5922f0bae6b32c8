#pragma once

#include "FaultInjector.h"
#include "RadioSimulator.h"

#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

struct PtyServerOptions {
    QString linkPath;          // stable path made a symbolic link to the pseudo-terminal
    bool pace = false;         // hold both directions to the wire speed
    int baud = 9600;
    FaultOptions faults;
    QString logPath;           // every frame in both directions as hex
    int idleResetMs = 50;      // a gap this long drops a partial request frame
};

// Serves a simulated radio on a pseudo-terminal. The server keeps the
// terminal's other side open itself, so a client may open and close the
// link path as often as it likes; it never touches a real serial device.
class CPtyRadioServer {
public:
    CPtyRadioServer(CRadioSimulator& radio, const PtyServerOptions& options);
    ~CPtyRadioServer();
    CPtyRadioServer(const CPtyRadioServer&) = delete;
    CPtyRadioServer& operator=(const CPtyRadioServer&) = delete;

    bool Start(QString* error = nullptr);
    void Stop();

    // The pseudo-terminal's device path, and the link path when one was made.
    QString DevicePath() const { return m_strDevice; }
    QString PortPath() const { return m_options.linkPath.isEmpty() ? m_strDevice : m_options.linkPath; }

    quint64 Dropped() const { return m_faults.Dropped(); }
    quint64 Corrupted() const { return m_faults.Corrupted(); }

private:
    using Clock = std::chrono::steady_clock;

    void Run();
    void SendReply(const QByteArray& reply);
    void LogFrame(CRadioSimulator::Direction direction, const QByteArray& frame);

    CRadioSimulator& m_radio;
    PtyServerOptions m_options;
    CFaultInjector m_faults;
    int m_nMaster = -1;
    int m_nSlave = -1;
    QString m_strDevice;
    bool m_bLinkMade = false;
    std::thread m_thread;
    std::atomic<bool> m_bStop{false};
    std::mutex m_logMutex;
    QFile m_log;
    Clock::duration m_byteTime;
    Clock::time_point m_lineFree;   // when the last paced byte has passed the line
};
