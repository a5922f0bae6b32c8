#include "KVXZOTApp.h"

#include "ConfigStore.h"
#include "KVXZOTException.h"
#include "MessageIds.h"
#include "Messages.h"
#include "StringTable.h"
#include "TextFiles.h"

#include <QCoreApplication>

using namespace kvx::xml;

namespace {
CKVXZOTApp* g_app = nullptr;

XmlDocument CreateSettingsDocument()
{
    try {
        return XmlDocument::Create();
    } catch (const XmlError&) {
        KVX_RAISE(kMsgFatalReinstall, QStringLiteral("create MSXML2::DOMDocument40 failed"), "CKVXZOTApp::LoadSettingDoc");
    }
}
}  // namespace

CKVXZOTApp::CKVXZOTApp(ScriptEngineProbe probe) : m_scriptEngineProbe(std::move(probe))
{
    if (QCoreApplication::instance())
        m_strModuleDir = QCoreApplication::applicationDirPath();
    g_app = this;
}

CKVXZOTApp::~CKVXZOTApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CKVXZOTApp* CKVXZOTApp::Instance()
{
    return g_app;
}

bool CKVXZOTApp::InitInstance()
{
    if (!InitConfiguration())
        return false;
    SelectLanguage();
    // The platform needs no COM, socket or OLE initialisation here.
    if (!m_scriptEngineProbe || !m_scriptEngineProbe()) {
        kvx::ShowMessageId(kMsgScriptEngineMissing);
        return false;
    }
    if (!LoadSettingsDocuments())
        return false;
    try {
        m_spMergeDoc = XmlDocument::Create();
    } catch (const XmlError&) {
        kvx::ShowMessageId(kMsgFatalReinstall);
        return false;
    }
    return !SelectGroup(kLatestModelGroup).IsNull();
}

bool CKVXZOTApp::SelectLanguage()
{
    const QString language = GetCurrentLanguage();
    if (language == QStringLiteral("English") || language.isEmpty()) {
        CStringTable::Instance().ResetToEnglish();
        return true;
    }
    if (CStringTable::Instance().LoadLanguageResource(GetGuiResourcePath()))
        return true;
    CStringTable::Instance().ResetToEnglish();
    SetCurrentLanguage(QStringLiteral("English"));
    kvx::ShowMessageId(kMsgLanguageMissing);
    return false;
}

bool CKVXZOTApp::LoadSettingsDocuments()
{
    try {
        m_spHelpPaneDoc = LoadSettingDoc(QStringLiteral("HelpPane.stv"), true);
        if (m_spHelpPaneDoc.IsNull())
            return false;
        m_strLanguage = GetCurrentLanguage();
        m_strHelpFile = GetHelpFilePath();

        m_spRegionDoc = LoadSettingDoc(QStringLiteral("Region.stv"), true);
        if (m_spRegionDoc.IsNull())
            return false;
        const XmlNode region = m_spRegionDoc.SelectSingleNode(QStringLiteral("//dfns:Region"));
        m_strRegion = region.IsNull() ? QString() : region.GetAttribute(QStringLiteral("name"));
        if (BuildRegionWord(QString::fromLatin1(kApplicationName)) != m_strRegion) {
            kvx::ShowMessageId(kMsgFilesMissing);
            return false;
        }

        m_spUpDownDoc = LoadSettingDoc(QStringLiteral("UpDownGradeSetting.stv"), true);
        return !m_spUpDownDoc.IsNull();
    } catch (const CKVXZOTException& e) {
        kvx::ShowMessage(e.UserText());
        return false;
    } catch (const XmlError&) {
        kvx::ShowMessageId(kMsgFilesMissing);
        return false;
    }
}

XmlDocument CKVXZOTApp::LoadSettingDoc(const QString& name, bool fromLib)
{
    if (name.isEmpty())
        return XmlDocument();
    XmlDocument doc = CreateSettingsDocument();
    const QString folder = fromLib ? QStringLiteral("lib") : QStringLiteral("Report");
    const TextFileContent file = ReadTextFile(InstallationFile(GetInstallPath(), folder + QLatin1Char('/') + name));
    if (file.text.isEmpty()) {
        kvx::ShowMessageId(kMsgFilesMissing);
        return XmlDocument();
    }
    if (!doc.LoadXml(UnscrambleXml(file.text, file.byteForm))) {
        kvx::ShowMessageId(kMsgFilesMissing);
        return XmlDocument();
    }
    return doc;
}

QString CKVXZOTApp::BuildRegionWord(const QString& applicationName)
{
    QString word = applicationName;
    word.remove(QStringLiteral("ZOT"));
    word.remove(QStringLiteral("KVX"));
    word.remove(QLatin1Char(' '));
    return word.isEmpty() ? QStringLiteral("KVX") : word;
}

QStringList CKVXZOTApp::GetSupportLanguages() const
{
    QStringList languages;
    if (m_spRegionDoc.IsNull())
        return languages;
    for (const XmlNode& node : m_spRegionDoc.SelectNodes(QStringLiteral("//dfns:SupportLanguages/dfns:language")))
        languages << node.GetAttribute(QStringLiteral("name"));
    return languages;
}

QString CKVXZOTApp::GetLanguageDisplayName(const QString& language) const
{
    if (m_spRegionDoc.IsNull())
        return QString();
    for (const XmlNode& node : m_spRegionDoc.SelectNodes(QStringLiteral("//dfns:SupportLanguages/dfns:language"))) {
        if (node.GetAttribute(QStringLiteral("name")) == language)
            return node.GetAttribute(QStringLiteral("displayName"));
    }
    return QString();
}

void CKVXZOTApp::SetSettingDocuments(XmlDocument region, XmlDocument upDown)
{
    m_spRegionDoc = std::move(region);
    m_spUpDownDoc = std::move(upDown);
    const XmlNode node = m_spRegionDoc.IsNull() ? XmlNode() : m_spRegionDoc.SelectSingleNode(QStringLiteral("//dfns:Region"));
    m_strRegion = node.IsNull() ? QString() : node.GetAttribute(QStringLiteral("name"));
    if (m_spMergeDoc.IsNull())
        m_spMergeDoc = XmlDocument::Create();
}
