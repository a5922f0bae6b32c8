// kvxzot-cli import: a plain XML profile validated and stored as a profile file.

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"
#include "ProfileFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

// The text of an XML file: UTF-16 with its mark, else UTF-8.
bool ReadXmlFile(const QString& path, QString* text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CliError(QStringLiteral("%1: %2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    const auto encoding = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    *text = decoder.decode(bytes);
    if (decoder.hasError()) {
        CliError(QStringLiteral("%1: the file is not UTF-8 or UTF-16 text").arg(path));
        return false;
    }
    return true;
}

int RunImport(QStringList args)
{
    bool missing = false;
    const QString output = TakeOption(args, QStringLiteral("-o"), &missing);
    const bool convert = TakeFlag(args, QStringLiteral("--convert"));
    if (args.size() != 1 || output.isEmpty() || missing) {
        CliError(QStringLiteral("Usage: kvxzot-cli import FILE.xml -o OUT.jub [--convert]"));
        return 2;
    }
    auto app = StartHeadless();
    if (!app)
        return 1;
    QString text;
    if (!ReadXmlFile(args.first(), &text))
        return 1;
    // Loaded like a stored profile (lists sorted, fields of its group added):
    // an unscrambled UTF-16 file is read exactly as written.
    QTemporaryDir work;
    const QString staged = work.filePath(QStringLiteral("import.jub"));
    QByteArray wide("\xFF\xFE", 2);
    wide.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    if (!work.isValid() || !WriteFileAtomically(staged, wide)) {
        CliError(QStringLiteral("import: cannot stage the profile"));
        return 1;
    }
    auto doc = OpenProfile(staged, convert);
    if (!doc || !doc->OnSaveDocument(output))
        return 1;
    return 0;
}

CliCommandRegistrar reg({QStringLiteral("import"), QStringLiteral("store a plain XML profile as a profile file"),
                         QStringLiteral("Usage: kvxzot-cli import FILE.xml -o OUT.jub [--convert]\n\n"
                                        "Reads the XML profile FILE.xml (UTF-8, or UTF-16 with a byte-order mark), loads\n"
                                        "it like a profile file (compatibility check, model-group fields, schema\n"
                                        "validation) and stores it at OUT.jub, scrambled, in the UTF-16 form. A profile of\n"
                                        "the first model group keeps its own generation and byte form unless --convert\n"
                                        "converts it to the latest format. Nothing is written when the profile is refused."),
                         [](const QStringList& args) { return RunImport(args); }});

}  // namespace
