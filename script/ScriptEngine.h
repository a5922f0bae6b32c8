#pragma once

// The script engine as its host sees it: created, given a site, initialised,
// fed script text, started, and then asked to call global functions by name
// through its global dispatch. Errors never escape as exceptions: they are
// reported to the site's OnScriptError and the call returns a failure code.

#include "Interpreter.h"
#include "ScriptSite.h"

#include <QStringList>
#include <memory>
#include <span>

namespace kvx::vbs {

class ScriptEngine;

// The dispatch interface of the global script: its Functions and Subs.
class ScriptDispatch {
public:
    explicit ScriptDispatch(ScriptEngine& engine) : m_engine(engine) {}
    // DISP_E_UNKNOWNNAME for a name the script does not define as a procedure.
    HResult GetIDsOfNames(const QString& name, int32_t* dispId);
    // Calls the procedure as a method. `args` are in the script's parameter
    // order; a ByRef parameter aliases the caller's variant, which the
    // caller reads back afterwards. `result` may be null.
    HResult Invoke(int32_t dispId, std::span<Variant* const> args, Variant* result);

private:
    ScriptEngine& m_engine;
    QStringList m_names;   // dispatch id → lower-case name
};

class ScriptEngine {
public:
    ScriptEngine();
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    HResult SetScriptSite(ScriptSite* site);
    HResult GetScriptSite(ScriptSite** site) const;
    // Uninitialized → Initialized. Needs a site.
    HResult InitNew();
    // Makes a host object visible under a global name; its object comes
    // from the site's GetItemInfo when the engine starts.
    HResult AddNamedItem(const QString& name, uint32_t flags);
    // Compiles a text as global code; its lines are numbered from
    // `startingLine`. A compilation error rejects the whole text. When the
    // engine is started the text's global code runs at once, otherwise at
    // start.
    HResult ParseScriptText(const QString& code, uint32_t sourceContext = 0, int startingLine = 1);
    // Started runs the global code parsed so far; Closed closes the engine.
    HResult SetScriptState(ScriptState state);
    ScriptState GetScriptState() const { return m_state; }
    HResult Close();
    // The global dispatch; null before InitNew.
    ScriptDispatch* GetScriptDispatch();

    void SetLimits(const ScriptLimits& limits) { m_interpreter.SetLimits(limits); }
    const ScriptLimits& Limits() const { return m_interpreter.Limits(); }

private:
    friend class ScriptDispatch;
    struct SourceText {
        QString text;
        uint32_t context;
        int startingLine;
    };

    void ChangeState(ScriptState state);
    HResult RunPending();
    void BindNamedItems();
    // Reports an error to the site; returns SCRIPT_E_REPORTED.
    HResult Report(const ScriptError& error, const SourceText* source = nullptr);
    static QString LineText(const SourceText& source, int line);

    ScriptState m_state = ScriptState::Uninitialized;
    ScriptSite* m_site = nullptr;
    GlobalScope m_globals;
    Interpreter m_interpreter;
    std::vector<std::unique_ptr<Module>> m_modules;
    size_t m_modulesRun = 0;
    std::vector<SourceText> m_sources;
    struct NamedItem {
        QString name;
        int slot;
        bool bound = false;
    };
    std::vector<NamedItem> m_namedItems;
    std::unique_ptr<ScriptDispatch> m_dispatch;
};

}  // namespace kvx::vbs
