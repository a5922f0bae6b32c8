#pragma once

// Command identifiers of the main window's menus, toolbar and the tree's
// context menu. Each QAction carries its identifier as the property
// "commandId". The framework's standard commands keep the framework's
// numbers; the program's own keep the numbers its string table and
// language resources use.
namespace CommandId {

inline constexpr int FileNew = 0xE100;
inline constexpr int FileOpen = 0xE101;
inline constexpr int FileClose = 0xE102;
inline constexpr int FileSave = 0xE103;
inline constexpr int FileSaveAs = 0xE104;
inline constexpr int FileMruFirst = 0xE110;   // four entries
inline constexpr int EditCopy = 0xE122;
inline constexpr int EditCut = 0xE123;
inline constexpr int EditPaste = 0xE125;
inline constexpr int EditUndo = 0xE12B;
inline constexpr int EditRedo = 0xE12C;
inline constexpr int WindowCascade = 0xE132;
inline constexpr int WindowTile = 0xE133;
inline constexpr int AppAbout = 0xE140;
inline constexpr int AppExit = 0xE141;
inline constexpr int HelpFinder = 0xE143;
inline constexpr int ViewToolbar = 0xE800;
inline constexpr int ViewStatusBar = 0xE801;

inline constexpr int EditAdd = 32771;
inline constexpr int EditDelete = 32772;
inline constexpr int EditRename = 32773;
inline constexpr int Report = 32779;
inline constexpr int DeviceRead = 32780;
inline constexpr int DeviceWrite = 32781;
inline constexpr int DeviceReset = 32782;
inline constexpr int EditDealerInfo = 32783;
inline constexpr int EditPreference = 32784;
inline constexpr int ViewHelpPane = 32785;
inline constexpr int EditScanAdd = 32802;
inline constexpr int LanguageGerman = 32808;
inline constexpr int LanguageEnglish = 32809;
inline constexpr int LanguageSpanish = 32811;
inline constexpr int LanguageLaPortuguese = 32821;
inline constexpr int LanguageLaSpanish = 32822;
inline constexpr int LanguageCaFrench = 32823;
inline constexpr int LanguageFrench = 32826;

}  // namespace CommandId
