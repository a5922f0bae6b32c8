// The engine as the host drives it: states, site callbacks, several texts,
// named items and the global dispatch.

#include "Conversions.h"
#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;

namespace {

class Counter : public HostObject {
public:
    QString TypeName() const override { return QStringLiteral("Counter"); }
    const MemberTable* Members() const override
    {
        static const MemberTable table{{"value", 0}, {"add", 1}};
        return &table;
    }
    Variant Invoke(int id, InvokeKind kind, std::span<Variant> args) override
    {
        if (id == 0 && kind == InvokeKind::Get && args.empty())
            return Variant::Long(value);
        if (id == 0 && kind == InvokeKind::Put) {   // obj(i) = v and obj.value = v
            value = ToLong(args.back()) + (args.size() > 1 ? ToLong(args[0]) : 0);
            return {};
        }
        if (id == 1 && kind == InvokeKind::Get) {
            value += ToLong(args[0]);
            return {};
        }
        ThrowNoSuchMember();
    }
    int32_t value = 0;
};

}  // namespace

TEST(Engine, StatesFollowTheHostsCalls)
{
    RecordingSite site;
    {
        ScriptEngine engine;
        EXPECT_EQ(engine.InitNew(), E_UNEXPECTED);   // no site yet
        EXPECT_EQ(engine.SetScriptSite(&site), S_OK);
        EXPECT_EQ(site.refs, 2u);
        EXPECT_EQ(engine.SetScriptState(ScriptState::Started), E_UNEXPECTED);
        EXPECT_EQ(engine.InitNew(), S_OK);
        EXPECT_EQ(engine.GetScriptState(), ScriptState::Initialized);
        EXPECT_EQ(engine.ParseScriptText("Dim x\nx = 1\nFunction GetX\nGetX = x\nEnd Function\n"), S_OK);
        int32_t id;
        ASSERT_EQ(engine.GetScriptDispatch()->GetIDsOfNames("getx", &id), S_OK);
        Variant result;
        EXPECT_EQ(engine.GetScriptDispatch()->Invoke(id, {}, &result), E_UNEXPECTED);   // not started
        EXPECT_EQ(engine.SetScriptState(ScriptState::Started), S_OK);
        EXPECT_EQ(engine.GetScriptDispatch()->Invoke(id, {}, &result), S_OK);
        EXPECT_EQ(ToString(result), "1");
        // A text parsed after the start runs at once and sees the globals.
        EXPECT_EQ(engine.ParseScriptText("x = x + 41\n"), S_OK);
        EXPECT_EQ(engine.GetScriptDispatch()->Invoke(id, {}, &result), S_OK);
        EXPECT_EQ(ToString(result), "42");
        Variant extra;
        Variant* tooMany[] = {&extra};
        EXPECT_EQ(engine.GetScriptDispatch()->Invoke(id, tooMany, &result), DISP_E_BADPARAMCOUNT);
    }
    EXPECT_EQ(site.refs, 1u);
    const std::vector<ScriptState> expected{ScriptState::Initialized, ScriptState::Started, ScriptState::Closed};
    EXPECT_EQ(site.states, expected);
    EXPECT_EQ(site.entered, site.left);
    EXPECT_GE(site.entered, 4);
}

TEST(Engine, NamedItemsComeFromTheSite)
{
    auto counter = std::make_shared<Counter>();
    ScriptRun run;
    run.site.items.push_back({QStringLiteral("Tally"), counter});
    ASSERT_TRUE(run.Load("Tally.Add 5\nTally.value = Tally + 1\nTally(10) = 2\n"));
    EXPECT_EQ(counter->value, 12);
    EXPECT_EQ(ErrorOf("Set Tally = Nothing\nTally.Add 1\n"), 91);
}

TEST(Engine, ObjectsAndArraysCrossProcedureBoundaries)
{
    ScriptRun run(R"(
Dim store
Function Make()
    Set Make = store
End Function
Sub Fill(ByVal copy, ByRef same)
    copy(0) = "changed"
    same(0) = "changed"
End Sub
Function Main
    Dim a, b, x, s
    a = Array("a", "b")
    b = Array("a", "b")
    Fill a, b
    s = a(0) & "," & b(0)
    For Each x In Array(1, 2, 3, 4)
        If x = 3 Then Exit For
        s = s & x
    Next
    Select Case Null
        Case Null: s = s & "null"
        Case Else: s = s & "else"
    End Select
    Main = s
End Function
)");
    EXPECT_EQ(ToString(run.Call("Main")), "a,changed12else");
}

TEST(Engine, MultiDimensionalPreserveKeepsElements)
{
    ScriptRun run(R"(
Function Main
    ReDim m(1, 1)
    m(0, 0) = "a" : m(1, 0) = "b" : m(0, 1) = "c" : m(1, 1) = "d"
    ReDim Preserve m(1, 2)
    m(1, 2) = "e"
    Main = m(0, 0) & m(1, 0) & m(0, 1) & m(1, 1) & m(1, 2) & UBound(m, 1) & UBound(m, 2)
End Function
)");
    EXPECT_EQ(ToString(run.Call("Main")), "abcde12");
    EXPECT_EQ(ErrorOf("ReDim m(1, 1)\nReDim Preserve m(2, 1)\n"), 9);
}
