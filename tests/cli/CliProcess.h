#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs kvxzot-cli as a user would, with the build tree's machine settings
// and a fresh user store of the test's own.
struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

class CliRunner {
public:
    CliRunner();
    CliResult Run(const QStringList& args, const QByteArray& input = QByteArray()) const;
    QString UserSettingsFile() const { return m_dir.filePath(QStringLiteral("user.ini")); }
    QString Dir() const { return m_dir.path(); }
    QProcessEnvironment& Environment() { return m_env; }

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};
