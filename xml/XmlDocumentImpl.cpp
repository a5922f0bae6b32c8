// Lifetime of a document's libxml2 memory. Handles may point at any node
// ever created in or unlinked from the document, so nothing is freed until
// the implementation itself goes away (or provably nobody can reach it).

#include "XmlInternal.h"

#include <libxml/xpathInternals.h>

#include <algorithm>

namespace kvx::xml {

DocumentImpl::DocumentImpl()
{
    EnsureLibraryInitialised();
    doc = xmlNewDoc(BAD_CAST "1.0");
    xpath = xmlXPathNewContext(doc);
    if (!doc || !xpath) {
        if (xpath) {
            xmlXPathFreeContext(xpath);
        }
        if (doc) {
            xmlFreeDoc(doc);
        }
        throw XmlError(QStringLiteral("Out of memory"), QStringLiteral("The XML document could not be created."));
    }
    xpath->error = ErrorCollector::Handler;
    xpath->userData = &xpathErrors;
    BindPrefix(QStringLiteral("dfns"), QString::fromLatin1(kProfileNamespace));
}

DocumentImpl::~DocumentImpl()
{
    xmlXPathFreeContext(xpath);
    // Detached subtrees first: freeing a node reads its document.
    FreeDetachedNodes();
    for (xmlDocPtr old : retiredDocs) {
        xmlFreeDoc(old);
    }
    xmlFreeDoc(doc);
    for (xmlNsPtr ns : ownedNs) {
        xmlFreeNs(ns);
    }
}

void DocumentImpl::FreeDetachedNodes()
{
    std::sort(detached.begin(), detached.end());
    detached.erase(std::unique(detached.begin(), detached.end()), detached.end());
    // Decide on every node before freeing any: a listed node may sit inside
    // another listed node's subtree, and then goes with that subtree.
    std::vector<xmlNodePtr> roots;
    for (xmlNodePtr node : detached) {
        if (node->parent == nullptr) {
            roots.push_back(node);
        }
    }
    for (xmlNodePtr root : roots) {
        xmlFreeNode(root);
    }
    detached.clear();
}

void DocumentImpl::ReplaceDoc(xmlDocPtr newDoc, bool soleOwner)
{
    if (soleOwner) {
        FreeDetachedNodes();
        for (xmlDocPtr old : retiredDocs) {
            xmlFreeDoc(old);
        }
        retiredDocs.clear();
        xmlFreeDoc(doc);
        for (xmlNsPtr ns : ownedNs) {
            xmlFreeNs(ns);
        }
        ownedNs.clear();
    } else {
        retiredDocs.push_back(doc);
    }
    doc = newDoc;
    xpath->doc = newDoc;
    xpath->node = nullptr;
}

void DocumentImpl::BindPrefix(const QString& prefix, const QString& uri)
{
    const QByteArray prefixUtf8 = prefix.toUtf8();
    if (uri.isEmpty()) {
        xmlXPathRegisterNs(xpath, AsXml(prefixUtf8), nullptr);
        m_prefixes.remove(prefix);
        return;
    }
    const QByteArray uriUtf8 = uri.toUtf8();
    if (xmlXPathRegisterNs(xpath, AsXml(prefixUtf8), AsXml(uriUtf8)) != 0) {
        Fail(QStringLiteral("Invalid argument"), QStringLiteral("The prefix '%1' cannot be bound.").arg(prefix));
    }
    m_prefixes.insert(prefix, uri);
}

void DocumentImpl::ClearPrefixes()
{
    xmlXPathRegisteredNsCleanup(xpath);
    m_prefixes.clear();
}

void DocumentImpl::CopyPrefixesFrom(const DocumentImpl& other)
{
    ClearPrefixes();
    for (auto it = other.m_prefixes.cbegin(); it != other.m_prefixes.cend(); ++it) {
        BindPrefix(it.key(), it.value());
    }
}

}  // namespace kvx::xml
