#pragma once

// The 7-byte version reply: firmware_release, firmware_version,
// firmware_revision, codeplug_structure, codeplug_version,
// codeplug_dev_version, firmware_phase.

#include "VirtualCP.h"

#include <array>

inline constexpr int kVersionReplySize = 7;

// The test of a raw version reply. True when byte 6 is 'D'; otherwise true
// exactly when byte 0 is 94 and byte 1 at most 8. A phase byte that is
// neither 'R' nor 'D' is rewritten to 'D' in the reply. A reply shorter
// than 7 bytes is false and left untouched.
bool CheckVersionReply(quint8* reply, int length);

// Loads a version reply into version. Returns 1, or kCodecPayloadTruncated
// with version unchanged when length < 7.
int LoadVersionReply(CodeplugVersion& version, const quint8* reply, int length);

// Builds the 7-byte reply of version into out; written receives 7.
// Returns 1, or kCodecBufferTooSmall (written 0) when capacity < 7.
int BuildVersionReply(const CodeplugVersion& version, quint8* out, int capacity, int* written);

// The seven values in image order: phase first, then release, version,
// revision, structure, codeplug version, development version.
std::array<quint8, 7> VersionImageBytes(const CodeplugVersion& version);
