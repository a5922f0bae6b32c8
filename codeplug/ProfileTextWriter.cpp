#include "ProfileTextWriter.h"

void ProfileTextWriter::Number(quint64 value)
{
    char digits[20];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0)
        m_out.append(QLatin1Char(digits[--n]));
}

void ProfileTextWriter::Escaped(const QString& text)
{
    // One pass is the same as replacing & first and then < > ": no entity
    // produced here is ever escaped again.
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&': m_out.append(QLatin1StringView("&amp;")); break;
        case u'<': m_out.append(QLatin1StringView("&lt;")); break;
        case u'>': m_out.append(QLatin1StringView("&gt;")); break;
        case u'"': m_out.append(QLatin1StringView("&quot;")); break;
        default: m_out.append(c); break;
        }
    }
}

void ProfileTextWriter::Attribute(QLatin1StringView prefix, QLatin1StringView name, quint64 value)
{
    m_out.append(prefix);
    m_out.append(name);
    m_out.append(QLatin1StringView("=\""));
    Number(value);
    m_out.append(QLatin1Char('"'));
}

void ProfileTextWriter::Attribute(QLatin1StringView prefix, QLatin1StringView name, const QString& text)
{
    m_out.append(prefix);
    m_out.append(name);
    m_out.append(QLatin1StringView("=\""));
    Escaped(text);
    m_out.append(QLatin1Char('"'));
}
