// The report fragments with risk: escaping, name lists, the dealer block and
// the template's markers.

#include "ReportTestSupport.h"

#include "ReportHtml.h"
#include "ReportSections.h"
#include "ReportTemplate.h"

#include <QTemporaryDir>

namespace {

using namespace kvx::report;

TEST(ReportHtmlTest, EscapingReplacesAmpersandFirstAndEveryBlank)
{
    EXPECT_EQ(EscapeText(QStringLiteral("A<B & \"C\">")), QStringLiteral("A&lt;B&nbsp;&amp;&nbsp;&quot;C&quot;&gt;"));
    // An entity in a name is text, not markup.
    EXPECT_EQ(EscapeText(QStringLiteral("&lt;  x")), QStringLiteral("&amp;lt;&nbsp;&nbsp;x"));
    EXPECT_EQ(EscapeText(QStringLiteral("O'Neil")), QStringLiteral("O'Neil"));
}

TEST(ReportHtmlTest, TwoColumnListsFillTheLastCellAndShowNothingWhenEmpty)
{
    EXPECT_EQ(TwoColumnList({}), QString());
    EXPECT_EQ(TwoColumnList({QStringLiteral("a b"), QStringLiteral("c"), QStringLiteral("<d>")}),
              QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\">"
                             "<tr><td width=\"15\">&nbsp;</td><td width=\"265\" class=\"ItemVal\">a&nbsp;b</td>"
                             "<td width=\"265\" class=\"ItemVal\">c</td></tr>"
                             "<tr><td width=\"15\">&nbsp;</td><td width=\"265\" class=\"ItemVal\">&lt;d&gt;</td>"
                             "<td width=\"265\" class=\"ItemVal\">&nbsp;</td></tr>"
                             "</table>"));
    const QString even = TwoColumnList({QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(even.count(QStringLiteral("<tr>")), 1);
    EXPECT_FALSE(even.contains(QStringLiteral("ItemVal\">&nbsp;")));
    EXPECT_TRUE(NameListOrNone({}).contains(QStringLiteral("class=\"ItemVal\">None</td>")));
}

TEST(ReportHtmlTest, DealerBlockOnlyForDealerTextThatIsNotBlank)
{
    const QString opening = QStringLiteral("&nbsp;<BR>&nbsp;<BR>");
    EXPECT_EQ(ReportOpening(std::nullopt), opening);
    EXPECT_EQ(ReportOpening(DealerInfo{{QStringLiteral("  "), QString()}, {QStringLiteral("\t")}, {}}), opening);

    const QString block = ReportOpening(
        DealerInfo{{QStringLiteral("Radio & Co"), QStringLiteral("Main St")}, {QStringLiteral("555 0100")}, {QStringLiteral("<b>")}});
    ASSERT_TRUE(block.startsWith(opening + QStringLiteral("<div class=\"ItemTitle\">Dealer Information</div><table width='445'>")));
    EXPECT_TRUE(block.endsWith(QStringLiteral("<HR color='#0000ff'>")));
    // Dealer information left, notes centre, contact right; lines one below the other.
    const qsizetype left = block.indexOf(QStringLiteral("align=\"left\""));
    const qsizetype centre = block.indexOf(QStringLiteral("align=\"center\""));
    const qsizetype right = block.indexOf(QStringLiteral("align=\"right\""));
    ASSERT_TRUE(left > 0 && centre > left && right > centre);
    EXPECT_EQ(block.indexOf(QStringLiteral("Radio&nbsp;&amp;&nbsp;Co<BR>Main&nbsp;St")) > left, true);
    EXPECT_TRUE(block.indexOf(QStringLiteral("&lt;b&gt;")) > centre && block.indexOf(QStringLiteral("&lt;b&gt;")) < right);
    EXPECT_GT(block.indexOf(QStringLiteral("555&nbsp;0100")), right);
}

class ReportTemplateTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("Test.tpl"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(ReportTemplateTest, ContentFollowsTheMarkerAndOnlyTheHeadIsFilled)
{
    // Code page 1252: 0x80 is the euro sign.
    const CReportTemplate t = CReportTemplate::Read(
        Write("<title>REPORT_TITLE \x80</title><img src=\"MODEL_PIC.jpg\"><!-- report content begin --><p>REPORT_TITLE</p>"));
    EXPECT_EQ(t.Compose(QStringLiteral("Overview"), QStringLiteral("D30"), QStringLiteral("[content]")),
              QStringLiteral("<title>Overview \u20AC</title><img src=\"D30.jpg\"><!-- report content begin -->[content]<p>REPORT_TITLE</p>"));
}

TEST_F(ReportTemplateTest, WithoutMarkerTheContentEnds)
{
    const CReportTemplate t = CReportTemplate::Read(Write("<p>REPORT_TITLE</p>"));
    EXPECT_EQ(t.Compose(QStringLiteral("T"), QString(), QStringLiteral("C")), QStringLiteral("<p>T</p>C"));
}

TEST_F(ReportTemplateTest, MissingTemplateRaises101)
{
    try {
        CReportTemplate::Read(m_dir.filePath(QStringLiteral("none.tpl")));
        FAIL() << "no exception";
    } catch (const CKVXZOTException& e) {
        EXPECT_EQ(e.GetCode(), 101);
        EXPECT_TRUE(e.GetTrace().contains(QStringLiteral("Open template file failed")));
    }
}

}  // namespace
