// kvxzot-cli reset: resets the connected radio.

#include "CliCommand.h"
#include "CliDevice.h"
#include "RadioResult.h"

namespace {

int RunReset(const QStringList& args)
{
    DeviceOptions options;
    if (!ParseDeviceOptions(args, options) || !options.rest.isEmpty()) {
        CliError(QStringLiteral("Usage: kvxzot-cli reset [--port PORT]"));
        return 2;
    }
    CCliDevice device(options);
    const auto job = device.MakeJob(CDeviceJob::Command::Reset);
    if (device.Run(*job) != kResultOk)
        return 1;
    CliPrint(QStringLiteral("The radio was reset."));
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("reset"), QStringLiteral("reset the connected radio"),
                         QStringLiteral("Usage: kvxzot-cli reset [--port PORT]\n\nResets the connected radio.\n\n")
                             + DeviceOptionsHelp(),
                         RunReset});

} // namespace
