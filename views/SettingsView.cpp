#include "SettingsView.h"

#include "KVXZOTDoc.h"
#include "MessageFormat.h"
#include "Messages.h"
#include "StringTable.h"
#include "TwoListEditor.h"

#include "ui_SettingsView.h"

#include <QApplication>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace {

const QString kSeeAllGroups = QStringLiteral("see_all_groups");
const QString kManagerMode = QStringLiteral("mngr_mode");

// The radio's languages: id and the string of its name.
struct Language {
    int id;
    int nameId;
};
constexpr Language kLanguages[] = {{0, 205}, {1, 206}, {4, 207}, {5, 208}, {7, 209}, {9, 298}};

// "90 seconds": a number of seconds as the backlight and timer choices show it.
QString Seconds(int seconds)
{
    return FormatMessage(QStringLiteral("%d %s"), {QString::number(seconds), LoadStr(287)});
}

QList<QPair<QString, int>> Levels(int first, int last)
{
    QList<QPair<QString, int>> entries;
    for (int level = first; level <= last; ++level)
        entries.append({QString::number(level), level});
    return entries;
}

// The number a choice stands for; flag attributes read as 0 or 1.
int ChoiceValue(const CDataItem& setting, const QString& attribute)
{
    const QString text = CBaseView::Attribute(setting, attribute).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return 1;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return 0;
    return CBaseView::NumberAttribute(setting, attribute);
}

// A password is empty or four digits.
bool PasswordLengthFaulty(const QString& text)
{
    return !text.isEmpty() && text.size() != 4;
}

}  // namespace

CSettingsView::CSettingsView(QWidget* parent) : CBaseView("CSettingsView", parent), ui(new Ui::SettingsView)
{
    ui->setupUi(Form());
    for (QLineEdit* edit : {ui->passwordEdit, ui->confirmPasswordEdit})
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    ui->datePicker->setDateRange(QDate(2000, 1, 1), QDate(2059, 12, 31));
    // AM and PM as the radio shows them, whatever the PC's language.
    ui->timePicker->setLocale(QLocale::c());
    ui->alarmTimePicker->setLocale(QLocale::c());
    connect(ui->timePicker, &QTimeEdit::timeChanged, this, [this] { m_bClockEdited = true; });
    connect(ui->datePicker, &QDateEdit::dateChanged, this, [this] { m_bClockEdited = true; });
    connect(ui->alarmTimePicker, &QTimeEdit::timeChanged, this, [this] { m_bAlarmEdited = true; });
    connect(ui->vibraCallCheck, &QCheckBox::toggled, this, &CSettingsView::OnVibraCallToggled);
    connect(ui->pcClockCheck, &QCheckBox::toggled, this, &CSettingsView::OnPcClockToggled);

    m_pManagers = new CTwoListEditor(ui->managerModeAllPrivatesList, ui->managerModeList, ui->managerModeAddButton,
                                     ui->managerModeRemoveButton, this);
    m_pSeeAllGroups = new CTwoListEditor(ui->seeAllGroupsAllPrivatesList, ui->seeAllGroupsList,
                                         ui->seeAllGroupsAddButton, ui->seeAllGroupsRemoveButton, this);
    m_pManagers->SetHandlers(
        GuardedStep([this](const CTwoListEditor::Entry& entry) { return AddManager(entry.globalIndex); }),
        GuardedStep([this](const CTwoListEditor::Entry& entry) {
            return WritePrivilege(kManagerMode, entry.globalIndex, false);
        }));
    m_pSeeAllGroups->SetHandlers(
        GuardedStep([this](const CTwoListEditor::Entry& entry) {
            return WritePrivilege(kSeeAllGroups, entry.globalIndex, true);
        }),
        GuardedStep([this](const CTwoListEditor::Entry& entry) { return RemoveSeeAllGroups(entry.globalIndex); }));
    connect(m_pManagers, &CTwoListEditor::moved, this, &CSettingsView::AddPendingToSeeAllGroups);
}

CSettingsView::~CSettingsView() = default;

// ---- Encodings -------------------------------------------------------------------------

qint64 CSettingsView::SecondsSince1970(const QDateTime& dateTime)
{
    return QDateTime(dateTime.date(), dateTime.time(), Qt::UTC).toSecsSinceEpoch();
}

QDateTime CSettingsView::DateTimeOf(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

QString CSettingsView::TimeDisplayFormat(int timeFormat)
{
    return timeFormat == 1 ? QStringLiteral("HH:mm") : QStringLiteral("hh:mm:AP");
}

QString CSettingsView::DateDisplayFormat(int dateFormat)
{
    return dateFormat == 0 ? QStringLiteral("MM/dd/yy") : QStringLiteral("dd/MM/yy");
}

// ---- Loading ---------------------------------------------------------------------------

void CSettingsView::LoadData()
{
    try {
        m_setting = Child(Root(), QStringLiteral("setting"));
        FillChoices();
        for (const Choice& choice : m_choices)
            LoadChoice(choice);
        for (const Check& check : m_checks)
            LoadCheck(check);
        LoadVibraCall();
        {
            QSignalBlocker block(ui->pcClockCheck);
            ui->pcClockCheck->setChecked(Doc().GetUsePcClock());
        }
        const QString password = Attribute(m_setting, QStringLiteral("password"));
        ui->passwordEdit->setText(password);
        ui->confirmPasswordEdit->setText(password);
        LoadClock();
        LoadPrivileges();
        UpdateDependentControls();
    } catch (const ProfileDataFault&) {
        KVX_RAISE(20005, QStringLiteral("a setting is missing"), "CSettingsView::LoadData");
    } catch (const CKVXZOTException& e) {
        throw CKVXZOTException(20005, e.GetTrace(), "CSettingsView::LoadData", __LINE__);
    }
}

void CSettingsView::FillChoices()
{
    const CDataItem limit = Limit();
    const int maxVolume = NumberAttribute(limit, QStringLiteral("max_vol_level"));
    QList<QPair<QString, int>> contrast;
    for (int position = 0; position <= 6; ++position)
        contrast.append({QString::number(7 - position), 6 - position});
    AddChoice(ui->contrastCombo, QStringLiteral("contrast"), contrast);
    AddChoice(ui->backlightCombo, QStringLiteral("backlight"),
              {{Seconds(90), 90000}, {Seconds(30), 30000}, {Seconds(20), 20000}, {Seconds(10), 10000},
               {Seconds(5), 5000}, {LoadStr(199), 0}});
    AddChoice(ui->timeFormatCombo, QStringLiteral("time_format"), {{LoadStr(288), 0}, {LoadStr(289), 1}});
    AddChoice(ui->dateFormatCombo, QStringLiteral("date_format"), {{LoadStr(290), 0}, {LoadStr(291), 1}});
    AddChoice(ui->ringerVolCombo, QStringLiteral("ringer_vol_level"), Levels(0, maxVolume));
    AddChoice(ui->speakerVolCombo, QStringLiteral("speaker_vol_level"), Levels(1, maxVolume));
    AddChoice(ui->keypadVolCombo, QStringLiteral("keypad_vol_level"), Levels(0, maxVolume));
    AddChoice(ui->alarmVolCombo, QStringLiteral("alarm_vol_level"), Levels(1, maxVolume));
    AddChoice(ui->earpieceVolCombo, QStringLiteral("earpiece_vol_level"), Levels(1, maxVolume));
    QList<QPair<QString, int>> offsets{{QStringLiteral("0"), 0}};
    for (int offset = 1; offset <= 13; ++offset)
        offsets.append({QString::number(-offset), offset});
    AddChoice(ui->tptOffsetCombo, QStringLiteral("tpt_offset"), offsets);
    const QList<QPair<QString, int>> noise{{LoadStr(279), 1}, {LoadStr(280), 2}, {LoadStr(281), 3}, {LoadStr(282), 4}};
    AddChoice(ui->noiseAccessoryCombo, QStringLiteral("noise_level_accessory"), noise);
    AddChoice(ui->noiseRadioCombo, QStringLiteral("noise_level_radio"), noise);

    QList<QPair<QString, int>> languages;
    const CDataItem listed = Child(limit, QStringLiteral("languages"));
    const int count = std::min(NumberAttribute(limit, QStringLiteral("num_of_languages")), listed.GetChildCount());
    for (int i = 0; i < count; ++i) {
        const int id = NumberAttribute(ChildAt(listed, i), QStringLiteral("language_id"));
        for (const Language& language : kLanguages) {
            if (language.id == id)
                languages.append({LoadStr(language.nameId), id});
        }
    }
    AddChoice(ui->languageCombo, QStringLiteral("language"), languages);
    AddChoice(ui->txTimeoutCombo, QStringLiteral("tot_timer"), {{Seconds(60), 60}, {Seconds(120), 120}, {Seconds(180), 180}});

    AddCheck(ui->alarmCheck, QStringLiteral("alarm_en"));
    AddCheck(ui->internalPttCheck, QStringLiteral("internal_ptt_dis"));
    AddCheck(ui->progModeCheck, QStringLiteral("prog_mode_dis"));
    AddCheck(ui->txTimeoutDisableCheck, QStringLiteral("tx_timeout_timer_dis"));
}

void CSettingsView::AddChoice(QComboBox* combo, const QString& attribute, const QList<QPair<QString, int>>& entries)
{
    QSignalBlocker block(combo);
    combo->clear();
    for (const auto& [text, value] : entries)
        combo->addItem(text, value);
    const Choice choice{combo, attribute};
    m_choices << choice;
    connect(combo, &QComboBox::currentIndexChanged, this, [this, choice](int position) { OnChoiceChosen(choice, position); });
}

void CSettingsView::AddCheck(QCheckBox* box, const QString& attribute)
{
    const Check check{box, attribute};
    m_checks << check;
    connect(box, &QCheckBox::toggled, this, [this, check](bool checked) { OnCheckToggled(check, checked); });
}

void CSettingsView::LoadChoice(const Choice& choice)
{
    QSignalBlocker block(choice.combo);
    // A value the choice does not offer selects nothing: the user picks one.
    choice.combo->setCurrentIndex(choice.combo->findData(ChoiceValue(m_setting, choice.attribute)));
}

void CSettingsView::LoadCheck(const Check& check)
{
    QSignalBlocker block(check.box);
    check.box->setChecked(FlagAttribute(m_setting, check.attribute));
}

void CSettingsView::LoadVibraCall()
{
    QSignalBlocker block(ui->vibraCallCheck);
    ui->vibraCallCheck->setChecked(NumberAttribute(m_setting, QStringLiteral("vibracall")) & 1);
    ui->vibraCallCheck->setEnabled(!FlagAttribute(Limit(), QStringLiteral("vibracall_dis")));
}

void CSettingsView::LoadClock()
{
    const qint64 current = Attribute(m_setting, QStringLiteral("current_time")).trimmed().toLongLong();
    if (current == 0) {
        // A radio whose clock was never set: the pickers start at the PC's time.
        const QDateTime now = QDateTime::currentDateTime();
        m_loadedTime = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC);
    } else {
        m_loadedTime = DateTimeOf(current);
    }
    m_loadedAlarm = DateTimeOf(Attribute(m_setting, QStringLiteral("alarm_time")).trimmed().toLongLong());
    UpdateTimeFormats();
    {
        QSignalBlocker blockTime(ui->timePicker);
        QSignalBlocker blockDate(ui->datePicker);
        QSignalBlocker blockAlarm(ui->alarmTimePicker);
        ui->timePicker->setTime(m_loadedTime.time());
        ui->datePicker->setDate(m_loadedTime.date());
        ui->alarmTimePicker->setTime(m_loadedAlarm.time());
    }
    m_bClockEdited = false;
    m_bAlarmEdited = false;
}

void CSettingsView::UpdateTimeFormats()
{
    const int timeFormat = ui->timeFormatCombo->currentData().toInt();
    const int dateFormat = ui->dateFormatCombo->currentData().toInt();
    for (QDateTimeEdit* picker : {static_cast<QDateTimeEdit*>(ui->timePicker), static_cast<QDateTimeEdit*>(ui->alarmTimePicker)}) {
        QSignalBlocker block(picker);
        picker->setDisplayFormat(TimeDisplayFormat(timeFormat));
    }
    QSignalBlocker block(ui->datePicker);
    ui->datePicker->setDisplayFormat(DateDisplayFormat(dateFormat));
}

void CSettingsView::UpdateDependentControls()
{
    const bool pcClock = ui->pcClockCheck->isChecked();
    ui->timePicker->setEnabled(!pcClock);
    ui->datePicker->setEnabled(!pcClock);
    ui->alarmTimePicker->setEnabled(ui->alarmCheck->isChecked());
    ui->txTimeoutCombo->setEnabled(!ui->txTimeoutDisableCheck->isChecked());
}

void CSettingsView::LoadPrivileges()
{
    m_privates.Build(Root(), [](const CDataItem&) { return false; }, {QStringLiteral("Privates")});
    QList<CTwoListEditor::Entry> others, managers, seeAll, notSeeAll;
    for (int i = 0; i < m_privates.Count(); ++i) {
        const CDataItem& entry = m_privates.At(i).entry;
        (FlagAttribute(entry, kManagerMode) ? managers : others) << m_privates.EntryOf(i);
        (FlagAttribute(entry, kSeeAllGroups) ? seeAll : notSeeAll) << m_privates.EntryOf(i);
    }
    const CDataItem limit = Limit();
    m_pManagers->Fill(others, managers);
    m_pManagers->SetEnabled(FlagAttribute(limit, QStringLiteral("mngr_mode_en")));
    m_pSeeAllGroups->Fill(notSeeAll, seeAll);
    m_pSeeAllGroups->SetEnabled(FlagAttribute(limit, QStringLiteral("see_all_groups_en")));
}

// ---- Writing controls ------------------------------------------------------------------

bool CSettingsView::WriteSetting(const QString& attribute, const QVariant& value)
{
    // The edit path asks the rules' questions and shows their refusals.
    return Edit(EditRequest::SetAttribute(m_setting, attribute, value)).IsApplied();
}

void CSettingsView::OnChoiceChosen(const Choice& choice, int position)
{
    if (position < 0)
        return;
    Guarded([&] {
        if (!WriteSetting(choice.attribute, choice.combo->itemData(position)))
            LoadChoice(choice);
        UpdateTimeFormats();
    });
}

void CSettingsView::OnCheckToggled(const Check& check, bool checked)
{
    Guarded([&] {
        if (!WriteSetting(check.attribute, checked))
            LoadCheck(check);
        UpdateDependentControls();
    });
}

void CSettingsView::OnVibraCallToggled(bool checked)
{
    Guarded([&] {
        // The flag is bit 0; the other bits stay as they are.
        const int stored = NumberAttribute(m_setting, QStringLiteral("vibracall"));
        if (!WriteSetting(QStringLiteral("vibracall"), (stored & ~1) | (checked ? 1 : 0)))
            LoadVibraCall();
    });
}

void CSettingsView::OnPcClockToggled(bool checked)
{
    Doc().SetUsePcClock(checked);
    UpdateDependentControls();
}

// ---- Privilege lists -------------------------------------------------------------------

CTwoListEditor::Step CSettingsView::WritePrivilege(const QString& attribute, int globalIndex, bool value)
{
    const EditOutcome outcome = Edit(EditRequest::SetAttribute(m_privates.At(globalIndex).entry, attribute, value));
    if (outcome.IsApplied())
        return CTwoListEditor::Step::Move;
    return outcome.kind == EditOutcome::Kind::Failed ? CTwoListEditor::Step::Stop : CTwoListEditor::Step::Keep;
}

CTwoListEditor::Step CSettingsView::AddManager(int globalIndex)
{
    const CTwoListEditor::Step step = WritePrivilege(kManagerMode, globalIndex, true);
    if (step == CTwoListEditor::Step::Move)
        m_pendingSeeAllGroups << globalIndex;
    return step;
}

// Every manager also sees all groups: the new managers are added to that
// list as the user would add them.
void CSettingsView::AddPendingToSeeAllGroups()
{
    const QList<int> pending = std::exchange(m_pendingSeeAllGroups, {});
    const QPointer<QWidget> focus = QApplication::focusWidget();
    Guarded([&] {
        for (int globalIndex : pending) {
            if (m_pSeeAllGroups->SelectAvailable(globalIndex))
                m_pSeeAllGroups->Add();
            // Whatever happened there, the list shows what the profile holds.
            if (FlagAttribute(m_privates.At(globalIndex).entry, kSeeAllGroups))
                m_pSeeAllGroups->ShowAsMember(globalIndex);
        }
    });
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

CTwoListEditor::Step CSettingsView::RemoveSeeAllGroups(int globalIndex)
{
    const CTwoListEditor::Step step = WritePrivilege(kSeeAllGroups, globalIndex, false);
    // The rules end manager mode with it.
    if (step == CTwoListEditor::Step::Move && !FlagAttribute(m_privates.At(globalIndex).entry, kManagerMode))
        m_pManagers->ShowAsAvailable(globalIndex);
    return step;
}

// ---- Leave check -----------------------------------------------------------------------

int CSettingsView::LeaveCheck()
{
    int answer = LeaveRefused;
    Guarded([&] {
        if (LeavePassword() == LeaveRefused)
            return;
        WriteClock();
        answer = LeaveAllowed;
    });
    return answer;
}

int CSettingsView::LeavePassword()
{
    if (ui->passwordEdit->isHidden())
        return LeaveAllowed;
    const QString password = ui->passwordEdit->text();
    const QString confirmation = ui->confirmPasswordEdit->text();
    for (QLineEdit* edit : {ui->passwordEdit, ui->confirmPasswordEdit}) {
        if (PasswordLengthFaulty(edit->text())) {
            MessageId(295, kvx::kMbOk | kvx::kMbIconWarning);
            FocusLater(edit);
            return LeaveRefused;
        }
    }
    if (password != confirmation) {
        MessageId(296, kvx::kMbOk | kvx::kMbIconWarning);
        ui->passwordEdit->clear();
        ui->confirmPasswordEdit->clear();
        FocusLater(ui->passwordEdit);
        return LeaveRefused;
    }
    if (password != Attribute(m_setting, QStringLiteral("password")) &&
        !WriteSetting(QStringLiteral("password"), password)) {
        FocusLater(ui->passwordEdit);
        return LeaveRefused;
    }
    return LeaveAllowed;
}

void CSettingsView::WriteClock()
{
    // Written only when the user changed them: a profile is not modified
    // by looking at it (a clock never set shows the PC's time).
    const QDateTime time(ui->datePicker->date(), ui->timePicker->time(), Qt::UTC);
    if (m_bClockEdited && !Doc().GetUsePcClock() && time != m_loadedTime &&
        WriteSetting(QStringLiteral("current_time"), QString::number(SecondsSince1970(time)))) {
        m_loadedTime = time;
        m_bClockEdited = false;
    }
    const QDateTime alarm(m_loadedAlarm.date(), ui->alarmTimePicker->time(), Qt::UTC);
    if (m_bAlarmEdited && ui->alarmCheck->isChecked() && alarm != m_loadedAlarm &&
        WriteSetting(QStringLiteral("alarm_time"), QString::number(SecondsSince1970(alarm)))) {
        m_loadedAlarm = alarm;
        m_bAlarmEdited = false;
    }
}
