#pragma once

// Display numbers of public group IDs. The radio's public group IDs lie in up
// to four banks, each counting downward from its start ID; the program
// numbers the IDs of all banks with display numbers (first .. last of each
// bank, as ReadPublicGroupRanges sets them) so that a person picks "27"
// rather than an eleven-digit ID.

#include "RadioDataModel.h"

#include <QString>
#include <array>

using PublicGroupBanks = std::array<PublicGroupBlock, 4>;

// A bank is present when it has display numbers.
inline bool IsBankPresent(const PublicGroupBlock& bank) { return bank.last != -1; }

struct PublicBankCheck {
    // A bank starts strictly inside an earlier bank's numbers.
    bool duplicateIds = false;
    // A bank starts below the end of an earlier bank's numbers.
    bool incorrect = false;
};
PublicBankCheck CheckPublicGroupBanks(const PublicGroupBanks& banks);

// The ID of display number n in one bank: its start ID minus (n - first).
// Empty when n lies outside the bank or the bank's start is not a number.
QString PublicGroupPidInBank(const PublicGroupBlock& bank, qint32 n);
// The same over all banks (the first present bank holding n).
QString PublicGroupPid(const PublicGroupBanks& banks, qint32 n);
// The display number of an ID: of the first present bank holding it; -1 when none does.
qint32 PublicGroupDisplayNumber(const PublicGroupBanks& banks, const QString& pid);
