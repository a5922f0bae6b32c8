// The edit commands of kvxzot-cli: every change goes through the rules, a
// refused or unconfirmed change saves nothing, and the result loads again.

#include "../cli/CliProcess.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(RulesCliTest, EditsGoThroughTheRulesAndSaveOnlyOnAcceptance)
{
    CliRunner cli;
    const QString profile = cli.Dir() + QStringLiteral("/fleet.jub");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KVX_INSTALLATION_DIR "/ProfileTemplate/KVX30.jub"), profile));
    const QByteArray original = FileBytes(profile);

    CliResult r = cli.Run({QStringLiteral("add"), profile, QStringLiteral("Privates"), QStringLiteral("--name"), QStringLiteral("Ann")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\"Ann\" ID 10000001"))) << r.out.toStdString();
    EXPECT_EQ(FileBytes(profile), original);   // no -o: nothing written

    r = cli.Run({QStringLiteral("add"), profile, QStringLiteral("Privates"), QStringLiteral("--name"), QStringLiteral("Ann"),
                 QStringLiteral("-o"), profile});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli.Run({QStringLiteral("add"), profile, QStringLiteral("PrivateGroups"), QStringLiteral("-o"), profile});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\"Group\""))) << r.out.toStdString();

    // A name taken in another letter case is refused with its message.
    r = cli.Run({QStringLiteral("set"), profile, QStringLiteral("//dfns:Private[@name='Ann']"), QStringLiteral("name"),
                 QStringLiteral("DISPATCH"), QStringLiteral("-o"), profile});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Message 127"))) << r.out.toStdString();

    // A scanned public group's channel change asks first; unanswered it saves nothing.
    const QByteArray before = FileBytes(profile);
    const QStringList move = {QStringLiteral("set"), profile, QStringLiteral("//dfns:PublicGroup[@in_scan_list='1']"),
                              QStringLiteral("channel"), QStringLiteral("2"), QStringLiteral("-o"), profile};
    r = cli.Run(move);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Result: 2"))) << r.out.toStdString();
    EXPECT_EQ(FileBytes(profile), before);
    r = cli.Run(move + QStringList{QStringLiteral("--confirm")});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();

    r = cli.Run({QStringLiteral("delete"), profile, QStringLiteral("//dfns:Private[@name='Ann']"), QStringLiteral("--confirm"),
                 QStringLiteral("-o"), profile});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Message 142"))) << r.out.toStdString();

    r = cli.Run({QStringLiteral("open"), profile});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Privates:        0"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Private groups:  1"))) << r.out.toStdString();

    r = cli.Run({QStringLiteral("set"), QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 0);
}

}   // namespace
