// Saved reports as documents and PDF files: pictures and style sheet found
// beside the saved file, the report margins, the title in the PDF.

#include "ReportTestSupport.h"

#include "ReportPdf.h"

#include <QImage>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextDocument>

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ReportPdfTest : public ReportTest {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        ReportTest::SetUp();
    }
};

TEST_F(ReportPdfTest, SavedReportFindsItsPictureAndStyleSheet)
{
    auto model = Load(ReportImage());
    const ReportResult result = Builder(*model).BuildOverviewReport();
    QTextDocument document;
    QString error;
    ASSERT_TRUE(LoadReportDocument(document, result.path, &error)) << error.toStdString();
    EXPECT_EQ(document.metaInformation(QTextDocument::DocumentTitle), QStringLiteral("Overview Report"));
    const QImage picture = qvariant_cast<QImage>(document.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("D30.jpg"))));
    EXPECT_FALSE(picture.isNull());

    // Section titles take the style sheet's look.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text() == QStringLiteral("All Privates")) {
            EXPECT_EQ(block.charFormat().fontWeight(), QFont::Bold);
            EXPECT_EQ(block.begin().fragment().charFormat().foreground().color(), QColor(QStringLiteral("#1d3f7a")));
            return;
        }
    }
    ADD_FAILURE() << "no section title";
}

TEST_F(ReportPdfTest, NamesWidenTheirCellsInsteadOfBreaking)
{
    VirtualCP cp = ReportImage();
    const QString name = QStringLiteral("Private 1 with a long name").left(25);
    AddContact(cp, kContactPrivate, name, QStringLiteral("10000001"), 2);
    auto model = Load(cp);
    QTextDocument document;
    QString error;
    ASSERT_TRUE(LoadReportDocument(document, Builder(*model).BuildSpecReport().path, &error));
    document.setPageSize(ReportPageLayout(QPageSize(QPageSize::A4)).paintRect(QPageLayout::Inch).size() * 96);
    document.pageCount();   // lays the document out

    QString shown = name;
    shown.replace(QLatin1Char(' '), QChar::Nbsp);
    int found = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text() == shown) {
            ++found;
            EXPECT_EQ(block.layout()->lineCount(), 1);
        }
    }
    EXPECT_GT(found, 0);
}

TEST_F(ReportPdfTest, PdfCarriesTheTitleOnTheChosenPaper)
{
    VirtualCP cp = ReportImage();
    AddContact(cp, kContactPrivate, QStringLiteral("Unit One"), QStringLiteral("10000001"), 2);
    auto model = Load(cp);
    const ReportResult result = Builder(*model).BuildSpecReport();
    QTextDocument document;
    QString error;
    ASSERT_TRUE(LoadReportDocument(document, result.path, &error));

    const QString a4 = TempPath(QStringLiteral("spec-a4.pdf"));
    ASSERT_TRUE(WriteReportPdf(document, a4, QPageSize(QPageSize::A4), &error)) << error.toStdString();
    const QByteArray pdf = FileBytes(a4);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_TRUE(pdf.contains("/Title (" + PdfTextBytes(result.title) + ")"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595")) << "A4 is 595 points wide";

    const QString letter = TempPath(QStringLiteral("spec-letter.pdf"));
    ASSERT_TRUE(WriteReportPdf(document, letter, QPageSize(QPageSize::Letter), &error));
    EXPECT_TRUE(FileBytes(letter).contains("/MediaBox [0 0 612.0"));

    EXPECT_FALSE(WriteReportPdf(document, TempPath(QStringLiteral("no/such/folder.pdf")), QPageSize(QPageSize::A4), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
