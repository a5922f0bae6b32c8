#pragma once

// One undo step of a profile: the profile text before and after an applied
// edit, compressed. Undo and redo restore the text through the document's
// data model; the first redo (QUndoStack::push) finds the edit already done.
//
// The steps of one macro (a command made of several edits) merge into one
// pair: the profile between two of them need not be one that opens (a group
// link before its pid is set), so undo must never restore it.

#include <QByteArray>
#include <QUndoCommand>
#include <QUndoStack>

class CKVXZOTDoc;

class CProfileSnapshotCommand final : public QUndoCommand {
public:
    // inMacro: pushed while the stack composes a macro (InMacro()).
    CProfileSnapshotCommand(CKVXZOTDoc& doc, const QString& text, QByteArray before, QByteArray after, bool inMacro);

    void undo() override;
    void redo() override;
    int id() const override { return m_bInMacro ? kMacroStepId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

    // Whether a stack is composing a macro: it then refuses to undo.
    static bool InMacro(const QUndoStack& stack);

private:
    CKVXZOTDoc& m_doc;
    QByteArray m_before;
    QByteArray m_after;
    bool m_bDone = true;   // pushed after the edit was applied
    bool m_bInMacro;
    static constexpr int kMacroStepId = 0x4B565853;
};
