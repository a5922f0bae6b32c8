#pragma once

#include "DeviceCommandChain.h"
#include "KVXZOTApp.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// What the device commands share: their options, the port, the progress
// display on stderr, questions and the password prompt on the terminal,
// and the device-command chain run without windows.
struct DeviceOptions {
    QString port;                  // --port, used exactly as given
    bool portGiven = false;
    bool yes = false;              // --yes answers every question Yes
    std::optional<QString> password;   // --password
    QStringList rest;              // the arguments that are not device options
};

// Parses --port PATH, --yes and --password TEXT out of args. False (with the
// reason printed) on a malformed option.
bool ParseDeviceOptions(const QStringList& args, DeviceOptions& options);
// The usage lines of the common device options.
QString DeviceOptionsHelp();

// Prints the main-window text of a result code; returns the exit code 1.
int ReportFailure(int code);

// Runs the transfers of the device commands and shows their messages.
class CCliDevice {
public:
    explicit CCliDevice(const DeviceOptions& options);
    ~CCliDevice();

    // The port of every transfer: --port, else the configured one.
    QString Port();
    // Runs a command's chain up to its flow; flow runs when the radio is
    // identified (and the password read). Returns the command's result: 1,
    // or the failing code after it has been printed.
    int RunChain(CDeviceCommandChain::Command command, const std::function<int()>& flow = {});
    CDeviceCommandChain& Chain() { return *m_chain; }

    // Runs body as a worker transfer, showing progress and answering
    // questions, until its Done or Failed; returns 1 or the failure code
    // (printed).
    int RunWorker(const std::function<void()>& body);

    // The password check of the flows: --password first, then the terminal.
    bool CheckPassword() { return m_chain->CheckPassword(); }

private:
    // The headless application: configuration check and settings documents.
    // Started on first use; null when its start-up failed.
    CKVXZOTApp* App();
    bool AskYesNo(const QString& question);
    void ShowProgress(int percent);
    void EndProgress();

    DeviceOptions m_options;
    std::unique_ptr<CKVXZOTApp> m_app;
    bool m_bAppTried = false;
    std::shared_ptr<CTransferMessageQueue> m_queue = std::make_shared<CTransferMessageQueue>();
    std::unique_ptr<CDeviceCommandChain> m_chain;
    std::function<void()> m_flow;   // the flow of the running chain
    bool m_bPasswordOffered = false;
    bool m_bProgressShown = false;
    int m_nFailure = 0;
};

// Whether standard input and standard error are terminals.
bool StdinIsTerminal();
bool StderrIsTerminal();
