// kvxzot-cli read-pid: another radio's private ID, received over the air.

#include "CliCommand.h"
#include "CliDevice.h"
#include "MessageIds.h"
#include "RadioResult.h"
#include "StringTable.h"

namespace {

int RunReadPid(const QStringList& args)
{
    DeviceOptions options;
    if (!ParseDeviceOptions(args, options) || !options.rest.isEmpty()) {
        CliError(QStringLiteral("Usage: kvxzot-cli read-pid [--port PORT]"));
        return 2;
    }
    CCliDevice device(options);
    CliError(LoadStr(kMsgPressHomeThenPtt));
    const auto job = device.MakeJob(CDeviceJob::Command::ReadPrivateId);
    if (device.Run(*job) != kResultOk)
        return 1;
    CliPrint(job->PrivateId());
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("read-pid"), QStringLiteral("read another radio's private ID over the air"),
                         QStringLiteral("Usage: kvxzot-cli read-pid [--port PORT]\n\n"
                                        "Waits for another radio to send its private ID over the air (press Home 3\n"
                                        "times and then PTT on it) and prints the ID; gives up after four polls\n"
                                        "three seconds apart.\n\n")
                             + DeviceOptionsHelp(),
                         RunReadPid});

} // namespace
