#pragma once

// Appends the pieces of a written profile to one string: raw text, escaped
// text and attributes, with the line breaks the profile text uses.

#include <QLatin1StringView>
#include <QString>

class ProfileTextWriter {
public:
    explicit ProfileTextWriter(QString& out) : m_out(out) {}

    static constexpr QLatin1StringView kBreak{"\r\n\t"};   // CR LF TAB before an attribute

    void Raw(QLatin1StringView text) { m_out.append(text); }
    void Raw(QChar c) { m_out.append(c); }
    void Number(quint64 value);
    // Appends text with & < > and " replaced by their entity references.
    void Escaped(const QString& text);

    // prefix name="value"
    void Attribute(QLatin1StringView prefix, QLatin1StringView name, quint64 value);
    void Attribute(QLatin1StringView prefix, QLatin1StringView name, const QString& text);
    // CR LF TAB name="value"
    void Attribute(QLatin1StringView name, quint64 value) { Attribute(kBreak, name, value); }
    void Attribute(QLatin1StringView name, const QString& text) { Attribute(kBreak, name, text); }
    // CR LF TAB name="0|1" from one bit of a word.
    void Flag(QLatin1StringView name, quint32 word, int bit) { Attribute(name, (word >> bit) & 1u); }

private:
    QString& m_out;
};
