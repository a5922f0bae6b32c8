// The text message views: counts and Add of the folder, the 80-character
// limit and the leave check of one message.

#include "ViewTestSupport.h"

#include "ControlIds.h"
#include "TextMessageView.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace TreeNode;

class TextMessageViewTest : public ViewTest {
protected:
    CDataItem Messages()
    {
        CDataItem messages;
        m_doc->GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
        return messages;
    }
    QStringList Texts()
    {
        QStringList texts;
        CDataItem messages = Messages();
        for (int i = 0; i < messages.GetChildCount(); ++i) {
            CDataItem message;
            messages.GetChildByIndex(i, message);
            texts << message.GetNode().GetAttribute(QStringLiteral("txt"));
        }
        return texts;
    }
    QLineEdit* Edit() const { return Control<QLineEdit>(ControlId::TextMsgEdit); }
};

TEST_F(TextMessageViewTest, TheFolderCountsMessagesAndOffersAddWhileThereIsRoom)
{
    NewDoc();
    for (int i = Messages().GetChildCount(); i < 24; ++i) {
        CDataItem added = m_doc->Apply(EditRequest::AddChild(Messages())).added;
        Set(added, QStringLiteral("txt"), QStringLiteral("Message %1").arg(i));
    }
    OpenWindow();
    ASSERT_TRUE(Select(TextMessages));
    EXPECT_EQ(Control<QLineEdit>(ControlId::TextMsgsMaxValue)->text(), QStringLiteral("25"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::TextMsgsCurValue)->text(), QStringLiteral("24"));
    auto* add = Control<QPushButton>(ControlId::TextMsgsAddButton);
    ASSERT_TRUE(add->isEnabled());
    QTest::mouseClick(add, Qt::LeftButton);
    Settle();
    // The new message is open with the focus in its text.
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CTextMessageView"));
    EXPECT_EQ(Messages().GetChildCount(), 25);
    EXPECT_TRUE(Edit()->hasFocus());
    QTest::keyClicks(Edit(), QStringLiteral("Back at base"));

    ASSERT_TRUE(Select(TextMessages));
    EXPECT_TRUE(Texts().contains(QStringLiteral("Back at base")));
    EXPECT_EQ(Control<QLineEdit>(ControlId::TextMsgsCurValue)->text(), QStringLiteral("25"));
    EXPECT_FALSE(Control<QPushButton>(ControlId::TextMsgsAddButton)->isEnabled());
}

TEST_F(TextMessageViewTest, AnUnchangedMessageIsNotWritten)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(TextMessage, 1));
    const QString before = m_doc->GetDataModel().GetProfileXml();
    Edit()->setFocus();
    Click(Item(TextMessages));
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CTextMessagesView"));
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(m_doc->GetDataModel().GetProfileXml(), before);
}

TEST_F(TextMessageViewTest, ControlCharactersAreRemovedAndABlankMessageIsDeletedWhenAgreed)
{
    NewDoc();
    const QStringList texts = Texts();
    OpenWindow();
    ASSERT_TRUE(Select(TextMessage, 0));
    Edit()->setText(QStringLiteral("\t\x01\x1f"));
    m_script.Expect(10101, kvx::kIdCancel);
    Click(Item(TextMessages));
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CTextMessageView"));
    EXPECT_TRUE(Edit()->hasFocus());
    EXPECT_EQ(Texts(), texts);

    m_script.Expect(10101, kvx::kIdOk);
    Click(Item(TextMessages));
    EXPECT_EQ(Texts(), texts.mid(1));
    EXPECT_EQ(Labels(Item(TextMessages)).size(), texts.size() - 1);

    ASSERT_TRUE(Select(TextMessage, 0));
    Edit()->setText(QStringLiteral("Lunch\tbreak\n"));
    Click(Item(TextMessages));
    EXPECT_TRUE(Texts().contains(QStringLiteral("Lunchbreak")));
}

TEST_F(TextMessageViewTest, TheFieldTakesEightyCharactersAndSays201)
{
    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(TextMessage, 0));
    ReplaceText(Edit(), QString(80, QLatin1Char('x')));
    EXPECT_EQ(Edit()->text().size(), 80);
    m_script.Expect(201);
    QTest::keyClick(Edit(), Qt::Key_Y);
    Settle();
    EXPECT_EQ(m_script.Shown().last(), QStringLiteral("The length of text message can not exceed 80 characters."));
    EXPECT_EQ(Edit()->text(), QString(80, QLatin1Char('x')));
}

TEST_F(TextMessageViewTest, ARefusedTextIsDeletedOnlyWhenTheUserAgrees)
{
    NewDoc();
    const QStringList texts = Texts();
    OpenWindow();
    ASSERT_TRUE(Select(TextMessage, 0));
    Edit()->setText(QStringLiteral("Meet at \u20AC5"));   // the euro sign is not ISO-8859-1
    m_script.Expect(217, kvx::kIdCancel);
    Click(Item(TextMessages));
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CTextMessageView"));
    EXPECT_TRUE(Edit()->hasFocus());
    EXPECT_EQ(Texts(), texts);

    m_script.Expect(217, kvx::kIdOk);
    Click(Item(TextMessages));
    EXPECT_EQ(Texts(), texts.mid(1));
}

}  // namespace
