#include "Interpreter.h"

#include "Builtins.h"
#include "Conversions.h"
#include "ErrObject.h"
#include "Errors.h"
#include "HostObject.h"

#include <array>
#include <new>

namespace kvx::vbs {

// One activation: the variable slots of a procedure (none for global code), the
// procedure's On Error mode and its stack of With objects.
struct Interpreter::Frame {
    Variant** slotRefs = nullptr;
    const ProcDecl* proc = nullptr;
    bool resumeNext = false;
    std::vector<Variant> with;
};

namespace {

uintptr_t StackAddress()
{
    volatile char probe = 0;
    return reinterpret_cast<uintptr_t>(&probe);
}

ScriptError Fatal(int32_t number)
{
    ScriptError e(number);
    e.fatal = true;
    return e;
}

// A value stored or passed by value: a fixed array or one that lends an
// element is copied at once, so that the copy is an ordinary dynamic array
// and the original keeps its lock to itself.
void Unlock(Variant& value)
{
    if (value.IsArray() && value.ArrayValue()->Locked())
        value = Variant::Array(ArrayData::CopyOf(*value.ArrayValue(), false));
}

// A short name for messages: "node" for a name, "node.foo" for a member.
QString DisplayName(const Expr& e)
{
    switch (e.kind) {
    case ExprKind::Name: return static_cast<const NameExpr&>(e).name;
    case ExprKind::Member: {
        const auto& m = static_cast<const MemberExpr&>(e);
        return m.object ? DisplayName(*m.object) + QLatin1Char('.') + m.name : m.name;
    }
    default: return QString();
    }
}

}  // namespace

// The outermost entry from the host resets the budgets of steps and time
// and marks the stack position against which the script's own use is
// measured. Every entry makes the engine's memory meter current.
class Interpreter::HostEntry {
public:
    explicit HostEntry(Interpreter& in) : m_in(in), m_meter(&in.m_meter)
    {
        if (m_in.m_hostDepth++ == 0) {
            m_in.m_steps = 0;
            m_in.m_nextCheck = 0;
            m_in.m_clockStarted = false;
            m_in.m_depth = 0;
            m_in.m_stackBase = StackAddress();
        }
    }
    ~HostEntry()
    {
        if (--m_in.m_hostDepth == 0)
            m_in.m_meter.ReleaseDeadStrings();
    }

private:
    Interpreter& m_in;
    MemoryMeter::Scope m_meter;
};

// Array elements passed to ByRef parameters: each array is held and locked
// against ReDim and Erase until the call returns, so that the parameter can
// point at the element itself.
class Interpreter::LentElements {
public:
    LentElements() = default;
    LentElements(const LentElements&) = delete;
    LentElements& operator=(const LentElements&) = delete;
    ~LentElements()
    {
        for (const ArrayRef& array : m_arrays)
            --array->lent.count;
    }
    Variant* Lend(Variant& variable, const Variant* subscripts, size_t count)
    {
        ArrayData& array = variable.MutableArray();
        Variant* element = &array.items[array.Offset(subscripts, count)];
        m_arrays.push_back(variable.ArrayValue());
        ++array.lent.count;
        return element;
    }

private:
    std::vector<ArrayRef> m_arrays;
};

// What GetRef returns: calling it, with or without arguments, calls the
// procedure. It stops working when its engine is gone.
class Interpreter::ProcedureRef : public HostObject {
public:
    ProcedureRef(std::weak_ptr<Interpreter*> engine, const ProcDecl* proc) : m_engine(std::move(engine)), m_proc(proc) {}

    QString TypeName() const override { return QStringLiteral("Object"); }
    const MemberTable* Members() const override
    {
        static const MemberTable none{};
        return &none;
    }
    Variant Invoke(int memberId, InvokeKind kind, std::span<Variant> args) override
    {
        if (memberId != kDefaultMember || kind != InvokeKind::Get)
            ThrowNoSuchMember();
        const std::shared_ptr<Interpreter*> engine = m_engine.lock();
        if (!engine)
            throw ScriptError(kErrObjectNotSet);
        std::vector<Variant*> refs;
        refs.reserve(args.size());
        for (Variant& a : args)
            refs.push_back(&a);
        return (*engine)->CallProcedure(*m_proc, refs);
    }

private:
    std::weak_ptr<Interpreter*> m_engine;
    const ProcDecl* m_proc;
};

class Interpreter::CallGuard {
public:
    explicit CallGuard(Interpreter& in) : m_in(in)
    {
        const uintptr_t here = StackAddress();
        const uintptr_t used = here < m_in.m_stackBase ? m_in.m_stackBase - here : here - m_in.m_stackBase;
        if (++m_in.m_depth > m_in.m_limits.maxCallDepth || used > m_in.m_limits.maxStackBytes) {
            --m_in.m_depth;
            throw Fatal(kErrOutOfStack);
        }
    }
    ~CallGuard() { --m_in.m_depth; }

private:
    Interpreter& m_in;
};

Interpreter::Interpreter(GlobalScope& globals)
    : m_globals(globals)
    , m_meter(m_limits.maxMemoryBytes)
    , m_err(std::make_shared<ErrState>())
    , m_errObject(Variant::Object(std::make_shared<ErrObject>(m_err)))
    , m_self(std::make_shared<Interpreter*>(this))
{
}

Interpreter::~Interpreter() = default;

void Interpreter::SetLimits(const ScriptLimits& limits)
{
    m_limits = limits;
    m_meter.SetBudget(limits.maxMemoryBytes);
}

// The clock is read every 64 steps only, and first at the 64th step of a
// host call, so that short calls never read it; a step that raises an
// error takes microseconds, so the time budget is still kept closely.
void Interpreter::CheckBudgets()
{
    constexpr int64_t kStepsBetweenChecks = 64;
    if (m_steps > m_limits.maxSteps)
        throw Fatal(kErrScriptTimeout);
    if (m_steps >= kStepsBetweenChecks && m_limits.maxMilliseconds > 0) {
        const auto now = std::chrono::steady_clock::now();
        if (!m_clockStarted) {
            m_deadline = now + std::chrono::milliseconds(m_limits.maxMilliseconds);
            m_clockStarted = true;
        } else if (now > m_deadline) {
            throw Fatal(kErrScriptTimeout);
        }
    }
    m_nextCheck = m_steps + 1 + std::min(kStepsBetweenChecks - 1, m_limits.maxSteps - m_steps);
}

ObjectRef Interpreter::ProcedureReference(const QString& lowerName)
{
    const ProcDecl* proc = m_globals.FindProcedure(lowerName);
    if (!proc)
        return nullptr;
    return std::make_shared<ProcedureRef>(m_self, proc);
}

void Interpreter::RecordError(const ScriptError& e)
{
    m_err->number = e.number;
    m_err->description = e.description;
    m_err->source = e.source;
}

// ---- Entry points -------------------------------------------------------

void Interpreter::RunModule(const Module& module)
{
    HostEntry entry(*this);
    std::vector<Variant*> slotRefs;
    for (const auto& a : module.globalArrays)
        slotRefs.push_back(&m_globals.Slot(a.slot));
    std::vector<ProcDecl::LocalArray> arrays;
    for (size_t i = 0; i < module.globalArrays.size(); ++i)
        arrays.push_back({static_cast<int>(i), module.globalArrays[i].upperBounds});
    InitArrays(arrays, slotRefs.data());
    Frame f;
    try {
        ExecBlock(module.body, f);
    } catch (const std::bad_alloc&) {
        throw Fatal(kErrOutOfMemory);
    }
}

Variant Interpreter::CallProcedure(const ProcDecl& proc, std::span<Variant* const> args)
{
    HostEntry entry(*this);
    if (args.size() != proc.params.size())
        throw ScriptError(kErrWrongArguments);
    std::vector<Variant> storage(static_cast<size_t>(proc.localCount));
    std::vector<Variant*> slotRefs(static_cast<size_t>(proc.localCount));
    for (size_t i = 0; i < slotRefs.size(); ++i)
        slotRefs[i] = &storage[i];
    for (size_t i = 0; i < args.size(); ++i) {
        if (proc.params[i].byRef)
            slotRefs[i] = args[i];
        else
            storage[i] = *args[i];
    }
    try {
        return Invoke(proc, storage.data(), slotRefs.data());
    } catch (const std::bad_alloc&) {
        throw Fatal(kErrOutOfMemory);
    }
}

// ---- Procedures ---------------------------------------------------------

void Interpreter::InitArrays(const std::vector<ProcDecl::LocalArray>& arrays, Variant** slotRefs)
{
    for (const auto& a : arrays) {
        ArrayRef data = ArrayData::Create();
        if (!a.upperBounds.empty()) {
            data->Redim(a.upperBounds, false);
            data->fixed = true;
        }
        *slotRefs[a.slot] = Variant::Array(std::move(data));
    }
}

Variant Interpreter::Invoke(const ProcDecl& proc, Variant* storage, Variant** slotRefs)
{
    CallGuard guard(*this);
    InitArrays(proc.localArrays, slotRefs);
    Frame f;
    f.slotRefs = slotRefs;
    f.proc = &proc;
    // Leaving with Exit Function/Sub under On Error Resume Next clears Err.
    if (ExecBlock(proc.body, f) == Flow::ExitProc && f.resumeNext)
        m_err->Clear();
    return proc.resultSlot >= 0 ? std::move(storage[proc.resultSlot]) : Variant();
}

Variant Interpreter::CallWithExprs(const ProcDecl& proc, const std::vector<ExprPtr>& args, Frame& caller)
{
    if (args.size() != proc.params.size())
        throw ScriptError(kErrWrongArguments);
    constexpr size_t kInline = 8;
    const size_t n = static_cast<size_t>(proc.localCount);
    std::array<Variant, kInline> inlineStorage;
    std::array<Variant*, kInline> inlineSlots;
    std::vector<Variant> heapStorage;
    std::vector<Variant*> heapSlots;
    Variant* storage = inlineStorage.data();
    Variant** slotRefs = inlineSlots.data();
    if (n > kInline) {
        heapStorage.resize(n);
        heapSlots.resize(n);
        storage = heapStorage.data();
        slotRefs = heapSlots.data();
    }
    for (size_t i = 0; i < n; ++i)
        slotRefs[i] = &storage[i];
    LentElements lent;
    for (size_t i = 0; i < args.size(); ++i) {
        if (proc.params[i].byRef) {
            if (Variant* ref = EvalRef(*args[i], caller, lent)) {
                slotRefs[i] = ref;
                continue;
            }
        }
        storage[i] = Eval(*args[i], caller);
        Unlock(storage[i]);
    }
    return Invoke(proc, storage, slotRefs);
}

// ---- Statements ---------------------------------------------------------

Interpreter::Flow Interpreter::ExecBlock(const Block& block, Frame& f)
{
    for (const auto& s : block) {
        Step();
        Flow flow;
        try {
            flow = Exec(*s, f);
        } catch (ScriptError& e) {
            if (e.line == 0) {
                e.line = s->line;
                e.column = s->column;
            }
            if (!f.resumeNext || e.fatal)
                throw;
            RecordError(e);
            continue;
        }
        if (flow != Flow::Normal)
            return flow;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::Exec(const Stmt& s, Frame& f)
{
    switch (s.kind) {
    case StmtKind::Assign: {
        const auto& a = static_cast<const AssignStmt&>(s);
        Assign(*a.target, Eval(*a.value, f), a.isSet, f);
        return Flow::Normal;
    }
    case StmtKind::Call: {
        const Expr& call = *static_cast<const CallStmt&>(s).call;
        if (call.kind == ExprKind::Name) {
            // A variable used as a statement: only an object can be called
            // (its default member); anything else names no procedure.
            const auto& n = static_cast<const NameExpr&>(call);
            const bool variable = n.target == NameTarget::Local || n.target == NameTarget::Global
                || n.target == NameTarget::Undefined;
            if (variable && !n.hasArgs) {
                const Variant value = n.target == NameTarget::Undefined ? Variant() : *VariableSlot(n, f);
                if (!value.IsObject())
                    throw ScriptError::WithName(kErrTypeMismatch, n.name);
                Dereference(value);
                return Flow::Normal;
            }
        }
        Eval(call, f);
        return Flow::Normal;
    }
    case StmtKind::If: return ExecIf(static_cast<const IfStmt&>(s), f);
    case StmtKind::Select: return ExecSelect(static_cast<const SelectStmt&>(s), f);
    case StmtKind::For: return ExecFor(static_cast<const ForStmt&>(s), f);
    case StmtKind::ForEach: return ExecForEach(static_cast<const ForEachStmt&>(s), f);
    case StmtKind::Do: return ExecDo(static_cast<const DoStmt&>(s), f);
    case StmtKind::Exit:
        switch (static_cast<const ExitStmt&>(s).what) {
        case ExitKind::Do: return Flow::ExitDo;
        case ExitKind::For: return Flow::ExitFor;
        default: return Flow::ExitProc;
        }
    case StmtKind::ReDim: ExecReDim(static_cast<const ReDimStmt&>(s), f); return Flow::Normal;
    case StmtKind::Erase: ExecErase(static_cast<const EraseStmt&>(s), f); return Flow::Normal;
    case StmtKind::OnError:
        f.resumeNext = static_cast<const OnErrorStmt&>(s).resumeNext;
        m_err->Clear();
        return Flow::Normal;
    case StmtKind::With: {
        const auto& w = static_cast<const WithStmt&>(s);
        f.with.push_back(Eval(*w.object, f));
        struct Pop {
            std::vector<Variant>& stack;
            ~Pop() { stack.pop_back(); }
        } pop{f.with};
        return ExecBlock(w.body, f);
    }
    }
    return Flow::Normal;
}

// Under On Error Resume Next a failing condition continues with the next
// statement, which is the first one of the branch.
bool Interpreter::ConditionWithResume(const Expr& condition, Frame& f)
{
    try {
        return IsTrue(Eval(condition, f));
    } catch (ScriptError& e) {
        if (!f.resumeNext || e.fatal)
            throw;
        RecordError(e);
        return true;
    }
}

Interpreter::Flow Interpreter::ExecIf(const IfStmt& s, Frame& f)
{
    for (const auto& b : s.branches) {
        if (ConditionWithResume(*b.condition, f))
            return ExecBlock(b.body, f);
    }
    return ExecBlock(s.elseBody, f);
}

Interpreter::Flow Interpreter::ExecSelect(const SelectStmt& s, Frame& f)
{
    const Variant subject = Eval(*s.subject, f);
    const bool subjectHard = IsHardTyped(*s.subject);
    for (const auto& c : s.cases) {
        for (const auto& v : c.values) {
            if (CompareValues(subject, subjectHard, Eval(*v, f), IsHardTyped(*v)) == 0)
                return ExecBlock(c.body, f);
        }
    }
    return ExecBlock(s.elseBody, f);
}

namespace {

// A For bound or step: a number (text converted), never Null or an object.
Variant ForNumber(const Variant& v0)
{
    const Variant v = Dereference(v0);
    if (v.IsNumber())
        return v;
    if (v.IsEmpty())
        return Variant::Integer(0);
    if (v.IsNull())
        throw ScriptError(kErrInvalidNull);
    return Variant::Double(ToDouble(v));
}

}  // namespace

Interpreter::Flow Interpreter::ExecFor(const ForStmt& s, Frame& f)
{
    const auto& var = static_cast<const NameExpr&>(*s.variable);
    Variant* counter = VariableSlot(var, f);
    // Bounds and step are evaluated once, before the first turn.
    const Variant from = ForNumber(Eval(*s.from, f));
    const Variant to = ForNumber(Eval(*s.to, f));
    const Variant step = s.step ? ForNumber(Eval(*s.step, f)) : Variant::Integer(1);
    const bool up = CompareValues(step, false, Variant::Integer(0), false) >= 0;
    *counter = from;
    while (true) {
        Step();
        const int c = CompareValues(*counter, false, to, false);
        if (up ? c > 0 : c < 0)
            break;
        const Flow flow = ExecBlock(s.body, f);
        if (flow == Flow::ExitFor)
            break;
        if (flow != Flow::Normal)
            return flow;
        counter = VariableSlot(var, f);
        *counter = Add(*counter, step);
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::ExecForEach(const ForEachStmt& s, Frame& f)
{
    const auto& var = static_cast<const NameExpr&>(*s.variable);
    const Variant collection = Eval(*s.collection, f);
    std::vector<Variant> items;
    ArrayRef array;   // keeps the iterated array's values as they were
    if (collection.IsArray()) {
        array = collection.ArrayValue();
    } else if (collection.IsObject()) {
        if (!collection.ObjectValue())
            throw ScriptError(kErrObjectNotSet);
        if (!collection.ObjectValue()->Enumerate(&items))
            throw ScriptError(kErrNotCollection);
    } else {
        throw ScriptError(kErrNotCollection);
    }
    const size_t count = array ? array->items.size() : items.size();
    for (size_t i = 0; i < count; ++i) {
        Step();
        *VariableSlot(var, f) = array ? array->items[i] : items[i];
        const Flow flow = ExecBlock(s.body, f);
        if (flow == Flow::ExitFor)
            break;
        if (flow != Flow::Normal)
            return flow;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::ExecDo(const DoStmt& s, Frame& f)
{
    auto conditionHolds = [&]() {
        const bool value = IsTrue(Eval(*s.condition, f));
        return s.until ? !value : value;
    };
    while (true) {
        Step();
        if (s.condition && !s.conditionAtEnd && !conditionHolds())
            break;
        const Flow flow = ExecBlock(s.body, f);
        if (flow == Flow::ExitDo)
            break;
        if (flow != Flow::Normal)
            return flow;
        if (s.condition && s.conditionAtEnd && !conditionHolds())
            break;
    }
    return Flow::Normal;
}

void Interpreter::ExecReDim(const ReDimStmt& s, Frame& f)
{
    for (const auto& item : s.items) {
        std::vector<int32_t> bounds;
        for (const auto& b : item.bounds)
            bounds.push_back(ToLong(Eval(*b, f)));
        Variant* slot = VariableSlot(static_cast<const NameExpr&>(*item.variable), f);
        if (slot->IsArray()) {
            if (slot->ArrayValue()->Locked())
                throw ScriptError(kErrArrayLocked);
            slot->MutableArray().Redim(bounds, s.preserve);
        } else {
            ArrayRef data = ArrayData::Create();
            data->Redim(bounds, false);
            *slot = Variant::Array(std::move(data));
        }
    }
}

void Interpreter::ExecErase(const EraseStmt& s, Frame& f)
{
    Variant* slot = VariableSlot(static_cast<const NameExpr&>(*s.variable), f);
    if (!slot->IsArray())
        throw ScriptError(kErrTypeMismatch);
    if (slot->ArrayValue()->lent.count > 0)
        throw ScriptError(kErrArrayLocked);
    ArrayData& a = slot->MutableArray();
    if (a.fixed) {
        for (auto& v : a.items)
            v = Variant();
    } else {
        a.bounds.clear();
        a.items.clear();
    }
}

// ---- Assignment ---------------------------------------------------------

void Interpreter::Assign(const Expr& target, Variant value, bool isSet, Frame& f)
{
    if (isSet) {
        if (!value.IsObject())
            throw ScriptError(kErrObjectRequired);
    } else if (value.IsObject()) {
        value = Dereference(value);
    }
    Unlock(value);

    switch (target.kind) {
    case ExprKind::Name: {
        const auto& n = static_cast<const NameExpr&>(target);
        switch (n.target) {
        case NameTarget::Local:
        case NameTarget::Global: break;
        case NameTarget::Undefined: throw ScriptError::WithName(kErrUndefinedVariable, n.name);
        default: throw ScriptError(kErrIllegalAssignment);
        }
        Variant* slot = VariableSlot(n, f);
        if (!n.hasArgs) {
            *slot = std::move(value);
            return;
        }
        if (slot->IsArray()) {
            std::vector<Variant> subscripts;
            EvalArgs(n.args, f, subscripts);
            slot = VariableSlot(n, f);   // the subscripts may have run script code
            if (!slot->IsArray())
                throw ScriptError(kErrTypeMismatch);
            ArrayData& a = slot->MutableArray();
            a.items[a.Offset(subscripts.data(), subscripts.size())] = std::move(value);
            return;
        }
        if (slot->IsObject()) {
            const ObjectRef object = slot->ObjectValue();
            if (!object)
                throw ScriptError(kErrObjectNotSet);
            std::vector<Variant> args;
            EvalArgs(n.args, f, args);
            args.push_back(std::move(value));
            object->Invoke(HostObject::kDefaultMember, isSet ? InvokeKind::PutRef : InvokeKind::Put, args);
            return;
        }
        throw ScriptError::WithName(kErrTypeMismatch, n.name);
    }
    case ExprKind::Member: {
        const auto& m = static_cast<const MemberExpr&>(target);
        const ObjectRef object = TargetObject(m, f);
        const int id = MemberId(m, *object);
        std::vector<Variant> args;
        EvalArgs(m.args, f, args);
        args.push_back(std::move(value));
        object->Invoke(id, isSet ? InvokeKind::PutRef : InvokeKind::Put, args);
        return;
    }
    case ExprKind::Apply: {
        const auto& a = static_cast<const ApplyExpr&>(target);
        const Variant base = Eval(*a.target, f);
        if (!base.IsObject())
            throw ScriptError(kErrTypeMismatch);
        if (!base.ObjectValue())
            throw ScriptError(kErrObjectNotSet);
        std::vector<Variant> args;
        EvalArgs(a.args, f, args);
        args.push_back(std::move(value));
        base.ObjectValue()->Invoke(HostObject::kDefaultMember, isSet ? InvokeKind::PutRef : InvokeKind::Put, args);
        return;
    }
    default: throw ScriptError(kErrIllegalAssignment);
    }
}

// ---- Expressions --------------------------------------------------------

Variant* Interpreter::VariableSlot(const NameExpr& n, Frame& f)
{
    switch (n.target) {
    case NameTarget::Local: return f.slotRefs[n.index];
    case NameTarget::Global: return &m_globals.Slot(n.index);
    case NameTarget::Undefined: throw ScriptError::WithName(kErrUndefinedVariable, n.name);
    default: throw ScriptError(kErrIllegalAssignment);
    }
}

Variant* Interpreter::EvalRef(const Expr& e, Frame& f, LentElements& lent)
{
    if (e.kind != ExprKind::Name)
        return nullptr;
    const auto& n = static_cast<const NameExpr&>(e);
    if (n.target != NameTarget::Local && n.target != NameTarget::Global)
        return nullptr;
    Variant* slot = VariableSlot(n, f);
    if (!n.hasArgs)
        return slot;
    // An element of an array variable.
    if (!slot->IsArray())
        return nullptr;
    std::vector<Variant> subscripts;
    EvalArgs(n.args, f, subscripts);
    slot = VariableSlot(n, f);   // the subscripts may have run script code
    if (!slot->IsArray())
        throw ScriptError::WithName(kErrTypeMismatch, n.name);
    return lent.Lend(*slot, subscripts.data(), subscripts.size());
}

void Interpreter::EvalArgs(const std::vector<ExprPtr>& args, Frame& f, std::vector<Variant>& out)
{
    out.reserve(args.size() + 1);
    for (const auto& a : args)
        out.push_back(Eval(*a, f));
}

Variant Interpreter::Eval(const Expr& e, Frame& f)
{
    switch (e.kind) {
    case ExprKind::Literal: return static_cast<const LiteralExpr&>(e).value;
    case ExprKind::Name: return EvalName(static_cast<const NameExpr&>(e), f);
    case ExprKind::Member: return EvalMember(static_cast<const MemberExpr&>(e), f);
    case ExprKind::Apply: return EvalApply(static_cast<const ApplyExpr&>(e), f);
    case ExprKind::Binary: return EvalBinary(static_cast<const BinaryExpr&>(e), f);
    case ExprKind::Unary: {
        const auto& u = static_cast<const UnaryExpr&>(e);
        const Variant v = Eval(*u.operand, f);
        return u.op == UnaryOp::Negate ? Negate(v) : LogicalNot(v);
    }
    case ExprKind::Paren: return Eval(*static_cast<const ParenExpr&>(e).inner, f);
    case ExprKind::With:
        if (f.with.empty())
            throw ScriptError(kErrObjectRequired);
        return f.with.back();
    }
    return {};
}

Variant Interpreter::EvalBinary(const BinaryExpr& b, Frame& f)
{
    const Variant left = Eval(*b.left, f);
    const Variant right = Eval(*b.right, f);
    // Fast paths for the integer arithmetic and comparisons of loops.
    const bool ints = (left.Type() == VarType::Integer || left.Type() == VarType::Long)
        && (right.Type() == VarType::Integer || right.Type() == VarType::Long);
    if (ints) {
        const int64_t x = left.IntegralValue();
        const int64_t y = right.IntegralValue();
        const VarType type = left.Type() == VarType::Long || right.Type() == VarType::Long ? VarType::Long : VarType::Integer;
        switch (b.op) {
        case BinaryOp::Add: return MakeNumber(x + y, type);
        case BinaryOp::Sub: return MakeNumber(x - y, type);
        case BinaryOp::Mul: return MakeNumber(x * y, type);
        case BinaryOp::Eq: return Variant::Boolean(x == y);
        case BinaryOp::Ne: return Variant::Boolean(x != y);
        case BinaryOp::Lt: return Variant::Boolean(x < y);
        case BinaryOp::Gt: return Variant::Boolean(x > y);
        case BinaryOp::Le: return Variant::Boolean(x <= y);
        case BinaryOp::Ge: return Variant::Boolean(x >= y);
        default: break;
        }
    }
    return ApplyBinary(b.op, left, b.leftHard, right, b.rightHard);
}

Variant Interpreter::EvalName(const NameExpr& n, Frame& f)
{
    switch (n.target) {
    case NameTarget::Local:
    case NameTarget::Global: {
        const Variant& value = n.target == NameTarget::Local ? *f.slotRefs[n.index] : m_globals.Slot(n.index);
        if (!n.hasArgs)
            return value;
        return IndexValue(value, n.args, f, n.name);
    }
    case NameTarget::Procedure: return CallWithExprs(*n.proc, n.args, f);
    case NameTarget::Builtin: {
        const BuiltinInfo& info = Builtin(n.index);
        const int count = static_cast<int>(n.args.size());
        if (count < info.minArgs || count > info.maxArgs)
            throw ScriptError(kErrWrongArguments);
        std::array<Variant, 6> inlineArgs;
        std::vector<Variant> heapArgs;
        std::span<Variant> args;
        if (n.args.size() <= inlineArgs.size()) {
            for (size_t i = 0; i < n.args.size(); ++i)
                inlineArgs[i] = Eval(*n.args[i], f);
            args = std::span<Variant>(inlineArgs.data(), n.args.size());
        } else {
            EvalArgs(n.args, f, heapArgs);
            args = heapArgs;
        }
        return info.function(args, *this);
    }
    case NameTarget::Constant:
        if (n.hasArgs)
            throw ScriptError::WithName(kErrTypeMismatch, n.name);
        return n.constant;
    case NameTarget::ErrObject:
        if (n.hasArgs)
            return IndexValue(m_errObject, n.args, f, n.name);
        return m_errObject;
    case NameTarget::Undefined:
        if (n.hasArgs)
            throw ScriptError::WithName(kErrTypeMismatch, n.name);
        throw ScriptError::WithName(kErrUndefinedVariable, n.name);
    case NameTarget::Unresolved: break;
    }
    throw ScriptError::WithName(kErrTypeMismatch, n.name);
}

Variant Interpreter::IndexValue(const Variant& target, const std::vector<ExprPtr>& args, Frame& f, const QString& name)
{
    if (target.IsArray()) {
        // Hold the array first: the subscripts may run code that changes
        // the variable `target` refers to.
        const ArrayRef array = target.ArrayValue();
        std::array<Variant, 4> inlineSubscripts;
        std::vector<Variant> heapSubscripts;
        Variant* subscripts = inlineSubscripts.data();
        if (args.size() > inlineSubscripts.size()) {
            EvalArgs(args, f, heapSubscripts);
            subscripts = heapSubscripts.data();
        } else {
            for (size_t i = 0; i < args.size(); ++i)
                inlineSubscripts[i] = Eval(*args[i], f);
        }
        return array->items[array->Offset(subscripts, args.size())];
    }
    if (target.IsObject()) {
        const ObjectRef object = target.ObjectValue();
        if (!object)
            throw ScriptError(kErrObjectNotSet);
        std::vector<Variant> values;
        EvalArgs(args, f, values);
        return object->Invoke(HostObject::kDefaultMember, InvokeKind::Get, values);
    }
    throw ScriptError::WithName(kErrTypeMismatch, name);
}

ObjectRef Interpreter::TargetObject(const MemberExpr& m, Frame& f)
{
    Variant base;
    if (m.object) {
        base = Eval(*m.object, f);
    } else {
        if (f.with.empty())
            throw ScriptError(kErrObjectRequired);
        base = f.with.back();
    }
    if (!base.IsObject())
        throw ScriptError::WithName(kErrObjectRequired, m.object ? DisplayName(*m.object) : m.name);
    if (!base.ObjectValue())
        throw ScriptError(kErrObjectNotSet);
    return base.ObjectValue();
}

int Interpreter::MemberId(const MemberExpr& m, const HostObject& object)
{
    const MemberTable* table = object.Members();
    if (table && table == m.cachedTable)
        return m.cachedId;
    const int id = table ? table->Find(m.lower) : -1;
    if (id < 0)
        throw ScriptError::WithName(kErrNoSuchMember, DisplayName(m));
    m.cachedTable = table;
    m.cachedId = id;
    return id;
}

Variant Interpreter::EvalMember(const MemberExpr& m, Frame& f)
{
    const ObjectRef object = TargetObject(m, f);
    const int id = MemberId(m, *object);
    std::array<Variant, 4> inlineArgs;
    std::vector<Variant> heapArgs;
    std::span<Variant> args;
    if (m.args.size() <= inlineArgs.size()) {
        for (size_t i = 0; i < m.args.size(); ++i)
            inlineArgs[i] = Eval(*m.args[i], f);
        args = std::span<Variant>(inlineArgs.data(), m.args.size());
    } else {
        EvalArgs(m.args, f, heapArgs);
        args = heapArgs;
    }
    return object->Invoke(id, InvokeKind::Get, args);
}

Variant Interpreter::EvalApply(const ApplyExpr& a, Frame& f)
{
    return IndexValue(Eval(*a.target, f), a.args, f, DisplayName(*a.target));
}

}  // namespace kvx::vbs
