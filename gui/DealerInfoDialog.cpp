#include "DealerInfoDialog.h"

#include "ui_DealerInfoDialog.h"

#include "ConfigStore.h"
#include "Messages.h"
#include "RegistryStore.h"
#include "StringTable.h"

namespace {

QStringList Lines(const QPlainTextEdit* field)
{
    return field->toPlainText().split(QLatin1Char('\n'));
}

// Typing beyond the limit is undone as it happens.
void LimitLength(QPlainTextEdit* field, int limit)
{
    QObject::connect(field, &QPlainTextEdit::textChanged, field, [field, limit] {
        const QString text = field->toPlainText();
        if (text.size() <= limit)
            return;
        QTextCursor cursor = field->textCursor();
        const int position = std::min(cursor.position(), limit);
        field->setPlainText(text.left(limit));
        cursor = field->textCursor();
        cursor.setPosition(position);
        field->setTextCursor(cursor);
    });
}

}  // namespace

CDealerInfoDialog::CDealerInfoDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::DealerInfoDialog>())
{
    m_ui->setupUi(this);
    setWindowTitle(LoadStr(156));
    m_ui->dealerLabel->setText(LoadStr(159));
    m_ui->contactLabel->setText(LoadStr(157));
    m_ui->notesLabel->setText(LoadStr(158));
    m_ui->ok->setText(LoadStr(168));
    m_ui->cancel->setText(LoadStr(169));
    connect(m_ui->ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CDealerInfoDialog::~CDealerInfoDialog() = default;

bool CDealerInfoDialog::Load()
{
    if (GetCurrentLanguage().isEmpty()) {
        kvx::ShowMessageId(161, kvx::kMbOk | kvx::kMbIconError);
        return false;
    }
    const std::optional<DealerInfo> info = ReadDealerInfo();
    if (!info) {
        kvx::ShowMessageId(160, kvx::kMbOk | kvx::kMbIconError);
        return false;
    }
    const QString dealer = info->dealer.join(QLatin1Char('\n'));
    const QString contact = info->contact.join(QLatin1Char('\n'));
    const QString notes = info->notes.join(QLatin1Char('\n'));
    // Cutting the texts to fit would lose them at the next OK.
    if (dealer.size() > kFieldLimit || contact.size() > kFieldLimit || notes.size() > kFieldLimit) {
        kvx::ShowMessageId(10116, kvx::kMbOk | kvx::kMbIconError);
        return false;
    }
    m_ui->dealer->setPlainText(dealer);
    m_ui->contact->setPlainText(contact);
    m_ui->notes->setPlainText(notes);
    for (QPlainTextEdit* field : {m_ui->dealer, m_ui->contact, m_ui->notes})
        LimitLength(field, kFieldLimit);
    return true;
}

void CDealerInfoDialog::accept()
{
    const QString key = QString::fromLatin1(kApplicationKey) + QStringLiteral("\\Language\\") + GetCurrentLanguage();
    if (!kvx::registry::RegistryStore::Instance().CreateKey(kvx::registry::Hive::User, key)) {
        kvx::ShowMessageId(10117, kvx::kMbOk | kvx::kMbIconError);
        return;
    }
    if (!WriteDealerInfo(Lines(m_ui->dealer), Lines(m_ui->contact), Lines(m_ui->notes))) {
        kvx::ShowMessageId(10118, kvx::kMbOk | kvx::kMbIconError);
        return;
    }
    QDialog::accept();
}
