#include "CliProfileDevice.h"

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"
#include "RadioResult.h"

int ReadRadioToProfileFile(const DeviceOptions& options, const QString& outPath)
{
    CCliDevice device(options);
    const auto job = device.MakeJob(CDeviceJob::Command::Read);
    if (device.Run(*job) != kResultOk)
        return 1;
    // As after a read in the main window: a new, modified profile titled
    // with the radio's ID.
    auto doc = NewCliDocument(options.yes);
    if (!doc->OnNewDocument(job->ReadImage()) || !doc->OnSaveDocument(outPath))
        return 1;
    CliPrint(QStringLiteral("Read radio %1 (model group %2) into %3").arg(doc->GetTitle()).arg(doc->GetDataModel().GetGroup()).arg(outPath));
    return 0;
}

std::unique_ptr<CliWriteProfile> OpenProfileForWrite(const QString& path)
{
    auto profile = std::make_unique<CliWriteProfile>();
    profile->app = StartHeadless();
    if (!profile->app)
        return nullptr;
    profile->doc = OpenProfileAnyForm(path);
    if (!profile->doc)
        return nullptr;
    return profile;
}
