#include "RadioText.h"

#include <limits>

QString WidenRadioText(const quint8* bytes, int length)
{
    QString text;
    if (!bytes || length <= 0)
        return text;
    text.resize(length);
    QChar* out = text.data();
    for (int i = 0; i < length; ++i)
        out[i] = QChar(static_cast<ushort>(bytes[i]));
    return text;
}

bool IsRadioText(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() == 0 || c.unicode() > 0xFF)
            return false;
    }
    return true;
}

qint64 RadioIdValue(const QString& id)
{
    const QChar* p = id.constData();
    const QChar* end = p + id.size();
    while (p < end && (*p == u' ' || *p == u'\t' || *p == u'\n' || *p == u'\r' || *p == u'\v' || *p == u'\f'))
        ++p;
    bool negative = false;
    if (p < end && (*p == u'+' || *p == u'-')) {
        negative = *p == u'-';
        ++p;
    }
    // Accumulate toward the sign so that the lowest value saturates too.
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (; p < end && *p >= u'0' && *p <= u'9'; ++p) {
        const int digit = p->unicode() - u'0';
        if (!negative) {
            if (value > (kMax - digit) / 10)
                return kMax;
            value = value * 10 + digit;
        } else {
            if (value < (kMin + digit) / 10)
                return kMin;
            value = value * 10 - digit;
        }
    }
    return value;
}
