#pragma once

// Shared helpers of the interpreter tests: an engine with a site that
// records reported errors, and one-line evaluation of expressions.

#include "ScriptEngine.h"

#include <QString>
#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace kvx::vbs::test {

struct ReportedError {
    int32_t number = 0;
    QString description;
    uint32_t line = 0;
    int32_t position = 0;
};

class RecordingSite : public ScriptSite {
public:
    HResult QueryInterface(const QString&, void** object) override
    {
        if (object)
            *object = nullptr;
        return E_NOTIMPL;
    }
    uint32_t AddRef() override { return ++refs; }
    uint32_t Release() override { return --refs; }
    HResult GetLCID(uint32_t*) override { return E_NOTIMPL; }
    HResult GetItemInfo(const QString& name, uint32_t, ObjectRef* object, void**) override
    {
        for (const auto& [itemName, item] : items)
            if (itemName.compare(name, Qt::CaseInsensitive) == 0) {
                *object = item;
                return S_OK;
            }
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HResult GetDocVersionString(QString*) override { return E_NOTIMPL; }
    HResult OnScriptTerminate(const Variant*, const ExcepInfo*) override { return S_OK; }
    HResult OnStateChange(ScriptState s) override
    {
        states.push_back(s);
        return S_OK;
    }
    HResult OnScriptError(const ScriptErrorInfo& error) override
    {
        ExcepInfo info;
        error.GetExceptionInfo(&info);
        ReportedError r;
        r.number = info.code;
        r.description = info.description;
        error.GetSourcePosition(nullptr, &r.line, &r.position);
        errors.push_back(r);
        return S_OK;
    }
    HResult OnEnterScript() override { ++entered; return S_OK; }
    HResult OnLeaveScript() override { ++left; return S_OK; }

    uint32_t refs = 1;
    int entered = 0;
    int left = 0;
    std::vector<ScriptState> states;
    std::vector<ReportedError> errors;
    std::vector<std::pair<QString, ObjectRef>> items;
};

// An engine that has run a script.
class ScriptRun {
public:
    ScriptRun() = default;
    explicit ScriptRun(const QString& code, ScriptLimits limits = {}) { Load(code, limits); }

    // Parses and starts; false when an error was reported.
    bool Load(const QString& code, ScriptLimits limits = {});
    // Calls a global procedure with values (ByRef parameters alias them).
    Variant Call(const QString& name, std::vector<Variant*> args = {});
    Variant Call(const QString& name, std::vector<Variant> values);
    // The number of the last reported error, 0 if none.
    int32_t LastError() const { return site.errors.empty() ? 0 : site.errors.back().number; }

    RecordingSite site;
    ScriptEngine engine;
    HResult lastResult = S_OK;
};

// The value of one expression, evaluated in a fresh engine.
Variant Eval(const QString& expression, const QString& prelude = QString());
// The number of the error reported while running the code (0 if none).
int32_t ErrorOf(const QString& code);
// TypeName and text of an expression's value, as "Integer:5".
QString Describe(const QString& expression);
// Expects each expression to be described as given ("Integer:5", or
// "error N").
void ExpectDescribed(std::initializer_list<std::pair<const char*, const char*>> cases);
// Runs a script and calls its function Main: the text it returns, or
// "error N line L" for the first error.
QString RunMain(const QString& code);

}  // namespace kvx::vbs::test
