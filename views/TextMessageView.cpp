#include "TextMessageView.h"

#include "MessageFormat.h"
#include "Messages.h"
#include "StringTable.h"
#include "ViewImages.h"

#include "ui_TextMessageView.h"

#include <QSignalBlocker>

namespace {

// The leave check looks at no more of the field than this.
constexpr int kMaxExamined = 1024;

}  // namespace

CTextMessageView::CTextMessageView(QWidget* parent) : CBaseView("CTextMessageView", parent), ui(new Ui::TextMessageView)
{
    ui->setupUi(Form());
    ui->deleteButton->setIcon(ViewImages::DeleteMessageIcon());
    ui->addButton->setIcon(ViewImages::AddNewMessageIcon());
    connect(ui->messageEdit, &QLineEdit::textChanged, this, &CTextMessageView::OnTextChanged);
    connect(ui->addButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { SendHint(HintAction::Add, NodeKind::TextMessages, 0); }); });
    connect(ui->deleteButton, &QPushButton::clicked, this, [this] { Guarded([this] { DeleteThis(); }); });
}

CTextMessageView::~CTextMessageView() = default;

QString CTextMessageView::CleanText(const QString& text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20)
            clean += c;
    }
    return clean;
}

void CTextMessageView::LoadData()
{
    try {
        m_messages = Child(Root(), QStringLiteral("TextMessages"));
        m_message = ChildAt(m_messages, EntryIndex());
        m_strAccepted = Attribute(m_message, QStringLiteral("txt"));
    } catch (const ProfileDataFault&) {
        KVX_RAISE(20006, QStringLiteral("the text message is missing"), "CTextMessageView::LoadData");
    } catch (const CKVXZOTException& e) {
        throw CKVXZOTException(20006, e.GetTrace(), "CTextMessageView::LoadData", __LINE__);
    }
    QSignalBlocker block(ui->messageEdit);
    ui->messageEdit->setText(m_strAccepted);
    m_bEdited = false;
}

void CTextMessageView::OnTextChanged(const QString& text)
{
    if (text.size() <= kMaxLength) {
        m_strAccepted = text;
        m_bEdited = true;
        return;
    }
    // The change would pass the limit: the field keeps what it had.
    const int cursor = ui->messageEdit->cursorPosition() - int(text.size() - m_strAccepted.size());
    {
        QSignalBlocker block(ui->messageEdit);
        ui->messageEdit->setText(m_strAccepted);
        ui->messageEdit->setCursorPosition(std::max(cursor, 0));
    }
    Message(FormatMessage(LoadStr(201), {QString::number(kMaxLength)}), kvx::kMbOk | kvx::kMbIconWarning);
}

void CTextMessageView::OnEntryAdded(NodeKind)
{
    FocusLater(ui->messageEdit);
}

bool CTextMessageView::DeleteThis()
{
    const int before = m_messages.GetChildCount();
    ValidationSuspender suspend;
    SendHint(HintAction::Delete, NodeKind::TextMessage, EntryIndex());
    return m_messages.GetChildCount() < before;
}

int CTextMessageView::LeaveCheck()
{
    int answer = LeaveRefused;
    Guarded([&] {
        const QString text = CleanText(ui->messageEdit->text().left(kMaxExamined));
        if (text.isEmpty()) {
            if (MessageId(10101, kvx::kMbOkCancel | kvx::kMbIconWarning) == kvx::kIdOk && DeleteThis()) {
                answer = LeaveDeleted;
                return;
            }
            FocusLater(ui->messageEdit);
            return;
        }
        if (!m_bEdited || text == Attribute(m_message, QStringLiteral("txt"))) {
            answer = LeaveAllowed;
            return;
        }
        const EditOutcome outcome = Edit(EditRequest::SetAttribute(m_message, QStringLiteral("txt"), text), true);
        if (outcome.IsApplied()) {
            m_bEdited = false;
            SendHint(HintAction::Refresh, NodeKind::TextMessage, EntryIndex());
            answer = LeaveAllowed;
            return;
        }
        if (outcome.kind != EditOutcome::Kind::Failed) {
            // Only a question (OK/Cancel) can agree to the deletion; a plain
            // notice keeps the user's text.
            const bool asks = (outcome.style & 0x0F) != kvx::kMbOk;
            if (Message(outcome.MessageText(), outcome.style) == kvx::kIdOk && asks && DeleteThis()) {
                answer = LeaveDeleted;
                return;
            }
        }
        FocusLater(ui->messageEdit);
    });
    return answer;
}
