#pragma once

// CListsView: the read-only overview of the lists: the scroll list, and,
// for a radio that scans public groups, the scan list of every channel in a
// grid (one column per channel) with the scan mode.

#include "BaseView.h"

#include <memory>

namespace Ui {
class ListsView;
}

class CListsView : public CBaseView {
    Q_OBJECT
public:
    explicit CListsView(QWidget* parent = nullptr);
    ~CListsView() override;

    // The width of each channel column in a grid this wide: an equal share,
    // but never narrower than a tenth of the grid.
    static int ChannelColumnWidth(int gridWidth, int channels);

protected:
    void LoadData() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillScrollList();
    void FillScanGrid();
    void SetColumnWidths();

    std::unique_ptr<Ui::ListsView> ui;
};
