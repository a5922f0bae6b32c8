#pragma once

// The engine's side of the scripting-host contract: result codes, engine
// states, the error object handed to the host, and the site interface
// through which the engine calls its host back.

#include "HostObject.h"
#include "Variant.h"

#include <QString>
#include <cstdint>

namespace kvx::vbs {

using HResult = int32_t;

inline constexpr HResult S_OK = 0;
inline constexpr HResult S_FALSE = 1;
inline constexpr HResult E_NOTIMPL = static_cast<HResult>(0x80004001);
inline constexpr HResult E_POINTER = static_cast<HResult>(0x80004003);
inline constexpr HResult E_FAIL = static_cast<HResult>(0x80004005);
inline constexpr HResult E_UNEXPECTED = static_cast<HResult>(0x8000FFFF);
inline constexpr HResult E_INVALIDARG = static_cast<HResult>(0x80070057);
inline constexpr HResult E_OUTOFMEMORY = static_cast<HResult>(0x8007000E);
inline constexpr HResult DISP_E_UNKNOWNNAME = static_cast<HResult>(0x80020006);
inline constexpr HResult DISP_E_MEMBERNOTFOUND = static_cast<HResult>(0x80020003);
inline constexpr HResult DISP_E_EXCEPTION = static_cast<HResult>(0x80020009);
inline constexpr HResult DISP_E_BADPARAMCOUNT = static_cast<HResult>(0x8002000E);
inline constexpr HResult TYPE_E_ELEMENTNOTFOUND = static_cast<HResult>(0x8002802B);
inline constexpr HResult SCRIPT_E_REPORTED = static_cast<HResult>(0x80020101);

inline bool Succeeded(HResult hr) { return hr >= 0; }
inline bool Failed(HResult hr) { return hr < 0; }

enum class ScriptState : uint8_t {
    Uninitialized = 0,
    Started = 1,
    Connected = 2,
    Disconnected = 3,
    Closed = 4,
    Initialized = 5,
};

// What GetItemInfo is asked for.
inline constexpr uint32_t SCRIPTINFO_IUNKNOWN = 0x1;
inline constexpr uint32_t SCRIPTINFO_ITYPEINFO = 0x2;
// Named item flags.
inline constexpr uint32_t SCRIPTITEM_ISVISIBLE = 0x2;

struct ExcepInfo {
    int32_t code = 0;        // the script error number
    QString source;
    QString description;
    HResult scode = 0;
};

// The error the engine hands to OnScriptError.
class ScriptErrorInfo {
public:
    ScriptErrorInfo(ExcepInfo info, uint32_t context, uint32_t line, int32_t charPosition, QString lineText)
        : m_info(std::move(info)), m_context(context), m_line(line), m_charPosition(charPosition), m_lineText(std::move(lineText))
    {
    }
    HResult GetExceptionInfo(ExcepInfo* info) const
    {
        if (!info)
            return E_POINTER;
        *info = m_info;
        return S_OK;
    }
    // The line as the engine numbers it: from the starting line the host
    // gave with the text (1 unless told otherwise). The position is 0-based.
    HResult GetSourcePosition(uint32_t* context, uint32_t* line, int32_t* charPosition) const
    {
        if (context)
            *context = m_context;
        if (line)
            *line = m_line;
        if (charPosition)
            *charPosition = m_charPosition;
        return S_OK;
    }
    HResult GetSourceLineText(QString* text) const
    {
        if (!text)
            return E_POINTER;
        *text = m_lineText;
        return S_OK;
    }

private:
    ExcepInfo m_info;
    uint32_t m_context;
    uint32_t m_line;
    int32_t m_charPosition;
    QString m_lineText;
};

// The host's callbacks, in the order of the scripting-site interface.
class ScriptSite {
public:
    virtual ~ScriptSite() = default;
    virtual HResult QueryInterface(const QString& interfaceName, void** object) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
    virtual HResult GetLCID(uint32_t* lcid) = 0;
    virtual HResult GetItemInfo(const QString& name, uint32_t mask, ObjectRef* object, void** typeInfo) = 0;
    virtual HResult GetDocVersionString(QString* version) = 0;
    virtual HResult OnScriptTerminate(const Variant* result, const ExcepInfo* info) = 0;
    virtual HResult OnStateChange(ScriptState state) = 0;
    virtual HResult OnScriptError(const ScriptErrorInfo& error) = 0;
    virtual HResult OnEnterScript() = 0;
    virtual HResult OnLeaveScript() = 0;
};

}  // namespace kvx::vbs
