// The document's edit path: outcomes, the modified flag, undo and redo, and
// the document's own message sink.

#include "TemplateDocumentTest.h"

#include "RadioSimulator.h"

#include <QUndoStack>

namespace {

class DocumentEditTest : public TemplateDocumentTest {
protected:
    CDataItem Folder(const QString& name)
    {
        CDataItem contacts, folder;
        doc.GetRootItem().GetChildByName(QStringLiteral("Contacts"), contacts);
        contacts.GetChildByName(name, folder);
        return folder;
    }
    CDataItem Add(const QString& folder, const QString& name)
    {
        const EditOutcome outcome = doc.Apply(EditRequest::AddPrivateOrGroup(Folder(folder), name));
        EXPECT_TRUE(outcome.IsApplied());
        return outcome.added;
    }
    EditOutcome Set(const CDataItem& item, const QString& attribute, const QVariant& value, bool confirmed = false)
    {
        return doc.Apply(EditRequest::SetAttribute(item, attribute, value), confirmed);
    }
    void Join(const CDataItem& contact, const CDataItem& group)
    {
        CDataItem parents;
        contact.GetChildByName(QStringLiteral("ParentPrivateGroups"), parents);
        const EditOutcome entry = doc.Apply(EditRequest::AddChild(parents));
        ASSERT_TRUE(entry.IsApplied());
        ASSERT_TRUE(Set(entry.added, QStringLiteral("pid"), group.GetNode().GetAttribute(QStringLiteral("pid"))).IsApplied());
    }
    // The entry of a folder by name, looked up afresh (items go stale on undo).
    CDataItem Entry(const QString& folder, const QString& name)
    {
        const CDataItem list = Folder(folder);
        for (int i = 0; i < list.GetChildCount(); ++i) {
            CDataItem child;
            list.GetChildByIndex(i, child);
            if (child.GetNode().GetAttribute(QStringLiteral("name")) == name)
                return child;
        }
        return {};
    }
    QString Xml() { return doc.GetDataModel().GetProfileXml(); }
};

TEST_F(DocumentEditTest, EachOutcomeKind)
{
    const CDataItem ann = Add(QStringLiteral("Privates"), QStringLiteral("Ann"));
    Add(QStringLiteral("Privates"), QStringLiteral("Bob"));

    // Refused: the rules' message and style, nothing changed, no step.
    const QString before = Xml();
    const int steps = doc.UndoStack()->count();
    EditOutcome outcome = Set(ann, QStringLiteral("name"), QStringLiteral("bob"));
    EXPECT_EQ(outcome.kind, EditOutcome::Kind::Refused);
    EXPECT_EQ(outcome.messageId, 127);
    EXPECT_EQ(outcome.MessageText(), LoadStr(127));
    EXPECT_EQ(Xml(), before);
    EXPECT_EQ(doc.UndoStack()->count(), steps);

    // Needs confirmation, asked through the protocol: No changes nothing.
    const int privates = Folder(QStringLiteral("Privates")).GetChildCount();
    int asked = 0;
    const EditRequest remove = EditRequest::RemoveChild(Folder(QStringLiteral("Privates")), 0);
    outcome = doc.ApplyWithConfirmation(remove, [&](const EditOutcome& asking) {
        ++asked;
        EXPECT_EQ(asking.messageId, 142);
        EXPECT_EQ(asking.style & 0x0F, unsigned(kvx::kMbOkCancel));
        return false;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(outcome.kind, EditOutcome::Kind::NeedsConfirmation);
    EXPECT_EQ(Xml(), before);
    // Yes applies it.
    outcome = doc.ApplyWithConfirmation(remove, [](const EditOutcome&) { return true; });
    EXPECT_TRUE(outcome.IsApplied());
    EXPECT_EQ(Folder(QStringLiteral("Privates")).GetChildCount(), privates - 1);

    // Failed: an item of a profile since replaced is refused loudly.
    doc.UndoStack()->undo();
    outcome = Set(ann, QStringLiteral("name"), QStringLiteral("Zed"));
    EXPECT_EQ(outcome.kind, EditOutcome::Kind::Failed);
    EXPECT_EQ(outcome.messageId, 107);
    EXPECT_EQ(sunk, QStringList{LoadStr(107)});
    EXPECT_TRUE(m_messages.isEmpty()) << "the document's messages go to its own sink";
}

TEST_F(DocumentEditTest, ChannelMessagesCarryTheOldAndNewChannel)
{
    const EditOutcome added = doc.Apply(EditRequest::AddChild(Folder(QStringLiteral("PublicGroups"))));
    ASSERT_TRUE(added.IsApplied());
    ASSERT_TRUE(Set(added.added, QStringLiteral("in_scan_list"), true).IsApplied());
    const QString oldChannel = added.added.GetNode().GetAttribute(QStringLiteral("channel"));
    const QString newChannel = oldChannel == QStringLiteral("2") ? QStringLiteral("3") : QStringLiteral("2");
    const EditOutcome outcome = Set(added.added, QStringLiteral("channel"), newChannel);
    ASSERT_EQ(outcome.kind, EditOutcome::Kind::NeedsConfirmation);
    EXPECT_EQ(outcome.messageId, 133);
    EXPECT_TRUE(outcome.MessageText().startsWith(QStringLiteral("Changing the channel will remove this public group from channel %1's "
                                                                "scan list and add it to channel %2's")
                                                     .arg(oldChannel, newChannel)))
        << outcome.MessageText().toStdString();
}

TEST_F(DocumentEditTest, ModifiedFollowsEditsSavesAndUndo)
{
    QList<bool> modified;
    QObject::connect(&doc, &CKVXZOTDoc::modifiedChanged, [&](bool m) { modified << m; });
    EXPECT_FALSE(doc.IsModified());
    Add(QStringLiteral("Privates"), QStringLiteral("Ann"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(modified, QList<bool>{true});

    // A refused edit and an edit that changes nothing leave the flag alone.
    ASSERT_TRUE(doc.OnSaveDocument(TempPath(QStringLiteral("saved.jub"))));
    EXPECT_FALSE(doc.IsModified());
    const CDataItem ann = Entry(QStringLiteral("Privates"), QStringLiteral("Ann"));
    EXPECT_FALSE(Set(ann, QStringLiteral("name"), QString()).IsApplied());
    EXPECT_TRUE(Set(ann, QStringLiteral("name"), QStringLiteral("Ann")).IsApplied());
    EXPECT_FALSE(doc.IsModified());

    // Undo past the saved state is a change; redo back to it is not.
    doc.UndoStack()->undo();
    EXPECT_TRUE(doc.IsModified());
    doc.UndoStack()->redo();
    EXPECT_FALSE(doc.IsModified());

    // A radio read's profile is unsaved even with nothing to undo.
    CKVXZOTDoc read;
    ASSERT_TRUE(read.OnNewDocument(CRadioSimulator::DefaultContent()));
    EXPECT_TRUE(read.IsModified());
    EXPECT_FALSE(read.UndoStack()->canUndo());
}

TEST_F(DocumentEditTest, UndoAndRedoOfEveryKindOfStepIncludingACascade)
{
    int reloaded = 0;
    QObject::connect(&doc, &CKVXZOTDoc::profileReloaded, [&] { ++reloaded; });
    QStringList states{Xml()};
    const CDataItem ann = Add(QStringLiteral("Privates"), QStringLiteral("Ann"));
    states << Xml();
    const CDataItem pair = Add(QStringLiteral("PrivateGroups"), QStringLiteral("Pair"));
    states << Xml();
    Join(ann, pair);   // two steps: the entry and its pid
    states << Xml();   // then two more: the home group and a scroll-list entry
    ASSERT_TRUE(Set(ann, QStringLiteral("home_grp"), pair.GetNode().GetAttribute(QStringLiteral("pid"))).IsApplied());
    CDataItem scrollList;
    ann.GetChildByName(QStringLiteral("scrolllist"), scrollList);
    ASSERT_TRUE(doc.Apply(EditRequest::AddScrollListEntry(scrollList, QStringLiteral("Pair"))).IsApplied());
    states << Xml();
    const QString channel = ann.GetNode().GetAttribute(QStringLiteral("channel")) == QStringLiteral("5") ? QStringLiteral("6")
                                                                                                         : QStringLiteral("5");
    // Ann leaves Pair, and Pair, without members, goes with the change.
    ASSERT_EQ(Set(ann, QStringLiteral("channel"), channel).kind, EditOutcome::Kind::NeedsConfirmation);
    ASSERT_TRUE(Set(ann, QStringLiteral("channel"), channel, true).IsApplied());
    ASSERT_EQ(Folder(QStringLiteral("PrivateGroups")).GetChildCount(), 0);
    states << Xml();
    ASSERT_TRUE(doc.Apply(EditRequest::RemoveChild(Folder(QStringLiteral("Privates")), 0), true).IsApplied());
    states << Xml();
    ASSERT_EQ(doc.UndoStack()->count(), 8);
    EXPECT_EQ(reloaded, 0);

    QUndoStack& stack = *doc.UndoStack();
    // Back step by step: the delete, then the channel change brings Pair back whole.
    stack.undo();
    EXPECT_EQ(Xml(), states[5]);
    stack.undo();
    EXPECT_EQ(Xml(), states[4]);
    EXPECT_EQ(Entry(QStringLiteral("PrivateGroups"), QStringLiteral("Pair")).GetNode().GetAttribute(QStringLiteral("pid")),
              pair.GetNode().GetAttribute(QStringLiteral("pid")));
    stack.undo();
    EXPECT_TRUE(Entry(QStringLiteral("Privates"), QStringLiteral("Ann")).GetNode().SelectSingleNode(QStringLiteral("dfns:scrolllist/*")).IsNull());
    stack.undo();
    EXPECT_EQ(Xml(), states[3]);
    stack.setIndex(0);
    EXPECT_EQ(Xml(), states[0]);
    EXPECT_EQ(reloaded, 8);
    // And forward again to the end.
    stack.setIndex(2);
    EXPECT_EQ(Xml(), states[2]);
    stack.setIndex(stack.count());
    EXPECT_EQ(Xml(), states[6]);
    // Editing the restored profile works on fresh items.
    EXPECT_TRUE(doc.Apply(EditRequest::AddPrivateOrGroup(Folder(QStringLiteral("Privates")), QStringLiteral("Cid"))).IsApplied());
}

// A command of several edits (a group link, then its pid) is one step; the
// profile between its edits does not validate and is never restored.
TEST_F(DocumentEditTest, TheEditsOfAMacroUndoAndRedoAsOneStep)
{
    const CDataItem ann = Add(QStringLiteral("Privates"), QStringLiteral("Ann"));
    const CDataItem pair = Add(QStringLiteral("PrivateGroups"), QStringLiteral("Pair"));
    QUndoStack& stack = *doc.UndoStack();
    const int steps = stack.count();
    const QString before = Xml();
    stack.beginMacro(QStringLiteral("Add"));
    Join(ann, pair);
    stack.endMacro();
    const QString joined = Xml();
    ASSERT_EQ(stack.count(), steps + 1);

    stack.undo();
    EXPECT_EQ(Xml(), before);
    stack.redo();
    EXPECT_EQ(Xml(), joined);
    EXPECT_TRUE(sunk.isEmpty()) << sunk.join(QLatin1Char('\n')).toStdString();

    // Edits outside a macro stay steps of their own.
    Add(QStringLiteral("Privates"), QStringLiteral("Bob"));
    Add(QStringLiteral("Privates"), QStringLiteral("Cid"));
    EXPECT_EQ(stack.count(), steps + 3);
}

TEST_F(DocumentEditTest, TheHistoryKeepsItsLimit)
{
    CDataItem messages;
    doc.GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
    const EditOutcome added = doc.Apply(EditRequest::AddChild(messages));
    ASSERT_TRUE(added.IsApplied());
    for (int i = 0; i < CKVXZOTDoc::kUndoLimit + 5; ++i)
        ASSERT_TRUE(Set(added.added, QStringLiteral("txt"), QStringLiteral("Text %1").arg(i)).IsApplied());
    QUndoStack& stack = *doc.UndoStack();
    EXPECT_EQ(stack.count(), CKVXZOTDoc::kUndoLimit);
    stack.setIndex(0);
    CDataItem first;
    doc.GetRootItem().GetChildByName(QStringLiteral("TextMessages"), messages);
    messages.GetChildByIndex(messages.GetChildCount() - 1, first);
    EXPECT_EQ(first.GetNode().GetAttribute(QStringLiteral("txt")), QStringLiteral("Text 4"));
    EXPECT_TRUE(doc.IsModified()) << "the saved state fell off the history";
}

TEST_F(DocumentEditTest, TwoDocumentsKeepTheirMessagesApart)
{
    CKVXZOTDoc other;
    QStringList otherSunk;
    other.SetMessageSink([&](const QString& text, unsigned) {
        otherSunk << text;
        return int(kvx::kIdOk);
    });
    EXPECT_FALSE(other.OnOpenDocument(TempPath(QStringLiteral("missing.jub"))));
    EXPECT_EQ(otherSunk.size(), 1);
    EXPECT_TRUE(sunk.isEmpty());
    EXPECT_EQ(doc.Apply(EditRequest::SetAttribute(CDataItem(), QStringLiteral("name"), QString())).kind, EditOutcome::Kind::Failed);
    EXPECT_EQ(sunk.size(), 1);
    EXPECT_EQ(otherSunk.size(), 1);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(DocumentEditTest, AFailingRuleLeavesTheProfileAsItWasAndReportsToTheDocumentsSinks)
{
    // A rule that appends its public group and then fails.
    const QString install = CopyInstallation();
    const QString scriptPath = install + QStringLiteral("/ProfileTemplate/DataProfile.vbs");
    QFile file(scriptPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray script = file.readAll();
    file.close();
    const QByteArray append("    Set AddPublicGroup = groups.appendChild(group)\n");
    ASSERT_TRUE(script.contains(append));
    WriteBytes(scriptPath, script.replace(append, append + "    Err.Raise 5\n"));

    CKVXZOTDoc broken;
    QStringList messages, scriptErrors;
    broken.SetMessageSink([&](const QString& text, unsigned) {
        messages << text;
        return int(kvx::kIdOk);
    });
    broken.SetScriptErrorSink([&](const QString& text) { scriptErrors << text; });
    ASSERT_TRUE(broken.OnNewDocument(install + QStringLiteral("/ProfileTemplate/KVX30.jub")));
    const QString before = broken.GetDataModel().GetProfileXml();
    CDataItem contacts, groups;
    broken.GetRootItem().GetChildByName(QStringLiteral("Contacts"), contacts).GetChildByName(QStringLiteral("PublicGroups"), groups);

    const EditOutcome outcome = broken.Apply(EditRequest::AddChild(groups));
    EXPECT_EQ(outcome.kind, EditOutcome::Kind::Failed);
    EXPECT_EQ(outcome.messageId, 106);
    EXPECT_EQ(broken.GetDataModel().GetProfileXml(), before);
    EXPECT_FALSE(broken.IsModified());
    EXPECT_FALSE(broken.UndoStack()->canUndo());
    EXPECT_EQ(messages, QStringList{LoadStr(106)});
    EXPECT_FALSE(scriptErrors.isEmpty());
    EXPECT_TRUE(m_scriptErrors.isEmpty() && sunk.isEmpty()) << "another document's sinks stay quiet";
}

}  // namespace
