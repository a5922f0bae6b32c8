// The stored forms of a profile file and the atomic write.

#include "ProfileFile.h"
#include "TextFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ProfileFileTest, BothFormsByteForByte)
{
    const QString text = QStringLiteral("<?xml version=\"1.0\"?>\r\n<KVXProfile name=\"Caf\u00E9\u0001\u00B3\"/>");
    const QByteArray wide = EncodeProfileFile(text, false);
    ASSERT_EQ(wide.size(), 2 + text.size() * 2);
    EXPECT_EQ(wide.left(2), QByteArray("\xFF\xFE", 2));
    // '<' (0x3C) scrambled with 0xB3; the key itself stays unchanged.
    EXPECT_EQ(static_cast<unsigned char>(wide[2]), 0x3C ^ 0xB3);
    EXPECT_EQ(static_cast<unsigned char>(wide[3]), 0x00);
    EXPECT_EQ(static_cast<unsigned char>(wide[wide.size() - 8]), 0xB3);

    const QByteArray narrow = EncodeProfileFile(text, true);
    ASSERT_EQ(narrow.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(narrow[0]), 0x3C ^ 0xB3);
    EXPECT_EQ(static_cast<unsigned char>(narrow[text.indexOf(QChar(0xE9))]), 0xE9 ^ 0xB3);

    // Reading either form back gives the text again.
    QTemporaryDir dir;
    for (bool byteForm : {false, true}) {
        const QString path = dir.filePath(QStringLiteral("p.jub"));
        ASSERT_TRUE(WriteFileAtomically(path, EncodeProfileFile(text, byteForm)));
        const TextFileContent content = ReadTextFile(path);
        EXPECT_EQ(content.byteForm, byteForm);
        EXPECT_EQ(UnscrambleXml(content.text, content.byteForm), text);
    }
}

TEST(ProfileFileTest, AFailedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.jub"));
    ASSERT_TRUE(WriteFileAtomically(path, QByteArray("old contents")));

    // The write stops half-way, as on a full disk.
    const BlockWriter failing = [](QIODevice& device, const QByteArray& data) -> qint64 {
        device.write(data.left(data.size() / 2));
        return -1;
    };
    QString error;
    EXPECT_FALSE(WriteFileAtomically(path, QByteArray(4096, 'n'), &error, failing));
    EXPECT_FALSE(error.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keep.jub")});

    // A folder that does not exist: nothing is created.
    EXPECT_FALSE(WriteFileAtomically(dir.filePath(QStringLiteral("missing/new.jub")), QByteArray("x"), &error));
}

}  // namespace
