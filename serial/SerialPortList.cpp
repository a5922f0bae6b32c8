#include "SerialPortList.h"

#include <QSerialPortInfo>
#include <mutex>

namespace kvx::serial {
namespace {
std::mutex g_mutex;
PortEnumerator g_enumerator;

std::optional<QStringList> PlatformPorts()
{
    QStringList ports = ExtraPortsFromEnvironment();
    // Test runs and simulated set-ups can keep the machine's own ports out.
    if (!qEnvironmentVariableIsEmpty("KVXZOT_NO_PLATFORM_PORTS"))
        return ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        if (!ports.contains(location))
            ports << location;
    }
    return ports;
}
}  // namespace

QStringList ExtraPortsFromEnvironment()
{
    return qEnvironmentVariable("KVXZOT_EXTRA_PORTS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

std::optional<QStringList> EnumerateSerialPorts()
{
    PortEnumerator enumerator;
    {
        std::lock_guard lock(g_mutex);
        enumerator = g_enumerator;
    }
    return enumerator ? enumerator() : PlatformPorts();
}

PortEnumerator SetPortEnumerator(PortEnumerator enumerator)
{
    std::lock_guard lock(g_mutex);
    std::swap(g_enumerator, enumerator);
    return enumerator;
}

qint64 PortNumber(const QString& portName)
{
    qsizetype start = portName.size();
    while (start > 0 && portName.at(start - 1).isDigit() && portName.at(start - 1).unicode() < 128)
        --start;
    // Long digit runs would overflow; they are not port numbers anyway.
    const QString digits = portName.mid(start).right(15);
    return digits.isEmpty() ? 0 : digits.toLongLong();
}

}  // namespace kvx::serial
