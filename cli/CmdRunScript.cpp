// kvxzot-cli run-script: runs a rule script's global code and, optionally,
// one of its functions, so that script authors can try their rules.

#include "CliCommand.h"
#include "Conversions.h"
#include "Errors.h"
#include "HostObject.h"
#include "ScriptHost.h"
#include "TextFiles.h"

#include <QFileInfo>

using namespace kvx::vbs;

namespace {

// WScript.Echo prints its arguments, separated by blanks.
class EchoObject : public HostObject {
public:
    QString TypeName() const override { return QStringLiteral("WScript"); }
    const MemberTable* Members() const override
    {
        static const MemberTable table{{"echo", 1}};
        return &table;
    }
    Variant Invoke(int id, InvokeKind kind, std::span<Variant> args) override
    {
        if (id != 1 || kind != InvokeKind::Get)
            ThrowNoSuchMember();
        QStringList parts;
        for (const Variant& a : args)
            parts << (a.IsNull() ? QStringLiteral("Null") : ToString(a));
        CliPrint(parts.join(QLatin1Char(' ')));
        return {};
    }
};

// No script comes near this; nothing larger is read.
constexpr qint64 kMaxScriptFileBytes = 8 * 1024 * 1024;
// The longest run-time budget --max-seconds takes (a day); 0 lifts it.
constexpr double kMaxSecondsOption = 86400;

// A scrambled script is unscrambled as the application does with its rule
// script; a plain one is the user's own text: UTF-16 with its mark, UTF-8
// when it is valid UTF-8 or has the mark, else code page 1252.
bool ReadScript(const QString& path, QString* text, QString* error)
{
    const FileBytes file = ReadRegularFile(path, kMaxScriptFileBytes);
    if (!file.ok) {
        *error = file.error;
        return false;
    }
    const TextFileContent content = DecodeTextFile(file.data);
    const QString plain = UnscrambleScript(content.text, content.byteForm);
    const auto startsPlain = [](const QString& s) { return s.startsWith(QLatin1String("Option Explicit"), Qt::CaseInsensitive); };
    if (startsPlain(plain) && !startsPlain(content.text))
        *text = plain;
    else
        *text = content.byteForm ? DecodeUtf8OrCp1252(file.data) : content.text;
    return true;
}

ScriptArg ParseArgument(const QString& text)
{
    bool isNumber = false;
    const int value = text.toInt(&isNumber);
    return isNumber ? ScriptArg::Integer(value) : ScriptArg::String(text);
}

QString ResultText(const Variant& v)
{
    if (v.IsNull())
        return QStringLiteral("Null");
    if (v.IsObject())
        return TypeName(v);
    if (v.IsArray())
        return QStringLiteral("Variant()");
    return ToString(v);
}

int RunScript(const QStringList& args)
{
    QString file;
    QString function;
    QStringList callArgs;
    qint64 maxSteps = 0;
    double maxSeconds = 0;
    bool secondsGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!function.isEmpty()) {
            callArgs << a;
        } else if (a == QLatin1String("--call") && i + 1 < args.size()) {
            function = args[++i];
        } else if (a == QLatin1String("--max-steps") && i + 1 < args.size()) {
            maxSteps = args[++i].toLongLong();
            if (maxSteps <= 0) {
                CliError(QStringLiteral("kvxzot-cli run-script: --max-steps needs a positive number"));
                return 2;
            }
        } else if (a == QLatin1String("--max-seconds") && i + 1 < args.size()) {
            bool isNumber = false;
            maxSeconds = args[++i].toDouble(&isNumber);
            if (!isNumber || !(maxSeconds >= 0) || maxSeconds > kMaxSecondsOption) {
                CliError(QStringLiteral("kvxzot-cli run-script: --max-seconds needs a number from 0 (no limit) to %1").arg(kMaxSecondsOption));
                return 2;
            }
            secondsGiven = true;
        } else if (file.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            file = a;
        } else {
            CliError(QStringLiteral("Usage: kvxzot-cli run-script FILE.vbs [--max-steps N] [--max-seconds S] [--call NAME [ARG ...]]"));
            return 2;
        }
    }
    if (file.isEmpty()) {
        CliError(QStringLiteral("Usage: kvxzot-cli run-script FILE.vbs [--max-steps N] [--max-seconds S] [--call NAME [ARG ...]]"));
        return 2;
    }
    QString text;
    QString error;
    if (!ReadScript(file, &text, &error)) {
        CliError(QStringLiteral("kvxzot-cli run-script: cannot read '%1'\n%2").arg(file, error));
        return 2;
    }

    // Script errors go to stderr.
    const ScriptErrorSink previous = SetScriptErrorSink([](const QString& message) { CliError(message); });
    CScriptHost host;
    host.AddNamedItem(QStringLiteral("WScript"), std::make_shared<EchoObject>());
    int exitCode = 0;
    ScriptLimits limits;
    if (maxSteps > 0)
        limits.maxSteps = maxSteps;
    if (secondsGiven)
        limits.maxMilliseconds = static_cast<int64_t>(maxSeconds * 1000);
    host.SetLimits(limits);
    const ScriptStartStep step = host.Start(text);
    if (step != ScriptStartStep::Done) {
        exitCode = 1;
    } else if (!function.isEmpty()) {
        std::vector<ScriptArg> values;
        for (const QString& a : callArgs)
            values.push_back(ParseArgument(a));
        const ScriptResult result = host.CallFunction(function, values);
        if (result.HResult() == DISP_E_UNKNOWNNAME) {
            CliError(QStringLiteral("kvxzot-cli run-script: the script defines no function '%1'").arg(function));
            exitCode = 1;
        } else if (result.HResult() == DISP_E_BADPARAMCOUNT) {
            CliError(QStringLiteral("kvxzot-cli run-script: wrong number of arguments for '%1'").arg(function));
            exitCode = 1;
        } else if (!result.Succeeded()) {
            exitCode = 1;
        } else if (!result.Value().IsEmpty()) {
            CliPrint(ResultText(result.Value()));
        }
    }
    SetScriptErrorSink(previous);
    return exitCode;
}

CliCommandRegistrar reg({QStringLiteral("run-script"), QStringLiteral("run a rule script (and one of its functions)"),
                         QStringLiteral(
                             "Usage: kvxzot-cli run-script FILE.vbs [--max-steps N] [--max-seconds S] [--call NAME [ARG ...]]\n\n"
                             "Runs the script's global code, then, with --call, calls its function NAME\n"
                             "with the given arguments (a whole number is passed as an integer, anything\n"
                             "else as text) and prints the result. WScript.Echo prints its arguments.\n"
                             "A compilation or run-time error prints the script error message\n"
                             "(\"IActiveScriptSite::OnScriptError()\", the line and the description) on\n"
                             "stderr and the command exits with 1.\n\n"
                             "Each run (the global code, the call) has budgets; a script that exceeds\n"
                             "one is stopped with an error:\n"
                             "  --max-steps N    statements and loop turns (default %1)\n"
                             "  --max-seconds S  run time in seconds (default %2; 0: no limit)\n"
                             "The script reads as UTF-8 when it is valid UTF-8 or starts with the UTF-8\n"
                             "mark, as UTF-16 with its mark, and as code page 1252 otherwise.")
                             .arg(ScriptLimits().maxSteps)
                             .arg(ScriptLimits().maxMilliseconds / 1000.0),
                         RunScript});

}  // namespace
