// The device-command chains and the password check.

#include "DeviceCommandChain.h"
#include "RadioResult.h"
#include "RadioTestSupport.h"

namespace {

struct ChainRun {
    std::vector<QString> events;
    std::vector<QString> typed;   // answers to the password dialog, in order
    int group = 3;
};

CDeviceCommandChain::Hooks HooksFor(ChainRun& run)
{
    CDeviceCommandChain::Hooks hooks;
    hooks.portName = [] { return QStringLiteral("sim"); };
    hooks.modelGroup = [&run](const QString& version) {
        run.events.push_back(QStringLiteral("group ") + version);
        return run.group;
    };
    hooks.askPassword = [&run]() -> std::optional<QString> {
        if (run.typed.empty())
            return std::nullopt;
        QString text = run.typed.front();
        run.typed.erase(run.typed.begin());
        return text;
    };
    hooks.passwordWrong = [&run] { run.events.push_back(QStringLiteral("wrong")); };
    hooks.failed = [&run](int code) { run.events.push_back(QStringLiteral("failed %1").arg(code)); };
    hooks.openReadFlow = [&run] { run.events.push_back(QStringLiteral("read flow")); };
    hooks.openWriteFlow = [&run] { run.events.push_back(QStringLiteral("write flow")); };
    hooks.resetDone = [&run] { run.events.push_back(QStringLiteral("reset")); };
    return hooks;
}

} // namespace

class ChainTest : public SimulatedRadioTest {
protected:
    // Feeds the main window's messages to the chain until it is idle.
    void Pump(CDeviceCommandChain& chain)
    {
        while (!chain.IsIdle()) {
            auto m = messages->Take(5000);
            ASSERT_TRUE(m) << "the chain stalled";
            chain.HandleMessage(m->kind, m->param);
        }
    }
};

TEST_F(ChainTest, ReadOfTheLatestGroupIdentifiesReadsThePasswordAndChecksIt)
{
    VirtualCP cp = radio.Content();
    cp.settings.password = QStringLiteral("0815");
    radio.SetContent(cp);
    ChainRun run;
    CDeviceCommandChain chain(HooksFor(run), messages);
    chain.Start(CDeviceCommandChain::Command::Read);
    Pump(chain);
    EXPECT_EQ(run.events, (std::vector<QString>{QStringLiteral("group R5E.08.00"), QStringLiteral("read flow")}));
    // Two handshakes: IdentifyRadio (with its second version read) and the password read.
    EXPECT_EQ(radio.ReceivedCommands(), (std::vector<quint8>{0x25, 0x26, 0x25, 0x25, 0x26, 0x28}));
    EXPECT_EQ(chain.RadioPassword(), QStringLiteral("0815"));

    run.typed = {QStringLiteral("0000"), QStringLiteral("0815 "), QStringLiteral("0815")};
    EXPECT_TRUE(chain.CheckPassword());
    EXPECT_EQ(std::count(run.events.begin(), run.events.end(), QStringLiteral("wrong")), 2);

    run.typed = {QStringLiteral("1")};
    EXPECT_FALSE(chain.CheckPassword());
    EXPECT_TRUE(CTransferState::Instance().CancelRequested());
}

TEST_F(ChainTest, OlderGroupsSkipThePasswordAndWriteReadsTheOwnIdentityFirst)
{
    ChainRun run;
    run.group = 2;
    CDeviceCommandChain chain(HooksFor(run), messages);
    chain.Start(CDeviceCommandChain::Command::Write);
    Pump(chain);
    EXPECT_EQ(run.events.back(), QStringLiteral("write flow"));
    EXPECT_EQ(chain.RadioIdentity(), radio.Content().radioInfo.pid);
    EXPECT_EQ(radio.ReceivedCommands(), (std::vector<quint8>{0x25, 0x26, 0x27, 0x25, 0x26, 0x25}));
    EXPECT_TRUE(chain.CheckPassword()) << "nothing to check below group 3";
}

TEST_F(ChainTest, AFailureEndsTheChainWithItsCode)
{
    SimulatorOptions options;
    options.silentCommands = 100;
    radio.SetOptions(options);
    ChainRun run;
    CDeviceCommandChain chain(HooksFor(run), messages);
    chain.Start(CDeviceCommandChain::Command::Read);
    Pump(chain);
    EXPECT_EQ(run.events, std::vector<QString>{QStringLiteral("failed -2")});

    radio.SetOptions({});
    run.events.clear();
    chain.Start(CDeviceCommandChain::Command::Reset);
    Pump(chain);
    EXPECT_EQ(run.events, std::vector<QString>{QStringLiteral("reset")});
}
