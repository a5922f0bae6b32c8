// kvxzot-cli read: reads the connected radio into a profile text file.

#include "CliCommand.h"
#include "CliDevice.h"
#include "CliProfileDevice.h"
#include "DataAdaptor.h"
#include "ProfileTextFile.h"
#include "RadioResult.h"

namespace {

int RunRead(const QStringList& args)
{
    DeviceOptions options;
    const bool parsed = ParseDeviceOptions(args, options);
    if (parsed && options.rest.size() == 2 && options.rest[0] == QStringLiteral("-o"))
        return ReadRadioToProfileFile(options, options.rest[1]);
    if (!parsed || options.rest.size() != 2 || options.rest[0] != QStringLiteral("--xml")) {
        CliError(QStringLiteral("Usage: kvxzot-cli read (-o OUT.jub | --xml FILE) [--port PORT] [--password TEXT] [--yes]"));
        return 2;
    }
    const QString path = options.rest[1];
    CCliDevice device(options);
    const auto job = device.MakeJob(CDeviceJob::Command::Read);
    if (device.Run(*job) != kResultOk)
        return 1;
    QString text;
    CDataAdaptor::VirtualCP2XML(job->ReadImage(), text);
    QString error;
    if (!WriteProfileText(path, text, &error)) {
        CliError(error);
        return 1;
    }
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("read"), QStringLiteral("read the connected radio into a profile text"),
                         QStringLiteral("Usage: kvxzot-cli read (-o OUT.jub | --xml FILE) [--port PORT] [--password TEXT] [--yes]\n\n"
                                        "Reads the radio's whole content. With -o it becomes a new profile, sorted and\n"
                                        "validated, saved as the profile file OUT.jub (--yes converts an old-format radio's\n"
                                        "profile to the latest format). With --xml the profile XML text is written as it\n"
                                        "comes from the radio (UTF-8).\n\n")
                             + DeviceOptionsHelp(),
                         RunRead});

} // namespace
