#include "ProfileValues.h"

#include <QStringList>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

}  // namespace

quint32 ProfileNumber(const QString& text)
{
    const QChar* p = text.constData();
    const QChar* end = p + text.size();
    while (p < end && IsBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == u'+' || *p == u'-')) {
        negative = *p == u'-';
        ++p;
    }
    quint32 value = 0;   // unsigned arithmetic wraps, keeping the low bits
    for (; p < end && *p >= u'0' && *p <= u'9'; ++p)
        value = value * 10u + quint32(p->unicode() - u'0');
    return negative ? 0u - value : value;
}

bool ProfileBoolean(const QString& text, bool* ok)
{
    const QString t = text.trimmed();
    *ok = true;
    if (t.compare(QLatin1StringView("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1StringView("false"), Qt::CaseInsensitive) == 0)
        return false;
    const double number = t.toDouble(ok);
    return *ok && number != 0.0;
}

QString XPathLiteral(const QString& text)
{
    if (!text.contains(u'"'))
        return u'"' + text + u'"';
    if (!text.contains(u'\''))
        return u'\'' + text + u'\'';
    // Both quote kinds: concat("a", '"', "b", ...).
    QStringList parts;
    const QStringList pieces = text.split(u'"');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            parts << QStringLiteral("'\"'");
        if (!pieces[i].isEmpty())
            parts << u'"' + pieces[i] + u'"';
    }
    return QStringLiteral("concat(") + parts.join(u',') + u')';
}
