// CKVXZOTDoc: creating, opening and converting profiles, and the visible
// settings of the profile's model group.

#include "KVXZOTDoc.h"

#include "AppProfileEnvironment.h"
#include "DataAdaptor.h"
#include "KVXZOTApp.h"
#include "KVXZOTException.h"
#include "Messages.h"
#include "StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace kvx::xml;

namespace {

const int kLatestGroup = 3;
const QString kExtension = QStringLiteral(".jub");

const VirtualCP* g_radioReadImage = nullptr;
QString g_newTemplatePath;

}  // namespace

CKVXZOTDoc::CKVXZOTDoc(std::shared_ptr<const IProfileEnvironment> environment)
    : m_environment(environment ? std::move(environment) : CAppProfileEnvironment::Instance())
{
    try {
        m_spVisibleDoc = XmlDocument::Create();
    } catch (const XmlError&) {
        KVX_RAISE(102, QStringLiteral("create MSXML2::DOMDocument40 failed"), "CKVXZOTDoc::CKVXZOTDoc");
    }
    ResetModel();
}

CKVXZOTDoc::~CKVXZOTDoc() = default;

void CKVXZOTDoc::ResetModel()
{
    m_pDataModel = std::make_unique<CRadioDataModel>(m_environment);
}

void CKVXZOTDoc::ShowException(const CKVXZOTException& e) const
{
    kvx::ShowMessageId(e.GetCode(), kvx::kMbOk | kvx::kMbIconError);
}

void CKVXZOTDoc::SetRadioReadImage(const VirtualCP* image)
{
    g_radioReadImage = image;
}

void CKVXZOTDoc::SetNewTemplatePath(const QString& path)
{
    g_newTemplatePath = path;
}

QString CKVXZOTDoc::GetNewTemplatePath()
{
    return g_newTemplatePath;
}

bool CKVXZOTDoc::OnNewDocument()
{
    ResetModel();
    m_strPathName.clear();
    m_strTitle.clear();
    m_bModified = false;
    m_bConvert = false;
    try {
        bool loaded = false;
        if (g_radioReadImage) {
            const VirtualCP image = *g_radioReadImage;
            g_radioReadImage = nullptr;
            loaded = SetVirtualCPData(image);
            if (!loaded)
                return false;
            m_bModified = true;
            m_strTitle = GetUnitId();
        } else {
            loaded = m_pDataModel->LoadProfile(g_newTemplatePath, true);
            // A new profile is stored in the current form, whatever form
            // its template was read in.
            m_pDataModel->SetByteForm(false);
            m_strTitle = QFileInfo(g_newTemplatePath).completeBaseName();
        }
        RefreshVisibleSettings();
        return loaded;
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
}

bool CKVXZOTDoc::OnOpenDocument(const QString& path)
{
    ResetModel();
    m_bConvert = false;
    try {
        if (!m_pDataModel->LoadProfile(path, true))
            return false;
        m_strPathName = path;
        m_strTitle = QFileInfo(path).fileName();
        m_bModified = false;
        RefreshVisibleSettings();
        return true;
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
}

bool CKVXZOTDoc::SetVirtualCPData(const VirtualCP& image)
{
    try {
        QString text;
        if (!CDataAdaptor::VirtualCP2XML(image, text))
            return false;
        try {
            CRadioDataModel::SortProfileLists(text);
            return m_pDataModel->LoadProfile(text, false);
        } catch (CKVXZOTException& e) {
            KVX_RERAISE(e, "CKVXZOTDoc::SetVirtualCPData");
        }
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
}

bool CKVXZOTDoc::GetVirtualCPData(VirtualCP& image, const QString& ownId)
{
    try {
        if (!m_pDataModel->IsLoaded())
            return false;
        return CDataAdaptor::XML2VirtualCP(m_pDataModel->GetProfileXml(), image, ownId);
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
}

void CKVXZOTDoc::RefreshVisibleSettings()
{
    CKVXZOTApp* app = CKVXZOTApp::Instance();
    if (!app)
        return;
    // A profile of no known group has every field of the latest one.
    int group = m_pDataModel->GetGroup();
    if (group == 0)
        group = kLatestGroup;
    if (group != app->GetCurrentGroup() && app->SelectGroup(group).IsNull())
        return;
    const XmlDocument& visible = app->GetVisibleBase();
    if (!visible.IsNull())
        m_spVisibleDoc.LoadXml(visible.Xml());
}

QString CKVXZOTDoc::GetUnitId()
{
    if (!m_pDataModel->IsLoaded())
        return QString();
    CDataItem limit;
    return GetRootItem().GetChildByName(QStringLiteral("limit"), limit).GetAttributeValue(QStringLiteral("pid")).toString();
}

QString CKVXZOTDoc::ProposedFileName() const
{
    if (!m_strPathName.isEmpty())
        return m_strPathName;
    QString name = m_strTitle;
    const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[:/\\\\]")));
    if (cut >= 0)
        name.truncate(cut);
    return name + kExtension;
}

QStringList CKVXZOTDoc::TemplateNames(const IProfileEnvironment& environment, bool showMessageWhenNone)
{
    const QDir folder(environment.InstallPath() + QStringLiteral("/ProfileTemplate"));
    QStringList names;
    for (const QFileInfo& file : folder.entryInfoList({QLatin1Char('*') + kExtension}, QDir::Files, QDir::Name))
        names << file.fileName().chopped(4);
    if (names.isEmpty() && showMessageWhenNone)
        kvx::ShowMessageId(10114, kvx::kMbOk | kvx::kMbIconError);
    return names;
}

QString CKVXZOTDoc::TemplatePath(const IProfileEnvironment& environment, const QString& name)
{
    return environment.InstallPath() + QStringLiteral("/ProfileTemplate/") + name + kExtension;
}

bool CKVXZOTDoc::TrialLoadTemplate(const QString& path, std::shared_ptr<const IProfileEnvironment> environment)
{
    try {
        CRadioDataModel trial(environment ? std::move(environment) : CAppProfileEnvironment::Instance());
        return trial.LoadProfile(path, true);
    } catch (const CKVXZOTException& e) {
        kvx::ShowMessageId(e.GetCode(), kvx::kMbOk | kvx::kMbIconError);
        return false;
    }
}

QString CKVXZOTDoc::OpenFilter()
{
    return QStringLiteral("KVX JUB ZOT ") + LoadStr(263) + QStringLiteral(" (*") + kExtension + QStringLiteral(")| *") + kExtension +
           QStringLiteral("|") + LoadStr(264) + QStringLiteral(" (*.*)| *.*||");
}

QString CKVXZOTDoc::SaveFilter()
{
    return QStringLiteral("KVX JUB ZOT ") + LoadStr(263) + QStringLiteral(" (*") + kExtension + QStringLiteral(")|*") + kExtension +
           QStringLiteral("|") + LoadStr(264) + QStringLiteral(" (*.*)|*.*||");
}
