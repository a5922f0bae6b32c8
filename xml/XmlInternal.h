#pragma once

// Internal declarations shared by the XML service's implementation files.
// Not part of the service's interface: only xml/*.cpp include this.

#include "XmlService.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpath.h>

#include <memory>
#include <vector>

namespace kvx::xml {

// libxml2's process-wide set-up (parser, refusing entity loader); runs once.
void EnsureLibraryInitialised();

inline QString FromXml(const xmlChar* text)
{
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}

// Takes ownership of a string allocated by libxml2.
QString TakeXmlString(xmlChar* text);

inline const xmlChar* AsXml(const QByteArray& utf8)
{
    return reinterpret_cast<const xmlChar*>(utf8.constData());
}

// Collects the first error of a libxml2 operation (structured error handler).
struct ErrorCollector {
    bool hasError = false;
    int code = 0;
    QString message;
    int line = 0;
    int column = 0;

    static void Handler(void* self, xmlErrorPtr error);
    // The message with "(line L, column C)" appended when known.
    QString Reason() const;
};

// The implementation behind XmlDocument handles. Owns the current xmlDoc,
// every xmlDoc it replaced and every node unlinked from a tree; all of them
// are freed only when the last handle is gone.
struct DocumentImpl {
    xmlDocPtr doc = nullptr;
    std::vector<xmlDocPtr> retiredDocs;   // replaced by LoadXml, still referenced
    std::vector<xmlNodePtr> detached;     // unlinked or never-linked nodes (may repeat)
    std::vector<xmlNsPtr> ownedNs;        // namespace structs not held by any nsDef list
    xmlXPathContextPtr xpath = nullptr;
    ErrorCollector xpathErrors;
    std::shared_ptr<SchemaCacheImpl> schemas;
    ParseError lastError;

    DocumentImpl();
    ~DocumentImpl();
    DocumentImpl(const DocumentImpl&) = delete;
    DocumentImpl& operator=(const DocumentImpl&) = delete;

    // Records a node that has (or may get) no parent so it is freed with us.
    void Adopt(xmlNodePtr node) { detached.push_back(node); }
    void AdoptNs(xmlNsPtr ns) { ownedNs.push_back(ns); }
    // Installs a new current xmlDoc. The old one is freed at once when no
    // handle other than the caller's can reach its nodes (soleOwner).
    void ReplaceDoc(xmlDocPtr newDoc, bool soleOwner);
    void BindPrefix(const QString& prefix, const QString& uri);
    void ClearPrefixes();
    void CopyPrefixesFrom(const DocumentImpl& other);

    static XmlNode MakeNode(const std::shared_ptr<DocumentImpl>& impl, void* node) { return XmlNode(impl, node); }
    static const std::shared_ptr<DocumentImpl>& ImplOf(const XmlNode& node) { return node.m_doc; }
    static const std::shared_ptr<DocumentImpl>& ImplOf(const XmlDocument& doc) { return doc.m_impl; }
    static XmlDocument MakeDocument(std::shared_ptr<DocumentImpl> impl) { return XmlDocument(std::move(impl)); }

private:
    void FreeDetachedNodes();
    QHash<QString, QString> m_prefixes;
};

// Safe parsing of text into a fresh xmlDoc (no DTD, no entities, no
// network, UTF-8 forced, whitespace-only text dropped). Null on failure
// with the error filled in.
xmlDocPtr ParseSafely(const QString& text, ParseError& error);

// Serialisation of one node (unformatted), declaring the namespaces it
// uses that are declared outside of it.
QString SerializeNode(xmlNodePtr node);
// For its lifetime, declares on an element every namespace its subtree
// uses but whose prefix is bound outside the subtree, so the element can be
// written or copied on its own.
class ScopedDeclarations {
public:
    explicit ScopedDeclarations(xmlNodePtr element);
    ~ScopedDeclarations();
    ScopedDeclarations(const ScopedDeclarations&) = delete;
    ScopedDeclarations& operator=(const ScopedDeclarations&) = delete;

private:
    xmlNodePtr m_element;
    xmlNsPtr m_added = nullptr;
    xmlNsPtr m_addedLast = nullptr;
};

// A copy of a node for a document (deep, or element with its attributes),
// with every namespace it uses declared on the copy itself.
xmlNodePtr CopyNode(xmlNodePtr node, xmlDocPtr target, bool deep);

// The whole document with its XML declaration; empty without content.
QString SerializeDocument(xmlDocPtr doc);

// The namespace of an element or attribute; null for other nodes.
inline xmlNsPtr NamespaceOf(xmlNodePtr node)
{
    if (node->type == XML_ELEMENT_NODE) {
        return node->ns;
    }
    if (node->type == XML_ATTRIBUTE_NODE) {
        return reinterpret_cast<xmlAttrPtr>(node)->ns;
    }
    return nullptr;
}

// The attribute of an element with that qualified name ("name", "p:name").
xmlAttrPtr FindAttributeByName(xmlNodePtr element, const QByteArray& name);

// Links a parentless node as a child of parent, before ref (null: last).
// Never merges text nodes, so no node is ever freed on the way.
void LinkChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr ref);
// Gives an attribute a new value; the old text children stay alive.
void ReplaceAttributeValue(DocumentImpl& impl, xmlAttrPtr attr, const QString& value);
// Sets the content of a text, CDATA, comment or processing-instruction node.
void ReplaceCharacterData(xmlNodePtr node, const QString& value);

// After a node was linked into a tree: makes every namespace its subtree
// uses resolvable in its new place, dropping now-redundant declarations on
// the node itself.
void ReconcileNamespaces(DocumentImpl& impl, xmlNodePtr node);

struct SchemaEntry;

// A node of a schema document together with the cache entry it belongs to.
struct Located {
    const SchemaEntry* entry = nullptr;
    xmlNodePtr node = nullptr;
    explicit operator bool() const { return node != nullptr; }
};

// One compiled schema of a cache plus the document its declarations are
// looked up in.
struct SchemaEntry {
    QString namespaceUri;
    XmlDocument lookupDoc;              // private copy of the schema document
    xmlDocPtr compileDoc = nullptr;     // copy the compiled schema was built from
    xmlSchemaPtr schema = nullptr;
    // Top-level components by kind and local name.
    QHash<QString, xmlNodePtr> globals;   // key: kind + ':' + local name
    bool elementsQualified = false;
    bool attributesQualified = false;

    ~SchemaEntry();
};

struct SchemaCacheImpl {
    std::vector<std::unique_ptr<SchemaEntry>> entries;
    QHash<QByteArray, Located> declarationCache;   // node path → declaration (or none)
    QHash<xmlNodePtr, QString> baseTypeCache;      // declaration → its final base type name

    const SchemaEntry* Find(const QString& namespaceUri) const;
    // The entry whose lookup document holds the node, or null.
    const SchemaEntry* EntryOf(xmlNodePtr schemaNode) const;
    // Validates a document against the schema of its root element's
    // namespace; false with the error filled in when it is not valid.
    bool Validate(xmlDocPtr doc, ParseError& error) const;
    Located FindDeclarationNode(xmlNodePtr node);
};

// Helpers for reading schema documents.
bool IsXsd(xmlNodePtr node, const char* localName);
QString AttributeText(xmlNodePtr node, const char* name, bool* present = nullptr);

// Raises XmlError; the error message names the kind of failure.
[[noreturn]] void Fail(const QString& errorMessage, const QString& description);

}  // namespace kvx::xml
