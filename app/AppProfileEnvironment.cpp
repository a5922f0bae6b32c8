#include "AppProfileEnvironment.h"

#include "ConfigStore.h"
#include "KVXZOTApp.h"
#include "TextFiles.h"


QString CAppProfileEnvironment::InstallPath() const
{
    return GetInstallPath();
}

ProfileFileText CAppProfileEnvironment::ReadTextFile(const QString& path, qint64 maxBytes) const
{
    const TextFileContent content = ::ReadTextFile(path, maxBytes);
    return ProfileFileText{content.ok, content.text, content.byteForm, content.tooLarge, content.error};
}

QString CAppProfileEnvironment::UnscrambleXml(const QString& text, bool fromFile) const
{
    return ::UnscrambleXml(text, fromFile);
}

QString CAppProfileEnvironment::UnscrambleScript(const QString& text, bool fromFile) const
{
    return ::UnscrambleScript(text, fromFile);
}

int CAppProfileEnvironment::VersionGroup(const QString& version) const
{
    const CKVXZOTApp* app = CKVXZOTApp::Instance();
    return app ? app->GetVersionGroup(version) : 0;
}

QString CAppProfileEnvironment::Region() const
{
    const CKVXZOTApp* app = CKVXZOTApp::Instance();
    return app ? app->GetRegion() : QString();
}

kvx::xml::XmlDocument CAppProfileEnvironment::UpDownDocument() const
{
    const CKVXZOTApp* app = CKVXZOTApp::Instance();
    return app ? app->GetUpDownDoc() : kvx::xml::XmlDocument();
}

std::shared_ptr<const IProfileEnvironment> CAppProfileEnvironment::Instance()
{
    static const auto environment = std::make_shared<const CAppProfileEnvironment>();
    return environment;
}
