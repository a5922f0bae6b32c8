#include "HelpCollection.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QHash>
#include <QHelpEngine>
#include <QTemporaryDir>
#include <QUrl>

namespace HelpCollection {

namespace {

struct OpenHelp {
    QHelpEngine* engine = nullptr;
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

const OpenHelp* Open(const QString& helpFile)
{
    const QString path = QFileInfo(helpFile).absoluteFilePath();
    auto it = OpenFiles().constFind(path);
    if (it != OpenFiles().constEnd())
        return it->engine ? &*it : nullptr;

    OpenHelp open;
    const QString namespaceName = QFileInfo(path).isFile() ? QHelpEngineCore::namespaceName(path) : QString();
    const QString folder = CollectionFolder();
    if (!namespaceName.isEmpty() && !folder.isEmpty() && qApp) {
        const QString name = QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Md5).toHex());
        auto* engine = new QHelpEngine(folder + QLatin1Char('/') + name + QStringLiteral(".qhc"), qApp);
        engine->setReadOnly(false);
        engine->setUsesFilterEngine(true);
        if (engine->setupData() &&
            (engine->registeredDocumentations().contains(namespaceName) || engine->registerDocumentation(path))) {
            const QList<QUrl> files = engine->files(namespaceName, QString());
            open.engine = engine;
            open.namespaceName = namespaceName;
            open.folder = files.isEmpty() ? QString() : files.first().path().section(QLatin1Char('/'), 1, 1);
        } else {
            delete engine;
        }
    }
    it = OpenFiles().insert(path, open);
    return it->engine ? &*it : nullptr;
}

}  // namespace

QHelpEngine* EngineFor(const QString& helpFile)
{
    const OpenHelp* open = helpFile.isEmpty() ? nullptr : Open(helpFile);
    return open ? open->engine : nullptr;
}

QString PageAddress(const QString& helpFile, const QString& page)
{
    const OpenHelp* open = helpFile.isEmpty() ? nullptr : Open(helpFile);
    return open ? PageAddress(open->namespaceName, open->folder, page) : QString();
}

QString PageAddress(const QString& namespaceName, const QString& folder, const QString& page)
{
    QString address = QStringLiteral("qthelp://%1/%2/%3").arg(namespaceName, folder, page);
    return address.replace(QLatin1Char(' '), QStringLiteral("%20"));
}

}  // namespace HelpCollection
