#pragma once

// The settings record. backlight and the two times travel most significant
// byte first, the flag word least significant byte first; then
// call_forward_id (0-terminated), password (5 bytes, 0-padded), tot_timer,
// tpt_offset, noiseLevels.

#include "VirtualCP.h"

// Parses a settings payload. length is the payload length the radio link
// states; the fields from password on are taken only when length is
// greater than n + 25 (n = length of call_forward_id). readable is the
// number of bytes that may be read at payload (defaults to length): the
// radio link states one byte less than it received, so it passes both and
// the last field (noiseLevels) is still read. A tail field that lies beyond
// the readable bytes keeps its previous value.
// Returns 1, or kCodecPayloadTruncated when the readable bytes end before
// call_forward_id's 0 byte; settings is then left unchanged.
int ParseRadioSettings(RadioSettings& settings, const quint8* payload, int length, int readable = -1);

// Builds the n + 33 byte settings payload. Returns 1 and the byte count in
// written; kCodecBufferTooSmall or kCodecTextNotConvertible with written 0.
int BuildRadioSettings(const RadioSettings& settings, quint8* out, int capacity, int* written);
