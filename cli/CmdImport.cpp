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
                                        "Reads the XML profile FILE.xml (UTF-8 with a mark, as declared, or undeclared\n"
                                        "when its bytes are UTF-8, as the export writes it; UTF-16 with a byte-order\n"
                                        "mark; otherwise code page 1252), loads it like a profile file (compatibility\n"
                                        "check, model-group fields, schema validation) and stores it at OUT.jub,\n"
                                        "scrambled, in the UTF-16 form. A profile of the first model group keeps its own\n"
                                        "generation and byte form (where the byte form holds every character) unless\n"
                                        "--convert converts it to the latest format. Nothing is written when the profile\n"
                                        "is refused."),
                         [](const QStringList& args) { return RunImport(args); }});

}  // namespace
