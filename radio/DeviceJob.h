#pragma once

// CDeviceJob: one whole device command (identify, read, write, reset, read
// a private ID over the air) run on a worker thread of its own, including
// the identification and password steps that precede a read or write. The
// caller's thread never exchanges a byte with the radio; it only receives
// the job's signals (always emitted on the thread the job lives in, through
// its event loop) and answers through the job's slots. See radio/README.md.
//
// Read and Write, in order:
//   [Write: the radio's own ID]  [Read: 200 ms pause]  identification,
//   model group, [latest group: the radio's password]
//   -> identified(); the job waits for proceed() (Write: with the image)
//   -> passwordRequested() while the radio has a password, until
//      givePassword() gives it exactly or refusePassword() ends the job
//   -> transferStarted(), progress() and question() of the codeplug transfer
//   -> finished(result)
// Identify ends after the identification; Reset and ReadPrivateId run
// their one transfer. finished() is always the last signal.

#include "VirtualCP.h"

#include <QObject>
#include <QThread>
#include <QString>
#include <array>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class CDeviceJob : public QObject {
    Q_OBJECT
public:
    enum class Command { Identify, Read, Write, Reset, ReadPrivateId };

    // The connected radio as the identification found it.
    struct RadioIdentity {
        std::array<quint8, 7> version{};   // CodeplugVersion bytes, phase first
        QString versionText;               // "R5E.08.00"
        int modelGroup = 0;                // 0 when no group holds the version
        QString ownId;                     // Write only: the radio's own private ID
        bool hasPassword = false;
    };

    // Maps a firmware version text to its model group. Called on the job's
    // worker thread: it must not touch objects of other threads
    // (CKVXZOTApp::VersionGroupResolver gives one that owns its data).
    using ModelGroupResolver = std::function<int(const QString& versionText)>;

    CDeviceJob(Command command, const QString& portName, ModelGroupResolver modelGroup = {}, QObject* parent = nullptr);
    // Cancels a running job and waits for its worker; a command already on
    // the line completes first (up to its retries).
    ~CDeviceJob() override;

    Command GetCommand() const { return m_command; }
    bool IsRunning() const { return m_worker != nullptr; }
    bool IsFinished() const { return m_nResult != 0; }
    // 1 after success, the negative result code after a failure (-12 when
    // the user cancelled, refused the password or answered No); 0 before.
    int Result() const { return m_nResult; }

    // Valid from identified() on.
    const RadioIdentity& Identity() const { return m_identity; }
    // After a successful Read: the radio's content (the main frame copies it
    // into its own image).
    const VirtualCP& ReadImage() const { return m_readImage; }
    // After a successful ReadPrivateId: the received ID.
    const QString& PrivateId() const { return m_strPrivateId; }
    // After a failed or cancelled Write: the radio had taken at least one
    // record and now holds an incomplete profile (WriteIncompleteText).
    bool RadioLeftIncomplete() const { return m_bRadioIncomplete; }

    // The texts and message-box style of a transfer question: -2 (10031) and
    // -1 (10030) Yes/No, anything else "Unknown Warning!" (10032) with OK.
    static QString QuestionText(int code);
    static unsigned QuestionStyle(int code);

public slots:
    void start();
    // Read: go on after identified(). Write: the image to write (the
    // profile converted with Identity().ownId); a Write without one is
    // cancelled.
    void proceed();
    void proceed(const VirtualCP& writeImage);
    // The user's answer to question(): true for OK or Yes.
    void answer(bool accepted);
    void givePassword(const QString& text);
    void refusePassword();
    // The user accepted message 10031 already for this write: question -2
    // is then answered Yes without being asked.
    void setProfileNotSupportedAccepted(bool accepted);
    // Stops the job at its next step; it finishes with -12.
    void cancel();

signals:
    void identified();
    void passwordRequested();
    // The given password was wrong (show 302); passwordRequested() follows.
    void passwordRejected();
    void transferStarted();
    void progress(int percent);
    void question(int code, const QString& text, unsigned style);
    void finished(int result);

private:
    class Notify;
    enum class Wait { Proceed, Password };

    void Run();
    int RunCommand();
    int Identify();
    int CheckPassword();
    int LastFailure(int fallback) const;
    void JoinWorker();
    // Blocks the worker until the caller gives what `what` needs or cancels;
    // false on a cancel.
    bool WaitFor(Wait what, QString* password = nullptr);
    bool PauseMs(int ms);
    bool ProfileNotSupportedAccepted() const;
    // Emits through the job's own thread, in order.
    template <typename F>
    void Post(F&& emitter);

    const Command m_command;
    const QString m_strPort;
    const ModelGroupResolver m_modelGroup;
    // A QThread, not a bare thread: the serial port's notifier needs one.
    std::unique_ptr<QThread> m_worker;
    std::shared_ptr<Notify> m_notify;

    mutable std::mutex m_mutex;   // guards the members below
    std::condition_variable m_changed;
    bool m_bActive = false;       // the worker owns the process-wide transfer state
    bool m_bCancel = false;
    bool m_bProceed = false;
    std::optional<QString> m_password;
    bool m_bProfileNotSupportedAccepted = false;
    VirtualCP m_writeImage;

    // Written by the worker, read by the caller after the signals that announce them.
    RadioIdentity m_identity;
    QString m_strRadioPassword;
    VirtualCP m_readImage;
    QString m_strPrivateId;
    int m_nResult = 0;
    bool m_bRadioIncomplete = false;
};
