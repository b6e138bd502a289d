// Benchmarks of the documents on the generated 70-room hotel (10 and 30 years):
//   invoice.RechnungAnlegen/drei_posten   creating one invoice for a booking with three extra
//                                         items: next key, counter with the reuse rule, printed
//                                         number, the row, four link rows, payments attached,
//                                         booking and items settled, committed with full
//                                         durability (goal ≤ 10 ms median);
//   invoice.NaechsteNummer/…              the next key and the next invoice counter alone;
//   invoice.MwStAufteilen/zwei_saetze     the VAT split of a document with a night line and
//                                         three items at two rates.
//
// Creating writes, so it works on a private copy of the set: beside the cached one on the disk,
// and (…_shm) in /dev/shm, where the syncs of the commit cost nothing and the program's own
// share is left. Each round
// gets a fresh booking with three items and a payment, made outside the measured time; the
// invoice is cancelled again outside it, so that every round finds the same history.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>

#include "GeneratedSet.h"
#include "engine/Database.h"
#include "invoice/clsMWST.h"
#include "invoice/clsRechnung.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

using namespace tav;

namespace {

struct Kopie {
    std::unique_ptr<bench::SetCopy> ordner;
    std::unique_ptr<Database> db;
    int gast = 0;
    QDate tag;

    explicit Kopie(const QString& ort) {
        ordner = bench::GeneratedSet::instance().copy(ort);
        db = ordner->open();
        db->setDurable(true);
        gast = db->scalar(QStringLiteral("SELECT Min(ID) FROM Address WHERE ID >= (SELECT Max(ID) FROM Address) / 2")).toInt();
        tag = bench::GeneratedSet::instance().today();
    }

    // A departed booking with three extra items and a down payment, as the editor finds it.
    QList<DokumentEintrag> neueBuchung() {
        db->execute(
            QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, Preis, Abgerechnet) VALUES (3, ?, ?, ?, 240, 0)"),
            {tag.addDays(-3), tag, gast});
        const int b = db->scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
        QList<DokumentEintrag> e{DokumentEintrag::buchung(b)};
        for (const char* artikel : {"Frühstück", "Parkplatz", "Minibar"}) {
            db->execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel, AbgerechnetPo) "
                                       "VALUES (?, ?, 2, 12.5, 1, 'Nein')"),
                        {b, QString::fromUtf8(artikel)});
            e << DokumentEintrag::posten(db->scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt());
        }
        db->execute(QStringLiteral("INSERT INTO tbZahlung (IDBelegung, ZahlDatum, Betrag) VALUES (?, ?, 50)"), {b, tag.addDays(-10)});
        return e;
    }
};

Kopie& kopie(bool shm = false) {
    if (shm) {
        static Kopie k(QStringLiteral("/dev/shm"));
        return k;
    }
    static Kopie k{QString()};
    return k;
}

void RechnungAnlegen(benchmark::State& state, bool shm) {
    if (shm && !QFileInfo(QStringLiteral("/dev/shm")).isWritable()) {
        state.SkipWithError("/dev/shm fehlt.");
        return;
    }
    Kopie& k = kopie(shm);
    ScriptedDialogs dialogs;
    clsRechnung r(*k.db, dialogs);
    for (auto _ : state) {
        state.PauseTiming();
        NeuesDokument d;
        d.adressId = k.gast;
        d.datum = k.tag;
        d.eintraege = k.neueBuchung();
        d.summen.brutto = 315;
        d.summen.mwst = 24.5;
        state.ResumeTiming();
        const std::optional<int> key = r.ReZuordnungen(d);
        state.PauseTiming();
        if (!key) {
            state.SkipWithError(qPrintable(QStringLiteral("nicht angelegt: ") + dialogs.texts().join(QLatin1Char(' '))));
            break;
        }
        dialogs.answer(Answer::Yes);
        r.stornieren(*key);
        state.ResumeTiming();
    }
    dialogs.expectUnanswered();
}
void RechnungAnlegenDisk(benchmark::State& state) { RechnungAnlegen(state, false); }
void RechnungAnlegenShm(benchmark::State& state) { RechnungAnlegen(state, true); }

void NaechsteNummer(benchmark::State& state) {
    Kopie& k = kopie();
    ScriptedDialogs dialogs;
    clsRechnung r(*k.db, dialogs);
    for (auto _ : state) {
        benchmark::DoNotOptimize(r.naechsteReNummer(true));
        benchmark::DoNotOptimize(r.naechsterReZaehler(true));
    }
}

void MwStAufteilen(benchmark::State& state) {
    Kopie& k = kopie();
    ScriptedDialogs dialogs;
    clsMWST m(*k.db, dialogs);
    const int schluessel = k.db->scalar(QStringLiteral("SELECT Min(IDSteuerschluessel) FROM tbSteuerschluessel")).toInt();
    for (auto _ : state) {
        m.AktuelleMwStErmitteln(true, k.tag);
        const std::optional<double> standard = m.MwSTSSatztandardVonDatum(k.tag);
        m.zeileBuchen(240, standard.value_or(7));
        for (int i = 0; i < 3; ++i)
            if (m.GueltigerMwstSatzFinden(schluessel, k.tag)) m.zeileBuchen(25, *m.gefundenerSatz());
        benchmark::DoNotOptimize(m.mwstSumme());
    }
}

}  // namespace

BENCHMARK(RechnungAnlegenDisk)->Name("invoice.RechnungAnlegen/drei_posten")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RechnungAnlegenShm)->Name("invoice.RechnungAnlegen/drei_posten_shm")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(NaechsteNummer)->Name("invoice.NaechsteNummer/schluessel_und_zaehler")->Unit(benchmark::kMillisecond);
BENCHMARK(MwStAufteilen)->Name("invoice.MwStAufteilen/zwei_saetze")->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ClockOverride uhr(bench::GeneratedSet::instance().today());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
