// The command-line tool under careless and hostile use: its own exports
// come back in, bad files and targets are refused with the actual reason,
// and no argument is mistaken for another.

#include "CliProcess.h"
#include "ProfileFile.h"
#include "TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CliHostileUseTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_cli.Dir() + QLatin1Char('/') + name; }
    CliResult Run(const QStringList& args) const { return m_cli.Run(args); }
    // A new profile of the template at name, with one private named `privateName`.
    void MakeProfile(const QString& model, const QString& name, const QString& privateName)
    {
        ASSERT_EQ(Run({QStringLiteral("new"), model, QStringLiteral("-o"), Path(name)}).exitCode, 0);
        const CliResult added = Run({QStringLiteral("add"), Path(name), QStringLiteral("Privates"), QStringLiteral("--name"),
                                     QStringLiteral("Tmp"), QStringLiteral("-o"), Path(name)});
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        const CliResult renamed = Run({QStringLiteral("set"), Path(name), QStringLiteral("//dfns:Private[@name='Tmp']"),
                                       QStringLiteral("name"), privateName, QStringLiteral("-o"), Path(name)});
        ASSERT_EQ(renamed.exitCode, 0) << renamed.out.toStdString() << renamed.err.toStdString();
    }

    CliRunner m_cli;
};

TEST_F(CliHostileUseTest, AnExportedProfileImportsAndOpensUnchangedWhateverItsNamesHold)
{
    const QString name = QStringLiteral("Zoë & \"Ñ\" <ß> ÿ");
    for (const QString& model : {QStringLiteral("KVX30"), QStringLiteral("KVX10")}) {
        MakeProfile(model, QStringLiteral("a.jub"), name);
        const CliResult exported = Run({QStringLiteral("export"), Path(QStringLiteral("a.jub")), QStringLiteral("-o"), Path(QStringLiteral("a.xml"))});
        ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        const CliResult imported = Run({QStringLiteral("import"), Path(QStringLiteral("a.xml")), QStringLiteral("-o"), Path(QStringLiteral("b.jub"))});
        ASSERT_EQ(imported.exitCode, 0) << model.toStdString() << ": " << imported.err.toStdString();
        EXPECT_EQ(ReadAll(Path(QStringLiteral("b.jub"))), ReadAll(Path(QStringLiteral("a.jub")))) << model.toStdString();
        const CliResult again = Run({QStringLiteral("export"), Path(QStringLiteral("b.jub"))});
        EXPECT_TRUE(again.out.contains(QStringLiteral("name=\"Zoë &amp; &quot;Ñ&quot; &lt;ß&gt; ÿ\""))) << again.out.toStdString();
    }
}

TEST_F(CliHostileUseTest, FailuresSayWhyBelowTheMessage)
{
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("KVX30"), QStringLiteral("-o"), Path(QStringLiteral("good.jub"))}).exitCode, 0);
    const QString missing = Path(QStringLiteral("missing.jub"));
    CliResult r = Run({QStringLiteral("open"), missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Invalid profile.\nNo such file or directory"))) << r.err.toStdString();

    QFile doctype(Path(QStringLiteral("doctype.jub")));
    ASSERT_TRUE(doctype.open(QIODevice::WriteOnly));
    doctype.write("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"b\">]><KVXProfile/>");
    doctype.close();
    r = Run({QStringLiteral("open"), doctype.fileName()});
    EXPECT_TRUE(r.err.contains(QStringLiteral("Invalid profile.\nDTDs are not allowed"))) << r.err.toStdString();

    // Saving into a folder that does not exist, and onto a folder.
    for (const QString& target : {Path(QStringLiteral("no/such/folder.jub")), m_cli.Dir()}) {
        r = Run({QStringLiteral("convert"), Path(QStringLiteral("good.jub")), QStringLiteral("-o"), target});
        EXPECT_EQ(r.exitCode, 1);
        const qsizetype at = r.err.indexOf(QStringLiteral("File format is error. Failed to save.\n"));
        ASSERT_GE(at, 0) << r.err.toStdString();
        EXPECT_GT(r.err.size(), at + 40) << "a reason follows";
    }
}

TEST_F(CliHostileUseTest, OnlyRegularFilesAreReadAndWritten)
{
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("KVX30"), QStringLiteral("-o"), Path(QStringLiteral("good.jub"))}).exitCode, 0);
    const QString fifo = Path(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& input : {QStringLiteral("/dev/zero"), fifo}) {
        const QList<QStringList> commands = {
            {QStringLiteral("open"), input},
            {QStringLiteral("import"), input, QStringLiteral("-o"), Path(QStringLiteral("out.jub"))},
            {QStringLiteral("write"), input, QStringLiteral("--port"), Path(QStringLiteral("no-port"))},
            {QStringLiteral("run-script"), input},
        };
        for (const QStringList& args : commands) {
            const CliResult r = Run(args);
            EXPECT_NE(r.exitCode, 0) << args.join(QLatin1Char(' ')).toStdString();
            EXPECT_TRUE(r.err.contains(QStringLiteral("not a regular file"))) << args.join(QLatin1Char(' ')).toStdString() << ": " << r.err.toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("out.jub"))));

    // Output onto a FIFO or a device is refused; a link is written through.
    for (const QString& target : {fifo, QStringLiteral("/dev/null")}) {
        const CliResult r = Run({QStringLiteral("convert"), Path(QStringLiteral("good.jub")), QStringLiteral("-o"), target});
        EXPECT_EQ(r.exitCode, 1) << target.toStdString();
    }
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    ASSERT_TRUE(QFile::link(Path(QStringLiteral("kept.jub")), Path(QStringLiteral("link.jub"))));
    ASSERT_EQ(Run({QStringLiteral("convert"), Path(QStringLiteral("good.jub")), QStringLiteral("-o"), Path(QStringLiteral("link.jub"))}).exitCode, 0);
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("link.jub"))).isSymLink());
    EXPECT_EQ(ReadAll(Path(QStringLiteral("kept.jub"))), ReadAll(Path(QStringLiteral("good.jub"))));
}

TEST_F(CliHostileUseTest, TheWriterNeverWritesWhatTheReaderRefuses)
{
    // A byte-form profile of 5 MB (padded with a comment) opens, but would
    // double in the UTF-16 form of a conversion.
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("KVX10"), QStringLiteral("-o"), Path(QStringLiteral("old.jub"))}).exitCode, 0);
    const TextFileContent old = ReadTextFile(Path(QStringLiteral("old.jub")));
    QString text = UnscrambleXml(old.text, true);
    text.replace(QStringLiteral("</KVXProfile>"), QStringLiteral("<!--%1--></KVXProfile>").arg(QString(5 * 1024 * 1024, QLatin1Char('x'))));
    QFile big(Path(QStringLiteral("big.jub")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(EncodeProfileFile(text, true));
    big.close();
    ASSERT_EQ(Run({QStringLiteral("open"), big.fileName()}).exitCode, 0);

    const CliResult converted = Run({QStringLiteral("convert"), big.fileName(), QStringLiteral("-o"), Path(QStringLiteral("new.jub"))});
    EXPECT_EQ(converted.exitCode, 1);
    EXPECT_TRUE(converted.err.contains(QStringLiteral("File format is error. Failed to save.\nThe profile file would be"))) << converted.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("new.jub"))));
}

TEST_F(CliHostileUseTest, ArgumentsMeanWhatTheySay)
{
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("KVX30"), QStringLiteral("-o"), Path(QStringLiteral("p.jub"))}).exitCode, 0);
    ASSERT_EQ(Run({QStringLiteral("add"), Path(QStringLiteral("p.jub")), QStringLiteral("Privates"), QStringLiteral("--name"),
                   QStringLiteral("Ann"), QStringLiteral("-o"), Path(QStringLiteral("p.jub"))}).exitCode, 0);
    const QString ann = QStringLiteral("//dfns:Private[@name='Ann']");

    // An empty output name is no output at all: a usage error, not success.
    CliResult r = Run({QStringLiteral("set"), Path(QStringLiteral("p.jub")), ann, QStringLiteral("name"), QStringLiteral("Bo"), QStringLiteral("-o"), QString()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("export"), Path(QStringLiteral("p.jub")), QStringLiteral("-o"), QString()}).exitCode, 2);

    // "-h" as a value is the value.
    r = Run({QStringLiteral("set"), Path(QStringLiteral("p.jub")), ann, QStringLiteral("name"), QStringLiteral("-h"), QStringLiteral("-o"), Path(QStringLiteral("p.jub"))});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("Usage:")));
    EXPECT_TRUE(Run({QStringLiteral("export"), Path(QStringLiteral("p.jub"))}).out.contains(QStringLiteral("name=\"-h\"")));
    EXPECT_TRUE(Run({QStringLiteral("set"), QStringLiteral("-h")}).out.startsWith(QStringLiteral("Usage:")));

    const CliResult help = Run({QStringLiteral("identify"), QStringLiteral("--help")});
    EXPECT_TRUE(help.out.contains(QStringLiteral("device name, taken from /dev"))) << help.out.toStdString();
    EXPECT_FALSE(help.out.contains(QStringLiteral("exactly as given")));
}

TEST_F(CliHostileUseTest, MessagesWithNumbersAreFormatted)
{
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("KVX30"), QStringLiteral("-o"), Path(QStringLiteral("p.jub"))}).exitCode, 0);
    ASSERT_EQ(Run({QStringLiteral("add"), Path(QStringLiteral("p.jub")), QStringLiteral("Privates"), QStringLiteral("--name"),
                   QStringLiteral("Ann"), QStringLiteral("-o"), Path(QStringLiteral("p.jub"))}).exitCode, 0);
    const CliResult tooLong = Run({QStringLiteral("set"), Path(QStringLiteral("p.jub")), QStringLiteral("//dfns:Private[@name='Ann']"),
                                   QStringLiteral("name"), QString(30, QLatin1Char('n'))});
    EXPECT_TRUE(tooLong.out.contains(QStringLiteral("can not exceed 20."))) << tooLong.out.toStdString() << tooLong.err.toStdString();
    EXPECT_FALSE((tooLong.out + tooLong.err).contains(QStringLiteral("%d")));

    const CliResult moved = Run({QStringLiteral("set"), Path(QStringLiteral("p.jub")), QStringLiteral("//dfns:PublicGroup[@name='Dispatch']"),
                                 QStringLiteral("channel"), QStringLiteral("3")});
    EXPECT_TRUE(moved.out.contains(QStringLiteral("from channel 1's scan list and add it to channel 3's scan list"))) << moved.out.toStdString();
    EXPECT_FALSE((moved.out + moved.err).contains(QStringLiteral("%d")));
}

}  // namespace
