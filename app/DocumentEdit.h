#pragma once

// The one way a profile changes: an edit request applied by the document
// (CKVXZOTDoc::Apply), answered with an outcome.

#include "DataItem.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

// What to change. Build one with the named constructors.
struct EditRequest {
    enum class Kind {
        SetAttribute,        // item's attribute `name` := value (CDataItem::SetAttributeValue)
        AddChild,            // a new child of item (AddNewChild)
        AddScrollListEntry,  // a private scroll-list entry named `text` under item (AddNewPriScrList)
        AddPrivateOrGroup,   // a private or private group under item, named from `text` (AddNewPriGrpPrivate)
        RemoveChild,         // child number `index` of item, with what the rules remove with it (RemoveChildByIndex)
    };

    static EditRequest SetAttribute(const CDataItem& item, const QString& name, const QVariant& value)
    {
        return {Kind::SetAttribute, item, name, value, 0, {}};
    }
    static EditRequest AddChild(const CDataItem& folder) { return {Kind::AddChild, folder, {}, {}, 0, {}}; }
    static EditRequest AddScrollListEntry(const CDataItem& list, const QString& name)
    {
        return {Kind::AddScrollListEntry, list, {}, {}, 0, name};
    }
    static EditRequest AddPrivateOrGroup(const CDataItem& folder, const QString& baseName)
    {
        return {Kind::AddPrivateOrGroup, folder, {}, {}, 0, baseName};
    }
    static EditRequest RemoveChild(const CDataItem& parent, int index) { return {Kind::RemoveChild, parent, {}, {}, index, {}}; }

    Kind kind;
    CDataItem item;
    QString name;      // SetAttribute: the attribute
    QVariant value;    // SetAttribute: the new value
    int index = 0;     // RemoveChild: the child's index
    QString text;      // the adds' name text
};

// How the document answered an edit.
struct EditOutcome {
    enum class Kind {
        Applied,            // the profile changed (one undo step); messageId, when set, is an information
        Refused,            // nothing changed; show messageId with style
        NeedsConfirmation,  // nothing changed yet; ask messageId with style, then apply again confirmed
        Failed,             // the rules or the profile failed; the message of code messageId has been
                            // shown through the document's message sink and the profile is as before
    };

    Kind kind = Kind::Refused;
    qint32 result = 0;      // the rules' own result (0 accepted, 1 refused, other values: confirm)
    qint32 messageId = 0;   // a string-table number; 0 for none
    quint32 style = 0;      // message-box style of the message (kvx::MessageStyle bits)
    QStringList args;       // the message's format arguments, in placeholder order
    CDataItem added;        // an applied add: the new entry
    QString trace;          // Failed: the exception's trace
    QString reason;         // what exactly was wrong, shown below the message's text

    bool IsApplied() const { return kind == Kind::Applied; }
    bool HasMessage() const { return messageId != 0; }
    // The message's string-table text with its %d / %s placeholders filled
    // from args, and the reason on a second line.
    QString MessageText() const;
};

// Asked when an edit needs confirmation: shows outcome.MessageText() with
// outcome.style and answers true for OK or Yes.
using EditConfirmation = std::function<bool(const EditOutcome& outcome)>;
