#pragma once

// A started application against the repository's installation folder, for
// the data model's tests: configuration in temporary INI files, messages and
// script errors recorded instead of shown.

#include "../app/TestSettings.h"

#include "AppProfileEnvironment.h"
#include "ConfigStore.h"
#include "KVXZOTApp.h"
#include "KVXZOTException.h"
#include "Messages.h"
#include "RadioDataModel.h"
#include "ScriptHost.h"
#include "StringTable.h"
#include "TextFiles.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousHandler = kvx::SetMessageHandler([this](const QString& text, unsigned) {
            m_messages << text;
            return static_cast<int>(kvx::kIdOk);
        });
        m_previousSink = SetScriptErrorSink([this](const QString& text) { m_scriptErrors << text; });
        UseInstallation(QStringLiteral(KVX_INSTALLATION_DIR));
        ASSERT_TRUE(m_app.InitInstance()) << m_messages.join(QLatin1Char('\n')).toStdString();
    }
    void TearDown() override
    {
        kvx::SetMessageHandler(m_previousHandler);
        SetScriptErrorSink(m_previousSink);
        CStringTable::Instance().ResetToEnglish();
    }

    void UseInstallation(const QString& path)
    {
        m_settings.Store().WriteString(kvx::registry::Hive::Machine, kAppKey, QStringLiteral("InstallPath"), path);
        m_settings.Store().WriteString(kvx::registry::Hive::Machine, kAppKey, QStringLiteral("DefaultLanguage"),
                                       QStringLiteral("English"));
    }

    // A copy of the installation folder that a test may change.
    QString CopyInstallation()
    {
        const QString target = m_settings.Dir() + QStringLiteral("/install");
        for (const QString& folder : {QStringLiteral("lib"), QStringLiteral("ProfileTemplate")}) {
            QDir().mkpath(target + QLatin1Char('/') + folder);
            const QDir source(QStringLiteral(KVX_INSTALLATION_DIR "/") + folder);
            for (const QString& name : source.entryList(QDir::Files))
                QFile::copy(source.filePath(name), target + QLatin1Char('/') + folder + QLatin1Char('/') + name);
        }
        UseInstallation(target);
        return target;
    }

    static QString TemplatePath(const QString& name)
    {
        return QStringLiteral(KVX_INSTALLATION_DIR "/ProfileTemplate/") + name + QStringLiteral(".jub");
    }
    static QString TemplateText(const QString& name) { return ReadTextFile(TemplatePath(name)).text; }

    QString TempPath(const QString& name) const { return m_settings.Dir() + QLatin1Char('/') + name; }

    static void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    std::unique_ptr<CRadioDataModel> NewModel()
    {
        return std::make_unique<CRadioDataModel>(CAppProfileEnvironment::Instance());
    }

    // The code of the exception a call raises, or 0.
    template <typename F>
    static qint32 CodeOf(F&& call, QString* trace = nullptr)
    {
        try {
            call();
        } catch (const CKVXZOTException& e) {
            if (trace)
                *trace = e.GetTrace();
            return e.GetCode();
        }
        return 0;
    }

    ScopedTestSettings m_settings;
    CKVXZOTApp m_app{[] { return true; }};
    QStringList m_messages;
    QStringList m_scriptErrors;
    kvx::MessageHandler m_previousHandler;
    ScriptErrorSink m_previousSink;
};
