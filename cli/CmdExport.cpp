// kvxzot-cli export: the XML text of a profile file, unscrambled.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"
#include "KVXZOTException.h"
#include "Messages.h"

namespace {

int RunExport(QStringList args)
{
    bool missing = false;
    const QString output = TakeOption(args, QStringLiteral("-o"), &missing);
    if (args.size() != 1 || missing) {
        CliError(QStringLiteral("Usage: kvxzot-cli export FILE [-o OUT.xml]"));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    auto doc = OpenProfile(args.first());
    if (!doc)
        return 1;
    try {
        // The profile as it is stored: its own generation's fields only.
        doc->GetDataModel().TakeOffDoc(false);
    } catch (const CKVXZOTException& e) {
        kvx::ShowMessage(e.UserText());
        return 1;
    }
    return WriteTextOutput(output, doc->GetDataModel().GetOperaXml()) ? 0 : 1;
}

CliCommandRegistrar reg({QStringLiteral("export"), QStringLiteral("write a profile file's XML text, unscrambled"),
                         QStringLiteral("Usage: kvxzot-cli export FILE [-o OUT.xml]\n\n"
                                        "Loads and validates the profile FILE and writes its XML text, unscrambled and in\n"
                                        "UTF-8, to OUT.xml or to standard output. The text is the profile as it is stored:\n"
                                        "lists in name order, only the fields of its own model group."),
                         [](const QStringList& args) { return RunExport(args); }});

}  // namespace
