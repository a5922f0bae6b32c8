#include "PublicGroupIds.h"

namespace {

bool StartOf(const PublicGroupBlock& bank, quint64& start)
{
    bool ok = false;
    start = bank.startId.trimmed().toULongLong(&ok);
    return ok;
}

}  // namespace

PublicBankCheck CheckPublicGroupBanks(const PublicGroupBanks& banks)
{
    PublicBankCheck check;
    for (size_t i = 1; i < banks.size(); ++i) {
        if (!IsBankPresent(banks[i]))
            continue;
        for (size_t j = 0; j < i; ++j) {
            const PublicGroupBlock& earlier = banks[j];
            if (banks[i].first > earlier.first && banks[i].first < earlier.last)
                check.duplicateIds = true;
            if (banks[i].first < earlier.last)
                check.incorrect = true;
        }
    }
    return check;
}

QString PublicGroupPidInBank(const PublicGroupBlock& bank, qint32 n)
{
    quint64 start = 0;
    if (!IsBankPresent(bank) || n < bank.first || n > bank.last || !StartOf(bank, start))
        return QString();
    const quint64 offset = quint64(n - bank.first);
    if (offset > start)
        return QString();
    return QString::number(start - offset);
}

QString PublicGroupPid(const PublicGroupBanks& banks, qint32 n)
{
    for (const PublicGroupBlock& bank : banks) {
        const QString pid = PublicGroupPidInBank(bank, n);
        if (!pid.isEmpty())
            return pid;
    }
    return QString();
}

qint32 PublicGroupDisplayNumber(const PublicGroupBanks& banks, const QString& pid)
{
    bool ok = false;
    const quint64 id = pid.trimmed().toULongLong(&ok);
    if (!ok)
        return -1;
    for (const PublicGroupBlock& bank : banks) {
        quint64 start = 0;
        if (!IsBankPresent(bank) || !StartOf(bank, start) || id > start)
            continue;
        const quint64 offset = start - id;
        if (offset <= quint64(bank.last - bank.first))
            return bank.first + qint32(offset);
    }
    return -1;
}
