#pragma once

#include "RadioLink.h"

// One operation per radio command. Each returns 1 when the radio accepted the
// command with the expected reply letter, and stores the reply's data-byte
// count (reply letter included) in `count`; otherwise a negative result code
// (see RadioResult.h), or in one case a positive count (see MapReplyError).
class RadioProtocol : public RadioLink {
public:
    enum Opcode : quint8 {
        kReadVersion = 0x25,
        kOpenLink = 0x26,
        kReadRadioInfo = 0x27,
        kReadSettings = 0x28,
        kWriteSettings = 0x29,
        kReadGroupRanges = 0x2A,
        kReadContact = 0x30,
        kWriteContact = 0x31,
        kReadTextMessage = 0x32,
        kWriteTextMessage = 0x33,
        kEndWrite = 0x36,
        kResetRadio = 0x37,
        kStartPrivateIdRead = 0x38,
        kPollPrivateId = 0x39,
    };

    using RadioLink::RadioLink;

    // Classifies a reply that was not the expected one.
    static int MapReplyError(int result, quint8 ack, const quint8* data);

    int ReadVersion(ReplyBuffer& reply, quint8& count);
    int OpenLink(ReplyBuffer& reply, quint8& count);
    int ReadRadioInfo(ReplyBuffer& reply, quint8& count);
    int ReadSettings(ReplyBuffer& reply, quint8& count);
    int WriteSettings(const quint8* payload, int length, ReplyBuffer& reply, quint8& count);
    int ReadGroupRanges(ReplyBuffer& reply, quint8& count);
    int ReadContact(quint8 index, quint8 total, ReplyBuffer& reply, quint8& count);
    // payload: index, total, then the contact record (or nothing for an empty table)
    int WriteContact(const quint8* payload, int length, ReplyBuffer& reply, quint8& count);
    int ReadTextMessage(quint8 index, quint8 total, ReplyBuffer& reply, quint8& count);
    // payload: slot number, total, then the radio text with its zero byte
    int WriteTextMessage(const quint8* payload, int length, ReplyBuffer& reply, quint8& count);
    int EndWrite(ReplyBuffer& reply, quint8& count);
    int ResetRadio(ReplyBuffer& reply, quint8& count);
    int StartPrivateIdRead(ReplyBuffer& reply, quint8& count);
    int PollPrivateId(ReplyBuffer& reply, quint8& count);

    // The exchange behind every operation: opcode and payload out, reply
    // checked for acknowledge and letter (and, when statusByte >= 0, for that
    // status in data byte 1).
    int Command(quint8 opcode, const quint8* payload, int length, quint8 letter, int statusByte, bool longWait,
                ReplyBuffer& reply, quint8& count);
};
