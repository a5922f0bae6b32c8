// Finding the schema declaration of a document node by reading the schema
// document itself: libxml2 compiles schemas but offers no public way from a
// node to its declaration. Content models are followed through sequence,
// choice, all, group references, complexContent extension or restriction,
// element and attribute references and attribute groups.

#include "XmlInternal.h"

namespace kvx::xml {

namespace {

// Schemas are valid (they compiled), but references may still form long
// chains; this bounds any walk through them.
constexpr int kMaxDepth = 64;

struct QName {
    QString namespaceUri;
    QString local;
    bool builtin() const { return namespaceUri == QLatin1String(kXsdNamespace); }
};

// Resolves a QName-valued attribute ("type", "ref", "base") of a schema node
// against the namespace declarations in scope there.
bool ResolveQName(xmlNodePtr node, const char* attribute, QName& result)
{
    bool present = false;
    const QString value = AttributeText(node, attribute, &present).trimmed();
    if (!present || value.isEmpty()) {
        return false;
    }
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    const QByteArray prefix = colon < 0 ? QByteArray() : value.left(colon).toUtf8();
    xmlNsPtr ns = xmlSearchNs(node->doc, node, colon < 0 ? nullptr : AsXml(prefix));
    if (colon >= 0 && !ns) {
        return false;
    }
    result.namespaceUri = ns ? FromXml(ns->href) : QString();
    result.local = colon < 0 ? value : value.mid(colon + 1);
    return true;
}

class Finder {
public:
    explicit Finder(const SchemaCacheImpl& cache) : m_cache(cache) {}

    Located Global(const char* kind, const QName& name) const
    {
        const SchemaEntry* entry = m_cache.Find(name.namespaceUri);
        if (!entry) {
            return {};
        }
        return {entry, entry->globals.value(QLatin1String(kind) + QLatin1Char(':') + name.local, nullptr)};
    }

    Located GlobalByRef(const Located& at, const char* kind, const char* attribute) const
    {
        QName name;
        return ResolveQName(at.node, attribute, name) ? Global(kind, name) : Located{};
    }

    // The complex type of an element declaration, if it has one.
    Located ComplexTypeOf(const Located& element) const
    {
        QName type;
        if (ResolveQName(element.node, "type", type)) {
            return type.builtin() ? Located{} : Global("complexType", type);
        }
        for (xmlNodePtr child = element.node->children; child; child = child->next) {
            if (IsXsd(child, "complexType")) {
                return {element.entry, child};
            }
        }
        return {};
    }

    Located FindChildElement(const Located& model, const QString& ns, const QString& local, bool& sawAny,
                             int depth) const
    {
        if (!model || depth > kMaxDepth) {
            return {};
        }
        for (xmlNodePtr child = model.node->children; child; child = child->next) {
            const Located at{model.entry, child};
            Located found;
            if (IsXsd(child, "element")) {
                if (Located global = GlobalByRef(at, "element", "ref")) {
                    if (global.entry->namespaceUri == ns && AttributeText(global.node, "name") == local) {
                        return global;
                    }
                } else if (AttributeText(child, "name") == local && LocalNamespace(at, model.entry->elementsQualified) == ns) {
                    return at;
                }
            } else if (IsXsd(child, "sequence") || IsXsd(child, "choice") || IsXsd(child, "all")) {
                found = FindChildElement(at, ns, local, sawAny, depth + 1);
            } else if (IsXsd(child, "group")) {
                found = FindChildElement(GlobalByRef(at, "group", "ref"), ns, local, sawAny, depth + 1);
            } else if (IsXsd(child, "any")) {
                sawAny = true;
            } else if (IsXsd(child, "complexContent")) {
                for (xmlNodePtr derivation = child->children; derivation && !found; derivation = derivation->next) {
                    if (IsXsd(derivation, "extension")) {
                        found = FindChildElement(GlobalByRef({model.entry, derivation}, "complexType", "base"), ns,
                                                 local, sawAny, depth + 1);
                    }
                    if (!found && (IsXsd(derivation, "extension") || IsXsd(derivation, "restriction"))) {
                        found = FindChildElement({model.entry, derivation}, ns, local, sawAny, depth + 1);
                    }
                }
            }
            if (found) {
                return found;
            }
        }
        return {};
    }

    Located FindAttribute(const Located& owner, const QString& ns, const QString& local, int depth) const
    {
        if (!owner || depth > kMaxDepth) {
            return {};
        }
        for (xmlNodePtr child = owner.node->children; child; child = child->next) {
            const Located at{owner.entry, child};
            Located found;
            if (IsXsd(child, "attribute")) {
                if (Located global = GlobalByRef(at, "attribute", "ref")) {
                    if (global.entry->namespaceUri == ns && AttributeText(global.node, "name") == local) {
                        return global;
                    }
                } else if (AttributeText(child, "name") == local &&
                           LocalNamespace(at, owner.entry->attributesQualified) == ns) {
                    return at;
                }
            } else if (IsXsd(child, "attributeGroup")) {
                found = FindAttribute(GlobalByRef(at, "attributeGroup", "ref"), ns, local, depth + 1);
            } else if (IsXsd(child, "complexContent") || IsXsd(child, "simpleContent")) {
                for (xmlNodePtr derivation = child->children; derivation && !found; derivation = derivation->next) {
                    if (IsXsd(derivation, "extension") || IsXsd(derivation, "restriction")) {
                        // Own attributes first, then those inherited from the base.
                        found = FindAttribute({owner.entry, derivation}, ns, local, depth + 1);
                        if (!found) {
                            found = FindAttribute(GlobalByRef({owner.entry, derivation}, "complexType", "base"), ns,
                                                  local, depth + 1);
                        }
                    }
                }
            }
            if (found) {
                return found;
            }
        }
        return {};
    }

private:
    // The namespace of a local element or attribute declaration.
    static QString LocalNamespace(const Located& declaration, bool qualifiedByDefault)
    {
        bool hasForm = false;
        const QString form = AttributeText(declaration.node, "form", &hasForm);
        const bool qualified = hasForm ? form == QLatin1String("qualified") : qualifiedByDefault;
        return qualified ? declaration.entry->namespaceUri : QString();
    }

    const SchemaCacheImpl& m_cache;
};

QName NameOf(xmlNodePtr node)
{
    xmlNsPtr ns = NamespaceOf(node);
    return {ns ? FromXml(ns->href) : QString(), FromXml(node->name)};
}

// A cache key naming the node by the path of expanded names from the top.
// Built once per attribute read of every view, so it is assembled in one pass.
QByteArray PathKey(xmlNodePtr node)
{
    std::vector<xmlNodePtr> chain;
    for (xmlNodePtr current = node; current && current->type != XML_DOCUMENT_NODE; current = current->parent) {
        chain.push_back(current);
    }
    QByteArray key;
    key.reserve(static_cast<qsizetype>(chain.size()) * 48);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        xmlNodePtr current = *it;
        key += current->type == XML_ATTRIBUTE_NODE ? '@' : '/';
        key += '{';
        if (xmlNsPtr ns = NamespaceOf(current)) {
            key += reinterpret_cast<const char*>(ns->href);
        }
        key += '}';
        key += reinterpret_cast<const char*>(current->name);
    }
    return key;
}

QString FinalBaseOfSimpleType(const Finder& finder, Located type)
{
    for (int depth = 0; type && depth <= kMaxDepth; ++depth) {
        Located next;
        for (xmlNodePtr child = type.node->children; child && !next; child = child->next) {
            if (IsXsd(child, "list") || IsXsd(child, "union")) {
                return QStringLiteral("anySimpleType");
            }
            if (!IsXsd(child, "restriction")) {
                continue;
            }
            QName base;
            if (ResolveQName(child, "base", base)) {
                if (base.builtin()) {
                    return base.local;
                }
                next = finder.Global("simpleType", base);
                if (!next) {
                    return {};
                }
            } else {
                for (xmlNodePtr inner = child->children; inner && !next; inner = inner->next) {
                    if (IsXsd(inner, "simpleType")) {
                        next = {type.entry, inner};
                    }
                }
            }
        }
        type = next;
    }
    return {};
}

}  // namespace

Located SchemaCacheImpl::FindDeclarationNode(xmlNodePtr node)
{
    if (!node || (node->type != XML_ELEMENT_NODE && node->type != XML_ATTRIBUTE_NODE)) {
        return {};
    }
    xmlNodePtr element = node->type == XML_ATTRIBUTE_NODE ? node->parent : node;
    if (!element || element->type != XML_ELEMENT_NODE) {
        return {};
    }
    const QByteArray key = PathKey(node);
    if (auto it = declarationCache.constFind(key); it != declarationCache.cend()) {
        return it.value();
    }

    std::vector<xmlNodePtr> path;
    for (xmlNodePtr current = element; current && current->type == XML_ELEMENT_NODE; current = current->parent) {
        path.push_back(current);
    }
    const Finder finder(*this);
    Located declaration = finder.Global("element", NameOf(path.back()));
    for (auto it = path.rbegin() + 1; it != path.rend() && declaration; ++it) {
        const QName name = NameOf(*it);
        bool sawAny = false;
        Located next = finder.FindChildElement(finder.ComplexTypeOf(declaration), name.namespaceUri, name.local,
                                               sawAny, 0);
        if (!next && sawAny) {
            // A wildcard admits any globally declared element.
            next = finder.Global("element", name);
        }
        declaration = next;
    }
    if (declaration && node->type == XML_ATTRIBUTE_NODE) {
        const QName name = NameOf(node);
        declaration = finder.FindAttribute(finder.ComplexTypeOf(declaration), name.namespaceUri, name.local, 0);
        if (!declaration && !name.namespaceUri.isEmpty()) {
            // Qualified attributes may be declared globally and used freely.
            declaration = finder.Global("attribute", name);
        }
    }
    declarationCache.insert(key, declaration);
    return declaration;
}

XmlSchemaCache::Declaration XmlSchemaCache::FindDeclaration(const XmlNode& node) const
{
    Declaration declaration;
    const Located found = m_impl->FindDeclarationNode(static_cast<xmlNodePtr>(node.Raw()));
    if (found) {
        declaration.m_decl = DocumentImpl::MakeNode(DocumentImpl::ImplOf(found.entry->lookupDoc), found.node);
        declaration.m_cache = m_impl;
    }
    return declaration;
}

QString XmlSchemaCache::Declaration::Name() const
{
    return IsNull() ? QString() : AttributeText(static_cast<xmlNodePtr>(m_decl.Raw()), "name");
}

// The name of the type a declaration's type derives from at last.
static QString FinalBaseTypeOf(const SchemaCacheImpl& cache, xmlNodePtr node)
{
    const Finder finder(cache);
    QName type;
    if (ResolveQName(node, "type", type)) {
        return type.builtin() ? type.local : FinalBaseOfSimpleType(finder, finder.Global("simpleType", type));
    }
    for (xmlNodePtr child = node->children; child; child = child->next) {
        if (IsXsd(child, "simpleType")) {
            return FinalBaseOfSimpleType(finder, {cache.EntryOf(node), child});
        }
        if (IsXsd(child, "complexType")) {
            return {};
        }
    }
    // An attribute without a type has the simple ur-type; an element
    // without one has the (complex) ur-type.
    return IsXsd(node, "attribute") ? QStringLiteral("anySimpleType") : QString();
}

QString XmlSchemaCache::Declaration::FinalBaseTypeName() const
{
    if (IsNull()) {
        return {};
    }
    auto* node = static_cast<xmlNodePtr>(m_decl.Raw());
    if (auto it = m_cache->baseTypeCache.constFind(node); it != m_cache->baseTypeCache.cend()) {
        return it.value();
    }
    const QString name = FinalBaseTypeOf(*m_cache, node);
    m_cache->baseTypeCache.insert(node, name);
    return name;
}

QString XmlSchemaCache::Declaration::AnnotationXml() const
{
    if (IsNull()) {
        return {};
    }
    for (xmlNodePtr child = static_cast<xmlNodePtr>(m_decl.Raw())->children; child; child = child->next) {
        if (IsXsd(child, "annotation")) {
            return SerializeNode(child);
        }
    }
    return {};
}

}  // namespace kvx::xml
