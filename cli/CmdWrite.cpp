// kvxzot-cli write: writes a profile into the connected radio.

#include "CliCommand.h"
#include "CliDevice.h"
#include "DataAdaptor.h"
#include "KVXZOTException.h"
#include "ProfileTextFile.h"
#include "RadioResult.h"
#include "StringTable.h"
#include "Transfers.h"

namespace {

int RunWrite(const QStringList& args)
{
    DeviceOptions options;
    if (!ParseDeviceOptions(args, options) || options.rest.size() != 1) {
        CliError(QStringLiteral("Usage: kvxzot-cli write FILE [--port PATH] [--password TEXT] [--yes]"));
        return 2;
    }
    QString text, error;
    if (!ReadProfileText(options.rest[0], text, &error)) {
        CliError(error);
        return 1;
    }
    CCliDevice device(options);
    const int result = device.RunChain(CDeviceCommandChain::Command::Write, [&] {
        // The profile into a fresh image, with the connected radio's own ID.
        VirtualCP image;
        try {
            if (!CDataAdaptor::XML2VirtualCP(text, image, device.Chain().RadioIdentity())) {
                CliError(QStringLiteral("The profile could not be converted."));
                return int(kResultOperationFailed);
            }
        } catch (const CKVXZOTException& e) {
            const QString message = LoadStr(e.GetCode());
            CliError(message.isEmpty() ? QStringLiteral("Error %1").arg(e.GetCode()) : message);
            return int(kResultOperationFailed);
        }
        if (!device.CheckPassword())
            return ReportFailure(kResultUserCanceled), int(kResultUserCanceled);
        const QString port = device.Port();
        return device.RunWorker([&] { WriteCodeplugTransfer(image, port); });
    });
    return result == kResultOk ? 0 : 1;
}

CliCommandRegistrar reg({QStringLiteral("write"), QStringLiteral("write a profile into the connected radio"),
                         QStringLiteral("Usage: kvxzot-cli write FILE [--port PATH] [--password TEXT] [--yes]\n\n"
                                        "Writes the profile (XML text, scrambled or not) into the radio.\n\n")
                             + DeviceOptionsHelp(),
                         RunWrite});

} // namespace
