// CDataItem: navigation, typed attribute reading and the hook lookup.

#include "DataItem.h"

#include "MessageIds.h"
#include "ModelErrors.h"
#include "ValueConversion.h"

using namespace kvx::xml;

namespace {

QVariant TypedValue(const QString& text, const QString& typeName)
{
    if (typeName == QLatin1String("long")) {
        if (const auto value = TextToLong(text))
            return *value;
    } else if (typeName == QLatin1String("boolean")) {
        if (const auto value = TextToBoolean(text))
            return *value;
    } else if (typeName == QLatin1String("unsignedLong")) {
        if (const auto value = TextToUnsignedLong(text))
            return *value;
    } else {
        return text;
    }
    ThrowXmlFailure(QStringLiteral("Type mismatch"),
                    QStringLiteral("'%1' does not convert to %2.").arg(text, typeName));
}

}  // namespace

QString CDataItem::XPathLiteral(const QString& text)
{
    if (!text.contains(QLatin1Char('\'')))
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    if (!text.contains(QLatin1Char('"')))
        return QLatin1Char('"') + text + QLatin1Char('"');
    QStringList parts;
    for (const QString& piece : text.split(QLatin1Char('\''))) {
        if (!parts.isEmpty())
            parts << QStringLiteral("\"'\"");
        if (!piece.isEmpty())
            parts << QLatin1Char('\'') + piece + QLatin1Char('\'');
    }
    return QStringLiteral("concat(%1, '')").arg(parts.join(QStringLiteral(", ")));
}

const XmlNode& CDataItem::RequireNode() const
{
    if (m_spNode.IsNull())
        ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("The data item holds no node."));
    return m_spNode;
}

CDataItem& CDataItem::GetChildByName(const QString& name, CDataItem& out) const
{
    try {
        const XmlNode child = RequireNode().SelectSingleNode(QStringLiteral("dfns:") + name);
        if (child.IsNull())
            KVX_RAISE(kMsgMissingChild, QStringLiteral("Name='%1'").arg(name), "CDataItem::GetChildByName");
        out.m_spNode = child;
        out.m_spScript = m_spScript;
        return out;
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetChildByName")
}

int CDataItem::GetChildCount() const
{
    try {
        return RequireNode().ChildCount();
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetChildCount")
}

CDataItem& CDataItem::GetChildByIndex(int index, CDataItem& out) const
{
    try {
        out.m_spNode = RequireNode().ChildAt(index);
        out.m_spScript = m_spScript;
        return out;
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetChildByIndex")
}

QVariant CDataItem::GetAttributeValue(const QString& name) const
{
    try {
        const XmlNode attribute = RequireNode().GetAttributeNode(name);
        if (attribute.IsNull())
            KVX_RAISE(kMsgMissingAttribute, QStringLiteral("Name='%1'").arg(name), "CDataItem::GetAttributeValue");
        const QString text = attribute.NodeValue();
        const XmlSchemaCache schemas = m_spNode.OwnerDocument().Schemas();
        const XmlSchemaCache::Declaration declaration = schemas.FindDeclaration(attribute);
        if (declaration.IsNull())
            return text;
        return TypedValue(text, declaration.FinalBaseTypeName());
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetAttributeValue")
}

bool CDataItem::GetScriptHandler(const XmlNode& node, const QString& hook, QString& function) const
{
    try {
        if (node.IsNull())
            ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("No node to look up."));
        const XmlDocument owner = node.Type() == NodeType::Document ? XmlDocument() : node.OwnerDocument();
        if (owner.IsNull())
            return false;
        const XmlSchemaCache::Declaration declaration = owner.Schemas().FindDeclaration(node);
        if (declaration.IsNull())
            return false;
        const QString annotation = declaration.AnnotationXml();
        if (annotation.isEmpty())
            return false;

        XmlDocument doc;
        try {
            doc = XmlDocument::Create();
        } catch (const XmlError&) {
            KVX_RAISE(kMsgFatalReinstall, QStringLiteral("create Msxml2.DOMDocument.4.0 failed"), "CDataItem::GetScriptHandler");
        }
        if (!doc.LoadXml(annotation))
            return false;
        doc.SetSelectionNamespace(QStringLiteral("czot"), QString::fromLatin1(kSchemaExtensionNamespace));
        const XmlNode extension = doc.SelectSingleNode(QStringLiteral("//czot:SchemaExtension"));
        if (extension.IsNull())
            return false;
        bool present = false;
        const QString name = extension.GetAttribute(hook, &present);
        if (!present)
            return false;
        function = name;
        return true;
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetScriptHandler")
}

ScriptReturn CDataItem::CallHook(const QString& function, std::vector<ScriptArgument>& args, const QString& failure,
                                 const char* operation) const
{
    ScriptReturn result;
    if (!m_spScript || !m_spScript->Call(function, args, result))
        KVX_RAISE(kMsgUnknownError, QStringLiteral("Invoke script function failed\nfunction name=") + failure, operation);
    return result;
}
