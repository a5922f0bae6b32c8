// The command-line device commands as a user runs them, against the
// simulated radio served on a pseudo-terminal in this process.

#include "../cli/CliProcess.h"
#include "DataAdaptor.h"
#include "ProfileTextFile.h"
#include "PtyRadioServer.h"
#include "RadioResult.h"
#include "RadioTestSupport.h"
#include "StringTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

class CliDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureCoreApplication();
        options.linkPath = dir.filePath(QStringLiteral("radio"));
    }
    void Serve(const VirtualCP& content, const SimulatorOptions& simOptions = {})
    {
        radio = std::make_unique<CRadioSimulator>(content, simOptions);
        server = std::make_unique<CPtyRadioServer>(*radio, options);
        ASSERT_TRUE(server->Start());
    }
    CliResult Run(QStringList args, const QByteArray& input = {})
    {
        args << QStringLiteral("--port") << options.linkPath;
        return cli.Run(args, input);
    }

    QTemporaryDir dir;
    PtyServerOptions options;
    std::unique_ptr<CRadioSimulator> radio;
    std::unique_ptr<CPtyRadioServer> server;
    CliRunner cli;
};

TEST_F(CliDeviceTest, IdentifiesReadsWritesAndResets)
{
    VirtualCP content = CRadioSimulator::FullContent();
    content.settings.password = QStringLiteral("77");
    Serve(content);

    CliResult r = Run({QStringLiteral("identify")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("firmware: R5E.08.00"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("model group: 3"))) << r.out.toStdString();

    // The radio has a password: without it (and without a terminal) the read is cancelled.
    const QString xml = dir.filePath(QStringLiteral("read.xml"));
    r = Run({QStringLiteral("read"), QStringLiteral("--xml"), xml});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(ResultMainWindowText(kResultUserCanceled)));
    EXPECT_FALSE(QFile::exists(xml));

    r = Run({QStringLiteral("read"), QStringLiteral("--xml"), xml, QStringLiteral("--password"), QStringLiteral("77")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("80%")));
    QString text;
    ASSERT_TRUE(ReadProfileText(xml, text));
    VirtualCP image;
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(text, image));
    EXPECT_EQ(image.textMessages, content.textMessages);

    // Written back with one change, the radio holds the change.
    text.replace(QStringLiteral("Message 7: "), QStringLiteral("Message 7! "));
    const QString changed = dir.filePath(QStringLiteral("changed.xml"));
    ASSERT_TRUE(WriteProfileText(changed, text));
    r = Run({QStringLiteral("write"), changed, QStringLiteral("--password"), QStringLiteral("77")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The write goes through the profile document, which sorts the messages.
    const auto written = radio->Content().textMessages;
    EXPECT_TRUE(std::any_of(written.begin(), written.end(),
                            [](const QString& m) { return m.startsWith(QStringLiteral("Message 7! ")); }));

    r = Run({QStringLiteral("reset")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}

TEST_F(CliDeviceTest, QuestionsAreAnsweredNoWithoutATerminalAndYesWithYes)
{
    Serve(CRadioSimulator::DefaultContent());
    // A profile without the radio's own private: the write asks first.
    VirtualCP other = CRadioSimulator::DefaultContent();
    other.contacts[0].pid = QStringLiteral("10000999");
    QString text;
    CDataAdaptor::VirtualCP2XML(other, text);
    const QString path = dir.filePath(QStringLiteral("other.xml"));
    ASSERT_TRUE(WriteProfileText(path, text));

    CliResult r = Run({QStringLiteral("write"), path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("The radio being programmed is not in this profile"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(ResultMainWindowText(kResultUserCanceled)));
    EXPECT_FALSE(radio->WriteIncomplete());

    r = Run({QStringLiteral("write"), path, QStringLiteral("--yes")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(radio->Content().contacts[0].pid, QStringLiteral("10000999"));
}

TEST_F(CliDeviceTest, AProfileOfANewerGroupThanTheRadioIsAskedAboutFirst)
{
    VirtualCP older = CRadioSimulator::DefaultContent();
    older.version.firmware_version = 5;   // R5E.05.00: model group 2
    Serve(older);
    QString text;
    CDataAdaptor::VirtualCP2XML(CRadioSimulator::DefaultContent(), text);   // group 3
    const QString path = dir.filePath(QStringLiteral("newer.xml"));
    ASSERT_TRUE(WriteProfileText(path, text));
    const QString question = LoadStr(10031);

    CliResult r = Run({QStringLiteral("write"), path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(question + QStringLiteral(" [no: not a terminal]"))) << r.err.toStdString();
    const std::vector<quint8> commands = radio->ReceivedCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), quint8(0x29)), 0) << "nothing is written after No";

    r = Run({QStringLiteral("write"), path, QStringLiteral("--yes")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count(question), 1) << "asked once, not again by the transfer";
}

TEST_F(CliDeviceTest, FailuresPrintTheirTextAndTheConfiguredPortIsUsedWithoutPort)
{
    SimulatorOptions silent;
    silent.silentCommands = 1000;
    Serve(CRadioSimulator::DefaultContent(), silent);
    CliResult r = Run({QStringLiteral("reset")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(ResultMainWindowText(kResultNoConnection))) << r.err.toStdString();

    r = cli.Run({QStringLiteral("identify"), QStringLiteral("--port"), dir.filePath(QStringLiteral("missing"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(ResultMainWindowText(kResultPortError))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("missing does not exist"))) << r.err.toStdString();

    // Without --port the configured port applies: here the only port there is.
    radio->SetOptions({});
    cli.Environment().insert(QStringLiteral("KVXZOT_EXTRA_PORTS"), options.linkPath);
    r = cli.Run({QStringLiteral("identify")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}
