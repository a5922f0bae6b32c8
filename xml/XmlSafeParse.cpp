// Parsing untrusted text into a fresh libxml2 document. Profiles and
// settings documents never carry a DTD, so a DOCTYPE stops the parse before
// its internal subset is read: no entity can be declared, which rules out
// external entities and entity expansion bombs alike.

#include "XmlInternal.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

namespace kvx::xml {

namespace {

constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NODICT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                              XML_PARSE_IGNORE_ENC | XML_PARSE_BIG_LINES;

struct ParseState {
    ErrorCollector errors;
    bool doctypeSeen = false;
    int doctypeLine = 0;
};

void RefuseDoctype(void* userData, const xmlChar* /*name*/, const xmlChar* /*externalId*/, const xmlChar* /*systemId*/)
{
    auto* ctxt = static_cast<xmlParserCtxtPtr>(userData);
    auto* state = static_cast<ParseState*>(ctxt->_private);
    state->doctypeSeen = true;
    state->doctypeLine = ctxt->input ? ctxt->input->line : 0;
    xmlStopParser(ctxt);
}

bool IsWhitespaceOnly(const xmlChar* text)
{
    for (const xmlChar* c = text; c && *c; ++c) {
        if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') {
            return false;
        }
    }
    return true;
}

// xml:space="preserve" on an element keeps the whitespace of its subtree;
// "default" switches back.
bool PreservesSpace(xmlNodePtr element, bool inherited)
{
    for (xmlAttrPtr attr = element->properties; attr; attr = attr->next) {
        if (attr->ns && xmlStrEqual(attr->ns->href, XML_XML_NAMESPACE) && xmlStrEqual(attr->name, BAD_CAST "space")) {
            xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr));
            const bool preserve = xmlStrEqual(value, BAD_CAST "preserve");
            const bool reset = xmlStrEqual(value, BAD_CAST "default");
            xmlFree(value);
            return preserve ? true : (reset ? false : inherited);
        }
    }
    return inherited;
}

// Drops whitespace-only text nodes, as a DOM that does not preserve white
// space does. The document is fresh, so no handle can refer to them yet.
void DropWhitespaceText(xmlNodePtr parent, bool preserve)
{
    struct Frame {
        xmlNodePtr node;
        bool preserve;
    };
    std::vector<Frame> stack{{parent, preserve}};
    while (!stack.empty()) {
        const Frame frame = stack.back();
        stack.pop_back();
        xmlNodePtr child = frame.node->children;
        while (child) {
            xmlNodePtr next = child->next;
            if (child->type == XML_TEXT_NODE && !frame.preserve && IsWhitespaceOnly(child->content)) {
                xmlUnlinkNode(child);
                xmlFreeNode(child);
            } else if (child->type == XML_ELEMENT_NODE) {
                stack.push_back({child, PreservesSpace(child, frame.preserve)});
            }
            child = next;
        }
    }
}

}  // namespace

xmlDocPtr ParseSafely(const QString& text, ParseError& error)
{
    EnsureLibraryInitialised();
    error = ParseError();
    const QByteArray utf8 = text.toUtf8();
    if (utf8.isEmpty()) {
        error.errorCode = XML_ERR_DOCUMENT_EMPTY;
        error.reason = QStringLiteral("The document is empty.");
        return nullptr;
    }

    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        error.errorCode = XML_ERR_NO_MEMORY;
        error.reason = QStringLiteral("Out of memory.");
        return nullptr;
    }
    ParseState state;
    ctxt->_private = &state;
    ctxt->sax->internalSubset = RefuseDoctype;
    // The structured handler receives ctxt->userData, which is the context
    // itself for tree building; route it to the collector instead.
    ctxt->sax->serror = [](void* userData, xmlErrorPtr err) {
        auto* parserCtxt = static_cast<xmlParserCtxtPtr>(userData);
        ErrorCollector::Handler(&static_cast<ParseState*>(parserCtxt->_private)->errors, err);
    };

    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, utf8.constData(), static_cast<int>(utf8.size()), nullptr, "UTF-8",
                                      kParseOptions);
    const bool wellFormed = ctxt->wellFormed != 0;
    xmlFreeParserCtxt(ctxt);

    if (state.doctypeSeen) {
        if (doc) {
            xmlFreeDoc(doc);
        }
        error.errorCode = XML_ERR_USER_STOP;
        error.line = state.doctypeLine;
        error.reason = QStringLiteral("DTDs are not allowed: the document has a DOCTYPE declaration.");
        if (error.line > 0) {
            error.reason += QStringLiteral(" (line %1)").arg(error.line);
        }
        return nullptr;
    }
    if (!doc || !wellFormed || state.errors.hasError) {
        if (doc) {
            xmlFreeDoc(doc);
        }
        error.errorCode = state.errors.hasError && state.errors.code != 0 ? state.errors.code : XML_ERR_INTERNAL_ERROR;
        error.reason = state.errors.hasError ? state.errors.Reason() : QStringLiteral("The document could not be parsed.");
        error.line = state.errors.line;
        error.linePos = state.errors.column;
        return nullptr;
    }
    DropWhitespaceText(reinterpret_cast<xmlNodePtr>(doc), false);
    return doc;
}

}  // namespace kvx::xml
