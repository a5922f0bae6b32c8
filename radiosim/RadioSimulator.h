#pragma once

#include "VirtualCP.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <mutex>
#include <vector>

// What a profile cannot carry: the simulated radio's firmware, identity and
// behaviour. Unset optionals keep the content's own values.
struct SimulatorOptions {
    QString overAirId;            // private ID another radio sends over the air; empty: never
    int pollsBeforeId = 2;        // polls answered "not yet" before the ID is delivered
    bool oldFirmware = false;     // refuse every command as a radio without ZOT support (ack 0x8C, 0)
    int busyReplies = 0;          // answer this many commands with "busy" ('Q' 0xFE)
    int silentCommands = 0;       // ignore this many commands
};

// The radio's side of the programming protocol, independent of any line:
// bytes from the PC go in, reply bytes come out. It parses request frames,
// answers every command of the command table from its content and stores
// what is written. Thread-safe: a line server and a test may share it.
class CRadioSimulator {
public:
    enum class Direction { FromPc, ToPc };
    using FrameLog = std::function<void(Direction, const QByteArray&)>;
    // Lets a test rewrite a reply (letter and payload) before it is framed.
    using ReplyFilter = std::function<void(quint8 opcode, quint8& ack, QByteArray& data)>;

    explicit CRadioSimulator(const VirtualCP& content = DefaultContent(), const SimulatorOptions& options = {});

    // The radio of a simulator started without a profile.
    static VirtualCP DefaultContent();
    // A radio with every contact slot and every message filled: 10 private
    // groups, 10 public groups, 130 privates, 25 messages of 80 characters.
    static VirtualCP FullContent();

    // Bytes received from the PC; reply bytes are appended to out.
    void Receive(const quint8* data, int size, QByteArray& out);
    void Receive(const QByteArray& data, QByteArray& out)
    {
        Receive(reinterpret_cast<const quint8*>(data.constData()), int(data.size()), out);
    }
    // The line was idle long enough for the radio to drop a partial frame.
    void LineIdle();

    VirtualCP Content() const;
    void SetContent(const VirtualCP& content);
    SimulatorOptions Options() const;
    void SetOptions(const SimulatorOptions& options);

    // Opcodes of the commands received so far (valid frames only; the most
    // recent million when there were more).
    std::vector<quint8> ReceivedCommands() const;
    void ClearReceivedCommands();
    // True between a write that started and its end or a reset.
    bool WriteIncomplete() const;

    void SetFrameLog(FrameLog log);
    void SetReplyFilter(ReplyFilter filter);

private:
    void HandleFrame(const QByteArray& frame, QByteArray& out);
    void Answer(quint8 opcode, const quint8* payload, int length, quint8& ack, QByteArray& data);
    void AnswerReadContact(quint8 index, QByteArray& data) const;
    void AnswerReadMessage(quint8 index, QByteArray& data) const;
    void StoreContact(const quint8* payload, int length, QByteArray& data);
    void StoreMessage(const quint8* payload, int length, QByteArray& data);
    static QByteArray Frame(quint8 ack, const QByteArray& data);

    mutable std::mutex m_mutex;
    VirtualCP m_content;
    SimulatorOptions m_options;
    FrameLog m_log;
    ReplyFilter m_filter;

    QByteArray m_pending;       // bytes of the request frame being parsed
    int m_nExpected = 0;        // total length of that frame once known

    std::vector<quint8> m_received;
    bool m_bWriteOpen = false;      // a write started and has not ended
    bool m_bContactsCleared = false;
    bool m_bMessagesCleared = false;
    bool m_bOverAirStarted = false;
    int m_nPolls = 0;
};
