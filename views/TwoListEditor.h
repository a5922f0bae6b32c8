#pragma once

// CTwoListEditor: the two-list editor of the scroll list, a channel's scan
// list, a private's scroll list and the settings' privilege lists. A left
// list of available contacts, a right list of members, an Add and a Remove
// button; the view decides what a move writes.
//
// - Both lists take several selected items and are sorted by name under the
//   radio's collation, again after every move.
// - Add is enabled only while the left list has a selection, Remove only
//   while the right one has; giving one list the focus disables the other
//   list's button. A double click in a list with a selection moves it.
// - Every list item carries the row of the view's contact table (its global
//   index) in a hidden second column; the visible column shows the name.
// - After a move the list moved from selects the item at the last moved
//   position and takes the focus; a list left empty disables its button and
//   hands selection and focus to the other list.
//
// A move asks the view's handler for each selected item in list order: the
// item moves, stays, or the move stops there. An exception from a handler
// leaves the items moved so far moved and passes on.

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QAbstractButton;
class QTreeWidget;
class QTreeWidgetItem;

class CTwoListEditor : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString name;
        int image = -1;        // a cell of the tree's image strip; -1 for none
        int globalIndex = -1;  // the row of the view's contact table
    };
    // What the view made of one item of a move.
    enum class Step { Move, Keep, Stop };
    using MoveHandler = std::function<Step(const Entry& entry)>;
    // Asked before an Add starts; false: nothing moves.
    using AddGuard = std::function<bool()>;

    CTwoListEditor(QTreeWidget* available, QTreeWidget* members, QAbstractButton* add, QAbstractButton* remove,
                   QObject* parent);

    void SetHandlers(MoveHandler onAdd, MoveHandler onRemove, AddGuard addGuard = {});

    // Fills both lists, sorted, and makes the selection of a view just shown:
    // the first available item, else the first member.
    void Fill(const QList<Entry>& available, const QList<Entry>& members);
    void Clear();
    // Both lists and buttons on or off (a private scroll list switched off);
    // switched off, the selections are cleared.
    void SetEnabled(bool enabled);
    // Selects the first available item, else the first member, and sets the
    // buttons.
    void SelectFirst();

    // The Add and Remove buttons' actions.
    void Add();
    void Remove();

    int AvailableCount() const;
    int MemberCount() const;
    QList<Entry> Members() const;
    QList<Entry> Available() const;
    // Selects exactly the available item of a global index; false when none.
    bool SelectAvailable(int globalIndex);
    void ClearAvailableSelection();
    // Moves an item to the other list without asking the view (to follow a
    // change the rules made); false when it is not in the list moved from.
    bool ShowAsMember(int globalIndex);
    bool ShowAsAvailable(int globalIndex);

    // The list's columns: the name, and the hidden global index.
    static void SetUpList(QTreeWidget* list);
    static Entry EntryOf(const QTreeWidgetItem* item);
    static void SortList(QTreeWidget* list);

signals:
    // Items moved between the lists (by a move or a double click).
    void moved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Move(QTreeWidget* from, QTreeWidget* to, const MoveHandler& handler);
    void AfterMove(QTreeWidget* from, QTreeWidget* to, int lastRow);
    void UpdateButtons();
    static QTreeWidgetItem* NewItem(const Entry& entry);
    static QTreeWidgetItem* ItemOf(const QTreeWidget* list, int globalIndex);
    static bool Transfer(QTreeWidget* from, QTreeWidget* to, int globalIndex);

    QTreeWidget* m_pAvailable;
    QTreeWidget* m_pMembers;
    QAbstractButton* m_pAdd;
    QAbstractButton* m_pRemove;
    MoveHandler m_onAdd;
    MoveHandler m_onRemove;
    AddGuard m_addGuard;
    bool m_bEnabled = true;
    bool m_bMoving = false;
};
