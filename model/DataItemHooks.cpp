// CDataItem: the changes that the rule script may carry out or refuse.

#include "DataItem.h"

#include "MessageIds.h"
#include "ModelErrors.h"
#include "ValueConversion.h"

using namespace kvx::xml;

namespace {

qint32 RequireInt32(const QVariant& value, bool isNull)
{
    const auto converted = isNull ? std::nullopt : VariantToInt32(value);
    if (!converted)
        ThrowXmlFailure(QStringLiteral("Type mismatch"), QStringLiteral("The script's answer is not a number."));
    return *converted;
}

bool RequireBool(const ScriptReturn& result)
{
    const auto converted = (result.isNull || result.isObject) ? std::nullopt : VariantToBool(result.value);
    if (!converted)
        ThrowXmlFailure(QStringLiteral("Type mismatch"), QStringLiteral("The script's answer is not a boolean."));
    return *converted;
}

}  // namespace

qint32 CDataItem::SetAttributeValue(const QString& name, const QVariant& value, qint32& r1, qint32 n, qint32& r2, bool* byRules)
{
    try {
        r1 = 0;
        r2 = 0;
        XmlNode element = RequireNode();
        const XmlNode attribute = element.GetAttributeNode(name);
        if (attribute.IsNull())
            KVX_RAISE(kMsgMissingAttribute, QStringLiteral("Name='%1'").arg(name), "CDataItem::SetAttributeValue");

        QString function;
        const bool hooked = GetScriptHandler(attribute, QStringLiteral("SetVal"), function);
        if (byRules)
            *byRules = hooked;
        if (hooked) {
            std::vector<ScriptArgument> args{ScriptArgument::FromNode(element), ScriptArgument::FromNode(attribute),
                                             ScriptArgument::FromValue(value), ScriptArgument::IntegerRef(),
                                             ScriptArgument::FromValue(n), ScriptArgument::IntegerRef()};
            const ScriptReturn result = CallHook(
                function, args,
                QStringLiteral("SetAttributeValue,Node=%1 Attribute=%2 Value=%3").arg(element.NodeName(), name, VariantToText(value)),
                "CDataItem::SetAttributeValue");
            const qint32 answer = RequireInt32(result.value, result.isNull || result.isObject);
            r1 = args[3].integer;
            r2 = args[5].integer;
            return answer;
        }
        if (value.typeId() == QMetaType::Bool)
            element.SetAttribute(name, value.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
        else
            element.SetAttribute(name, VariantToText(value));
        return 0;
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::SetAttributeValue")
}

bool CDataItem::CanAddChild()
{
    try {
        XmlNode element = RequireNode();
        QString function;
        if (!GetScriptHandler(element, QStringLiteral("CanAddChild"), function))
            return false;
        std::vector<ScriptArgument> args{ScriptArgument::FromNode(element)};
        const ScriptReturn result = CallHook(function, args, QStringLiteral("CanAddChild,Node=%1").arg(element.NodeName()),
                                             "CDataItem::CanAddChild");
        return RequireBool(result);
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::CanAddChild")
}

CDataItem* CDataItem::AddNewChild(CDataItem& out)
{
    return AddNew(out, nullptr, "CDataItem::AddNewChild");
}

CDataItem* CDataItem::AddNewPriScrList(CDataItem& out, const QString& text)
{
    return AddNew(out, &text, "CDataItem::AddNewPriScrList");
}

CDataItem* CDataItem::AddNewPriGrpPrivate(CDataItem& out, const QString& text)
{
    return AddNew(out, &text, "CDataItem::AddNewPriGrpPrivate");
}

CDataItem* CDataItem::AddNew(CDataItem& out, const QString* text, const char* operation)
{
    try {
        XmlNode element = RequireNode();
        QString function;
        if (!GetScriptHandler(element, QStringLiteral("OnAddNew"), function))
            return nullptr;
        std::vector<ScriptArgument> args{ScriptArgument::FromNode(element)};
        if (text)
            args.push_back(ScriptArgument::FromValue(*text));
        const ScriptReturn result =
            CallHook(function, args, QStringLiteral("OnAddNew,Node=%1").arg(element.NodeName()), operation);
        if (!result.isObject || result.isNothing)
            return nullptr;
        if (result.node.IsNull())
            ThrowXmlFailure(QStringLiteral("No such interface supported"), QStringLiteral("The script returned an object that is not a node."));
        out.m_spNode = result.node;
        out.m_spScript = m_spScript;
        return &out;
    }
    KVX_CATCH_XML(kMsgUnknownError, operation)
}

qint32 CDataItem::RemoveChildByIndex(int index, qint32& r1, qint32 n, qint32& r2, bool* byRules)
{
    try {
        r1 = 0;
        r2 = 0;
        XmlNode element = RequireNode();
        const XmlNode child = element.ChildAt(index);
        if (child.IsNull())
            KVX_RAISE(kMsgMissingAttribute, QStringLiteral("Index='%1'").arg(index), "CDataItem::RemoveChildByIndex");

        QString function;
        const bool hooked = GetScriptHandler(child, QStringLiteral("OnDelete"), function);
        if (byRules)
            *byRules = hooked;
        if (hooked) {
            std::vector<ScriptArgument> args{ScriptArgument::FromNode(child), ScriptArgument::IntegerRef(),
                                             ScriptArgument::FromValue(n), ScriptArgument::IntegerRef()};
            const ScriptReturn result = CallHook(function, args, QStringLiteral("OnDelete,Node=%1").arg(child.NodeName()),
                                                 "CDataItem::RemoveChildByIndex");
            const qint32 answer = RequireInt32(result.value, result.isNull || result.isObject);
            r1 = args[1].integer;
            r2 = args[3].integer;
            return answer;
        }
        element.RemoveChild(child);
        return 0;
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::RemoveChildByIndex")
}

bool CDataItem::IsEnabled()
{
    try {
        XmlNode element = RequireNode();
        QString function;
        if (!GetScriptHandler(element, QStringLiteral("IsEnabled"), function))
            return true;
        std::vector<ScriptArgument> args{ScriptArgument::FromNode(element)};
        const ScriptReturn result = CallHook(function, args, QStringLiteral("IsEnabled,Node=%1").arg(element.NodeName()),
                                             "CDataItem::IsEnabled");
        return RequireBool(result);
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::IsEnabled")
}
