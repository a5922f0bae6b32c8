#pragma once

// Public group IDs as display numbers of the ID banks (ReadPublicGroupRanges):
// a bank starting at ID s holds s, s-1, s-2, ... as its display numbers
// first, first+1, ... last.

#include "RadioDataModel.h"

#include <array>

using PublicGroupBanks = std::array<PublicGroupBlock, 4>;

// The display number of a public group ID in the first bank holding it;
// 0 when no bank does (or the ID is not a decimal number).
qint32 PublicGroupDisplayNumber(const PublicGroupBanks& banks, const QString& pid);

// A bank is present when it has display numbers.
inline bool IsBankPresent(const PublicGroupBlock& bank) { return bank.last != -1; }

// The ID of display number n in one bank: its start ID minus (n - first).
// Empty when n lies outside the bank or the bank's start is not a number.
QString PublicGroupPidInBank(const PublicGroupBlock& bank, qint32 n);
// The same over all banks (the first present bank holding n).
QString PublicGroupPid(const PublicGroupBanks& banks, qint32 n);

struct PublicBankCheck {
    // A bank starts strictly inside an earlier bank's numbers.
    bool duplicateIds = false;
    // A bank starts below the end of an earlier bank's numbers.
    bool incorrect = false;
};
PublicBankCheck CheckPublicGroupBanks(const PublicGroupBanks& banks);

