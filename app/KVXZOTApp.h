#pragma once

#include "ModelGroup.h"
#include "XmlService.h"

#include <QString>
#include <QStringList>
#include <functional>

// The application object: start-up checks, the installation's settings
// documents and the merged settings of the current model group. This part
// needs no display; the main window builds on it.
class CKVXZOTApp {
public:
    using ScriptEngineProbe = std::function<bool()>;

    // The probe checks that the rule-script engine can be created.
    explicit CKVXZOTApp(ScriptEngineProbe probe);
    virtual ~CKVXZOTApp();
    CKVXZOTApp(const CKVXZOTApp&) = delete;
    CKVXZOTApp& operator=(const CKVXZOTApp&) = delete;

    // The application object of this process (the last one constructed), or null.
    static CKVXZOTApp* Instance();

    // Configuration, language, engine probe, settings documents, region
    // check and the merge of the latest model group. False ends the program;
    // the reason has been shown.
    virtual bool InitInstance();

    kvx::xml::XmlDocument LoadSettingDoc(const QString& name, bool fromLib);
    kvx::xml::XmlDocument SelectGroup(int group);
    void CodePlugMergeToBase(const QString& sourcePath, const QString& targetPath);
    void VisibleMergeToBase(const QString& sourcePath, const QString& targetPath);
    void MergeCpToBase();

    int GetVersionGroup(const QString& version) const;
    // The same mapping as a function owning a copy of its data, for use on
    // any thread (the device-command job calls it on its worker thread).
    std::function<int(const QString& version)> VersionGroupResolver() const;
    static qint64 VersionToNumber(const QString& version);

    QStringList GetSupportLanguages() const;
    QString GetLanguageDisplayName(const QString& language) const;

    // The region word of this build, from the application name.
    static QString BuildRegionWord(const QString& applicationName);

    const kvx::xml::XmlDocument& GetRegionDoc() const { return m_spRegionDoc; }
    const kvx::xml::XmlDocument& GetHelpPaneDoc() const { return m_spHelpPaneDoc; }
    const kvx::xml::XmlDocument& GetUpDownDoc() const { return m_spUpDownDoc; }
    const kvx::xml::XmlDocument& GetVisibleBase() const { return m_spVisibleBase; }
    const QString& GetRegion() const { return m_strRegion; }
    const QString& GetLanguage() const { return m_strLanguage; }
    const QString& GetHelpFile() const { return m_strHelpFile; }
    int GetCurrentGroup() const { return m_nCurrentGroup; }

    // For tests that assemble the settings without the whole start-up.
    void SetSettingDocuments(kvx::xml::XmlDocument region, kvx::xml::XmlDocument upDown);

protected:
    bool SelectLanguage();
    bool LoadSettingsDocuments();

    int m_nCurrentGroup = kLatestModelGroup;
    kvx::xml::XmlDocument m_spVisibleBase;
    kvx::xml::XmlDocument m_spRegionDoc;
    kvx::xml::XmlDocument m_spHelpPaneDoc;
    kvx::xml::XmlDocument m_spUpDownDoc;
    kvx::xml::XmlDocument m_spMergeDoc;
    QString m_strHelpFile;
    QString m_strModuleDir;
    QString m_strLanguage;
    QString m_strRegion;

private:
    ScriptEngineProbe m_scriptEngineProbe;
};
