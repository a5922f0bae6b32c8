#include "WriteFlow.h"

#include "KVXZOTDoc.h"

quint32 PcClockSeconds(const QDateTime& local)
{
    static constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const QDate date = local.date();
    const QTime time = local.time();
    const int year = date.year();
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    qint64 days = 365LL * (year - 1970) + (year - 1969) / 4 + (date.day() - 1);
    for (int month = 1; month < date.month(); ++month)
        days += month == 2 && leap ? 29 : kMonthDays[month - 1];
    return quint32(days * 86400 + time.hour() * 3600 + time.minute() * 60 + time.second());
}

bool PrepareWriteImage(CKVXZOTDoc& doc, const QString& ownId, VirtualCP& image, const QDateTime& now)
{
    image = VirtualCP();
    if (!doc.GetVirtualCPData(image, ownId))
        return false;
    if (doc.GetUsePcClock())
        image.settings.current_time = PcClockSeconds(now);
    return true;
}

bool ProfileNotSupportedByRadio(CKVXZOTDoc& doc, int radioModelGroup)
{
    return radioModelGroup < doc.GetDataModel().GetGroup();
}
