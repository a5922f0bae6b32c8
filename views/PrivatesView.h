#pragma once

// CPrivatesView: the form view of the Privates folder: Add Privates and Add
// Privates with a Scanner, enabled while the folder can take another private.

#include "ContactFolderView.h"

#include <memory>

namespace Ui {
class PrivatesView;
}

class CPrivatesView : public CContactFolderView {
    Q_OBJECT
public:
    explicit CPrivatesView(QWidget* parent = nullptr);
    ~CPrivatesView() override;

private:
    std::unique_ptr<Ui::PrivatesView> ui;
};
