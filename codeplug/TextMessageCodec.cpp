#include "TextMessageCodec.h"

#include "CodecResult.h"
#include "PayloadCursor.h"
#include "VirtualCP.h"

int ParseTextMessage(QString& message, const quint8* payload, int size)
{
    PayloadReader in(payload, size);
    QString parsed;
    if (!in.ReadString(kMaxTextMessageLength, parsed))
        return kCodecPayloadTruncated;
    message = parsed;
    return kCodecOk;
}

int BuildTextMessage(const QString& message, quint8* out, int capacity, int* written)
{
    PayloadWriter w(out, capacity);
    w.WriteString(message);
    return w.Finish(written);
}
