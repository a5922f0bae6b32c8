// Structure that costs the parser quadratic time is refused before it is
// parsed; what stays within the limits still loads.

#include "XmlService.h"

#include <gtest/gtest.h>

using namespace kvx::xml;

namespace {

QString Attributes(int count, const QString& name = QStringLiteral("a"))
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral(" %1%2=\"v\"").arg(name).arg(i);
    return text;
}

QString ElementWithAttributes(int count, const QString& name = QStringLiteral("a"))
{
    return QStringLiteral("<?xml version=\"1.0\"?><r><e") + Attributes(count, name) + QStringLiteral("/></r>");
}

TEST(XmlHostile, TooManyAttributesOnOneElementAreRefused)
{
    XmlDocument doc = XmlDocument::Create();
    EXPECT_TRUE(doc.LoadXml(ElementWithAttributes(100)));
    EXPECT_EQ(doc.DocumentElement().FirstChild().AttributeCount(), 100);

    // 200,000 attributes once took minutes; now the scan refuses them.
    EXPECT_FALSE(doc.LoadXml(ElementWithAttributes(200000)));
    EXPECT_TRUE(doc.LastParseError().reason.contains(QStringLiteral("more than 100 attributes")))
        << doc.LastParseError().reason.toStdString();
    EXPECT_FALSE(doc.LoadXml(ElementWithAttributes(101)));
}

TEST(XmlHostile, TooManyNamespaceDeclarationsAreRefused)
{
    XmlDocument doc = XmlDocument::Create();
    // Spread over many elements, so that no element has too many attributes.
    QString text = QStringLiteral("<?xml version=\"1.0\"?><r>");
    for (int i = 0; i < 65; ++i)
        text += QStringLiteral("<e xmlns:p%1=\"urn:x:%1\"/>").arg(i);
    text += QStringLiteral("</r>");
    EXPECT_FALSE(doc.LoadXml(text));
    EXPECT_TRUE(doc.LastParseError().reason.contains(QStringLiteral("namespace declarations"))) << doc.LastParseError().reason.toStdString();

    QString declarations = QStringLiteral("<?xml version=\"1.0\"?><r>");
    for (int i = 0; i < 64; ++i)
        declarations += QStringLiteral("<e xmlns:p%1=\"urn:x:%1\"/>").arg(i);
    EXPECT_TRUE(doc.LoadXml(declarations + QStringLiteral("</r>")));
    EXPECT_FALSE(doc.LoadXml(ElementWithAttributes(380000, QStringLiteral("xmlns:p"))));
}

TEST(XmlHostile, TooManyNodesOrAttributesInAllAreRefused)
{
    XmlDocument doc = XmlDocument::Create();
    const auto document = [](const QString& unit, int count) {
        return QStringLiteral("<?xml version=\"1.0\"?><r>") + unit.repeated(count) + QStringLiteral("</r>");
    };
    // The declaration and the root count among the 100,000.
    EXPECT_TRUE(doc.LoadXml(document(QStringLiteral("<e/>"), 99998)));
    for (const QString& unit : {QStringLiteral("<e/>"), QStringLiteral("<!--c-->"), QStringLiteral("<?p?>"), QStringLiteral("<![CDATA[x]]>")}) {
        EXPECT_FALSE(doc.LoadXml(document(unit, 100000))) << unit.toStdString();
        EXPECT_TRUE(doc.LastParseError().reason.contains(QStringLiteral("more than 100000"))) << unit.toStdString();
    }
    const QString fifty = QStringLiteral("<e") + Attributes(50) + QStringLiteral("/>");
    EXPECT_TRUE(doc.LoadXml(document(fifty, 2000)));
    EXPECT_FALSE(doc.LoadXml(document(fifty, 2001)));
    EXPECT_TRUE(doc.LastParseError().reason.contains(QStringLiteral("more than 100000 attributes")));
}

TEST(XmlHostile, TheScanIsNotFooledByQuotesCommentsOrMarkup)
{
    XmlDocument doc = XmlDocument::Create();
    // '=' and "xmlns" inside values, comments, CDATA and instructions count for nothing.
    QString values = QStringLiteral("<?xml version=\"1.0\"?><r><!-- %1 --><?pi %1?><![CDATA[%1]]><e a=\"%1\" b='%1'>%1</e></r>")
                         .arg(QString(300, QLatin1Char('=')) + QStringLiteral(" xmlns:q=u").repeated(100));
    EXPECT_TRUE(doc.LoadXml(values)) << doc.LastParseError().reason.toStdString();

    // Markup that is not well-formed still gets the parser's own reason.
    EXPECT_FALSE(doc.LoadXml(QStringLiteral("<?xml version=\"1.0\"?><r a=\"unterminated></r>")));
    EXPECT_FALSE(doc.LastParseError().reason.isEmpty());
}

}  // namespace
