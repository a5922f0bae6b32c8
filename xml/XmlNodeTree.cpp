// Tree changes. libxml2's own helpers (xmlAddChild, xmlSetProp,
// xmlNodeSetContent, xmlRemoveProp …) free nodes they merge or replace, and
// handles may still point at those nodes. Everything here unlinks instead
// and hands the unlinked node to the document, which frees it at the end.

#include "XmlInternal.h"

#include <libxml/valid.h>

namespace kvx::xml {

namespace {

xmlNodePtr Ptr(const XmlNode& node)
{
    return static_cast<xmlNodePtr>(node.Raw());
}

xmlNodePtr Require(const XmlNode& node, const char* what)
{
    if (node.IsNull()) {
        Fail(QStringLiteral("Object required"), QStringLiteral("The %1 is null.").arg(QLatin1String(what)));
    }
    return Ptr(node);
}

xmlDocPtr DocOf(xmlNodePtr node)
{
    return node->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(node) : node->doc;
}

[[noreturn]] void HierarchyError(const QString& description)
{
    Fail(QStringLiteral("Hierarchy request error"), description);
}

// Whether a node of this type may be a child of parent.
void CheckChildKind(xmlNodePtr parent, xmlNodePtr child)
{
    const xmlElementType type = child->type;
    if (parent->type == XML_DOCUMENT_NODE) {
        if (type != XML_ELEMENT_NODE && type != XML_COMMENT_NODE && type != XML_PI_NODE) {
            HierarchyError(QStringLiteral("This node cannot be a child of the document."));
        }
        return;
    }
    if (parent->type != XML_ELEMENT_NODE) {
        HierarchyError(QStringLiteral("This node cannot have children."));
    }
    if (type != XML_ELEMENT_NODE && type != XML_TEXT_NODE && type != XML_CDATA_SECTION_NODE &&
        type != XML_COMMENT_NODE && type != XML_PI_NODE) {
        HierarchyError(QStringLiteral("This node cannot be a child of an element."));
    }
}

// Inserts child into parent before ref (null: at the end). A node of
// another libxml2 document is copied first; the inserted node is returned.
// ignored is a child about to be replaced (not counted as the document's
// root element).
xmlNodePtr InsertNode(DocumentImpl& impl, xmlNodePtr parent, xmlNodePtr child, xmlNodePtr ref, xmlNodePtr ignored)
{
    CheckChildKind(parent, child);
    xmlDocPtr targetDoc = DocOf(parent);
    const bool foreign = child->doc != targetDoc;
    if (!foreign) {
        for (xmlNodePtr ancestor = parent; ancestor; ancestor = ancestor->parent) {
            if (ancestor == child) {
                HierarchyError(QStringLiteral("A node cannot be inserted below itself."));
            }
        }
    }
    if (parent->type == XML_DOCUMENT_NODE && child->type == XML_ELEMENT_NODE) {
        for (xmlNodePtr existing = parent->children; existing; existing = existing->next) {
            if (existing->type == XML_ELEMENT_NODE && existing != child && existing != ignored) {
                HierarchyError(QStringLiteral("Only one top level element is allowed in an XML document."));
            }
        }
    }
    if (foreign) {
        child = CopyNode(child, targetDoc, true);
        if (!child) {
            Fail(QStringLiteral("Out of memory"), QStringLiteral("The node could not be copied."));
        }
        impl.Adopt(child);
    } else if (child == ref) {
        return child;
    } else {
        xmlUnlinkNode(child);
    }
    LinkChild(parent, child, ref);
    ReconcileNamespaces(impl, child);
    return child;
}

void LinkAttribute(xmlNodePtr element, xmlAttrPtr attr, xmlAttrPtr before)
{
    attr->parent = element;
    if (before) {
        attr->next = before;
        attr->prev = before->prev;
        if (before->prev) {
            before->prev->next = attr;
        } else {
            element->properties = attr;
        }
        before->prev = attr;
        return;
    }
    attr->next = nullptr;
    attr->prev = nullptr;
    if (!element->properties) {
        element->properties = attr;
        return;
    }
    xmlAttrPtr last = element->properties;
    while (last->next) {
        last = last->next;
    }
    last->next = attr;
    attr->prev = last;
}

bool SameAttributeName(xmlAttrPtr a, xmlAttrPtr b)
{
    if (!xmlStrEqual(a->name, b->name)) {
        return false;
    }
    if (!a->ns || !b->ns) {
        return !a->ns && !b->ns;
    }
    return xmlStrEqual(a->ns->href, b->ns->href);
}

}  // namespace

xmlNodePtr CopyNode(xmlNodePtr node, xmlDocPtr target, bool deep)
{
    // A shallow element copy keeps its attributes and declarations (2).
    const int extended = deep || node->type != XML_ELEMENT_NODE ? 1 : 2;
    const ScopedDeclarations declarations(node);
    return xmlDocCopyNode(node, target, extended);
}

void LinkChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr ref)
{
    child->parent = parent;
    if (ref) {
        child->next = ref;
        child->prev = ref->prev;
        if (ref->prev) {
            ref->prev->next = child;
        } else {
            parent->children = child;
        }
        ref->prev = child;
        return;
    }
    child->next = nullptr;
    child->prev = parent->last;
    if (parent->last) {
        parent->last->next = child;
    } else {
        parent->children = child;
    }
    parent->last = child;
}

void ReplaceAttributeValue(DocumentImpl& impl, xmlAttrPtr attr, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    xmlNodePtr text = xmlNewDocText(attr->doc, AsXml(utf8));
    if (!text) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The attribute value could not be set."));
    }
    const bool isId = attr->atype == XML_ATTRIBUTE_ID && attr->doc;
    if (isId) {
        xmlRemoveID(attr->doc, attr);
    }
    for (xmlNodePtr child = attr->children; child;) {
        xmlNodePtr next = child->next;
        xmlUnlinkNode(child);
        impl.Adopt(child);
        child = next;
    }
    LinkChild(reinterpret_cast<xmlNodePtr>(attr), text, nullptr);
    if (isId) {
        xmlAddID(nullptr, attr->doc, AsXml(utf8), attr);
    }
}

void ReplaceCharacterData(xmlNodePtr node, const QString& value)
{
    xmlChar* content = xmlStrdup(AsXml(value.toUtf8()));
    if (!content) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The node value could not be set."));
    }
    // Short parsed text may live inside the node itself (in properties).
    if (node->content && node->content != reinterpret_cast<xmlChar*>(&node->properties) &&
        !(node->doc && node->doc->dict && xmlDictOwns(node->doc->dict, node->content))) {
        xmlFree(node->content);
    }
    node->content = content;
    node->properties = nullptr;
}

void XmlNode::SetAttribute(const QString& name, const QString& value)
{
    xmlNodePtr element = Require(*this, "node");
    if (element->type != XML_ELEMENT_NODE) {
        Fail(QStringLiteral("Operation not allowed"), QStringLiteral("Only elements have attributes."));
    }
    const QByteArray utf8 = name.toUtf8();
    if (xmlAttrPtr attr = FindAttributeByName(element, utf8)) {
        ReplaceAttributeValue(*m_doc, attr, value);
        return;
    }
    if (utf8.isEmpty() || xmlValidateQName(AsXml(utf8), 0) != 0) {
        Fail(QStringLiteral("Invalid argument"), QStringLiteral("'%1' is not a valid attribute name.").arg(name));
    }
    const int colon = utf8.indexOf(':');
    const QByteArray prefix = colon < 0 ? QByteArray() : utf8.left(colon);
    const QByteArray local = colon < 0 ? utf8 : utf8.mid(colon + 1);
    const QByteArray valueUtf8 = value.toUtf8();
    if (utf8 == "xmlns" || prefix == "xmlns") {
        // A namespace declaration: may be added, never rebound.
        const QByteArray declared = GetAttribute(name).toUtf8();
        if (HasAttribute(name)) {
            if (declared != valueUtf8) {
                Fail(QStringLiteral("Operation not allowed"),
                     QStringLiteral("The namespace declaration '%1' cannot be changed.").arg(name));
            }
            return;
        }
        if (!xmlNewNs(element, AsXml(valueUtf8), prefix.isEmpty() ? nullptr : AsXml(local))) {
            Fail(QStringLiteral("Invalid argument"), QStringLiteral("'%1' cannot be declared.").arg(name));
        }
        return;
    }
    xmlNsPtr ns = nullptr;
    if (!prefix.isEmpty()) {
        ns = xmlSearchNs(element->doc, element, AsXml(prefix));
        if (!ns) {
            Fail(QStringLiteral("Invalid argument"),
                 QStringLiteral("Reference to undeclared namespace prefix: '%1'.").arg(QString::fromUtf8(prefix)));
        }
    }
    if (!xmlNewNsProp(element, ns, AsXml(local), AsXml(valueUtf8))) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The attribute could not be set."));
    }
}

void XmlNode::RemoveAttribute(const QString& name)
{
    xmlNodePtr element = Require(*this, "node");
    if (xmlAttrPtr attr = FindAttributeByName(element, name.toUtf8())) {
        xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(attr));
        m_doc->Adopt(reinterpret_cast<xmlNodePtr>(attr));
    }
}

XmlNode XmlNode::SetAttributeNode(const XmlNode& attribute)
{
    xmlNodePtr element = Require(*this, "node");
    xmlNodePtr node = Require(attribute, "attribute");
    if (element->type != XML_ELEMENT_NODE || node->type != XML_ATTRIBUTE_NODE) {
        HierarchyError(QStringLiteral("Only an attribute can be set on an element."));
    }
    auto* attr = reinterpret_cast<xmlAttrPtr>(node);
    if (attr->parent == element) {
        return {};
    }
    if (attr->parent) {
        Fail(QStringLiteral("Operation not allowed"),
             QStringLiteral("The attribute belongs to another element; remove or clone it first."));
    }
    if (attr->doc != element->doc) {
        xmlNsPtr sourceNs = attr->ns;
        attr = reinterpret_cast<xmlAttrPtr>(xmlDocCopyNode(node, element->doc, 1));
        if (!attr) {
            Fail(QStringLiteral("Out of memory"), QStringLiteral("The attribute could not be copied."));
        }
        m_doc->Adopt(reinterpret_cast<xmlNodePtr>(attr));
        if (sourceNs) {
            // The copy of a parentless attribute loses its namespace.
            attr->ns = xmlNewNs(nullptr, sourceNs->href, sourceNs->prefix);
            if (attr->ns) {
                m_doc->AdoptNs(attr->ns);
            }
        }
    }
    xmlAttrPtr replaced = nullptr;
    for (xmlAttrPtr existing = element->properties; existing; existing = existing->next) {
        if (SameAttributeName(existing, attr)) {
            replaced = existing;
            break;
        }
    }
    xmlAttrPtr before = replaced ? replaced->next : nullptr;
    if (replaced) {
        xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(replaced));
        m_doc->Adopt(reinterpret_cast<xmlNodePtr>(replaced));
    }
    LinkAttribute(element, attr, before);
    ReconcileNamespaces(*m_doc, reinterpret_cast<xmlNodePtr>(attr));
    return replaced ? XmlNode(m_doc, replaced) : XmlNode();
}

XmlNode XmlNode::AppendChild(const XmlNode& child)
{
    return InsertBefore(child, XmlNode());
}

XmlNode XmlNode::InsertBefore(const XmlNode& child, const XmlNode& reference)
{
    xmlNodePtr parent = Require(*this, "node");
    xmlNodePtr newChild = Require(child, "new child");
    xmlNodePtr ref = reference.IsNull() ? nullptr : Ptr(reference);
    if (ref && (ref->parent != parent || ref->type == XML_ATTRIBUTE_NODE)) {
        Fail(QStringLiteral("Invalid argument"), QStringLiteral("The reference node is not a child of this node."));
    }
    return XmlNode(m_doc, InsertNode(*m_doc, parent, newChild, ref, nullptr));
}

XmlNode XmlNode::RemoveChild(const XmlNode& child)
{
    xmlNodePtr parent = Require(*this, "node");
    xmlNodePtr node = Require(child, "child");
    if (node->parent != parent || node->type == XML_ATTRIBUTE_NODE) {
        Fail(QStringLiteral("Invalid argument"), QStringLiteral("The node is not a child of this node."));
    }
    xmlUnlinkNode(node);
    m_doc->Adopt(node);
    return XmlNode(m_doc, node);
}

XmlNode XmlNode::ReplaceChild(const XmlNode& newChild, const XmlNode& oldChild)
{
    xmlNodePtr parent = Require(*this, "node");
    xmlNodePtr incoming = Require(newChild, "new child");
    xmlNodePtr outgoing = Require(oldChild, "old child");
    if (outgoing->parent != parent || outgoing->type == XML_ATTRIBUTE_NODE) {
        Fail(QStringLiteral("Invalid argument"), QStringLiteral("The node to replace is not a child of this node."));
    }
    if (incoming == outgoing) {
        return XmlNode(m_doc, outgoing);
    }
    InsertNode(*m_doc, parent, incoming, outgoing, outgoing);
    xmlUnlinkNode(outgoing);
    m_doc->Adopt(outgoing);
    return XmlNode(m_doc, outgoing);
}

XmlNode XmlNode::CloneNode(bool deep) const
{
    xmlNodePtr node = Require(*this, "node");
    if (node->type == XML_DOCUMENT_NODE) {
        auto impl = std::make_shared<DocumentImpl>();
        xmlDocPtr copy = xmlCopyDoc(reinterpret_cast<xmlDocPtr>(node), deep ? 1 : 0);
        if (!copy) {
            Fail(QStringLiteral("Out of memory"), QStringLiteral("The document could not be copied."));
        }
        impl->ReplaceDoc(copy, true);
        impl->CopyPrefixesFrom(*m_doc);
        impl->schemas = m_doc->schemas;
        return XmlNode(impl, copy);
    }
    xmlNodePtr copy = CopyNode(node, node->doc, deep);
    if (!copy) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The node could not be copied."));
    }
    m_doc->Adopt(copy);
    if (node->type == XML_ATTRIBUTE_NODE) {
        // libxml2 drops the namespace of a copied parentless attribute.
        auto* copyAttr = reinterpret_cast<xmlAttrPtr>(copy);
        xmlNsPtr sourceNs = reinterpret_cast<xmlAttrPtr>(node)->ns;
        if (sourceNs) {
            copyAttr->ns = xmlNewNs(nullptr, sourceNs->href, sourceNs->prefix);
            if (copyAttr->ns) {
                m_doc->AdoptNs(copyAttr->ns);
            }
        }
    }
    return XmlNode(m_doc, copy);
}

}  // namespace kvx::xml
