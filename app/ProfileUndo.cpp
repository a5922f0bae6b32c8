#include "ProfileUndo.h"

#include "KVXZOTDoc.h"

CProfileSnapshotCommand::CProfileSnapshotCommand(CKVXZOTDoc& doc, const QString& text, QByteArray before, QByteArray after,
                                                 bool inMacro)
    : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after)), m_bInMacro(inMacro)
{
}

bool CProfileSnapshotCommand::InMacro(const QUndoStack& stack)
{
    // canUndo() is false while a macro is composed, and then the open macro
    // is already counted but not yet passed. Outside a macro, count() >
    // index() with canUndo() false only at index 0, where there is nothing
    // a step could merge with.
    return !stack.canUndo() && stack.count() > stack.index();
}

bool CProfileSnapshotCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const CProfileSnapshotCommand*>(other);
    if (!next || &next->m_doc != &m_doc)
        return false;
    m_after = next->m_after;
    return true;
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
