// A profile read from the simulated radio, edited only through the edit
// commands, is written back and the radio holds the edits.

#include "../cli/CliProcess.h"
#include "../radio/RadioTestSupport.h"
#include "PtyRadioServer.h"

#include <QTemporaryDir>

namespace {

TEST(RulesRadioTest, EditedProfileIsWritableToTheRadio)
{
    EnsureCoreApplication();
    QTemporaryDir dir;
    PtyServerOptions options;
    options.linkPath = dir.filePath(QStringLiteral("radio"));
    CRadioSimulator radio(CRadioSimulator::DefaultContent());
    CPtyRadioServer server(radio, options);
    ASSERT_TRUE(server.Start());
    CliRunner cli;
    const QString port = options.linkPath;
    const QString profile = dir.filePath(QStringLiteral("fleet.jub"));

    CliResult r = cli.Run({QStringLiteral("read"), QStringLiteral("-o"), profile, QStringLiteral("--port"), port});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (const QStringList& edit : {
             QStringList{QStringLiteral("add"), profile, QStringLiteral("Privates"), QStringLiteral("--name"), QStringLiteral("Field Unit")},
             QStringList{QStringLiteral("add"), profile, QStringLiteral("PrivateGroups"), QStringLiteral("--name"), QStringLiteral("Field Crew")},
             QStringList{QStringLiteral("add"), profile, QStringLiteral("PublicGroups"), QStringLiteral("--name"), QStringLiteral("Site Wide")},
             QStringList{QStringLiteral("add"), profile, QStringLiteral("TextMessages"), QStringLiteral("--name"), QStringLiteral("Gate open")},
             QStringList{QStringLiteral("set"), profile, QStringLiteral("//dfns:Private[@name='Field Unit']"), QStringLiteral("channel"),
                         QStringLiteral("3"), QStringLiteral("--confirm")},
         }) {
        r = cli.Run(edit + QStringList{QStringLiteral("-o"), profile});
        ASSERT_EQ(r.exitCode, 0) << edit.join(QLatin1Char(' ')).toStdString() << "\n" << r.out.toStdString() << r.err.toStdString();
    }

    r = cli.Run({QStringLiteral("write"), profile, QStringLiteral("--port"), port, QStringLiteral("--yes")});
    ASSERT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    const VirtualCP written = radio.Content();
    for (const QString& name : {QStringLiteral("Field Unit"), QStringLiteral("Field Crew"), QStringLiteral("Site Wide")})
        EXPECT_TRUE(std::any_of(written.contacts.begin(), written.contacts.end(),
                                [&](const ContactRecord& c) { return c.name == name; }))
            << name.toStdString();
    EXPECT_TRUE(std::any_of(written.textMessages.begin(), written.textMessages.end(),
                            [](const QString& m) { return m == QStringLiteral("Gate open"); }));
}

}   // namespace
