// kvxzot-cli version-group: the model group of a firmware version.

#include "CliCommand.h"
#include "CliStartup.h"

namespace {

int RunVersionGroup(const QStringList& args)
{
    if (args.size() != 1) {
        CliError(QStringLiteral("Usage: kvxzot-cli version-group VERSION"));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    CliPrint(QString::number(app->GetVersionGroup(args.first())));
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("version-group"), QStringLiteral("print the model group of a firmware version"),
                         QStringLiteral("Usage: kvxzot-cli version-group VERSION\n\n"
                                        "Prints the model group (1 to 3) that the installation's settings assign to a\n"
                                        "firmware version such as R5E.10.02 or 5E.10.02, or 0 when no group holds it."),
                         RunVersionGroup});

}  // namespace
