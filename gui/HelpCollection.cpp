#include "HelpCollection.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHash>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QPointer>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

namespace HelpCollection {

namespace {

struct OpenHelp {
    QHelpEngineCore* pages = nullptr;
    QHelpEngine* full = nullptr;
    QString namespaceName;
    QString folder;
};

QHash<QString, OpenHelp>& OpenFiles()
{
    static QHash<QString, OpenHelp> files;
    return files;
}

QString CollectionFolder()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kvxzot-help-XXXXXX"));
    return folder.isValid() ? folder.path() : QString();
}

// The full engines build their contents and index in threads that read the
// collection; deleting an engine under them crashes. Their owner waits for
// that work (a few seconds at most) when the application object is
// destroyed. The search indexer stops itself.
class EngineOwner : public QObject {
public:
    using QObject::QObject;
    ~EngineOwner() override
    {
        for (QHelpEngine* engine : findChildren<QHelpEngine*>(Qt::FindDirectChildrenOnly)) {
            const QDeadlineTimer deadline(5000);
            while (!deadline.hasExpired() &&
                   (engine->contentModel()->isCreatingContents() || engine->indexModel()->isCreatingIndex()))
                QThread::msleep(10);
        }
    }
};

EngineOwner* Owner()
{
    static QPointer<EngineOwner> owner;
    if (!owner && qApp)
        owner = new EngineOwner(qApp);
    return owner;
}

// Sets up an engine on its own collection file; false leaves it unusable.
bool SetUp(QHelpEngineCore* engine, const QString& helpFile, const QString& namespaceName)
{
    engine->setReadOnly(false);
    return engine->setupData() && (engine->registeredDocumentations().contains(namespaceName) ||
                                   engine->registerDocumentation(helpFile));
}

QString CollectionFile(const QString& helpFile, const QString& kind)
{
    const QString folder = CollectionFolder();
    if (folder.isEmpty())
        return QString();
    const QString name = QString::fromLatin1(QCryptographicHash::hash(helpFile.toUtf8(), QCryptographicHash::Md5).toHex());
    return folder + QLatin1Char('/') + name + kind + QStringLiteral(".qhc");
}

OpenHelp* Open(const QString& helpFile)
{
    if (helpFile.isEmpty())
        return nullptr;
    const QString path = QFileInfo(helpFile).absoluteFilePath();
    auto it = OpenFiles().find(path);
    if (it != OpenFiles().end())
        return it->pages ? &*it : nullptr;

    OpenHelp open;
    const QString namespaceName = QFileInfo(path).isFile() ? QHelpEngineCore::namespaceName(path) : QString();
    const QString collection = CollectionFile(path, QStringLiteral("-pages"));
    if (!namespaceName.isEmpty() && !collection.isEmpty() && qApp) {
        auto* engine = new QHelpEngineCore(collection, qApp);
        if (SetUp(engine, path, namespaceName)) {
            const QList<QUrl> files = engine->files(namespaceName, QString());
            open.pages = engine;
            open.namespaceName = namespaceName;
            open.folder = files.isEmpty() ? QString() : files.first().path().section(QLatin1Char('/'), 1, 1);
        } else {
            delete engine;
        }
    }
    it = OpenFiles().insert(path, open);
    return it->pages ? &*it : nullptr;
}

}  // namespace

QHelpEngineCore* PagesFor(const QString& helpFile)
{
    const OpenHelp* open = Open(helpFile);
    return open ? open->pages : nullptr;
}

QHelpEngine* EngineFor(const QString& helpFile)
{
    OpenHelp* open = Open(helpFile);
    if (!open)
        return nullptr;
    if (!open->full) {
        EngineOwner* owner = Owner();
        const QString path = QFileInfo(helpFile).absoluteFilePath();
        const QString collection = CollectionFile(path, QStringLiteral("-full"));
        if (!owner || collection.isEmpty())
            return nullptr;
        auto* engine = new QHelpEngine(collection, owner);
        engine->setUsesFilterEngine(true);
        if (!SetUp(engine, path, open->namespaceName)) {
            delete engine;
            return nullptr;
        }
        open->full = engine;
    }
    return open->full;
}

QString PageAddress(const QString& helpFile, const QString& page)
{
    const OpenHelp* open = Open(helpFile);
    return open ? PageAddress(open->namespaceName, open->folder, page) : QString();
}

QString PageAddress(const QString& namespaceName, const QString& folder, const QString& page)
{
    QString address = QStringLiteral("qthelp://%1/%2/%3").arg(namespaceName, folder, page);
    return address.replace(QLatin1Char(' '), QStringLiteral("%20"));
}

}  // namespace HelpCollection
