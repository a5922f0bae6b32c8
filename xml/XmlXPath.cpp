// XPath 1.0 selection relative to a node, through the document's cached
// context and its prefix bindings.

#include "XmlInternal.h"

#include <libxml/xpathInternals.h>

namespace kvx::xml {

namespace {

std::vector<XmlNode> Select(const std::shared_ptr<DocumentImpl>& impl, void* raw, const QString& expression,
                            bool firstOnly)
{
    if (!impl || !raw) {
        Fail(QStringLiteral("Object required"), QStringLiteral("Selection on a null node."));
    }
    auto* node = static_cast<xmlNodePtr>(raw);
    xmlXPathContextPtr context = impl->xpath;
    context->doc = node->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(node) : node->doc;
    context->node = node;
    impl->xpathErrors = ErrorCollector();

    const QByteArray utf8 = expression.toUtf8();
    xmlXPathCompExprPtr compiled = xmlXPathCtxtCompile(context, AsXml(utf8));
    if (!compiled) {
        Fail(QStringLiteral("Invalid XPath expression"),
             QStringLiteral("%1\n%2").arg(impl->xpathErrors.message, expression));
    }
    xmlXPathObjectPtr result = xmlXPathCompiledEval(compiled, context);
    xmlXPathFreeCompExpr(compiled);
    context->node = nullptr;
    if (!result) {
        Fail(QStringLiteral("Invalid XPath expression"),
             QStringLiteral("%1\n%2").arg(impl->xpathErrors.message, expression));
    }
    if (result->type != XPATH_NODESET) {
        xmlXPathFreeObject(result);
        Fail(QStringLiteral("Invalid XPath expression"),
             QStringLiteral("Expression does not return a DOM node.\n%1").arg(expression));
    }
    std::vector<XmlNode> nodes;
    if (xmlNodeSetPtr set = result->nodesetval) {
        nodes.reserve(firstOnly ? 1 : static_cast<size_t>(set->nodeNr));
        for (int i = 0; i < set->nodeNr; ++i) {
            xmlNodePtr found = set->nodeTab[i];
            // Namespace nodes are copies owned by the result, not tree nodes.
            if (found->type == XML_NAMESPACE_DECL) {
                continue;
            }
            nodes.push_back(DocumentImpl::MakeNode(impl, found));
            if (firstOnly) {
                break;
            }
        }
    }
    xmlXPathFreeObject(result);
    return nodes;
}

}  // namespace

XmlNode XmlNode::SelectSingleNode(const QString& xpath) const
{
    std::vector<XmlNode> nodes = Select(m_doc, m_node, xpath, true);
    return nodes.empty() ? XmlNode() : nodes.front();
}

XmlNodeList XmlNode::SelectNodes(const QString& xpath) const
{
    return XmlNodeList(Select(m_doc, m_node, xpath, false));
}

}  // namespace kvx::xml
