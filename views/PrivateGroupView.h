#pragma once

// CPrivateGroupView: edits one private group: name, channel, ID and its
// members. Membership is stored on the members: each private lists the IDs
// of its groups (at most five) under ParentPrivateGroups. All Privates lists
// the privates of the group's channel that are not members, with the groups
// each has left; a private already in five groups is grey and cannot be
// selected (the status bar says why). Add and Remove (or double clicks) move
// privates between the lists and write the membership at once.

#include "ContactEntryView.h"

#include <memory>

namespace Ui {
class PrivateGroupView;
}
class QListWidget;
class QListWidgetItem;

class CPrivateGroupView : public CContactEntryView {
    Q_OBJECT
public:
    explicit CPrivateGroupView(QWidget* parent = nullptr);
    ~CPrivateGroupView() override;

    // Item data of both lists: the private's name.
    static constexpr int kNameRole = Qt::UserRole;

protected:
    void LoadData() override;
    QString OtherFaults() override;
    void FocusOtherFault() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillIdChoice();
    void FillLists();
    QListWidgetItem* NewItem(const CDataItem& entry, bool member, const QString& ownId, int groupsLeft);
    static void SortList(QListWidget* list);
    // The private of a list item, on the group's channel; a fault when none.
    CDataItem PrivateOf(const QListWidgetItem* item) const;
    static int GroupsLeft(const CDataItem& parents);

    void OnAvailableSelectionChanged();
    void OnMembersSelectionChanged();
    void AddMembers();
    void RemoveMembers();
    void OnChannelChosen(int position);
    void OnIdChosen(int position);

    std::unique_ptr<Ui::PrivateGroupView> ui;
    int m_nChannelPosition = -1;
    int m_nIdPosition = -1;
    // Set while the view changes the lists' selections itself.
    bool m_bSelecting = false;
};
