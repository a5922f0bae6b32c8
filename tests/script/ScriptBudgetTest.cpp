// The budgets of memory and run time: a script that passes one fails with
// an error instead of exhausting the machine, and the engine goes on
// serving calls.

#include "Conversions.h"
#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;

namespace {

constexpr size_t kMiB = 1024 * 1024;

ScriptLimits MemoryLimit(size_t bytes)
{
    ScriptLimits limits;
    limits.maxMemoryBytes = bytes;
    return limits;
}

}  // namespace

TEST(ScriptBudgets, StringsKeptInAnArrayRunOutOfMemoryAndTheEngineStaysUsable)
{
    ScriptRun run(R"(
Dim a(200)
Sub Fill()
    Dim i
    For i = 0 To 200
        a(i) = String(1000000, "x") & i     ' 2 MB each
    Next
End Sub
Function Count()
    Dim i
    Count = 0
    For i = 0 To 200
        If Not IsEmpty(a(i)) Then Count = Count + 1
    Next
End Function
Sub Release()
    Erase a
End Sub
Function Caught()
    On Error Resume Next
    Dim b(40), i
    For i = 0 To 40
        b(i) = Space(1000000) & i
    Next
    Caught = Err.Number & " " & Err.Description
End Function
)",
                  MemoryLimit(32 * kMiB));
    ASSERT_EQ(run.LastError(), 0);

    run.Call("Fill");
    ASSERT_EQ(run.LastError(), 7);
    EXPECT_EQ(run.site.errors.back().description, "Out of memory");
    const int32_t filled = ToLong(run.Call("Count"));
    // 16 fit the budget; it is measured every few megabytes.
    EXPECT_GT(filled, 5);
    EXPECT_LT(filled, 25);

    // The memory comes back with the values that held it.
    run.Call("Release");
    EXPECT_EQ(ToLong(run.Call("Count")), 0);
    run.Call("Fill");
    EXPECT_EQ(run.LastError(), 7);
    EXPECT_GE(ToLong(run.Call("Count")), filled - 1);
    run.Call("Release");

    // On Error catches it like any run-time error.
    const size_t errors = run.site.errors.size();
    EXPECT_EQ(ToString(run.Call("Caught")), "7 Out of memory");
    EXPECT_EQ(run.site.errors.size(), errors);
}

TEST(ScriptBudgets, TemporaryValuesCountToo)
{
    QString spaces = QStringLiteral("x = Array(Space(3000000)");
    for (int i = 0; i < 20; ++i)
        spaces += QStringLiteral(", Space(3000000)");   // 6 MB each, never stored in a variable
    spaces += QStringLiteral(")\n");
    ScriptRun run(spaces, MemoryLimit(32 * kMiB));
    EXPECT_EQ(run.LastError(), 7);
}

TEST(ScriptBudgets, SmallStringsAndNestedArraysCountWhereArraysHoldThem)
{
    // The array alone fits; the strings in it (400 bytes each) do not.
    EXPECT_EQ(ScriptRun("ReDim a(100000)\nFor i = 0 To 100000\na(i) = Space(200) & i\nNext\n", MemoryLimit(16 * kMiB))
                  .LastError(),
              7);
    EXPECT_EQ(ScriptRun("Dim a(100)\nFor i = 0 To 100\nReDim b(100000)\na(i) = b\nNext\n", MemoryLimit(8 * kMiB)).LastError(),
              7);
    // Within the budget the same work succeeds.
    EXPECT_EQ(ScriptRun("ReDim a(10000)\nFor i = 0 To 10000\na(i) = Space(200) & i\nNext\n", MemoryLimit(16 * kMiB))
                  .LastError(),
              0);
}

TEST(ScriptBudgets, ValuesThatDieAreNotCounted)
{
    // 50 strings of 2 MB one after the other, never more than two alive.
    EXPECT_EQ(ScriptRun("For i = 1 To 50\ns = String(1000000, \"x\") & i\nNext\n", MemoryLimit(16 * kMiB)).LastError(), 0);
    // A string built up piece by piece leaves its earlier versions behind:
    // 160 MB made, never more than 17 MB alive.
    EXPECT_EQ(ScriptRun("s = String(100000, \"x\")\nFor i = 1 To 40\ns = s & String(100000, \"y\")\nNext\n",
                        MemoryLimit(32 * kMiB))
                  .LastError(),
              0);
}

TEST(ScriptBudgets, RunTimeBudgetStopsAHookThatRaisesErrorsEndlessly)
{
    ScriptLimits limits;
    limits.maxSteps = INT64_MAX / 2;
    limits.maxMilliseconds = 200;
    ScriptRun run(R"(
Function Spin()
    On Error Resume Next
    Do
        x = 1 / 0
    Loop
End Function
Function Fine()
    Fine = "fine"
End Function
)",
                  limits);
    run.Call("Spin");
    ASSERT_EQ(run.LastError(), 7000);
    // The next call has a budget of its own.
    const size_t errors = run.site.errors.size();
    EXPECT_EQ(ToString(run.Call("Fine")), "fine");
    EXPECT_EQ(run.site.errors.size(), errors);
}

TEST(ScriptBudgets, RunTimeBudgetAppliesToGlobalCode)
{
    ScriptLimits limits;
    limits.maxSteps = INT64_MAX / 2;
    limits.maxMilliseconds = 100;
    ScriptRun run("Function Fine()\nFine = 1\nEnd Function\nDo\nLoop\n", limits);
    EXPECT_EQ(run.LastError(), 7000);
    EXPECT_EQ(ToLong(run.Call("Fine")), 1);
}
