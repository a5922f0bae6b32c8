#include "HostObject.h"

#include "Errors.h"

namespace kvx::vbs {

MemberTable::MemberTable(std::initializer_list<std::pair<const char*, int>> members)
{
    m_ids.reserve(static_cast<qsizetype>(members.size()));
    for (const auto& [name, id] : members)
        m_ids.insert(QString::fromLatin1(name).toLower(), id);
}

bool HostObject::Enumerate(std::vector<Variant>*)
{
    return false;
}

int HostObject::MemberId(const QString& name) const
{
    const MemberTable* table = Members();
    return table ? table->Find(name.toLower()) : -1;
}

void RequireArgs(std::span<Variant> args, size_t minimum, size_t maximum)
{
    if (args.size() < minimum || args.size() > maximum)
        throw ScriptError(kErrWrongArguments);
}

void ThrowNoSuchMember()
{
    throw ScriptError(kErrNoSuchMember);
}

ObjectRef ObjectArg(const Variant& value)
{
    if (!value.IsObject())
        throw ScriptError(kErrObjectRequired);
    return value.ObjectValue();
}

}  // namespace kvx::vbs
