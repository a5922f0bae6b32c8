#pragma once

#include <QString>
#include <functional>

// User-facing messages. Every failure the user must know of is shown as a
// message; the front end (message boxes in the GUI, stderr in the CLI, a
// recorder in tests) installs the handler that shows it.
namespace kvx {

// Message-box styles and answers, with the values the rule script uses.
enum MessageStyle : unsigned {
    kMbOk = 0, kMbOkCancel = 1, kMbYesNoCancel = 3, kMbYesNo = 4,
    kMbIconError = 0x10, kMbIconQuestion = 0x20, kMbIconWarning = 0x30, kMbIconInformation = 0x40,
};
enum MessageAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

using MessageHandler = std::function<int(const QString& text, unsigned style)>;

// Installs the handler and returns the previous one. Without a handler,
// messages go to stderr and are answered with OK.
MessageHandler SetMessageHandler(MessageHandler handler);

int ShowMessage(const QString& text, unsigned style = kMbOk);
// Shows the string-table text of a message number.
int ShowMessageId(int id, unsigned style = kMbOk);

}  // namespace kvx
