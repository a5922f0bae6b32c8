#include "ErrObject.h"

#include "Conversions.h"
#include "Errors.h"
#include "Interpreter.h"

namespace kvx::vbs {

namespace {

enum Member { kNumber = HostObject::kDefaultMember, kDescription, kSource, kClear, kRaise, kHelpFile, kHelpContext };

}  // namespace

const MemberTable* ErrObject::Members() const
{
    static const MemberTable table{{"number", kNumber},   {"description", kDescription}, {"source", kSource},
                                   {"clear", kClear},     {"raise", kRaise},             {"helpfile", kHelpFile},
                                   {"helpcontext", kHelpContext}};
    return &table;
}

Variant ErrObject::Invoke(int memberId, InvokeKind kind, std::span<Variant> args)
{
    const bool put = kind != InvokeKind::Get;
    switch (memberId) {
    case kNumber:
        if (put) {
            RequireArgs(args, 1, 1);
            m_state->number = ToLong(args[0]);
            return {};
        }
        RequireArgs(args, 0, 0);
        return Variant::Long(m_state->number);
    case kDescription:
        if (put) {
            RequireArgs(args, 1, 1);
            m_state->description = ToString(args[0]);
            return {};
        }
        RequireArgs(args, 0, 0);
        return Variant::String(m_state->description);
    case kSource:
        if (put) {
            RequireArgs(args, 1, 1);
            m_state->source = ToString(args[0]);
            return {};
        }
        RequireArgs(args, 0, 0);
        return Variant::String(m_state->source);
    case kHelpFile:
        return put ? Variant() : Variant::String(QString());
    case kHelpContext:
        return put ? Variant() : Variant::Long(0);
    case kClear:
        RequireArgs(args, 0, 0);
        m_state->Clear();
        return {};
    case kRaise: {
        RequireArgs(args, 1, 5);
        const int32_t number = ToLong(args[0]);
        if (number == 0)
            throw ScriptError(kErrInvalidCall);
        QString source = args.size() > 1 && !args[1].IsEmpty() ? ToString(args[1]) : QString();
        QString description = args.size() > 2 && !args[2].IsEmpty() ? ToString(args[2]) : QString();
        throw ScriptError(number, std::move(description), std::move(source));
    }
    default: ThrowNoSuchMember();
    }
}

}  // namespace kvx::vbs
