#pragma once

// A report template of the installation: HTML in code page 1252 with the
// markers "<!-- report content begin -->" (the content goes right after it),
// "REPORT_TITLE" and "MODEL_PIC" (the model value naming its picture).

#include <QString>

class CReportTemplate {
public:
    // Reads and splits a template; raises CKVXZOTException 101 "Open template
    // file failed" when it cannot be read. Without the content marker the
    // content goes at the end.
    static CReportTemplate Read(const QString& path);

    // The head with its markers replaced, the content, then the tail.
    // `title` and `model` are placed as they are (HTML).
    QString Compose(const QString& title, const QString& model, const QString& content) const;

    const QString& Head() const { return m_strHead; }
    const QString& Tail() const { return m_strTail; }

private:
    QString m_strHead;   // up to and including the content marker
    QString m_strTail;
};
