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

// The largest profile file that is opened, and so the largest one written.
// No real profile comes near it: 150 contacts with full scroll lists stay
// below 2 MB.
inline constexpr qint64 kMaxProfileFileBytes = 8 * 1024 * 1024;

QByteArray EncodeProfileFile(const QString& xmlText, bool byteForm);

// Writes one block of data to the device; -1 on failure. Tests stand in a
// writer that fails part-way.
using BlockWriter = std::function<qint64(QIODevice& device, const QByteArray& data)>;

// Replaces the file at path with data, or leaves it as it was: the data goes
// to a temporary file in the same folder, is flushed to the disk and then
// renamed over the target. A symbolic link is written through to the file
// it names; the replaced file's permissions (and, where allowed, owner) are
// kept. A target that exists and is not a regular file (a folder, a device,
// a FIFO) is refused. On failure `error` says why.
bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr,
                         const BlockWriter& writer = BlockWriter());
