// kvxzot-cli: the headless front end of the programming application.

#include "CliCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

std::vector<CliCommand>& CliCommands()
{
    static std::vector<CliCommand> commands;
    return commands;
}

void CliPrint(const QString& text)
{
    QTextStream out(stdout);
    out << text << '\n';
}

void CliError(const QString& text)
{
    QTextStream err(stderr);
    err << text << '\n';
}

bool CliWantsHelp(const QStringList& args)
{
    // Only right after the command: later, "-h" may be a value ("set … name -h").
    return !args.isEmpty() && (args.first() == QStringLiteral("--help") || args.first() == QStringLiteral("-h"));
}

static void PrintToolHelp()
{
    auto commands = CliCommands();
    std::sort(commands.begin(), commands.end(), [](const CliCommand& a, const CliCommand& b) { return a.name < b.name; });
    QString text = QStringLiteral("Usage: kvxzot-cli COMMAND [ARGUMENTS]\n\n"
                                  "The KVX JUB ZOT programming application without its windows.\n\nCommands:\n");
    for (const auto& c : commands)
        text += QStringLiteral("  %1%2\n").arg(c.name, -16).arg(c.summary);
    text += QStringLiteral("\n'kvxzot-cli COMMAND --help' describes one command.");
    CliPrint(text);
}

static std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv)
{
    if (argc > 1) {
        const QString name = QString::fromLocal8Bit(argv[1]);
        for (const auto& c : CliCommands()) {
            if (c.name == name && c.application)
                return c.application(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int main(int argc, char** argv)
{
    const auto app = MakeApplication(argc, argv);
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty() || args.first() == QStringLiteral("--help") || args.first() == QStringLiteral("-h")) {
        PrintToolHelp();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto& c : CliCommands()) {
        if (c.name == name) {
            if (CliWantsHelp(args)) {
                CliPrint(c.usage);
                return 0;
            }
            return c.run(args);
        }
    }
    CliError(QStringLiteral("kvxzot-cli: unknown command '%1' (see 'kvxzot-cli --help')").arg(name));
    return 2;
}
