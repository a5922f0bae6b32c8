#include "HelpWindow.h"

#include "GuiText.h"
#include "HelpBrowser.h"
#include "HelpCollection.h"
#include "MessageBoxAdapter.h"
#include "MessageFormat.h"
#include "StringTable.h"

#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPointer<CHelpWindow>& OpenWindow()
{
    static QPointer<CHelpWindow> window;
    return window;
}

}  // namespace

CHelpWindow* CHelpWindow::Current()
{
    return OpenWindow();
}

CHelpWindow* CHelpWindow::ShowContents(const QString& helpFilePath, QWidget* parent)
{
    QPointer<CHelpWindow>& window = OpenWindow();
    if (window && window->HelpFile() != helpFilePath)
        delete window.data();
    if (!window) {
        QHelpEngine* engine = HelpCollection::EngineFor(helpFilePath);
        if (!engine) {
            CMessageBoxAdapter::Show(FormatMessage(LoadStr(GuiText::HelpFileMissing), {helpFilePath}),
                                     kvx::kMbOk | kvx::kMbIconWarning, parent);
            return nullptr;
        }
        window = new CHelpWindow(engine, helpFilePath, parent);
        window->ShowPage(QStringLiteral("index.htm"));
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

CHelpWindow::CHelpWindow(QHelpEngine* engine, const QString& helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), m_pEngine(engine), m_strHelpFile(helpFile)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(LoadStr(259).remove(QLatin1Char('&')));

    m_pBrowser = new CHelpBrowser;
    m_pBrowser->setObjectName(QStringLiteral("helpBrowser"));
    m_pBrowser->SetHelpEngine(engine);
    m_pBrowser->setAccessibleName(windowTitle());

    m_pTabs = new QTabWidget;
    m_pTabs->addTab(ContentsTab(), LoadStr(GuiText::HelpContents));
    m_pTabs->addTab(IndexTab(), LoadStr(GuiText::HelpIndex));
    m_pTabs->addTab(SearchTab(), LoadStr(GuiText::HelpSearch));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_pTabs);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(900, 620);
}

QWidget* CHelpWindow::ContentsTab()
{
    QHelpContentWidget* contents = m_pEngine->contentWidget();
    contents->setAccessibleName(LoadStr(GuiText::HelpContents));
    connect(contents, &QHelpContentWidget::linkActivated, m_pBrowser, [this](const QUrl& url) { m_pBrowser->setSource(url); });
    connect(m_pEngine->contentModel(), &QHelpContentModel::contentsCreated, contents, [contents] { contents->expandToDepth(0); });
    return contents;
}

QWidget* CHelpWindow::IndexTab()
{
    auto* tab = new QWidget;
    auto* label = new QLabel(LoadStr(GuiText::HelpLookFor));
    auto* filter = new QLineEdit;
    filter->setObjectName(QStringLiteral("indexFilter"));
    label->setBuddy(filter);
    filter->setAccessibleName(label->text().remove(QLatin1Char('&')));
    QHelpIndexWidget* index = m_pEngine->indexWidget();
    index->setAccessibleName(LoadStr(GuiText::HelpIndex));
    connect(filter, &QLineEdit::textChanged, index, [index](const QString& text) { index->filterIndices(text); });
    connect(filter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, m_pBrowser,
            [this](const QHelpLink& document) { m_pBrowser->setSource(document.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, m_pBrowser, [this](const QList<QHelpLink>& documents) {
        if (!documents.isEmpty())
            m_pBrowser->setSource(documents.first().url);
    });
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(label);
    layout->addWidget(filter);
    layout->addWidget(index);
    return tab;
}

QWidget* CHelpWindow::SearchTab()
{
    QHelpSearchEngine* search = m_pEngine->searchEngine();
    auto* tab = new QWidget;
    QHelpSearchQueryWidget* query = search->queryWidget();
    QHelpSearchResultWidget* results = search->resultWidget();
    connect(query, &QHelpSearchQueryWidget::search, search, [search, query] { search->search(query->searchInput()); });
    connect(results, &QHelpSearchResultWidget::requestShowLink, m_pBrowser, [this](const QUrl& url) { m_pBrowser->setSource(url); });
    // The full-text index is built in the background once per process.
    connect(search, &QHelpSearchEngine::indexingStarted, query, [query] { query->setEnabled(false); });
    connect(search, &QHelpSearchEngine::indexingFinished, query, [query] { query->setEnabled(true); });
    search->scheduleIndexDocumentation();
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(query);
    layout->addWidget(results, 1);
    return tab;
}

void CHelpWindow::ShowPage(const QString& page)
{
    m_pBrowser->setSource(QUrl(HelpCollection::PageAddress(m_strHelpFile, page)));
}
