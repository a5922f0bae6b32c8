#include "Parser.h"

#include "Errors.h"
#include "Lexer.h"

#include <utility>

namespace kvx::vbs {

namespace {

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    std::unique_ptr<Module> Run()
    {
        m_module = std::make_unique<Module>();
        m_vars = &m_module->vars;
        m_consts = &m_module->consts;
        while (true) {
            SkipNewLines();
            if (Peek().kind == Tok::End)
                break;
            const Token& t = Peek();
            if (t.kind == Tok::KwOption) {
                Next();
                const Token& what = Next();
                if (what.kind != Tok::Identifier || what.lower != QLatin1String("explicit"))
                    Fail(kErrExpectedIdentifier, what);
                m_module->optionExplicit = true;
            } else if (ProcedureFollows()) {
                ParseProcedure();
            } else if (t.kind == Tok::KwClass) {
                Fail(kErrUnsupported, t);
            } else {
                ParseStatement(m_module->body);
            }
            ExpectEndOfStatement();
        }
        return std::move(m_module);
    }

private:
    // ---- Tokens ---------------------------------------------------------

    const Token& Peek(size_t ahead = 0) const
    {
        const size_t i = std::min(m_pos + ahead, m_tokens.size() - 1);
        return m_tokens[i];
    }
    const Token& Next()
    {
        const Token& t = m_tokens[m_pos];
        if (m_pos + 1 < m_tokens.size())
            ++m_pos;
        return t;
    }
    bool Accept(Tok kind)
    {
        if (Peek().kind != kind)
            return false;
        Next();
        return true;
    }
    const Token& Expect(Tok kind, int32_t error)
    {
        if (Peek().kind != kind)
            Fail(error, Peek());
        return Next();
    }
    bool AcceptWord(const char* lower)
    {
        if (Peek().kind == Tok::Identifier && Peek().lower == QLatin1String(lower)) {
            Next();
            return true;
        }
        return false;
    }
    void SkipNewLines()
    {
        while (Peek().kind == Tok::NewLine)
            Next();
    }
    // A statement ends at a line end or ":"; inside a single-line If also at
    // its Else or a trailing "End If", and the last statement of a
    // procedure also at "End Sub" or "End Function" on the same line.
    bool AtStatementEnd() const
    {
        const Tok k = Peek().kind;
        if (k == Tok::NewLine || k == Tok::End)
            return true;
        if (m_singleLineIf > 0 && (k == Tok::KwElse || EndFollows(Tok::KwIf)))
            return true;
        return m_proc && EndFollows(m_proc->isFunction ? Tok::KwFunction : Tok::KwSub);
    }
    bool EndFollows(Tok what) const { return Peek().kind == Tok::KwEnd && Peek(1).kind == what; }
    void ExpectEndOfStatement()
    {
        if (!AtStatementEnd())
            Fail(kErrExpectedEndOfStatement, Peek());
    }

    [[noreturn]] void Fail(int32_t number, const Token& at)
    {
        ScriptError e(number);
        e.line = at.line;
        e.column = at.column;
        throw e;
    }

    // Bounds the parser's recursion.
    struct NestingGuard {
        NestingGuard(Parser& p) : parser(p)
        {
            if (++parser.m_nesting > kMaxParseNesting)
                parser.Fail(kErrOutOfStack, parser.Peek());
        }
        ~NestingGuard() { --parser.m_nesting; }
        Parser& parser;
    };

    template <typename T>
    std::unique_ptr<T> MakeExpr(const Token& at)
    {
        auto e = std::make_unique<T>();
        e->line = at.line;
        e->column = at.column;
        return e;
    }
    template <typename T>
    std::unique_ptr<T> MakeStmt(const Token& at)
    {
        auto s = std::make_unique<T>();
        s->line = at.line;
        s->column = at.column;
        return s;
    }

    // Records the height of a finished expression node.
    ExprPtr Finish(ExprPtr e, std::initializer_list<const Expr*> children, const std::vector<ExprPtr>* args = nullptr)
    {
        int depth = 0;
        for (const Expr* c : children)
            if (c)
                depth = std::max(depth, c->depth);
        if (args)
            for (const auto& a : *args)
                depth = std::max(depth, a->depth);
        e->depth = depth + 1;
        if (e->depth > kMaxExpressionDepth) {
            ScriptError err(kErrOutOfStack);
            err.line = e->line;
            err.column = e->column;
            throw err;
        }
        return e;
    }

    // ---- Declarations ---------------------------------------------------

    bool ProcedureFollows() const
    {
        size_t i = 0;
        if (Peek(i).kind == Tok::KwPublic || Peek(i).kind == Tok::KwPrivate)
            ++i;
        if (Peek(i).kind == Tok::Identifier && Peek(i).lower == QLatin1String("default"))
            ++i;
        return Peek(i).kind == Tok::KwFunction || Peek(i).kind == Tok::KwSub;
    }

    const Token& ExpectName()
    {
        if (Peek().kind != Tok::Identifier)
            Fail(kErrExpectedIdentifier, Peek());
        return Next();
    }

    // Function or Sub, at the top level or inside a block of global code
    // (it is global all the same).
    void ParseProcedure()
    {
        if (m_proc || m_singleLineIf > 0)
            Fail(kErrExpectedStatement, Peek());
        if (Peek().kind == Tok::KwPublic || Peek().kind == Tok::KwPrivate)
            Next();
        AcceptWord("default");
        const Token& kw = Next();
        auto proc = std::make_unique<ProcDecl>();
        proc->isFunction = kw.kind == Tok::KwFunction;
        const Token& name = ExpectName();
        proc->name = name.text;
        proc->lower = name.lower;
        proc->line = kw.line;
        proc->column = kw.column;
        if (Accept(Tok::LParen)) {
            if (!Accept(Tok::RParen)) {
                do {
                    Param p;
                    if (Accept(Tok::KwByVal))
                        p.byRef = false;
                    else
                        Accept(Tok::KwByRef);
                    const Token& pn = ExpectName();
                    p.name = pn.text;
                    p.lower = pn.lower;
                    if (Accept(Tok::LParen))
                        Expect(Tok::RParen, kErrExpectedRParen);
                    for (const auto& other : proc->params)
                        if (other.lower == p.lower)
                            Fail(kErrNameRedefined, pn);
                    proc->params.push_back(std::move(p));
                } while (Accept(Tok::Comma));
                Expect(Tok::RParen, kErrExpectedRParen);
            }
        }
        ExpectEndOfStatement();

        // Loops around the definition are not the procedure's.
        const int forDepth = std::exchange(m_forDepth, 0);
        const int doDepth = std::exchange(m_doDepth, 0);
        m_proc = proc.get();
        m_vars = &proc->vars;
        m_consts = &proc->consts;
        proc->body = ParseBlock();
        m_proc = nullptr;
        m_vars = &m_module->vars;
        m_consts = &m_module->consts;
        m_forDepth = forDepth;
        m_doDepth = doDepth;

        Expect(Tok::KwEnd, proc->isFunction ? kErrExpectedFunction : kErrExpectedSub);
        Expect(proc->isFunction ? Tok::KwFunction : Tok::KwSub,
               proc->isFunction ? kErrExpectedFunction : kErrExpectedSub);
        m_module->procs.push_back(std::move(proc));
    }

    // Dim / Private / Public name[(bounds)], ...
    void ParseVarList()
    {
        do {
            const Token& name = ExpectName();
            VarDecl d;
            d.name = name.text;
            d.lower = name.lower;
            d.line = name.line;
            d.column = name.column;
            if (Accept(Tok::LParen)) {
                d.isArray = true;
                if (!Accept(Tok::RParen)) {
                    do {
                        d.upperBounds.push_back(ParseIntegerConstant());
                    } while (Accept(Tok::Comma));
                    Expect(Tok::RParen, kErrExpectedRParen);
                }
            }
            m_vars->push_back(std::move(d));
        } while (Accept(Tok::Comma));
    }

    int32_t ParseIntegerConstant()
    {
        const Token& t = Peek();
        if (t.kind != Tok::Integer)
            Fail(kErrExpectedInteger, t);
        Next();
        return t.value.Type() == VarType::Long ? t.value.LongValue() : t.value.IntegerValue();
    }

    void ParseConstList()
    {
        do {
            const Token& name = ExpectName();
            Expect(Tok::Eq, kErrExpectedEquals);
            ConstDecl c;
            c.name = name.text;
            c.lower = name.lower;
            c.line = name.line;
            c.column = name.column;
            c.value = ParseLiteralConstant();
            m_consts->push_back(std::move(c));
        } while (Accept(Tok::Comma));
    }

    Variant ParseLiteralConstant()
    {
        bool negate = false;
        while (Peek().kind == Tok::Minus || Peek().kind == Tok::Plus) {
            if (Next().kind == Tok::Minus)
                negate = !negate;
        }
        const Token& t = Next();
        Variant v;
        switch (t.kind) {
        case Tok::Integer:
        case Tok::Number: v = t.value; break;
        case Tok::String: v = Variant::String(t.text); break;
        case Tok::KwTrue: v = Variant::Boolean(true); break;
        case Tok::KwFalse: v = Variant::Boolean(false); break;
        case Tok::KwEmpty: break;
        case Tok::KwNull: v = Variant::Null(); break;
        case Tok::KwNothing: v = Variant::Nothing(); break;
        default: Fail(kErrExpectedLiteral, t);
        }
        if (negate) {
            if (!v.IsNumber())
                Fail(kErrExpectedLiteral, t);
            v = Negate(v);
        }
        return v;
    }

    // ---- Statements -----------------------------------------------------

    static bool IsBlockEnd(Tok k)
    {
        return k == Tok::KwEnd || k == Tok::KwElse || k == Tok::KwElseIf || k == Tok::KwCase || k == Tok::KwLoop
            || k == Tok::KwNext || k == Tok::KwWend || k == Tok::End;
    }

    // Statements up to (not including) a block-ending keyword.
    Block ParseBlock()
    {
        NestingGuard guard(*this);
        Block block;
        while (true) {
            SkipNewLines();
            if (IsBlockEnd(Peek().kind))
                return block;
            if (Peek().kind == Tok::KwOption || Peek().kind == Tok::KwClass)
                Fail(kErrExpectedStatement, Peek());
            if (ProcedureFollows())
                ParseProcedure();
            else
                ParseStatement(block);
            ExpectEndOfStatement();
        }
    }

    void ParseStatement(Block& out)
    {
        const Token& t = Peek();
        switch (t.kind) {
        case Tok::KwDim:
            Next();
            ParseVarList();
            return;
        case Tok::KwPrivate:
        case Tok::KwPublic:
            if (m_proc)
                Fail(kErrExpectedStatement, t);
            Next();
            if (Accept(Tok::KwConst))
                ParseConstList();
            else
                ParseVarList();
            return;
        case Tok::KwConst:
            Next();
            ParseConstList();
            return;
        case Tok::KwReDim: out.push_back(ParseReDim()); return;
        case Tok::KwErase: {
            Next();
            auto s = MakeStmt<EraseStmt>(t);
            s->variable = ParseVariableName();
            out.push_back(std::move(s));
            return;
        }
        case Tok::KwIf: out.push_back(ParseIf()); return;
        case Tok::KwSelect: out.push_back(ParseSelect()); return;
        case Tok::KwFor: out.push_back(ParseFor()); return;
        case Tok::KwDo: out.push_back(ParseDo()); return;
        case Tok::KwWhile: out.push_back(ParseWhile()); return;
        case Tok::KwWith: out.push_back(ParseWith()); return;
        case Tok::KwExit: out.push_back(ParseExit()); return;
        case Tok::KwOn: out.push_back(ParseOnError()); return;
        case Tok::KwSet: {
            Next();
            auto s = MakeStmt<AssignStmt>(t);
            s->isSet = true;
            s->target = ParseLeadingChain();
            Expect(Tok::Eq, kErrExpectedEquals);
            s->value = ParseExpression();
            out.push_back(std::move(s));
            return;
        }
        case Tok::KwCall: {
            Next();
            auto s = MakeStmt<CallStmt>(t);
            s->call = ParseLeadingChain();
            out.push_back(std::move(s));
            return;
        }
        case Tok::KwClass: Fail(kErrUnsupported, t);
        case Tok::Identifier:
            if (t.lower == QLatin1String("let")) {
                Next();
                auto s = MakeStmt<AssignStmt>(t);
                s->target = ParseLeadingChain();
                Expect(Tok::Eq, kErrExpectedEquals);
                s->value = ParseExpression();
                out.push_back(std::move(s));
                return;
            }
            if (t.lower == QLatin1String("stop") && Peek(1).kind == Tok::NewLine) {
                Next();
                return;
            }
            out.push_back(ParseAssignmentOrCall());
            return;
        case Tok::Dot: out.push_back(ParseAssignmentOrCall()); return;
        default: Fail(kErrExpectedStatement, t);
        }
    }

    ExprPtr ParseVariableName()
    {
        const Token& name = ExpectName();
        auto e = MakeExpr<NameExpr>(name);
        e->name = name.text;
        e->lower = name.lower;
        return e;
    }

    StmtPtr ParseReDim()
    {
        auto s = MakeStmt<ReDimStmt>(Next());
        s->preserve = AcceptWord("preserve");
        do {
            ReDimStmt::Item item;
            item.variable = ParseVariableName();
            Expect(Tok::LParen, kErrExpectedLParen);
            do {
                item.bounds.push_back(ParseExpression());
            } while (Accept(Tok::Comma));
            Expect(Tok::RParen, kErrExpectedRParen);
            s->items.push_back(std::move(item));
        } while (Accept(Tok::Comma));
        return s;
    }

    StmtPtr ParseIf()
    {
        auto s = MakeStmt<IfStmt>(Next());
        IfStmt::Branch first;
        first.condition = ParseExpression();
        Expect(Tok::KwThen, kErrExpectedThen);
        if (Peek().kind != Tok::NewLine || Peek().colonSeparator) {
            // Single-line form: statements separated by ":" (any of them
            // empty), an optional Else, an optional trailing "End If".
            ++m_singleLineIf;
            first.body = ParseSingleLineStatements();
            s->branches.push_back(std::move(first));
            if (Accept(Tok::KwElse))
                s->elseBody = ParseSingleLineStatements();
            --m_singleLineIf;
            if (EndFollows(Tok::KwIf)) {
                Next();
                Next();
            }
            return s;
        }
        first.body = ParseBlock();
        s->branches.push_back(std::move(first));
        while (true) {
            const Token& t = Peek();
            if (t.kind == Tok::KwElseIf) {
                Next();
                IfStmt::Branch b;
                b.condition = ParseExpression();
                Expect(Tok::KwThen, kErrExpectedThen);
                b.body = ParseBlock();
                s->branches.push_back(std::move(b));
            } else if (t.kind == Tok::KwElse) {
                Next();
                s->elseBody = ParseBlock();
                ExpectEnd(Tok::KwIf, kErrExpectedIf);
                return s;
            } else {
                ExpectEnd(Tok::KwIf, kErrExpectedIf);
                return s;
            }
        }
    }

    Block ParseSingleLineStatements()
    {
        NestingGuard guard(*this);
        Block block;
        while (true) {
            while (Peek().kind == Tok::NewLine && Peek().colonSeparator)
                Next();
            if (AtStatementEnd())
                return block;
            ParseStatement(block);
            if (Peek().kind == Tok::NewLine && Peek().colonSeparator)
                continue;
            ExpectEndOfStatement();
            return block;
        }
    }

    void ExpectEnd(Tok what, int32_t error)
    {
        Expect(Tok::KwEnd, kErrExpectedEnd);
        Expect(what, error);
    }

    StmtPtr ParseSelect()
    {
        auto s = MakeStmt<SelectStmt>(Next());
        Expect(Tok::KwCase, kErrExpectedCase);
        s->subject = ParseExpression();
        ExpectEndOfStatement();
        SkipNewLines();
        while (Peek().kind == Tok::KwCase) {
            Next();
            if (Accept(Tok::KwElse)) {
                s->hasElse = true;
                s->elseBody = ParseBlock();
                break;
            }
            SelectStmt::Case c;
            do {
                c.values.push_back(ParseExpression());
            } while (Accept(Tok::Comma));
            c.body = ParseBlock();
            s->cases.push_back(std::move(c));
        }
        ExpectEnd(Tok::KwSelect, kErrExpectedSelect);
        return s;
    }

    StmtPtr ParseFor()
    {
        const Token& kw = Next();
        if (Accept(Tok::KwEach)) {
            auto s = MakeStmt<ForEachStmt>(kw);
            s->variable = ParseVariableName();
            Expect(Tok::KwIn, kErrExpectedIn);
            s->collection = ParseExpression();
            ExpectEndOfStatement();
            ++m_forDepth;
            s->body = ParseBlock();
            --m_forDepth;
            ExpectNext();
            return s;
        }
        auto s = MakeStmt<ForStmt>(kw);
        if (Peek().kind != Tok::Identifier)
            Fail(kErrInvalidForVariable, Peek());
        s->variable = ParseVariableName();
        Expect(Tok::Eq, kErrExpectedEquals);
        s->from = ParseExpression();
        Expect(Tok::KwTo, kErrExpectedTo);
        s->to = ParseExpression();
        if (AcceptWord("step"))
            s->step = ParseExpression();
        ExpectEndOfStatement();
        ++m_forDepth;
        s->body = ParseBlock();
        --m_forDepth;
        ExpectNext();
        return s;
    }

    void ExpectNext()
    {
        Expect(Tok::KwNext, kErrExpectedNext);
        if (Peek().kind == Tok::Identifier)
            Next();   // "Next i" is tolerated
    }

    StmtPtr ParseDo()
    {
        auto s = MakeStmt<DoStmt>(Next());
        if (Peek().kind == Tok::KwWhile || Peek().kind == Tok::KwUntil) {
            s->until = Next().kind == Tok::KwUntil;
            s->condition = ParseExpression();
        }
        ExpectEndOfStatement();
        ++m_doDepth;
        s->body = ParseBlock();
        --m_doDepth;
        Expect(Tok::KwLoop, kErrExpectedLoop);
        if (Peek().kind == Tok::KwWhile || Peek().kind == Tok::KwUntil) {
            if (s->condition)
                Fail(kErrExpectedEndOfStatement, Peek());
            s->until = Next().kind == Tok::KwUntil;
            s->condition = ParseExpression();
            s->conditionAtEnd = true;
        }
        return s;
    }

    StmtPtr ParseWhile()
    {
        auto s = MakeStmt<DoStmt>(Next());
        s->condition = ParseExpression();
        ExpectEndOfStatement();
        s->body = ParseBlock();
        Expect(Tok::KwWend, kErrExpectedWend);
        return s;
    }

    StmtPtr ParseWith()
    {
        auto s = MakeStmt<WithStmt>(Next());
        s->object = ParseExpression();
        ExpectEndOfStatement();
        s->body = ParseBlock();
        ExpectEnd(Tok::KwWith, kErrExpectedWith);
        return s;
    }

    StmtPtr ParseExit()
    {
        auto s = MakeStmt<ExitStmt>(Next());
        const Token& what = Next();
        switch (what.kind) {
        case Tok::KwDo:
            if (m_doDepth == 0)
                Fail(kErrInvalidExit, what);
            s->what = ExitKind::Do;
            break;
        case Tok::KwFor:
            if (m_forDepth == 0)
                Fail(kErrInvalidExit, what);
            s->what = ExitKind::For;
            break;
        case Tok::KwFunction:
            if (!m_proc || !m_proc->isFunction)
                Fail(kErrInvalidExit, what);
            s->what = ExitKind::Function;
            break;
        case Tok::KwSub:
            if (!m_proc || m_proc->isFunction)
                Fail(kErrInvalidExit, what);
            s->what = ExitKind::Sub;
            break;
        default: Fail(kErrInvalidExit, what);
        }
        return s;
    }

    StmtPtr ParseOnError()
    {
        auto s = MakeStmt<OnErrorStmt>(Next());
        if (!AcceptWord("error"))
            Fail(kErrSyntax, Peek());
        if (AcceptWord("resume")) {
            if (Peek().kind != Tok::KwNext)
                Fail(kErrSyntax, Peek());
            Next();
            s->resumeNext = true;
        } else if (AcceptWord("goto")) {
            const Token& zero = Next();
            if (zero.kind != Tok::Integer || zero.value.IntegerValue() != 0)
                Fail(kErrSyntax, zero);
        } else {
            Fail(kErrSyntax, Peek());
        }
        return s;
    }

    // A statement that starts with a name or a With dot: an assignment
    // "target = value" or a call "target arg, arg".
    StmtPtr ParseAssignmentOrCall()
    {
        const Token& start = Peek();
        ExprPtr chain = ParseLeadingChain(true);
        if (Accept(Tok::Eq)) {
            auto s = MakeStmt<AssignStmt>(start);
            s->target = std::move(chain);
            s->value = ParseExpression();
            return s;
        }
        auto s = MakeStmt<CallStmt>(start);
        std::vector<ExprPtr>* args = nullptr;
        bool* hasArgs = nullptr;
        if (chain->kind == ExprKind::Name) {
            args = &static_cast<NameExpr&>(*chain).args;
            hasArgs = &static_cast<NameExpr&>(*chain).hasArgs;
        } else if (chain->kind == ExprKind::Member) {
            args = &static_cast<MemberExpr&>(*chain).args;
            hasArgs = &static_cast<MemberExpr&>(*chain).hasArgs;
        } else if (chain->kind == ExprKind::Apply) {
            args = &static_cast<ApplyExpr&>(*chain).args;
        } else {
            Fail(kErrExpectedStatement, start);
        }
        if (AtStatementEnd()) {
            // "f(a, b)" as a statement is an error; "f(a)" passes a copy of a.
            if (args->size() > 1 || (chain->kind == ExprKind::Apply && args->size() != 1))
                Fail(kErrParensOnSubCall, start);
            if (args->size() == 1)
                (*args)[0] = Parenthesise(std::move((*args)[0]));
            s->call = std::move(chain);
            return s;
        }
        // Arguments follow without parentheses. A parenthesised group that
        // the chain swallowed is the start of the first argument:
        // "f (a) + 1, b".
        ExprPtr injected;
        if (hasArgs && *hasArgs) {
            if (args->size() != 1)
                Fail(kErrExpectedEndOfStatement, Peek());
            injected = Parenthesise(std::move((*args)[0]));
            args->clear();
            *hasArgs = false;
        } else if (!hasArgs) {
            Fail(kErrExpectedEndOfStatement, Peek());
        }
        std::vector<ExprPtr> callArgs;
        bool more = true;
        if (injected) {
            m_injected = std::move(injected);
            callArgs.push_back(ParseExpression());
            if (m_injected)
                Fail(kErrSyntax, Peek());
            more = Accept(Tok::Comma);
        }
        if (more) {
            do {
                callArgs.push_back(Peek().kind == Tok::Comma ? MissingArgument() : ParseExpression());
            } while (Accept(Tok::Comma));
        }
        *args = std::move(callArgs);
        *hasArgs = true;
        const Expr* object = chain->kind == ExprKind::Member ? static_cast<MemberExpr&>(*chain).object.get() : nullptr;
        s->call = Finish(std::move(chain), {object}, args);
        return s;
    }

    ExprPtr Parenthesise(ExprPtr inner)
    {
        if (inner->kind == ExprKind::Paren)
            return inner;
        auto p = std::make_unique<ParenExpr>();
        p->line = inner->line;
        p->column = inner->column;
        const Expr* raw = inner.get();
        p->inner = std::move(inner);
        return Finish(std::move(p), {raw});
    }

    // name or .name, then .member and (arguments) suffixes. A "." after a
    // blank does not continue the chain: "Echo .Name" passes .Name. At the
    // head of a statement, an argument list after a blank ends the chain:
    // in "Echo (a)(1)" the argument is "(a)(1)".
    ExprPtr ParseLeadingChain(bool statementHead = false)
    {
        const Token& t = Peek();
        ExprPtr e;
        if (t.kind == Tok::Identifier) {
            Next();
            auto n = MakeExpr<NameExpr>(t);
            n->name = t.text;
            n->lower = t.lower;
            e = std::move(n);
        } else if (t.kind == Tok::Dot) {
            e = ParseWithMember();
        } else {
            Fail(kErrExpectedIdentifier, t);
        }
        return ParseSuffixes(std::move(e), false, statementHead);
    }

    ExprPtr ParseWithMember()
    {
        const Token& dot = Next();
        auto m = MakeExpr<MemberExpr>(dot);
        const Token& name = ExpectMemberName();
        m->name = name.text;
        m->lower = name.lower;
        return m;
    }

    const Token& ExpectMemberName()
    {
        const Token& t = Peek();
        if (t.kind != Tok::Identifier && !IsKeyword(t.kind))
            Fail(kErrExpectedIdentifier, t);
        return Next();
    }

    ExprPtr ParseSuffixes(ExprPtr e, bool spacedDotContinues, bool spacedArgumentsEnd = false)
    {
        while (true) {
            const Token& t = Peek();
            if (t.kind == Tok::Dot && (spacedDotContinues || !t.spaceBefore)) {
                Next();
                auto m = MakeExpr<MemberExpr>(t);
                const Token& name = ExpectMemberName();
                m->name = name.text;
                m->lower = name.lower;
                const Expr* raw = e.get();
                m->object = std::move(e);
                e = Finish(std::move(m), {raw});
            } else if (t.kind == Tok::LParen) {
                Next();
                std::vector<ExprPtr> args = ParseArgumentList();
                std::vector<ExprPtr>* slot = nullptr;
                bool* has = nullptr;
                if (e->kind == ExprKind::Name && !static_cast<NameExpr&>(*e).hasArgs) {
                    slot = &static_cast<NameExpr&>(*e).args;
                    has = &static_cast<NameExpr&>(*e).hasArgs;
                } else if (e->kind == ExprKind::Member && !static_cast<MemberExpr&>(*e).hasArgs) {
                    slot = &static_cast<MemberExpr&>(*e).args;
                    has = &static_cast<MemberExpr&>(*e).hasArgs;
                }
                if (slot) {
                    *slot = std::move(args);
                    *has = true;
                    const Expr* object = e->kind == ExprKind::Member ? static_cast<MemberExpr&>(*e).object.get() : nullptr;
                    e = Finish(std::move(e), {object}, slot);
                    if (spacedArgumentsEnd && t.spaceBefore)
                        return e;
                } else {
                    auto a = MakeExpr<ApplyExpr>(t);
                    const Expr* raw = e.get();
                    a->target = std::move(e);
                    a->args = std::move(args);
                    const std::vector<ExprPtr>* applyArgs = &a->args;
                    e = Finish(std::move(a), {raw}, applyArgs);
                }
            } else {
                return e;
            }
        }
    }

    // After "(": arguments up to ")". An argument may be left out
    // ("FormatNumber(x, , 0)"); it is passed as Empty, which the built-ins
    // take for their default.
    std::vector<ExprPtr> ParseArgumentList()
    {
        std::vector<ExprPtr> args;
        if (Accept(Tok::RParen))
            return args;
        do {
            const Tok k = Peek().kind;
            args.push_back(k == Tok::Comma || k == Tok::RParen ? MissingArgument() : ParseExpression());
        } while (Accept(Tok::Comma));
        Expect(Tok::RParen, kErrExpectedRParen);
        return args;
    }

    ExprPtr MissingArgument()
    {
        auto e = std::make_unique<LiteralExpr>(Variant());
        e->line = Peek().line;
        e->column = Peek().column;
        return e;
    }

    // ---- Expressions (lowest precedence first) --------------------------

    ExprPtr ParseExpression()
    {
        NestingGuard guard(*this);
        return ParseImp();
    }

    ExprPtr Binary(BinaryOp op, ExprPtr left, ExprPtr right, const Token& at)
    {
        auto b = MakeExpr<BinaryExpr>(at);
        const Expr* l = left.get();
        const Expr* r = right.get();
        b->op = op;
        b->left = std::move(left);
        b->right = std::move(right);
        return Finish(std::move(b), {l, r});
    }

    template <typename Sub>
    ExprPtr LeftAssociative(Sub sub, std::initializer_list<std::pair<Tok, BinaryOp>> ops)
    {
        ExprPtr left = (this->*sub)();
        while (true) {
            const Token& t = Peek();
            bool matched = false;
            for (const auto& [tok, op] : ops) {
                if (t.kind == tok) {
                    Next();
                    left = Binary(op, std::move(left), (this->*sub)(), t);
                    matched = true;
                    break;
                }
            }
            if (!matched)
                return left;
        }
    }

    ExprPtr ParseImp() { return LeftAssociative(&Parser::ParseEqv, {{Tok::KwImp, BinaryOp::Imp}}); }
    ExprPtr ParseEqv() { return LeftAssociative(&Parser::ParseXor, {{Tok::KwEqv, BinaryOp::Eqv}}); }
    ExprPtr ParseXor() { return LeftAssociative(&Parser::ParseOr, {{Tok::KwXor, BinaryOp::Xor}}); }
    ExprPtr ParseOr() { return LeftAssociative(&Parser::ParseAnd, {{Tok::KwOr, BinaryOp::Or}}); }
    ExprPtr ParseAnd() { return LeftAssociative(&Parser::ParseNot, {{Tok::KwAnd, BinaryOp::And}}); }

    ExprPtr ParseNot()
    {
        if (!m_injected && Peek().kind == Tok::KwNot) {
            NestingGuard guard(*this);
            const Token& t = Next();
            auto u = MakeExpr<UnaryExpr>(t);
            u->op = UnaryOp::Not;
            u->operand = ParseNot();
            const Expr* raw = u->operand.get();
            return Finish(std::move(u), {raw});
        }
        return ParseComparison();
    }

    ExprPtr ParseComparison()
    {
        return LeftAssociative(&Parser::ParseConcat,
                               {{Tok::Eq, BinaryOp::Eq}, {Tok::Ne, BinaryOp::Ne}, {Tok::Lt, BinaryOp::Lt},
                                {Tok::Gt, BinaryOp::Gt}, {Tok::Le, BinaryOp::Le}, {Tok::Ge, BinaryOp::Ge},
                                {Tok::KwIs, BinaryOp::Is}});
    }
    ExprPtr ParseConcat() { return LeftAssociative(&Parser::ParseAdditive, {{Tok::Ampersand, BinaryOp::Concat}}); }
    ExprPtr ParseAdditive()
    {
        return LeftAssociative(&Parser::ParseMod, {{Tok::Plus, BinaryOp::Add}, {Tok::Minus, BinaryOp::Sub}});
    }
    ExprPtr ParseMod() { return LeftAssociative(&Parser::ParseIntDiv, {{Tok::KwMod, BinaryOp::Mod}}); }
    ExprPtr ParseIntDiv() { return LeftAssociative(&Parser::ParseMultiplicative, {{Tok::Backslash, BinaryOp::IntDiv}}); }
    ExprPtr ParseMultiplicative()
    {
        return LeftAssociative(&Parser::ParsePower, {{Tok::Star, BinaryOp::Mul}, {Tok::Slash, BinaryOp::Div}});
    }

    // A sign binds tighter than "^": -3^2 is 9, and "^" takes a signed
    // operand on either side (2 ^ -1).
    ExprPtr ParseUnary()
    {
        if (!m_injected && (Peek().kind == Tok::Minus || Peek().kind == Tok::Plus)) {
            NestingGuard guard(*this);
            const Token& t = Next();
            ExprPtr operand = ParseUnary();
            if (t.kind == Tok::Plus)
                return operand;
            return MakeNegation(std::move(operand), t);
        }
        if (!m_injected && Peek().kind == Tok::KwNot)
            return ParseNot();
        return ParsePostfix();
    }

    ExprPtr MakeNegation(ExprPtr operand, const Token& at)
    {
        // A negative number literal stays a literal (and so hard-typed).
        if (operand->kind == ExprKind::Literal && static_cast<LiteralExpr&>(*operand).value.IsNumber()) {
            auto& lit = static_cast<LiteralExpr&>(*operand);
            lit.value = Negate(lit.value);
            return operand;
        }
        auto u = MakeExpr<UnaryExpr>(at);
        u->op = UnaryOp::Negate;
        const Expr* raw = operand.get();
        u->operand = std::move(operand);
        return Finish(std::move(u), {raw});
    }

    // "^" is left-associative: 2^3^2 is 64.
    ExprPtr ParsePower()
    {
        ExprPtr left = ParseUnary();
        while (Peek().kind == Tok::Caret) {
            const Token& t = Next();
            left = Binary(BinaryOp::Pow, std::move(left), ParseUnary(), t);
        }
        return left;
    }

    ExprPtr ParsePostfix()
    {
        if (m_injected) {
            ExprPtr e = std::move(m_injected);
            return ParseSuffixes(std::move(e), true);
        }
        return ParseSuffixes(ParsePrimary(), true);
    }

    ExprPtr ParsePrimary()
    {
        const Token& t = Peek();
        switch (t.kind) {
        case Tok::Integer:
        case Tok::Number: {
            Next();
            auto e = std::make_unique<LiteralExpr>(t.value);
            e->line = t.line;
            e->column = t.column;
            return e;
        }
        case Tok::String: return Literal(Variant::String(t.text));
        case Tok::KwTrue: return Literal(Variant::Boolean(true));
        case Tok::KwFalse: return Literal(Variant::Boolean(false));
        case Tok::KwEmpty: return Literal(Variant());
        case Tok::KwNull: return Literal(Variant::Null());
        case Tok::KwNothing: return Literal(Variant::Nothing());
        case Tok::Identifier: {
            Next();
            auto n = MakeExpr<NameExpr>(t);
            n->name = t.text;
            n->lower = t.lower;
            return n;
        }
        case Tok::Dot: return ParseWithMember();
        case Tok::LParen: {
            Next();
            auto p = MakeExpr<ParenExpr>(t);
            p->inner = ParseExpression();
            Expect(Tok::RParen, kErrExpectedRParen);
            const Expr* raw = p->inner.get();
            return Finish(std::move(p), {raw});
        }
        case Tok::KwNew: Fail(kErrUnsupported, t);
        default: Fail(kErrExpectedExpression, t);
        }
    }

    ExprPtr Literal(Variant v)
    {
        const Token& t = Next();
        auto e = std::make_unique<LiteralExpr>(std::move(v));
        e->line = t.line;
        e->column = t.column;
        return e;
    }

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    std::unique_ptr<Module> m_module;
    ProcDecl* m_proc = nullptr;
    std::vector<VarDecl>* m_vars = nullptr;
    std::vector<ConstDecl>* m_consts = nullptr;
    int m_nesting = 0;
    int m_singleLineIf = 0;
    int m_forDepth = 0;
    int m_doDepth = 0;
    ExprPtr m_injected;
};

}  // namespace

std::unique_ptr<Module> ParseScript(const QString& text, int firstLine)
{
    return Parser(Tokenize(text, firstLine)).Run();
}

}  // namespace kvx::vbs
