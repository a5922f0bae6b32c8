// The settings dialogs: Preference, Dealer Information, the language
// commands and the about box.

#include "GuiTestSupport.h"

#include "AboutDialog.h"
#include "CommandIds.h"
#include "DealerInfoDialog.h"
#include "MainFrame.h"
#include "PreferenceDialog.h"
#include "SerialPortList.h"
#include "StringTable.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

using kvx::registry::Hive;

namespace {

QString UserValue(kvx::registry::RegistryStore& store, const QString& name)
{
    return store.ReadString(Hive::User, kAppKey, name).value_or(QString());
}

}  // namespace

class DialogsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ports = {QStringLiteral("COM7"), QStringLiteral("COM3"), QStringLiteral("COM10")};
        ASSERT_NE(Start(), nullptr);
    }
};

TEST_F(DialogsTest, PreferenceListsThePortsSelectsTheConfiguredOneAndStoresTheChoiceOnOk)
{
    Store().WriteString(Hive::User, kAppKey, QStringLiteral("CurrentComPort"), QStringLiteral("COM10"));
    QStringList listed;
    WhenModal<CPreferenceDialog>([&](CPreferenceDialog* dialog) {
        auto* combo = Child<QComboBox>(dialog, "ports");
        for (int i = 0; i < combo->count(); ++i)
            listed << combo->itemText(i);
        EXPECT_EQ(combo->currentText(), QStringLiteral("COM10"));
        EXPECT_EQ(Child<QLabel>(dialog, "portLabel")->buddy(), combo);
        combo->setCurrentText(QStringLiteral("COM3"));
        Child<QPushButton>(dialog, "cancel")->click();
    });
    Run(CommandId::EditPreference);
    EXPECT_EQ(listed, ports);
    EXPECT_EQ(UserValue(Store(), QStringLiteral("CurrentComPort")), QStringLiteral("COM10")) << "Cancel keeps the port";

    WhenModal<CPreferenceDialog>([](CPreferenceDialog* dialog) {
        Child<QComboBox>(dialog, "ports")->setCurrentText(QStringLiteral("COM7"));
        Child<QPushButton>(dialog, "ok")->click();
    });
    Run(CommandId::EditPreference);
    EXPECT_EQ(UserValue(Store(), QStringLiteral("CurrentComPort")), QStringLiteral("COM7"));
    EXPECT_EQ(Frame().findChild<QLabel*>(QStringLiteral("portPane"))->text(), QStringLiteral("Port: COM7"));
}

TEST_F(DialogsTest, PreferenceShowsThePortsDescriptionsAndStoresTheName)
{
    kvx::serial::SetPortDescriber([](const QString& port) {
        return port == QStringLiteral("COM3") ? QStringLiteral("USB-Serial Controller") : QString();
    });
    WhenModal<CPreferenceDialog>([](CPreferenceDialog* dialog) {
        auto* combo = Child<QComboBox>(dialog, "ports");
        EXPECT_EQ(combo->itemText(1), QStringLiteral("COM3 (USB-Serial Controller)"));
        EXPECT_EQ(combo->itemText(0), QStringLiteral("COM7"));
        combo->setCurrentIndex(1);
        Child<QPushButton>(dialog, "ok")->click();
    });
    Run(CommandId::EditPreference);
    EXPECT_EQ(UserValue(Store(), QStringLiteral("CurrentComPort")), QStringLiteral("COM3"));
}

TEST_F(DialogsTest, PreferenceWithoutAPortListSaysSo)
{
    kvx::serial::SetPortEnumerator([] { return std::optional<QStringList>(); });
    messages.ExpectText(LoadStr(10006) + QStringLiteral("HKEY_LOCAL_MACHINE\\Hardware\\DeviceMap\\SerialComm"));
    CPreferenceDialog dialog;
    EXPECT_EQ(Child<QComboBox>(&dialog, "ports")->count(), 0);
}

TEST_F(DialogsTest, DealerInformationShowsAndStoresTheThreeTexts)
{
    WhenModal<CDealerInfoDialog>([](CDealerInfoDialog* dialog) {
        auto* dealer = Child<QPlainTextEdit>(dialog, "dealer");
        // The installer's texts, copied to the user at start-up.
        EXPECT_EQ(dealer->toPlainText(), QStringLiteral("Varnholt Authorised Radio Dealer\nFleet Programming Service"));
        dealer->setPlainText(QStringLiteral("North Radio Ltd\nUnit 4"));
        Child<QPlainTextEdit>(dialog, "notes")->setPlainText(QString(CDealerInfoDialog::kFieldLimit + 10, QLatin1Char('n')));
        Child<QPushButton>(dialog, "ok")->click();
    });
    Run(CommandId::EditDealerInfo);
    const QString key = kAppKey + QStringLiteral("\\Language\\English");
    EXPECT_EQ(Store().ReadMultiString(Hive::User, key, QStringLiteral("DealerInfo")),
              (QStringList{QStringLiteral("North Radio Ltd"), QStringLiteral("Unit 4")}));
    // Typing beyond a field's size is cut at the size.
    EXPECT_EQ(Store().ReadMultiString(Hive::User, key, QStringLiteral("DealerNotes")).value_or(QStringList()).join(QString()).size(),
              CDealerInfoDialog::kFieldLimit);
}

TEST_F(DialogsTest, DealerInformationThatCannotBeShownIsAMessageInstead)
{
    const QString key = kAppKey + QStringLiteral("\\Language\\English");
    Store().WriteMultiString(Hive::User, key, QStringLiteral("ContactInfo"), {QString(CDealerInfoDialog::kFieldLimit + 1, QLatin1Char('c'))});
    messages.Expect(10116);
    CDealerInfoDialog tooLong;
    EXPECT_FALSE(tooLong.Load());

    Store().WriteString(Hive::User, kAppKey, QStringLiteral("CurrentLanguage"), QStringLiteral("German"));
    Store().CreateKey(Hive::User, kAppKey + QStringLiteral("\\Language\\German"));
    messages.Expect(160);
    CDealerInfoDialog unreadable;
    EXPECT_FALSE(unreadable.Load());
}

TEST_F(DialogsTest, ALanguageCommandStoresTheLanguageAndAsksForARestartOnlyWhenItChanges)
{
    Run(CommandId::LanguageEnglish);   // the one in use: no message
    messages.Expect(224);
    Run(CommandId::LanguageGerman);
    EXPECT_EQ(UserValue(Store(), QStringLiteral("CurrentLanguage")), QStringLiteral("German"));
    EXPECT_EQ(Frame().ChosenLanguage(), QStringLiteral("German"));
    EXPECT_TRUE(Frame().Action(CommandId::LanguageGerman)->isChecked());
    // The running program keeps its language.
    EXPECT_EQ(Frame().TopMenu(0)->title(), QStringLiteral("&File"));
}

TEST_F(DialogsTest, TheAboutBoxNamesTheProgramItsVersionAndTheFamily)
{
    CAboutDialog about;
    EXPECT_EQ(Child<QLabel>(&about, "name")->text(), QStringLiteral("KVX JUB ZOT"));
    EXPECT_TRUE(Child<QLabel>(&about, "version")->text().startsWith(QStringLiteral("Version ")));
    EXPECT_EQ(Child<QLabel>(&about, "family")->text(), QStringLiteral("Radios of the family: KVX10, KVX20, KVX30, KVX35"));
    EXPECT_FALSE(Child<QLabel>(&about, "picture")->pixmap().isNull());
}
