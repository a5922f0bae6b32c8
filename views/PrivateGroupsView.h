#pragma once

// CPrivateGroupsView: the form view of the Private Groups folder: an add button, enabled while
// the folder can take another entry.

#include "ContactFolderView.h"

#include <memory>

namespace Ui {
class PrivateGroupsView;
}

class CPrivateGroupsView : public CContactFolderView {
    Q_OBJECT
public:
    explicit CPrivateGroupsView(QWidget* parent = nullptr);
    ~CPrivateGroupsView() override;

private:
    std::unique_ptr<Ui::PrivateGroupsView> ui;
};
