#include "FormViewPane.h"

#include "BaseView.h"
#include "FormViewFactory.h"
#include "KVXZOTDoc.h"
#include "KVXZOTTreeView.h"
#include "MessageIds.h"
#include "Messages.h"
#include "StringTable.h"

#include <QApplication>
#include <QVBoxLayout>
#include <memory>

CFormViewPane::CFormViewPane(CKVXZOTDoc* doc, QWidget* parent) : QWidget(parent), m_pDoc(doc)
{
    setObjectName(QStringLiteral("formViewPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    connect(qApp, &QApplication::focusChanged, this, &CFormViewPane::OnFocusChanged);
    connect(doc, &CKVXZOTDoc::updateAllViews, this, &CFormViewPane::OnDocumentUpdate);
}

CFormViewPane::~CFormViewPane() = default;

void CFormViewPane::SetTree(CKVXZOTTreeView* tree)
{
    m_pTree = tree;
}

CKVXZOTTreeView* CFormViewPane::Tree() const
{
    return m_pTree.data();
}

CBaseView* CFormViewPane::ActiveView() const
{
    return m_pView.data();
}

void CFormViewPane::RetireView()
{
    if (!m_pView)
        return;
    // Deleted later: the view may be the one whose handler asked for the switch.
    CBaseView* old = m_pView.data();
    m_pView = nullptr;
    old->hide();
    layout()->removeWidget(old);
    old->deleteLater();
}

CBaseView* CFormViewPane::ShowView(NodeKind kind, int index, const QString& captionSuffix)
{
    RetireView();
    m_bShown = true;
    m_nKind = kind;
    m_nIndex = index;
    m_nHelpControl = 0;
    std::unique_ptr<CBaseView> view(m_bClosing ? nullptr : CreateFormView(kind, captionSuffix));
    if (!view) {
        emit activeViewChanged(nullptr);
        emit helpContextChanged(QString(), 0);
        return nullptr;
    }
    m_pView = view.release();
    layout()->addWidget(m_pView);
    try {
        m_pView->InitialUpdate(this, index);
    } catch (const ProfileDataFault&) {
        ProfileDataError();
    } catch (const CKVXZOTException& e) {
        ShowMessage(LoadStr(e.GetCode()), kvx::kMbOk | kvx::kMbIconError);
    }
    if (!m_pView)
        return nullptr;
    m_pView->show();
    emit activeViewChanged(m_pView);
    emit helpContextChanged(m_pView->ViewClass(), 0);
    return m_pView;
}

CBaseView* CFormViewPane::ReloadView()
{
    return m_bShown ? ShowView(m_nKind, m_nIndex) : nullptr;
}

bool CFormViewPane::CommitPendingEdits(bool repositionCurrentEntry)
{
    if (m_bClosing)
        return false;
    if (m_pTree && !m_pTree->CommitLabelEdit())
        return false;
    if (m_pView && m_pView->LeaveCheck() == CBaseView::LeaveRefused)
        return false;
    if (repositionCurrentEntry && m_pTree)
        m_pTree->RepositionCurrentEntry();
    return !m_bClosing;
}

EditOutcome CFormViewPane::Edit(const EditRequest& request, bool quiet)
{
    const EditOutcome outcome = quiet ? m_pDoc->Apply(request)
                                      : m_pDoc->ApplyWithConfirmation(request, [this](const EditOutcome& asking) {
                                            return ShowMessage(asking.MessageText(), asking.style) == kvx::kIdOk;
                                        });
    const bool declined = outcome.kind == EditOutcome::Kind::NeedsConfirmation;
    if (!quiet && outcome.HasMessage() && !declined && outcome.kind != EditOutcome::Kind::Failed)
        ShowMessage(outcome.MessageText(), outcome.style);
    return outcome;
}

void CFormViewPane::UpdateAllViews(QObject* sender, quint32 hint)
{
    m_pDoc->UpdateAllViews(sender, hint);
}

void CFormViewPane::OnDocumentUpdate(QObject* sender, quint32 hint)
{
    if (m_pView && m_pView.data() != sender && !m_bClosing)
        m_pView->OnDocumentUpdate(sender, hint);
}

void CFormViewPane::RequestScanAdd()
{
    QMetaObject::invokeMethod(this, &CFormViewPane::scanAddRequested, Qt::QueuedConnection);
}

void CFormViewPane::RequestStatusText(const QString& text)
{
    emit statusTextRequested(text);
}

int CFormViewPane::ShowMessage(const QString& text, unsigned style)
{
    if (m_bClosing)
        return kvx::kIdCancel;
    return m_pDoc->ShowMessage(text, style);
}

void CFormViewPane::ProfileDataError()
{
    if (m_bClosing)
        return;
    ShowMessage(LoadStr(kMsgProfileDataError), kvx::kMbOk | kvx::kMbIconError);
    m_bClosing = true;
    emit closeRequested(true);
}

void CFormViewPane::OnFocusChanged(QWidget*, QWidget* now)
{
    if (!m_pView || !now || !m_pView->isAncestorOf(now))
        return;
    const int id = CBaseView::ControlIdOf(now);
    if (id == m_nHelpControl)
        return;
    m_nHelpControl = id;
    emit helpContextChanged(m_pView->ViewClass(), id);
}
