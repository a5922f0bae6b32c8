#include "ProfileEdits.h"

#include "KVXZOTDoc.h"

namespace ProfileEdits {
namespace {

// The rules ask for the user's answer with this result.
constexpr qint32 kResultConfirm = 2;

EditOutcome Outcome(CKVXZOTDoc& doc, qint32 result, qint32 messageId, qint32 style)
{
    EditOutcome outcome;
    outcome.messageId = messageId;
    outcome.style = unsigned(style);
    if (result == 0) {
        doc.SetModifiedFlag();
        outcome.kind = EditOutcome::Applied;
    } else {
        outcome.kind = result == kResultConfirm ? EditOutcome::NeedsConfirmation : EditOutcome::Refused;
    }
    return outcome;
}

}  // namespace

EditOutcome SetAttribute(CKVXZOTDoc& doc, CDataItem& entry, const QString& name, const QVariant& value, bool confirmed)
{
    qint32 messageId = 0;
    qint32 style = 0;
    const qint32 result = entry.SetAttributeValue(name, value, messageId, confirmed ? 1 : 0, style);
    return Outcome(doc, result, messageId, style);
}

EditOutcome RemoveChild(CKVXZOTDoc& doc, CDataItem& folder, int index, bool confirmed)
{
    qint32 messageId = 0;
    qint32 style = 0;
    const qint32 result = folder.RemoveChildByIndex(index, messageId, confirmed ? 1 : 0, style);
    return Outcome(doc, result, messageId, style);
}

CDataItem AddChild(CDataItem& folder, CKVXZOTDoc& doc)
{
    CDataItem added;
    if (folder.AddNewChild(added))
        doc.SetModifiedFlag();
    return added;
}

CDataItem AddNamedChild(CDataItem& folder, const QString& defaultName, CKVXZOTDoc& doc)
{
    CDataItem added;
    if (folder.AddNewPriGrpPrivate(added, defaultName))
        doc.SetModifiedFlag();
    return added;
}

}  // namespace ProfileEdits
