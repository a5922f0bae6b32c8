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

