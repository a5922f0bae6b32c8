#include "ScriptedMessages.h"

#include "Messages.h"
#include "StringTable.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

void ScriptedMessages::Expect(int id, int answer)
{
    const QString text = LoadStr(id);
    // Placeholders match any text ("%s") or number ("%d").
    QString pattern;
    static const QRegularExpression placeholder(QStringLiteral("%[sd]"));
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        pattern += QRegularExpression::escape(text.mid(from, match.capturedStart() - from));
        pattern += match.captured() == QLatin1String("%s") ? QStringLiteral("[\\s\\S]*") : QStringLiteral("-?\\d+");
        from = match.capturedEnd();
    }
    pattern += QRegularExpression::escape(text.mid(from));
    m_expected.push_back({QLatin1Char('^') + pattern + QLatin1Char('$'), QStringLiteral("[%1] ").arg(id) + text, answer});
}

void ScriptedMessages::ExpectText(const QString& text, int answer)
{
    m_expected.push_back({QLatin1Char('^') + QRegularExpression::escape(text) + QLatin1Char('$'), text, answer});
}

int ScriptedMessages::Show(const QString& text, unsigned style)
{
    m_shown << text;
    m_styles << style;
    if (m_expected.empty() || !QRegularExpression(m_expected.front().pattern).match(text).hasMatch()) {
        ADD_FAILURE() << "unexpected message: " << text.toStdString()
                      << (m_expected.empty() ? std::string() : "\n  expected: " + m_expected.front().display.toStdString());
        return kvx::kIdCancel;
    }
    const int answer = m_expected.front().answer;
    m_expected.pop_front();
    return answer;
}

QString ScriptedMessages::Pending() const
{
    QStringList pending;
    for (const Expected& expected : m_expected)
        pending << expected.display;
    return pending.join(QLatin1Char('\n'));
}
