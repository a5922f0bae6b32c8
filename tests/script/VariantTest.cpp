// Typing, coercion and comparison rules of the language's values.

#include "Conversions.h"
#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;

TEST(VariantTyping, LiteralsTakeTheNarrowestType)
{
    ExpectDescribed({
        {"32767", "Integer:32767"},
        {"32768", "Long:32768"},
        {"-32768", "Long:-32768"},
        {"2147483647", "Long:2147483647"},
        {"2147483648", "Double:2147483648"},
        {"&hFFFF", "Integer:-1"},
        {"&hFFFF&", "Long:65535"},
        {"&h10000", "Long:65536"},
        {"&hFFFFFFFF", "Integer:-1"},
        {"&o17", "Integer:15"},
        {"1.5", "Double:1.5"},
        {"1e3", "Double:1000"},
        {"\"a\"\"b\"", "String:a\"b"},
        {"True", "Boolean:True"},
        {"Empty", "Empty:"},
        {"Null", "Null:Null"},
    });
}

TEST(VariantTyping, ArithmeticWidensInsteadOfOverflowing)
{
    ExpectDescribed({
        {"32767 + 1", "Long:32768"},
        {"CInt(200) * CInt(200)", "Long:40000"},
        {"2147483647 + 1", "Double:2147483648"},
        {"CByte(200) + CByte(100)", "Integer:300"},
        {"CByte(2) + CByte(3)", "Byte:5"},
        {"True + True", "Integer:-2"},
        {"Empty + Empty", "Integer:0"},
        {"-CInt(-32768)", "Long:32768"},
        {"\"3\" + 4", "Double:7"},
        {"\"3\" + \"4\"", "String:34"},
        {"\"3\" + Empty", "String:3"},
        {"\"3\" - \"1\"", "Double:2"},
        {"\"a\" + 1", "error 13"},
        {"Null + 1", "Null:Null"},
    });
}

TEST(VariantTyping, DivisionRules)
{
    ExpectDescribed({
        {"6 / 3", "Double:2"},
        {"7 \\ 2", "Integer:3"},
        {"-7 \\ 2", "Integer:-3"},
        {"7.5 \\ 2", "Long:4"},      // 7.5 rounds to 8 (to even)
        {"6.5 \\ 2", "Long:3"},      // 6.5 rounds to 6
        {"7 Mod 3", "Integer:1"},
        {"-7 Mod 3", "Integer:-1"},
        {"7.5 Mod 3", "Long:2"},
        {"1 / 0", "error 11"},
        {"0 / 0", "error 6"},
        {"1 \\ 0", "error 11"},
        {"1 Mod 0", "error 11"},
        {"2 ^ 10", "Double:1024"},
        {"-2 ^ 2", "Double:4"},
        {"2 ^ -1", "Double:0.5"},
        {"2 ^ 3 ^ 2", "Double:64"},
    });
}

TEST(VariantTyping, ConversionsRoundToEvenAndCheckRanges)
{
    ExpectDescribed({
        {"CInt(2.5)", "Integer:2"},
        {"CInt(3.5)", "Integer:4"},
        {"CInt(-2.5)", "Integer:-2"},
        {"CLng(1.5)", "Long:2"},
        {"CInt(40000)", "error 6"},
        {"CLng(2147483648)", "error 6"},
        {"CByte(256)", "error 6"},
        {"CByte(-1)", "error 6"},
        {"CInt(\" 12 \")", "Integer:12"},
        {"CInt(\"&H10\")", "Integer:16"},
        {"CInt(\"x\")", "error 13"},
        {"CInt(Null)", "error 94"},
        {"CInt(Empty)", "Integer:0"},
        {"CInt(True)", "Integer:-1"},
        {"CBool(\"true\")", "Boolean:True"},
        {"CBool(\"0\")", "Boolean:False"},
        {"CBool(\"yes\")", "error 13"},
        {"CStr(True)", "String:True"},
        {"CStr(1/3)", "String:0.333333333333333"},
        {"CStr(0.1 + 0.2)", "String:0.3"},
        {"CStr(1E20)", "String:1E+20"},
        {"CStr(0.00000015)", "String:1.5E-07"},
        {"CStr(Null)", "error 94"},
        {"CDbl(\"1.5e2\")", "Double:150"},
        {"Int(-1.5)", "Double:-2"},
        {"Fix(-1.5)", "Double:-1"},
        {"Int(5)", "Integer:5"},
        {"Abs(CInt(-32768))", "Long:32768"},
        {"Sgn(-3.2)", "Integer:-1"},
        {"Hex(-1)", "String:FFFF"},
        {"Hex(CLng(-1))", "String:FFFFFFFF"},
        {"Hex(255)", "String:FF"},
    });
}

TEST(VariantComparison, MixedTypeRules)
{
    // Between two variables a number never equals a text; a literal converts
    // the variable on the other side to its own kind.
    const QString vars = QStringLiteral("Dim n, s, e, z\nn = 5\ns = \"5\"\nz = 0\n");
    struct {
        const char* expression;
        const char* expected;
    } cases[] = {
        {"n = s", "Boolean:False"},
        {"n < s", "Boolean:True"},
        {"s > n", "Boolean:True"},
        {"n = \"5\"", "Boolean:True"},
        {"s = 5", "Boolean:True"},
        {"s = 5.0", "Boolean:True"},
        {"5 = \"5\"", "Boolean:False"},
        {"e = 0", "Boolean:True"},
        {"e = \"\"", "Boolean:True"},
        {"e = z", "Boolean:True"},
        {"e = e", "Boolean:True"},
        {"Null = Null", "Null:Null"},
        {"n = Null", "Null:Null"},
        {"\"a\" < \"b\"", "Boolean:True"},
        {"\"B\" < \"a\"", "Boolean:True"},   // binary comparison
        {"\"abc\" = \"ABC\"", "Boolean:False"},
        {"True = -1", "Boolean:True"},
        {"1.0 = 1", "Boolean:True"},
        {"s = \"x\"", "Boolean:False"},
        {"s = 6", "Boolean:False"},
    };
    for (const auto& c : cases) {
        const Variant v = Eval(QString::fromUtf8(c.expression), vars + QStringLiteral("e = Empty\n"));
        const QString text = v.IsNull() ? QStringLiteral("Null") : v.IsString() ? v.StringValue()
                                                                               : (v.BoolValue() ? "True" : "False");
        EXPECT_EQ(TypeName(v) + ":" + text, QString::fromUtf8(c.expected)) << c.expression;
    }
}

TEST(VariantComparison, OnlyLiteralsConvertTheOtherSide)
{
    const QString vars = QStringLiteral("Dim s, t\ns = \"5\"\nt = \"abc\"\n");
    EXPECT_EQ(ToString(Eval("s = 2 + 3", vars)), "False");    // a computed number is no literal
    EXPECT_EQ(ToString(Eval("s = CInt(5)", vars)), "False");
    EXPECT_EQ(ToString(Eval("s = (5)", vars)), "True");
    EXPECT_EQ(ToString(Eval("t = 1", vars)), "False");        // not a number: no conversion, no error
    EXPECT_EQ(ToString(Eval("t > 1", vars)), "True");
    EXPECT_EQ(ToString(Eval("\"10\" > 9", vars)), "True");
    EXPECT_EQ(ToString(Eval("\"10\" > s", vars)), "False"); // text against text
}

TEST(VariantLogic, BitwiseOnNumbersAndNullRules)
{
    ExpectDescribed({
        {"True And False", "Boolean:False"},
        {"5 And 3", "Integer:1"},
        {"5 Or 3", "Integer:7"},
        {"5 Xor 3", "Integer:6"},
        {"Not 0", "Integer:-1"},
        {"Not True", "Boolean:False"},
        {"Not CByte(1)", "Byte:254"},
        {"True Eqv True", "Boolean:True"},
        {"False Imp False", "Boolean:True"},
        {"True Imp False", "Boolean:False"},
        {"Null And False", "Boolean:False"},
        {"Null And True", "Null:Null"},
        {"Null Or True", "Boolean:True"},
        {"Null Or False", "Null:Null"},
        {"False Imp Null", "Boolean:True"},
        {"Null Imp True", "Boolean:True"},
        {"Not Null", "Null:Null"},
        {"65536 And 65535", "Long:0"},
        {"1.6 Or 0", "Long:2"},
    });
}

TEST(VariantStrings, ConcatenationAndBuiltins)
{
    ExpectDescribed({
        {"\"a\" & Null", "String:a"},
        {"Null & Null", "Null:Null"},
        {"1 & 2", "String:12"},
        {"Len(12345)", "Long:5"},
        {"Len(Null)", "Null:Null"},
        {"Mid(\"abcdef\", 2, 3)", "String:bcd"},
        {"Mid(\"abc\", 5)", "String:"},
        {"Mid(\"abc\", 0)", "error 5"},
        {"Left(\"abc\", 5)", "String:abc"},
        {"Right(\"abc\", 2)", "String:bc"},
        {"InStr(\"abcabc\", \"c\")", "Long:3"},
        {"InStr(4, \"abcabc\", \"c\")", "Long:6"},
        {"InStr(1, \"ABC\", \"b\", vbTextCompare)", "Long:2"},
        {"InStr(\"abc\", \"\")", "Long:1"},
        {"InStr(\"\", \"a\")", "Long:0"},
        {"InStrRev(\"abcabc\", \"b\")", "Long:5"},
        {"InStrRev(\"abcabc\", \"b\", 4)", "Long:2"},
        {"Replace(\"aXbXc\", \"X\", \"-\")", "String:a-b-c"},
        {"Replace(\"aXbXc\", \"x\", \"-\", 1, -1, vbTextCompare)", "String:a-b-c"},
        {"Replace(\"aXbXc\", \"X\", \"-\", 3)", "String:b-c"},
        {"Replace(\"aXbXc\", \"X\", \"-\", 1, 1)", "String:a-bXc"},
        {"Join(Split(\"a,b,,c\", \",\"), \"|\")", "String:a|b||c"},
        {"UBound(Split(\"\"))", "Long:-1"},
        {"UBound(Split(\"a b c\", \" \", 2))", "Long:1"},
        {"Split(\"a b c\", \" \", 2)(1)", "String:b c"},
        {"Trim(\"  a b  \")", "String:a b"},
        {"LTrim(\"  a \")", "String:a "},
        {"UCase(\"aBc\") & LCase(\"AbC\")", "String:ABCabc"},
        {"Asc(\"A\")", "Integer:65"},
        {"Asc(Chr(128))", "Integer:128"},
        {"AscW(Chr(128))", "Integer:8364"},
        {"ChrW(8364) = Chr(128)", "Boolean:True"},
        {"Asc(\"\")", "error 5"},
        {"StrComp(\"a\", \"B\")", "Integer:1"},
        {"StrComp(\"a\", \"B\", 1)", "Integer:-1"},
        {"Space(3) & \"|\"", "String:   |"},
        {"String(3, \"xy\")", "String:xxx"},
        {"String(2, 65)", "String:AA"},
        {"IsNumeric(\" 1.5 \")", "Boolean:True"},
        {"IsNumeric(\"1.5x\")", "Boolean:False"},
        {"IsNumeric(Empty)", "Boolean:True"},
        {"IsNumeric(Null)", "Boolean:False"},
        {"TypeName(Array())", "String:Variant()"},
        {"VarType(Array(1))", "Integer:8204"},
        {"VarType(\"\")", "Integer:8"},
        {"TypeName(Nothing)", "String:Nothing"},
        {"CreateObject(\"Scripting.FileSystemObject\")", "error 429"},
    });
}

TEST(VariantLimits, HugeStringsFailInsteadOfExhaustingMemory)
{
    EXPECT_EQ(Describe("Space(2000000000)"), "error 14");
    EXPECT_EQ(ErrorOf("Dim s\ns = String(1000000, \"x\")\nDo\ns = s & s\nLoop"), 14);
    EXPECT_EQ(ErrorOf("ReDim a(100000000)"), 7);
}
