// The scripted message answers of the tests.

#include "MessageScript.h"
#include "StringTable.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(MessageScriptTest, MatchesNumbersWithFilledInPlaceholdersAndRefusesTheRest)
{
    kvx::CMessageScript script;
    script.Expect(164, kvx::kIdOk).ExpectText(QStringLiteral("Exact"), kvx::kIdYes).Expect(224);
    // 164: "Cannot add more than %d amount of contacts to the scan list."
    EXPECT_EQ(script.Handle(LoadStr(164).replace(QStringLiteral("%d"), QStringLiteral("10")), kvx::kMbOk), kvx::kIdOk);
    EXPECT_EQ(script.Handle(QStringLiteral("Exact"), kvx::kMbYesNo), kvx::kIdYes);
    // Out of order: unexpected, and a question is declined.
    EXPECT_EQ(script.Handle(QStringLiteral("Something else?"), kvx::kMbYesNoCancel), kvx::kIdCancel);
    EXPECT_EQ(script.Handle(QStringLiteral("Another?"), kvx::kMbYesNo), kvx::kIdNo);
    EXPECT_EQ(script.Unexpected().size(), 2);
    ASSERT_EQ(script.Pending().size(), 1);
    EXPECT_TRUE(script.Pending().first().startsWith(QStringLiteral("224")));

    EXPECT_TRUE(kvx::CMessageScript::MatchesTemplate(QStringLiteral("Channel 3 (12)"), QStringLiteral("Channel %d (%d)")));
    EXPECT_FALSE(kvx::CMessageScript::MatchesTemplate(QStringLiteral("Channel x (12)"), QStringLiteral("Channel %d (%d)")));
    EXPECT_TRUE(kvx::CMessageScript::MatchesTemplate(QStringLiteral("Error: Operation Failed (-13)."),
                                                     QStringLiteral("Error: Operation Failed (%s).")));
    EXPECT_FALSE(kvx::CMessageScript::MatchesTemplate(QStringLiteral("a.b"), QStringLiteral("a%sc")));
}

TEST(MessageScriptTest, RandomAnswersStayWithinTheButtonsAndRepeatWithTheSeed)
{
    auto answers = [](quint64 seed) {
        kvx::CMessageScript script;
        script.AnswerAtRandom(seed).ExpectText(QStringLiteral("Scripted"), kvx::kIdNo);
        QList<int> given;
        given << script.Handle(QStringLiteral("Scripted"), kvx::kMbYesNo);
        for (int i = 0; i < 200; ++i)
            for (const unsigned style : {kvx::kMbOk, kvx::kMbOkCancel, kvx::kMbYesNoCancel, kvx::kMbYesNo})
                given << script.Handle(QStringLiteral("Anything"), style | kvx::kMbIconWarning);
        EXPECT_TRUE(script.Unexpected().isEmpty());
        return given;
    };
    const QList<int> first = answers(42);
    EXPECT_EQ(first, answers(42));
    EXPECT_NE(first, answers(43));
    EXPECT_EQ(first.first(), kvx::kIdNo) << "an expected message keeps its scripted answer";
    QList<QSet<int>> seen(4);
    for (int i = 1; i < first.size(); ++i)
        seen[(i - 1) % 4] << first[i];
    EXPECT_EQ(seen[0], QSet<int>({kvx::kIdOk}));
    EXPECT_EQ(seen[1], QSet<int>({kvx::kIdOk, kvx::kIdCancel}));
    EXPECT_EQ(seen[2], QSet<int>({kvx::kIdYes, kvx::kIdNo, kvx::kIdCancel}));
    EXPECT_EQ(seen[3], QSet<int>({kvx::kIdYes, kvx::kIdNo}));
}
