#pragma once

class QWidget;

// Cut, Copy, Paste, Undo and Redo act on the focused edit control when it
// can be written; otherwise the main window sends them to the tree or the
// document. An edit control here is a line edit, a text edit, or the line
// edit inside a spin box, a date or time field or an editable combo box.
namespace EditRouting {

// The writable edit control behind the focus widget, or null.
QWidget* WritableEditor(QWidget* focus);

bool HasSelection(QWidget* editor);
bool CanPaste(QWidget* editor);
bool CanUndo(QWidget* editor);
bool CanRedo(QWidget* editor);

void Cut(QWidget* editor);
void Copy(QWidget* editor);
void Paste(QWidget* editor);
void Undo(QWidget* editor);
void Redo(QWidget* editor);

}  // namespace EditRouting
