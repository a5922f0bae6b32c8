#include "RuleScriptHost.h"

#include "KVXZOTException.h"
#include "MessageIds.h"
#include "ScriptHost.h"

using namespace kvx::vbs;

namespace {

ScriptArg ToHostArgument(ScriptArgument& arg)
{
    switch (arg.kind) {
    case ScriptArgument::Kind::Node:
        return ScriptArg::Node(arg.node);
    case ScriptArgument::Kind::IntegerRef:
        return ScriptArg::IntegerRef(&arg.integer);
    case ScriptArgument::Kind::Value:
        break;
    }
    switch (arg.value.typeId()) {
    case QMetaType::Bool:
        return ScriptArg::Boolean(arg.value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
        return ScriptArg::Integer(arg.value.toInt());
    default:
        return ScriptArg::String(arg.value.toString());
    }
}

QVariant ToValue(const Variant& value)
{
    switch (value.Type()) {
    case VarType::Boolean: return value.BoolValue();
    case VarType::Byte: return static_cast<int>(value.ByteValue());
    case VarType::Integer: return static_cast<int>(value.IntegerValue());
    case VarType::Long: return value.LongValue();
    case VarType::Single: return static_cast<double>(value.SingleValue());
    case VarType::Double: return value.DoubleValue();
    case VarType::String: return value.StringValue();
    case VarType::Array: return QVariantList();   // converts to nothing the data items read
    default: return QVariant();
    }
}

}  // namespace

CHostRuleScript::CHostRuleScript(std::unique_ptr<CScriptHost> host) : m_host(std::move(host)) {}

CHostRuleScript::~CHostRuleScript() = default;

bool CHostRuleScript::Call(const QString& name, std::vector<ScriptArgument>& args, ScriptReturn& result)
{
    std::vector<ScriptArg> hostArgs;
    hostArgs.reserve(args.size());
    for (ScriptArgument& arg : args)
        hostArgs.push_back(ToHostArgument(arg));
    const ScriptResult answer = m_host->CallFunction(name, hostArgs);
    if (!answer.Succeeded())
        return false;
    const Variant& value = answer.Value();
    result = ScriptReturn();
    result.isObject = value.IsObject();
    result.isNothing = value.IsNothing();
    result.node = answer.ToNode();
    result.isNull = value.IsNull();
    result.value = ToValue(value);
    return true;
}

std::shared_ptr<IRuleScript> CHostRuleScript::Start(const QString& scriptText, ScriptErrorSink errorSink)
{
    auto host = std::make_unique<CScriptHost>();
    if (errorSink)
        host->Site().SetErrorSink(std::move(errorSink));
    const ScriptStartStep step = host->Start(scriptText);
    if (step != ScriptStartStep::Done)
        KVX_RAISE(kMsgScriptFailed, ScriptStartFailure(step), "CRadioDataModel::Initialize");
    return std::make_shared<CHostRuleScript>(std::move(host));
}
