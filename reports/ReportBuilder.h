#pragma once

// CReportBuilder: turns the open profile into one of the two HTML reports,
// filled into the installation's template and saved for the report window.
//
// Failures raise CKVXZOTException: 101 for a template that cannot be read
// ("Open template file failed") or a report that cannot be written ("Open
// script file failed"), 107 when the profile holds no private with the unit
// ID (no Radio-Specific Report), and the data model's codes for a profile
// that cannot be read.

#include "ConfigStore.h"
#include "ReportOutput.h"

#include <QString>
#include <functional>
#include <optional>

class CRadioDataModel;

struct ReportResult {
    QString path;    // the saved file the report window opens
    QString title;   // the report's title, plain text
};

class CReportBuilder {
public:
    using DealerInfoSource = std::function<std::optional<DealerInfo>()>;

    // Reports of `model`'s profile, written to `folders`; the dealer
    // information comes from the configuration store unless given.
    CReportBuilder(CRadioDataModel& model, ReportFolders folders, DealerInfoSource dealerInfo = ReadDealerInfo);
    // The installation's folders of the model's environment.
    explicit CReportBuilder(CRadioDataModel& model);

    // True when the profile holds the unit's own private, the radio the
    // Radio-Specific Report describes.
    static bool CanBuildSpecReport(CRadioDataModel& model);

    ReportResult BuildSpecReport();
    ReportResult BuildOverviewReport();

private:
    ReportResult Build(const QString& templateName, const QString& outputName, const QString& title, const QString& model,
                       const QString& sections);

    CRadioDataModel& m_model;
    ReportFolders m_folders;
    DealerInfoSource m_dealerInfo;
};
