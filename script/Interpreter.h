#pragma once

// The tree-walking evaluator. It runs resolved modules and procedures
// against a global scope, keeps the Err object, and enforces the safety
// limits: a call-depth and stack limit and budgets of steps and run time
// per host entry, all ending the host's call with an error that On Error
// cannot catch, and a memory budget that fails with error 7.

#include "Ast.h"
#include "Builtins.h"
#include "Errors.h"
#include "MemoryMeter.h"
#include "Resolver.h"

#include <chrono>
#include <span>

namespace kvx::vbs {

struct ErrState {
    int32_t number = 0;
    QString description;
    QString source;
    void Clear()
    {
        number = 0;
        description.clear();
        source.clear();
    }
};

struct ScriptLimits {
    int maxCallDepth = 1000;
    size_t maxStackBytes = 1024 * 1024;      // stack the script may use below the host's call
    int64_t maxSteps = 20'000'000;            // statements and loop turns per host call
    int64_t maxMilliseconds = 5000;           // run time per host call; 0: unlimited
    size_t maxMemoryBytes = 256 * 1024 * 1024;   // the engine's strings and arrays; 0: unlimited
};

class Interpreter : public BuiltinContext {
public:
    explicit Interpreter(GlobalScope& globals);
    ~Interpreter();

    void SetLimits(const ScriptLimits& limits);
    const ScriptLimits& Limits() const { return m_limits; }

    // Creates the module's fixed arrays and runs its global code.
    // Throws ScriptError.
    void RunModule(const Module& module);
    // Calls a procedure with host arguments: a ByRef parameter aliases the
    // host's variant, a ByVal parameter gets a copy. Throws ScriptError.
    Variant CallProcedure(const ProcDecl& proc, std::span<Variant* const> args);

    ErrState& Err() { return *m_err; }
    int64_t StepsUsed() const { return m_steps; }

    ObjectRef ProcedureReference(const QString& lowerName) override;
    uint32_t& RandomSeed() override { return m_randomSeed; }

private:
    struct Frame;
    enum class Flow : uint8_t { Normal, ExitDo, ExitFor, ExitProc };
    class HostEntry;
    class CallGuard;
    class LentElements;
    class ProcedureRef;

    Flow ExecBlock(const Block& block, Frame& f);
    Flow Exec(const Stmt& s, Frame& f);
    Flow ExecIf(const IfStmt& s, Frame& f);
    Flow ExecSelect(const SelectStmt& s, Frame& f);
    Flow ExecFor(const ForStmt& s, Frame& f);
    Flow ExecForEach(const ForEachStmt& s, Frame& f);
    Flow ExecDo(const DoStmt& s, Frame& f);
    void ExecReDim(const ReDimStmt& s, Frame& f);
    void ExecErase(const EraseStmt& s, Frame& f);

    Variant Eval(const Expr& e, Frame& f);
    Variant EvalName(const NameExpr& n, Frame& f);
    Variant EvalMember(const MemberExpr& m, Frame& f);
    Variant EvalApply(const ApplyExpr& a, Frame& f);
    Variant EvalBinary(const BinaryExpr& b, Frame& f);
    // The variable or array element an expression names, for a ByRef
    // argument (an element is lent until `lent` ends); null when it is
    // neither.
    Variant* EvalRef(const Expr& e, Frame& f, LentElements& lent);
    Variant* VariableSlot(const NameExpr& n, Frame& f);
    ObjectRef TargetObject(const MemberExpr& m, Frame& f);
    int MemberId(const MemberExpr& m, const HostObject& object);
    void EvalArgs(const std::vector<ExprPtr>& args, Frame& f, std::vector<Variant>& out);
    // Element of an array or default member of an object, called with args.
    Variant IndexValue(const Variant& target, const std::vector<ExprPtr>& args, Frame& f, const QString& name);

    void Assign(const Expr& target, Variant value, bool isSet, Frame& f);
    Variant CallWithExprs(const ProcDecl& proc, const std::vector<ExprPtr>& args, Frame& caller);
    Variant Invoke(const ProcDecl& proc, Variant* storage, Variant** slotRefs);
    void InitArrays(const std::vector<ProcDecl::LocalArray>& arrays, Variant** slotRefs);

    bool ConditionWithResume(const Expr& condition, Frame& f);
    void RecordError(const ScriptError& e);
    // Counts a statement or loop turn; every few steps the budgets of steps
    // and time are checked.
    void Step()
    {
        if (++m_steps >= m_nextCheck)
            CheckBudgets();
    }
    void CheckBudgets();

    GlobalScope& m_globals;
    ScriptLimits m_limits;
    MemoryMeter m_meter;
    std::shared_ptr<ErrState> m_err;
    Variant m_errObject;
    // Procedure references check it to outlive nothing they call into.
    std::shared_ptr<Interpreter*> m_self;
    int64_t m_steps = 0;
    int64_t m_nextCheck = 0;
    bool m_clockStarted = false;
    std::chrono::steady_clock::time_point m_deadline;
    int m_depth = 0;
    int m_hostDepth = 0;
    uintptr_t m_stackBase = 0;
    uint32_t m_randomSeed = 0x50000;
};

}  // namespace kvx::vbs
