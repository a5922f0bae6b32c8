// CKVXZOTDoc: creating, opening and converting profiles, the visible
// settings of the profile's model group, and the document's own sinks.

#include "KVXZOTDoc.h"

#include "AppProfileEnvironment.h"
#include "DataAdaptor.h"
#include "KVXZOTApp.h"
#include "KVXZOTException.h"
#include "MessageIds.h"
#include "ModelGroup.h"
#include "RuleScriptHost.h"
#include "StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUndoStack>

using namespace kvx::xml;

namespace {

const QString kExtension = QStringLiteral(".jub");

}  // namespace

CKVXZOTDoc::CKVXZOTDoc(std::shared_ptr<const IProfileEnvironment> environment, QObject* parent)
    : QObject(parent),
      m_environment(environment ? std::move(environment) : CAppProfileEnvironment::Instance()),
      m_undoStack(new QUndoStack(this))
{
    try {
        m_spVisibleDoc = XmlDocument::Create();
    } catch (const XmlError&) {
        KVX_RAISE(kMsgFatalReinstall, QStringLiteral("create MSXML2::DOMDocument40 failed"), "CKVXZOTDoc::CKVXZOTDoc");
    }
    m_undoStack->setUndoLimit(kUndoLimit);
    connect(m_undoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    ResetModel();
}

// The undo stack, a child, goes after the model; its commands are only
// deleted then, never run.
CKVXZOTDoc::~CKVXZOTDoc() = default;

void CKVXZOTDoc::ResetModel()
{
    // The rule script reports its errors to this document's sink.
    m_pDataModel = std::make_unique<CRadioDataModel>(m_environment, [this](const QString& scriptText) {
        return CHostRuleScript::Start(scriptText, [this](const QString& message) {
            if (m_scriptErrorSink)
                m_scriptErrorSink(message);
            else
                ShowScriptError(message);
        });
    });
}

int CKVXZOTDoc::ShowMessage(const QString& text, unsigned style) const
{
    return m_messageSink ? m_messageSink(text, style) : kvx::ShowMessage(text, style);
}

int CKVXZOTDoc::ShowMessageId(int id, unsigned style) const
{
    return ShowMessage(LoadStr(id), style);
}

void CKVXZOTDoc::ShowException(const CKVXZOTException& e) const
{
    ShowMessage(e.UserText(), kvx::kMbOk | kvx::kMbIconError);
}

void CKVXZOTDoc::SetTitle(const QString& title)
{
    if (title == m_strTitle)
        return;
    m_strTitle = title;
    emit titleChanged(title);
}

bool CKVXZOTDoc::IsModified() const
{
    return !m_undoStack->isClean();
}

void CKVXZOTDoc::SetModifiedFlag(bool modified)
{
    // Without an undo step to mark it, a modified state never becomes clean
    // by undoing; only a save (setClean) ends it.
    if (modified)
        m_undoStack->resetClean();
    else
        m_undoStack->setClean();
}

void CKVXZOTDoc::ClearHistory(bool modified)
{
    // clear() also makes the stack clean.
    m_undoStack->clear();
    SetModifiedFlag(modified);
}

void CKVXZOTDoc::BeginProfile()
{
    ResetModel();
    m_bConvert = false;
    ClearHistory(false);
}

bool CKVXZOTDoc::OnNewDocument(const QString& templatePath)
{
    BeginProfile();
    m_strPathName.clear();
    try {
        const bool loaded = m_pDataModel->LoadProfile(templatePath, true);
        // A new profile is stored in the current form, whatever form its
        // template was read in.
        m_pDataModel->SetByteForm(false);
        SetTitle(QFileInfo(templatePath).completeBaseName());
        RefreshVisibleSettings();
        emit profileReloaded();
        return loaded;
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
}

bool CKVXZOTDoc::OnNewDocument(const VirtualCP& radioImage)
{
    BeginProfile();
    m_strPathName.clear();
    try {
        if (!SetVirtualCPData(radioImage))
            return false;
        SetModifiedFlag(true);
        SetTitle(GetUnitId());
        RefreshVisibleSettings();
        return true;
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
}

bool CKVXZOTDoc::OnOpenDocument(const QString& path)
{
    BeginProfile();
    try {
        if (!m_pDataModel->LoadProfile(path, true))
            return false;
        m_strPathName = path;
        SetTitle(QFileInfo(path).fileName());
        RefreshVisibleSettings();
        emit profileReloaded();
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
            const bool loaded = m_pDataModel->LoadProfile(text, false);
            // The history belongs to the profile that was replaced.
            ClearHistory(IsModified());
            emit profileReloaded();
            return loaded;
        } catch (CKVXZOTException& e) {
            KVX_RERAISE(e, "CKVXZOTDoc::SetVirtualCPData");
        }
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
}

bool CKVXZOTDoc::ReplaceWithRadioImage(const VirtualCP& image)
{
    if (!SetVirtualCPData(image))
        return false;
    SetModifiedFlag(true);
    RefreshVisibleSettings();
    return true;
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
        group = kLatestModelGroup;
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
        kvx::ShowMessageId(kMsgNoTemplates, kvx::kMbOk | kvx::kMbIconError);
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
        kvx::ShowMessage(e.UserText(), kvx::kMbOk | kvx::kMbIconError);
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
