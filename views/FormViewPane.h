#pragma once

// CFormViewPane: the right pane of a profile window. It shows the form view
// of the node selected in the profile tree (one view at a time, created for
// the node and destroyed when another node is selected), and is the views'
// link to their document and window:
//
// - ShowView switches the form view (the tree calls it on every selection
//   change); ActiveView is the view shown;
// - CommitPendingEdits is the leave check that Save, Save As, Write, Report
//   and Scan(Add) run first: it commits a label being edited in the tree and
//   runs the active view's leave check;
// - Edit applies a change through the document's edit path, asking the
//   rules' questions and showing their refusals and informations;
// - UpdateAllViews broadcasts a document update hint (app/UpdateHint.h)
//   through the document to the tree and the active view;
// - ShowMessage shows a message through the document's message sink;
// - ProfileDataError shows message 10113 and asks the window to close
//   without saving (closeRequested);
// - readPrivateIdOverAir is set by the window: the private view reads a
//   radio's private ID over the air through it.
//
// The pane owns nothing of the document; the window that holds the pane
// keeps the document alive longer than the pane. When the document's profile
// is replaced (undo, redo, a radio image) the tree rebuilds itself and opens
// the view of its selection again.

#include "DocumentEdit.h"
#include "UpdateHint.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class CBaseView;
class CKVXZOTDoc;
class CKVXZOTTreeView;

class CFormViewPane : public QWidget {
    Q_OBJECT
public:
    explicit CFormViewPane(CKVXZOTDoc* doc, QWidget* parent = nullptr);
    ~CFormViewPane() override;

    CKVXZOTDoc* Document() const { return m_pDoc; }
    // The form view shown, or null (a node without a form view).
    CBaseView* ActiveView() const;
    // Node kind and entry index of the node shown.
    NodeKind ActiveKind() const { return m_nKind; }
    int ActiveIndex() const { return m_nIndex; }

    // Shows the form view of a tree node. A private view shows captionSuffix
    // after the private's name. A view whose loading fails stays shown as far
    // as it got; the failure has been reported.
    CBaseView* ShowView(NodeKind kind, int index, const QString& captionSuffix = QString());
    // Shows the view of the node shown again, loaded afresh.
    CBaseView* ReloadView();

    // Before Save, Save As, Write, Report and Scan(Add): commits the tree's
    // label edit and runs the active view's leave check. False: refused, the
    // command must not run. repositionCurrentEntry (Write, Report) then puts
    // the current entry into its sorted place as leaving it would.
    bool CommitPendingEdits(bool repositionCurrentEntry = false);

    // Applies a change through the document's edit path. A question of the
    // rules is asked and, answered OK, the change applied confirmed; a
    // refusal or an information that came with the change is shown (not
    // when quiet: the caller reports in its own words). A failure has been
    // shown by the document.
    EditOutcome Edit(const EditRequest& request, bool quiet = false);

    // Broadcasts a document update to the tree and the active view, except
    // to the sender. Hint 0: something changed, re-read.
    void UpdateAllViews(QObject* sender, quint32 hint);
    // Asks the tree to add the next private with the scanner (posted).
    void RequestScanAdd();
    // A text for the window's status bar.
    void RequestStatusText(const QString& text);

    // Shows a message through the document's message sink: style and answer
    // as kvx::ShowMessage. After a profile data error no more messages are
    // shown (answered Cancel).
    int ShowMessage(const QString& text, unsigned style);
    void ProfileDataError();
    bool IsClosing() const { return m_bClosing; }

    // The tree of the same window, for the label edit and repositioning.
    void SetTree(CKVXZOTTreeView* tree);
    CKVXZOTTreeView* Tree() const;

    // Set by the window: reads another radio's private ID over the air with
    // the read-private-ID dialog; nullopt when cancelled or failed.
    std::function<std::optional<QString>(QWidget* parent)> readPrivateIdOverAir;

signals:
    // The active view or its focused control changed (viewClass empty: no
    // form view; controlId 0: no control).
    void helpContextChanged(const QString& viewClass, int controlId);
    void statusTextRequested(const QString& text);
    void scanAddRequested();
    // The profile window must close; discard: without saving.
    void closeRequested(bool discard);
    void activeViewChanged(CBaseView* view);

private:
    void OnFocusChanged(QWidget* old, QWidget* now);
    void OnDocumentUpdate(QObject* sender, quint32 hint);
    void RetireView();

    CKVXZOTDoc* m_pDoc;
    QPointer<CBaseView> m_pView;
    QPointer<CKVXZOTTreeView> m_pTree;
    NodeKind m_nKind = NodeKind::Radio;
    bool m_bShown = false;
    int m_nIndex = 0;
    int m_nHelpControl = -1;
    bool m_bClosing = false;
};
