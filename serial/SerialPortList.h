#pragma once

#include <QStringList>
#include <functional>
#include <optional>

// The list of serial ports of this machine, in enumeration order: ports
// named in KVXZOT_EXTRA_PORTS (colon-separated paths, e.g. a simulated
// radio's link) first, then the platform's ports by their device paths
// unless KVXZOT_NO_PLATFORM_PORTS is set.
namespace kvx::serial {

// nullopt means the port list itself could not be read.
using PortEnumerator = std::function<std::optional<QStringList>()>;

std::optional<QStringList> EnumerateSerialPorts();

// Replaces the enumeration (tests, which must never list the machine's real
// ports); an empty function restores the platform's. Returns the previous one.
PortEnumerator SetPortEnumerator(PortEnumerator enumerator);

// Ports from KVXZOT_EXTRA_PORTS, in their order.
QStringList ExtraPortsFromEnvironment();

// The system's description of a port, such as a USB serial adapter's
// product name; empty when the system knows none (built-in ports,
// pseudo-terminals).
QString DescribeSerialPort(const QString& portName);

// Replaces the description lookup (tests); an empty function restores the
// platform's. Returns the previous one.
using PortDescriber = std::function<QString(const QString& portName)>;
PortDescriber SetPortDescriber(PortDescriber describer);

// Why a port cannot be opened, as far as its device file tells.
struct PortAccess {
    enum Problem { None, Missing, NoPermission, NotSerial };
    Problem problem = None;
    // For NoPermission: the group that owns the device when membership of it
    // grants access (read and write for the group, not the root group).
    QString group;
};
PortAccess CheckPortAccess(const QString& portName);

// A port's number: the decimal value of the name's trailing digits
// ("COM3" → 3, "/dev/ttyUSB10" → 10); 0 when it ends in no digit.
qint64 PortNumber(const QString& portName);

}  // namespace kvx::serial
