#pragma once

// Shared pieces of the edit commands (set, add, delete): every change goes
// through CDataItem and so through the profile's rule script, as in the views.

#include "DataItem.h"

#include <QString>
#include <functional>

class CKVXZOTDoc;

// The item of the first node the XPath selects (prefix "dfns" for the
// profile's namespace); an empty item, with the reason printed, when none.
CDataItem SelectItem(CKVXZOTDoc& doc, const QString& xpath);

// Prints a hook's answer: result, message number and message text.
void PrintAnswer(qint32 result, qint32 r1, qint32 r2);

// Saves the document to `output` when one was given; false when saving failed.
bool SaveEdited(CKVXZOTDoc& doc, const QString& output);

// Runs an edit, turning the data model's and XML service's exceptions into a
// printed error and exit status 1.
int RunEdit(const std::function<int()>& edit);
