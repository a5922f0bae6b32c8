#pragma once

// CTextMessageView: one predefined text message of at most 80 characters.
//
// The text is stored by the leave check: control characters are removed; a
// blank message is deleted after the user agrees (10101); an unchanged
// message is not written; a text the rules refuse is deleted when the user
// agrees to the rules' question, otherwise the user stays in the field.

#include "BaseView.h"

#include <memory>

namespace Ui {
class TextMessageView;
}

class CTextMessageView : public CBaseView {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 80;

    explicit CTextMessageView(QWidget* parent = nullptr);
    ~CTextMessageView() override;

    int LeaveCheck() override;
    void OnEntryAdded(NodeKind kind) override;

    // The text without its control characters (below U+0020), as stored.
    static QString CleanText(const QString& text);

protected:
    void LoadData() override;

private:
    void OnTextChanged(const QString& text);
    // Asks the tree to delete this message; true when it is gone.
    bool DeleteThis();

    std::unique_ptr<Ui::TextMessageView> ui;
    CDataItem m_messages;
    CDataItem m_message;
    QString m_strAccepted;   // the text before the last change
    bool m_bEdited = false;
};
