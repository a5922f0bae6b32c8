#pragma once

// CDataItem: the handle through which every view reads and changes a
// profile. It pairs one node of the profile document with the rule script,
// so that every change the schema binds to a hook is carried out by the
// script. Items are small values; an operation that yields another item
// fills an item the caller supplies. Windows read through items but change
// a profile through its document (CKVXZOTDoc::Apply), which calls the
// changing operations here and keeps the undo history.
//
// Failures raise CKVXZOTException: 107/108 for a missing child or attribute
// the caller named, 106 for a failing hook or any XML service error
// ("ErrorMsg: %s\nDesc: %s\nSource: %s"), 102 when a document cannot be
// created, 105 when a text to sort does not parse.

#include "RuleScript.h"
#include "XmlService.h"

#include <QStringList>
#include <QVariant>
#include <memory>

class CDataItem {
public:
    CDataItem() = default;
    CDataItem(std::shared_ptr<IRuleScript> script, kvx::xml::XmlNode node)
        : m_spScript(std::move(script)), m_spNode(std::move(node))
    {
    }

    bool IsEmpty() const { return m_spNode.IsNull(); }
    const kvx::xml::XmlNode& GetNode() const { return m_spNode; }
    void SetNode(const kvx::xml::XmlNode& node) { m_spNode = node; }
    const std::shared_ptr<IRuleScript>& GetScript() const { return m_spScript; }
    void SetScript(std::shared_ptr<IRuleScript> script) { m_spScript = std::move(script); }

    // Navigation.
    CDataItem& GetChildByName(const QString& name, CDataItem& out) const;
    int GetChildCount() const;
    // An out-of-range index gives an empty item.
    CDataItem& GetChildByIndex(int index, CDataItem& out) const;

    // The attribute's value typed by its schema declaration: qint32 for a
    // type derived from "long", bool for "boolean", quint32 for
    // "unsignedLong", QString otherwise.
    QVariant GetAttributeValue(const QString& name) const;

    // True when the schema declaration of `node` binds `hook`; `function`
    // then names the rule-script function.
    bool GetScriptHandler(const kvx::xml::XmlNode& node, const QString& hook, QString& function) const;

    // Changes an attribute through its "SetVal" hook, or stores it directly
    // (booleans as "1"/"0") and answers 0. r1 receives the message id and r2
    // the message-box style of a refusal; n carries the user's confirmation.
    // byRules, when given, tells whether a hook carried the change out.
    qint32 SetAttributeValue(const QString& name, const QVariant& value, qint32& r1, qint32 n, qint32& r2,
                             bool* byRules = nullptr);
    bool CanAddChild();
    // The new child in `out`, or null when nothing was added.
    CDataItem* AddNewChild(CDataItem& out);
    CDataItem* AddNewPriScrList(CDataItem& out, const QString& text);
    CDataItem* AddNewPriGrpPrivate(CDataItem& out, const QString& text);
    // The same for a delete through the child's "OnDelete" hook.
    qint32 RemoveChildByIndex(int index, qint32& r1, qint32 n, qint32& r2, bool* byRules = nullptr);
    bool IsEnabled();

    // Queries over the whole profile.
    int GetScrollListCount() const;
    int GetScanListCount(int channel) const;
    QString GetContactNameByID(const QString& id) const;
    CDataItem* GetContactByID(const QString& id, CDataItem& out) const;
    void GetGroupMemeber(const QString& groupId, QStringList& ids, QStringList& names) const;

    // Sorts the children of the first `list` element of a profile text by the
    // attribute `key` under the name collation; equal keys keep their order.
    static void SortXMLChildNodes(QString& text, const QString& list, const QString& key, bool ascending);
    // The same on an element of a parsed document.
    static void SortChildNodes(const kvx::xml::XmlNode& list, const QString& key, bool ascending);
    // Moves the child at `index` of an already sorted list to the place its
    // key now belongs (after equal keys before it, before equal keys from its
    // old place on); with keepLast the last child stays last. Returns the new
    // index. XML service errors reach the caller as they are.
    static qint16 MoveChildToSortedPosition(const kvx::xml::XmlNode& parent, qint16 index, const QString& key, bool keepLast);

    // An XPath string literal of any text (quotes chosen, or concat() when
    // the text holds both kinds).
    static QString XPathLiteral(const QString& text);

private:
    CDataItem* AddNew(CDataItem& out, const QString* text, const char* operation);
    ScriptReturn CallHook(const QString& function, std::vector<ScriptArgument>& args, const QString& failure,
                          const char* operation) const;
    const kvx::xml::XmlNode& RequireNode() const;

    std::shared_ptr<IRuleScript> m_spScript;
    kvx::xml::XmlNode m_spNode;
};
