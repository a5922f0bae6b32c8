#include "CliDocument.h"

#include "CliCommand.h"
#include "MessageIds.h"
#include "Messages.h"
#include "ProfileFile.h"
#include "ProfileTextFile.h"
#include "StringTable.h"

#include <QTemporaryDir>
#include <QTextStream>

QString TakeOption(QStringList& args, const QString& name, bool* missing)
{
    const qsizetype at = args.indexOf(name);
    if (missing)
        *missing = false;
    if (at < 0)
        return QString();
    if (at + 1 >= args.size()) {
        if (missing)
            *missing = true;
        args.removeAt(at);
        return QString();
    }
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    // An empty value ("-o ''") names nothing: as if it were missing.
    if (value.isEmpty() && missing)
        *missing = true;
    return value;
}

bool TakeFlag(QStringList& args, const QString& name)
{
    return args.removeAll(name) > 0;
}

std::unique_ptr<CKVXZOTDoc> NewCliDocument(bool convert)
{
    auto doc = std::make_unique<CKVXZOTDoc>();
    CKVXZOTDoc::Callbacks callbacks;
    callbacks.askConvert = [convert] { return convert; };
    doc->SetCallbacks(callbacks);
    return doc;
}

std::unique_ptr<CKVXZOTDoc> OpenProfile(const QString& path, bool convert)
{
    auto doc = NewCliDocument(convert);
    if (!doc->OnOpenDocument(path))
        return nullptr;
    return doc;
}

std::unique_ptr<CKVXZOTDoc> OpenProfileAnyForm(const QString& path, bool convert)
{
    QString text, error;
    if (!ReadProfileText(path, text, &error)) {
        kvx::ShowMessage(LoadStr(kMsgInvalidProfile) + QLatin1Char('\n') + error);
        return nullptr;
    }
    // Staged as an unscrambled UTF-16 file, which the data model reads
    // exactly as written and treats like any stored profile.
    QByteArray wide("\xFF\xFE", 2);
    wide.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    if (wide.size() > kMaxProfileFileBytes) {
        kvx::ShowMessage(LoadStr(kMsgInvalidProfile) + QLatin1Char('\n')
                         + QStringLiteral("The profile is larger than a profile file may be (%1 bytes in its stored form).").arg(kMaxProfileFileBytes));
        return nullptr;
    }
    QTemporaryDir work;
    const QString staged = work.filePath(QStringLiteral("profile.jub"));
    if (!work.isValid() || !WriteFileAtomically(staged, wide, &error)) {
        CliError(QStringLiteral("cannot stage the profile: %1").arg(error));
        return nullptr;
    }
    return OpenProfile(staged, convert);
}

bool WriteTextOutput(const QString& path, const QString& text)
{
    if (path.isEmpty()) {
        QTextStream(stdout) << text << '\n';
        return true;
    }
    QString error;
    if (!WriteFileAtomically(path, text.toUtf8(), &error)) {
        CliError(QStringLiteral("%1: %2").arg(path, error));
        return false;
    }
    return true;
}

ProfileCounts CountProfile(CKVXZOTDoc& doc)
{
    const kvx::xml::XmlDocument& profile = doc.GetDataModel().GetProfileDoc();
    ProfileCounts counts;
    counts.publicGroups = profile.SelectNodes(QStringLiteral("//dfns:PublicGroups/dfns:PublicGroup")).Length();
    counts.privateGroups = profile.SelectNodes(QStringLiteral("//dfns:PrivateGroups/dfns:PrivateGroup")).Length();
    counts.privates = profile.SelectNodes(QStringLiteral("//dfns:Privates/dfns:Private")).Length();
    counts.textMessages = profile.SelectNodes(QStringLiteral("//dfns:TextMessages/dfns:TextMessage")).Length();
    return counts;
}
