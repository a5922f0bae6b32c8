#pragma once

// Recursive-descent parser from tokens to the syntax tree of one module.
// Declarations (Dim, Const, Function, Sub) are collected per scope so that
// they apply to the whole scope, wherever they are written.

#include "Ast.h"

#include <QString>
#include <memory>

namespace kvx::vbs {

// Parses a whole script text whose first line has the number `firstLine`.
// A syntax error throws a compilation ScriptError with the line and column
// of the offending token.
std::unique_ptr<Module> ParseScript(const QString& text, int firstLine = 1);

// Deepest nesting of blocks and parenthesised expressions the parser
// accepts, and the highest expression tree; deeper input fails with error 28
// instead of exhausting the stack.
inline constexpr int kMaxParseNesting = 100;
inline constexpr int kMaxExpressionDepth = 1000;

}  // namespace kvx::vbs
