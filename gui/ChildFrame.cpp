#include "ChildFrame.h"

#include "FileDialogs.h"
#include "GuiText.h"
#include "HelpPane.h"
#include "KVXZOTApp.h"
#include "KVXZOTDoc.h"
#include "MessageBoxAdapter.h"
#include "Messages.h"
#include "FormViewPane.h"
#include "KVXZOTTreeView.h"
#include "ReadPidDialog.h"
#include "StringTable.h"

#include <QCloseEvent>
#include <QSplitter>
#include <QTextBrowser>

CChildFrame::CChildFrame(std::unique_ptr<CKVXZOTDoc> doc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDoc(std::move(doc))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->setChildrenCollapsible(false);
    m_pRightSplitter = new QSplitter(Qt::Vertical);
    m_pFormPane = new CFormViewPane(m_pDoc.get(), m_pRightSplitter);
    m_pFormPane->setObjectName(QStringLiteral("formPane"));
    auto* helpPane = new CHelpPane(m_pRightSplitter);
    if (const CKVXZOTApp* app = CKVXZOTApp::Instance())
        helpPane->SetSources(app->GetHelpPaneDoc(), app->GetHelpFile());
    connect(m_pFormPane, &CFormViewPane::helpContextChanged, helpPane, &CHelpPane::ShowContext);
    m_pHelpPane = helpPane;
    m_pHelpPane->setAccessibleName(LoadStr(219).remove(QLatin1Char('&')));
    m_pHelpPane->hide();
    m_pTree = new CKVXZOTTreeView(m_pDoc.get(), m_pFormPane);
    m_pTree->setObjectName(QStringLiteral("profileTree"));
    m_pFormPane->SetTree(m_pTree);
    m_pSplitter->addWidget(m_pTree);
    m_pSplitter->addWidget(m_pRightSplitter);
    m_pSplitter->setStretchFactor(0, 1);
    m_pSplitter->setStretchFactor(1, 3);
    m_pSplitter->setSizes({240, 720});
    m_pRightSplitter->setStretchFactor(0, 3);
    m_pRightSplitter->setStretchFactor(1, 1);
    m_pRightSplitter->setSizes({480, 160});
    setWidget(m_pSplitter);
    // The tree first, then the form: the order the user reads them.
    setFocusProxy(m_pTree);

    connect(m_pTree, &CKVXZOTTreeView::commandStatesChanged, this, &CChildFrame::commandStatesChanged);
    connect(m_pFormPane, &CFormViewPane::closeRequested, this, [this](bool discard) {
        if (discard)
            CloseWithoutSaving();
        else
            close();
    });
    m_pFormPane->readPrivateIdOverAir = [this](QWidget* parent) -> std::optional<QString> {
        CReadPidDialog dialog(parent ? parent : this);
        connect(&dialog, &CTransferDialog::statusTextChanged, this, &CChildFrame::transferStatusChanged);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.ReceivedId();
    };
    BindDocument();
    UpdateTitle();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::BindDocument()
{
    // This profile's messages belong over this window.
    m_pDoc->SetMessageSink(CMessageBoxAdapter::HandlerFor(this));
    m_pDoc->SetScriptErrorSink([this](const QString& message) {
        CMessageBoxAdapter::Show(message, kvx::kMbOk | kvx::kMbIconError, this);
    });
    connect(m_pDoc.get(), &CKVXZOTDoc::titleChanged, this, &CChildFrame::UpdateTitle);
    connect(m_pDoc.get(), &CKVXZOTDoc::modifiedChanged, this, &CChildFrame::commandStatesChanged);

    CKVXZOTDoc::Callbacks callbacks;
    callbacks.askSaveChanges = [this](const QString& name) {
        return m_pDoc->ShowMessage(LoadStr(GuiText::AskToSave).replace(QStringLiteral("%s"), name),
                                   kvx::kMbYesNoCancel | kvx::kMbIconWarning);
    };
    callbacks.askSavePath = [this](const QString& proposed) { return FileDialogs::AskSavePath(this, proposed); };
    callbacks.commitPendingEdits = [this] { return CommitPendingEdits(); };
    m_pDoc->SetCallbacks(std::move(callbacks));
}

void CChildFrame::ShowHelpPane(bool show)
{
    m_pHelpPane->setVisible(show);
}

bool CChildFrame::CommitPendingEdits(bool repositionCurrentEntry)
{
    return m_pFormPane->CommitPendingEdits(repositionCurrentEntry);
}

bool CChildFrame::Save(bool saveAs)
{
    if (!m_pDoc->DoSave(m_pDoc->GetPathName(), saveAs))
        return false;
    UpdateTitle();
    emit saved();
    return true;
}

void CChildFrame::CloseWithoutSaving()
{
    m_bDiscard = true;
    close();
}

void CChildFrame::UpdateTitle()
{
    QString title = m_pDoc->GetTitle();
    if (title.isEmpty())
        title = LoadStr(GuiText::Untitled);
    setWindowTitle(title);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (!m_bDiscard) {
        const bool wasModified = m_pDoc->IsModified();
        if (!m_pDoc->SaveModified()) {
            event->ignore();
            UpdateTitle();
            return;
        }
        if (wasModified && !m_pDoc->IsModified())
            emit saved();
    }
    QMdiSubWindow::closeEvent(event);
}
