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

// Drops what an XML file cannot hold (control characters but tab and line
// breaks, U+FFFE, U+FFFF, halves of surrogate pairs): pasted text may carry
// them, and a profile holding one could be neither saved nor restored.
QString StorableText(const QString& text)
{
    const auto storable = [&text](qsizetype i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20)
            return c == u'\t' || c == u'\n' || c == u'\r';
        if (c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c))
            return i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (QChar::isLowSurrogate(c))
            return i > 0 && text[i - 1].isHighSurrogate();
        return true;
    };
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        if (storable(i))
            kept += text[i];
    return kept;
}

QVariant StorableValue(const QVariant& value)
{
    return value.typeId() == QMetaType::QString ? QVariant(StorableText(value.toString())) : value;
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
    return text;
}

EditOutcome CKVXZOTDoc::Run(const EditRequest& request, bool confirmed)
{
    CDataItem item = request.item;
    EditOutcome outcome;
    qint32 r1 = 0, r2 = 0;
    const qint32 n = confirmed ? 1 : 0;
    switch (request.kind) {
    case EditRequest::Kind::SetAttribute: {
        const QString oldValue = item.GetNode().GetAttribute(request.name);
        const QVariant value = StorableValue(request.value);
        outcome.result = item.SetAttributeValue(request.name, value, r1, n, r2);
        outcome.args = MessageArguments(r1, oldValue, value.toString());
        break;
    }
    case EditRequest::Kind::RemoveChild:
        outcome.result = item.RemoveChildByIndex(request.index, r1, n, r2);
        break;
    case EditRequest::Kind::AddChild:
    case EditRequest::Kind::AddScrollListEntry:
    case EditRequest::Kind::AddPrivateOrGroup: {
        CDataItem added;
        const QString text = StorableText(request.text);
        const CDataItem* made = request.kind == EditRequest::Kind::AddChild ? item.AddNewChild(added)
                                : request.kind == EditRequest::Kind::AddScrollListEntry
                                    ? item.AddNewPriScrList(added, text)
                                    : item.AddNewPriGrpPrivate(added, text);
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

    try {
        outcome = Run(request, confirmed);
    } catch (const CKVXZOTException& e) {
        outcome = EditOutcome();
        outcome.kind = EditOutcome::Kind::Failed;
        outcome.messageId = e.GetCode();
        outcome.trace = e.GetTrace();
    }

    try {
        const QByteArray after = TakeSnapshot();
        if (after == before)
            ;   // nothing changed: no step, the modified flag stays
        else if (outcome.IsApplied())
            m_undoStack->push(new CProfileSnapshotCommand(*this, StepText(request, outcome), before, after));
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

QByteArray CKVXZOTDoc::TakeSnapshot() const
{
    return qCompress(m_pDataModel->GetProfileXml().toUtf8(), kSnapshotCompression);
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
