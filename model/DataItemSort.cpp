// The sorts of a profile's lists: the whole-list sort used on load and the
// re-positioning of one entry after its key changed.

#include "DataItem.h"

#include "MessageIds.h"
#include "ModelErrors.h"
#include "NameCollation.h"

#include <algorithm>
#include <vector>

using namespace kvx::xml;

namespace {

QString RequiredKey(const XmlNode& node, const QString& key)
{
    bool present = false;
    const QString value = node.GetAttribute(key, &present);
    if (!present)
        ThrowXmlFailure(QStringLiteral("Object required"),
                        QStringLiteral("The entry '%1' has no attribute '%2'.").arg(node.NodeName(), key));
    return value;
}

}  // namespace

void CDataItem::SortChildNodes(const XmlNode& list, const QString& key, bool ascending)
{
    struct Entry {
        QString key;
        XmlNode node;
    };
    std::vector<Entry> entries;
    XmlNode parent = list;
    for (XmlNode child = parent.FirstChild(); !child.IsNull(); child = child.NextSibling())
        entries.push_back({RequiredKey(child, key), child});

    // Inserting each entry before the first one that sorts after it (before
    // it, descending) is a stable sort: equal keys keep their order.
    std::stable_sort(entries.begin(), entries.end(), [ascending](const Entry& a, const Entry& b) {
        const int order = CompareNames(a.key, b.key);
        return ascending ? order < 0 : order > 0;
    });
    for (const Entry& entry : entries)
        parent.RemoveChild(entry.node);
    for (const Entry& entry : entries)
        parent.AppendChild(entry.node);
}

void CDataItem::SortXMLChildNodes(QString& text, const QString& list, const QString& key, bool ascending)
{
    XmlDocument doc;
    try {
        doc = XmlDocument::Create();
    } catch (const XmlError&) {
        KVX_RAISE(kMsgFatalReinstall, QStringLiteral("create Msxml2.DOMDocument.4.0 failed"), "CDataItem::SortXMLChildNodes");
    }
    try {
        if (!doc.LoadXml(text))
            KVX_RAISE(kMsgInvalidProfile, doc.LastParseError().reason, "CDataItem::SortXMLChildNodes");
        const XmlNode root = doc.DocumentElement();
        const XmlNode listNode = root.IsNull() ? XmlNode() : root.SelectSingleNode(QStringLiteral("//dfns:") + list);
        if (listNode.IsNull())
            ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("The profile has no '%1' element.").arg(list));
        SortChildNodes(listNode, key, ascending);
        text = doc.Xml();
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::SortXMLChildNodes")
}

qint16 CDataItem::MoveChildToSortedPosition(const XmlNode& parent, qint16 index, const QString& key, bool keepLast)
{
    XmlNode list = parent;
    const XmlNode child = list.ChildAt(index);
    if (child.IsNull())
        ThrowXmlFailure(QStringLiteral("Invalid argument"), QStringLiteral("No child at index %1.").arg(index));
    const QString movedKey = RequiredKey(child, key);
    const XmlNode copy = child.CloneNode(true);
    list.RemoveChild(child);

    int remaining = list.ChildCount();
    XmlNode defaultPlace;   // null: the end of the list
    if (keepLast) {
        remaining -= 1;
        defaultPlace = list.LastChild();
    }
    qint16 i = 0;
    XmlNode current = list.FirstChild();
    for (; i < remaining; ++i, current = current.NextSibling()) {
        const int order = CompareNames(movedKey, RequiredKey(current, key));
        if (order < 0 || (order == 0 && i >= index))
            break;
    }
    list.InsertBefore(copy, i < remaining ? current : defaultPlace);
    return i;
}
