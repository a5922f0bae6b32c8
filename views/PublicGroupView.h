#pragma once

// CPublicGroupView: edits one public group: name, channel (moving the group
// between the channels' scan lists as the rules decide) and its ID, chosen
// by display number from the radio's public ID banks. IDs other public
// groups use are listed as "x  27", free ones (and the group's own) as
// "   27". Inconsistent banks are reported when the view is shown (266, 210).

#include "ContactEntryView.h"

#include <memory>

namespace Ui {
class PublicGroupView;
}

class CPublicGroupView : public CContactEntryView {
    Q_OBJECT
public:
    explicit CPublicGroupView(QWidget* parent = nullptr);
    ~CPublicGroupView() override;

protected:
    void LoadData() override;

private:
    void FillIdChoice();
    void OnChannelChosen(int position);
    void OnIdChosen(int position);
    // The display number of an ID choice text ("x  27" or "   27").
    static int DisplayNumberOf(const QString& text);

    std::unique_ptr<Ui::PublicGroupView> ui;
    int m_nChannelPosition = -1;
    int m_nIdPosition = -1;
};
