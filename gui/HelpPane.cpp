#include "HelpPane.h"

#include "ControlIds.h"
#include "HelpCollection.h"

CHelpPane::CHelpPane(QWidget* parent) : CHelpBrowser(parent)
{
    setObjectName(QStringLiteral("helpPane"));
}

void CHelpPane::SetSources(const kvx::xml::XmlDocument& map, const QString& helpFile)
{
    m_map = map;
    m_strHelpFile = helpFile;
    SetHelpEngine(HelpCollection::PagesFor(helpFile));
}

QString CHelpPane::PageFor(const kvx::xml::XmlDocument& map, const QString& viewClass, int controlId)
{
    // Only the form views' classes name elements of the document.
    if (map.IsNull() || PageOfView(viewClass.toStdString()).empty())
        return QString();
    const kvx::xml::XmlNode entry =
        map.SelectSingleNode(QStringLiteral("//dfns:%1/dfns:map[@id='%2']").arg(viewClass, QString::number(controlId)));
    return entry.IsNull() ? QString() : entry.GetAttribute(QStringLiteral("pageName")).trimmed();
}

void CHelpPane::ShowContext(const QString& viewClass, int controlId)
{
    m_strViewClass = viewClass;
    m_nControlId = controlId;
    if (isHidden())
        return;
    QString page;
    try {
        page = PageFor(m_map, viewClass, controlId);
    } catch (...) {
        // A broken settings document leaves the pane as it is.
        return;
    }
    const QString address = page.isEmpty() ? QString() : HelpCollection::PageAddress(m_strHelpFile, page);
    Navigate(address.isEmpty() ? kBlank : address);
}

void CHelpPane::Navigate(const QString& address)
{
    if (address == m_strAddress)
        return;
    m_strAddress = address;
    setSource(QUrl(address));
}

void CHelpPane::showEvent(QShowEvent* event)
{
    CHelpBrowser::showEvent(event);
    ShowContext(m_strViewClass, m_nControlId);
}
