// Namespace bookkeeping when nodes move between places, and serialisation
// of single nodes. libxml2 points each element and attribute at the xmlNs
// declaration it uses; after a move that declaration may be out of scope,
// and a serialised subtree does not carry its ancestors' declarations.

#include "XmlInternal.h"

#include <libxml/xmlsave.h>

namespace kvx::xml {

namespace {

bool SamePrefix(const xmlChar* a, const xmlChar* b)
{
    return (a == nullptr && b == nullptr) || (a && b && xmlStrEqual(a, b));
}

bool IsXmlPrefix(xmlNsPtr ns)
{
    return ns->prefix && xmlStrEqual(ns->prefix, BAD_CAST "xml");
}

// Whether ns is declared on element or one of its ancestors up to top.
bool DeclaredBetween(xmlNodePtr element, xmlNodePtr top, xmlNsPtr ns)
{
    for (xmlNodePtr node = element; node; node = node->parent) {
        if (node->type == XML_ELEMENT_NODE) {
            for (xmlNsPtr decl = node->nsDef; decl; decl = decl->next) {
                if (decl == ns) {
                    return true;
                }
            }
        }
        if (node == top) {
            break;
        }
    }
    return false;
}

bool HasOwnDeclaration(xmlNodePtr element, const xmlChar* prefix)
{
    for (xmlNsPtr decl = element->nsDef; decl; decl = decl->next) {
        if (SamePrefix(decl->prefix, prefix)) {
            return true;
        }
    }
    return false;
}

// The namespace to use for ns on element (for one of its attributes when
// forAttribute) once the subtree below top sits in its new place.
xmlNsPtr ResolveInPlace(xmlNodePtr element, xmlNodePtr top, xmlNsPtr ns, bool forAttribute)
{
    if (!ns || IsXmlPrefix(ns) || DeclaredBetween(element, top, ns)) {
        return ns;
    }
    xmlNsPtr inScope = xmlSearchNs(element->doc, element, ns->prefix);
    if (inScope && xmlStrEqual(inScope->href, ns->href)) {
        return inScope;
    }
    // Attributes cannot use the default namespace; elsewhere keep the
    // prefix unless this element already binds it to something else.
    if (!(forAttribute && !ns->prefix) && !HasOwnDeclaration(element, ns->prefix)) {
        if (xmlNsPtr declared = xmlNewNs(element, ns->href, ns->prefix)) {
            return declared;
        }
    }
    // Another prefix bound to the same namespace, or a free one.
    if (xmlNsPtr byUri = xmlSearchNsByHref(element->doc, element, ns->href)) {
        if (!forAttribute || byUri->prefix) {
            return byUri;
        }
    }
    const QByteArray base = ns->prefix ? QByteArray(reinterpret_cast<const char*>(ns->prefix)) : QByteArray("ns");
    for (int suffix = 1; suffix < 1000; ++suffix) {
        const QByteArray candidate = base + QByteArray::number(suffix);
        if (!xmlSearchNs(element->doc, element, AsXml(candidate))) {
            if (xmlNsPtr declared = xmlNewNs(element, ns->href, AsXml(candidate))) {
                return declared;
            }
        }
    }
    return ns;
}

void ReconcileElement(xmlNodePtr element, xmlNodePtr top)
{
    element->ns = ResolveInPlace(element, top, element->ns, false);
    if (!element->ns && !HasOwnDeclaration(element, nullptr)) {
        // An element without namespace under a default namespace needs
        // xmlns="" to stay without namespace when the text is read back.
        xmlNsPtr inherited = xmlSearchNs(element->doc, element, nullptr);
        if (inherited && inherited->href && inherited->href[0] != 0) {
            xmlNewNs(element, BAD_CAST "", nullptr);
        }
    }
    for (xmlAttrPtr attr = element->properties; attr; attr = attr->next) {
        attr->ns = ResolveInPlace(element, top, attr->ns, true);
    }
}

// Declarations on the moved node itself that its new ancestors already make
// identically are dropped. The xmlNs structs stay alive: detached nodes that
// once lived below this node may still point at them.
void DropRedundantDeclarations(DocumentImpl& impl, xmlNodePtr element)
{
    xmlNodePtr parent = element->parent;
    if (!parent || parent->type != XML_ELEMENT_NODE) {
        return;
    }
    xmlNsPtr* link = &element->nsDef;
    while (xmlNsPtr decl = *link) {
        xmlNsPtr inScope = xmlSearchNs(element->doc, parent, decl->prefix);
        const bool emptyDefault = !decl->prefix && decl->href && decl->href[0] == 0;
        const bool redundant = inScope ? xmlStrEqual(inScope->href, decl->href)
                                       : emptyDefault;
        if (redundant) {
            *link = decl->next;
            decl->next = nullptr;
            impl.AdoptNs(decl);
        } else {
            link = &decl->next;
        }
    }
}

QString Dump(xmlNodePtr node)
{
    xmlBufferPtr buffer = xmlBufferCreate();
    if (!buffer) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The node could not be serialised."));
    }
    xmlNodeDump(buffer, node->doc, node, 0, 0);
    QString text = QString::fromUtf8(reinterpret_cast<const char*>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
    xmlBufferFree(buffer);
    return text;
}

}  // namespace

void ReconcileNamespaces(DocumentImpl& impl, xmlNodePtr node)
{
    if (node->type == XML_ATTRIBUTE_NODE) {
        auto* attr = reinterpret_cast<xmlAttrPtr>(node);
        if (attr->parent) {
            attr->ns = ResolveInPlace(attr->parent, attr->parent, attr->ns, true);
        }
        return;
    }
    if (node->type != XML_ELEMENT_NODE) {
        return;
    }
    DropRedundantDeclarations(impl, node);
    // Pre-order, so a declaration added on an element serves its subtree.
    xmlNodePtr current = node;
    while (current) {
        if (current->type == XML_ELEMENT_NODE) {
            ReconcileElement(current, node);
        }
        if (current->type == XML_ELEMENT_NODE && current->children) {
            current = current->children;
            continue;
        }
        while (current != node && !current->next) {
            current = current->parent;
        }
        current = current == node ? nullptr : current->next;
    }
}

ScopedDeclarations::ScopedDeclarations(xmlNodePtr element) : m_element(element)
{
    if (!element || element->type != XML_ELEMENT_NODE) {
        return;
    }
    xmlNsPtr last = nullptr;
    auto need = [&](xmlNodePtr user, xmlNsPtr ns) {
        if (!ns || IsXmlPrefix(ns)) {
            return;
        }
        for (xmlNodePtr scope = user; scope; scope = scope->parent) {
            if (HasOwnDeclaration(scope, ns->prefix)) {
                return;
            }
            if (scope == element) {
                break;
            }
        }
        for (xmlNsPtr decl = m_added; decl; decl = decl->next) {
            if (SamePrefix(decl->prefix, ns->prefix)) {
                return;
            }
        }
        if (xmlNsPtr decl = xmlNewNs(nullptr, ns->href, ns->prefix)) {
            (last ? last->next : m_added) = decl;
            last = decl;
        }
    };
    xmlNodePtr current = element;
    while (current) {
        if (current->type == XML_ELEMENT_NODE) {
            need(current, current->ns);
            for (xmlAttrPtr attr = current->properties; attr; attr = attr->next) {
                need(current, attr->ns);
            }
        }
        if (current->type == XML_ELEMENT_NODE && current->children) {
            current = current->children;
            continue;
        }
        while (current != element && !current->next) {
            current = current->parent;
        }
        current = current == element ? nullptr : current->next;
    }
    if (m_added) {
        m_addedLast = last;
        m_addedLast->next = element->nsDef;
        element->nsDef = m_added;
    }
}

ScopedDeclarations::~ScopedDeclarations()
{
    if (m_added) {
        m_element->nsDef = m_addedLast->next;
        m_addedLast->next = nullptr;
        xmlFreeNsList(m_added);
    }
}

QString SerializeNode(xmlNodePtr node)
{
    if (node->type == XML_DOCUMENT_NODE) {
        return SerializeDocument(reinterpret_cast<xmlDocPtr>(node));
    }
    if (node->type == XML_ATTRIBUTE_NODE) {
        // libxml2 writes an attribute with a leading blank.
        return Dump(node).trimmed();
    }
    const ScopedDeclarations declarations(node);
    return Dump(node);
}

QString SerializeDocument(xmlDocPtr doc)
{
    if (!doc->children) {
        return QString();
    }
    QString text = QStringLiteral("<?xml version=\"1.0\"?>\r\n");
    bool first = true;
    for (xmlNodePtr child = doc->children; child; child = child->next) {
        if (child->type == XML_DTD_NODE) {
            continue;
        }
        if (!first) {
            text += QStringLiteral("\r\n");
        }
        text += SerializeNode(child);
        first = false;
    }
    return text;
}

}  // namespace kvx::xml
