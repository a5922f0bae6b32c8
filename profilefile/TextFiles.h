#pragma once

#include <QByteArray>
#include <QString>

// Text files of the installation and of profiles: UTF-16 LE with a byte-order
// mark, or Windows code page 1252; and the scrambling of data files.

struct TextFileContent {
    bool ok = false;
    QString text;
    bool byteForm = false;   // read as code page 1252 (no FF FE mark)
};

// FF FE → UTF-16 LE without the mark; anything else, a UTF-8 mark included,
// is code page 1252 from its first byte. A file that cannot be opened gives ok = false.
TextFileContent ReadTextFile(const QString& path);

// Windows code page 1252 conversions. Bytes the code page leaves undefined
// map to the control characters of the same value; characters it cannot
// represent become '?'.
QString DecodeCp1252(const QByteArray& bytes);
QByteArray EncodeCp1252(const QString& text);

// The scrambling of data files; its own inverse. File form (fromFile true):
// the code page 1252 bytes are combined with the key 0xB3. In-memory form:
// each character not equal to the key is combined with the key.
QString ScrambleText(const QString& text, bool fromFile);

// A rule script not beginning with "Option Explicit" (case-insensitive) is
// unscrambled; so is an XML text not beginning with "<?xml".
QString UnscrambleScript(const QString& text, bool fromFile);
QString UnscrambleXml(const QString& text, bool fromFile);
