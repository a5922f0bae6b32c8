// kvxzot-cli import: a plain XML profile validated and stored as a profile file.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"

namespace {

int RunImport(QStringList args)
{
    bool missing = false;
    const QString output = TakeOption(args, QStringLiteral("-o"), &missing);
    const bool convert = TakeFlag(args, QStringLiteral("--convert"));
    if (args.size() != 1 || output.isEmpty() || missing) {
        CliError(QStringLiteral("Usage: kvxzot-cli import FILE.xml -o OUT.jub [--convert]"));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    auto doc = OpenProfileAnyForm(args.first(), convert);
    if (!doc || !doc->OnSaveDocument(output))
        return 1;
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("import"), QStringLiteral("store a plain XML profile as a profile file"),
                         QStringLiteral("Usage: kvxzot-cli import FILE.xml -o OUT.jub [--convert]\n\n"
                                        "Reads the XML profile FILE.xml (UTF-8, UTF-16 with a byte-order mark, or code\n"
                                        "page 1252), loads it like a profile file (compatibility check, model-group\n"
                                        "fields, schema validation) and stores it at OUT.jub, scrambled, in the UTF-16\n"
                                        "form. A profile of the first model group keeps its own generation and byte form\n"
                                        "unless --convert converts it to the latest format. Nothing is written when the\n"
                                        "profile is refused."),
                         [](const QStringList& args) { return RunImport(args); }});

}  // namespace
