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

// A port's number: the decimal value of the name's trailing digits
// ("COM3" → 3, "/dev/ttyUSB10" → 10); 0 when it ends in no digit.
qint64 PortNumber(const QString& portName);

}  // namespace kvx::serial
