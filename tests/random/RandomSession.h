#pragma once

// A user who does random things in the real main window: moves through the
// profile tree, edits fields with hostile text, adds, deletes, renames,
// undoes and redoes, saves, closes and reopens, and gives any answer to
// every message. Every save must give a file that opens again, validates,
// converts for the radio and holds what the window held.

#include "HostileText.h"
#include "MessageScript.h"

#include <QPointer>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <deque>
#include <memory>

class CChildFrame;
class CKVXZOTDoc;
class CKVXZOTGuiApp;
class CMainFrame;
class QTimer;
class QWidget;

class CRandomSession {
public:
    CRandomSession(quint64 seed, const QString& folder);
    ~CRandomSession();

    // Opens the main window with the maximal profile; false (with Findings())
    // when it cannot.
    bool Start(const QString& profilePath);
    // One random action; false once something was found.
    bool Step();

    const QStringList& Findings() const { return m_findings; }
    // The last actions, oldest first.
    QStringList RecentActions() const { return {m_log.begin(), m_log.end()}; }
    int Saves() const { return m_nSaves; }
    // Every message shown to the user.
    const QStringList& MessagesShown() const { return m_messages.Shown(); }

    // What a saved profile holds, in a comparable form: the entries of the
    // contact folders and the text messages, sorted.
    static QStringList Contents(CKVXZOTDoc& doc);

private:
    CMainFrame& Frame() const;
    CChildFrame* Child();
    void Log(const QString& action);
    void Found(const QString& finding);
    void Settle();
    void Command(int commandId, const char* name);
    void TreeMove();
    void FieldEdit();
    void Rename();
    void CloseAndReopen();
    void EnterText(QWidget* field, bool paste);
    void Watch(CChildFrame* child);
    void Validate(const QString& path, const QStringList& expected);
    void CloseModals();

    QRandomGenerator m_random;
    QString m_strFolder;
    QString m_strLastSaved;
    kvx::CMessageScript m_messages;
    std::unique_ptr<CKVXZOTGuiApp> m_app;
    QTimer* m_pModalCloser = nullptr;
    QSet<CChildFrame*> m_watched;
    std::deque<QString> m_log;
    QStringList m_findings;
    int m_nSaves = 0;
    qsizetype m_nMessagesSeen = 0;
};
