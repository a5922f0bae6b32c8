#include "PrivateView.h"

#include "FormViewPane.h"
#include "KVXZOTDoc.h"
#include "Messages.h"
#include "PrivateIdValidator.h"
#include "MessageFormat.h"
#include "StringTable.h"
#include "TreeNodeKinds.h"

#include "ui_PrivateView.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace {

constexpr int kRingers = 12;

}  // namespace

CPrivateView::CPrivateView(const QString& captionSuffix, QWidget* parent)
    : CContactEntryView("CPrivateView", NodeKind::Private, "Privates", parent), ui(new Ui::PrivateView),
      m_pIdValidator(new CPrivateIdValidator(this)), m_strCaptionSuffix(captionSuffix)
{
    ui->setupUi(Form());
    m_pScrollEditor = new CTwoListEditor(ui->scrollAvailableList, ui->scrollMembersList, ui->scrollAddButton,
                                         ui->scrollRemoveButton, this);
    SetUpEntryControls(ui->nameEdit, ui->deleteButton);
    ui->idEdit->setValidator(m_pIdValidator);
    CommitOnFocusLeave(ui->idEdit, [this] { CommitId(true); }, {ui->readIdButton, ui->deleteButton});
    CommitOnFocusLeave(ui->readIdButton, [this] { CommitId(false); }, {ui->idEdit});
    connect(ui->idEdit, &QLineEdit::textEdited, this, &CPrivateView::OnIdEdited);
    connect(ui->readIdButton, &QPushButton::clicked, this, &CPrivateView::OnReadId);
    connect(ui->channelCombo, &QComboBox::currentIndexChanged, this, &CPrivateView::OnChannelChosen);
    connect(ui->homeGroupCombo, &QComboBox::currentIndexChanged, this, &CPrivateView::OnHomeGroupChosen);
    connect(ui->groupOnlyCheck, &QCheckBox::toggled, this, &CPrivateView::OnGroupOnlyClicked);
    connect(ui->ringerCombo, &QComboBox::currentIndexChanged, this, &CPrivateView::OnRingerChosen);
    connect(ui->scrollEnableCheck, &QCheckBox::toggled, this, &CPrivateView::OnScrollEnableClicked);
    m_pScrollEditor->SetHandlers(GuardedStep([this](const CTwoListEditor::Entry& entry) { return AddToScrollList(entry); }),
                                 GuardedStep([this](const CTwoListEditor::Entry& entry) { return RemoveFromScrollList(entry); }));
}

CPrivateView::~CPrivateView() = default;

void CPrivateView::LoadData()
{
    LoadEntry();
    const CDataItem limit = Limit();
    const QString last = Attribute(limit, QStringLiteral("valid_PID_end")).trimmed();
    m_pIdValidator->SetLimits(Attribute(limit, QStringLiteral("valid_PID_start")), last);
    ui->idEdit->setMaxLength(int(last.size()));

    CContactEntryView::ReloadName();
    m_nChannelPosition = FillChannelChoice(ui->channelCombo);
    ui->idEdit->setText(Attribute(Entry(), QStringLiteral("pid")));
    FillHomeGroupChoice();
    {
        QSignalBlocker block(ui->groupOnlyCheck);
        ui->groupOnlyCheck->setChecked(FlagAttribute(Entry(), QStringLiteral("show_grp_only")));
    }
    FillRingerChoice();
    LoadScrollList();
}

QString CPrivateView::CaptionText() const
{
    return CContactEntryView::CaptionText() + m_strCaptionSuffix;
}

void CPrivateView::ReloadName()
{
    CContactEntryView::ReloadName();
    ReloadScrollList();
}

void CPrivateView::NameCommitted()
{
    // The scroll lists show names.
    ReloadScrollList();
}

void CPrivateView::OnEntryAdded(NodeKind kind)
{
    if (kind == NodeKind::ScanAddPrivate) {
        m_bScanning = true;
        FocusLater(ui->idEdit);
    } else {
        m_bScanning = false;
        FocusName();
    }
}

// ---- Home group, group only, ringer ------------------------------------------------------

void CPrivateView::FillHomeGroupChoice()
{
    const QString channel = Attribute(Entry(), QStringLiteral("channel")).trimmed();
    const CDataItem contacts = Child(Root(), QStringLiteral("Contacts"));
    QSignalBlocker block(ui->homeGroupCombo);
    ui->homeGroupCombo->clear();
    ui->homeGroupCombo->addItem(LoadStr(10136), QString());
    for (const char* folderName : {"PrivateGroups", "PublicGroups"}) {
        const CDataItem folder = Child(contacts, QString::fromLatin1(folderName));
        const int count = folder.GetChildCount();
        for (int i = 0; i < count; ++i) {
            const CDataItem group = ChildAt(folder, i);
            if (Attribute(group, QStringLiteral("channel")).trimmed() == channel)
                ui->homeGroupCombo->addItem(Attribute(group, QStringLiteral("name")), Attribute(group, QStringLiteral("pid")));
        }
    }
    const QString home = Attribute(Entry(), QStringLiteral("home_grp")).trimmed();
    m_nHomeGroupPosition = ui->homeGroupCombo->findData(home);
    if (m_nHomeGroupPosition < 0)
        throw ProfileDataFault();
    ui->homeGroupCombo->setCurrentIndex(m_nHomeGroupPosition);
}

void CPrivateView::OnHomeGroupChosen(int position)
{
    if (position < 0 || position == m_nHomeGroupPosition)
        return;
    Guarded([&] {
        WriteChoice(ui->homeGroupCombo, m_nHomeGroupPosition, position, QStringLiteral("home_grp"),
                    ui->homeGroupCombo->itemData(position).toString());
    });
}

void CPrivateView::OnGroupOnlyClicked()
{
    Guarded([this] {
        const bool stored = FlagAttribute(Entry(), QStringLiteral("show_grp_only"));
        if (!Write(QStringLiteral("show_grp_only"), !stored).IsApplied())
            throw ProfileDataFault();
        QSignalBlocker block(ui->groupOnlyCheck);
        ui->groupOnlyCheck->setChecked(!stored);
    });
}

void CPrivateView::FillRingerChoice()
{
    QSignalBlocker block(ui->ringerCombo);
    ui->ringerCombo->clear();
    for (int ringer = 1; ringer <= kRingers; ++ringer)
        ui->ringerCombo->addItem(FormatMessage(LoadStr(10107), {QString::number(ringer)}));
    const int stored = NumberAttribute(Entry(), QStringLiteral("alert_tone"));
    if (stored < 1 || stored > kRingers)
        throw ProfileDataFault();
    ui->ringerCombo->setCurrentIndex(stored - 1);
}

void CPrivateView::OnRingerChosen(int position)
{
    if (position < 0)
        return;
    Guarded([&] {
        if (!Write(QStringLiteral("alert_tone"), position + 1).IsApplied())
            throw ProfileDataFault();
    });
}

// ---- Channel ------------------------------------------------------------------------------

void CPrivateView::OnChannelChosen(int position)
{
    if (position < 0 || position == m_nChannelPosition)
        return;
    Guarded([&] {
        // The rules ask before the private leaves its groups (137).
        if (!WriteChoice(ui->channelCombo, m_nChannelPosition, position, QStringLiteral("channel"), position + 1))
            return;
        FillHomeGroupChoice();
        // Groups may have lost their last member and gone with it.
        SendHint(HintAction::Refresh, NodeKind::Private, EntryIndex());
    });
}

// ---- ID -------------------------------------------------------------------------------------

void CPrivateView::OnIdEdited()
{
    Guarded([this] {
        Doc().SetModifiedFlag();
        if (m_pIdValidator->LimitsBroken())
            throw ProfileDataFault();
    });
}

bool CPrivateView::CommitId(bool fromIdField)
{
    const QString text = ui->idEdit->text().trimmed();
    if (text.isEmpty()) {
        MessageId(10099, kvx::kMbOk | kvx::kMbIconWarning);
        FocusLater(ui->idEdit);
        return false;
    }
    if (text != Attribute(Entry(), QStringLiteral("pid"))) {
        if (!Write(QStringLiteral("pid"), text).IsApplied()) {
            FocusLater(ui->idEdit);
            return false;
        }
        RefreshCaption();
        SendHint(HintAction::Refresh, NodeKind::Private, EntryIndex());
    }
    if (fromIdField)
        m_bIdAccepted = true;
    return true;
}

void CPrivateView::OnReadId()
{
    Guarded([this] {
        if (Pane()->readPrivateIdOverAir) {
            if (const std::optional<QString> id = Pane()->readPrivateIdOverAir(this)) {
                ui->idEdit->setText(*id);
                Doc().SetModifiedFlag();
            }
        }
    });
    if (!IsClosing())
        FocusLater(ui->idEdit);
}

bool CPrivateView::FormKeyPress(QWidget*, QKeyEvent* event)
{
    if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) || event->isAutoRepeat())
        return false;
    if (m_bScanning)
        OnScannedIdEntered();
    return true;
}

void CPrivateView::OnScannedIdEntered()
{
    Guarded([this] {
        m_bIdAccepted = false;
        if (!CommitId(true) || !m_bIdAccepted)
            return;
        m_bScanning = false;
        m_bIdAccepted = false;
        FocusView();
        if (Folder().CanAddChild())
            Pane()->RequestScanAdd();
    });
}

// ---- Leave check ------------------------------------------------------------------------------

QString CPrivateView::OtherFaults()
{
    const QString text = ui->idEdit->text().trimmed();
    if (text.isEmpty())
        return LoadStr(10163);
    if (text == Attribute(Entry(), QStringLiteral("pid")))
        return QString();
    if (!Edit(EditRequest::SetAttribute(Entry(), QStringLiteral("pid"), text), true).IsApplied())
        return LoadStr(10163);
    SendHint(HintAction::Refresh, NodeKind::Private, EntryIndex());
    return QString();
}

void CPrivateView::FocusOtherFault()
{
    FocusLater(ui->idEdit);
}

