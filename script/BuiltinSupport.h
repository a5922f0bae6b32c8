#pragma once

// What the files of built-in functions share: argument helpers and their
// tables, which Builtins.cpp joins into one.

#include "Builtins.h"

#include <QString>
#include <span>

namespace kvx::vbs::builtins {

using Args = std::span<Variant>;
using Context = BuiltinContext;

// True when one of the first `count` arguments is Null.
bool AnyNull(Args args, size_t count);
QString Str(const Variant& v);
int32_t Long(const Variant& v);
// The compare argument at `index` (vbBinaryCompare when absent); error 5
// for any other value than 0 or 1.
Qt::CaseSensitivity CompareMode(Args args, size_t index);
// A text result; error 14 beyond the longest string.
Variant Text(QString s);

std::span<const BuiltinInfo> MathBuiltins();
std::span<const BuiltinInfo> TextBuiltins();
std::span<const BuiltinInfo> FormatBuiltins();

}  // namespace kvx::vbs::builtins
