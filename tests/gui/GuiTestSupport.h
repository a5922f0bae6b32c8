#pragma once

#include "../app/TestSettings.h"
#include "KVXZOTGuiApp.h"
#include "MessageScript.h"

#include <QApplication>
#include <QWidget>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

class CChildFrame;
class CMainFrame;

// Every widget test runs with its own configuration store (the
// installation of the repository, English), two made-up serial ports, file
// dialogs answered by the test and the message boxes answered by a script:
// a message the script does not expect fails the test.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The windowed start-up without the splash wait; the main frame, or
    // null when the start-up failed.
    CMainFrame* Start(const QStringList& arguments = {});
    CMainFrame& Frame() { return *m_app->MainFrame(); }
    // Ends the program as TearDown does: open windows go without questions.
    void Stop();
    // Triggers a command as a click would and waits until it has run.
    void Run(int commandId);
    // A new profile from a template, through the New Profile dialog.
    CChildFrame* NewFromTemplate(const QString& name = QStringLiteral("KVX30"));

    // The answers of the next open and save dialogs, in order; each dialog
    // records the proposal it was given.
    void AnswerFileDialogs(const QStringList& paths);
    QStringList fileProposals;

    QString TempPath(const QString& name) const { return m_dir.filePath(name); }
    kvx::registry::RegistryStore& Store() { return m_settings->Store(); }

    kvx::CMessageScript messages;
    QStringList ports = {QStringLiteral("COM3"), QStringLiteral("COM4")};

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScopedTestSettings> m_settings;
    std::unique_ptr<CKVXZOTGuiApp> m_app;
    QStringList m_fileAnswers;
};

// Runs action on the modal dialog of type T as soon as it is open; call it
// before the code that opens the dialog. Fails the test when none opens.
template <typename T>
void WhenModal(std::function<void(T*)> action);

void WhenModalWidget(std::function<bool(QWidget*)> action);
// Fails for every action whose dialog never opened and drops it.
void ExpectNoWaitingDialogActions();

template <typename T>
void WhenModal(std::function<void(T*)> action)
{
    WhenModalWidget([action](QWidget* widget) {
        T* dialog = qobject_cast<T*>(widget);
        if (!dialog)
            return false;
        action(dialog);
        return true;
    });
}

// The child widget of a dialog by object name.
template <typename T>
T* Child(QWidget* parent, const char* name)
{
    T* child = parent->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}
