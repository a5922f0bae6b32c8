#include "TwoListEditor.h"

#include "NameCollation.h"
#include "ViewImages.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

namespace {

enum Column { NameColumn = 0, GlobalIndexColumn = 1 };
constexpr int kImageRole = Qt::UserRole;

// Items order themselves by name under the radio's collation (the sort of
// QTreeWidget is stable, so equal names keep their order).
class CNameItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        return CompareNames(text(NameColumn), other.text(NameColumn)) < 0;
    }
};

bool HasSelection(const QTreeWidget* list)
{
    return !list->selectedItems().isEmpty();
}

void SelectOnly(QTreeWidget* list, int row)
{
    list->clearSelection();
    QTreeWidgetItem* item = list->topLevelItem(row);
    list->setCurrentItem(item);
    item->setSelected(true);
}

}  // namespace

CTwoListEditor::CTwoListEditor(QTreeWidget* available, QTreeWidget* members, QAbstractButton* add,
                               QAbstractButton* remove, QObject* parent)
    : QObject(parent), m_pAvailable(available), m_pMembers(members), m_pAdd(add), m_pRemove(remove)
{
    for (QTreeWidget* list : {available, members}) {
        SetUpList(list);
        list->installEventFilter(this);
        connect(list, &QTreeWidget::itemSelectionChanged, this, [this] {
            if (!m_bMoving)
                UpdateButtons();
        });
    }
    connect(available, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (HasSelection(m_pAvailable))
            Add();
    });
    connect(members, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (HasSelection(m_pMembers))
            Remove();
    });
    connect(add, &QAbstractButton::clicked, this, &CTwoListEditor::Add);
    connect(remove, &QAbstractButton::clicked, this, &CTwoListEditor::Remove);
    UpdateButtons();
}

void CTwoListEditor::SetUpList(QTreeWidget* list)
{
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("name"), QStringLiteral("globalIndex")});
    list->setColumnHidden(GlobalIndexColumn, true);
    list->header()->hide();
    list->header()->setStretchLastSection(true);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setIconSize(QSize(ViewImages::kTreeCellSize, ViewImages::kTreeCellSize));
}

void CTwoListEditor::SetHandlers(MoveHandler onAdd, MoveHandler onRemove, AddGuard addGuard)
{
    m_onAdd = std::move(onAdd);
    m_onRemove = std::move(onRemove);
    m_addGuard = std::move(addGuard);
}

QTreeWidgetItem* CTwoListEditor::NewItem(const Entry& entry)
{
    auto* item = new CNameItem;
    item->setText(NameColumn, entry.name);
    item->setText(GlobalIndexColumn, QString::number(entry.globalIndex));
    item->setData(NameColumn, kImageRole, entry.image);
    if (entry.image >= 0)
        item->setIcon(NameColumn, ViewImages::TreeIcon(entry.image));
    return item;
}

CTwoListEditor::Entry CTwoListEditor::EntryOf(const QTreeWidgetItem* item)
{
    return {item->text(NameColumn), item->data(NameColumn, kImageRole).toInt(), item->text(GlobalIndexColumn).toInt()};
}

void CTwoListEditor::SortList(QTreeWidget* list)
{
    list->sortItems(NameColumn, Qt::AscendingOrder);
}

void CTwoListEditor::Fill(const QList<Entry>& available, const QList<Entry>& members)
{
    m_bMoving = true;
    Clear();
    for (const Entry& entry : available)
        m_pAvailable->addTopLevelItem(NewItem(entry));
    for (const Entry& entry : members)
        m_pMembers->addTopLevelItem(NewItem(entry));
    SortList(m_pAvailable);
    SortList(m_pMembers);
    m_bMoving = false;
    SelectFirst();
}

void CTwoListEditor::Clear()
{
    m_pAvailable->clear();
    m_pMembers->clear();
    UpdateButtons();
}

void CTwoListEditor::SetEnabled(bool enabled)
{
    m_bEnabled = enabled;
    m_pAvailable->setEnabled(enabled);
    m_pMembers->setEnabled(enabled);
    if (!enabled) {
        m_pAvailable->clearSelection();
        m_pMembers->clearSelection();
    }
    UpdateButtons();
}

void CTwoListEditor::SelectFirst()
{
    m_bMoving = true;
    m_pAvailable->clearSelection();
    m_pMembers->clearSelection();
    if (m_pAvailable->topLevelItemCount() > 0)
        SelectOnly(m_pAvailable, 0);
    else if (m_pMembers->topLevelItemCount() > 0)
        SelectOnly(m_pMembers, 0);
    m_bMoving = false;
    UpdateButtons();
}

void CTwoListEditor::UpdateButtons()
{
    // A list with the focus keeps the other list's button off.
    const QWidget* focus = m_pAvailable->hasFocus() ? m_pAvailable : m_pMembers->hasFocus() ? m_pMembers : nullptr;
    m_pAdd->setEnabled(m_bEnabled && HasSelection(m_pAvailable) && focus != m_pMembers);
    m_pRemove->setEnabled(m_bEnabled && HasSelection(m_pMembers) && focus != m_pAvailable);
}

bool CTwoListEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == m_pAvailable || watched == m_pMembers))
        UpdateButtons();
    return QObject::eventFilter(watched, event);
}

void CTwoListEditor::Add()
{
    if (!m_bEnabled || !HasSelection(m_pAvailable))
        return;
    if (m_addGuard && !m_addGuard())
        return;
    Move(m_pAvailable, m_pMembers, m_onAdd);
}

void CTwoListEditor::Remove()
{
    if (m_bEnabled && HasSelection(m_pMembers))
        Move(m_pMembers, m_pAvailable, m_onRemove);
}

void CTwoListEditor::Move(QTreeWidget* from, QTreeWidget* to, const MoveHandler& handler)
{
    if (!handler)
        return;
    QList<QTreeWidgetItem*> selected;
    for (int row = 0; row < from->topLevelItemCount(); ++row) {
        if (from->topLevelItem(row)->isSelected())
            selected << from->topLevelItem(row);
    }
    m_bMoving = true;
    int lastRow = -1;
    try {
        for (QTreeWidgetItem* item : selected) {
            const Step step = handler(EntryOf(item));
            if (step == Step::Stop)
                break;
            const int row = from->indexOfTopLevelItem(item);
            if (step == Step::Keep || row < 0)
                continue;
            item->setSelected(false);
            to->addTopLevelItem(from->takeTopLevelItem(row));
            lastRow = row;
        }
    } catch (...) {
        SortList(to);
        m_bMoving = false;
        UpdateButtons();
        throw;
    }
    SortList(to);
    m_bMoving = false;
    if (lastRow < 0) {
        UpdateButtons();
        return;
    }
    AfterMove(from, to, lastRow);
    emit moved();
}

void CTwoListEditor::AfterMove(QTreeWidget* from, QTreeWidget* to, int lastRow)
{
    m_bMoving = true;
    to->clearSelection();
    QTreeWidget* focus = from;
    if (from->topLevelItemCount() > 0) {
        SelectOnly(from, std::min(lastRow, from->topLevelItemCount() - 1));
    } else {
        SelectOnly(to, 0);
        focus = to;
    }
    m_bMoving = false;
    focus->setFocus(Qt::OtherFocusReason);
    UpdateButtons();
}

int CTwoListEditor::AvailableCount() const
{
    return m_pAvailable->topLevelItemCount();
}

int CTwoListEditor::MemberCount() const
{
    return m_pMembers->topLevelItemCount();
}

QList<CTwoListEditor::Entry> CTwoListEditor::Members() const
{
    QList<Entry> entries;
    for (int row = 0; row < m_pMembers->topLevelItemCount(); ++row)
        entries << EntryOf(m_pMembers->topLevelItem(row));
    return entries;
}

QList<CTwoListEditor::Entry> CTwoListEditor::Available() const
{
    QList<Entry> entries;
    for (int row = 0; row < m_pAvailable->topLevelItemCount(); ++row)
        entries << EntryOf(m_pAvailable->topLevelItem(row));
    return entries;
}

QTreeWidgetItem* CTwoListEditor::ItemOf(const QTreeWidget* list, int globalIndex)
{
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (EntryOf(list->topLevelItem(row)).globalIndex == globalIndex)
            return list->topLevelItem(row);
    }
    return nullptr;
}

bool CTwoListEditor::SelectAvailable(int globalIndex)
{
    QTreeWidgetItem* item = ItemOf(m_pAvailable, globalIndex);
    if (!item)
        return false;
    SelectOnly(m_pAvailable, m_pAvailable->indexOfTopLevelItem(item));
    return true;
}

void CTwoListEditor::ClearAvailableSelection()
{
    m_pAvailable->clearSelection();
}

bool CTwoListEditor::Transfer(QTreeWidget* from, QTreeWidget* to, int globalIndex)
{
    QTreeWidgetItem* item = ItemOf(from, globalIndex);
    if (!item)
        return false;
    item->setSelected(false);
    to->addTopLevelItem(from->takeTopLevelItem(from->indexOfTopLevelItem(item)));
    SortList(to);
    return true;
}

bool CTwoListEditor::ShowAsMember(int globalIndex)
{
    const bool moved = Transfer(m_pAvailable, m_pMembers, globalIndex);
    UpdateButtons();
    return moved;
}

bool CTwoListEditor::ShowAsAvailable(int globalIndex)
{
    const bool moved = Transfer(m_pMembers, m_pAvailable, globalIndex);
    UpdateButtons();
    return moved;
}
