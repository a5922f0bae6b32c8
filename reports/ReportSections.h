#pragma once

// The content of the two reports: what follows the template's content
// marker, built from a profile read for reports.

#include "ConfigStore.h"
#include "ReportProfile.h"

#include <QString>
#include <optional>

namespace kvx::report {

// The start of every report's content: two blank lines, then the dealer
// block when the dealer information is there and not all blank.
QString ReportOpening(const std::optional<DealerInfo>& dealer);

// "Radio-Specific Report - Unit Private ID:%s Model:%s", as plain text.
QString SpecReportTitle(const ReportProfile& profile);
// The unit's lines and its Receive From, Transmit To, scroll list and text
// message sections.
QString SpecReportSections(const ReportProfile& profile, const ReportContact& unit);

QString OverviewReportSections(const ReportProfile& profile);

// A two-column list of names, or an indented "None".
QString NameListOrNone(const QStringList& names);

}  // namespace kvx::report
