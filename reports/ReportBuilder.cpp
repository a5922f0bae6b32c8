#include "ReportBuilder.h"

#include "DataAdaptor.h"
#include "KVXZOTException.h"
#include "RadioDataModel.h"
#include "ReportHtml.h"
#include "ReportProfile.h"
#include "ReportSections.h"
#include "ReportTemplate.h"
#include "StringTable.h"

using namespace kvx::report;

namespace {

// The report's copy of a profile is only read: it needs no rules.
class CNoRules final : public IRuleScript {
public:
    bool Call(const QString&, std::vector<ScriptArgument>&, ScriptReturn&) override { return false; }
};

QString UnitId(CRadioDataModel& model)
{
    CDataItem limit;
    return model.GetRootItem().GetChildByName(QStringLiteral("limit"), limit).GetAttributeValue(QStringLiteral("pid")).toString();
}

}  // namespace

CReportBuilder::CReportBuilder(CRadioDataModel& model, ReportFolders folders, DealerInfoSource dealerInfo)
    : m_model(model), m_folders(std::move(folders)), m_dealerInfo(std::move(dealerInfo))
{
}

CReportBuilder::CReportBuilder(CRadioDataModel& model)
    : CReportBuilder(model, DefaultReportFolders(model.Environment().InstallPath()))
{
}

bool CReportBuilder::CanBuildSpecReport(CRadioDataModel& model)
{
    if (!model.IsLoaded())
        return false;
    try {
        const QString path = QStringLiteral("dfns:Contacts/dfns:Privates/dfns:Private[@pid=%1]").arg(CDataItem::XPathLiteral(UnitId(model)));
        return !model.GetRootItem().GetNode().SelectSingleNode(path).IsNull();
    } catch (const CKVXZOTException&) {
        return false;   // no limit element or unit ID
    }
}

ReportResult CReportBuilder::BuildSpecReport()
{
    try {
        // The unit's own private scroll list decides its scroll list, as it
        // does when the profile is written into that radio.
        const QString unitId = UnitId(m_model);
        const kvx::xml::XmlDocument copy = CDataAdaptor::CopyPrvtScrlLst(m_model.GetProfileXml(), unitId);
        CRadioDataModel copyModel(m_model.SharedEnvironment(), [](const QString&) { return std::make_shared<CNoRules>(); });
        copyModel.LoadProfile(copy.Xml(), false);

        const ReportProfile profile = ReportProfile::Read(copyModel);
        const ReportContact* unit = profile.FindPrivate(profile.unitId);
        if (!unit)
            KVX_RAISE(107, QStringLiteral("No private has the unit ID '%1'.").arg(profile.unitId), "CReportBuilder::BuildSpecReport");
        return Build(QStringLiteral("SpecReport.tpl"), QStringLiteral("SpecReport.htm"), SpecReportTitle(profile), profile.model,
                     SpecReportSections(profile, *unit));
    } catch (CKVXZOTException& e) {
        KVX_RERAISE(e, "CReportBuilder::BuildSpecReport");
    }
}

ReportResult CReportBuilder::BuildOverviewReport()
{
    try {
        const ReportProfile profile = ReportProfile::Read(m_model);
        return Build(QStringLiteral("OverviewReport.tpl"), QStringLiteral("OverviewReport.htm"), LoadStr(171), profile.model,
                     OverviewReportSections(profile));
    } catch (CKVXZOTException& e) {
        KVX_RERAISE(e, "CReportBuilder::BuildOverviewReport");
    }
}

ReportResult CReportBuilder::Build(const QString& templateName, const QString& outputName, const QString& title, const QString& model,
                                   const QString& sections)
{
    const CReportTemplate reportTemplate = CReportTemplate::Read(m_folders.reportFolder + QLatin1Char('/') + templateName);
    const QString content = ReportOpening(m_dealerInfo ? m_dealerInfo() : std::nullopt) + sections;
    // Profile texts in the head: the title in the page's title, the model
    // naming the picture in an attribute. Odd values must not break the markup.
    const QString html = reportTemplate.Compose(CDataAdaptor::EscapeXmlText(title), CDataAdaptor::EscapeXmlText(model), content);
    return {SaveReport(m_folders, outputName, html), title};
}
