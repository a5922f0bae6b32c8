#pragma once

// CRadioInfoView: the form view of the tree's root. Shows, read-only, the
// radio's unit ID, the name of its own private and the firmware and
// codeplug versions the profile came from.

#include "BaseView.h"

#include <memory>

namespace Ui {
class RadioInfoView;
}

class CRadioInfoView : public CBaseView {
    Q_OBJECT
public:
    explicit CRadioInfoView(QWidget* parent = nullptr);
    ~CRadioInfoView() override;

    // "R02.05.07": the phase, then release (hex), version and revision.
    static QString FirmwareText(const QString& phase, int release, int version, int revision);
    // "CP01.1A.03": structure, version and development version, in hex.
    static QString CodeplugText(int structure, int version, int devVersion);

protected:
    void LoadData() override;

private:
    QString OwnName(const QString& unitId) const;

    std::unique_ptr<Ui::RadioInfoView> ui;
};
