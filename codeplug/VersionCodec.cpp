#include "VersionCodec.h"

#include "CodecResult.h"

bool CheckVersionReply(quint8* reply, int length)
{
    if (!reply || length < kVersionReplySize)
        return false;
    if (reply[6] == 'D')
        return true;
    const bool accepted = reply[0] == 94 && reply[1] <= 8;
    if (reply[6] != 'R')
        reply[6] = 'D';
    return accepted;
}

int LoadVersionReply(CodeplugVersion& version, const quint8* reply, int length)
{
    if (!reply || length < kVersionReplySize)
        return kCodecPayloadTruncated;
    version.firmware_release = reply[0];
    version.firmware_version = reply[1];
    version.firmware_revision = reply[2];
    version.codeplug_structure = reply[3];
    version.codeplug_version = reply[4];
    version.codeplug_dev_version = reply[5];
    version.firmware_phase = reply[6];
    return kCodecOk;
}

int BuildVersionReply(const CodeplugVersion& version, quint8* out, int capacity, int* written)
{
    if (written)
        *written = 0;
    if (!out || capacity < kVersionReplySize)
        return kCodecBufferTooSmall;
    out[0] = version.firmware_release;
    out[1] = version.firmware_version;
    out[2] = version.firmware_revision;
    out[3] = version.codeplug_structure;
    out[4] = version.codeplug_version;
    out[5] = version.codeplug_dev_version;
    out[6] = version.firmware_phase;
    if (written)
        *written = kVersionReplySize;
    return kCodecOk;
}

std::array<quint8, 7> VersionImageBytes(const CodeplugVersion& version)
{
    return {version.firmware_phase,     version.firmware_release, version.firmware_version,
            version.firmware_revision,  version.codeplug_structure, version.codeplug_version,
            version.codeplug_dev_version};
}
