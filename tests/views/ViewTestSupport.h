#pragma once

// A profile window for the views' tests: the tree and the form view pane of
// one document in a shown top-level widget, with every message answered by
// a script that fails on anything unexpected.

#include "ModelTestSupport.h"
#include "MessageScript.h"

#include "BaseView.h"
#include "FormViewPane.h"
#include "KVXZOTDoc.h"
#include "KVXZOTTreeView.h"
#include "RadioSimulator.h"
#include "TreeNodeKinds.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QSplitter>
#include <QTest>

class ViewTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        kvx::SetMessageHandler([this](const QString& text, unsigned style) { return m_script.Handle(text, style); });
    }
    void TearDown() override
    {
        m_window.reset();
        Settle();
        m_doc.reset();
        EXPECT_TRUE(m_script.Unexpected().isEmpty()) << "unexpected messages:\n"
                                                      << m_script.Unexpected().join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(m_script.Pending().isEmpty()) << "messages never shown:\n"
                                                  << m_script.Pending().join(QLatin1Char('\n')).toStdString();
        ModelTest::TearDown();
    }

    // A new profile from a template of the installation.
    CKVXZOTDoc& NewDoc(const QString& templateName = QStringLiteral("KVX30"))
    {
        CreateDoc();
        EXPECT_TRUE(m_doc->OnNewDocument(TemplatePath(templateName)));
        return *m_doc;
    }
    // A document whose messages go to the script.
    void CreateDoc()
    {
        m_doc = std::make_unique<CKVXZOTDoc>();
        m_doc->SetMessageSink([this](const QString& text, unsigned style) { return m_script.Handle(text, style); });
    }
    // The template's text with replacements applied, opened as a file.
    CKVXZOTDoc& DocFromTemplateText(const QList<QPair<QString, QString>>& replacements,
                                    const QString& templateName = QStringLiteral("KVX30"))
    {
        QString text = TemplateText(templateName);
        for (const auto& [from, to] : replacements) {
            EXPECT_TRUE(text.contains(from)) << from.toStdString();
            text.replace(from, to);
        }
        const QString path = TempPath(QStringLiteral("profile.jub"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();
        CreateDoc();
        EXPECT_TRUE(m_doc->OnOpenDocument(path));
        return *m_doc;
    }
    // The profile of a full simulated radio (130 privates, 10 private and 10
    // public groups, 25 messages), as a radio read makes it.
    CKVXZOTDoc& SimulatedDoc()
    {
        CreateDoc();
        EXPECT_TRUE(m_doc->SetVirtualCPData(CRadioSimulator::FullContent()));
        m_doc->RefreshVisibleSettings();
        return *m_doc;
    }

    void OpenWindow()
    {
        m_window = std::make_unique<QWidget>();
        auto* splitter = new QSplitter(m_window.get());
        m_pane = new CFormViewPane(m_doc.get());
        m_tree = new CKVXZOTTreeView(m_doc.get(), m_pane, splitter);
        splitter->addWidget(m_pane);
        splitter->setSizes({300, 700});
        QObject::connect(m_pane, &CFormViewPane::closeRequested, [this](bool discard) { m_closeRequests << discard; });
        QObject::connect(m_pane, &CFormViewPane::statusTextRequested, [this](const QString& text) { m_status = text; });
        m_window->resize(1000, 700);
        splitter->resize(1000, 700);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        Settle();
    }

    // Lets posted work run: queued commits, focus moves, deferred deletes.
    static void Settle()
    {
        for (int i = 0; i < 6; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // Profile building through the rules.
    CDataItem Folder(const QString& folder)
    {
        CDataItem contacts;
        CDataItem node;
        m_doc->GetRootItem().GetChildByName(QStringLiteral("Contacts"), contacts).GetChildByName(folder, node);
        return node;
    }
    CDataItem Entry(const QString& folder, int index)
    {
        CDataItem entry;
        Folder(folder).GetChildByIndex(index, entry);
        return entry;
    }
    CDataItem Add(const QString& folder, const QString& name, int channel = 1)
    {
        const CDataItem node = Folder(folder);
        CDataItem added = m_doc->Apply(folder == QLatin1String("PublicGroups") ? EditRequest::AddChild(node)
                                                                               : EditRequest::AddPrivateOrGroup(node, name))
                              .added;
        EXPECT_FALSE(added.IsEmpty());
        Set(added, QStringLiteral("name"), name);
        Set(added, QStringLiteral("channel"), QString::number(channel));
        return added;
    }
    void Set(CDataItem& item, const QString& attribute, const QVariant& value)
    {
        const EditOutcome outcome = m_doc->Apply(EditRequest::SetAttribute(item, attribute, value), true);
        EXPECT_TRUE(outcome.IsApplied()) << attribute.toStdString() << " refused with " << outcome.messageId;
    }
    // Makes a private a member of a private group.
    void Join(CDataItem privateEntry, CDataItem group)
    {
        CDataItem parents;
        privateEntry.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
        CDataItem link = m_doc->Apply(EditRequest::AddChild(parents)).added;
        ASSERT_FALSE(link.IsEmpty());
        Set(link, QStringLiteral("pid"), group.GetAttributeValue(QStringLiteral("pid")));
    }
    static QString Name(const CDataItem& item) { return item.GetAttributeValue(QStringLiteral("name")).toString(); }
    QStringList Names(const QString& folder)
    {
        QStringList names;
        const CDataItem node = Folder(folder);
        for (int i = 0; i < node.GetChildCount(); ++i)
            names << Name(Entry(folder, i));
        return names;
    }

    // Window access.
    CBaseView* View() const { return m_pane->ActiveView(); }
    template <typename T>
    T* Control(int id) const
    {
        CBaseView* view = View();
        return view ? qobject_cast<T*>(view->Control(id)) : nullptr;
    }
    QTreeWidgetItem* Item(NodeKind kind, int index = 0) const { return m_tree->FindItem(kind, index); }
    // Toggles a check box as an assistive technology does: through its
    // accessible action, which emits no click.
    static void Toggle(QAbstractButton* box)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
        ASSERT_TRUE(accessible && accessible->actionInterface());
        ASSERT_TRUE(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    }
    // The texts of a list's items, in order.
    static QStringList ListNames(const QTreeWidget* list)
    {
        QStringList names;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            names << list->topLevelItem(row)->text(0);
        return names;
    }
    static QStringList Labels(const QTreeWidgetItem* folder)
    {
        QStringList labels;
        for (int i = 0; folder && i < folder->childCount(); ++i)
            labels << folder->child(i)->text(0);
        return labels;
    }
    bool Select(NodeKind kind, int index = 0)
    {
        const bool moved = m_tree->SelectNode(kind, index);
        Settle();
        return moved;
    }
    // A click on a tree item, as a person selects it.
    void Click(QTreeWidgetItem* item)
    {
        m_tree->scrollToItem(item);
        QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, {}, m_tree->visualItemRect(item).center());
        Settle();
    }
    // Types into a control that has the focus (or is given it).
    static void Type(QWidget* control, const QString& text)
    {
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(control, text);
    }
    static void ReplaceText(QWidget* control, const QString& text)
    {
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(control, Qt::Key_Delete);
        QTest::keyClicks(control, text);
    }
    // Moves the focus to another control of the view, which commits the field left.
    void FocusOn(QWidget* control)
    {
        control->setFocus(Qt::TabFocusReason);
        Settle();
    }

    kvx::CMessageScript m_script;
    std::unique_ptr<CKVXZOTDoc> m_doc;
    std::unique_ptr<QWidget> m_window;
    CFormViewPane* m_pane = nullptr;
    CKVXZOTTreeView* m_tree = nullptr;
    QList<bool> m_closeRequests;
    QString m_status;
};
