#pragma once

#include "DeviceJob.h"
#include "KVXZOTApp.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// What the device commands share: their options, the port, the progress
// display on stderr, questions and the password prompt on the terminal,
// and the device-command chain run without windows.
struct DeviceOptions {
    QString port;                  // --port: a path, or a device name in /dev
    bool portGiven = false;
    bool yes = false;              // --yes answers every question Yes
    std::optional<QString> password;   // --password
    QStringList rest;              // the arguments that are not device options
};

// Parses --port PORT, --yes and --password TEXT out of args. False (with the
// reason printed) on a malformed option.
bool ParseDeviceOptions(const QStringList& args, DeviceOptions& options);
// The usage lines of the common device options.
QString DeviceOptionsHelp();

// Prints the main-window text of a result code; returns the exit code 1.
int ReportFailure(int code);

// Runs the device commands as jobs and shows their signals on the terminal.
class CCliDevice {
public:
    explicit CCliDevice(const DeviceOptions& options);
    ~CCliDevice();

    // The port of every transfer: --port, else the configured one.
    QString Port();
    // A job of the command on Port() with the installation's model groups.
    std::unique_ptr<CDeviceJob> MakeJob(CDeviceJob::Command command);

    // Runs job to its end: progress on stderr, questions and the password
    // (--password first) on the terminal. A Read or Write job calls
    // onIdentified when the radio is identified; it proceeds the job, or
    // answers false to stop it, its reason shown (without it the job
    // proceeds). Returns the job's result, its failure text printed (a
    // user's cancel too).
    int Run(CDeviceJob& job, const std::function<bool(CDeviceJob&)>& onIdentified = {});

    // A Yes/No question on the terminal: --yes answers Yes, no terminal No.
    bool AskYesNo(const QString& question);

private:
    // The headless application: configuration check and settings documents.
    // Started on first use; null when its start-up failed.
    CKVXZOTApp* App();
    void ShowProgress(int percent);
    void EndProgress();

    DeviceOptions m_options;
    std::unique_ptr<CKVXZOTApp> m_app;
    bool m_bAppTried = false;
    bool m_bPasswordOffered = false;
    bool m_bProgressShown = false;
};

// Whether standard input and standard error are terminals.
bool StdinIsTerminal();
bool StderrIsTerminal();
