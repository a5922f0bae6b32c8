#include "StringTable.h"
#include "XmlTestDoc.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const char* const kLanguages[] = {"German", "French", "Spanish", "CaFrench", "LaSpanish", "LaPortuguese"};

QJsonObject ReadStrings(const QString& language)
{
    QFile file(InstallationPath(QStringLiteral("Language/%1.json").arg(language)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("strings")).toObject();
}

QStringList Placeholders(const QString& text)
{
    static const QRegularExpression format(QStringLiteral("%[-+ 0#]*[0-9]*(\\.[0-9]+)?[a-zA-Z%]"));
    QStringList found;
    for (auto it = format.globalMatch(text); it.hasNext();)
        found << it.next().captured(0);
    return found;
}

// The key of a menu text: what follows the tab.
QString Shortcut(const QString& text)
{
    const int tab = text.indexOf(QChar('\t'));
    return tab < 0 ? QString() : text.mid(tab);
}

class LanguageResource : public ::testing::TestWithParam<const char*> {};

TEST_P(LanguageResource, TranslatesEveryNumberAndNothingElse)
{
    const QJsonObject strings = ReadStrings(QString::fromLatin1(GetParam()));
    ASSERT_FALSE(strings.isEmpty());
    const auto& english = CStringTable::English();
    for (auto it = english.begin(); it != english.end(); ++it) {
        const QString key = QString::number(it.key());
        ASSERT_TRUE(strings.contains(key)) << "missing " << it.key();
        EXPECT_FALSE(strings.value(key).toString().isEmpty()) << it.key();
    }
    for (auto it = strings.begin(); it != strings.end(); ++it)
        EXPECT_TRUE(english.contains(it.key().toInt())) << "unknown number " << it.key().toStdString();
}

// A number given twice loses one of its texts without a word from the parser.
TEST_P(LanguageResource, GivesEveryNumberOnce)
{
    QFile file(InstallationPath(QStringLiteral("Language/%1.json").arg(QString::fromLatin1(GetParam()))));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    static const QRegularExpression key(QStringLiteral("^\\s*\"(\\d+)\"\\s*:"), QRegularExpression::MultilineOption);
    QSet<QString> seen;
    for (auto it = key.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
        const QString number = it.next().captured(1);
        EXPECT_FALSE(seen.contains(number)) << "given twice: " << number.toStdString();
        seen.insert(number);
    }
    EXPECT_GT(seen.size(), 100);
}

TEST_P(LanguageResource, KeepsPlaceholdersAcceleratorsAndShortcuts)
{
    const QJsonObject strings = ReadStrings(QString::fromLatin1(GetParam()));
    const auto& english = CStringTable::English();
    int translated = 0;
    for (auto it = english.begin(); it != english.end(); ++it) {
        const QString text = strings.value(QString::number(it.key())).toString();
        const QString& source = it.value();
        EXPECT_EQ(Placeholders(text), Placeholders(source)) << it.key() << ": " << text.toStdString();
        EXPECT_EQ(text.count(QChar('&')) > 0, source.count(QChar('&')) > 0) << it.key();
        EXPECT_EQ(Shortcut(text), Shortcut(source)) << it.key();
        EXPECT_EQ(text.endsWith(QChar('\n')), source.endsWith(QChar('\n'))) << it.key();
        EXPECT_EQ(text.startsWith(QChar(' ')), source.startsWith(QChar(' '))) << it.key();
        if (text != source)
            ++translated;
    }
    // Names, formats and the like stay as they are; nearly all else changes.
    EXPECT_GT(translated, english.size() * 8 / 10);
}

TEST_P(LanguageResource, KeepsTheDocumentTemplateRegistration)
{
    const QString text = ReadStrings(QString::fromLatin1(GetParam())).value(QStringLiteral("129")).toString();
    const QStringList fields = text.split(QChar('\n'));
    const QStringList english = CStringTable::English().value(129).split(QChar('\n'));
    ASSERT_EQ(fields.size(), english.size());
    EXPECT_TRUE(fields[0].isEmpty());
    EXPECT_EQ(fields[2], english[2]);
    EXPECT_TRUE(fields[3].endsWith(QStringLiteral("(*.kvx)")));
    EXPECT_EQ(fields.mid(4), english.mid(4));
}

TEST_P(LanguageResource, LoadsOverTheEnglishTable)
{
    CStringTable& table = CStringTable::Instance();
    const QString path = InstallationPath(QStringLiteral("Language/%1.json").arg(QString::fromLatin1(GetParam())));
    QString error;
    ASSERT_TRUE(table.LoadLanguageResource(path, &error)) << error.toStdString();
    EXPECT_NE(table.Text(223), CStringTable::English().value(223));
    EXPECT_FALSE(table.Text(10018).isEmpty());
    table.ResetToEnglish();
    EXPECT_EQ(table.Text(223), CStringTable::English().value(223));
}

INSTANTIATE_TEST_SUITE_P(Installation, LanguageResource, ::testing::ValuesIn(kLanguages));

TEST(LanguageResources, RegionalVariantsDifferFromTheirBase)
{
    EXPECT_NE(ReadStrings(QStringLiteral("CaFrench")), ReadStrings(QStringLiteral("French")));
    EXPECT_NE(ReadStrings(QStringLiteral("LaSpanish")), ReadStrings(QStringLiteral("Spanish")));
}

} // namespace
