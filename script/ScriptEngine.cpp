#include "ScriptEngine.h"

#include "Errors.h"
#include "Parser.h"

namespace kvx::vbs {

namespace {

// Brackets a run of script code with the site's enter and leave callbacks.
class ScriptActivity {
public:
    explicit ScriptActivity(ScriptSite* site) : m_site(site)
    {
        if (m_site)
            m_site->OnEnterScript();
    }
    ~ScriptActivity()
    {
        if (m_site)
            m_site->OnLeaveScript();
    }

private:
    ScriptSite* m_site;
};

}  // namespace

ScriptEngine::ScriptEngine() : m_interpreter(m_globals) {}

ScriptEngine::~ScriptEngine()
{
    Close();
}

HResult ScriptEngine::SetScriptSite(ScriptSite* site)
{
    if (!site)
        return E_POINTER;
    if (m_site || m_state == ScriptState::Closed)
        return E_UNEXPECTED;
    m_site = site;
    m_site->AddRef();
    uint32_t lcid = 0;
    m_site->GetLCID(&lcid);   // the engine formats the same way in every locale
    return S_OK;
}

HResult ScriptEngine::GetScriptSite(ScriptSite** site) const
{
    if (!site)
        return E_POINTER;
    *site = m_site;
    return m_site ? S_OK : S_FALSE;
}

HResult ScriptEngine::InitNew()
{
    if (!m_site || m_state != ScriptState::Uninitialized)
        return E_UNEXPECTED;
    m_dispatch = std::make_unique<ScriptDispatch>(*this);
    ChangeState(ScriptState::Initialized);
    return S_OK;
}

HResult ScriptEngine::AddNamedItem(const QString& name, uint32_t /*flags*/)
{
    if (m_state == ScriptState::Uninitialized || m_state == ScriptState::Closed)
        return E_UNEXPECTED;
    if (name.isEmpty())
        return E_INVALIDARG;
    const QString lower = name.toLower();
    if (m_globals.Find(lower))
        return E_INVALIDARG;
    m_namedItems.push_back({name, m_globals.AddVariable(lower, name)});
    if (m_state == ScriptState::Started)
        BindNamedItems();
    return S_OK;
}

HResult ScriptEngine::ParseScriptText(const QString& code, uint32_t sourceContext, int startingLine)
{
    if (m_state == ScriptState::Uninitialized || m_state == ScriptState::Closed)
        return E_UNEXPECTED;
    const SourceText source{code, sourceContext, startingLine};
    std::unique_ptr<Module> module;
    try {
        module = ParseScript(code, startingLine);
        ResolveModule(*module, m_globals);
    } catch (const ScriptError& e) {
        return Report(e, &source);
    } catch (const std::bad_alloc&) {
        return Report(ScriptError(kErrOutOfMemory), &source);
    }
    m_sources.push_back(source);
    m_modules.push_back(std::move(module));
    if (m_state == ScriptState::Started)
        return RunPending();
    return S_OK;
}

HResult ScriptEngine::SetScriptState(ScriptState state)
{
    switch (state) {
    case ScriptState::Started:
        if (m_state == ScriptState::Started)
            return S_FALSE;
        if (m_state != ScriptState::Initialized)
            return E_UNEXPECTED;
        ChangeState(ScriptState::Started);
        BindNamedItems();
        return RunPending();
    case ScriptState::Closed: return Close();
    case ScriptState::Initialized:
        if (m_state == ScriptState::Initialized)
            return S_FALSE;
        return E_NOTIMPL;
    default: return E_NOTIMPL;
    }
}

HResult ScriptEngine::Close()
{
    if (m_state == ScriptState::Closed)
        return S_FALSE;
    if (m_site) {
        m_site->OnScriptTerminate(nullptr, nullptr);
        ChangeState(ScriptState::Closed);
        m_site->Release();
        m_site = nullptr;
    }
    m_state = ScriptState::Closed;
    return S_OK;
}

ScriptDispatch* ScriptEngine::GetScriptDispatch()
{
    return m_dispatch.get();
}

void ScriptEngine::ChangeState(ScriptState state)
{
    m_state = state;
    if (m_site)
        m_site->OnStateChange(state);
}

void ScriptEngine::BindNamedItems()
{
    for (auto& item : m_namedItems) {
        if (item.bound || !m_site)
            continue;
        ObjectRef object;
        if (Succeeded(m_site->GetItemInfo(item.name, SCRIPTINFO_IUNKNOWN, &object, nullptr)) && object) {
            m_globals.Slot(item.slot) = Variant::Object(std::move(object));
            item.bound = true;
        }
    }
}

HResult ScriptEngine::RunPending()
{
    ScriptActivity activity(m_site);
    while (m_modulesRun < m_modules.size()) {
        const Module& module = *m_modules[m_modulesRun++];
        try {
            m_interpreter.RunModule(module);
        } catch (const ScriptError& e) {
            return Report(e);
        }
    }
    return S_OK;
}

QString ScriptEngine::LineText(const SourceText& source, int line)
{
    const int index = line - source.startingLine;
    if (index < 0)
        return QString();
    const QStringList lines = source.text.split(QLatin1Char('\n'));
    if (index >= lines.size())
        return QString();
    QString text = lines[index];
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

HResult ScriptEngine::Report(const ScriptError& error, const SourceText* source)
{
    if (m_site) {
        ExcepInfo info;
        info.code = error.number;
        info.source = error.source;
        info.description = error.description;
        info.scode = static_cast<HResult>(0x800A0000u | static_cast<uint32_t>(error.number & 0xFFFF));
        // A run-time error names no text; take the first one with that line.
        if (!source) {
            for (const auto& s : m_sources) {
                const int index = error.line - s.startingLine;
                if (index >= 0 && index <= s.text.count(QLatin1Char('\n'))) {
                    source = &s;
                    break;
                }
            }
        }
        const uint32_t context = source ? source->context : 0;
        const QString text = source ? LineText(*source, error.line) : QString();
        const ScriptErrorInfo report(info, context, static_cast<uint32_t>(error.line),
                                     error.column > 0 ? error.column - 1 : 0, text);
        m_site->OnScriptError(report);
    }
    return SCRIPT_E_REPORTED;
}

HResult ScriptDispatch::GetIDsOfNames(const QString& name, int32_t* dispId)
{
    if (!dispId)
        return E_POINTER;
    const QString lower = name.toLower();
    if (!m_engine.m_globals.FindProcedure(lower)) {
        *dispId = -1;
        return DISP_E_UNKNOWNNAME;
    }
    qsizetype index = m_names.indexOf(lower);
    if (index < 0) {
        index = m_names.size();
        m_names.push_back(lower);
    }
    *dispId = static_cast<int32_t>(index);
    return S_OK;
}

HResult ScriptDispatch::Invoke(int32_t dispId, std::span<Variant* const> args, Variant* result)
{
    if (dispId < 0 || dispId >= m_names.size())
        return DISP_E_MEMBERNOTFOUND;
    if (m_engine.m_state != ScriptState::Started && m_engine.m_state != ScriptState::Connected)
        return E_UNEXPECTED;
    const ProcDecl* proc = m_engine.m_globals.FindProcedure(m_names[dispId]);
    if (!proc)
        return DISP_E_MEMBERNOTFOUND;
    for (Variant* a : args)
        if (!a)
            return E_POINTER;
    if (args.size() != proc->params.size())
        return DISP_E_BADPARAMCOUNT;
    ScriptActivity activity(m_engine.m_site);
    try {
        Variant value = m_engine.m_interpreter.CallProcedure(*proc, args);
        if (result)
            *result = std::move(value);
        return S_OK;
    } catch (const ScriptError& e) {
        m_engine.Report(e);
        return DISP_E_EXCEPTION;
    }
}

}  // namespace kvx::vbs
