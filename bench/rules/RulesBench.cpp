// One rename through the rule script on a maximal profile (150 contacts):
// the length, character set and collation uniqueness checks against every
// contact, and the scroll-list update; the same through the document's edit
// path (with its undo step), and one undo.

#include "KVXZOTApp.h"
#include "KVXZOTDoc.h"
#include "Messages.h"
#include "RadioSimulator.h"
#include "RegistryStore.h"

#include <QTemporaryDir>
#include <QUndoStack>
#include <benchmark/benchmark.h>

using kvx::registry::Hive;
using kvx::registry::RegistryStore;

namespace {

struct Fixture {
    Fixture()
    {
        RegistryStore::ReplaceInstance(std::make_unique<RegistryStore>(dir.filePath(QStringLiteral("m.ini")),
                                                                       dir.filePath(QStringLiteral("u.ini"))));
        const QString key = QStringLiteral("Software\\Varnholt\\KVX JUB ZOT");
        RegistryStore::Instance().WriteString(Hive::Machine, key, QStringLiteral("InstallPath"), QStringLiteral(KVX_INSTALLATION_DIR));
        RegistryStore::Instance().WriteString(Hive::Machine, key, QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
        kvx::SetMessageHandler([](const QString&, unsigned) { return 1; });
        ok = app.InitInstance() && doc.SetVirtualCPData(CRadioSimulator::FullContent());
    }

    QTemporaryDir dir;
    CKVXZOTApp app{[] { return true; }};
    CKVXZOTDoc doc;
    bool ok = false;
};

void BM_RenameContact(benchmark::State& state)
{
    static Fixture fixture;
    if (!fixture.ok) {
        state.SkipWithError("no maximal profile");
        return;
    }
    CDataItem contacts, privates, contact;
    fixture.doc.GetRootItem().GetChildByName(QStringLiteral("Contacts"), contacts);
    contacts.GetChildByName(QStringLiteral("Privates"), privates);
    privates.GetChildByIndex(privates.GetChildCount() / 2, contact);
    state.counters["contacts"] = fixture.doc.GetRootItem().GetNode().SelectNodes(QStringLiteral("dfns:Contacts/*/*")).Length();
    const QString names[2] = {QStringLiteral("Bench name one"), QStringLiteral("Bench name two")};
    int turn = 0;
    for (auto _ : state) {
        qint32 r1 = 0, r2 = 0;
        if (contact.SetAttributeValue(QStringLiteral("name"), names[turn ^= 1], r1, 0, r2) != 0) {
            state.SkipWithError("rename refused");
            break;
        }
    }
}
BENCHMARK(BM_RenameContact)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

CDataItem MiddlePrivate(CKVXZOTDoc& doc)
{
    CDataItem contacts, privates, contact;
    doc.GetRootItem().GetChildByName(QStringLiteral("Contacts"), contacts);
    contacts.GetChildByName(QStringLiteral("Privates"), privates);
    privates.GetChildByIndex(privates.GetChildCount() / 2, contact);
    return contact;
}

void BM_RenameThroughTheDocument(benchmark::State& state)
{
    static Fixture fixture;
    if (!fixture.ok) {
        state.SkipWithError("no maximal profile");
        return;
    }
    const CDataItem contact = MiddlePrivate(fixture.doc);
    const QString names[2] = {QStringLiteral("Bench name one"), QStringLiteral("Bench name two")};
    int turn = 0;
    for (auto _ : state) {
        if (!fixture.doc.Apply(EditRequest::SetAttribute(contact, QStringLiteral("name"), names[turn ^= 1])).IsApplied()) {
            state.SkipWithError("rename refused");
            break;
        }
    }
}
BENCHMARK(BM_RenameThroughTheDocument)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_UndoRedoOfARename(benchmark::State& state)
{
    static Fixture fixture;
    if (!fixture.ok || !fixture.doc.Apply(EditRequest::SetAttribute(MiddlePrivate(fixture.doc), QStringLiteral("name"),
                                                                     QStringLiteral("Bench undo"))).IsApplied()) {
        state.SkipWithError("no maximal profile");
        return;
    }
    QUndoStack& stack = *fixture.doc.UndoStack();
    // What one snapshot of the maximal profile keeps (text, and compressed as undo keeps it).
    const QByteArray text = fixture.doc.GetDataModel().GetProfileXml().toUtf8();
    state.counters["text_bytes"] = double(text.size());
    state.counters["snapshot_bytes"] = double(qCompress(text, 1).size());
    for (auto _ : state) {
        stack.undo();
        stack.redo();
    }
}
BENCHMARK(BM_UndoRedoOfARename)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
