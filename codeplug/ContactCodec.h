#pragma once

// The contact record, without the two header bytes (position, total) the
// radio link puts in front of it: name, alert_tone, pid, contactFlags,
// channel, cntct_type; a private goes on with its group list (count, home
// index, count 0-terminated IDs). roleFlags never travels.

#include "VirtualCP.h"

// Parses a contact record (size readable bytes) into record. For a private
// the group list replaces parentGroups and home_grp (an ID at the home
// index becomes home_grp, the others fill parentGroups in order; IDs beyond
// the fifth parent are dropped) and roleFlags gains see_all_groups.
// Returns 1, or kCodecPayloadTruncated when the payload ends before the
// record does; record is then left unchanged.
int ParseContactRecord(ContactRecord& record, const quint8* payload, int size);

// Builds a contact record. A private's parent groups are written packed,
// its home group last unless it is one of them. Returns 1 and the byte
// count in written; kCodecBufferTooSmall or kCodecTextNotConvertible with
// written 0.
int BuildContactRecord(const ContactRecord& record, quint8* out, int capacity, int* written);
