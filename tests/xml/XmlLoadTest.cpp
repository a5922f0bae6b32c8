// Loading text: safe parsing, failures with reasons, whitespace handling,
// encodings and serialisation.

#include "XmlService.h"
#include "XmlTestProfile.h"

#include <gtest/gtest.h>

using namespace kvx::xml;

namespace {

XmlDocument Load(const QString& text)
{
    XmlDocument doc = XmlDocument::Create();
    EXPECT_TRUE(doc.LoadXml(text)) << doc.LastParseError().reason.toStdString();
    return doc;
}

// Loads text that must be refused; returns the reason.
QString Refused(const QString& text)
{
    XmlDocument doc = XmlDocument::Create();
    EXPECT_FALSE(doc.LoadXml(text));
    EXPECT_NE(doc.LastParseError().errorCode, 0);
    EXPECT_TRUE(doc.DocumentElement().IsNull());
    return doc.LastParseError().reason;
}

}  // namespace

TEST(XmlLoad, DropsWhitespaceOnlyTextButKeepsOtherText)
{
    XmlDocument doc = Load(QStringLiteral("<a>\r\n\t<b> x </b>\n  <c xml:space=\"preserve\">  </c><d><![CDATA[ ]]></d></a>"));
    XmlNode a = doc.DocumentElement();
    ASSERT_EQ(a.ChildCount(), 3);
    EXPECT_EQ(a.FirstChild().NodeName(), QStringLiteral("b"));
    EXPECT_EQ(a.FirstChild().Text(), QStringLiteral(" x "));
    EXPECT_EQ(a.ChildAt(1).Text(), QStringLiteral("  "));
    EXPECT_EQ(a.ChildAt(2).FirstChild().Type(), NodeType::CData);
    EXPECT_EQ(doc.LastParseError().errorCode, 0);
}

TEST(XmlLoad, ForcesUtf8WhateverTheDeclarationSays)
{
    const QString name = QString::fromUtf8("M\xc3\xbcller \xe2\x82\xac");
    for (const char* encoding : {"UTF-16", "windows-1252", "utf-8"}) {
        XmlDocument doc = Load(QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?><a n=\"%2\">%2</a>")
                                   .arg(QLatin1String(encoding), name));
        EXPECT_EQ(doc.DocumentElement().GetAttribute(QStringLiteral("n")), name) << encoding;
        EXPECT_EQ(doc.DocumentElement().Text(), name) << encoding;
        EXPECT_EQ(doc.Xml(), QStringLiteral("<?xml version=\"1.0\"?>\r\n<a n=\"%1\">%1</a>").arg(name));
    }
}

TEST(XmlLoad, AcceptsALeadingByteOrderMark)
{
    XmlDocument doc = Load(QString(QChar(0xFEFF)) + QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>"));
    EXPECT_EQ(doc.DocumentElement().NodeName(), QStringLiteral("a"));
}

TEST(XmlLoad, FailureKeepsCodeReasonAndPosition)
{
    XmlDocument doc = Load(QStringLiteral("<a><b/></a>"));
    XmlNode oldRoot = doc.DocumentElement();
    EXPECT_FALSE(doc.LoadXml(QStringLiteral("<a>\n  <b></c>\n</a>")));
    const ParseError error = doc.LastParseError();
    EXPECT_NE(error.errorCode, 0);
    EXPECT_EQ(error.line, 2);
    EXPECT_GT(error.linePos, 0);
    EXPECT_TRUE(error.reason.contains(QStringLiteral("line 2"))) << error.reason.toStdString();
    // The old content is gone, the old handle still works.
    EXPECT_TRUE(doc.DocumentElement().IsNull());
    EXPECT_EQ(doc.Xml(), QString());
    EXPECT_EQ(oldRoot.FirstChild().NodeName(), QStringLiteral("b"));

    EXPECT_TRUE(doc.LoadXml(QStringLiteral("<ok/>")));
    EXPECT_EQ(doc.LastParseError().errorCode, 0);
    EXPECT_TRUE(doc.LastParseError().reason.isEmpty());
}

TEST(XmlLoad, RefusesMalformedAndEmptyText)
{
    EXPECT_FALSE(Refused(QString()).isEmpty());
    EXPECT_FALSE(Refused(QStringLiteral("   ")).isEmpty());
    EXPECT_FALSE(Refused(QStringLiteral("<a>")).isEmpty());
    EXPECT_FALSE(Refused(QStringLiteral("<a/><b/>")).isEmpty());
    EXPECT_FALSE(Refused(QStringLiteral("<a>&undefined;</a>")).isEmpty());
    EXPECT_FALSE(Refused(QStringLiteral("<p:a/>")).isEmpty());   // undeclared prefix
    EXPECT_FALSE(Refused(QStringLiteral("<a x='1' x='2'/>")).isEmpty());
    EXPECT_FALSE(Refused(QString(QChar(0)) + QStringLiteral("<a/>")).isEmpty());
}

TEST(XmlLoad, RefusesEveryDoctype)
{
    const char* documents[] = {
        // external entity
        "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>",
        // external DTD
        "<!DOCTYPE a SYSTEM \"http://127.0.0.1:1/evil.dtd\"><a/>",
        // parameter entities
        "<!DOCTYPE a [<!ENTITY % p SYSTEM \"file:///etc/hostname\"> %p;]><a/>",
        // entity expansion bomb
        "<!DOCTYPE a [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
        "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
        "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]><a>&f;&f;&f;&f;</a>",
        // harmless internal subset: still refused
        "<!DOCTYPE a []><a/>",
    };
    for (const char* text : documents) {
        const QString reason = Refused(QString::fromUtf8(text));
        EXPECT_TRUE(reason.contains(QStringLiteral("DTD"))) << text << " -> " << reason.toStdString();
    }
}

TEST(XmlLoad, CharacterReferencesAndPredefinedEntitiesAreRead)
{
    XmlDocument doc = Load(QStringLiteral("<a t=\"&lt;&amp;&gt;&quot;&apos;&#65;&#x42;\"/>"));
    EXPECT_EQ(doc.DocumentElement().GetAttribute(QStringLiteral("t")), QStringLiteral("<&>\"'AB"));
}

TEST(XmlSerialise, DocumentHasDeclarationAndNoAddedFormatting)
{
    XmlDocument doc = Load(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<!-- c --><r xmlns=\"urn:x\" a=\"&lt;&amp;&quot;\">\r\n\t<e>t&gt;</e>\r\n\t<f/></r>"));
    EXPECT_EQ(doc.Xml(), QStringLiteral("<?xml version=\"1.0\"?>\r\n<!-- c -->\r\n"
                                        "<r xmlns=\"urn:x\" a=\"&lt;&amp;&quot;\"><e>t&gt;</e><f/></r>"));
    // Reading the serialised text back gives the same text.
    XmlDocument again = Load(doc.Xml());
    EXPECT_EQ(again.Xml(), doc.Xml());
    EXPECT_EQ(XmlDocument::Create().Xml(), QString());
}

TEST(XmlSerialise, NodeCarriesTheNamespacesItUses)
{
    XmlDocument doc = Load(QStringLiteral(
        "<r xmlns=\"urn:x\" xmlns:p=\"urn:p\" xmlns:unused=\"urn:u\"><e p:a=\"1\"><p:f/>text</e></r>"));
    XmlNode e = doc.DocumentElement().FirstChild();
    EXPECT_EQ(e.Xml(), QStringLiteral("<e xmlns=\"urn:x\" xmlns:p=\"urn:p\" p:a=\"1\"><p:f/>text</e>"));
    EXPECT_EQ(e.GetAttributeNode(QStringLiteral("p:a")).Xml(), QStringLiteral("p:a=\"1\""));
    EXPECT_EQ(e.LastChild().Xml(), QStringLiteral("text"));

    // The text of a node parses on its own into the same namespace.
    XmlDocument fragment = Load(e.Xml());
    EXPECT_EQ(fragment.DocumentElement().NamespaceUri(), QStringLiteral("urn:x"));
    EXPECT_EQ(fragment.DocumentElement().FirstChild().NamespaceUri(), QStringLiteral("urn:p"));
    // Serialising leaves the node itself unchanged.
    EXPECT_EQ(doc.DocumentElement().Xml().count(QStringLiteral("xmlns")), 3);
}

TEST(XmlError, CarriesItsThreeTexts)
{
    const XmlError error(QStringLiteral("Message"), QStringLiteral("Details"), QStringLiteral("Here"));
    EXPECT_STREQ(error.what(), "ErrorMsg: Message\nDesc: Details\nSource: Here");
    EXPECT_EQ(XmlError(QStringLiteral("m"), QStringLiteral("d")).Source(), QStringLiteral("XmlService"));
}
