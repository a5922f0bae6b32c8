// Read, Write and Reset end to end: the main frame, its dialogs and the
// simulated radio served on a pseudo-terminal in this process.

#include "GuiTestSupport.h"

#include "ChildFrame.h"
#include "CommandIds.h"
#include "KVXZOTDoc.h"
#include "MainFrame.h"
#include "PasswordDialog.h"
#include "FormViewPane.h"
#include "KVXZOTTreeView.h"
#include "PtyRadioServer.h"
#include "RadioProtocol.h"
#include "RadioResult.h"
#include "ReadPidDialog.h"
#include "ReadWriteDialog.h"
#include "StringTable.h"
#include "TransferState.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace CommandId;
using kvx::registry::Hive;

namespace {

// What a transfer dialog showed.
struct Seen {
    QString title;
    QString status;
    QString statusWhileRunning;   // the main window's transfer pane
    bool okWhileRunning = true;
    bool cancelWhileRunning = false;
    bool stayedOpenOnEscape = false;
    int result = -1;
};

}  // namespace

class DeviceCommandsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        link = TempPath(QStringLiteral("radio"));
        ports = {link};
        Store().WriteString(Hive::User, kAppKey, QStringLiteral("CurrentComPort"), link);
        TransferTimings timings;
        timings.readPerByteMs = 30;
        timings.longWaitMs = 10;
        timings.privateIdPollMs = 20;
        timings.chainStartDelayMs = 1;
        CTransferState::Instance().SetTimings(timings);
        ASSERT_NE(Start(), nullptr);
    }

    void TearDown() override
    {
        GuiTest::TearDown();
        if (server)
            server->Stop();
        CTransferState::Instance().SetTimings({});
    }

    void Serve(const VirtualCP& content, const SimulatorOptions& simulator = {}, const FaultOptions& faults = {})
    {
        radio = std::make_unique<CRadioSimulator>(content, simulator);
        PtyServerOptions options;
        options.linkPath = link;
        options.faults = faults;
        server = std::make_unique<CPtyRadioServer>(*radio, options);
        QString error;
        ASSERT_TRUE(server->Start(&error)) << error.toStdString();
    }

    // Runs a device command until the main frame is idle again.
    void RunDevice(int commandId)
    {
        Run(commandId);
        EXPECT_TRUE(QTest::qWaitFor([this] { return Frame().IsIdle(); }, 60000)) << "the command never ended";
        QApplication::processEvents();
    }

    // Watches the next read/write dialog until its transfer has ended, then
    // presses OK (after success) or Cancel (after a failure).
    void FinishTransferDialog(Seen& seen)
    {
        WhenModal<CTransferDialog>([this, &seen](CTransferDialog* dialog) {
            auto* ok = Child<QPushButton>(dialog, "ok");
            auto* cancel = Child<QPushButton>(dialog, "cancel");
            seen.okWhileRunning = ok->isEnabled();
            seen.cancelWhileRunning = cancel->isEnabled();
            seen.statusWhileRunning = Frame().StatusText();
            QObject::connect(dialog, &QDialog::finished, [&seen](int result) { seen.result = result; });
            ASSERT_TRUE(QTest::qWaitFor([&] { return ok->isEnabled() || dialog->Failed(); }, 60000));
            seen.title = dialog->windowTitle();
            seen.status = Child<QLabel>(dialog, "status")->text();
            if (ok->isEnabled()) {
                QTest::keyClick(dialog, Qt::Key_Escape);
                seen.stayedOpenOnEscape = dialog->isVisible();
                ok->click();
            } else {
                cancel->click();
            }
        });
    }

    void TypePassword(const QString& text)
    {
        WhenModal<CPasswordDialog>([text](CPasswordDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Dialog"));
            if (text.isNull()) {
                Child<QPushButton>(dialog, "cancel")->click();
                return;
            }
            Child<QLineEdit>(dialog, "password")->setText(text);
            Child<QPushButton>(dialog, "ok")->click();
        });
    }

    // The open profile's content as a codeplug image.
    static VirtualCP Content(CKVXZOTDoc& doc)
    {
        VirtualCP image;
        EXPECT_TRUE(doc.GetVirtualCPData(image));
        return image;
    }

    // Whether the open profile holds a text message (the profile sorts them).
    static bool HasMessage(CKVXZOTDoc& doc, const QString& text)
    {
        const VirtualCP image = Content(doc);
        return std::find(std::begin(image.textMessages), std::end(image.textMessages), text) != std::end(image.textMessages);
    }

    bool RadioReceived(quint8 opcode) const
    {
        const std::vector<quint8> commands = radio->ReceivedCommands();
        return std::find(commands.begin(), commands.end(), opcode) != commands.end();
    }

    QString link;
    std::unique_ptr<CRadioSimulator> radio;
    std::unique_ptr<CPtyRadioServer> server;
};

TEST_F(DeviceCommandsTest, AReadBecomesANewProfileOrOverwritesTheOpenOneOrIsDropped)
{
    Serve(CRadioSimulator::FullContent());
    Seen seen;
    FinishTransferDialog(seen);
    RunDevice(DeviceRead);   // no profile open: a new one, no question
    ASSERT_EQ(Frame().Children().size(), 1);
    EXPECT_EQ(seen.statusWhileRunning, QStringLiteral("Transferring"));
    EXPECT_FALSE(seen.okWhileRunning);
    EXPECT_TRUE(seen.cancelWhileRunning);
    EXPECT_EQ(seen.title, QStringLiteral("Reading successful!"));
    EXPECT_EQ(seen.status, QStringLiteral("Reading successful!"));
    EXPECT_TRUE(seen.stayedOpenOnEscape) << "after success only OK ends the dialog";
    EXPECT_EQ(seen.result, QDialog::Accepted);
    EXPECT_EQ(Frame().StatusText(), QStringLiteral("Idle"));
    CKVXZOTDoc& doc = Frame().ActiveChild()->Document();
    EXPECT_EQ(doc.GetTitle(), doc.GetUnitId());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(HasMessage(doc, radio->Content().textMessages[0]));

    // Cancel leaves the open profile as it is.
    VirtualCP changed = radio->Content();
    changed.textMessages[0] = QStringLiteral("Changed in the radio");
    radio->SetContent(changed);
    messages.Expect(10001, kvx::kIdCancel);
    FinishTransferDialog(seen);
    RunDevice(DeviceRead);
    EXPECT_EQ(Frame().Children().size(), 1);
    EXPECT_FALSE(HasMessage(doc, QStringLiteral("Changed in the radio")));

    // No overwrites it.
    messages.Expect(10001, kvx::kIdNo);
    FinishTransferDialog(seen);
    RunDevice(DeviceRead);
    EXPECT_EQ(Frame().Children().size(), 1);
    EXPECT_TRUE(HasMessage(doc, QStringLiteral("Changed in the radio")));
    EXPECT_TRUE(doc.IsModified());

    // Yes makes a second profile.
    messages.Expect(10001, kvx::kIdYes);
    FinishTransferDialog(seen);
    RunDevice(DeviceRead);
    EXPECT_EQ(Frame().Children().size(), 2);
}

TEST_F(DeviceCommandsTest, WriteSendsTheProfileAndAnOlderRadioAsksFirst)
{
    Serve(CRadioSimulator::DefaultContent());
    Seen seen;
    FinishTransferDialog(seen);
    RunDevice(DeviceRead);
    ASSERT_EQ(Frame().Children().size(), 1);
    CKVXZOTDoc& doc = Frame().ActiveChild()->Document();

    // The same radio takes its profile back without a question.
    VirtualCP cleared = radio->Content();
    cleared.textMessages[0] = QStringLiteral("to be overwritten");
    radio->SetContent(cleared);
    FinishTransferDialog(seen);
    RunDevice(DeviceWrite);
    EXPECT_EQ(seen.title, QStringLiteral("Writing success!"));
    EXPECT_EQ(seen.result, QDialog::Accepted);
    EXPECT_EQ(radio->Content().textMessages[0], Content(doc).textMessages[0]) << "written as the profile holds them";

    // A radio of an older model group: 10031 first; No writes nothing.
    VirtualCP older = radio->Content();
    older.version.firmware_version = 5;   // R5E.05.00
    radio->SetContent(older);
    radio->ClearReceivedCommands();
    messages.Expect(10031, kvx::kIdNo);
    RunDevice(DeviceWrite);
    EXPECT_FALSE(RadioReceived(RadioProtocol::kWriteSettings));
    EXPECT_EQ(Frame().StatusText(), QStringLiteral("Idle"));

    // Yes writes; the transfer's own question about it is answered alike.
    messages.Expect(10031, kvx::kIdYes);
    FinishTransferDialog(seen);
    RunDevice(DeviceWrite);
    EXPECT_EQ(seen.title, QStringLiteral("Writing success!"));
    EXPECT_TRUE(RadioReceived(RadioProtocol::kEndWrite));
}

TEST_F(DeviceCommandsTest, AWriteCutOffPartWaySaysTheRadioHoldsAnIncompleteProfile)
{
    Serve(CRadioSimulator::FullContent());
    Seen seen;
    FinishTransferDialog(seen);
    RunDevice(DeviceRead);
    ASSERT_EQ(Frame().Children().size(), 1);

    // The radio refuses its tenth contact record, after taking the settings
    // and nine contacts: the message says so above the transfer's failure.
    radio->SetReplyFilter([n = 0](quint8 op, quint8&, QByteArray& data) mutable {
        if (op == RadioProtocol::kWriteContact && ++n == 10)
            data = QByteArray("Q") + char(op) + char(0x01);
    });
    messages.ExpectText(WriteIncompleteText(kResultOperationFailed));
    FinishTransferDialog(seen);
    RunDevice(DeviceWrite);
    EXPECT_TRUE(radio->WriteIncomplete());
    radio->SetReplyFilter({});
}

TEST_F(DeviceCommandsTest, ThePasswordIsAskedUntilItIsRightAndCancelStops)
{
    VirtualCP content = CRadioSimulator::DefaultContent();
    content.settings.password = QStringLiteral("1234");
    Serve(content);

    TypePassword(QStringLiteral("0000"));
    messages.Expect(302);
    TypePassword(QStringLiteral("1234"));
    Seen seen;
    FinishTransferDialog(seen);
    RunDevice(DeviceRead);
    EXPECT_EQ(seen.result, QDialog::Accepted);
    EXPECT_EQ(Frame().Children().size(), 1);

    radio->ClearReceivedCommands();
    TypePassword(QString());   // Cancel: no transfer, no message
    RunDevice(DeviceRead);
    EXPECT_FALSE(RadioReceived(RadioProtocol::kReadContact));
    EXPECT_EQ(Frame().Children().size(), 1);
}

TEST_F(DeviceCommandsTest, CancelDuringAReadClosesTheDialogWhenTheTransferStops)
{
    FaultOptions slow;
    slow.delayMs = 40;   // a full radio then takes seconds to read
    Serve(CRadioSimulator::FullContent(), {}, slow);
    QString statusAfterCancel;
    int result = -1;
    WhenModal<CReadWriteDialog>([&](CReadWriteDialog* dialog) {
        QObject::connect(dialog, &QDialog::finished, [&](int r) { result = r; });
        auto* progress = Child<QProgressBar>(dialog, "progress");
        ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() >= 60; }, 30000));
        Child<QPushButton>(dialog, "cancel")->click();
        statusAfterCancel = Child<QLabel>(dialog, "status")->text();
    });
    RunDevice(DeviceRead);
    EXPECT_EQ(statusAfterCancel, QStringLiteral("Note: Canceling the operation..."));
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(Frame().Children().isEmpty()) << "a cancelled read creates no profile";
    EXPECT_EQ(Frame().StatusText(), QStringLiteral("Idle"));
}

TEST_F(DeviceCommandsTest, ASilentRadioEndsTheCommandWithItsMainWindowText)
{
    TransferTimings quick = CTransferState::Instance().Timings();
    quick.readPerByteMs = 2;
    CTransferState::Instance().SetTimings(quick);
    SimulatorOptions silent;
    silent.silentCommands = 1000000;
    Serve(CRadioSimulator::DefaultContent(), silent);
    messages.ExpectText(ResultMainWindowText(kResultNoConnection));
    RunDevice(DeviceRead);
    EXPECT_TRUE(Frame().Children().isEmpty());
}

TEST_F(DeviceCommandsTest, ResetResetsTheRadioWithoutADialog)
{
    Serve(CRadioSimulator::DefaultContent());
    RunDevice(DeviceReset);
    EXPECT_EQ(radio->ReceivedCommands(), (std::vector<quint8>{RadioProtocol::kReadRadioInfo, RadioProtocol::kResetRadio}));
}

TEST_F(DeviceCommandsTest, APrivateViewReadsAnIdOverTheAirAndATimeoutTurnsTheBarRed)
{
    SimulatorOptions overAir;
    overAir.overAirId = QStringLiteral("10004711");
    Serve(CRadioSimulator::DefaultContent(), overAir);
    CChildFrame* child = NewFromTemplate();
    ASSERT_NE(child, nullptr);
    WhenModal<CReadPidDialog>([](CReadPidDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Read Private ID from Radio"));
        EXPECT_EQ(Child<QLabel>(dialog, "hint")->text(), QStringLiteral("Press Home 3 times and then PTT on the other radio."));
        auto* ok = Child<QPushButton>(dialog, "ok");
        ASSERT_TRUE(QTest::qWaitFor([&] { return ok->isEnabled(); }, 30000));
        ok->click();
    });
    EXPECT_EQ(child->FormPane()->readPrivateIdOverAir(nullptr), std::optional<QString>(QStringLiteral("10004711")));

    server->Stop();
    Serve(CRadioSimulator::DefaultContent());   // nobody sends an ID
    QColor bar;
    QString status;
    WhenModal<CReadPidDialog>([&](CReadPidDialog* dialog) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->Failed(); }, 30000));
        bar = Child<QProgressBar>(dialog, "progress")->palette().color(QPalette::Base);
        status = Child<QLabel>(dialog, "status")->text();
        Child<QPushButton>(dialog, "cancel")->click();
    });
    EXPECT_EQ(child->FormPane()->readPrivateIdOverAir(nullptr), std::nullopt);
    EXPECT_EQ(bar, QColor(255, 0, 0));
    EXPECT_EQ(status, QStringLiteral("Error: Operation timed out."));
}
