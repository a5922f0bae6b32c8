// Tree changes and the lifetime of nodes taken out of a tree.

#include "XmlService.h"
#include "XmlTestProfile.h"

#include <gtest/gtest.h>

using namespace kvx::xml;

namespace {

const QString kNs = QStringLiteral("urn:varnholt:kvxzot:profile");

XmlDocument Load(const QString& text)
{
    XmlDocument doc = XmlDocument::Create();
    EXPECT_TRUE(doc.LoadXml(text)) << doc.LastParseError().reason.toStdString();
    return doc;
}

XmlDocument List()
{
    return Load(QStringLiteral("<L xmlns=\"urn:varnholt:kvxzot:profile\"><e n=\"a\"/><e n=\"b\"><c/></e><e n=\"c\"/></L>"));
}

QString Names(const XmlNode& parent)
{
    QString names;
    for (const XmlNode& child : parent.ChildNodes()) {
        names += child.GetAttribute(QStringLiteral("n"));
    }
    return names;
}

}  // namespace

TEST(XmlLifetime, RemovedNodeOutlivesItsDocumentHandle)
{
    XmlNode removed;
    XmlNode removedAttribute;
    {
        XmlDocument doc = List();
        XmlNode root = doc.DocumentElement();
        removed = root.RemoveChild(root.ChildAt(1));
        removedAttribute = root.FirstChild().GetAttributeNode(QStringLiteral("n"));
        root.FirstChild().RemoveAttribute(QStringLiteral("n"));
        EXPECT_EQ(Names(root), QStringLiteral("c"));
    }
    EXPECT_TRUE(removed.Parent().IsNull());
    EXPECT_EQ(removed.GetAttribute(QStringLiteral("n")), QStringLiteral("b"));
    EXPECT_EQ(removed.FirstChild().BaseName(), QStringLiteral("c"));
    EXPECT_EQ(removed.Xml(), QStringLiteral("<e xmlns=\"urn:varnholt:kvxzot:profile\" n=\"b\"><c/></e>"));
    EXPECT_EQ(removed.SelectNodes(QStringLiteral("dfns:c")).Length(), 1);
    EXPECT_EQ(removedAttribute.NodeValue(), QStringLiteral("a"));
    // The removed node can still be changed and put into another document.
    removed.SetAttribute(QStringLiteral("n"), QStringLiteral("B"));
    XmlDocument other = Load(QStringLiteral("<L xmlns=\"urn:varnholt:kvxzot:profile\"/>"));
    XmlNode copy = other.DocumentElement().AppendChild(removed);
    EXPECT_EQ(other.DocumentElement().Xml(), QStringLiteral("<L xmlns=\"urn:varnholt:kvxzot:profile\"><e n=\"B\"><c/></e></L>"));
    EXPECT_FALSE(copy == removed);
}

TEST(XmlLifetime, ReloadKeepsOldNodesUsable)
{
    XmlDocument doc = List();
    XmlNode oldRoot = doc.DocumentElement();
    XmlNode oldChild = oldRoot.ChildAt(1);
    XmlNode oldDocumentNode = doc.AsNode();
    ASSERT_TRUE(doc.LoadXml(QStringLiteral("<New/>")));
    EXPECT_EQ(doc.DocumentElement().NodeName(), QStringLiteral("New"));
    EXPECT_EQ(oldChild.Parent(), oldRoot);
    EXPECT_EQ(Names(oldRoot), QStringLiteral("abc"));
    EXPECT_EQ(oldChild.SelectSingleNode(QStringLiteral("..")), oldRoot);
    EXPECT_EQ(oldDocumentNode.FirstChild(), oldRoot);
    // Old nodes are copied, not moved, into the new content.
    XmlNode inserted = doc.DocumentElement().AppendChild(oldChild);
    EXPECT_EQ(inserted.Parent(), doc.DocumentElement());
    EXPECT_EQ(oldChild.Parent(), oldRoot);
    ASSERT_TRUE(doc.LoadXml(QStringLiteral("<Third/>")));
    EXPECT_EQ(inserted.GetAttribute(QStringLiteral("n")), QStringLiteral("b"));
}

TEST(XmlLifetime, ReplacedValuesAndChildrenStayValid)
{
    XmlDocument doc = Load(QStringLiteral("<a x=\"1\"><b>old</b><c/></a>"));
    XmlNode a = doc.DocumentElement();
    XmlNode b = a.FirstChild();
    XmlNode oldText = b.FirstChild();
    XmlNode valueText = a.GetAttributeNode(QStringLiteral("x")).FirstChild();
    a.SetAttribute(QStringLiteral("x"), QStringLiteral("2"));
    a.SetText(QStringLiteral("new"));
    EXPECT_EQ(a.Xml(), QStringLiteral("<a x=\"2\">new</a>"));
    EXPECT_EQ(valueText.NodeValue(), QStringLiteral("1"));
    EXPECT_EQ(b.Xml(), QStringLiteral("<b>old</b>"));
    b.FirstChild().SetNodeValue(QStringLiteral("changed"));
    EXPECT_EQ(oldText.NodeValue(), QStringLiteral("changed"));

    XmlNode replacement = doc.CreateAttribute(QStringLiteral("x"));
    replacement.SetNodeValue(QStringLiteral("3"));
    XmlNode replaced = a.SetAttributeNode(replacement);
    EXPECT_EQ(replaced.NodeValue(), QStringLiteral("2"));
    EXPECT_EQ(a.GetAttribute(QStringLiteral("x")), QStringLiteral("3"));
    EXPECT_EQ(a.AttributeCount(), 1);
    XmlNode elsewhere = doc.CreateElement(QStringLiteral("z"), QString());
    EXPECT_THROW(elsewhere.SetAttributeNode(replacement), XmlError);
    a.RemoveAttribute(QStringLiteral("missing"));
}

TEST(XmlLifetime, IdAttributesSurviveChangesAndRemoval)
{
    XmlDocument doc = Load(QStringLiteral("<a><b xml:id=\"one\"/><c xml:id=\"two\"/></a>"));
    XmlNode b = doc.DocumentElement().FirstChild();
    EXPECT_EQ(doc.SelectSingleNode(QStringLiteral("id('one')")), b);
    b.SetAttribute(QStringLiteral("xml:id"), QStringLiteral("uno"));
    EXPECT_EQ(doc.SelectSingleNode(QStringLiteral("id('uno')")), b);
    EXPECT_TRUE(doc.SelectSingleNode(QStringLiteral("id('one')")).IsNull());
    XmlNode c = doc.DocumentElement().LastChild();
    XmlNode id = c.GetAttributeNode(QStringLiteral("xml:id"));
    c.RemoveAttribute(QStringLiteral("xml:id"));
    EXPECT_TRUE(doc.SelectSingleNode(QStringLiteral("id('two')")).IsNull());
    XmlDocument other = XmlDocument::Create();
    other.AsNode().AppendChild(doc.DocumentElement());
    doc = XmlDocument();
    EXPECT_EQ(id.NodeValue(), QStringLiteral("two"));
    EXPECT_EQ(other.SelectSingleNode(QStringLiteral("id('uno')")).BaseName(), QStringLiteral("b"));
}

TEST(XmlTree, InsertBeforeMovesWithinTheDocument)
{
    XmlDocument doc = List();
    XmlNode root = doc.DocumentElement();
    XmlNode c = root.LastChild();
    EXPECT_EQ(root.InsertBefore(c, root.FirstChild()), c);
    EXPECT_EQ(Names(root), QStringLiteral("cab"));
    root.InsertBefore(root.FirstChild(), XmlNode());
    EXPECT_EQ(Names(root), QStringLiteral("abc"));
    root.InsertBefore(root.ChildAt(1), root.ChildAt(1));   // before itself: no change
    EXPECT_EQ(Names(root), QStringLiteral("abc"));
    EXPECT_EQ(root.ChildAt(1).PreviousSibling(), root.FirstChild());
    EXPECT_EQ(root.ChildAt(1).NextSibling(), root.LastChild());

    // A moved element keeps its namespace and serialises without new declarations.
    XmlNode inner = root.ChildAt(1).FirstChild();
    root.AppendChild(inner);
    EXPECT_EQ(inner.NamespaceUri(), kNs);
    EXPECT_EQ(root.Xml().count(QStringLiteral("xmlns")), 1);

    // The sort pattern: empty a list and re-insert the entries from a copy.
    XmlNode source = root.CloneNode(true);
    while (root.HasChildNodes()) {
        root.RemoveChild(root.FirstChild());
    }
    while (source.HasChildNodes()) {
        root.InsertBefore(source.LastChild(), root.FirstChild());
    }
    EXPECT_EQ(root.ChildCount(), 4);
    EXPECT_EQ(root.Xml().count(QStringLiteral("xmlns")), 1);
    EXPECT_EQ(doc.SelectNodes(QStringLiteral("/dfns:L/dfns:e")).Length(), 3);
}

TEST(XmlTree, HierarchyErrorsRaise)
{
    XmlDocument doc = List();
    XmlNode root = doc.DocumentElement();
    XmlNode b = root.ChildAt(1);
    EXPECT_THROW(b.AppendChild(root), XmlError);
    EXPECT_THROW(b.AppendChild(b), XmlError);
    EXPECT_THROW(b.FirstChild().InsertBefore(root.FirstChild(), b), XmlError);   // reference not a child
    EXPECT_THROW(root.RemoveChild(b.FirstChild()), XmlError);
    EXPECT_THROW(doc.AsNode().AppendChild(doc.CreateElement(QStringLiteral("second"), QString())), XmlError);
    EXPECT_THROW(doc.AsNode().AppendChild(doc.CreateTextNode(QStringLiteral("t"))), XmlError);
    EXPECT_THROW(root.AppendChild(doc.CreateAttribute(QStringLiteral("a"))), XmlError);
    EXPECT_THROW(root.AppendChild(XmlNode()), XmlError);
    EXPECT_THROW(root.GetAttributeNode(QStringLiteral("n")).AppendChild(b), XmlError);
    EXPECT_THROW(root.SetAttribute(QStringLiteral("p:x"), QStringLiteral("1")), XmlError);
    EXPECT_THROW(root.SetAttribute(QStringLiteral("1x"), QStringLiteral("1")), XmlError);
    EXPECT_THROW(doc.CreateElement(QStringLiteral("p:x"), QString()), XmlError);
    EXPECT_THROW(root.SetNodeValue(QStringLiteral("v")), XmlError);
    EXPECT_THROW(XmlDocument().CreateElement(QStringLiteral("x"), QString()), XmlError);
    // Nothing changed.
    EXPECT_EQ(Names(root), QStringLiteral("abc"));
    // Replacing the document element is allowed.
    XmlNode newRoot = doc.CreateElement(QStringLiteral("R"), kNs);
    EXPECT_EQ(doc.AsNode().ReplaceChild(newRoot, root), root);
    EXPECT_EQ(doc.DocumentElement(), newRoot);
}

TEST(XmlTree, CloneDeepAndShallow)
{
    XmlDocument doc = List();
    XmlNode b = doc.DocumentElement().ChildAt(1);
    XmlNode deep = b.CloneNode(true);
    XmlNode shallow = b.CloneNode(false);
    EXPECT_TRUE(deep.Parent().IsNull());
    EXPECT_EQ(deep.Xml(), QStringLiteral("<e xmlns=\"urn:varnholt:kvxzot:profile\" n=\"b\"><c/></e>"));
    EXPECT_EQ(shallow.Xml(), QStringLiteral("<e xmlns=\"urn:varnholt:kvxzot:profile\" n=\"b\"/>"));
    EXPECT_EQ(shallow.OwnerDocument(), doc);
    // Independent of the original.
    deep.SetAttribute(QStringLiteral("n"), QStringLiteral("x"));
    EXPECT_EQ(b.GetAttribute(QStringLiteral("n")), QStringLiteral("b"));
    // Inserted clone: the redundant declaration goes away.
    doc.DocumentElement().AppendChild(shallow);
    EXPECT_EQ(doc.DocumentElement().LastChild().Xml(), QStringLiteral("<e xmlns=\"urn:varnholt:kvxzot:profile\" n=\"b\"/>"));
    EXPECT_EQ(doc.DocumentElement().Xml().count(QStringLiteral("xmlns")), 1);

    XmlNode attribute = b.GetAttributeNode(QStringLiteral("n")).CloneNode(false);
    EXPECT_EQ(attribute.NodeValue(), QStringLiteral("b"));
    XmlNode documentCopy = doc.AsNode().CloneNode(true);
    EXPECT_EQ(documentCopy.Type(), NodeType::Document);
    EXPECT_EQ(documentCopy.Xml(), doc.Xml());
    EXPECT_EQ(documentCopy.SelectNodes(QStringLiteral("//dfns:e")).Length(), 4);
}

TEST(XmlTree, CrossDocumentAppendCopiesIntoTheTarget)
{
    XmlDocument settings = Load(QStringLiteral(
        "<S xmlns=\"urn:varnholt:kvxzot:profile\" xmlns:p=\"urn:p\"><CPField name=\"f\" p:x=\"1\"><Control/></CPField></S>"));
    XmlDocument work = XmlDocument::Create();
    XmlNode root = work.AsNode().AppendChild(work.CreateElement(QStringLiteral("root"), kNs));
    XmlNode keep = root.AppendChild(work.CreateElement(QStringLiteral("keepNode"), kNs));
    XmlNode field = settings.SelectSingleNode(QStringLiteral("//dfns:CPField"));
    XmlNode copy = keep.AppendChild(field.CloneNode(false));
    XmlNode deepCopy = keep.AppendChild(field);

    EXPECT_EQ(copy.OwnerDocument(), work);
    EXPECT_EQ(field.Parent(), settings.DocumentElement());   // source untouched
    EXPECT_EQ(work.SelectNodes(QStringLiteral("//dfns:keepNode/dfns:CPField[@name='f']")).Length(), 2);
    EXPECT_EQ(deepCopy.FirstChild().NamespaceUri(), kNs);
    EXPECT_EQ(work.Xml(), QStringLiteral("<?xml version=\"1.0\"?>\r\n<root xmlns=\"urn:varnholt:kvxzot:profile\"><keepNode>"
                                         "<CPField xmlns:p=\"urn:p\" name=\"f\" p:x=\"1\"/>"
                                         "<CPField xmlns:p=\"urn:p\" name=\"f\" p:x=\"1\"><Control/></CPField>"
                                         "</keepNode></root>"));
    settings = XmlDocument();
    field = XmlNode();
    EXPECT_EQ(copy.GetAttribute(QStringLiteral("p:x")), QStringLiteral("1"));

    // A created attribute from another document, in a namespace.
    XmlDocument third = XmlDocument::Create();
    XmlNode attribute = third.CreateAttribute(QStringLiteral("q:y"), QStringLiteral("urn:q"));
    attribute.SetNodeValue(QStringLiteral("v"));
    third = XmlDocument();
    keep.SetAttributeNode(attribute);
    EXPECT_EQ(keep.GetAttributeNode(QStringLiteral("q:y")).NamespaceUri(), QStringLiteral("urn:q"));
    XmlDocument reread = Load(work.Xml());
    EXPECT_EQ(reread.DocumentElement().FirstChild().GetAttribute(QStringLiteral("q:y")), QStringLiteral("v"));
}

TEST(XmlTree, CreatedNodesGetTheirNamespacesWhereTheyAreInserted)
{
    XmlDocument doc = Load(QStringLiteral("<r xmlns=\"urn:varnholt:kvxzot:profile\"/>"));
    XmlNode root = doc.DocumentElement();
    XmlNode plain = root.AppendChild(doc.CreateElement(QStringLiteral("plain"), QString()));
    XmlNode prefixed = root.AppendChild(doc.CreateElement(QStringLiteral("x:p"), QStringLiteral("urn:x")));
    XmlNode same = root.AppendChild(doc.CreateElement(QStringLiteral("Private"), kNs));
    same.SetAttribute(QStringLiteral("name"), QStringLiteral("A & B"));
    root.AppendChild(doc.CreateComment(QStringLiteral("note")));
    EXPECT_EQ(root.Xml(), QStringLiteral("<r xmlns=\"urn:varnholt:kvxzot:profile\"><plain xmlns=\"\"/>"
                                         "<x:p xmlns:x=\"urn:x\"/><Private name=\"A &amp; B\"/><!--note--></r>"));
    XmlDocument reread = Load(doc.Xml());
    EXPECT_EQ(reread.DocumentElement().FirstChild().NamespaceUri(), QString());
    EXPECT_EQ(plain.NamespaceUri(), QString());
    EXPECT_EQ(prefixed.Prefix(), QStringLiteral("x"));
    EXPECT_EQ(doc.SelectNodes(QStringLiteral("//dfns:Private[@name='A & B']")).Length(), 1);
}

TEST(XmlTree, NodeAccessors)
{
    XmlDocument doc = Load(QStringLiteral("<p:a xmlns:p=\"urn:p\" k=\"v\"><!--c--><?pi data?>t<![CDATA[<x>]]></p:a>"));
    XmlNode a = doc.DocumentElement();
    EXPECT_EQ(a.NodeName(), QStringLiteral("p:a"));
    EXPECT_EQ(a.BaseName(), QStringLiteral("a"));
    EXPECT_EQ(a.Prefix(), QStringLiteral("p"));
    EXPECT_EQ(a.Text(), QStringLiteral("t<x>"));
    EXPECT_EQ(a.GetAttribute(QStringLiteral("xmlns:p")), QStringLiteral("urn:p"));
    EXPECT_EQ(a.AttributeCount(), 1);
    EXPECT_EQ(a.AttributeAt(0).NodeName(), QStringLiteral("k"));
    EXPECT_TRUE(a.AttributeAt(1).IsNull());
    bool present = true;
    EXPECT_EQ(a.GetAttribute(QStringLiteral("missing"), &present), QString());
    EXPECT_FALSE(present);
    const NodeType kinds[] = {NodeType::Comment, NodeType::ProcessingInstruction, NodeType::Text, NodeType::CData};
    const char* names[] = {"#comment", "pi", "#text", "#cdata-section"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.ChildAt(i).Type(), kinds[i]);
        EXPECT_EQ(a.ChildAt(i).NodeName(), QLatin1String(names[i]));
    }
    EXPECT_TRUE(a.ChildAt(4).IsNull());
    EXPECT_TRUE(a.ChildAt(-1).IsNull());
    EXPECT_EQ(a.ChildAt(1).NodeValue(), QStringLiteral("data"));
    EXPECT_EQ(a.Parent(), doc.AsNode());
    EXPECT_TRUE(doc.AsNode().Parent().IsNull());
    EXPECT_TRUE(doc.AsNode().OwnerDocument().IsNull());
    EXPECT_EQ(XmlNode().Type(), NodeType::Null);
    EXPECT_EQ(XmlNode().NodeName(), QString());
}

// Many random changes while every handle ever seen is kept: every handle
// stays usable (the sanitizer build checks the memory), and the document
// always serialises to text that reads back the same.
TEST(XmlLifetime, RandomChangesKeepEveryHandleUsable)
{
    XmlDocument doc = Load(QStringLiteral("<r xmlns=\"urn:varnholt:kvxzot:profile\" xmlns:p=\"urn:p\">"
                                          "<a p:k=\"1\"><b>t</b></a><p:c/><d/></r>"));
    XmlDocument other = Load(QStringLiteral("<o xmlns=\"urn:o\"><x y=\"1\"><z/></x></o>"));
    std::vector<XmlNode> seen;
    unsigned state = 12345;
    auto next = [&state](unsigned range) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % range;
    };
    auto pick = [&]() -> XmlNode {
        XmlNodeList all = doc.SelectNodes(QStringLiteral("//* | //text() | //@*"));
        return all.Item(static_cast<int>(next(static_cast<unsigned>(all.Length()))));
    };
    for (int step = 0; step < 400; ++step) {
        XmlNode node = pick();
        XmlNode element = node.Type() == NodeType::Element ? node : doc.DocumentElement();
        seen.push_back(node);
        try {
            switch (next(10)) {
            case 0:
                if (!node.Parent().IsNull() && node.Parent().Type() == NodeType::Element) {
                    seen.push_back(node.Parent().RemoveChild(node));
                }
                break;
            case 1:
                element.AppendChild(seen[next(static_cast<unsigned>(seen.size()))]);
                break;
            case 2:
                element.InsertBefore(doc.CreateElement(QStringLiteral("n%1").arg(step), QStringLiteral("urn:n")),
                                     element.FirstChild());
                break;
            case 3:
                element.SetText(QStringLiteral("text %1").arg(step));
                break;
            case 4:
                element.SetAttribute(QStringLiteral("v"), QString::number(step));
                seen.push_back(element.GetAttributeNode(QStringLiteral("v")));
                break;
            case 5:
                element.RemoveAttribute(QStringLiteral("v"));
                break;
            case 6:
                seen.push_back(element.AppendChild(other.DocumentElement().CloneNode(next(2) == 0)));
                break;
            case 7:
                seen.push_back(node.CloneNode(true));
                break;
            case 8:
                if (next(8) == 0) {
                    const QString text = doc.Xml();
                    ASSERT_TRUE(doc.LoadXml(text)) << text.toStdString();
                }
                break;
            default:
                if (node.Type() == NodeType::Attribute || node.Type() == NodeType::Text) {
                    node.SetNodeValue(QStringLiteral("x%1").arg(step));
                }
                break;
            }
        } catch (const XmlError&) {
            // Hierarchy errors are expected now and then.
        }
        const QString text = doc.Xml();
        XmlDocument reread = XmlDocument::Create();
        ASSERT_TRUE(reread.LoadXml(text)) << step << ": " << text.toStdString();
        ASSERT_EQ(reread.Xml(), text) << step;
    }
    doc = XmlDocument();
    other = XmlDocument();
    for (const XmlNode& node : seen) {
        node.Xml();
        node.SelectNodes(QStringLiteral("."));
    }
}
