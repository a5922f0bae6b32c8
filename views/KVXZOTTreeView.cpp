// CKVXZOTTreeView: building the tree, the selection change with the leave
// check and repositioning, command states, the context menu and the update
// hints. Add, Delete, Rename and relabelling are in KVXZOTTreeViewEdit.cpp.

#include "KVXZOTTreeView.h"

#include "BaseView.h"
#include "FormViewPane.h"
#include "KVXZOTDoc.h"
#include "KVXZOTException.h"
#include "Messages.h"
#include "ModelErrors.h"
#include "StringTable.h"
#include "TreeLabelDelegate.h"
#include "TreeNodeKinds.h"
#include "TreeSelectionModel.h"
#include "ViewImages.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

using namespace TreeNode;


CKVXZOTTreeView::CKVXZOTTreeView(CKVXZOTDoc* doc, CFormViewPane* pane, QWidget* parent)
    : QTreeWidget(parent), m_pDoc(doc), m_pPane(pane)
{
    setObjectName(QStringLiteral("profileTree"));
    // A screen reader names the tree after the profile it shows.
    setAccessibleName(doc->GetTitle());
    connect(doc, &CKVXZOTDoc::titleChanged, this, &QWidget::setAccessibleName);
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(ViewImages::kTreeCellSize, ViewImages::kTreeCellSize));
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setUniformRowHeights(true);
    auto* selection = new CTreeSelectionModel(model(), this,
                                              [this](const QModelIndex& target) { return AllowSelectionMove(target); });
    setSelectionModel(selection);
    // The tree widget follows only the selection model it was built with.
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                OnCurrentItemChanged(itemFromIndex(current), itemFromIndex(previous));
            });
    setItemDelegate(new CTreeLabelDelegate(this));
    connect(doc, &CKVXZOTDoc::updateAllViews, this, &CKVXZOTTreeView::OnDocumentUpdate);
    connect(doc, &CKVXZOTDoc::profileReloaded, this, &CKVXZOTTreeView::OnProfileReloaded);
    if (pane) {
        pane->SetTree(this);
        connect(pane, &CFormViewPane::scanAddRequested, this, [this] { AddNewItem(ScanAddPrivate); });
    }
}

CKVXZOTTreeView::~CKVXZOTTreeView() = default;

void CKVXZOTTreeView::showEvent(QShowEvent* event)
{
    QTreeWidget::showEvent(event);
    InitialUpdate();
}

void CKVXZOTTreeView::InitialUpdate()
{
    if (m_bBuilt)
        return;
    m_bBuilt = true;
    try {
        BuildTree();
    } catch (const CKVXZOTException& e) {
        ShowException(e);
    }
    m_bReady = true;
    RecomputeCommandStates();
}

quint32 CKVXZOTTreeView::ItemValue(const QTreeWidgetItem* item) const
{
    if (!item)
        item = currentItem();
    return item ? item->data(0, Qt::UserRole).toUInt() : TreeNode::ItemValue(Radio, 0);
}

QTreeWidgetItem* CKVXZOTTreeView::FindItem(NodeKind kind, int index) const
{
    const quint32 wanted = TreeNode::ItemValue(kind, index);
    for (QTreeWidgetItemIterator it(const_cast<CKVXZOTTreeView*>(this)); *it; ++it) {
        if (ItemValue(*it) == wanted)
            return *it;
    }
    return nullptr;
}

bool CKVXZOTTreeView::SelectNode(NodeKind kind, int index)
{
    QTreeWidgetItem* item = FindItem(kind, index);
    if (!item)
        return false;
    setCurrentItem(item);
    return currentItem() == item && ItemValue(item) == TreeNode::ItemValue(kind, index);
}

QTreeWidgetItem* CKVXZOTTreeView::AddItem(QTreeWidgetItem* parent, const QString& label, int image, NodeKind kind, int index)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, label);
    item->setIcon(0, ViewImages::TreeIcon(image));
    item->setData(0, Qt::UserRole, TreeNode::ItemValue(kind, index));
    if (kind == PublicGroup || kind == PrivateGroup || kind == Private)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

QString CKVXZOTTreeView::OwnId() const
{
    CDataItem limit;
    m_pDoc->GetRootItem().GetChildByName(QStringLiteral("limit"), limit);
    return limit.GetAttributeValue(QStringLiteral("pid")).toString();
}

QString CKVXZOTTreeView::EntryLabel(NodeKind entryKind, const CDataItem& entry) const
{
    if (entryKind == TextMessage)
        return MessageLabel(entry.GetAttributeValue(QStringLiteral("txt")).toString());
    return entry.GetAttributeValue(QStringLiteral("name")).toString();
}

void CKVXZOTTreeView::AddEntries(QTreeWidgetItem* folder, const CDataItem& node, NodeKind kind, int image)
{
    const QString ownId = kind == Private ? OwnId() : QString();
    const int count = node.GetChildCount();
    for (int i = 0; i < count; ++i) {
        CDataItem entry;
        node.GetChildByIndex(i, entry);
        QTreeWidgetItem* item = AddItem(folder, EntryLabel(kind, entry), image, kind, i);
        if (kind == Private)
            MarkOwnPrivate(item, entry, ownId);
    }
}

void CKVXZOTTreeView::BuildTree()
{
    ReadyOff off(this);
    clear();
    m_hTextMessages = m_hPublicGroups = m_hPrivateGroups = m_hPrivates = m_hScroll = m_hScanList = nullptr;
    CDataItem& root = m_pDoc->GetRootItem();
    CDataItem limit;
    root.GetChildByName(QStringLiteral("limit"), limit);

    QString model = limit.GetAttributeValue(QStringLiteral("model")).toString();
    model.replace(QLatin1Char('D'), QStringLiteral("KVX"));
    QTreeWidgetItem* radio = AddItem(nullptr, model, ImageRadio, Radio);
    QTreeWidgetItem* contacts = AddItem(radio, LoadStr(131), ImageContacts, Contacts);

    CDataItem contactsNode;
    root.GetChildByName(QStringLiteral("Contacts"), contactsNode);
    CDataItem folder;
    if (contactsNode.GetChildByName(QStringLiteral("Privates"), folder).IsEnabled()) {
        m_hPrivates = AddItem(contacts, LoadStr(110), ImagePrivates, Privates);
        AddEntries(m_hPrivates, folder, Private, ImagePrivate);
    }
    if (contactsNode.GetChildByName(QStringLiteral("PrivateGroups"), folder).IsEnabled()) {
        m_hPrivateGroups = AddItem(contacts, LoadStr(111), ImagePrivateGroups, PrivateGroups);
        AddEntries(m_hPrivateGroups, folder, PrivateGroup, ImagePrivateGroup);
    }
    if (contactsNode.GetChildByName(QStringLiteral("PublicGroups"), folder).IsEnabled()) {
        m_hPublicGroups = AddItem(contacts, LoadStr(112), ImagePublicGroups, PublicGroups);
        AddEntries(m_hPublicGroups, folder, PublicGroup, ImagePublicGroup);
    }

    AddItem(radio, LoadStr(109), ImageSettings, Settings);
    QTreeWidgetItem* lists = AddItem(radio, LoadStr(113), ImageLists, Lists);
    m_hScroll = AddItem(lists, QString(), ImageScrollList, ScrollList);
    RefreshScrollNode();
    const QVariant scanning = limit.GetAttributeValue(QStringLiteral("public_scan_en"));
    if (scanning.typeId() == QMetaType::Bool ? scanning.toBool() : scanning.toString().trimmed().toLongLong() != 0) {
        m_hScanList = AddItem(lists, LoadStr(115), ImageScanList, ScanList);
        const int channels = limit.GetAttributeValue(QStringLiteral("max_num_of_channels")).toString().toInt();
        for (int channel = 1; channel <= channels; ++channel)
            AddItem(m_hScanList, QString(), ImageScanList, ScanChannel, channel - 1);
        RefreshAllChannels();
    }

    if (root.GetChildByName(QStringLiteral("TextMessages"), folder).IsEnabled()) {
        m_hTextMessages = AddItem(radio, LoadStr(130), ImageTextMessages, TextMessages);
        AddEntries(m_hTextMessages, folder, TextMessage, ImageTextMessage);
    }

    expandAll();
    if (m_hTextMessages)
        m_hTextMessages->setExpanded(false);
    if (m_hScanList)
        m_hScanList->setExpanded(false);
    scrollToItem(radio);
    setCurrentItem(radio);
    if (m_pPane)
        m_pPane->ShowView(Radio, 0);
}

CDataItem CKVXZOTTreeView::FolderNode(NodeKind folderKind) const
{
    CDataItem& root = m_pDoc->GetRootItem();
    CDataItem node;
    if (folderKind == TextMessages || folderKind == TextMessage)
        return root.GetChildByName(QStringLiteral("TextMessages"), node);
    CDataItem contacts;
    root.GetChildByName(QStringLiteral("Contacts"), contacts);
    switch (folderKind) {
    case PublicGroups:
    case PublicGroup:
        return contacts.GetChildByName(QStringLiteral("PublicGroups"), node);
    case PrivateGroups:
    case PrivateGroup:
        return contacts.GetChildByName(QStringLiteral("PrivateGroups"), node);
    default:
        return contacts.GetChildByName(QStringLiteral("Privates"), node);
    }
}

QTreeWidgetItem* CKVXZOTTreeView::FolderItem(NodeKind kind) const
{
    switch (kind) {
    case TextMessages:
    case TextMessage:
        return m_hTextMessages;
    case PublicGroups:
    case PublicGroup:
        return m_hPublicGroups;
    case PrivateGroups:
    case PrivateGroup:
        return m_hPrivateGroups;
    case Privates:
    case Private:
    case ScanAddPrivate:
        return m_hPrivates;
    default:
        return nullptr;
    }
}

// ---- Selection -------------------------------------------------------------

bool CKVXZOTTreeView::AllowSelectionMove(const QModelIndex&)
{
    if (!m_bReady || m_bInLeaveCheck || !m_pPane)
        return true;
    CBaseView* view = m_pPane->ActiveView();
    if (!view)
        return !m_pPane->IsClosing();
    m_bInLeaveCheck = true;
    const int answer = view->LeaveCheck();
    m_bInLeaveCheck = false;
    if (answer != CBaseView::LeaveAllowed) {
        RecomputeCommandStates();
        return false;
    }
    return !m_pPane->IsClosing();
}

int CKVXZOTTreeView::CorrectedIndex(int e, int g, int l)
{
    if (e < l)
        return g < l ? l : l - 1;
    if (e > l)
        return g <= l ? l + 1 : l;
    return g;
}

int CKVXZOTTreeView::RepositionEntry(QTreeWidgetItem* item)
{
    const NodeKind kind = KindOf(ItemValue(item));
    if (!IsEntry(kind))
        return -1;
    const int e = IndexOf(ItemValue(item));
    const CDataItem folder = FolderNode(kind);
    if (e >= folder.GetChildCount())
        return -1;
    const QString key = kind == TextMessage ? QStringLiteral("txt") : QStringLiteral("name");
    int g = e;
    try {
        g = CDataItem::MoveChildToSortedPosition(folder.GetNode(), qint16(e), key, false);
    }
    KVX_CATCH_XML(106, "CKVXZOTTreeView::SortTreeNode")
    return g == e ? -1 : g;
}

void CKVXZOTTreeView::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    if (m_bReady && m_pPane) {
        try {
            const QString suffix = m_strCaptionSuffix;
            QTreeWidgetItem* folder = previous ? previous->parent() : nullptr;
            const int e = previous ? IndexOf(ItemValue(previous)) : 0;
            const int g = previous ? RepositionEntry(previous) : -1;
            if (g >= 0) {
                if (current && current->parent() == folder) {
                    SortTreeNode(folder, CorrectedIndex(e, g, IndexOf(ItemValue(current))));
                } else {
                    RefreshTreeNode(folder);
                }
            }
            OpenViewOfCurrent(suffix);
        } catch (const CKVXZOTException& e) {
            ShowException(e);
        }
    }
    RecomputeCommandStates();
}

void CKVXZOTTreeView::OpenViewOfCurrent(const QString& captionSuffix)
{
    if (!m_pPane)
        return;
    const quint32 value = ItemValue();
    m_pPane->ShowView(KindOf(value), IndexOf(value), captionSuffix);
}

void CKVXZOTTreeView::RepositionCurrentEntry()
{
    try {
        QTreeWidgetItem* item = currentItem();
        const int g = item ? RepositionEntry(item) : -1;
        if (g < 0)
            return;
        SortTreeNode(item->parent(), g);
        OpenViewOfCurrent();
    } catch (const CKVXZOTException& e) {
        ShowException(e);
    }
}

// ---- Command states ----------------------------------------------------------

void CKVXZOTTreeView::RecomputeCommandStates()
{
    m_bCanAdd = m_bCanScanAdd = m_bCanDelete = m_bCanRename = false;
    if (m_pDoc->GetDataModel().IsLoaded() && m_bBuilt) {
        const NodeKind kind = KindOf(ItemValue());
        try {
            if (kind == TextMessages || kind == PublicGroups || kind == PrivateGroups || kind == Privates)
                m_bCanAdd = FolderNode(kind).CanAddChild();
            m_bCanScanAdd = m_hPrivates && FolderNode(Privates).CanAddChild();
        } catch (const CKVXZOTException&) {
            // A folder that is missing or whose rule fails offers no Add.
        }
        m_bCanDelete = IsEntry(kind);
        m_bCanRename = kind == PublicGroup || kind == PrivateGroup || kind == Private;
    }
    emit commandStatesChanged();
}

void CKVXZOTTreeView::DisableEntryCommands()
{
    m_bCanAdd = m_bCanDelete = m_bCanRename = false;
    emit commandStatesChanged();
}

void CKVXZOTTreeView::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    RecomputeCommandStates();
}

void CKVXZOTTreeView::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    // A menu opening keeps the commands: they are what it offers. The label
    // editor is part of the tree.
    if (event->reason() == Qt::PopupFocusReason || m_bLabelEditing)
        return;
    DisableEntryCommands();
}

void CKVXZOTTreeView::keyPressEvent(QKeyEvent* event)
{
    if (state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            OnDelete();
            return;
        }
        if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_A) {
            OnAdd();
            return;
        }
        if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_T) {
            OnScanAdd();
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

QMenu* CKVXZOTTreeView::OwnContextMenu()
{
    if (!m_pOwnMenu) {
        m_pOwnMenu = new QMenu(this);
        const auto add = [this](int textId, void (CKVXZOTTreeView::*slot)()) {
            QAction* action = m_pOwnMenu->addAction(LoadStr(textId));
            connect(action, &QAction::triggered, this, slot);
            return action;
        };
        QAction* addAction = add(32771, &CKVXZOTTreeView::OnAdd);
        QAction* scanAction = add(32802, &CKVXZOTTreeView::OnScanAdd);
        QAction* deleteAction = add(32772, &CKVXZOTTreeView::OnDelete);
        QAction* renameAction = add(32773, &CKVXZOTTreeView::OnRename);
        connect(m_pOwnMenu, &QMenu::aboutToShow, this, [=, this] {
            addAction->setEnabled(m_bCanAdd);
            scanAction->setEnabled(m_bCanScanAdd);
            deleteAction->setEnabled(m_bCanDelete);
            renameAction->setEnabled(m_bCanRename);
        });
    }
    return m_pOwnMenu;
}

void CKVXZOTTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Mouse) {
        QTreeWidgetItem* item = itemAt(event->pos());
        if (!item)
            return;
        setFocus(Qt::MouseFocusReason);
        setCurrentItem(item);
        if (currentItem() != item)
            return;
    } else if (QTreeWidgetItem* item = currentItem()) {
        at = viewport()->mapToGlobal(visualItemRect(item).center());
    }
    RecomputeCommandStates();
    QMenu* menu = m_pContextMenu ? m_pContextMenu.data() : OwnContextMenu();
    menu->popup(at);
}

// ---- Commands ------------------------------------------------------------------

void CKVXZOTTreeView::OnAdd()
{
    if (m_bCanAdd)
        AddNewItem(KindOf(ItemValue()));
}

void CKVXZOTTreeView::OnScanAdd()
{
    if (!m_bCanScanAdd || !m_pPane || !m_pPane->CommitPendingEdits())
        return;
    setFocus(Qt::OtherFocusReason);
    AddNewItem(ScanAddPrivate);
}

void CKVXZOTTreeView::OnDelete()
{
    if (!m_bCanDelete)
        return;
    const quint32 value = ItemValue();
    DelItem(KindOf(value), IndexOf(value));
}

void CKVXZOTTreeView::OnRename()
{
    if (m_bCanRename && currentItem())
        editItem(currentItem());
}

// ---- Update hints ----------------------------------------------------------------

void CKVXZOTTreeView::OnDocumentUpdate(QObject* sender, quint32 hint)
{
    if (sender == this || !m_bBuilt || hint == 0)
        return;
    const NodeKind kind = HintKindOf(hint);
    const int index = HintIndexOf(hint);
    try {
        switch (HintActionOf(hint)) {
        case HintAction::Add:
            if (kind == TextMessages || kind == PublicGroups || kind == PrivateGroups || kind == Privates ||
                kind == ScanAddPrivate)
                AddNewItem(kind);
            break;
        case HintAction::Delete:
            if (IsEntry(kind))
                DelItem(kind, index);
            break;
        case HintAction::Refresh:
            switch (kind) {
            case TextMessage:
                RefreshTreeNode(m_hTextMessages);
                break;
            case PublicGroup:
                RefreshTreeNode(m_hPublicGroups);
                RefreshAllChannels();
                break;
            case PrivateGroup:
                RefreshTreeNode(m_hPrivateGroups);
                break;
            case Private:
                RefreshPriGrpAndPrivate();
                break;
            case ScrollList:
                RefreshScrollNode();
                break;
            case ScanChannel:
                RefreshChannel(index + 1);
                break;
            default:
                break;
            }
            break;
        default:
            break;
        }
    } catch (const CKVXZOTException& e) {
        ShowException(e);
    }
    RecomputeCommandStates();
}

void CKVXZOTTreeView::OnProfileReloaded()
{
    if (!m_bBuilt)
        return;
    if (state() == QAbstractItemView::EditingState)
        closePersistentEditor(currentItem());
    const quint32 selected = ItemValue();
    m_bReady = false;
    try {
        BuildTree();
        if (QTreeWidgetItem* item = FindItem(KindOf(selected), IndexOf(selected))) {
            ReadyOff off(this);
            scrollToItem(item);
            setCurrentItem(item);
        }
        OpenViewOfCurrent();
    } catch (const CKVXZOTException& e) {
        ShowException(e);
    }
    m_bReady = true;
    RecomputeCommandStates();
}

EditOutcome CKVXZOTTreeView::Edit(const EditRequest& request)
{
    return m_pPane ? m_pPane->Edit(request) : m_pDoc->Apply(request);
}

void CKVXZOTTreeView::ShowException(const CKVXZOTException& e)
{
    Message(LoadStr(e.GetCode()), kvx::kMbOk | kvx::kMbIconError);
}

int CKVXZOTTreeView::Message(const QString& text, unsigned style)
{
    return m_pPane ? m_pPane->ShowMessage(text, style) : m_pDoc->ShowMessage(text, style);
}

void CKVXZOTTreeView::SetContextMenu(QMenu* menu)
{
    m_pContextMenu = menu;
}
