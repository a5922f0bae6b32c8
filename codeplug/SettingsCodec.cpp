#include "SettingsCodec.h"

#include "CodecResult.h"
#include "PayloadCursor.h"

namespace {

// The password travels in a fixed field, 0-padded.
constexpr int kPasswordFieldWidth = 5;

}  // namespace

int ParseRadioSettings(RadioSettings& settings, const quint8* payload, int length, int readable)
{
    PayloadReader in(payload, readable < 0 ? length : readable);
    RadioSettings parsed = settings;
    if (!in.ReadByte(parsed.contrast) || !in.ReadU32BigEndian(parsed.backlight) || !in.ReadByte(parsed.vibracall)
        || !in.ReadU32BigEndian(parsed.current_time) || !in.ReadU32BigEndian(parsed.alarm_time)
        || !in.ReadByte(parsed.ringer_vol_level) || !in.ReadByte(parsed.speaker_vol_level)
        || !in.ReadByte(parsed.keypad_vol_level) || !in.ReadByte(parsed.alarm_vol_level)
        || !in.ReadByte(parsed.earpiece_vol_level) || !in.ReadByte(parsed.language)
        || !in.ReadU32LittleEndian(parsed.settingsFlags) || !in.ReadString(kIdWidth, parsed.call_forward_id))
        return kCodecPayloadTruncated;

    // The position is now n + 25; the optional tail follows only in a
    // longer payload. Each tail field is taken only when it can be read.
    if (length > in.Position() && in.ReadFixedString(kPasswordFieldWidth, kPasswordWidth, parsed.password)
        && in.ReadByte(parsed.tot_timer) && in.ReadByte(parsed.tpt_offset))
        in.ReadByte(parsed.noiseLevels);

    settings = parsed;
    return kCodecOk;
}

int BuildRadioSettings(const RadioSettings& settings, quint8* out, int capacity, int* written)
{
    PayloadWriter w(out, capacity);
    w.WriteByte(settings.contrast);
    w.WriteU32BigEndian(settings.backlight);
    w.WriteByte(settings.vibracall);
    w.WriteU32BigEndian(settings.current_time);
    w.WriteU32BigEndian(settings.alarm_time);
    w.WriteByte(settings.ringer_vol_level);
    w.WriteByte(settings.speaker_vol_level);
    w.WriteByte(settings.keypad_vol_level);
    w.WriteByte(settings.alarm_vol_level);
    w.WriteByte(settings.earpiece_vol_level);
    w.WriteByte(settings.language);
    w.WriteU32LittleEndian(settings.settingsFlags);
    w.WriteString(settings.call_forward_id);
    w.WriteFixedString(settings.password, kPasswordFieldWidth, kPasswordWidth);
    w.WriteByte(settings.tot_timer);
    w.WriteByte(settings.tpt_offset);
    w.WriteByte(settings.noiseLevels);
    return w.Finish(written);
}
