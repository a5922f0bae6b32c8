// The CLI's profile commands run as a user would, and the radio -> file ->
// radio round trip through the document against simulated radios.

#include "CliProcess.h"
#include "PtyRadioServer.h"
#include "RadioSimulator.h"
#include "TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class CliProfileTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_cli.Dir() + QLatin1Char('/') + name; }
    CliResult Run(const QStringList& args) const { return m_cli.Run(args); }

    CliRunner m_cli;
};

TEST_F(CliProfileTest, NewOpenExportImportConvert)
{
    const CliResult templates = Run({QStringLiteral("templates")});
    ASSERT_EQ(templates.exitCode, 0) << templates.err.toStdString();
    EXPECT_TRUE(templates.out.contains(QStringLiteral("KVX10     model D10, group 1"))) << templates.out.toStdString();
    EXPECT_EQ(templates.out.count(QLatin1Char('\n')), 4);

    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("KVX20"), QStringLiteral("-o"), Path(QStringLiteral("a.jub"))}).exitCode, 0);
    const CliResult opened = Run({QStringLiteral("open"), Path(QStringLiteral("a.jub"))});
    ASSERT_EQ(opened.exitCode, 0) << opened.err.toStdString();
    EXPECT_TRUE(opened.out.contains(QStringLiteral("Model group:     2")));
    EXPECT_TRUE(opened.out.contains(QStringLiteral("Unit ID:         XXXXXXXXXXX")));
    EXPECT_TRUE(opened.out.contains(QStringLiteral("Public groups:   2")));
    EXPECT_TRUE(opened.out.contains(QStringLiteral("Text messages:   3")));
    EXPECT_EQ(FileBytes(Path(QStringLiteral("a.jub"))).left(2), QByteArray("\xFF\xFE", 2));

    const CliResult exported = Run({QStringLiteral("export"), Path(QStringLiteral("a.jub"))});
    ASSERT_EQ(exported.exitCode, 0);
    EXPECT_TRUE(exported.out.startsWith(QStringLiteral("<?xml")));
    EXPECT_FALSE(exported.out.contains(QStringLiteral("password=")));   // group 2 has no password
    ASSERT_EQ(Run({QStringLiteral("export"), Path(QStringLiteral("a.jub")), QStringLiteral("-o"), Path(QStringLiteral("a.xml"))}).exitCode, 0);
    ASSERT_EQ(Run({QStringLiteral("import"), Path(QStringLiteral("a.xml")), QStringLiteral("-o"), Path(QStringLiteral("b.jub"))}).exitCode, 0);
    EXPECT_EQ(FileBytes(Path(QStringLiteral("b.jub"))), FileBytes(Path(QStringLiteral("a.jub"))));

    const CliResult converted = Run({QStringLiteral("convert"), Path(QStringLiteral("b.jub")), QStringLiteral("-o"), Path(QStringLiteral("c.jub"))});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    EXPECT_TRUE(Run({QStringLiteral("open"), Path(QStringLiteral("c.jub"))}).out.contains(QStringLiteral("Model group:     3")));

    // A group-1 template keeps its generation and the byte form.
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("KVX10"), QStringLiteral("-o"), Path(QStringLiteral("d.jub"))}).exitCode, 0);
    const TextFileContent old = ReadTextFile(Path(QStringLiteral("d.jub")));
    EXPECT_TRUE(old.byteForm);
    EXPECT_TRUE(UnscrambleXml(old.text, true).startsWith(QStringLiteral("<?xml")));
}

TEST_F(CliProfileTest, BadInputIsRefusedAndWritesNothing)
{
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("KVX30"), QStringLiteral("-o"), Path(QStringLiteral("good.jub"))}).exitCode, 0);
    const QString plain = Run({QStringLiteral("export"), Path(QStringLiteral("good.jub"))}).out;
    const QList<std::pair<QString, QByteArray>> cases = {
        {QStringLiteral("Invalid profile."), QByteArray("not a profile at all")},
        {QStringLiteral("Invalid profile."), FileBytes(Path(QStringLiteral("good.jub"))).left(400)},
        {QStringLiteral("Invalid profile."), plain.toUtf8().replace("max_num_of_channels=\"16\"", "max_num_of_channels=\"999\"")},
        {QStringLiteral("Error: Radio model is unsupported."),
         plain.toUtf8().replace("clone_compatibility_version=\"1\"", "clone_compatibility_version=\"7\"")},
        {QStringLiteral("Unknown Error"), plain.toUtf8().replace("TextMessages", "Messages")},
    };
    for (const auto& [text, bytes] : cases) {
        WriteBytes(Path(QStringLiteral("bad.jub")), bytes);
        for (const QString& command : {QStringLiteral("open"), QStringLiteral("convert"), QStringLiteral("import")}) {
            QStringList args{command, Path(QStringLiteral("bad.jub"))};
            if (command != QStringLiteral("open"))
                args << QStringLiteral("-o") << Path(QStringLiteral("out.jub"));
            const CliResult r = Run(args);
            EXPECT_EQ(r.exitCode, 1) << command.toStdString();
            EXPECT_TRUE(r.err.contains(text)) << command.toStdString() << ": " << r.err.toStdString();
            EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("out.jub"))));
        }
    }
    EXPECT_EQ(Run({QStringLiteral("new"), QStringLiteral("NoSuchModel"), QStringLiteral("-o"), Path(QStringLiteral("out.jub"))}).exitCode, 1);
    EXPECT_EQ(Run({QStringLiteral("convert"), Path(QStringLiteral("good.jub"))}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("out.jub"))));
    for (const QString& command : {QStringLiteral("open"), QStringLiteral("export"), QStringLiteral("import"), QStringLiteral("templates"),
                                   QStringLiteral("new"), QStringLiteral("convert")})
        EXPECT_EQ(Run({command, QStringLiteral("--help")}).exitCode, 0) << command.toStdString();
}

// A radio read into a profile file and written into a second radio leaves
// the second radio with the first one's content.
TEST_F(CliProfileTest, RadioToFileToRadio)
{
    const VirtualCP first = CRadioSimulator::FullContent();
    VirtualCP blank = CRadioSimulator::DefaultContent();
    blank.radioInfo = first.radioInfo;   // the same model of radio, still empty
    CRadioSimulator radio1(first), radio2(blank);
    PtyServerOptions options1, options2;
    options1.linkPath = Path(QStringLiteral("radio1"));
    options2.linkPath = Path(QStringLiteral("radio2"));
    CPtyRadioServer server1(radio1, options1), server2(radio2, options2);
    QString error;
    ASSERT_TRUE(server1.Start(&error)) << error.toStdString();
    ASSERT_TRUE(server2.Start(&error)) << error.toStdString();

    const CliResult read = Run({QStringLiteral("read"), QStringLiteral("-o"), Path(QStringLiteral("radio.jub")), QStringLiteral("--port"),
                                server1.PortPath()});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_TRUE(read.out.contains(first.radioInfo.pid)) << read.out.toStdString();
    const CliResult write = Run({QStringLiteral("write"), Path(QStringLiteral("radio.jub")), QStringLiteral("--port"), server2.PortPath(),
                                 QStringLiteral("--yes")});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();

    // Both radios read back through the program give the same profile. (The
    // raw images differ in slot order, since the write packs the contacts
    // kind by kind, and in how a home group is listed.)
    const CliResult readBack = Run({QStringLiteral("read"), QStringLiteral("-o"), Path(QStringLiteral("radio2.jub")), QStringLiteral("--port"),
                                    server2.PortPath()});
    ASSERT_EQ(readBack.exitCode, 0) << readBack.err.toStdString();
    const CliResult export1 = Run({QStringLiteral("export"), Path(QStringLiteral("radio.jub"))});
    const CliResult export2 = Run({QStringLiteral("export"), Path(QStringLiteral("radio2.jub"))});
    ASSERT_EQ(export1.exitCode, 0);
    EXPECT_TRUE(export1.out.contains(QStringLiteral("<Private ")));
    EXPECT_EQ(export2.out, export1.out);

    const VirtualCP second = radio2.Content();
    EXPECT_EQ(second.settings, first.settings);
    QStringList messages1(first.textMessages.begin(), first.textMessages.end());
    QStringList messages2(second.textMessages.begin(), second.textMessages.end());
    messages1.sort();
    messages2.sort();
    EXPECT_EQ(messages2, messages1);
    EXPECT_FALSE(radio2.WriteIncomplete());
}

}  // namespace
