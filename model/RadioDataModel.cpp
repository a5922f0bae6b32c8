// CRadioDataModel: start-up of the rule script, loading a profile and the
// compatibility check.

#include "RadioDataModel.h"

#include "MessageIds.h"
#include "ModelErrors.h"
#include "ProfileFile.h"
#include "ProfileVersion.h"
#include "RuleScriptHost.h"

#include <QMutex>

using namespace kvx::xml;

namespace {

const char* const kLoadProfile = "CRadioDataModel::LoadProfile";
const char* const kInitialOperaDoc = "CRadioDataModel::InitialOperaDoc";

const QString kTemplateFolder = QStringLiteral("ProfileTemplate");

QString TemplateFolderFile(const IProfileEnvironment& environment, const QString& name)
{
    return environment.InstallPath() + QLatin1Char('/') + kTemplateFolder + QLatin1Char('/') + name;
}

XmlDocument CreateDocument(const char* message, const char* operation)
{
    try {
        return XmlDocument::Create();
    } catch (const XmlError&) {
        KVX_RAISE(kMsgFatalReinstall, QString::fromLatin1(message), operation);
    }
}

// Compiling the schema costs more than validating a profile against it, so
// the compiled cache of the last schema text is kept for later loads.
XmlSchemaCache CompiledSchema(const QString& schemaText)
{
    static QMutex mutex;
    static QString lastText;
    static XmlSchemaCache lastCache;
    QMutexLocker lock(&mutex);
    if (!lastCache.IsEmpty() && schemaText == lastText)
        return lastCache;

    XmlDocument schemaDoc = CreateDocument("create Msxml2.DOMDocument.4.0 failed", kLoadProfile);
    schemaDoc.LoadXml(schemaText);   // a schema that does not parse fails to compile below
    XmlSchemaCache cache;
    cache.Add(QString::fromLatin1(kProfileNamespace), schemaDoc);
    lastText = schemaText;
    lastCache = cache;
    return cache;
}

// A parser's or validator's reason without the profile namespace that
// libxml2 puts before every element name.
QString ReadableReason(QString reason)
{
    return reason.remove(QLatin1Char('{') + QLatin1String(kProfileNamespace) + QLatin1Char('}'));
}

// A text that does not parse or validate: 105 with the parser's reason.
[[noreturn]] void RaiseParseFailure(const XmlDocument& doc, const QString& tracePrefix, const char* operation)
{
    const QString reason = ReadableReason(doc.LastParseError().reason);
    KVX_RAISE_BECAUSE(kMsgInvalidProfile, reason, tracePrefix + reason, operation);
}

void SetProfileSelection(XmlDocument& doc)
{
    doc.SetSelectionNamespace(QStringLiteral("dfns"), QString::fromLatin1(kProfileNamespace));
    doc.SetSelectionNamespace(QStringLiteral("ms"), QString::fromLatin1(kServiceNamespace));
}

}  // namespace

CRadioDataModel::CRadioDataModel(std::shared_ptr<const IProfileEnvironment> environment, RuleScriptFactory scriptFactory)
    : m_environment(std::move(environment)), m_scriptFactory(std::move(scriptFactory))
{
    if (!m_scriptFactory)
        m_scriptFactory = [](const QString& scriptText) { return CHostRuleScript::Start(scriptText); };
}

CRadioDataModel::~CRadioDataModel()
{
    Release();
}

void CRadioDataModel::Release()
{
    m_rootItem = CDataItem();
    m_spAddFields = XmlNodeList();
    m_spAddFieldsLatest = XmlNodeList();
    m_spOperaDoc = XmlDocument();
    m_spScriptEngine.reset();
    m_spWorkRoot = XmlNode();
    m_spWorkDoc = XmlDocument();
    m_spProfileDoc = XmlDocument();
}

bool CRadioDataModel::Initialize()
{
    const ProfileFileText script = m_environment->ReadTextFile(TemplateFolderFile(*m_environment, QStringLiteral("DataProfile.vbs")));
    const QString scriptText = script.ok ? m_environment->UnscrambleScript(script.text, script.byteForm) : QString();
    std::shared_ptr<IRuleScript> engine = m_scriptFactory(scriptText);
    if (!engine)
        KVX_RAISE(kMsgScriptFailed, QStringLiteral("GetScriptDispatch failed"), "CRadioDataModel::Initialize");
    m_spScriptEngine = engine;
    m_rootItem.SetScript(engine);
    m_bInitialized = true;

    m_spWorkDoc = CreateDocument("create MSXML2::DOMDocument40 failed", "CRadioDataModel::Initialize");
    m_spWorkRoot = m_spWorkDoc.CreateElement(QStringLiteral("root"), QString::fromLatin1(kProfileNamespace));
    m_spWorkDoc.AsNode().AppendChild(m_spWorkRoot);
    return true;
}

XmlSchemaCache CRadioDataModel::LoadSchemaCache()
{
    const ProfileFileText schema = m_environment->ReadTextFile(TemplateFolderFile(*m_environment, QStringLiteral("DataProfile.xsd")));
    return CompiledSchema(m_environment->UnscrambleXml(schema.text, schema.byteForm));
}

bool CRadioDataModel::LoadProfile(const QString& source, bool fromFile)
{
    try {
        if (m_bInitialized) {
            if (!m_spProfileDoc.IsNull())
                m_spProfileDoc.ClearSchemas();
            m_spProfileDoc = XmlDocument();
            m_rootItem.SetNode(XmlNode());
        } else if (!Initialize()) {
            return false;
        }

        const XmlSchemaCache schemas = LoadSchemaCache();
        m_spProfileDoc = CreateDocument("create Msxml2.DOMDocument.4.0 failed", kLoadProfile);
        m_spProfileDoc.SetSchemas(schemas);
        SetProfileSelection(m_spProfileDoc);

        if (InitialOperaDoc(source, fromFile)) {
            AddFields(fromFile);
            if (m_spProfileDoc.LoadXml(m_spOperaDoc.Xml())) {
                m_rootItem.SetNode(m_spProfileDoc.DocumentElement());
                ReadPublicGroupRanges();
                return true;
            }
        }
        RaiseParseFailure(m_spProfileDoc, QStringLiteral("File='%1'\nDesc: ").arg(source), kLoadProfile);
    } catch (CKVXZOTException& e) {
        m_rootItem.SetNode(XmlNode());
        KVX_RERAISE(e, kLoadProfile);
    } catch (const XmlError& e) {
        m_rootItem.SetNode(XmlNode());
        KVX_RAISE_XML(kMsgProfileLoadFailed, e, kLoadProfile);
    }
}

void CRadioDataModel::RestoreProfile(const QString& profileXml)
{
    const char* const operation = "CRadioDataModel::RestoreProfile";
    try {
        if (m_spProfileDoc.IsNull())
            ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("No profile is loaded."));
        XmlDocument doc = CreateDocument("create Msxml2.DOMDocument.4.0 failed", operation);
        doc.SetSchemas(m_spProfileDoc.Schemas());
        SetProfileSelection(doc);
        if (!doc.LoadXml(profileXml))
            KVX_RAISE(kMsgInvalidProfile, doc.LastParseError().reason, operation);
        // Items taken before keep the old document alive; they are stale.
        m_spProfileDoc = doc;
        m_rootItem.SetNode(doc.DocumentElement());
        ReadPublicGroupRanges();
    } catch (const XmlError& e) {
        KVX_RAISE_XML(kMsgProfileLoadFailed, e, operation);
    }
}

QString CRadioDataModel::CheckStorable(const QString& profileXml) const
{
    const char* const operation = "CRadioDataModel::CheckStorable";
    try {
        XmlDocument doc = CreateDocument("create Msxml2.DOMDocument.4.0 failed", operation);
        doc.SetSchemas(m_spProfileDoc.Schemas());
        SetProfileSelection(doc);
        if (!doc.LoadXml(profileXml))
            return ReadableReason(doc.LastParseError().reason);
        try {
            ValidateProfile(profileXml);
        } catch (const CKVXZOTException&) {
            return QStringLiteral("The clone compatibility version must stay 1.");
        }
        const QString version = FirmwareVersionText(doc.SelectSingleNode(QStringLiteral("//dfns:version")));
        if (m_environment->VersionGroup(version) != m_nGroup)
            return QStringLiteral("The firmware version %1 does not belong to the profile's model group.").arg(version);
        return QString();
    } catch (const XmlError& e) {
        return e.Description();
    }
}

XmlDocument CRadioDataModel::ParseOperaDocument(const QString& text, bool sortLists, const QString& source)
{
    XmlDocument doc = CreateDocument("create Msxml2.DOMDocument.4.0 failed", kInitialOperaDoc);
    if (!sortLists) {
        ValidateProfile(text);
        if (!doc.LoadXml(text))
            RaiseParseFailure(doc, QStringLiteral("File='%1'\nDesc: ").arg(source), kInitialOperaDoc);
        return doc;
    }

    // The lists of a stored profile are put into name order. One parse
    // serves all four sorts and the operation document itself.
    if (!doc.LoadXml(text))
        RaiseParseFailure(doc, QString(), "CDataItem::SortXMLChildNodes");
    SortProfileLists(doc);
    // The compatibility check reads the text as the sorts leave it.
    ValidateProfile(doc.Xml());
    return doc;
}

bool CRadioDataModel::InitialOperaDoc(const QString& source, bool fromFile)
{
    try {
        if (fromFile) {
            const ProfileFileText file = m_environment->ReadTextFile(source, kMaxProfileFileBytes);
            if (!file.ok)
                KVX_RAISE_BECAUSE(kMsgInvalidProfile, file.error, QStringLiteral("File='%1'\nDesc: %2").arg(source, file.error),
                                  kInitialOperaDoc);
            m_bByteForm = file.byteForm;
            m_spOperaDoc = ParseOperaDocument(m_environment->UnscrambleXml(file.text, file.byteForm), true, source);
        } else {
            m_spOperaDoc = ParseOperaDocument(source, false, source);
        }

        const XmlNode version = m_spOperaDoc.SelectSingleNode(QStringLiteral("//dfns:version"));
        if (version.IsNull())
            ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("The profile has no version element."));
        m_nGroup = m_environment->VersionGroup(FirmwareVersionText(version));
        SelectAddFieldLists();
        return true;
    } catch (CKVXZOTException& e) {
        KVX_RERAISE(e, kInitialOperaDoc);
    } catch (const XmlError& e) {
        KVX_RAISE_XML(kMsgProfileLoadFailed, e, kInitialOperaDoc);
    }
}

void CRadioDataModel::SortProfileLists(XmlDocument& doc)
{
    static const std::pair<const char*, const char*> kSorts[] = {
        {"TextMessages", "txt"}, {"Privates", "name"}, {"PublicGroups", "name"}, {"PrivateGroups", "name"}};
    try {
        const XmlNode root = doc.DocumentElement();
        for (const auto& [list, key] : kSorts) {
            const XmlNode listNode = root.IsNull() ? XmlNode() : root.SelectSingleNode(QStringLiteral("//dfns:") + QLatin1String(list));
            if (listNode.IsNull())
                ThrowXmlFailure(QStringLiteral("Object required"),
                                QStringLiteral("The profile has no '%1' element.").arg(QLatin1String(list)));
            CDataItem::SortChildNodes(listNode, QLatin1String(key), true);
        }
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::SortXMLChildNodes")
}

void CRadioDataModel::SortProfileLists(QString& text)
{
    XmlDocument doc = CreateDocument("create Msxml2.DOMDocument.4.0 failed", "CDataItem::SortXMLChildNodes");
    if (!doc.LoadXml(text))
        RaiseParseFailure(doc, QString(), "CDataItem::SortXMLChildNodes");
    SortProfileLists(doc);
    text = doc.Xml();
}

bool CRadioDataModel::ValidateProfile(const QString& text)
{
    static const QString kMarker = QStringLiteral("clone_compatibility_version=\"");
    const qsizetype start = text.indexOf(kMarker);
    if (start < 0)
        return false;
    const qsizetype valueStart = start + kMarker.size();
    const qsizetype end = text.indexOf(QLatin1Char('"'), valueStart);
    const QStringView value = QStringView(text).mid(valueStart, end < 0 ? -1 : end - valueStart);
    if (value == QLatin1String("1"))
        return true;
    KVX_RAISE(kMsgUnsupportedModel, QString(), "CRadioDataModel::ValidateProfile");
}

QString CRadioDataModel::GetOperaXml() const
{
    return m_spOperaDoc.IsNull() ? QString() : m_spOperaDoc.Xml();
}

QString CRadioDataModel::GetProfileXml() const
{
    return m_spProfileDoc.IsNull() ? QString() : m_spProfileDoc.Xml();
}
