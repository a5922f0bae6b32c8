#pragma once

// The syntax tree of a parsed script. The parser builds it with names
// unresolved; the resolver then fills in each name's target (a local or
// global slot, a procedure, a built-in, a constant) so that the evaluator
// never looks a name up by text.

#include "Operators.h"
#include "Variant.h"

#include <QString>
#include <memory>
#include <vector>

namespace kvx::vbs {

class MemberTable;
struct ProcDecl;

enum class ExprKind : uint8_t {
    Literal,     // a constant value
    Name,        // a name, possibly with an argument list
    Member,      // object.member, possibly with an argument list
    Apply,       // (expression)(arguments): a call on a computed value
    Unary,       // -x, Not x
    Binary,
    Paren,       // (x): passes a copy even to a ByRef parameter
    With,        // the object of the innermost With block (the leading dot)
};

struct Expr {
    explicit Expr(ExprKind k) : kind(k) {}
    virtual ~Expr() = default;
    ExprKind kind;
    int line = 0;
    int column = 0;
    int depth = 1;   // height of the subtree, bounded by the parser
};
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr : Expr {
    explicit LiteralExpr(Variant v) : Expr(ExprKind::Literal), value(std::move(v)) {}
    Variant value;
};

// What a name refers to, decided by the resolver.
enum class NameTarget : uint8_t {
    Unresolved,
    Local,       // slot of the current procedure's frame
    Global,      // slot of the engine's global scope
    Procedure,   // a Function or Sub of the script
    Builtin,     // a built-in function
    Constant,    // Const of the script or a built-in constant
    ErrObject,   // the Err object
    Undefined,   // unknown under Option Explicit: error 500 when used
};

struct NameExpr : Expr {
    NameExpr() : Expr(ExprKind::Name) {}
    QString name;    // as written
    QString lower;
    std::vector<ExprPtr> args;
    bool hasArgs = false;   // an argument list in parentheses was written
    NameTarget target = NameTarget::Unresolved;
    int index = -1;               // slot or built-in id
    const ProcDecl* proc = nullptr;
    Variant constant;             // NameTarget::Constant
};

struct MemberExpr : Expr {
    MemberExpr() : Expr(ExprKind::Member) {}
    ExprPtr object;          // null for ".member" inside With
    QString name;
    QString lower;
    std::vector<ExprPtr> args;
    bool hasArgs = false;
    // Member id last found for a class's member table.
    mutable const MemberTable* cachedTable = nullptr;
    mutable int cachedId = -1;
};

struct ApplyExpr : Expr {
    ApplyExpr() : Expr(ExprKind::Apply) {}
    ExprPtr target;
    std::vector<ExprPtr> args;
};

enum class UnaryOp : uint8_t { Negate, Not };

struct UnaryExpr : Expr {
    UnaryExpr() : Expr(ExprKind::Unary) {}
    UnaryOp op = UnaryOp::Negate;
    ExprPtr operand;
};

struct BinaryExpr : Expr {
    BinaryExpr() : Expr(ExprKind::Binary) {}
    BinaryOp op = BinaryOp::Add;
    ExprPtr left;
    ExprPtr right;
    // Set by the resolver: IsHardTyped() of each operand.
    bool leftHard = false;
    bool rightHard = false;
};

struct ParenExpr : Expr {
    ParenExpr() : Expr(ExprKind::Paren) {}
    ExprPtr inner;
};

struct WithExpr : Expr {
    WithExpr() : Expr(ExprKind::With) {}
};

// True for literals and constants: such an operand converts the other side
// of a comparison to its own kind.
bool IsHardTyped(const Expr& e);

enum class StmtKind : uint8_t {
    Assign, Call, If, Select, For, ForEach, Do, Exit, ReDim, Erase, OnError, With,
};

struct Stmt {
    explicit Stmt(StmtKind k) : kind(k) {}
    virtual ~Stmt() = default;
    StmtKind kind;
    int line = 0;
    int column = 0;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt : Stmt {
    AssignStmt() : Stmt(StmtKind::Assign) {}
    ExprPtr target;
    ExprPtr value;
    bool isSet = false;
};

// A call used as a statement; its result, if any, is dropped.
struct CallStmt : Stmt {
    CallStmt() : Stmt(StmtKind::Call) {}
    ExprPtr call;   // a Name, Member or Apply expression
};

struct IfStmt : Stmt {
    IfStmt() : Stmt(StmtKind::If) {}
    struct Branch {
        ExprPtr condition;
        Block body;
    };
    std::vector<Branch> branches;
    Block elseBody;
};

struct SelectStmt : Stmt {
    SelectStmt() : Stmt(StmtKind::Select) {}
    struct Case {
        std::vector<ExprPtr> values;
        Block body;
    };
    ExprPtr subject;
    std::vector<Case> cases;
    bool hasElse = false;
    Block elseBody;
};

struct ForStmt : Stmt {
    ForStmt() : Stmt(StmtKind::For) {}
    ExprPtr variable;   // a NameExpr without arguments
    ExprPtr from;
    ExprPtr to;
    ExprPtr step;       // null: 1
    Block body;
};

struct ForEachStmt : Stmt {
    ForEachStmt() : Stmt(StmtKind::ForEach) {}
    ExprPtr variable;
    ExprPtr collection;
    Block body;
};

// Do/Loop in all its forms, and While/Wend.
struct DoStmt : Stmt {
    DoStmt() : Stmt(StmtKind::Do) {}
    ExprPtr condition;          // null: loop until Exit Do
    bool conditionAtEnd = false;
    bool until = false;
    Block body;
};

enum class ExitKind : uint8_t { Do, For, Function, Sub };

struct ExitStmt : Stmt {
    ExitStmt() : Stmt(StmtKind::Exit) {}
    ExitKind what = ExitKind::Do;
};

struct ReDimStmt : Stmt {
    ReDimStmt() : Stmt(StmtKind::ReDim) {}
    struct Item {
        ExprPtr variable;   // NameExpr
        std::vector<ExprPtr> bounds;
    };
    bool preserve = false;
    std::vector<Item> items;
};

struct EraseStmt : Stmt {
    EraseStmt() : Stmt(StmtKind::Erase) {}
    ExprPtr variable;
};

struct OnErrorStmt : Stmt {
    OnErrorStmt() : Stmt(StmtKind::OnError) {}
    bool resumeNext = false;
};

struct WithStmt : Stmt {
    WithStmt() : Stmt(StmtKind::With) {}
    ExprPtr object;
    Block body;
};

// Dim, Private, Public and ReDim declare variables for the whole scope,
// wherever they appear; Dim a(3) creates a fixed array when the scope starts.
struct VarDecl {
    QString name;
    QString lower;
    bool isArray = false;
    std::vector<int32_t> upperBounds;   // empty for a dynamic array
    int line = 0;
    int column = 0;
};

struct ConstDecl {
    QString name;
    QString lower;
    Variant value;
    int line = 0;
    int column = 0;
};

struct Param {
    QString name;
    QString lower;
    bool byRef = true;
};

struct ProcDecl {
    QString name;
    QString lower;
    bool isFunction = false;
    std::vector<Param> params;
    std::vector<VarDecl> vars;
    std::vector<ConstDecl> consts;
    Block body;
    int line = 0;
    int column = 0;
    // Filled by the resolver. Slots: the parameters first, then (for a
    // Function) the result, then the other locals.
    int localCount = 0;
    int resultSlot = -1;
    struct LocalArray {
        int slot;
        std::vector<int32_t> upperBounds;
    };
    std::vector<LocalArray> localArrays;
};

// One parsed script text.
struct Module {
    bool optionExplicit = false;
    std::vector<std::unique_ptr<ProcDecl>> procs;
    std::vector<VarDecl> vars;
    std::vector<ConstDecl> consts;
    Block body;
    // Filled by the resolver: global slots to create arrays in at start.
    std::vector<ProcDecl::LocalArray> globalArrays;
};

}  // namespace kvx::vbs
