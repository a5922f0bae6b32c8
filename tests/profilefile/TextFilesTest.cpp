#include "TextFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString WriteBytes(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("file.txt"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
}

TEST(ReadTextFileTest, Utf16WithMarkIsReadWithoutTheMark)
{
    QTemporaryDir dir;
    const QByteArray bytes = QByteArray("\xFF\xFE", 2) + QByteArray("<\0?\0\xAC\x20", 6);
    const auto content = ReadTextFile(WriteBytes(dir, bytes));
    ASSERT_TRUE(content.ok);
    EXPECT_FALSE(content.byteForm);
    EXPECT_EQ(content.text, QStringLiteral("<?\u20AC"));
}

TEST(ReadTextFileTest, EverythingElseIsCodePage1252IncludingAUtf8Mark)
{
    QTemporaryDir dir;
    const auto content = ReadTextFile(WriteBytes(dir, QByteArray("\xEF\xBB\xBF\x80\x9F\xE9\x81", 7)));
    ASSERT_TRUE(content.ok);
    EXPECT_TRUE(content.byteForm);
    EXPECT_EQ(content.text, QStringLiteral("\u00EF\u00BB\u00BF\u20AC\u0178\u00E9\u0081"));
}

TEST(ReadTextFileTest, MissingFileFailsWithEmptyText)
{
    const auto content = ReadTextFile(QStringLiteral("/nonexistent/kvx/file.stv"));
    EXPECT_FALSE(content.ok);
    EXPECT_TRUE(content.text.isEmpty());
    EXPECT_FALSE(ReadTextFile(QString()).ok);
}

TEST(Cp1252Test, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(EncodeCp1252(DecodeCp1252(all)), all);
    EXPECT_EQ(EncodeCp1252(QStringLiteral("\u0416")), QByteArray("?"));
}

TEST(ScrambleTest, FileFormXorsCodePageBytes)
{
    EXPECT_EQ(ScrambleText(QStringLiteral("A"), true), DecodeCp1252(QByteArray(1, static_cast<char>('A' ^ 0xB3))));
    // 0x80 is the euro sign in the code page: its byte is scrambled, not U+20AC.
    EXPECT_EQ(ScrambleText(QStringLiteral("\u20AC"), true), QString(QChar(0x80 ^ 0xB3)));
    const QString text = QStringLiteral("<?xml version=\"1.0\"?><a b=\"\u00E9\u20AC\"/>");
    EXPECT_EQ(ScrambleText(ScrambleText(text, true), true), text);
}

TEST(ScrambleTest, MemoryFormLeavesTheKeyCharacterAlone)
{
    EXPECT_EQ(ScrambleText(QString(QChar(0xB3)), false), QString(QChar(0xB3)));
    EXPECT_EQ(ScrambleText(QStringLiteral("A"), false), QString(QChar('A' ^ 0xB3)));
    const QString text = QStringLiteral("Option Explicit\r\nDim x\r\n\u00E9\u4E2D");
    EXPECT_EQ(ScrambleText(ScrambleText(text, false), false), text);
}

TEST(ScrambleTest, UnscrambleOnlyWhatDoesNotStartPlain)
{
    const QString script = QStringLiteral("option explicit\r\nDim a");
    EXPECT_EQ(UnscrambleScript(script, true), script);
    EXPECT_EQ(UnscrambleScript(ScrambleText(script, true), true), script);
    EXPECT_EQ(UnscrambleScript(ScrambleText(script, false), false), script);

    const QString xml = QStringLiteral("<?XML version=\"1.0\"?><r/>");
    EXPECT_EQ(UnscrambleXml(xml, false), xml);
    EXPECT_EQ(UnscrambleXml(ScrambleText(xml, true), true), xml);
    EXPECT_EQ(UnscrambleXml(ScrambleText(xml, false), false), xml);
}

}  // namespace
