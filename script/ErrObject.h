#pragma once

// The script's Err object: Number (its default member), Description,
// Source, Clear and Raise over the interpreter's error state.

#include "HostObject.h"

namespace kvx::vbs {

struct ErrState;

class ErrObject : public HostObject {
public:
    // Shares the state, so the object stays usable after its engine is gone.
    explicit ErrObject(std::shared_ptr<ErrState> state) : m_state(std::move(state)) {}
    QString TypeName() const override { return QStringLiteral("ErrObject"); }
    const MemberTable* Members() const override;
    Variant Invoke(int memberId, InvokeKind kind, std::span<Variant> args) override;

private:
    std::shared_ptr<ErrState> m_state;
};

}  // namespace kvx::vbs
