#include "ScanChannelView.h"

#include "MessageFormat.h"
#include "Messages.h"
#include "StringTable.h"

#include "ui_ScanChannelView.h"

CScanChannelView::CScanChannelView(QWidget* parent)
    : CContactListView("CScanChannelView", "in_scan_list", parent), ui(new Ui::ScanChannelView)
{
    ui->setupUi(Form());
    SetUpEditor(ui->availableList, ui->membersList, ui->addButton, ui->removeButton);
}

CScanChannelView::~CScanChannelView() = default;

void CScanChannelView::LoadData()
{
    const QString channel = QString::number(Channel());
    SetCaption(FormatMessage(LoadStr(124), {channel}));
    FillLists({QStringLiteral("PublicGroups")}, [&channel](const CDataItem& group) {
        return Attribute(group, QStringLiteral("channel")).trimmed() == channel;
    });
}

bool CScanChannelView::CanStartAdd()
{
    if (Editor()->MemberCount() >= kCapacity) {
        MessageId(155, kvx::kMbOk | kvx::kMbIconWarning);
        Editor()->ClearAvailableSelection();
        return false;
    }
    return true;
}

CTwoListEditor::Step CScanChannelView::AddStep(int globalIndex)
{
    if (Editor()->MemberCount() >= kCapacity) {
        Message(FormatMessage(LoadStr(164), {QString::number(kCapacity)}), kvx::kMbOk | kvx::kMbIconWarning);
        return CTwoListEditor::Step::Stop;
    }
    return WriteFlag(globalIndex, true);
}

void CScanChannelView::SendListHint()
{
    SendHint(HintAction::Refresh, NodeKind::ScanChannel, EntryIndex());
}
