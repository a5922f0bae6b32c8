#include "MainFrame.h"

#include "ChildFrame.h"
#include "CommandIds.h"
#include "ConfigStore.h"
#include "EditRouting.h"
#include "GuiText.h"
#include "KVXZOTDoc.h"
#include "FormViewPane.h"
#include "KVXZOTTreeView.h"
#include "RecentFileList.h"
#include "RegistryStore.h"
#include "StringTable.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>

using kvx::registry::Hive;
using kvx::registry::RegistryStore;

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), m_pImage(std::make_unique<VirtualCP>()), m_pRecentFiles(std::make_unique<CRecentFileList>())
{
    setObjectName(QStringLiteral("mainFrame"));
    setAcceptDrops(true);
    m_bShowHelpPane = GetShowContextHelp() == 1;
    m_strLanguage = GetCurrentLanguage();

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    // Undo and Redo follow the active document's history.
    m_pUndoGroup = new QUndoGroup(this);
    connect(m_pUndoGroup, &QUndoGroup::canUndoChanged, this, &CMainFrame::UpdateCommandStates);
    connect(m_pUndoGroup, &QUndoGroup::canRedoChanged, this, &CMainFrame::UpdateCommandStates);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    Action(CommandId::ViewHelpPane)->setChecked(m_bShowHelpPane);
    RestoreWindowState();
    connect(Action(CommandId::WindowCascade), &QAction::triggered, m_pMdiArea, &QMdiArea::cascadeSubWindows);
    connect(Action(CommandId::WindowTile), &QAction::triggered, m_pMdiArea, &QMdiArea::tileSubWindows);

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocus(now); });
    qApp->installEventFilter(this);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdateCommandStates);
    LoadMenuTexts();
    UpdateTitle();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    SetShowContextHelp(m_bShowHelpPane);
    SaveWindowState();
    // The document windows go with the frame; nothing is to follow them.
    m_bDestroying = true;
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    // They go now, while the frame is whole: the area and the windows signal
    // the frame on their way out, which must not reach a frame already
    // reduced to its base class.
    delete m_pMdiArea;
    m_pMdiArea = nullptr;
}

namespace {

QString WindowKey()
{
    return QString::fromLatin1(kApplicationKey) + QStringLiteral("\\Settings");
}

}  // namespace

void CMainFrame::RestoreWindowState()
{
    const RegistryStore& store = RegistryStore::Instance();
    const QString state = store.ReadString(Hive::User, WindowKey(), QStringLiteral("WindowState")).value_or(QString());
    if (!state.isEmpty())
        restoreState(QByteArray::fromBase64(state.toLatin1()));
    Action(CommandId::ViewToolbar)->setChecked(!m_pToolBar->isHidden());
    Action(CommandId::ViewStatusBar)->setChecked(store.ReadDword(Hive::User, WindowKey(), QStringLiteral("StatusBar")).value_or(1) != 0);
}

void CMainFrame::SaveWindowState()
{
    RegistryStore& store = RegistryStore::Instance();
    if (!store.CreateKey(Hive::User, WindowKey()))
        return;
    store.WriteString(Hive::User, WindowKey(), QStringLiteral("WindowState"), QString::fromLatin1(saveState().toBase64()));
    store.WriteDword(Hive::User, WindowKey(), QStringLiteral("StatusBar"), Action(CommandId::ViewStatusBar)->isChecked() ? 1 : 0);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    const auto pane = [bar](const char* name, int stretch, bool permanent) {
        auto* label = new QLabel(bar);
        label->setObjectName(QLatin1String(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMargin(1);
        if (permanent)
            bar->addPermanentWidget(label, stretch);
        else
            bar->addWidget(label, stretch);
        return label;
    };
    m_paneMessage = pane("messagePane", 1, false);
    m_paneTransfer = pane("transferPane", 0, true);
    m_panePort = pane("portPane", 0, true);
    m_paneGroup = pane("modelGroupPane", 0, true);
    m_paneModified = pane("modifiedPane", 0, true);
    m_paneTransfer->setMinimumWidth(m_paneTransfer->fontMetrics().horizontalAdvance(QStringLiteral("Transferring")) + 8);

    QAction* toggle = Action(CommandId::ViewStatusBar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
    SetMessageText(LoadStr(GuiText::IdleMessage));
    SetStatusText(LoadStr(10018));
}

void CMainFrame::SetStatusText(const QString& text)
{
    m_paneTransfer->setText(text);
    m_paneTransfer->setAccessibleName(text);
}

QString CMainFrame::StatusText() const
{
    return m_paneTransfer->text();
}

void CMainFrame::SetMessageText(const QString& text)
{
    m_paneMessage->setText(text);
    m_paneMessage->setAccessibleName(text);
}

QString CMainFrame::MessageText() const
{
    return m_paneMessage->text();
}

void CMainFrame::UpdateStatusPanes()
{
    if (m_bDestroying)
        return;
    const QString port = GetComPort();
    m_panePort->setText(port.isEmpty() ? QString() : LoadStr(GuiText::StatusPort).replace(QStringLiteral("%s"), port));
    CKVXZOTDoc* doc = ActiveDocument();
    const int group = doc ? doc->GetDataModel().GetGroup() : 0;
    m_paneGroup->setText(group > 0 ? LoadStr(GuiText::StatusModelGroup).replace(QStringLiteral("%d"), QString::number(group)) : QString());
    m_paneModified->setText(doc && doc->IsModified() ? LoadStr(GuiText::StatusModified) : QString());
    for (QLabel* label : {m_panePort, m_paneGroup, m_paneModified})
        label->setAccessibleName(label->text());
}

CChildFrame* CMainFrame::ActiveChild() const
{
    if (auto* child = qobject_cast<CChildFrame*>(m_pMdiArea->activeSubWindow()))
        return child;
    // A frame without focus (tests, a modal dialog on top) still has a current window.
    return qobject_cast<CChildFrame*>(m_pMdiArea->currentSubWindow());
}

QList<CChildFrame*> CMainFrame::Children() const
{
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(window))
            children << child;
    return children;
}

CKVXZOTDoc* CMainFrame::ActiveDocument() const
{
    CChildFrame* child = ActiveChild();
    return child ? &child->Document() : nullptr;
}

void CMainFrame::UpdateTitle()
{
    if (m_bDestroying)
        return;
    const QString name = QString::fromLatin1(kApplicationName);
    CChildFrame* child = ActiveChild();
    // A maximised document window adds " - [title]" to the frame's title
    // itself, as multi-document frames do.
    if (!child || child->isMaximized()) {
        setWindowTitle(name);
        return;
    }
    setWindowTitle(name + QStringLiteral(" - ") + child->windowTitle());
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow*)
{
    if (m_bDestroying)
        return;
    CChildFrame* child = ActiveChild();
    m_pUndoGroup->setActiveStack(child ? child->Document().UndoStack() : nullptr);
    UpdateTitle();
    UpdateStatusPanes();
    UpdateCommandStates();
}

void CMainFrame::AddChild(CChildFrame* child)
{
    m_pMdiArea->addSubWindow(child);
    m_pUndoGroup->addStack(child->Document().UndoStack());
    connect(&child->Document(), &CKVXZOTDoc::modifiedChanged, this, [this] {
        UpdateStatusPanes();
        UpdateCommandStates();
    });
    connect(&child->Document(), &CKVXZOTDoc::titleChanged, this, &CMainFrame::UpdateTitle);
    connect(child, &CChildFrame::transferStatusChanged, this, &CMainFrame::SetStatusText);
    child->ShowHelpPane(m_bShowHelpPane);
    connect(child, &CChildFrame::commandStatesChanged, this, &CMainFrame::UpdateCommandStates);
    connect(child, &CChildFrame::saved, this, [this, child] { DocumentSaved(child); });
    connect(child, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::UpdateTitle);
    connect(child, &QObject::destroyed, this, [this] {
        UpdateTitle();
        UpdateStatusPanes();
        UpdateCommandStates();
    });
    child->Tree()->SetContextMenu(m_pTreeMenu);
    connect(child->FormPane(), &CFormViewPane::statusTextRequested, this, &CMainFrame::SetMessageText);
    child->showMaximized();
    child->setFocus();
}

void CMainFrame::FollowFocus(QWidget* now)
{
    // Cut and Copy follow the selection of the focused edit control.
    if (m_trackedEditor)
        disconnect(m_trackedEditor, nullptr, this, nullptr);
    m_trackedEditor = EditRouting::WritableEditor(now);
    if (auto* line = qobject_cast<QLineEdit*>(m_trackedEditor.data())) {
        connect(line, &QLineEdit::selectionChanged, this, &CMainFrame::UpdateCommandStates);
        connect(line, &QLineEdit::textChanged, this, &CMainFrame::UpdateCommandStates);
    } else if (auto* text = qobject_cast<QTextEdit*>(m_trackedEditor.data())) {
        connect(text, &QTextEdit::copyAvailable, this, &CMainFrame::UpdateCommandStates);
        connect(text, &QTextEdit::undoAvailable, this, &CMainFrame::UpdateCommandStates);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(m_trackedEditor.data())) {
        connect(plain, &QPlainTextEdit::copyAvailable, this, &CMainFrame::UpdateCommandStates);
        connect(plain, &QPlainTextEdit::undoAvailable, this, &CMainFrame::UpdateCommandStates);
    }
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates()
{
    if (m_bDestroying)
        return;
    using namespace CommandId;
    CChildFrame* child = ActiveChild();
    const bool hasDocument = child != nullptr;
    for (QAction* action : std::as_const(m_documentOnly))
        action->setVisible(hasDocument);
    for (int id : {FileClose, FileSave, FileSaveAs, Report, ViewHelpPane, WindowCascade, WindowTile})
        Action(id)->setEnabled(hasDocument);
    Action(DeviceRead)->setEnabled(m_bIdle);
    Action(DeviceReset)->setEnabled(m_bIdle);
    Action(DeviceWrite)->setEnabled(m_bIdle && hasDocument);

    CKVXZOTTreeView* tree = child ? child->Tree() : nullptr;
    Action(EditAdd)->setEnabled(tree && tree->CanAdd());
    Action(EditScanAdd)->setEnabled(tree && tree->CanScanAdd());
    Action(EditDelete)->setEnabled(tree && tree->CanDelete());
    Action(EditRename)->setEnabled(tree && tree->CanRename());

    QWidget* editor = EditRouting::WritableEditor(QApplication::focusWidget());
    if (editor && hasDocument) {
        const bool selection = EditRouting::HasSelection(editor);
        Action(EditCut)->setEnabled(selection);
        Action(EditCopy)->setEnabled(selection);
        Action(EditPaste)->setEnabled(EditRouting::CanPaste(editor));
    } else {
        // The tree has nothing to cut, copy or paste.
        for (int id : {EditCut, EditCopy, EditPaste})
            Action(id)->setEnabled(false);
    }
    // A field's own typing first, then the document's history.
    Action(EditUndo)->setEnabled(hasDocument && ((editor && EditRouting::CanUndo(editor)) || m_pUndoGroup->canUndo()));
    Action(EditRedo)->setEnabled(hasDocument && ((editor && EditRouting::CanRedo(editor)) || m_pUndoGroup->canRedo()));
}

void CMainFrame::RebuildWindowMenu()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const QList<CChildFrame*> children = Children();
    if (children.isEmpty())
        return;
    m_windowListActions << m_pWindowMenu->addSeparator();
    CChildFrame* active = ActiveChild();
    for (int i = 0; i < children.size(); ++i) {
        CChildFrame* child = children[i];
        QString title = child->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = m_pWindowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
        action->setCheckable(true);
        action->setChecked(child == active);
        connect(action, &QAction::triggered, this, [this, child] { m_pMdiArea->setActiveSubWindow(child); });
        m_windowListActions << action;
    }
}

void CMainFrame::OnViewHelpPane(bool show)
{
    m_bShowHelpPane = show;
    for (CChildFrame* child : Children())
        child->ShowHelpPane(show);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!SaveAllModified()) {
        event->ignore();
        return;
    }
    for (CChildFrame* child : Children())
        child->CloseWithoutSaving();
    QMainWindow::closeEvent(event);
}

bool CMainFrame::SaveAllModified()
{
    for (CChildFrame* child : Children()) {
        m_pMdiArea->setActiveSubWindow(child);
        const bool wasModified = child->Document().IsModified();
        if (!child->Document().SaveModified())
            return false;
        if (wasModified && !child->Document().IsModified())
            DocumentSaved(child);
    }
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // A field claims Ctrl+Z and Ctrl+Y for its own typing even when it has
    // nothing to undo; then they are the document's.
    if (event->type() == QEvent::ShortcutOverride && ActiveChild()) {
        auto* key = static_cast<QKeyEvent*>(event);
        QWidget* editor = EditRouting::WritableEditor(qobject_cast<QWidget*>(watched));
        if (editor && editor->window() == this) {
            if ((key->matches(QKeySequence::Undo) && !EditRouting::CanUndo(editor) && m_pUndoGroup->canUndo())
                || (key->matches(QKeySequence::Redo) && !EditRouting::CanRedo(editor) && m_pUndoGroup->canRedo()))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

namespace {

QStringList DroppedProfiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.isEmpty() || QFileInfo(path).suffix().compare(CKVXZOTDoc::DefaultExtension(), Qt::CaseInsensitive) != 0)
            return {};
        paths << path;
    }
    return paths;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedProfiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList paths = DroppedProfiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    for (const QString& path : paths)
        OpenDocumentFile(path);
}
