#include "RuleScript.h"

ScriptArgument ScriptArgument::FromNode(const kvx::xml::XmlNode& node)
{
    ScriptArgument arg;
    arg.kind = Kind::Node;
    arg.node = node;
    return arg;
}

ScriptArgument ScriptArgument::FromValue(const QVariant& value)
{
    ScriptArgument arg;
    arg.kind = Kind::Value;
    arg.value = value;
    return arg;
}

ScriptArgument ScriptArgument::IntegerRef()
{
    ScriptArgument arg;
    arg.kind = Kind::IntegerRef;
    return arg;
}
