// kvxzot-cli open: load a profile file through the data model and describe it.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"

namespace {

int RunOpen(const QStringList& args)
{
    if (args.size() != 1) {
        CliError(QStringLiteral("Usage: kvxzot-cli open FILE"));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    auto doc = OpenProfile(args.first());
    if (!doc)
        return 1;
    CDataItem limit;
    doc->GetRootItem().GetChildByName(QStringLiteral("limit"), limit);
    const ProfileCounts counts = CountProfile(*doc);
    CliPrint(QStringLiteral("Model:           %1").arg(limit.GetAttributeValue(QStringLiteral("model")).toString()));
    CliPrint(QStringLiteral("Model group:     %1").arg(doc->GetDataModel().GetGroup()));
    CliPrint(QStringLiteral("Unit ID:         %1").arg(doc->GetUnitId()));
    CliPrint(QStringLiteral("Stored form:     %1").arg(doc->GetDataModel().IsByteForm() ? QStringLiteral("code page 1252")
                                                                                          : QStringLiteral("UTF-16")));
    CliPrint(QStringLiteral("Public groups:   %1").arg(counts.publicGroups));
    CliPrint(QStringLiteral("Private groups:  %1").arg(counts.privateGroups));
    CliPrint(QStringLiteral("Privates:        %1").arg(counts.privates));
    CliPrint(QStringLiteral("Text messages:   %1").arg(counts.textMessages));
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("open"), QStringLiteral("load a profile file and show its group, unit ID and list sizes"),
                         QStringLiteral("Usage: kvxzot-cli open FILE\n\n"
                                        "Loads the profile FILE (.jub, either stored form or plain XML) through the data\n"
                                        "model: unscrambled, lists sorted, checked for compatibility, adapted to its model\n"
                                        "group and validated against the installation's schema. Prints the radio model,\n"
                                        "model group, unit ID, stored form and the number of entries of each list.\n"
                                        "A profile that cannot be loaded prints the reason and exits with status 1."),
                         RunOpen});

}  // namespace
