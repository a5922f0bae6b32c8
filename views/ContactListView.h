#pragma once

// CContactListView: the frame of the views that compose a list of contacts
// with the two-list editor, where a flag attribute on each contact marks
// the members (the scroll list: in_scroll_list; a channel's scan list:
// in_scan_list).
//
// Each move writes the flag of one contact through the edit path. Accepted:
// the item moves and the view tells the tree (its list hint). Refused: the
// rules' message is shown and the move goes on with the next item. Any
// other answer, or a failure, stops the move; what moved before stays moved.

#include "BaseView.h"
#include "ContactTable.h"
#include "TwoListEditor.h"

class QAbstractButton;
class QTreeWidget;

class CContactListView : public CBaseView {
    Q_OBJECT
public:
    CTwoListEditor* Editor() const { return m_pEditor; }

protected:
    // flag: the attribute that marks a member.
    CContactListView(const char* viewClass, const char* flag, QWidget* parent);

    // Call from the subclass's constructor once the form is built.
    void SetUpEditor(QTreeWidget* available, QTreeWidget* members, QAbstractButton* add, QAbstractButton* remove);
    // Builds the contact table over the named folders and fills the lists.
    void FillLists(const QStringList& folders = {}, const CContactTable::Filter& filter = {});
    // Writes the flag of the contact of a global index as one step of a move.
    CTwoListEditor::Step WriteFlag(int globalIndex, bool value);
    // Asked before an Add starts; false: nothing moves. The frame allows.
    virtual bool CanStartAdd();
    // One contact of an Add; the frame writes its flag.
    virtual CTwoListEditor::Step AddStep(int globalIndex);
    // Tells the tree that the list changed.
    virtual void SendListHint() = 0;

private:
    QString m_strFlag;
    CContactTable m_table;
    CTwoListEditor* m_pEditor = nullptr;
};
