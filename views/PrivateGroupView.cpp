#include "PrivateGroupView.h"

#include "FormViewPane.h"
#include "KVXZOTDoc.h"
#include "Messages.h"
#include "NameCollation.h"
#include "MessageFormat.h"
#include "StringTable.h"
#include "TreeNodeKinds.h"
#include "ViewImages.h"

#include "ui_PrivateGroupView.h"

#include <QFocusEvent>
#include <QSignalBlocker>
#include <QUndoStack>
#include <algorithm>

namespace {

constexpr int kMaxGroups = 5;

// The membership changes of one Add or Remove are one step of undo.
class UndoBatch {
public:
    UndoBatch(QUndoStack* stack, const QString& text) : m_stack(stack) { m_stack->beginMacro(text); }
    ~UndoBatch() { m_stack->endMacro(); }
    UndoBatch(const UndoBatch&) = delete;
    UndoBatch& operator=(const UndoBatch&) = delete;

private:
    QUndoStack* m_stack;
};
constexpr int kGroupsLeftRole = Qt::UserRole + 1;
const QColor kUnselectableText(164, 164, 164);

bool HasGroup(const CDataItem& parents, const QString& groupId)
{
    const int count = parents.GetChildCount();
    for (int i = 0; i < count; ++i) {
        CDataItem entry;
        parents.GetChildByIndex(i, entry);
        if (entry.GetNode().GetAttribute(QStringLiteral("pid")) == groupId)
            return true;
    }
    return false;
}

}  // namespace

CPrivateGroupView::CPrivateGroupView(QWidget* parent)
    : CContactEntryView("CPrivateGroupView", NodeKind::PrivateGroup, "PrivateGroups", parent), ui(new Ui::PrivateGroupView)
{
    ui->setupUi(Form());
    SetUpEntryControls(ui->nameEdit, ui->deleteButton);
    ui->allPrivatesList->setToolTip(LoadStr(173));
    connect(ui->channelCombo, &QComboBox::currentIndexChanged, this, &CPrivateGroupView::OnChannelChosen);
    connect(ui->idCombo, &QComboBox::currentIndexChanged, this, &CPrivateGroupView::OnIdChosen);
    connect(ui->allPrivatesList, &QListWidget::itemSelectionChanged, this, &CPrivateGroupView::OnAvailableSelectionChanged);
    connect(ui->membersList, &QListWidget::itemSelectionChanged, this, &CPrivateGroupView::OnMembersSelectionChanged);
    connect(ui->addButton, &QPushButton::clicked, this, &CPrivateGroupView::AddMembers);
    connect(ui->removeButton, &QPushButton::clicked, this, &CPrivateGroupView::RemoveMembers);
    connect(ui->allPrivatesList, &QListWidget::itemDoubleClicked, this, [this] {
        if (ui->addButton->isEnabled())
            AddMembers();
    });
    connect(ui->membersList, &QListWidget::itemDoubleClicked, this, [this] {
        if (ui->removeButton->isEnabled())
            RemoveMembers();
    });
}

CPrivateGroupView::~CPrivateGroupView() = default;

void CPrivateGroupView::LoadData()
{
    LoadEntry();
    ReloadName();
    m_nChannelPosition = FillChannelChoice(ui->channelCombo);
    FillIdChoice();
    FillLists();
    ui->addButton->setEnabled(false);
    ui->removeButton->setEnabled(false);
}

void CPrivateGroupView::FillIdChoice()
{
    const CDataItem privates = Child(Child(Root(), QStringLiteral("Contacts")), QStringLiteral("Privates"));
    QStringList ids;
    const int count = privates.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const CDataItem entry = ChildAt(privates, i);
        if (Attribute(entry, QStringLiteral("id_in_use")).trimmed() == QLatin1String("0") ||
            Attribute(entry, QStringLiteral("id_in_use")).trimmed() == QLatin1String("false"))
            ids << Attribute(entry, QStringLiteral("pid"));
    }
    const QString own = Attribute(Entry(), QStringLiteral("pid"));
    if (!ids.contains(own))
        ids << own;
    ids.sort();
    QSignalBlocker block(ui->idCombo);
    ui->idCombo->clear();
    ui->idCombo->addItems(ids);
    m_nIdPosition = ui->idCombo->findText(own, Qt::MatchExactly);
    ui->idCombo->setCurrentIndex(m_nIdPosition);
}

int CPrivateGroupView::GroupsLeft(const CDataItem& parents)
{
    const int count = parents.GetChildCount();
    return count <= kMaxGroups ? kMaxGroups - count : -1;
}

QListWidgetItem* CPrivateGroupView::NewItem(const CDataItem& entry, bool member, const QString& ownId, int groupsLeft)
{
    const QString name = Attribute(entry, QStringLiteral("name"));
    auto* item = new QListWidgetItem(
        member ? name : name + FormatMessage(LoadStr(10100), {QString::number(groupsLeft)}));
    item->setData(kNameRole, name);
    item->setData(kGroupsLeftRole, groupsLeft);
    const bool own = Attribute(entry, QStringLiteral("pid")) == ownId;
    item->setIcon(ViewImages::TreeIcon(own ? TreeNode::ImageOwnPrivate : TreeNode::ImagePrivate));
    if (!member && groupsLeft == 0) {
        item->setForeground(kUnselectableText);
        item->setBackground(Qt::white);
    }
    return item;
}

void CPrivateGroupView::FillLists()
{
    const QString groupId = Attribute(Entry(), QStringLiteral("pid"));
    const QString channel = Attribute(Entry(), QStringLiteral("channel")).trimmed();
    const QString ownId = Attribute(Limit(), QStringLiteral("pid"));
    const CDataItem privates = Child(Child(Root(), QStringLiteral("Contacts")), QStringLiteral("Privates"));
    QSignalBlocker blockAvailable(ui->allPrivatesList);
    QSignalBlocker blockMembers(ui->membersList);
    ui->allPrivatesList->clear();
    ui->membersList->clear();
    const int count = privates.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const CDataItem entry = ChildAt(privates, i);
        if (Attribute(entry, QStringLiteral("channel")).trimmed() != channel)
            continue;
        const CDataItem parents = Child(entry, QStringLiteral("ParentPrivateGroups"));
        if (HasGroup(parents, groupId)) {
            ui->membersList->addItem(NewItem(entry, true, ownId, 0));
        } else if (const int left = GroupsLeft(parents); left >= 0) {
            ui->allPrivatesList->addItem(NewItem(entry, false, ownId, left));
        }
    }
    SortList(ui->allPrivatesList);
    SortList(ui->membersList);
}

void CPrivateGroupView::SortList(QListWidget* list)
{
    QList<QListWidgetItem*> items;
    while (list->count() > 0)
        items << list->takeItem(0);
    std::stable_sort(items.begin(), items.end(),
                     [](const QListWidgetItem* a, const QListWidgetItem* b) { return CompareNames(a->text(), b->text()) < 0; });
    for (QListWidgetItem* item : items)
        list->addItem(item);
}

CDataItem CPrivateGroupView::PrivateOf(const QListWidgetItem* item) const
{
    const QString name = item->data(kNameRole).toString();
    const QString channel = Attribute(const_cast<CPrivateGroupView*>(this)->Entry(), QStringLiteral("channel")).trimmed();
    const CDataItem privates = Child(Child(Root(), QStringLiteral("Contacts")), QStringLiteral("Privates"));
    const int count = privates.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const CDataItem entry = ChildAt(privates, i);
        if (Attribute(entry, QStringLiteral("name")) == name && Attribute(entry, QStringLiteral("channel")).trimmed() == channel)
            return entry;
    }
    throw ProfileDataFault();
}

// ---- Selections and buttons -----------------------------------------------------

void CPrivateGroupView::OnAvailableSelectionChanged()
{
    if (m_bSelecting)
        return;
    m_bSelecting = true;
    bool any = false;
    for (QListWidgetItem* item : ui->allPrivatesList->selectedItems()) {
        if (item->data(kGroupsLeftRole).toInt() == 0)
            item->setSelected(false);
        else
            any = true;
    }
    m_bSelecting = false;
    ui->addButton->setEnabled(any);
    Pane()->RequestStatusText(LoadStr(any ? 57345 : 173));
}

void CPrivateGroupView::OnMembersSelectionChanged()
{
    if (!m_bSelecting)
        ui->removeButton->setEnabled(!ui->membersList->selectedItems().isEmpty());
}

bool CPrivateGroupView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == ui->allPrivatesList)
            ui->removeButton->setEnabled(false);
        else if (watched == ui->membersList)
            ui->addButton->setEnabled(false);
    }
    return CContactEntryView::eventFilter(watched, event);
}

// ---- Add and Remove ----------------------------------------------------------------

void CPrivateGroupView::AddMembers()
{
    if (ui->allPrivatesList->selectedItems().isEmpty())
        return;
    Guarded([this] {
        UndoBatch batch(Doc().UndoStack(), ui->addButton->text());
        const QString groupId = Attribute(Entry(), QStringLiteral("pid"));
        const QString ownId = Attribute(Limit(), QStringLiteral("pid"));
        int lastRow = -1;
        m_bSelecting = true;
        for (int row = 0; row < ui->allPrivatesList->count();) {
            QListWidgetItem* item = ui->allPrivatesList->item(row);
            if (!item->isSelected()) {
                ++row;
                continue;
            }
            CDataItem entry = PrivateOf(item);
            CDataItem parents = Child(entry, QStringLiteral("ParentPrivateGroups"));
            const EditOutcome added = Edit(EditRequest::AddChild(parents));
            if (!added.IsApplied() || added.added.IsEmpty())
                throw ProfileDataFault();
            if (!Edit(EditRequest::SetAttribute(added.added, QStringLiteral("pid"), groupId)).IsApplied())
                throw ProfileDataFault();
            ui->membersList->addItem(NewItem(entry, true, ownId, 0));
            delete ui->allPrivatesList->takeItem(row);
            lastRow = row;
        }
        SortList(ui->membersList);
        // The nearest selectable item at or after the last one taken, else before it.
        QListWidget* list = ui->allPrivatesList;
        list->clearSelection();
        int select = -1;
        for (int row = std::max(lastRow, 0); row < list->count() && select < 0; ++row) {
            if (list->item(row)->data(kGroupsLeftRole).toInt() > 0)
                select = row;
        }
        for (int row = std::min(lastRow, int(list->count())) - 1; row >= 0 && select < 0; --row) {
            if (list->item(row)->data(kGroupsLeftRole).toInt() > 0)
                select = row;
        }
        if (select >= 0) {
            list->setCurrentRow(select, QItemSelectionModel::ClearAndSelect);
        }
        m_bSelecting = false;
        list->setFocus(Qt::OtherFocusReason);
        ui->addButton->setEnabled(!list->selectedItems().isEmpty());
        ui->removeButton->setEnabled(false);
    });
    m_bSelecting = false;
}

void CPrivateGroupView::RemoveMembers()
{
    if (ui->membersList->selectedItems().isEmpty())
        return;
    Guarded([this] {
        UndoBatch batch(Doc().UndoStack(), ui->removeButton->text());
        const QString groupId = Attribute(Entry(), QStringLiteral("pid"));
        const QString ownId = Attribute(Limit(), QStringLiteral("pid"));
        int lastRow = -1;
        m_bSelecting = true;
        for (int row = 0; row < ui->membersList->count();) {
            QListWidgetItem* item = ui->membersList->item(row);
            if (!item->isSelected()) {
                ++row;
                continue;
            }
            CDataItem entry = PrivateOf(item);
            CDataItem parents = Child(entry, QStringLiteral("ParentPrivateGroups"));
            int index = -1;
            for (int i = 0; i < parents.GetChildCount() && index < 0; ++i) {
                if (ChildAt(parents, i).GetNode().GetAttribute(QStringLiteral("pid")) == groupId)
                    index = i;
            }
            if (index < 0)
                throw ProfileDataFault();
            if (!Edit(EditRequest::RemoveChild(parents, index)).IsApplied())
                throw ProfileDataFault();
            const int left = GroupsLeft(parents);
            if (left < 0)
                throw ProfileDataFault();
            ui->allPrivatesList->addItem(NewItem(entry, false, ownId, left));
            delete ui->membersList->takeItem(row);
            lastRow = row;
        }
        SortList(ui->allPrivatesList);
        QListWidget* list = ui->membersList;
        list->clearSelection();
        if (list->count() > 0 && lastRow >= 0)
            list->setCurrentRow(std::min(lastRow, int(list->count()) - 1), QItemSelectionModel::ClearAndSelect);
        m_bSelecting = false;
        list->setFocus(Qt::OtherFocusReason);
        ui->removeButton->setEnabled(!list->selectedItems().isEmpty());
        ui->addButton->setEnabled(false);
    });
    m_bSelecting = false;
}

// ---- Channel and ID ------------------------------------------------------------------

void CPrivateGroupView::OnChannelChosen(int position)
{
    if (position < 0 || position == m_nChannelPosition)
        return;
    Guarded([&] {
        const QString channel = QString::number(position + 1);
        const CDataItem privates = Child(Child(Root(), QStringLiteral("Contacts")), QStringLiteral("Privates"));
        bool available = false;
        for (int i = 0; i < privates.GetChildCount() && !available; ++i) {
            const CDataItem entry = ChildAt(privates, i);
            available = Attribute(entry, QStringLiteral("channel")).trimmed() == channel &&
                        Child(entry, QStringLiteral("ParentPrivateGroups")).GetChildCount() < kMaxGroups;
        }
        if (!available) {
            SetComboIndex(ui->channelCombo, m_nChannelPosition);
            MessageId(10108, kvx::kMbOk | kvx::kMbIconWarning);
            return;
        }
        // The rules ask before the members go (136).
        if (!WriteChoice(ui->channelCombo, m_nChannelPosition, position, QStringLiteral("channel"), position + 1))
            return;
        FillLists();
        ui->addButton->setEnabled(false);
        ui->removeButton->setEnabled(false);
        // Members may have left: the tree's private labels are unchanged, but
        // other views and the lists count memberships.
        SendHint(HintAction::Refresh, NodeKind::PrivateGroup, EntryIndex());
    });
}

void CPrivateGroupView::OnIdChosen(int position)
{
    if (position < 0 || position == m_nIdPosition)
        return;
    Guarded([&] {
        WriteChoice(ui->idCombo, m_nIdPosition, position, QStringLiteral("pid"), ui->idCombo->itemText(position));
    });
}

// ---- Leave check ----------------------------------------------------------------------

QString CPrivateGroupView::OtherFaults()
{
    return ui->membersList->count() == 0 ? LoadStr(10164) : QString();
}

void CPrivateGroupView::FocusOtherFault()
{
    FocusLater(ui->allPrivatesList);
}
