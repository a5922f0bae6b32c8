#include "CliProfileDevice.h"

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"
#include "RadioResult.h"
#include "Transfers.h"

int ReadRadioToProfileFile(const DeviceOptions& options, const QString& outPath)
{
    CCliDevice device(options);
    const int result = device.RunChain(CDeviceCommandChain::Command::Read, [&] {
        if (!device.CheckPassword())
            return ReportFailure(kResultUserCanceled), int(kResultUserCanceled);
        VirtualCP image;
        const QString port = device.Port();
        const int read = device.RunWorker([&] { ReadCodeplugTransfer(image, port); });
        if (read != kResultOk)
            return read;
        // As after a read in the main window: a new, modified profile titled
        // with the radio's ID.
        CKVXZOTDoc::SetRadioReadImage(&image);
        auto doc = NewCliDocument(options.yes);
        const bool created = doc->OnNewDocument();
        CKVXZOTDoc::SetRadioReadImage(nullptr);
        if (!created || !doc->OnSaveDocument(outPath))
            return int(kResultOperationFailed);
        CliPrint(QStringLiteral("Read radio %1 (model group %2) into %3").arg(doc->GetTitle()).arg(doc->GetDataModel().GetGroup()).arg(outPath));
        return int(kResultOk);
    });
    return result == kResultOk ? 0 : 1;
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
