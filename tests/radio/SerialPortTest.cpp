// The serial port on pseudo-terminals, and the whole link through one: the
// simulated radio served on a pseudo-terminal, read by the real port.

#include "DeviceJob.h"
#include "PtyRadioServer.h"
#include "RadioResult.h"
#include "RadioTestSupport.h"
#include "SerialPort.h"
#include "StringTable.h"
#include "Transfers.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A pseudo-terminal whose master side the test plays.
struct PtyPair {
    PtyPair()
    {
        openpty(&master, &slave, nullptr, nullptr, nullptr);
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        char name[256] = {};
        ttyname_r(slave, name, sizeof name);
        path = QString::fromLocal8Bit(name);
    }
    ~PtyPair()
    {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }
    void CloseMaster()
    {
        ::close(master);
        master = -1;
    }
    int master = -1;
    int slave = -1;
    QString path;
};

constexpr SerialTimings kFast{20, 50};

} // namespace

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureCoreApplication(); }
};

TEST_F(SerialPortTest, AMissingPortStaysClosedAndIsHarmless)
{
    SerialPort port(kFast);
    EXPECT_FALSE(port.Open(QStringLiteral("/nonexistent/kvx-radio-port")));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_NE(port.LastError(), 0u);
    quint8 b[4];
    EXPECT_EQ(port.Read(b, 4, true), 0);
    EXPECT_EQ(port.Write(b, 4), 0);
    port.Close();
    port.Close();
}

TEST_F(SerialPortTest, ReadsWritesAndTimesOutOnAPseudoTerminal)
{
    PtyPair pty;
    SerialPort port(kFast);
    ASSERT_TRUE(port.Open(pty.path)) << port.LastError();
    EXPECT_EQ(port.LastError(), 0u) << "the refused modem lines are not an error";

    const quint8 out[3] = {0xF2, 0x9B, 0x25};
    EXPECT_EQ(port.Write(out, 3), 3);
    quint8 seen[8] = {};
    QThread::msleep(20);
    EXPECT_EQ(::read(pty.master, seen, sizeof seen), 3);
    EXPECT_EQ(seen[2], 0x25);

    // Nothing queued: without waitForAll the read returns at once.
    quint8 in[8] = {};
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(port.Read(in, 4, false), 0);
    EXPECT_LT(timer.elapsed(), 15);

    // With waitForAll it gives up after count x the per-byte time with what came.
    ASSERT_EQ(::write(pty.master, "\x50\x41", 2), 2);
    timer.restart();
    EXPECT_EQ(port.Read(in, 4, true), 2);
    EXPECT_GE(timer.elapsed(), 4 * kFast.readPerByteMs - 5);
    EXPECT_LT(timer.elapsed(), 4 * kFast.readPerByteMs + 60);
    EXPECT_EQ(in[1], 0x41);

    // Purge drops what is waiting.
    ASSERT_EQ(::write(pty.master, "\x01\x02", 2), 2);
    QThread::msleep(10);
    EXPECT_TRUE(port.Purge(ICommPort::kPurgeQueues));
    EXPECT_EQ(port.Read(in, 1, true), 0);
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    port.Close();
}

TEST_F(SerialPortTest, AHangUpOfTheOtherEndEndsReadsAtOnce)
{
    PtyPair pty;
    SerialPort port({200, 50});
    ASSERT_TRUE(port.Open(pty.path));
    ::close(pty.slave);
    pty.slave = -1;
    pty.CloseMaster();
    quint8 in[8];
    QElapsedTimer timer;
    timer.start();
    int total = 0;
    for (int i = 0; i < 20; ++i)
        total += port.Read(in, 8, true);
    EXPECT_EQ(total, 0);
    // Twenty 1.6-second reads would take half a minute: none of them waits.
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_NE(port.LastError(), 0u);
}

// A port that cannot be opened names the reason below the port error; the
// next transfer whose port opens forgets it.
TEST_F(SerialPortTest, APortThatCannotBeOpenedTellsWhyBelowThePortError)
{
    CTransferState& state = CTransferState::Instance();
    state.SetTimings({5, 20, 0, 0, 0});
    const QString portError = LoadStr(10155);

    EXPECT_FALSE(ResetRadioTransfer(QStringLiteral("/nonexistent/kvx-radio")));
    QStringList lines = ResultMainWindowText(kResultPortError).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], portError);
    EXPECT_TRUE(lines[1].contains(QStringLiteral("/nonexistent/kvx-radio does not exist"))) << lines[1].toStdString();
    EXPECT_EQ(ResultDialogText(kResultPortError).section(QLatin1Char('\n'), 1), lines[1]);

    // A file or a folder in place of the port is no serial port.
    QTemporaryFile regular;
    ASSERT_TRUE(regular.open());
    for (const QString& notAPort : {regular.fileName(), QStringLiteral("/tmp")}) {
        EXPECT_FALSE(ResetRadioTransfer(notAPort));
        EXPECT_EQ(ResultMainWindowText(kResultPortError), portError + QLatin1Char('\n') + notAPort + QStringLiteral(" is not a serial port. Choose the port of the programming cable."));
    }

    EXPECT_FALSE(ResetRadioTransfer(QString()));
    EXPECT_TRUE(ResultMainWindowText(kResultPortError).endsWith(QStringLiteral("No serial port was found. Connect the programming cable and choose its port.")));

    PtyPair pty;
    EXPECT_FALSE(ResetRadioTransfer(pty.path)) << "nobody answers";
    EXPECT_EQ(ResultMainWindowText(kResultPortError), portError);
    state.SetTimings({});
}

TEST_F(SerialPortTest, GarbledRepliesOnAnOpenPortSayWhyBelowThePortError)
{
    CTransferState& state = CTransferState::Instance();
    state.SetTimings({5, 20, 0, 0, 0});
    // A well-formed reply whose checksum is off by one, for each of the three attempts.
    const QByteArray garbled("\x50\xF3\x41\x50\xAA\x30", 6);
    state.SetPortFactory([&](const QString&, const TransferTimings&) -> std::unique_ptr<ICommPort> {
        auto port = std::make_unique<ScriptedPort>();
        port->incoming = garbled.repeated(3);
        return port;
    });
    EXPECT_FALSE(ResetRadioTransfer(QStringLiteral("cable")));
    EXPECT_EQ(ResultMainWindowText(kResultPortError), LoadStr(10155) + QLatin1Char('\n') + LoadStr(30107));
    state.SetPortFactory({});
    state.SetTimings({});
}

namespace {

// Opens the port as a user without rights to it and prints the reason on
// stderr (run in a death-test child: root gives up its rights there).
[[noreturn]] void OpenWithoutRights(const QString& path)
{
    if (::geteuid() == 0) {
        const gid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(3);
    }
    SerialPort port(kFast);
    const bool opened = port.Open(path);
    std::fprintf(stderr, "%s\n", port.OpenProblem().toUtf8().constData());
    ::_exit(opened ? 4 : 0);
}

} // namespace

TEST_F(SerialPortTest, APortWithoutPermissionNamesTheGroupThatGrantsIt)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const QString granted = dir.filePath(QStringLiteral("ttyGROUP"));
    const QString closed = dir.filePath(QStringLiteral("ttyCLOSED"));
    for (const QString& path : {granted, closed}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // Root hands the device to a group as udev does; anyone else keeps the
    // group but shuts the owner out.
    const QByteArray grantedPath = QFile::encodeName(granted);
    const QByteArray closedPath = QFile::encodeName(closed);
    if (::geteuid() == 0) {
        const group* dialout = ::getgrnam("dialout");
        ASSERT_EQ(::chown(grantedPath.constData(), 0, dialout ? dialout->gr_gid : 20), 0);
        ASSERT_EQ(::chmod(grantedPath.constData(), 0660), 0);
        ASSERT_EQ(::chmod(closedPath.constData(), 0600), 0);
    } else {
        ASSERT_EQ(::chmod(grantedPath.constData(), 0060), 0);
        ASSERT_EQ(::chmod(closedPath.constData(), 0000), 0);
    }
    struct stat status {};
    ASSERT_EQ(::stat(grantedPath.constData(), &status), 0);
    const group* owner = ::getgrgid(status.st_gid);
    ASSERT_NE(owner, nullptr);
    const std::string name = owner->gr_name;

    EXPECT_EXIT(OpenWithoutRights(granted), ::testing::ExitedWithCode(0),
                "no permission to use the serial port .*ttyGROUP\\. .*group \"" + name + "\".*sudo adduser \\$USER " + name
                    + "\\), then log out and log in again");
    EXPECT_EXIT(OpenWithoutRights(closed), ::testing::ExitedWithCode(0),
                "no permission to use the serial port .*ttyCLOSED\\. Ask the administrator");
}

TEST(PtyEndToEndTest, ReadsAndWritesTheSimulatedRadioOverAPseudoTerminal)
{
    EnsureCoreApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CRadioSimulator radio(CRadioSimulator::FullContent());
    PtyServerOptions options;
    options.linkPath = dir.filePath(QStringLiteral("radio"));
    options.logPath = dir.filePath(QStringLiteral("frames.log"));
    CPtyRadioServer server(radio, options);
    QString error;
    ASSERT_TRUE(server.Start(&error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(options.linkPath).isSymLink());

    CTransferState& state = CTransferState::Instance();
    TransferTimings timings;
    timings.readPerByteMs = 30;
    timings.longWaitMs = 10;
    state.SetTimings(timings);
    auto queue = std::make_shared<CTransferMessageQueue>();

    VirtualCP image;
    bool ok = false;
    auto worker = StartTransferThread(queue, [&] { ok = ReadCodeplugTransfer(image, options.linkPath); });
    worker->wait();
    EXPECT_TRUE(ok);
    image.CountEntries();
    EXPECT_EQ(image.contacts, radio.Content().contacts);
    EXPECT_EQ(image.textMessages, radio.Content().textMessages);

    image.textMessages[3] = QStringLiteral("changed over the line");
    worker = StartTransferThread(queue, [&] { ok = WriteCodeplugTransfer(image, options.linkPath); });
    worker->wait();
    EXPECT_TRUE(ok);
    EXPECT_EQ(radio.Content().textMessages[3], QStringLiteral("changed over the line"));
    EXPECT_TRUE(state.TransferLock().try_lock());
    state.TransferLock().unlock();
    state.SetTimings({});
    state.SetNotifyTarget(nullptr);
    server.Stop();
    EXPECT_FALSE(QFileInfo::exists(options.linkPath));

    QFile log(options.logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray first = log.readLine();
    EXPECT_EQ(first, QByteArray("PC>    F2 9B 25 4D\n"));
}

namespace {
QStringList g_qtWarnings;
void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_qtWarnings << text;
}
} // namespace

TEST(PtyEndToEndTest, ADeviceJobUsesTheRealPortWithoutQtWarnings)
{
    // The serial port needs a Qt thread: on any other it warns about its
    // socket notifier at every open.
    EnsureCoreApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CRadioSimulator radio(CRadioSimulator::FullContent());
    PtyServerOptions options;
    options.linkPath = dir.filePath(QStringLiteral("radio"));
    CPtyRadioServer server(radio, options);
    ASSERT_TRUE(server.Start());
    TransferTimings timings;
    timings.longWaitMs = 10;
    timings.chainStartDelayMs = 1;
    CTransferState::Instance().SetTimings(timings);

    g_qtWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
    int result = 0;
    {
        CDeviceJob job(CDeviceJob::Command::Identify, options.linkPath, [](const QString&) { return 1; });
        QEventLoop loop;
        QObject::connect(&job, &CDeviceJob::finished, &loop, [&](int r) {
            result = r;
            loop.quit();
        });
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        job.start();
        loop.exec();
    }
    qInstallMessageHandler(previous);
    CTransferState::Instance().SetTimings({});
    EXPECT_EQ(result, kResultOk);
    EXPECT_TRUE(g_qtWarnings.isEmpty()) << g_qtWarnings.join(QLatin1Char('\n')).toStdString();
}

TEST(PtyEndToEndTest, RefusesToReplaceAFileWithItsLink)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("taken")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CRadioSimulator radio;
    PtyServerOptions options;
    options.linkPath = file.fileName();
    CPtyRadioServer server(radio, options);
    EXPECT_FALSE(server.Start());
    EXPECT_TRUE(QFileInfo(file.fileName()).isFile());
}
