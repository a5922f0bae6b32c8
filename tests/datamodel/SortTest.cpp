// The sorts of a profile's lists: stable in both directions, and the
// re-positioning of one entry.

#include "ModelTestSupport.h"

namespace {

QString ListText(const QStringList& names)
{
    QString text = QStringLiteral("<?xml version=\"1.0\"?><KVXProfile xmlns=\"urn:varnholt:kvxzot:profile\"><Privates>");
    for (qsizetype i = 0; i < names.size(); ++i)
        text += QStringLiteral("<Private name=\"%1\" n=\"%2\"/>").arg(names[i]).arg(i);
    return text + QStringLiteral("</Privates></KVXProfile>");
}

// name#n of every entry, in document order.
QStringList Entries(const QString& text)
{
    kvx::xml::XmlDocument doc = kvx::xml::XmlDocument::Create();
    EXPECT_TRUE(doc.LoadXml(text));
    QStringList entries;
    for (const kvx::xml::XmlNode& node : doc.SelectNodes(QStringLiteral("//dfns:Private")))
        entries << node.GetAttribute(QStringLiteral("name")) + QLatin1Char('#') + node.GetAttribute(QStringLiteral("n"));
    return entries;
}

qint32 CodeOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const CKVXZOTException& e) {
        return e.GetCode();
    }
    return 0;
}

TEST(SortTest, StableInBothDirections)
{
    QString text = ListText({QStringLiteral("Bob"), QStringLiteral("alice"), QStringLiteral("Alice"), QStringLiteral("carl")});
    CDataItem::SortXMLChildNodes(text, QStringLiteral("Privates"), QStringLiteral("name"), true);
    EXPECT_EQ(Entries(text), (QStringList{QStringLiteral("alice#1"), QStringLiteral("Alice#2"), QStringLiteral("Bob#0"),
                                          QStringLiteral("carl#3")}));
    CDataItem::SortXMLChildNodes(text, QStringLiteral("Privates"), QStringLiteral("name"), false);
    EXPECT_EQ(Entries(text), (QStringList{QStringLiteral("carl#3"), QStringLiteral("Bob#0"), QStringLiteral("alice#1"),
                                          QStringLiteral("Alice#2")}));
    // Accents fold onto their letter; blanks and letters come before digits.
    text = ListText({QStringLiteral("1st"), QStringLiteral("\u00C9mile"), QStringLiteral("Emile"), QStringLiteral(" x")});
    CDataItem::SortXMLChildNodes(text, QStringLiteral("Privates"), QStringLiteral("name"), true);
    EXPECT_EQ(Entries(text), (QStringList{QStringLiteral(" x#3"), QStringLiteral("\u00C9mile#1"), QStringLiteral("Emile#2"),
                                          QStringLiteral("1st#0")}));
}

TEST(SortTest, FailuresHaveTheirCodes)
{
    QString text = QStringLiteral("<KVXProfile");
    EXPECT_EQ(CodeOf([&] { CDataItem::SortXMLChildNodes(text, QStringLiteral("Privates"), QStringLiteral("name"), true); }), 105);
    text = ListText({QStringLiteral("a")});
    EXPECT_EQ(CodeOf([&] { CDataItem::SortXMLChildNodes(text, QStringLiteral("TextMessages"), QStringLiteral("txt"), true); }), 106);
    EXPECT_EQ(CodeOf([&] { CDataItem::SortXMLChildNodes(text, QStringLiteral("Privates"), QStringLiteral("pid"), true); }), 106);
}

// Moves entry `index` of a sorted list after renaming it; returns the new
// index and the order as name#n.
std::pair<int, QStringList> Move(const QStringList& names, int index, const QString& newName, bool keepLast = false)
{
    kvx::xml::XmlDocument doc = kvx::xml::XmlDocument::Create();
    EXPECT_TRUE(doc.LoadXml(ListText(names)));
    kvx::xml::XmlNode list = doc.SelectSingleNode(QStringLiteral("//dfns:Privates"));
    if (index < list.ChildCount())
        list.ChildAt(index).SetAttribute(QStringLiteral("name"), newName);
    const int moved = CDataItem::MoveChildToSortedPosition(list, static_cast<qint16>(index), QStringLiteral("name"), keepLast);
    return {moved, Entries(doc.Xml())};
}

TEST(SortTest, MovingOneEntry)
{
    const QStringList names{QStringLiteral("Adam"), QStringLiteral("Bob"), QStringLiteral("Zed")};
    // An unchanged key keeps its place.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Move(names, i, names[i]).first, i);
    // Adam renamed to Zoe goes to the end.
    auto [index, order] = Move(names, 0, QStringLiteral("Zoe"));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(order, (QStringList{QStringLiteral("Bob#1"), QStringLiteral("Zed#2"), QStringLiteral("Zoe#0")}));
    // Equal keys: after those before the old place, before those after it.
    const QStringList equal{QStringLiteral("a"), QStringLiteral("m"), QStringLiteral("m"), QStringLiteral("z")};
    EXPECT_EQ(Move(equal, 3, QStringLiteral("M")).first, 3);
    EXPECT_EQ(Move(equal, 0, QStringLiteral("M")).first, 0);
    std::tie(index, order) = Move(equal, 0, QStringLiteral("n"));
    EXPECT_EQ(index, 2);
    // Keep-last: the last entry stays last.
    std::tie(index, order) = Move(equal, 0, QStringLiteral("zz"), true);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(order.last(), QStringLiteral("z#3"));
    EXPECT_THROW(Move(names, 5, QStringLiteral("x")), kvx::xml::XmlError);
}

}  // namespace
