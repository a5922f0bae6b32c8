// The transfers end to end against the in-process simulated radio.

#include "RadioResult.h"
#include "RadioTestSupport.h"
#include "Transfers.h"

#include <QElapsedTimer>
#include <QThread>
#include <atomic>

namespace {

using Message = CTransferMessageQueue::Message;

std::vector<quint8> Commands(const CRadioSimulator& radio)
{
    return radio.ReceivedCommands();
}

int CountOf(const std::vector<quint8>& commands, quint8 opcode)
{
    return int(std::count(commands.begin(), commands.end(), opcode));
}

} // namespace

class TransferTest : public SimulatedRadioTest {};

TEST_F(TransferTest, ReadsAFullRadioExactly)
{
    radio.SetContent(CRadioSimulator::FullContent());
    VirtualCP image;
    ASSERT_TRUE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Progress(40), Progress(60), Progress(80), Done()}));
    VirtualCP expected = radio.Content();
    image.CountEntries();
    EXPECT_EQ(image.contacts, expected.contacts);
    EXPECT_EQ(image.textMessages, expected.textMessages);
    EXPECT_EQ(image.settings, expected.settings);
    EXPECT_EQ(image.version, expected.version);
    EXPECT_EQ(image.radioInfo.pid, expected.radioInfo.pid);
    EXPECT_EQ(image.radioInfo.max_num_of_contacts, expected.radioInfo.max_num_of_contacts);
    // 5 fixed exchanges, then one per contact and per message.
    EXPECT_EQ(Commands(radio).size(), 5u + 150u + 25u);
}

TEST_F(TransferTest, WriteThenReadGivesTheSameContent)
{
    VirtualCP source = CRadioSimulator::FullContent();
    source.settings.password = QStringLiteral("1234");
    source.settings.contrast = 9;
    source.textMessages[24].clear();
    source.contacts[149] = ContactRecord();
    radio.SetContent(CRadioSimulator::DefaultContent());
    ASSERT_TRUE(WriteCodeplugTransfer(source, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Progress(40), Progress(60), Progress(80), Done()}));
    EXPECT_FALSE(radio.WriteIncomplete());

    VirtualCP back;
    ASSERT_TRUE(ReadCodeplugTransfer(back, QStringLiteral("sim")));
    EXPECT_EQ(back.settings.password, QStringLiteral("1234"));
    EXPECT_EQ(back.settings.contrast, 9);
    back.CountEntries();
    source.CountEntries();
    EXPECT_EQ(back.contactCount, source.contactCount);
    EXPECT_EQ(back.textMessageCount, 24);
    // Written kind by kind: private groups, public groups, then privates.
    EXPECT_EQ(back.contacts[0].cntct_type, kContactPrivateGroup);
    EXPECT_EQ(back.contacts[10].cntct_type, kContactPublicGroup);
    EXPECT_EQ(back.contacts[20].cntct_type, kContactPrivate);
    for (int i = 0; i < kMaxContacts; ++i) {
        if (source.contacts[size_t(i)].IsValidContact()) {
            EXPECT_GE(back.FindContact(source.contacts[size_t(i)].pid), 0) << i;
        }
    }
}

TEST_F(TransferTest, CapacityLimitedWriteSendsTheFirstRecordsOfEachKindAndAnnouncesN)
{
    VirtualCP cp = radio.Content();
    cp.radioInfo.max_num_of_private_grps = 2;
    radio.SetContent(cp);
    VirtualCP source = CRadioSimulator::DefaultContent();
    for (int g = 0; g < 3; ++g) {
        ContactRecord& c = source.contacts[size_t(1 + g)];
        c.name = QStringLiteral("G%1").arg(g);
        c.pid = QString::number(20000000 + g);
        c.cntct_type = kContactPrivateGroup;
    }
    std::vector<QByteArray> written;
    radio.SetFrameLog([&](CRadioSimulator::Direction d, const QByteArray& f) {
        if (d == CRadioSimulator::Direction::FromPc && f.size() > 4 && quint8(f[quint8(f[0]) == 0xFF ? 4 : 2]) == 0x31)
            written.push_back(f.mid(quint8(f[0]) == 0xFF ? 5 : 3, 2));
    });
    // The radio cannot hold the third private group: the user is asked.
    std::thread answer([&] {
        auto m = messages->Take(5000);
        while (m && m->kind != TransferMessageKind::Question)
            m = messages->Take(5000);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->param, -2);
        CTransferState::Instance().AnswerQuestion(true);
    });
    ASSERT_TRUE(WriteCodeplugTransfer(source, QStringLiteral("sim")));
    answer.join();
    radio.SetFrameLog({});
    // Two groups and the own private; each announces n = min(150, 4) = 4.
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0], QByteArray::fromHex("0104"));
    EXPECT_EQ(written[1], QByteArray::fromHex("0204"));
    EXPECT_EQ(written[2], QByteArray::fromHex("0304"));
    const VirtualCP stored = radio.Content();
    EXPECT_EQ(stored.contacts[0].pid, QStringLiteral("20000000"));
    EXPECT_EQ(stored.contacts[1].pid, QStringLiteral("20000001"));
    EXPECT_EQ(stored.contacts[2].pid, stored.radioInfo.pid);
}

TEST_F(TransferTest, EmptyTablesAndMessagesBeyondTheCountAreHandledAsTheRadioExpects)
{
    VirtualCP source = CRadioSimulator::DefaultContent();
    source.contacts[0] = ContactRecord();   // no valid contact at all
    source.textMessages[0] = QStringLiteral("first");
    source.textMessages[4] = QStringLiteral("fifth, beyond m = 2");
    std::vector<QByteArray> frames;
    radio.SetFrameLog([&](CRadioSimulator::Direction d, const QByteArray& f) {
        if (d == CRadioSimulator::Direction::FromPc)
            frames.push_back(f);
    });
    std::thread answer([&] {
        // The own ID is missing from the source: question -1.
        for (auto m = messages->Take(5000); m; m = messages->Take(5000))
            if (m->kind == TransferMessageKind::Question) {
                EXPECT_EQ(m->param, -1);
                CTransferState::Instance().AnswerQuestion(true);
                return;
            }
    });
    ASSERT_TRUE(WriteCodeplugTransfer(source, QStringLiteral("sim")));
    answer.join();
    radio.SetFrameLog({});
    std::vector<QByteArray> contacts, texts;
    for (const QByteArray& f : frames) {
        if (quint8(f[2]) == 0x31)
            contacts.push_back(f);
        if (quint8(f[2]) == 0x33 || (quint8(f[0]) == 0xFF && quint8(f[4]) == 0x33))
            texts.push_back(f);
    }
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_EQ(contacts[0], QByteArray::fromHex("F49B310000") + QByteArray(1, char(0xFF - quint8(0xF4 + 0x9B + 0x31))));
    ASSERT_EQ(texts.size(), 1u);   // slot 4 is not looked at
    EXPECT_EQ(radio.Content().textMessages[0], QStringLiteral("first"));
    EXPECT_TRUE(radio.Content().textMessages[4].isEmpty());
}

TEST_F(TransferTest, ReadFollowsTheRadiosNumbering)
{
    VirtualCP cp = CRadioSimulator::FullContent();
    radio.SetContent(cp);
    // The radio skips from record 3 to record 7, then sends number 151.
    radio.SetReplyFilter([](quint8 opcode, quint8&, QByteArray& data) {
        if (opcode != 0x30 || data.size() < 3)
            return;
        if (quint8(data[1]) == 4)
            data = QByteArray("H") + char(7) + char(150) + data.mid(3);
        else if (quint8(data[1]) == 8)
            data = QByteArray("H") + char(151) + char(150) + data.mid(3);
    });
    VirtualCP image;
    ASSERT_TRUE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
    image.CountEntries();
    EXPECT_EQ(image.contactCount, 4);   // 1, 2, 3 and 7
    EXPECT_TRUE(image.contacts[2].IsValidContact());
    EXPECT_FALSE(image.contacts[3].IsValidContact());
    EXPECT_TRUE(image.contacts[6].IsValidContact());
    EXPECT_EQ(image.textMessageCount, 25) << "the read goes on with the messages";
}

TEST_F(TransferTest, RadioWithoutContactsReadsAnEmptyTable)
{
    VirtualCP cp = CRadioSimulator::DefaultContent();
    cp.contacts[0] = ContactRecord();
    cp.textMessages[1] = QStringLiteral("hello");
    radio.SetContent(cp);
    VirtualCP image;
    ASSERT_TRUE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
    image.CountEntries();
    EXPECT_EQ(image.contactCount, 0);
    EXPECT_EQ(image.textMessages[1], QStringLiteral("hello"));
}

TEST_F(TransferTest, FirmwareWithoutRangeListResetsRangesAndDoesNotAsk)
{
    VirtualCP cp = radio.Content();
    cp.version.firmware_version = 5;
    cp.version.firmware_revision = 0;
    cp.version.firmware_release = 94;
    radio.SetContent(cp);
    VirtualCP image;
    ASSERT_TRUE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
    EXPECT_EQ(CountOf(Commands(radio), 0x2A), 0);
    EXPECT_EQ(image.radioInfo.publicGroupRanges[1].start_pid, QStringLiteral("0"));
}

TEST_F(TransferTest, HandshakeRefusesUnsupportedVersionsAndCloneLevels)
{
    VirtualCP cp = radio.Content();
    cp.version.firmware_release = 0x5D;
    radio.SetContent(cp);
    VirtualCP image;
    EXPECT_FALSE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), std::vector<Message>{Failed(kResultUnsupportedVersion)});
    EXPECT_EQ(Commands(radio), std::vector<quint8>{0x25}) << "OpenLink is not sent";

    // A development phase is accepted whatever the other bytes.
    cp.version.firmware_phase = 'D';
    radio.SetContent(cp);
    std::array<quint8, 7> version{};
    EXPECT_TRUE(IdentifyRadio(version, QStringLiteral("sim")));
    EXPECT_EQ(version[0], 'D');
    EXPECT_EQ(VersionText(version), QStringLiteral("D5D.08.00"));
    Messages();

    cp = CRadioSimulator::DefaultContent();
    cp.radioInfo.clone_compatibility_version = 2;
    radio.SetContent(cp);
    radio.ClearReceivedCommands();
    EXPECT_FALSE(ResetRadioTransfer(QStringLiteral("sim")));
    EXPECT_EQ(Messages(), std::vector<Message>{Failed(kResultUnsupportedModel)});
    EXPECT_EQ(Commands(radio), std::vector<quint8>{0x27}) << "no reset command";
    EXPECT_FALSE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Failed(kResultUnsupportedModel)}));
}

TEST_F(TransferTest, ResetSendsExactlyTwoCommands)
{
    EXPECT_TRUE(ResetRadioTransfer(QStringLiteral("sim")));
    EXPECT_EQ(Commands(radio), (std::vector<quint8>{0x27, 0x37}));
    EXPECT_EQ(Messages(), std::vector<Message>{Done()});
}

TEST_F(TransferTest, MissingPortFailsWithMinusOneAndReleasesEverything)
{
    VirtualCP image;
    EXPECT_FALSE(ReadCodeplugTransfer(image, QStringLiteral("nonexistent")));
    EXPECT_EQ(Messages(), std::vector<Message>{Failed(kResultPortError)});
    EXPECT_FALSE(ResetRadioTransfer(QStringLiteral("nonexistent")));
    EXPECT_EQ(Messages(), std::vector<Message>{Failed(kResultPortError)});
    EXPECT_TRUE(Commands(radio).empty());
}

TEST_F(TransferTest, RadioRefusalsReachTheUserAsTheirCodes)
{
    SimulatorOptions options;
    options.busyReplies = 1;
    radio.SetOptions(options);
    QString id;
    EXPECT_FALSE(ReadRadioIdentity(id, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), std::vector<Message>{Failed(kResultBusy)});

    options = {};
    options.oldFirmware = true;
    radio.SetOptions(options);
    std::array<quint8, 7> version{};
    EXPECT_FALSE(IdentifyRadio(version, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), std::vector<Message>{Failed(kResultOldFirmware)});

    options = {};
    options.silentCommands = 3;
    radio.SetOptions(options);
    EXPECT_FALSE(IdentifyRadio(version, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), std::vector<Message>{Failed(kResultNoConnection)});
}

TEST_F(TransferTest, PasswordAndIdentityReads)
{
    VirtualCP cp = radio.Content();
    cp.settings.password = QStringLiteral("4711");
    radio.SetContent(cp);
    VirtualCP image;
    EXPECT_TRUE(ReadRadioPassword(image, QStringLiteral("sim")));
    EXPECT_EQ(image.settings.password, QStringLiteral("4711"));
    QString id;
    EXPECT_TRUE(ReadRadioIdentity(id, QStringLiteral("sim")));
    EXPECT_EQ(id, cp.radioInfo.pid);
    EXPECT_EQ(Messages(), (std::vector<Message>{Done(), Done()}));

    // A settings reply too short to decode is reported as -17.
    radio.SetReplyFilter([](quint8 opcode, quint8&, QByteArray& data) {
        if (opcode == 0x28)
            data.truncate(10);
    });
    EXPECT_FALSE(ReadRadioPassword(image, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), std::vector<Message>{Failed(kResultPasswordUnreadable)});
}

TEST_F(TransferTest, PrivateIdOverTheAir)
{
    SimulatorOptions options;
    options.overAirId = QStringLiteral("12345678");
    options.pollsBeforeId = 2;
    radio.SetOptions(options);
    QString id;
    EXPECT_TRUE(ReadPrivateIdOverAir(id, QStringLiteral("sim")));
    EXPECT_EQ(id, QStringLiteral("12345678"));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Progress(40), Progress(60), Done()}));

    // Nobody sends: four polls, then -9.
    radio.SetOptions({});
    radio.ClearReceivedCommands();
    EXPECT_FALSE(ReadPrivateIdOverAir(id, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Progress(40), Progress(60), Progress(80), Progress(100),
                                                Failed(kResultTimedOut)}));
    EXPECT_EQ(CountOf(Commands(radio), 0x39), 4);

    // A radio that does not start the read is busy, whatever it answered.
    radio.SetReplyFilter([](quint8 opcode, quint8&, QByteArray& data) {
        if (opcode == 0x38)
            data = QByteArray("S") + char(4);
    });
    EXPECT_FALSE(ReadPrivateIdOverAir(id, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Failed(kResultBusy)}));

    // An over-long ID is cut to the text buffer's 64 characters.
    radio.SetReplyFilter({});
    options.overAirId = QString(100, QChar('9'));
    options.pollsBeforeId = 0;
    radio.SetOptions(options);
    EXPECT_TRUE(ReadPrivateIdOverAir(id, QStringLiteral("sim")));
    EXPECT_EQ(id, QString(64, QChar('9')));
}

TEST_F(TransferTest, CancelDuringTheOverTheAirWaitEndsAtOnce)
{
    CTransferState::Instance().SetTimings([] {
        TransferTimings t;
        t.longWaitMs = 0;
        t.privateIdPollMs = 3000;
        return t;
    }());
    QString id;
    QElapsedTimer timer;
    timer.start();
    std::thread canceller([] {
        QThread::msleep(100);
        CTransferState::Instance().RequestCancel();
    });
    EXPECT_FALSE(ReadPrivateIdOverAir(id, QStringLiteral("sim")));
    canceller.join();
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Failed(kResultUserCanceled)}));
    EXPECT_EQ(CountOf(Commands(radio), 0x39), 0);
}

TEST_F(TransferTest, CancelDuringAReadReportsMinusTwelveOnce)
{
    radio.SetContent(CRadioSimulator::FullContent());
    int frames = 0;
    onWrite = [&] {
        if (++frames == 20)
            CTransferState::Instance().RequestCancel();
    };
    VirtualCP image = CRadioSimulator::DefaultContent();
    const VirtualCP before = image;
    EXPECT_FALSE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Progress(40), Progress(60), Failed(kResultUserCanceled)}));
    EXPECT_EQ(image, before) << "a failed read leaves the target alone";
    EXPECT_EQ(frames, 20);
}

TEST_F(TransferTest, DecliningAQuestionEndsTheWriteBeforeAnythingIsWritten)
{
    VirtualCP source = CRadioSimulator::DefaultContent();
    source.contacts[0].pid = QStringLiteral("10000999");   // not the radio's own ID
    // Answer before the worker waits: the answer must not be lost.
    messages = std::make_shared<CTransferMessageQueue>();
    struct AnsweringNotify : ITransferNotify {
        std::shared_ptr<CTransferMessageQueue> queue;
        void PostTransferMessage(TransferMessageKind kind, qint32 param) override
        {
            queue->PostTransferMessage(kind, param);
            if (kind == TransferMessageKind::Question)
                CTransferState::Instance().AnswerQuestion(false);
        }
    };
    auto notify = std::make_shared<AnsweringNotify>();
    notify->queue = messages;
    PrepareTransfer(notify);
    EXPECT_FALSE(WriteCodeplugTransfer(source, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), {TransferMessageKind::Question, -1}, Failed(kResultUserCanceled)}));
    EXPECT_EQ(Commands(radio), (std::vector<quint8>{0x25, 0x26, 0x27}));
    EXPECT_FALSE(radio.WriteIncomplete());
}

TEST_F(TransferTest, AQuestionWithNobodyToAskIsAnsweredNo)
{
    VirtualCP source = CRadioSimulator::DefaultContent();
    source.contacts[0].pid = QStringLiteral("10000999");
    CTransferState::Instance().SetNotifyTarget(nullptr);
    EXPECT_FALSE(WriteCodeplugTransfer(source, QStringLiteral("sim")));
    EXPECT_TRUE(CTransferState::Instance().CancelRequested());
    EXPECT_EQ(Commands(radio), (std::vector<quint8>{0x25, 0x26, 0x27}));
}

TEST_F(TransferTest, AFailedWriteIsReportedOnceAndTheRadioAsksForAReset)
{
    // The radio refuses the tenth contact.
    radio.SetReplyFilter([n = 0](quint8 opcode, quint8&, QByteArray& data) mutable {
        if (opcode == 0x31 && ++n == 10)
            data = QByteArray("Q") + char(0x31) + char(0x01);
    });
    VirtualCP source = CRadioSimulator::FullContent();
    EXPECT_FALSE(WriteCodeplugTransfer(source, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Progress(40), Progress(60), Failed(kResultOperationFailed)}));
    EXPECT_EQ(CountOf(Commands(radio), 0x37), 0) << "no reset is sent behind the user's back";
    EXPECT_EQ(CountOf(Commands(radio), 0x36), 0) << "no EndWrite after a refused record";

    radio.SetReplyFilter({});
    VirtualCP image;
    EXPECT_FALSE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
    EXPECT_EQ(Messages(), (std::vector<Message>{Progress(20), Progress(40), Failed(kResultResetFirst)}));
    EXPECT_TRUE(ResetRadioTransfer(QStringLiteral("sim")));
    EXPECT_TRUE(ReadCodeplugTransfer(image, QStringLiteral("sim")));
}

TEST_F(TransferTest, TransfersAreSerialisedByTheLock)
{
    radio.SetContent(CRadioSimulator::FullContent());
    std::atomic<int> inside{0};
    std::atomic<int> overlap{0};
    onWrite = [&] {
        if (++inside > 1)
            ++overlap;
        QThread::usleep(50);
        --inside;
    };
    auto worker = StartTransferThread(messages, [] {
        VirtualCP image;
        ReadCodeplugTransfer(image, QStringLiteral("sim"));
    });
    VirtualCP image;
    ReadCodeplugTransfer(image, QStringLiteral("sim"));
    worker->wait();
    EXPECT_EQ(overlap, 0);
    EXPECT_EQ(portsCreated, 2);
}
