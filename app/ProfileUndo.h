#pragma once

// One undo step of a profile: the profile text before and after an applied
// edit, compressed. Undo and redo restore the text through the document's
// data model; the first redo (QUndoStack::push) finds the edit already done.

#include <QByteArray>
#include <QUndoCommand>

class CKVXZOTDoc;

class CProfileSnapshotCommand final : public QUndoCommand {
public:
    CProfileSnapshotCommand(CKVXZOTDoc& doc, const QString& text, QByteArray before, QByteArray after);

    void undo() override;
    void redo() override;

private:
    CKVXZOTDoc& m_doc;
    QByteArray m_before;
    QByteArray m_after;
    bool m_bDone = true;   // pushed after the edit was applied
};
