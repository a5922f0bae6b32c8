// The Radio-Specific Report: the unit's lines and the ordering and filter
// rules of its lists, built from the copy with the unit's own scroll list.

#include "ReportTestSupport.h"

namespace {

const QString kUnit = QStringLiteral("10000001");

class SpecReportTest : public ReportTest {
protected:
    // The unit on channel 2 with a public home group on channel 5, member of
    // "beta grp" only.
    static VirtualCP Image(const QString& home = QStringLiteral("17179869180"), quint8 unitFlags = kContactInScrollList,
                           quint8 unitRole = 0)
    {
        VirtualCP cp = ReportImage();
        AddContact(cp, kContactPrivate, QStringLiteral("Unit One"), kUnit, 2, unitFlags, unitRole, home, {QStringLiteral("20000002")});
        AddContact(cp, kContactPrivate, QStringLiteral("Ann"), QStringLiteral("10000002"), 2, kContactInScrollList);
        AddContact(cp, kContactPrivate, QStringLiteral("Bob <x>"), QStringLiteral("10000003"), 3);
        AddContact(cp, kContactPublicGroup, QStringLiteral("Zulu Home"), QStringLiteral("17179869180"), 5, kContactInScanList);
        AddContact(cp, kContactPublicGroup, QStringLiteral("bravo"), QStringLiteral("17179869183"), 2,
                        kContactInScanList | kContactInScrollList);
        AddContact(cp, kContactPublicGroup, QStringLiteral("Alpha"), QStringLiteral("17179869182"), 2, kContactInScanList);
        AddContact(cp, kContactPublicGroup, QStringLiteral("Charlie"), QStringLiteral("17179869181"), 2, kContactInScrollList);
        AddContact(cp, kContactPublicGroup, QStringLiteral("Delta"), QStringLiteral("17179869179"), 3, kContactInScanList);
        AddContact(cp, kContactPrivateGroup, QStringLiteral("beta grp"), QStringLiteral("20000002"), 2, kContactInScrollList);
        AddContact(cp, kContactPrivateGroup, QStringLiteral("Another grp"), QStringLiteral("20000001"), 2, kContactInScrollList);
        cp.textMessages[0] = QStringLiteral("on my way");
        cp.textMessages[1] = QStringLiteral("Call <me>");
        return cp;
    }

    // Label -> value of the unit's lines, in order.
    static QStringList Lines(const QString& html)
    {
        static const QRegularExpression line(QStringLiteral("class=\"ItemName\">(.*?):</td>\t\t   <td width=\"70\" class=\"ItemVal\">(.*?)</td>"));
        QStringList lines;
        for (auto it = line.globalMatch(html.left(html.indexOf(QStringLiteral("<HR")))); it.hasNext();) {
            const auto m = it.next();
            lines << m.captured(1) + QLatin1Char('=') + m.captured(2);
        }
        return lines;
    }

    static QStringList Names(const QString& html, const QString& section) { return ValueCells(SectionOf(html, section)); }
};

TEST_F(SpecReportTest, TitleAndLinesOfTheUnit)
{
    VirtualCP cp = Image();
    cp.contacts[0].alert_tone = 3;
    cp.settings.settingsFlags = 1u << 28;   // scan_en
    auto model = Load(cp);
    const ReportResult result = Builder(*model).BuildSpecReport();
    EXPECT_EQ(result.title, QStringLiteral("Radio-Specific Report - Unit Private ID:10000001 Model:KVX30"));
    EXPECT_EQ(result.path, m_folders.cacheFolder + QStringLiteral("/SpecReport.htm"));
    const QString html = SavedHtml(result.path);
    EXPECT_TRUE(html.contains(QStringLiteral("<title>") + result.title + QStringLiteral("</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"D30.jpg\"")));
    EXPECT_EQ(Lines(html), QStringList({QStringLiteral("Name=Unit&nbsp;One"), QStringLiteral("Unit Private ID=10000001"),
                                        QStringLiteral("Firmware Version=R5E.08.00"), QStringLiteral("Codeplug Version=CP03.10.05"),
                                        QStringLiteral("Model=KVX30"), QStringLiteral("Home Channel=2"),
                                        QStringLiteral("Home Group=Zulu&nbsp;Home"), QStringLiteral("Group Only=Disabled"),
                                        QStringLiteral("Ringer=3"), QStringLiteral("Manager Mode=Disabled"),
                                        QStringLiteral("See All Groups=Disabled"), QStringLiteral("Scan Mode=Enabled"),
                                        QStringLiteral("Private Scroll List=Disabled")}));
    EXPECT_EQ(Names(html, QStringLiteral("Text Messages")), QStringList({QStringLiteral("<p>Call&nbsp;&lt;me&gt;</p>"),
                                                                         QStringLiteral("<p>on&nbsp;my&nbsp;way</p>")}));
}

TEST_F(SpecReportTest, ModelGroupOneAndMissingCapabilitiesDropTheirLines)
{
    VirtualCP cp = Image(QStringLiteral("20000099"));   // a home group no contact has
    cp.version.firmware_version = 1;   // R5E.01.00: model group 1
    cp.radioInfo.limitFlags = 0;
    auto model = Load(cp);
    ASSERT_EQ(model->GetGroup(), 1);
    const QString html = SpecHtml(*model);
    const QStringList lines = Lines(html);
    EXPECT_TRUE(lines.contains(QStringLiteral("Home Group=None")));
    EXPECT_EQ(lines.size(), 9);   // no Manager Mode, See All Groups, Scan Mode or Private Scroll List
    EXPECT_FALSE(html.contains(QStringLiteral("Private Scroll List")));
    EXPECT_TRUE(html.contains(QStringLiteral("<div class=\"ItemTitle\">Scroll List</div>")));
}

TEST_F(SpecReportTest, OddModelValuesCannotBreakTheMarkup)
{
    VirtualCP cp = Image();
    cp.radioInfo.model = QStringLiteral("<D\">");
    auto model = Load(cp);
    const ReportResult result = Builder(*model).BuildSpecReport();
    EXPECT_EQ(result.title, QStringLiteral("Radio-Specific Report - Unit Private ID:10000001 Model:<KVX\">"));
    const QString html = SavedHtml(result.path);
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Radio-Specific Report - Unit Private ID:10000001 Model:&lt;KVX&quot;&gt;</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"&lt;D&quot;&gt;.jpg\"")));
    EXPECT_TRUE(Lines(html).contains(QStringLiteral("Model=&lt;KVX&quot;&gt;")));
}

TEST_F(SpecReportTest, ReceiveFromStartsWithThePublicHomeGroup)
{
    auto model = Load(Image());
    EXPECT_EQ(Names(SpecHtml(*model), QStringLiteral("Receive From")),
              QStringList({QStringLiteral("Zulu&nbsp;Home"), QStringLiteral("Alpha"), QStringLiteral("bravo"), QStringLiteral("beta&nbsp;grp")}));

    // A home group on the unit's scanned channel is listed once, first.
    model = Load(Image(QStringLiteral("17179869183")));
    EXPECT_EQ(Names(SpecHtml(*model), QStringLiteral("Receive From")),
              QStringList({QStringLiteral("bravo"), QStringLiteral("Alpha"), QStringLiteral("beta&nbsp;grp"), QStringLiteral("&nbsp;")}));

    // A private group as home group is not put first.
    model = Load(Image(QStringLiteral("20000002")));
    EXPECT_EQ(Names(SpecHtml(*model), QStringLiteral("Receive From")),
              QStringList({QStringLiteral("Alpha"), QStringLiteral("bravo"), QStringLiteral("beta&nbsp;grp"), QStringLiteral("&nbsp;")}));
}

TEST_F(SpecReportTest, TransmitToReachesAllPrivateGroupsOnlyWithSeeAllGroups)
{
    const QStringList publics = {QStringLiteral("Alpha"), QStringLiteral("bravo"), QStringLiteral("Charlie"), QStringLiteral("Delta"),
                                 QStringLiteral("Zulu&nbsp;Home")};
    auto model = Load(Image());
    EXPECT_EQ(Names(SpecHtml(*model), QStringLiteral("Transmit To")), publics + QStringList({QStringLiteral("beta&nbsp;grp")}));

    model = Load(Image(QString(), kContactInScrollList, kRoleSeeAllGroups));
    const QString html = SpecHtml(*model);
    EXPECT_EQ(Names(html, QStringLiteral("Transmit To")),
              publics + QStringList({QStringLiteral("Another&nbsp;grp"), QStringLiteral("beta&nbsp;grp"), QStringLiteral("&nbsp;")}));
    EXPECT_TRUE(Lines(html).contains(QStringLiteral("See All Groups=Enabled")));
}

TEST_F(SpecReportTest, GlobalScrollListWithAndWithoutGroupOnly)
{
    auto model = Load(Image());
    const QString global = QStringLiteral("Scroll List (global)");
    // Groups first, then the other privates; never the unit itself.
    EXPECT_EQ(Names(SpecHtml(*model), global), QStringList({QStringLiteral("bravo"), QStringLiteral("Charlie"),
                                                            QStringLiteral("beta&nbsp;grp"), QStringLiteral("Ann")}));
    model = Load(Image(QString(), kContactInScrollList | kContactShowGrpOnly));
    EXPECT_EQ(Names(SpecHtml(*model), global),
              QStringList({QStringLiteral("bravo"), QStringLiteral("Charlie"), QStringLiteral("beta&nbsp;grp"), QStringLiteral("&nbsp;")}));
}

TEST_F(SpecReportTest, TheUnitsOwnScrollListDecidesWithoutChangingTheProfile)
{
    auto model = Load(Image());
    kvx::xml::XmlDocument doc = model->GetProfileDoc();
    kvx::xml::XmlNode unit = doc.SelectSingleNode(QStringLiteral("//dfns:Private[@pid='10000001']"));
    unit.SetAttribute(QStringLiteral("private_scroll_list"), QStringLiteral("1"));
    kvx::xml::XmlNode list = unit.SelectSingleNode(QStringLiteral("dfns:scrolllist"));
    for (const QString& name : {QStringLiteral("Delta"), QStringLiteral("Bob <x>")}) {
        kvx::xml::XmlNode entry = doc.CreateElement(QStringLiteral("list"), QString::fromLatin1(kvx::xml::kProfileNamespace));
        entry.SetAttribute(QStringLiteral("name"), name);
        list.AppendChild(entry);
    }
    const QString before = model->GetProfileXml();

    const QString html = SpecHtml(*model);
    EXPECT_EQ(Names(html, QStringLiteral("Scroll List (private)")), QStringList({QStringLiteral("Delta"), QStringLiteral("Bob&nbsp;&lt;x&gt;")}));
    EXPECT_TRUE(Lines(html).contains(QStringLiteral("Private Scroll List=Enabled")));
    EXPECT_EQ(model->GetProfileXml(), before);
}

TEST_F(SpecReportTest, NoPrivateWithTheUnitIdMeansNoReport)
{
    VirtualCP cp = Image();
    cp.radioInfo.pid = QStringLiteral("10000099");
    auto model = Load(cp);
    EXPECT_FALSE(CReportBuilder::CanBuildSpecReport(*model));
    EXPECT_EQ(CodeOf([&] { Builder(*model).BuildSpecReport(); }), 107);
    EXPECT_FALSE(QFile::exists(m_folders.cacheFolder + QStringLiteral("/SpecReport.htm")));

    EXPECT_TRUE(CReportBuilder::CanBuildSpecReport(*Load(Image())));
    // A public group carrying the unit ID is not the unit.
    cp.radioInfo.pid = QStringLiteral("17179869183");
    EXPECT_FALSE(CReportBuilder::CanBuildSpecReport(*Load(cp)));
}

}  // namespace
