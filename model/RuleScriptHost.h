#pragma once

// The rule script of a data model run by the script host.

#include "RuleScript.h"

#include <memory>

class CScriptHost;

class CHostRuleScript final : public IRuleScript {
public:
    explicit CHostRuleScript(std::unique_ptr<CScriptHost> host);
    ~CHostRuleScript() override;

    bool Call(const QString& name, std::vector<ScriptArgument>& args, ScriptReturn& result) override;

    // Starts a script text; raises CKVXZOTException 101 with the failing
    // step's text ("ParseScriptText failed", ...).
    static std::shared_ptr<IRuleScript> Start(const QString& scriptText);

private:
    std::unique_ptr<CScriptHost> m_host;
};
