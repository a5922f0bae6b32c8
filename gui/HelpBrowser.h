#pragma once

// CHelpBrowser: a text browser that shows the pages of a compiled help file
// (qthelp:// addresses), its pictures and style sheet included.

#include <QHelpEngineCore>
#include <QPointer>
#include <QTextBrowser>

class CHelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit CHelpBrowser(QWidget* parent = nullptr);

    void SetHelpEngine(QHelpEngineCore* engine);
    QHelpEngineCore* HelpEngine() const { return m_pEngine; }

    QVariant loadResource(int type, const QUrl& name) override;

private:
    QPointer<QHelpEngineCore> m_pEngine;
};
