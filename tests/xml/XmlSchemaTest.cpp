// Schema compilation, validation on load and declaration lookup.

#include "XmlService.h"
#include "XmlTestProfile.h"

#include <gtest/gtest.h>

using namespace kvx::xml;
using kvx::xml::test::ProfileText;

namespace {

const QString kNs = QString::fromLatin1(kProfileNamespace);

XmlDocument LoadPlain(const QString& text)
{
    XmlDocument doc = XmlDocument::Create();
    EXPECT_TRUE(doc.LoadXml(text)) << doc.LastParseError().reason.toStdString();
    return doc;
}

XmlSchemaCache ProfileSchema()
{
    XmlSchemaCache cache;
    cache.Add(kNs, LoadPlain(test::ReadTextFile(QStringLiteral(KVX_TEST_DATA_DIR "/profile-test.xsd"))));
    return cache;
}

XmlDocument ValidatedProfile(const XmlSchemaCache& cache)
{
    XmlDocument doc = XmlDocument::Create();
    doc.SetSchemas(cache);
    EXPECT_TRUE(doc.LoadXml(ProfileText(3, 2, 4, 2))) << doc.LastParseError().reason.toStdString();
    return doc;
}

QString Schema(const QString& body, const QString& extra = QString())
{
    return QStringLiteral("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:t=\"urn:t\" "
                          "targetNamespace=\"urn:t\" elementFormDefault=\"qualified\" %1>%2</xs:schema>")
        .arg(extra, body);
}

}  // namespace

TEST(XmlSchema, ValidatesOnLoadWithTheValidatorsReason)
{
    const XmlSchemaCache cache = ProfileSchema();
    EXPECT_FALSE(cache.IsEmpty());
    XmlDocument doc = ValidatedProfile(cache);
    EXPECT_EQ(doc.Schemas().IsEmpty(), false);

    QString invalid = ProfileText(1, 1, 1, 1);
    invalid.replace(QStringLiteral("ringer_vol_level=\"7\""), QStringLiteral("ringer_vol_level=\"16\""));
    EXPECT_FALSE(doc.LoadXml(invalid));
    ParseError error = doc.LastParseError();
    EXPECT_NE(error.errorCode, 0);
    EXPECT_TRUE(error.reason.contains(QStringLiteral("ringer_vol_level"))) << error.reason.toStdString();
    EXPECT_GT(error.line, 0);
    EXPECT_TRUE(doc.DocumentElement().IsNull());

    EXPECT_FALSE(doc.LoadXml(QStringLiteral("<KVXProfile xmlns=\"urn:varnholt:kvxzot:profile\"><bogus/></KVXProfile>")));
    EXPECT_TRUE(doc.LastParseError().reason.contains(QStringLiteral("bogus"))) << doc.LastParseError().reason.toStdString();
    // A document in a namespace the cache has no schema for is not valid.
    EXPECT_FALSE(doc.LoadXml(QStringLiteral("<a xmlns=\"urn:elsewhere\"/>")));
    EXPECT_TRUE(doc.LastParseError().reason.contains(QStringLiteral("urn:elsewhere")));

    doc.ClearSchemas();
    EXPECT_TRUE(doc.Schemas().IsEmpty());
    EXPECT_TRUE(doc.LoadXml(QStringLiteral("<a xmlns=\"urn:elsewhere\"/>")));
}

TEST(XmlSchema, CompileFailuresAndExternalReferencesRaise)
{
    XmlSchemaCache cache;
    EXPECT_THROW(cache.Add(QStringLiteral("urn:t"), LoadPlain(QStringLiteral("<notASchema/>"))), XmlError);
    EXPECT_THROW(cache.Add(QStringLiteral("urn:other"), LoadPlain(Schema(QString()))), XmlError);
    try {
        cache.Add(QStringLiteral("urn:t"), LoadPlain(Schema(QStringLiteral("<xs:element name=\"a\" type=\"t:missing\"/>"))));
        FAIL() << "compiled";
    } catch (const XmlError& error) {
        EXPECT_TRUE(error.Description().contains(QStringLiteral("missing"))) << error.Description().toStdString();
    }
    const QString references[] = {
        QStringLiteral("<xs:include schemaLocation=\"/etc/passwd\"/>"),
        QStringLiteral("<xs:import namespace=\"urn:u\" schemaLocation=\"http://127.0.0.1:1/u.xsd\"/>"),
        QStringLiteral("<xs:redefine schemaLocation=\"other.xsd\"/>"),
    };
    for (const QString& reference : references) {
        EXPECT_THROW(cache.Add(QStringLiteral("urn:t"), LoadPlain(Schema(reference))), XmlError) << reference.toStdString();
    }
    EXPECT_TRUE(cache.IsEmpty());
    EXPECT_THROW(cache.Add(QStringLiteral("urn:t"), XmlDocument()), XmlError);
}

TEST(XmlSchema, ReplacingASchemaKeepsEarlierDeclarationsUsable)
{
    XmlSchemaCache cache;
    cache.Add(QStringLiteral("urn:t"), LoadPlain(Schema(QStringLiteral(
        "<xs:element name=\"a\"><xs:complexType><xs:attribute name=\"v\" type=\"xs:long\"/></xs:complexType></xs:element>"))));
    XmlDocument doc = XmlDocument::Create();
    doc.SetSchemas(cache);
    ASSERT_TRUE(doc.LoadXml(QStringLiteral("<a xmlns=\"urn:t\" v=\"1\"/>")));
    const auto before = cache.FindDeclaration(doc.DocumentElement().GetAttributeNode(QStringLiteral("v")));
    cache.Add(QStringLiteral("urn:t"), LoadPlain(Schema(QStringLiteral(
        "<xs:element name=\"a\"><xs:complexType><xs:attribute name=\"v\" type=\"xs:boolean\"/></xs:complexType></xs:element>"))));
    EXPECT_EQ(before.FinalBaseTypeName(), QStringLiteral("long"));
    EXPECT_EQ(cache.FindDeclaration(doc.DocumentElement().GetAttributeNode(QStringLiteral("v"))).FinalBaseTypeName(),
              QStringLiteral("boolean"));
    EXPECT_FALSE(doc.LoadXml(QStringLiteral("<a xmlns=\"urn:t\" v=\"2\"/>")));   // the new schema validates
}

TEST(XmlDeclaration, FollowsTypeChainsToTheBuiltIn)
{
    const XmlSchemaCache cache = ProfileSchema();
    XmlDocument doc = ValidatedProfile(cache);
    const struct {
        const char* xpath;
        const char* type;
    } cases[] = {
        {"//dfns:PublicGroup/@cntct_type", "long"},          // attribute group, named type
        {"//dfns:Private/@channel", "long"},                 // inline type over a named one
        {"//dfns:setting/@ringer_vol_level", "long"},        // two named restrictions
        {"//dfns:Private/@in_scroll_list", "boolean"},       // through complexContent extension
        {"//dfns:Private/@private_scroll_list", "boolean"},  // built-in directly
        {"//dfns:PublicGroup/@in_scan_list", "boolean"},
        {"//dfns:setting/@backlight", "unsignedLong"},
        {"//dfns:version/@codeplug_version", "unsignedByte"},
        {"//dfns:Private/@name", "string"},
        {"//dfns:TextMessage/@txt", "string"},               // element reference, inline type
        {"//dfns:ParentPrivateGroup/@pid", "string"},        // element inside an extension's sequence
        {"//dfns:language/@language_id", "long"},
    };
    for (const auto& c : cases) {
        XmlNode node = doc.SelectSingleNode(QString::fromLatin1(c.xpath));
        ASSERT_FALSE(node.IsNull()) << c.xpath;
        const auto declaration = cache.FindDeclaration(node);
        ASSERT_FALSE(declaration.IsNull()) << c.xpath;
        EXPECT_EQ(declaration.FinalBaseTypeName(), QLatin1String(c.type)) << c.xpath;
        EXPECT_EQ(declaration.Name(), node.BaseName()) << c.xpath;
        // Cached lookups answer the same.
        EXPECT_EQ(cache.FindDeclaration(node).Node(), declaration.Node()) << c.xpath;
    }
    // Complex element types have no simple type.
    EXPECT_EQ(cache.FindDeclaration(doc.SelectSingleNode(QStringLiteral("//dfns:Private"))).FinalBaseTypeName(), QString());
}

TEST(XmlDeclaration, AnnotationsCarryTheHooks)
{
    const XmlSchemaCache cache = ProfileSchema();
    XmlDocument doc = ValidatedProfile(cache);
    const struct {
        const char* xpath;
        const char* hook;
        const char* function;
    } cases[] = {
        {"//dfns:Private/@name", "SetVal", "OnSetName"},
        {"//dfns:PublicGroup/@name", "SetVal", "OnSetName"},
        {"//dfns:Privates", "CanAddChild", "CanAddPrivate"},
        {"//dfns:Privates", "OnAddNew", "OnAddPrivate"},
        {"//dfns:Private", "OnDelete", "OnDeletePrivate"},
        {"//dfns:Private", "IsEnabled", "IsPrivateEnabled"},
    };
    for (const auto& c : cases) {
        const auto declaration = cache.FindDeclaration(doc.SelectSingleNode(QString::fromLatin1(c.xpath)));
        const QString annotation = declaration.AnnotationXml();
        ASSERT_FALSE(annotation.isEmpty()) << c.xpath;
        XmlDocument hooks = XmlDocument::Create();
        ASSERT_TRUE(hooks.LoadXml(annotation)) << annotation.toStdString();
        hooks.SetSelectionNamespace(QStringLiteral("czot"), QString::fromLatin1(kSchemaExtensionNamespace));
        XmlNode extension = hooks.SelectSingleNode(QStringLiteral("//czot:SchemaExtension"));
        ASSERT_FALSE(extension.IsNull()) << annotation.toStdString();
        EXPECT_EQ(extension.GetAttribute(QLatin1String(c.hook)), QLatin1String(c.function)) << c.xpath;
    }
    EXPECT_EQ(cache.FindDeclaration(doc.SelectSingleNode(QStringLiteral("//dfns:Private/@pid"))).AnnotationXml(), QString());
}

TEST(XmlDeclaration, NodesWithoutDeclarationGiveNone)
{
    const XmlSchemaCache cache = ProfileSchema();
    XmlDocument doc = ValidatedProfile(cache);
    XmlNode setting = doc.SelectSingleNode(QStringLiteral("//dfns:setting"));
    setting.SetAttribute(QStringLiteral("undeclared"), QStringLiteral("1"));
    EXPECT_TRUE(cache.FindDeclaration(setting.GetAttributeNode(QStringLiteral("undeclared"))).IsNull());
    EXPECT_TRUE(cache.FindDeclaration(setting.AppendChild(doc.CreateElement(QStringLiteral("x"), kNs))).IsNull());
    EXPECT_TRUE(cache.FindDeclaration(doc.AsNode()).IsNull());
    EXPECT_TRUE(cache.FindDeclaration(XmlNode()).IsNull());
    EXPECT_TRUE(XmlSchemaCache().FindDeclaration(setting).IsNull());
    EXPECT_EQ(XmlSchemaCache::Declaration().FinalBaseTypeName(), QString());
    // A detached element is looked up as a top-level element.
    XmlNode message = doc.SelectSingleNode(QStringLiteral("//dfns:TextMessage"));
    message.Parent().RemoveChild(message);
    EXPECT_EQ(cache.FindDeclaration(message.GetAttributeNode(QStringLiteral("txt"))).FinalBaseTypeName(), QStringLiteral("string"));
}

TEST(XmlDeclaration, GroupsRefsAndUnqualifiedLocals)
{
    XmlSchemaCache cache;
    cache.Add(QStringLiteral("urn:t"), LoadPlain(Schema(QStringLiteral(
        "<xs:attribute name=\"g\" type=\"t:code\"/>"
        "<xs:simpleType name=\"code\"><xs:restriction base=\"t:inner\"/></xs:simpleType>"
        "<xs:simpleType name=\"inner\"><xs:list itemType=\"xs:int\"/></xs:simpleType>"
        "<xs:group name=\"body\"><xs:choice><xs:element name=\"u\" form=\"unqualified\" type=\"xs:int\"/>"
        "<xs:any namespace=\"##other\" processContents=\"lax\"/></xs:choice></xs:group>"
        "<xs:element name=\"root\"><xs:complexType><xs:group ref=\"t:body\" maxOccurs=\"unbounded\"/>"
        "<xs:attribute ref=\"t:g\"/></xs:complexType></xs:element>"))));
    XmlDocument doc = XmlDocument::Create();
    doc.SetSchemas(cache);
    ASSERT_TRUE(doc.LoadXml(QStringLiteral("<t:root xmlns:t=\"urn:t\" t:g=\"1 2\"><u>5</u></t:root>")))
        << doc.LastParseError().reason.toStdString();
    XmlNode root = doc.DocumentElement();
    EXPECT_EQ(cache.FindDeclaration(root.FirstChild()).FinalBaseTypeName(), QStringLiteral("int"));
    EXPECT_EQ(cache.FindDeclaration(root.AttributeAt(0)).FinalBaseTypeName(), QStringLiteral("anySimpleType"));
}
