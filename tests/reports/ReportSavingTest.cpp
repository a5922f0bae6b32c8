// Saving reports: UTF-16 with its mark in the user's cache folder with the
// pictures beside it; never in the installation's Report folder.

#include "ReportTestSupport.h"

namespace {

class ReportSavingTest : public ReportTest {
protected:
    void TearDown() override
    {
        for (const QString& folder : m_lockedFolders)
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ReportTest::TearDown();
    }

    // A folder nobody can write a report into: read-only, and the report's
    // name taken by a folder (which stops even an administrator).
    void Lock(const QString& folder)
    {
        QDir().mkpath(folder);
        for (const char* name : {"SpecReport.htm", "OverviewReport.htm"})
            QDir(folder).mkdir(QLatin1String(name));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        m_lockedFolders << folder;
    }

    QStringList m_lockedFolders;
};

TEST_F(ReportSavingTest, WrittenAsUtf16WithItsMarkIntoTheCacheFolder)
{
    const QString html = QStringLiteral("<p>\u00C4 \u20AC</p>");
    const QString path = SaveReport(m_folders, QStringLiteral("OverviewReport.htm"), html);
    EXPECT_EQ(path, m_folders.cacheFolder + QStringLiteral("/OverviewReport.htm"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xFF\xFE<\0p\0>\0\xC4\0 \0\xAC\x20<\0/\0p\0>\0", 22));
    // Writable or not, the installation is never written to.
    EXPECT_FALSE(QFile::exists(ReportFolder() + QStringLiteral("/OverviewReport.htm")));
}

TEST_F(ReportSavingTest, TheCacheTakesTheReportWithThePictures)
{
    Lock(ReportFolder());
    auto model = Load(ReportImage());
    const ReportResult result = Builder(*model).BuildOverviewReport();
    EXPECT_EQ(result.path, m_folders.cacheFolder + QStringLiteral("/OverviewReport.htm"));
    EXPECT_TRUE(SavedHtml(result.path).contains(QStringLiteral("<title>Overview Report</title>")));
    for (const char* name : {"D10.jpg", "D20.jpg", "D30.jpg", "D35.jpg", "Report.css"}) {
        const QString copy = m_folders.cacheFolder + QLatin1Char('/') + QLatin1String(name);
        ASSERT_TRUE(QFile::exists(copy)) << name;
        EXPECT_EQ(QFileInfo(copy).size(), QFileInfo(ReportFolder() + QLatin1Char('/') + QLatin1String(name)).size()) << name;
    }

    // An older copy of a picture is replaced.
    const QString picture = m_folders.cacheFolder + QStringLiteral("/D30.jpg");
    WriteBytes(picture, "old");
    Builder(*model).BuildOverviewReport();
    EXPECT_GT(QFileInfo(picture).size(), 3);
}

TEST_F(ReportSavingTest, AnUnwritableCacheRaises101)
{
    Lock(m_folders.cacheFolder);
    QString trace;
    EXPECT_EQ(CodeOf([&] { SaveReport(m_folders, QStringLiteral("SpecReport.htm"), QStringLiteral("x")); }, &trace), 101);
    EXPECT_TRUE(trace.contains(QStringLiteral("Open script file failed")));
}

TEST_F(ReportSavingTest, MissingTemplateRaises101AndWritesNothing)
{
    QFile::remove(ReportFolder() + QStringLiteral("/OverviewReport.tpl"));
    auto model = Load(ReportImage());
    QString trace;
    EXPECT_EQ(CodeOf([&] { Builder(*model).BuildOverviewReport(); }, &trace), 101);
    EXPECT_TRUE(trace.contains(QStringLiteral("Open template file failed")));
    EXPECT_TRUE(trace.contains(QStringLiteral("CReportBuilder::BuildOverviewReport")));
    EXPECT_FALSE(QFile::exists(m_folders.cacheFolder + QStringLiteral("/OverviewReport.htm")));
}

TEST_F(ReportSavingTest, ACopyTakesThePictureAndStyleSheetAlong)
{
    auto model = Load(ReportImage());
    const ReportResult result = Builder(*model).BuildOverviewReport();
    const QString target = m_settings.Dir() + QStringLiteral("/out/fleet.htm");
    QDir().mkpath(m_settings.Dir() + QStringLiteral("/out"));
    QString error;
    ASSERT_TRUE(CopyReport(result.path, target, &error)) << error.toStdString();
    EXPECT_EQ(SavedHtml(target), SavedHtml(result.path));
    EXPECT_TRUE(QFile::exists(m_settings.Dir() + QStringLiteral("/out/D30.jpg")));
    EXPECT_TRUE(QFile::exists(m_settings.Dir() + QStringLiteral("/out/Report.css")));
    EXPECT_FALSE(QFile::exists(m_settings.Dir() + QStringLiteral("/out/D10.jpg")));   // only what the report shows

    EXPECT_FALSE(CopyReport(result.path, m_settings.Dir() + QStringLiteral("/missing/x.htm"), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
