#pragma once

#include <QMdiSubWindow>
#include <memory>

class CFormViewPane;
class CKVXZOTDoc;
class CKVXZOTTreeView;
class QSplitter;
class QTextBrowser;

// The window of one open profile: the profile tree on the left, the form
// view of the selected node on the right and, when shown, the help pane
// under the form view. It owns the document. Closing it asks to save a
// modified profile first.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit CChildFrame(std::unique_ptr<CKVXZOTDoc> doc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CKVXZOTDoc& Document() const { return *m_pDoc; }
    CKVXZOTTreeView* Tree() const { return m_pTree; }
    CFormViewPane* FormPane() const { return m_pFormPane; }
    QTextBrowser* HelpPane() const { return m_pHelpPane; }

    void ShowHelpPane(bool show);

    // The pending label edit and the form view's leave check, as every
    // command that uses the profile runs them first; false stops it.
    // Write and Report also move the current entry to its sorted place.
    bool CommitPendingEdits(bool repositionCurrentEntry = false);

    // Saves the profile under its path, asking for one when it has none
    // or when saveAs is set. False when cancelled, refused or failed.
    bool Save(bool saveAs);

    // Closes without the save question (a profile that must not be kept).
    void CloseWithoutSaving();

    // The window title follows the document's title and modified flag.
    void UpdateTitle();

signals:
    // The profile was written to its file (its path may have changed).
    void saved();
    // The tree's commands or the document's state changed.
    void commandStatesChanged();
    // A transfer dialog opened by a view changes the main window's
    // transfer state ("Transferring", "Idle").
    void transferStatusChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BindDocument();

    std::unique_ptr<CKVXZOTDoc> m_pDoc;
    QSplitter* m_pSplitter = nullptr;
    QSplitter* m_pRightSplitter = nullptr;
    CKVXZOTTreeView* m_pTree = nullptr;
    CFormViewPane* m_pFormPane = nullptr;
    QTextBrowser* m_pHelpPane = nullptr;
    bool m_bDiscard = false;
};
