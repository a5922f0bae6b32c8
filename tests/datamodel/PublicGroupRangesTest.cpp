// The public group ID blocks read from the limit element.

#include "ModelTestSupport.h"

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
