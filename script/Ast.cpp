#include "Ast.h"

namespace kvx::vbs {

bool IsHardTyped(const Expr& e)
{
    switch (e.kind) {
    case ExprKind::Literal: {
        const auto& v = static_cast<const LiteralExpr&>(e).value;
        return v.IsNumber() || v.IsString();
    }
    case ExprKind::Name: return static_cast<const NameExpr&>(e).target == NameTarget::Constant;
    case ExprKind::Paren: return IsHardTyped(*static_cast<const ParenExpr&>(e).inner);
    default: return false;
    }
}

}  // namespace kvx::vbs
