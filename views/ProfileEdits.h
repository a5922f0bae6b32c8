#pragma once

// The edits the views make to a profile, each answered with the rules'
// outcome. Every view and the tree change the profile only through these, so
// that the rules' answers are read in one way and every applied edit marks
// the document modified.

#include "DataItem.h"

#include <QString>
#include <QVariant>

class CKVXZOTDoc;

struct EditOutcome {
    enum Kind { Applied, Refused, NeedsConfirmation };
    Kind kind = Applied;
    // String-table message: the refusal or the question; with Applied an
    // information to show (0: none).
    int messageId = 0;
    unsigned style = 0;

    bool IsApplied() const { return kind == Applied; }
};

namespace ProfileEdits {

// Writes an attribute through its rule. confirmed repeats an edit the user
// has agreed to after a NeedsConfirmation answer.
EditOutcome SetAttribute(CKVXZOTDoc& doc, CDataItem& entry, const QString& name, const QVariant& value,
                         bool confirmed = false);
// Removes the child at index of a folder through its rule.
EditOutcome RemoveChild(CKVXZOTDoc& doc, CDataItem& folder, int index, bool confirmed = false);
// Adds a child to a folder; an empty item when the rules added nothing.
CDataItem AddChild(CDataItem& folder, CKVXZOTDoc& doc);
// Adds a private or private group with a default name.
CDataItem AddNamedChild(CDataItem& folder, const QString& defaultName, CKVXZOTDoc& doc);

}  // namespace ProfileEdits
