// kvxzot-cli reset: resets the connected radio.

#include "CliCommand.h"
#include "CliDevice.h"
#include "RadioResult.h"

namespace {

int RunReset(const QStringList& args)
{
    DeviceOptions options;
    if (!ParseDeviceOptions(args, options) || !options.rest.isEmpty()) {
        CliError(QStringLiteral("Usage: kvxzot-cli reset [--port PATH]"));
        return 2;
    }
    CCliDevice device(options);
    const int result = device.RunChain(CDeviceCommandChain::Command::Reset, [] {
        CliPrint(QStringLiteral("The radio was reset."));
        return int(kResultOk);
    });
    return result == kResultOk ? 0 : 1;
}

CliCommandRegistrar reg({QStringLiteral("reset"), QStringLiteral("reset the connected radio"),
                         QStringLiteral("Usage: kvxzot-cli reset [--port PATH]\n\nResets the connected radio.\n\n")
                             + DeviceOptionsHelp(),
                         RunReset});

} // namespace
