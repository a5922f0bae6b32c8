#pragma once

// The profile tree's node kinds and the 32-bit values built from them.
//
// Every tree item carries an item value: the node kind in the low 16 bits and
// the entry index (position inside its folder; channel number minus one for a
// scan-list channel; 0 for folders) in the high 16 bits.
//
// Views ask the tree to follow a change with a document update hint: the
// action in bits 0-7, the node kind in bits 8-15 and the entry index in bits
// 16-31. Hint 0 means "something changed, re-read what you show".

#include <QtGlobal>

namespace TreeNode {

enum Kind : int {
    Radio = 0,
    Settings = 1,
    TextMessages = 2,
    TextMessage = 3,
    Contacts = 4,
    PublicGroups = 5,
    PrivateGroups = 6,
    Privates = 7,
    PublicGroup = 8,
    PrivateGroup = 9,
    Private = 10,
    Lists = 11,
    ScrollList = 12,
    ScanList = 13,
    ScanChannel = 14,
    // No node: a private to be added with the bar-code scanner.
    ScannedPrivate = 15,
};

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

constexpr quint32 ItemValue(int kind, int index)
{
    return (quint32(kind) & 0xFFFFu) | (quint32(index) << 16);
}
constexpr int KindOf(quint32 itemValue) { return int(itemValue & 0xFFFFu); }
constexpr int IndexOf(quint32 itemValue) { return int(itemValue >> 16); }

// Whether an entry of this kind is one of a folder's entries (repositioned by
// name when it is left; deleted by Delete).
constexpr bool IsEntry(int kind)
{
    return kind == TextMessage || kind == PublicGroup || kind == PrivateGroup || kind == Private;
}

}  // namespace TreeNode

namespace UpdateHint {

enum Action : int { None = 0, Add = 1, Delete = 2, Refresh = 3 };

constexpr quint32 Make(int action, int kind, int index = 0)
{
    return (quint32(action) & 0xFFu) | ((quint32(kind) & 0xFFu) << 8) | (quint32(index) << 16);
}
constexpr int ActionOf(quint32 hint) { return int(hint & 0xFFu); }
constexpr int KindOf(quint32 hint) { return int((hint >> 8) & 0xFFu); }
constexpr int IndexOf(quint32 hint) { return int(hint >> 16); }

}  // namespace UpdateHint
