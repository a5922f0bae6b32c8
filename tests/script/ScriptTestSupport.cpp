#include "ScriptTestSupport.h"

#include "Conversions.h"

#include <gtest/gtest.h>

namespace kvx::vbs::test {

bool ScriptRun::Load(const QString& code, ScriptLimits limits)
{
    engine.SetLimits(limits);
    engine.SetScriptSite(&site);
    engine.InitNew();
    for (const auto& item : site.items)
        engine.AddNamedItem(item.first, SCRIPTITEM_ISVISIBLE);
    lastResult = engine.ParseScriptText(code);
    if (Failed(lastResult))
        return false;
    lastResult = engine.SetScriptState(ScriptState::Started);
    return Succeeded(lastResult);
}

Variant ScriptRun::Call(const QString& name, std::vector<Variant*> args)
{
    Variant result;
    int32_t id = -1;
    lastResult = engine.GetScriptDispatch()->GetIDsOfNames(name, &id);
    if (Failed(lastResult))
        return result;
    lastResult = engine.GetScriptDispatch()->Invoke(id, args, &result);
    return result;
}

Variant ScriptRun::Call(const QString& name, std::vector<Variant> values)
{
    std::vector<Variant*> args;
    for (auto& v : values)
        args.push_back(&v);
    return Call(name, args);
}

Variant Eval(const QString& expression, const QString& prelude)
{
    ScriptRun run;
    run.Load(prelude + QStringLiteral("\nFunction TestEval\nTestEval = ") + expression + QStringLiteral("\nEnd Function\n"));
    Variant v = run.Call(QStringLiteral("TestEval"));
    if (run.LastError() != 0)
        return Variant::String(QStringLiteral("error %1").arg(run.LastError()));
    return v;
}

int32_t ErrorOf(const QString& code)
{
    ScriptRun run(code);
    return run.LastError();
}

QString Describe(const QString& expression)
{
    const Variant v = Eval(expression);
    if (v.IsString() && v.StringValue().startsWith(QLatin1String("error ")))
        return v.StringValue();
    QString text;
    try {
        text = v.IsNull() ? QStringLiteral("Null") : v.IsObject() || v.IsArray() ? QString() : ToString(v);
    } catch (...) {
    }
    return TypeName(v) + QLatin1Char(':') + text;
}

void ExpectDescribed(std::initializer_list<std::pair<const char*, const char*>> cases)
{
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(Describe(QString::fromUtf8(expression)), QString::fromUtf8(expected)) << expression;
}

QString RunMain(const QString& code)
{
    ScriptRun run(code);
    if (run.LastError())
        return QStringLiteral("error %1 line %2").arg(run.LastError()).arg(run.site.errors.back().line);
    const Variant v = run.Call(QStringLiteral("Main"));
    if (run.LastError())
        return QStringLiteral("error %1 line %2").arg(run.LastError()).arg(run.site.errors.back().line);
    return v.IsNull() ? QStringLiteral("Null") : ToString(v);
}

}  // namespace kvx::vbs::test
