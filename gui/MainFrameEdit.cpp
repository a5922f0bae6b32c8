// CMainFrame: the Edit, View, Report and Help commands and the settings dialogs.

#include "MainFrame.h"

#include "AboutDialog.h"
#include "ChildFrame.h"
#include "ConfigStore.h"
#include "DealerInfoDialog.h"
#include "EditRouting.h"
#include "HelpWindow.h"
#include "KVXZOTDoc.h"
#include "ReportCommand.h"
#include "Messages.h"
#include "PreferenceDialog.h"
#include "FormViewPane.h"
#include "KVXZOTTreeView.h"

#include <QApplication>
#include <QUndoGroup>

namespace {

QWidget* FocusedEditor()
{
    return EditRouting::WritableEditor(QApplication::focusWidget());
}

// The tree has nothing to cut, copy or paste: these need a field.
void ApplyToField(void (*operation)(QWidget*))
{
    if (QWidget* editor = FocusedEditor())
        operation(editor);
}

}  // namespace

void CMainFrame::OnEditCut()
{
    ApplyToField(&EditRouting::Cut);
    UpdateCommandStates();
}

void CMainFrame::OnEditCopy()
{
    ApplyToField(&EditRouting::Copy);
    UpdateCommandStates();
}

void CMainFrame::OnEditPaste()
{
    ApplyToField(&EditRouting::Paste);
    UpdateCommandStates();
}

void CMainFrame::OnEditUndo()
{
    if (QWidget* editor = FocusedEditor(); editor && EditRouting::CanUndo(editor))
        EditRouting::Undo(editor);
    else
        m_pUndoGroup->undo();
    UpdateCommandStates();
}

void CMainFrame::OnEditRedo()
{
    if (QWidget* editor = FocusedEditor(); editor && EditRouting::CanRedo(editor))
        EditRouting::Redo(editor);
    else
        m_pUndoGroup->redo();
    UpdateCommandStates();
}

void CMainFrame::OnEditAdd()
{
    if (CChildFrame* child = ActiveChild(); child && child->Tree()->CanAdd())
        child->Tree()->OnAdd();
}

void CMainFrame::OnEditScanAdd()
{
    // The tree runs the leave check first and takes the focus itself.
    if (CChildFrame* child = ActiveChild())
        child->Tree()->OnScanAdd();
}

void CMainFrame::OnEditDelete()
{
    if (CChildFrame* child = ActiveChild(); child && child->Tree()->CanDelete())
        child->Tree()->OnDelete();
}

void CMainFrame::OnEditRename()
{
    CChildFrame* child = ActiveChild();
    if (!child || !child->Tree()->CanRename())
        return;
    child->Tree()->setFocus();
    child->Tree()->OnRename();
}

void CMainFrame::OnDealerInfo()
{
    CDealerInfoDialog dialog(this);
    if (dialog.Load())
        dialog.exec();
}

void CMainFrame::OnPreference()
{
    CPreferenceDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        UpdateStatusPanes();
}

void CMainFrame::OnLanguage(const QString& language)
{
    const QString before = GetCurrentLanguage();
    SetCurrentLanguage(language);
    m_strLanguage = language;
    // The running program keeps the language it started with.
    if (language != before)
        kvx::ShowMessageId(224, kvx::kMbOk | kvx::kMbIconInformation);
}

void CMainFrame::OnReport()
{
    CChildFrame* child = ActiveChild();
    if (!child || !child->CommitPendingEdits(true))
        return;
    ShowReportOptions(child->Document().GetDataModel(), this);
}

void CMainFrame::OnHelpFinder()
{
    CHelpWindow::ShowContents(GetHelpFilePath(), this);
}

void CMainFrame::OnAppAbout()
{
    CAboutDialog dialog(this);
    dialog.exec();
}
