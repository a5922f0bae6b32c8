// kvxzot-cli add: add a new entry to one of the profile's lists.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliEdit.h"
#include "CliStartup.h"

namespace {

int RunAdd(const QStringList& arguments)
{
    QStringList args = arguments;
    bool missingOutput = false, missingName = false;
    const QString output = TakeOption(args, QStringLiteral("-o"), &missingOutput);
    const QString name = TakeOption(args, QStringLiteral("--name"), &missingName);
    const QStringList folders = {QStringLiteral("PublicGroups"), QStringLiteral("PrivateGroups"), QStringLiteral("Privates"),
                                 QStringLiteral("TextMessages")};
    if (missingOutput || missingName || args.size() != 2 || !folders.contains(args[1])) {
        CliError(QStringLiteral("Usage: kvxzot-cli add FILE PublicGroups|PrivateGroups|Privates|TextMessages [--name TEXT] [-o OUT]"));
        return 2;
    }
    std::unique_ptr<CKVXZOTApp> app;
    auto doc = StartEdit(args[0], app);
    if (!doc)
        return 1;
    const QString folderName = args[1];
    return RunEdit([&] {
        const bool message = folderName == QStringLiteral("TextMessages");
        CDataItem folder = SelectItem(*doc, message ? QStringLiteral("/dfns:KVXProfile/dfns:TextMessages")
                                                    : QStringLiteral("/dfns:KVXProfile/dfns:Contacts/dfns:") + folderName);
        if (folder.IsEmpty())
            return 1;
        if (!folder.CanAddChild()) {
            CliError(QStringLiteral("%1 is full: the radio holds no more entries of this kind").arg(folderName));
            return 1;
        }
        EditOutcome outcome;
        if (folderName == QStringLiteral("PrivateGroups") || folderName == QStringLiteral("Privates")) {
            const QString base = !name.isEmpty() ? name
                                 : folderName == QStringLiteral("Privates") ? QStringLiteral("Private")
                                                                           : QStringLiteral("Group");
            outcome = doc->Apply(EditRequest::AddPrivateOrGroup(folder, base));
        } else {
            outcome = doc->Apply(EditRequest::AddChild(folder));
        }
        if (!outcome.IsApplied())
            return 1;
        const CDataItem added = outcome.added;
        // A public group's or message's own text goes through its rule like an edit.
        if (!name.isEmpty() && (message || folderName == QStringLiteral("PublicGroups"))) {
            const QString attribute = message ? QStringLiteral("txt") : QStringLiteral("name");
            const EditOutcome named = doc->Apply(EditRequest::SetAttribute(added, attribute, name));
            if (!named.IsApplied()) {
                PrintAnswer(named);
                return 1;
            }
        }
        const kvx::xml::XmlNode node = added.GetNode();
        if (message)
            CliPrint(QStringLiteral("Added text message \"%1\"").arg(node.GetAttribute(QStringLiteral("txt"))));
        else
            CliPrint(QStringLiteral("Added %1 \"%2\" ID %3 channel %4")
                         .arg(node.BaseName(), node.GetAttribute(QStringLiteral("name")), node.GetAttribute(QStringLiteral("pid")),
                              node.GetAttribute(QStringLiteral("channel"))));
        return FinishEdit(*doc, outcome, output);
    });
}

CliCommandRegistrar reg({QStringLiteral("add"), QStringLiteral("add an entry to a profile list through the profile's rules"),
                         QStringLiteral("Usage: kvxzot-cli add FILE FOLDER [--name TEXT] [-o OUT]\n\n"
                                        "FOLDER is one of PublicGroups, PrivateGroups, Privates, TextMessages. Asks the\n"
                                        "rule script whether the radio holds another entry, then creates it with the\n"
                                        "script's defaults: a unique name built from TEXT (default \"Group\" or\n"
                                        "\"Private\"), a free ID and a channel. For a public group TEXT becomes its name\n"
                                        "and for a text message its text, both checked by the rules. Saves only to OUT\n"
                                        "when -o is given."),
                         RunAdd});

}  // namespace
