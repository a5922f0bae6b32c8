#pragma once

// Model groups number the format generations of a radio's codeplug, 1 being
// the first. Profiles of the latest group need no conversion, and only its
// radios carry a password.
inline constexpr int kLatestModelGroup = 3;
