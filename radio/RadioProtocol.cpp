#include "RadioProtocol.h"

#include "RadioResult.h"

int RadioProtocol::MapReplyError(int result, quint8 ack, const quint8* data)
{
    if (result == -1)
        return kResultPortError;
    if (result == -2)
        return kResultMessageCompose;
    if (result == 0)
        return kResultNoConnection;
    if (ack == 0x8C)
        return data[0] == 0 ? kResultOldFirmware : kResultInvalidOpcode;
    if (ack != RadioLink::kAck)
        return kResultInvalidOpcode;
    if (data[0] == 'Q') {
        if (data[2] == 0xFD)
            return kResultResetFirst;
        if (data[2] == 0xFE)
            return kResultBusy;
        return kResultOperationFailed;
    }
    if (data[0] == 'S') {
        switch (data[1]) {
        case 1: return kResultTimedOut;
        case 4: return kResultUnsupportedOperation;
        case 2: return result;
        default: return kResultOperationFailed;
        }
    }
    return kResultUnsupportedCommand;
}

int RadioProtocol::Command(quint8 opcode, const quint8* payload, int length, quint8 letter, int statusByte,
                           bool longWait, ReplyBuffer& reply, quint8& count)
{
    quint8 frame[kMaxFrame];
    const int frameLength = BuildFrame(kRadioAddress, opcode, payload, length, frame);
    // Bytes a short reply does not carry read as zero, never as the remains
    // of an earlier reply.
    reply.fill(0);
    quint8 ack = 0;
    const int result = Transact(frame, frameLength, ack, reply.data(), longWait);
    if (result > 0 && ack == kAck && reply[0] == letter && (statusByte < 0 || reply[1] == statusByte)) {
        count = quint8(result);
        return kResultOk;
    }
    return MapReplyError(result, ack, reply.data());
}

int RadioProtocol::ReadVersion(ReplyBuffer& reply, quint8& count)
{
    return Command(kReadVersion, nullptr, 0, 'E', -1, false, reply, count);
}

int RadioProtocol::OpenLink(ReplyBuffer& reply, quint8& count)
{
    return Command(kOpenLink, nullptr, 0, 'P', -1, false, reply, count);
}

int RadioProtocol::ReadRadioInfo(ReplyBuffer& reply, quint8& count)
{
    return Command(kReadRadioInfo, nullptr, 0, 'F', -1, false, reply, count);
}

int RadioProtocol::ReadSettings(ReplyBuffer& reply, quint8& count)
{
    return Command(kReadSettings, nullptr, 0, 'G', -1, false, reply, count);
}

int RadioProtocol::WriteSettings(const quint8* payload, int length, ReplyBuffer& reply, quint8& count)
{
    return Command(kWriteSettings, payload, length, 'P', -1, false, reply, count);
}

int RadioProtocol::ReadGroupRanges(ReplyBuffer& reply, quint8& count)
{
    return Command(kReadGroupRanges, nullptr, 0, 'T', -1, false, reply, count);
}

int RadioProtocol::ReadContact(quint8 index, quint8 total, ReplyBuffer& reply, quint8& count)
{
    const quint8 payload[2] = {index, total};
    return Command(kReadContact, payload, 2, 'H', -1, false, reply, count);
}

int RadioProtocol::WriteContact(const quint8* payload, int length, ReplyBuffer& reply, quint8& count)
{
    return Command(kWriteContact, payload, length, 'P', -1, false, reply, count);
}

int RadioProtocol::ReadTextMessage(quint8 index, quint8 total, ReplyBuffer& reply, quint8& count)
{
    const quint8 payload[2] = {index, total};
    return Command(kReadTextMessage, payload, 2, 'I', -1, false, reply, count);
}

int RadioProtocol::WriteTextMessage(const quint8* payload, int length, ReplyBuffer& reply, quint8& count)
{
    return Command(kWriteTextMessage, payload, length, 'P', -1, false, reply, count);
}

int RadioProtocol::EndWrite(ReplyBuffer& reply, quint8& count)
{
    return Command(kEndWrite, nullptr, 0, 'P', -1, true, reply, count);
}

int RadioProtocol::ResetRadio(ReplyBuffer& reply, quint8& count)
{
    return Command(kResetRadio, nullptr, 0, 'P', -1, false, reply, count);
}

int RadioProtocol::StartPrivateIdRead(ReplyBuffer& reply, quint8& count)
{
    return Command(kStartPrivateIdRead, nullptr, 0, 'S', -1, false, reply, count);
}

int RadioProtocol::PollPrivateId(ReplyBuffer& reply, quint8& count)
{
    return Command(kPollPrivateId, nullptr, 0, 'S', 2, false, reply, count);
}
