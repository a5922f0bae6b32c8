#include "ContactCodec.h"

#include "CodecResult.h"
#include "PayloadCursor.h"

#include <vector>

int ParseContactRecord(ContactRecord& record, const quint8* payload, int size)
{
    PayloadReader in(payload, size);
    ContactRecord parsed = record;
    if (!in.ReadString(kContactNameWidth, parsed.name) || !in.ReadByte(parsed.alert_tone)
        || !in.ReadString(kIdWidth, parsed.pid) || !in.ReadByte(parsed.contactFlags) || !in.ReadByte(parsed.channel)
        || !in.ReadByte(parsed.cntct_type))
        return kCodecPayloadTruncated;

    if (parsed.cntct_type == kContactPrivate) {
        if (!in.ReadByte(parsed.groupListCount) || !in.ReadByte(parsed.homeGroupIndex))
            return kCodecPayloadTruncated;
        // The group list is the whole truth about the private's groups.
        parsed.parentGroups.fill(QString());
        parsed.home_grp.clear();
        parsed.roleFlags |= kRoleSeeAllGroups;
        int nextParent = 0;
        for (int k = 1; k <= parsed.groupListCount; ++k) {
            QString id;
            if (!in.ReadString(kIdWidth, id))
                return kCodecPayloadTruncated;
            if (parsed.homeGroupIndex != 0 && parsed.homeGroupIndex == k)
                parsed.home_grp = id;
            else if (nextParent < kMaxParentGroups)
                parsed.parentGroups[nextParent++] = id;
            // Further parents do not fit the record and are dropped.
        }
    }
    record = parsed;
    return kCodecOk;
}

int BuildContactRecord(const ContactRecord& record, quint8* out, int capacity, int* written)
{
    PayloadWriter w(out, capacity);
    w.WriteString(record.name);
    w.WriteByte(record.alert_tone);
    w.WriteString(record.pid);
    w.WriteByte(record.contactFlags);
    w.WriteByte(record.channel);
    w.WriteByte(record.cntct_type);
    if (record.cntct_type == kContactPrivate) {
        std::vector<const QString*> groups;
        int homeIndex = 0;
        for (const QString& parent : record.parentGroups) {
            if (parent.isEmpty())
                continue;
            groups.push_back(&parent);
            if (homeIndex == 0 && !record.home_grp.isEmpty() && parent == record.home_grp)
                homeIndex = int(groups.size());
        }
        if (!record.home_grp.isEmpty() && homeIndex == 0) {
            groups.push_back(&record.home_grp);
            homeIndex = int(groups.size());
        }
        w.WriteByte(quint8(groups.size()));
        w.WriteByte(quint8(homeIndex));
        for (const QString* id : groups)
            w.WriteString(*id);
    }
    return w.Finish(written);
}
