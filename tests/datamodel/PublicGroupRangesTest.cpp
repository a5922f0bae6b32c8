// The public group ID blocks read from the limit element.

#include "ModelTestSupport.h"
#include "PublicGroupIds.h"

namespace {

class PublicGroupRangesTest : public ModelTest {
protected:
    PublicGroupBlock RangeOf(const QString& start, int size)
    {
        QString text = TemplateText(QStringLiteral("KVX30"));
        text.replace(QStringLiteral("public_grp_info_start_pid2=\"0\""), QStringLiteral("public_grp_info_start_pid2=\"%1\"").arg(start));
        text.replace(QStringLiteral("public_grp_info_lst_size2=\"0\""), QStringLiteral("public_grp_info_lst_size2=\"%1\"").arg(size));
        auto model = NewModel();
        EXPECT_TRUE(model->LoadProfile(text, false));
        return model->GetPublicGroupRanges()[2];
    }
};

TEST_F(PublicGroupRangesTest, PositionsOfEachBlock)
{
    struct Case {
        const char* start;
        int size;
        int first;
        int last;
    } cases[] = {
        {"0", 10, 2, 11},                   // low block from 0
        {"10000001", 10, 1298, 1307},      // continues the count below 10000001
        {"9999999", 5, 1300, 1304},
        {"20000000", 10, 0, -1},           // a private ID: no block
        {"17179869183", 100, 1, 100},      // the top of the ID space is position 1
        {"17179869083", 50, 101, 150},
        {"17179867884", 10, 0, -1},        // w reaches 1297: no block
        {"17179869183", 0, 0, -1},         // empty block
    };
    for (const Case& c : cases) {
        const PublicGroupBlock range = RangeOf(QLatin1String(c.start), c.size);
        EXPECT_EQ(range.first, c.first) << c.start;
        EXPECT_EQ(range.last, c.last) << c.start;
        EXPECT_EQ(range.size, c.size) << c.start;
        EXPECT_EQ(range.startId, QLatin1String(c.start));
    }
}

TEST_F(PublicGroupRangesTest, TemplateBlocks)
{
    auto model = NewModel();
    ASSERT_TRUE(model->LoadProfile(TemplatePath(QStringLiteral("KVX35")), true));
    const auto& ranges = model->GetPublicGroupRanges();
    EXPECT_EQ(ranges[0].first, 1);
    EXPECT_EQ(ranges[0].last, 100);
    EXPECT_EQ(ranges[1].first, 101);
    EXPECT_EQ(ranges[1].last, 150);
    EXPECT_EQ(ranges[3].last, -1);
}

}  // namespace

namespace {

PublicGroupBlock Bank(int first, int last, const char* start)
{
    PublicGroupBlock bank;
    bank.first = first;
    bank.last = last;
    bank.size = last - first + 1;
    bank.startId = QLatin1String(start);
    return bank;
}

TEST(PublicGroupIdsTest, DisplayNumbersCountDownFromEachBanksStart)
{
    const PublicGroupBanks banks = {Bank(1, 100, "17179869183"), Bank(1298, 1307, "10000001"), PublicGroupBlock(),
                                    PublicGroupBlock()};
    EXPECT_EQ(PublicGroupPid(banks, 1), QStringLiteral("17179869183"));
    EXPECT_EQ(PublicGroupPid(banks, 3), QStringLiteral("17179869181"));
    EXPECT_EQ(PublicGroupPid(banks, 100), QStringLiteral("17179869084"));
    EXPECT_EQ(PublicGroupPid(banks, 1300), QStringLiteral("9999999"));
    EXPECT_EQ(PublicGroupPid(banks, 101), QString());
    EXPECT_EQ(PublicGroupDisplayNumber(banks, QStringLiteral("17179869181")), 3);
    EXPECT_EQ(PublicGroupDisplayNumber(banks, QStringLiteral("9999999")), 1300);
    EXPECT_EQ(PublicGroupDisplayNumber(banks, QStringLiteral("17179869083")), -1);
    EXPECT_EQ(PublicGroupDisplayNumber(banks, QStringLiteral("30000001")), -1);
}

TEST(PublicGroupIdsTest, BanksStartingInsideOrBelowAnEarlierBankAreFound)
{
    const auto check = [](int f0, int l0, int f1, int l1) {
        return CheckPublicGroupBanks({Bank(f0, l0, "17179869183"), Bank(f1, l1, "17179869000"), PublicGroupBlock(),
                                      PublicGroupBlock()});
    };
    EXPECT_TRUE(check(1, 100, 50, 150).duplicateIds);
    EXPECT_TRUE(check(1, 100, 50, 150).incorrect);
    EXPECT_FALSE(check(1, 100, 100, 150).duplicateIds);
    EXPECT_FALSE(check(1, 100, 100, 150).incorrect);
    EXPECT_FALSE(check(200, 300, 1, 100).duplicateIds);
    EXPECT_TRUE(check(200, 300, 1, 100).incorrect);
    // An absent bank is not compared.
    EXPECT_FALSE(CheckPublicGroupBanks({Bank(1, 100, "17179869183"), PublicGroupBlock(), PublicGroupBlock(),
                                        PublicGroupBlock()}).incorrect);
}

}  // namespace
