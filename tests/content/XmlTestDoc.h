#pragma once

// A small read-only view of an installation XML document for the content
// tests: libxml2 parsing without network or entities, XPath with the prefix
// "dfns" bound to the profile namespace.

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <QFile>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class XmlTestDoc {
public:
    explicit XmlTestDoc(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        m_bytes = file.readAll();
        m_doc.reset(xmlReadMemory(m_bytes.constData(), int(m_bytes.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR));
    }

    bool IsLoaded() const { return m_doc != nullptr; }
    const QByteArray& Bytes() const { return m_bytes; }
    xmlNodePtr Root() const { return xmlDocGetRootElement(m_doc.get()); }

    // Nodes selected by an XPath expression, relative to `context` (the
    // document when null).
    std::vector<xmlNodePtr> Select(const std::string& xpath, xmlNodePtr context = nullptr) const
    {
        std::vector<xmlNodePtr> nodes;
        std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> ctx(xmlXPathNewContext(m_doc.get()),
                                                                             &xmlXPathFreeContext);
        xmlXPathRegisterNs(ctx.get(), BAD_CAST "dfns", BAD_CAST "urn:varnholt:kvxzot:profile");
        if (context)
            ctx->node = context;
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
            xmlXPathEvalExpression(BAD_CAST xpath.c_str(), ctx.get()), &xmlXPathFreeObject);
        if (result && result->nodesetval) {
            for (int i = 0; i < result->nodesetval->nodeNr; ++i)
                nodes.push_back(result->nodesetval->nodeTab[i]);
        }
        return nodes;
    }

    static bool HasAttr(xmlNodePtr node, const char* name) { return xmlHasProp(node, BAD_CAST name) != nullptr; }

    static std::string Attr(xmlNodePtr node, const char* name)
    {
        xmlChar* value = xmlGetProp(node, BAD_CAST name);
        std::string text = value ? reinterpret_cast<const char*>(value) : "";
        xmlFree(value);
        return text;
    }

    static std::string Name(xmlNodePtr node) { return reinterpret_cast<const char*>(node->name); }

    static std::vector<xmlNodePtr> ChildElements(xmlNodePtr node)
    {
        std::vector<xmlNodePtr> children;
        for (xmlNodePtr child = node ? node->children : nullptr; child; child = child->next) {
            if (child->type == XML_ELEMENT_NODE)
                children.push_back(child);
        }
        return children;
    }

private:
    struct DocFree {
        void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
    };
    QByteArray m_bytes;
    std::unique_ptr<xmlDoc, DocFree> m_doc;
};

inline QString InstallationPath(const QString& relative)
{
    return QStringLiteral(KVX_INSTALLATION_DIR "/") + relative;
}
