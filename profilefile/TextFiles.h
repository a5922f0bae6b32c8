#pragma once

#include <QByteArray>
#include <QString>

// Text files of the installation and of profiles: UTF-16 LE with a byte-order
// mark, or Windows code page 1252; and the scrambling of data files.

// The bytes of a regular file, read whole.
struct FileBytes {
    bool ok = false;
    QByteArray data;
    bool tooLarge = false;   // more than the limit: nothing is kept
    QString error;           // why not ok, in words a user can act on
};

// Refuses anything that is not a regular file (a folder, a device, a FIFO)
// without waiting on it, and never reads more than maxBytes + 1 bytes,
// whatever size the file claims. A negative maxBytes reads without limit.
FileBytes ReadRegularFile(const QString& path, qint64 maxBytes = -1);

struct TextFileContent {
    bool ok = false;
    QString text;
    bool byteForm = false;   // read as code page 1252 (no FF FE mark)
    bool tooLarge = false;   // larger than the limit; nothing was read
    QString error;           // why not ok
};

// FF FE → UTF-16 LE without the mark; anything else, a UTF-8 mark included,
// is code page 1252 from its first byte. A file that cannot be read, or is
// larger than maxBytes (when not negative), gives ok = false.
TextFileContent ReadTextFile(const QString& path, qint64 maxBytes = -1);
// The same rule on bytes already read.
TextFileContent DecodeTextFile(const QByteArray& data);

// Text of a user's file that may be UTF-8: with a UTF-8 mark (dropped) or
// valid UTF-8 it is read as UTF-8, otherwise as code page 1252.
QString DecodeUtf8OrCp1252(const QByteArray& bytes);

// Windows code page 1252 conversions. Bytes the code page leaves undefined
// map to the control characters of the same value; characters it cannot
// represent become '?'.
QString DecodeCp1252(const QByteArray& bytes);
QByteArray EncodeCp1252(const QString& text);
// Every character of text has a byte in the code page.
bool FitsCp1252(const QString& text);

// The scrambling of data files; its own inverse. File form (fromFile true):
// the code page 1252 bytes are combined with the key 0xB3. In-memory form:
// each character not equal to the key is combined with the key.
QString ScrambleText(const QString& text, bool fromFile);

// A rule script not beginning with "Option Explicit" (case-insensitive) is
// unscrambled; so is an XML text not beginning with "<?xml".
QString UnscrambleScript(const QString& text, bool fromFile);
QString UnscrambleXml(const QString& text, bool fromFile);
