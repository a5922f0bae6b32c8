#include "StringTable.h"

#include <gtest/gtest.h>

namespace {

const QHash<int, QString>& English()
{
    return CStringTable::English();
}

TEST(StringTableEnglish, NoEntryIsEmpty)
{
    EXPECT_GE(English().size(), 290);
    for (auto it = English().begin(); it != English().end(); ++it)
        EXPECT_FALSE(it.value().isEmpty()) << "string " << it.key();
}

TEST(StringTableEnglish, EscapesAreTheCharactersTheyDenote)
{
    EXPECT_EQ(English().value(102), QStringLiteral("Fatal error.") + QChar('\n')
                                        + QStringLiteral("Please uninstall and re-install KVX ZOT."));
    EXPECT_EQ(English().value(32771), QStringLiteral("&Add") + QChar('\t') + QStringLiteral("Ctrl+A"));
    EXPECT_EQ(English().value(10162), QStringLiteral("- (Name)") + QChar('\n'));
    const QString tmpl = English().value(129);
    EXPECT_TRUE(tmpl.startsWith(QChar('\n')));
    EXPECT_EQ(tmpl.split(QChar('\n')).size(), 7);
    EXPECT_FALSE(English().value(297).contains(QStringLiteral("\\n")));
}

TEST(StringTableEnglish, KeepsBlanksAtTheEnds)
{
    EXPECT_EQ(English().value(10006), QStringLiteral("Can not open the registry entry of "));
    EXPECT_EQ(English().value(10017), QStringLiteral("REASON: "));
    EXPECT_EQ(English().value(10100), QStringLiteral(" (%d Group(s) Left)"));
    EXPECT_TRUE(English().value(10161).endsWith(QStringLiteral("Do you want to continue?    ")));
    EXPECT_TRUE(English().value(10161).startsWith(
        QStringLiteral("The following field(s) have been incorrectly specified:\n\n%s\nBy continuing")));
}

TEST(StringTableEnglish, KeepsTheProgramsOwnSpelling)
{
    EXPECT_EQ(English().value(160), QStringLiteral("Failure to read dealer infomation from the registry!"));
    EXPECT_EQ(English().value(134).left(34), QStringLiteral("Channel changed successfuly, but t"));
    EXPECT_EQ(English().value(107), QStringLiteral("Programing error: 107."));
    EXPECT_EQ(English().value(20003), QStringLiteral("Error: Convert cordinate."));
    EXPECT_EQ(English().value(20004), QStringLiteral("Error: Radio informaton view loads data."));
    EXPECT_EQ(English().value(293), QStringLiteral("Error: 102 Some node are not correct, please check."));
}

TEST(StringTableEnglish, SampleOfEveryArea)
{
    const std::pair<int, const char*> samples[] = {
        {100, "OLE initialization failed. Make sure that the OLE libraries are the correct version."},
        {106, "Unknown Error"},
        {162, "Channel %d (%d)"},
        {202, ":"},
        {222, "Some files needed by ZOT are not available.\nPlease reinstall ZOT."},
        {223, "The language resource file is missing. The ZOT will start with English language version."},
        {225, "&File"},
        {261, "&About %s..."},
        {292, "Error: 101 Some node exist in CodePlugSetting part and VisibleSetting."},
        {10001, "Do you want to create a new profile(Yes), overwrite the currently selected profile(No) or cancel it?"},
        {10018, "Idle"},
        {10019, "Transferring"},
        {10084, "Add >>"},
        {10085, "<< Remove"},
        {10113, "Profile data Error! The profile will be closed."},
        {10115, "Fatal registry error. Please reinstall ZOT."},
        {10146, "Error: Operation Failed (%s)."},
        {10155, "Error: COM port already in use by another application."},
        {10156, "Error: Radio model is unsupported."},
        {10158, "Error: Operation timed out."},
        {32802, "&Scan(Add)\tCtrl+T"},
        {57345, "For Help, press F1"},
    };
    for (const auto& [id, text] : samples)
        EXPECT_EQ(English().value(id), QString::fromUtf8(text)) << "string " << id;
}

TEST(StringTableEnglish, LookupFallsBackToEnglishAndUnknownIsEmpty)
{
    CStringTable::Instance().ResetToEnglish();
    EXPECT_EQ(LoadStr(10018), QStringLiteral("Idle"));
    EXPECT_TRUE(LoadStr(4711).isEmpty());
    EXPECT_FALSE(CStringTable::Instance().Has(4711));
}

} // namespace
