#pragma once

#include "Messages.h"

#include <QString>
#include <QStringList>
#include <QRandomGenerator>
#include <deque>
#include <optional>

namespace kvx {

// A script of the messages a test expects, in order, each with the answer
// the user gives. Any other message is recorded as unexpected and answered
// Cancel (No for Yes/No, OK for OK), so that a test fails instead of waiting
// for a user. Usable as a message handler wherever one is installed.
// In the random mode (for soak tests) a message that is not expected gets
// any answer its buttons allow, drawn from a seeded generator, and is not
// counted as unexpected.
class CMessageScript {
public:
    // The string-table text of a message number; texts with %d or %s
    // match whatever was filled in.
    CMessageScript& Expect(int messageId, int answer = kIdOk);
    CMessageScript& ExpectText(const QString& text, int answer = kIdOk);

    // Answers unexpected messages at random from now on; the same seed
    // gives the same answers.
    CMessageScript& AnswerAtRandom(quint64 seed);

    // Answers a shown message.
    int Handle(const QString& text, unsigned style);
    MessageHandler Handler();

    // Messages shown that the script did not expect at that point.
    const QStringList& Unexpected() const { return m_unexpected; }
    // Expected messages that were never shown.
    QStringList Pending() const;
    // Every message shown, expected or not.
    const QStringList& Shown() const { return m_shown; }

    // True when a text matches a string-table template (%d, %s, %%).
    static bool MatchesTemplate(const QString& text, const QString& pattern);

private:
    struct Entry {
        std::optional<int> id;
        QString text;
        int answer;
    };
    std::deque<Entry> m_expected;
    QStringList m_unexpected;
    QStringList m_shown;
    std::optional<QRandomGenerator> m_random;
};

}  // namespace kvx
