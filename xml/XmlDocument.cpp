#include "XmlInternal.h"

#include <QRegularExpression>

namespace kvx::xml {

namespace {

DocumentImpl& RequireImpl(const std::shared_ptr<DocumentImpl>& impl)
{
    if (!impl) {
        Fail(QStringLiteral("Object required"), QStringLiteral("The XML document handle is null."));
    }
    return *impl;
}

// Splits "prefix:local" after checking that it is a valid qualified name.
void SplitQualifiedName(const QString& qualifiedName, QByteArray& prefix, QByteArray& local)
{
    const QByteArray utf8 = qualifiedName.toUtf8();
    if (utf8.isEmpty() || xmlValidateQName(AsXml(utf8), 0) != 0) {
        Fail(QStringLiteral("Invalid argument"), QStringLiteral("'%1' is not a valid name.").arg(qualifiedName));
    }
    const int colon = utf8.indexOf(':');
    prefix = colon < 0 ? QByteArray() : utf8.left(colon);
    local = colon < 0 ? utf8 : utf8.mid(colon + 1);
}

}  // namespace

XmlDocument XmlDocument::Create()
{
    return XmlDocument(std::make_shared<DocumentImpl>());
}

void XmlDocument::SetSelectionNamespace(const QString& prefix, const QString& uri)
{
    DocumentImpl& impl = RequireImpl(m_impl);
    if (prefix.isEmpty() || xmlValidateNCName(AsXml(prefix.toUtf8()), 0) != 0) {
        Fail(QStringLiteral("Invalid argument"), QStringLiteral("'%1' is not a valid namespace prefix.").arg(prefix));
    }
    impl.BindPrefix(prefix, uri);
}

void XmlDocument::SetSelectionNamespaces(const QString& declarations)
{
    DocumentImpl& impl = RequireImpl(m_impl);
    static const QRegularExpression declaration(
        QStringLiteral(R"re(\s*xmlns:([^\s=:'"]+)\s*=\s*(?:'([^']*)'|"([^"]*)"))re"));
    std::vector<std::pair<QString, QString>> bindings;
    int position = 0;
    while (position < declarations.size()) {
        const QRegularExpressionMatch match = declaration.match(
            declarations, position, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch()) {
            if (declarations.mid(position).trimmed().isEmpty()) {
                break;
            }
            Fail(QStringLiteral("Invalid argument"),
                 QStringLiteral("Invalid selection namespace declarations: '%1'.").arg(declarations));
        }
        const QString uri = match.capturedStart(2) >= 0 ? match.captured(2) : match.captured(3);
        bindings.emplace_back(match.captured(1), uri);
        position = match.capturedEnd(0);
    }
    impl.ClearPrefixes();
    for (const auto& [prefix, uri] : bindings) {
        impl.BindPrefix(prefix, uri);
    }
}

bool XmlDocument::LoadXml(const QString& text)
{
    DocumentImpl& impl = RequireImpl(m_impl);
    ParseError error;
    xmlDocPtr parsed = ParseSafely(text, error);
    if (parsed && impl.schemas && !impl.schemas->entries.empty() && !impl.schemas->Validate(parsed, error)) {
        xmlFreeDoc(parsed);   // fresh: no handle has seen it
        parsed = nullptr;
    }
    if (!parsed) {
        parsed = xmlNewDoc(BAD_CAST "1.0");
        if (!parsed) {
            Fail(QStringLiteral("Out of memory"), QStringLiteral("The XML document could not be created."));
        }
    }
    // Only this handle refers to the implementation: nobody can reach the
    // old content any more, so it need not be kept.
    impl.ReplaceDoc(parsed, m_impl.use_count() == 1);
    impl.lastError = error;
    return error.errorCode == 0;
}

ParseError XmlDocument::LastParseError() const
{
    return m_impl ? m_impl->lastError : ParseError();
}

void XmlDocument::SetSchemas(const XmlSchemaCache& cache)
{
    RequireImpl(m_impl).schemas = cache.m_impl;
}

void XmlDocument::ClearSchemas()
{
    RequireImpl(m_impl).schemas.reset();
}

XmlSchemaCache XmlDocument::Schemas() const
{
    XmlSchemaCache cache;
    if (m_impl && m_impl->schemas) {
        cache.m_impl = m_impl->schemas;
    }
    return cache;
}

XmlNode XmlDocument::DocumentElement() const
{
    if (!m_impl) {
        return {};
    }
    xmlNodePtr root = xmlDocGetRootElement(m_impl->doc);
    return root ? XmlNode(m_impl, root) : XmlNode();
}

XmlNode XmlDocument::AsNode() const
{
    return m_impl ? XmlNode(m_impl, m_impl->doc) : XmlNode();
}

XmlNode XmlDocument::CreateElement(const QString& qualifiedName, const QString& namespaceUri)
{
    DocumentImpl& impl = RequireImpl(m_impl);
    QByteArray prefix;
    QByteArray local;
    SplitQualifiedName(qualifiedName, prefix, local);
    if (!prefix.isEmpty() && namespaceUri.isEmpty()) {
        Fail(QStringLiteral("Invalid argument"),
             QStringLiteral("The prefixed name '%1' needs a namespace URI.").arg(qualifiedName));
    }
    xmlNodePtr element = xmlNewDocNode(impl.doc, nullptr, AsXml(local), nullptr);
    if (!element) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The element could not be created."));
    }
    impl.Adopt(element);
    if (!namespaceUri.isEmpty()) {
        const QByteArray uri = namespaceUri.toUtf8();
        xmlNsPtr ns = xmlNewNs(element, AsXml(uri), prefix.isEmpty() ? nullptr : AsXml(prefix));
        if (!ns) {
            Fail(QStringLiteral("Invalid argument"),
                 QStringLiteral("The namespace of '%1' cannot be declared.").arg(qualifiedName));
        }
        xmlSetNs(element, ns);
    }
    return XmlNode(m_impl, element);
}

XmlNode XmlDocument::CreateAttribute(const QString& qualifiedName, const QString& namespaceUri)
{
    DocumentImpl& impl = RequireImpl(m_impl);
    QByteArray prefix;
    QByteArray local;
    SplitQualifiedName(qualifiedName, prefix, local);
    if ((!prefix.isEmpty() && namespaceUri.isEmpty()) || prefix == "xmlns" || (prefix.isEmpty() && local == "xmlns")) {
        Fail(QStringLiteral("Invalid argument"), QStringLiteral("'%1' cannot be created as an attribute.").arg(qualifiedName));
    }
    xmlAttrPtr attr = xmlNewDocProp(impl.doc, AsXml(local), nullptr);
    if (!attr) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The attribute could not be created."));
    }
    impl.Adopt(reinterpret_cast<xmlNodePtr>(attr));
    if (!namespaceUri.isEmpty()) {
        // A parentless attribute has nowhere to declare its namespace; the
        // declaration is made when it is set on an element.
        const QByteArray uri = namespaceUri.toUtf8();
        xmlNsPtr ns = xmlNewNs(nullptr, AsXml(uri), prefix.isEmpty() ? nullptr : AsXml(prefix));
        if (!ns) {
            Fail(QStringLiteral("Out of memory"), QStringLiteral("The attribute could not be created."));
        }
        impl.AdoptNs(ns);
        attr->ns = ns;
    }
    return XmlNode(m_impl, attr);
}

XmlNode XmlDocument::CreateTextNode(const QString& text)
{
    DocumentImpl& impl = RequireImpl(m_impl);
    xmlNodePtr node = xmlNewDocText(impl.doc, AsXml(text.toUtf8()));
    if (!node) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The text node could not be created."));
    }
    impl.Adopt(node);
    return XmlNode(m_impl, node);
}

XmlNode XmlDocument::CreateComment(const QString& text)
{
    DocumentImpl& impl = RequireImpl(m_impl);
    xmlNodePtr node = xmlNewDocComment(impl.doc, AsXml(text.toUtf8()));
    if (!node) {
        Fail(QStringLiteral("Out of memory"), QStringLiteral("The comment could not be created."));
    }
    impl.Adopt(node);
    return XmlNode(m_impl, node);
}

QString XmlDocument::Xml() const
{
    return m_impl ? SerializeDocument(m_impl->doc) : QString();
}

}  // namespace kvx::xml
