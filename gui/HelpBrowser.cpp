#include "HelpBrowser.h"

#include <QHelpEngineCore>

CHelpBrowser::CHelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenExternalLinks(false);
}

void CHelpBrowser::SetHelpEngine(QHelpEngineCore* engine)
{
    m_pEngine = engine;
}

QVariant CHelpBrowser::loadResource(int type, const QUrl& name)
{
    if (name.scheme() == QLatin1String("about"))
        return QStringLiteral("<html><body></body></html>");
    if (name.scheme() == QLatin1String("qthelp"))
        return m_pEngine ? QVariant(m_pEngine->fileData(name)) : QVariant();
    return QTextBrowser::loadResource(type, name);
}
