#include "DomBridge.h"

#include "Conversions.h"
#include "Errors.h"
#include "HostObject.h"

namespace kvx::vbs {

using kvx::xml::NodeType;
using kvx::xml::XmlDocument;
using kvx::xml::XmlError;
using kvx::xml::XmlNode;
using kvx::xml::XmlNodeList;

namespace {

// Runs a DOM operation, turning the XML service's errors into script errors.
template <typename F>
auto Guarded(F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const XmlError& e) {
        throw ScriptError(kErrDomFailure, e.Description().isEmpty() ? e.ErrorMessage() : e.Description(), e.Source());
    }
}

enum NodeMember {
    // 0 is the default member, which nodes do not have.
    kNodeName = 1, kNodeType, kNodeValue, kText, kXml, kBaseName, kNamespaceUri, kPrefix, kParentNode,
    kChildNodes, kFirstChild, kLastChild, kNextSibling, kPreviousSibling, kAttributes, kOwnerDocument,
    kHasChildNodes, kAppendChild, kInsertBefore, kRemoveChild, kReplaceChild, kCloneNode, kSelectSingleNode,
    kSelectNodes,
    // Elements.
    kTagName, kGetAttribute, kSetAttribute, kRemoveAttribute, kGetAttributeNode, kSetAttributeNode,
    // Attributes.
    kName, kValue, kSpecified,
    // Documents.
    kDocumentElement, kCreateElement, kCreateNode, kCreateAttribute, kCreateTextNode, kCreateComment,
};

const MemberTable& NodeMembers()
{
    static const MemberTable table{
        {"nodeName", kNodeName}, {"nodeType", kNodeType}, {"nodeValue", kNodeValue}, {"text", kText},
        {"xml", kXml}, {"baseName", kBaseName}, {"namespaceURI", kNamespaceUri}, {"prefix", kPrefix},
        {"parentNode", kParentNode}, {"childNodes", kChildNodes}, {"firstChild", kFirstChild},
        {"lastChild", kLastChild}, {"nextSibling", kNextSibling}, {"previousSibling", kPreviousSibling},
        {"attributes", kAttributes}, {"ownerDocument", kOwnerDocument}, {"hasChildNodes", kHasChildNodes},
        {"appendChild", kAppendChild}, {"insertBefore", kInsertBefore}, {"removeChild", kRemoveChild},
        {"replaceChild", kReplaceChild}, {"cloneNode", kCloneNode}, {"selectSingleNode", kSelectSingleNode},
        {"selectNodes", kSelectNodes}, {"tagName", kTagName}, {"getAttribute", kGetAttribute},
        {"setAttribute", kSetAttribute}, {"removeAttribute", kRemoveAttribute},
        {"getAttributeNode", kGetAttributeNode}, {"setAttributeNode", kSetAttributeNode}, {"name", kName},
        {"value", kValue}, {"specified", kSpecified}, {"documentElement", kDocumentElement},
        {"createElement", kCreateElement}, {"createNode", kCreateNode}, {"createAttribute", kCreateAttribute},
        {"createTextNode", kCreateTextNode}, {"createComment", kCreateComment},
    };
    return table;
}

Variant WrapList(std::vector<XmlNode> nodes);
Variant WrapAttributes(const XmlNode& element);

// Any node; documents also keep their document handle for the create methods.
class DomNode : public HostObject {
public:
    DomNode(XmlNode node, XmlDocument document) : m_node(std::move(node)), m_document(std::move(document)) {}

    QString TypeName() const override
    {
        switch (m_node.Type()) {
        case NodeType::Element: return QStringLiteral("DOMElement");
        case NodeType::Attribute: return QStringLiteral("DOMAttribute");
        case NodeType::Text: return QStringLiteral("DOMText");
        case NodeType::CData: return QStringLiteral("DOMCDATASection");
        case NodeType::Comment: return QStringLiteral("DOMComment");
        case NodeType::ProcessingInstruction: return QStringLiteral("DOMProcessingInstruction");
        case NodeType::Document: return QStringLiteral("DOMDocument");
        default: return QStringLiteral("DOMNode");
        }
    }
    const MemberTable* Members() const override { return &NodeMembers(); }
    const void* Identity() const override { return m_node.Raw(); }
    Variant Invoke(int id, InvokeKind kind, std::span<Variant> args) override
    {
        return Guarded([&]() -> Variant {
            // node.childNodes(0): arguments to a property go to the default
            // member of the object it returns.
            if (kind == InvokeKind::Get && !args.empty() && IsProperty(id)) {
                const Variant value = Call(id, kind, {});
                if (!value.IsObject() || !value.ObjectValue())
                    throw ScriptError(kErrWrongArguments);
                return value.ObjectValue()->Invoke(kDefaultMember, InvokeKind::Get, args);
            }
            return Call(id, kind, args);
        });
    }
    const XmlNode& Node() const { return m_node; }

private:
    bool Is(NodeType t) const { return m_node.Type() == t; }

    static bool IsProperty(int id)
    {
        return (id >= kNodeName && id <= kOwnerDocument) || id == kTagName || id == kName || id == kValue
            || id == kSpecified || id == kDocumentElement;
    }

    void Require(bool ok) const
    {
        if (!ok)
            ThrowNoSuchMember();
    }

    // A property: read with no arguments, or written with its value when
    // `writable`.
    bool Put(InvokeKind kind, std::span<Variant> args, bool writable) const
    {
        if (kind == InvokeKind::Get) {
            RequireArgs(args, 0, 0);
            return false;
        }
        if (!writable)
            throw ScriptError(kErrWrongArguments);
        RequireArgs(args, 1, 1);
        return true;
    }

    static XmlNode NodeArg(const Variant& v)
    {
        const XmlNode node = UnwrapNode(v);
        if (node.IsNull())
            throw ScriptError(kErrTypeMismatch);
        return node;
    }

    XmlDocument OwnerDocument() const
    {
        return Is(NodeType::Document) ? m_document : m_node.OwnerDocument();
    }

    Variant Call(int id, InvokeKind kind, std::span<Variant> args)
    {
        switch (id) {
        case kNodeName:
        case kTagName:
            Require(id == kNodeName || Is(NodeType::Element));
            Put(kind, args, false);
            return Variant::String(m_node.NodeName());
        case kName:
            Require(Is(NodeType::Attribute));
            Put(kind, args, false);
            return Variant::String(m_node.NodeName());
        case kNodeType:
            Put(kind, args, false);
            return Variant::Long(static_cast<int32_t>(m_node.Type()));
        case kNodeValue:
        case kValue:
            Require(id == kNodeValue || Is(NodeType::Attribute));
            if (Put(kind, args, true)) {
                if (Is(NodeType::Element) || Is(NodeType::Document))
                    throw ScriptError(kErrDomFailure, QStringLiteral("This node cannot have a value."));
                m_node.SetNodeValue(ToString(args[0]));
                return {};
            }
            if (Is(NodeType::Element) || Is(NodeType::Document))
                return Variant::Null();
            return Variant::String(m_node.NodeValue());
        case kText:
            if (Put(kind, args, true)) {
                m_node.SetText(ToString(args[0]));
                return {};
            }
            return Variant::String(m_node.Text());
        case kXml:
            Put(kind, args, false);
            return Variant::String(Is(NodeType::Document) ? m_document.Xml() : m_node.Xml());
        case kBaseName:
            Put(kind, args, false);
            return Variant::String(m_node.BaseName());
        case kNamespaceUri:
            Put(kind, args, false);
            return Variant::String(m_node.NamespaceUri());
        case kPrefix:
            Put(kind, args, false);
            return Variant::String(m_node.Prefix());
        case kParentNode: {
            Put(kind, args, false);
            if (Is(NodeType::Attribute))
                return Variant::Nothing();
            const XmlNode parent = m_node.Parent();
            if (!parent.IsNull() && parent.Type() == NodeType::Document)
                return WrapDocument(m_node.OwnerDocument());
            return WrapNode(parent);
        }
        case kChildNodes: {
            Put(kind, args, false);
            const XmlNodeList list = m_node.ChildNodes();
            return WrapList(std::vector<XmlNode>(list.begin(), list.end()));
        }
        case kFirstChild: Put(kind, args, false); return WrapNode(m_node.FirstChild());
        case kLastChild: Put(kind, args, false); return WrapNode(m_node.LastChild());
        case kNextSibling: Put(kind, args, false); return WrapNode(m_node.NextSibling());
        case kPreviousSibling: Put(kind, args, false); return WrapNode(m_node.PreviousSibling());
        case kAttributes:
            Put(kind, args, false);
            return Is(NodeType::Element) ? WrapAttributes(m_node) : Variant::Nothing();
        case kOwnerDocument:
            Put(kind, args, false);
            return Is(NodeType::Document) ? Variant::Nothing() : WrapDocument(m_node.OwnerDocument());
        case kHasChildNodes:
            RequireArgs(args, 0, 0);
            return Variant::Boolean(m_node.HasChildNodes());
        case kAppendChild:
            RequireArgs(args, 1, 1);
            return WrapNode(m_node.AppendChild(NodeArg(args[0])));
        case kInsertBefore: {
            RequireArgs(args, 1, 2);
            const XmlNode reference = args.size() > 1 ? UnwrapNode(args[1]) : XmlNode();
            if (args.size() > 1 && reference.IsNull() && !args[1].IsObject() && !args[1].IsNull() && !args[1].IsEmpty())
                throw ScriptError(kErrTypeMismatch);
            return WrapNode(m_node.InsertBefore(NodeArg(args[0]), reference));
        }
        case kRemoveChild:
            RequireArgs(args, 1, 1);
            return WrapNode(m_node.RemoveChild(NodeArg(args[0])));
        case kReplaceChild:
            RequireArgs(args, 2, 2);
            return WrapNode(m_node.ReplaceChild(NodeArg(args[0]), NodeArg(args[1])));
        case kCloneNode:
            RequireArgs(args, 1, 1);
            return WrapNode(m_node.CloneNode(ToBool(args[0])));
        case kSelectSingleNode:
            RequireArgs(args, 1, 1);
            return WrapNode(m_node.SelectSingleNode(ToString(args[0])));
        case kSelectNodes: {
            RequireArgs(args, 1, 1);
            const XmlNodeList list = m_node.SelectNodes(ToString(args[0]));
            return WrapList(std::vector<XmlNode>(list.begin(), list.end()));
        }
        case kGetAttribute: {
            Require(Is(NodeType::Element));
            RequireArgs(args, 1, 1);
            bool present = false;
            const QString value = m_node.GetAttribute(ToString(args[0]), &present);
            return present ? Variant::String(value) : Variant::Null();
        }
        case kSetAttribute:
            Require(Is(NodeType::Element));
            RequireArgs(args, 2, 2);
            m_node.SetAttribute(ToString(args[0]), ToString(args[1]));
            return {};
        case kRemoveAttribute:
            Require(Is(NodeType::Element));
            RequireArgs(args, 1, 1);
            m_node.RemoveAttribute(ToString(args[0]));
            return {};
        case kGetAttributeNode:
            Require(Is(NodeType::Element));
            RequireArgs(args, 1, 1);
            return WrapNode(m_node.GetAttributeNode(ToString(args[0])));
        case kSetAttributeNode:
            Require(Is(NodeType::Element));
            RequireArgs(args, 1, 1);
            return WrapNode(m_node.SetAttributeNode(NodeArg(args[0])));
        case kSpecified:
            Require(Is(NodeType::Attribute));
            Put(kind, args, false);
            return Variant::Boolean(true);
        case kDocumentElement:
            Require(Is(NodeType::Document));
            Put(kind, args, false);
            return WrapNode(m_document.DocumentElement());
        case kCreateElement:
            Require(Is(NodeType::Document));
            RequireArgs(args, 1, 1);
            return WrapNode(m_document.CreateElement(ToString(args[0]), QString()));
        case kCreateAttribute:
            Require(Is(NodeType::Document));
            RequireArgs(args, 1, 1);
            return WrapNode(m_document.CreateAttribute(ToString(args[0])));
        case kCreateTextNode:
            Require(Is(NodeType::Document));
            RequireArgs(args, 1, 1);
            return WrapNode(m_document.CreateTextNode(ToString(args[0])));
        case kCreateComment:
            Require(Is(NodeType::Document));
            RequireArgs(args, 1, 1);
            return WrapNode(m_document.CreateComment(ToString(args[0])));
        case kCreateNode: return CreateNode(args);
        default: ThrowNoSuchMember();
        }
    }

    // createNode(type, name, namespaceURI): the type as a number or as its
    // name ("element", "attribute", "text", "comment").
    Variant CreateNode(std::span<Variant> args)
    {
        Require(Is(NodeType::Document));
        RequireArgs(args, 3, 3);
        int type = 0;
        const Variant t = Dereference(args[0]);
        if (t.IsString()) {
            const QString name = t.StringValue().toLower();
            type = name == QLatin1String("element") ? 1 : name == QLatin1String("attribute") ? 2
                : name == QLatin1String("text")     ? 3
                : name == QLatin1String("comment")  ? 8
                                                    : 0;
        } else {
            type = ToLong(t);
        }
        const QString name = ToString(args[1]);
        const QString uri = args[2].IsNull() || args[2].IsEmpty() ? QString() : ToString(args[2]);
        switch (type) {
        case 1: return WrapNode(m_document.CreateElement(name, uri));
        case 2: return WrapNode(m_document.CreateAttribute(name, uri));
        case 3: return WrapNode(m_document.CreateTextNode(QString()));
        case 8: return WrapNode(m_document.CreateComment(QString()));
        default: throw ScriptError(kErrInvalidCall);
        }
    }

    XmlNode m_node;
    XmlDocument m_document;
};

enum ListMember { kItem = HostObject::kDefaultMember, kLength, kNextNode, kReset, kGetNamedItem };

// A node list (selectNodes, childNodes): a snapshot of the nodes.
class DomNodeList : public HostObject {
public:
    explicit DomNodeList(std::vector<XmlNode> nodes) : m_nodes(std::move(nodes)) {}
    QString TypeName() const override { return QStringLiteral("DOMNodeList"); }
    const MemberTable* Members() const override
    {
        static const MemberTable table{{"item", kItem}, {"length", kLength}, {"nextNode", kNextNode}, {"reset", kReset}};
        return &table;
    }
    Variant Invoke(int id, InvokeKind kind, std::span<Variant> args) override
    {
        if (kind != InvokeKind::Get)
            throw ScriptError(kErrWrongArguments);
        switch (id) {
        case kItem: {
            RequireArgs(args, 1, 1);
            const int32_t index = ToLong(args[0]);
            return index >= 0 && static_cast<size_t>(index) < m_nodes.size() ? WrapNode(m_nodes[index]) : Variant::Nothing();
        }
        case kLength: RequireArgs(args, 0, 0); return Variant::Long(static_cast<int32_t>(m_nodes.size()));
        case kNextNode:
            RequireArgs(args, 0, 0);
            return m_next < m_nodes.size() ? WrapNode(m_nodes[m_next++]) : Variant::Nothing();
        case kReset: RequireArgs(args, 0, 0); m_next = 0; return {};
        default: ThrowNoSuchMember();
        }
    }
    bool Enumerate(std::vector<Variant>* items) override
    {
        for (const auto& n : m_nodes)
            items->push_back(WrapNode(n));
        return true;
    }

private:
    std::vector<XmlNode> m_nodes;
    size_t m_next = 0;
};

// The attributes of an element, read live from the element.
class DomAttributeMap : public HostObject {
public:
    explicit DomAttributeMap(XmlNode element) : m_element(std::move(element)) {}
    QString TypeName() const override { return QStringLiteral("DOMNamedNodeMap"); }
    const MemberTable* Members() const override
    {
        static const MemberTable table{{"item", kItem}, {"length", kLength}, {"nextNode", kNextNode},
                                       {"reset", kReset}, {"getNamedItem", kGetNamedItem}};
        return &table;
    }
    Variant Invoke(int id, InvokeKind kind, std::span<Variant> args) override
    {
        if (kind != InvokeKind::Get)
            throw ScriptError(kErrWrongArguments);
        return Guarded([&]() -> Variant {
            switch (id) {
            case kItem: RequireArgs(args, 1, 1); return WrapNode(m_element.AttributeAt(ToLong(args[0])));
            case kLength: RequireArgs(args, 0, 0); return Variant::Long(m_element.AttributeCount());
            case kNextNode: RequireArgs(args, 0, 0); return WrapNode(m_element.AttributeAt(m_next++));
            case kReset: RequireArgs(args, 0, 0); m_next = 0; return {};
            case kGetNamedItem: RequireArgs(args, 1, 1); return WrapNode(m_element.GetAttributeNode(ToString(args[0])));
            default: ThrowNoSuchMember();
            }
        });
    }
    bool Enumerate(std::vector<Variant>* items) override
    {
        const int count = m_element.AttributeCount();
        for (int i = 0; i < count; ++i)
            items->push_back(WrapNode(m_element.AttributeAt(i)));
        return true;
    }

private:
    XmlNode m_element;
    int m_next = 0;
};

Variant WrapList(std::vector<XmlNode> nodes)
{
    return Variant::Object(std::make_shared<DomNodeList>(std::move(nodes)));
}

Variant WrapAttributes(const XmlNode& element)
{
    return Variant::Object(std::make_shared<DomAttributeMap>(element));
}

}  // namespace

Variant WrapNode(const XmlNode& node)
{
    if (node.IsNull())
        return Variant::Nothing();
    if (node.Type() == NodeType::Document) {
        // The document handle is reachable through any node of it.
        const XmlNode child = node.FirstChild();
        if (!child.IsNull())
            return WrapDocument(child.OwnerDocument());
    }
    return Variant::Object(std::make_shared<DomNode>(node, XmlDocument()));
}

Variant WrapDocument(const XmlDocument& document)
{
    if (document.IsNull())
        return Variant::Nothing();
    return Variant::Object(std::make_shared<DomNode>(document.AsNode(), document));
}

XmlNode UnwrapNode(const Variant& value)
{
    if (!value.IsObject() || !value.ObjectValue())
        return {};
    if (const auto* node = dynamic_cast<const DomNode*>(value.ObjectValue().get()))
        return node->Node();
    return {};
}

}  // namespace kvx::vbs
