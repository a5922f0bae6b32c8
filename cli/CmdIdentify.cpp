// kvxzot-cli identify: the connected radio's firmware version and model group.

#include "CliCommand.h"
#include "CliDevice.h"
#include "RadioResult.h"
#include "ModelGroup.h"

namespace {

int RunIdentify(const QStringList& args)
{
    DeviceOptions options;
    if (!ParseDeviceOptions(args, options) || !options.rest.isEmpty()) {
        CliError(QStringLiteral("Usage: kvxzot-cli identify [--port PORT]"));
        return 2;
    }
    CCliDevice device(options);
    // The Read chain up to its flow: identify, model group, password.
    const auto job = device.MakeJob(CDeviceJob::Command::Identify);
    if (device.Run(*job) != kResultOk)
        return 1;
    const CDeviceJob::RadioIdentity& radio = job->Identity();
    const auto& v = radio.version;
    CliPrint(QStringLiteral("firmware: %1").arg(radio.versionText));
    CliPrint(QString::asprintf("codeplug: CP%02X.%02X.%02X", v[4], v[5], v[6]));
    CliPrint(QStringLiteral("model group: %1").arg(radio.modelGroup));
    if (radio.modelGroup >= kLatestModelGroup)
        CliPrint(QStringLiteral("password: %1").arg(radio.hasPassword ? QStringLiteral("set") : QStringLiteral("none")));
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("identify"), QStringLiteral("identify the connected radio"),
                         QStringLiteral("Usage: kvxzot-cli identify [--port PORT]\n\n"
                                        "Prints the radio's firmware and codeplug versions and its model group.\n\n")
                             + DeviceOptionsHelp(),
                         RunIdentify});

} // namespace
