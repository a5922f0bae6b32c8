#include "CliProcess.h"
#include "RegistryStore.h"

#include <QFile>
#include <gtest/gtest.h>

using kvx::registry::Hive;
using kvx::registry::RegistryStore;

namespace {

const QString kAppKey = QStringLiteral("Software\\Varnholt\\KVX JUB ZOT");

TEST(CliInfoTest, StartsWithFreshUserSettingsAndWritesThem)
{
    CliRunner cli;
    const CliResult r = cli.Run({QStringLiteral("info")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Region:              JUB"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Current group:       3"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("LaPortuguese"))) << r.out.toStdString();

    RegistryStore store(QString(), cli.UserSettingsFile());
    EXPECT_EQ(store.ReadString(Hive::User, kAppKey, QStringLiteral("CurrentLanguage")).value_or(QString()), QStringLiteral("English"));
    EXPECT_EQ(store.ReadString(Hive::User, kAppKey, QStringLiteral("CurrentComPort")).value_or(QString()), QStringLiteral("COM1"));
}

TEST(CliInfoTest, FailsWithTheMessageWhenTheInstallationIsMissing)
{
    CliRunner cli;
    const QString machine = cli.Dir() + QStringLiteral("/machine.ini");
    RegistryStore store(machine, QString());
    store.WriteString(Hive::Machine, kAppKey, QStringLiteral("InstallPath"), cli.Dir() + QStringLiteral("/nothing"));
    store.WriteString(Hive::Machine, kAppKey, QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
    cli.Environment().insert(QStringLiteral("KVXZOT_MACHINE_SETTINGS"), machine);
    const CliResult r = cli.Run({QStringLiteral("info")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Some files needed by ZOT are not available."))) << r.err.toStdString();

    // Without machine settings a first start has no language at all.
    QFile::remove(machine);
    QFile::remove(cli.UserSettingsFile());
    const CliResult noRegistry = cli.Run({QStringLiteral("info")});
    EXPECT_NE(noRegistry.exitCode, 0);
    EXPECT_TRUE(noRegistry.err.contains(QStringLiteral("Fatal registry error. Please reinstall ZOT.")));
}

TEST(CliInfoTest, VersionGroupAnswersFromTheInstallation)
{
    CliRunner cli;
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral("R5E.08.00"), QStringLiteral("3")}, {QStringLiteral("D5E.05.00"), QStringLiteral("2")},
        {QStringLiteral("R5E.02.10"), QStringLiteral("1")}, {QStringLiteral("5E.20.01"), QStringLiteral("3")}};
    for (const auto& [version, group] : cases) {
        const CliResult r = cli.Run({QStringLiteral("version-group"), version});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out.trimmed(), group) << version.toStdString();
    }
    const CliResult unknown = cli.Run({QStringLiteral("version-group"), QStringLiteral("R01.00.00")});
    ASSERT_EQ(unknown.exitCode, 0) << unknown.err.toStdString();
    EXPECT_EQ(unknown.out.trimmed(), QStringLiteral("0"));
    EXPECT_NE(cli.Run({QStringLiteral("version-group")}).exitCode, 0);
}

TEST(CliInfoTest, PortsListsExtraPortsAndResolvesTheLowest)
{
    CliRunner cli;
    cli.Environment().insert(QStringLiteral("KVXZOT_EXTRA_PORTS"), QStringLiteral("/tmp/kvx-sim-7:/tmp/kvx-sim-2"));
    const CliResult r = cli.Run({QStringLiteral("ports")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("/tmp/kvx-sim-7\n/tmp/kvx-sim-2\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Resolved port: /tmp/kvx-sim-2")));
}

TEST(CliInfoTest, HelpOnTheToolAndEveryCommand)
{
    CliRunner cli;
    const CliResult tool = cli.Run({QStringLiteral("--help")});
    ASSERT_EQ(tool.exitCode, 0);
    QStringList commands;
    for (const QString& line : tool.out.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("  ")))
            commands << line.trimmed().section(QLatin1Char(' '), 0, 0);
    }
    ASSERT_GE(commands.size(), 3);
    for (const QString& command : commands) {
        const CliResult help = cli.Run({command, QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << command.toStdString();
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: kvxzot-cli ") + command)) << command.toStdString();
    }
    EXPECT_NE(cli.Run({QStringLiteral("no-such-command")}).exitCode, 0);
}

}  // namespace
