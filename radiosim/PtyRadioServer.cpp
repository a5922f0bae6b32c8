#include "PtyRadioServer.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

CPtyRadioServer::CPtyRadioServer(CRadioSimulator& radio, const PtyServerOptions& options)
    : m_radio(radio), m_options(options), m_faults(options.faults)
{
    // One character: start bit, 8 data bits, stop bit.
    m_byteTime = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(10.0 / std::max(1, options.baud)));
}

CPtyRadioServer::~CPtyRadioServer()
{
    Stop();
}

bool CPtyRadioServer::Start(QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        Stop();
        return false;
    };
    if (openpty(&m_nMaster, &m_nSlave, nullptr, nullptr, nullptr) != 0)
        return fail(QStringLiteral("cannot open a pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno))));
    // Raw from the start: no echo, no line editing, no character mapping.
    termios tio{};
    if (tcgetattr(m_nSlave, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(m_nSlave, TCSANOW, &tio);
    }
    fcntl(m_nMaster, F_SETFL, fcntl(m_nMaster, F_GETFL) | O_NONBLOCK);
    char name[256] = {};
    if (ttyname_r(m_nSlave, name, sizeof name) != 0)
        return fail(QStringLiteral("cannot name the pseudo-terminal"));
    m_strDevice = QString::fromLocal8Bit(name);

    if (!m_options.linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(m_options.linkPath);
        struct stat st{};
        if (lstat(link.constData(), &st) == 0) {
            // Only a stale link of an earlier run is replaced, never a file.
            if (!S_ISLNK(st.st_mode))
                return fail(QStringLiteral("%1 exists and is not a symbolic link").arg(m_options.linkPath));
            ::unlink(link.constData());
        }
        if (::symlink(name, link.constData()) != 0)
            return fail(QStringLiteral("cannot create %1: %2").arg(m_options.linkPath, QString::fromLocal8Bit(strerror(errno))));
        m_bLinkMade = true;
    }
    if (!m_options.logPath.isEmpty()) {
        m_log.setFileName(m_options.logPath);
        if (!m_log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return fail(QStringLiteral("cannot write the log %1").arg(m_options.logPath));
        m_radio.SetFrameLog([this](CRadioSimulator::Direction d, const QByteArray& f) { LogFrame(d, f); });
    }
    m_bStop = false;
    m_lineFree = Clock::now();
    m_thread = std::thread([this] { Run(); });
    return true;
}

void CPtyRadioServer::Stop()
{
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_log.isOpen()) {
        m_radio.SetFrameLog({});
        m_log.close();
    }
    if (m_bLinkMade) {
        const QByteArray link = QFile::encodeName(m_options.linkPath);
        struct stat st{};
        if (lstat(link.constData(), &st) == 0 && S_ISLNK(st.st_mode))
            ::unlink(link.constData());
        m_bLinkMade = false;
    }
    if (m_nMaster >= 0)
        ::close(m_nMaster);
    if (m_nSlave >= 0)
        ::close(m_nSlave);
    m_nMaster = m_nSlave = -1;
}

void CPtyRadioServer::LogFrame(CRadioSimulator::Direction direction, const QByteArray& frame)
{
    std::lock_guard lock(m_logMutex);
    const char* prefix = direction == CRadioSimulator::Direction::FromPc ? "PC>    " : "RADIO> ";
    m_log.write(prefix);
    m_log.write(frame.toHex(' ').toUpper());
    m_log.write("\n");
    m_log.flush();
}

void CPtyRadioServer::Run()
{
    Clock::time_point lastByte = Clock::now();
    quint8 buffer[512];
    while (!m_bStop) {
        pollfd pfd{m_nMaster, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, 20);
        if (ready <= 0 || !(pfd.revents & POLLIN)) {
            // A client that died without closing leaves the terminal in
            // exclusive mode, which only ends when its last user closes it,
            // and the server is always one: undo it, or no one could connect.
            ::ioctl(m_nSlave, TIOCNXCL);
            continue;   // also POLLHUP: nothing to do but wait for the next client
        }
        const ssize_t n = ::read(m_nMaster, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        const Clock::time_point written = Clock::now();
        const QByteArray received = m_faults.Apply(QByteArray(reinterpret_cast<const char*>(buffer), int(n)));
        for (char c : received) {
            Clock::time_point arrival = Clock::now();
            if (m_options.pace) {
                // The byte reaches the radio one character time after the
                // previous one, never before the PC wrote it. The times are
                // absolute, so wake-up delays do not add up over a frame.
                arrival = std::max(written, m_lineFree) + m_byteTime;
                std::this_thread::sleep_until(arrival);
                m_lineFree = arrival;
            }
            if (arrival - lastByte > std::chrono::milliseconds(m_options.idleResetMs))
                m_radio.LineIdle();
            lastByte = arrival;
            QByteArray reply;
            const quint8 byte = quint8(c);
            m_radio.Receive(&byte, 1, reply);
            if (!reply.isEmpty())
                SendReply(m_faults.Apply(reply));
        }
    }
}

void CPtyRadioServer::SendReply(const QByteArray& reply)
{
    if (m_faults.Options().delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_faults.Options().delayMs));
    auto writeAll = [this](const char* data, int size) {
        int done = 0;
        for (int tries = 0; done < size && tries < 100 && !m_bStop; ++tries) {
            const ssize_t w = ::write(m_nMaster, data + done, size_t(size - done));
            if (w > 0)
                done += int(w);
            else if (w < 0 && errno != EAGAIN && errno != EINTR)
                return;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    if (!m_options.pace) {
        writeAll(reply.constData(), int(reply.size()));
        return;
    }
    // Each byte is handed over when it has fully passed the line, one
    // character time after the one before it.
    Clock::time_point next = std::max(Clock::now(), m_lineFree) + m_byteTime;
    for (char c : reply) {
        std::this_thread::sleep_until(next);
        writeAll(&c, 1);
        m_lineFree = next;
        next += m_byteTime;
    }
}
