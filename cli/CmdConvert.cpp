// kvxzot-cli convert: a profile file converted to the latest format.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"

namespace {

int RunConvert(QStringList args)
{
    bool missing = false;
    const QString output = TakeOption(args, QStringLiteral("-o"), &missing);
    if (args.size() != 1 || output.isEmpty() || missing) {
        CliError(QStringLiteral("Usage: kvxzot-cli convert FILE -o OUT.jub"));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    auto doc = OpenProfile(args.first(), true);
    if (!doc)
        return 1;
    // The latest format is also the current stored form.
    doc->GetDataModel().SetByteForm(false);
    if (!doc->OnSaveDocument(output))
        return 1;
    CliPrint(QStringLiteral("Model group:     %1").arg(doc->GetDataModel().GetGroup()));
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("convert"), QStringLiteral("convert a profile file to the latest format"),
                         QStringLiteral("Usage: kvxzot-cli convert FILE -o OUT.jub\n\n"
                                        "Loads the profile FILE, converts it to the latest model group's format (every\n"
                                        "field, the latest firmware version) and stores it at OUT.jub in the UTF-16 form.\n"
                                        "A profile that is already in the latest format is stored in the UTF-16 form."),
                         [](const QStringList& args) { return RunConvert(args); }});

}  // namespace
