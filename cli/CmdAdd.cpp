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
        CDataItem added;
        if (folderName == QStringLiteral("PrivateGroups") || folderName == QStringLiteral("Privates")) {
            const QString base = !name.isEmpty() ? name
                                 : folderName == QStringLiteral("Privates") ? QStringLiteral("Private")
                                                                           : QStringLiteral("Group");
            if (!folder.AddNewPriGrpPrivate(added, base))
                return 1;
        } else if (!folder.AddNewChild(added)) {
            return 1;
        }
        // A public group's or message's own text goes through its rule like an edit.
        if (!name.isEmpty() && (message || folderName == QStringLiteral("PublicGroups"))) {
            const QString attribute = message ? QStringLiteral("txt") : QStringLiteral("name");
            qint32 r1 = 0, r2 = 0;
            const qint32 result = added.SetAttributeValue(attribute, name, r1, 0, r2);
            if (result != 0) {
                PrintAnswer(result, r1, r2);
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
        return FinishEdit(*doc, 0, output);
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
