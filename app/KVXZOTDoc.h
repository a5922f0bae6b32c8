#pragma once

// CKVXZOTDoc: the document of one open profile, without its windows. It
// owns the profile's data model, the visible-settings document of the
// profile's model group and the undo history, decides when a profile is
// created, loaded, converted and stored, and produces the stored file's
// bytes. Windows bind to its signals; every change of the profile goes
// through Apply (see app/README.md, "Binding a window to a document").
//
// Every CKVXZOTException raised inside an operation is caught here and shown
// through the document's message sink as the string-table text of its code;
// the operation then answers false (or an outcome of kind Failed).

#include "DocumentEdit.h"
#include "Messages.h"
#include "ProfileEnvironment.h"
#include "RadioDataModel.h"
#include "ScriptHost.h"
#include "VirtualCP.h"
#include "XmlService.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QUndoStack;

class CKVXZOTDoc : public QObject {
    Q_OBJECT
public:
    // The questions a save asks, answered by the front end. Without one the
    // question goes to the message sink.
    struct Callbacks {
        // Message 297: convert an old-format profile? true for Yes.
        std::function<bool()> askConvert;
        // The save-changes question for a modified document, naming it:
        // kvx::kIdYes, kIdNo or kIdCancel.
        std::function<int(const QString& name)> askSaveChanges;
        // The save-as dialog: the chosen path, or empty when cancelled.
        std::function<QString(const QString& proposedPath)> askSavePath;
        // The active form view commits its pending edits; false refuses.
        std::function<bool()> commitPendingEdits;
    };

    // Steps of undo kept at most; a maximal profile's step costs a few
    // kilobytes (snapshots are compressed), so the history stays small.
    static constexpr int kUndoLimit = 200;

    explicit CKVXZOTDoc(std::shared_ptr<const IProfileEnvironment> environment = nullptr, QObject* parent = nullptr);
    ~CKVXZOTDoc() override;

    void SetCallbacks(Callbacks callbacks) { m_callbacks = std::move(callbacks); }

    // Where this document's messages and its rule script's errors go. Empty:
    // the process-wide handler (kvx::ShowMessage, ShowScriptError).
    void SetMessageSink(kvx::MessageHandler sink) { m_messageSink = std::move(sink); }
    void SetScriptErrorSink(ScriptErrorSink sink) { m_scriptErrorSink = std::move(sink); }
    int ShowMessage(const QString& text, unsigned style = kvx::kMbOk) const;
    int ShowMessageId(int id, unsigned style = kvx::kMbOk) const;

    // New profile from a template file (the New Profile dialog's choice).
    bool OnNewDocument(const QString& templatePath);
    // New profile from the codeplug image of a finished radio read: modified,
    // titled with the radio's private ID.
    bool OnNewDocument(const VirtualCP& radioImage);
    bool OnOpenDocument(const QString& path);
    // Stores the profile at path (the save question, conversion, encoding).
    bool OnSaveDocument(const QString& path);
    // The save-as dialog (replace: ask for a path even when there is one).
    bool DoSave(const QString& path, bool replace);
    // Asks whether to save a modified profile before closing: false keeps it open.
    bool SaveModified();

    // The image's profile replaces the current one (no undo history, no
    // change of the modified flag, no visible-settings refresh).
    bool SetVirtualCPData(const VirtualCP& image);
    // "No" to the read question: the image replaces the profile, the
    // document is modified and its visible settings follow the new group.
    bool ReplaceWithRadioImage(const VirtualCP& image);
    // ownId: the private ID last read from the radio being written.
    bool GetVirtualCPData(VirtualCP& image, const QString& ownId = QString());
    void RefreshVisibleSettings();

    // The edit path. Applies one change through the profile's rules. An
    // applied change marks the document modified and is one undo step; a
    // refused, unconfirmed or failed one leaves the profile as it was.
    // `confirmed` carries the user's OK to a NeedsConfirmation outcome.
    EditOutcome Apply(const EditRequest& request, bool confirmed = false);
    // Apply with the confirmation protocol: when the rules ask, `confirm`
    // asks the user and a Yes applies the change again, confirmed. Returns
    // the last outcome (NeedsConfirmation when the user said No).
    EditOutcome ApplyWithConfirmation(const EditRequest& request, const EditConfirmation& confirm);

    // The undo history of the profile's edits, for the window's Undo and
    // Redo (QUndoGroup, createUndoAction). Its clean state is the saved one.
    QUndoStack* UndoStack() const { return m_undoStack; }

    // Tells every window of the document (those connected to
    // updateAllViews) about a change; `sender` is the view that made it.
    void UpdateAllViews(QObject* sender, quint32 hint) { emit updateAllViews(sender, hint); }

    // The New Profile dialog: the template names (file names without
    // ".jub") and their paths. Empty names: message 10114 has been shown.
    static QStringList TemplateNames(const IProfileEnvironment& environment, bool showMessageWhenNone = true);
    static QString TemplatePath(const IProfileEnvironment& environment, const QString& name);
    // Loads a template once into a temporary model; false shows its message.
    static bool TrialLoadTemplate(const QString& path, std::shared_ptr<const IProfileEnvironment> environment);

    // The open and save dialogs' filters and the default extension.
    static QString OpenFilter();
    static QString SaveFilter();
    static QString DefaultExtension() { return QStringLiteral("jub"); }

    CRadioDataModel& GetDataModel() { return *m_pDataModel; }
    CDataItem& GetRootItem() { return m_pDataModel->GetRootItem(); }
    const kvx::xml::XmlDocument& GetVisibleSettings() const { return m_spVisibleDoc; }
    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    bool IsModified() const;
    // Modified without an undo step, or saved (false).
    void SetModifiedFlag(bool modified = true);
    bool IsConverting() const { return m_bConvert; }
    bool GetUsePcClock() const { return m_bUsePcClock; }
    void SetUsePcClock(bool use) { m_bUsePcClock = use; }

    // The limit element's pid: the unit ID of the profile.
    QString GetUnitId();
    // The name proposed by Save As for a document without a path.
    QString ProposedFileName() const;

signals:
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);
    // The profile was replaced as a whole (undo, redo, a radio image, a
    // conversion, a failed edit rolled back): every CDataItem taken before is
    // stale; views re-read the profile.
    void profileReloaded();
    void updateAllViews(QObject* sender, quint32 hint);

private:
    friend class CProfileSnapshotCommand;

    bool StoreProfile(const QString& path);
    void ShowException(const class CKVXZOTException& e) const;
    void ResetModel();
    // A fresh model, no conversion, no history: the start of New and Open.
    void BeginProfile();
    // A profile in place of the old one: no history, modified or not.
    void ClearHistory(bool modified);
    // byRules: a rule-script hook carried the change out (adds always).
    EditOutcome Run(const EditRequest& request, bool confirmed, bool& byRules);

    // An applied edit that made the profile one that could not be opened
    // again becomes a refusal with the reason; true then.
    bool RefuseUnstorable(const QByteArray& before, const QString& profileXml, EditOutcome& outcome) const;

    // The profile text as undo keeps it, and its restoring.
    static QByteArray Compress(const QString& profileXml);
    QByteArray TakeSnapshot() const;
    void RestoreSnapshot(const QByteArray& snapshot);

    std::shared_ptr<const IProfileEnvironment> m_environment;
    std::unique_ptr<CRadioDataModel> m_pDataModel;
    kvx::xml::XmlDocument m_spVisibleDoc;
    QUndoStack* m_undoStack = nullptr;
    bool m_bConvert = false;
    bool m_bUsePcClock = false;
    QString m_strTitle;
    QString m_strPathName;
    Callbacks m_callbacks;
    kvx::MessageHandler m_messageSink;
    ScriptErrorSink m_scriptErrorSink;
};
