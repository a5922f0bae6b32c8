// kvxzot-cli info: the headless start-up and what it found.

#include "CliCommand.h"
#include "CliStartup.h"
#include "ConfigStore.h"

namespace {

int RunInfo(const QStringList& args)
{
    if (!args.isEmpty()) {
        CliError(QStringLiteral("info: unexpected argument '%1'").arg(args.first()));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    CliPrint(QStringLiteral("Install path:        %1").arg(GetInstallPath()));
    CliPrint(QStringLiteral("Language:            %1").arg(app->GetLanguage()));
    CliPrint(QStringLiteral("Region:              %1").arg(app->GetRegion()));
    QStringList languages;
    for (const QString& language : app->GetSupportLanguages())
        languages << QStringLiteral("%1 (%2)").arg(language, app->GetLanguageDisplayName(language));
    CliPrint(QStringLiteral("Supported languages: %1").arg(languages.join(QStringLiteral(", "))));
    CliPrint(QStringLiteral("Help file:           %1").arg(app->GetHelpFile()));
    CliPrint(QStringLiteral("Current group:       %1").arg(app->GetCurrentGroup()));
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("info"), QStringLiteral("start without windows and show the installation's settings"),
                         QStringLiteral("Usage: kvxzot-cli info\n\n"
                                        "Runs the application's start-up without windows (configuration check and repair,\n"
                                        "language, rule-script engine probe, settings documents, region check, merge of the\n"
                                        "latest model group) and prints the installation path, language, region, supported\n"
                                        "languages and the current model group. Exits non-zero when the start-up fails."),
                         RunInfo});

}  // namespace
