#include "CliEdit.h"

#include "CliCommand.h"
#include "CliDocument.h"
#include "CliStartup.h"
#include "KVXZOTDoc.h"
#include "KVXZOTException.h"
#include "StringTable.h"
#include "XmlService.h"

#include <functional>

CDataItem SelectItem(CKVXZOTDoc& doc, const QString& xpath)
{
    CDataItem& root = doc.GetRootItem();
    const kvx::xml::XmlNode node = root.GetNode().SelectSingleNode(xpath);
    if (node.IsNull() || node.Type() != kvx::xml::NodeType::Element) {
        CliError(QStringLiteral("No element matches %1").arg(xpath));
        return {};
    }
    return CDataItem(root.GetScript(), node);
}

void PrintAnswer(qint32 result, qint32 r1, qint32 r2)
{
    QString line = QStringLiteral("Result: %1").arg(result);
    if (r1 != 0)
        line += QStringLiteral("\nMessage %1 (style %2): %3").arg(r1).arg(r2).arg(LoadStr(r1));
    CliPrint(line);
}

bool SaveEdited(CKVXZOTDoc& doc, const QString& output)
{
    if (output.isEmpty())
        return true;
    if (!doc.OnSaveDocument(output)) {
        CliError(QStringLiteral("Could not save %1").arg(output));
        return false;
    }
    CliPrint(QStringLiteral("Saved %1").arg(output));
    return true;
}

int RunEdit(const std::function<int()>& edit)
{
    try {
        return edit();
    } catch (const CKVXZOTException& e) {
        CliError(QStringLiteral("Error %1: %2").arg(e.GetCode()).arg(e.GetTrace()));
    } catch (const std::exception& e) {
        CliError(QString::fromUtf8(e.what()));
    }
    return 1;
}

std::unique_ptr<CKVXZOTDoc> StartEdit(const QString& path, std::unique_ptr<CKVXZOTApp>& app)
{
    app = StartHeadless();
    if (!app)
        return nullptr;
    return OpenProfile(path);
}

qint32 CallConfirmed(bool confirm, const std::function<qint32(qint32 n, qint32& r1, qint32& r2)>& call)
{
    constexpr qint32 kAskConfirmation = 2;
    qint32 r1 = 0, r2 = 0;
    qint32 result = call(0, r1, r2);
    PrintAnswer(result, r1, r2);
    if (result == kAskConfirmation && confirm) {
        result = call(1, r1, r2);
        PrintAnswer(result, r1, r2);
    }
    return result;
}

int FinishEdit(CKVXZOTDoc& doc, qint32 result, const QString& output)
{
    if (result != 0)
        return 1;
    doc.SetModifiedFlag();
    return SaveEdited(doc, output) ? 0 : 1;
}
