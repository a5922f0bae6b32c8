#include "SerialPort.h"

#include <QDeadlineTimer>
#include <QSerialPort>

#include <algorithm>

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

    auto port = std::make_unique<QSerialPort>();
    port->setPortName(portName);
    if (portName.isEmpty() || !port->open(QIODevice::ReadWrite)) {
        m_nLastError = port->error() != QSerialPort::NoError ? quint32(port->error())
                                                             : quint32(QSerialPort::DeviceNotFoundError);
        return false;
    }
    m_port = std::move(port);

    // Each configuration step forgets the error of the one before, so only a
    // failure of the last step survives Open, as on the original platform.
    auto step = [this](bool ok) {
        m_nLastError = 0;
        if (!ok)
            m_nLastError = quint32(m_port->error());
        m_port->clearError();
    };
    step(m_port->setBaudRate(QSerialPort::Baud9600));
    step(m_port->setDataBits(QSerialPort::Data8) && m_port->setParity(QSerialPort::NoParity)
         && m_port->setStopBits(QSerialPort::OneStop));
    step(m_port->setFlowControl(QSerialPort::NoFlowControl));
    // A pseudo-terminal has no modem lines and refuses these; that is not a
    // fault of the link, so the refusal is forgotten.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    m_port->clearError();
    m_nLastError = 0;
    Purge(kPurgeAll);
    m_nLastError = 0;
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

int SerialPort::Read(quint8* buffer, int count, bool waitForAll)
{
    if (!IsOpen() || !buffer)
        return 0;
    if (!waitForAll) {
        if (!m_bHungUp && m_port->bytesAvailable() == 0 && !m_port->waitForReadyRead(0))
            CollectPortError();
        count = int(std::min<qint64>(count, m_port->bytesAvailable()));
    }
    if (count <= 0)
        return 0;

    QDeadlineTimer deadline(qint64(count) * m_timings.readPerByteMs);
    int got = 0;
    for (;;) {
        const qint64 n = m_port->read(reinterpret_cast<char*>(buffer) + got, count - got);
        if (n > 0)
            got += int(n);
        if (got >= count || !waitForAll || m_bHungUp || deadline.hasExpired())
            break;
        if (!m_port->waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())))) {
            CollectPortError();
            if (m_bHungUp) {
                // Take whatever was still buffered before the hang-up.
                const qint64 rest = m_port->read(reinterpret_cast<char*>(buffer) + got, count - got);
                if (rest > 0)
                    got += int(rest);
                break;
            }
        }
    }
    return got;
}

int SerialPort::Write(const quint8* buffer, int count)
{
    if (!IsOpen() || !buffer || count <= 0)
        return 0;
    const qint64 queued = m_port->write(reinterpret_cast<const char*>(buffer), count);
    if (queued < 0) {
        CollectPortError();
        return 0;
    }
    QDeadlineTimer deadline(m_timings.writeTotalMs);
    while (m_port->bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_port->waitForBytesWritten(int(std::max<qint64>(1, deadline.remainingTime())))) {
            CollectPortError();
            break;
        }
    }
    const qint64 pending = m_port->bytesToWrite();
    if (pending > 0) {
        // The write gave up: drop the rest rather than send it late.
        m_port->clear(QSerialPort::Output);
    }
    return int(std::max<qint64>(0, queued - pending));
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
