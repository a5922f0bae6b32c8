#include "MessageScript.h"

#include "StringTable.h"

#include <QRegularExpression>
#include <span>

namespace kvx {

CMessageScript& CMessageScript::Expect(int messageId, int answer)
{
    m_expected.push_back({messageId, LoadStr(messageId), answer});
    return *this;
}

CMessageScript& CMessageScript::ExpectText(const QString& text, int answer)
{
    m_expected.push_back({std::nullopt, text, answer});
    return *this;
}

bool CMessageScript::MatchesTemplate(const QString& text, const QString& pattern)
{
    if (text == pattern)
        return true;
    if (!pattern.contains(QLatin1Char('%')))
        return false;
    QString expression;
    static const QRegularExpression placeholder(QStringLiteral("%(-?[0-9]*)([ds%])"));
    qsizetype last = 0;
    for (auto it = placeholder.globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        expression += QRegularExpression::escape(pattern.mid(last, m.capturedStart() - last));
        const QChar kind = m.captured(2).at(0);
        expression += kind == QLatin1Char('d') ? QStringLiteral("\\s*-?[0-9]+") : kind == QLatin1Char('s') ? QStringLiteral(".*") : QStringLiteral("%");
        last = m.capturedEnd();
    }
    expression += QRegularExpression::escape(pattern.mid(last));
    const QRegularExpression full(QRegularExpression::anchoredPattern(expression),
                                  QRegularExpression::DotMatchesEverythingOption);
    return full.match(text).hasMatch();
}

CMessageScript& CMessageScript::AnswerAtRandom(quint64 seed)
{
    m_random.emplace(seed);
    return *this;
}

int CMessageScript::Handle(const QString& text, unsigned style)
{
    m_shown << text;
    if (!m_expected.empty() && MatchesTemplate(text, m_expected.front().text)) {
        const int answer = m_expected.front().answer;
        m_expected.pop_front();
        return answer;
    }
    if (m_random) {
        static constexpr int kOk[] = {kIdOk};
        static constexpr int kOkCancel[] = {kIdOk, kIdCancel};
        static constexpr int kYesNoCancel[] = {kIdYes, kIdNo, kIdCancel};
        static constexpr int kYesNo[] = {kIdYes, kIdNo};
        const std::span<const int> buttons = [&]() -> std::span<const int> {
            switch (style & 0x0F) {
            case kMbOkCancel:
                return kOkCancel;
            case kMbYesNoCancel:
                return kYesNoCancel;
            case kMbYesNo:
                return kYesNo;
            default:
                return kOk;
            }
        }();
        return buttons[m_random->bounded(quint32(buttons.size()))];
    }
    m_unexpected << text;
    switch (style & 0x0F) {
    case kMbOk:
        return kIdOk;
    case kMbYesNo:
        return kIdNo;
    default:
        return kIdCancel;
    }
}

MessageHandler CMessageScript::Handler()
{
    return [this](const QString& text, unsigned style) { return Handle(text, style); };
}

QStringList CMessageScript::Pending() const
{
    QStringList pending;
    for (const Entry& entry : m_expected)
        pending << (entry.id ? QStringLiteral("%1: %2").arg(*entry.id).arg(entry.text) : entry.text);
    return pending;
}

}  // namespace kvx
