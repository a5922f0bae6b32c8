#pragma once

// The stored forms of a profile file and their safe writing.
//
// Byte form: the text scrambled in its code page 1252 form, one byte per
// character, no byte-order mark (kept for old-format profiles).
// UTF-16 form: FF FE, then the scrambled characters in UTF-16 little-endian.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

QByteArray EncodeProfileFile(const QString& xmlText, bool byteForm);

// Writes one block of data to the device; -1 on failure. Tests stand in a
// writer that fails part-way.
using BlockWriter = std::function<qint64(QIODevice& device, const QByteArray& data)>;

// Replaces the file at path with data, or leaves it as it was: the data goes
// to a temporary file in the same folder, is flushed to the disk and then
// renamed over the target. On failure `error` says why.
bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr,
                         const BlockWriter& writer = BlockWriter());
