#pragma once

// Results of the record codecs. Success is 1; failures are negative and
// use the radio link's result codes, so a transfer can report them as they
// are.
inline constexpr int kCodecOk = 1;
// A built record does not fit the caller's buffer (the radio link's
// "Message Compose" code: no request frame can be built).
inline constexpr int kCodecBufferTooSmall = -13;
// A text holds a character that has no radio text byte (outside
// ISO-8859-1, or U+0000 which would end the string early).
inline constexpr int kCodecTextNotConvertible = -15;
// A payload ends before its record does (short, truncated or garbage
// reply). The record is left exactly as it was.
inline constexpr int kCodecPayloadTruncated = -16;
