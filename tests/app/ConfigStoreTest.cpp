#include "ConfigStore.h"
#include "Messages.h"
#include "TestSettings.h"

#include <QFile>
#include <gtest/gtest.h>

using kvx::registry::Hive;

namespace {

class ConfigStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousHandler = kvx::SetMessageHandler([this](const QString& text, unsigned) {
            m_messages << text;
            return static_cast<int>(kvx::kIdOk);
        });
    }
    void TearDown() override { kvx::SetMessageHandler(m_previousHandler); }

    void WriteMachineLanguage(const QString& language, const QStringList& dealer)
    {
        const QString key = kAppKey + QStringLiteral("\\Language\\") + language;
        ASSERT_TRUE(m_settings.Store().WriteMultiString(Hive::Machine, key, QStringLiteral("DealerInfo"), dealer));
        ASSERT_TRUE(m_settings.Store().WriteMultiString(Hive::Machine, key, QStringLiteral("DealerNotes"), {QStringLiteral("notes")}));
        ASSERT_TRUE(m_settings.Store().WriteMultiString(Hive::Machine, key, QStringLiteral("ContactInfo"), {QStringLiteral("contact")}));
    }

    ScopedTestSettings m_settings;
    QStringList m_messages;
    kvx::MessageHandler m_previousHandler;
};

TEST_F(ConfigStoreTest, FirstStartTakesDefaultLanguageCreatesPortAndCopiesDealerInfo)
{
    m_settings.Store().WriteString(Hive::Machine, kAppKey, QStringLiteral("DefaultLanguage"), QStringLiteral("German"));
    WriteMachineLanguage(QStringLiteral("German"), {QStringLiteral("Dealer line 1"), QStringLiteral("Dealer line 2")});

    ASSERT_TRUE(InitConfiguration());
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("German"));
    EXPECT_EQ(m_settings.Store().ReadString(Hive::User, kAppKey, QStringLiteral("CurrentComPort")).value_or(QString()),
              QStringLiteral("COM1"));
    const auto info = ReadDealerInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->dealer, (QStringList{QStringLiteral("Dealer line 1"), QStringLiteral("Dealer line 2")}));
    EXPECT_EQ(info->notes, QStringList{QStringLiteral("notes")});
    EXPECT_EQ(info->contact, QStringList{QStringLiteral("contact")});
}

TEST_F(ConfigStoreTest, UserValuesAreNeverOverwrittenEvenWhenEmpty)
{
    m_settings.Store().WriteString(Hive::Machine, kAppKey, QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
    WriteMachineLanguage(QStringLiteral("French"), {QStringLiteral("machine dealer")});
    SetCurrentLanguage(QStringLiteral("French"));
    m_settings.Store().WriteString(Hive::User, kAppKey, QStringLiteral("CurrentComPort"), QStringLiteral("/dev/ttyUSB3"));
    const QString userKey = kAppKey + QStringLiteral("\\Language\\French");
    m_settings.Store().WriteMultiString(Hive::User, userKey, QStringLiteral("DealerInfo"), {});

    ASSERT_TRUE(InitConfiguration());
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("French"));
    EXPECT_EQ(m_settings.Store().ReadString(Hive::User, kAppKey, QStringLiteral("CurrentComPort")).value_or(QString()),
              QStringLiteral("/dev/ttyUSB3"));
    const auto info = ReadDealerInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->dealer.isEmpty());                          // kept empty
    EXPECT_EQ(info->notes, QStringList{QStringLiteral("notes")});   // copied, was absent
}

TEST_F(ConfigStoreTest, MissingLanguagesAreFatal)
{
    EXPECT_FALSE(InitConfiguration());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages.first(), QStringLiteral("Fatal registry error. Please reinstall ZOT."));
}

TEST_F(ConfigStoreTest, UnwritableUserStoreIsFatal)
{
    kvx::registry::RegistryStore::ReplaceInstance(
        std::make_unique<kvx::registry::RegistryStore>(m_settings.MachineFile(), QStringLiteral("/proc/kvx-no-such/user.ini")));
    EXPECT_FALSE(InitConfiguration());
    ASSERT_EQ(m_messages.size(), 1);
    // The message names the file that cannot be written.
    EXPECT_EQ(m_messages.first(), QStringLiteral("Fatal registry error. Please reinstall ZOT.\n"
                                                 "The user settings file /proc/kvx-no-such/user.ini cannot be written."));
}

TEST_F(ConfigStoreTest, ADamagedUserStoreIsSetAsideAndRebuilt)
{
    m_settings.Store().WriteString(Hive::Machine, kAppKey, QStringLiteral("DefaultLanguage"), QStringLiteral("German"));
    const QByteArray damaged("[Software\x00\xFF\nCurrentLanguage=\"unterminated\n[[[\n\x01\x02");
    QFile user(m_settings.UserFile());
    ASSERT_TRUE(user.open(QIODevice::WriteOnly));
    user.write(damaged);
    user.close();

    ASSERT_TRUE(InitConfiguration()) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("German"));
    QFile copy(m_settings.UserFile() + QStringLiteral(".damaged"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), damaged);

    // A second start finds a sound store and keeps it.
    ASSERT_TRUE(SetCurrentLanguage(QStringLiteral("French")));
    ASSERT_TRUE(InitConfiguration());
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("French"));
}

TEST_F(ConfigStoreTest, ReadsAreEmptyOrMinusOneWhenValuesAreMissing)
{
    EXPECT_EQ(GetCurrentLanguage(), QString());
    EXPECT_EQ(GetInstallPath(), QString());
    EXPECT_EQ(GetShowContextHelp(), -1);
    EXPECT_EQ(GetHelpFilePath(), QString());
    EXPECT_EQ(GetGuiResourcePath(), QString());
    EXPECT_EQ(GetComPort(), QString());
    EXPECT_FALSE(ReadDealerInfo().has_value());

    ASSERT_TRUE(SetShowContextHelp(true));
    EXPECT_EQ(GetShowContextHelp(), 1);
    ASSERT_TRUE(SetShowContextHelp(false));
    EXPECT_EQ(GetShowContextHelp(), 0);
}

TEST_F(ConfigStoreTest, KeyAndValueNamesAreCaseInsensitiveAndPathsJoinTheInstallFolder)
{
    m_settings.Store().WriteString(Hive::Machine, QStringLiteral("SOFTWARE/varnholt/kvx jub zot"), QStringLiteral("installpath"),
                                   QStringLiteral("/opt/kvx"));
    m_settings.Store().WriteString(Hive::Machine, kAppKey + QStringLiteral("\\Language\\German"), QStringLiteral("GUIResource"),
                                   QStringLiteral("Language\\German.json"));
    m_settings.Store().WriteString(Hive::Machine, kAppKey + QStringLiteral("\\Language\\German"), QStringLiteral("HelpFileName"),
                                   QStringLiteral("Help/German"));
    SetCurrentLanguage(QStringLiteral("German"));
    EXPECT_EQ(GetInstallPath(), QStringLiteral("/opt/kvx"));
    EXPECT_EQ(GetGuiResourcePath(), QStringLiteral("/opt/kvx/Language/German.json"));
    EXPECT_EQ(GetHelpFilePath(), QStringLiteral("/opt/kvx/Help/German"));
}

TEST_F(ConfigStoreTest, DealerInfoRoundTripsMultipleLines)
{
    m_settings.Store().WriteString(Hive::Machine, kAppKey, QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
    ASSERT_TRUE(InitConfiguration());
    const QStringList dealer = {QStringLiteral("A, with comma"), QStringLiteral("second \"line\""), QString()};
    ASSERT_TRUE(WriteDealerInfo(dealer, {QStringLiteral("c")}, {QStringLiteral("n1"), QStringLiteral("n2")}));
    const auto info = ReadDealerInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->dealer, dealer);
    EXPECT_EQ(info->contact, QStringList{QStringLiteral("c")});
    EXPECT_EQ(info->notes, (QStringList{QStringLiteral("n1"), QStringLiteral("n2")}));
}

}  // namespace
