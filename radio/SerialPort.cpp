#include "SerialPort.h"

#include "RadioResult.h"

#include <QDeadlineTimer>
#include <QSerialPort>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

SerialPort::SerialPort(SerialTimings timings) : m_timings(timings) {}

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::IsOpen() const
{
    return m_port && m_port->isOpen();
}

bool SerialPort::Open(const QString& portName)
{
    Close();
    m_nLastError = 0;
    m_nErrorWord = 0;
    m_bHungUp = false;
    m_strOpenProblem.clear();

    auto port = std::make_unique<QSerialPort>();
    port->setPortName(portName);
    if (portName.isEmpty() || !port->open(QIODevice::ReadWrite)) {
        m_nLastError = port->error() != QSerialPort::NoError ? quint32(port->error())
                                                             : quint32(QSerialPort::DeviceNotFoundError);
        m_strOpenProblem = PortProblemText(portName);
        return false;
    }
    m_port = std::move(port);

    // A line that cannot be set up keeps its error, so the link refuses to
    // talk at a wrong speed or format; the first refusal is the one kept.
    auto step = [this](bool ok) {
        if (!ok && m_nLastError == 0)
            m_nLastError = quint32(m_port->error());
        m_port->clearError();
    };
    step(m_port->setBaudRate(QSerialPort::Baud9600));
    step(m_port->setDataBits(QSerialPort::Data8));
    step(m_port->setParity(QSerialPort::NoParity));
    step(m_port->setStopBits(QSerialPort::OneStop));
    step(m_port->setFlowControl(QSerialPort::NoFlowControl));
    // A pseudo-terminal has no modem lines and refuses to set them; that is
    // no fault of the line, so the refusal is not kept.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    m_port->clearError();
    const quint32 configurationError = m_nLastError;
    Purge(kPurgeAll);
    m_nLastError = configurationError;
    return true;
}

void SerialPort::CollectPortError()
{
    const auto error = m_port->error();
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) {
        m_port->clearError();
        return;
    }
    m_nLastError = quint32(error);
    // The device went away (unplugged cable, closed pseudo-terminal): every
    // further read would fail at once, so stop waiting on it.
    if (error == QSerialPort::ResourceError)
        m_bHungUp = true;
    m_port->clearError();
}

namespace {

// Waits up to timeoutMs for the descriptor; the poll result flags, 0 on timeout.
short WaitFor(int fd, short events, qint64 timeoutMs)
{
    pollfd pfd{fd, events, 0};
    const int ready = ::poll(&pfd, 1, int(std::clamp<qint64>(timeoutMs, 0, INT_MAX)));
    return ready > 0 ? pfd.revents : 0;
}

bool Transient(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

} // namespace

int SerialPort::Read(quint8* buffer, int count, bool waitForAll)
{
    if (!IsOpen() || !buffer || count <= 0 || m_bHungUp)
        return 0;
    // The port is read directly: the driver queue is the only buffer, and a
    // vanished device shows as a hang-up instead of an endless ready signal.
    const int fd = int(m_port->handle());
    QDeadlineTimer deadline(waitForAll ? qint64(count) * m_timings.readPerByteMs : 0);
    int got = 0;
    while (got < count) {
        const short events = WaitFor(fd, POLLIN, deadline.remainingTime());
        if (events & POLLIN) {
            const ssize_t n = ::read(fd, buffer + got, size_t(count - got));
            if (n > 0) {
                got += int(n);
                continue;
            }
            if (n == 0 || !Transient(errno)) {
                m_nLastError = quint32(QSerialPort::ResourceError);
                m_bHungUp = true;
                break;
            }
        } else if (events & (POLLHUP | POLLERR | POLLNVAL)) {
            m_nLastError = quint32(QSerialPort::ResourceError);
            m_bHungUp = true;
            break;
        }
        if (deadline.hasExpired())
            break;
    }
    return got;
}

int SerialPort::Write(const quint8* buffer, int count)
{
    if (!IsOpen() || !buffer || count <= 0 || m_bHungUp)
        return 0;
    const int fd = int(m_port->handle());
    QDeadlineTimer deadline(m_timings.writeTotalMs);
    int done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, buffer + done, size_t(count - done));
        if (n > 0) {
            done += int(n);
            continue;
        }
        if (n < 0 && !Transient(errno)) {
            m_nLastError = quint32(errno == EIO ? QSerialPort::ResourceError : QSerialPort::WriteError);
            m_bHungUp = errno == EIO;
            break;
        }
        if (deadline.hasExpired() || !(WaitFor(fd, POLLOUT, deadline.remainingTime()) & POLLOUT))
            break;
    }
    return done;
}

bool SerialPort::Purge(quint32 flags)
{
    m_nLastError = 0;
    if (!IsOpen())
        return false;
    QSerialPort::Directions directions;
    if (flags & (kPurgeRxAbort | kPurgeRxClear))
        directions |= QSerialPort::Input;
    if (flags & (kPurgeTxAbort | kPurgeTxClear))
        directions |= QSerialPort::Output;
    bool ok = true;
    if (directions) {
        ok = m_port->clear(directions);
        if (!ok)
            CollectPortError();
    }
    return ok;
}

bool SerialPort::ClearErrors()
{
    m_nLastError = 0;
    m_nErrorWord = 0;
    if (m_port)
        m_port->clearError();
    return IsOpen();
}

void SerialPort::Close()
{
    if (!IsOpen()) {
        m_port.reset();
        return;
    }
    Purge(kPurgeAll);
    m_port->close();
    m_port.reset();
    m_nLastError = 0;
    m_nErrorWord = 0;
    m_bHungUp = false;
}
