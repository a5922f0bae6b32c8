// The settings view: value encodings of its choices, the password's leave
// check, the clock, and the privilege lists.

#include "ViewTestSupport.h"

#include "ControlIds.h"
#include "SettingsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace {

using namespace TreeNode;

class SettingsViewTest : public ViewTest {
protected:
    QComboBox* Combo(int id) const { return Control<QComboBox>(id); }
    QString Stored(const QString& attribute)
    {
        CDataItem setting;
        m_doc->GetRootItem().GetChildByName(QStringLiteral("setting"), setting);
        return setting.GetNode().GetAttribute(attribute);
    }
    void Choose(int id, int position)
    {
        Combo(id)->setCurrentIndex(position);
        Settle();
    }
    void OpenSettings()
    {
        OpenWindow();
        ASSERT_TRUE(Select(Settings));
        ASSERT_EQ(View()->ViewClass(), QStringLiteral("CSettingsView"));
    }
    QLineEdit* Password() const { return Control<QLineEdit>(ControlId::SettingsPasswordEdit); }
    QLineEdit* Confirmation() const { return Control<QLineEdit>(ControlId::SettingsConfirmPasswordEdit); }
};

TEST_F(SettingsViewTest, ChoicesShowAndStoreTheirEncodings)
{
    DocFromTemplateText({{QStringLiteral("backlight=\"10000\""), QStringLiteral("backlight=\"90000\"")},
                         {QStringLiteral("contrast=\"3\""), QStringLiteral("contrast=\"1\"")}});
    OpenSettings();
    QComboBox* backlight = Combo(ControlId::SettingsBacklightCombo);
    EXPECT_EQ(backlight->currentText(), QStringLiteral("90 seconds"));
    Choose(ControlId::SettingsBacklightCombo, backlight->findText(QStringLiteral("Off")));
    EXPECT_EQ(Stored(QStringLiteral("backlight")), QStringLiteral("0"));

    EXPECT_EQ(Combo(ControlId::SettingsContrastCombo)->currentIndex(), 5);
    Choose(ControlId::SettingsContrastCombo, 0);
    EXPECT_EQ(Stored(QStringLiteral("contrast")), QStringLiteral("6"));

    Choose(ControlId::SettingsTxTimeoutCombo, 1);
    EXPECT_EQ(Stored(QStringLiteral("tot_timer")), QStringLiteral("120"));

    // Levels from 1 store their position + 1, levels from 0 their position.
    QComboBox* speaker = Combo(ControlId::SettingsSpeakerVolCombo);
    EXPECT_EQ(speaker->count(), 7);
    Choose(ControlId::SettingsSpeakerVolCombo, 0);
    EXPECT_EQ(Stored(QStringLiteral("speaker_vol_level")), QStringLiteral("1"));
    Choose(ControlId::SettingsRingerVolCombo, 0);
    EXPECT_EQ(Stored(QStringLiteral("ringer_vol_level")), QStringLiteral("0"));
    Choose(ControlId::SettingsNoiseRadioCombo, 3);
    EXPECT_EQ(Stored(QStringLiteral("noise_level_radio")), QStringLiteral("4"));
    Choose(ControlId::SettingsTptOffsetCombo, 13);
    EXPECT_EQ(Combo(ControlId::SettingsTptOffsetCombo)->currentText(), QStringLiteral("-13"));
    EXPECT_EQ(Stored(QStringLiteral("tpt_offset")), QStringLiteral("13"));

    // The radio's languages, by their ids.
    QComboBox* language = Combo(ControlId::SettingsLanguageCombo);
    QStringList languages;
    for (int i = 0; i < language->count(); ++i)
        languages << language->itemText(i);
    EXPECT_EQ(languages, (QStringList{"English", "Spanish", "French", "Portuguese", "German"}));
    Choose(ControlId::SettingsLanguageCombo, 4);
    EXPECT_EQ(Stored(QStringLiteral("language")), QStringLiteral("7"));
}

TEST_F(SettingsViewTest, CheckBoxesWriteFlagsAndGreyWhatDependsOnThem)
{
    DocFromTemplateText({{QStringLiteral("vibracall_dis=\"1\""), QStringLiteral("vibracall_dis=\"0\"")},
                         {QStringLiteral("vibracall=\"0\""), QStringLiteral("vibracall=\"6\"")},
                         {QStringLiteral("tx_timeout_timer_dis=\"1\""), QStringLiteral("tx_timeout_timer_dis=\"0\"")}});
    OpenSettings();
    auto* disableTimer = Control<QCheckBox>(ControlId::SettingsTxTimeoutDisableCheck);
    EXPECT_TRUE(Combo(ControlId::SettingsTxTimeoutCombo)->isEnabled());
    disableTimer->click();
    Settle();
    EXPECT_FALSE(Combo(ControlId::SettingsTxTimeoutCombo)->isEnabled());
    EXPECT_EQ(Stored(QStringLiteral("tx_timeout_timer_dis")), QStringLiteral("1"));

    // VibraCall is bit 0; the other bits stay.
    auto* vibraCall = Control<QCheckBox>(ControlId::SettingsVibraCallCheck);
    ASSERT_TRUE(vibraCall->isEnabled());
    EXPECT_FALSE(vibraCall->isChecked());
    // Toggled from a screen reader as well as clicked.
    Toggle(vibraCall);
    Settle();
    EXPECT_EQ(Stored(QStringLiteral("vibracall")), QStringLiteral("7"));

    auto* alarm = Control<QCheckBox>(ControlId::SettingsAlarmCheck);
    EXPECT_FALSE(Control<QTimeEdit>(ControlId::SettingsAlarmTimePicker)->isEnabled());
    Toggle(alarm);
    Settle();
    EXPECT_TRUE(Control<QTimeEdit>(ControlId::SettingsAlarmTimePicker)->isEnabled());
    EXPECT_EQ(Stored(QStringLiteral("alarm_en")), QStringLiteral("1"));

    auto* pcClock = Control<QCheckBox>(ControlId::SettingsPcClockCheck);
    Toggle(pcClock);
    Settle();
    EXPECT_TRUE(m_doc->GetUsePcClock());
    EXPECT_FALSE(Control<QTimeEdit>(ControlId::SettingsTimePicker)->isEnabled());
    EXPECT_FALSE(Control<QDateEdit>(ControlId::SettingsDatePicker)->isEnabled());
}

TEST_F(SettingsViewTest, ARadioThatCannotVibrateGreysVibraCall)
{
    NewDoc();
    OpenSettings();
    EXPECT_FALSE(Control<QCheckBox>(ControlId::SettingsVibraCallCheck)->isEnabled());
}

TEST_F(SettingsViewTest, APasswordIsEmptyOrFourDigitsAndMatchesItsConfirmation)
{
    DocFromTemplateText({{QStringLiteral("password=\"\""), QStringLiteral("password=\"1234\"")}});
    OpenSettings();
    EXPECT_EQ(Password()->text(), QStringLiteral("1234"));
    EXPECT_EQ(Confirmation()->text(), QStringLiteral("1234"));

    ReplaceText(Password(), QStringLiteral("12a3"));
    EXPECT_EQ(Password()->text(), QStringLiteral("123"));   // digits only
    m_script.Expect(295);
    Click(Item(Radio));
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CSettingsView"));
    EXPECT_TRUE(Password()->hasFocus());
    EXPECT_EQ(Password()->selectedText(), QStringLiteral("123"));

    ReplaceText(Password(), QStringLiteral("4321"));
    m_script.Expect(296);
    Click(Item(Radio));
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CSettingsView"));
    EXPECT_EQ(Password()->text(), QString());
    EXPECT_EQ(Confirmation()->text(), QString());
    EXPECT_TRUE(Password()->hasFocus());
    EXPECT_EQ(Stored(QStringLiteral("password")), QStringLiteral("1234"));

    // Both cleared: no password.
    Click(Item(Radio));
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CRadioInfoView"));
    EXPECT_EQ(Stored(QStringLiteral("password")), QString());
}

TEST_F(SettingsViewTest, LeavingUnchangedSettingsWritesNothing)
{
    NewDoc();   // current_time 0: the pickers show the PC's time
    OpenSettings();
    const QString before = m_doc->GetDataModel().GetProfileXml();
    Click(Item(Radio));
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CRadioInfoView"));
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(m_doc->GetDataModel().GetProfileXml(), before);
}

TEST_F(SettingsViewTest, TheClockIsSecondsSince1970WithoutTimeZone)
{
    EXPECT_EQ(CSettingsView::SecondsSince1970(QDateTime(QDate(1970, 1, 2), QTime(0, 0, 1))), 86401);
    EXPECT_EQ(CSettingsView::SecondsSince1970(QDateTime(QDate(2000, 3, 1), QTime(0, 0))), 951868800);
    EXPECT_EQ(CSettingsView::SecondsSince1970(QDateTime(QDate(2059, 12, 31), QTime(23, 59, 59))), 2840140799);
    EXPECT_EQ(CSettingsView::DateTimeOf(951868799).date(), QDate(2000, 2, 29));

    // 2024-02-29 13:05:00 and an alarm at 06:30.
    DocFromTemplateText({{QStringLiteral("current_time=\"0\""), QStringLiteral("current_time=\"1709211900\"")},
                         {QStringLiteral("alarm_time=\"0\""), QStringLiteral("alarm_time=\"23400\"")},
                         {QStringLiteral("alarm_en=\"0\""), QStringLiteral("alarm_en=\"1\"")}});
    OpenSettings();
    auto* time = Control<QTimeEdit>(ControlId::SettingsTimePicker);
    auto* date = Control<QDateEdit>(ControlId::SettingsDatePicker);
    auto* alarm = Control<QTimeEdit>(ControlId::SettingsAlarmTimePicker);
    EXPECT_EQ(date->date(), QDate(2024, 2, 29));
    EXPECT_EQ(date->displayFormat(), QStringLiteral("MM/dd/yy"));
    EXPECT_EQ(date->minimumDate(), QDate(2000, 1, 1));
    EXPECT_EQ(date->maximumDate(), QDate(2059, 12, 31));
    // time_format 0: the 12-hour form.
    EXPECT_EQ(time->text(), QStringLiteral("01:05:PM"));
    EXPECT_EQ(alarm->text(), QStringLiteral("06:30:AM"));
    Choose(ControlId::SettingsTimeFormatCombo, 1);
    EXPECT_EQ(Stored(QStringLiteral("time_format")), QStringLiteral("1"));
    EXPECT_EQ(time->displayFormat(), QStringLiteral("HH:mm"));
    EXPECT_EQ(time->text(), QStringLiteral("13:05"));
    EXPECT_EQ(alarm->text(), QStringLiteral("06:30"));
    Choose(ControlId::SettingsDateFormatCombo, 1);
    EXPECT_EQ(date->displayFormat(), QStringLiteral("dd/MM/yy"));

    time->setTime(QTime(14, 5));
    date->setDate(QDate(2024, 3, 1));
    alarm->setTime(QTime(7, 0));
    Click(Item(Radio));
    EXPECT_EQ(Stored(QStringLiteral("current_time")), QStringLiteral("1709301900"));
    EXPECT_EQ(Stored(QStringLiteral("alarm_time")), QStringLiteral("25200"));
}

TEST_F(SettingsViewTest, AManagerAlsoSeesAllGroups)
{
    NewDoc();
    for (const QString& name : {QStringLiteral("Adam"), QStringLiteral("Bob"), QStringLiteral("Cid")}) {
        CDataItem entry = Add(QStringLiteral("Privates"), name);
        Set(entry, QStringLiteral("see_all_groups"), false);
    }
    OpenSettings();
    auto* allForManagers = Control<QTreeWidget>(ControlId::SettingsManagerAllPrivatesList);
    auto* managers = Control<QTreeWidget>(ControlId::SettingsManagerModeList);
    auto* allForSeeAll = Control<QTreeWidget>(ControlId::SettingsSeeAllAllPrivatesList);
    auto* seeAll = Control<QTreeWidget>(ControlId::SettingsSeeAllGroupsList);
    EXPECT_EQ(ListNames(allForSeeAll), (QStringList{"Adam", "Bob", "Cid"}));
    allForManagers->clearSelection();
    allForManagers->topLevelItem(1)->setSelected(true);   // Bob
    QTest::mouseClick(Control<QPushButton>(ControlId::SettingsManagerAddButton), Qt::LeftButton);
    Settle();
    EXPECT_EQ(ListNames(managers), QStringList{"Bob"});
    EXPECT_EQ(ListNames(seeAll), QStringList{"Bob"});
    EXPECT_EQ(ListNames(allForSeeAll), (QStringList{"Adam", "Cid"}));
    EXPECT_EQ(Entry(QStringLiteral("Privates"), 1).GetNode().GetAttribute(QStringLiteral("mngr_mode")), QStringLiteral("1"));
    EXPECT_EQ(Entry(QStringLiteral("Privates"), 1).GetNode().GetAttribute(QStringLiteral("see_all_groups")),
              QStringLiteral("1"));

    // Without seeing all groups no private stays a manager.
    seeAll->topLevelItem(0)->setSelected(true);
    QTest::mouseClick(Control<QPushButton>(ControlId::SettingsSeeAllRemoveButton), Qt::LeftButton);
    Settle();
    EXPECT_TRUE(ListNames(seeAll).isEmpty());
    EXPECT_TRUE(ListNames(managers).isEmpty());
    EXPECT_EQ(Entry(QStringLiteral("Privates"), 1).GetNode().GetAttribute(QStringLiteral("mngr_mode")), QStringLiteral("0"));
}

TEST_F(SettingsViewTest, PrivilegeListsOfARadioWithoutThemAreDisabled)
{
    DocFromTemplateText({{QStringLiteral("mngr_mode_en=\"1\""), QStringLiteral("mngr_mode_en=\"0\"")}});
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    OpenSettings();
    EXPECT_FALSE(Control<QTreeWidget>(ControlId::SettingsManagerAllPrivatesList)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(ControlId::SettingsManagerAddButton)->isEnabled());
    EXPECT_TRUE(Control<QTreeWidget>(ControlId::SettingsSeeAllGroupsList)->isEnabled());
}

}  // namespace
