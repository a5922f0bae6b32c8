#include "PublicGroupView.h"

#include "KVXZOTDoc.h"
#include "Messages.h"
#include "PublicGroupIds.h"
#include "TreeNodeKinds.h"

#include "ui_PublicGroupView.h"

#include <QSet>
#include <QSignalBlocker>

namespace {

QString UsedText(int n)
{
    return QStringLiteral("x  %1").arg(n);
}

QString FreeText(int n)
{
    return QStringLiteral("   %1").arg(n);
}

}  // namespace

CPublicGroupView::CPublicGroupView(QWidget* parent)
    : CContactEntryView("CPublicGroupView", NodeKind::PublicGroup, "PublicGroups", parent), ui(new Ui::PublicGroupView)
{
    ui->setupUi(Form());
    SetUpEntryControls(ui->nameEdit, ui->deleteButton);
    connect(ui->channelCombo, &QComboBox::currentIndexChanged, this, &CPublicGroupView::OnChannelChosen);
    connect(ui->idCombo, &QComboBox::currentIndexChanged, this, &CPublicGroupView::OnIdChosen);
}

CPublicGroupView::~CPublicGroupView() = default;

void CPublicGroupView::LoadData()
{
    LoadEntry();
    ReloadName();
    m_nChannelPosition = FillChannelChoice(ui->channelCombo);

    const PublicBankCheck check = CheckPublicGroupBanks(Doc().GetDataModel().GetPublicGroupRanges());
    if (check.duplicateIds)
        MessageId(266, kvx::kMbOk | kvx::kMbIconError);
    if (check.incorrect)
        MessageId(210, kvx::kMbOk | kvx::kMbIconError);
    FillIdChoice();
}

void CPublicGroupView::FillIdChoice()
{
    const PublicGroupBanks& banks = Doc().GetDataModel().GetPublicGroupRanges();
    const QString own = Attribute(Entry(), QStringLiteral("pid"));
    QSet<QString> used;
    const int count = Folder().GetChildCount();
    for (int i = 0; i < count; ++i)
        used.insert(Attribute(ChildAt(Folder(), i), QStringLiteral("pid")));
    used.remove(own);

    QStringList texts;
    for (const PublicGroupBlock& bank : banks) {
        if (!IsBankPresent(bank))
            continue;
        for (int n = bank.first; n <= bank.last; ++n)
            texts << (used.contains(PublicGroupPidInBank(bank, n)) ? UsedText(n) : FreeText(n));
    }
    QSignalBlocker block(ui->idCombo);
    ui->idCombo->clear();
    ui->idCombo->addItems(texts);
    m_nIdPosition = ui->idCombo->findText(FreeText(PublicGroupDisplayNumber(banks, own)), Qt::MatchExactly);
    if (m_nIdPosition < 0)
        throw ProfileDataFault();
    ui->idCombo->setCurrentIndex(m_nIdPosition);
}

int CPublicGroupView::DisplayNumberOf(const QString& text)
{
    QString number = text;
    number.remove(QLatin1Char('x'));
    return number.trimmed().toInt();
}

void CPublicGroupView::OnChannelChosen(int position)
{
    if (position < 0 || position == m_nChannelPosition)
        return;
    Guarded([&] {
        // The rules ask before moving a group between scan lists (133).
        WriteChoice(ui->channelCombo, m_nChannelPosition, position, QStringLiteral("channel"), position + 1);
        SendHint(HintAction::Refresh, NodeKind::PublicGroup, EntryIndex());
    });
}

void CPublicGroupView::OnIdChosen(int position)
{
    if (position < 0 || position == m_nIdPosition)
        return;
    Guarded([&] {
        const int n = DisplayNumberOf(ui->idCombo->itemText(position));
        const QString pid = PublicGroupPid(Doc().GetDataModel().GetPublicGroupRanges(), n);
        if (pid.isEmpty())
            throw ProfileDataFault();   // the list offers only numbers of the banks
        // The number left behind is free now.
        if (WriteChoice(ui->idCombo, m_nIdPosition, position, QStringLiteral("pid"), pid))
            FillIdChoice();
    });
}
