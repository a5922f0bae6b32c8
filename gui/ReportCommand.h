#pragma once

class CRadioDataModel;
class QWidget;

// The Report command once the form view has committed: the choice of a
// report, the report built from the profile and saved, then shown in the
// report window. A failure is shown as the message of its code, and no
// window opens.
void ShowReportOptions(CRadioDataModel& model, QWidget* parent);
