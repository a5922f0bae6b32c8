// The Radio-Specific Report: what one radio, the profile's unit, receives,
// can call and shows in its scroll list.

#include "ReportHtml.h"
#include "ReportSections.h"
#include "StringTable.h"

namespace kvx::report {

namespace {

// A profile text as a value, "None" when empty.
QString ValueHtml(const QString& text)
{
    return text.isEmpty() ? NoneText() : EscapeText(text);
}

// The private groups the unit may call: all of them with See All Groups,
// else those it belongs to.
bool CanReachGroup(const ReportContact& unit, const ReportContact& group)
{
    return unit.seeAllGroups || unit.parentGroups.contains(group.pid);
}

QString Section(int title, const QString& body)
{
    return Separator() + SectionTitle(LoadStr(title)) + body;
}

QString UnitLines(const ReportProfile& p, const ReportContact& unit, const ReportContact* home)
{
    QString html;
    const auto line = [&html](int label, const QString& value) { html += LabelValue(LoadStr(label), value); };
    line(175, ValueHtml(unit.name));
    line(10057, ValueHtml(p.unitId));
    line(10059, ValueHtml(p.firmwareVersion));
    line(10060, p.codeplugVersion);
    line(181, ValueHtml(p.DisplayModel()));
    line(182, QString::number(unit.channel));
    line(10095, home ? ValueHtml(home->name) : NoneText());
    line(10097, EnabledText(unit.showGroupOnly));
    line(10098, QString::number(unit.alertTone));
    if (p.managerModeEnabled)
        line(203, EnabledText(unit.managerMode));
    if (p.seeAllGroupsEnabled)
        line(183, EnabledText(unit.seeAllGroups));
    if (p.publicScanEnabled)
        line(120, EnabledText(p.scanMode));
    if (p.group != 1)
        line(214, EnabledText(unit.privateScrollList));
    return html;
}

// The home group when it is a public one, the public groups its channel
// scans, then the private groups it belongs to.
QStringList ReceiveFrom(const ReportProfile& p, const ReportContact& unit, const ReportContact* home)
{
    QStringList names;
    const bool publicHome = home && home->IsPublicGroup();
    if (publicHome)
        names << home->name;
    for (const ReportContact& g : p.publicGroups) {
        if (g.channel == unit.channel && g.inScanList && !(publicHome && g.pid == home->pid))
            names << g.name;
    }
    for (const ReportContact& g : p.privateGroups) {
        if (unit.parentGroups.contains(g.pid))
            names << g.name;
    }
    return names;
}

QStringList TransmitTo(const ReportProfile& p, const ReportContact& unit)
{
    QStringList names;
    for (const ReportContact& g : p.publicGroups)
        names << g.name;
    for (const ReportContact& g : p.privateGroups) {
        if (CanReachGroup(unit, g))
            names << g.name;
    }
    return names;
}

QStringList ScrollList(const ReportProfile& p, const ReportContact& unit)
{
    QStringList names;
    for (const ReportContact& g : p.publicGroups) {
        if (g.inScrollList)
            names << g.name;
    }
    for (const ReportContact& g : p.privateGroups) {
        if (g.inScrollList && CanReachGroup(unit, g))
            names << g.name;
    }
    if (!unit.showGroupOnly) {
        for (const ReportContact& c : p.privates) {
            if (c.inScrollList && c.pid != unit.pid)
                names << c.name;
        }
    }
    return names;
}

int ScrollListTitle(const ReportProfile& p, const ReportContact& unit)
{
    if (p.group == 1)
        return 114;
    return unit.privateScrollList ? 213 : 212;
}

}  // namespace

QString SpecReportTitle(const ReportProfile& p)
{
    return LoadStr(170) + QStringLiteral(" - ") + LoadStr(10057) + QLatin1Char(':') + p.unitId + QLatin1Char(' ') + LoadStr(181) +
           QLatin1Char(':') + p.DisplayModel();
}

QString SpecReportSections(const ReportProfile& p, const ReportContact& unit)
{
    // A home group that names no contact shows as none.
    const ReportContact* home = unit.homeGroup.isEmpty() ? nullptr : p.FindContact(unit.homeGroup);

    QString messages;
    for (const QString& text : p.messages)
        messages += Paragraph(EscapeText(text));
    if (messages.isEmpty())
        messages = IndentedItem(NoneText());

    return UnitLines(p, unit, home) + Section(184, NameListOrNone(ReceiveFrom(p, unit, home))) +
           Section(185, NameListOrNone(TransmitTo(p, unit))) + Section(ScrollListTitle(p, unit), NameListOrNone(ScrollList(p, unit))) +
           Section(130, messages);
}

}  // namespace kvx::report
