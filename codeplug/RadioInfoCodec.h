#pragma once

// The radio-information reply and the public-group range list reply.

#include "VirtualCP.h"

// Parses the radio-information payload (size readable bytes) into info.
// The ID range pair is taken only when 10000000 < start < end <=
// 17179867883, public range 0 only when 4294965995 + size <= start <=
// 17179869183 (it is then named "Public"); otherwise they keep their
// previous values, which is not an error. Languages beyond the sixth are
// dropped (num_of_languages becomes 6) while the following fields are still
// read at their true offsets.
// Returns 1, or kCodecPayloadTruncated when the payload ends before
// max_vol_level (or inside a string); info is then left unchanged.
int ParseRadioInfo(RadioInfo& info, const quint8* payload, int size);

// Builds the radio-information payload of info (public range 0 as the
// starting_public_grp_pid pair, languages up to min(num_of_languages, 6)).
// Returns 1 and the byte count in written; kCodecBufferTooSmall or
// kCodecTextNotConvertible with written 0.
int BuildRadioInfo(const RadioInfo& info, quint8* out, int capacity, int* written);

// Parses the four-entry range list into info.publicGroupRanges. The first
// entry not accepted ends the list: it and every later range become start
// "0", size 0, no name. Returns 1; or kCodecPayloadTruncated when the
// payload ends inside an entry that had to be read, with the ranges left
// unchanged.
int ParseGroupRangeList(RadioInfo& info, const quint8* payload, int size);

// Builds the four-entry range list of info.
int BuildGroupRangeList(const RadioInfo& info, quint8* out, int capacity, int* written);
