// CKVXZOTDoc: storing a profile, the conversion question and the save
// decisions before closing.

#include "KVXZOTDoc.h"

#include "KVXZOTException.h"
#include "MessageIds.h"
#include "Messages.h"
#include "ModelGroup.h"
#include "ProfileFile.h"
#include "StringTable.h"
#include "TextFiles.h"

#include <QFileInfo>

bool CKVXZOTDoc::OnSaveDocument(const QString& path)
{
    if (m_callbacks.commitPendingEdits && !m_callbacks.commitPendingEdits())
        return false;
    if (!StoreProfile(path))
        return false;
    SetModifiedFlag(false);
    return true;
}

bool CKVXZOTDoc::StoreProfile(const QString& path)
{
    try {
        CRadioDataModel& model = *m_pDataModel;
        if (!model.IsLoaded())
            KVX_RAISE(kMsgSaveFailed, QStringLiteral("No profile is loaded."), "CKVXZOTDoc::OnSaveDocument");

        if (model.GetGroup() != kLatestModelGroup && !m_bConvert) {
            const bool yes = m_callbacks.askConvert
                                 ? m_callbacks.askConvert()
                                 : ShowMessageId(kMsgConvertProfile, kvx::kMbYesNo | kvx::kMbIconQuestion) == kvx::kIdYes;
            if (yes)
                m_bConvert = true;
        }

        const auto fail = [&path](const QString& reason) {
            KVX_RAISE_BECAUSE(kMsgSaveFailed, reason, QStringLiteral("File='%1'\nDesc: %2").arg(path, reason), "CKVXZOTDoc::OnSaveDocument");
        };
        // The last guard: never store what opening would refuse.
        const QString unstorable = model.CheckStorable(model.GetProfileXml());
        if (!unstorable.isEmpty())
            fail(unstorable);

        model.TakeOffDoc(m_bConvert);
        if (m_bConvert)
            model.UpgradeVersion();
        else if (model.GetGroup() == 1)
            model.SetByteForm(true);
        const QString text = model.GetOperaXml();
        // The byte form only where it holds every character: a name it cannot
        // hold would come back as "?".
        const bool byteForm = !m_bConvert && model.IsByteForm() && FitsCp1252(text);
        const QByteArray bytes = EncodeProfileFile(text, byteForm);
        // Never store what opening refuses (the UTF-16 form doubles the size).
        if (bytes.size() > kMaxProfileFileBytes)
            fail(QStringLiteral("The profile file would be %1 bytes long; a profile file may have at most %2.")
                     .arg(bytes.size())
                     .arg(kMaxProfileFileBytes));

        if (m_bConvert) {
            model.LoadProfile(text, false);
            // The history holds the old format; until this save succeeds the
            // converted profile is unsaved.
            ClearHistory(true);
            RefreshVisibleSettings();
            emit profileReloaded();
        }

        QString error;
        if (!WriteFileAtomically(path, bytes, &error))
            fail(error);
        return true;
    } catch (const CKVXZOTException& e) {
        ShowException(e);
        return false;
    }
}

bool CKVXZOTDoc::DoSave(const QString& path, bool replace)
{
    if (m_callbacks.commitPendingEdits && !m_callbacks.commitPendingEdits())
        return false;
    QString target = path;
    if (target.isEmpty() || replace) {
        if (!m_callbacks.askSavePath)
            return false;
        target = m_callbacks.askSavePath(target.isEmpty() ? ProposedFileName() : target);
        if (target.isEmpty())
            return false;
    }
    if (!StoreProfile(target))
        return false;
    SetModifiedFlag(false);
    m_strPathName = target;
    SetTitle(QFileInfo(target).fileName());
    return true;
}

bool CKVXZOTDoc::SaveModified()
{
    if (!IsModified())
        return true;
    QString name = m_strPathName.isEmpty() ? m_strTitle : QFileInfo(m_strPathName).fileName();
    if (name.isEmpty())
        name = QStringLiteral("Untitled");
    const int answer = m_callbacks.askSaveChanges
                           ? m_callbacks.askSaveChanges(name)
                           : ShowMessage(QStringLiteral("Save changes to %1?").arg(name),
                                         kvx::kMbYesNoCancel | kvx::kMbIconQuestion);
    if (answer == kvx::kIdCancel)
        return false;
    if (answer == kvx::kIdNo)
        return true;
    return DoSave(m_strPathName, false);
}
