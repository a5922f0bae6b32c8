#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The application's configuration: what the installer wrote in the machine
// scope and what the user chose in the user scope of the registry store.
// Every operation opens what it needs and closes it again.

inline constexpr const char* kApplicationName = "KVX JUB ZOT";
inline constexpr const char* kApplicationKey = "Software\\Varnholt\\KVX JUB ZOT";
inline constexpr const char* kMachineLanguageKey = "SOFTWARE\\Varnholt\\KVX JUB ZOT\\Language\\";

struct DealerInfo {
    QStringList dealer;
    QStringList contact;
    QStringList notes;
};

QString GetCurrentLanguage();
bool SetCurrentLanguage(const QString& name);
QString GetDefaultLanguage();
QString GetInstallPath();

bool EnsureApplicationKeys();
void EnsureComPortValue();

// The stored port resolved against the ports present; empty when it cannot
// be read or there are no ports.
QString GetComPort();
// Exact match of the preferred name, else the lowest-numbered port, else empty.
QString ResolveComPort(const QString& preferred);

// 1 shows the help pane; -1 when the value cannot be read.
int GetShowContextHelp();
bool SetShowContextHelp(bool show);

// Installation folder joined with the help file / language resource named
// for the current language; empty when something is missing.
QString GetHelpFilePath();
QString GetGuiResourcePath();

std::optional<DealerInfo> ReadDealerInfo();
bool WriteDealerInfo(const QStringList& dealer, const QStringList& contact, const QStringList& notes);

// Start-up check and repair of the configuration; false ends the start-up.
bool InitConfiguration();

// The seven language identifiers of the language menu, in menu order.
QStringList KnownLanguages();
// A file name stored in the configuration ("Help\English.chm" style)
// joined to the installation folder with this platform's separators.
QString InstallationFile(const QString& installPath, const QString& relativeName);
