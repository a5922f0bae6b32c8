// Read access to nodes: names, values, navigation and attributes. The
// document node is an xmlDoc, which shares xmlNode's leading fields (type,
// name, children, last, parent, next, prev, doc) and nothing else.

#include "XmlInternal.h"

namespace kvx::xml {

namespace {

xmlNodePtr Ptr(const XmlNode& node)
{
    return static_cast<xmlNodePtr>(node.Raw());
}

bool IsCharacterData(xmlNodePtr node)
{
    switch (node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        return true;
    default:
        return false;
    }
}

QString QualifiedName(const xmlChar* prefix, const xmlChar* local)
{
    return prefix ? FromXml(prefix) + QLatin1Char(':') + FromXml(local) : FromXml(local);
}

bool MatchesQualifiedName(xmlNsPtr ns, const xmlChar* local, const QByteArray& name)
{
    if (ns && ns->prefix) {
        const int prefixLength = xmlStrlen(ns->prefix);
        return name.size() > prefixLength && name.at(prefixLength) == ':' &&
               name.startsWith(reinterpret_cast<const char*>(ns->prefix)) &&
               xmlStrEqual(local, AsXml(name.mid(prefixLength + 1)));
    }
    return xmlStrEqual(local, AsXml(name));
}

// A namespace declaration addressed as an attribute ("xmlns", "xmlns:p").
xmlNsPtr FindDeclarationAttribute(xmlNodePtr element, const QByteArray& name)
{
    const bool isDefault = name == "xmlns";
    if (!isDefault && !name.startsWith("xmlns:")) {
        return nullptr;
    }
    const QByteArray prefix = isDefault ? QByteArray() : name.mid(6);
    for (xmlNsPtr decl = element->nsDef; decl; decl = decl->next) {
        if (isDefault ? decl->prefix == nullptr
                      : (decl->prefix && xmlStrEqual(decl->prefix, AsXml(prefix)))) {
            return decl;
        }
    }
    return nullptr;
}

}  // namespace

xmlAttrPtr FindAttributeByName(xmlNodePtr element, const QByteArray& name)
{
    if (!element || element->type != XML_ELEMENT_NODE) {
        return nullptr;
    }
    for (xmlAttrPtr attr = element->properties; attr; attr = attr->next) {
        if (MatchesQualifiedName(attr->ns, attr->name, name)) {
            return attr;
        }
    }
    return nullptr;
}

NodeType XmlNode::Type() const
{
    if (!m_node) {
        return NodeType::Null;
    }
    switch (Ptr(*this)->type) {
    case XML_ELEMENT_NODE: return NodeType::Element;
    case XML_ATTRIBUTE_NODE: return NodeType::Attribute;
    case XML_TEXT_NODE: return NodeType::Text;
    case XML_CDATA_SECTION_NODE: return NodeType::CData;
    case XML_PI_NODE: return NodeType::ProcessingInstruction;
    case XML_COMMENT_NODE: return NodeType::Comment;
    case XML_DOCUMENT_NODE: return NodeType::Document;
    default: return NodeType::Null;
    }
}

QString XmlNode::NodeName() const
{
    if (!m_node) {
        return {};
    }
    xmlNodePtr node = Ptr(*this);
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE: {
        xmlNsPtr ns = NamespaceOf(node);
        return QualifiedName(ns ? ns->prefix : nullptr, node->name);
    }
    case XML_TEXT_NODE: return QStringLiteral("#text");
    case XML_CDATA_SECTION_NODE: return QStringLiteral("#cdata-section");
    case XML_COMMENT_NODE: return QStringLiteral("#comment");
    case XML_PI_NODE: return FromXml(node->name);
    case XML_DOCUMENT_NODE: return QStringLiteral("#document");
    default: return {};
    }
}

QString XmlNode::BaseName() const
{
    if (!m_node) {
        return {};
    }
    xmlNodePtr node = Ptr(*this);
    const bool named = node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE || node->type == XML_PI_NODE;
    return named ? FromXml(node->name) : QString();
}

QString XmlNode::NamespaceUri() const
{
    if (!m_node) {
        return {};
    }
    xmlNsPtr ns = NamespaceOf(Ptr(*this));
    return ns ? FromXml(ns->href) : QString();
}

QString XmlNode::Prefix() const
{
    if (!m_node) {
        return {};
    }
    xmlNsPtr ns = NamespaceOf(Ptr(*this));
    return ns ? FromXml(ns->prefix) : QString();
}

QString XmlNode::NodeValue() const
{
    if (!m_node) {
        return {};
    }
    xmlNodePtr node = Ptr(*this);
    if (node->type == XML_ATTRIBUTE_NODE) {
        return TakeXmlString(xmlNodeGetContent(node));
    }
    return IsCharacterData(node) ? FromXml(node->content) : QString();
}

void XmlNode::SetNodeValue(const QString& value)
{
    if (!m_node) {
        Fail(QStringLiteral("Object required"), QStringLiteral("The node handle is null."));
    }
    xmlNodePtr node = Ptr(*this);
    if (node->type == XML_ATTRIBUTE_NODE) {
        ReplaceAttributeValue(*m_doc, reinterpret_cast<xmlAttrPtr>(node), value);
    } else if (IsCharacterData(node)) {
        ReplaceCharacterData(node, value);
    } else {
        Fail(QStringLiteral("Operation not allowed"),
             QStringLiteral("A node of type '%1' has no value to set.").arg(NodeName()));
    }
}

QString XmlNode::Text() const
{
    if (!m_node) {
        return {};
    }
    xmlNodePtr node = Ptr(*this);
    if (node->type == XML_COMMENT_NODE || node->type == XML_PI_NODE) {
        return FromXml(node->content);
    }
    return TakeXmlString(xmlNodeGetContent(node));
}

void XmlNode::SetText(const QString& text)
{
    if (!m_node) {
        Fail(QStringLiteral("Object required"), QStringLiteral("The node handle is null."));
    }
    xmlNodePtr node = Ptr(*this);
    if (node->type != XML_ELEMENT_NODE) {
        if (node->type == XML_DOCUMENT_NODE) {
            Fail(QStringLiteral("Operation not allowed"), QStringLiteral("The document node has no text to set."));
        }
        SetNodeValue(text);
        return;
    }
    // The old children are unlinked, not freed: handles may refer to them.
    for (xmlNodePtr child = node->children; child;) {
        xmlNodePtr next = child->next;
        xmlUnlinkNode(child);
        m_doc->Adopt(child);
        child = next;
    }
    if (!text.isEmpty()) {
        xmlNodePtr textNode = xmlNewDocText(node->doc, AsXml(text.toUtf8()));
        if (!textNode) {
            Fail(QStringLiteral("Out of memory"), QStringLiteral("The text could not be set."));
        }
        LinkChild(node, textNode, nullptr);
    }
}

QString XmlNode::Xml() const
{
    return m_node ? SerializeNode(Ptr(*this)) : QString();
}

XmlNode XmlNode::Parent() const
{
    if (!m_node) {
        return {};
    }
    xmlNodePtr node = Ptr(*this);
    if (node->type == XML_ATTRIBUTE_NODE || node->type == XML_DOCUMENT_NODE || !node->parent) {
        return {};
    }
    return XmlNode(m_doc, node->parent);
}

XmlNode XmlNode::OwnerElement() const
{
    if (!m_node || Ptr(*this)->type != XML_ATTRIBUTE_NODE || !Ptr(*this)->parent) {
        return {};
    }
    return XmlNode(m_doc, Ptr(*this)->parent);
}

XmlNode XmlNode::FirstChild() const
{
    if (!m_node || !Ptr(*this)->children) {
        return {};
    }
    return XmlNode(m_doc, Ptr(*this)->children);
}

XmlNode XmlNode::LastChild() const
{
    if (!m_node || !Ptr(*this)->last) {
        return {};
    }
    return XmlNode(m_doc, Ptr(*this)->last);
}

XmlNode XmlNode::NextSibling() const
{
    if (!m_node) {
        return {};
    }
    xmlNodePtr node = Ptr(*this);
    if (node->type == XML_ATTRIBUTE_NODE || node->type == XML_DOCUMENT_NODE || !node->next) {
        return {};
    }
    return XmlNode(m_doc, node->next);
}

XmlNode XmlNode::PreviousSibling() const
{
    if (!m_node) {
        return {};
    }
    xmlNodePtr node = Ptr(*this);
    if (node->type == XML_ATTRIBUTE_NODE || node->type == XML_DOCUMENT_NODE || !node->prev) {
        return {};
    }
    return XmlNode(m_doc, node->prev);
}

bool XmlNode::HasChildNodes() const
{
    return m_node && Ptr(*this)->children != nullptr;
}

int XmlNode::ChildCount() const
{
    int count = 0;
    for (xmlNodePtr child = m_node ? Ptr(*this)->children : nullptr; child; child = child->next) {
        ++count;
    }
    return count;
}

XmlNode XmlNode::ChildAt(int index) const
{
    if (index < 0) {
        return {};
    }
    for (xmlNodePtr child = m_node ? Ptr(*this)->children : nullptr; child; child = child->next) {
        if (index-- == 0) {
            return XmlNode(m_doc, child);
        }
    }
    return {};
}

XmlNodeList XmlNode::ChildNodes() const
{
    std::vector<XmlNode> children;
    for (xmlNodePtr child = m_node ? Ptr(*this)->children : nullptr; child; child = child->next) {
        children.push_back(XmlNode(m_doc, child));
    }
    return XmlNodeList(std::move(children));
}

XmlDocument XmlNode::OwnerDocument() const
{
    if (!m_node || Ptr(*this)->type == XML_DOCUMENT_NODE) {
        return {};
    }
    return XmlDocument(m_doc);
}

bool XmlNode::HasAttribute(const QString& name) const
{
    bool present = false;
    GetAttribute(name, &present);
    return present;
}

QString XmlNode::GetAttribute(const QString& name, bool* present) const
{
    if (present) {
        *present = false;
    }
    if (!m_node || Ptr(*this)->type != XML_ELEMENT_NODE) {
        return {};
    }
    const QByteArray utf8 = name.toUtf8();
    if (xmlAttrPtr attr = FindAttributeByName(Ptr(*this), utf8)) {
        if (present) {
            *present = true;
        }
        return TakeXmlString(xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr)));
    }
    if (xmlNsPtr decl = FindDeclarationAttribute(Ptr(*this), utf8)) {
        if (present) {
            *present = true;
        }
        return FromXml(decl->href);
    }
    return {};
}

XmlNode XmlNode::GetAttributeNode(const QString& name) const
{
    if (!m_node) {
        return {};
    }
    xmlAttrPtr attr = FindAttributeByName(Ptr(*this), name.toUtf8());
    return attr ? XmlNode(m_doc, attr) : XmlNode();
}

int XmlNode::AttributeCount() const
{
    if (!m_node || Ptr(*this)->type != XML_ELEMENT_NODE) {
        return 0;
    }
    int count = 0;
    for (xmlAttrPtr attr = Ptr(*this)->properties; attr; attr = attr->next) {
        ++count;
    }
    return count;
}

XmlNode XmlNode::AttributeAt(int index) const
{
    if (!m_node || Ptr(*this)->type != XML_ELEMENT_NODE || index < 0) {
        return {};
    }
    for (xmlAttrPtr attr = Ptr(*this)->properties; attr; attr = attr->next) {
        if (index-- == 0) {
            return XmlNode(m_doc, attr);
        }
    }
    return {};
}

}  // namespace kvx::xml
