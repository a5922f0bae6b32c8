#include "KVXZOTException.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

void Inner()
{
    KVX_RAISE(105, QStringLiteral("File='x.jub'\nDesc: bad"), "CRadioDataModel::InitialOperaDoc");
}

void Outer()
{
    try {
        Inner();
    } catch (CKVXZOTException& e) {
        KVX_RERAISE(e, "CRadioDataModel::LoadProfile");
    }
}

TEST(ExceptionTest, EachRaiseAndReRaiseAddsOneTraceLine)
{
    try {
        Outer();
        FAIL() << "no exception";
    } catch (const CKVXZOTException& e) {
        EXPECT_EQ(e.GetCode(), 105);
        const QStringList lines = e.GetTrace().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 4);   // leading newline, message (two lines), re-raise
        EXPECT_TRUE(lines[0].isEmpty());
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("(CRadioDataModel::InitialOperaDoc:")));
        EXPECT_TRUE(lines[1].endsWith(QStringLiteral(") File='x.jub'")));
        EXPECT_EQ(lines[2], QStringLiteral("Desc: bad"));
        EXPECT_TRUE(lines[3].startsWith(QStringLiteral("(CRadioDataModel::LoadProfile:")));
        EXPECT_TRUE(lines[3].endsWith(QStringLiteral(") Exception Catched")));
    }
}

TEST(ExceptionTest, TraceLineHasOperationLineAndMessage)
{
    CKVXZOTException e(102, QStringLiteral("create failed"), "Op", 42);
    EXPECT_EQ(e.GetTrace(), QStringLiteral("\n(Op:42) create failed"));
    e.AddTrace(QStringLiteral("Exception Catched"), "Outer", 7);
    EXPECT_EQ(e.GetTrace(), QStringLiteral("\n(Op:42) create failed\n(Outer:7) Exception Catched"));
}

}  // namespace
