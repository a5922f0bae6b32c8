#pragma once

// Shared pieces of the profile commands: options, opening a profile through
// the document, and writing outputs.

#include "KVXZOTDoc.h"

#include <QStringList>
#include <memory>

// Removes "NAME VALUE" from args and returns VALUE; empty when absent.
// `missing` is set when the option is present without a value, or with an
// empty one.
QString TakeOption(QStringList& args, const QString& name, bool* missing = nullptr);
bool TakeFlag(QStringList& args, const QString& name);

// A document with the CLI's answers: the conversion question answered as
// given, no views. Failures have been printed; null then.
std::unique_ptr<CKVXZOTDoc> NewCliDocument(bool convert);
std::unique_ptr<CKVXZOTDoc> OpenProfile(const QString& path, bool convert = false);
// A profile file in any form (UTF-16, UTF-8 or code page 1252; scrambled or
// plain XML), loaded exactly as a stored profile file would be.
std::unique_ptr<CKVXZOTDoc> OpenProfileAnyForm(const QString& path, bool convert = false);

// Writes text (UTF-8) to path atomically, or to stdout for an empty path.
bool WriteTextOutput(const QString& path, const QString& text);

// Counts of the profile's lists, as "open" prints them.
struct ProfileCounts {
    int publicGroups = 0;
    int privateGroups = 0;
    int privates = 0;
    int textMessages = 0;
};
ProfileCounts CountProfile(CKVXZOTDoc& doc);
