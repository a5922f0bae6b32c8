// CPrivateView: the private's own scroll list.

#include "PrivateView.h"

#include "ui_PrivateView.h"

#include <QSignalBlocker>

namespace {

const QString kScrollList = QStringLiteral("scrolllist");
const QString kEnabled = QStringLiteral("private_scroll_list");

}  // namespace

void CPrivateView::LoadScrollList()
{
    // Radios of the first model group have no private scroll lists (the GUI
    // page hides the frame).
    if (!Entry().GetNode().HasAttribute(kEnabled))
        return;
    const bool enabled = FlagAttribute(Entry(), kEnabled);
    {
        QSignalBlocker block(ui->scrollEnableCheck);
        ui->scrollEnableCheck->setChecked(enabled);
    }
    const CDataItem list = Child(Entry(), kScrollList);
    QStringList names;
    for (int i = 0; i < list.GetChildCount(); ++i)
        names << Attribute(ChildAt(list, i), QStringLiteral("name"));
    m_scrollTable.Build(Root(), [&names](const CDataItem& contact) {
        return names.contains(Attribute(contact, QStringLiteral("name")));
    });
    m_pScrollEditor->Fill(m_scrollTable.Entries(false), m_scrollTable.Entries(true));
    m_pScrollEditor->SetEnabled(enabled);
}

void CPrivateView::ReloadScrollList()
{
    m_pScrollEditor->Clear();
    LoadScrollList();
}

void CPrivateView::OnScrollEnableClicked(bool checked)
{
    Guarded([&] {
        // The rules may ask first (and may change the list when they do).
        Edit(EditRequest::SetAttribute(Entry(), kEnabled, checked));
        LoadScrollList();
    });
}

CTwoListEditor::Step CPrivateView::AddToScrollList(const CTwoListEditor::Entry& entry)
{
    CDataItem list = Child(Entry(), kScrollList);
    if (!list.CanAddChild())
        return CTwoListEditor::Step::Keep;
    const EditOutcome outcome = Edit(EditRequest::AddScrollListEntry(list, m_scrollTable.At(entry.globalIndex).name), true);
    if (!outcome.IsApplied())
        return outcome.kind == EditOutcome::Kind::Failed ? CTwoListEditor::Step::Stop : CTwoListEditor::Step::Keep;
    SendHint(HintAction::Refresh, NodeKind::ScrollList, 0);
    return CTwoListEditor::Step::Move;
}

CTwoListEditor::Step CPrivateView::RemoveFromScrollList(const CTwoListEditor::Entry& entry)
{
    const CDataItem list = Child(Entry(), kScrollList);
    const QString name = m_scrollTable.At(entry.globalIndex).name;
    for (int i = 0; i < list.GetChildCount(); ++i) {
        if (Attribute(ChildAt(list, i), QStringLiteral("name")) != name)
            continue;
        const EditOutcome outcome = Edit(EditRequest::RemoveChild(list, i), true);
        if (outcome.kind == EditOutcome::Kind::Failed)
            return CTwoListEditor::Step::Stop;
        if (!outcome.IsApplied()) {
            if (outcome.HasMessage())
                Message(outcome.MessageText(), outcome.style);
            return CTwoListEditor::Step::Keep;
        }
        break;
    }
    SendHint(HintAction::Refresh, NodeKind::ScrollList, 0);
    return CTwoListEditor::Step::Move;
}
