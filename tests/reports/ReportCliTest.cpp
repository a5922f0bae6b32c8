// kvxzot-cli report, run as a user would: HTML as saved, PDF, and the
// refusals.

#include "ReportTestSupport.h"

#include "../cli/CliProcess.h"
#include "KVXZOTDoc.h"
#include "MachineDefaults.h"

namespace {

class ReportCliTest : public ReportTest {
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        // The tool's installation is this test's copy; its cache is the test's too.
        const QString machine = TempPath(QStringLiteral("cli-machine.ini"));
        kvx::registry::RegistryStore store(machine, TempPath(QStringLiteral("unused-user.ini")));
        ASSERT_TRUE(kvx::registry::WriteMachineDefaults(store, m_install));
        m_cli.Environment().insert(QStringLiteral("KVXZOT_MACHINE_SETTINGS"), machine);
        m_cli.Environment().insert(QStringLiteral("XDG_CACHE_HOME"), TempPath(QStringLiteral("xdg-cache")));
    }

    QString SaveProfile(const VirtualCP& image, const QString& name)
    {
        const QString path = TempPath(name);
        CKVXZOTDoc doc;
        EXPECT_TRUE(doc.SetVirtualCPData(image));
        EXPECT_TRUE(doc.OnSaveDocument(path));
        return path;
    }

    CliResult Report(const QString& profile, const char* kind, const QString& output)
    {
        return m_cli.Run({QStringLiteral("report"), profile, QStringLiteral("--kind"), QLatin1String(kind), QStringLiteral("-o"), output});
    }

    CliRunner m_cli;
};

TEST_F(ReportCliTest, HtmlAsSavedAndPdf)
{
    VirtualCP cp = ReportImage();
    AddContact(cp, kContactPrivate, QStringLiteral("Unit One"), QStringLiteral("10000001"), 2);
    const QString profile = SaveProfile(cp, QStringLiteral("unit.jub"));

    const QString html = m_cli.Dir() + QStringLiteral("/overview.htm");
    const CliResult overview = Report(profile, "overview", html);
    ASSERT_EQ(overview.exitCode, 0) << overview.err.toStdString();
    QFile saved(TempPath(QStringLiteral("xdg-cache/kvxzot/Report/OverviewReport.htm")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QFile written(html);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), saved.readAll());
    EXPECT_TRUE(QFile::exists(m_cli.Dir() + QStringLiteral("/D30.jpg")));

    const QString pdf = m_cli.Dir() + QStringLiteral("/spec.pdf");
    const CliResult spec = m_cli.Run({QStringLiteral("report"), profile, QStringLiteral("--kind"), QStringLiteral("spec"),
                                      QStringLiteral("-o"), pdf, QStringLiteral("--paper"), QStringLiteral("letter")});
    ASSERT_EQ(spec.exitCode, 0) << spec.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 612.0"));
    EXPECT_TRUE(bytes.contains(PdfTextBytes(QStringLiteral("Radio-Specific Report - Unit Private ID:10000001 Model:KVX30"))));
}

TEST_F(ReportCliTest, RefusesWhatItCannotBuild)
{
    const QString profile = SaveProfile(ReportImage(), QStringLiteral("nounit.jub"));
    const QString out = m_cli.Dir() + QStringLiteral("/spec.htm");
    const CliResult noUnit = Report(profile, "spec", out);
    EXPECT_EQ(noUnit.exitCode, 1);
    EXPECT_TRUE(noUnit.err.contains(QStringLiteral("10000001"))) << noUnit.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    EXPECT_EQ(Report(profile, "summary", out).exitCode, 2);
    EXPECT_EQ(Report(profile, "overview", m_cli.Dir() + QStringLiteral("/x.txt")).exitCode, 2);

    QFile::remove(ReportFolder() + QStringLiteral("/OverviewReport.tpl"));
    const CliResult noTemplate = Report(profile, "overview", out);
    EXPECT_EQ(noTemplate.exitCode, 1);
    EXPECT_TRUE(noTemplate.err.contains(QStringLiteral("Open template file failed"))) << noTemplate.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
