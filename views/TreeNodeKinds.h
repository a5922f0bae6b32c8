#pragma once

// The profile tree's node kinds (NodeKind, app/UpdateHint.h, whose names
// this namespace brings in), the cells of the tree's image strip and the
// item value every tree item carries: the node kind in the low 16 bits and
// the entry index (position inside its folder; channel number minus one for
// a scan-list channel; 0 for folders) in the high 16 bits.

#include "UpdateHint.h"

namespace TreeNode {

using enum NodeKind;

// Cells of the tree's image strip.
enum Image : int {
    ImageRadio = 0,
    ImageSettings = 1,
    ImageTextMessages = 2,
    ImageTextMessage = 3,
    ImageContacts = 4,
    ImagePublicGroups = 5,
    ImagePublicGroup = 6,
    ImagePrivateGroups = 7,
    ImagePrivateGroup = 8,
    ImagePrivates = 9,
    ImagePrivate = 10,
    ImageOwnPrivate = 11,
    ImageLists = 12,
    ImageScrollList = 13,
    ImageScanList = 14,
    ImageCount = 15,
};

constexpr quint32 ItemValue(NodeKind kind, int index)
{
    return quint32(kind) | (quint32(index) << 16);
}
constexpr NodeKind KindOf(quint32 itemValue) { return NodeKind(itemValue & 0xFFFFu); }
constexpr int IndexOf(quint32 itemValue) { return int(itemValue >> 16); }

// An entry of a folder: moved to its sorted place when it is left, deleted
// by Delete.
constexpr bool IsEntry(NodeKind kind)
{
    return kind == TextMessage || kind == PublicGroup || kind == PrivateGroup || kind == Private;
}

}  // namespace TreeNode
