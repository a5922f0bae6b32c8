// The Report command: the choice of a report, the report window with its
// print, preview and save, and the failures on the way.

#include "GuiTestSupport.h"

#include "ChildFrame.h"
#include "CommandIds.h"
#include "DataAdaptor.h"
#include "GuiText.h"
#include "KVXZOTTreeView.h"
#include "MachineDefaults.h"
#include "MainFrame.h"
#include "RadioSimulator.h"
#include "ReportOutput.h"
#include "ReportDialog.h"
#include "ReportPdf.h"
#include "ReportWindow.h"
#include "StringTable.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStringEncoder>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A PDF's document title as the writer stores it: UTF-16 big-endian.
QByteArray PdfTitle(const QString& text)
{
    QStringEncoder encoder(QStringConverter::Utf16BE);
    return "/Title (\xFE\xFF" + QByteArray(encoder(text)) + ")";
}

QString AccessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

QListWidgetItem* Entry(CReportDialog* dialog, int textId)
{
    const auto found = Child<QListWidget>(dialog, "reports")->findItems(LoadStr(textId), Qt::MatchExactly);
    return found.size() == 1 ? found.first() : nullptr;
}

void DoubleClick(QListWidget* list, QListWidgetItem* item)
{
    const QPoint centre = list->visualItemRect(item).center();
    // A double click follows a press and release, as a mouse gives it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

const QMarginsF kReportMargins(0.23667, 0.16667, 0.23667, 0.16667);

bool HasReportMargins(const QPageLayout& layout)
{
    const QMarginsF margins = layout.margins(QPageLayout::Inch);
    const auto near = [](qreal a, qreal b) { return qAbs(a - b) < 0.001; };
    return near(margins.left(), kReportMargins.left()) && near(margins.top(), kReportMargins.top()) &&
           near(margins.right(), kReportMargins.right()) && near(margins.bottom(), kReportMargins.bottom());
}

}  // namespace

// Runs against a copy of the installation: reports are written into its
// Report folder.
class ReportCommandTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        m_install = TempPath(QStringLiteral("install"));
        for (const QString& folder : {QStringLiteral("lib"), QStringLiteral("ProfileTemplate"), QStringLiteral("Report")}) {
            const QDir source(QStringLiteral(KVX_INSTALLATION_DIR "/") + folder);
            QDir().mkpath(m_install + QLatin1Char('/') + folder);
            for (const QString& name : source.entryList({QStringLiteral("*.*")}, QDir::Files)) {
                if (!name.endsWith(QStringLiteral(".htm")))
                    QFile::copy(source.filePath(name), m_install + QLatin1Char('/') + folder + QLatin1Char('/') + name);
            }
        }
        ASSERT_TRUE(kvx::registry::WriteMachineDefaults(Store(), m_install));
        // Reports are saved in the user's cache folder: this test's own.
        m_previousCache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", TempPath(QStringLiteral("cache")).toLocal8Bit());
        ASSERT_NE(Start(), nullptr);
    }

    void TearDown() override
    {
        GuiTest::TearDown();
        if (m_previousCache.isNull())
            qunsetenv("XDG_CACHE_HOME");
        else
            qputenv("XDG_CACHE_HOME", m_previousCache);
    }

    // The simulated radio's profile, which holds the radio's own private.
    CChildFrame* OpenRadioProfile()
    {
        QString text;
        CDataAdaptor::VirtualCP2XML(CRadioSimulator::DefaultContent(), text);
        const QString path = TempPath(QStringLiteral("Radio.jub"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        QStringEncoder encoder(QStringConverter::Utf16LE);
        file.write(QByteArray("\xFF\xFE", 2) + QByteArray(encoder(text)));
        file.close();
        return Frame().OpenDocumentFile(path);
    }

    // Chooses a report by a double click and hands its window to `action`.
    void ShowReport(int textId, std::function<void(CReportWindow*)> action)
    {
        WhenModal<CReportDialog>([textId](CReportDialog* dialog) {
            auto* list = Child<QListWidget>(dialog, "reports");
            DoubleClick(list, Entry(dialog, textId));
        });
        WhenModal<CReportWindow>(std::move(action));
        Run(CommandId::Report);
    }

    QString TemplateFolder() const { return m_install + QStringLiteral("/Report"); }
    QString SavedReport(const QString& name) const { return DefaultReportFolders(m_install).cacheFolder + QLatin1Char('/') + name; }

private:
    QString m_install;
    QByteArray m_previousCache;
};

TEST_F(ReportCommandTest, WithoutTheRadiosOwnPrivateOnlyTheOverviewIsOffered)
{
    ASSERT_NE(NewFromTemplate(QStringLiteral("KVX30")), nullptr);
    WhenModal<CReportDialog>([](CReportDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Reports"));
        auto* list = Child<QListWidget>(dialog, "reports");
        EXPECT_EQ(AccessibleName(list), QStringLiteral("Choose a report template."));
        QListWidgetItem* spec = Entry(dialog, 170);
        QListWidgetItem* overview = Entry(dialog, 171);
        ASSERT_TRUE(spec && overview);
        EXPECT_FALSE(spec->flags() & Qt::ItemIsEnabled);
        EXPECT_FALSE(spec->icon().isNull());
        EXPECT_FALSE(overview->icon().isNull());
        EXPECT_EQ(list->currentItem(), overview);

        // Neither a click nor a double click on the disabled entry chooses it.
        DoubleClick(list, spec);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(list->currentItem(), overview);
        QTest::keyClick(list, Qt::Key_Up);
        EXPECT_EQ(list->currentItem(), overview);
        EXPECT_TRUE(Child<QPushButton>(dialog, "ok")->isEnabled());
        Child<QPushButton>(dialog, "cancel")->click();
    });
    Run(CommandId::Report);
    EXPECT_FALSE(QFile::exists(SavedReport(QStringLiteral("OverviewReport.htm")))) << "Cancel builds nothing";
}

TEST_F(ReportCommandTest, TheRadiosOwnPrivateMakesTheRadioSpecificReportTheFirstChoice)
{
    ASSERT_NE(OpenRadioProfile(), nullptr);
    QString title;
    ShowReport(170, [&](CReportWindow* window) {
        title = window->windowTitle();
        auto* view = Child<QTextBrowser>(window, "report");
        EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Radio 1"))) << view->toPlainText().toStdString();
        EXPECT_EQ(AccessibleName(view), title);
        EXPECT_EQ(view->wordWrapMode(), QTextOption::WordWrap);
        Child<QPushButton>(window, "close")->click();
    });
    EXPECT_EQ(title, QStringLiteral("Radio-Specific Report - Unit Private ID:10000123 Model:KVX30"));

    // OK takes the entry chosen with the keys.
    WhenModal<CReportDialog>([](CReportDialog* dialog) {
        auto* list = Child<QListWidget>(dialog, "reports");
        EXPECT_EQ(list->currentItem(), Entry(dialog, 170));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    WhenModal<CReportWindow>([&](CReportWindow* window) {
        title = window->windowTitle();
        // The model's picture, found beside the saved report.
        auto* view = Child<QTextBrowser>(window, "report");
        const QVariant picture = view->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("D30.jpg")));
        EXPECT_TRUE(picture.isValid());
        QTest::keyClick(window, Qt::Key_Escape);
    });
    Run(CommandId::Report);
    EXPECT_EQ(title, QStringLiteral("Overview Report"));
}

TEST_F(ReportCommandTest, SaveAsWritesTheHtmlAsSavedWithItsPicturesOrAPdf)
{
    ASSERT_NE(OpenRadioProfile(), nullptr);
    const QString copy = TempPath(QStringLiteral("out/Copy.htm"));
    const QString pdf = TempPath(QStringLiteral("out/Copy.pdf"));
    QDir().mkpath(TempPath(QStringLiteral("out")));
    QString title;
    ShowReport(170, [&](CReportWindow* window) {
        title = window->windowTitle();
        AnswerFileDialogs({copy, pdf, TempPath(QStringLiteral("no/such/folder.pdf"))});
        auto* saveAs = Child<QPushButton>(window, "saveAs");
        saveAs->click();
        saveAs->click();
        messages.Expect(GuiText::ReportNotSaved);
        saveAs->click();
        window->accept();
    });
    EXPECT_EQ(fileProposals.value(0), QStringLiteral("SpecReport.htm"));

    EXPECT_EQ(FileBytes(copy), FileBytes(SavedReport(QStringLiteral("SpecReport.htm"))));
    EXPECT_TRUE(FileBytes(copy).startsWith("\xFF\xFE"));
    EXPECT_TRUE(QFile::exists(TempPath(QStringLiteral("out/D30.jpg"))));
    EXPECT_TRUE(QFile::exists(TempPath(QStringLiteral("out/Report.css"))));

    const QByteArray written = FileBytes(pdf);
    EXPECT_TRUE(written.startsWith("%PDF-"));
    EXPECT_TRUE(written.contains(PdfTitle(title)));
}

TEST_F(ReportCommandTest, PrintsAndPreviewsWithTheReportMargins)
{
    ASSERT_NE(NewFromTemplate(QStringLiteral("KVX30")), nullptr);
    const QString printed = TempPath(QStringLiteral("printed.pdf"));
    WhenModal<CReportDialog>([](CReportDialog* dialog) { Child<QPushButton>(dialog, "ok")->click(); });
    WhenModal<CReportWindow>([](CReportWindow* window) {
        // The print dialog opens in an event loop of its own.
        QTimer::singleShot(0, Child<QPushButton>(window, "print"), &QPushButton::click);
    });
    WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
        QPrinter* printer = dialog->printer();
        EXPECT_TRUE(HasReportMargins(printer->pageLayout()));
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printed);
        // Margins changed in the dialog do not reach the page.
        printer->setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
        QDialog* base = dialog;
        base->QDialog::accept();
    });
    WhenModal<CReportWindow>([](CReportWindow* window) {
        QTimer::singleShot(0, Child<QPushButton>(window, "preview"), &QPushButton::click);
    });
    bool previewed = false;
    WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        dialog->printer()->setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
        preview->updatePreview();
        EXPECT_GT(preview->pageCount(), 0);
        EXPECT_TRUE(HasReportMargins(dialog->printer()->pageLayout()));
        previewed = true;
        dialog->reject();
    });
    WhenModal<CReportWindow>([](CReportWindow* window) { window->accept(); });
    Run(CommandId::Report);

    EXPECT_TRUE(previewed);
    const QByteArray pdf = FileBytes(printed);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.contains(PdfTitle(QStringLiteral("Overview Report"))));
}

TEST_F(ReportCommandTest, AFailedBuildShowsTheMessageOfItsCodeAndNoWindow)
{
    ASSERT_NE(NewFromTemplate(QStringLiteral("KVX30")), nullptr);
    ASSERT_TRUE(QFile::remove(TemplateFolder() + QStringLiteral("/OverviewReport.tpl")));
    WhenModal<CReportDialog>([](CReportDialog* dialog) { Child<QPushButton>(dialog, "ok")->click(); });
    messages.Expect(101);
    Run(CommandId::Report);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ReportCommandTest, ARefusedPendingEditStopsTheReportBeforeItsDialog)
{
    CChildFrame* child = NewFromTemplate(QStringLiteral("KVX30"));
    ASSERT_NE(child, nullptr);
    // A public group's label is being edited into the name of another one.
    ASSERT_TRUE(child->Tree()->SelectNode(NodeKind::PublicGroup, 1));
    child->Tree()->setFocus();
    child->Tree()->OnRename();
    auto* editor = child->Tree()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("all call"));

    // Should the dialog come anyway, it is recorded and closed, not waited on.
    bool dialogShown = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&dialogShown] {
        if (auto* dialog = qobject_cast<CReportDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    guard.start(20);
    messages.Expect(127);
    Run(CommandId::Report);
    EXPECT_FALSE(dialogShown);
    EXPECT_FALSE(QFile::exists(SavedReport(QStringLiteral("OverviewReport.htm"))));
}

TEST_F(ReportCommandTest, TheReportWindowIsUsableFromTheKeyboard)
{
    ASSERT_NE(NewFromTemplate(QStringLiteral("KVX30")), nullptr);
    ShowReport(171, [](CReportWindow* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        auto* view = Child<QTextBrowser>(window, "report");
        EXPECT_TRUE(view->hasFocus());
        QStringList order;
        QWidget* widget = view;
        for (int i = 0; i < 5; ++i) {
            order << widget->objectName();
            widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus))
                widget = widget->nextInFocusChain();
        }
        EXPECT_EQ(order, (QStringList{QStringLiteral("report"), QStringLiteral("print"), QStringLiteral("preview"),
                                      QStringLiteral("saveAs"), QStringLiteral("close")}));
        for (const char* name : {"print", "preview", "saveAs", "close"})
            EXPECT_FALSE(AccessibleName(Child<QPushButton>(window, name)).isEmpty()) << name;
        EXPECT_TRUE(Child<QPushButton>(window, "close")->isDefault());
        // Tab leaves the report view for the buttons.
        QTest::keyClick(view, Qt::Key_Tab);
        EXPECT_TRUE(Child<QPushButton>(window, "print")->hasFocus());
        QTest::keyClick(window, Qt::Key_Escape);
    });
}
