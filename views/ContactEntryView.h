#pragma once

// CContactEntryView: what the public group, private group and private views
// share in editing one contact.
//
// - The name field commits when the focus moves from it to another control
//   of the view or to the view's background; not when the focus leaves the
//   view (the tree, another window: the leave check handles that), not when
//   it moves to an exempt control (Delete Current Contact), and not while
//   validation is suspended. An empty name shows 10055; a refusal shows the
//   rules' message; both put the focus back into the name with its text
//   selected. An accepted name refreshes the caption and sends the refresh
//   hint of the entry's kind.
// - The leave check collects the faulty fields ("- (Name)" and what the view
//   adds), asks 10161 and on OK deletes the entry through the tree; on
//   Cancel it puts the focus back into the first faulty field.
// - Delete Current Contact asks the tree to delete the entry.
// - The channel choice lists "Channel %d" for every channel of the radio.
//
// Fields write to the profile as they are committed; a field whose text
// equals what the profile holds is not written again.

#include "BaseView.h"

#include <QList>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QComboBox;
class QLineEdit;

class CContactEntryView : public CBaseView {
    Q_OBJECT
public:
    int LeaveCheck() override;
    void OnEntryAdded(NodeKind kind) override;
    void RefreshCaption() override;
    void OnDocumentUpdate(QObject* sender, quint32 hint) override;

protected:
    // entryKind: NodeKind::PublicGroup, PrivateGroup or Private; folderName:
    // the folder's element under Contacts.
    CContactEntryView(const char* viewClass, NodeKind entryKind, const char* folderName, QWidget* parent);

    // Call from the subclass's constructor once the form is built.
    void SetUpEntryControls(QLineEdit* nameEdit, QAbstractButton* deleteButton);
    // Commits `field` through `commit` when the focus moves from it to
    // another control of this view (not to one of `exempt`).
    void CommitOnFocusLeave(QWidget* field, std::function<void()> commit, const QList<QWidget*>& exempt);

    // Finds the folder and the entry; call first in LoadData.
    void LoadEntry();
    CDataItem& Entry() { return m_entry; }
    CDataItem& Folder() { return m_folder; }
    NodeKind EntryKind() const { return m_nEntryKind; }

    // The name field's commit: false when the name was empty or refused.
    bool CommitName();
    // Puts the focus into the name field with its text selected (posted).
    void FocusName();

    // Faulty fields after the name, as lines of the 10161 message.
    virtual QString OtherFaults();
    // The focus after Cancel when the name was fine.
    virtual void FocusOtherFault();
    // The caption: the entry's name.
    virtual QString CaptionText() const;
    // Loads the name field and the caption from the profile (also after a
    // rename in the tree).
    virtual void ReloadName();
    // The name field's new name was accepted.
    virtual void NameCommitted();
    static constexpr int kMaxNameLength = 20;

    // Fills a channel choice and selects the entry's channel; a channel the
    // list lacks is a profile data fault. Returns the selected position.
    int FillChannelChoice(QComboBox* combo);
    // Writes an attribute of the entry through the edit path (questions
    // asked, refusals and informations shown).
    EditOutcome Write(const QString& name, const QVariant& value);
    // Writes the value of a new choice; a refusal shows the rules' message
    // and restores the kept position. True when the rules accepted it.
    bool WriteChoice(QComboBox* combo, int& keptPosition, int position, const QString& name, const QVariant& value);
    // Selects a combo position without reacting to it.
    static void SetComboIndex(QComboBox* combo, int index);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct FocusCommit {
        QPointer<QWidget> field;
        std::function<void()> commit;
        QList<QPointer<QWidget>> exempt;
    };
    void OnFieldFocusOut(const FocusCommit& watch, QWidget* next);
    void DeleteCurrent();

    NodeKind m_nEntryKind;
    QString m_strFolder;
    CDataItem m_folder;
    CDataItem m_entry;
    QLineEdit* m_pName = nullptr;
    QAbstractButton* m_pDelete = nullptr;
    QList<FocusCommit> m_commits;
};
