#pragma once

// CKVXZOTDoc: the document of one open profile, without its windows. It
// owns the profile's data model and the visible-settings document of the
// profile's model group, decides when a profile is created, loaded,
// converted and stored, and produces the stored file's bytes.
//
// Every CKVXZOTException raised inside an operation is caught here and shown
// as the string-table text of its code; the operation then answers false.
// Questions go through callbacks that the front end provides; without one,
// they are asked through kvx::ShowMessage.

#include "ProfileEnvironment.h"
#include "RadioDataModel.h"
#include "VirtualCP.h"
#include "XmlService.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CKVXZOTDoc {
public:
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
        // The views re-read the profile after it was reloaded.
        std::function<void()> refreshViews;
    };

    explicit CKVXZOTDoc(std::shared_ptr<const IProfileEnvironment> environment = nullptr);
    ~CKVXZOTDoc();
    CKVXZOTDoc(const CKVXZOTDoc&) = delete;
    CKVXZOTDoc& operator=(const CKVXZOTDoc&) = delete;

    void SetCallbacks(Callbacks callbacks) { m_callbacks = std::move(callbacks); }

    // What the next New creates: the codeplug image of a finished radio read
    // (the main frame sets it; the image is borrowed for the call), else the
    // template chosen in the New Profile dialog.
    static void SetRadioReadImage(const VirtualCP* image);
    static void SetNewTemplatePath(const QString& path);
    static QString GetNewTemplatePath();

    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    // Stores the profile at path (the save question, conversion, encoding).
    bool OnSaveDocument(const QString& path);
    // The save-as dialog (replace: ask for a path even when there is one).
    bool DoSave(const QString& path, bool replace);
    // Asks whether to save a modified profile before closing: false keeps it open.
    bool SaveModified();

    bool SetVirtualCPData(const VirtualCP& image);
    // ownId: the private ID last read from the radio being written.
    bool GetVirtualCPData(VirtualCP& image, const QString& ownId = QString());
    void RefreshVisibleSettings();

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
    void SetTitle(const QString& title) { m_strTitle = title; }
    const QString& GetPathName() const { return m_strPathName; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    bool IsConverting() const { return m_bConvert; }
    bool GetUsePcClock() const { return m_bUsePcClock; }
    void SetUsePcClock(bool use) { m_bUsePcClock = use; }

    // The limit element's pid: the unit ID of the profile.
    QString GetUnitId();
    // The name proposed by Save As for a document without a path.
    QString ProposedFileName() const;

private:
    bool StoreProfile(const QString& path);
    void ShowException(const class CKVXZOTException& e) const;
    void ResetModel();

    std::shared_ptr<const IProfileEnvironment> m_environment;
    std::unique_ptr<CRadioDataModel> m_pDataModel;
    kvx::xml::XmlDocument m_spVisibleDoc;
    bool m_bConvert = false;
    bool m_bUsePcClock = false;
    bool m_bModified = false;
    QString m_strTitle;
    QString m_strPathName;
    Callbacks m_callbacks;
};
