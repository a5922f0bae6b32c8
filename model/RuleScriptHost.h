#pragma once

// The rule script of a data model run by the script host.

#include "RuleScript.h"
#include "ScriptHost.h"

#include <memory>

class CHostRuleScript final : public IRuleScript {
public:
    explicit CHostRuleScript(std::unique_ptr<CScriptHost> host);
    ~CHostRuleScript() override;

    bool Call(const QString& name, std::vector<ScriptArgument>& args, ScriptReturn& result) override;

    // Starts a script text; raises CKVXZOTException 101 with the failing
    // step's text ("ParseScriptText failed", ...). The script's errors go to
    // errorSink, or to the process-wide sink when it is empty.
    static std::shared_ptr<IRuleScript> Start(const QString& scriptText, ScriptErrorSink errorSink = {});

private:
    std::unique_ptr<CScriptHost> m_host;
};
