// Run-time errors: numbers, On Error, the Err object, reporting and the
// safety limits.

#include "Conversions.h"
#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;

TEST(ErrorNumbers, CommonRuntimeErrors)
{
    EXPECT_EQ(ErrorOf("x = 1 / 0"), 11);
    EXPECT_EQ(ErrorOf("x = CInt(\"a\")"), 13);
    EXPECT_EQ(ErrorOf("Dim a(1)\nx = a(2)"), 9);
    EXPECT_EQ(ErrorOf("Dim o\nx = o.Name"), 424);
    EXPECT_EQ(ErrorOf("Dim o\nSet o = Nothing\nx = o.Name"), 91);
    EXPECT_EQ(ErrorOf("Set x = 5"), 424);
    EXPECT_EQ(ErrorOf("x = Len(1, 2)"), 450);
    EXPECT_EQ(ErrorOf("x = Mid(\"a\", -1)"), 5);
    EXPECT_EQ(ErrorOf("x = CLng(Null)"), 94);
    EXPECT_EQ(ErrorOf("NoSuchSub 1"), 13);
    EXPECT_EQ(ErrorOf("x = Err.NoSuchMember"), 438);
    EXPECT_EQ(ErrorOf("Err.Raise 1234"), 1234);
}

TEST(OnError, ResumeNextContinuesAndRecordsTheError)
{
    ScriptRun run(R"(
Dim log
Function Main
    On Error Resume Next
    Dim x
    x = 1 / 0
    log = log & Err.Number & "|" & Err.Description & "|"
    Err.Clear
    log = log & Err.Number & "|"
    x = CInt("q")
    log = log & Err.Number & "|"
    On Error GoTo 0
    log = log & Err.Number
    Main = log
End Function
)");
    EXPECT_EQ(ToString(run.Call("Main")), "11|Division by zero|0|13|0");
    EXPECT_EQ(run.LastError(), 0);
}

TEST(OnError, IsPerProcedureAndErrorsUnwindToTheHandler)
{
    ScriptRun run(R"(
Dim trace
Sub Inner
    trace = trace & "a"
    x = 1 / 0
    trace = trace & "never"
End Sub
Sub Outer
    On Error Resume Next
    Inner
    trace = trace & "b" & Err.Number
End Sub
Sub Unprotected
    On Error Resume Next
    Helper
End Sub
Sub Helper
    ' The caller's Resume Next does not apply inside this procedure.
    Err.Raise 5
    trace = trace & "not here"
End Sub
Function Main
    Outer
    Unprotected
    trace = trace & "c"
    Main = trace
End Function
)");
    EXPECT_EQ(ToString(run.Call("Main")), "ab11c");
}

TEST(OnError, ExitFromAnErrorHandlingProcedureClearsErr)
{
    ScriptRun run(R"(
Function Guarded(early)
    On Error Resume Next
    Err.Raise 5
    If early Then Exit Function
End Function
Function Main
    Guarded True
    Main = Err.Number
    Guarded False
    Main = Main & "," & Err.Number
End Function
)");
    EXPECT_EQ(ToString(run.Call("Main")), "0,5");
}

TEST(OnError, FailingIfConditionEntersTheBranch)
{
    ScriptRun run(R"(
Function Main
    On Error Resume Next
    If 1 / 0 = 1 Then
        Main = "then"
    Else
        Main = "else"
    End If
End Function
)");
    EXPECT_EQ(ToString(run.Call("Main")), "then");
}

TEST(OnError, RaiseCarriesNumberSourceAndDescription)
{
    ScriptRun run(R"(
Function Main
    On Error Resume Next
    Err.Raise vbObjectError + 7, "MyRules", "custom failure"
    Main = (Err.Number - vbObjectError) & "|" & Err.Source & "|" & Err.Description
    Err.Raise 6
    Main = Main & "|" & Err.Description
End Function
)");
    EXPECT_EQ(ToString(run.Call("Main")), "7|MyRules|custom failure|Overflow");
}

TEST(ErrorReport, LineIsTheFailingStatementsAsWritten)
{
    ScriptRun run("Function F(x)\n"
                  "  Dim y\n"
                  "  y = x * 2\n"
                  "  F = y / 0\n"
                  "End Function\n");
    run.Call("F", std::vector<Variant>{Variant::Integer(3)});
    ASSERT_EQ(run.site.errors.size(), 1u);
    EXPECT_EQ(run.site.errors[0].number, 11);
    EXPECT_EQ(run.site.errors[0].line, 4u);
    EXPECT_EQ(run.site.errors[0].description, "Division by zero");
    EXPECT_EQ(run.lastResult, DISP_E_EXCEPTION);

    // An error inside a called procedure is reported at its own line.
    ScriptRun nested("Sub Deep\n  Err.Raise 9\nEnd Sub\nSub Top\n  Deep\nEnd Sub\n");
    nested.Call("Top");
    ASSERT_EQ(nested.site.errors.size(), 1u);
    EXPECT_EQ(nested.site.errors[0].line, 2u);
}

TEST(ErrorReport, GlobalCodeErrorsFailTheStart)
{
    ScriptRun run("Dim a\na = 1\na = a / 0\n");
    EXPECT_EQ(run.lastResult, SCRIPT_E_REPORTED);
    ASSERT_EQ(run.site.errors.size(), 1u);
    EXPECT_EQ(run.site.errors[0].line, 3u);
}

TEST(Safety, RunawayRecursionIsStoppedAndTheEngineStaysUsable)
{
    ScriptRun run(R"(
Function Forever(n)
    On Error Resume Next
    Forever = Forever(n + 1)
End Function
Function Fine()
    Fine = 42
End Function
)");
    run.Call("Forever", std::vector<Variant>{Variant::Integer(0)});
    ASSERT_EQ(run.site.errors.size(), 1u);
    EXPECT_EQ(run.site.errors[0].number, 28);
    EXPECT_EQ(run.lastResult, DISP_E_EXCEPTION);
    EXPECT_EQ(ToString(run.Call("Fine")), "42");
    EXPECT_EQ(run.lastResult, S_OK);
}

TEST(Safety, EndlessLoopsRunOutOfSteps)
{
    ScriptLimits limits;
    limits.maxSteps = 100000;
    ScriptRun run(R"(
Sub Spin
    On Error Resume Next
    Do
    Loop
End Sub
Sub Busy
    Dim i
    For i = 1 To 60000
    Next
End Sub
)",
                  limits);
    run.Call("Spin");
    ASSERT_EQ(run.site.errors.size(), 1u);
    EXPECT_EQ(run.site.errors[0].number, kErrScriptTimeout);
    // The budget is per host call: a call within it succeeds afterwards.
    run.Call("Busy");
    EXPECT_EQ(run.lastResult, S_OK);
    run.Call("Busy");
    EXPECT_EQ(run.lastResult, S_OK);
}

TEST(Safety, EndlessGlobalCodeIsStoppedToo)
{
    ScriptLimits limits;
    limits.maxSteps = 10000;
    ScriptRun run("While True\nWend\n", limits);
    EXPECT_EQ(run.LastError(), kErrScriptTimeout);
    EXPECT_EQ(run.engine.GetScriptState(), ScriptState::Started);
}
