#include "MessageFormat.h"

#include <QRegularExpression>

QString FormatMessage(const QString& format, const QStringList& args)
{
    static const QRegularExpression placeholder(QStringLiteral("%[sd]"));
    QString text;
    qsizetype from = 0;
    int next = 0;
    for (auto it = placeholder.globalMatch(format); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        text += format.mid(from, match.capturedStart() - from);
        text += next < args.size() ? args.at(next++) : match.captured();
        from = match.capturedEnd();
    }
    return text + format.mid(from);
}
