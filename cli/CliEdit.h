#pragma once

// Shared pieces of the edit commands (set, add, delete): every change goes
// through CDataItem and so through the profile's rule script, as in the views.

#include "DataItem.h"

#include <QString>
#include <functional>
#include <memory>

class CKVXZOTApp;
class CKVXZOTDoc;

// Starts the application and opens the profile to edit; null (the reason
// printed) when either fails. `app` keeps the application alive.
std::unique_ptr<CKVXZOTDoc> StartEdit(const QString& path, std::unique_ptr<CKVXZOTApp>& app);

// One change through a hook with the views' confirmation protocol: the call
// with n = 0 and, when it asks for confirmation and `confirm` is set, the same
// call with n = 1 (the user's Yes). Prints each answer; returns the last result.
qint32 CallConfirmed(bool confirm, const std::function<qint32(qint32 n, qint32& r1, qint32& r2)>& call);

// Ends an edit: an applied change (result 0) marks the document modified and
// is saved to `output` when one was given. Returns the exit status.
int FinishEdit(CKVXZOTDoc& doc, qint32 result, const QString& output);

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
