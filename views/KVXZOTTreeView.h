#pragma once

// CKVXZOTTreeView: the profile tree, the left pane of a profile window. It
// shows the profile as a fixed tree of folders and entries (node kinds in
// TreeNodeKinds.h), switches the form view pane to the selected node, and
// carries the entry commands Add, Scan(Add), Delete and Rename.
//
// - The tree is built once, when it is first shown (or InitialUpdate is
//   called); afterwards it is only edited in place: Add appends an item,
//   relabelling rewrites texts and item values from the profile and deletes
//   items beyond a folder's entry count.
// - Before the selection moves, the form view's leave check runs; a refusal
//   (or a deleted entry) keeps the old node selected. The entry being left
//   is then moved into its place under the name collation and the folder is
//   relabelled.
// - Views ask the tree to follow their changes with document update hints
//   (CFormViewPane::UpdateAllViews): add, delete and refresh of a kind.
// - Command states: CanAdd, CanScanAdd, CanDelete, CanRename, recomputed on
//   every selection change and focus-in (Add, Delete and Rename go off when
//   the tree loses the focus); commandStatesChanged tells the window.
//
// Failures of the profile layer are shown as message boxes with the text of
// their code; the tree stays as it was at that moment. Refusals of the rules
// show the rules' message and change nothing.

#include "DataItem.h"
#include "DocumentEdit.h"
#include "TreeNodeKinds.h"

#include <QPointer>
#include <QString>
#include <QTreeWidget>

class CFormViewPane;
class CKVXZOTDoc;
class CKVXZOTException;
class QLineEdit;
class QMenu;


class CKVXZOTTreeView : public QTreeWidget {
    Q_OBJECT
public:
    CKVXZOTTreeView(CKVXZOTDoc* doc, CFormViewPane* pane, QWidget* parent = nullptr);
    ~CKVXZOTTreeView() override;

    // Builds the tree and opens the root's view, once.
    void InitialUpdate();
    bool IsReady() const { return m_bReady; }

    // Command states, as of the last recomputation.
    bool CanAdd() const { return m_bCanAdd; }
    bool CanScanAdd() const { return m_bCanScanAdd; }
    bool CanDelete() const { return m_bCanDelete; }
    bool CanRename() const { return m_bCanRename; }
    // Cut, Copy and Paste reach the tree when no edit control has the focus;
    // the tree has nothing to cut, copy or paste, so they stay disabled.
    bool CanCut() const { return false; }
    bool CanCopy() const { return false; }
    bool CanPaste() const { return false; }

    // The item value (kind | index << 16) of an item; of the current item
    // when null.
    quint32 ItemValue(const QTreeWidgetItem* item = nullptr) const;
    // The item of a node kind and entry index, or null.
    QTreeWidgetItem* FindItem(NodeKind kind, int index = 0) const;
    // Selects a node as a click would (with the leave check); false when the
    // selection did not move there.
    bool SelectNode(NodeKind kind, int index = 0);

    // Commits a label being edited; false when the rules refused the name
    // (the command that asked must not run).
    bool CommitLabelEdit();
    bool IsEditingLabel() const { return m_bLabelEditing; }
    // Moves the current entry into its sorted place, as leaving it would.
    void RepositionCurrentEntry();

    // The menu a right click opens; without one the tree offers its own
    // menu of the four commands. Not owned.
    void SetContextMenu(QMenu* menu);

public slots:
    void OnAdd();
    void OnScanAdd();
    void OnDelete();
    void OnRename();
    void OnCut() {}
    void OnCopy() {}
    void OnPaste() {}

signals:
    void commandStatesChanged();

public:
    // Operations the update hints and commands use (public for the views'
    // tests).
    void AddNewItem(NodeKind kind);
    void DelItem(NodeKind kind, int index);
    void RefreshTreeNode(QTreeWidgetItem* folder);
    void SortTreeNode(QTreeWidgetItem* folder, int selectIndex);
    void RefreshPriGrpAndPrivate();
    void RefreshScrollNode();
    void RefreshChannel(int channel);
    void RefreshAllChannels();

    // The label of a text message: at most 20 characters, else 20 and "...".
    static QString MessageLabel(const QString& text);
    // The index of the entry entered after the entry left moved from e to g
    // in the same folder, where the entered entry was at l.
    static int CorrectedIndex(int e, int g, int l);

protected:
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class CTreeLabelDelegate;
    // Clears the ready flag for the tree's own edits and restores it after.
    class ReadyOff {
    public:
        explicit ReadyOff(CKVXZOTTreeView* tree) : m_tree(tree), m_bPrevious(tree->m_bReady) { tree->m_bReady = false; }
        ~ReadyOff() { m_tree->m_bReady = m_bPrevious; }
        ReadyOff(const ReadyOff&) = delete;
        ReadyOff& operator=(const ReadyOff&) = delete;

    private:
        CKVXZOTTreeView* m_tree;
        bool m_bPrevious;
    };

    void BuildTree();
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& label, int image, NodeKind kind, int index = 0);
    void AddEntries(QTreeWidgetItem* folder, const CDataItem& node, NodeKind kind, int image);
    static void MarkOwnPrivate(QTreeWidgetItem* item, const CDataItem& entry, const QString& ownId);
    // The profile node of the folder of a folder or entry kind (the
    // scanner's add is the Privates folder's).
    CDataItem FolderNode(NodeKind kind) const;
    QTreeWidgetItem* FolderItem(NodeKind kind) const;
    QString EntryLabel(NodeKind entryKind, const CDataItem& entry) const;
    QString OwnId() const;

    bool AllowSelectionMove(const QModelIndex& target);
    void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    // Moves an entry left to its sorted place; its new index, or -1 when it
    // did not move.
    int RepositionEntry(QTreeWidgetItem* item);
    void OpenViewOfCurrent(const QString& captionSuffix = QString());
    void RecomputeCommandStates();
    void DisableEntryCommands();
    void OnDocumentUpdate(QObject* sender, quint32 hint);
    // The profile was replaced: build the tree again, keeping the selection
    // where the node still exists.
    void OnProfileReloaded();
    // A change through the document's edit path (CFormViewPane::Edit).
    EditOutcome Edit(const EditRequest& request);
    bool CommitRename(QTreeWidgetItem* item, const QString& text);
    void ShowException(const CKVXZOTException& e);
    int Message(const QString& text, unsigned style);
    void PostEntryAdded(NodeKind kind);
    QMenu* OwnContextMenu();

    CKVXZOTDoc* m_pDoc;
    QPointer<CFormViewPane> m_pPane;
    QTreeWidgetItem* m_hTextMessages = nullptr;
    QTreeWidgetItem* m_hPublicGroups = nullptr;
    QTreeWidgetItem* m_hPrivateGroups = nullptr;
    QTreeWidgetItem* m_hPrivates = nullptr;
    QTreeWidgetItem* m_hScroll = nullptr;
    QTreeWidgetItem* m_hScanList = nullptr;
    bool m_bBuilt = false;
    bool m_bReady = false;
    bool m_bLabelEditing = false;
    bool m_bInLeaveCheck = false;
    bool m_bLastRenameAccepted = true;
    QPersistentModelIndex m_refusedTarget;
    QString m_strCaptionSuffix;
    QPointer<QLineEdit> m_pLabelEditor;
    bool m_bCanAdd = false;
    bool m_bCanScanAdd = false;
    bool m_bCanDelete = false;
    bool m_bCanRename = false;
    QPointer<QMenu> m_pContextMenu;
    QMenu* m_pOwnMenu = nullptr;
};
