#include "StringTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StringTableTest : public ::testing::Test {
protected:
    void TearDown() override { CStringTable::Instance().ResetToEnglish(); }
};

TEST_F(StringTableTest, LanguageResourceReplacesTextsByNumberAndKeepsTheRest)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("German.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"strings": {"100": "OLE-Initialisierung fehlgeschlagen.", "bogus": "x"}})");
    file.close();

    const QString english100 = LoadStr(100);
    ASSERT_TRUE(CStringTable::Instance().LoadLanguageResource(path));
    EXPECT_EQ(LoadStr(100), QStringLiteral("OLE-Initialisierung fehlgeschlagen."));
    CStringTable::Instance().ResetToEnglish();
    EXPECT_EQ(LoadStr(100), english100);
}

TEST_F(StringTableTest, BrokenOrMissingResourceLeavesTheTableAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Broken.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"strings\": [1, 2");
    file.close();
    const QString before = LoadStr(100);
    QString error;
    EXPECT_FALSE(CStringTable::Instance().LoadLanguageResource(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(CStringTable::Instance().LoadLanguageResource(dir.filePath(QStringLiteral("none.json"))));
    EXPECT_EQ(LoadStr(100), before);
    EXPECT_TRUE(LoadStr(999999).isEmpty());
}

}  // namespace
