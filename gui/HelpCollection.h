#pragma once

// The compiled help files (Qt Help, .qch) of this process. Each file is
// opened through a help collection of its own, kept in a temporary folder
// of the process (the installation folder may be read-only), so that pages
// can be read, and its contents, index and full-text search used.

#include <QString>

class QHelpEngine;

namespace HelpCollection {

// The engine of a help file, set up on first use; null when the file is
// missing or not a help file.
QHelpEngine* EngineFor(const QString& helpFile);

// The address of a page of a help file: "qthelp://<namespace>/<folder>/<page>",
// every blank as "%20"; empty when the help file cannot be opened.
QString PageAddress(const QString& helpFile, const QString& page);
// The same from the help file's namespace and virtual folder.
QString PageAddress(const QString& namespaceName, const QString& folder, const QString& page);

}  // namespace HelpCollection
