#include "Transfers.h"

#include "ContactCodec.h"
#include "RadioInfoCodec.h"
#include "RadioResult.h"
#include "SettingsCodec.h"
#include "TextMessageCodec.h"

#include <algorithm>
#include <array>

namespace {

using Payload = std::array<quint8, RadioLink::kMaxPayload>;

// The table loop of a read: ask for the number after the last one received
// until the radio reports an empty table or a number beyond its total (or
// beyond the image). store(k, record, size) decodes record number k.
template <typename Read, typename Store>
bool ReadTable(CTransferFrame& frame, int limit, Read read, Store store)
{
    int index = 0;
    int total = 0;
    while (index <= total) {
        if (!frame.Proceed())
            return false;
        const int result = read(quint8(index), quint8(total));
        if (result != kResultOk) {
            frame.Fail(result);
            return false;
        }
        const auto& reply = frame.Reply();
        const int k = frame.Count() > 1 ? reply[1] : 0;
        total = frame.Count() > 2 ? reply[2] : 0;
        if (total == 0 || k == 0 || k > limit || k > total)
            break;
        const int decoded = store(k, reply.data() + 3, std::max(0, frame.Count() - 3));
        if (decoded != 1) {
            frame.Fail(decoded);
            return false;
        }
        index = k + 1;
    }
    return true;
}

// Builds header bytes and record into payload; the record's build result,
// and the payload length in *length.
template <typename Build>
int BuildRecord(Payload& payload, quint8 number, quint8 total, Build build, int* length)
{
    payload[0] = number;
    payload[1] = total;
    int written = 0;
    const int result = build(payload.data() + 2, int(payload.size()) - 2, &written);
    *length = 2 + written;
    return result;
}

} // namespace

bool ReadCodeplugTransfer(VirtualCP& target, const QString& portName)
{
    CTransferFrame frame(portName);
    RadioProtocol& protocol = frame.Protocol();
    VirtualCP result;
    VirtualCP scratch;

    Handshake(frame, result);
    if (!frame.Proceed())
        return false;
    frame.Progress(20);

    int code = protocol.ReadRadioInfo(frame.Reply(), frame.Count());
    if (code == kResultOk)
        code = ParseRadioInfo(scratch.radioInfo, frame.Payload(), frame.PayloadSize());
    if (code == kResultOk && !scratch.radioInfo.IsCloneCompatible(quint8(frame.State().ExpectedCloneLevel())))
        code = kResultUnsupportedModel;
    if (code != kResultOk) {
        frame.Fail(code);
        return false;
    }
    result.radioInfo = scratch.radioInfo;

    if (!frame.Proceed())
        return false;
    if (result.version.SupportsGroupRanges()) {
        code = protocol.ReadGroupRanges(frame.Reply(), frame.Count());
        if (code == kResultOk)
            code = ParseGroupRangeList(result.radioInfo, frame.Payload(), frame.PayloadSize());
        if (code != kResultOk) {
            frame.Fail(code);
            return false;
        }
    } else {
        result.radioInfo.ResetGroupRanges();
    }

    if (!frame.Proceed())
        return false;
    frame.Progress(40);
    code = protocol.ReadSettings(frame.Reply(), frame.Count());
    if (code == kResultOk)
        code = ParseRadioSettings(result.settings, frame.Payload(), frame.Count() - 2, frame.PayloadSize());
    if (code != kResultOk) {
        frame.Fail(code);
        return false;
    }
    frame.Progress(60);

    const bool contactsRead = ReadTable(
        frame, kMaxContacts,
        [&](quint8 i, quint8 n) { return protocol.ReadContact(i, n, frame.Reply(), frame.Count()); },
        [&](int k, const quint8* record, int size) { return ParseContactRecord(result.contacts[size_t(k - 1)], record, size); });
    if (!contactsRead)
        return false;
    result.RepairGroupReferences();
    frame.Progress(80);

    const bool messagesRead = ReadTable(
        frame, kMaxTextMessages,
        [&](quint8 i, quint8 n) { return protocol.ReadTextMessage(i, n, frame.Reply(), frame.Count()); },
        [&](int k, const quint8* text, int size) { return ParseTextMessage(result.textMessages[size_t(k - 1)], text, size); });
    if (!messagesRead || !frame.Proceed())
        return false;

    result.ApplyOwnRoleFlags();
    target = result;
    frame.Done();
    return true;
}

bool WriteCodeplugTransfer(const VirtualCP& source, const QString& portName, bool* radioChanged)
{
    if (radioChanged)
        *radioChanged = false;
    CTransferFrame frame(portName);
    RadioProtocol& protocol = frame.Protocol();
    CTransferState& state = frame.State();
    VirtualCP working = source;
    VirtualCP scratch;
    working.CountEntries();

    Handshake(frame, working);
    if (!frame.Proceed())
        return false;
    frame.Progress(20);

    int code = protocol.ReadRadioInfo(frame.Reply(), frame.Count());
    if (code == kResultOk)
        code = ParseRadioInfo(scratch.radioInfo, frame.Payload(), frame.PayloadSize());
    const int expected = state.ExpectedCloneLevel();
    if (code == kResultOk
        && (!scratch.radioInfo.IsCloneCompatible(quint8(expected))
            || (expected == 20 && !working.radioInfo.ModelMatches(scratch.radioInfo.model))))
        code = kResultUnsupportedModel;
    if (code != kResultOk) {
        frame.Fail(code);
        return false;
    }
    const RadioInfo& radio = scratch.radioInfo;

    if (!frame.Proceed())
        return false;
    if (working.CheckAgainstRadio(radio))
        state.AskQuestion(-2);
    if (!frame.Proceed())
        return false;
    if (working.IsOwnIdMissing(radio))
        state.AskQuestion(-1);
    if (!frame.Proceed())
        return false;
    working.radioInfo = radio;

    frame.Progress(40);
    working.CollectOwnRoleFlags(working.radioInfo.pid);
    Payload payload{};
    int length = 0;
    code = BuildRadioSettings(working.settings, payload.data(), int(payload.size()), &length);
    // A record that could not be built is never sent in part.
    if (code == kResultOk)
        code = protocol.WriteSettings(payload.data(), length, frame.Reply(), frame.Count());
    if (code != kResultOk) {
        frame.Fail(code);
        return false;
    }
    // From here on the radio's old content is partly replaced.
    if (radioChanged)
        *radioChanged = true;
    frame.Progress(60);

    // Contacts kind by kind, one running number across the kinds, each kind
    // within the radio's capacity for it.
    const int total = std::min<int>(radio.max_num_of_contacts, working.contactCount);
    if (total == 0) {
        if (!frame.Proceed())
            return false;
        payload[0] = payload[1] = 0;
        code = protocol.WriteContact(payload.data(), 2, frame.Reply(), frame.Count());
        if (code != kResultOk) {
            frame.Fail(code);
            return false;
        }
    } else {
        const std::array<std::pair<quint8, int>, 3> kinds{{{kContactPrivateGroup, radio.max_num_of_private_grps},
                                                          {kContactPublicGroup, radio.max_num_of_public_grps},
                                                          {kContactPrivate, radio.max_num_of_contacts}}};
        int number = 1;
        for (const auto& [type, capacity] : kinds) {
            int sent = 0;
            for (int slot = 0; slot < kMaxContacts && sent < capacity && number <= total; ++slot) {
                const ContactRecord& contact = working.contacts[size_t(slot)];
                if (!contact.IsValidContact() || contact.cntct_type != type)
                    continue;
                if (!frame.Proceed())
                    return false;
                code = BuildRecord(payload, quint8(number), quint8(total),
                                   [&](quint8* out, int capacityLeft, int* written) {
                                       return BuildContactRecord(contact, out, capacityLeft, written);
                                   },
                                   &length);
                if (code == kResultOk)
                    code = protocol.WriteContact(payload.data(), length, frame.Reply(), frame.Count());
                if (code != kResultOk) {
                    frame.Fail(code);
                    return false;
                }
                ++number;
                ++sent;
            }
        }
    }
    frame.Progress(80);

    // Messages: only slots 0 to m - 1 are looked at; empty ones are skipped.
    const int messages = std::min<int>(radio.max_num_of_predefined_msgs, working.textMessageCount);
    if (messages == 0) {
        if (!frame.Proceed())
            return false;
        payload[0] = payload[1] = 0;
        code = protocol.WriteTextMessage(payload.data(), 2, frame.Reply(), frame.Count());
        if (code != kResultOk) {
            frame.Fail(code);
            return false;
        }
    } else {
        for (int slot = 0; slot < messages; ++slot) {
            const QString& text = working.textMessages[size_t(slot)];
            if (text.isEmpty())
                continue;
            if (!frame.Proceed())
                return false;
            code = BuildRecord(payload, quint8(slot + 1), quint8(messages),
                               [&](quint8* out, int capacityLeft, int* written) {
                                   return BuildTextMessage(text, out, capacityLeft, written);
                               },
                               &length);
            if (code == kResultOk)
                code = protocol.WriteTextMessage(payload.data(), length, frame.Reply(), frame.Count());
            if (code != kResultOk) {
                frame.Fail(code);
                return false;
            }
        }
    }

    if (!frame.Proceed())
        return false;
    code = protocol.EndWrite(frame.Reply(), frame.Count());
    if (code != kResultOk) {
        frame.Fail(code);
        return false;
    }
    if (!frame.Proceed())
        return false;
    frame.Done();
    return true;
}
