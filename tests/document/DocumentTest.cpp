// The profile document: new, open, save with the conversion question, the
// two stored forms, the save decisions and the codeplug image in and out.

#include "ModelTestSupport.h"

#include "DataAdaptor.h"
#include "KVXZOTDoc.h"
#include "ProfileFile.h"
#include "RadioSimulator.h"

namespace {

class DocumentTest : public ModelTest {
protected:
    std::unique_ptr<CKVXZOTDoc> NewFromTemplate(const QString& name)
    {
        auto doc = std::make_unique<CKVXZOTDoc>();
        EXPECT_TRUE(doc->OnNewDocument(TemplatePath(name))) << m_messages.join(QLatin1Char('\n')).toStdString();
        return doc;
    }

    static QByteArray FileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QString StoredText(const QString& path)
    {
        const TextFileContent content = ReadTextFile(path);
        return UnscrambleXml(content.text, content.byteForm);
    }
};

TEST_F(DocumentTest, NewFromTemplateSavesInTheUtf16Form)
{
    auto doc = NewFromTemplate(QStringLiteral("KVX30"));
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("KVX30"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetUnitId(), QStringLiteral("XXXXXXXXXXX"));
    EXPECT_FALSE(doc->GetVisibleSettings().SelectSingleNode(QStringLiteral("/dfns:RegionCommon/dfns:Settings")).IsNull());

    const QString path = TempPath(QStringLiteral("new.jub"));
    int questions = 0;
    doc->SetCallbacks({.askConvert = [&] { ++questions; return false; }});
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(questions, 0);   // the latest format asks nothing
    const QByteArray bytes = FileBytes(path);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xFE", 2));
    EXPECT_NE(bytes.mid(2, 2), QByteArray("<\0", 2));   // scrambled
    EXPECT_TRUE(StoredText(path).startsWith(QStringLiteral("<?xml")));

    CKVXZOTDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(reopened.GetTitle(), QStringLiteral("new.jub"));
    EXPECT_EQ(reopened.GetDataModel().GetProfileXml(), doc->GetDataModel().GetProfileXml());
}

TEST_F(DocumentTest, OldFormatAsksUntilConvertedAndKeepsItsByteForm)
{
    auto doc = NewFromTemplate(QStringLiteral("KVX10"));
    ASSERT_EQ(doc->GetDataModel().GetGroup(), 1);
    const QString path = TempPath(QStringLiteral("old.jub"));
    int questions = 0;
    bool answer = false;
    doc->SetCallbacks({.askConvert = [&] { ++questions; return answer; }});

    ASSERT_TRUE(doc->OnSaveDocument(path));
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(questions, 2);   // asked again after No
    QByteArray bytes = FileBytes(path);
    EXPECT_NE(bytes.left(2), QByteArray("\xFF\xFE", 2));
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), '<' ^ 0xB3);
    QString stored = StoredText(path);
    EXPECT_TRUE(stored.startsWith(QStringLiteral("<?xml")));
    EXPECT_FALSE(stored.contains(QStringLiteral("tot_timer")));   // stored in its own generation
    CKVXZOTDoc old;
    ASSERT_TRUE(old.OnOpenDocument(path));
    EXPECT_EQ(old.GetDataModel().GetGroup(), 1);

    answer = true;
    ASSERT_TRUE(doc->OnSaveDocument(path));
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(questions, 3);   // not asked once converted
    EXPECT_EQ(doc->GetDataModel().GetGroup(), 3);
    bytes = FileBytes(path);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xFE", 2));
    stored = StoredText(path);
    EXPECT_TRUE(stored.contains(QStringLiteral("tot_timer")));
    EXPECT_TRUE(stored.contains(QStringLiteral("firmware_version=\"08\"")));
    CKVXZOTDoc converted;
    ASSERT_TRUE(converted.OnOpenDocument(path));
    EXPECT_EQ(converted.GetDataModel().GetGroup(), 3);
}

TEST_F(DocumentTest, NewFromARadioReadIsModifiedAndNamedByItsUnitId)
{
    const VirtualCP image = CRadioSimulator::FullContent();
    CKVXZOTDoc doc;
    ASSERT_TRUE(doc.OnNewDocument(image)) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), image.radioInfo.pid);
    EXPECT_EQ(doc.ProposedFileName(), image.radioInfo.pid + QStringLiteral(".jub"));
    CKVXZOTDoc next;
    ASSERT_TRUE(next.OnNewDocument(TemplatePath(QStringLiteral("KVX35"))));
    EXPECT_EQ(next.GetTitle(), QStringLiteral("KVX35"));

    // Image out and back in gives the same profile.
    VirtualCP out;
    ASSERT_TRUE(doc.GetVirtualCPData(out));
    CKVXZOTDoc again;
    ASSERT_TRUE(again.SetVirtualCPData(out));
    EXPECT_EQ(again.GetDataModel().GetProfileXml(), doc.GetDataModel().GetProfileXml());
}

TEST_F(DocumentTest, FailuresShowTheirCodeAndWriteNothing)
{
    const QString path = TempPath(QStringLiteral("bad.jub"));
    WriteBytes(path, QByteArray("garbage"));
    CKVXZOTDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(path));
    // The message's text, then the parser's reason.
    EXPECT_TRUE(m_messages.value(0).startsWith(LoadStr(105) + QLatin1Char('\n'))) << m_messages.value(0).toStdString();

    // An image whose text cannot be a profile: a contact name with a control character.
    VirtualCP image;
    image.contacts[0].cntct_type = 0;
    image.contacts[0].name = QStringLiteral("Bad\u0001Name");
    image.contacts[0].pid = QStringLiteral("10000009");
    m_messages.clear();
    EXPECT_FALSE(doc.SetVirtualCPData(image));
    EXPECT_TRUE(m_messages.value(0).startsWith(LoadStr(105) + QLatin1Char('\n'))) << m_messages.value(0).toStdString();

    // A save into a folder that does not exist fails without a trace on disk.
    auto good = NewFromTemplate(QStringLiteral("KVX30"));
    m_messages.clear();
    EXPECT_FALSE(good->OnSaveDocument(TempPath(QStringLiteral("missing/p.jub"))));
    EXPECT_EQ(m_messages.value(0), LoadStr(299) + QStringLiteral("\nNo such file or directory"));
    EXPECT_FALSE(QFileInfo::exists(TempPath(QStringLiteral("missing"))));

    // A view that refuses its pending edits stops the save.
    good->SetCallbacks({.commitPendingEdits = [] { return false; }});
    EXPECT_FALSE(good->OnSaveDocument(TempPath(QStringLiteral("refused.jub"))));
    EXPECT_FALSE(QFileInfo::exists(TempPath(QStringLiteral("refused.jub"))));
}

TEST_F(DocumentTest, SaveModifiedDecisions)
{
    auto doc = NewFromTemplate(QStringLiteral("KVX30"));
    int asked = 0;
    int answer = kvx::kIdCancel;
    QString proposed;
    QString chosen;
    doc->SetCallbacks({.askSaveChanges = [&](const QString& name) { ++asked; EXPECT_EQ(name, QStringLiteral("KVX30")); return answer; },
                       .askSavePath = [&](const QString& p) { proposed = p; return chosen; }});
    EXPECT_TRUE(doc->SaveModified());   // not modified: nothing asked
    EXPECT_EQ(asked, 0);

    doc->SetModifiedFlag();
    EXPECT_FALSE(doc->SaveModified());   // Cancel keeps it open
    answer = kvx::kIdNo;
    EXPECT_TRUE(doc->SaveModified());
    answer = kvx::kIdYes;
    EXPECT_FALSE(doc->SaveModified());   // the save dialog was cancelled
    EXPECT_EQ(proposed, QStringLiteral("KVX30.jub"));
    chosen = TempPath(QStringLiteral("chosen.jub"));
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), chosen);
    EXPECT_TRUE(QFileInfo::exists(chosen));
}

TEST_F(DocumentTest, TemplateList)
{
    EXPECT_EQ(CKVXZOTDoc::TemplateNames(*CAppProfileEnvironment::Instance()),
              (QStringList{QStringLiteral("KVX10"), QStringLiteral("KVX20"), QStringLiteral("KVX30"), QStringLiteral("KVX35")}));
    for (const QString& name : CKVXZOTDoc::TemplateNames(*CAppProfileEnvironment::Instance()))
        EXPECT_TRUE(CKVXZOTDoc::TrialLoadTemplate(CKVXZOTDoc::TemplatePath(*CAppProfileEnvironment::Instance(), name), nullptr));
    EXPECT_TRUE(m_messages.isEmpty());

    const QString install = CopyInstallation();
    WriteBytes(install + QStringLiteral("/ProfileTemplate/Broken.jub"), QByteArray("<?xml version=\"1.0\"?><x/>"));
    EXPECT_FALSE(CKVXZOTDoc::TrialLoadTemplate(install + QStringLiteral("/ProfileTemplate/Broken.jub"), nullptr));
    EXPECT_EQ(m_messages.value(0), LoadStr(106));   // no lists to sort

    for (const QString& name : QDir(install + QStringLiteral("/ProfileTemplate")).entryList({QStringLiteral("*.jub")}))
        QFile::remove(install + QStringLiteral("/ProfileTemplate/") + name);
    m_messages.clear();
    EXPECT_TRUE(CKVXZOTDoc::TemplateNames(*CAppProfileEnvironment::Instance()).isEmpty());
    EXPECT_EQ(m_messages, QStringList{LoadStr(10114)});
}

}  // namespace
