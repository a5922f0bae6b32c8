#include "TreeSelectionModel.h"

CTreeSelectionModel::CTreeSelectionModel(QAbstractItemModel* model, QObject* parent, Guard guard)
    : QItemSelectionModel(model, parent), m_guard(std::move(guard))
{
}

void CTreeSelectionModel::setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command)
{
    if (index.isValid() && index != currentIndex()) {
        const QPersistentModelIndex target(index);
        if (!m_guard(index)) {
            m_refused = target;
            return;
        }
        m_refused = QPersistentModelIndex();
        if (!target.isValid())
            return;
        QItemSelectionModel::setCurrentIndex(target, command);
        return;
    }
    QItemSelectionModel::setCurrentIndex(index, command);
}

void CTreeSelectionModel::select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command)
{
    // A click selects after making the item current; after a refused move
    // that selection must not happen either.
    if (m_refused.isValid() && selection.contains(m_refused) && !selection.contains(currentIndex()))
        return;
    QItemSelectionModel::select(selection, command);
}
