#pragma once

// The string-table numbers of the program's messages (message boxes, status
// texts and questions), by name. Labels of menus and forms keep their bare
// numbers; a number never changes its meaning because language resources
// replace texts by number.
enum MessageId : int {
    // Failures of the data model and the document (CKVXZOTException codes).
    kMsgScriptFailed = 101,             // "Fatal error: 101."
    kMsgFatalReinstall = 102,           // "Fatal error.\nPlease uninstall and re-install KVX ZOT."
    kMsgProfileLoadFailed = 103,        // "Failed to load profile."
    kMsgInvalidProfile = 105,           // "Invalid profile."
    kMsgUnknownError = 106,             // "Unknown Error"
    kMsgMissingChild = 107,             // "Programing error: 107."
    kMsgMissingAttribute = 108,         // "Programing error: 108."
    kMsgSaveFailed = 299,               // "File format is error. Failed to save."

    // Answers of the profile's rules.
    kMsgSimilarName = 127,
    kMsgSimilarPid = 132,
    kMsgMoveScanList = 133,             // channel change of a public group in a scan list (old, new channel)
    kMsgScanListFullMoved = 134,
    kMsgGroupChannel = 136,
    kMsgPrivateChannel = 137,
    kMsgDeletePrivateGroup = 141,
    kMsgDeletePrivate = 142,
    kMsgChannelFull = 155,
    kMsgScanListFull = 164,
    kMsgNameTooLong = 165,
    kMsgMessageTooLong = 201,
    kMsgMessageCharset = 217,
    kMsgNameCharset = 218,
    kMsgNameEmpty = 10055,
    kMsgIdEmpty = 10099,
    kMsgIdInvalid = 30001,
    kMsgValueInvalid = 30002,
    kMsgEditBreaksProfile = 30003,      // an edit the profile could not be opened with again

    // Start-up and configuration.
    kMsgFilesMissing = 222,
    kMsgLanguageMissing = 223,
    kMsgRestartNeeded = 224,
    kMsgSettingsDuplicateNode = 292,
    kMsgSettingsBadNode = 293,
    kMsgScriptEngineMissing = 294,
    kMsgRegistryOpenFailed = 10006,
    kMsgRegistryReadFailed = 10007,
    kMsgRegistryFatal = 10115,

    // Profile documents and the main window.
    kMsgConvertProfile = 297,           // Yes/No: convert an old-format profile
    kMsgPasswordPrompt = 301,
    kMsgPasswordWrong = 302,
    kMsgNewOrOverwrite = 10001,         // Yes/No/Cancel after a radio read
    kMsgNoTemplates = 10114,
    kMsgProfileDataError = 10113,
    kMsgUnsupportedModel = 10156,

    // Transfers and their dialogs.
    kMsgReading = 10009,
    kMsgWriting = 10010,
    kMsgReadSucceeded = 10011,
    kMsgWriteSucceeded = 10012,
    kMsgReadFailed = 10013,
    kMsgWriteFailed = 10014,
    kMsgReason = 10017,
    kMsgIdle = 10018,
    kMsgTransferring = 10019,
    kMsgRadioNotInProfile = 10030,      // write question -1
    kMsgProfileNotSupported = 10031,    // write question -2
    kMsgUnknownWarning = 10032,         // any other question code
    kMsgPressHomeThenPtt = 10094,
    kMsgCanceling = 10105,
    kMsgWriteIncomplete = 30004,        // a write that failed after its first record

    // Why a serial port cannot be opened (below the port error).
    kMsgPortMissing = 30101,            // the port (%s) does not exist
    kMsgPortNoPermission = 30102,       // no permission to use the port (%s)
    kMsgPortJoinGroup = 30103,          // the remedy: membership of the owning group (%s)
    kMsgPortAskAdministrator = 30104,   // the remedy when no group grants access
    kMsgNoPort = 30105,                 // no serial port at all
    kMsgPortNotSerial = 30106,          // the port (%s) is a file or a folder, not a device
    kMsgRepliesGarbled = 30107,         // the port opened, the replies' checksums did not match
};
