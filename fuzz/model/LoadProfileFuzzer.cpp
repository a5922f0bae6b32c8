// libFuzzer target: arbitrary bytes as a profile file, loaded through the
// data model (both stored forms, unscrambling, sorts, compatibility check,
// model-group fields, schema validation, public group ranges), then
// prepared for saving. Every failure must be a CKVXZOTException.

#include "AppProfileEnvironment.h"
#include "KVXZOTApp.h"
#include "KVXZOTException.h"
#include "Messages.h"
#include "RadioDataModel.h"
#include "MachineDefaults.h"
#include "ScriptHost.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

struct Setup {
    Setup()
    {
        kvx::registry::UseScratchStore(dir.path(), QStringLiteral(KVX_INSTALLATION_DIR));
        kvx::SetMessageHandler([](const QString&, unsigned) { return 1; });
        SetScriptErrorSink([](const QString&) {});
        if (!app.InitInstance())
            std::abort();
        model = std::make_unique<CRadioDataModel>(CAppProfileEnvironment::Instance());
    }
    QString Path() const { return dir.filePath(QStringLiteral("input.jub")); }

    QTemporaryDir dir;
    CKVXZOTApp app{[] { return true; }};
    std::unique_ptr<CRadioDataModel> model;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Setup setup;
    {
        QFile file(setup.Path());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    try {
        if (setup.model->LoadProfile(setup.Path(), true)) {
            setup.model->TakeOffDoc(false);
            (void)setup.model->GetOperaXml();
        }
    } catch (const CKVXZOTException&) {
        // A refused file: its code is shown to the user.
    }
    return 0;
}
