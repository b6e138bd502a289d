// Benchmarks of the invoice items editor on the generated 70-room hotel (10 and 30 years):
//   editor.EditorOeffnen/10_posten   the editor opened for a booking with 10 extra items: the
//                                   lists (payment kinds, discounts, the addresses of the
//                                   entries, VAT keys, articles), the remembered choices, the
//                                   entries with their documents, and the window shown
//                                   (goal ≤ 50 ms median on both sets);
//   editor.Adressbuch/alle           the whole address book, read when the user opens the
//                                   invoice address box;
//   editor.Laden/listen_und_eintraege  the logic alone: every list and the entries;
//   editor.EintraegeLaden/10_posten  reading the entries alone.
//
// The 10 items are written into a private copy of the set, beside the cached set.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "GeneratedSet.h"
#include "engine/Database.h"
#include "invoice/RechnungPoLogik.h"
#include "invoice/ui/frmRechnungPo.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"

using namespace tav;

namespace {

struct Kopie {
    std::unique_ptr<bench::SetCopy> kopie;
    std::unique_ptr<Database> db;
    int buchung = 0;
};

// A booking of the reference week without items, given 10 extra items, in a private copy.
Kopie& kopie() {
    static Kopie k = [] {
        Kopie k;
        k.kopie = bench::GeneratedSet::instance().copy();
        k.db = k.kopie->open();
        Database& db = *k.db;
        const QDate tag = bench::GeneratedSet::instance().today();
        Recordset rs = db.openRecordset(QStringLiteral("SELECT ID FROM tblBelegung WHERE Gelöscht = False AND Von <= ? AND Bis > ? "
                                                       "AND ID NOT IN (SELECT IDBelegung FROM tbRePosten WHERE IDBelegung Is Not Null) "
                                                       "ORDER BY ID"),
                                        {tag, tag});
        if (rs.eof()) return k;
        k.buchung = rs.integer(QStringLiteral("ID"));
        Transaction t(db);
        for (int i = 0; i < 10; ++i)
            db.execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel, DatumPo, "
                                      "AbgerechnetPo, IST_Belegung) VALUES (?, ?, ?, 3.5, 1, ?, 'Nein', 'N')"),
                       {k.buchung, QStringLiteral("Minibar %1").arg(i), 1 + i % 3, tag.addDays(-(i % 3))});
        t.commit();
        return k;
    }();
    return k;
}

void EditorOeffnen(benchmark::State& state) {
    Kopie& k = kopie();
    if (k.buchung == 0) {
        state.SkipWithError("Der Datensatz hat keine Buchung am Stichtag.");
        return;
    }
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    int zeilen = 0;
    for (auto _ : state) {
        frmRechnungPo::Umgebung u;
        u.shell = &shell;
        frmRechnungPo f(*k.db, dialogs, std::move(u), k.buchung, RechnungPoLogik::Modus::Rechnung);
        f.show();
        QApplication::processEvents();
        zeilen = f.logik().zeilen().size();
        benchmark::DoNotOptimize(zeilen);
    }
    if (zeilen != 11) state.SkipWithError("Das Fenster zeigt nicht die Buchung und ihre 10 Posten.");
    state.counters["Zeilen"] = zeilen;
}

void EintraegeLaden(benchmark::State& state) {
    Kopie& k = kopie();
    if (k.buchung == 0) {
        state.SkipWithError("Der Datensatz hat keine Buchung am Stichtag.");
        return;
    }
    ScriptedDialogs dialogs;
    RechnungPoLogik l(*k.db, dialogs);
    l.laden(k.buchung, RechnungPoLogik::Modus::Rechnung, bench::GeneratedSet::instance().today());
    for (auto _ : state) {
        l.eintraegeLaden();
        benchmark::DoNotOptimize(l.zeilen().size());
    }
}

void Laden(benchmark::State& state) {
    Kopie& k = kopie();
    if (k.buchung == 0) {
        state.SkipWithError("Der Datensatz hat keine Buchung am Stichtag.");
        return;
    }
    ScriptedDialogs dialogs;
    RechnungPoLogik l(*k.db, dialogs);
    for (auto _ : state) {
        l.laden(k.buchung, RechnungPoLogik::Modus::Rechnung, bench::GeneratedSet::instance().today());
        benchmark::DoNotOptimize(l.adressen().size());
    }
    state.counters["Adressen"] = double(l.adressen().size());
}

void Adressbuch(benchmark::State& state) {
    Kopie& k = kopie();
    if (k.buchung == 0) {
        state.SkipWithError("Der Datensatz hat keine Buchung am Stichtag.");
        return;
    }
    ScriptedDialogs dialogs;
    RechnungPoLogik l(*k.db, dialogs);
    l.laden(k.buchung, RechnungPoLogik::Modus::Rechnung, bench::GeneratedSet::instance().today());
    for (auto _ : state) {
        l.alleAdressenLaden();
        benchmark::DoNotOptimize(l.adressen().size());
    }
    state.counters["Adressen"] = double(l.adressen().size());
}

}  // namespace

BENCHMARK(Adressbuch)->Name("editor.Adressbuch/alle")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Laden)->Name("editor.Laden/listen_und_eintraege")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(EditorOeffnen)->Name("editor.EditorOeffnen/10_posten")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(EintraegeLaden)->Name("editor.EintraegeLaden/10_posten")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    // The window is shown: a QApplication on the offscreen platform, which bench/run sets.
    QApplication app(argc, argv);
    ClockOverride uhr(bench::GeneratedSet::instance().today());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
