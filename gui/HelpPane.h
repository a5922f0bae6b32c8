#pragma once

// CHelpPane: the help pane under the form view of a profile window. It
// follows the form view pane (CFormViewPane::helpContextChanged): it shows
// the page that the help-pane settings document ("HelpPane.stv") assigns to
// the active view's class and its focused control, from the compiled help
// of the current language; a view or control without a page shows a blank
// page. A page already shown is not loaded again. While the pane is hidden
// it only remembers the context and catches up when shown.

#include "HelpBrowser.h"
#include "XmlService.h"

#include <QString>

class CHelpPane : public CHelpBrowser {
    Q_OBJECT
public:
    static inline const QString kBlank = QStringLiteral("about:blank");

    explicit CHelpPane(QWidget* parent = nullptr);

    // The help-pane settings document and the help file.
    void SetSources(const kvx::xml::XmlDocument& map, const QString& helpFile);
    // The page a view class and control identifier are mapped to; empty
    // when none (or the class is not a form view's).
    static QString PageFor(const kvx::xml::XmlDocument& map, const QString& viewClass, int controlId);

    // The address shown: a qthelp:// address or "about:blank" (empty before
    // the first page).
    const QString& Address() const { return m_strAddress; }

public slots:
    // The active form view or its focused control changed.
    void ShowContext(const QString& viewClass, int controlId);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Navigate(const QString& address);

    kvx::xml::XmlDocument m_map;
    QString m_strHelpFile;
    QString m_strViewClass;
    int m_nControlId = 0;
    QString m_strAddress;
};
