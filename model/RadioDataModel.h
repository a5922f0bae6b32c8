#pragma once

// CRadioDataModel: one open profile. It owns the rule script, the profile
// document the views edit (validated against the installation's schema) and
// the operation document (the profile in its stored form), and adapts a
// profile between the model groups: the fields a group lacks are added on
// load and taken off again on save.
//
// Failures raise CKVXZOTException: 101 (rule script), 102 (document or
// schema cache), 103 (XML service error while loading), 105 (text does not
// parse or validate), 106/107 (a list or the limit element missing), 299
// (XML service error while preparing a save), 10156 (unsupported
// compatibility value).

#include "DataItem.h"
#include "ProfileEnvironment.h"
#include "RuleScript.h"
#include "XmlService.h"

#include <array>
#include <functional>
#include <memory>

// One public group ID block as the public group view numbers it.
struct PublicGroupBlock {
    qint32 size = 0;
    qint32 first = 0;
    qint32 last = -1;
    QString startId;
};

class CRadioDataModel {
public:
    // Starts the rule script from its text; raises 101 when a step fails.
    // The default runs it in the script host.
    using RuleScriptFactory = std::function<std::shared_ptr<IRuleScript>(const QString& scriptText)>;

    explicit CRadioDataModel(std::shared_ptr<const IProfileEnvironment> environment,
                             RuleScriptFactory scriptFactory = RuleScriptFactory());
    ~CRadioDataModel();
    CRadioDataModel(const CRadioDataModel&) = delete;
    CRadioDataModel& operator=(const CRadioDataModel&) = delete;

    bool Initialize();
    // source is a file path (fromFile) or the profile's XML text.
    bool LoadProfile(const QString& source, bool fromFile);
    // Puts back a text this model's profile document had (GetProfileXml),
    // keeping the model group, its added fields and the rule script: the
    // undo of an edit. Raises 105 when the text does not parse or validate.
    void RestoreProfile(const QString& profileXml);
    // Whether a profile document's text (GetProfileXml, with the views'
    // changes) could be stored and opened again as this profile: it parses and the schema
    // accepts it, its compatibility value is the supported one and its
    // firmware version still belongs to the profile's model group. Empty
    // when it could; otherwise the reason, for the user.
    QString CheckStorable(const QString& profileXml) const;
    // The compatibility check on raw profile text: false when the text has no
    // clone_compatibility_version, true for "1", raises 10156 otherwise.
    static bool ValidateProfile(const QString& text);
    // The four sorts of a profile's lists, ascending by the name collation:
    // TextMessages by txt, Privates, PublicGroups and PrivateGroups by name.
    // Raises like CDataItem::SortXMLChildNodes (105 unparsable, 106 a list
    // or key missing). The text form parses once for all four.
    static void SortProfileLists(QString& text);
    static void SortProfileLists(kvx::xml::XmlDocument& doc);
    bool InitialOperaDoc(const QString& source, bool fromFile);
    void SelectAddFieldLists();
    kvx::xml::XmlNodeList BuildAddFieldList(int group);
    void AddFields(bool fromFile);
    // Refills the operation document from the profile document and takes off
    // the added fields (those of the latest group when converting).
    void TakeOffDoc(bool convert);
    void UpgradeVersion();
    void ReadPublicGroupRanges();

    CDataItem& GetRootItem() { return m_rootItem; }
    int GetGroup() const { return m_nGroup; }
    bool IsByteForm() const { return m_bByteForm; }
    void SetByteForm(bool byteForm) { m_bByteForm = byteForm; }
    bool IsLoaded() const { return !m_rootItem.IsEmpty(); }
    const std::array<PublicGroupBlock, 4>& GetPublicGroupRanges() const { return m_publicGroupRanges; }
    // The operation document's text (the stored form after TakeOffDoc).
    QString GetOperaXml() const;
    // The profile document's text, with the views' changes.
    QString GetProfileXml() const;
    const kvx::xml::XmlDocument& GetProfileDoc() const { return m_spProfileDoc; }
    const IProfileEnvironment& Environment() const { return *m_environment; }
    const std::shared_ptr<const IProfileEnvironment>& SharedEnvironment() const { return m_environment; }

private:
    kvx::xml::XmlSchemaCache LoadSchemaCache();
    kvx::xml::XmlDocument ParseOperaDocument(const QString& text, bool sortLists, const QString& source);
    void AddKeepEntries(kvx::xml::XmlNode& keep, const kvx::xml::XmlNodeList& candidates);
    void AddCandidates(kvx::xml::XmlNode& addFields, const kvx::xml::XmlNode& keep, const kvx::xml::XmlNodeList& candidates);
    void RemoveAddFields(const kvx::xml::XmlNodeList& entries);
    void Release();

    std::shared_ptr<const IProfileEnvironment> m_environment;
    RuleScriptFactory m_scriptFactory;

    kvx::xml::XmlDocument m_spProfileDoc;
    kvx::xml::XmlDocument m_spWorkDoc;
    kvx::xml::XmlNode m_spWorkRoot;
    std::shared_ptr<IRuleScript> m_spScriptEngine;
    bool m_bInitialized = false;
    bool m_bByteForm = false;
    std::array<PublicGroupBlock, 4> m_publicGroupRanges;
    int m_nGroup = 0;
    kvx::xml::XmlDocument m_spOperaDoc;
    kvx::xml::XmlNodeList m_spAddFields;
    kvx::xml::XmlNodeList m_spAddFieldsLatest;
    CDataItem m_rootItem;
};
