// The installation's report content: a picture for every radio model the
// profile templates name, and templates with their markers.

#include "ReportTestSupport.h"

#include "ReportTemplate.h"

#include <QImage>

namespace {

const QString kInstallation = QStringLiteral(KVX_INSTALLATION_DIR);

TEST(ReportContentTest, EveryTemplateModelHasItsPicture)
{
    EnsureGuiApplication();
    const QDir templates(kInstallation + QStringLiteral("/ProfileTemplate"));
    const QStringList profiles = templates.entryList({QStringLiteral("*.jub")}, QDir::Files);
    ASSERT_FALSE(profiles.isEmpty());
    static const QRegularExpression model(QStringLiteral("\\bmodel=\"([^\"]*)\""));
    for (const QString& profile : profiles) {
        QFile file(templates.filePath(profile));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const auto match = model.match(QString::fromLatin1(file.readAll()));
        ASSERT_TRUE(match.hasMatch()) << profile.toStdString();
        const QString picture = kInstallation + QStringLiteral("/Report/") + match.captured(1) + QStringLiteral(".jpg");
        EXPECT_FALSE(QImage(picture).isNull()) << picture.toStdString();
    }
}

TEST(ReportContentTest, TemplatesCarryTheirMarkers)
{
    for (const char* name : {"SpecReport.tpl", "OverviewReport.tpl"}) {
        const CReportTemplate t = CReportTemplate::Read(kInstallation + QStringLiteral("/Report/") + QLatin1String(name));
        EXPECT_TRUE(t.Head().endsWith(QStringLiteral("<!-- report content begin -->"))) << name;
        EXPECT_TRUE(t.Head().contains(QStringLiteral("<title>REPORT_TITLE</title>"))) << name;
        EXPECT_TRUE(t.Head().contains(QStringLiteral("src=\"MODEL_PIC.jpg\""))) << name;
        EXPECT_TRUE(t.Tail().contains(QStringLiteral("</html>"))) << name;
    }
}

}  // namespace
