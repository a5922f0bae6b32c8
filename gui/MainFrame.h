#pragma once

#include "DeviceJob.h"
#include "VirtualCP.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class CChildFrame;
class CKVXZOTDoc;
class CRecentFileList;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QUndoGroup;

// The application's main window: menus, toolbar, status bar and the
// document windows. It owns the application's one codeplug image and routes
// every command to the window, document or dialog that carries it out.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a command identifier (CommandIds.h), or null.
    QAction* Action(int commandId) const;
    QMenu* TopMenu(int position) const;
    QMenu* TreeContextMenu() const { return m_pTreeMenu; }
    QToolBar* ToolBar() const { return m_pToolBar; }

    // Menu, toolbar and status texts from the string table; false when a
    // text is missing.
    bool LoadMenuTexts();
    // Removes the language commands the installation does not support.
    void PruneLanguageMenu(const QStringList& supportedLanguages);

    // The transfer state pane ("Idle", "Transferring").
    void SetStatusText(const QString& text);
    QString StatusText() const;
    // The message pane at the left of the status bar.
    void SetMessageText(const QString& text);
    QString MessageText() const;

    CChildFrame* ActiveChild() const;
    QList<CChildFrame*> Children() const;
    CKVXZOTDoc* ActiveDocument() const;

    // Opens a profile file as a document window, or activates the window
    // that has it open already. Null when it could not be opened.
    CChildFrame* OpenDocumentFile(const QString& path);
    // Asks every modified document whether to save it; false when the
    // user cancelled (nothing is closed then).
    bool SaveAllModified();

    // The application's codeplug image: the last radio read, or the image of
    // the last write.
    VirtualCP& CodeplugImage() { return *m_pImage; }
    CRecentFileList& RecentFiles() { return *m_pRecentFiles; }

    // No device command runs.
    bool IsIdle() const { return m_bIdle; }
    bool IsHelpPaneShown() const { return m_bShowHelpPane; }
    const QString& ChosenLanguage() const { return m_strLanguage; }

    // Recomputes the enabled and checked state of every command.
    void UpdateCommandStates();

public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditUndo();
    void OnEditRedo();
    void OnEditAdd();
    void OnEditScanAdd();
    void OnEditDelete();
    void OnEditRename();
    void OnDealerInfo();
    void OnPreference();
    void OnLanguage(const QString& language);
    void OnViewHelpPane(bool show);
    void OnDeviceRead();
    void OnDeviceWrite();
    void OnDeviceReset();
    void OnReport();
    void OnHelpFinder();
    void OnAppAbout();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    static std::unique_ptr<CKVXZOTDoc> CreateDocument();
    int Ask(int messageId, unsigned style);

    // The device commands.
    void StartDeviceJob(CDeviceJob::Command command);
    void StopDeviceJob();
    void OnRadioIdentified();
    void OnPasswordRequested();
    void OnTransferStarted();
    void OnDeviceJobFinished(int result);
    void FinishDeviceCommand(int result);
    void FinishRead(const VirtualCP& image);

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* AddCommand(int commandId, int textId, const QKeySequence& key, bool documentOnly);
    void RebuildRecentFileMenu();
    // Toolbar place and visibility, status bar visibility: kept between runs.
    void RestoreWindowState();
    void SaveWindowState();
    void RebuildWindowMenu();
    void UpdateTitle();
    void UpdateStatusPanes();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void AddChild(CChildFrame* child);
    void FollowFocus(QWidget* now);
    CChildFrame* CreateDocumentWindow(std::unique_ptr<CKVXZOTDoc> doc);
    void DocumentSaved(CChildFrame* child);

    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QMenu* m_pWindowMenu = nullptr;
    QMenu* m_pLanguageMenu = nullptr;
    QMenu* m_pTreeMenu = nullptr;
    QAction* m_pLanguageMenuAction = nullptr;
    QAction* m_pRecentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QList<QAction*> m_windowListActions;
    QList<QMenu*> m_topMenus;
    QHash<int, QAction*> m_actions;
    QHash<int, int> m_textIds;     // command → string number of its menu text
    QList<QAction*> m_documentOnly;
    QLabel* m_paneMessage = nullptr;
    QLabel* m_paneTransfer = nullptr;
    QLabel* m_panePort = nullptr;
    QLabel* m_paneGroup = nullptr;
    QLabel* m_paneModified = nullptr;
    QPointer<QWidget> m_trackedEditor;   // the edit control whose selection enables Cut and Copy

    QUndoGroup* m_pUndoGroup = nullptr;

    std::unique_ptr<VirtualCP> m_pImage;
    CDeviceJob* m_pJob = nullptr;
    QPointer<CChildFrame> m_writeChild;
    int m_nJobResult = 0;
    bool m_bUserStopped = false;   // the user ended the command (password, 10031): no failure message
    bool m_bTransferDialogOpen = false;
    bool m_bTransferDialogShown = false;
    std::unique_ptr<CRecentFileList> m_pRecentFiles;
    bool m_bShowHelpPane = false;
    bool m_bIdle = true;
    bool m_bDestroying = false;
    int m_nMenuTextRuns = 0;
    int m_nPruneRuns = 0;
    QString m_strLanguage;
};
