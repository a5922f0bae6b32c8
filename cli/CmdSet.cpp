// kvxzot-cli set: change one attribute through the profile's rules.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliEdit.h"
#include "CliStartup.h"

namespace {

int RunSet(const QStringList& arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const QString output = TakeOption(args, QStringLiteral("-o"), &missing);
    const bool confirm = TakeFlag(args, QStringLiteral("--confirm"));
    if (missing || args.size() != 4) {
        CliError(QStringLiteral("Usage: kvxzot-cli set FILE XPATH ATTRIBUTE VALUE [--confirm] [-o OUT]"));
        return 2;
    }
    std::unique_ptr<CKVXZOTApp> app;
    auto doc = StartEdit(args[0], app);
    if (!doc)
        return 1;
    return RunEdit([&] {
        CDataItem item = SelectItem(*doc, args[1]);
        if (item.IsEmpty())
            return 1;
        if (!item.GetNode().HasAttribute(args[2])) {
            CliError(QStringLiteral("The element has no attribute %1").arg(args[2]));
            return 1;
        }
        return FinishEdit(*doc, ApplyEdit(*doc, EditRequest::SetAttribute(item, args[2], args[3]), confirm), output);
    });
}

CliCommandRegistrar reg({QStringLiteral("set"), QStringLiteral("change an attribute of a profile through the profile's rules"),
                         QStringLiteral("Usage: kvxzot-cli set FILE XPATH ATTRIBUTE VALUE [--confirm] [-o OUT]\n\n"
                                        "Opens the profile FILE, selects the first element XPATH matches (the prefix\n"
                                        "\"dfns\" names the profile's namespace, e.g.\n"
                                        "  //dfns:PublicGroup[@name='Dispatch'])\n"
                                        "and sets ATTRIBUTE to VALUE through the rule script, as the editing views do.\n"
                                        "Prints the result (0 applied, 1 refused, 2 confirmation needed) with the\n"
                                        "message number and text. --confirm answers a confirmation request Yes by\n"
                                        "repeating the call. Only an applied change is saved, and only to OUT when\n"
                                        "-o is given; without -o nothing is written. Exit status 0 when applied."),
                         RunSet});

}  // namespace
