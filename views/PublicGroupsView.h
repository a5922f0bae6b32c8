#pragma once

// CPublicGroupsView: the form view of the Public Groups folder: an add button, enabled while
// the folder can take another entry.

#include "ContactFolderView.h"

#include <memory>

namespace Ui {
class PublicGroupsView;
}

class CPublicGroupsView : public CContactFolderView {
    Q_OBJECT
public:
    explicit CPublicGroupsView(QWidget* parent = nullptr);
    ~CPublicGroupsView() override;

private:
    std::unique_ptr<Ui::PublicGroupsView> ui;
};
