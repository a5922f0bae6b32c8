// kvxzot-cli ports: the serial ports and the one the radio commands use.

#include "CliCommand.h"
#include "CliStartup.h"
#include "ConfigStore.h"
#include "SerialPortList.h"

namespace {

int RunPorts(const QStringList& args)
{
    if (!args.isEmpty()) {
        CliError(QStringLiteral("ports: unexpected argument '%1'").arg(args.first()));
        return 2;
    }
    InstallCliMessageHandler(2);
    if (!InitConfiguration())
        return 1;
    const auto ports = kvx::serial::EnumerateSerialPorts();
    for (const QString& port : ports.value_or(QStringList())) {
        const QString description = kvx::serial::DescribeSerialPort(port);
        CliPrint(description.isEmpty() ? port : QStringLiteral("%1  %2").arg(port, description));
    }
    const QString resolved = GetComPort();
    CliPrint(QStringLiteral("Resolved port: %1").arg(resolved.isEmpty() ? QStringLiteral("(none)") : resolved));
    return resolved.isEmpty() ? 1 : 0;
}

CliCommandRegistrar reg({QStringLiteral("ports"), QStringLiteral("list the serial ports and the resolved port"),
                         QStringLiteral("Usage: kvxzot-cli ports\n\n"
                                        "Lists the serial ports found (ports named in KVXZOT_EXTRA_PORTS first), each\n"
                                        "with its description where the system knows one, then the port the radio\n"
                                        "commands use: the stored CurrentComPort when it is present,\n"
                                        "otherwise the lowest-numbered port. Exits non-zero when there is no port."),
                         RunPorts});

}  // namespace
