#pragma once

// A single-selection model that asks before the current item moves. The
// profile tree runs the form view's leave check there: a refusal keeps the
// old item current and selected, whichever way the move was asked for (a
// click, a key, a type-ahead search or a program call).

#include <QItemSelectionModel>
#include <QPersistentModelIndex>
#include <functional>

class CTreeSelectionModel : public QItemSelectionModel {
    Q_OBJECT
public:
    // Answers whether the current item may move to target.
    using Guard = std::function<bool(const QModelIndex& target)>;

    CTreeSelectionModel(QAbstractItemModel* model, QObject* parent, Guard guard);

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;
    using QItemSelectionModel::select;

private:
    Guard m_guard;
    // The target of the last refused move: the view may still try to select it.
    QPersistentModelIndex m_refused;
};
