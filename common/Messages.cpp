#include "Messages.h"

#include "StringTable.h"

#include <QTextStream>
#include <mutex>

namespace kvx {
namespace {
std::mutex g_mutex;
MessageHandler g_handler;
}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler)
{
    std::lock_guard lock(g_mutex);
    std::swap(g_handler, handler);
    return handler;
}

int ShowMessage(const QString& text, unsigned style)
{
    MessageHandler handler;
    {
        std::lock_guard lock(g_mutex);
        handler = g_handler;
    }
    if (handler)
        return handler(text, style);
    QTextStream(stderr) << text << '\n';
    return kIdOk;
}

int ShowMessageId(int id, unsigned style)
{
    return ShowMessage(LoadStr(id), style);
}

}  // namespace kvx
