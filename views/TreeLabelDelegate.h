#pragma once

// The editor of a tree label (Rename): a line of at most 20 characters whose
// text is handed to the tree as a rename instead of being written into the
// item; the tree sets the label only when the rules accept the name.

#include <QStyledItemDelegate>

class CKVXZOTTreeView;

class CTreeLabelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kMaxLabelLength = 20;

    explicit CTreeLabelDelegate(CKVXZOTTreeView* tree);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

private:
    CKVXZOTTreeView* m_pTree;
};
