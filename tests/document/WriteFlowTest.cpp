// The write flow's image: the PC clock and the profile converted for the radio.

#include "ModelTestSupport.h"

#include "KVXZOTDoc.h"
#include "WriteFlow.h"

namespace {

TEST(PcClockTest, CountsAsTheCalendarDoesThrough2100)
{
    const QDateTime samples[] = {
        {QDate(1970, 1, 1), QTime(0, 0, 0)},     {QDate(1972, 2, 29), QTime(23, 59, 59)}, {QDate(1972, 3, 1), QTime(0, 0, 1)},
        {QDate(1999, 12, 31), QTime(12, 34, 56)}, {QDate(2000, 2, 29), QTime(8, 0, 0)},   {QDate(2000, 3, 1), QTime(12, 0, 0)},
        {QDate(2026, 12, 8), QTime(17, 5, 9)},   {QDate(2100, 2, 28), QTime(1, 2, 3)},   {QDate(2100, 3, 1), QTime(0, 0, 0)},
    };
    for (const QDateTime& local : samples) {
        // The radio takes the local wall-clock time as it reads; the calendar of UTC counts the same way.
        const QDateTime utc(local.date(), local.time(), Qt::UTC);
        EXPECT_EQ(PcClockSeconds(local), quint32(utc.toSecsSinceEpoch())) << local.toString(Qt::ISODate).toStdString();
    }
}

class WriteFlowTest : public ModelTest {};

TEST_F(WriteFlowTest, TheImageTakesThePcClockOnlyWhenTheDocumentUsesIt)
{
    CKVXZOTDoc doc;
    ASSERT_TRUE(doc.OnNewDocument(TemplatePath(QStringLiteral("KVX30"))));
    const QDateTime now(QDate(2026, 6, 1), QTime(10, 0, 0));
    VirtualCP image;
    ASSERT_TRUE(PrepareWriteImage(doc, QStringLiteral("4711"), image, now));
    const quint32 stored = image.settings.current_time;
    EXPECT_NE(stored, PcClockSeconds(now));
    doc.SetUsePcClock(true);
    ASSERT_TRUE(PrepareWriteImage(doc, QStringLiteral("4711"), image, now));
    EXPECT_EQ(image.settings.current_time, PcClockSeconds(now));

    EXPECT_EQ(doc.GetDataModel().GetGroup(), 3);
    EXPECT_TRUE(ProfileNotSupportedByRadio(doc, 2));
    EXPECT_FALSE(ProfileNotSupportedByRadio(doc, 3));
}

}  // namespace
