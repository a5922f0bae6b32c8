#pragma once

// CSettingsView: the radio-wide settings (the `setting` element) and the two
// privilege lists kept on the privates (mngr_mode, see_all_groups).
//
// Every choice and check box writes its attribute when it changes, through
// the edit path (a refusal shows the rules' message and the control shows
// the stored value again). The codeplug password and the clock are written
// by the leave check: the password only when it changed, the time and date
// only when the user changed them (and the PC clock is not used), the alarm
// time only when changed while the alarm is on.
//
// Clock values are seconds since 1 January 1970 00:00:00, shown as date and
// time without any time-zone adjustment.

#include "BaseView.h"
#include "ContactTable.h"

#include <QDateTime>
#include <memory>

namespace Ui {
class SettingsView;
}
class QCheckBox;
class QComboBox;
class CTwoListEditor;

class CSettingsView : public CBaseView {
    Q_OBJECT
public:
    explicit CSettingsView(QWidget* parent = nullptr);
    ~CSettingsView() override;

    int LeaveCheck() override;

    // Clock encoding: seconds since 1970-01-01 00:00:00 of a date and time,
    // and back, in the Gregorian calendar without any time zone.
    static qint64 SecondsSince1970(const QDateTime& dateTime);
    static QDateTime DateTimeOf(qint64 seconds);
    // The display format of the time pickers: "HH:mm" in 24-hour form
    // (time_format 1), otherwise the 12-hour form with AM or PM.
    static QString TimeDisplayFormat(int timeFormat);
    // The date picker's format: "MM/dd/yy" (date_format 0) or "dd/MM/yy".
    static QString DateDisplayFormat(int dateFormat);

protected:
    void LoadData() override;

private:
    // A choice whose entries stand for values of an attribute of `setting`.
    struct Choice {
        QComboBox* combo;
        QString attribute;
    };
    struct Check {
        QCheckBox* box;
        QString attribute;
    };
    void FillChoices();
    void AddChoice(QComboBox* combo, const QString& attribute, const QList<QPair<QString, int>>& entries);
    void AddCheck(QCheckBox* box, const QString& attribute);
    void LoadChoice(const Choice& choice);
    void LoadCheck(const Check& check);
    void LoadVibraCall();
    void LoadClock();
    void LoadPrivileges();
    void UpdateDependentControls();
    void UpdateTimeFormats();

    // The write protocol: true when the rules accepted the value.
    bool WriteSetting(const QString& attribute, const QVariant& value);
    void OnChoiceChosen(const Choice& choice, int position);
    void OnCheckToggled(const Check& check, bool checked);
    void OnVibraCallToggled(bool checked);
    void OnPcClockToggled(bool checked);

    // The privilege lists.
    CTwoListEditor::Step WritePrivilege(const QString& attribute, int globalIndex, bool value);
    CTwoListEditor::Step AddManager(int globalIndex);
    CTwoListEditor::Step RemoveSeeAllGroups(int globalIndex);
    void AddPendingToSeeAllGroups();

    int LeavePassword();
    void WriteClock();

    std::unique_ptr<Ui::SettingsView> ui;
    CDataItem m_setting;
    QList<Choice> m_choices;
    QList<Check> m_checks;
    QDateTime m_loadedTime;
    QDateTime m_loadedAlarm;
    bool m_bClockEdited = false;
    bool m_bAlarmEdited = false;
    CContactTable m_privates;
    CTwoListEditor* m_pManagers = nullptr;
    CTwoListEditor* m_pSeeAllGroups = nullptr;
    QList<int> m_pendingSeeAllGroups;
};
