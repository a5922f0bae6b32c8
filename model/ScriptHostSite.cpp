#include "ScriptHost.h"

#include <cstdio>

using namespace kvx::vbs;

namespace {

ScriptErrorSink& ProcessSink()
{
    static ScriptErrorSink sink;
    return sink;
}

}  // namespace

ScriptErrorSink SetScriptErrorSink(ScriptErrorSink sink)
{
    ScriptErrorSink previous = std::move(ProcessSink());
    ProcessSink() = std::move(sink);
    return previous;
}

void ShowScriptError(const QString& message)
{
    if (ProcessSink()) {
        ProcessSink()(message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

QString FormatScriptError(const ScriptErrorInfo& error)
{
    uint32_t context = 0;
    uint32_t line = 0;
    int32_t position = 0;
    error.GetSourcePosition(&context, &line, &position);
    ExcepInfo info;
    error.GetExceptionInfo(&info);
    return QStringLiteral("IActiveScriptSite::OnScriptError()\n") + QStringLiteral("Line: %1\n").arg(line)
        + info.description;
}

HResult CScriptSite::QueryInterface(const QString&, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOTIMPL;
}

uint32_t CScriptSite::AddRef()
{
    return ++m_nRefCount;
}

uint32_t CScriptSite::Release()
{
    return --m_nRefCount;
}

HResult CScriptSite::GetLCID(uint32_t*)
{
    return E_NOTIMPL;
}

HResult CScriptSite::GetItemInfo(const QString& name, uint32_t mask, ObjectRef* object, void** typeInfo)
{
    if (typeInfo) {
        *typeInfo = nullptr;
        if (mask & SCRIPTINFO_ITYPEINFO)
            return TYPE_E_ELEMENTNOTFOUND;
    }
    if (object) {
        object->reset();
        if (mask & SCRIPTINFO_IUNKNOWN) {
            auto it = m_mapNamedItems.find(name.toLower());
            if (it != m_mapNamedItems.end())
                *object = it.value();
        }
    }
    return S_OK;
}

HResult CScriptSite::GetDocVersionString(QString*)
{
    return E_NOTIMPL;
}

HResult CScriptSite::OnScriptTerminate(const Variant*, const ExcepInfo*)
{
    return S_OK;
}

HResult CScriptSite::OnStateChange(ScriptState)
{
    return S_OK;
}

HResult CScriptSite::OnScriptError(const ScriptErrorInfo& error)
{
    // The failing source line is available but not shown.
    QString lineText;
    error.GetSourceLineText(&lineText);
    const QString message = FormatScriptError(error);
    if (m_errorSink)
        m_errorSink(message);
    else
        ShowScriptError(message);
    return S_OK;
}

HResult CScriptSite::OnEnterScript()
{
    return S_OK;
}

HResult CScriptSite::OnLeaveScript()
{
    return S_OK;
}

void CScriptSite::AddNamedItem(const QString& name, ObjectRef object)
{
    m_mapNamedItems.insert(name.toLower(), std::move(object));
}
