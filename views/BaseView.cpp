#include "BaseView.h"

#include "ControlIds.h"
#include "FormViewPane.h"
#include "KVXZOTDoc.h"
#include "Messages.h"
#include "StringTable.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

using kvx::xml::XmlDocument;
using kvx::xml::XmlNode;

namespace {

bool g_validationSuspended = false;

const QColor kBandColour(192, 192, 255);
constexpr int kTitleHeight = 28;
constexpr int kMargin = 10;
// The column never comes closer than this to the view's left edge.
constexpr int kLeftMinimum = 20;

int PropertyInt(const QObject* object, const char* name)
{
    const QVariant value = object->property(name);
    return value.isValid() ? value.toInt() : 0;
}

QList<QWidget*> ControlsOf(const QWidget* form)
{
    QList<QWidget*> controls;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        if (widget->property("controlId").isValid())
            controls << widget;
    }
    return controls;
}

}  // namespace

CBaseView::ValidationSuspender::ValidationSuspender() : m_bPrevious(g_validationSuspended)
{
    g_validationSuspended = true;
}

CBaseView::ValidationSuspender::~ValidationSuspender()
{
    g_validationSuspended = m_bPrevious;
}

bool CBaseView::IsValidationSuspended()
{
    return g_validationSuspended;
}

CBaseView::CBaseView(const char* viewClass, QWidget* parent)
    : QScrollArea(parent), m_strViewClass(QString::fromLatin1(viewClass)),
      m_strPage(QString::fromLatin1(PageOfView(viewClass)))
{
    setObjectName(m_strViewClass);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);

    m_pContent = new QWidget;
    m_pContent->setObjectName(QStringLiteral("viewContent"));
    // A click on the background takes the focus off the fields.
    m_pContent->setFocusPolicy(Qt::ClickFocus);
    auto* column = new QVBoxLayout(m_pContent);
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->setSpacing(kMargin);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(kLeftMinimum - kMargin, 0, kLeftMinimum - kMargin, 0);
    m_pForm = new QWidget;
    m_pForm->setObjectName(QStringLiteral("form"));
    // A column as wide as its controls need, centred by the stretches beside it.
    m_pForm->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    row->addStretch(1);
    row->addWidget(m_pForm);
    row->addStretch(1);
    column->addLayout(row);
    column->addStretch(1);
    setWidget(m_pContent);
}

CBaseView::~CBaseView() = default;

CKVXZOTDoc& CBaseView::Doc() const
{
    return *m_pPane->Document();
}

CDataItem& CBaseView::Root() const
{
    return Doc().GetRootItem();
}

void CBaseView::InitialUpdate(CFormViewPane* pane, int entryIndex)
{
    m_pPane = pane;
    m_nEntryIndex = entryIndex;
    TakeTitle();
    ApplyTexts();
    SetupFonts();
    ApplyColours();
    ApplyGuiPage(Doc().GetVisibleSettings());
    WatchControls();
    LoadData();
    ApplyAccessibleNames();
}

// The first entry of the layout table is the title; it leaves the form for
// the band across the top of the view.
void CBaseView::TakeTitle()
{
    for (QWidget* control : ControlsOf(m_pForm)) {
        if (PropertyInt(control, "layoutKind") == LayoutTitle) {
            m_pTitle = qobject_cast<QLabel*>(control);
            break;
        }
    }
    if (!m_pTitle)
        KVX_RAISE(20002, QStringLiteral("the view has no title"), "CBaseView::InitialUpdate");
    m_pTitle->setParent(m_pContent);
    m_pTitle->setFixedHeight(kTitleHeight);
    m_pTitle->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_pTitle->setIndent(kMargin);
    m_pTitle->setTextFormat(Qt::PlainText);
    static_cast<QVBoxLayout*>(m_pContent->layout())->insertWidget(0, m_pTitle);
}

void CBaseView::ApplyTexts()
{
    QList<QWidget*> controls = ControlsOf(m_pForm);
    controls << m_pTitle;
    for (QWidget* control : controls) {
        const int textId = PropertyInt(control, "textId");
        if (textId == 0)
            continue;
        const QString text = LoadStr(textId);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text);
        else if (auto* frame = qobject_cast<QGroupBox*>(control))
            frame->setTitle(text);
    }
}

void CBaseView::SetupFonts()
{
    QFont title = font();
    title.setWeight(QFont::Bold);
    title.setPointSizeF(12.0);
    m_pTitle->setFont(title);

    QFont section = font();
    section.setWeight(QFont::DemiBold);
    section.setPointSizeF(12.0 * 72.0 / 80.0);
    for (QWidget* control : ControlsOf(m_pForm)) {
        if (PropertyInt(control, "layoutKind") == LayoutSection)
            control->setFont(section);
    }
}

void CBaseView::ApplyColours()
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    m_pContent->setPalette(white);
    m_pContent->setAutoFillBackground(true);

    QPalette band = white;
    band.setColor(QPalette::Window, kBandColour);
    band.setColor(QPalette::WindowText, Qt::white);
    m_pTitle->setPalette(band);
    m_pTitle->setAutoFillBackground(true);
    for (QWidget* control : ControlsOf(m_pForm)) {
        const int kind = PropertyInt(control, "layoutKind");
        if (kind == LayoutSection) {
            if (!qobject_cast<QLabel*>(control))
                KVX_RAISE(20000, QStringLiteral("section %1 is not a label").arg(ControlIdOf(control)),
                          "CBaseView::ApplyColours");
            control->setPalette(band);
            control->setAutoFillBackground(true);
        } else if (kind == LayoutFrame) {
            control->setPalette(white);
            control->setAutoFillBackground(true);
        }
    }
}

void CBaseView::ApplyGuiPage(const XmlDocument& visible)
{
    QHash<int, bool> listed;   // id -> may stay as the template has it
    if (!visible.IsNull() && !m_strPage.isEmpty()) {
        for (const XmlNode& entry : visible.SelectNodes(QStringLiteral("//dfns:%1/dfns:*").arg(m_strPage))) {
            bool present = false;
            const QString flag = entry.GetAttribute(QStringLiteral("isVisible"), &present);
            const int id = entry.GetAttribute(QStringLiteral("ID")).trimmed().toInt();
            listed[id] = listed.value(id, true) && !(present && flag.trimmed().toInt() == 0);
        }
    }
    QList<QWidget*> controls = ControlsOf(m_pForm);
    controls << m_pTitle;
    for (QWidget* control : controls) {
        const auto it = listed.constFind(ControlIdOf(control));
        if (it == listed.constEnd() || !it.value())
            control->hide();
    }
}

void CBaseView::ApplyAccessibleNames()
{
    for (QLabel* label : m_pForm->findChildren<QLabel*>()) {
        if (QWidget* buddy = label->buddy()) {
            QString name = label->text();
            name.remove(QLatin1Char('&'));
            buddy->setAccessibleName(name.trimmed());
        }
    }
}

// Key presses of the form's controls pass through the view first.
void CBaseView::WatchControls()
{
    for (QWidget* widget : m_pForm->findChildren<QWidget*>())
        widget->installEventFilter(this);
}

bool CBaseView::eventFilter(QObject* watched, QEvent* event)
{
    // Keys of a popup (a combo's open list) stay the popup's.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == window())
        return FormKeyPress(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    return QScrollArea::eventFilter(watched, event);
}

bool CBaseView::FormKeyPress(QWidget*, QKeyEvent*)
{
    return false;
}

void CBaseView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

QWidget* CBaseView::Control(int controlId) const
{
    if (m_pTitle && ControlIdOf(m_pTitle) == controlId)
        return m_pTitle;
    for (QWidget* control : ControlsOf(m_pForm)) {
        if (PropertyInt(control, "controlId") == controlId)
            return control;
    }
    return nullptr;
}

int CBaseView::ControlIdOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (const int id = PropertyInt(widget, "controlId"))
            return id;
    }
    return 0;
}

int CBaseView::LeaveCheck()
{
    return LeaveAllowed;
}

void CBaseView::OnEntryAdded(NodeKind)
{
}

void CBaseView::LoadData()
{
}

void CBaseView::RefreshCaption()
{
}

void CBaseView::OnDocumentUpdate(QObject*, quint32)
{
}

void CBaseView::SetCaption(const QString& caption)
{
    m_pTitle->setText(caption);
}

void CBaseView::FocusView()
{
    m_pContent->setFocus(Qt::OtherFocusReason);
}

void CBaseView::FocusLater(QWidget* control)
{
    QTimer::singleShot(0, this, [control = QPointer<QWidget>(control)] {
        if (!control)
            return;
        control->setFocus(Qt::OtherFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(control.data()))
            line->selectAll();
    });
}

int CBaseView::Message(const QString& text, unsigned style)
{
    return m_pPane->ShowMessage(text, style);
}

int CBaseView::MessageId(int id, unsigned style)
{
    return m_pPane->ShowMessage(LoadStr(id), style);
}

EditOutcome CBaseView::Edit(const EditRequest& request, bool quiet)
{
    return m_pPane->Edit(request, quiet);
}

void CBaseView::SendHint(HintAction action, NodeKind kind, int index)
{
    m_pPane->UpdateAllViews(this, MakeUpdateHint(action, kind, quint16(index)));
}

void CBaseView::ProfileDataError()
{
    m_pPane->ProfileDataError();
}

bool CBaseView::IsClosing() const
{
    return !m_pPane || m_pPane->IsClosing();
}

CTwoListEditor::MoveHandler CBaseView::GuardedStep(CTwoListEditor::MoveHandler step)
{
    return [this, step = std::move(step)](const CTwoListEditor::Entry& entry) {
        CTwoListEditor::Step result = CTwoListEditor::Step::Stop;
        Guarded([&] { result = step(entry); });
        return result;
    };
}

void CBaseView::ShowException(const CKVXZOTException& e)
{
    MessageId(e.GetCode(), kvx::kMbOk | kvx::kMbIconError);
}

CDataItem CBaseView::Child(const CDataItem& parent, const QString& name)
{
    if (parent.IsEmpty())
        throw ProfileDataFault();
    try {
        CDataItem child;
        parent.GetChildByName(name, child);
        return child;
    } catch (const CKVXZOTException&) {
        throw ProfileDataFault();
    }
}

CDataItem CBaseView::ChildAt(const CDataItem& parent, int index)
{
    if (parent.IsEmpty())
        throw ProfileDataFault();
    CDataItem child;
    parent.GetChildByIndex(index, child);
    if (child.IsEmpty())
        throw ProfileDataFault();
    return child;
}

QString CBaseView::Attribute(const CDataItem& item, const QString& name)
{
    if (item.IsEmpty() || !item.GetNode().HasAttribute(name))
        throw ProfileDataFault();
    return item.GetAttributeValue(name).toString();
}

int CBaseView::NumberAttribute(const CDataItem& item, const QString& name)
{
    bool ok = false;
    const int value = Attribute(item, name).trimmed().toInt(&ok);
    if (!ok)
        throw ProfileDataFault();
    return value;
}

bool CBaseView::FlagAttribute(const CDataItem& item, const QString& name)
{
    const QString text = Attribute(item, name).trimmed();
    return text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

CDataItem CBaseView::Limit() const
{
    return Child(Root(), QStringLiteral("limit"));
}
