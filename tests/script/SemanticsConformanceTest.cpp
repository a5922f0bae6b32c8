// Semantics as the language reference defines them: operator precedence,
// the type of hexadecimal literals, array elements passed ByRef, arrays
// declared further down, fixed arrays, boolean texts, argument forms of
// call statements and case changes.

#include "Conversions.h"
#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;

TEST(SemanticsConformance, ASignBindsTighterThanExponentiation)
{
    ExpectDescribed({
        {"-3 ^ 2", "Double:9"},
        {"2 ^ 3 ^ 2", "Double:64"},
        {"-2 ^ -2", "Double:0.25"},
        {"-3 ^ 2 + 1", "Double:10"},
        {"2 * -3 ^ 2", "Double:18"},
        {"10 - -2 ^ 2", "Double:6"},
    });
    EXPECT_EQ(ToString(Eval("-x ^ 2", "Dim x\nx = 3\n")), "9");
}

TEST(SemanticsConformance, HexadecimalLiteralsTakeTheNarrowestTypeOfTheirValue)
{
    ExpectDescribed({
        {"&h10&", "Integer:16"},
        {"&H7FFF&", "Integer:32767"},
        {"&h8000&", "Long:32768"},
        {"&h8000", "Integer:-32768"},
        {"&hFFFF&", "Long:65535"},
        {"&h7FFFFFFF", "Long:2147483647"},
        {"&h80000000", "Long:-2147483648"},
        {"&o177777&", "Long:65535"},
    });
}

TEST(SemanticsConformance, ArrayElementsPassedByReferenceAreChangedByTheCallee)
{
    EXPECT_EQ(RunMain(R"(
Dim g(2)
Sub Inc(x)
    x = x + 1
End Sub
Sub Swap(a, b)
    Dim t : t = a : a = b : b = t
End Sub
Sub SetAndRead(x, ByRef seen)
    x = "new"
    seen = g(0)      ' the element itself, not a copy
End Sub
Sub Twice(x)
    Inc x
    Inc x
End Sub
Function Main
    Dim a(2), m(1, 1), d, seen
    a(1) = 5
    Inc a(1)
    Inc (a(1))       ' parenthesised: a copy
    a(0) = "L" : a(2) = "R"
    Swap a(0), a(2)
    m(1, 0) = 1
    Twice m(1, 0)
    ReDim d(0)
    d(0) = 1
    Inc d(0)
    g(0) = "old"
    SetAndRead g(0), seen
    Main = a(0) & a(1) & a(2) & m(1, 0) & d(0) & seen & g(0)
End Function
)"),
              "R6L32newnew");
}

TEST(SemanticsConformance, AnArrayWithALentElementKeepsItsShape)
{
    // ReDim or Erase of the array while one of its elements is a ByRef
    // argument fails with error 10; afterwards the array is free again.
    EXPECT_EQ(RunMain(R"(
Dim d, n
Sub Grow(x)
    On Error Resume Next
    ReDim d(10)
    n = Err.Number
    Err.Clear
    Erase d
    n = n & "," & Err.Number
    x = "kept"
End Sub
Function Main
    ReDim d(1)
    Grow d(1)
    ReDim Preserve d(3)
    Main = n & "," & d(1) & "," & UBound(d)
End Function
)"),
              "10,10,kept,3");
    // A copy taken meanwhile is an ordinary array of its own.
    EXPECT_EQ(RunMain(R"(
Dim d, c
Sub Take(x)
    c = d
    x = "changed"
    ReDim Preserve c(5)
End Sub
Function Main
    d = Array("a", "b")
    Take d(0)
    Main = d(0) & c(0) & UBound(c)
End Function
)"),
              "changeda5");
}

TEST(SemanticsConformance, DimensionedArraysExistBeforeTheirDimLineRuns)
{
    EXPECT_EQ(RunMain(R"(
Option Explicit
a(1) = 5
Function Main
    b(2, 0) = "x"
    Main = a(1) & UBound(a) & b(2, 0) & UBound(b, 2) & TypeName(c)
    Dim b(2, 3), c()
End Function
Dim a(3)
)"),
              "53x3Variant()");
}

TEST(SemanticsConformance, ReDimOfAFixedArrayFailsWithError10)
{
    EXPECT_EQ(ErrorOf("ReDim a(5)\nDim a(3)\n"), 10);   // fixed from the start of its scope
    EXPECT_EQ(ErrorOf("Dim a(3)\nReDim Preserve a(5)\n"), 10);
    EXPECT_EQ(ErrorOf("Dim a(3)\nErase a\nReDim a(5)\n"), 10);
    EXPECT_EQ(ErrorOf("Dim a(3)\nSub S\nReDim a(5)\nEnd Sub\nS\n"), 10);
    EXPECT_EQ(ErrorOf("Sub S(x)\nReDim x(5)\nEnd Sub\nDim a(3)\nS a\n"), 10);
    // A copy of a fixed array is dynamic.
    EXPECT_EQ(RunMain("Dim a(3)\nFunction Main\nDim b\nb = a\nReDim b(5)\nMain = UBound(b) & UBound(a)\nEnd Function\n"),
              "53");
}

TEST(SemanticsConformance, BooleanTextsIncludeTheHashForms)
{
    ExpectDescribed({
        {"CBool(\"#TRUE#\")", "Boolean:True"},
        {"CBool(\"#FALSE#\")", "Boolean:False"},
        {"CBool(\" True \")", "Boolean:True"},
        {"Not \"#TRUE#\"", "Boolean:False"},
        {"CBool(\"#YES#\")", "error 13"},
    });
    EXPECT_EQ(RunMain("Function Main\nMain = \"no\"\nIf \"#TRUE#\" Then Main = \"yes\"\nEnd Function\n"), "yes");
    EXPECT_EQ(RunMain("Function Main\nDim n\nDo While \"#FALSE#\"\nn = n + 1\nLoop\nMain = n & \"\"\nEnd Function\n"), "");
}

TEST(SemanticsConformance, AParenthesisedArgumentMayBeFollowedByMoreOfItsExpression)
{
    EXPECT_EQ(RunMain(R"(
Dim shown
Sub Show(x)
    shown = shown & x & ";"
End Sub
Sub Show2(x, y)
    shown = shown & x & y & ";"
End Sub
Function Pair()
    Pair = Array("p", "q")
End Function
Function Main
    Dim a
    a = Array(1, 2)
    Show (a)(1)
    Show (Array("x", "y"))(0)
    Show (Pair)(1)
    Show (Pair())(0) & "!"
    Show2 (a)(0), "b"
    Show (1) + 1
    Main = shown
End Function
)"),
              "2;x;q;p!;1b;2;");
}

TEST(SemanticsConformance, CaseChangesKeepTheLength)
{
    ExpectDescribed({
        {"Len(UCase(ChrW(223)))", "Long:1"},
        {"AscW(UCase(ChrW(223)))", "Integer:223"},
        {"UCase(\"stra\" & ChrW(223) & \"e\") = \"STRA\" & ChrW(223) & \"E\"", "Boolean:True"},
        {"Len(LCase(ChrW(304)))", "Long:1"},
        {"AscW(UCase(ChrW(228)))", "Integer:196"},
        {"LCase(\"MiXeD\")", "String:mixed"},
    });
}
