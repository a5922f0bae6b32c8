#pragma once

#include <QString>
#include <functional>

class QWidget;

// The open and save-as dialogs of the profile documents and the reports.
namespace FileDialogs {

// An existing profile file chosen by the user; empty when cancelled.
QString AskOpenPath(QWidget* parent);
// A file name to save under, starting from the proposal; asks before
// overwriting, requires an existing folder, adds ".jub" to a name without
// an extension. Empty when cancelled.
QString AskSavePath(QWidget* parent, const QString& proposed);
// The same for other files, with filters as "description|pattern|…||": a
// name without an extension takes the chosen filter's.
QString AskSavePath(QWidget* parent, const QString& proposed, const QString& filterPairs);

// A dialog filter from "description|pattern|…||" pairs.
QString QtFilter(const QString& pairs);

// Tests answer the dialogs instead of a user: save tells which dialog asks.
using Override = std::function<QString(bool save, const QString& proposed)>;
void SetOverride(Override answer);

}  // namespace FileDialogs
