#pragma once

// String numbers of window texts that have no message number of their own.
// Language resources translate them like every other number.
namespace GuiText {

inline constexpr int PreferenceTitle = 40001;
inline constexpr int SerialPortLabel = 40002;
inline constexpr int NewProfilePrompt = 40003;
inline constexpr int AskToSave = 40004;        // "Save changes to %s?"
inline constexpr int Untitled = 40005;
inline constexpr int MenuUndo = 40006;
inline constexpr int MenuRedo = 40007;
inline constexpr int ToolbarName = 40008;
inline constexpr int StatusPort = 40009;        // "Port: %s"
inline constexpr int StatusModelGroup = 40010;  // "Model group %d"
inline constexpr int StatusModified = 40011;
inline constexpr int AboutVersion = 40012;      // "Version %s"
inline constexpr int AboutDescription = 40013;
inline constexpr int AboutLicence = 40014;
inline constexpr int AboutFamily = 40015;       // "Radios of the family: %s"
inline constexpr int ProgressName = 40016;
inline constexpr int MoreCommands = 40017;      // the toolbar's overflow button

// The help window.
inline constexpr int HelpContents = 40200;
inline constexpr int HelpIndex = 40201;
inline constexpr int HelpSearch = 40202;
inline constexpr int HelpFileMissing = 40203;  // "The help file %s cannot be opened."
inline constexpr int HelpLookFor = 40204;

// Framework texts.
inline constexpr int IdleMessage = 57345;       // "For Help, press F1"

// The reports.
inline constexpr int ReportSaveFilter = 40101;
inline constexpr int ReportNotSaved = 40102;    // "...\n%s" with the reason
inline constexpr int SpecReportUnavailable = 40103;
inline constexpr int ReportNotOpened = 40104;   // "...\n%s" with the reason
inline constexpr int ReportNotPrinted = 40105;

}  // namespace GuiText
