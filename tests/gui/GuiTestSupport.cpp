#include "GuiTestSupport.h"

#include "ChildFrame.h"
#include "CommandIds.h"
#include "FileDialogs.h"
#include "KVXZOTDoc.h"
#include "MachineDefaults.h"
#include "MainFrame.h"
#include "MessageBoxAdapter.h"
#include "NewProfileDialog.h"
#include "SerialPortList.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QPointer>
#include <QTimer>

void GuiTest::SetUp()
{
    m_settings = std::make_unique<ScopedTestSettings>();
    ASSERT_TRUE(kvx::registry::WriteMachineDefaults(Store(), QStringLiteral(KVX_INSTALLATION_DIR)));
    kvx::serial::SetPortEnumerator([this] { return std::optional<QStringList>(ports); });
    CMessageBoxAdapter::SetScript(&messages);
    FileDialogs::SetOverride([this](bool, const QString& proposed) {
        fileProposals << proposed;
        return m_fileAnswers.isEmpty() ? QString() : m_fileAnswers.takeFirst();
    });
}

void GuiTest::Stop()
{
    if (m_app && m_app->MainFrame()) {
        for (CChildFrame* child : m_app->MainFrame()->Children())
            child->Document().SetModifiedFlag(false);
    }
    m_app.reset();
    QApplication::processEvents();
}

void GuiTest::TearDown()
{
    ExpectNoWaitingDialogActions();
    Stop();
    EXPECT_TRUE(messages.Unexpected().isEmpty()) << "unexpected messages: " << messages.Unexpected().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(messages.Pending().isEmpty()) << "messages never shown: " << messages.Pending().join(QStringLiteral(" | ")).toStdString();
    FileDialogs::SetOverride({});
    CMessageBoxAdapter::SetScript(nullptr);
    kvx::serial::SetPortEnumerator({});
    kvx::serial::SetPortDescriber({});
    m_settings.reset();
}

CMainFrame* GuiTest::Start(const QStringList& arguments)
{
    m_app = std::make_unique<CKVXZOTGuiApp>([] { return true; },
                                            CKVXZOTGuiApp::ParseCommandLine(QStringList{QStringLiteral("--no-splash")} + arguments));
    if (!m_app->InitInstance())
        return nullptr;
    return m_app->MainFrame();
}

CChildFrame* GuiTest::NewFromTemplate(const QString& name)
{
    WhenModal<CNewProfileDialog>([name](CNewProfileDialog* dialog) {
        auto* list = Child<QListWidget>(dialog, "templates");
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        list->setCurrentItem(items.first());
        Child<QPushButton>(dialog, "ok")->click();
    });
    const int before = Frame().Children().size();
    Run(CommandId::FileNew);
    return Frame().Children().size() > before ? Frame().ActiveChild() : nullptr;
}

void GuiTest::Run(int commandId)
{
    QAction* action = Frame().Action(commandId);
    ASSERT_NE(action, nullptr) << commandId;
    ASSERT_TRUE(action->isEnabled()) << commandId;
    action->trigger();
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

void GuiTest::AnswerFileDialogs(const QStringList& paths)
{
    m_fileAnswers = paths;
}

namespace {

// Actions waiting for their dialog, served in order by one timer: each acts
// on a dialog the one before it has not handled.
struct Waiting {
    QList<std::function<bool(QWidget*)>> actions;
    QPointer<QWidget> lastHandled;
    QTimer* timer = nullptr;
    bool busy = false;   // an action may wait in an event loop of its own
};

Waiting& Queue()
{
    static Waiting waiting;
    return waiting;
}

void ServeQueue()
{
    Waiting& queue = Queue();
    QWidget* modal = QApplication::activeModalWidget();
    if (queue.busy || queue.actions.isEmpty() || !modal || modal == queue.lastHandled)
        return;
    const auto action = queue.actions.first();
    queue.busy = true;
    const bool handled = action(modal);
    queue.busy = false;
    if (handled) {
        queue.lastHandled = modal;
        queue.actions.removeFirst();
    }
}

}  // namespace

void WhenModalWidget(std::function<bool(QWidget*)> action)
{
    Waiting& queue = Queue();
    if (!queue.timer) {
        queue.timer = new QTimer;
        QObject::connect(queue.timer, &QTimer::timeout, &ServeQueue);
        queue.timer->start(5);
    }
    queue.actions << std::move(action);
}

void ExpectNoWaitingDialogActions()
{
    Waiting& queue = Queue();
    if (!queue.actions.isEmpty())
        ADD_FAILURE() << queue.actions.size() << " dialog(s) the test waited for never opened";
    queue.actions.clear();
    queue.lastHandled = nullptr;
}
