#include "ContactListView.h"

CContactListView::CContactListView(const char* viewClass, const char* flag, QWidget* parent)
    : CBaseView(viewClass, parent), m_strFlag(QString::fromLatin1(flag))
{
}

void CContactListView::SetUpEditor(QTreeWidget* available, QTreeWidget* members, QAbstractButton* add,
                                   QAbstractButton* remove)
{
    m_pEditor = new CTwoListEditor(available, members, add, remove, this);
    m_pEditor->SetHandlers(
        GuardedStep([this](const CTwoListEditor::Entry& entry) { return AddStep(entry.globalIndex); }),
        GuardedStep([this](const CTwoListEditor::Entry& entry) { return WriteFlag(entry.globalIndex, false); }),
        [this] {
            bool start = false;
            Guarded([&] { start = CanStartAdd(); });
            return start;
        });
}

bool CContactListView::CanStartAdd()
{
    return true;
}

CTwoListEditor::Step CContactListView::AddStep(int globalIndex)
{
    return WriteFlag(globalIndex, true);
}

void CContactListView::FillLists(const QStringList& folders, const CContactTable::Filter& filter)
{
    m_table.Build(
        Root(), [this](const CDataItem& entry) { return FlagAttribute(entry, m_strFlag); }, folders, filter);
    m_pEditor->Fill(m_table.Entries(false), m_table.Entries(true));
}

CTwoListEditor::Step CContactListView::WriteFlag(int globalIndex, bool value)
{
    // Quiet: a question of the rules stops the move instead of being asked.
    const EditOutcome outcome = Edit(EditRequest::SetAttribute(m_table.At(globalIndex).entry, m_strFlag, value), true);
    switch (outcome.kind) {
    case EditOutcome::Kind::Applied:
        if (outcome.HasMessage())
            Message(outcome.MessageText(), outcome.style);
        m_table.SetListed(globalIndex, value);
        SendListHint();
        return CTwoListEditor::Step::Move;
    case EditOutcome::Kind::Refused:
        if (outcome.HasMessage())
            Message(outcome.MessageText(), outcome.style);
        return CTwoListEditor::Step::Keep;
    default:
        return CTwoListEditor::Step::Stop;
    }
}
