#pragma once

// CContactsView: the form view of the Contacts node. Shows, read-only, the
// radio's contact capacities and how many contacts of each kind the profile
// holds.

#include "BaseView.h"

#include <memory>

namespace Ui {
class ContactsView;
}

class CContactsView : public CBaseView {
    Q_OBJECT
public:
    explicit CContactsView(QWidget* parent = nullptr);
    ~CContactsView() override;

protected:
    void LoadData() override;

private:
    std::unique_ptr<Ui::ContactsView> ui;
};
