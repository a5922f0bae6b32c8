// The Overview Report: its tables in collation order, the public groups'
// display numbers from the ID banks, members and receive lists.

#include "ReportTestSupport.h"

namespace {

class OverviewReportTest : public ReportTest {
protected:
    static VirtualCP Image()
    {
        VirtualCP cp = ReportImage();
        // A second bank continues the count below 10000001 from 1298.
        cp.radioInfo.publicGroupRanges[1] = {QStringLiteral("10000001"), QStringLiteral("Low"), 10};
        AddContact(cp, kContactPrivate, QStringLiteral("eve"), QStringLiteral("10000005"), 5, kContactShowGrpOnly, kRoleMngrMode);
        AddContact(cp, kContactPrivate, QStringLiteral("Dan"), QStringLiteral("10000004"), 5, 0, 0, QString(), {QStringLiteral("20000002")});
        AddContact(cp, kContactPrivate, QStringLiteral("Cat & Co"), QStringLiteral("10000003"), 2, 0, kRoleSeeAllGroups,
                        QStringLiteral("17179869182"), {QStringLiteral("20000002")});
        AddContact(cp, kContactPublicGroup, QStringLiteral("Scanned"), QStringLiteral("17179869183"), 5, kContactInScanList);
        AddContact(cp, kContactPublicGroup, QStringLiteral("Homed"), QStringLiteral("17179869182"), 2);
        AddContact(cp, kContactPublicGroup, QStringLiteral("Lonely"), QStringLiteral("10000000"), 3);
        AddContact(cp, kContactPublicGroup, QStringLiteral("Outside"), QStringLiteral("17179800000"), 4);
        AddContact(cp, kContactPrivateGroup, QStringLiteral("Team B"), QStringLiteral("20000002"), 1);
        AddContact(cp, kContactPrivateGroup, QStringLiteral("team a"), QStringLiteral("20000001"), 1);
        return cp;
    }

    // Each block of a section: its sub-title, then its value cells.
    static QStringList Blocks(const QString& section)
    {
        QStringList blocks;
        const QStringList parts = section.split(QStringLiteral("<span class=\"ItemTitleU\">"));
        for (const QString& part : parts.mid(1))
            blocks << part.left(part.indexOf(QStringLiteral("</span>"))) + QStringLiteral(": ") + ValueCells(part).join(QLatin1Char('|'));
        return blocks;
    }
};

TEST_F(OverviewReportTest, TablesInCollationOrderWithDisplayNumbers)
{
    auto model = Load(Image());
    const ReportResult result = Builder(*model).BuildOverviewReport();
    EXPECT_EQ(result.title, QStringLiteral("Overview Report"));
    const QString html = SavedHtml(result.path);
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Overview Report</title>")));

    const QString privates = SectionOf(html, QStringLiteral("All Privates"));
    EXPECT_TRUE(privates.contains(QStringLiteral("Title=\"Group Only\">G.O.</td>")));
    EXPECT_EQ(ValueCells(privates).join(QLatin1Char('|')),
              QStringLiteral("Cat&nbsp;&amp;&nbsp;Co|10000003|2|No|Dan|10000004|5|No|eve|10000005|5|Yes"));
    // Display numbers: 1 at the top of the ID space, 1299 just below 10000001;
    // a group in no bank shows its ID.
    EXPECT_EQ(ValueCells(SectionOf(html, QStringLiteral("All Public Groups"))).join(QLatin1Char('|')),
              QStringLiteral("Homed|2|2|Lonely|1299|3|Outside|17179800000|4|Scanned|1|5"));
    EXPECT_EQ(ValueCells(SectionOf(html, QStringLiteral("All Private Groups"))).join(QLatin1Char('|')),
              QStringLiteral("team&nbsp;a|20000001|1|Team&nbsp;B|20000002|1"));

    EXPECT_EQ(ValueCells(SectionOf(html, QStringLiteral("Manager Mode Enabled"))), QStringList({QStringLiteral("eve"), QStringLiteral("&nbsp;")}));
    EXPECT_EQ(ValueCells(SectionOf(html, QStringLiteral("See All Groups Enabled")))[0], QStringLiteral("Cat&nbsp;&amp;&nbsp;Co"));
    EXPECT_EQ(ValueCells(SectionOf(html, QStringLiteral("Group Only Enabled")))[0], QStringLiteral("eve"));
}

TEST_F(OverviewReportTest, MembersAndReceiveLists)
{
    auto model = Load(Image());
    const QString html = OverviewHtml(*model);
    EXPECT_EQ(Blocks(SectionOf(html, QStringLiteral("Private Groups"))),
              QStringList({QStringLiteral("team&nbsp;a (Channel 1): None"),
                           QStringLiteral("Team&nbsp;B (Channel 1): Cat&nbsp;&amp;&nbsp;Co|Dan")}));
    // Scanned: every private of its channel; otherwise the privates whose home group it is.
    const QString publics = SectionOf(html, QStringLiteral("Public Groups"));
    EXPECT_EQ(Blocks(publics), QStringList({QStringLiteral("Homed (Channel 2): Cat&nbsp;&amp;&nbsp;Co|&nbsp;"),
                                            QStringLiteral("Lonely (Channel 3): None"), QStringLiteral("Outside (Channel 4): None"),
                                            QStringLiteral("Scanned (Channel 5): Dan|eve")}));
    EXPECT_TRUE(publics.contains(QStringLiteral("None</td>\t\t   </tr>\t\t   </table><BR>")));
}

TEST_F(OverviewReportTest, AnEmptyProfileShowsNoneEverywhere)
{
    auto model = Load(ReportImage());
    const QString html = OverviewHtml(*model);
    for (const char* section : {"All Privates", "All Public Groups", "All Private Groups", "Manager Mode Enabled", "Private Groups",
                                "Public Groups"})
        EXPECT_EQ(ValueCells(SectionOf(html, QLatin1String(section))), QStringList({QStringLiteral("None")})) << section;
}

}  // namespace
