#pragma once

#include <QString>

// Result codes of the radio link: 1 for success, negative for failures.
enum RadioResult : int {
    kResultOk = 1,
    kResultPortError = -1,            // port unusable, or checksum mismatch on the last attempt
    kResultNoConnection = -2,         // no valid reply in any attempt
    kResultOldFirmware = -3,          // ack 0x8C with first data byte 0
    kResultUnsupportedVersion = -4,   // version reply refused
    kResultUnsupportedModel = -5,     // clone level (or model) not compatible
    kResultInvalidOpcode = -6,
    kResultUnsupportedCommand = -7,
    kResultOperationFailed = -8,
    kResultTimedOut = -9,
    kResultUnsupportedOperation = -10,
    kResultBusy = -11,
    kResultUserCanceled = -12,
    kResultMessageCompose = -13,      // payload too long for a frame
    kResultResetFirst = -14,
    kResultTextConversion = -15,
    kResultPasswordUnreadable = -17,
};

// Text a transfer dialog shows for a result code. For kResultPortError the
// reason the latest transfer's port could not be opened, when one is known
// (no such port, no permission), follows on a second line.
QString ResultDialogText(int code);
// Text the main window (and the command-line tool) shows for a result code,
// with the same second line.
QString ResultMainWindowText(int code);
// A write that failed (code) after the radio had taken a record: message
// 30004, the radio holds an incomplete profile, with the failure's own text
// on a second line.
QString WriteIncompleteText(int code);
// Why the port cannot be opened, with the remedy (plugging in the cable,
// membership of the group that owns the device); empty when its device file
// shows no reason, as for a port in use.
QString PortProblemText(const QString& portName);
// True for codes the dialogs show in a message box instead of their status line.
bool ResultShownAsMessageBox(int code);
