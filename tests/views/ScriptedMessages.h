#pragma once

// A message sink for the views' tests: the messages a test expects, in
// order, each with its answer. Any other message fails the test and is
// answered Cancel.

#include <QString>
#include <QStringList>
#include <deque>

class ScriptedMessages {
public:
    // Expects the string-table text of id; its "%s"/"%d" match any text.
    void Expect(int id, int answer = 1);
    void ExpectText(const QString& text, int answer = 1);

    int Show(const QString& text, unsigned style);

    // Every expected message was shown.
    bool Done() const { return m_expected.empty(); }
    QString Pending() const;
    const QStringList& Shown() const { return m_shown; }
    const QList<unsigned>& Styles() const { return m_styles; }

private:
    struct Expected {
        QString pattern;   // a regular expression
        QString display;
        int answer;
    };
    std::deque<Expected> m_expected;
    QStringList m_shown;
    QList<unsigned> m_styles;
};
