#pragma once

// The profile environment of the running application: the installation
// folder of the configuration store, the installation's text files and the
// settings documents of the application object.

#include "ProfileEnvironment.h"

#include <memory>

class CAppProfileEnvironment final : public IProfileEnvironment {
public:
    QString InstallPath() const override;
    ProfileFileText ReadTextFile(const QString& path, qint64 maxBytes = -1) const override;
    QString UnscrambleXml(const QString& text, bool fromFile) const override;
    QString UnscrambleScript(const QString& text, bool fromFile) const override;
    int VersionGroup(const QString& version) const override;
    QString Region() const override;
    kvx::xml::XmlDocument UpDownDocument() const override;

    static std::shared_ptr<const IProfileEnvironment> Instance();
};
