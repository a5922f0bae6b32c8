#include "SerialPortList.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <mutex>
#include <vector>

#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvx::serial {
namespace {
std::mutex g_mutex;
PortEnumerator g_enumerator;
PortDescriber g_describer;

std::optional<QStringList> PlatformPorts()
{
    QStringList ports = ExtraPortsFromEnvironment();
    // Test runs and simulated set-ups can keep the machine's own ports out.
    if (!qEnvironmentVariableIsEmpty("KVXZOT_NO_PLATFORM_PORTS"))
        return ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        if (!ports.contains(location))
            ports << location;
    }
    return ports;
}

// The device path of a port name as QSerialPort uses it: "ttyUSB0" is
// "/dev/ttyUSB0"; a path stays as it is.
QString DevicePath(const QString& portName)
{
    return portName.contains(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
}

QString GroupName(gid_t gid)
{
    group entry{};
    group* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return QString();
    return QString::fromLocal8Bit(found->gr_name);
}

QString PlatformDescription(const QString& portName)
{
    // A stable link (/dev/serial/by-id/...) names the same device.
    const QString device = QFileInfo(DevicePath(portName)).canonicalFilePath();
    if (device.isEmpty())
        return QString();
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (QFileInfo(info.systemLocation()).canonicalFilePath() == device)
            return info.description().isEmpty() ? info.manufacturer() : info.description();
    }
    return QString();
}

}  // namespace

QStringList ExtraPortsFromEnvironment()
{
    return qEnvironmentVariable("KVXZOT_EXTRA_PORTS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

std::optional<QStringList> EnumerateSerialPorts()
{
    PortEnumerator enumerator;
    {
        std::lock_guard lock(g_mutex);
        enumerator = g_enumerator;
    }
    return enumerator ? enumerator() : PlatformPorts();
}

PortEnumerator SetPortEnumerator(PortEnumerator enumerator)
{
    std::lock_guard lock(g_mutex);
    std::swap(g_enumerator, enumerator);
    return enumerator;
}

QString DescribeSerialPort(const QString& portName)
{
    PortDescriber describer;
    {
        std::lock_guard lock(g_mutex);
        describer = g_describer;
    }
    return describer ? describer(portName) : PlatformDescription(portName);
}

PortDescriber SetPortDescriber(PortDescriber describer)
{
    std::lock_guard lock(g_mutex);
    std::swap(g_describer, describer);
    return describer;
}

PortAccess CheckPortAccess(const QString& portName)
{
    if (portName.isEmpty())
        return {PortAccess::Missing, QString()};
    const QByteArray path = QFile::encodeName(DevicePath(portName));
    struct stat status {};
    if (::stat(path.constData(), &status) != 0)
        return {errno == EACCES ? PortAccess::NoPermission : PortAccess::Missing, QString()};
    if (::access(path.constData(), R_OK | W_OK) == 0 || errno != EACCES) {
        // A file or a folder given as the port is no device at all.
        return S_ISCHR(status.st_mode) ? PortAccess{} : PortAccess{PortAccess::NotSerial, QString()};
    }
    const bool groupGrants = status.st_gid != 0 && (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    return {PortAccess::NoPermission, groupGrants ? GroupName(status.st_gid) : QString()};
}

qint64 PortNumber(const QString& portName)
{
    qsizetype start = portName.size();
    while (start > 0 && portName.at(start - 1).isDigit() && portName.at(start - 1).unicode() < 128)
        --start;
    // Long digit runs would overflow; they are not port numbers anyway.
    const QString digits = portName.mid(start).right(15);
    return digits.isEmpty() ? 0 : digits.toLongLong();
}

}  // namespace kvx::serial
