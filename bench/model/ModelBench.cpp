// Opening, saving and converting a maximal profile (150 contacts, 25
// messages of 80 characters), against a plain libxml2 parse and validation
// of the same text with the same schema.

#include "AppProfileEnvironment.h"
#include "KVXZOTApp.h"
#include "KVXZOTDoc.h"
#include "KVXZOTException.h"
#include "Messages.h"
#include "RadioDataModel.h"
#include "RadioSimulator.h"
#include "MachineDefaults.h"
#include "TextFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

namespace {

// A started application and a maximal profile stored in the UTF-16 form.
struct Fixture {
    Fixture()
    {
        kvx::registry::UseScratchStore(dir.path(), QStringLiteral(KVX_INSTALLATION_DIR));
        kvx::SetMessageHandler([](const QString&, unsigned) { return 1; });
        ok = app.InitInstance();
        image = CRadioSimulator::FullContent();
        CKVXZOTDoc doc;
        ok = ok && doc.SetVirtualCPData(image) && doc.OnSaveDocument(ProfilePath());
        const TextFileContent file = ReadTextFile(ProfilePath());
        profileText = UnscrambleXml(file.text, file.byteForm);
    }
    QString ProfilePath() const { return dir.filePath(QStringLiteral("maximal.jub")); }

    QTemporaryDir dir;
    CKVXZOTApp app{[] { return true; }};
    bool ok = false;
    VirtualCP image;
    QString profileText;
};

Fixture& TheFixture()
{
    static Fixture fixture;
    return fixture;
}

void BM_OpenMaximalProfile(benchmark::State& state)
{
    Fixture& f = TheFixture();
    CRadioDataModel model(CAppProfileEnvironment::Instance());
    if (!f.ok || !model.LoadProfile(f.ProfilePath(), true))
        state.SkipWithError("setup failed");
    for (auto _ : state)
        benchmark::DoNotOptimize(model.LoadProfile(f.ProfilePath(), true));
}
BENCHMARK(BM_OpenMaximalProfile)->Unit(benchmark::kMillisecond);

// The first open of a document also starts its rule script.
void BM_OpenMaximalProfileNewModel(benchmark::State& state)
{
    Fixture& f = TheFixture();
    for (auto _ : state) {
        CRadioDataModel model(CAppProfileEnvironment::Instance());
        benchmark::DoNotOptimize(model.LoadProfile(f.ProfilePath(), true));
    }
}
BENCHMARK(BM_OpenMaximalProfileNewModel)->Unit(benchmark::kMillisecond);

void BM_PlainLibxml2ParseAndValidate(benchmark::State& state)
{
    Fixture& f = TheFixture();
    const QByteArray schemaText = [] {
        const TextFileContent file = ReadTextFile(QStringLiteral(KVX_INSTALLATION_DIR "/ProfileTemplate/DataProfile.xsd"));
        return file.text.toUtf8();
    }();
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewMemParserCtxt(schemaText.constData(), int(schemaText.size()));
    xmlSchemaPtr schema = xmlSchemaParse(parser);
    xmlSchemaValidCtxtPtr validator = xmlSchemaNewValidCtxt(schema);
    const QByteArray text = f.profileText.toUtf8();
    for (auto _ : state) {
        xmlDocPtr doc = xmlReadMemory(text.constData(), int(text.size()), nullptr, "UTF-8", XML_PARSE_NONET | XML_PARSE_NOBLANKS);
        if (!doc || xmlSchemaValidateDoc(validator, doc) != 0)
            state.SkipWithError("the profile does not validate");
        xmlFreeDoc(doc);
    }
    xmlSchemaFreeValidCtxt(validator);
    xmlSchemaFree(schema);
    xmlSchemaFreeParserCtxt(parser);
}
BENCHMARK(BM_PlainLibxml2ParseAndValidate)->Unit(benchmark::kMillisecond);

void BM_SaveMaximalProfile(benchmark::State& state)
{
    Fixture& f = TheFixture();
    CKVXZOTDoc doc;
    if (!doc.OnOpenDocument(f.ProfilePath()))
        state.SkipWithError("open failed");
    const QString target = f.dir.filePath(QStringLiteral("saved.jub"));
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.OnSaveDocument(target));
}
BENCHMARK(BM_SaveMaximalProfile)->Unit(benchmark::kMillisecond);

void BM_SetVirtualCPData(benchmark::State& state)
{
    Fixture& f = TheFixture();
    CKVXZOTDoc doc;
    doc.SetVirtualCPData(f.image);   // starts the rule script once
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.SetVirtualCPData(f.image));
}
BENCHMARK(BM_SetVirtualCPData)->Unit(benchmark::kMillisecond);

void BM_GetVirtualCPData(benchmark::State& state)
{
    Fixture& f = TheFixture();
    CKVXZOTDoc doc;
    if (!doc.OnOpenDocument(f.ProfilePath()))
        state.SkipWithError("open failed");
    for (auto _ : state) {
        VirtualCP image;
        benchmark::DoNotOptimize(doc.GetVirtualCPData(image));
    }
}
BENCHMARK(BM_GetVirtualCPData)->Unit(benchmark::kMillisecond);

// The costliest inputs opening still parses: each shape at the parser's
// limits or at the file size limit, put into the maximal profile, stored
// plain in the byte form. Each must stay well below a second.
void BM_OpenHostileShape(benchmark::State& state)
{
    Fixture& f = TheFixture();
    static const char* const kShapes[] = {"elements", "attributes", "long value", "character references", "comments"};
    const int shape = int(state.range(0));
    state.SetLabel(kShapes[shape]);
    constexpr int kNodes = 99000;
    constexpr qsizetype kBytes = 8 * 1024 * 1024 - 256 * 1024;
    QString inner;
    switch (shape) {
    case 0: inner = QStringLiteral("<e/>").repeated(kNodes); break;
    case 1: {
        QString attributes;
        for (int i = 0; i < 100; ++i)
            attributes += QStringLiteral(" a%1=\"v\"").arg(i);
        inner = (QStringLiteral("<e") + attributes + QStringLiteral("/>")).repeated(900);
        break;
    }
    case 2: inner = QStringLiteral("<e a=\"%1\"/>").arg(QString(kBytes, QLatin1Char('x'))); break;
    case 3: inner = QStringLiteral("<t>%1</t>").arg(QStringLiteral("&#233;&amp;").repeated(kBytes / 11)); break;
    default: inner = QStringLiteral("<!--c-->").repeated(kNodes); break;
    }
    QString text = f.profileText;
    text.replace(QStringLiteral("</KVXProfile>"), inner + QStringLiteral("</KVXProfile>"));
    const QString path = f.dir.filePath(QStringLiteral("hostile.jub"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeCp1252(text)) != text.size())
        state.SkipWithError("setup failed");
    file.close();
    CRadioDataModel model(CAppProfileEnvironment::Instance());
    for (auto _ : state) {
        try {
            model.LoadProfile(path, true);
        } catch (const CKVXZOTException&) {
            // Refused, as most of them are: the time until then counts.
        }
    }
}
BENCHMARK(BM_OpenHostileShape)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
