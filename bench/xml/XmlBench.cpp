// Opening a profile-sized document: 150 contacts with about ten attributes
// each and 25 text messages, parsed and validated against a schema of the
// profile's shape; plus the lookups the data model does while editing.

#include "XmlService.h"
#include "XmlTestProfile.h"

#include <benchmark/benchmark.h>

using namespace kvx::xml;

namespace {

const QString& Profile()
{
    static const QString text = test::ProfileText(50, 50, 50, 25);
    return text;
}

XmlSchemaCache Schema()
{
    XmlDocument schema = XmlDocument::Create();
    schema.LoadXml(test::ReadTextFile(QStringLiteral(KVX_XML_TEST_DATA_DIR "/profile-test.xsd")));
    XmlSchemaCache cache;
    cache.Add(QString::fromLatin1(kProfileNamespace), schema);
    return cache;
}

void BM_ParseProfile(benchmark::State& state)
{
    for (auto _ : state) {
        XmlDocument doc = XmlDocument::Create();
        if (!doc.LoadXml(Profile())) {
            state.SkipWithError("load failed");
        }
        benchmark::DoNotOptimize(doc.DocumentElement());
    }
    state.SetBytesProcessed(state.iterations() * Profile().size() * 2);
}
BENCHMARK(BM_ParseProfile)->Unit(benchmark::kMicrosecond);

void BM_ParseAndValidateProfile(benchmark::State& state)
{
    const XmlSchemaCache cache = Schema();
    for (auto _ : state) {
        XmlDocument doc = XmlDocument::Create();
        doc.SetSchemas(cache);
        if (!doc.LoadXml(Profile())) {
            state.SkipWithError(doc.LastParseError().reason.toUtf8().constData());
        }
        benchmark::DoNotOptimize(doc.DocumentElement());
    }
}
BENCHMARK(BM_ParseAndValidateProfile)->Unit(benchmark::kMicrosecond);

// Schema compilation happens once per profile open.
void BM_CompileSchema(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(Schema());
    }
}
BENCHMARK(BM_CompileSchema)->Unit(benchmark::kMicrosecond);

void BM_ContactLookupByXPath(benchmark::State& state)
{
    XmlDocument doc = XmlDocument::Create();
    doc.LoadXml(Profile());
    int i = 0;
    for (auto _ : state) {
        const QString xpath = QStringLiteral("//dfns:*[@cntct_type and @pid='%1']").arg(10000001 + i++ % 50);
        benchmark::DoNotOptimize(doc.SelectSingleNode(xpath));
    }
}
BENCHMARK(BM_ContactLookupByXPath)->Unit(benchmark::kMicrosecond);

// Typed attribute reading: the declaration of every attribute of a contact.
void BM_AttributeTypes(benchmark::State& state)
{
    const XmlSchemaCache cache = Schema();
    XmlDocument doc = XmlDocument::Create();
    doc.SetSchemas(cache);
    doc.LoadXml(Profile());
    const XmlNode contact = doc.SelectSingleNode(QStringLiteral("//dfns:Private"));
    for (auto _ : state) {
        for (int i = 0; i < contact.AttributeCount(); ++i) {
            benchmark::DoNotOptimize(cache.FindDeclaration(contact.AttributeAt(i)).FinalBaseTypeName());
        }
    }
    state.SetItemsProcessed(state.iterations() * contact.AttributeCount());
}
BENCHMARK(BM_AttributeTypes)->Unit(benchmark::kMicrosecond);

void BM_SerialiseProfile(benchmark::State& state)
{
    XmlDocument doc = XmlDocument::Create();
    doc.LoadXml(Profile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.Xml());
    }
}
BENCHMARK(BM_SerialiseProfile)->Unit(benchmark::kMicrosecond);

}  // namespace
