// Built-in functions a rule script reaches for, with the results the
// language reference gives for them.

#include "HostObject.h"
#include "Conversions.h"
#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;

TEST(BuiltinFunctions, StrReverseAndFilter)
{
    ExpectDescribed({
        {"StrReverse(\"abc\")", "String:cba"},
        {"StrReverse(\"\")", "String:"},
        {"StrReverse(Null)", "error 94"},
        {"Join(Filter(Array(\"apple\", \"banana\", \"cherry\"), \"an\"), \",\")", "String:banana"},
        {"Join(Filter(Array(\"apple\", \"banana\", \"cherry\"), \"an\", False), \",\")", "String:apple,cherry"},
        {"Join(Filter(Array(\"Ant\", \"bee\"), \"a\", True, vbTextCompare), \",\")", "String:Ant"},
        {"Join(Filter(Array(\"Ant\", \"bee\"), \"a\"), \",\")", "String:"},
        {"UBound(Filter(Array(\"x\"), \"y\"))", "Long:-1"},
        {"Join(Filter(Array(1, 22, 3), 2), \",\")", "String:22"},
        {"Filter(\"abc\", \"a\")", "error 13"},
        {"Filter(Array(\"a\"), Null)", "error 94"},
    });
}

TEST(BuiltinFunctions, FormatNumberAndFormatPercentUseTheEnglishFormat)
{
    ExpectDescribed({
        {"FormatNumber(20000)", "String:20,000.00"},
        {"FormatNumber(20000, 5)", "String:20,000.00000"},
        {"FormatNumber(.20, , 0)", "String:.20"},
        {"FormatNumber(.20, , -1)", "String:0.20"},
        {"FormatNumber(-50, , , 0)", "String:-50.00"},
        {"FormatNumber(-50, , , -1)", "String:(50.00)"},
        {"FormatNumber(1000000, , , , 0)", "String:1000000.00"},
        {"FormatNumber(1000000, , , , vbUseDefault)", "String:1,000,000.00"},
        {"FormatNumber(1234.5678, 0)", "String:1,235"},
        {"FormatNumber(2.345, 2)", "String:2.35"},
        {"FormatNumber(999.996)", "String:1,000.00"},
        {"FormatNumber(-0.5, 0)", "String:-1"},
        {"FormatNumber(\"1,234.5\", 1)", "String:1,234.5"},
        {"FormatNumber(Empty)", "String:0.00"},
        {"FormatNumber(Null)", "error 13"},
        {"FormatNumber(\"x\")", "error 13"},
        {"FormatNumber(1, -3)", "error 5"},
        {"FormatPercent(0.256)", "String:25.60%"},
        {"FormatPercent(1 / 3, 1)", "String:33.3%"},
        {"FormatPercent(12.5, 0)", "String:1,250%"},
    });
}

TEST(BuiltinFunctions, CSngMakesSinglesThatKeepTheirTypeInArithmetic)
{
    ExpectDescribed({
        {"CSng(1 / 3)", "Single:0.3333333"},
        {"VarType(CSng(1))", "Integer:4"},
        {"CSng(\"1,5\")", "Single:15"},
        {"CSng(1E+39)", "error 6"},
        {"CSng(2) + 1", "Single:3"},
        {"CSng(2) + CLng(1)", "Double:3"},
        {"CSng(2) * 2.5", "Double:5"},
        {"CSng(1) / 4", "Single:0.25"},
        {"-CSng(1.5)", "Single:-1.5"},
        {"Int(CSng(2.5))", "Single:2"},
        {"Abs(CSng(-2))", "Single:2"},
        {"CInt(CSng(2.5))", "Integer:2"},
        {"CDbl(CSng(0.5))", "Double:0.5"},
        {"TypeName(CSng(3.4E+38) * 10)", "String:Double"},
        {"CSng(0.1) = 0.1", "Boolean:False"},
    });
}

TEST(BuiltinFunctions, MathematicalFunctions)
{
    ExpectDescribed({
        {"Sqr(16)", "Double:4"},
        {"Sqr(\"9\")", "Double:3"},
        {"Sqr(-1)", "error 5"},
        {"Sqr(Null)", "error 94"},
        {"Exp(0)", "Double:1"},
        {"Exp(1000)", "error 6"},
        {"Round(Log(Exp(2)), 10)", "Double:2"},
        {"Log(0)", "error 5"},
        {"Round(4 * Atn(1), 5)", "Double:3.14159"},
        {"Sin(0) + Tan(0)", "Double:0"},
        {"Cos(0)", "Double:1"},
        {"RGB(255, 0, 0)", "Long:255"},
        {"RGB(0, 0, 255)", "Long:16711680"},
        {"RGB(1, 2, 3)", "Long:197121"},
        {"RGB(300, 0, 0)", "Long:255"},
        {"RGB(-1, 0, 0)", "error 5"},
    });
}

TEST(BuiltinFunctions, RndFollowsTheLanguagesGeneratorAndRepeatsAfterAReset)
{
    ExpectDescribed({
        {"Rnd", "Single:0.7055475"},    // the first number of every engine
        {"Rnd(-1)", "Single:0.224007"},
    });
    EXPECT_EQ(RunMain(R"(
Function Main
    Dim a, b, c, i, inRange
    Rnd -1 : Randomize 7 : a = Rnd & "," & Rnd
    Rnd -1 : Randomize 7 : b = Rnd & "," & Rnd
    c = Rnd(0) = Rnd(0)
    inRange = True
    Randomize
    For i = 1 To 1000
        c = Rnd
        If c < 0 Or c >= 1 Then inRange = False
    Next
    Main = (a = b) & (Rnd(0) = c) & inRange
End Function
)"),
              "TrueTrueTrue");
}

TEST(BuiltinFunctions, EscapeAndUnescape)
{
    ExpectDescribed({
        {"Escape(\"a b+c/@*_-.x\")", "String:a%20b+c/@*_-.x"},
        {"Escape(ChrW(228) & ChrW(8364) & \"%\")", "String:%E4%u20AC%25"},
        {"Escape(Null)", "Null:Null"},
        {"Unescape(\"%41%u0042%e4\")", "String:AB\u00e4"},
        {"Unescape(\"%zz%u12%4\")", "String:%zz%u12%4"},
        {"Unescape(Escape(\"x=1&y=\" & ChrW(960) & \" \"\"q\"\"\")) = \"x=1&y=\" & ChrW(960) & \" \"\"q\"\"\"",
         "Boolean:True"},
    });
}

TEST(BuiltinFunctions, ByteFunctionsSeeStringsAsUtf16Bytes)
{
    ExpectDescribed({
        {"LenB(\"ab\")", "Long:4"},
        {"LenB(Null)", "Null:Null"},
        {"AscB(\"A\")", "Integer:65"},
        {"AscB(ChrW(321))", "Integer:65"},
        {"AscB(\"\")", "error 5"},
        {"LeftB(\"abc\", 2)", "String:a"},
        {"RightB(\"abc\", 4)", "String:bc"},
        {"MidB(\"abc\", 3, 2)", "String:b"},
        {"MidB(\"abc\", 3)", "String:bc"},
        {"AscW(MidB(\"AB\", 2, 2))", "Integer:16896"},
        {"ChrB(65)", "String:A"},
        {"ChrB(256)", "error 5"},
        // One byte still makes a whole character here.
        {"LenB(ChrB(65))", "Long:2"},
    });
}

TEST(BuiltinFunctions, NumericTextMayGroupThousands)
{
    ExpectDescribed({
        {"IsNumeric(\"1,234.5\")", "Boolean:True"},
        {"CDbl(\"1,234.5\")", "Double:1234.5"},
        {"CLng(\"12,345,678\")", "Long:12345678"},
        {"CDbl(\"-1,000\")", "Double:-1000"},
        {"IsNumeric(\"1,\")", "Boolean:False"},
        {"IsNumeric(\",5\")", "Boolean:False"},
        {"IsNumeric(\"1.5,0\")", "Boolean:False"},
        {"IsNumeric(\"1,,0\")", "Boolean:False"},
    });
}

TEST(BuiltinFunctions, ScriptEngineNamesTheLanguageAndItsVersion)
{
    ExpectDescribed({
        {"ScriptEngine", "String:VBScript"},
        {"ScriptEngineMajorVersion()", "Long:5"},
        {"ScriptEngineMinorVersion", "Long:8"},
        {"TypeName(ScriptEngineBuildVersion)", "String:Long"},
    });
}

TEST(BuiltinFunctions, GetRefCallsTheNamedProcedure)
{
    EXPECT_EQ(RunMain(R"(
Dim log
Function Twice(x)
    Twice = x * 2
End Function
Sub Note(a, b)
    log = log & a & b
End Sub
Function Apply(f, v)
    Apply = f(v)
End Function
Function Main
    Dim f, g
    Set f = GetRef("twice")
    Set g = GetRef("Note")
    g 1, 2
    Call g(3, 4)
    Main = f(4) & Apply(f, 5) & TypeName(f) & log
End Function
)"),
              "810Object1234");
    EXPECT_EQ(ErrorOf("Set f = GetRef(\"Missing\")\n"), 5);
    EXPECT_EQ(ErrorOf("Function F(x)\nEnd Function\nSet r = GetRef(\"F\")\nr 1, 2\n"), 450);
}

TEST(BuiltinFunctions, AProcedureReferenceOutlivingItsEngineFailsCleanly)
{
    Variant ref;
    {
        ScriptRun run("Function F()\nF = 1\nEnd Function\nFunction Ref()\nSet Ref = GetRef(\"F\")\nEnd Function\n");
        ref = run.Call(QStringLiteral("Ref"));
        ASSERT_TRUE(ref.IsObject());
        ASSERT_TRUE(ref.ObjectValue());
        EXPECT_EQ(ToString(ref.ObjectValue()->Invoke(HostObject::kDefaultMember, InvokeKind::Get, {})), "1");
    }
    try {
        ref.ObjectValue()->Invoke(HostObject::kDefaultMember, InvokeKind::Get, {});
        ADD_FAILURE() << "a call into a destroyed engine succeeded";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number, 91);
    }
}
