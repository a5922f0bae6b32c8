#pragma once

// The XML document service: documents, XPath 1.0 selection with namespace
// prefixes, XSD validation on load and schema declaration lookup, over
// libxml2. Handles (XmlDocument, XmlNode) are reference-like: copying a
// handle refers to the same document or node. A node removed from its tree
// stays valid as long as a handle refers to it; every node is freed together
// with its document, never earlier.

#include <QString>
#include <QStringList>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace kvx::xml {

// The fixed namespace of profiles and settings documents (prefix "dfns").
inline constexpr const char* kProfileNamespace = "urn:varnholt:kvxzot:profile";
// The namespace the profile document binds to the prefix "ms".
inline constexpr const char* kServiceNamespace = "urn:varnholt:kvxzot:xml-service";
// The namespace of hook bindings in schema annotations (prefix "czot").
inline constexpr const char* kSchemaExtensionNamespace = "urn:varnholt:kvxzot:schema-extension";
inline constexpr const char* kXsdNamespace = "http://www.w3.org/2001/XMLSchema";

// A failing call of the XML service: the platform-error analog that the data
// model turns into its own codes with "ErrorMsg: %s\nDesc: %s\nSource: %s".
class XmlError : public std::exception {
public:
    XmlError(QString errorMessage, QString description, QString source = QStringLiteral("XmlService"));
    const QString& ErrorMessage() const { return m_errorMessage; }
    const QString& Description() const { return m_description; }
    const QString& Source() const { return m_source; }
    const char* what() const noexcept override;

private:
    QString m_errorMessage;
    QString m_description;
    QString m_source;
    mutable std::string m_what;
};

enum class NodeType { Null = 0, Element = 1, Attribute = 2, Text = 3, CData = 4, ProcessingInstruction = 7, Comment = 8, Document = 9 };

struct ParseError {
    long errorCode = 0;   // 0 after a successful load
    QString reason;       // the parser's or validator's reason
    int line = 0;
    int linePos = 0;
};

class XmlDocument;
class XmlNodeList;
class XmlSchemaCache;
struct DocumentImpl;
struct SchemaCacheImpl;

class XmlNode {
public:
    XmlNode() = default;
    bool IsNull() const { return m_node == nullptr; }
    explicit operator bool() const { return !IsNull(); }
    // Identity: two handles of one node are equal.
    bool operator==(const XmlNode& other) const { return m_node == other.m_node; }

    NodeType Type() const;
    QString NodeName() const;      // qualified name ("dfns:Contact", "#text", "#document")
    QString BaseName() const;      // local name
    QString NamespaceUri() const;
    QString Prefix() const;
    QString NodeValue() const;     // attribute/text/comment value; empty for elements
    void SetNodeValue(const QString& value);
    QString Text() const;          // text content of the node and its descendants
    void SetText(const QString& text);
    QString Xml() const;           // serialised node

    XmlNode Parent() const;
    XmlNode FirstChild() const;
    XmlNode LastChild() const;
    XmlNode NextSibling() const;
    XmlNode PreviousSibling() const;
    bool HasChildNodes() const;
    int ChildCount() const;
    XmlNode ChildAt(int index) const;   // null when out of range
    XmlNodeList ChildNodes() const;     // snapshot of the children
    XmlDocument OwnerDocument() const;  // null for the document node itself
    // The element an attribute belongs to (Parent() of an attribute is null,
    // as in the DOM); null for other nodes and for a detached attribute.
    XmlNode OwnerElement() const;

    // Attributes of an element.
    bool HasAttribute(const QString& name) const;
    QString GetAttribute(const QString& name, bool* present = nullptr) const;
    void SetAttribute(const QString& name, const QString& value);
    void RemoveAttribute(const QString& name);   // absent attribute: no error
    XmlNode GetAttributeNode(const QString& name) const;
    XmlNode SetAttributeNode(const XmlNode& attribute);   // replaces a same-named one; returns the replaced node or null
    int AttributeCount() const;
    XmlNode AttributeAt(int index) const;

    // Tree changes. Raise XmlError on a hierarchy error. A node of another
    // document is copied into this document; the inserted node is returned.
    XmlNode AppendChild(const XmlNode& child);
    XmlNode InsertBefore(const XmlNode& child, const XmlNode& reference);   // null reference = append
    XmlNode RemoveChild(const XmlNode& child);
    XmlNode ReplaceChild(const XmlNode& newChild, const XmlNode& oldChild);
    XmlNode CloneNode(bool deep) const;

    // XPath 1.0 relative to this node, with the document's namespace bindings.
    // An invalid expression raises XmlError.
    XmlNode SelectSingleNode(const QString& xpath) const;
    XmlNodeList SelectNodes(const QString& xpath) const;

    // Raw access for the service's own code and for bridges.
    void* Raw() const { return m_node; }

private:
    friend class XmlDocument;
    friend class XmlSchemaCache;
    friend struct DocumentImpl;
    XmlNode(std::shared_ptr<DocumentImpl> doc, void* node) : m_doc(std::move(doc)), m_node(node) {}
    std::shared_ptr<DocumentImpl> m_doc;
    void* m_node = nullptr;
};

class XmlNodeList {
public:
    XmlNodeList() = default;
    explicit XmlNodeList(std::vector<XmlNode> nodes) : m_nodes(std::move(nodes)) {}
    int Length() const { return static_cast<int>(m_nodes.size()); }
    XmlNode Item(int index) const { return index >= 0 && index < Length() ? m_nodes[static_cast<size_t>(index)] : XmlNode(); }
    auto begin() const { return m_nodes.begin(); }
    auto end() const { return m_nodes.end(); }

private:
    std::vector<XmlNode> m_nodes;
};

// A schema cache: schemas by target namespace, validating documents on load.
class XmlSchemaCache {
public:
    XmlSchemaCache();   // an empty cache
    // Adds (replaces) the schema of a namespace. A schema that does not
    // compile raises XmlError with the compiler's reason.
    void Add(const QString& namespaceUri, const XmlDocument& schemaDocument);
    bool IsEmpty() const;

    // Declaration lookup of an element or attribute node of a document in
    // this cache's namespace(s). Null when the node has no declaration.
    class Declaration {
    public:
        bool IsNull() const { return m_decl.IsNull(); }
        XmlNode Node() const { return m_decl; }          // the xs:element / xs:attribute in the schema
        QString Name() const;
        // The declaration's simple type followed through its chain of first
        // base types; the name of the type reached ("long", "boolean",
        // "unsignedLong", "string", …). Empty when there is no simple type.
        QString FinalBaseTypeName() const;
        // The xs:annotation of the declaration serialised as XML text, or empty.
        QString AnnotationXml() const;

    private:
        friend class XmlSchemaCache;
        XmlNode m_decl;
        std::shared_ptr<SchemaCacheImpl> m_cache;
    };
    Declaration FindDeclaration(const XmlNode& node) const;

private:
    friend class XmlDocument;
    friend struct DocumentImpl;
    std::shared_ptr<SchemaCacheImpl> m_impl;
};

class XmlDocument {
public:
    XmlDocument() = default;   // null handle
    // A new empty document with XPath selection and the prefix "dfns" bound.
    static XmlDocument Create();
    bool IsNull() const { return !m_impl; }
    bool operator==(const XmlDocument& other) const { return m_impl == other.m_impl; }

    // Binds a prefix for XPath selection on this document (like adding to
    // the selection namespaces). "dfns" is bound by Create().
    void SetSelectionNamespace(const QString& prefix, const QString& uri);
    // Replaces all bindings by the declarations of a "SelectionNamespaces"
    // text such as "xmlns:dfns='urn:a' xmlns:ms='urn:b'". Raises XmlError
    // on text that is not a list of such declarations.
    void SetSelectionNamespaces(const QString& declarations);

    // Parses text, replacing the document's content. Whitespace-only text
    // nodes are dropped. Never loads DTDs, external entities or anything
    // from the network. With schemas attached, the document is validated
    // and a validation failure is a failed load. False on failure; the
    // reason is in LastParseError(), and the old content is gone.
    bool LoadXml(const QString& text);
    ParseError LastParseError() const;

    void SetSchemas(const XmlSchemaCache& cache);
    void ClearSchemas();
    XmlSchemaCache Schemas() const;   // empty cache when none attached

    XmlNode DocumentElement() const;
    XmlNode AsNode() const;
    XmlNode CreateElement(const QString& qualifiedName, const QString& namespaceUri);
    XmlNode CreateAttribute(const QString& qualifiedName, const QString& namespaceUri = QString());
    XmlNode CreateTextNode(const QString& text);
    XmlNode CreateComment(const QString& text);
    XmlNode SelectSingleNode(const QString& xpath) const { return AsNode().SelectSingleNode(xpath); }
    XmlNodeList SelectNodes(const QString& xpath) const { return AsNode().SelectNodes(xpath); }

    // The document as XML text: "<?xml version="1.0"?>" CR LF, then the
    // top-level nodes unformatted (separated by CR LF); empty text for a
    // document without content.
    QString Xml() const;

private:
    friend class XmlNode;
    friend class XmlSchemaCache;
    friend struct DocumentImpl;
    explicit XmlDocument(std::shared_ptr<DocumentImpl> impl) : m_impl(std::move(impl)) {}
    std::shared_ptr<DocumentImpl> m_impl;
};

}  // namespace kvx::xml
