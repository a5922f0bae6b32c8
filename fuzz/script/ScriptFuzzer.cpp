// Arbitrary text as a script: parse, start, and call Main and F(x) when the
// script defines them, with a small profile document to work on. The engine
// must report errors, never crash, and stop runaway code within its limits.

#include "DomBridge.h"
#include "ScriptEngine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kvx::vbs;

namespace {

class QuietSite : public ScriptSite {
public:
    HResult QueryInterface(const QString&, void** object) override
    {
        *object = nullptr;
        return E_NOTIMPL;
    }
    uint32_t AddRef() override { return ++refs; }
    uint32_t Release() override { return --refs; }
    HResult GetLCID(uint32_t*) override { return E_NOTIMPL; }
    HResult GetItemInfo(const QString&, uint32_t, ObjectRef* object, void**) override
    {
        *object = document.ObjectValue();
        return S_OK;
    }
    HResult GetDocVersionString(QString*) override { return E_NOTIMPL; }
    HResult OnScriptTerminate(const Variant*, const ExcepInfo*) override { return S_OK; }
    HResult OnStateChange(ScriptState) override { return S_OK; }
    HResult OnScriptError(const ScriptErrorInfo& error) override
    {
        ExcepInfo info;
        error.GetExceptionInfo(&info);
        if (info.description.isEmpty())
            std::abort();   // every error carries its description
        return S_OK;
    }
    HResult OnEnterScript() override { return S_OK; }
    HResult OnLeaveScript() override { return S_OK; }

    uint32_t refs = 1;
    Variant document;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    kvx::xml::XmlDocument doc = kvx::xml::XmlDocument::Create();
    doc.LoadXml(QStringLiteral("<KVXProfile xmlns=\"urn:varnholt:kvxzot:profile\"><Contacts>"
                               "<Private name=\"A\" pid=\"1\"/><Private name=\"B\"/></Contacts></KVXProfile>"));
    QuietSite site;
    site.document = WrapDocument(doc);
    {
        ScriptEngine engine;
        ScriptLimits limits;
        limits.maxSteps = 20000;
        limits.maxCallDepth = 200;
        limits.maxStackBytes = 256 * 1024;
        limits.maxMemoryBytes = 64 * 1024 * 1024;
        limits.maxMilliseconds = 1000;
        engine.SetLimits(limits);
        engine.SetScriptSite(&site);
        engine.InitNew();
        engine.AddNamedItem(QStringLiteral("Doc"), SCRIPTITEM_ISVISIBLE);
        engine.ParseScriptText(text);
        engine.SetScriptState(ScriptState::Started);
        ScriptDispatch* dispatch = engine.GetScriptDispatch();
        int32_t id = -1;
        if (Succeeded(dispatch->GetIDsOfNames(QStringLiteral("Main"), &id)))
            dispatch->Invoke(id, {}, nullptr);
        if (Succeeded(dispatch->GetIDsOfNames(QStringLiteral("F"), &id))) {
            Variant arg = Variant::Long(1);
            Variant* args[] = {&arg};
            Variant result;
            dispatch->Invoke(id, args, &result);
        }
    }
    if (site.refs != 1)
        std::abort();   // the engine released the site it took
    return 0;
}
