#include "ProfileUndo.h"

#include "KVXZOTDoc.h"

CProfileSnapshotCommand::CProfileSnapshotCommand(CKVXZOTDoc& doc, const QString& text, QByteArray before, QByteArray after)
    : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
{
}

void CProfileSnapshotCommand::undo()
{
    m_doc.RestoreSnapshot(m_before);
    m_bDone = false;
}

void CProfileSnapshotCommand::redo()
{
    if (m_bDone)
        return;
    m_doc.RestoreSnapshot(m_after);
    m_bDone = true;
}
