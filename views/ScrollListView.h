#pragma once

// CScrollListView: the radio's scroll list, the contacts the user scrolls
// through on the radio: every contact with in_scroll_list set. The rules
// may refuse a contact; the views set no count limit.

#include "ContactListView.h"

#include <memory>

namespace Ui {
class ScrollListView;
}

class CScrollListView : public CContactListView {
    Q_OBJECT
public:
    explicit CScrollListView(QWidget* parent = nullptr);
    ~CScrollListView() override;

protected:
    void LoadData() override;
    void SendListHint() override;

private:
    std::unique_ptr<Ui::ScrollListView> ui;
};
