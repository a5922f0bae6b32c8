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

void PrintAnswer(const EditOutcome& outcome)
{
    QString line = QStringLiteral("Result: %1").arg(outcome.result);
    if (outcome.HasMessage())
        line += QStringLiteral("\nMessage %1 (style %2): %3").arg(outcome.messageId).arg(outcome.style).arg(outcome.MessageText());
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

EditOutcome ApplyEdit(CKVXZOTDoc& doc, const EditRequest& request, bool confirm)
{
    bool declined = false;
    const EditOutcome outcome = doc.ApplyWithConfirmation(request, [&](const EditOutcome& asking) {
        PrintAnswer(asking);
        declined = !confirm;
        return confirm;
    });
    // A failure has been shown by the document; its trace helps here.
    if (outcome.kind == EditOutcome::Kind::Failed)
        CliError(QStringLiteral("Error %1: %2").arg(outcome.messageId).arg(outcome.trace));
    else if (!declined)
        PrintAnswer(outcome);
    return outcome;
}

int FinishEdit(CKVXZOTDoc& doc, const EditOutcome& outcome, const QString& output)
{
    if (!outcome.IsApplied())
        return 1;
    return SaveEdited(doc, output) ? 0 : 1;
}
