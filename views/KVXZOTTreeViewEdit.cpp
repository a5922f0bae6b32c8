// CKVXZOTTreeView: Add, Delete, Rename and relabelling from the profile.

#include "KVXZOTTreeView.h"

#include "BaseView.h"
#include "FormViewPane.h"
#include "KVXZOTDoc.h"
#include "KVXZOTException.h"
#include "Messages.h"
#include "ModelErrors.h"
#include "MessageFormat.h"
#include "StringTable.h"
#include "TreeNodeKinds.h"
#include "ViewImages.h"

#include <QLineEdit>
#include <QTimer>

using namespace TreeNode;

// The tree's operations name themselves in the trace of a failure.
#define TREE_OPERATION_END(op)                 \
    catch (CKVXZOTException & treeError)       \
    {                                          \
        KVX_RERAISE(treeError, op);            \
    }                                          \
    KVX_CATCH_XML(106, op)

namespace {

constexpr int kMaxMessageLabel = 20;

// The entries' kind of a folder kind; Radio for any other kind.
NodeKind EntryKindOf(NodeKind folderKind)
{
    switch (folderKind) {
    case TextMessages:
        return TextMessage;
    case PublicGroups:
        return PublicGroup;
    case PrivateGroups:
        return PrivateGroup;
    case Privates:
    case ScanAddPrivate:
        return Private;
    default:
        return Radio;
    }
}

int EntryImageOf(NodeKind entryKind)
{
    switch (entryKind) {
    case TextMessage:
        return ImageTextMessage;
    case PublicGroup:
        return ImagePublicGroup;
    case PrivateGroup:
        return ImagePrivateGroup;
    default:
        return ImagePrivate;
    }
}

int IndexOfNode(const CDataItem& folder, const CDataItem& child)
{
    const int count = folder.GetChildCount();
    for (int i = count - 1; i >= 0; --i) {
        CDataItem entry;
        if (folder.GetChildByIndex(i, entry).GetNode() == child.GetNode())
            return i;
    }
    return -1;
}

}  // namespace

QString CKVXZOTTreeView::MessageLabel(const QString& text)
{
    return text.size() <= kMaxMessageLabel ? text : text.left(kMaxMessageLabel) + QStringLiteral("...");
}

void CKVXZOTTreeView::MarkOwnPrivate(QTreeWidgetItem* item, const CDataItem& entry, const QString& ownId)
{
    const bool own = entry.GetAttributeValue(QStringLiteral("pid")).toString() == ownId;
    const quint32 image = own ? ImageOwnPrivate : ImagePrivate;
    if (item->data(0, Qt::UserRole + 1) != image || item->data(0, Qt::UserRole + 1).isNull()) {
        item->setData(0, Qt::UserRole + 1, image);
        item->setIcon(0, ViewImages::TreeIcon(int(image)));
    }
    if (item->font(0).bold() != own) {
        QFont font = item->font(0);
        font.setBold(own);
        item->setFont(0, font);
    }
}

// ---- Relabelling ---------------------------------------------------------------

void CKVXZOTTreeView::RefreshTreeNode(QTreeWidgetItem* folder)
{
    if (!folder)
        return;
    try {
        ReadyOff off(this);
        const NodeKind entryKind = EntryKindOf(KindOf(ItemValue(folder)));
        const CDataItem node = FolderNode(entryKind);
        const int count = node.GetChildCount();
        const QString ownId = entryKind == Private ? OwnId() : QString();
        for (int i = 0; i < folder->childCount() && i < count; ++i) {
            QTreeWidgetItem* item = folder->child(i);
            CDataItem entry;
            node.GetChildByIndex(i, entry);
            const QString label = EntryLabel(entryKind, entry);
            if (item->text(0) != label)
                item->setText(0, label);
            if (ItemValue(item) != TreeNode::ItemValue(entryKind, i))
                item->setData(0, Qt::UserRole, TreeNode::ItemValue(entryKind, i));
            if (entryKind == Private)
                MarkOwnPrivate(item, entry, ownId);
        }
        while (folder->childCount() > count)
            delete folder->child(folder->childCount() - 1);
    }
    TREE_OPERATION_END("CKVXZOTTreeView::RefreshTreeNode")
}

void CKVXZOTTreeView::SortTreeNode(QTreeWidgetItem* folder, int selectIndex)
{
    if (!folder)
        return;
    try {
        ReadyOff off(this);
        RefreshTreeNode(folder);
        if (QTreeWidgetItem* item = folder->child(selectIndex))
            setCurrentItem(item);
    }
    TREE_OPERATION_END("CKVXZOTTreeView::SortTreeNode")
}

void CKVXZOTTreeView::RefreshPriGrpAndPrivate()
{
    try {
        RefreshTreeNode(m_hPrivateGroups);
        RefreshTreeNode(m_hPrivates);
    }
    TREE_OPERATION_END("CKVXZOTTreeView::RefreshPriGrpAndPrivate")
}

void CKVXZOTTreeView::RefreshScrollNode()
{
    if (!m_hScroll)
        return;
    const QString label = FormatMessage(LoadStr(163), {QString::number(m_pDoc->GetRootItem().GetScrollListCount())});
    if (m_hScroll->text(0) != label)
        m_hScroll->setText(0, label);
}

void CKVXZOTTreeView::RefreshChannel(int channel)
{
    if (!m_hScanList || channel < 1 || channel > m_hScanList->childCount())
        return;
    QTreeWidgetItem* item = m_hScanList->child(channel - 1);
    const QString label = FormatMessage(
        LoadStr(162), {QString::number(channel), QString::number(m_pDoc->GetRootItem().GetScanListCount(channel))});
    if (item->text(0) != label)
        item->setText(0, label);
}

void CKVXZOTTreeView::RefreshAllChannels()
{
    if (!m_hScanList)
        return;
    for (int channel = 1; channel <= m_hScanList->childCount(); ++channel)
        RefreshChannel(channel);
}

// ---- Add -------------------------------------------------------------------------

void CKVXZOTTreeView::AddNewItem(NodeKind kind)
{
    const NodeKind entryKind = EntryKindOf(kind);
    QTreeWidgetItem* folder = FolderItem(kind);
    if (entryKind == Radio || !folder || !m_bBuilt || (m_pPane && m_pPane->IsClosing()))
        return;
    try {
        try {
            CDataItem node = FolderNode(entryKind);
            if (!node.CanAddChild())
                return;
            if (kind == Privates || kind == ScanAddPrivate)
                m_strCaptionSuffix = QLatin1Char(' ') + LoadStr(kind == Privates ? 268 : 267);
            const EditOutcome outcome =
                Edit(kind == PrivateGroups || entryKind == Private
                         ? EditRequest::AddPrivateOrGroup(node, LoadStr(kind == PrivateGroups ? 271 : 270))
                         : EditRequest::AddChild(node));
            const CDataItem added = outcome.added;
            const int index = added.IsEmpty() ? -1 : IndexOfNode(node, added);
            if (index >= 0) {
                QTreeWidgetItem* item = AddItem(folder, QString(), EntryImageOf(entryKind), entryKind, index);
                RefreshTreeNode(folder);
                scrollToItem(item);
                setCurrentItem(item);
                RefreshScrollNode();
                if (kind == PublicGroups)
                    RefreshChannel(added.GetAttributeValue(QStringLiteral("channel")).toString().toInt());
                if (currentItem() == item)
                    PostEntryAdded(kind);
            }
        }
        TREE_OPERATION_END("CKVXZOTTreeView::AddNewItem")
    } catch (const CKVXZOTException& e) {
        ShowException(e);
    }
    m_strCaptionSuffix.clear();
    RecomputeCommandStates();
}

void CKVXZOTTreeView::PostEntryAdded(NodeKind kind)
{
    QPointer<CFormViewPane> pane = m_pPane;
    QTimer::singleShot(0, this, [pane, kind] {
        if (pane && pane->ActiveView() && !pane->IsClosing())
            pane->ActiveView()->OnEntryAdded(kind);
    });
}

// ---- Delete ----------------------------------------------------------------------

void CKVXZOTTreeView::DelItem(NodeKind kind, int index)
{
    QTreeWidgetItem* folder = FolderItem(kind);
    if (!IsEntry(kind) || !folder)
        return;
    try {
        try {
            // The rules ask before a private or private group goes (142, 141).
            if (!Edit(EditRequest::RemoveChild(FolderNode(kind), index)).IsApplied())
                return;
            switch (kind) {
            case TextMessage:
                RefreshTreeNode(folder);
                break;
            case PublicGroup:
                RefreshTreeNode(folder);
                RefreshScrollNode();
                RefreshAllChannels();
                break;
            case PrivateGroup:
                RefreshTreeNode(folder);
                RefreshScrollNode();
                break;
            default:
                // Private groups may have lost their last member with it.
                RefreshPriGrpAndPrivate();
                RefreshScrollNode();
                break;
            }
            // The entry shown may be gone or another one now.
            OpenViewOfCurrent();
        }
        TREE_OPERATION_END("CKVXZOTTreeView::DelItem")
    } catch (const CKVXZOTException& e) {
        ShowException(e);
    }
    RecomputeCommandStates();
}

// ---- Rename ----------------------------------------------------------------------

bool CKVXZOTTreeView::CommitRename(QTreeWidgetItem* item, const QString& text)
{
    if (!item || text.isEmpty() || text == item->text(0))
        return true;
    const quint32 value = ItemValue(item);
    const NodeKind kind = KindOf(value);
    if (kind != PublicGroup && kind != PrivateGroup && kind != Private)
        return true;
    try {
        CDataItem entry;
        FolderNode(kind).GetChildByIndex(IndexOf(value), entry);
        if (entry.IsEmpty())
            return true;
        if (!Edit(EditRequest::SetAttribute(entry, QStringLiteral("name"), text)).IsApplied())
            return false;
        item->setText(0, entry.GetAttributeValue(QStringLiteral("name")).toString());
        if (m_pPane)
            m_pPane->UpdateAllViews(this, 0);
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
    return true;
}

bool CKVXZOTTreeView::CommitLabelEdit()
{
    if (!m_bLabelEditing || !m_pLabelEditor)
        return true;
    QLineEdit* editor = m_pLabelEditor;
    m_bLastRenameAccepted = true;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return m_bLastRenameAccepted;
}
