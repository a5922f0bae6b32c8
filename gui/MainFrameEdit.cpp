// CMainFrame: the Edit, View and Help commands and the settings dialogs.

#include "MainFrame.h"

#include "AboutDialog.h"
#include "ChildFrame.h"
#include "ConfigStore.h"
#include "DealerInfoDialog.h"
#include "EditRouting.h"
#include "HelpWindow.h"
#include "Messages.h"
#include "PreferenceDialog.h"
#include "ProfilePanes.h"

#include <QApplication>
#include <QUndoGroup>

namespace {

QWidget* FocusedEditor()
{
    return EditRouting::WritableEditor(QApplication::focusWidget());
}

}  // namespace

void CMainFrame::OnEditCut()
{
    if (QWidget* editor = FocusedEditor())
        EditRouting::Cut(editor);
    else if (CChildFrame* child = ActiveChild())
        child->Tree()->OnCut();
    UpdateCommandStates();
}

void CMainFrame::OnEditCopy()
{
    if (QWidget* editor = FocusedEditor())
        EditRouting::Copy(editor);
    else if (CChildFrame* child = ActiveChild())
        child->Tree()->OnCopy();
    UpdateCommandStates();
}

void CMainFrame::OnEditPaste()
{
    if (QWidget* editor = FocusedEditor())
        EditRouting::Paste(editor);
    else if (CChildFrame* child = ActiveChild())
        child->Tree()->OnPaste();
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
    CChildFrame* child = ActiveChild();
    if (!child || !child->Tree()->CanScanAdd() || !child->CommitPendingEdits())
        return;
    child->Tree()->setFocus();
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
    if (!child || !child->CommitPendingEdits())
        return;
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
