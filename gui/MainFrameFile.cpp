// CMainFrame: the document commands New, Open, Close, Save and Save As, and
// the recent-file list.

#include "MainFrame.h"

#include "ChildFrame.h"
#include "FileDialogs.h"
#include "KVXZOTDoc.h"
#include "KVXZOTException.h"
#include "Messages.h"
#include "NewProfileDialog.h"
#include "RecentFileList.h"

#include <QFileInfo>
#include <QMdiArea>

namespace {

bool SamePath(const QString& a, const QString& b)
{
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

std::unique_ptr<CKVXZOTDoc> CMainFrame::CreateDocument()
{
    try {
        return std::make_unique<CKVXZOTDoc>();
    } catch (const CKVXZOTException& e) {
        kvx::ShowMessageId(e.GetCode(), kvx::kMbOk | kvx::kMbIconError);
        return nullptr;
    }
}

CChildFrame* CMainFrame::CreateDocumentWindow(std::unique_ptr<CKVXZOTDoc> doc)
{
    auto* child = new CChildFrame(std::move(doc));
    AddChild(child);
    return child;
}

void CMainFrame::OnFileNew()
{
    CNewProfileDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::unique_ptr<CKVXZOTDoc> doc = CreateDocument();
    if (!doc)
        return;
    if (!doc->OnNewDocument(dialog.SelectedPath()))
        return;
    CreateDocumentWindow(std::move(doc));
}

void CMainFrame::OnFileOpen()
{
    const QString path = FileDialogs::AskOpenPath(this);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

CChildFrame* CMainFrame::OpenDocumentFile(const QString& path)
{
    for (CChildFrame* child : Children()) {
        if (SamePath(child->Document().GetPathName(), path)) {
            m_pMdiArea->setActiveSubWindow(child);
            return child;
        }
    }
    std::unique_ptr<CKVXZOTDoc> doc = CreateDocument();
    if (!doc || !doc->OnOpenDocument(QFileInfo(path).absoluteFilePath()))
        return nullptr;
    CChildFrame* child = CreateDocumentWindow(std::move(doc));
    m_pRecentFiles->Add(path);
    RebuildRecentFileMenu();
    return child;
}

void CMainFrame::OnFileClose()
{
    if (CChildFrame* child = ActiveChild())
        child->close();
}

void CMainFrame::OnFileSave()
{
    if (CChildFrame* child = ActiveChild())
        child->Save(false);
}

void CMainFrame::OnFileSaveAs()
{
    if (CChildFrame* child = ActiveChild())
        child->Save(true);
}

void CMainFrame::DocumentSaved(CChildFrame* child)
{
    child->UpdateTitle();
    if (!child->Document().GetPathName().isEmpty()) {
        m_pRecentFiles->Add(child->Document().GetPathName());
        RebuildRecentFileMenu();
    }
    UpdateTitle();
    UpdateStatusPanes();
    UpdateCommandStates();
}
