#pragma once

// Writing reports: the saved file the report window opens, and copies of it
// elsewhere (the window's Save As, the command-line tool).

#include <QByteArray>
#include <QString>

struct ReportFolders {
    QString reportFolder;   // the installation's "Report" folder: templates, pictures, style sheets
    QString cacheFolder;    // where reports are saved: the user's cache folder
};

// The installation's "Report" folder and the user's cache folder for reports.
ReportFolders DefaultReportFolders(const QString& installPath);

// The bytes of a saved report: FF FE, then the HTML as UTF-16 little-endian.
QByteArray ReportFileBytes(const QString& html);

// Writes a report into the cache folder together with copies of the report
// folder's pictures and style sheets (replacing older copies). Returns the
// path written; raises CKVXZOTException 101 "Open script file failed" when
// the cache folder does not take it.
QString SaveReport(const ReportFolders& folders, const QString& fileName, const QString& html);

// Copies a saved report to `target` with the pictures and style sheets it
// names (plain file names beside it), so that the copy shows the same.
// False with `error` set when something cannot be written.
bool CopyReport(const QString& savedPath, const QString& target, QString* error);
