#pragma once

// Texts a careless or malicious user types or pastes into a field: control
// characters, very long text, right-to-left and combining characters,
// digits where names go, quotes, markup and format directives.

#include <QRandomGenerator>
#include <QString>

inline QString HostileText(QRandomGenerator& random)
{
    static const QString pieces[] = {
        QStringLiteral("Adam"),
        QStringLiteral("12345678"),
        QStringLiteral("0"),
        QStringLiteral("-1"),
        QStringLiteral("99999999999999999999"),
        QStringLiteral("\"quoted\" 'single'"),
        QStringLiteral("<b>bold</b>&amp;&lt;&#0;"),
        QStringLiteral("]]><!-- -->"),
        QStringLiteral("%s%d%n%%%1"),
        QStringLiteral("\\path\\to"),
        QStringLiteral("שלום עולם"),
        QStringLiteral("مرحبا"),
        QStringLiteral("\u202Eevil\u202C\u200F"),
        QStringLiteral("e\u0301\u0308\u0327a\u0351\u0352\u0353"),
        QStringLiteral("Ä Ö Ü ß é ñ"),
        QStringLiteral("\U0001F600\U0001F4FB"),
        QStringLiteral("\uFEFF\u200B\u2028\u0085"),
        QStringLiteral("   "),
        QString(),
    };
    constexpr int pieceCount = int(std::size(pieces));
    QString text;
    const int parts = 1 + random.bounded(3);
    for (int i = 0; i < parts; ++i) {
        switch (random.bounded(6)) {
        case 0: {
            // Control characters, the NUL included.
            const int n = 1 + random.bounded(4);
            for (int k = 0; k < n; ++k)
                text += QChar(char16_t(random.bounded(32)));
            text += QChar(char16_t(0x7F));
            break;
        }
        case 1:
            // Far longer than any field allows.
            text += QString(300 + random.bounded(4000), QChar(u'A' + random.bounded(26)));
            break;
        default:
            text += pieces[random.bounded(pieceCount)];
            break;
        }
    }
    return text;
}
