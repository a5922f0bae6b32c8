#include "ContactEntryView.h"

#include "FormViewPane.h"
#include "KVXZOTDoc.h"
#include "Messages.h"
#include "MessageFormat.h"
#include "StringTable.h"
#include "TreeNodeKinds.h"
#include "ViewImages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

CContactEntryView::CContactEntryView(const char* viewClass, NodeKind entryKind, const char* folderName, QWidget* parent)
    : CBaseView(viewClass, parent), m_nEntryKind(entryKind), m_strFolder(QString::fromLatin1(folderName))
{
}

void CContactEntryView::SetUpEntryControls(QLineEdit* nameEdit, QAbstractButton* deleteButton)
{
    m_pName = nameEdit;
    m_pDelete = deleteButton;
    deleteButton->setIcon(ViewImages::DeleteContactIcon());
    deleteButton->setAccessibleName(LoadStr(269));
    deleteButton->setToolTip(LoadStr(269));
    connect(deleteButton, &QAbstractButton::clicked, this, &CContactEntryView::DeleteCurrent);
    connect(nameEdit, &QLineEdit::textEdited, this, [this] {
        if (!IsClosing())
            Doc().SetModifiedFlag();
    });
    CommitOnFocusLeave(nameEdit, [this] { CommitName(); }, {deleteButton});
}

void CContactEntryView::CommitOnFocusLeave(QWidget* field, std::function<void()> commit, const QList<QWidget*>& exempt)
{
    FocusCommit watch{field, std::move(commit), {}};
    for (QWidget* control : exempt)
        watch.exempt << control;
    m_commits << watch;
}

void CContactEntryView::LoadEntry()
{
    m_folder = Child(Child(Root(), QStringLiteral("Contacts")), m_strFolder);
    m_entry = ChildAt(m_folder, EntryIndex());
}

bool CContactEntryView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason) {
            for (const FocusCommit& watch : m_commits) {
                if (watch.field == watched)
                    OnFieldFocusOut(watch, QApplication::focusWidget());
            }
        }
    }
    return CBaseView::eventFilter(watched, event);
}

void CContactEntryView::OnFieldFocusOut(const FocusCommit& watch, QWidget* next)
{
    // The focus left the view (the tree, another window): the leave check
    // decides there. A move to an exempt control lets an invalid entry still
    // be deleted.
    if (IsValidationSuspended() || IsClosing() || !next || !isAncestorOf(next))
        return;
    for (const QPointer<QWidget>& exempt : watch.exempt) {
        if (exempt && (exempt == next || exempt->isAncestorOf(next)))
            return;
    }
    // Committed once the focus change is over: a message box must not open
    // in the middle of it.
    QTimer::singleShot(0, this, [this, commit = watch.commit] {
        if (!IsClosing() && !IsValidationSuspended() && Pane()->ActiveView() == this)
            Guarded(commit);
    });
}

bool CContactEntryView::CommitName()
{
    const QString text = m_pName->text();
    if (text.isEmpty()) {
        MessageId(10055, kvx::kMbOk | kvx::kMbIconWarning);
        FocusName();
        return false;
    }
    if (text == Attribute(m_entry, QStringLiteral("name")))
        return true;
    if (!Write(QStringLiteral("name"), text).IsApplied()) {
        FocusName();
        return false;
    }
    RefreshCaption();
    SendHint(HintAction::Refresh, m_nEntryKind, EntryIndex());
    NameCommitted();
    return true;
}

void CContactEntryView::NameCommitted()
{
}

void CContactEntryView::FocusName()
{
    FocusLater(m_pName);
}

QString CContactEntryView::OtherFaults()
{
    return QString();
}

void CContactEntryView::FocusOtherFault()
{
    FocusName();
}

int CContactEntryView::LeaveCheck()
{
    int answer = LeaveRefused;
    Guarded([&] {
        bool nameFaulty = m_pName->text().isEmpty();
        if (!nameFaulty && m_pName->text() != Attribute(m_entry, QStringLiteral("name"))) {
            nameFaulty = !Edit(EditRequest::SetAttribute(m_entry, QStringLiteral("name"), m_pName->text()), true).IsApplied();
            if (!nameFaulty) {
                RefreshCaption();
                SendHint(HintAction::Refresh, m_nEntryKind, EntryIndex());
            }
        }
        const QString lines = (nameFaulty ? LoadStr(10162) : QString()) + OtherFaults();
        if (lines.isEmpty()) {
            answer = LeaveAllowed;
            return;
        }
        if (Message(FormatMessage(LoadStr(10161), {lines}), kvx::kMbOkCancel | kvx::kMbIconWarning) == kvx::kIdOk) {
            const int before = m_folder.GetChildCount();
            {
                ValidationSuspender suspend;
                SendHint(HintAction::Delete, m_nEntryKind, EntryIndex());
            }
            // The tree asks again before some deletions; a No there keeps the entry.
            if (m_folder.GetChildCount() < before) {
                answer = LeaveDeleted;
                return;
            }
        }
        if (nameFaulty)
            FocusName();
        else
            FocusOtherFault();
    });
    return answer;
}

void CContactEntryView::OnEntryAdded(NodeKind kind)
{
    Q_UNUSED(kind);
    FocusName();
}

QString CContactEntryView::CaptionText() const
{
    return Attribute(m_entry, QStringLiteral("name"));
}

void CContactEntryView::RefreshCaption()
{
    SetCaption(CaptionText());
}

void CContactEntryView::ReloadName()
{
    // A profile read from a radio may hold longer names than may be typed;
    // they are shown whole and can be shortened.
    const QString name = Attribute(m_entry, QStringLiteral("name"));
    m_pName->setMaxLength(std::max(kMaxNameLength, int(name.size())));
    m_pName->setText(name);
    RefreshCaption();
}

void CContactEntryView::OnDocumentUpdate(QObject*, quint32 hint)
{
    if (hint == 0)
        Guarded([this] { ReloadName(); });
}

void CContactEntryView::DeleteCurrent()
{
    Guarded([this] {
        ValidationSuspender suspend;
        SendHint(HintAction::Delete, m_nEntryKind, EntryIndex());
    });
}

int CContactEntryView::FillChannelChoice(QComboBox* combo)
{
    const int channels = NumberAttribute(Limit(), QStringLiteral("max_num_of_channels"));
    QSignalBlocker block(combo);
    combo->clear();
    for (int channel = 1; channel <= channels; ++channel)
        combo->addItem(FormatMessage(LoadStr(10104), {QString::number(channel)}));
    const int position =
        combo->findText(FormatMessage(LoadStr(10104), {Attribute(m_entry, QStringLiteral("channel")).trimmed()}));
    if (position < 0)
        throw ProfileDataFault();
    combo->setCurrentIndex(position);
    return position;
}

EditOutcome CContactEntryView::Write(const QString& name, const QVariant& value)
{
    return Edit(EditRequest::SetAttribute(m_entry, name, value));
}

bool CContactEntryView::WriteChoice(QComboBox* combo, int& keptPosition, int position, const QString& name,
                                    const QVariant& value)
{
    if (!Write(name, value).IsApplied()) {
        SetComboIndex(combo, keptPosition);
        return false;
    }
    keptPosition = position;
    return true;
}

void CContactEntryView::SetComboIndex(QComboBox* combo, int index)
{
    QSignalBlocker block(combo);
    combo->setCurrentIndex(index);
}
