#pragma once

// Turns script text into tokens. Names are case-insensitive: each identifier
// carries its lower-case form for lookups and its original spelling for
// messages. Comments ("'" and Rem) and line continuations ("_" at the end of
// a line) are consumed here; ends of lines and ":" become separators.

#include "Variant.h"

#include <QString>
#include <vector>

namespace kvx::vbs {

enum class Tok : uint8_t {
    End,          // end of text
    NewLine,      // end of a line or ":"
    Identifier,
    Integer,      // integer literal: value holds an Integer or Long variant
    Number,       // floating literal (Double)
    String,
    // Operators and punctuation.
    Plus, Minus, Star, Slash, Backslash, Caret, Ampersand,
    Eq, Ne, Lt, Gt, Le, Ge,
    LParen, RParen, Comma, Dot,
    // Keywords.
    KwAnd, KwByRef, KwByVal, KwCall, KwCase, KwClass, KwConst, KwDim, KwDo, KwEach, KwElse, KwElseIf,
    KwEmpty, KwEnd, KwEqv, KwErase, KwExit, KwFalse, KwFor, KwFunction, KwIf, KwImp, KwIn, KwIs,
    KwLoop, KwMod, KwNew, KwNext, KwNot, KwNothing, KwNull, KwOn, KwOption, KwOr, KwPrivate,
    KwPublic, KwReDim, KwSelect, KwSet, KwSub, KwThen, KwTo, KwTrue, KwUntil, KwWend, KwWhile,
    KwWith, KwXor,
};

struct Token {
    Tok kind = Tok::End;
    bool spaceBefore = false;   // blank (or line start) right before the token
    bool colonSeparator = false;   // a NewLine token that came from ":"
    int line = 1;                // 1-based
    int column = 1;              // 1-based
    QString text;                // identifier: original spelling; string: its value
    QString lower;               // identifier and keyword: lower-case spelling
    Variant value;               // numeric literals
};

// Tokenises the whole text, numbering its lines from `firstLine`; throws a
// compilation ScriptError with line and column for an invalid character,
// number or unterminated string.
std::vector<Token> Tokenize(const QString& text, int firstLine = 1);

bool IsKeyword(Tok kind);

}  // namespace kvx::vbs
