#pragma once

// CBaseView: the frame of every form view in the right pane of a profile
// window. A view is a scrollable form built from its Qt Designer file; the
// frame adds what all views share:
//
// - the layout: the form is a centred column that never comes closer than
//   20 px to the left edge (the pane scrolls instead); the view's title is
//   taken out of the form and stretched across the top as a 28 px band with
//   10 px margins; the view's background is white;
// - the layout table, kept in the form file as dynamic properties:
//   `controlId` (the identifier from ControlIds.h) on every control,
//   `layoutKind` 2 on the title, 1 on section headers, 3 on group frames, and
//   `textId` (a string-table number) on every control whose text comes from
//   the string table;
// - fonts and colours: the title bold 12 pt, section headers weight 600, both
//   white on a (192, 192, 255) band;
// - the GUI page of the view's page name, from the document's visible
//   settings: a listed control with isVisible 0 is hidden, a control the page
//   does not list is hidden, and nothing is ever shown by this step; the
//   layouts close the gaps;
// - accessible names: an input named by a label (its buddy) gets that
//   label's text as its accessible name;
// - the virtual operations the tree and the pane call: LeaveCheck,
//   OnEntryAdded, LoadData, RefreshCaption, SetupFonts, OnDocumentUpdate.
//
// Life cycle: the pane constructs a view (the subclass builds its form from
// its Designer file in its constructor), then calls InitialUpdate once, which
// applies all of the above and ends with LoadData. A view lives until the
// tree selects another node.
//
// Failures: the frame's own steps raise CKVXZOTException 20000 (a control of
// the layout table cannot be coloured) or 20002 (no title to lay out); a
// view's LoadData may raise its own code (20004 for the radio information).
// The pane reports them. Views call Guarded() around their event handlers:
// a CKVXZOTException shows its text, a ProfileDataFault takes the profile
// data error path (message 10113, the profile window closes unsaved).

#include "DataItem.h"
#include "DocumentEdit.h"
#include "KVXZOTException.h"
#include "TreeNodeKinds.h"
#include "TwoListEditor.h"

#include <QScrollArea>
#include <QString>
#include <QVariant>

class CFormViewPane;
class CKVXZOTDoc;
class QLabel;

namespace kvx::xml {
class XmlDocument;
}

// Something the view needs is missing from the profile, or a write that the
// rules may not refuse was refused.
struct ProfileDataFault {};

class CBaseView : public QScrollArea {
    Q_OBJECT
public:
    // Answers of the leave check.
    enum LeaveResult { LeaveDeleted = -1, LeaveRefused = 0, LeaveAllowed = 1 };
    // Kinds of the layout table.
    enum LayoutKind { LayoutSection = 1, LayoutTitle = 2, LayoutFrame = 3 };

    // viewClass names the class as the GUI pages and the help pane know it
    // ("CPrivateView"); the page name follows from it.
    explicit CBaseView(const char* viewClass, QWidget* parent = nullptr);
    ~CBaseView() override;

    const QString& ViewClass() const { return m_strViewClass; }
    const QString& PageName() const { return m_strPage; }
    int EntryIndex() const { return m_nEntryIndex; }

    // Keeps the pane and entry index, sets texts, fonts and colours, applies
    // the GUI page and loads the data. Raises CKVXZOTException or
    // ProfileDataFault; the pane reports them.
    void InitialUpdate(CFormViewPane* pane, int entryIndex);

    // Run before the tree selection moves and before Save, Save As, Write,
    // Report and Scan(Add): LeaveAllowed, LeaveDeleted (the view deleted its
    // incomplete entry) or LeaveRefused. The frame allows.
    virtual int LeaveCheck();
    // The tree added an entry of this kind and selected it (posted after the
    // add). The frame does nothing.
    virtual void OnEntryAdded(NodeKind kind);
    // Fills the controls from the profile. The frame does nothing.
    virtual void LoadData();
    // The entry's name changed: refresh the caption and labels.
    virtual void RefreshCaption();
    // Sets the title and section fonts; called by InitialUpdate.
    virtual void SetupFonts();
    // A document update: hint 0 for any change, otherwise the tree's 32-bit
    // hint. The frame does nothing.
    virtual void OnDocumentUpdate(QObject* sender, quint32 hint);

    // Profile access that turns a missing node or attribute into a
    // ProfileDataFault (also for the views' helpers).
    static CDataItem Child(const CDataItem& parent, const QString& name);
    static CDataItem ChildAt(const CDataItem& parent, int index);
    static QString Attribute(const CDataItem& item, const QString& name);
    static int NumberAttribute(const CDataItem& item, const QString& name);
    // A flag attribute: "1" or "true".
    static bool FlagAttribute(const CDataItem& item, const QString& name);

    // The control with this identifier, or null.
    QWidget* Control(int controlId) const;
    // The identifier of a control or of the nearest control that holds it; 0 when none.
    static int ControlIdOf(const QWidget* widget);
    QLabel* Title() const { return m_pTitle; }
    // The form built from the Designer file.
    QWidget* Form() const { return m_pForm; }

    // While set, no field of any view commits when it loses the focus (a view
    // is deleting its own incomplete entry).
    static bool IsValidationSuspended();
    class ValidationSuspender {
    public:
        ValidationSuspender();
        ~ValidationSuspender();
        ValidationSuspender(const ValidationSuspender&) = delete;
        ValidationSuspender& operator=(const ValidationSuspender&) = delete;

    private:
        bool m_bPrevious;
    };

protected:
    CFormViewPane* Pane() const { return m_pPane; }
    CKVXZOTDoc& Doc() const;
    CDataItem& Root() const;

    // Messages through the document's message sink.
    int Message(const QString& text, unsigned style);
    int MessageId(int id, unsigned style);
    // Changes the profile through the document's edit path (see
    // CFormViewPane::Edit).
    EditOutcome Edit(const EditRequest& request, bool quiet = false);
    // Broadcasts a document update hint (action, node kind, entry index).
    void SendHint(HintAction action, NodeKind kind, int index);
    // Shows 10113 and asks for the profile window to close unsaved.
    void ProfileDataError();

    // Runs an event handler: a CKVXZOTException shows its text, a
    // ProfileDataFault takes the profile data error path. False when either
    // happened.
    template <typename F>
    bool Guarded(F&& handler)
    {
        if (IsClosing())
            return false;
        try {
            handler();
            return true;
        } catch (const ProfileDataFault&) {
            ProfileDataError();
        } catch (const CKVXZOTException& e) {
            ShowException(e);
        }
        return false;
    }
    // A move step of a two-list editor run as Guarded: a failure shows its
    // text and stops the move where it is.
    CTwoListEditor::MoveHandler GuardedStep(CTwoListEditor::MoveHandler step);
    void ShowException(const CKVXZOTException& e);
    // True once the profile window is closing after a profile data error.
    bool IsClosing() const;

    CDataItem Limit() const;

    // Sets the title text (the caption).
    void SetCaption(const QString& caption);
    // Moves the focus off the fields onto the view itself (which commits them).
    void FocusView();
    // Puts the focus into a control later (posted), selecting a line edit's
    // text.
    void FocusLater(QWidget* control);

    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Key presses of every control of the form reach here first; true consumes.
    virtual bool FormKeyPress(QWidget* control, QKeyEvent* event);

private:
    void TakeTitle();
    void ApplyTexts();
    void ApplyColours();
    void ApplyGuiPage(const kvx::xml::XmlDocument& visible);
    void ApplyAccessibleNames();
    void WatchControls();

    QString m_strViewClass;
    QString m_strPage;
    int m_nEntryIndex = 0;
    CFormViewPane* m_pPane = nullptr;
    QWidget* m_pContent = nullptr;
    QWidget* m_pForm = nullptr;
    QLabel* m_pTitle = nullptr;
};
