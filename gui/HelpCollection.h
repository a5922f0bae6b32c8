#pragma once

// The compiled help files (Qt Help, .qch) of this process. Each file is
// opened through help collections of its own, kept in a temporary folder of
// the process (the installation folder may be read-only): a plain one for
// reading pages, and, when the help window asks for it, a full one with the
// contents, index and full-text search.

#include <QString>

class QHelpEngine;
class QHelpEngineCore;

namespace HelpCollection {

// The engine that reads the pages of a help file, set up on first use; null
// when the file is missing or not a help file. It starts no threads.
QHelpEngineCore* PagesFor(const QString& helpFile);
// The engine with the contents, index and search of a help file, set up on
// first use; null as above. Its background work is stopped before the
// application object goes away.
QHelpEngine* EngineFor(const QString& helpFile);

// The address of a page of a help file: "qthelp://<namespace>/<folder>/<page>",
// every blank as "%20"; empty when the help file cannot be opened.
QString PageAddress(const QString& helpFile, const QString& page);
// The same from the help file's namespace and virtual folder.
QString PageAddress(const QString& namespaceName, const QString& folder, const QString& page);

}  // namespace HelpCollection
