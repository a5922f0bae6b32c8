#pragma once

// CPrivateView: edits one private: name, channel, ID (typed, scanned or read
// over the air from another radio), home group, group-only flag and ringer.
//
// The scanner flow: after Scan(Add) the new private's ID field has the focus
// and the view is scanning; the scanner types the ID and Enter. Enter commits
// the ID; an accepted ID asks the tree for the next private while the folder
// has room, a refused one leaves the focus in the ID field with the rules'
// message, and the next Enter tries again.
//
// The private's own scroll list (the frame below the fields): a check box
// switches it on and off, and a two-list editor composes it from all
// contacts (the private itself included); its entries name the contacts.
// Switched off, its lists are disabled but keep their entries.

#include "ContactEntryView.h"
#include "ContactTable.h"
#include "TwoListEditor.h"

#include <memory>

namespace Ui {
class PrivateView;
}
class CPrivateIdValidator;

class CPrivateView : public CContactEntryView {
    Q_OBJECT
public:
    explicit CPrivateView(const QString& captionSuffix, QWidget* parent = nullptr);
    ~CPrivateView() override;

    void OnEntryAdded(NodeKind kind) override;
    bool IsScanning() const { return m_bScanning; }

protected:
    void LoadData() override;
    QString CaptionText() const override;
    void ReloadName() override;
    void NameCommitted() override;
    QString OtherFaults() override;
    void FocusOtherFault() override;
    bool FormKeyPress(QWidget* control, QKeyEvent* event) override;

private:
    void FillHomeGroupChoice();
    void FillRingerChoice();
    // The ID field's commit; fromIdField marks an accepted ID for the
    // scanner flow.
    bool CommitId(bool fromIdField);
    void OnIdEdited();
    void OnReadId();
    void OnChannelChosen(int position);
    void OnHomeGroupChosen(int position);
    void OnGroupOnlyClicked();
    void OnRingerChosen(int position);
    void OnScannedIdEntered();
    // The private scroll list: its check box and lists follow the profile.
    void LoadScrollList();
    void ReloadScrollList();
    void OnScrollEnableClicked(bool checked);
    CTwoListEditor::Step AddToScrollList(const CTwoListEditor::Entry& entry);
    CTwoListEditor::Step RemoveFromScrollList(const CTwoListEditor::Entry& entry);

    std::unique_ptr<Ui::PrivateView> ui;
    CPrivateIdValidator* m_pIdValidator;
    CTwoListEditor* m_pScrollEditor;
    CContactTable m_scrollTable;
    QString m_strCaptionSuffix;
    int m_nChannelPosition = -1;
    int m_nHomeGroupPosition = -1;
    bool m_bScanning = false;
    bool m_bIdAccepted = false;
};
