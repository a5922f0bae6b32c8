// Device-command jobs against the simulated radio, driven as a dialog
// drives them: through their signals on this thread's event loop.

#include "DeviceJob.h"
#include "Messages.h"
#include "StringTable.h"
#include "RadioResult.h"
#include "RadioTestSupport.h"

#include <QEventLoop>
#include <QTimer>
#include <tuple>

namespace {

class DeviceJobTest : public SimulatedRadioTest {
protected:
    void SetUp() override
    {
        EnsureCoreApplication();
        SimulatedRadioTest::SetUp();
    }

    std::unique_ptr<CDeviceJob> Job(CDeviceJob::Command command, int group = 3)
    {
        auto job = std::make_unique<CDeviceJob>(command, QStringLiteral("sim"), [group](const QString&) { return group; });
        QObject::connect(job.get(), &CDeviceJob::identified, [this] { events << QStringLiteral("identified"); });
        QObject::connect(job.get(), &CDeviceJob::passwordRequested, [this] { events << QStringLiteral("password?"); });
        QObject::connect(job.get(), &CDeviceJob::passwordRejected, [this] { events << QStringLiteral("wrong"); });
        QObject::connect(job.get(), &CDeviceJob::transferStarted, [this] { events << QStringLiteral("transfer"); });
        QObject::connect(job.get(), &CDeviceJob::progress, [this](int p) { events << QString::number(p); });
        QObject::connect(job.get(), &CDeviceJob::question,
                         [this](int code, const QString&, unsigned) { events << QStringLiteral("question %1").arg(code); });
        QObject::connect(job.get(), &CDeviceJob::finished, [this](int r) { events << QStringLiteral("finished %1").arg(r); });
        return job;
    }

    // Starts the job and runs this thread's event loop until it finishes.
    int Run(CDeviceJob& job)
    {
        QEventLoop loop;
        QObject::connect(&job, &CDeviceJob::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, [&loop] {
            ADD_FAILURE() << "the job did not finish";
            loop.quit();
        });
        job.start();
        loop.exec();
        return job.Result();
    }

    // A write source whose own private is not the radio's: question -1.
    static VirtualCP ForeignImage()
    {
        VirtualCP image = CRadioSimulator::DefaultContent();
        image.contacts[0].pid = QStringLiteral("10000999");
        return image;
    }

    bool RadioGotAWrite() const
    {
        const std::vector<quint8> commands = radio.ReceivedCommands();
        return std::find(commands.begin(), commands.end(), quint8(0x30)) != commands.end()
               || std::find(commands.begin(), commands.end(), quint8(0x31)) != commands.end();
    }

    QStringList events;
};

TEST_F(DeviceJobTest, ReadIdentifiesChecksThePasswordThenReadsWithProgress)
{
    VirtualCP content = CRadioSimulator::FullContent();
    content.settings.password = QStringLiteral("0815");
    radio.SetContent(content);
    auto job = Job(CDeviceJob::Command::Read);
    QObject::connect(job.get(), &CDeviceJob::identified, job.get(), [&] {
        EXPECT_EQ(job->Identity().versionText, QStringLiteral("R5E.08.00"));
        EXPECT_TRUE(job->Identity().hasPassword);
        job->proceed();
    });
    QStringList typed = {QStringLiteral("0000"), QStringLiteral("0815")};
    QObject::connect(job.get(), &CDeviceJob::passwordRequested, job.get(), [&] { job->givePassword(typed.takeFirst()); });

    ASSERT_EQ(Run(*job), kResultOk);
    EXPECT_EQ(events, (QStringList{"identified", "password?", "wrong", "password?", "transfer", "20", "40", "60", "80",
                                   "finished 1"}));
    EXPECT_EQ(job->ReadImage().radioInfo.pid, content.radioInfo.pid);
    EXPECT_EQ(job->ReadImage().contacts[149].name, content.contacts[149].name);
    // Identification (handshake and a second version read), then the password read's handshake and settings.
    const std::vector<quint8> commands = radio.ReceivedCommands();
    ASSERT_GE(commands.size(), 6u);
    EXPECT_EQ(std::vector<quint8>(commands.begin(), commands.begin() + 6), (std::vector<quint8>{0x25, 0x26, 0x25, 0x25, 0x26, 0x28}));
}

TEST_F(DeviceJobTest, IdentifyOfAnOlderGroupReadsNoPassword)
{
    auto job = Job(CDeviceJob::Command::Identify, 2);
    ASSERT_EQ(Run(*job), kResultOk);
    EXPECT_EQ(events, QStringList{"finished 1"});
    EXPECT_EQ(job->Identity().modelGroup, 2);
    EXPECT_EQ(radio.ReceivedCommands(), (std::vector<quint8>{0x25, 0x26, 0x25}));
}

TEST_F(DeviceJobTest, WriteQuestionAnsweredAtOnceOrLaterGoesOn)
{
    for (const int delayMs : {0, 100}) {
        SCOPED_TRACE(delayMs);
        events.clear();
        auto job = Job(CDeviceJob::Command::Write, 2);
        QObject::connect(job.get(), &CDeviceJob::identified, job.get(), [&] {
            EXPECT_EQ(job->Identity().ownId, radio.Content().radioInfo.pid);
            job->proceed(ForeignImage());
        });
        QObject::connect(job.get(), &CDeviceJob::question, job.get(), [&](int code, const QString& text, unsigned style) {
            EXPECT_EQ(code, -1);
            EXPECT_EQ(text, LoadStr(10030));
            EXPECT_EQ(style & 0x0F, unsigned(kvx::kMbYesNo));
            // At once the worker may not wait yet; later it surely does.
            QTimer::singleShot(delayMs, job.get(), [&] { job->answer(true); });
        });
        EXPECT_EQ(Run(*job), kResultOk);
        EXPECT_EQ(events, (QStringList{"identified", "transfer", "20", "question -1", "40", "60", "80", "finished 1"}));
        EXPECT_TRUE(RadioGotAWrite());
    }
}

TEST_F(DeviceJobTest, NoToAQuestionEndsTheWriteWithoutWriting)
{
    auto job = Job(CDeviceJob::Command::Write, 2);
    QObject::connect(job.get(), &CDeviceJob::identified, job.get(), [&] { job->proceed(ForeignImage()); });
    QObject::connect(job.get(), &CDeviceJob::question, job.get(), [&] { job->answer(false); });
    EXPECT_EQ(Run(*job), kResultUserCanceled);
    EXPECT_FALSE(RadioGotAWrite());
    EXPECT_FALSE(radio.WriteIncomplete());
}

TEST_F(DeviceJobTest, AWriteGoesOnOnlyWithItsImage)
{
    auto job = Job(CDeviceJob::Command::Write, 2);
    QObject::connect(job.get(), &CDeviceJob::identified, job.get(), [&] { job->proceed(); });
    EXPECT_EQ(Run(*job), kResultUserCanceled);
    EXPECT_FALSE(RadioGotAWrite());
}

TEST_F(DeviceJobTest, AWriteCutOffAfterItsFirstRecordSaysTheRadioIsIncomplete)
{
    // Refused at the settings (0x29), nothing of the radio changed; at the
    // tenth contact (0x31), the radio holds part of the new profile.
    for (const auto& [opcode, refusedAt, incomplete] : {std::tuple{0x29, 1, false}, std::tuple{0x31, 10, true}}) {
        SCOPED_TRACE(opcode);
        radio.SetReplyFilter([opcode = opcode, refusedAt = refusedAt, n = 0](quint8 op, quint8&, QByteArray& data) mutable {
            if (op == opcode && ++n == refusedAt)
                data = QByteArray("Q") + char(op) + char(0x01);
        });
        auto job = Job(CDeviceJob::Command::Write, 2);
        QObject::connect(job.get(), &CDeviceJob::identified, job.get(), [&] { job->proceed(CRadioSimulator::FullContent()); });
        QObject::connect(job.get(), &CDeviceJob::question, job.get(), [&] { job->answer(true); });
        const int result = Run(*job);
        EXPECT_NE(result, kResultOk);
        EXPECT_EQ(job->RadioLeftIncomplete(), incomplete);
        if (incomplete) {
            EXPECT_EQ(WriteIncompleteText(result), LoadStr(30004) + QLatin1Char('\n') + ResultMainWindowText(result));
            EXPECT_TRUE(LoadStr(30004).contains(QStringLiteral("incomplete profile")));
        }
    }
    radio.SetReplyFilter({});
}

TEST_F(DeviceJobTest, AnAlreadyAcceptedUnsupportedProfileIsNotAskedAgain)
{
    VirtualCP small = radio.Content();
    small.radioInfo.max_num_of_private_grps = 0;
    radio.SetContent(small);
    VirtualCP image = CRadioSimulator::DefaultContent();
    image.contacts[1].name = QStringLiteral("Crew");
    image.contacts[1].pid = QStringLiteral("20000000");
    image.contacts[1].cntct_type = kContactPrivateGroup;
    for (const bool accepted : {false, true}) {
        SCOPED_TRACE(accepted);
        events.clear();
        auto job = Job(CDeviceJob::Command::Write, 2);
        job->setProfileNotSupportedAccepted(accepted);
        QObject::connect(job.get(), &CDeviceJob::identified, job.get(), [&] { job->proceed(image); });
        QObject::connect(job.get(), &CDeviceJob::question, job.get(), [&] { job->answer(true); });
        EXPECT_EQ(Run(*job), kResultOk);
        EXPECT_EQ(events.contains(QStringLiteral("question -2")), !accepted);
    }
}

TEST_F(DeviceJobTest, CancelAtEveryStageEndsWithMinusTwelve)
{
    VirtualCP content = radio.Content();
    content.settings.password = QStringLiteral("0815");
    radio.SetContent(content);
    enum Stage { Start, Identified, Password, Question, Transfer };
    for (const Stage stage : {Start, Identified, Password, Question, Transfer}) {
        SCOPED_TRACE(int(stage));
        auto job = Job(CDeviceJob::Command::Write);
        QObject::connect(job.get(), &CDeviceJob::identified, job.get(), [&] {
            if (stage == Identified)
                job->cancel();
            else
                job->proceed(ForeignImage());
        });
        QObject::connect(job.get(), &CDeviceJob::passwordRequested, job.get(), [&] {
            if (stage == Password)
                job->refusePassword();
            else
                job->givePassword(QStringLiteral("0815"));
        });
        QObject::connect(job.get(), &CDeviceJob::question, job.get(), [&] { job->cancel(); });
        int frames = 0;
        onWrite = [&] {
            if (stage == Transfer && ++frames == 12)
                job->cancel();   // from the worker's side of the line: mid-transfer
        };
        if (stage == Start) {
            job->start();
            job->cancel();
        }
        EXPECT_EQ(Run(*job), kResultUserCanceled) << events.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(radio.WriteIncomplete());
        onWrite = {};
        events.clear();
    }
}

TEST_F(DeviceJobTest, ASecondJobWaitsForTheFirstAndCanBeCancelledMeanwhile)
{
    auto first = Job(CDeviceJob::Command::Read, 2);
    auto second = Job(CDeviceJob::Command::Reset);
    QEventLoop loop;
    QObject::connect(first.get(), &CDeviceJob::identified, &loop, [&] {
        // The first holds the link; the second must neither talk nor cancel it.
        second->start();
        QTimer::singleShot(60, &loop, [&] {
            EXPECT_FALSE(second->IsFinished());
            second->cancel();
        });
    });
    QObject::connect(second.get(), &CDeviceJob::finished, &loop, [&](int result) {
        EXPECT_EQ(result, kResultUserCanceled);
        first->proceed();
    });
    QObject::connect(first.get(), &CDeviceJob::finished, &loop, &QEventLoop::quit);
    first->start();
    loop.exec();
    EXPECT_EQ(first->Result(), kResultOk);
    const std::vector<quint8> commands = radio.ReceivedCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), quint8(0x37)), 0) << "the cancelled reset reached the radio";
}

TEST_F(DeviceJobTest, ASilentRadioLeavesTheCallersEventLoopRunning)
{
    SimulatorOptions options;
    options.silentCommands = 1000;
    radio.SetOptions(options);
    // The simulated line answers at once; a real one takes its time.
    onWrite = [] { std::this_thread::sleep_for(std::chrono::milliseconds(10)); };
    auto job = Job(CDeviceJob::Command::Read);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    EXPECT_EQ(Run(*job), kResultNoConnection);
    EXPECT_GT(ticks, 2) << "the caller's thread was blocked";
    EXPECT_EQ(events, QStringList{"finished -2"});
}

TEST_F(DeviceJobTest, ResetAndPrivateIdReadRunTheirOneTransfer)
{
    auto reset = Job(CDeviceJob::Command::Reset);
    EXPECT_EQ(Run(*reset), kResultOk);
    EXPECT_EQ(radio.ReceivedCommands(), (std::vector<quint8>{0x27, 0x37}));

    SimulatorOptions options;
    options.overAirId = QStringLiteral("4711");
    radio.SetOptions(options);
    events.clear();
    auto pid = Job(CDeviceJob::Command::ReadPrivateId);
    EXPECT_EQ(Run(*pid), kResultOk);
    EXPECT_EQ(pid->PrivateId(), QStringLiteral("4711"));
    EXPECT_EQ(events, (QStringList{"20", "40", "60", "finished 1"}));
}

}  // namespace
