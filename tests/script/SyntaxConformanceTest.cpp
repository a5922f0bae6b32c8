// Syntax the language accepts and a rule script may use: operator
// spellings, line continuations, the single-line If in all its forms,
// procedures defined inside blocks and statements that end at "End Sub".

#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;

TEST(SyntaxConformance, ComparisonOperatorsMayBeWrittenWithTheEqualsSignFirst)
{
    EXPECT_EQ(RunMain(R"(
Function Main
    Main = (2 => 2) & (1 => 2) & (2 =< 2) & (3 =< 2) & (3 >= 2) & (3 <= 2)
End Function
)"),
              "TrueFalseTrueFalseTrueFalse");
}

TEST(SyntaxConformance, LineContinuationMayFollowATokenDirectly)
{
    EXPECT_EQ(RunMain("Function Main\n"
                      "    Dim x, y\n"
                      "    x =_\n"
                      "      5\n"
                      "    y = \"a\"&_\n"
                      "      \"b\" & Twice(_\n"
                      "      x)\n"
                      "    Main = x & y\n"
                      "End Function\n"
                      "Function Twice(n)\n"
                      "    Twice = n * 2\n"
                      "End Function\n"),
              "5ab10");
    // Inside a name the underscore is part of the name.
    EXPECT_EQ(RunMain("Function Main\nDim a_\na_ = 3\nMain = a_\nEnd Function\n"), "3");
}

TEST(SyntaxConformance, SingleLineIfMayStartWithAnEmptyStatementAndEndWithEndIf)
{
    EXPECT_EQ(RunMain(R"(
Function Main
    Dim s
    If True Then : s = s & "a"
    If False Then : s = s & "b"
    If True Then :
    s = s & "c"
    If True Then s = s & "d" End If
    If False Then s = s & "e" Else s = s & "f" End If
    If False Then s = s & "g" Else s = s & "h":End If
    If True Then s = s & "i" : s = s & "j" : End If
    If False Then Else s = s & "k"
    Main = s
End Function
)"),
              "acdfhijk");
    // A trailing End If belongs to the innermost single-line If.
    EXPECT_EQ(RunMain("Function Main\nMain = 0\nIf True Then If False Then Main = 1 Else Main = 2 End If\nEnd Function\n"),
              "2");
    // "If c Then :" is complete on its line; an End If below it has no If.
    EXPECT_EQ(ErrorOf("If True Then :\nx = 1\nEnd If\n"), 1024);
}

TEST(SyntaxConformance, ProceduresInsideBlocksAreGlobal)
{
    EXPECT_EQ(RunMain(R"(
If False Then
    Function Hidden(x)
        Hidden = x * 3
    End Function
End If
For i = 1 To 2
    Sub Inner(ByRef v)
        v = v & "!"
    End Sub
Next
Function Main
    Dim s
    s = "x"
    Inner s
    Main = Hidden(2) & s
End Function
)"),
              "6x!");
    // Not inside a procedure, and the loop around a definition is not its own.
    EXPECT_EQ(ErrorOf("Sub Outer\nIf True Then\nSub Nested\nEnd Sub\nEnd If\nEnd Sub\n"), 1024);
    EXPECT_EQ(ErrorOf("For i = 1 To 2\nSub S\nExit For\nEnd Sub\nNext\n"), 1039);
    EXPECT_EQ(ErrorOf("If True Then Sub S\n"), 1024);
}

TEST(SyntaxConformance, TheLastStatementOfAProcedureMayShareTheLineWithItsEnd)
{
    EXPECT_EQ(RunMain(R"(
Dim g
Sub SetG(v) : g = v End Sub
Function Two() : Two = 2 End Function
Function Main
    SetG 5
    Main = g & Two()
End Function
)"),
              "52");
    // Only the end of the procedure itself.
    EXPECT_EQ(ErrorOf("Sub S\nx = 1 End Function\n"), 1025);
    EXPECT_EQ(ErrorOf("x = 1 End Sub\n"), 1025);
}
