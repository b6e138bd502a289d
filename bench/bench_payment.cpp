// Benchmarks of the payments on the generated 70-room hotel (10 and 30 years):
//   payment.ZahlungsfensterOeffnen/200_zahlungen   the payments window opened for a booking
//                                                 with 200 payments: header, settled state,
//                                                 room and invoice lists, both grids filled
//                                                 and the window shown (goal ≤ 30 ms median);
//   payment.OffenerBetrag/rechnung                 the open amount of one invoice.
//
// The 200 payments are written into a private copy of the set, beside the cached set.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "GeneratedSet.h"
#include "engine/Database.h"
#include "payment/Zahlungen.h"
#include "payment/ui/frmZahlung.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

using namespace tav;

namespace {

struct Kopie {
    std::unique_ptr<bench::SetCopy> kopie;
    std::unique_ptr<Database> db;
    int buchung = 0;
    int rechnung = 0;
};

// A booking of the reference year that has an invoice, given 200 payments (half of them on the
// invoice), in a private copy of the set.
Kopie& kopie() {
    static Kopie k = [] {
        Kopie k;
        k.kopie = bench::GeneratedSet::instance().copy();
        k.db = k.kopie->open();
        Database& db = *k.db;
        Recordset rs = db.openRecordset(
            QStringLiteral(
                "SELECT tbRechnungen_zu_Posten.IDBelegung, tbRechnungen_zu_Posten.IDRechnung FROM tbRechnungen_zu_Posten "
                "INNER JOIN tbRechnungen ON tbRechnungen_zu_Posten.IDRechnung = tbRechnungen.ReNummer WHERE "
                "tbRechnungen.IST_Rechnung = 'R' AND tbRechnungen_zu_Posten.IDBelegung Is Not Null AND tbRechnungen.DatumRe >= ? "
                "ORDER BY tbRechnungen.DatumRe"),
            {bench::GeneratedSet::instance().today().addDays(-60)});
        if (rs.eof()) return k;
        k.buchung = rs.integer(QStringLiteral("IDBelegung"));
        k.rechnung = rs.integer(QStringLiteral("IDRechnung"));
        Transaction t(db);
        const QDate tag = bench::GeneratedSet::instance().today();
        for (int i = 0; i < 200; ++i)
            db.execute(
                QStringLiteral("INSERT INTO tbZahlung (IDBelegung, IdRechnung, ZahlDatum, Betrag, Zahlart, WasBezahlt) VALUES (?, ?, ?, ?, "
                               "'Bar', 'Teilzahlung')"),
                {k.buchung, i % 2 ? QVariant(k.rechnung) : QVariant(), tag.addDays(-i), 1.25 + i});
        t.commit();
        return k;
    }();
    return k;
}

void ZahlungsfensterOeffnen(benchmark::State& state) {
    Kopie& k = kopie();
    if (k.buchung == 0) {
        state.SkipWithError("Der Datensatz hat keine Rechnung mit Buchung.");
        return;
    }
    ScriptedDialogs dialogs;
    ZahlungKontext kontext;
    kontext.buchungen = Zahlungen(*k.db).blockMitglieder(k.buchung);
    int zeilen = 0;
    for (auto _ : state) {
        frmZahlung f(*k.db, dialogs, kontext);
        f.show();
        QApplication::processEvents();
        zeilen = f.zahlungsModell().rowCount();
        benchmark::DoNotOptimize(zeilen);
    }
    if (zeilen < 200) state.SkipWithError("Das Fenster zeigt weniger als 200 Zahlungen.");
    state.counters["Zahlungen"] = zeilen;
}

void OffenerBetrag(benchmark::State& state) {
    Kopie& k = kopie();
    if (k.rechnung == 0) {
        state.SkipWithError("Der Datensatz hat keine Rechnung mit Buchung.");
        return;
    }
    Zahlungen z(*k.db);
    for (auto _ : state) benchmark::DoNotOptimize(z.offenerBetrag(k.rechnung));
}

}  // namespace

BENCHMARK(ZahlungsfensterOeffnen)->Name("payment.ZahlungsfensterOeffnen/200_zahlungen")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OffenerBetrag)->Name("payment.OffenerBetrag/rechnung")->Unit(benchmark::kMicrosecond)->UseRealTime();

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
