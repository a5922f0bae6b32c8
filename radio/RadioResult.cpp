#include "RadioResult.h"

#include "MessageIds.h"
#include "SerialPortList.h"
#include "StringTable.h"
#include "TransferState.h"

namespace {

// A numbered text, with its English wording when the table lacks it.
QString Numbered(int id, const char* english)
{
    const QString text = LoadStr(id);
    return text.isEmpty() ? QString::fromLatin1(english) : text;
}

QString OperationFailed(const char* what)
{
    QString text = Numbered(10146, "Error: Operation Failed (%s).");
    return text.replace(QStringLiteral("%s"), QString::fromLatin1(what));
}

QString OperationFailedCode(int code)
{
    return QStringLiteral("Error: Operation Failed (%1).").arg(code);
}

// Result-code texts without a string number: {code, dialog text, main-window text}.
struct CodeTexts {
    int code;
    const char* dialog;
    const char* mainWindow;
};

constexpr CodeTexts kUnnumbered[] = {
    {kResultNoConnection,
     "Error: Unable to establish a connection with the radio.\n          Please check your connection and try again.",
     "Error: Unable to establish a connection with the radio. Please check your connection and try again."},
    {kResultOldFirmware,
     "Error: Your radio has an earlier firmware version that\n          does not support the ZOT.",
     "Error: Your radio has an earlier firmware version that does not support the ZOT."},
    {kResultUnsupportedVersion,
     "Error: The radio version is unsupported. Please upgrade\n          your ZOT software.",
     "Error: The radio version is unsupported. Please upgrade your ZOT software."},
    {kResultOperationFailed, "Error: Operation Failed.", "Error: Operation Failed."},
    {kResultBusy,
     "Error: Radio is currently busy. Please try again after a\n          few seconds.",
     "Error: Radio is currently busy. Please try again after a few seconds."},
    {kResultResetFirst,
     "Error: Please perform a radio reset or a radio write\n          operation first.",
     "Error: Please perform a radio reset."},
    {kResultTextConversion,
     "Error: Unable to convert ZOT character format into the radio text format.",
     "Error: Unable to convert ZOT character format into the radio text format."},
};

const CodeTexts* Unnumbered(int code)
{
    for (const auto& entry : kUnnumbered)
        if (entry.code == code)
            return &entry;
    return nullptr;
}

QString CommonText(int code, bool dialog)
{
    switch (code) {
    case kResultPortError: {
        const QString text = Numbered(10155, "Error: COM port already in use by another application.");
        const QString problem = CTransferState::Instance().PortProblem();
        return problem.isEmpty() ? text : text + QLatin1Char('\n') + problem;
    }
    case kResultUnsupportedModel: return Numbered(10156, "Error: Radio model is unsupported.");
    case kResultTimedOut: return Numbered(10158, "Error: Operation timed out.");
    case kResultInvalidOpcode: return OperationFailed("Invalid Opcode");
    case kResultUnsupportedCommand: return OperationFailed("Unsupported Command");
    case kResultUnsupportedOperation: return OperationFailed("Operation Unsupported");
    case kResultUserCanceled: return OperationFailed("User Canceled");
    case kResultMessageCompose: return OperationFailed("Message Compose");
    case kResultPasswordUnreadable:
        return dialog ? OperationFailedCode(code) : QStringLiteral("Error: Unable to get radio password.");
    default: break;
    }
    if (const CodeTexts* entry = Unnumbered(code))
        return QString::fromLatin1(dialog ? entry->dialog : entry->mainWindow);
    return OperationFailedCode(code);
}

} // namespace

QString ResultDialogText(int code)
{
    return CommonText(code, true);
}

QString ResultMainWindowText(int code)
{
    return CommonText(code, false);
}

QString PortProblemText(const QString& portName)
{
    const auto access = kvx::serial::CheckPortAccess(portName);
    switch (access.problem) {
    case kvx::serial::PortAccess::None: return QString();
    case kvx::serial::PortAccess::Missing:
        return portName.isEmpty() ? LoadStr(kMsgNoPort) : LoadStr(kMsgPortMissing).replace(QStringLiteral("%s"), portName);
    case kvx::serial::PortAccess::NotSerial: return LoadStr(kMsgPortNotSerial).replace(QStringLiteral("%s"), portName);
    case kvx::serial::PortAccess::NoPermission: break;
    }
    const QString remedy = access.group.isEmpty() ? LoadStr(kMsgPortAskAdministrator)
                                                  : LoadStr(kMsgPortJoinGroup).replace(QStringLiteral("%s"), access.group);
    return LoadStr(kMsgPortNoPermission).replace(QStringLiteral("%s"), portName) + QLatin1Char(' ') + remedy;
}

bool ResultShownAsMessageBox(int code)
{
    return code == kResultTextConversion;
}

QString WriteIncompleteText(int code)
{
    return LoadStr(kMsgWriteIncomplete) + QLatin1Char('\n') + ResultMainWindowText(code);
}
