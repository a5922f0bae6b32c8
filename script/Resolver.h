#pragma once

// Binds every name of a parsed module to what it refers to: a local slot of
// its procedure, a global slot of the engine, a procedure, a built-in, a
// constant or the Err object. Declarations apply to their whole scope
// (hoisting); without Option Explicit an unknown name becomes a variable of
// the scope that uses it, with it the name fails with error 500 when used.

#include "Ast.h"

#include <QHash>
#include <QString>
#include <deque>

namespace kvx::vbs {

// The global names and values of one engine, shared by all its modules.
class GlobalScope {
public:
    struct Symbol {
        enum class Kind : uint8_t { Variable, Constant, Procedure } kind = Kind::Variable;
        int slot = -1;
        Variant constant;
        const ProcDecl* proc = nullptr;
    };

    const Symbol* Find(const QString& lower) const
    {
        auto it = m_symbols.find(lower);
        return it != m_symbols.end() ? &it.value() : nullptr;
    }
    // The slot of a global variable, created when new.
    int AddVariable(const QString& lower, const QString& name);
    void SetConstant(const QString& lower, Variant value);
    void SetProcedure(const QString& lower, const ProcDecl* proc);
    const ProcDecl* FindProcedure(const QString& lower) const;

    // Slots never move once created (a deque), so references stay valid.
    Variant& Slot(int index) { return m_slots[static_cast<size_t>(index)]; }
    const QString& SlotName(int index) const { return m_slotNames[static_cast<size_t>(index)]; }
    int SlotCount() const { return static_cast<int>(m_slots.size()); }

private:
    QHash<QString, Symbol> m_symbols;
    std::deque<Variant> m_slots;
    std::vector<QString> m_slotNames;
};

// Resolves a module against the engine's global scope, adding its global
// declarations there. Throws a compilation ScriptError (name redefined).
void ResolveModule(Module& module, GlobalScope& globals);

}  // namespace kvx::vbs
