#include "FormViewPane.h"

#include "BaseView.h"
#include "FormViewFactory.h"
#include "KVXZOTTreeView.h"
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

CBaseView* CFormViewPane::ShowView(int kind, int index, const QString& captionSuffix)
{
    RetireView();
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
    return m_nKind < 0 ? nullptr : ShowView(m_nKind, m_nIndex);
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

void CFormViewPane::UpdateAllViews(QObject* sender, quint32 hint)
{
    emit documentUpdated(sender, hint);
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
    return kvx::ShowMessage(text, style);
}

void CFormViewPane::ProfileDataError()
{
    if (m_bClosing)
        return;
    ShowMessage(LoadStr(10113), kvx::kMbOk | kvx::kMbIconError);
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
