// libxml2's process-wide set-up and the small helpers every part of the
// service uses.

#include "XmlInternal.h"

#include <libxml/parser.h>
#include <libxml/xmlIO.h>

#include <mutex>

namespace kvx::xml {

namespace {

// Nothing outside the text handed to the service is ever read: no DTDs,
// no external entities, no included schemas, from files or the network.
xmlParserInputPtr RefuseExternalEntity(const char* /*url*/, const char* /*id*/, xmlParserCtxtPtr /*ctxt*/)
{
    return nullptr;
}

}  // namespace

void EnsureLibraryInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalEntity);
    });
}

QString TakeXmlString(xmlChar* text)
{
    QString result = FromXml(text);
    if (text) {
        xmlFree(text);
    }
    return result;
}

void ErrorCollector::Handler(void* self, xmlErrorPtr error)
{
    auto* collector = static_cast<ErrorCollector*>(self);
    if (!collector || !error || error->level < XML_ERR_ERROR || collector->hasError) {
        return;
    }
    collector->hasError = true;
    collector->code = error->code;
    collector->message = QString::fromUtf8(error->message ? error->message : "").trimmed();
    collector->line = error->line;
    // The parser reports the column in int2; other modules leave it 0.
    collector->column = error->int2;
}

QString ErrorCollector::Reason() const
{
    QString reason = message.isEmpty() ? QStringLiteral("Unknown error (code %1)").arg(code) : message;
    if (line > 0 && column > 0) {
        reason += QStringLiteral(" (line %1, column %2)").arg(line).arg(column);
    } else if (line > 0) {
        reason += QStringLiteral(" (line %1)").arg(line);
    }
    return reason;
}

bool IsXsd(xmlNodePtr node, const char* localName)
{
    return node && node->type == XML_ELEMENT_NODE && node->ns && node->ns->href &&
           xmlStrEqual(node->ns->href, BAD_CAST kXsdNamespace) &&
           xmlStrEqual(node->name, BAD_CAST localName);
}

QString AttributeText(xmlNodePtr node, const char* name, bool* present)
{
    xmlAttrPtr attr = node ? xmlHasNsProp(node, BAD_CAST name, nullptr) : nullptr;
    if (present) {
        *present = attr != nullptr;
    }
    return attr ? TakeXmlString(xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr))) : QString();
}

void Fail(const QString& errorMessage, const QString& description)
{
    throw XmlError(errorMessage, description);
}

}  // namespace kvx::xml
