#include "ScriptHost.h"

using namespace kvx::vbs;

namespace {

std::unique_ptr<ScriptEngine> DefaultFactory(const QString& programId)
{
    if (programId.compare(QLatin1String("VBScript"), Qt::CaseInsensitive) != 0)
        return nullptr;
    return std::make_unique<ScriptEngine>();
}

ScriptEngineFactory& Factory()
{
    static ScriptEngineFactory factory = DefaultFactory;
    return factory;
}

}  // namespace

ScriptEngineFactory SetScriptEngineFactory(ScriptEngineFactory factory)
{
    ScriptEngineFactory previous = std::move(Factory());
    Factory() = factory ? std::move(factory) : ScriptEngineFactory(DefaultFactory);
    return previous;
}

std::unique_ptr<ScriptEngine> CreateScriptEngine(const QString& programId)
{
    return Factory()(programId);
}

bool CheckScriptEngine()
{
    std::unique_ptr<ScriptEngine> engine = CreateScriptEngine(QStringLiteral("VBScript"));
    if (!engine)
        return false;
    CScriptSite site;
    bool ok = Succeeded(engine->SetScriptSite(&site));
    // The engine is its own parser, so asking for the parsing side cannot fail.
    ok = ok && Succeeded(engine->InitNew());
    engine->Close();
    return ok;
}
