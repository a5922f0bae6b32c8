// kvxzot-radiosim: a simulated KVX radio on a pseudo-terminal. It answers
// the programming protocol from the radio's side, keeps what is written and
// serves it on the next read. It never opens a real serial device.

#include "DataAdaptor.h"
#include "KVXZOTApp.h"
#include "KVXZOTDoc.h"
#include "KVXZOTException.h"
#include "ScriptHost.h"
#include "ProfileTextFile.h"
#include "PtyRadioServer.h"
#include "RadioSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <atomic>
#include <climits>
#include <chrono>
#include <csignal>
#include <thread>

namespace {

std::atomic<bool> g_stop{false};
std::atomic<bool> g_save{false};

void OnSignal(int signal)
{
    if (signal == SIGUSR1)
        g_save = true;
    else
        g_stop = true;
}

int Fail(const QString& text)
{
    QTextStream(stderr) << "kvxzot-radiosim: " << text << '\n';
    return 2;
}

// "R5E.08.00": phase letter, release (hex), version and revision.
bool ParseFirmware(const QString& text, CodeplugVersion& version)
{
    const QStringList parts = text.mid(1).split(QLatin1Char('.'));
    if (text.size() < 2 || parts.size() != 3)
        return false;
    bool ok1 = false, ok2 = false, ok3 = false;
    const uint release = parts[0].toUInt(&ok1, 16);
    const uint major = parts[1].toUInt(&ok2, 10);
    const uint revision = parts[2].toUInt(&ok3, 10);
    if (!ok1 || !ok2 || !ok3 || release > 255 || major > 255 || revision > 255 || text[0].unicode() > 255)
        return false;
    version.firmware_phase = quint8(text[0].unicode());
    version.firmware_release = quint8(release);
    version.firmware_version = quint8(major);
    version.firmware_revision = quint8(revision);
    return true;
}

// A profile of an older model group lacks fields the image needs: the
// profile document, with the installation's settings, supplies them.
bool LoadThroughDocument(const QString& path, VirtualCP& image)
{
    CKVXZOTApp app([] { return CheckScriptEngine(); });
    if (!app.InitInstance())
        return false;
    CKVXZOTDoc document;
    return document.OnOpenDocument(path) && document.GetVirtualCPData(image);
}

bool SaveContent(const CRadioSimulator& radio, const QString& path)
{
    QString text;
    CDataAdaptor::VirtualCP2XML(radio.Content(), text);
    QString error;
    if (!WriteProfileText(path, text, &error)) {
        QTextStream(stderr) << "kvxzot-radiosim: " << error << '\n';
        return false;
    }
    QTextStream(stderr) << "kvxzot-radiosim: saved the radio's content to " << path << '\n';
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvxzot-radiosim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated KVX radio on a pseudo-terminal. Prints the port path to use, then serves\n"
        "until interrupted. SIGUSR1 saves the content (--save) at once."));
    parser.addHelpOption();
    const QList<QCommandLineOption> options{
        {QStringLiteral("link"), QStringLiteral("Stable port path: a symbolic link to the pseudo-terminal."), QStringLiteral("PATH")},
        {QStringLiteral("profile"), QStringLiteral("Content from a profile file (scrambled or not)."), QStringLiteral("FILE")},
        {QStringLiteral("full"), QStringLiteral("Content of a full radio: 150 contacts, 25 messages.")},
        {QStringLiteral("save"), QStringLiteral("Save the content as profile text on exit and on SIGUSR1."), QStringLiteral("FILE")},
        {QStringLiteral("log"), QStringLiteral("Log every frame in both directions as hex."), QStringLiteral("FILE")},
        {QStringLiteral("pace"), QStringLiteral("Hold both directions to 9600 baud.")},
        {QStringLiteral("firmware"), QStringLiteral("Firmware version, such as R5E.08.00."), QStringLiteral("VERSION")},
        {QStringLiteral("clone-level"), QStringLiteral("Clone compatibility level."), QStringLiteral("N")},
        {QStringLiteral("password"), QStringLiteral("The radio's password (up to 4 characters)."), QStringLiteral("TEXT")},
        {QStringLiteral("pid"), QStringLiteral("The radio's own private ID."), QStringLiteral("ID")},
        {QStringLiteral("max-contacts"), QStringLiteral("Capacity for contacts of all kinds."), QStringLiteral("N")},
        {QStringLiteral("max-private-groups"), QStringLiteral("Capacity for private groups."), QStringLiteral("N")},
        {QStringLiteral("max-public-groups"), QStringLiteral("Capacity for public groups."), QStringLiteral("N")},
        {QStringLiteral("max-messages"), QStringLiteral("Capacity for text messages."), QStringLiteral("N")},
        {QStringLiteral("over-air-id"), QStringLiteral("Private ID another radio sends over the air."), QStringLiteral("ID")},
        {QStringLiteral("polls"), QStringLiteral("Polls answered 'not yet' before that ID (default 2)."), QStringLiteral("N")},
        {QStringLiteral("drop"), QStringLiteral("Drop bytes at this rate (0 to 1), both directions."), QStringLiteral("RATE")},
        {QStringLiteral("corrupt"), QStringLiteral("Corrupt bytes at this rate (0 to 1), both directions."), QStringLiteral("RATE")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the line faults."), QStringLiteral("N")},
        {QStringLiteral("delay"), QStringLiteral("Pause before every reply."), QStringLiteral("MS")},
        {QStringLiteral("busy"), QStringLiteral("Answer the first N commands with 'busy'."), QStringLiteral("N")},
        {QStringLiteral("silent"), QStringLiteral("Ignore the first N commands."), QStringLiteral("N")},
        {QStringLiteral("old-firmware"), QStringLiteral("Refuse everything as firmware without ZOT support.")},
    };
    parser.addOptions(options);
    parser.process(app);

    auto number = [&](const char* name, int low, int high, int& out) {
        if (!parser.isSet(QString::fromLatin1(name)))
            return true;
        bool ok = false;
        const int value = parser.value(QString::fromLatin1(name)).toInt(&ok);
        if (!ok || value < low || value > high)
            return false;
        out = value;
        return true;
    };
    auto rate = [&](const char* name, double& out) {
        if (!parser.isSet(QString::fromLatin1(name)))
            return true;
        bool ok = false;
        out = parser.value(QString::fromLatin1(name)).toDouble(&ok);
        return ok && out >= 0.0 && out <= 1.0;
    };

    VirtualCP content = parser.isSet(QStringLiteral("full")) ? CRadioSimulator::FullContent() : CRadioSimulator::DefaultContent();
    if (parser.isSet(QStringLiteral("profile"))) {
        QString text, error;
        if (!ReadProfileText(parser.value(QStringLiteral("profile")), text, &error))
            return Fail(error);
        const RadioInfo radioOwn = content.radioInfo;
        QString failure;
        try {
            if (!CDataAdaptor::XML2VirtualCP(text, content))
                failure = QStringLiteral("the profile could not be converted");
        } catch (const CKVXZOTException& e) {
            failure = QStringLiteral("the profile could not be converted (%1): %2").arg(e.GetCode()).arg(e.GetTrace());
        }
        if (!failure.isEmpty() && !LoadThroughDocument(parser.value(QStringLiteral("profile")), content))
            return Fail(failure);
        // A profile made without a radio carries no identity: keep the
        // simulator's own where it has none.
        if (content.radioInfo.pid.isEmpty() || content.radioInfo.pid.startsWith(QLatin1Char('X')))
            content.radioInfo.pid = radioOwn.pid;
        if (content.radioInfo.clone_compatibility_version == 0)
            content.radioInfo.clone_compatibility_version = radioOwn.clone_compatibility_version;
        if (content.radioInfo.max_num_of_contacts == 0) {
            content.radioInfo.max_num_of_contacts = radioOwn.max_num_of_contacts;
            content.radioInfo.max_num_of_private_grps = radioOwn.max_num_of_private_grps;
            content.radioInfo.max_num_of_public_grps = radioOwn.max_num_of_public_grps;
            content.radioInfo.max_num_of_predefined_msgs = radioOwn.max_num_of_predefined_msgs;
        }
    }

    if (parser.isSet(QStringLiteral("firmware")) && !ParseFirmware(parser.value(QStringLiteral("firmware")), content.version))
        return Fail(QStringLiteral("--firmware wants a version such as R5E.08.00"));
    int clone = content.radioInfo.clone_compatibility_version;
    int maxContacts = content.radioInfo.max_num_of_contacts, maxPrivate = content.radioInfo.max_num_of_private_grps,
        maxPublic = content.radioInfo.max_num_of_public_grps, maxMessages = content.radioInfo.max_num_of_predefined_msgs;
    if (!number("clone-level", 0, 255, clone) || !number("max-contacts", 0, kMaxContacts, maxContacts)
        || !number("max-private-groups", 0, kMaxContacts, maxPrivate) || !number("max-public-groups", 0, kMaxContacts, maxPublic)
        || !number("max-messages", 0, kMaxTextMessages, maxMessages))
        return Fail(QStringLiteral("a level or capacity is out of range"));
    content.radioInfo.clone_compatibility_version = quint8(clone);
    content.radioInfo.max_num_of_contacts = quint8(maxContacts);
    content.radioInfo.max_num_of_private_grps = quint8(maxPrivate);
    content.radioInfo.max_num_of_public_grps = quint8(maxPublic);
    content.radioInfo.max_num_of_predefined_msgs = quint8(maxMessages);
    if (parser.isSet(QStringLiteral("password"))) {
        const QString password = parser.value(QStringLiteral("password"));
        if (password.size() > kPasswordWidth)
            return Fail(QStringLiteral("--password takes at most 4 characters"));
        content.settings.password = password;
    }
    if (parser.isSet(QStringLiteral("pid"))) {
        const QString pid = parser.value(QStringLiteral("pid"));
        if (pid.isEmpty() || pid.size() > kIdWidth)
            return Fail(QStringLiteral("--pid takes a decimal ID of up to 11 digits"));
        content.radioInfo.pid = pid;
    }

    SimulatorOptions simOptions;
    simOptions.overAirId = parser.value(QStringLiteral("over-air-id"));
    simOptions.oldFirmware = parser.isSet(QStringLiteral("old-firmware"));
    PtyServerOptions serverOptions;
    serverOptions.linkPath = parser.value(QStringLiteral("link"));
    serverOptions.logPath = parser.value(QStringLiteral("log"));
    serverOptions.pace = parser.isSet(QStringLiteral("pace"));
    int seed = 1;
    if (!number("polls", 0, 1000, simOptions.pollsBeforeId) || !number("busy", 0, 1 << 30, simOptions.busyReplies)
        || !number("silent", 0, 1 << 30, simOptions.silentCommands) || !number("delay", 0, 60000, serverOptions.faults.delayMs)
        || !number("seed", 0, INT_MAX, seed) || !rate("drop", serverOptions.faults.dropRate)
        || !rate("corrupt", serverOptions.faults.corruptRate))
        return Fail(QStringLiteral("a fault option is out of range"));
    serverOptions.faults.seed = quint32(seed);

    CRadioSimulator radio(content, simOptions);
    CPtyRadioServer server(radio, serverOptions);
    QString error;
    if (!server.Start(&error))
        return Fail(error);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGHUP, OnSignal);
    std::signal(SIGUSR1, OnSignal);
    QTextStream(stdout) << server.PortPath() << Qt::endl;

    const QString savePath = parser.value(QStringLiteral("save"));
    while (!g_stop) {
        if (g_save.exchange(false) && !savePath.isEmpty())
            SaveContent(radio, savePath);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    server.Stop();
    if (!savePath.isEmpty() && !SaveContent(radio, savePath))
        return 1;
    return 0;
}
