#include "RandomSession.h"

#include "ChildFrame.h"
#include "CommandIds.h"
#include "ConfigStore.h"
#include "FileDialogs.h"
#include "FormViewPane.h"
#include "BaseView.h"
#include "KVXZOTDoc.h"
#include "KVXZOTGuiApp.h"
#include "KVXZOTTreeView.h"
#include "MachineDefaults.h"
#include "MainFrame.h"
#include "MessageBoxAdapter.h"
#include "RadioSimulator.h"
#include "SerialPortList.h"
#include "StringTable.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidgetItemIterator>

using namespace CommandId;

namespace {

constexpr int kLogLength = 40;

// Types text as a keyboard or an input method delivers it: one key event per
// character, with the character as its text.
void TypeText(QWidget* field, const QString& text)
{
    const QList<uint> characters = text.left(40).toUcs4();
    for (const uint c : characters) {
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

QString Describe(const QString& text)
{
    QString shown;
    for (const QChar c : text.left(400))
        shown += c.unicode() < 0x20 || c.unicode() == 0x7F ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c);
    return QLatin1Char('"') + shown + (text.size() > 400 ? QStringLiteral("\"…(%1)").arg(text.size()) : QStringLiteral("\""));
}

}  // namespace

CRandomSession::CRandomSession(quint64 seed, const QString& folder)
    : m_random(seed), m_strFolder(folder)
{
    // Every message gets any answer its buttons allow, from the same seed.
    m_messages.AnswerAtRandom(seed ^ 0x9E3779B97F4A7C15ull);
    CMessageBoxAdapter::SetScript(&m_messages);
    FileDialogs::SetOverride([this](bool save, const QString&) {
        if (!save)
            return m_strLastSaved;
        return QDir(m_strFolder).filePath(QStringLiteral("saved-%1.jub").arg(m_random.bounded(3)));
    });
}

CRandomSession::~CRandomSession()
{
    if (m_app && m_app->MainFrame()) {
        // Whatever is still open goes without questions.
        for (CChildFrame* child : m_app->MainFrame()->Children())
            child->Document().SetModifiedFlag(false);
    }
    m_app.reset();
    FileDialogs::SetOverride({});
    CMessageBoxAdapter::SetScript(nullptr);
    kvx::serial::SetPortEnumerator({});
}

bool CRandomSession::Start(const QString& profilePath)
{
    if (!kvx::registry::UseScratchStore(m_strFolder, QStringLiteral(KVX_INSTALLATION_DIR))) {
        Found(QStringLiteral("no scratch configuration store"));
        return false;
    }
    // Nothing here may reach a real serial port.
    const QString noPort = QDir(m_strFolder).filePath(QStringLiteral("no-such-port"));
    kvx::registry::RegistryStore::Instance().WriteString(kvx::registry::Hive::User, QString::fromLatin1(kApplicationKey),
                                                         QStringLiteral("CurrentComPort"), noPort);
    kvx::serial::SetPortEnumerator([noPort] { return std::optional<QStringList>(QStringList{noPort}); });

    m_app = std::make_unique<CKVXZOTGuiApp>([] { return true; },
                                            CKVXZOTGuiApp::ParseCommandLine({QStringLiteral("--no-splash")}));
    if (!m_app->InitInstance() || !m_app->MainFrame()) {
        Found(QStringLiteral("the main window did not start"));
        return false;
    }
    m_pModalCloser = new QTimer(m_app->MainFrame());
    QObject::connect(m_pModalCloser, &QTimer::timeout, [this] { CloseModals(); });
    m_pModalCloser->start(15);

    m_strLastSaved = profilePath;
    if (m_strLastSaved.isEmpty()) {
        // The maximal profile: a full radio's 150 contacts and 25 messages.
        m_strLastSaved = QDir(m_strFolder).filePath(QStringLiteral("maximal.jub"));
        CKVXZOTDoc doc;
        if (!doc.SetVirtualCPData(CRadioSimulator::FullContent()) || !doc.OnSaveDocument(m_strLastSaved)) {
            Found(QStringLiteral("the maximal profile could not be made"));
            return false;
        }
    }
    m_app->MainFrame()->showMaximized();
    if (!Frame().OpenDocumentFile(m_strLastSaved)) {
        Found(QStringLiteral("the profile did not open: ") + m_strLastSaved);
        return false;
    }
    Settle();
    return true;
}

CMainFrame& CRandomSession::Frame() const
{
    return *m_app->MainFrame();
}

CChildFrame* CRandomSession::Child()
{
    CChildFrame* child = Frame().ActiveChild();
    if (!child && !Frame().Children().isEmpty())
        child = Frame().Children().first();
    if (!child) {
        Log(QStringLiteral("reopen ") + QFileInfo(m_strLastSaved).fileName());
        child = Frame().OpenDocumentFile(m_strLastSaved);
        Settle();
    }
    if (child)
        Watch(child);
    return child;
}

void CRandomSession::Watch(CChildFrame* child)
{
    if (m_watched.contains(child))
        return;
    m_watched.insert(child);
    QObject::connect(child, &QObject::destroyed, [this, child] { m_watched.remove(child); });
    QObject::connect(child, &CChildFrame::saved, [this, child] {
        ++m_nSaves;
        CKVXZOTDoc& doc = child->Document();
        m_strLastSaved = doc.GetPathName();
        Log(QStringLiteral("saved ") + QFileInfo(m_strLastSaved).fileName());
        Validate(m_strLastSaved, Contents(doc));
    });
}

void CRandomSession::Log(const QString& action)
{
    m_log.push_back(action);
    if (m_log.size() > kLogLength)
        m_log.pop_front();
}

void CRandomSession::Found(const QString& finding)
{
    m_findings << finding;
}

void CRandomSession::Settle()
{
    for (int i = 0; i < 6; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void CRandomSession::CloseModals()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        Log(QStringLiteral("close popup"));
        popup->close();
    }
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        Log(QStringLiteral("cancel dialog ") + QString::fromLatin1(dialog->metaObject()->className()));
        dialog->reject();
    }
}

bool CRandomSession::Step()
{
    CChildFrame* child = Child();
    if (!child) {
        Found(QStringLiteral("no profile window could be opened again from ") + m_strLastSaved);
        return false;
    }
    const int roll = int(m_random.bounded(100));
    if (roll < 28)
        TreeMove();
    else if (roll < 56)
        FieldEdit();
    else if (roll < 64)
        Command(EditAdd, "add");
    else if (roll < 66)
        Command(EditScanAdd, "scan add");
    else if (roll < 72)
        Command(EditDelete, "delete");
    else if (roll < 78)
        Rename();
    else if (roll < 85)
        Command(EditUndo, "undo");
    else if (roll < 90)
        Command(EditRedo, "redo");
    else if (roll < 95)
        Command(FileSave, "save");
    else if (roll < 97)
        Command(FileSaveAs, "save as");
    else
        CloseAndReopen();
    Settle();

    // Messages that say the program, not the user, went wrong.
    static const QStringList faults = {LoadStr(101), LoadStr(102), LoadStr(103), LoadStr(105), LoadStr(106),
                                       LoadStr(107), LoadStr(299), LoadStr(10113), QStringLiteral("IActiveScriptSite")};
    for (const QStringList& shown = m_messages.Shown(); m_nMessagesSeen < shown.size(); ++m_nMessagesSeen) {
        const QString& text = shown[m_nMessagesSeen];
        for (const QString& fault : faults)
            if (text.startsWith(fault))
                Found(QStringLiteral("message: ") + Describe(text.left(400)));
    }

    // The tree shows what the profile holds.
    if (CChildFrame* now = Frame().ActiveChild(); now && !now->Tree()->IsEditingLabel()) {
        CKVXZOTTreeView* tree = now->Tree();
        CDataItem contacts;
        now->Document().GetRootItem().GetChildByName(QStringLiteral("Contacts"), contacts);
        const std::pair<NodeKind, const char*> folders[] = {
            {NodeKind::Privates, "Privates"}, {NodeKind::PrivateGroups, "PrivateGroups"}, {NodeKind::PublicGroups, "PublicGroups"}};
        for (const auto& [kind, name] : folders) {
            CDataItem folder;
            contacts.GetChildByName(QString::fromLatin1(name), folder);
            const QTreeWidgetItem* item = tree->FindItem(kind);
            if (item && !folder.IsEmpty() && item->childCount() != folder.GetChildCount())
                Found(QStringLiteral("the tree shows %1 %2, the profile holds %3")
                          .arg(item->childCount()).arg(QString::fromLatin1(name)).arg(folder.GetChildCount()));
        }
    }
    return m_findings.isEmpty();
}

void CRandomSession::Command(int commandId, const char* name)
{
    QAction* action = Frame().Action(commandId);
    if (!action || !action->isEnabled())
        return;
    Log(QString::fromLatin1(name));
    action->trigger();
}

void CRandomSession::TreeMove()
{
    CKVXZOTTreeView* tree = Child()->Tree();
    if (m_random.bounded(4) == 0) {
        // A click on any item that can be seen.
        QList<QTreeWidgetItem*> items;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            const QTreeWidgetItem* parent = (*it)->parent();
            if (!parent || parent->isExpanded())
                items << *it;
        }
        if (items.isEmpty())
            return;
        QTreeWidgetItem* item = items[m_random.bounded(int(items.size()))];
        Log(QStringLiteral("click ") + Describe(item->text(0)));
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        return;
    }
    static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,     Qt::Key_Up,    Qt::Key_Right, Qt::Key_Left,
                                   Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End, Qt::Key_Asterisk};
    const Qt::Key key = keys[m_random.bounded(int(std::size(keys)))];
    Log(QStringLiteral("tree key ") + QKeySequence(key).toString());
    tree->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tree, key);
}

void CRandomSession::EnterText(QWidget* field, bool paste)
{
    const QString text = HostileText(m_random);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (paste) {
        Log(QStringLiteral("paste ") + Describe(text));
        QApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    } else {
        Log(QStringLiteral("type ") + Describe(text.left(40)));
        TypeText(field, text);
    }
}

void CRandomSession::FieldEdit()
{
    CChildFrame* child = Child();
    CBaseView* view = child->FormPane()->ActiveView();
    if (!view) {
        TreeMove();
        return;
    }
    QList<QWidget*> inputs;
    for (QWidget* w : view->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus || qobject_cast<QScrollBar*>(w))
            continue;
        // Parts of a composite input are reached through the input.
        QWidget* parent = w->parentWidget();
        if (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent))
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)
            || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractItemView*>(w)
            || qobject_cast<QAbstractSpinBox*>(w))
            inputs << w;
    }
    if (inputs.isEmpty()) {
        TreeMove();
        return;
    }
    QWidget* input = inputs[m_random.bounded(int(inputs.size()))];
    const QString name = input->accessibleName().isEmpty() ? input->objectName() : input->accessibleName();
    Log(QStringLiteral("field %1 (%2)").arg(name, QString::fromLatin1(input->metaObject()->className())));

    if (auto* combo = qobject_cast<QComboBox*>(input)) {
        combo->setFocus(Qt::TabFocusReason);
        if (combo->isEditable() && m_random.bounded(2) == 0) {
            EnterText(combo->lineEdit(), m_random.bounded(2) == 0);
        } else {
            static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
            for (int n = 1 + m_random.bounded(3); n > 0; --n)
                QTest::keyClick(combo, keys[m_random.bounded(int(std::size(keys)))]);
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(input)) {
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
    } else if (auto* list = qobject_cast<QAbstractItemView*>(input)) {
        list->setFocus(Qt::TabFocusReason);
        const int rows = list->model() ? list->model()->rowCount() : 0;
        if (rows > 0 && m_random.bounded(2) == 0) {
            const QModelIndex index = list->model()->index(m_random.bounded(rows), 0);
            list->scrollTo(index);
            Log(QStringLiteral("double click row %1").arg(index.row()));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        } else {
            static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Space, Qt::Key_Return, Qt::Key_End};
            QTest::keyClick(list, keys[m_random.bounded(int(std::size(keys)))]);
        }
    } else {
        EnterText(input, m_random.bounded(3) == 0);
    }
    Settle();

    // Leave the field as a user does, or stay in it.
    switch (m_random.bounded(4)) {
    case 0:
        if (QWidget* focus = QApplication::focusWidget())
            QTest::keyClick(focus, Qt::Key_Tab);
        break;
    case 1:
        if (QWidget* focus = QApplication::focusWidget())
            QTest::keyClick(focus, Qt::Key_Return);
        break;
    case 2:
        child->Tree()->setFocus(Qt::MouseFocusReason);
        break;
    default:
        break;
    }
}

void CRandomSession::Rename()
{
    QAction* rename = Frame().Action(EditRename);
    if (!rename || !rename->isEnabled())
        return;
    CKVXZOTTreeView* tree = Child()->Tree();
    Log(QStringLiteral("F2"));
    tree->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tree, Qt::Key_F2);
    Settle();
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : tree->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    if (!editor)
        return;
    EnterText(editor, m_random.bounded(3) == 0);
    if (m_random.bounded(5) == 0) {
        Log(QStringLiteral("Escape"));
        QTest::keyClick(editor, Qt::Key_Escape);
    } else {
        QTest::keyClick(editor, Qt::Key_Return);
    }
}

void CRandomSession::CloseAndReopen()
{
    Command(FileClose, "close");
    Settle();
    if (Frame().Children().isEmpty() || (Frame().Children().size() < 2 && m_random.bounded(4) == 0)) {
        Log(QStringLiteral("open ") + QFileInfo(m_strLastSaved).fileName());
        if (!Frame().OpenDocumentFile(m_strLastSaved))
            Found(QStringLiteral("the last saved profile did not open: ") + m_strLastSaved);
    }
}

QStringList CRandomSession::Contents(CKVXZOTDoc& doc)
{
    QStringList contents;
    CDataItem& root = doc.GetRootItem();
    CDataItem contacts;
    root.GetChildByName(QStringLiteral("Contacts"), contacts);
    for (const char* name : {"Privates", "PrivateGroups", "PublicGroups"}) {
        CDataItem folder;
        contacts.GetChildByName(QString::fromLatin1(name), folder);
        for (int i = 0; i < folder.GetChildCount(); ++i) {
            CDataItem entry;
            folder.GetChildByIndex(i, entry);
            contents << QStringLiteral("%1 %2 %3").arg(QString::fromLatin1(name), entry.GetAttributeValue(QStringLiteral("pid")).toString(),
                                                       entry.GetAttributeValue(QStringLiteral("name")).toString());
        }
    }
    CDataItem messages;
    root.GetChildByName(QStringLiteral("TextMessages"), messages);
    for (int i = 0; i < messages.GetChildCount(); ++i) {
        CDataItem message;
        messages.GetChildByIndex(i, message);
        contents << QStringLiteral("TextMessage ") + message.GetAttributeValue(QStringLiteral("txt")).toString();
    }
    contents.sort();
    return contents;
}

void CRandomSession::Validate(const QString& path, const QStringList& expected)
{
    QStringList shown;
    CKVXZOTDoc doc;
    doc.SetMessageSink([&shown](const QString& text, unsigned) {
        shown << text;
        return int(kvx::kIdNo);
    });
    doc.SetScriptErrorSink([&shown](const QString& text) { shown << text; });
    if (!doc.OnOpenDocument(path) || !shown.isEmpty()) {
        Found(QStringLiteral("the saved profile %1 does not open again: %2").arg(path, shown.join(QStringLiteral(" | "))));
        return;
    }
    VirtualCP image;
    if (!doc.GetVirtualCPData(image) || !shown.isEmpty()) {
        Found(QStringLiteral("the saved profile %1 does not convert for the radio: %2").arg(path, shown.join(QStringLiteral(" | "))));
        return;
    }
    const QStringList reopened = Contents(doc);
    if (reopened != expected) {
        QStringList lost, gained;
        for (const QString& line : expected)
            if (!reopened.contains(line))
                lost << Describe(line);
        for (const QString& line : reopened)
            if (!expected.contains(line))
                gained << Describe(line);
        Found(QStringLiteral("the saved profile %1 holds other entries than its window: lost %2; found %3")
                  .arg(path, lost.join(QStringLiteral(", ")), gained.join(QStringLiteral(", "))));
    }
}
