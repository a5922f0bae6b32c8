#pragma once

// Stand-ins for the profile tree and the form-view pane of a document
// window until the views library provides them. They offer the interface the
// document window and the main frame use, with every tree command disabled
// and every leave check allowing.

#include <QString>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <optional>

class CKVXZOTDoc;

class CProfileTreePane : public QTreeWidget {
    Q_OBJECT

public:
    CProfileTreePane(CKVXZOTDoc& doc, QWidget* parent = nullptr);

    bool CanAdd() const { return false; }
    bool CanScanAdd() const { return false; }
    bool CanDelete() const { return false; }
    bool CanRename() const { return false; }
    bool CanCut() const { return false; }
    bool CanCopy() const { return false; }
    bool CanPaste() const { return false; }
    void OnAdd() {}
    void OnScanAdd() {}
    void OnDelete() {}
    void OnRename() {}
    void OnCut() {}
    void OnCopy() {}
    void OnPaste() {}
    // Commits a pending label edit; false when it was refused.
    bool CommitLabelEdit() { return true; }
    // Shows the profile again after it was replaced.
    void Reload();

signals:
    void commandStatesChanged();

private:
    CKVXZOTDoc& m_doc;
};

class CProfileFormPane : public QWidget {
    Q_OBJECT

public:
    explicit CProfileFormPane(QWidget* parent = nullptr);

    bool CommitPendingEdits() { return true; }

    std::function<std::optional<QString>(QWidget* parent)> readPrivateIdOverAir;

signals:
    void helpContextChanged(const QString& viewClass, int controlId);
    void statusTextRequested(const QString& text);
};
