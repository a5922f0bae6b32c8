// The message-box adapter: the rules' style bits become buttons, icon and
// default button, and the answers come back as the rules' numbers; the
// script of the test mode.

#include "GuiTestSupport.h"
#include "MessageBoxAdapter.h"

#include <QMessageBox>
#include <QPushButton>
#include <gmock/gmock.h>

namespace {

struct ShownBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString title;
    QString text;
};

// Shows a real box for style, records what it offers and presses `press`.
int ShowAndPress(unsigned style, QMessageBox::StandardButton press, ShownBox& shown)
{
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        shown.icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            shown.buttons << box->standardButton(b);
        shown.defaultButton = box->standardButton(box->defaultButton());
        shown.title = box->windowTitle();
        shown.text = box->text();
        box->button(press)->click();
    });
    return CMessageBoxAdapter::Show(QStringLiteral("Line one\n<b>not bold</b>"), style);
}

}  // namespace

class MessageBoxTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        CMessageBoxAdapter::SetScript(nullptr);   // real boxes here
    }
};

TEST_F(MessageBoxTest, StyleBitsChooseButtonsIconAndDefaultAndAnswersComeBackAsNumbers)
{
    ShownBox box;
    EXPECT_EQ(ShowAndPress(kvx::kMbYesNoCancel | kvx::kMbIconWarning | 0x100, QMessageBox::No, box), kvx::kIdNo);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_THAT(box.buttons, ::testing::UnorderedElementsAre(QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel));
    EXPECT_EQ(box.defaultButton, QMessageBox::No);
    EXPECT_EQ(box.title, QStringLiteral("KVX JUB ZOT"));
    EXPECT_EQ(box.text, QStringLiteral("Line one\n<b>not bold</b>"));

    box = {};
    EXPECT_EQ(ShowAndPress(kvx::kMbYesNo | kvx::kMbIconQuestion, QMessageBox::Yes, box), kvx::kIdYes);
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_THAT(box.buttons, ::testing::UnorderedElementsAre(QMessageBox::Yes, QMessageBox::No));
    EXPECT_EQ(box.defaultButton, QMessageBox::Yes);

    box = {};
    EXPECT_EQ(ShowAndPress(kvx::kMbOkCancel | kvx::kMbIconError, QMessageBox::Cancel, box), kvx::kIdCancel);
    EXPECT_EQ(box.icon, QMessageBox::Critical);

    box = {};
    EXPECT_EQ(ShowAndPress(kvx::kMbOk | kvx::kMbIconInformation, QMessageBox::Ok, box), kvx::kIdOk);
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_THAT(box.buttons, ::testing::ElementsAre(QMessageBox::Ok));
}
