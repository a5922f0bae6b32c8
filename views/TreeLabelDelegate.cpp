#include "TreeLabelDelegate.h"

#include "KVXZOTTreeView.h"

#include <QLineEdit>
#include <algorithm>

CTreeLabelDelegate::CTreeLabelDelegate(CKVXZOTTreeView* tree) : QStyledItemDelegate(tree), m_pTree(tree)
{
}

QWidget* CTreeLabelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    auto* editor = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (!editor)
        editor = new QLineEdit(parent);
    // A longer name read from a radio is shown whole; it can only be shortened.
    editor->setMaxLength(std::max(kMaxLabelLength, int(index.data().toString().size())));
    editor->setAccessibleName(index.data().toString());
    m_pTree->m_pLabelEditor = editor;
    m_pTree->m_bLabelEditing = true;
    return editor;
}

void CTreeLabelDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    m_pTree->m_bLastRenameAccepted = m_pTree->CommitRename(m_pTree->itemFromIndex(index), line->text());
}

void CTreeLabelDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    m_pTree->m_bLabelEditing = false;
    QStyledItemDelegate::destroyEditor(editor, index);
}
