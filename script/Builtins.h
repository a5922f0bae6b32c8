#pragma once

// The built-in functions and constants of the language.

#include "Variant.h"

#include <QString>
#include <span>

namespace kvx::vbs {

using BuiltinFunction = Variant (*)(std::span<Variant> args);

struct BuiltinInfo {
    const char* name;
    int minArgs;
    int maxArgs;
    BuiltinFunction function;
};

// Id of a built-in function by lower-case name, or -1.
int FindBuiltin(const QString& lower);
const BuiltinInfo& Builtin(int id);

// A built-in constant (vbCrLf, vbYesNo, ...) by lower-case name, or null.
const Variant* FindBuiltinConstant(const QString& lower);

}  // namespace kvx::vbs
