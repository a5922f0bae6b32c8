// kvxzot-cli write: writes a profile into the connected radio.

#include "CliCommand.h"
#include "CliDevice.h"
#include "CliProfileDevice.h"
#include "KVXZOTDoc.h"
#include "MessageIds.h"
#include "RadioResult.h"
#include "StringTable.h"
#include "WriteFlow.h"

namespace {

int RunWrite(const QStringList& args)
{
    DeviceOptions options;
    if (!ParseDeviceOptions(args, options) || options.rest.size() != 1) {
        CliError(QStringLiteral("Usage: kvxzot-cli write FILE [--port PORT] [--password TEXT] [--yes]"));
        return 2;
    }
    // The profile is opened (and validated) through the document first.
    const auto profile = OpenProfileForWrite(options.rest[0]);
    if (!profile)
        return 1;
    CCliDevice device(options);
    const auto job = device.MakeJob(CDeviceJob::Command::Write);
    const int result = device.Run(*job, [&](CDeviceJob& identified) {
        // The profile into a fresh image, with the connected radio's own ID.
        VirtualCP image;
        if (!PrepareWriteImage(*profile->doc, identified.Identity().ownId, image))
            return false;   // the reason has been shown
        if (ProfileNotSupportedByRadio(*profile->doc, identified.Identity().modelGroup)) {
            if (!device.AskYesNo(LoadStr(kMsgProfileNotSupported)))
                return false;
            // The radio's own question about it is then answered already.
            identified.setProfileNotSupportedAccepted(true);
        }
        identified.proceed(image);
        return true;
    });
    return result == kResultOk ? 0 : 1;
}

CliCommandRegistrar reg({QStringLiteral("write"), QStringLiteral("write a profile into the connected radio"),
                         QStringLiteral("Usage: kvxzot-cli write FILE [--port PORT] [--password TEXT] [--yes]\n\n"
                                        "Writes the profile (XML text, scrambled or not) into the radio.\n\n")
                             + DeviceOptionsHelp(),
                         RunWrite});

} // namespace
