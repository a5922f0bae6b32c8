// kvxzot-cli delete: remove an entry through the profile's rules.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliEdit.h"
#include "CliStartup.h"

namespace {

int RunDelete(const QStringList& arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const QString output = TakeOption(args, QStringLiteral("-o"), &missing);
    const bool confirm = TakeFlag(args, QStringLiteral("--confirm"));
    if (missing || args.size() != 2) {
        CliError(QStringLiteral("Usage: kvxzot-cli delete FILE XPATH [--confirm] [-o OUT]"));
        return 2;
    }
    std::unique_ptr<CKVXZOTApp> app;
    auto doc = StartEdit(args[0], app);
    if (!doc)
        return 1;
    return RunEdit([&] {
        const CDataItem item = SelectItem(*doc, args[1]);
        if (item.IsEmpty())
            return 1;
        const kvx::xml::XmlNode parentNode = item.GetNode().Parent();
        int index = 0;
        while (index < parentNode.ChildCount() && !(parentNode.ChildAt(index) == item.GetNode()))
            ++index;
        if (parentNode.IsNull() || parentNode.Type() != kvx::xml::NodeType::Element) {
            CliError(QStringLiteral("The profile's root cannot be deleted"));
            return 1;
        }
        const CDataItem parent(item.GetScript(), parentNode);
        return FinishEdit(*doc, ApplyEdit(*doc, EditRequest::RemoveChild(parent, index), confirm), output);
    });
}

CliCommandRegistrar reg({QStringLiteral("delete"), QStringLiteral("delete a profile entry through the profile's rules"),
                         QStringLiteral("Usage: kvxzot-cli delete FILE XPATH [--confirm] [-o OUT]\n\n"
                                        "Opens the profile FILE and removes the first element XPATH matches (prefix\n"
                                        "\"dfns\", e.g. //dfns:Private[@name='Ann']) through the rule script, which\n"
                                        "also removes what refers to it. Prints the result (0 deleted, 2 confirmation\n"
                                        "needed) with the message number and text; --confirm answers Yes. Only a\n"
                                        "deletion is saved, and only to OUT when -o is given."),
                         RunDelete});

}  // namespace
