// LoadXml on arbitrary bytes, then the operations a loaded document goes
// through: selection, serialisation and a reload of the serialised text,
// tree changes and the lifetime of the nodes they remove.

#include "XmlService.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kvx::xml;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    XmlDocument doc = XmlDocument::Create();
    if (!doc.LoadXml(text)) {
        if (doc.LastParseError().errorCode == 0 || !doc.DocumentElement().IsNull()) {
            std::abort();
        }
        return 0;
    }
    const QString serialised = doc.Xml();
    XmlDocument again = XmlDocument::Create();
    // What the service writes, it reads back to the same text.
    if (!again.LoadXml(serialised) || again.Xml() != serialised) {
        std::abort();
    }
    XmlNodeList all = doc.SelectNodes(QStringLiteral("//node() | //@*"));
    XmlNode root = doc.DocumentElement();
    std::vector<XmlNode> kept;
    for (const XmlNode& node : all) {
        node.Xml();
        if (node.Type() == NodeType::Element && node != root) {
            kept.push_back(node.CloneNode(false));
            try {
                kept.push_back(node.Parent().RemoveChild(node));
                if (kept.size() < 8) {
                    root.AppendChild(again.DocumentElement());
                }
            } catch (const XmlError&) {
            }
        }
    }
    doc.LoadXml(QStringLiteral("<x/>"));
    doc = XmlDocument();
    for (const XmlNode& node : kept) {
        node.Xml();
    }
    return 0;
}
