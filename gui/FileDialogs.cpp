#include "FileDialogs.h"

#include "KVXZOTDoc.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace FileDialogs {
namespace {

Override g_override;
QString g_lastFolder;

// The extension of a filter's first pattern ("PDF (*.pdf)" → "pdf"); empty
// for a pattern that names no single extension.
QString FilterSuffix(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)[ ;)]"));
    return pattern.match(filter).captured(1);
}

QString Run(QWidget* parent, bool save, const QString& proposed, const QString& filterPairs, const QString& defaultSuffix)
{
    if (g_override)
        return g_override(save, proposed);
    QFileDialog dialog(parent);
    dialog.setNameFilters(QtFilter(filterPairs).split(QStringLiteral(";;")));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        // A name typed without an extension takes the chosen type's.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, defaultSuffix](const QString& filter) {
            const QString suffix = FilterSuffix(filter);
            dialog.setDefaultSuffix(suffix.isEmpty() ? defaultSuffix : suffix);
        });
        const QFileInfo info(proposed);
        if (info.isAbsolute())
            dialog.setDirectory(info.absolutePath());
        else if (!g_lastFolder.isEmpty())
            dialog.setDirectory(g_lastFolder);
        dialog.selectFile(info.fileName());
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (!g_lastFolder.isEmpty())
            dialog.setDirectory(g_lastFolder);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().first();
    g_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

}  // namespace

QString AskOpenPath(QWidget* parent)
{
    return Run(parent, false, QString(), CKVXZOTDoc::OpenFilter(), QString());
}

QString AskSavePath(QWidget* parent, const QString& proposed)
{
    return Run(parent, true, proposed, CKVXZOTDoc::SaveFilter(), CKVXZOTDoc::DefaultExtension());
}

QString AskSavePath(QWidget* parent, const QString& proposed, const QString& filterPairs)
{
    return Run(parent, true, proposed, filterPairs, FilterSuffix(QtFilter(filterPairs)));
}

QString QtFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (description.isEmpty())
            break;
        filters << (description.contains(QLatin1Char('(')) ? description : QStringLiteral("%1 (%2)").arg(description, pattern));
    }
    return filters.join(QStringLiteral(";;"));
}

void SetOverride(Override answer)
{
    g_override = std::move(answer);
}

}  // namespace FileDialogs
