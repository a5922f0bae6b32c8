#include "ScriptHost.h"

#include "Conversions.h"
#include "DomBridge.h"
#include "Errors.h"

using namespace kvx::vbs;

namespace {

// A type mismatch in a conversion of the host (the platform's code).
constexpr HResult kTypeMismatch = static_cast<HResult>(0x80020005);

}  // namespace

ScriptArg ScriptArg::String(const QString& text)
{
    ScriptArg a;
    a.m_kind = Kind::String;
    a.m_text = text;
    return a;
}

ScriptArg ScriptArg::Integer(qint32 value)
{
    ScriptArg a;
    a.m_kind = Kind::Integer;
    a.m_integer = value;
    return a;
}

ScriptArg ScriptArg::Boolean(bool value)
{
    ScriptArg a;
    a.m_kind = Kind::Boolean;
    a.m_integer = value ? 1 : 0;
    return a;
}

ScriptArg ScriptArg::Node(const kvx::xml::XmlNode& node)
{
    ScriptArg a;
    a.m_kind = Kind::Node;
    a.m_node = node;
    return a;
}

ScriptArg ScriptArg::IntegerRef(qint32* value)
{
    ScriptArg a;
    a.m_kind = Kind::IntegerRef;
    a.m_ref = value;
    return a;
}

Variant ScriptArg::ToVariant() const
{
    switch (m_kind) {
    case Kind::String: return Variant::String(m_text);
    case Kind::Integer: return Variant::Long(m_integer);
    case Kind::Boolean: return Variant::Boolean(m_integer != 0);
    case Kind::Node: return WrapNode(m_node);
    case Kind::IntegerRef: return Variant::Long(m_ref ? *m_ref : 0);
    }
    return {};
}

bool ScriptResult::ToInt32(qint32* out) const
{
    if (!Succeeded() || m_value.IsNull())
        return false;
    try {
        *out = ToLong(m_value);
        return true;
    } catch (const ScriptError&) {
        return false;
    }
}

bool ScriptResult::ToBool(bool* out) const
{
    if (!Succeeded() || m_value.IsNull())
        return false;
    try {
        *out = kvx::vbs::ToBool(m_value);
        return true;
    } catch (const ScriptError&) {
        return false;
    }
}

bool ScriptResult::IsObject() const
{
    return Succeeded() && m_value.IsObject() && m_value.ObjectValue() != nullptr;
}

kvx::xml::XmlNode ScriptResult::ToNode() const
{
    return Succeeded() ? UnwrapNode(m_value) : kvx::xml::XmlNode();
}

QString ScriptStartFailure(ScriptStartStep step)
{
    switch (step) {
    case ScriptStartStep::Done: return QString();
    case ScriptStartStep::CreateEngine: return QStringLiteral("CoCreateInstance('VBScript') failed");
    case ScriptStartStep::SetSite: return QStringLiteral("call SetScriptSite failed");
    case ScriptStartStep::QueryParser: return QStringLiteral("m_spScriptEngine.QueryInterface failed");
    case ScriptStartStep::InitNew: return QStringLiteral("InitNew failed");
    case ScriptStartStep::Parse: return QStringLiteral("ParseScriptText failed");
    case ScriptStartStep::Start: return QStringLiteral("SetScriptState failed");
    case ScriptStartStep::GetDispatch: return QStringLiteral("GetScriptDispatch failed");
    }
    return QString();
}

CScriptHost::CScriptHost() = default;

CScriptHost::~CScriptHost()
{
    m_spScriptDispatch = nullptr;
    if (m_spScriptEngine)
        m_spScriptEngine->Close();
}

ScriptStartStep CScriptHost::Start(const QString& scriptText)
{
    if (m_spScriptEngine)
        return ScriptStartStep::CreateEngine;   // one script per host
    m_spScriptEngine = CreateScriptEngine(QStringLiteral("VBScript"));
    if (!m_spScriptEngine)
        return ScriptStartStep::CreateEngine;
    m_spScriptEngine->SetLimits(m_limits);
    if (Failed(m_spScriptEngine->SetScriptSite(&m_site)))
        return ScriptStartStep::SetSite;
    if (Failed(m_spScriptEngine->InitNew()))
        return ScriptStartStep::InitNew;
    for (const QString& name : m_namedItems)
        m_spScriptEngine->AddNamedItem(name, SCRIPTITEM_ISVISIBLE);
    if (Failed(m_spScriptEngine->ParseScriptText(scriptText, 0, 1)))
        return ScriptStartStep::Parse;
    if (Failed(m_spScriptEngine->SetScriptState(ScriptState::Started)))
        return ScriptStartStep::Start;
    m_spScriptDispatch = m_spScriptEngine->GetScriptDispatch();
    return m_spScriptDispatch ? ScriptStartStep::Done : ScriptStartStep::GetDispatch;
}

void CScriptHost::AddNamedItem(const QString& name, ObjectRef object)
{
    m_site.AddNamedItem(name, std::move(object));
    m_namedItems << name;
}

ScriptResult CScriptHost::CallFunction(const QString& name, const std::vector<ScriptArg>& args)
{
    if (!m_spScriptDispatch)
        return ScriptResult(E_UNEXPECTED, Variant());
    // The name is resolved on every call; nothing is cached.
    int32_t dispId = -1;
    HResult hr = m_spScriptDispatch->GetIDsOfNames(name, &dispId);
    if (Failed(hr))
        return ScriptResult(hr, Variant());

    // The values live here for the call: a by-reference parameter of the
    // script aliases them, so the script's changes can be read back.
    std::vector<Variant> values;
    values.reserve(args.size());
    for (const auto& a : args)
        values.push_back(a.ToVariant());
    std::vector<Variant*> pointers;
    pointers.reserve(values.size());
    for (auto& v : values)
        pointers.push_back(&v);

    Variant result;
    hr = m_spScriptDispatch->Invoke(dispId, pointers, &result);
    if (Failed(hr))
        return ScriptResult(hr, Variant());

    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].GetKind() != ScriptArg::Kind::IntegerRef || !args[i].Reference())
            continue;
        const ScriptResult readBack(S_OK, values[i]);
        if (!readBack.ToInt32(args[i].Reference()))
            return ScriptResult(kTypeMismatch, Variant());
    }
    return ScriptResult(hr, std::move(result));
}
