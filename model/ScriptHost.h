#pragma once

// The host side of the rule-script engine: the script site with its
// callbacks, the reporting of script errors, the start-up probe, and the
// calling of the script's global functions by name with by-value and
// by-reference arguments.

#include "ScriptEngine.h"
#include "XmlService.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// Where script error messages are shown: a message box in the application,
// stderr in the command-line tool, a recorder in tests.
using ScriptErrorSink = std::function<void(const QString& message)>;
// Installs the process-wide sink and returns the previous one. An empty sink
// restores the default, which writes to stderr.
ScriptErrorSink SetScriptErrorSink(ScriptErrorSink sink);
void ShowScriptError(const QString& message);

// Creates the engine of a program identifier, or null when there is none.
// The default knows "VBScript"; tests install their own to make creation fail.
using ScriptEngineFactory = std::function<std::unique_ptr<kvx::vbs::ScriptEngine>(const QString& programId)>;
// Installs a factory and returns the previous one; an empty one restores the default.
ScriptEngineFactory SetScriptEngineFactory(ScriptEngineFactory factory);
std::unique_ptr<kvx::vbs::ScriptEngine> CreateScriptEngine(const QString& programId);

// "IActiveScriptSite::OnScriptError()\n", "Line: %d\n" with the line as the
// engine reports it, then the error's description.
QString FormatScriptError(const kvx::vbs::ScriptErrorInfo& error);

// The engine's host callbacks. Reference counting only counts: the site
// lives as long as its owner. The named-item table is empty unless the
// owner adds an item (the command-line tool adds its WScript object).
class CScriptSite : public kvx::vbs::ScriptSite {
public:
    CScriptSite() = default;
    CScriptSite(const CScriptSite&) = delete;
    CScriptSite& operator=(const CScriptSite&) = delete;

    kvx::vbs::HResult QueryInterface(const QString& interfaceName, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;
    kvx::vbs::HResult GetLCID(uint32_t* lcid) override;
    kvx::vbs::HResult GetItemInfo(const QString& name, uint32_t mask, kvx::vbs::ObjectRef* object,
                                  void** typeInfo) override;
    kvx::vbs::HResult GetDocVersionString(QString* version) override;
    kvx::vbs::HResult OnScriptTerminate(const kvx::vbs::Variant* result, const kvx::vbs::ExcepInfo* info) override;
    kvx::vbs::HResult OnStateChange(kvx::vbs::ScriptState state) override;
    kvx::vbs::HResult OnScriptError(const kvx::vbs::ScriptErrorInfo& error) override;
    kvx::vbs::HResult OnEnterScript() override;
    kvx::vbs::HResult OnLeaveScript() override;

    void AddNamedItem(const QString& name, kvx::vbs::ObjectRef object);
    uint32_t RefCount() const { return m_nRefCount; }
    // A sink for this site only (the process-wide sink otherwise).
    void SetErrorSink(ScriptErrorSink sink) { m_errorSink = std::move(sink); }

private:
    uint32_t m_nRefCount = 1;
    QMap<QString, kvx::vbs::ObjectRef> m_mapNamedItems;   // keyed by lower-case name
    ScriptErrorSink m_errorSink;
};

// The start-up probe: true when the VBScript engine can be created, given a
// site and initialised. Everything it creates is released again.
bool CheckScriptEngine();

// One argument of a script call, in the script function's parameter order.
class ScriptArg {
public:
    enum class Kind { String, Integer, Boolean, Node, IntegerRef };

    static ScriptArg String(const QString& text);
    static ScriptArg Integer(qint32 value);
    static ScriptArg Boolean(bool value);
    static ScriptArg Node(const kvx::xml::XmlNode& node);
    // A by-reference integer: passed starting at *value, which receives the
    // script's value (converted to a 32-bit integer) after the call.
    static ScriptArg IntegerRef(qint32* value);

    Kind GetKind() const { return m_kind; }
    kvx::vbs::Variant ToVariant() const;
    qint32* Reference() const { return m_ref; }

private:
    Kind m_kind = Kind::String;
    QString m_text;
    qint32 m_integer = 0;
    kvx::xml::XmlNode m_node;
    qint32* m_ref = nullptr;
};

// What a call returned, readable as the caller needs it.
class ScriptResult {
public:
    ScriptResult() = default;
    ScriptResult(kvx::vbs::HResult hr, kvx::vbs::Variant value) : m_hr(hr), m_value(std::move(value)) {}

    bool Succeeded() const { return kvx::vbs::Succeeded(m_hr); }
    kvx::vbs::HResult HResult() const { return m_hr; }
    const kvx::vbs::Variant& Value() const { return m_value; }

    // The value as a 32-bit integer or boolean; false when it does not
    // convert (Null, text that is no number, an object without a value).
    bool ToInt32(qint32* out) const;
    bool ToBool(bool* out) const;
    // True for an object other than Nothing.
    bool IsObject() const;
    // The node of a returned DOM object; a null node otherwise.
    kvx::xml::XmlNode ToNode() const;

private:
    kvx::vbs::HResult m_hr = kvx::vbs::E_FAIL;
    kvx::vbs::Variant m_value;
};

// The steps of starting a script, in order; Start() names the one that failed.
enum class ScriptStartStep { Done, CreateEngine, SetSite, QueryParser, InitNew, Parse, Start, GetDispatch };
// The failure text of a step ("CoCreateInstance('VBScript') failed", ...).
QString ScriptStartFailure(ScriptStartStep step);

// One running rule script: its engine, its site and its global dispatch.
class CScriptHost {
public:
    CScriptHost();
    ~CScriptHost();
    CScriptHost(const CScriptHost&) = delete;
    CScriptHost& operator=(const CScriptHost&) = delete;

    // Creates the engine, hands it the site, parses the text as global code
    // (its first line is line 1 in messages), starts it and takes its global
    // dispatch. Errors in the text are reported through the site.
    ScriptStartStep Start(const QString& scriptText);
    // Makes a host object visible to the script under a global name; call
    // before Start. The data model adds none.
    void AddNamedItem(const QString& name, kvx::vbs::ObjectRef object);
    // Safety limits for the engine (call before Start; defaults otherwise).
    void SetLimits(const kvx::vbs::ScriptLimits& limits) { m_limits = limits; }
    bool IsStarted() const { return m_spScriptDispatch != nullptr; }

    // Calls a global function by name (resolved on every call). Fails for a
    // name the script does not define, for a script error (reported through
    // the site) and when a by-reference integer does not convert back.
    ScriptResult CallFunction(const QString& name, const std::vector<ScriptArg>& args);

    CScriptSite& Site() { return m_site; }
    kvx::vbs::ScriptEngine* Engine() { return m_spScriptEngine.get(); }

private:
    CScriptSite m_site;
    std::unique_ptr<kvx::vbs::ScriptEngine> m_spScriptEngine;
    kvx::vbs::ScriptDispatch* m_spScriptDispatch = nullptr;
    QStringList m_namedItems;
    kvx::vbs::ScriptLimits m_limits;
};
