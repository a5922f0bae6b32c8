#pragma once

// What a profile's data model needs from the application: the installation's
// files, how they are read and unscrambled, and the model-group settings.
// The application provides the real one; tests may stand in their own.

#include "XmlService.h"

#include <QString>

struct ProfileFileText {
    bool ok = false;        // the file could be opened and was not too large
    QString text;
    bool byteForm = false;  // read as code page 1252 (no FF FE mark)
    bool tooLarge = false;  // larger than the reader's limit; nothing was read
    QString error;          // why not ok: the system's reason, not a regular file, too large
};

class IProfileEnvironment {
public:
    virtual ~IProfileEnvironment() = default;

    // The installation folder.
    virtual QString InstallPath() const = 0;
    // Reads a regular text file; one larger than maxBytes (when not
    // negative) is not read.
    virtual ProfileFileText ReadTextFile(const QString& path, qint64 maxBytes = -1) const = 0;
    virtual QString UnscrambleXml(const QString& text, bool fromFile) const = 0;
    virtual QString UnscrambleScript(const QString& text, bool fromFile) const = 0;

    // The model group of a firmware version text ("R5E.08.00"); 0 when none.
    virtual int VersionGroup(const QString& version) const = 0;
    // The region name of the installation ("JUB").
    virtual QString Region() const = 0;
    // The settings document holding CodePlugSetting and ZOTVersion.
    virtual kvx::xml::XmlDocument UpDownDocument() const = 0;
};
