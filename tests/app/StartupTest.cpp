#include "ConfigStore.h"
#include "KVXZOTApp.h"
#include "Messages.h"
#include "StringTable.h"
#include "TestSettings.h"
#include "TextFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using kvx::registry::Hive;

namespace {

// Start-up against a copy of the repository's installation folder, so that
// tests can damage documents.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = kvx::SetMessageHandler([this](const QString& text, unsigned) {
            m_messages << text;
            return static_cast<int>(kvx::kIdOk);
        });
        m_install = m_settings.Dir() + QStringLiteral("/install");
        const QString lib = m_install + QStringLiteral("/lib");
        QDir().mkpath(lib);
        for (const QString& name : {QStringLiteral("HelpPane.stv"), QStringLiteral("Region.stv"), QStringLiteral("UpDownGradeSetting.stv")})
            ASSERT_TRUE(QFile::copy(QStringLiteral(KVX_INSTALLATION_DIR "/lib/") + name, lib + QLatin1Char('/') + name));
        m_settings.Store().WriteString(Hive::Machine, kAppKey, QStringLiteral("InstallPath"), m_install);
        m_settings.Store().WriteString(Hive::Machine, kAppKey, QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
    }
    void TearDown() override
    {
        kvx::SetMessageHandler(m_previous);
        CStringTable::Instance().ResetToEnglish();
    }

    void Rewrite(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_install + QStringLiteral("/lib/") + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QString Text(const QString& name) { return ReadTextFile(m_install + QStringLiteral("/lib/") + name).text; }

    ScopedTestSettings m_settings;
    QString m_install;
    QStringList m_messages;
    kvx::MessageHandler m_previous;
    bool m_engineAvailable = true;
    CKVXZOTApp m_app{[this] { return m_engineAvailable; }};
};

TEST_F(StartupTest, FreshUserStartsInRegionJubWithGroup3)
{
    ASSERT_TRUE(m_app.InitInstance()) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(m_app.GetRegion(), QStringLiteral("JUB"));
    EXPECT_EQ(m_app.GetCurrentGroup(), 3);
    EXPECT_EQ(m_app.GetLanguage(), QStringLiteral("English"));
    EXPECT_EQ(m_settings.Store().ReadString(Hive::User, kAppKey, QStringLiteral("CurrentLanguage")).value_or(QString()),
              QStringLiteral("English"));
    EXPECT_TRUE(m_settings.Store().ValueExists(Hive::User, kAppKey, QStringLiteral("CurrentComPort")));
    EXPECT_EQ(m_app.GetSupportLanguages().size(), 7);
    EXPECT_FALSE(m_app.GetVisibleBase().SelectSingleNode(QStringLiteral("/dfns:RegionCommon/dfns:Settings")).IsNull());
    EXPECT_EQ(m_app.GetVersionGroup(QStringLiteral("R5E.10.02")) > 0, true);
}

TEST_F(StartupTest, ScrambledDocumentsLoadInBothForms)
{
    Rewrite(QStringLiteral("Region.stv"), EncodeCp1252(ScrambleText(Text(QStringLiteral("Region.stv")), true)));
    QByteArray utf16("\xFF\xFE", 2);
    const QString scrambled = ScrambleText(Text(QStringLiteral("HelpPane.stv")), false);
    utf16.append(reinterpret_cast<const char*>(scrambled.utf16()), scrambled.size() * 2);
    Rewrite(QStringLiteral("HelpPane.stv"), utf16);
    ASSERT_TRUE(m_app.InitInstance()) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(m_app.GetRegion(), QStringLiteral("JUB"));
}

TEST_F(StartupTest, MissingBrokenOrForeignDocumentsEndTheStartWith222)
{
    const QString missingFiles = LoadStr(222);
    QFile::remove(m_install + QStringLiteral("/lib/UpDownGradeSetting.stv"));
    EXPECT_FALSE(m_app.InitInstance());
    EXPECT_EQ(m_messages, QStringList{missingFiles});

    m_messages.clear();
    Rewrite(QStringLiteral("HelpPane.stv"), "<?xml version=\"1.0\"?><HelpPane><unclosed>");
    EXPECT_FALSE(m_app.InitInstance());
    EXPECT_EQ(m_messages, QStringList{missingFiles});

    m_messages.clear();
    QFile::copy(QStringLiteral(KVX_INSTALLATION_DIR "/lib/HelpPane.stv"), m_install + QStringLiteral("/lib/HelpPane.tmp"));
    QFile::remove(m_install + QStringLiteral("/lib/HelpPane.stv"));
    QFile::rename(m_install + QStringLiteral("/lib/HelpPane.tmp"), m_install + QStringLiteral("/lib/HelpPane.stv"));
    QString region = Text(QStringLiteral("Region.stv"));
    region.replace(QStringLiteral("name=\"JUB\""), QStringLiteral("name=\"LACR\""));
    Rewrite(QStringLiteral("Region.stv"), region.toUtf8());
    EXPECT_FALSE(m_app.InitInstance());
    EXPECT_EQ(m_messages, QStringList{missingFiles});
}

TEST_F(StartupTest, ExternalEntitiesAreRefusedNotLoaded)
{
    Rewrite(QStringLiteral("Region.stv"),
            "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
            "<RegionSetting xmlns=\"urn:varnholt:kvxzot:profile\"><Region name=\"&x;\"/></RegionSetting>");
    EXPECT_FALSE(m_app.InitInstance());
    EXPECT_EQ(m_messages, QStringList{LoadStr(222)});
}

TEST_F(StartupTest, NoScriptEngineShows294)
{
    m_engineAvailable = false;
    EXPECT_FALSE(m_app.InitInstance());
    EXPECT_EQ(m_messages, QStringList{LoadStr(294)});
}

TEST_F(StartupTest, MissingLanguageResourceFallsBackToEnglishWith223)
{
    SetCurrentLanguage(QStringLiteral("German"));
    m_settings.Store().WriteString(Hive::Machine, kAppKey + QStringLiteral("\\Language\\German"), QStringLiteral("GUIResource"),
                                   QStringLiteral("Language/NoSuchGerman.json"));
    ASSERT_TRUE(m_app.InitInstance());
    EXPECT_EQ(m_messages, QStringList{QStringLiteral(
                              "The language resource file is missing. The ZOT will start with English language version.")});
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("English"));
}

TEST_F(StartupTest, LanguageResourceOfTheInstallationIsLoaded)
{
    SetCurrentLanguage(QStringLiteral("German"));
    QDir().mkpath(m_install + QStringLiteral("/Language"));
    QFile::copy(QStringLiteral(KVX_INSTALLATION_DIR "/Language/German.json"), m_install + QStringLiteral("/Language/German.json"));
    m_settings.Store().WriteString(Hive::Machine, kAppKey + QStringLiteral("\\Language\\German"), QStringLiteral("GUIResource"),
                                   QStringLiteral("Language\\German.json"));
    ASSERT_TRUE(m_app.InitInstance()) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("German"));
    EXPECT_NE(LoadStr(222), CStringTable::English().value(222));
}

}  // namespace
