// The read/write dialog on its own, with the test speaking for the device
// job: outcomes shown as a message box, and what a job says too late.

#include "GuiTestSupport.h"

#include "DeviceJob.h"
#include "RadioResult.h"
#include "ReadWriteDialog.h"
#include "StringTable.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

class TransferDialogTest : public GuiTest {
protected:
    // A job that is never started: its signals come from the test.
    CDeviceJob job{CDeviceJob::Command::Write, QStringLiteral("unused")};
};

TEST_F(TransferDialogTest, ATextConversionFailureIsAMessageBoxAndTheDialogWaitsForCancel)
{
    CReadWriteDialog dialog(CReadWriteDialog::Mode::Write, &job);
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) { result = r; });
    dialog.show();
    auto* ok = Child<QPushButton>(&dialog, "ok");
    auto* cancel = Child<QPushButton>(&dialog, "cancel");
    auto* status = Child<QLabel>(&dialog, "status");

    messages.ExpectText(ResultDialogText(kResultTextConversion));
    emit job.finished(kResultTextConversion);
    EXPECT_TRUE(messages.Pending().isEmpty()) << "the failure was not shown as a box";
    EXPECT_TRUE(dialog.Failed());
    EXPECT_TRUE(dialog.isVisible()) << "the user closes the dialog after reading the box";
    EXPECT_TRUE(status->text().isEmpty()) << "the text is in the box, not repeated in the dialog";
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(cancel->isEnabled());

    cancel->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(TransferDialogTest, WhatTheJobSaysAfterTheDialogClosedIsIgnored)
{
    auto dialog = std::make_unique<CReadWriteDialog>(CReadWriteDialog::Mode::Read, &job);
    dialog->show();
    auto* progress = Child<QProgressBar>(dialog.get(), "progress");
    auto* status = Child<QLabel>(dialog.get(), "status");
    const QString title = dialog->windowTitle();

    emit job.progress(40);
    EXPECT_EQ(progress->value(), 40);
    // Cancel: the dialog stays until the job confirms the stop.
    Child<QPushButton>(dialog.get(), "cancel")->click();
    EXPECT_TRUE(dialog->isVisible());
    emit job.finished(kResultUserCanceled);
    ASSERT_FALSE(dialog->isVisible());
    const QString lastStatus = status->text();

    // Late: none of this may show a box or change the closed dialog.
    emit job.progress(90);
    emit job.question(-1, CDeviceJob::QuestionText(-1), CDeviceJob::QuestionStyle(-1));
    emit job.finished(kResultTextConversion);
    emit job.finished(kResultOk);
    QApplication::processEvents();
    EXPECT_TRUE(messages.Shown().isEmpty()) << messages.Shown().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(progress->value(), 40);
    EXPECT_EQ(status->text(), lastStatus);
    EXPECT_EQ(dialog->windowTitle(), title);
    EXPECT_FALSE(dialog->isVisible());

    // Nor once the dialog is gone.
    dialog.reset();
    emit job.progress(100);
    emit job.question(-2, CDeviceJob::QuestionText(-2), CDeviceJob::QuestionStyle(-2));
    emit job.finished(kResultOk);
    QApplication::processEvents();
    EXPECT_TRUE(messages.Shown().isEmpty());
}

TEST_F(TransferDialogTest, AfterSuccessAQuestionOrFailureOfTheJobChangesNothing)
{
    CReadWriteDialog dialog(CReadWriteDialog::Mode::Write, &job);
    dialog.show();
    emit job.finished(kResultOk);
    const QString succeeded = LoadStr(10012);
    ASSERT_EQ(dialog.windowTitle(), succeeded);
    emit job.question(-1, CDeviceJob::QuestionText(-1), CDeviceJob::QuestionStyle(-1));
    emit job.finished(kResultTextConversion);
    EXPECT_TRUE(messages.Shown().isEmpty());
    EXPECT_FALSE(dialog.Failed());
    EXPECT_EQ(Child<QLabel>(&dialog, "status")->text(), succeeded);
    EXPECT_TRUE(Child<QPushButton>(&dialog, "ok")->isEnabled());
}

}  // namespace
