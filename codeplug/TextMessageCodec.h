#pragma once

// A text message record (without the two header bytes slot, total): the
// text, 0-terminated.

#include <QString>

// Parses a message: at most 80 characters up to the first 0 byte. Returns
// 1, or kCodecPayloadTruncated when there is no 0 byte within size; message
// is then left unchanged.
int ParseTextMessage(QString& message, const quint8* payload, int size);

// Builds a message: its bytes and a 0 byte (length + 1). Returns 1 and the
// byte count in written; kCodecBufferTooSmall or kCodecTextNotConvertible
// with written 0.
int BuildTextMessage(const QString& message, quint8* out, int capacity, int* written);
