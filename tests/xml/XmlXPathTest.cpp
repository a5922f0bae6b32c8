// XPath selection with the document's prefix bindings.

#include "XmlService.h"
#include "XmlTestProfile.h"

#include <gtest/gtest.h>

using namespace kvx::xml;

namespace {

const QString kSettings = QStringLiteral(
    "<UpDownGradeSetting xmlns=\"urn:varnholt:kvxzot:profile\" xmlns:o=\"urn:other\">"
    "<CodePlugSetting><G1><RegionCommon>"
    "<CPField name=\"x\" isExist=\"1\"><Control ID=\"7\" RightView=\"Page\"/></CPField>"
    "<CPField name=\"y\" isExist=\"0\"/>"
    "<o:CPField name=\"x\"/>"
    "</RegionCommon></G1></CodePlugSetting></UpDownGradeSetting>");

XmlDocument Settings()
{
    XmlDocument doc = XmlDocument::Create();
    EXPECT_TRUE(doc.LoadXml(kSettings));
    return doc;
}

}  // namespace

TEST(XmlXPath, AbsoluteRelativeAndPredicates)
{
    XmlDocument doc = Settings();
    XmlNode common = doc.SelectSingleNode(QStringLiteral("//dfns:CodePlugSetting/dfns:G1/dfns:RegionCommon"));
    ASSERT_FALSE(common.IsNull());
    EXPECT_EQ(common.BaseName(), QStringLiteral("RegionCommon"));

    // Relative to a node; the element in the other namespace is not matched.
    EXPECT_EQ(common.SelectNodes(QStringLiteral("dfns:CPField")).Length(), 2);
    XmlNode x = common.SelectSingleNode(QStringLiteral("dfns:CPField[@name='x']"));
    ASSERT_FALSE(x.IsNull());
    EXPECT_EQ(x.GetAttribute(QStringLiteral("isExist")), QStringLiteral("1"));
    EXPECT_TRUE(common.SelectSingleNode(QStringLiteral("dfns:CPField[@name='z']")).IsNull());

    // Numeric comparison, nested paths and document order.
    XmlNodeList controls = doc.SelectNodes(QStringLiteral("//dfns:CPField[@isExist='1']/dfns:Control[@ID = 7]"));
    ASSERT_EQ(controls.Length(), 1);
    EXPECT_EQ(controls.Item(0).Parent(), x);
    EXPECT_TRUE(controls.Item(1).IsNull());
    EXPECT_EQ(doc.SelectSingleNode(QStringLiteral("//dfns:CPField")), x);

    // "//" from a node searches the whole document; "." and ".." work.
    EXPECT_EQ(x.SelectNodes(QStringLiteral("//dfns:CPField")).Length(), 2);
    EXPECT_EQ(x.SelectSingleNode(QStringLiteral("..")), common);
    EXPECT_EQ(doc.SelectSingleNode(QStringLiteral("/")), doc.AsNode());
    EXPECT_EQ(doc.AsNode().Type(), NodeType::Document);
}

TEST(XmlXPath, SelectsAttributesAndText)
{
    XmlDocument doc = Settings();
    XmlNodeList names = doc.SelectNodes(QStringLiteral("//dfns:CPField/@name"));
    ASSERT_EQ(names.Length(), 2);
    EXPECT_EQ(names.Item(0).Type(), NodeType::Attribute);
    EXPECT_EQ(names.Item(1).NodeValue(), QStringLiteral("y"));
    EXPECT_TRUE(names.Item(1).Parent().IsNull());
    EXPECT_EQ(names.Item(1).OwnerElement().GetAttribute(QStringLiteral("isExist")), QStringLiteral("0"));
    // Namespace nodes are not tree nodes and never come back.
    EXPECT_EQ(doc.DocumentElement().SelectNodes(QStringLiteral("namespace::*")).Length(), 0);
}

TEST(XmlXPath, PrefixBindingsAreTheDocuments)
{
    XmlDocument doc = Settings();
    EXPECT_THROW(doc.SelectSingleNode(QStringLiteral("//o:CPField")), XmlError);
    doc.SetSelectionNamespace(QStringLiteral("o"), QStringLiteral("urn:other"));
    EXPECT_EQ(doc.SelectNodes(QStringLiteral("//o:CPField")).Length(), 1);

    // A prefix of the text's own choice is not a binding.
    doc.SetSelectionNamespaces(QStringLiteral("xmlns:p='urn:varnholt:kvxzot:profile'  xmlns:q=\"urn:other\""));
    EXPECT_EQ(doc.SelectNodes(QStringLiteral("//p:CPField | //q:CPField")).Length(), 3);
    EXPECT_THROW(doc.SelectNodes(QStringLiteral("//dfns:CPField")), XmlError);
    EXPECT_THROW(doc.SetSelectionNamespaces(QStringLiteral("xmlns:p=urn")), XmlError);
    EXPECT_THROW(doc.SetSelectionNamespace(QStringLiteral("a b"), QStringLiteral("urn:x")), XmlError);
}

TEST(XmlXPath, BadExpressionsRaise)
{
    XmlDocument doc = Settings();
    try {
        doc.SelectNodes(QStringLiteral("//dfns:CPField[@name='x'"));
        FAIL() << "no error";
    } catch (const XmlError& error) {
        EXPECT_FALSE(error.Description().isEmpty());
        EXPECT_TRUE(error.Description().contains(QStringLiteral("//dfns:CPField[@name='x'")));
    }
    EXPECT_THROW(doc.SelectNodes(QStringLiteral("count(//dfns:CPField)")), XmlError);   // not a node set
    EXPECT_THROW(doc.SelectNodes(QString()), XmlError);
    EXPECT_THROW(XmlNode().SelectNodes(QStringLiteral(".")), XmlError);
    // The context survives errors.
    EXPECT_EQ(doc.SelectNodes(QStringLiteral("//dfns:CPField")).Length(), 2);
}
