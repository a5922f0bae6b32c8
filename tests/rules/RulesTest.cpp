// The profile's editing rules as a dealer meets them, exercised through
// CDataItem against the installation's rule script.

#include "../datamodel/ModelTestSupport.h"

#include <QRegularExpression>

namespace {

constexpr qint32 kApplied = 0, kRefused = 1, kConfirm = 2;

class RulesTest : public ModelTest {
protected:
    void Load(QString text = TemplateText(QStringLiteral("KVX30")))
    {
        m_model = NewModel();
        QString trace;
        ASSERT_EQ(CodeOf([&] { m_model->LoadProfile(text, false); }, &trace), 0) << trace.toStdString();
    }
    CDataItem Folder(const QString& name)
    {
        CDataItem contacts, folder;
        m_model->GetRootItem().GetChildByName(QStringLiteral("Contacts"), contacts);
        contacts.GetChildByName(name, folder);
        return folder;
    }
    CDataItem AddPrivate(const QString& name)
    {
        CDataItem item;
        EXPECT_NE(Folder(QStringLiteral("Privates")).AddNewPriGrpPrivate(item, name), nullptr);
        return item;
    }
    CDataItem AddGroup(const QString& name)
    {
        CDataItem item;
        EXPECT_NE(Folder(QStringLiteral("PrivateGroups")).AddNewPriGrpPrivate(item, name), nullptr);
        return item;
    }
    CDataItem AddPublic()
    {
        CDataItem item;
        EXPECT_NE(Folder(QStringLiteral("PublicGroups")).AddNewChild(item), nullptr);
        return item;
    }
    void Join(CDataItem& contact, CDataItem& group)
    {
        CDataItem parents, entry;
        contact.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
        ASSERT_NE(parents.AddNewChild(entry), nullptr);
        ASSERT_EQ(Set(entry, QStringLiteral("pid"), group.GetAttributeValue(QStringLiteral("pid"))), kApplied);
    }
    qint32 Set(CDataItem& item, const QString& attribute, const QVariant& value, qint32 n = 0)
    {
        m_r1 = m_r2 = -1;
        return item.SetAttributeValue(attribute, value, m_r1, n, m_r2);
    }
    static QString Text(const CDataItem& item, const QString& attribute)
    {
        return item.GetNode().GetAttribute(attribute);
    }
    int Count(const QString& folder) { return Folder(folder).GetChildCount(); }
    void ExpectReloads()
    {
        auto again = NewModel();
        QString trace;
        EXPECT_EQ(CodeOf([&] { again->LoadProfile(m_model->GetProfileXml(), false); }, &trace), 0) << trace.toStdString();
    }

    std::unique_ptr<CRadioDataModel> m_model;
    qint32 m_r1 = 0, m_r2 = 0;
};

TEST_F(RulesTest, NamesFollowTheRadiosLimits)
{
    Load();
    CDataItem ann = AddPrivate(QStringLiteral("Ann"));
    CDataItem bob = AddPrivate(QStringLiteral("Bob"));

    // The same name in another letter case or with a folded accent.
    for (const QString& taken : {QStringLiteral("ANN"), QStringLiteral("\u00C0nn"), QStringLiteral("all call"),
                                 QStringLiteral("DISPATCH")}) {
        EXPECT_EQ(Set(bob, QStringLiteral("name"), taken), kRefused) << taken.toStdString();
        EXPECT_EQ(m_r1, 127);
    }
    EXPECT_EQ(Text(bob, QStringLiteral("name")), QStringLiteral("Bob"));
    // Letters the collation keeps apart are different names.
    EXPECT_EQ(Set(ann, QStringLiteral("name"), QStringLiteral("\u00C6nn")), kApplied);
    EXPECT_EQ(Set(bob, QStringLiteral("name"), QStringLiteral("Ann")), kApplied);
    // A contact may be renamed to its own name in another case.
    EXPECT_EQ(Set(bob, QStringLiteral("name"), QStringLiteral("aNN")), kApplied);

    EXPECT_EQ(Set(bob, QStringLiteral("name"), QString(21, QLatin1Char('x'))), kRefused);
    EXPECT_EQ(m_r1, 165);
    EXPECT_EQ(Set(bob, QStringLiteral("name"), QString(20, QLatin1Char('x'))), kApplied);
    EXPECT_EQ(Set(bob, QStringLiteral("name"), QStringLiteral("\u041F\u0451\u0442\u0440")), kRefused);
    EXPECT_EQ(m_r1, 218);
    EXPECT_EQ(Set(bob, QStringLiteral("name"), QString()), kRefused);
    EXPECT_EQ(Text(bob, QStringLiteral("name")), QString(20, QLatin1Char('x')));

    // Scroll lists name contacts: a rename follows, quotes and all.
    CDataItem list, entry;
    ann.GetChildByName(QStringLiteral("scrolllist"), list);
    ASSERT_NE(list.AddNewPriScrList(entry, Text(bob, QStringLiteral("name"))), nullptr);
    for (const QString& name : {QStringLiteral("Bob's"), QStringLiteral("\"Bo\" b's"), QStringLiteral("Bob")}) {
        ASSERT_EQ(Set(bob, QStringLiteral("name"), name), kApplied);
        EXPECT_EQ(Text(entry, QStringLiteral("name")), name);
    }
    ExpectReloads();
}

TEST_F(RulesTest, IdsAreUniqueAndInTheirRanges)
{
    Load();
    CDataItem ann = AddPrivate(QStringLiteral("Ann"));
    CDataItem crew = AddGroup(QStringLiteral("Crew"));
    EXPECT_EQ(Set(crew, QStringLiteral("pid"), Text(ann, QStringLiteral("pid"))), kRefused);
    EXPECT_EQ(m_r1, 132);
    EXPECT_EQ(Set(ann, QStringLiteral("pid"), QStringLiteral("10000000")), kRefused);   // below valid_PID_start
    EXPECT_EQ(m_r1, 30001);
    EXPECT_EQ(Set(ann, QStringLiteral("pid"), QString()), kRefused);
    EXPECT_EQ(m_r1, 10099);
    EXPECT_EQ(Set(ann, QStringLiteral("pid"), QStringLiteral("17179867884")), kRefused);   // above valid_PID_end
    EXPECT_EQ(Set(ann, QStringLiteral("pid"), QStringLiteral("17179867883")), kApplied);
    EXPECT_EQ(Set(ann, QStringLiteral("pid"), QStringLiteral("12a")), kRefused);
    EXPECT_EQ(m_r1, 30001);

    CDataItem open = AddPublic();
    EXPECT_EQ(Set(open, QStringLiteral("pid"), QStringLiteral("12345678")), kRefused);   // not in a public block
    EXPECT_EQ(Set(open, QStringLiteral("pid"), QStringLiteral("17179869084")), kApplied);   // last of the block of 100
    EXPECT_EQ(Set(open, QStringLiteral("pid"), QStringLiteral("17179869083")), kRefused);
    ExpectReloads();
}

TEST_F(RulesTest, PublicGroupChannelMovesItsScanListPlace)
{
    Load();
    CDataItem allCall;
    Folder(QStringLiteral("PublicGroups")).GetChildByIndex(0, allCall);
    ASSERT_EQ(Text(allCall, QStringLiteral("in_scan_list")), QStringLiteral("1"));

    EXPECT_EQ(Set(allCall, QStringLiteral("channel"), 2), kConfirm);
    EXPECT_EQ(m_r1, 133);
    EXPECT_EQ(Text(allCall, QStringLiteral("channel")), QStringLiteral("1"));   // nothing yet
    EXPECT_EQ(Set(allCall, QStringLiteral("channel"), 2, 1), kApplied);
    EXPECT_EQ(Text(allCall, QStringLiteral("channel")), QStringLiteral("2"));
    EXPECT_EQ(Text(allCall, QStringLiteral("in_scan_list")), QStringLiteral("1"));

    // Fill channel 3's scan list, then move a scanned group there.
    for (int i = 0; i < 10; ++i) {
        CDataItem group = AddPublic();
        ASSERT_EQ(Set(group, QStringLiteral("channel"), 3), kApplied);
        ASSERT_EQ(Set(group, QStringLiteral("in_scan_list"), true), kApplied);
    }
    CDataItem eleventh = AddPublic();
    ASSERT_EQ(Set(eleventh, QStringLiteral("channel"), 3), kApplied);
    EXPECT_EQ(Set(eleventh, QStringLiteral("in_scan_list"), true), kRefused);
    EXPECT_EQ(m_r1, 164);
    EXPECT_EQ(Text(eleventh, QStringLiteral("in_scan_list")), QStringLiteral("0"));

    EXPECT_EQ(Set(allCall, QStringLiteral("channel"), 3, 1), kApplied);
    EXPECT_EQ(m_r1, 134);
    EXPECT_EQ(Text(allCall, QStringLiteral("in_scan_list")), QStringLiteral("0"));
    EXPECT_EQ(Set(allCall, QStringLiteral("channel"), 17), kRefused);   // the radio has 16 channels
    ExpectReloads();
}

TEST_F(RulesTest, PrivateChannelChangeLeavesItsGroups)
{
    Load();
    CDataItem ann = AddPrivate(QStringLiteral("Ann"));
    CDataItem bob = AddPrivate(QStringLiteral("Bob"));
    CDataItem crew = AddGroup(QStringLiteral("Crew"));
    CDataItem pair = AddGroup(QStringLiteral("Pair"));
    Join(ann, crew);
    Join(bob, crew);
    Join(ann, pair);
    ASSERT_EQ(Set(ann, QStringLiteral("home_grp"), Text(pair, QStringLiteral("pid"))), kApplied);
    EXPECT_EQ(Set(ann, QStringLiteral("home_grp"), QStringLiteral("99999999")), kRefused);

    EXPECT_EQ(Set(ann, QStringLiteral("channel"), 5), kConfirm);
    EXPECT_EQ(m_r1, 137);
    EXPECT_EQ(Count(QStringLiteral("PrivateGroups")), 2);
    EXPECT_EQ(Set(ann, QStringLiteral("channel"), 5, 1), kApplied);
    EXPECT_EQ(Text(ann, QStringLiteral("home_grp")), QString());
    // Pair lost its only member; Crew keeps Bob.
    ASSERT_EQ(Count(QStringLiteral("PrivateGroups")), 1);
    CDataItem left;
    Folder(QStringLiteral("PrivateGroups")).GetChildByIndex(0, left);
    EXPECT_EQ(Text(left, QStringLiteral("name")), QStringLiteral("Crew"));

    // A private group's channel change removes its members after confirmation.
    EXPECT_EQ(Set(crew, QStringLiteral("channel"), 4), kConfirm);
    EXPECT_EQ(m_r1, 136);
    EXPECT_EQ(Set(crew, QStringLiteral("channel"), 4, 1), kApplied);
    CDataItem parents;
    bob.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
    EXPECT_EQ(parents.GetChildCount(), 0);
}

TEST_F(RulesTest, DeletingTheLastMemberDeletesTheGroup)
{
    Load();
    CDataItem ann = AddPrivate(QStringLiteral("Ann"));
    CDataItem crew = AddGroup(QStringLiteral("Crew"));
    Join(ann, crew);
    CDataItem privates = Folder(QStringLiteral("Privates"));
    qint32 r1 = 0, r2 = 0;
    EXPECT_EQ(privates.RemoveChildByIndex(0, r1, 0, r2), kConfirm);
    EXPECT_EQ(r1, 142);
    EXPECT_EQ(Count(QStringLiteral("Privates")), 1);
    EXPECT_EQ(privates.RemoveChildByIndex(0, r1, 1, r2), kApplied);
    EXPECT_EQ(Count(QStringLiteral("Privates")), 0);
    EXPECT_EQ(Count(QStringLiteral("PrivateGroups")), 0);
    ExpectReloads();
}

TEST_F(RulesTest, CapacitiesStopAdding)
{
    QString text = TemplateText(QStringLiteral("KVX30"));
    text.replace(QStringLiteral("max_num_of_contacts=\"150\""), QStringLiteral("max_num_of_contacts=\"6\""));
    text.replace(QStringLiteral("max_num_of_private_grps=\"30\""), QStringLiteral("max_num_of_private_grps=\"1\""));
    Load(text);
    const int existing = Count(QStringLiteral("PublicGroups"));
    AddGroup(QStringLiteral("Group"));
    EXPECT_FALSE(Folder(QStringLiteral("PrivateGroups")).CanAddChild());
    while (Count(QStringLiteral("PublicGroups")) + Count(QStringLiteral("PrivateGroups")) + Count(QStringLiteral("Privates")) < 6)
        AddPrivate(QStringLiteral("Private"));
    EXPECT_EQ(Count(QStringLiteral("Privates")), 5 - existing);
    EXPECT_FALSE(Folder(QStringLiteral("Privates")).CanAddChild());
    EXPECT_FALSE(Folder(QStringLiteral("PublicGroups")).CanAddChild());

    // A private belongs to at most five groups.
    Load();
    CDataItem ann = AddPrivate(QStringLiteral("Ann"));
    for (int i = 0; i < 5; ++i) {
        CDataItem group = AddGroup(QStringLiteral("Group"));
        Join(ann, group);
    }
    CDataItem parents;
    ann.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
    EXPECT_FALSE(parents.CanAddChild());
    ExpectReloads();
}

TEST_F(RulesTest, TextMessagesFitTheRadio)
{
    Load();
    CDataItem messages, message;
    m_model->GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
    ASSERT_NE(messages.AddNewChild(message), nullptr);
    EXPECT_EQ(Set(message, QStringLiteral("txt"), QString(81, QLatin1Char('m'))), kRefused);
    EXPECT_EQ(m_r1, 201);
    EXPECT_EQ(Set(message, QStringLiteral("txt"), QStringLiteral("\u20AC 5")), kRefused);
    EXPECT_EQ(m_r1, 217);
    EXPECT_EQ(Set(message, QStringLiteral("txt"), QString(80, QLatin1Char('m'))), kApplied);
    while (messages.CanAddChild())
        ASSERT_NE(messages.AddNewChild(message), nullptr);
    EXPECT_EQ(messages.GetChildCount(), 25);
}

TEST_F(RulesTest, ManagerModeSeesAllGroups)
{
    Load();
    CDataItem ann = AddPrivate(QStringLiteral("Ann"));
    ASSERT_EQ(Set(ann, QStringLiteral("see_all_groups"), false), kApplied);
    ASSERT_EQ(Set(ann, QStringLiteral("mngr_mode"), true), kApplied);
    EXPECT_EQ(Text(ann, QStringLiteral("see_all_groups")), QStringLiteral("1"));
    ASSERT_EQ(Set(ann, QStringLiteral("see_all_groups"), false), kApplied);
    EXPECT_EQ(Text(ann, QStringLiteral("mngr_mode")), QStringLiteral("0"));
}

TEST_F(RulesTest, SettingsStayWithinTheirChoices)
{
    Load();
    CDataItem setting;
    m_model->GetRootItem().GetChildByName(QStringLiteral("setting"), setting);
    struct Case {
        const char* attribute;
        QVariant value;
        qint32 result;
    };
    const Case cases[] = {
        {"speaker_vol_level", 7, kApplied},   {"speaker_vol_level", 8, kRefused},  {"speaker_vol_level", 0, kRefused},
        {"ringer_vol_level", 0, kApplied},    {"backlight", 30000, kApplied},      {"backlight", 25000, kRefused},
        {"tot_timer", 120, kApplied},         {"tot_timer", 100, kRefused},        {"tpt_offset", 14, kRefused},
        {"noise_level_radio", 4, kApplied},   {"noise_level_radio", 5, kRefused},  {"language", 0, kApplied},
        {"language", 3, kRefused},            {"password", QStringLiteral("0420"), kApplied},
        {"password", QStringLiteral("42"), kRefused}, {"password", QString(), kApplied},
        {"current_time", QStringLiteral("2871763200"), kRefused}, {"scan_en", true, kApplied},
    };
    for (const Case& c : cases) {
        const QString attribute = QString::fromLatin1(c.attribute);
        const QString before = Text(setting, attribute);
        EXPECT_EQ(Set(setting, attribute, c.value), c.result) << c.attribute << " " << c.value.toString().toStdString();
        if (c.result == kApplied)
            EXPECT_EQ(setting.GetAttributeValue(attribute).toString(), c.value.toString()) << c.attribute;
        else
            EXPECT_EQ(Text(setting, attribute), before) << c.attribute;
    }
    ExpectReloads();
}

TEST_F(RulesTest, FoldersFollowTheRadiosCapabilities)
{
    Load();
    for (const QString& name : {QStringLiteral("Privates"), QStringLiteral("PrivateGroups"), QStringLiteral("PublicGroups")})
        EXPECT_TRUE(Folder(name).IsEnabled()) << name.toStdString();
    CDataItem messages;
    m_model->GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
    EXPECT_TRUE(messages.IsEnabled());

    QString text = TemplateText(QStringLiteral("KVX30"));
    text.replace(QStringLiteral("sms_mesgs_tx_en=\"1\""), QStringLiteral("sms_mesgs_tx_en=\"0\""));
    text.replace(QStringLiteral("max_num_of_private_grps=\"30\""), QStringLiteral("max_num_of_private_grps=\"0\""));
    Load(text);
    m_model->GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
    EXPECT_FALSE(messages.IsEnabled());
    EXPECT_FALSE(Folder(QStringLiteral("PrivateGroups")).IsEnabled());
    EXPECT_TRUE(Folder(QStringLiteral("Privates")).IsEnabled());
}

// Every message the script can return is in the string table.
TEST_F(RulesTest, ScriptMessagesExist)
{
    const QString script = ReadTextFile(QStringLiteral(KVX_INSTALLATION_DIR "/ProfileTemplate/DataProfile.vbs")).text;
    const QRegularExpression constant(QStringLiteral("Const MSG_\\w+ = (\\d+)"));
    int found = 0;
    for (const auto& match : constant.globalMatch(script)) {
        ++found;
        EXPECT_TRUE(CStringTable::Instance().Has(match.captured(1).toInt())) << match.captured(0).toStdString();
    }
    EXPECT_GT(found, 10);
    EXPECT_FALSE(script.contains(QRegularExpression(QStringLiteral("r1 = \\d"))));   // numbers only through constants
}

}   // namespace
