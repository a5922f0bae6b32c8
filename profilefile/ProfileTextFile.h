#pragma once

#include <QString>

// Profile text files as the radio commands take and give them.
//
// Reading accepts every form a profile may come in: UTF-16 with a
// byte-order mark; UTF-8 with a mark, or a plain XML text declaring utf-8 or
// no encoding at all (XML's own default) whose bytes are UTF-8; otherwise
// code page 1252; scrambled or not. Only a regular file is read, and none
// larger than a profile file may be. Writing stores the text unchanged as
// UTF-8.
bool ReadProfileText(const QString& path, QString& text, QString* error = nullptr);
bool WriteProfileText(const QString& path, const QString& text, QString* error = nullptr);
