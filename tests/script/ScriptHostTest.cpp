// The host side: site callbacks, error reports, the start-up probe and
// hook calls by name with by-reference integers.

#include "ScriptHost.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kvx::vbs;
using kvx::xml::XmlDocument;
using kvx::xml::XmlNode;

namespace {

class ErrObjectStub : public HostObject {
public:
    QString TypeName() const override { return QStringLiteral("Stub"); }
    const MemberTable* Members() const override { return nullptr; }
    Variant Invoke(int, InvokeKind, std::span<Variant>) override { return {}; }
};

QString ReadRules()
{
    QFile file(QStringLiteral(KVX_TEST_DATA_DIR "/Rules.vbs"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

const char* kContacts = R"(<?xml version="1.0"?>
<KVXProfile xmlns="urn:varnholt:kvxzot:profile"><Contacts>
<Private name="Ann" pid="10000001"/><Private name="Bob" pid="10000002" locked="1"/>
</Contacts></KVXProfile>)";

class ScriptHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousSink = SetScriptErrorSink([this](const QString& m) { messages << m; });
        doc = XmlDocument::Create();
        ASSERT_TRUE(doc.LoadXml(QString::fromUtf8(kContacts)));
        contacts = doc.SelectSingleNode("//dfns:Contacts");
        ann = contacts.FirstChild();
        bob = ann.NextSibling();
    }
    void TearDown() override { SetScriptErrorSink(m_previousSink); }

    QStringList messages;
    XmlDocument doc;
    XmlNode contacts, ann, bob;

private:
    ScriptErrorSink m_previousSink;
};

}  // namespace

TEST_F(ScriptHostTest, SetValHookAnswersThroughByReferenceIntegers)
{
    CScriptHost host;
    ASSERT_EQ(host.Start(ReadRules()), ScriptStartStep::Done);

    auto setName = [&](const XmlNode& elem, const QString& value, qint32* r1, qint32* r2) {
        *r1 = 0;
        *r2 = 0;
        return host.CallFunction("SetContactName",
                                 {ScriptArg::Node(elem), ScriptArg::Node(elem.GetAttributeNode("name")),
                                  ScriptArg::String(value), ScriptArg::IntegerRef(r1), ScriptArg::Integer(0),
                                  ScriptArg::IntegerRef(r2)});
    };
    qint32 r1 = -1, r2 = -1, result = -1;
    ScriptResult res = setName(ann, "Bob", &r1, &r2);
    ASSERT_TRUE(res.Succeeded());
    ASSERT_TRUE(res.ToInt32(&result));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(r1, 127);
    EXPECT_EQ(r2, 48);
    EXPECT_EQ(ann.GetAttribute("name"), "Ann");   // refused: unchanged

    res = setName(ann, QString(20, 'x'), &r1, &r2);
    EXPECT_EQ(r1, 165);
    res = setName(ann, QString::fromUtf8("Ω"), &r1, &r2);
    EXPECT_EQ(r1, 218);

    res = setName(ann, "Anna", &r1, &r2);
    ASSERT_TRUE(res.ToInt32(&result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(r1, 0);
    EXPECT_EQ(r2, 0);
    EXPECT_EQ(ann.GetAttribute("name"), "Anna");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ScriptHostTest, UntouchedByReferenceIntegersStayZero)
{
    CScriptHost host;
    ASSERT_EQ(host.Start(ReadRules()), ScriptStartStep::Done);
    qint32 r1 = 0, r2 = 0;
    const ScriptResult res = host.CallFunction(
        "SetQuietly", {ScriptArg::Node(bob), ScriptArg::Node(bob.GetAttributeNode("pid")), ScriptArg::String("10000009"),
                       ScriptArg::IntegerRef(&r1), ScriptArg::Integer(0), ScriptArg::IntegerRef(&r2)});
    ASSERT_TRUE(res.Succeeded());
    EXPECT_EQ(r1, 0);
    EXPECT_EQ(r2, 0);
    EXPECT_EQ(bob.GetAttribute("pid"), "10000009");
}

TEST_F(ScriptHostTest, ResultsConvertToBooleanIntegerAndNode)
{
    CScriptHost host;
    ASSERT_EQ(host.Start(ReadRules()), ScriptStartStep::Done);
    bool flag = false;
    ASSERT_TRUE(host.CallFunction("CanAddPrivate", {ScriptArg::Node(contacts)}).ToBool(&flag));
    EXPECT_TRUE(flag);
    ASSERT_TRUE(host.CallFunction("IsEnabled", {ScriptArg::Node(bob)}).ToBool(&flag));
    EXPECT_FALSE(flag);

    const ScriptResult added = host.CallFunction("AddPrivate", {ScriptArg::Node(contacts)});
    ASSERT_TRUE(added.IsObject());
    const XmlNode node = added.ToNode();
    EXPECT_EQ(node, contacts.LastChild());
    EXPECT_EQ(node.GetAttribute("name"), "New 3");
    qint32 n = 0;
    EXPECT_FALSE(added.ToInt32(&n));   // a node has no value

    // A delete hook asks for confirmation first, then removes on "Yes".
    qint32 r1 = 0, r2 = 0, result = 0;
    ASSERT_TRUE(host.CallFunction("DeletePrivate", {ScriptArg::Node(ann), ScriptArg::IntegerRef(&r1),
                                                    ScriptArg::Integer(0), ScriptArg::IntegerRef(&r2)})
                    .ToInt32(&result));
    EXPECT_EQ(result, 0);   // n = 0: not yet confirmed
    EXPECT_EQ(r1, 10101);
    EXPECT_EQ(r2, 36);
    EXPECT_EQ(contacts.ChildCount(), 3);
    ASSERT_TRUE(host.CallFunction("DeletePrivate", {ScriptArg::Node(ann), ScriptArg::IntegerRef(&r1),
                                                    ScriptArg::Integer(6), ScriptArg::IntegerRef(&r2)})
                    .ToInt32(&result));
    EXPECT_EQ(contacts.ChildCount(), 2);
}

TEST_F(ScriptHostTest, AnUndefinedNameFailsWithoutRunningAnything)
{
    CScriptHost host;
    ASSERT_EQ(host.Start(ReadRules()), ScriptStartStep::Done);
    const ScriptResult res = host.CallFunction("NoSuchHook", {ScriptArg::Node(ann)});
    EXPECT_FALSE(res.Succeeded());
    EXPECT_EQ(res.HResult(), DISP_E_UNKNOWNNAME);
    // A variable is no function either.
    EXPECT_FALSE(host.CallFunction("g_calls", {}).Succeeded());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ScriptHostTest, RunTimeErrorsAreReportedWithTheirLine)
{
    CScriptHost host;
    const QString rules = ReadRules();
    ASSERT_EQ(host.Start(rules), ScriptStartStep::Done);
    const ScriptResult res = host.CallFunction("Broken", {ScriptArg::Node(ann)});
    EXPECT_FALSE(res.Succeeded());
    ASSERT_EQ(messages.size(), 1);
    const int line = rules.left(rules.indexOf("elem.noSuchMember")).count('\n') + 1;
    EXPECT_EQ(messages[0], QStringLiteral("IActiveScriptSite::OnScriptError()\nLine: %1\n"
                                          "Object doesn't support this property or method: 'elem.noSuchMember'")
                               .arg(line));
}

TEST_F(ScriptHostTest, RunawayHooksAreStoppedAndTheScriptStaysUsable)
{
    CScriptHost host;
    ASSERT_EQ(host.Start(ReadRules()), ScriptStartStep::Done);
    ScriptLimits limits;
    limits.maxSteps = 200000;
    host.Engine()->SetLimits(limits);
    EXPECT_FALSE(host.CallFunction("Spin", {}).Succeeded());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("IActiveScriptSite::OnScriptError()\nLine: "));
    bool flag = false;
    EXPECT_TRUE(host.CallFunction("IsEnabled", {ScriptArg::Node(ann)}).ToBool(&flag));
    EXPECT_TRUE(flag);
}

TEST_F(ScriptHostTest, StartFailuresNameTheirStep)
{
    {
        CScriptHost host;
        EXPECT_EQ(host.Start("Function F\nF = 1 +\nEnd Function\n"), ScriptStartStep::Parse);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], "IActiveScriptSite::OnScriptError()\nLine: 2\nExpected expression");
        EXPECT_FALSE(host.CallFunction("F", {}).Succeeded());
    }
    {
        CScriptHost host;
        EXPECT_EQ(host.Start("Dim x\nx = 1 / 0\n"), ScriptStartStep::Start);
        EXPECT_EQ(messages.last(), "IActiveScriptSite::OnScriptError()\nLine: 2\nDivision by zero");
    }
    EXPECT_EQ(ScriptStartFailure(ScriptStartStep::Parse), "ParseScriptText failed");
    EXPECT_EQ(ScriptStartFailure(ScriptStartStep::CreateEngine), "CoCreateInstance('VBScript') failed");
}

TEST_F(ScriptHostTest, ByReferenceValuesThatAreNoIntegersFailTheCall)
{
    CScriptHost host;
    ASSERT_EQ(host.Start("Function F(ByRef r)\nr = \"abc\"\nF = 0\nEnd Function\n"), ScriptStartStep::Done);
    qint32 r = 0;
    EXPECT_FALSE(host.CallFunction("F", {ScriptArg::IntegerRef(&r)}).Succeeded());
}

TEST(ScriptSite, CallbacksBehaveAsTheHostContractSays)
{
    CScriptSite site;
    void* out = &site;
    EXPECT_EQ(site.QueryInterface("IActiveScriptSiteWindow", &out), E_NOTIMPL);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(site.AddRef(), 2u);
    EXPECT_EQ(site.Release(), 1u);
    EXPECT_EQ(site.Release(), 0u);   // counting only: the site is not freed
    EXPECT_EQ(site.AddRef(), 1u);
    uint32_t lcid = 0;
    EXPECT_EQ(site.GetLCID(&lcid), E_NOTIMPL);
    QString version;
    EXPECT_EQ(site.GetDocVersionString(&version), E_NOTIMPL);

    ObjectRef object = std::make_shared<ErrObjectStub>();
    void* typeInfo = &site;
    EXPECT_EQ(site.GetItemInfo("Anything", SCRIPTINFO_IUNKNOWN | SCRIPTINFO_ITYPEINFO, &object, &typeInfo),
              TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(typeInfo, nullptr);
    EXPECT_EQ(site.GetItemInfo("Anything", SCRIPTINFO_IUNKNOWN, &object, nullptr), S_OK);
    EXPECT_EQ(object, nullptr);   // the table is empty
}

TEST(ScriptSite, TheEngineReleasesWhatItTook)
{
    CScriptSite site;
    {
        ScriptEngine engine;
        ASSERT_EQ(engine.SetScriptSite(&site), S_OK);
        EXPECT_EQ(site.RefCount(), 2u);
    }
    EXPECT_EQ(site.RefCount(), 1u);
}

TEST(ScriptEngineProbe, FollowsTheEngineFactory)
{
    EXPECT_TRUE(CheckScriptEngine());
    ScriptEngineFactory previous = SetScriptEngineFactory([](const QString&) { return nullptr; });
    EXPECT_FALSE(CheckScriptEngine());
    // An engine that refuses the site fails the probe too.
    SetScriptEngineFactory([](const QString&) {
        auto engine = std::make_unique<ScriptEngine>();
        engine->Close();
        return engine;
    });
    EXPECT_FALSE(CheckScriptEngine());
    SetScriptEngineFactory(previous);
    EXPECT_TRUE(CheckScriptEngine());
    EXPECT_EQ(CreateScriptEngine("JScript"), nullptr);
}
