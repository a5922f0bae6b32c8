// CMainFrame: the commands, the two menu states, the tree's context menu,
// the toolbar and the texts of all of them.

#include "MainFrame.h"

#include "CommandIds.h"
#include "ConfigStore.h"
#include "GuiText.h"
#include "KVXZOTApp.h"
#include "RecentFileList.h"
#include "StringTable.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

struct LanguageCommand {
    int commandId;
    const char* language;
};

// Menu order: by display name, as the installation lists them.
const LanguageCommand kLanguageCommands[] = {
    {CommandId::LanguageCaFrench, "CaFrench"},
    {CommandId::LanguageFrench, "French"},
    {CommandId::LanguageEnglish, "English"},
    {CommandId::LanguageGerman, "German"},
    {CommandId::LanguageLaPortuguese, "LaPortuguese"},
    {CommandId::LanguageLaSpanish, "LaSpanish"},
    {CommandId::LanguageSpanish, "Spanish"},
};

struct ToolbarButton {
    int commandId;   // 0: separator
    int textId;
    const char* image;
};

const ToolbarButton kToolbar[] = {
    {CommandId::FileNew, 143, "new"},     {CommandId::FileOpen, 144, "open"},     {CommandId::FileSave, 145, "save"},
    {0, 0, nullptr},
    {CommandId::EditAdd, 146, "add"},     {CommandId::EditScanAdd, 221, "scan"},  {CommandId::EditDelete, 147, "delete"},
    {0, 0, nullptr},
    {CommandId::EditCut, 148, "cut"},     {CommandId::EditCopy, 149, "copy"},     {CommandId::EditPaste, 150, "paste"},
    {0, 0, nullptr},
    {CommandId::DeviceRead, 151, "read"}, {CommandId::DeviceWrite, 152, "write"},
    {0, 0, nullptr},
    {CommandId::Report, 153, "report"},   {CommandId::AppAbout, 154, "about"},
};

// A menu text without the key name the string table puts after a tab: the
// action shows its own shortcut.
QString MenuText(const QString& text)
{
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? text : text.left(tab);
}

// The name a screen reader announces: the text without its mnemonic mark.
QString PlainText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

QIcon ToolbarIcon(const char* image)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/toolbar/%1.png").arg(QLatin1String(image)), QSize(), QIcon::Normal);
    icon.addFile(QStringLiteral(":/toolbar/%1-disabled.png").arg(QLatin1String(image)), QSize(), QIcon::Disabled);
    return icon;
}

}  // namespace

QAction* CMainFrame::AddCommand(int commandId, int textId, const QKeySequence& key, bool documentOnly)
{
    auto* action = new QAction(this);
    action->setProperty("commandId", commandId);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        // Menus and toolbar share the action; its key works anywhere in the frame.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    addAction(action);
    m_actions.insert(commandId, action);
    if (textId)
        m_textIds.insert(commandId, textId);
    if (documentOnly)
        m_documentOnly << action;
    return action;
}

QAction* CMainFrame::Action(int commandId) const
{
    return m_actions.value(commandId);
}

QMenu* CMainFrame::TopMenu(int position) const
{
    return m_topMenus.value(position);
}

void CMainFrame::CreateActions()
{
    // Commands run from the event loop once their trigger has returned: a
    // command that opens a modal dialog must not hold up whoever triggered
    // it (an accessibility client waits for its answer).
    const auto Bind = [this](QAction* action, auto slot) {
        connect(action, &QAction::triggered, this, slot, Qt::QueuedConnection);
    };
    using namespace CommandId;
    const auto ctrl = [](Qt::Key k) { return QKeySequence(Qt::CTRL | k); };
    Bind(AddCommand(FileNew, 226, ctrl(Qt::Key_N), false), &CMainFrame::OnFileNew);
    Bind(AddCommand(FileOpen, 227, ctrl(Qt::Key_O), false), &CMainFrame::OnFileOpen);
    Bind(AddCommand(FileClose, 228, {}, true), &CMainFrame::OnFileClose);
    Bind(AddCommand(FileSave, 229, ctrl(Qt::Key_S), true), &CMainFrame::OnFileSave);
    Bind(AddCommand(FileSaveAs, 230, {}, true), &CMainFrame::OnFileSaveAs);
    Bind(AddCommand(AppExit, 232, {}, false), &QWidget::close);

    Bind(AddCommand(EditUndo, GuiText::MenuUndo, ctrl(Qt::Key_Z), true), &CMainFrame::OnEditUndo);
    Bind(AddCommand(EditRedo, GuiText::MenuRedo, ctrl(Qt::Key_Y), true), &CMainFrame::OnEditRedo);
    Bind(AddCommand(EditAdd, 234, ctrl(Qt::Key_A), true), &CMainFrame::OnEditAdd);
    Bind(AddCommand(EditScanAdd, 235, ctrl(Qt::Key_T), true), &CMainFrame::OnEditScanAdd);
    Bind(AddCommand(EditCut, 236, ctrl(Qt::Key_X), true), &CMainFrame::OnEditCut);
    Bind(AddCommand(EditCopy, 237, ctrl(Qt::Key_C), true), &CMainFrame::OnEditCopy);
    Bind(AddCommand(EditPaste, 238, ctrl(Qt::Key_V), true), &CMainFrame::OnEditPaste);
    Bind(AddCommand(EditDelete, 239, QKeySequence(Qt::Key_Delete), true), &CMainFrame::OnEditDelete);
    Bind(AddCommand(EditRename, 240, QKeySequence(Qt::Key_F2), true), &CMainFrame::OnEditRename);
    Bind(AddCommand(EditDealerInfo, 241, {}, false), &CMainFrame::OnDealerInfo);
    Bind(AddCommand(EditPreference, 242, {}, false), &CMainFrame::OnPreference);

    auto* languages = new QActionGroup(this);
    for (const LanguageCommand& command : kLanguageCommands) {
        QAction* action = AddCommand(command.commandId, 0, {}, false);
        const QString language = QString::fromLatin1(command.language);
        action->setCheckable(true);
        action->setChecked(language == m_strLanguage);
        action->setData(language);
        languages->addAction(action);
        Bind(action, [this, language] { OnLanguage(language); });
    }

    QAction* toolbar = AddCommand(ViewToolbar, 248, {}, false);
    toolbar->setCheckable(true);
    QAction* statusBarAction = AddCommand(ViewStatusBar, 249, {}, false);
    statusBarAction->setCheckable(true);
    QAction* helpPane = AddCommand(ViewHelpPane, 219, {}, true);
    helpPane->setCheckable(true);
    connect(helpPane, &QAction::toggled, this, &CMainFrame::OnViewHelpPane);

    Bind(AddCommand(DeviceRead, 252, ctrl(Qt::Key_R), false), &CMainFrame::OnDeviceRead);
    Bind(AddCommand(DeviceWrite, 253, ctrl(Qt::Key_W), true), &CMainFrame::OnDeviceWrite);
    Bind(AddCommand(DeviceReset, 254, ctrl(Qt::Key_E), false), &CMainFrame::OnDeviceReset);
    Bind(AddCommand(Report, 255, {}, true), &CMainFrame::OnReport);
    AddCommand(WindowCascade, 257, {}, true);
    AddCommand(WindowTile, 258, {}, true);
    Bind(AddCommand(HelpFinder, 260, QKeySequence(Qt::Key_F1), false), &CMainFrame::OnHelpFinder);
    Bind(AddCommand(AppAbout, 261, {}, false), &CMainFrame::OnAppAbout);
}

void CMainFrame::CreateMenus()
{
    using namespace CommandId;
    QMenuBar* bar = menuBar();
    const auto addMenu = [&](const char* objectName) {
        QMenu* menu = bar->addMenu(QString());
        menu->setObjectName(QLatin1String(objectName));
        m_topMenus << menu;
        return menu;
    };

    m_pFileMenu = addMenu("fileMenu");
    m_pFileMenu->addActions({Action(FileNew), Action(FileOpen), Action(FileClose), Action(FileSave), Action(FileSaveAs)});
    m_pFileMenu->addSeparator();
    // The recent files go between the two separators.
    m_pRecentSeparator = m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(Action(AppExit));

    QMenu* edit = addMenu("editMenu");
    edit->addActions({Action(EditUndo), Action(EditRedo)});
    m_documentOnly << edit->addSeparator();
    edit->addActions({Action(EditAdd), Action(EditScanAdd)});
    m_documentOnly << edit->addSeparator();
    edit->addActions({Action(EditCut), Action(EditCopy), Action(EditPaste), Action(EditDelete)});
    m_documentOnly << edit->addSeparator();
    edit->addAction(Action(EditRename));
    m_documentOnly << edit->addSeparator();
    edit->addActions({Action(EditDealerInfo), Action(EditPreference)});
    edit->addSeparator();
    // The Language submenu stays the last item: pruning removes it from there.
    m_pLanguageMenu = new QMenu(edit);
    m_pLanguageMenu->setObjectName(QStringLiteral("languageMenu"));
    for (const LanguageCommand& command : kLanguageCommands)
        m_pLanguageMenu->addAction(Action(command.commandId));
    m_pLanguageMenuAction = edit->addMenu(m_pLanguageMenu);

    QMenu* view = addMenu("viewMenu");
    view->addActions({Action(ViewToolbar), Action(ViewStatusBar), Action(ViewHelpPane)});

    QMenu* device = addMenu("deviceMenu");
    device->addActions({Action(DeviceRead), Action(DeviceWrite), Action(DeviceReset)});

    // Report is a command of its own on the menu bar.
    bar->addAction(Action(Report));

    m_pWindowMenu = addMenu("windowMenu");
    m_pWindowMenu->addActions({Action(WindowCascade), Action(WindowTile)});
    m_documentOnly << m_pWindowMenu->menuAction();
    connect(m_pWindowMenu, &QMenu::aboutToShow, this, &CMainFrame::RebuildWindowMenu);

    QMenu* help = addMenu("helpMenu");
    help->addActions({Action(HelpFinder), Action(AppAbout)});

    m_pTreeMenu = new QMenu(this);
    m_pTreeMenu->setObjectName(QStringLiteral("treeContextMenu"));
    m_pTreeMenu->addActions({Action(EditAdd), Action(EditScanAdd), Action(EditDelete), Action(EditRename)});

    RebuildRecentFileMenu();
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setObjectName(QStringLiteral("toolbar"));
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    for (const ToolbarButton& button : kToolbar) {
        if (!button.commandId) {
            m_pToolBar->addSeparator();
            continue;
        }
        // A button of its own for each command: without a document the
        // document commands leave the menus but stay on the toolbar, greyed.
        QAction* command = Action(button.commandId);
        auto* proxy = new QAction(ToolbarIcon(button.image), QString(), m_pToolBar);
        proxy->setProperty("toolbarCommandId", button.commandId);
        proxy->setProperty("toolbarTextId", button.textId);
        connect(proxy, &QAction::triggered, command, &QAction::trigger);
        connect(command, &QAction::changed, proxy, [command, proxy] { proxy->setEnabled(command->isEnabled()); });
        m_pToolBar->addAction(proxy);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    QAction* toggle = Action(CommandId::ViewToolbar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, m_pToolBar, &QWidget::setVisible);
    connect(m_pToolBar, &QToolBar::visibilityChanged, toggle, [this, toggle](bool visible) {
        // A hidden frame hides its toolbar too; only the user's choice counts.
        if (isVisible())
            toggle->setChecked(visible);
    });
}

bool CMainFrame::LoadMenuTexts()
{
    // Views repeat this step; the texts cannot change within a run.
    if (++m_nMenuTextRuns > 2)
        return true;
    CStringTable& table = CStringTable::Instance();
    static const int kTopTexts[] = {225, 233, 247, 251, 256, 259};
    for (int i = 0; i < m_topMenus.size(); ++i) {
        if (!table.Has(kTopTexts[i]))
            return false;
        m_topMenus[i]->setTitle(LoadStr(kTopTexts[i]));
    }
    for (auto it = m_textIds.constBegin(); it != m_textIds.constEnd(); ++it) {
        if (!table.Has(it.value()))
            return false;
        QAction* action = m_actions.value(it.key());
        QString text = MenuText(LoadStr(it.value()));
        if (it.key() == CommandId::AppAbout)
            text.replace(QStringLiteral("%s"), QString::fromLatin1(kApplicationName));
        action->setText(text);
        action->setToolTip(PlainText(text));
    }
    for (QAction* button : m_pToolBar->actions()) {
        const QVariant textId = button->property("toolbarTextId");
        if (!textId.isValid())
            continue;
        button->setText(LoadStr(textId.toInt()));
        button->setToolTip(Action(button->property("toolbarCommandId").toInt())->toolTip());
    }
    m_pLanguageMenu->setTitle(LoadStr(243));
    const CKVXZOTApp* app = CKVXZOTApp::Instance();
    for (const LanguageCommand& command : kLanguageCommands) {
        const QString language = QString::fromLatin1(command.language);
        const QString display = app ? app->GetLanguageDisplayName(language) : QString();
        Action(command.commandId)->setText(display.isEmpty() ? language : display);
    }
    m_pToolBar->setWindowTitle(LoadStr(GuiText::ToolbarName));
    // The button that shows the commands a narrow toolbar cannot.
    if (auto* more = m_pToolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(LoadStr(GuiText::MoreCommands));
    m_pTreeMenu->setTitle(LoadStr(233));
    RebuildRecentFileMenu();
    UpdateStatusPanes();
    menuBar()->update();
    return true;
}

void CMainFrame::PruneLanguageMenu(const QStringList& supportedLanguages)
{
    if (++m_nPruneRuns > 2)
        return;
    if (supportedLanguages == QStringList{QStringLiteral("English")}) {
        // Only English: the Language submenu goes altogether.
        m_pLanguageMenuAction->setVisible(false);
        return;
    }
    for (const LanguageCommand& command : kLanguageCommands) {
        const QString language = QString::fromLatin1(command.language);
        if (language != QStringLiteral("English") && !supportedLanguages.contains(language)) {
            QAction* action = Action(command.commandId);
            m_pLanguageMenu->removeAction(action);
            action->setVisible(false);
        }
    }
}

void CMainFrame::RebuildRecentFileMenu()
{
    for (QAction* action : std::as_const(m_recentActions)) {
        m_pFileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    const QStringList& files = m_pRecentFiles->Files();
    if (files.isEmpty()) {
        auto* none = new QAction(MenuText(LoadStr(231)), this);
        none->setEnabled(false);
        none->setProperty("commandId", CommandId::FileMruFirst);
        m_recentActions << none;
    }
    for (int i = 0; i < files.size(); ++i) {
        auto* entry = new QAction(CRecentFileList::MenuText(i, files[i]), this);
        entry->setProperty("commandId", CommandId::FileMruFirst + i);
        const QString path = files[i];
        connect(
            entry, &QAction::triggered, this,
            [this, path] {
            // An entry that no longer opens leaves the list.
                if (!OpenDocumentFile(path)) {
                    m_pRecentFiles->Remove(path);
                    RebuildRecentFileMenu();
                }
            },
            Qt::QueuedConnection);
        m_recentActions << entry;
    }
    m_pFileMenu->insertActions(m_pRecentSeparator, m_recentActions);
}
