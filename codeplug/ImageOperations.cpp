#include "RadioText.h"
#include "VirtualCP.h"

#include <algorithm>

namespace {

bool Bit(quint32 word, int bit)
{
    return (word >> bit) & 1u;
}

}  // namespace

void VirtualCP::CountEntries()
{
    contactCount = publicGroupCount = privateGroupCount = textMessageCount = 0;
    for (const ContactRecord& c : contacts) {
        if (!c.IsValidContact())
            continue;
        ++contactCount;
        if (c.cntct_type == kContactPublicGroup)
            ++publicGroupCount;
        else if (c.cntct_type == kContactPrivateGroup)
            ++privateGroupCount;
    }
    for (const QString& m : textMessages) {
        if (!m.isEmpty())
            ++textMessageCount;
    }
}

int VirtualCP::FindContact(const QString& id, int type) const
{
    for (int i = 0; i < kMaxContacts; ++i) {
        const ContactRecord& c = contacts[i];
        if (c.IsValidContact() && c.pid == id && (type == -1 || c.cntct_type == type))
            return i;
    }
    return -1;
}

void VirtualCP::RepairGroupReferences()
{
    // The radio's own capacity may exceed the table; never look past it.
    const int slotLimit = std::min<int>(radioInfo.max_num_of_contacts, kMaxContacts);
    for (int i = 0; i < slotLimit; ++i) {
        ContactRecord& c = contacts[i];
        if (c.cntct_type != kContactPrivate)
            continue;
        int freeEntry = -1;
        for (int j = 0; j < kMaxParentGroups; ++j) {
            QString& parent = c.parentGroups[j];
            if (!parent.isEmpty() && FindContact(parent, kContactPrivateGroup) < 0)
                parent.clear();
            if (parent.isEmpty() && freeEntry < 0)
                freeEntry = j;
        }
        if (c.home_grp.isEmpty())
            continue;
        const bool isPrivateGroup = FindContact(c.home_grp, kContactPrivateGroup) >= 0;
        if (!isPrivateGroup && FindContact(c.home_grp, kContactPublicGroup) < 0) {
            c.home_grp.clear();
            continue;
        }
        // A home private group is also one of the private's groups; it is
        // added only once, even when the radio listed it twice.
        const bool listed = std::find(c.parentGroups.begin(), c.parentGroups.end(), c.home_grp) != c.parentGroups.end();
        if (isPrivateGroup && freeEntry >= 0 && !listed)
            c.parentGroups[freeEntry] = c.home_grp;
    }
}

void VirtualCP::ApplyOwnRoleFlags()
{
    const int own = FindContact(radioInfo.pid, kContactPrivate);
    if (own < 0)
        return;
    ContactRecord& c = contacts[own];
    c.roleFlags &= quint8(~(kRoleSeeAllGroups | kRoleMngrMode));
    if (Bit(settings.settingsFlags, kSettingMngrMode) && Bit(radioInfo.limitFlags, kLimitMngrModeEn))
        c.roleFlags |= kRoleMngrMode;
    if (Bit(settings.settingsFlags, kSettingSeeAllGrps) && Bit(radioInfo.limitFlags, kLimitSeeAllGroupsEn))
        c.roleFlags |= kRoleSeeAllGroups;
}

void VirtualCP::CollectOwnRoleFlags()
{
    CollectOwnRoleFlags(radioInfo.pid);
}

void VirtualCP::CollectOwnRoleFlags(const QString& id)
{
    settings.settingsFlags &= ~((1u << kSettingMngrMode) | (1u << kSettingSeeAllGrps));
    const int own = FindContact(id, kContactPrivate);
    if (own < 0)
        return;
    const ContactRecord& c = contacts[own];
    if (Bit(radioInfo.limitFlags, kLimitMngrModeEn) && (c.roleFlags & kRoleMngrMode))
        settings.settingsFlags |= 1u << kSettingMngrMode;
    if (Bit(radioInfo.limitFlags, kLimitSeeAllGroupsEn) && (c.roleFlags & kRoleSeeAllGroups))
        settings.settingsFlags |= 1u << kSettingSeeAllGrps;
}

bool VirtualCP::CheckAgainstRadio(const RadioInfo& radio)
{
    bool doesNotFit = false;
    if (privateGroupCount > radio.max_num_of_private_grps)
        doesNotFit = true;

    // Only counted (valid) public groups are dropped, so that the counters
    // stay true to the table.
    for (ContactRecord& c : contacts) {
        if (c.cntct_type != kContactPublicGroup || !c.IsValidContact())
            continue;
        if (!radio.IsInPublicRange(RadioIdValue(c.pid))) {
            c.cntct_type = kContactEmpty;
            --publicGroupCount;
            --contactCount;
            doesNotFit = true;
        }
    }

    if (publicGroupCount > radio.max_num_of_public_grps)
        doesNotFit = true;

    const int privates = contactCount - publicGroupCount - privateGroupCount;
    const int room = int(radio.max_num_of_contacts) - std::min<int>(privateGroupCount, radio.max_num_of_private_grps)
                     - std::min<int>(publicGroupCount, radio.max_num_of_public_grps);
    if (privates > room)
        doesNotFit = true;

    if (textMessageCount > radio.max_num_of_predefined_msgs)
        doesNotFit = true;

    for (int bit : {kLimitSmsComposeMesgsEn, kLimitPublicScanEn, kLimitSeeAllGroupsEn, kLimitAddPrvtGrpEn,
                    kLimitAddPrvtContactsEn, kLimitCallForwardEn, kLimitSmsMesgsTxEn}) {
        if (Bit(radioInfo.limitFlags, bit) && !Bit(radio.limitFlags, bit))
            doesNotFit = true;
    }
    if (!Bit(radioInfo.limitFlags, kLimitVibracallDis) && Bit(radio.limitFlags, kLimitVibracallDis))
        doesNotFit = true;
    return doesNotFit;
}

bool VirtualCP::IsOwnIdMissing(const RadioInfo& radio) const
{
    return FindContact(radio.pid, kContactPrivate) < 0;
}
