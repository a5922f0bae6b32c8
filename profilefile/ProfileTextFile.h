#pragma once

#include <QString>

// Profile text files as the radio commands take and give them.
//
// Reading accepts every form a profile may come in: UTF-16 with a
// byte-order mark, UTF-8 (with a mark, or a plain text declaring utf-8), or
// code page 1252; scrambled or not. Writing stores the text unchanged as
// UTF-8, the encoding the text itself declares.
bool ReadProfileText(const QString& path, QString& text, QString* error = nullptr);
bool WriteProfileText(const QString& path, const QString& text, QString* error = nullptr);
