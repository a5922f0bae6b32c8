// The public group ID blocks of a profile, numbered as the public group
// view shows them: IDs count downward from 17179869183 (position 1), and a
// block at or below 10000001 continues that count from position 1298.

#include "RadioDataModel.h"

#include "ValueConversion.h"

#include <cstdlib>

namespace {

const qint64 kLowBlockEnd = 10000001;
const qint64 kHighBlockStart = 17179867884;   // 0x3FFFFFAEC
const qint64 kHighBlockEnd = 17179869183;     // 0x3FFFFFFFF

// Leading blanks, a sign, then the leading decimal digits; none reads as 0.
qint64 LeadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        if (value > (INT64_MAX - 9) / 10)
            break;
        value = value * 10 + (text.at(i).unicode() - '0');
    }
    return negative ? -value : value;
}

}  // namespace

void CRadioDataModel::ReadPublicGroupRanges()
{
    CDataItem limit;
    m_rootItem.GetChildByName(QStringLiteral("limit"), limit);
    for (int i = 0; i < 4; ++i) {
        PublicGroupBlock range;
        range.size = VariantToInt32(limit.GetAttributeValue(QStringLiteral("public_grp_info_lst_size%1").arg(i))).value_or(0);
        range.startId = limit.GetAttributeValue(QStringLiteral("public_grp_info_start_pid%1").arg(i)).toString();
        const qint64 start = LeadingNumber(range.startId);
        const bool lowBlock = start >= 0 && start <= kLowBlockEnd;
        const bool highBlock = start >= kHighBlockStart && start <= kHighBlockEnd;
        if (range.size > 0 && (lowBlock || highBlock)) {
            const qint32 low = static_cast<qint32>(static_cast<quint32>(start) + 1u);
            const qint64 w = std::llabs(static_cast<qint64>(low));
            if (w < 1297) {
                range.first = static_cast<qint32>(w + 1);
                range.last = static_cast<qint32>(range.size + w);
            } else if (start <= kLowBlockEnd) {
                range.first = static_cast<qint32>(std::llabs(start - kLowBlockEnd) + 1298);
                range.last = range.first + range.size - 1;
            }
        }
        m_publicGroupRanges[static_cast<size_t>(i)] = range;
    }
}
