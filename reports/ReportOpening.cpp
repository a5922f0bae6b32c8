#include "ReportHtml.h"
#include "ReportSections.h"
#include "StringTable.h"

namespace kvx::report {

namespace {

// A multi-line dealer value: its lines escaped, one below the other.
QString DealerCell(const QStringList& lines)
{
    QStringList escaped;
    for (const QString& line : lines)
        escaped << EscapeText(line);
    return escaped.join(QStringLiteral("<BR>"));
}

bool IsBlank(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n')).trimmed().isEmpty();
}

}  // namespace

QString ReportOpening(const std::optional<DealerInfo>& dealer)
{
    QString html = QStringLiteral("&nbsp;<BR>&nbsp;<BR>");
    if (!dealer || (IsBlank(dealer->dealer) && IsBlank(dealer->notes) && IsBlank(dealer->contact)))
        return html;
    return html + SectionTitle(LoadStr(159)) + DealerBlock(DealerCell(dealer->dealer), DealerCell(dealer->notes), DealerCell(dealer->contact)) +
           Separator();
}

QString NameListOrNone(const QStringList& names)
{
    return names.isEmpty() ? IndentedItem(NoneText()) : TwoColumnList(names);
}

}  // namespace kvx::report
