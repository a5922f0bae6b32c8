#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QCoreApplication;

// One command of kvxzot-cli. Each command lives in its own source file and
// registers itself with a static CliCommandRegistrar.
struct CliCommand {
    QString name;
    QString summary;   // one line for the tool's --help
    QString usage;     // full help text of the command (its --help)
    // Runs the command with the arguments after its name; returns the exit code.
    std::function<int(const QStringList& args)> run;
    // The application object the command runs in; a QCoreApplication unless
    // given (a command that lays out text or pictures needs a GUI one).
    std::function<std::unique_ptr<QCoreApplication>(int& argc, char** argv)> application = nullptr;
};

std::vector<CliCommand>& CliCommands();

struct CliCommandRegistrar {
    explicit CliCommandRegistrar(CliCommand command) { CliCommands().push_back(std::move(command)); }
};

// Small shared helpers of the commands.
void CliPrint(const QString& text);       // stdout, with a newline
void CliError(const QString& text);       // stderr, with a newline
bool CliWantsHelp(const QStringList& args);
