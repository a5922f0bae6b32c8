#include "EditRouting.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace EditRouting {
namespace {

QLineEdit* InnerLineEdit(QWidget* focus)
{
    if (auto* line = qobject_cast<QLineEdit*>(focus))
        return line;
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->isEditable() ? combo->lineEdit() : nullptr;
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(focus))
        return spin->isReadOnly() ? nullptr : spin->findChild<QLineEdit*>();
    return nullptr;
}

// Applies one of the three operations to whichever kind of editor it is.
template <typename Line, typename Text, typename Plain>
auto Visit(QWidget* editor, Line line, Text text, Plain plain)
{
    if (auto* l = qobject_cast<QLineEdit*>(editor))
        return line(l);
    if (auto* t = qobject_cast<QTextEdit*>(editor))
        return text(t);
    return plain(static_cast<QPlainTextEdit*>(editor));
}

}  // namespace

QWidget* WritableEditor(QWidget* focus)
{
    if (!focus)
        return nullptr;
    if (QLineEdit* line = InnerLineEdit(focus))
        return line->isReadOnly() ? nullptr : line;
    if (auto* text = qobject_cast<QTextEdit*>(focus))
        return text->isReadOnly() ? nullptr : text;
    if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
        return plain->isReadOnly() ? nullptr : plain;
    return nullptr;
}

bool HasSelection(QWidget* editor)
{
    return Visit(
        editor, [](QLineEdit* l) { return l->hasSelectedText() && l->echoMode() == QLineEdit::Normal; },
        [](QTextEdit* t) { return t->textCursor().hasSelection(); },
        [](QPlainTextEdit* p) { return p->textCursor().hasSelection(); });
}

bool CanPaste(QWidget*)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

bool CanUndo(QWidget* editor)
{
    return Visit(
        editor, [](QLineEdit* l) { return l->isUndoAvailable(); },
        [](QTextEdit* t) { return t->document()->isUndoAvailable(); },
        [](QPlainTextEdit* p) { return p->document()->isUndoAvailable(); });
}

bool CanRedo(QWidget* editor)
{
    return Visit(
        editor, [](QLineEdit* l) { return l->isRedoAvailable(); },
        [](QTextEdit* t) { return t->document()->isRedoAvailable(); },
        [](QPlainTextEdit* p) { return p->document()->isRedoAvailable(); });
}

void Cut(QWidget* editor)
{
    Visit(editor, [](QLineEdit* l) { l->cut(); }, [](QTextEdit* t) { t->cut(); }, [](QPlainTextEdit* p) { p->cut(); });
}

void Copy(QWidget* editor)
{
    Visit(editor, [](QLineEdit* l) { l->copy(); }, [](QTextEdit* t) { t->copy(); }, [](QPlainTextEdit* p) { p->copy(); });
}

void Paste(QWidget* editor)
{
    Visit(editor, [](QLineEdit* l) { l->paste(); }, [](QTextEdit* t) { t->paste(); }, [](QPlainTextEdit* p) { p->paste(); });
}

void Undo(QWidget* editor)
{
    Visit(editor, [](QLineEdit* l) { l->undo(); }, [](QTextEdit* t) { t->undo(); }, [](QPlainTextEdit* p) { p->undo(); });
}

void Redo(QWidget* editor)
{
    Visit(editor, [](QLineEdit* l) { l->redo(); }, [](QTextEdit* t) { t->redo(); }, [](QPlainTextEdit* p) { p->redo(); });
}

}  // namespace EditRouting
