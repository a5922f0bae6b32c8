#include "Resolver.h"

#include "Builtins.h"
#include "Errors.h"

#include <QSet>

namespace kvx::vbs {

int GlobalScope::AddVariable(const QString& lower, const QString& name)
{
    auto it = m_symbols.find(lower);
    if (it != m_symbols.end() && it->kind == Symbol::Kind::Variable)
        return it->slot;
    Symbol s;
    s.kind = Symbol::Kind::Variable;
    s.slot = static_cast<int>(m_slots.size());
    m_slots.emplace_back();
    m_slotNames.push_back(name);
    m_symbols.insert(lower, s);
    return s.slot;
}

void GlobalScope::SetConstant(const QString& lower, Variant value)
{
    Symbol s;
    s.kind = Symbol::Kind::Constant;
    s.constant = std::move(value);
    m_symbols.insert(lower, s);
}

void GlobalScope::SetProcedure(const QString& lower, const ProcDecl* proc)
{
    Symbol s;
    s.kind = Symbol::Kind::Procedure;
    s.proc = proc;
    m_symbols.insert(lower, s);
}

const ProcDecl* GlobalScope::FindProcedure(const QString& lower) const
{
    const Symbol* s = Find(lower);
    return s && s->kind == Symbol::Kind::Procedure ? s->proc : nullptr;
}

namespace {

[[noreturn]] void Redefined(const QString& name, int line, int column)
{
    ScriptError e = ScriptError::WithName(kErrNameRedefined, name);
    e.line = line;
    e.column = column;
    throw e;
}

// Declarations of one module, checked for duplicates before anything is
// added to the global scope, so that a failing module leaves no trace.
void CheckModuleDeclarations(const Module& m, const GlobalScope& globals)
{
    QSet<QString> seen;
    auto declare = [&](const QString& lower, const QString& name, int line, int column) {
        if (seen.contains(lower))
            Redefined(name, line, column);
        seen.insert(lower);
    };
    for (const auto& c : m.consts)
        declare(c.lower, c.name, c.line, c.column);
    for (const auto& v : m.vars)
        declare(v.lower, v.name, v.line, v.column);
    QSet<QString> procNames;
    for (const auto& p : m.procs) {
        // A later definition of a procedure replaces an earlier one, but a
        // procedure may not share its name with a variable or constant.
        if (seen.contains(p->lower)) {
            Redefined(p->name, p->line, p->column);
        }
        procNames.insert(p->lower);
        const GlobalScope::Symbol* existing = globals.Find(p->lower);
        if (existing && existing->kind != GlobalScope::Symbol::Kind::Procedure)
            Redefined(p->name, p->line, p->column);
        QSet<QString> locals;
        for (const auto& param : p->params)
            locals.insert(param.lower);
        for (const auto& v : p->vars) {
            if (locals.contains(v.lower))
                Redefined(v.name, v.line, v.column);
            locals.insert(v.lower);
        }
        for (const auto& c : p->consts) {
            if (locals.contains(c.lower))
                Redefined(c.name, c.line, c.column);
            locals.insert(c.lower);
        }
    }
    for (const auto& lower : seen) {
        const GlobalScope::Symbol* existing = globals.Find(lower);
        if (existing && existing->kind == GlobalScope::Symbol::Kind::Procedure && !procNames.contains(lower))
            Redefined(lower, 0, 0);
    }
}

class ModuleResolver {
public:
    ModuleResolver(Module& m, GlobalScope& g) : m_module(m), m_globals(g) {}

    void Run()
    {
        CheckModuleDeclarations(m_module, m_globals);
        for (const auto& c : m_module.consts)
            m_globals.SetConstant(c.lower, c.value);
        for (const auto& v : m_module.vars) {
            const int slot = m_globals.AddVariable(v.lower, v.name);
            if (v.isArray)
                m_module.globalArrays.push_back({slot, v.upperBounds});
        }
        for (const auto& p : m_module.procs)
            m_globals.SetProcedure(p->lower, p.get());

        // Global code first, so that procedures see the variables it
        // creates implicitly.
        m_proc = nullptr;
        DeclareReDims(m_module.body);
        ResolveBlock(m_module.body);
        for (auto& p : m_module.procs)
            ResolveProcedure(*p);
    }

private:
    void ResolveProcedure(ProcDecl& p)
    {
        m_proc = &p;
        m_locals.clear();
        m_localConsts.clear();
        m_localCount = 0;
        for (const auto& param : p.params)
            m_locals.insert(param.lower, m_localCount++);
        if (p.isFunction)
            p.resultSlot = m_localCount++;
        for (const auto& c : p.consts)
            m_localConsts.insert(c.lower, c.value);
        for (const auto& v : p.vars) {
            const int slot = m_localCount++;
            m_locals.insert(v.lower, slot);
            if (v.isArray)
                p.localArrays.push_back({slot, v.upperBounds});
        }
        DeclareReDims(p.body);
        ResolveBlock(p.body);
        p.localCount = m_localCount;
        m_proc = nullptr;
    }

    // ReDim declares its variable when the name is not known yet.
    void DeclareReDims(const Block& block)
    {
        for (const auto& s : block)
            VisitReDims(*s);
    }

    void VisitReDims(const Stmt& s)
    {
        switch (s.kind) {
        case StmtKind::ReDim:
            for (const auto& item : static_cast<const ReDimStmt&>(s).items) {
                const auto& name = static_cast<const NameExpr&>(*item.variable);
                if (m_proc) {
                    if (!m_locals.contains(name.lower) && !m_localConsts.contains(name.lower)
                        && !IsGlobalVariable(name.lower))
                        m_locals.insert(name.lower, m_localCount++);
                } else if (!m_globals.Find(name.lower)) {
                    m_globals.AddVariable(name.lower, name.name);
                }
            }
            break;
        case StmtKind::If:
            for (const auto& b : static_cast<const IfStmt&>(s).branches)
                DeclareReDims(b.body);
            DeclareReDims(static_cast<const IfStmt&>(s).elseBody);
            break;
        case StmtKind::Select:
            for (const auto& c : static_cast<const SelectStmt&>(s).cases)
                DeclareReDims(c.body);
            DeclareReDims(static_cast<const SelectStmt&>(s).elseBody);
            break;
        case StmtKind::For: DeclareReDims(static_cast<const ForStmt&>(s).body); break;
        case StmtKind::ForEach: DeclareReDims(static_cast<const ForEachStmt&>(s).body); break;
        case StmtKind::Do: DeclareReDims(static_cast<const DoStmt&>(s).body); break;
        case StmtKind::With: DeclareReDims(static_cast<const WithStmt&>(s).body); break;
        default: break;
        }
    }

    bool IsGlobalVariable(const QString& lower) const
    {
        const GlobalScope::Symbol* s = m_globals.Find(lower);
        return s && s->kind == GlobalScope::Symbol::Kind::Variable;
    }

    void ResolveBlock(Block& block)
    {
        for (auto& s : block)
            ResolveStmt(*s);
    }

    void ResolveStmt(Stmt& s)
    {
        switch (s.kind) {
        case StmtKind::Assign: {
            auto& a = static_cast<AssignStmt&>(s);
            Resolve(*a.target);
            Resolve(*a.value);
            break;
        }
        case StmtKind::Call: Resolve(*static_cast<CallStmt&>(s).call); break;
        case StmtKind::If: {
            auto& i = static_cast<IfStmt&>(s);
            for (auto& b : i.branches) {
                Resolve(*b.condition);
                ResolveBlock(b.body);
            }
            ResolveBlock(i.elseBody);
            break;
        }
        case StmtKind::Select: {
            auto& sel = static_cast<SelectStmt&>(s);
            Resolve(*sel.subject);
            for (auto& c : sel.cases) {
                for (auto& v : c.values)
                    Resolve(*v);
                ResolveBlock(c.body);
            }
            ResolveBlock(sel.elseBody);
            break;
        }
        case StmtKind::For: {
            auto& f = static_cast<ForStmt&>(s);
            Resolve(*f.variable);
            Resolve(*f.from);
            Resolve(*f.to);
            if (f.step)
                Resolve(*f.step);
            ResolveBlock(f.body);
            break;
        }
        case StmtKind::ForEach: {
            auto& f = static_cast<ForEachStmt&>(s);
            Resolve(*f.variable);
            Resolve(*f.collection);
            ResolveBlock(f.body);
            break;
        }
        case StmtKind::Do: {
            auto& d = static_cast<DoStmt&>(s);
            if (d.condition)
                Resolve(*d.condition);
            ResolveBlock(d.body);
            break;
        }
        case StmtKind::ReDim:
            for (auto& item : static_cast<ReDimStmt&>(s).items) {
                Resolve(*item.variable);
                for (auto& b : item.bounds)
                    Resolve(*b);
            }
            break;
        case StmtKind::Erase: Resolve(*static_cast<EraseStmt&>(s).variable); break;
        case StmtKind::With: {
            auto& w = static_cast<WithStmt&>(s);
            Resolve(*w.object);
            ResolveBlock(w.body);
            break;
        }
        case StmtKind::Exit:
        case StmtKind::OnError: break;
        }
    }

    void Resolve(Expr& e)
    {
        switch (e.kind) {
        case ExprKind::Literal:
        case ExprKind::With: break;
        case ExprKind::Name: {
            auto& n = static_cast<NameExpr&>(e);
            for (auto& a : n.args)
                Resolve(*a);
            ResolveName(n);
            break;
        }
        case ExprKind::Member: {
            auto& m = static_cast<MemberExpr&>(e);
            if (m.object)
                Resolve(*m.object);
            for (auto& a : m.args)
                Resolve(*a);
            break;
        }
        case ExprKind::Apply: {
            auto& a = static_cast<ApplyExpr&>(e);
            Resolve(*a.target);
            for (auto& x : a.args)
                Resolve(*x);
            break;
        }
        case ExprKind::Unary: Resolve(*static_cast<UnaryExpr&>(e).operand); break;
        case ExprKind::Binary: {
            auto& b = static_cast<BinaryExpr&>(e);
            Resolve(*b.left);
            Resolve(*b.right);
            b.leftHard = IsHardTyped(*b.left);
            b.rightHard = IsHardTyped(*b.right);
            break;
        }
        case ExprKind::Paren: Resolve(*static_cast<ParenExpr&>(e).inner); break;
        }
    }

    void ResolveName(NameExpr& n)
    {
        if (m_proc) {
            auto local = m_locals.find(n.lower);
            if (local != m_locals.end()) {
                n.target = NameTarget::Local;
                n.index = local.value();
                return;
            }
            auto constant = m_localConsts.find(n.lower);
            if (constant != m_localConsts.end()) {
                n.target = NameTarget::Constant;
                n.constant = constant.value();
                return;
            }
            // Inside a Function its own name without arguments is its result.
            if (m_proc->isFunction && !n.hasArgs && n.lower == m_proc->lower) {
                n.target = NameTarget::Local;
                n.index = m_proc->resultSlot;
                return;
            }
        }
        if (const GlobalScope::Symbol* s = m_globals.Find(n.lower)) {
            switch (s->kind) {
            case GlobalScope::Symbol::Kind::Variable:
                n.target = NameTarget::Global;
                n.index = s->slot;
                return;
            case GlobalScope::Symbol::Kind::Constant:
                n.target = NameTarget::Constant;
                n.constant = s->constant;
                return;
            case GlobalScope::Symbol::Kind::Procedure:
                n.target = NameTarget::Procedure;
                n.proc = s->proc;
                return;
            }
        }
        if (n.lower == QLatin1String("err")) {
            n.target = NameTarget::ErrObject;
            return;
        }
        const int builtin = FindBuiltin(n.lower);
        if (builtin >= 0) {
            n.target = NameTarget::Builtin;
            n.index = builtin;
            return;
        }
        if (const Variant* c = FindBuiltinConstant(n.lower)) {
            n.target = NameTarget::Constant;
            n.constant = *c;
            return;
        }
        if (m_module.optionExplicit) {
            n.target = NameTarget::Undefined;
            return;
        }
        if (m_proc) {
            const int slot = m_localCount++;
            m_locals.insert(n.lower, slot);
            n.target = NameTarget::Local;
            n.index = slot;
        } else {
            n.target = NameTarget::Global;
            n.index = m_globals.AddVariable(n.lower, n.name);
        }
    }

    Module& m_module;
    GlobalScope& m_globals;
    ProcDecl* m_proc = nullptr;
    QHash<QString, int> m_locals;
    QHash<QString, Variant> m_localConsts;
    int m_localCount = 0;
};

}  // namespace

void ResolveModule(Module& module, GlobalScope& globals)
{
    ModuleResolver(module, globals).Run();
}

}  // namespace kvx::vbs
