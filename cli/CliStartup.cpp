#include "CliStartup.h"

#include "Messages.h"
#include "ScriptHost.h"
#include "TransferState.h"

#include <QTextStream>

void InstallCliMessageHandler(int defaultAnswer)
{
    kvx::SetMessageHandler([defaultAnswer](const QString& text, unsigned style) {
        QTextStream(stderr) << text << '\n';
        const unsigned buttons = style & 0x0F;
        if (buttons == kvx::kMbOk)
            return static_cast<int>(kvx::kIdOk);
        return defaultAnswer;
    });
}

std::unique_ptr<CKVXZOTApp> StartHeadless()
{
    InstallCliMessageHandler(kvx::kIdNo);
    // Radios must report this clone compatibility level to be served.
    CTransferState::Instance().SetExpectedCloneLevel(1);
    auto app = std::make_unique<CKVXZOTApp>([] { return CheckScriptEngine(); });
    if (!app->InitInstance())
        return nullptr;
    return app;
}
