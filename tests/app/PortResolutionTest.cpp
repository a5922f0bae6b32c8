#include "ConfigStore.h"
#include "Messages.h"
#include "SerialPortList.h"
#include "TestSettings.h"

#include <gtest/gtest.h>

namespace {

class PortResolutionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousHandler = kvx::SetMessageHandler([this](const QString& text, unsigned) {
            m_messages << text;
            return static_cast<int>(kvx::kIdOk);
        });
    }
    void TearDown() override
    {
        kvx::serial::SetPortEnumerator({});
        kvx::SetMessageHandler(m_previousHandler);
    }
    void Ports(const QStringList& ports)
    {
        kvx::serial::SetPortEnumerator([ports] { return std::optional<QStringList>(ports); });
    }

    ScopedTestSettings m_settings;
    QStringList m_messages;
    kvx::MessageHandler m_previousHandler;
};

TEST_F(PortResolutionTest, ExactMatchWinsElseLowestNumber)
{
    Ports({QStringLiteral("COM3"), QStringLiteral("COM10"), QStringLiteral("COM4")});
    EXPECT_EQ(ResolveComPort(QStringLiteral("COM7")), QStringLiteral("COM3"));
    EXPECT_EQ(ResolveComPort(QStringLiteral("COM10")), QStringLiteral("COM10"));
    EXPECT_EQ(ResolveComPort(QStringLiteral("com10")), QStringLiteral("COM3"));   // exact comparison

    Ports({QStringLiteral("/dev/ttyUSB12"), QStringLiteral("/dev/ttyS4"), QStringLiteral("/dev/ttyACM10")});
    EXPECT_EQ(ResolveComPort(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS4"));
}

TEST_F(PortResolutionTest, FirstSeenWinsTiesAndNoPortsGiveEmpty)
{
    Ports({QStringLiteral("/tmp/kvx-radio"), QStringLiteral("/dev/ttyS0")});
    EXPECT_EQ(ResolveComPort(QStringLiteral("COM1")), QStringLiteral("/tmp/kvx-radio"));
    Ports({});
    EXPECT_EQ(ResolveComPort(QStringLiteral("COM1")), QString());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(PortResolutionTest, UnreadablePortListShowsMessage10006)
{
    kvx::serial::SetPortEnumerator([] { return std::optional<QStringList>(); });
    EXPECT_EQ(ResolveComPort(QStringLiteral("COM1")), QString());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages.first(), QStringLiteral("Can not open the registry entry of "));
}

TEST_F(PortResolutionTest, GetComPortResolvesTheStoredPort)
{
    Ports({QStringLiteral("/dev/ttyUSB1"), QStringLiteral("/dev/ttyUSB0")});
    EXPECT_EQ(GetComPort(), QString());   // nothing stored yet
    EnsureComPortValue();
    EXPECT_EQ(GetComPort(), QStringLiteral("/dev/ttyUSB0"));
    m_settings.Store().WriteString(kvx::registry::Hive::User, kAppKey, QStringLiteral("CurrentComPort"), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(GetComPort(), QStringLiteral("/dev/ttyUSB1"));
}

TEST(PortNumberTest, TrailingDigits)
{
    EXPECT_EQ(kvx::serial::PortNumber(QStringLiteral("COM3")), 3);
    EXPECT_EQ(kvx::serial::PortNumber(QStringLiteral("/dev/ttyUSB10")), 10);
    EXPECT_EQ(kvx::serial::PortNumber(QStringLiteral("/tmp/radio")), 0);
    EXPECT_EQ(kvx::serial::PortNumber(QStringLiteral("x99999999999999999999999")), 999999999999999LL);
}

TEST(PortListTest, ExtraPortsComeFromTheEnvironment)
{
    qputenv("KVXZOT_EXTRA_PORTS", "/tmp/a:/tmp/b::/tmp/c");
    EXPECT_EQ(kvx::serial::ExtraPortsFromEnvironment(),
              (QStringList{QStringLiteral("/tmp/a"), QStringLiteral("/tmp/b"), QStringLiteral("/tmp/c")}));
    qunsetenv("KVXZOT_EXTRA_PORTS");
}

}  // namespace
