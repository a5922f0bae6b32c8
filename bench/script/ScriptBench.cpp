// Rule-script engine: start-up of a large script, calls by name, a
// SetVal-style hook on a profile node, text functions, and a tight integer
// loop.

#include "ScriptHost.h"

#include <benchmark/benchmark.h>

using namespace kvx::vbs;
using kvx::xml::XmlDocument;
using kvx::xml::XmlNode;

namespace {

// One procedure of about 40 lines in the style of a rule script.
QString RuleProcedure(int n)
{
    return QStringLiteral(R"(
' Checks and stores attribute %1.
Function SetValue%1(elem, attr, value, ByRef r1, n, ByRef r2)
    Dim other, count, i, text
    SetValue%1 = 1
    r2 = vbOKOnly + vbExclamation
    If IsNull(value) Or Len(value) = 0 Then
        r1 = 100 + %1
        Exit Function
    End If
    text = Trim(CStr(value))
    If Len(text) > 16 Then
        r1 = 165
        Exit Function
    End If
    For i = 1 To Len(text)
        If AscW(Mid(text, i, 1)) > 255 Then
            r1 = 218
            Exit Function
        End If
    Next
    count = 0
    For Each other In elem.parentNode.childNodes
        If Not other Is elem Then
            If other.getAttribute(attr.name) = text Then count = count + 1
        End If
    Next
    Select Case count
        Case 0
            attr.value = text
            r2 = 0
            SetValue%1 = 0
        Case 1, 2
            r1 = 127
        Case Else
            r1 = 128
    End Select
End Function

Sub Helper%1(x)
    x = x + %1
End Sub
)")
        .arg(n);
}

QString LargeScript(int lines)
{
    QString text = QStringLiteral("Option Explicit\nDim g_count\ng_count = 0\n");
    int n = 0;
    while (text.count(QLatin1Char('\n')) < lines)
        text += RuleProcedure(n++);
    return text;
}

const char* kProfile = R"(<?xml version="1.0"?>
<KVXProfile xmlns="urn:varnholt:kvxzot:profile"><Contacts>
<Private name="Ann" pid="10000001" in_scroll_list="1" call_alert="0"/>
<Private name="Bob" pid="10000002" in_scroll_list="0" call_alert="1"/>
</Contacts></KVXProfile>)";

const char* kHooks = R"(Option Explicit
Function Empty0()
End Function

' Reads three attributes and writes one, answering through r1 and r2.
Function SetVal(elem, attr, value, ByRef r1, n, ByRef r2)
    Dim pid, scroll, alert
    pid = elem.getAttribute("pid")
    scroll = elem.getAttribute("in_scroll_list")
    alert = elem.getAttribute("call_alert")
    If Len(pid) = 8 And scroll <> "" And alert <> "" Then
        attr.value = value
        SetVal = 0
    Else
        r1 = 165
        SetVal = 1
    End If
End Function

' Text work of the kind a rule script does: every turn makes a few strings
' and an array.
Function Texts(n)
    Dim i, s, parts, count
    count = 0
    For i = 1 To n
        s = UCase(Mid("contact name " & i & " of the scroll list", 3, 20))
        parts = Split(Replace(s, " ", ","), ",")
        count = count + UBound(parts) + Len(Join(parts, "-"))
    Next
    Texts = count
End Function

Function Loop1M()
    Dim i, total
    total = 0
    For i = 1 To 1000000
        total = total + 1
    Next
    Loop1M = total
End Function
)";

void ParseAndStart(benchmark::State& state)
{
    const QString text = LargeScript(2000);
    for (auto _ : state) {
        CScriptHost host;
        if (host.Start(text) != ScriptStartStep::Done)
            state.SkipWithError("start failed");
        benchmark::DoNotOptimize(host.IsStarted());
    }
    state.counters["lines"] = text.count(QLatin1Char('\n'));
}
BENCHMARK(ParseAndStart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void CallEmptyFunction(benchmark::State& state)
{
    CScriptHost host;
    host.Start(QString::fromUtf8(kHooks));
    for (auto _ : state) {
        const ScriptResult r = host.CallFunction(QStringLiteral("Empty0"), {});
        benchmark::DoNotOptimize(r.Succeeded());
    }
}
BENCHMARK(CallEmptyFunction)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void SetValHook(benchmark::State& state)
{
    CScriptHost host;
    host.Start(QString::fromUtf8(kHooks));
    XmlDocument doc = XmlDocument::Create();
    doc.LoadXml(QString::fromUtf8(kProfile));
    const XmlNode elem = doc.SelectSingleNode(QStringLiteral("//dfns:Private"));
    const XmlNode attr = elem.GetAttributeNode(QStringLiteral("name"));
    int i = 0;
    for (auto _ : state) {
        qint32 r1 = 0, r2 = 0, result = -1;
        const ScriptResult r = host.CallFunction(
            QStringLiteral("SetVal"),
            {ScriptArg::Node(elem), ScriptArg::Node(attr), ScriptArg::String((++i & 1) ? QStringLiteral("Anne") : QStringLiteral("Ann")),
             ScriptArg::IntegerRef(&r1), ScriptArg::Integer(0), ScriptArg::IntegerRef(&r2)});
        if (!r.ToInt32(&result) || result != 0)
            state.SkipWithError("hook failed");
    }
}
BENCHMARK(SetValHook)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void TextWork(benchmark::State& state)
{
    CScriptHost host;
    host.Start(QString::fromUtf8(kHooks));
    for (auto _ : state) {
        qint32 count = 0;
        if (!host.CallFunction(QStringLiteral("Texts"), {ScriptArg::Integer(10000)}).ToInt32(&count) || count <= 0)
            state.SkipWithError("text work failed");
    }
}
BENCHMARK(TextWork)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void MillionAdditions(benchmark::State& state)
{
    CScriptHost host;
    host.Start(QString::fromUtf8(kHooks));
    for (auto _ : state) {
        qint32 total = 0;
        if (!host.CallFunction(QStringLiteral("Loop1M"), {}).ToInt32(&total) || total != 1000000)
            state.SkipWithError("loop failed");
    }
}
BENCHMARK(MillionAdditions)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
