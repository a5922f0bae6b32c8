// kvxzot-cli new: a new profile file from a template.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"
#include "AppProfileEnvironment.h"

#include <QFileInfo>

namespace {

int RunNew(QStringList args)
{
    bool missing = false;
    const QString output = TakeOption(args, QStringLiteral("-o"), &missing);
    if (args.size() != 1 || output.isEmpty() || missing) {
        CliError(QStringLiteral("Usage: kvxzot-cli new TEMPLATE -o OUT.jub"));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    const auto environment = CAppProfileEnvironment::Instance();
    const QString choice = args.first();
    const QString path = QFileInfo(choice).isFile() ? choice : CKVXZOTDoc::TemplatePath(*environment, choice);
    if (!QFileInfo(path).isFile()) {
        CliError(QStringLiteral("new: no template '%1' (see 'kvxzot-cli templates')").arg(choice));
        return 1;
    }
    if (!CKVXZOTDoc::TrialLoadTemplate(path, environment))
        return 1;
    auto doc = NewCliDocument(false);
    if (!doc->OnNewDocument(path) || !doc->OnSaveDocument(output))
        return 1;
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("new"), QStringLiteral("create a profile file from a template"),
                         QStringLiteral("Usage: kvxzot-cli new TEMPLATE -o OUT.jub\n\n"
                                        "Creates a new profile from TEMPLATE (a name listed by 'kvxzot-cli templates', or\n"
                                        "the path of a .jub file) and stores it at OUT.jub, scrambled. A template of the\n"
                                        "latest model group gives the UTF-16 form; an older one keeps its generation."),
                         [](const QStringList& args) { return RunNew(args); }});

}  // namespace
