// Scripts working on XML documents through the DOM member names.

#include "Conversions.h"
#include "DomBridge.h"
#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

using namespace kvx::vbs;
using namespace kvx::vbs::test;
using kvx::xml::XmlDocument;

namespace {

const char* kProfile = R"(<?xml version="1.0"?>
<KVXProfile xmlns="urn:varnholt:kvxzot:profile">
  <Contacts>
    <Private name="Ann" pid="10000001" in_scroll_list="1"/>
    <Private name="Bob" pid="10000002"/>
    <Private name="Cid" pid="10000003" in_scroll_list="1"/>
  </Contacts>
</KVXProfile>)";

class DomBridge : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = XmlDocument::Create();
        ASSERT_TRUE(doc.LoadXml(QString::fromUtf8(kProfile)));
    }
    // Runs `code` and calls Main(doc).
    QString Run(const QString& code)
    {
        ScriptRun run(code);
        Variant d = WrapDocument(doc);
        const Variant v = run.Call("Main", std::vector<Variant*>{&d});
        if (run.LastError())
            return QStringLiteral("error %1: %2").arg(run.LastError()).arg(run.site.errors.back().description);
        return v.IsNull() ? QStringLiteral("Null") : ToString(v);
    }
    XmlDocument doc;
};

}  // namespace

TEST_F(DomBridge, SelectNodesWithThePrefixAndForEach)
{
    EXPECT_EQ(Run(R"(
Function Main(doc)
    Dim n, s
    For Each n In doc.selectNodes("//dfns:Private[@in_scroll_list = 1]")
        s = s & n.getAttribute("name") & ";"
    Next
    Main = s & doc.selectNodes("//dfns:Private").length & doc.documentElement.childNodes(0).childNodes.Length
End Function
)"),
              "Ann;Cid;33");
}

TEST_F(DomBridge, GetAttributeOfAMissingAttributeIsNull)
{
    EXPECT_EQ(Run(R"(
Function Main(doc)
    Dim bob
    Set bob = doc.selectSingleNode("//dfns:Private[@name='Bob']")
    Main = IsNull(bob.getAttribute("in_scroll_list")) & "," & TypeName(bob.getAttribute("pid")) _
        & "," & (doc.selectSingleNode("//dfns:Nope") Is Nothing)
End Function
)"),
              "True,String,True");
}

TEST_F(DomBridge, ChangesReachTheDocument)
{
    EXPECT_EQ(Run(R"(
Function Main(doc)
    Dim contacts, p, ann
    Set contacts = doc.selectSingleNode("//dfns:Contacts")
    Set p = doc.createNode(1, "Private", "urn:varnholt:kvxzot:profile")
    p.setAttribute "name", "Dan"
    p.setAttribute "pid", 10000004
    contacts.appendChild p
    Set ann = contacts.firstChild
    ann.setAttribute "name", "Anne"
    ann.removeAttribute "in_scroll_list"
    contacts.removeChild contacts.childNodes.item(1)
    Main = contacts.childNodes.length
End Function
)"),
              "3");
    const auto names = doc.SelectNodes("//dfns:Private/@name");
    QStringList got;
    for (const auto& n : names)
        got << n.NodeValue();
    EXPECT_EQ(got, QStringList({"Anne", "Cid", "Dan"}));
    EXPECT_FALSE(doc.SelectSingleNode("//dfns:Private[@name='Anne']").HasAttribute("in_scroll_list"));
    EXPECT_EQ(doc.SelectSingleNode("//dfns:Private[@name='Dan']").GetAttribute("pid"), "10000004");
}

TEST_F(DomBridge, WrappersOfOneNodeAreTheSameObject)
{
    EXPECT_EQ(Run(R"(
Function Main(doc)
    Dim a, b, root
    Set a = doc.selectSingleNode("//dfns:Private")
    Set b = doc.documentElement.firstChild.firstChild
    Set root = doc.documentElement
    Main = (a Is b) & "," & (a Is a.nextSibling) & "," & (root.parentNode Is doc) _
        & "," & (a.ownerDocument Is doc) & "," & (a.parentNode.parentNode Is root)
End Function
)"),
              "True,False,True,True,True");
}

TEST_F(DomBridge, NodePropertiesAndAttributeMaps)
{
    EXPECT_EQ(Run(R"(
Function Main(doc)
    Dim ann, a, s
    Set ann = doc.selectSingleNode("//dfns:Private")
    s = ann.nodeName & "|" & ann.nodeType & "|" & IsNull(ann.nodeValue) & "|" & ann.tagName & "|"
    s = s & ann.attributes.length & "|" & ann.attributes.getNamedItem("pid").value & "|"
    For Each a In ann.attributes
        s = s & a.name & "=" & a.nodeValue & " "
    Next
    Set a = ann.getAttributeNode("name")
    a.value = "Annie"
    s = s & "|" & ann.getAttribute("name") & "|" & a.nodeType & "|" & (a.parentNode Is Nothing)
    s = s & "|" & ann.namespaceURI & "|" & ann.baseName & "|" & ann.hasChildNodes
    Main = s
End Function
)"),
              "Private|1|True|Private|3|10000001|name=Ann pid=10000001 in_scroll_list=1 |Annie|2|True"
              "|urn:varnholt:kvxzot:profile|Private|False");
}

TEST_F(DomBridge, MisuseIsAScriptError)
{
    EXPECT_EQ(Run("Function Main(doc)\nMain = doc.documentElement.noSuchThing\nEnd Function").left(9), "error 438");
    EXPECT_EQ(Run("Function Main(doc)\nMain = doc.documentElement.value\nEnd Function").left(9), "error 438");
    EXPECT_EQ(Run("Function Main(doc)\nMain = doc.selectNodes(\"//[\").length\nEnd Function").left(17),
              "error -2147467259");
    // Appending a node into itself is a hierarchy error, caught like any other.
    EXPECT_EQ(Run(R"(
Function Main(doc)
    On Error Resume Next
    doc.documentElement.appendChild doc.documentElement
    Main = (Err.Number <> 0) & "," & doc.documentElement.nodeName
End Function
)"),
              "True,KVXProfile");
}
