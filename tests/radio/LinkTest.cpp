// Frames, the reply parser, the exchange with retries and the mapping of
// replies to result codes.

#include "RadioProtocol.h"
#include "RadioResult.h"
#include "RadioTestSupport.h"

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray Build(quint8 opcode, const QByteArray& payload)
{
    quint8 out[RadioLink::kMaxFrame] = {};
    const int n = RadioLink::BuildFrame(0x9B, opcode, reinterpret_cast<const quint8*>(payload.constData()),
                                        int(payload.size()), out);
    return QByteArray(reinterpret_cast<const char*>(out), n);
}

// A reply as the radio sends it: 0x50, then the frame with its checksum.
QByteArray Reply(const QByteArray& frameWithoutChecksum)
{
    quint8 sum = 0;
    for (char c : frameWithoutChecksum)
        sum = quint8(sum + quint8(c));
    return QByteArray(1, 0x50) + frameWithoutChecksum + QByteArray(1, char(0xFF - sum));
}

struct Parsed {
    int result;
    quint8 ack;
    quint32 value;
    QByteArray data;
};

Parsed Parse(const QByteArray& bytes)
{
    ScriptedPort port;
    port.incoming = bytes;
    RadioLink link(&port);
    Parsed p{0, 0, 0xFFFFFFFF, {}};
    quint8 data[RadioLink::kReplyCapacity] = {};
    p.result = link.ReceiveReply(p.value, p.ack, data);
    if (p.result > 0)
        p.data = QByteArray(reinterpret_cast<const char*>(data), p.result);
    return p;
}

} // namespace

TEST(RadioLinkTest, BuildsTheWorkedExampleFrames)
{
    EXPECT_EQ(Build(0x25, {}), Hex("F29B254D"));
    EXPECT_EQ(Build(0x26, {}), Hex("F29B264C"));
    EXPECT_EQ(Build(0x30, Hex("0000")), Hex("F49B300000" "40"));

    const QByteArray contact(19, '\x11');
    const QByteArray frame = Build(0x31, contact);
    ASSERT_EQ(frame.size(), 19 + 6);
    EXPECT_EQ(frame.left(5), Hex("FF9B001531"));
    quint8 sum = 0;
    for (char c : frame)
        sum = quint8(sum + quint8(c));
    EXPECT_EQ(sum, 0xFF);
}

TEST(RadioLinkTest, ChoosesTheFrameFormByPayloadLength)
{
    EXPECT_EQ(quint8(Build(0x31, QByteArray(12, 'a'))[0]), 0xFE);
    const QByteArray longFrame = Build(0x31, QByteArray(13, 'a'));
    EXPECT_EQ(quint8(longFrame[0]), 0xFF);
    EXPECT_EQ(quint8(longFrame[3]), 15);
    EXPECT_EQ(Build(0x31, QByteArray(121, 'a')).size(), 127);
    EXPECT_TRUE(Build(0x31, QByteArray(122, 'a')).isEmpty());
}

TEST(RadioLinkTest, ParsesTheVersionReplyExample)
{
    const Parsed p = Parse(Hex("50F941455E0800031005" "52B0"));
    ASSERT_EQ(p.result, 8);
    EXPECT_EQ(p.ack, 0x41);
    EXPECT_EQ(p.data, Hex("455E080003100552"));
    EXPECT_EQ(p.value, 0u);
}

TEST(RadioLinkTest, SkipsGarbageBeforeTheHeaderOutsideTheChecksum)
{
    const QByteArray frame = Reply(Hex("F34150AA"));
    const Parsed p = Parse(frame.left(1) + Hex("001234") + frame.mid(1));
    ASSERT_EQ(p.result, 2);
    EXPECT_EQ(p.data, Hex("50AA"));
}

TEST(RadioLinkTest, RejectsRepliesThatAreNotWellFormed)
{
    // No leading 0x50.
    EXPECT_EQ(Parse(Reply(Hex("F34150AA")).mid(1)).result, 0);
    // Long reply with L = 0: no data, which counts as no reply.
    EXPECT_EQ(Parse(Reply(Hex("FF410000"))).result, 0);
    // Short header with n below 2.
    EXPECT_EQ(Parse(Reply(Hex("F141"))).result, 0);
    EXPECT_EQ(Parse(Reply(Hex("F041"))).result, 0);
    // Cut short.
    EXPECT_EQ(Parse(Reply(Hex("F4415001")).left(5)).result, 0);
    // Data that would not fit the 123-byte reply buffer.
    EXPECT_EQ(Parse(Reply(Hex("FF41007D") + QByteArray(124, 'x'))).result, 0);
    EXPECT_EQ(Parse(Reply(Hex("FF41007C") + QByteArray(123, 'x'))).result, 123);
    // Endless garbage ends at the receive buffer's size instead of waiting on.
    EXPECT_EQ(Parse(QByteArray(1, 0x50) + QByteArray(1000, 0x12)).result, 0);
    // A long reply whose L cannot hold the value bytes.
    EXPECT_EQ(Parse(Reply(Hex("FF800003") + Hex("010203"))).result, 0);
}

TEST(RadioLinkTest, ReadsTheValueOfLongRepliesWithAckBytes80To85)
{
    const Parsed p = Parse(Reply(Hex("FF840006" "123456" "50AA")));
    ASSERT_EQ(p.result, 2);
    EXPECT_EQ(p.value, 0x123456u);
    EXPECT_EQ(p.ack, 0x84);
    EXPECT_EQ(p.data, Hex("50AA"));
}

TEST(RadioLinkTest, ChecksumMismatchIsMinusOne)
{
    QByteArray bad = Reply(Hex("F34150AA"));
    bad[bad.size() - 1] = char(bad[bad.size() - 1] ^ 1);
    EXPECT_EQ(Parse(bad).result, -1);
}

TEST(RadioLinkTest, TransactRetriesThreeTimesAndKeepsTheLastResult)
{
    ScriptedPort port;
    QByteArray bad = Reply(Hex("F34150AA"));
    bad[bad.size() - 1] = char(bad[bad.size() - 1] ^ 1);
    port.onWrite = [&](const QByteArray&) { port.incoming += bad; };
    RadioProtocol protocol(&port);
    RadioLink::ReplyBuffer reply{};
    quint8 count = 0;
    EXPECT_EQ(protocol.OpenLink(reply, count), kResultPortError);
    EXPECT_EQ(port.writes.size(), 3u);
    EXPECT_EQ(port.purges, 3);
    EXPECT_EQ(port.clears, 1);

    // Silence on every attempt is -2; a good reply on the last one is success.
    ScriptedPort silent;
    RadioProtocol quiet(&silent);
    EXPECT_EQ(quiet.OpenLink(reply, count), kResultNoConnection);
    EXPECT_EQ(silent.writes.size(), 3u);

    ScriptedPort late;
    late.onWrite = [&](const QByteArray&) {
        if (late.writes.size() == 3)
            late.incoming += Reply(Hex("F24150"));
    };
    RadioProtocol third(&late);
    EXPECT_EQ(third.OpenLink(reply, count), kResultOk);
    EXPECT_EQ(count, 1);
}

TEST(RadioLinkTest, UnusablePortOrUnbuildableFrameSendsNothing)
{
    RadioLink::ReplyBuffer reply{};
    quint8 count = 0;
    ScriptedPort closed;
    closed.open = false;
    EXPECT_EQ(RadioProtocol(&closed).ReadVersion(reply, count), kResultPortError);
    EXPECT_TRUE(closed.writes.empty());

    ScriptedPort failed;
    failed.lastError = 7;
    EXPECT_EQ(RadioProtocol(&failed).ReadVersion(reply, count), kResultPortError);
    EXPECT_EQ(failed.lastError, 0u) << "the error is forgotten after the transaction";

    ScriptedPort good;
    const QByteArray tooLong(122, 'x');
    EXPECT_EQ(RadioProtocol(&good).WriteSettings(reinterpret_cast<const quint8*>(tooLong.constData()), 122, reply, count),
              kResultMessageCompose);
    EXPECT_TRUE(good.writes.empty());
}

TEST(RadioLinkTest, MapsRefusalsToResultCodes)
{
    auto map = [](int result, quint8 ack, QByteArray data) {
        data.resize(RadioLink::kReplyCapacity);
        return RadioProtocol::MapReplyError(result, ack, reinterpret_cast<const quint8*>(data.constData()));
    };
    EXPECT_EQ(map(-1, 0, {}), -1);
    EXPECT_EQ(map(-2, 0, {}), -13);
    EXPECT_EQ(map(0, 0, {}), -2);
    EXPECT_EQ(map(1, 0x8C, Hex("00")), -3);
    EXPECT_EQ(map(1, 0x8C, Hex("25")), -6);
    EXPECT_EQ(map(1, 0x42, Hex("50")), -6);
    EXPECT_EQ(map(3, 0x41, Hex("5130FD")), -14);
    EXPECT_EQ(map(3, 0x41, Hex("5130FE")), -11);
    EXPECT_EQ(map(3, 0x41, Hex("513001")), -8);
    EXPECT_EQ(map(2, 0x41, Hex("5301")), -9);
    EXPECT_EQ(map(2, 0x41, Hex("5304")), -10);
    EXPECT_EQ(map(5, 0x41, Hex("5302")), 5);
    EXPECT_EQ(map(2, 0x41, Hex("5303")), -8);
    EXPECT_EQ(map(1, 0x41, Hex("58")), -7);
}

TEST(RadioLinkTest, ReplyLettersAndStatusDecideCommandResults)
{
    RadioLink::ReplyBuffer reply{};
    quint8 count = 0;
    ScriptedPort port;
    port.purgeClearsInput = false;
    port.incoming = Reply(Hex("F34153" "01"));
    EXPECT_EQ(RadioProtocol(&port).PollPrivateId(reply, count), kResultTimedOut);
    port.incoming = Reply(Hex("F54153" "02" "3100"));
    EXPECT_EQ(RadioProtocol(&port).PollPrivateId(reply, count), kResultOk);
    EXPECT_EQ(count, 4);
    // An 'S' status 2 to another command: its byte count, not 1.
    port.incoming = Reply(Hex("F54153" "02" "3100"));
    EXPECT_EQ(RadioProtocol(&port).OpenLink(reply, count), 4);
    // A short 'Q' reply does not read the code of an earlier reply.
    port.incoming = Reply(Hex("F44151" "30" "FE"));
    EXPECT_EQ(RadioProtocol(&port).OpenLink(reply, count), kResultBusy);
    port.incoming = Reply(Hex("F24151"));
    EXPECT_EQ(RadioProtocol(&port).OpenLink(reply, count), kResultOperationFailed);
}

TEST(RadioResultTest, TextsOfTheResultCodes)
{
    EXPECT_EQ(ResultMainWindowText(-1), QStringLiteral("Error: COM port already in use by another application."));
    EXPECT_EQ(ResultDialogText(-2), QStringLiteral("Error: Unable to establish a connection with the radio.\n"
                                                   "          Please check your connection and try again."));
    EXPECT_EQ(ResultMainWindowText(-2), QStringLiteral("Error: Unable to establish a connection with the radio. "
                                                       "Please check your connection and try again."));
    EXPECT_EQ(ResultMainWindowText(-12), QStringLiteral("Error: Operation Failed (User Canceled)."));
    EXPECT_EQ(ResultDialogText(-14), QStringLiteral("Error: Please perform a radio reset or a radio write\n"
                                                    "          operation first."));
    EXPECT_EQ(ResultMainWindowText(-14), QStringLiteral("Error: Please perform a radio reset."));
    EXPECT_EQ(ResultDialogText(-17), QStringLiteral("Error: Operation Failed (-17)."));
    EXPECT_EQ(ResultMainWindowText(-17), QStringLiteral("Error: Unable to get radio password."));
    EXPECT_EQ(ResultMainWindowText(-16), QStringLiteral("Error: Operation Failed (-16)."));
    EXPECT_EQ(ResultMainWindowText(-9), QStringLiteral("Error: Operation timed out."));
    EXPECT_TRUE(ResultShownAsMessageBox(-15));
    EXPECT_FALSE(ResultShownAsMessageBox(-2));
}
