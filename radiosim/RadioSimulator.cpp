#include "RadioSimulator.h"

#include "ContactCodec.h"
#include "RadioInfoCodec.h"
#include "SettingsCodec.h"
#include "TextMessageCodec.h"
#include "VersionCodec.h"

namespace {

constexpr quint8 kAddress = 0x9B;
constexpr quint8 kAck = 0x41;
constexpr quint8 kRefused = 0x8C;
constexpr int kMaxRequestLength = 127;
constexpr size_t kMaxRecordedCommands = 1 << 20;

// Reply letters and 'Q' codes of the radio.
constexpr char kBusyLetter = 'Q';
constexpr quint8 kQueryFailed = 0x01;
constexpr quint8 kQueryResetFirst = 0xFD;
constexpr quint8 kQueryBusy = 0xFE;

QByteArray QueryReply(quint8 opcode, quint8 code)
{
    QByteArray data;
    data.append(kBusyLetter);
    data.append(char(opcode));
    data.append(char(code));
    return data;
}

// Appends a record built by one of the codecs; a failing build leaves the
// reply with its letter only.
template <typename Build>
void AppendBuilt(QByteArray& data, Build build)
{
    quint8 buffer[256];
    int written = 0;
    if (build(buffer, int(sizeof buffer), &written) == 1)
        data.append(reinterpret_cast<const char*>(buffer), written);
}

} // namespace

CRadioSimulator::CRadioSimulator(const VirtualCP& content, const SimulatorOptions& options)
    : m_content(content), m_options(options)
{
}

VirtualCP CRadioSimulator::DefaultContent()
{
    VirtualCP cp;
    cp.radioInfo.pid = QStringLiteral("10000123");
    cp.radioInfo.model = QStringLiteral("D30");   // a KVX30: the model of its firmware and capacities
    cp.radioInfo.publicGroupRanges[0].pid_name = QStringLiteral("Public");
    cp.radioInfo.clone_compatibility_version = 1;
    cp.radioInfo.max_num_of_contacts = kMaxContacts;
    cp.radioInfo.max_num_of_private_grps = 20;
    cp.radioInfo.max_num_of_public_grps = 20;
    cp.radioInfo.max_num_of_predefined_msgs = kMaxTextMessages;
    cp.radioInfo.limitFlags = 0xFFFFEF00u;   // every capability except vibracall_dis
    cp.radioInfo.num_of_languages = 1;
    cp.radioInfo.max_num_of_channels = 16;
    cp.radioInfo.max_vol_level = 7;
    ContactRecord& own = cp.contacts[0];
    own.name = QStringLiteral("Radio 1");
    own.pid = cp.radioInfo.pid;
    own.cntct_type = kContactPrivate;
    own.contactFlags = kContactIdInUse | kContactInScrollList;
    cp.CountEntries();
    return cp;
}

VirtualCP CRadioSimulator::FullContent()
{
    VirtualCP cp = DefaultContent();
    int slot = 0;
    for (int g = 0; g < 10; ++g, ++slot) {
        ContactRecord& c = cp.contacts[size_t(slot)];
        c = ContactRecord();
        c.name = QStringLiteral("Private group %1").arg(g + 1);
        c.pid = QString::number(20000000 + g);
        c.cntct_type = kContactPrivateGroup;
        c.contactFlags = kContactInScrollList;
        c.channel = quint8(g % 5 + 1);   // two groups on each of channels 1 to 5
    }
    for (int g = 0; g < 10; ++g, ++slot) {
        ContactRecord& c = cp.contacts[size_t(slot)];
        c = ContactRecord();
        c.name = QStringLiteral("Public group %1").arg(g + 1);
        c.pid = QString::number(kHighestRadioId - g);
        c.cntct_type = kContactPublicGroup;
        c.contactFlags = kContactInScanList | (g % 2 ? kContactInScrollList : 0);
        c.channel = quint8(g % 16 + 1);
    }
    for (int p = 0; slot < kMaxContacts; ++p, ++slot) {
        ContactRecord& c = cp.contacts[size_t(slot)];
        c = ContactRecord();
        const bool own = p == 0;
        c.name = own ? QStringLiteral("Radio 1") : QStringLiteral("Private %1 with a long name").arg(p).left(25);
        c.pid = own ? cp.radioInfo.pid : QString::number(30000000 + p);
        c.cntct_type = kContactPrivate;
        c.alert_tone = quint8(p % 12 + 1);
        c.contactFlags = kContactIdInUse | (p % 3 ? kContactInScrollList : 0);
        c.roleFlags = own ? 0 : kRoleSeeAllGroups;
        // Channels count from 1; a private belongs to groups of its own
        // channel, as the radio's rules keep it.
        c.channel = quint8(p % 5 + 1);
        // Two parent groups, the home group last, as a read leaves them
        // once the group references are repaired: the content reads back
        // exactly as it is.
        c.parentGroups[0] = QString::number(20000000 + p % 5);
        c.parentGroups[1] = QString::number(20000000 + p % 5 + 5);
        c.home_grp = c.parentGroups[1];
        c.groupListCount = 2;
        c.homeGroupIndex = 2;
    }
    for (int m = 0; m < kMaxTextMessages; ++m)
        cp.textMessages[size_t(m)] = QStringLiteral("Message %1: ").arg(m + 1).leftJustified(kMaxTextMessageLength, QChar('x'));
    cp.CountEntries();
    return cp;
}

void CRadioSimulator::LineIdle()
{
    std::lock_guard lock(m_mutex);
    m_pending.clear();
    m_nExpected = 0;
}

void CRadioSimulator::Receive(const quint8* data, int size, QByteArray& out)
{
    std::unique_lock lock(m_mutex);
    for (int i = 0; i < size; ++i) {
        const quint8 byte = data[i];
        if (m_pending.isEmpty()) {
            // Hunt for a header; anything else on an idle line is noise.
            if (byte == 0xFF) {
                m_nExpected = 0;   // known after the length field
            } else if ((byte & 0xF0) == 0xF0 && (byte & 0x0F) >= 2) {
                m_nExpected = (byte & 0x0F) + 2;
            } else {
                continue;
            }
        }
        m_pending.append(char(byte));
        if (quint8(m_pending[0]) == 0xFF && m_pending.size() == 4) {
            const int length = quint8(m_pending[2]) * 256 + quint8(m_pending[3]);
            m_nExpected = length + 4;
            if (length < 2 || m_nExpected > kMaxRequestLength) {
                m_pending.clear();
                continue;
            }
        }
        if (m_nExpected > 0 && m_pending.size() == m_nExpected) {
            const QByteArray frame = m_pending;
            m_pending.clear();
            HandleFrame(frame, out);
        }
    }
}

void CRadioSimulator::HandleFrame(const QByteArray& frame, QByteArray& out)
{
    quint8 sum = 0;
    for (char c : frame)
        sum = quint8(sum + quint8(c));
    if (sum != 0xFF || quint8(frame[1]) != kAddress)
        return;   // a damaged frame is not answered
    if (m_log)
        m_log(Direction::FromPc, frame);

    const int dataStart = quint8(frame[0]) == 0xFF ? 4 : 2;
    const quint8 opcode = quint8(frame[dataStart]);
    const quint8* payload = reinterpret_cast<const quint8*>(frame.constData()) + dataStart + 1;
    const int length = int(frame.size()) - dataStart - 2;
    // The record of commands is for tests; a long-running radio keeps the
    // most recent ones only.
    if (m_received.size() >= kMaxRecordedCommands)
        m_received.erase(m_received.begin(), m_received.begin() + kMaxRecordedCommands / 2);
    m_received.push_back(opcode);

    if (m_options.silentCommands > 0) {
        --m_options.silentCommands;
        return;
    }
    quint8 ack = kAck;
    QByteArray data;
    if (m_options.oldFirmware) {
        ack = kRefused;
        data.append(char(0));
    } else if (m_options.busyReplies > 0) {
        --m_options.busyReplies;
        data = QueryReply(opcode, kQueryBusy);
    } else {
        Answer(opcode, payload, length, ack, data);
    }
    if (m_filter)
        m_filter(opcode, ack, data);
    const QByteArray reply = Frame(ack, data);
    if (m_log)
        m_log(Direction::ToPc, reply);
    out.append(reply);
}

QByteArray CRadioSimulator::Frame(quint8 ack, const QByteArray& data)
{
    QByteArray frame;
    const int n = int(data.size()) + 1;
    if (n <= 14) {
        frame.append(char(0xF0 | n));
        frame.append(char(ack));
    } else {
        frame.append(char(0xFF));
        frame.append(char(ack));
        frame.append(char(n >> 8));
        frame.append(char(n & 0xFF));
    }
    frame.append(data);
    quint8 sum = 0;
    for (char c : frame)
        sum = quint8(sum + quint8(c));
    frame.append(char(0xFF - sum));
    frame.prepend(char(0x50));
    return frame;
}

void CRadioSimulator::Answer(quint8 opcode, const quint8* payload, int length, quint8& ack, QByteArray& data)
{
    // Reads of the content are refused while a write is unfinished: the
    // radio wants a reset or a complete write first.
    const bool readsContent = opcode == 0x28 || opcode == 0x30 || opcode == 0x32;
    if (readsContent && m_bWriteOpen) {
        data = QueryReply(opcode, kQueryResetFirst);
        return;
    }
    switch (opcode) {
    case 0x25:   // ReadVersion
        data.append('E');
        AppendBuilt(data, [&](quint8* b, int c, int* w) { return BuildVersionReply(m_content.version, b, c, w); });
        break;
    case 0x26:   // OpenLink
        data.append('P');
        break;
    case 0x27:   // ReadRadioInfo
        data.append('F');
        AppendBuilt(data, [&](quint8* b, int c, int* w) { return BuildRadioInfo(m_content.radioInfo, b, c, w); });
        break;
    case 0x28:   // ReadSettings
        data.append('G');
        AppendBuilt(data, [&](quint8* b, int c, int* w) { return BuildRadioSettings(m_content.settings, b, c, w); });
        break;
    case 0x29:   // WriteSettings
        if (ParseRadioSettings(m_content.settings, payload, length) != 1) {
            data = QueryReply(opcode, kQueryFailed);
            break;
        }
        m_bWriteOpen = true;
        m_bContactsCleared = false;
        m_bMessagesCleared = false;
        data.append('P');
        break;
    case 0x2A:   // ReadGroupRanges
        data.append('T');
        AppendBuilt(data, [&](quint8* b, int c, int* w) { return BuildGroupRangeList(m_content.radioInfo, b, c, w); });
        break;
    case 0x30:   // ReadContact
        AnswerReadContact(length > 0 ? payload[0] : 0, data);
        break;
    case 0x31:   // WriteContact
        StoreContact(payload, length, data);
        break;
    case 0x32:   // ReadTextMessage
        AnswerReadMessage(length > 0 ? payload[0] : 0, data);
        break;
    case 0x33:   // WriteTextMessage
        StoreMessage(payload, length, data);
        break;
    case 0x36:   // EndWrite
        m_bWriteOpen = false;
        m_content.CountEntries();
        data.append('P');
        break;
    case 0x37:   // ResetRadio
        m_bWriteOpen = false;
        m_bOverAirStarted = false;
        data.append('P');
        break;
    case 0x38:   // StartPrivateIdRead
        m_bOverAirStarted = true;
        m_nPolls = 0;
        data.append('S');
        data.append(char(1));
        break;
    case 0x39:   // PollPrivateId
        if (!m_bOverAirStarted) {
            data = QueryReply(opcode, kQueryFailed);
            break;
        }
        data.append('S');
        if (!m_options.overAirId.isEmpty() && ++m_nPolls > m_options.pollsBeforeId) {
            data.append(char(2));
            data.append(m_options.overAirId.toLatin1());
            data.append(char(0));
            m_bOverAirStarted = false;
        } else {
            data.append(char(1));
        }
        break;
    default:
        ack = kRefused;
        data.append(char(opcode));
        break;
    }
}

void CRadioSimulator::AnswerReadContact(quint8 index, QByteArray& data) const
{
    // The total is the highest record number held, so a table with gaps is
    // still read to its end.
    int total = 0;
    for (int s = 0; s < kMaxContacts; ++s)
        if (m_content.contacts[size_t(s)].IsValidContact())
            total = s + 1;
    data.append('H');
    for (int s = std::max(int(index), 1) - 1; s < total; ++s) {
        if (!m_content.contacts[size_t(s)].IsValidContact())
            continue;
        data.append(char(s + 1));
        data.append(char(total));
        AppendBuilt(data, [&](quint8* b, int c, int* w) { return BuildContactRecord(m_content.contacts[size_t(s)], b, c, w); });
        return;
    }
    data.append(char(0));
    data.append(char(total));
}

void CRadioSimulator::AnswerReadMessage(quint8 index, QByteArray& data) const
{
    int total = 0;
    for (int s = 0; s < kMaxTextMessages; ++s)
        if (!m_content.textMessages[size_t(s)].isEmpty())
            total = s + 1;
    data.append('I');
    for (int s = std::max(int(index), 1) - 1; s < total; ++s) {
        if (m_content.textMessages[size_t(s)].isEmpty())
            continue;
        data.append(char(s + 1));
        data.append(char(total));
        AppendBuilt(data, [&](quint8* b, int c, int* w) { return BuildTextMessage(m_content.textMessages[size_t(s)], b, c, w); });
        return;
    }
    data.append(char(0));
    data.append(char(total));
}

void CRadioSimulator::StoreContact(const quint8* payload, int length, QByteArray& data)
{
    // The first contact of a write replaces the whole table.
    if (!m_bContactsCleared) {
        m_content.contacts.fill(ContactRecord());
        m_bContactsCleared = true;
    }
    m_bWriteOpen = true;
    const int number = length > 0 ? payload[0] : 0;
    if (number == 0) {   // empty table
        data.append('P');
        return;
    }
    ContactRecord record;
    if (number > kMaxContacts || ParseContactRecord(record, payload + 2, length - 2) != 1) {
        data = QueryReply(0x31, kQueryFailed);
        return;
    }
    m_content.contacts[size_t(number - 1)] = record;
    data.append('P');
}

void CRadioSimulator::StoreMessage(const quint8* payload, int length, QByteArray& data)
{
    if (!m_bMessagesCleared) {
        m_content.textMessages.fill(QString());
        m_bMessagesCleared = true;
    }
    m_bWriteOpen = true;
    const int slot = length > 0 ? payload[0] : 0;
    if (slot == 0) {
        data.append('P');
        return;
    }
    QString text;
    if (slot > kMaxTextMessages || ParseTextMessage(text, payload + 2, length - 2) != 1) {
        data = QueryReply(0x33, kQueryFailed);
        return;
    }
    m_content.textMessages[size_t(slot - 1)] = text;
    data.append('P');
}

VirtualCP CRadioSimulator::Content() const
{
    std::lock_guard lock(m_mutex);
    return m_content;
}

void CRadioSimulator::SetContent(const VirtualCP& content)
{
    std::lock_guard lock(m_mutex);
    m_content = content;
}

SimulatorOptions CRadioSimulator::Options() const
{
    std::lock_guard lock(m_mutex);
    return m_options;
}

void CRadioSimulator::SetOptions(const SimulatorOptions& options)
{
    std::lock_guard lock(m_mutex);
    m_options = options;
}

std::vector<quint8> CRadioSimulator::ReceivedCommands() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

void CRadioSimulator::ClearReceivedCommands()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
}

bool CRadioSimulator::WriteIncomplete() const
{
    std::lock_guard lock(m_mutex);
    return m_bWriteOpen;
}

void CRadioSimulator::SetFrameLog(FrameLog log)
{
    std::lock_guard lock(m_mutex);
    m_log = std::move(log);
}

void CRadioSimulator::SetReplyFilter(ReplyFilter filter)
{
    std::lock_guard lock(m_mutex);
    m_filter = std::move(filter);
}
