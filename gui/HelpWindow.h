#pragma once

// CHelpWindow: Help > Content and Index: the compiled help of the current
// language in a window of its own: its contents, its index and a full-text
// search beside the page shown. One window at a time; asked again, it comes
// to the front.

#include <QPointer>
#include <QString>
#include <QWidget>

class CHelpBrowser;
class QHelpEngine;
class QLineEdit;
class QTabWidget;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the window on the help file's first page; null (after a
    // message) when the help file cannot be opened.
    static CHelpWindow* ShowContents(const QString& helpFilePath, QWidget* parent);
    // The window open, or null.
    static CHelpWindow* Current();

    CHelpBrowser* Browser() const { return m_pBrowser; }
    QTabWidget* Tabs() const { return m_pTabs; }
    QHelpEngine* Engine() const { return m_pEngine; }
    const QString& HelpFile() const { return m_strHelpFile; }

    // Shows a page of the help ("Settings.htm").
    void ShowPage(const QString& page);

private:
    CHelpWindow(QHelpEngine* engine, const QString& helpFile, QWidget* parent);
    QWidget* ContentsTab();
    QWidget* IndexTab();
    QWidget* SearchTab();

    QHelpEngine* m_pEngine;
    QString m_strHelpFile;
    CHelpBrowser* m_pBrowser;
    QTabWidget* m_pTabs;
};
