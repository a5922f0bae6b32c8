#pragma once

// CScanChannelView: the scan list of one channel, the public groups of that
// channel the radio monitors while scanning on it (in_scan_list). A scan
// list holds at most ten groups.

#include "ContactListView.h"

#include <memory>

namespace Ui {
class ScanChannelView;
}

class CScanChannelView : public CContactListView {
    Q_OBJECT
public:
    static constexpr int kCapacity = 10;

    explicit CScanChannelView(QWidget* parent = nullptr);
    ~CScanChannelView() override;

    // The channel shown: the tree item's index + 1.
    int Channel() const { return EntryIndex() + 1; }

protected:
    void LoadData() override;
    bool CanStartAdd() override;
    CTwoListEditor::Step AddStep(int globalIndex) override;
    void SendListHint() override;

private:

    std::unique_ptr<Ui::ScanChannelView> ui;
};
