#pragma once

// The document update hint the views send each other through
// CKVXZOTDoc::UpdateAllViews: action in bits 0-7, node kind in bits 8-15,
// entry index in bits 16-31.

#include <QtGlobal>

// The tree's node kinds; kScanAddPrivate stands for no node, only for an add
// request with the bar-code scanner.
enum class NodeKind : quint8 {
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
    ScanAddPrivate = 15,
};

enum class HintAction : quint8 { Add = 1, Delete = 2, Refresh = 3 };

constexpr quint32 MakeUpdateHint(HintAction action, NodeKind kind, quint16 index = 0)
{
    return quint32(action) | (quint32(kind) << 8) | (quint32(index) << 16);
}
constexpr HintAction HintActionOf(quint32 hint) { return HintAction(hint & 0xFF); }
constexpr NodeKind HintKindOf(quint32 hint) { return NodeKind((hint >> 8) & 0xFF); }
constexpr quint16 HintIndexOf(quint32 hint) { return quint16(hint >> 16); }
