#pragma once

// Shared pieces of the edit commands (set, add, delete): every change goes
// through CDataItem and so through the profile's rule script, as in the views.

#include "DataItem.h"
#include "DocumentEdit.h"

#include <QString>
#include <functional>
#include <memory>

class CKVXZOTApp;
class CKVXZOTDoc;

// Starts the application and opens the profile to edit; null (the reason
// printed) when either fails. `app` keeps the application alive.
std::unique_ptr<CKVXZOTDoc> StartEdit(const QString& path, std::unique_ptr<CKVXZOTApp>& app);

// Applies one change through the document's edit path and prints each
// answer of the rules. A confirmation request is answered Yes when
// `confirm` is set (the change is then applied confirmed), else No.
EditOutcome ApplyEdit(CKVXZOTDoc& doc, const EditRequest& request, bool confirm);

// Ends an edit: an applied change is saved to `output` when one was given.
// Returns the exit status.
int FinishEdit(CKVXZOTDoc& doc, const EditOutcome& outcome, const QString& output);

// The item of the first node the XPath selects (prefix "dfns" for the
// profile's namespace); an empty item, with the reason printed, when none.
CDataItem SelectItem(CKVXZOTDoc& doc, const QString& xpath);

// Prints an answer of the rules: result, message number and message text.
void PrintAnswer(const EditOutcome& outcome);

// Saves the document to `output` when one was given; false when saving failed.
bool SaveEdited(CKVXZOTDoc& doc, const QString& output);

// Runs an edit, turning the data model's and XML service's exceptions into a
// printed error and exit status 1.
int RunEdit(const std::function<int()>& edit);
