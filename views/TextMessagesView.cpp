#include "TextMessagesView.h"

#include "ViewImages.h"

#include "ui_TextMessagesView.h"

CTextMessagesView::CTextMessagesView(QWidget* parent)
    : CBaseView("CTextMessagesView", parent), ui(new Ui::TextMessagesView)
{
    ui->setupUi(Form());
    ui->addButton->setIcon(ViewImages::AddTextMessageIcon());
    connect(ui->addButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { SendHint(HintAction::Add, NodeKind::TextMessages, 0); }); });
}

CTextMessagesView::~CTextMessagesView() = default;

void CTextMessagesView::LoadData()
{
    try {
        CDataItem messages = Child(Root(), QStringLiteral("TextMessages"));
        ui->maxValue->setText(QString::number(NumberAttribute(Limit(), QStringLiteral("max_num_of_predefined_msgs"))));
        ui->curValue->setText(QString::number(messages.GetChildCount()));
        ui->addButton->setEnabled(messages.CanAddChild());
    } catch (const ProfileDataFault&) {
        KVX_RAISE(20006, QStringLiteral("the text messages are missing"), "CTextMessagesView::LoadData");
    } catch (const CKVXZOTException& e) {
        throw CKVXZOTException(20006, e.GetTrace(), "CTextMessagesView::LoadData", __LINE__);
    }
}
