// Schema compilation and validation on load.

#include "XmlInternal.h"

#include <libxml/xmlschemas.h>

namespace kvx::xml {

namespace {

const char* const kGlobalKinds[] = {"element", "complexType", "simpleType", "attribute", "attributeGroup", "group"};

// Schema documents are compiled from memory only: a reference to another
// schema document would make the compiler read files or the network.
void RefuseExternalSchemaReferences(xmlNodePtr root)
{
    for (xmlNodePtr child = root->children; child; child = child->next) {
        const bool reference = IsXsd(child, "import") || IsXsd(child, "include") || IsXsd(child, "redefine") ||
                               IsXsd(child, "override");
        bool located = false;
        AttributeText(child, "schemaLocation", &located);
        if (reference && (located || !IsXsd(child, "import"))) {
            Fail(QStringLiteral("Schema not allowed"),
                 QStringLiteral("The schema refers to another schema document (xs:%1); only self-contained schemas "
                                "are accepted.")
                     .arg(FromXml(child->name)));
        }
    }
}

void IndexGlobals(SchemaEntry& entry, xmlNodePtr root)
{
    for (xmlNodePtr child = root->children; child; child = child->next) {
        for (const char* kind : kGlobalKinds) {
            if (IsXsd(child, kind)) {
                entry.globals.insert(QLatin1String(kind) + QLatin1Char(':') + AttributeText(child, "name"), child);
            }
        }
    }
    entry.elementsQualified = AttributeText(root, "elementFormDefault") == QLatin1String("qualified");
    entry.attributesQualified = AttributeText(root, "attributeFormDefault") == QLatin1String("qualified");
}

}  // namespace

SchemaEntry::~SchemaEntry()
{
    if (schema) {
        xmlSchemaFree(schema);
    }
    if (compileDoc) {
        xmlFreeDoc(compileDoc);
    }
}

const SchemaEntry* SchemaCacheImpl::Find(const QString& namespaceUri) const
{
    for (const auto& entry : entries) {
        if (entry->namespaceUri == namespaceUri) {
            return entry.get();
        }
    }
    return nullptr;
}

const SchemaEntry* SchemaCacheImpl::EntryOf(xmlNodePtr schemaNode) const
{
    for (const auto& entry : entries) {
        if (DocumentImpl::ImplOf(entry->lookupDoc)->doc == schemaNode->doc) {
            return entry.get();
        }
    }
    return nullptr;
}

bool SchemaCacheImpl::Validate(xmlDocPtr doc, ParseError& error) const
{
    xmlNodePtr root = xmlDocGetRootElement(doc);
    const QString namespaceUri = root && root->ns ? FromXml(root->ns->href) : QString();
    const SchemaEntry* entry = Find(namespaceUri);
    if (!entry) {
        error.errorCode = XML_SCHEMAV_CVC_ELT_1;
        error.line = root ? static_cast<int>(xmlGetLineNo(root)) : 0;
        error.reason = QStringLiteral("No schema is loaded for the namespace '%1' of the document element.")
                           .arg(namespaceUri);
        return false;
    }
    xmlSchemaValidCtxtPtr context = xmlSchemaNewValidCtxt(entry->schema);
    if (!context) {
        error.errorCode = XML_ERR_NO_MEMORY;
        error.reason = QStringLiteral("Out of memory.");
        return false;
    }
    ErrorCollector errors;
    xmlSchemaSetValidStructuredErrors(context, ErrorCollector::Handler, &errors);
    const int result = xmlSchemaValidateDoc(context, doc);
    xmlSchemaFreeValidCtxt(context);
    if (result == 0) {
        return true;
    }
    error.errorCode = errors.hasError && errors.code != 0 ? errors.code : XML_SCHEMAV_INTERNAL;
    error.reason = errors.hasError ? errors.Reason() : QStringLiteral("The document is not valid.");
    error.line = errors.line;
    error.linePos = errors.column;
    return false;
}

XmlSchemaCache::XmlSchemaCache() : m_impl(std::make_shared<SchemaCacheImpl>())
{
    EnsureLibraryInitialised();
}

void XmlSchemaCache::Add(const QString& namespaceUri, const XmlDocument& schemaDocument)
{
    if (schemaDocument.IsNull()) {
        Fail(QStringLiteral("Object required"), QStringLiteral("The schema document is null."));
    }
    xmlDocPtr source = DocumentImpl::ImplOf(schemaDocument)->doc;
    xmlNodePtr root = xmlDocGetRootElement(source);
    if (!IsXsd(root, "schema")) {
        Fail(QStringLiteral("Invalid schema"), QStringLiteral("The document is not an XML schema (xs:schema)."));
    }
    const QString targetNamespace = AttributeText(root, "targetNamespace");
    if (targetNamespace != namespaceUri) {
        Fail(QStringLiteral("Invalid schema"),
             QStringLiteral("The schema's target namespace '%1' does not match '%2'.").arg(targetNamespace, namespaceUri));
    }
    RefuseExternalSchemaReferences(root);

    auto entry = std::make_unique<SchemaEntry>();
    entry->namespaceUri = namespaceUri;
    // The compiler may keep pointers into the document it reads, so it gets
    // a copy of its own that lives as long as the compiled schema.
    entry->compileDoc = xmlCopyDoc(source, 1);
    xmlDocPtr lookupCopy = xmlCopyDoc(source, 1);
    if (!entry->compileDoc || !lookupCopy) {
        if (lookupCopy) {
            xmlFreeDoc(lookupCopy);
        }
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The schema could not be copied."));
    }
    auto lookupImpl = std::make_shared<DocumentImpl>();
    lookupImpl->ReplaceDoc(lookupCopy, true);
    lookupImpl->BindPrefix(QStringLiteral("xs"), QString::fromLatin1(kXsdNamespace));
    entry->lookupDoc = DocumentImpl::MakeDocument(lookupImpl);

    xmlSchemaParserCtxtPtr parser = xmlSchemaNewDocParserCtxt(entry->compileDoc);
    if (!parser) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The schema compiler could not be created."));
    }
    ErrorCollector errors;
    xmlSchemaSetParserStructuredErrors(parser, ErrorCollector::Handler, &errors);
    entry->schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    if (!entry->schema || errors.hasError) {
        Fail(QStringLiteral("Invalid schema"),
             errors.hasError ? errors.Reason() : QStringLiteral("The schema could not be compiled."));
    }
    IndexGlobals(*entry, xmlDocGetRootElement(lookupCopy));

    for (auto& existing : m_impl->entries) {
        if (existing->namespaceUri == namespaceUri) {
            existing = std::move(entry);
            break;
        }
    }
    if (entry) {
        m_impl->entries.push_back(std::move(entry));
    }
    m_impl->declarationCache.clear();
    m_impl->baseTypeCache.clear();
}

bool XmlSchemaCache::IsEmpty() const
{
    return m_impl->entries.empty();
}

}  // namespace kvx::xml
