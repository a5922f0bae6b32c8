#include "ReportHtml.h"

#include "DataAdaptor.h"
#include "StringTable.h"

namespace kvx::report {

namespace {

// The blanks and tabs between the cells of the fragments.
const QString kGap = QStringLiteral("\t\t   ");

const QString kItemTable = QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" class=\"Item\">");
const QString kPlainTable = QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\">");

}  // namespace

QString EscapeText(const QString& text)
{
    return CDataAdaptor::EscapeXmlText(text).replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

QString Separator()
{
    return QStringLiteral("<HR color='#0000ff'>");
}

QString SectionTitle(const QString& html)
{
    return QStringLiteral("<div class=\"ItemTitle\">") + html + QStringLiteral("</div>");
}

QString SubTitle(const QString& html)
{
    return QStringLiteral("<span class=\"ItemTitleU\">") + html + QStringLiteral("</span><BR>");
}

QString LabelValue(const QString& label, const QString& html)
{
    return kItemTable + kGap + QStringLiteral("<tr>") + kGap + QStringLiteral("<td width=\"110\" class=\"ItemName\">") + label +
           QStringLiteral(":</td>") + kGap + QStringLiteral("<td width=\"70\" class=\"ItemVal\">") + html + QStringLiteral("</td>") +
           kGap + QStringLiteral("</tr>") + kGap + QStringLiteral("</table>");
}

QString IndentedItem(const QString& html)
{
    return kItemTable + kGap + QStringLiteral("<tr>") + kGap + QStringLiteral("<td width=\"15\">&nbsp;</td>") + kGap +
           QStringLiteral("<td width=\"265\" class=\"ItemVal\">") + html + QStringLiteral("</td>") + kGap + QStringLiteral("</tr>") +
           kGap + QStringLiteral("</table>");
}

QString Paragraph(const QString& html)
{
    return kPlainTable + kGap + QStringLiteral("<tr>") + kGap + QStringLiteral("<td class=\"ItemVal\"><p>") + html +
           QStringLiteral("</p></td>") + kGap + QStringLiteral("</tr>") + kGap + QStringLiteral("</table>");
}

QString ContactTableHead(bool groupOnlyColumn)
{
    const auto cell = [](int width, const QString& text) {
        return QStringLiteral("<td width=\"%1\" class=\"ItemTitleUC\">").arg(width) + text + QStringLiteral("</td>");
    };
    QString head = kItemTable + kGap + QStringLiteral("<tr>") + kGap;
    if (groupOnlyColumn) {
        head += cell(100, QStringLiteral("Name")) + kGap + cell(74, QStringLiteral("PID")) + kGap + cell(48, QStringLiteral("Channel")) +
                kGap + QStringLiteral("<td width=\"30\" class=\"ItemTitleUC\" Title=\"Group Only\">G.O.</td>") + kGap;
    } else {
        head += cell(136, QStringLiteral("Name")) + kGap + cell(74, QStringLiteral("PID")) + kGap + cell(46, QStringLiteral("Channel")) + kGap;
    }
    return head + QStringLiteral("</tr>");
}

namespace {

QString RowCells(const QString& nameText, const QString& idText, int channel)
{
    return QStringLiteral("<tr>") + kGap + QStringLiteral("<td  class=\"ItemVal\">") + EscapeText(nameText) + QStringLiteral("</td>") +
           kGap + QStringLiteral("<td class=\"ItemVal\">") + EscapeText(idText) + QStringLiteral("</td>") + kGap +
           QStringLiteral("<td class=\"ItemVal\">") + QString::number(channel) + QStringLiteral("</td>") + kGap;
}

}  // namespace

QString ContactRow(const QString& nameText, const QString& idText, int channel)
{
    return RowCells(nameText, idText, channel) + QStringLiteral("</tr>");
}

QString ContactRow(const QString& nameText, const QString& idText, int channel, const QString& groupOnlyHtml)
{
    return RowCells(nameText, idText, channel) + QStringLiteral("<td class=\"ItemVal\">") + groupOnlyHtml + QStringLiteral("</td>") +
           QStringLiteral("</tr>");
}

QString TableEnd()
{
    return QStringLiteral("</table>");
}

QString DealerBlock(const QString& leftHtml, const QString& centreHtml, const QString& rightHtml)
{
    const auto cell = [](const char* align, const QString& html) {
        return QStringLiteral("<td width=\"33%\" align=\"%1\" valign=\"top\" class=\"ItemVal\">").arg(QLatin1String(align)) + html +
               QStringLiteral("</td>");
    };
    return QStringLiteral("<table width='445'><tr><td><table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr>") +
           cell("left", leftHtml) + cell("center", centreHtml) + cell("right", rightHtml) +
           QStringLiteral("</tr></table></td></tr></table>");
}

QString TwoColumnList(const QStringList& texts)
{
    if (texts.isEmpty())
        return QString();
    const QString cell = QStringLiteral("<td width=\"265\" class=\"ItemVal\">");
    QString html = kPlainTable;
    for (qsizetype i = 0; i < texts.size(); i += 2) {
        const QString second = i + 1 < texts.size() ? EscapeText(texts.at(i + 1)) : QStringLiteral("&nbsp;");
        html += QStringLiteral("<tr><td width=\"15\">&nbsp;</td>") + cell + EscapeText(texts.at(i)) + QStringLiteral("</td>") + cell +
                second + QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

QString NoneText()
{
    return LoadStr(10136);
}

QString EnabledText(bool enabled)
{
    return LoadStr(enabled ? 196 : 197);
}

}  // namespace kvx::report
