#pragma once

#include "CommPort.h"

#include <QString>
#include <memory>

class QSerialPort;

// Timing of a serial port: a read of n bytes gives up after n x readPerByteMs,
// a write after writeTotalMs. Tests use shorter values.
struct SerialTimings {
    int readPerByteMs = 100;
    int writeTotalMs = 120;
};

// The serial port to the radio's programming cable: 9600 baud, 8 data bits,
// no parity, one stop bit, no flow control, DTR and RTS held on. Used
// blocking from the one thread that created it; there is no reader thread.
class SerialPort final : public ICommPort {
public:
    explicit SerialPort(SerialTimings timings = {});
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens the port by name: a bare device name (ttyUSB0) or a path, used as
    // given. False leaves the object closed with the error recorded, and the
    // reason in OpenProblem when the device file shows one.
    bool Open(const QString& portName);
    QString OpenProblem() const { return m_strOpenProblem; }

    bool IsOpen() const override;
    quint32 LastError() const override { return m_nLastError; }
    // Line errors collected since the last ClearErrors (never abort anything).
    quint32 ErrorWord() const { return m_nErrorWord; }
    int Read(quint8* buffer, int count, bool waitForAll) override;
    int Write(const quint8* buffer, int count) override;
    bool Purge(quint32 flags) override;
    bool ClearErrors() override;
    void Close() override;

private:
    void CollectPortError();

    std::unique_ptr<QSerialPort> m_port;
    quint32 m_nLastError = 0;
    quint32 m_nErrorWord = 0;
    SerialTimings m_timings;
    QString m_strOpenProblem;
    bool m_bHungUp = false;
};
