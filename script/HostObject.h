#pragma once

// The dispatch interface through which scripts reach objects of the host:
// members found by case-insensitive name, property get and put, methods,
// a default member, enumeration for For Each and an identity for Is.

#include "Variant.h"

#include <QHash>
#include <QString>
#include <initializer_list>
#include <span>
#include <utility>

namespace kvx::vbs {

enum class InvokeKind : uint8_t {
    Get,      // a method call or a property read (scripts do not tell them apart)
    Put,      // obj.prop = value (the value is the last argument)
    PutRef,   // Set obj.prop = object
};

// Member names of one class, stored lower-case, with their ids. A class
// returns the same table for all its objects, so a call site can remember
// the id it found for a table.
class MemberTable {
public:
    MemberTable(std::initializer_list<std::pair<const char*, int>> members);
    // `lowerName` must already be lower-case. -1 when unknown.
    int Find(const QString& lowerName) const { return m_ids.value(lowerName, -1); }

private:
    QHash<QString, int> m_ids;
};

class HostObject : public std::enable_shared_from_this<HostObject> {
public:
    // The id of the default member: obj(args) and the object's value.
    static constexpr int kDefaultMember = 0;

    virtual ~HostObject() = default;

    // What TypeName() answers for the object.
    virtual QString TypeName() const = 0;
    virtual const MemberTable* Members() const = 0;
    // Calls a member. `args` are in the script's order; for Put and PutRef
    // the value is the last one. Errors are thrown as ScriptError.
    virtual Variant Invoke(int memberId, InvokeKind kind, std::span<Variant> args) = 0;
    // The items For Each visits; false when the object is not a collection.
    virtual bool Enumerate(std::vector<Variant>* items);
    // What Is compares: two wrappers of one underlying object must agree.
    virtual const void* Identity() const { return this; }

    // Case-insensitive lookup of a member name (any case).
    int MemberId(const QString& name) const;
};

// Helpers for implementations of Invoke.
void RequireArgs(std::span<Variant> args, size_t minimum, size_t maximum);
[[noreturn]] void ThrowNoSuchMember();
// An object argument (or Nothing): 424 for anything else.
ObjectRef ObjectArg(const Variant& value);

}  // namespace kvx::vbs
