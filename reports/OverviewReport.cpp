// The Overview Report: every contact of the profile, the roles of the
// privates, the members of each private group and who receives each public
// group.

#include "ReportHtml.h"
#include "ReportSections.h"
#include "StringTable.h"

#include <functional>

namespace kvx::report {

namespace {

QString ChannelText(int channel)
{
    return LoadStr(116).replace(QStringLiteral("%d"), QString::number(channel));
}

// A contact table, or an indented "None" for no rows.
QString ContactTable(bool groupOnlyColumn, const QString& rows)
{
    return rows.isEmpty() ? IndentedItem(NoneText()) : ContactTableHead(groupOnlyColumn) + rows + TableEnd();
}

QString PrivatesTable(const ReportProfile& p)
{
    QString rows;
    for (const ReportContact& c : p.privates)
        rows += ContactRow(c.name, c.pid, c.channel, c.showGroupOnly ? QStringLiteral("Yes") : QStringLiteral("No"));
    return ContactTable(true, rows);
}

// Public groups by their display number in the ID banks; a group outside
// every bank shows its ID.
QString PublicGroupsTable(const ReportProfile& p)
{
    QString rows;
    for (const ReportContact& g : p.publicGroups) {
        const qint32 number = PublicGroupDisplayNumber(p.banks, g.pid);
        rows += ContactRow(g.name, number > 0 ? QString::number(number) : g.pid, g.channel);
    }
    return ContactTable(false, rows);
}

QString PrivateGroupsTable(const ReportProfile& p)
{
    QString rows;
    for (const ReportContact& g : p.privateGroups)
        rows += ContactRow(g.name, g.pid, g.channel);
    return ContactTable(false, rows);
}

QStringList PrivatesWhere(const ReportProfile& p, const std::function<bool(const ReportContact&)>& test)
{
    QStringList names;
    for (const ReportContact& c : p.privates) {
        if (test(c))
            names << c.name;
    }
    return names;
}

QString GroupHead(const ReportContact& group, int label)
{
    return SubTitle(EscapeText(group.name) + QStringLiteral(" (") + ChannelText(group.channel) + QLatin1Char(')')) +
           QStringLiteral("&nbsp;&nbsp;<span class=\"ItemName\">") + LoadStr(label) + QStringLiteral(":</span>");
}

QString PrivateGroupBlocks(const ReportProfile& p)
{
    QString html;
    for (const ReportContact& g : p.privateGroups) {
        QStringList ids, names;
        p.root.GetGroupMemeber(g.pid, ids, names);
        SortByName(names);
        html += GroupHead(g, 195) + NameListOrNone(names);
    }
    return html.isEmpty() ? IndentedItem(NoneText()) : html;
}

// A group in the scan list reaches every private on its channel; otherwise
// the privates whose home group it is.
QString PublicGroupBlocks(const ReportProfile& p)
{
    QString html;
    for (const ReportContact& g : p.publicGroups) {
        const QStringList names = PrivatesWhere(p, [&g](const ReportContact& c) {
            return g.inScanList ? c.channel == g.channel : c.homeGroup == g.pid;
        });
        html += GroupHead(g, 194) + (names.isEmpty() ? IndentedItem(NoneText()) + QStringLiteral("<BR>") : TwoColumnList(names));
    }
    return html.isEmpty() ? IndentedItem(NoneText()) : html;
}

}  // namespace

QString OverviewReportSections(const ReportProfile& p)
{
    QString html;
    const auto section = [&html](int title, const QString& body) {
        if (!html.isEmpty())
            html += Separator();
        html += SectionTitle(LoadStr(title)) + body;
    };
    section(186, PrivatesTable(p));
    section(188, PublicGroupsTable(p));
    section(187, PrivateGroupsTable(p));
    section(189, NameListOrNone(PrivatesWhere(p, [](const ReportContact& c) { return c.managerMode; })));
    section(190, NameListOrNone(PrivatesWhere(p, [](const ReportContact& c) { return c.seeAllGroups; })));
    section(191, NameListOrNone(PrivatesWhere(p, [](const ReportContact& c) { return c.showGroupOnly; })));
    section(192, PrivateGroupBlocks(p));
    section(193, PublicGroupBlocks(p));
    return html;
}

}  // namespace kvx::report
