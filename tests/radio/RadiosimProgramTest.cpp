// kvxzot-radiosim as a program: it announces its port, answers on it, and
// saves its content as a profile text that it can load again.

#include "DataAdaptor.h"
#include "ProfileTextFile.h"
#include "RadioTestSupport.h"
#include "Transfers.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Starts the simulator and returns the port path it printed.
QString Launch(QProcess& process, const QStringList& args)
{
    process.start(QStringLiteral(KVX_RADIOSIM_PATH), args);
    if (!process.waitForStarted(10000) || !process.waitForReadyRead(10000))
        return {};
    return QString::fromLocal8Bit(process.readLine()).trimmed();
}

bool Stop(QProcess& process)
{
    process.terminate();
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

TEST(RadiosimProgramTest, ServesOnItsLinkAndSavesWhatItHolds)
{
    EnsureCoreApplication();
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("radio"));
    const QString saved = dir.filePath(QStringLiteral("saved.xml"));
    QProcess sim;
    ASSERT_EQ(Launch(sim, {QStringLiteral("--link"), link, QStringLiteral("--full"), QStringLiteral("--save"), saved,
                           QStringLiteral("--pid"), QStringLiteral("10000777"), QStringLiteral("--firmware"),
                           QStringLiteral("R5E.07.03")}),
              link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    auto queue = std::make_shared<CTransferMessageQueue>();
    PrepareTransfer(queue);
    std::array<quint8, 7> version{};
    EXPECT_TRUE(IdentifyRadio(version, link));
    EXPECT_EQ(VersionText(version), QStringLiteral("R5E.07.03"));
    QString own;
    EXPECT_TRUE(ReadRadioIdentity(own, link));
    EXPECT_EQ(own, QStringLiteral("10000777"));
    CTransferState::Instance().SetNotifyTarget(nullptr);

    ASSERT_TRUE(Stop(sim));
    EXPECT_FALSE(QFileInfo::exists(link)) << "the link goes with the simulator";
    QString text;
    ASSERT_TRUE(ReadProfileText(saved, text));
    VirtualCP image;
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(text, image));
    image.CountEntries();
    EXPECT_EQ(image.contactCount, kMaxContacts);
    EXPECT_EQ(image.textMessageCount, kMaxTextMessages);

    // Loaded again from that profile, it saves the same text.
    const QString again = dir.filePath(QStringLiteral("again.xml"));
    QProcess second;
    ASSERT_EQ(Launch(second, {QStringLiteral("--link"), link, QStringLiteral("--profile"), saved, QStringLiteral("--save"),
                              again}),
              link);
    ASSERT_TRUE(Stop(second));
    QString textAgain;
    ASSERT_TRUE(ReadProfileText(again, textAgain));
    EXPECT_EQ(textAgain, text);
}

TEST(RadiosimProgramTest, RefusesBadOptions)
{
    EnsureCoreApplication();
    QProcess sim;
    sim.start(QStringLiteral(KVX_RADIOSIM_PATH), {QStringLiteral("--firmware"), QStringLiteral("nonsense")});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_NE(sim.exitCode(), 0);
    sim.start(QStringLiteral(KVX_RADIOSIM_PATH), {QStringLiteral("--drop"), QStringLiteral("2")});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_NE(sim.exitCode(), 0);
}
