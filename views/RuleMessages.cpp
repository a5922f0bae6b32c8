#include "RuleMessages.h"

#include "StringTable.h"

#include <QRegularExpression>

namespace {

constexpr int kMaxNameLength = 20;
constexpr int kMaxMessageLength = 80;

}  // namespace

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

QString RuleMessageText(int id)
{
    switch (id) {
    case 165:
        return FormatMessage(LoadStr(id), {QString::number(kMaxNameLength)});
    case 201:
        return FormatMessage(LoadStr(id), {QString::number(kMaxMessageLength)});
    default:
        return LoadStr(id);
    }
}
