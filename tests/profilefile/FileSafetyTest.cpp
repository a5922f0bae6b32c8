// Files that are not what they claim: devices, FIFOs and folders in place of
// input or output files, links, and sizes that lie.

#include "ProfileFile.h"
#include "ProfileTextFile.h"
#include "TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray FileBytesAt(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString MakeFifo(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("fifo"));
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

TEST(ReadRegularFileTest, RefusesWhatIsNotARegularFileWithoutWaitingOnIt)
{
    QTemporaryDir dir;
    // /dev/zero reports size 0 and never ends; a FIFO without a writer
    // would block an ordinary open.
    for (const QString& path : {QStringLiteral("/dev/zero"), MakeFifo(dir), dir.path()}) {
        const FileBytes file = ReadRegularFile(path, 1024);
        EXPECT_FALSE(file.ok) << path.toStdString();
        EXPECT_FALSE(file.error.isEmpty()) << path.toStdString();
        EXPECT_TRUE(file.data.isEmpty());
        EXPECT_FALSE(ReadTextFile(path).ok) << path.toStdString();
        QString text;
        EXPECT_FALSE(ReadProfileText(path, text)) << path.toStdString();
    }
    const FileBytes missing = ReadRegularFile(dir.filePath(QStringLiteral("none")));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, QStringLiteral("No such file or directory"));
}

TEST(ReadRegularFileTest, NeverMoreThanTheLimit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big"));
    ASSERT_TRUE(WriteFileAtomically(path, QByteArray(1001, 'a')));
    EXPECT_TRUE(ReadRegularFile(path, 1001).ok);
    const FileBytes over = ReadRegularFile(path, 1000);
    EXPECT_FALSE(over.ok);
    EXPECT_TRUE(over.tooLarge);
    EXPECT_TRUE(ReadTextFile(path, 1000).tooLarge);
    EXPECT_EQ(ReadRegularFile(path).data.size(), 1001);
}

TEST(WriteFileAtomicallyTest, RefusesTargetsThatAreNotRegularFiles)
{
    QTemporaryDir dir;
    const QString fifo = MakeFifo(dir);
    for (const QString& target : {fifo, QStringLiteral("/dev/null"), dir.path()}) {
        QString error;
        EXPECT_FALSE(WriteFileAtomically(target, QByteArray("data"), &error)) << target.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    // Still a FIFO, not replaced by a regular file.
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    QString error;
    EXPECT_FALSE(WriteFileAtomically(QString(), QByteArray("x"), &error));
}

TEST(WriteFileAtomicallyTest, WritesThroughLinksAndKeepsTheMode)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target.jub"));
    const QString link = dir.filePath(QStringLiteral("link.jub"));
    const QString chain = dir.filePath(QStringLiteral("chain.jub"));
    ASSERT_TRUE(WriteFileAtomically(target, QByteArray("old")));
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("target.jub"), link));   // relative, as users make them
    ASSERT_TRUE(QFile::link(link, chain));

    ASSERT_TRUE(WriteFileAtomically(chain, QByteArray("new")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(chain).isSymLink());
    EXPECT_EQ(FileBytesAt(target), QByteArray("new"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // A dangling link makes its target.
    const QString dangling = dir.filePath(QStringLiteral("dangling.jub"));
    ASSERT_TRUE(QFile::link(QStringLiteral("made.jub"), dangling));
    ASSERT_TRUE(WriteFileAtomically(dangling, QByteArray("made")));
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(FileBytesAt(dir.filePath(QStringLiteral("made.jub"))), QByteArray("made"));

    // A loop of links is refused.
    const QString a = dir.filePath(QStringLiteral("a")), b = dir.filePath(QStringLiteral("b"));
    ASSERT_TRUE(QFile::link(b, a));
    ASSERT_TRUE(QFile::link(a, b));
    EXPECT_FALSE(WriteFileAtomically(a, QByteArray("x")));
}

TEST(TextEncodingTest, Utf8WhenItIsUtf8)
{
    EXPECT_EQ(DecodeUtf8OrCp1252(QByteArray("stra\xC3\x9F" "e")), QStringLiteral("straße"));
    EXPECT_EQ(DecodeUtf8OrCp1252(QByteArray("\xEF\xBB\xBFok")), QStringLiteral("ok"));
    // Not UTF-8: every byte is a character of the code page.
    EXPECT_EQ(DecodeUtf8OrCp1252(QByteArray("stra\xDF" "e \x80")), QStringLiteral("straße €"));

    EXPECT_TRUE(FitsCp1252(QStringLiteral("Zoë € \u0081")));
    EXPECT_FALSE(FitsCp1252(QStringLiteral("\u0080")));
    EXPECT_FALSE(FitsCp1252(QStringLiteral("Ω")));
}

TEST(ReadProfileTextTest, PlainXmlIsUtf8UnlessItSaysOtherwise)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.xml"));
    const auto read = [&](const QByteArray& bytes) {
        EXPECT_TRUE(WriteFileAtomically(path, bytes));
        QString text;
        EXPECT_TRUE(ReadProfileText(path, text));
        return text;
    };
    // The program's own export declares no encoding: XML's default, UTF-8.
    EXPECT_EQ(read("<?xml version=\"1.0\"?><a n=\"Zo\xC3\xAB\"/>"), QStringLiteral("<?xml version=\"1.0\"?><a n=\"Zoë\"/>"));
    EXPECT_EQ(read("<?xml version=\"1.0\" encoding='UTF-8'?><a n=\"\xC3\xAB\"/>"), QStringLiteral("<?xml version=\"1.0\" encoding='UTF-8'?><a n=\"ë\"/>"));
    EXPECT_EQ(read("<?xml version=\"1.0\" encoding=\"windows-1252\"?><a n=\"\xC3\xAB\"/>"),
              QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1252\"?><a n=\"Ã«\"/>"));
    // Undeclared bytes that are no UTF-8 are the code page's.
    EXPECT_EQ(read("<?xml version=\"1.0\"?><a n=\"\xEB\"/>"), QStringLiteral("<?xml version=\"1.0\"?><a n=\"ë\"/>"));
    // A stored profile's forms keep their rules.
    EXPECT_EQ(read(EncodeProfileFile(QStringLiteral("<?xml version=\"1.0\"?><a n=\"ë\"/>"), true)),
              QStringLiteral("<?xml version=\"1.0\"?><a n=\"ë\"/>"));
}

}  // namespace
