#include "CliProcess.h"

#include <QProcess>

CliRunner::CliRunner() : m_env(QProcessEnvironment::systemEnvironment())
{
    m_env.insert(QStringLiteral("KVXZOT_MACHINE_SETTINGS"), QStringLiteral(KVX_MACHINE_SETTINGS_FILE));
    m_env.insert(QStringLiteral("KVXZOT_USER_SETTINGS"), UserSettingsFile());
    m_env.insert(QStringLiteral("KVXZOT_EXTRA_PORTS"), QString());
    m_env.insert(QStringLiteral("KVXZOT_NO_PLATFORM_PORTS"), QStringLiteral("1"));
}

CliResult CliRunner::Run(const QStringList& args, const QByteArray& input) const
{
    QProcess process;
    process.setProcessEnvironment(m_env);
    process.start(QStringLiteral(KVX_CLI_PATH), args);
    CliResult result;
    if (!process.waitForStarted(10000))
        return result;
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
