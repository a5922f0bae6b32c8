// Statements, procedures and name binding.

#include "Conversions.h"
#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;

namespace {

QString Text(const Variant& v)
{
    return ToString(v);
}

// A host object with a keyword-named property and a collection.
class Bag : public HostObject {
public:
    QString TypeName() const override { return QStringLiteral("Bag"); }
    const MemberTable* Members() const override
    {
        static const MemberTable table{{"item", 0}, {"next", 1}, {"count", 2}, {"end", 3}};
        return &table;
    }
    Variant Invoke(int id, InvokeKind kind, std::span<Variant> args) override
    {
        switch (id) {
        case 0: return Variant::Long(ToLong(args[0]) * 10);
        case 1:
            if (kind == InvokeKind::Put)
                next = args[0];
            return next;
        case 2: return Variant::Long(3);
        case 3: return Variant::String(QStringLiteral("end"));
        }
        ThrowNoSuchMember();
    }
    bool Enumerate(std::vector<Variant>* items) override
    {
        for (int i = 1; i <= 3; ++i)
            items->push_back(Variant::Long(i));
        return true;
    }
    Variant next;
};

}  // namespace

TEST(Procedures, ByRefIsTheDefaultAndAliasesTheCallersVariable)
{
    EXPECT_EQ(RunMain(R"(
Sub Inc(x)
    x = x + 1
End Sub
Sub IncVal(ByVal x)
    x = x + 1
End Sub
Function Main
    Dim a, b, c
    a = 1 : b = 1 : c = 1
    Inc a            ' by reference
    IncVal b         ' by value
    Inc (c)          ' parenthesised: a copy
    Call Inc(a)      ' Call passes by reference
    Main = a & "," & b & "," & c
End Function
)"),
              "3,1,1");
}

TEST(Procedures, ByRefAliasesAcrossNestedCallsAndGlobals)
{
    EXPECT_EQ(RunMain(R"(
Dim g
Sub Twice(ByRef x)
    Inc x
    Inc x
End Sub
Sub Inc(x)
    x = x + 1
End Sub
Sub Swap(a, b)
    Dim t : t = a : a = b : b = t
End Sub
Function Main
    Dim p, q
    g = 10
    Twice g
    p = "p" : q = "q"
    Swap p, q
    Main = g & p & q
End Function
)"),
              "12qp");
}

TEST(Procedures, FunctionNameIsTheResultVariable)
{
    EXPECT_EQ(RunMain(R"(
Function Fact(n)
    If n <= 1 Then
        Fact = 1
    Else
        Fact = n * Fact(n - 1)
    End If
End Function
Function Acc()
    Acc = 1
    Acc = Acc + 1
End Function
Function Nothing1()
End Function
Function Main
    Main = Fact(10) & "," & Acc() & "," & TypeName(Nothing1())
End Function
)"),
              "3628800,2,Empty");
}

TEST(Procedures, ExitLeavesTheRightConstruct)
{
    EXPECT_EQ(RunMain(R"(
Function Main
    Dim i, j, s
    For i = 1 To 3
        Do
            j = j + 1
            If j > 2 Then Exit Do
        Loop
        If i = 2 Then Exit For
        s = s & i
    Next
    Main = s & ":" & i & ":" & j & ":" & Early()
End Function
Function Early()
    Early = "a"
    Exit Function
    Early = "b"
End Function
)"),
              "1:2:4:a");
}

TEST(Procedures, ParenthesesOnASubCallWithSeveralArgumentsAreAnError)
{
    ScriptRun run("Sub S(a, b)\nEnd Sub\nS(1, 2)\n");
    EXPECT_EQ(run.LastError(), 1044);
    EXPECT_EQ(ErrorOf("Sub S(a)\nEnd Sub\nS 1, 2\n"), 450);
}

TEST(Procedures, ArgumentExpressionMayStartWithParentheses)
{
    EXPECT_EQ(RunMain(R"(
Dim r
Sub Put2(a, b)
    r = a & "/" & b
End Sub
Function Main
    Put2 (1) + 2, 4
    Main = r
End Function
)"),
              "3/4");
}

TEST(Logic, AndOrNeverShortCircuit)
{
    EXPECT_EQ(RunMain(R"(
Dim calls
Function T()
    calls = calls + 1
    T = True
End Function
Function Main
    Dim x
    x = False And T()
    x = True Or T()
    If False And T() Then x = 1
    Main = calls
End Function
)"),
              "3");
}

TEST(Binding, DeclarationsAndProceduresAreHoisted)
{
    EXPECT_EQ(RunMain(R"(
Option Explicit
r = Later(2)
Dim r
Function Main
    Main = r & "," & Inner()
End Function
Function Later(x)
    Later = x * K
End Function
Const K = 21
Function Inner()
    y = 5
    Inner = y
    Dim y
End Function
)"),
              "42,5");
}

TEST(Binding, OptionExplicitRejectsUndeclaredNamesWhenUsed)
{
    ScriptRun run("Option Explicit\nDim a\na = 1\nb = 2\n");
    ASSERT_EQ(run.site.errors.size(), 1u);
    EXPECT_EQ(run.site.errors[0].number, 500);
    EXPECT_EQ(run.site.errors[0].line, 4u);
    EXPECT_EQ(run.site.errors[0].description, "Variable is undefined: 'b'");
    // Without it, names are created on first use, locally in a procedure.
    EXPECT_EQ(RunMain("x = 1\nFunction Main\nz = 5\nMain = x + z\nEnd Function\nFunction Z2\nZ2 = z\nEnd Function"), "6");
    ScriptRun local("Function Main\nz = 5\nEnd Function\nFunction Z2\nZ2 = IsEmpty(z)\nEnd Function");
    local.Call("Main");
    EXPECT_EQ(Text(local.Call("Z2")), "True");
}

TEST(Binding, NamesAreCaseInsensitiveAndRedefinitionFails)
{
    EXPECT_EQ(RunMain("dim ABC\nabc = 3\nFUNCTION main\nMAIN = Abc\nEND FUNCTION"), "3");
    EXPECT_EQ(ErrorOf("Dim a\nDim A\n"), 1041);
    EXPECT_EQ(ErrorOf("Sub S(x)\nDim x\nEnd Sub\n"), 1041);
    EXPECT_EQ(ErrorOf("Const C = 1\nC = 2\n"), 501);
}

TEST(Statements, IfElseIfAndSingleLineForms)
{
    EXPECT_EQ(RunMain(R"(
Function Grade(n)
    If n >= 90 Then
        Grade = "A"
    ElseIf n >= 80 Then
        Grade = "B"
    Else
        Grade = "C"
    End If
End Function
Function Main
    Dim s, x
    If Null Then s = "null" Else s = "notnull"
    If 1 Then x = 1 : x = x + 1 Else x = 9
    Main = Grade(95) & Grade(85) & Grade(10) & s & x
End Function
)"),
              "ABCnotnull2");
}

TEST(Statements, SelectCaseMatchesLists)
{
    EXPECT_EQ(RunMain(R"(
Function Kind(v)
    Select Case v
        Case 1, 2
            Kind = "small"
        Case "x"
            Kind = "text"
        Case Else
            Kind = "other"
    End Select
End Function
Function Main
    Main = Kind(2) & Kind("x") & Kind(7) & Kind("2")
End Function
)"),
              "smalltextothersmall");
}

TEST(Statements, ForEvaluatesBoundsOnceAndSupportsSteps)
{
    EXPECT_EQ(RunMain(R"(
Function Main
    Dim i, n, s
    n = 3
    For i = 1 To n
        n = 10
        s = s & i
    Next
    For i = 10 To 1 Step -4
        s = s & "," & i
    Next
    For i = 0 To 1 Step 0.5
        s = s & ";" & i
    Next
    For i = 5 To 1
        s = s & "never"
    Next
    Main = s & "|" & i
End Function
)"),
              "123,10,6,2;0;0.5;1|5");
}

TEST(Statements, DoWhileUntilAndWend)
{
    EXPECT_EQ(RunMain(R"(
Function Main
    Dim i, s
    i = 0
    Do While i < 3
        i = i + 1
    Loop
    s = i
    Do
        i = i + 1
    Loop Until i >= 5
    s = s & i
    Do Until i = 7
        i = i + 1
    Loop
    s = s & i
    Do
        i = i + 1
    Loop While i < 0
    s = s & i
    While i < 10
        i = i + 1
    Wend
    Main = s & i
End Function
)"),
              "357810");
}

TEST(Statements, ArraysCopyOnAssignmentAndRedim)
{
    EXPECT_EQ(RunMain(R"(
Function Main
    Dim a(2), b, m(1, 2), s
    a(0) = "x"
    b = a
    b(0) = "y"
    m(1, 2) = 7
    ReDim d(1)
    d(1) = "keep"
    ReDim Preserve d(3)
    s = a(0) & b(0) & m(1, 2) & UBound(m, 2) & d(1) & UBound(d)
    ReDim d(1)
    s = s & "[" & d(1) & "]"
    Main = s
End Function
)"),
              "xy72keep3[]");
    EXPECT_EQ(ErrorOf("Dim a(2)\nReDim a(3)\n"), 10);
    EXPECT_EQ(ErrorOf("Dim a(2)\na(3) = 1\n"), 9);
    EXPECT_EQ(ErrorOf("Dim a\na(0) = 1\n"), 13);
    EXPECT_EQ(ErrorOf("ReDim a(2147483647)\n"), 7);
}

TEST(Statements, ArrayReplacedWhileItsSubscriptIsComputed)
{
    // The subscript's function replaces the array; the read uses the array
    // as it was when the expression started, the write the new one.
    EXPECT_EQ(RunMain(R"(
Dim a
Function Index()
    a = Array("new0", "new1")
    Index = 1
End Function
Function Main
    a = Array("old0", "old1")
    Main = a(Index())
    a(Index()) = "set"
    Main = Main & "," & a(1)
End Function
)"),
              "old1,set");
}

TEST(Statements, ForEachOverArraysAndHostCollections)
{
    ScriptRun run;
    run.site.items.push_back({QStringLiteral("Bag"), std::make_shared<Bag>()});
    run.Load(R"(
Function Main
    Dim x, s, a
    a = Array(1, "two", 3)
    For Each x In a
        s = s & x
        a(0) = "changed"   ' the loop walks the array as it was
    Next
    For Each x In Bag
        s = s & "," & x
    Next
    Main = s
End Function
)");
    EXPECT_EQ(Text(run.Call("Main")), "1two3,1,2,3");
    EXPECT_EQ(ErrorOf("Dim x\nFor Each x In 5\nNext\n"), 451);
}

TEST(Statements, MembersMayBeKeywordsAndWithBlocksApply)
{
    ScriptRun run;
    run.site.items.push_back({QStringLiteral("Bag"), std::make_shared<Bag>()});
    run.Load(R"(
Function Main
    Dim s
    Bag.Next = "n"
    s = Bag.item(4) & Bag(5) & Bag.Next & Bag.End & Bag.COUNT
    With Bag
        .next = "w"
        s = s & .Next & .Item(1)
    End With
    Main = s
End Function
)");
    EXPECT_EQ(Text(run.Call("Main")), "4050nend3w10");
    EXPECT_EQ(ErrorOf("Dim o\nSet o = Nothing\no.x = 1\n"), 91);
    EXPECT_EQ(ErrorOf("Dim o\no = 1\no.x = 1\n"), 424);
}

TEST(Syntax, ContinuationsCommentsAndSeparators)
{
    EXPECT_EQ(RunMain("Function Main ' comment\n"
                      "  Rem another comment\n"
                      "  Dim s : s = \"a\" & _\n"
                      "      \"b\"   ' trailing\n"
                      "  Main = s : Rem after a separator\n"
                      "End Function\n"),
              "ab");
}

TEST(Syntax, ParseErrorsRejectTheWholeScriptWithTheirPosition)
{
    ScriptRun run("Dim a\na = 1\nIf a Then\n  a = 2\nEnd Sub\n");
    ASSERT_EQ(run.site.errors.size(), 1u);
    EXPECT_EQ(run.site.errors[0].number, 1012);   // Expected 'If'
    EXPECT_EQ(run.site.errors[0].line, 5u);
    EXPECT_EQ(run.site.errors[0].position, 4);
    // Nothing of the script runs or is defined.
    int32_t id;
    EXPECT_EQ(run.engine.GetScriptDispatch()->GetIDsOfNames("a", &id), DISP_E_UNKNOWNNAME);

    EXPECT_EQ(ErrorOf("x = \"unterminated\n"), 1033);
    EXPECT_EQ(ErrorOf("x = 1 +\n"), 1023);
    EXPECT_EQ(ErrorOf("x = (1\n"), 1006);
    EXPECT_EQ(ErrorOf("For i = 1 To 2\n"), 1020);
    EXPECT_EQ(ErrorOf("Exit For\n"), 1039);
    EXPECT_EQ(ErrorOf("x = 1 $ 2\n"), 1032);
    EXPECT_EQ(ErrorOf("Class C\nEnd Class\n"), 1047);
}

TEST(Syntax, DeepNestingFailsCleanly)
{
    EXPECT_EQ(ErrorOf("x = " + QString(5000, '(') + "1" + QString(5000, ')')), 28);
    QString chain = "x = 1";
    for (int i = 0; i < 5000; ++i)
        chain += " + 1";
    EXPECT_EQ(ErrorOf(chain), 28);
    QString ifs;
    for (int i = 0; i < 500; ++i)
        ifs += "If 1 Then\n";
    EXPECT_EQ(ErrorOf(ifs), 28);
}
