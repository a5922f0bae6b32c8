// Edits the rules do not guard: the document refuses every change after
// which the profile could not be opened again, and control characters are
// refused by the name rules.

#include "TemplateDocumentTest.h"

#include "MessageIds.h"

#include <QUndoStack>

namespace {

class EditGuardTest : public TemplateDocumentTest {
protected:
    void SetUp() override
    {
        TemplateDocumentTest::SetUp();
        doc.SetModifiedFlag(false);
    }

    CDataItem Select(const QString& xpath)
    {
        const CDataItem& root = doc.GetRootItem();
        return CDataItem(root.GetScript(), root.GetNode().SelectSingleNode(xpath));
    }
    EditOutcome Delete(const QString& xpath)
    {
        const CDataItem item = Select(xpath);
        const kvx::xml::XmlNode parent = item.GetNode().Parent();
        int index = 0;
        while (!(parent.ChildAt(index) == item.GetNode()))
            ++index;
        return doc.Apply(EditRequest::RemoveChild(CDataItem(item.GetScript(), parent), index));
    }
    void ExpectRefusedUnchanged(const EditOutcome& outcome, const QString& before, const std::string& what)
    {
        EXPECT_EQ(outcome.kind, EditOutcome::Kind::Refused) << what;
        EXPECT_EQ(outcome.messageId, kMsgEditBreaksProfile) << what;
        // The message names what is wrong below the document's own text.
        EXPECT_TRUE(outcome.MessageText().startsWith(LoadStr(kMsgEditBreaksProfile) + QLatin1Char('\n'))) << what;
        EXPECT_FALSE(outcome.reason.isEmpty()) << what;
        EXPECT_EQ(doc.GetDataModel().GetProfileXml(), before) << what;
        EXPECT_FALSE(doc.IsModified()) << what;
        EXPECT_EQ(doc.UndoStack()->count(), 0) << what;
    }
};

TEST_F(EditGuardTest, AttributesTheRulesDoNotGuardKeepTheProfileValid)
{
    const QString before = doc.GetDataModel().GetProfileXml();
    const struct {
        const char* xpath;
        const char* attribute;
        const char* value;
    } cases[] = {
        {"//dfns:version", "firmware_release", "zz"},            // no number: the version cannot be read
        {"//dfns:limit", "max_num_of_contacts", "99999"},         // out of the schema's range
        {"//dfns:limit", "clone_compatibility_version", "2"},     // opening refuses the model
        {"//dfns:version", "firmware_release", "1"},             // a version of no model group
        {"//dfns:limit", "model", "\x01"},                        // a character XML cannot hold
    };
    for (const auto& c : cases) {
        const EditOutcome outcome = doc.Apply(EditRequest::SetAttribute(Select(QString::fromLatin1(c.xpath)),
                                                                        QString::fromLatin1(c.attribute), QString::fromLatin1(c.value)));
        ExpectRefusedUnchanged(outcome, before, std::string(c.attribute) + "=" + c.value);
    }
    EXPECT_TRUE(sunk.isEmpty()) << sunk.join(QLatin1Char('\n')).toStdString();

    // A valid change of the same kind still goes through.
    const EditOutcome valid = doc.Apply(EditRequest::SetAttribute(Select(QStringLiteral("//dfns:limit")),
                                                                  QStringLiteral("max_num_of_contacts"), QStringLiteral("120")));
    EXPECT_TRUE(valid.IsApplied());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditGuardTest, StructuralElementsCannotBeDeleted)
{
    const QString before = doc.GetDataModel().GetProfileXml();
    for (const char* xpath : {"//dfns:version", "//dfns:limit", "//dfns:setting", "//dfns:Contacts", "//dfns:PublicGroups",
                              "//dfns:Privates", "//dfns:TextMessages"})
        ExpectRefusedUnchanged(Delete(QString::fromLatin1(xpath)), before, xpath);
}

TEST_F(EditGuardTest, ARefusedEditLeavesASavedProfileThatOpens)
{
    const QString path = TempPath(QStringLiteral("guarded.jub"));
    doc.Apply(EditRequest::SetAttribute(Select(QStringLiteral("//dfns:version")), QStringLiteral("firmware_release"), QStringLiteral("zz")));
    Delete(QStringLiteral("//dfns:PublicGroups"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    CKVXZOTDoc reopened;
    EXPECT_TRUE(reopened.OnOpenDocument(path)) << m_messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(EditGuardTest, ControlCharactersInNamesAreRefusedWithTheCharacterSetMessage)
{
    const EditOutcome added = doc.Apply(EditRequest::AddPrivateOrGroup(Select(QStringLiteral("//dfns:Privates")), QStringLiteral("Ann")));
    ASSERT_TRUE(added.IsApplied());
    const QString before = doc.GetDataModel().GetProfileXml();
    for (const QString& name : {QStringLiteral("A\x01" "b"), QStringLiteral("Esc\x1b"), QStringLiteral("Del\x7f"), QStringLiteral("C1\u0085")}) {
        const EditOutcome outcome = doc.Apply(EditRequest::SetAttribute(added.added, QStringLiteral("name"), name));
        EXPECT_EQ(outcome.kind, EditOutcome::Kind::Refused);
        EXPECT_EQ(outcome.messageId, kMsgNameCharset);
        EXPECT_EQ(doc.GetDataModel().GetProfileXml(), before);
    }
    // Accented letters of the character set stay allowed.
    EXPECT_TRUE(doc.Apply(EditRequest::SetAttribute(added.added, QStringLiteral("name"), QStringLiteral("Zoë Ñandú"))).IsApplied());
}

}  // namespace
