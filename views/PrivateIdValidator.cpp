#include "PrivateIdValidator.h"

CPrivateIdValidator::CPrivateIdValidator(QObject* parent) : QValidator(parent)
{
}

void CPrivateIdValidator::SetLimits(const QString& first, const QString& last)
{
    m_strFirst = first.trimmed();
    m_strLast = last.trimmed();
    bool firstValid = false;
    m_nFirst = m_strFirst.toULongLong(&firstValid);
    m_nLast = m_strLast.toULongLong(&m_bLastValid);
    if (!firstValid)
        m_nFirst = 0;
}

bool CPrivateIdValidator::LimitsBroken() const
{
    return m_strFirst != m_strLast && m_bLastValid && m_nLast < m_nFirst;
}

QValidator::State CPrivateIdValidator::validate(QString& input, int& pos) const
{
    QString digits;
    digits.reserve(input.size());
    int caret = pos;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        const bool keep = c >= QLatin1Char('0') && c <= QLatin1Char('9') && !(digits.isEmpty() && c == QLatin1Char('0'));
        if (keep)
            digits += c;
        else if (i < pos)
            --caret;
    }
    input = digits;
    pos = caret;
    if (digits.isEmpty() || !m_bLastValid || LimitsBroken() || digits == m_strFirst || digits == m_strLast)
        return Acceptable;
    bool fits = false;
    const quint64 value = digits.toULongLong(&fits);
    return fits && value <= m_nLast ? Acceptable : Invalid;
}
