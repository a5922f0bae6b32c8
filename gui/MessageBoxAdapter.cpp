#include "MessageBoxAdapter.h"

#include "ConfigStore.h"
#include "MessageScript.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QThread>

namespace {

kvx::CMessageScript* g_script = nullptr;

// The buttons in the order the style names them.
QList<QMessageBox::StandardButton> ButtonsFor(unsigned style)
{
    switch (style & 0x0F) {
    case kvx::kMbOkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case 2:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case kvx::kMbYesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case kvx::kMbYesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case 5:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
        return {QMessageBox::Ok};
    }
}

QMessageBox::Icon IconFor(unsigned style)
{
    switch (style & 0xF0) {
    case kvx::kMbIconError:
        return QMessageBox::Critical;
    case kvx::kMbIconQuestion:
        return QMessageBox::Question;
    case kvx::kMbIconWarning:
        return QMessageBox::Warning;
    case kvx::kMbIconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int AnswerFor(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return kvx::kIdOk;
    case QMessageBox::Cancel:
        return kvx::kIdCancel;
    case QMessageBox::Abort:
        return 3;
    case QMessageBox::Retry:
        return 4;
    case QMessageBox::Ignore:
        return 5;
    case QMessageBox::Yes:
        return kvx::kIdYes;
    case QMessageBox::No:
        return kvx::kIdNo;
    default:
        return kvx::kIdCancel;
    }
}

int ShowBox(const QString& text, unsigned style, QWidget* parent)
{
    if (!parent)
        parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    QMessageBox box(IconFor(style), QString::fromLatin1(kApplicationName), text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    const QList<QMessageBox::StandardButton> buttons = ButtonsFor(style);
    for (QMessageBox::StandardButton button : buttons)
        box.addButton(button);
    const qsizetype defaultIndex = (style >> 8) & 0x0F;
    box.setDefaultButton(buttons.value(defaultIndex, buttons.first()));
    return AnswerFor(box.exec());
}

}  // namespace

int CMessageBoxAdapter::Show(const QString& text, unsigned style, QWidget* parent)
{
    if (g_script)
        return g_script->Handle(text, style);
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        // Boxes belong to the user-interface thread; a worker waits for the answer.
        int answer = kvx::kIdCancel;
        QPointer<QWidget> owner(parent);
        QMetaObject::invokeMethod(app, [&] { answer = Show(text, style, owner); }, Qt::BlockingQueuedConnection);
        return answer;
    }
    return ShowBox(text, style, parent);
}

void CMessageBoxAdapter::Install()
{
    kvx::SetMessageHandler(HandlerFor(nullptr));
}

kvx::MessageHandler CMessageBoxAdapter::HandlerFor(QWidget* parent)
{
    QPointer<QWidget> owner(parent);
    return [owner](const QString& text, unsigned style) { return Show(text, style, owner); };
}

void CMessageBoxAdapter::SetScript(kvx::CMessageScript* script)
{
    g_script = script;
}

kvx::CMessageScript* CMessageBoxAdapter::Script()
{
    return g_script;
}
