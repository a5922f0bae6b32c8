#include "HelpWindow.h"

#include "StringTable.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

void CHelpWindow::ShowContents(const QString& helpFilePath, QWidget* parent)
{
    static QPointer<QDialog> window;
    const QFileInfo help(helpFilePath);
    const QString contents = help.isDir() ? QDir(helpFilePath).filePath(QStringLiteral("index.htm")) : helpFilePath;
    if (!window) {
        window = new QDialog(parent, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(LoadStr(259).remove(QLatin1Char('&')));
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("helpBrowser"));
        browser->setOpenLinks(true);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        window->resize(720, 560);
    }
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    browser->setSource(QUrl::fromLocalFile(contents));
    window->show();
    window->raise();
    window->activateWindow();
}
