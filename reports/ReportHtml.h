#pragma once

// The HTML fragments reports are made of. Their texts (tabs and blanks
// included) are fixed: saved reports are compared byte for byte.
//
// Arguments named `html` are placed as they are; arguments named `text` are
// profile texts and are escaped here.

#include <QString>
#include <QStringList>

namespace kvx::report {

// Replaces, in this order, & < > " and each blank by their entities.
QString EscapeText(const QString& text);

QString Separator();
QString SectionTitle(const QString& html);
QString SubTitle(const QString& html);
QString LabelValue(const QString& label, const QString& html);
QString IndentedItem(const QString& html);
QString Paragraph(const QString& html);

// Contact tables: a head, rows, then TableEnd(). The four-column form adds
// the "G.O." (group only) column.
QString ContactTableHead(bool groupOnlyColumn);
QString ContactRow(const QString& nameText, const QString& idText, int channel);
QString ContactRow(const QString& nameText, const QString& idText, int channel, const QString& groupOnlyHtml);
QString TableEnd();

// Three cells side by side: left, centre and right aligned.
QString DealerBlock(const QString& leftHtml, const QString& centreHtml, const QString& rightHtml);

// Names two to a row, the last row's second cell "&nbsp;" for an odd
// count; nothing at all for no names.
QString TwoColumnList(const QStringList& texts);

// Program texts of values.
QString NoneText();                  // "None"
QString EnabledText(bool enabled);   // "Enabled" / "Disabled"

}  // namespace kvx::report
