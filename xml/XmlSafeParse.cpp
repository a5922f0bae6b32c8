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

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsWhitespaceOnly(const xmlChar* text)
{
    for (const xmlChar* c = text; c && *c; ++c) {
        if (!IsSpace(static_cast<char>(*c))) {
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

// libxml2 checks each attribute of an element against all before it and
// each namespace declaration against those in scope, so a single element
// with 200,000 attributes, or a document with 380,000 declarations, costs
// minutes; and every node costs the data model some microseconds on each of
// its passes. The largest profile (150 contacts with full scroll lists) has
// about 25,000 elements, 30,000 attributes and 50 attributes on one
// element, the settings documents far less; more structure than these
// limits is refused before the parser sees it.
constexpr int kMaxAttributesPerElement = 100;
constexpr int kMaxAttributes = 100000;
constexpr int kMaxNodes = 100000;   // elements, comments, instructions, CDATA sections
constexpr int kMaxNamespaceDeclarations = 64;

// Finds the end of a construct that cannot nest ("-->", "?>", "]]>"); the
// end of the text when there is none.
qsizetype SkipPast(const QByteArray& text, qsizetype from, const char* end)
{
    const qsizetype at = text.indexOf(end, from);
    return at < 0 ? text.size() : at + static_cast<qsizetype>(qstrlen(end));
}

// A linear scan of the start tags: the reason when one holds too many
// attributes or the document too many namespace declarations; empty when not.
QString ExcessiveStructure(const QByteArray& text)
{
    int declarations = 0;
    int allAttributes = 0;
    int nodes = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype open = text.indexOf('<', i);
        if (open < 0)
            break;
        const QByteArrayView head = QByteArrayView(text).sliced(open);
        if (!head.startsWith("</") && ++nodes > kMaxNodes)
            return QStringLiteral("The document has more than %1 elements, comments and instructions.").arg(kMaxNodes);
        if (head.startsWith("<!--")) {
            i = SkipPast(text, open + 4, "-->");
        } else if (head.startsWith("<![CDATA[")) {
            i = SkipPast(text, open + 9, "]]>");
        } else if (head.startsWith("<?")) {
            i = SkipPast(text, open + 2, "?>");
        } else if (head.startsWith("<!") || head.startsWith("</")) {
            i = SkipPast(text, open + 2, ">");
        } else {
            // A start tag: every '=' outside a quoted value is an attribute.
            int attributes = 0;
            char quote = 0;
            qsizetype k = open + 1;
            for (; k < n; ++k) {
                const char c = text[k];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                } else if (c == '=') {
                    if (++attributes > kMaxAttributesPerElement)
                        return QStringLiteral("An element has more than %1 attributes.").arg(kMaxAttributesPerElement);
                    if (++allAttributes > kMaxAttributes)
                        return QStringLiteral("The document has more than %1 attributes.").arg(kMaxAttributes);
                } else if (c == 'x' && IsSpace(text[k - 1]) && QByteArrayView(text).sliced(k).startsWith("xmlns")) {
                    if (++declarations > kMaxNamespaceDeclarations)
                        return QStringLiteral("The document has more than %1 namespace declarations.").arg(kMaxNamespaceDeclarations);
                }
            }
            i = k + 1;
        }
    }
    return QString();
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

    const QString excessive = ExcessiveStructure(utf8);
    if (!excessive.isEmpty()) {
        error.errorCode = XML_ERR_USER_STOP;
        error.reason = excessive;
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
