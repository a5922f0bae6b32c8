// kvxzot-cli read: reads the connected radio into a profile text file.

#include "CliCommand.h"
#include "CliDevice.h"
#include "DataAdaptor.h"
#include "ProfileTextFile.h"
#include "RadioResult.h"
#include "Transfers.h"

namespace {

int RunRead(const QStringList& args)
{
    DeviceOptions options;
    if (!ParseDeviceOptions(args, options) || options.rest.size() != 2 || options.rest[0] != QStringLiteral("--xml")) {
        CliError(QStringLiteral("Usage: kvxzot-cli read --xml FILE [--port PATH] [--password TEXT]"));
        return 2;
    }
    const QString path = options.rest[1];
    CCliDevice device(options);
    const int result = device.RunChain(CDeviceCommandChain::Command::Read, [&] {
        if (!device.CheckPassword())
            return ReportFailure(kResultUserCanceled), int(kResultUserCanceled);
        VirtualCP image;
        const QString port = device.Port();
        const int read = device.RunWorker([&] { ReadCodeplugTransfer(image, port); });
        if (read != kResultOk)
            return read;
        QString text;
        CDataAdaptor::VirtualCP2XML(image, text);
        QString error;
        if (!WriteProfileText(path, text, &error)) {
            CliError(error);
            return int(kResultOperationFailed);
        }
        return int(kResultOk);
    });
    return result == kResultOk ? 0 : 1;
}

CliCommandRegistrar reg({QStringLiteral("read"), QStringLiteral("read the connected radio into a profile text"),
                         QStringLiteral("Usage: kvxzot-cli read --xml FILE [--port PATH] [--password TEXT]\n\n"
                                        "Reads the radio's whole content and writes it as profile XML text (UTF-8).\n\n")
                             + DeviceOptionsHelp(),
                         RunRead});

} // namespace
