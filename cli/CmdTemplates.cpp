// kvxzot-cli templates: the profile templates of the installation.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"
#include "AppProfileEnvironment.h"

namespace {

int RunTemplates(const QStringList& args)
{
    if (!args.isEmpty()) {
        CliError(QStringLiteral("Usage: kvxzot-cli templates"));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    const auto environment = CAppProfileEnvironment::Instance();
    const QStringList names = CKVXZOTDoc::TemplateNames(*environment);
    if (names.isEmpty())
        return 1;
    for (const QString& name : names) {
        auto doc = OpenProfile(CKVXZOTDoc::TemplatePath(*environment, name));
        if (!doc) {
            CliPrint(QStringLiteral("%1  (does not load)").arg(name));
            continue;
        }
        CDataItem limit;
        doc->GetRootItem().GetChildByName(QStringLiteral("limit"), limit);
        CliPrint(QStringLiteral("%1  model %2, group %3, %4 contacts, %5 channels")
                     .arg(name, -8)
                     .arg(limit.GetAttributeValue(QStringLiteral("model")).toString())
                     .arg(doc->GetDataModel().GetGroup())
                     .arg(limit.GetAttributeValue(QStringLiteral("max_num_of_contacts")).toInt())
                     .arg(limit.GetAttributeValue(QStringLiteral("max_num_of_channels")).toInt()));
    }
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("templates"), QStringLiteral("list the installation's profile templates"),
                         QStringLiteral("Usage: kvxzot-cli templates\n\n"
                                        "Lists the profile templates of the installation's ProfileTemplate folder (the\n"
                                        "choices of the New Profile dialog) with the radio model, model group and\n"
                                        "capacities of each. Exits with status 1 when there is none."),
                         RunTemplates});

}  // namespace
