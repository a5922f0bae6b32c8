#pragma once

// CTextMessagesView: the Text Messages folder: how many messages the radio
// takes and holds, and Add Text Message while the rules allow another.

#include "BaseView.h"

#include <memory>

namespace Ui {
class TextMessagesView;
}

class CTextMessagesView : public CBaseView {
    Q_OBJECT
public:
    explicit CTextMessagesView(QWidget* parent = nullptr);
    ~CTextMessagesView() override;

protected:
    void LoadData() override;

private:
    std::unique_ptr<Ui::TextMessagesView> ui;
};
