// CKVXZOTDoc: the edit path and the undo history it feeds.

#include "KVXZOTDoc.h"

#include "KVXZOTException.h"
#include "MessageIds.h"
#include "ProfileUndo.h"
#include "StringTable.h"

#include <QRegularExpression>
#include <QUndoStack>

using namespace kvx::xml;

namespace {

// Limits the rules' messages name with a %d placeholder.
constexpr int kScanListCapacity = 10;
constexpr int kMaxNameLength = 20;
constexpr int kMaxMessageLength = 80;

// Fast enough for every edit; a maximal profile compresses to a few KB.
constexpr int kSnapshotCompression = 1;

// The rules answer 0 for accepted, 1 for refused and any other value to ask.
EditOutcome::Kind KindOf(qint32 result)
{
    if (result == 0)
        return EditOutcome::Kind::Applied;
    if (result == 1)
        return EditOutcome::Kind::Refused;
    return EditOutcome::Kind::NeedsConfirmation;
}

// The arguments a message's placeholders take; an attribute change knows
// its old and new value.
QStringList MessageArguments(qint32 id, const QString& oldValue, const QString& newValue)
{
    switch (id) {
    case kMsgMoveScanList: return {oldValue, newValue};
    case kMsgScanListFull: return {QString::number(kScanListCapacity)};
    case kMsgNameTooLong: return {QString::number(kMaxNameLength)};
    case kMsgMessageTooLong: return {QString::number(kMaxMessageLength)};
    default: return {};
    }
}

// The node is an element still attached to the document's profile (not one
// of a profile replaced since, nor an entry deleted since).
bool IsInProfile(const XmlNode& node, const XmlDocument& profile)
{
    if (node.IsNull() || profile.IsNull() || !(node.OwnerDocument() == profile))
        return false;
    const XmlNode root = profile.DocumentElement();
    for (XmlNode n = node; !n.IsNull(); n = n.Parent()) {
        if (n == root)
            return true;
    }
    return false;
}

QString StepText(const EditRequest& request, const EditOutcome& outcome)
{
    switch (request.kind) {
    case EditRequest::Kind::SetAttribute: return QStringLiteral("Change %1").arg(request.name);
    case EditRequest::Kind::RemoveChild: return QStringLiteral("Delete");
    default: return QStringLiteral("Add %1").arg(outcome.added.IsEmpty() ? QString() : outcome.added.GetNode().BaseName());
    }
}

}  // namespace

QString EditOutcome::MessageText() const
{
    QString text = LoadStr(messageId);
    static const QRegularExpression placeholder(QStringLiteral("%[dsui]"));
    qsizetype from = 0;
    for (const QString& arg : args) {
        const QRegularExpressionMatch match = placeholder.match(text, from);
        if (!match.hasMatch())
            break;
        text.replace(match.capturedStart(), match.capturedLength(), arg);
        from = match.capturedStart() + arg.size();
    }
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

EditOutcome CKVXZOTDoc::Run(const EditRequest& request, bool confirmed, bool& byRules)
{
    CDataItem item = request.item;
    EditOutcome outcome;
    qint32 r1 = 0, r2 = 0;
    const qint32 n = confirmed ? 1 : 0;
    // Adds are always the rules' own; the rest may bypass them.
    byRules = true;
    switch (request.kind) {
    case EditRequest::Kind::SetAttribute: {
        const QString oldValue = item.GetNode().GetAttribute(request.name);
        outcome.result = item.SetAttributeValue(request.name, request.value, r1, n, r2, &byRules);
        outcome.args = MessageArguments(r1, oldValue, request.value.toString());
        break;
    }
    case EditRequest::Kind::RemoveChild:
        outcome.result = item.RemoveChildByIndex(request.index, r1, n, r2, &byRules);
        break;
    case EditRequest::Kind::AddChild:
    case EditRequest::Kind::AddScrollListEntry:
    case EditRequest::Kind::AddPrivateOrGroup: {
        CDataItem added;
        const CDataItem* made = request.kind == EditRequest::Kind::AddChild ? item.AddNewChild(added)
                                : request.kind == EditRequest::Kind::AddScrollListEntry
                                    ? item.AddNewPriScrList(added, request.text)
                                    : item.AddNewPriGrpPrivate(added, request.text);
        // An add the rules do not make is a refusal without a message.
        outcome.result = made ? 0 : 1;
        if (made)
            outcome.added = added;
        break;
    }
    }
    outcome.kind = KindOf(outcome.result);
    outcome.messageId = r1;
    outcome.style = quint32(r2);
    return outcome;
}

EditOutcome CKVXZOTDoc::Apply(const EditRequest& request, bool confirmed)
{
    EditOutcome outcome;
    // Taken afresh, so that nothing changed outside this path is undone with the step.
    QByteArray before;
    try {
        if (!IsInProfile(request.item.GetNode(), m_pDataModel->GetProfileDoc()))
            KVX_RAISE(kMsgMissingChild, QStringLiteral("The item is not part of the document's profile."), "CKVXZOTDoc::Apply");
        before = TakeSnapshot();
    } catch (const CKVXZOTException& e) {
        outcome.kind = EditOutcome::Kind::Failed;
        outcome.messageId = e.GetCode();
        outcome.trace = e.GetTrace();
        ShowException(e);
        return outcome;
    }

    bool byRules = true;
    try {
        outcome = Run(request, confirmed, byRules);
    } catch (const CKVXZOTException& e) {
        outcome = EditOutcome();
        outcome.kind = EditOutcome::Kind::Failed;
        outcome.messageId = e.GetCode();
        outcome.trace = e.GetTrace();
    }

    try {
        const QString afterText = m_pDataModel->GetProfileXml();
        const QByteArray after = Compress(afterText);
        if (after == before)
            ;   // nothing changed: no step, the modified flag stays
        else if (outcome.IsApplied() && (byRules || !RefuseUnstorable(before, afterText, outcome)))
            m_undoStack->push(new CProfileSnapshotCommand(*this, StepText(request, outcome), before, after,
                                                          CProfileSnapshotCommand::InMacro(*m_undoStack)));
        else
            RestoreSnapshot(before);   // what a refusing or failing rule left behind goes
    } catch (const CKVXZOTException& e) {
        if (outcome.kind != EditOutcome::Kind::Failed) {
            outcome = EditOutcome();
            outcome.kind = EditOutcome::Kind::Failed;
            outcome.messageId = e.GetCode();
            outcome.trace = e.GetTrace();
        }
    }
    if (outcome.kind == EditOutcome::Kind::Failed)
        ShowMessageId(outcome.messageId, kvx::kMbOk | kvx::kMbIconError);
    return outcome;
}

EditOutcome CKVXZOTDoc::ApplyWithConfirmation(const EditRequest& request, const EditConfirmation& confirm)
{
    EditOutcome outcome = Apply(request, false);
    if (outcome.kind == EditOutcome::Kind::NeedsConfirmation && confirm && confirm(outcome))
        outcome = Apply(request, true);
    return outcome;
}

bool CKVXZOTDoc::RefuseUnstorable(const QByteArray& before, const QString& profileXml, EditOutcome& outcome) const
{
    // The rules guard only what they have hooks for: a change past them must
    // not turn a profile that could be stored and opened again into one that
    // could not. (One that already could not, say with an entry the rules
    // added for the user to fill in, is no worse for it.)
    const QString reason = m_pDataModel->CheckStorable(profileXml);
    if (reason.isEmpty() || !m_pDataModel->CheckStorable(QString::fromUtf8(qUncompress(before))).isEmpty())
        return false;
    outcome = EditOutcome();
    outcome.kind = EditOutcome::Kind::Refused;
    outcome.result = 1;
    outcome.messageId = kMsgEditBreaksProfile;
    outcome.style = kvx::kMbOk | kvx::kMbIconWarning;
    outcome.reason = reason;
    return true;
}

QByteArray CKVXZOTDoc::Compress(const QString& profileXml)
{
    return qCompress(profileXml.toUtf8(), kSnapshotCompression);
}

QByteArray CKVXZOTDoc::TakeSnapshot() const
{
    return Compress(m_pDataModel->GetProfileXml());
}

void CKVXZOTDoc::RestoreSnapshot(const QByteArray& snapshot)
{
    try {
        m_pDataModel->RestoreProfile(QString::fromUtf8(qUncompress(snapshot)));
    } catch (const CKVXZOTException& e) {
        ShowException(e);
    }
    emit profileReloaded();
}
