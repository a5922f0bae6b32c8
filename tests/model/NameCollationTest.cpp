#include "NameCollation.h"

#include <gtest/gtest.h>

namespace {

TEST(NameCollationTest, CaseAndFoldedAccentsCompareEqual)
{
    EXPECT_EQ(CompareNames(QStringLiteral("alpha"), QStringLiteral("ALPHA")), 0);
    EXPECT_EQ(CompareNames(QStringLiteral("\u00C9mile"), QStringLiteral("Emile")), 0);
    EXPECT_EQ(CompareNames(QStringLiteral("\u00E5\u00E7\u00F1\u00F8\u00FC"), QStringLiteral("ACNOU")), 0);
    EXPECT_GT(CompareNames(QStringLiteral("\u00CBmile"), QStringLiteral("Zoe")), 0);   // Ë is not folded
}

TEST(NameCollationTest, BlanksLettersDigitsPunctuation)
{
    EXPECT_LT(CompareNames(QStringLiteral(" Zed"), QStringLiteral("Adam")), 0);
    EXPECT_LT(CompareNames(QStringLiteral("Adam"), QStringLiteral("1st group")), 0);
    EXPECT_LT(CompareNames(QStringLiteral("1st group"), QStringLiteral("#1")), 0);
    EXPECT_LT(CompareNames(QStringLiteral("\x01"), QStringLiteral("0")), 0);   // control characters before digits
    EXPECT_LT(CompareNames(QStringLiteral("~"), QStringLiteral("\u0080")), 0);
    EXPECT_LT(CompareNames(QStringLiteral("\u00BF"), QStringLiteral("\u00C6")), 0);
}

TEST(NameCollationTest, PrefixSortsFirstAndResultIsAntisymmetric)
{
    EXPECT_LT(CompareNames(QStringLiteral("Ann"), QStringLiteral("Anna")), 0);
    EXPECT_GT(CompareNames(QStringLiteral("Anna"), QStringLiteral("Ann")), 0);
    EXPECT_EQ(CompareNames(QString(), QString()), 0);
    EXPECT_LT(CompareNames(QString(), QStringLiteral("a")), 0);
    EXPECT_GT(CompareNames(QStringLiteral("\u4E2D"), QStringLiteral("\u00FF")), 0);
}

TEST(NameCollationTest, WeightTableBoundaries)
{
    EXPECT_EQ(NameWeight(0), 0);
    EXPECT_EQ(NameWeight(' '), 1);
    EXPECT_EQ(NameWeight('a'), 2);
    EXPECT_EQ(NameWeight('Z'), 27);
    EXPECT_EQ(NameWeight(0x1F), 58);
    EXPECT_EQ(NameWeight('9'), 68);
    EXPECT_EQ(NameWeight('/'), 83);
    EXPECT_EQ(NameWeight('@'), 90);
    EXPECT_EQ(NameWeight('`'), 96);
    EXPECT_EQ(NameWeight(0x7F), 101);
    EXPECT_EQ(NameWeight(0xBF), 165);
    EXPECT_EQ(NameWeight(0xC6), 166);
    EXPECT_EQ(NameWeight(0xDF), 175);
    EXPECT_EQ(NameWeight(0xFF), 185);
    EXPECT_EQ(NameWeight(0xD7), 172);
    EXPECT_EQ(NameWeight(0xCD), NameWeight('I'));
    EXPECT_EQ(NameWeight(0xCC), 168);
}

TEST(NameCollationTest, OrderedInsertionKeepsArrivalOrderOfEqualNames)
{
    std::vector<QString> list;
    auto key = [](const QString& s) { return s; };
    for (const char* name : {"Bob", "alice", "carl", "Alice", "ALICE"})
        InsertOrdered(list, QString::fromLatin1(name), key);
    const std::vector<QString> expected = {QStringLiteral("alice"), QStringLiteral("Alice"), QStringLiteral("ALICE"),
                                           QStringLiteral("Bob"), QStringLiteral("carl")};
    EXPECT_EQ(list, expected);
}

}  // namespace
