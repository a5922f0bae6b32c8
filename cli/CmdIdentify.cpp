// kvxzot-cli identify: the connected radio's firmware version and model group.

#include "CliCommand.h"
#include "CliDevice.h"
#include "RadioResult.h"
#include "Transfers.h"

namespace {

int RunIdentify(const QStringList& args)
{
    DeviceOptions options;
    if (!ParseDeviceOptions(args, options) || !options.rest.isEmpty()) {
        CliError(QStringLiteral("Usage: kvxzot-cli identify [--port PATH]"));
        return 2;
    }
    CCliDevice device(options);
    // The Read chain up to its flow: identify, model group, password.
    const int result = device.RunChain(CDeviceCommandChain::Command::Read, [&] {
        const CDeviceCommandChain& chain = device.Chain();
        const auto& v = chain.RadioVersion();
        CliPrint(QStringLiteral("firmware: %1").arg(VersionText(chain.RadioVersion())));
        CliPrint(QString::asprintf("codeplug: CP%02X.%02X.%02X", v[4], v[5], v[6]));
        CliPrint(QStringLiteral("model group: %1").arg(chain.RadioModelGroup()));
        if (chain.RadioModelGroup() >= 3)
            CliPrint(QStringLiteral("password: %1").arg(chain.RadioPassword().isEmpty() ? QStringLiteral("none")
                                                                                       : QStringLiteral("set")));
        return int(kResultOk);
    });
    return result == kResultOk ? 0 : 1;
}

CliCommandRegistrar reg({QStringLiteral("identify"), QStringLiteral("identify the connected radio"),
                         QStringLiteral("Usage: kvxzot-cli identify [--port PATH]\n\n"
                                        "Prints the radio's firmware and codeplug versions and its model group.\n\n")
                             + DeviceOptionsHelp(),
                         RunIdentify});

} // namespace
