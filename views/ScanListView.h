#pragma once

// CScanListView: the Scan List folder: whether the radio scans at all
// (scan_en of the settings).

#include "BaseView.h"

#include <memory>

namespace Ui {
class ScanListView;
}

class CScanListView : public CBaseView {
    Q_OBJECT
public:
    explicit CScanListView(QWidget* parent = nullptr);
    ~CScanListView() override;

protected:
    void LoadData() override;

private:
    void OnScanModeToggled(bool checked);

    std::unique_ptr<Ui::ScanListView> ui;
};
