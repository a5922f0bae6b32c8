#pragma once

// The built-in functions and constants of the language.

#include "Variant.h"

#include <QString>
#include <span>

namespace kvx::vbs {

// What a few built-ins need from the engine that runs them.
class BuiltinContext {
public:
    // GetRef: an object that calls the script's procedure of that name;
    // null when there is none.
    virtual ObjectRef ProcedureReference(const QString& lowerName) = 0;
    // The state of Rnd and Randomize.
    virtual uint32_t& RandomSeed() = 0;

protected:
    ~BuiltinContext() = default;
};

using BuiltinFunction = Variant (*)(std::span<Variant> args, BuiltinContext& context);

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
