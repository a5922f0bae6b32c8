#include "CliEdit.h"

#include "CliCommand.h"
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
