#include "Transfers.h"

#include "RadioInfoCodec.h"
#include "RadioResult.h"
#include "SettingsCodec.h"
#include "VersionCodec.h"

#include <chrono>
#include <thread>

namespace {

// The first zero-terminated text of bytes, widened, cut to the capacity.
QString RadioTextAt(const quint8* bytes, int size)
{
    QString text;
    for (int i = 0; i < size && bytes[i] != 0 && text.size() < kRadioTextCapacity; ++i)
        text.append(QChar(bytes[i]));
    return text;
}

// ReadRadioInfo decoded into info; the result of the command, or -5 when
// the radio's clone level is not the expected one. *decoded receives the
// decoder's result.
int ReadCompatibleRadioInfo(CTransferFrame& frame, RadioInfo& info, int* decoded)
{
    const int result = frame.Protocol().ReadRadioInfo(frame.Reply(), frame.Count());
    if (result != kResultOk)
        return result;
    const int decodeResult = ParseRadioInfo(info, frame.Payload(), frame.PayloadSize());
    if (decoded)
        *decoded = decodeResult;
    if (!info.IsCloneCompatible(quint8(frame.State().ExpectedCloneLevel())))
        return kResultUnsupportedModel;
    return kResultOk;
}

} // namespace

QString VersionText(const std::array<quint8, 7>& b)
{
    return QString::asprintf("%c%02X.%02d.%02d", b[0], b[1], b[2], b[3]);
}

void Handshake(CTransferFrame& frame, VirtualCP& image)
{
    if (!frame.Proceed())
        return;
    RadioProtocol& protocol = frame.Protocol();
    const int result = protocol.ReadVersion(frame.Reply(), frame.Count());
    if (result != kResultOk) {
        frame.Fail(result);
        return;
    }
    quint8* reply = frame.Reply().data() + 1;
    if (!CheckVersionReply(reply, frame.PayloadSize()) || LoadVersionReply(image.version, reply, frame.PayloadSize()) != 1) {
        frame.Fail(kResultUnsupportedVersion);
        return;
    }
    if (!frame.Proceed())
        return;
    const int opened = protocol.OpenLink(frame.Reply(), frame.Count());
    if (opened != kResultOk)
        frame.Fail(opened);
}

bool IdentifyRadio(std::array<quint8, 7>& versionOut, const QString& portName)
{
    CTransferFrame frame(portName);
    VirtualCP handshake;
    Handshake(frame, handshake);
    if (!frame.Proceed())
        return false;
    const int result = frame.Protocol().ReadVersion(frame.Reply(), frame.Count());
    VirtualCP identified;
    if (result != kResultOk || LoadVersionReply(identified.version, frame.Payload(), frame.PayloadSize()) != 1) {
        frame.Fail(result != kResultOk ? result : kResultUnsupportedVersion);
        return false;
    }
    if (!frame.Proceed())
        return false;
    versionOut = VersionImageBytes(identified.version);
    frame.Done();
    return true;
}

bool ReadRadioPassword(VirtualCP& imageOut, const QString& portName)
{
    CTransferFrame frame(portName);
    VirtualCP temporary;
    Handshake(frame, temporary);
    if (!frame.Proceed())
        return false;
    const int result = frame.Protocol().ReadSettings(frame.Reply(), frame.Count());
    if (result != kResultOk) {
        frame.Fail(result);
        return false;
    }
    if (ParseRadioSettings(temporary.settings, frame.Payload(), frame.Count() - 2, frame.PayloadSize()) != 1) {
        frame.Fail(kResultPasswordUnreadable);
        return false;
    }
    if (!frame.Proceed())
        return false;
    imageOut.settings.password = temporary.settings.password;
    frame.Done();
    return true;
}

bool ReadRadioIdentity(QString& textOut, const QString& portName)
{
    CTransferFrame frame(portName);
    VirtualCP handshake;
    Handshake(frame, handshake);
    if (!frame.Proceed())
        return false;
    const int result = frame.Protocol().ReadRadioInfo(frame.Reply(), frame.Count());
    if (result != kResultOk) {
        frame.Fail(result);
        return false;
    }
    VirtualCP decoded;
    const int decodeResult = ParseRadioInfo(decoded.radioInfo, frame.Payload(), frame.PayloadSize());
    if (decodeResult < 0) {
        frame.Fail(decodeResult);
        return false;
    }
    if (!decoded.radioInfo.IsCloneCompatible(quint8(frame.State().ExpectedCloneLevel()))) {
        frame.Fail(kResultUnsupportedModel);
        return false;
    }
    if (!frame.Proceed())
        return false;
    textOut = RadioTextAt(frame.Payload(), frame.PayloadSize());
    frame.Done();
    return true;
}

bool ResetSequence(CTransferFrame& frame)
{
    if (!frame.Proceed())
        return false;
    RadioInfo info;
    const int result = ReadCompatibleRadioInfo(frame, info, nullptr);
    if (result != kResultOk) {
        frame.Fail(result);
        return false;
    }
    if (!frame.Proceed())
        return false;
    const int reset = frame.Protocol().ResetRadio(frame.Reply(), frame.Count());
    // A reset already on the line has happened; a cancel that came during it
    // still decides the outcome.
    if (!frame.Proceed())
        return false;
    if (reset != kResultOk) {
        frame.Fail(reset);
        return false;
    }
    frame.Done();
    return true;
}

bool ResetRadioTransfer(const QString& portName)
{
    CTransferFrame frame(portName);
    return ResetSequence(frame);
}

bool ReadPrivateIdOverAir(QString& textOut, const QString& portName)
{
    CTransferFrame frame(portName);
    VirtualCP handshake;
    Handshake(frame, handshake);
    if (!frame.Proceed())
        return false;
    RadioInfo info;
    const int result = ReadCompatibleRadioInfo(frame, info, nullptr);
    if (result != kResultOk) {
        frame.Fail(result);
        return false;
    }
    frame.Progress(20);
    if (!frame.Proceed())
        return false;
    RadioProtocol& protocol = frame.Protocol();
    const int started = protocol.StartPrivateIdRead(frame.Reply(), frame.Count());
    if (started != kResultOk || frame.Reply()[1] != 1) {
        frame.Fail(kResultBusy);
        return false;
    }
    const int pollMs = frame.State().Timings().privateIdPollMs;
    for (int percent = 20; percent < 100;) {
        // The pause ends early on a cancel: there is nothing on the line.
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(pollMs);
        while (std::chrono::steady_clock::now() < until && !frame.State().CancelRequested())
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                std::chrono::milliseconds(20), until - std::chrono::steady_clock::now()));
        if (!frame.Proceed())
            return false;
        const int polled = protocol.PollPrivateId(frame.Reply(), frame.Count());
        if (polled == kResultOk) {
            textOut = RadioTextAt(frame.Reply().data() + 2, frame.Count() - 2);
            frame.Done();
            return true;
        }
        if (polled != kResultTimedOut) {
            frame.Fail(polled);
            return false;
        }
        percent += 20;
        frame.Progress(percent);
    }
    frame.Fail(kResultTimedOut);
    return false;
}
