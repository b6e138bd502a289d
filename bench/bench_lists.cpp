// Benchmarks of the booking list and the daily lists on the generated 70-room hotel:
//   lists.ListeOeffnen/abg_temp       opening the list: the recompute of Abg_Temp, the
//                                     captions, the query of "Alle" and the first page of rows
//                                     (goal ≤ 150 ms median);
//   lists.FilterAendern/spalten       one filter change: the filtered query and its first page
//                                     (goal ≤ 50 ms median);
//   lists.Fruehstueck/ein_tag         the breakfast list of one day with its records and data
//                                     file contents (goal ≤ 20 ms median);
//   lists.Blaettern/alle_zeilen       scrolling through every row of the list a screen at a
//                                     time; its counters say how many rows were read per row
//                                     shown and how many rows the cache held at most.
//
// Opening writes Abg_Temp, so the list works on a private copy of the set.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <memory>

#include "GeneratedSet.h"
#include "engine/Database.h"
#include "lists/SuchenLogik.h"
#include "lists/Tageslisten.h"
#include "lists/ui/BuchungslisteModell.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

using namespace tav;

namespace {

struct Kopie {
    std::unique_ptr<bench::SetCopy> set = bench::GeneratedSet::instance().copy();
    std::unique_ptr<Database> db = set->open();
};

Kopie& kopie() {
    static Kopie k;
    return k;
}

QStringList beschriftungen() { return listen::vorgabeBeschriftungen(QStringLiteral("Zimmer"), QStringLiteral("Belegungsart")); }

void ListeOeffnen(benchmark::State& state) {
    Database& db = *kopie().db;
    ScriptedDialogs dialogs;
    const QDate heute = Clock::current().today();
    qint64 zeilen = 0;
    for (auto _ : state) {
        SuchenLogik logik(db, dialogs);
        logik.abgTempNeuBerechnen();
        const QStringList k = logik.beschriftungen(QStringLiteral("Zimmer"), QStringLiteral("Belegungsart"));
        Listenabfrage a;
        a.zeitraum = logik.gespeicherterZeitraum();
        const QList<int> ids = logik.ids(a, k, heute);
        const QList<Listenzeile> seite = logik.zeilen(ids.mid(0, BuchungslisteModell::kSeite));
        zeilen = ids.size();
        benchmark::DoNotOptimize(seite);
    }
    state.counters["Zeilen"] = double(zeilen);
}

void FilterAendern(benchmark::State& state) {
    Database& db = *kopie().db;
    ScriptedDialogs dialogs;
    SuchenLogik logik(db, dialogs);
    logik.abgTempNeuBerechnen();
    const QDate heute = Clock::current().today();
    // Typical filters of the front desk: a last name, a departure day, a room, unsettled ones.
    struct Filter {
        int spalte;
        QString text;
    };
    const QList<Filter> filter = {{8, QStringLiteral("Sch")},  {19, QStringLiteral("<") + heute.toString(QStringLiteral("dd.MM.yyyy"))},
                                  {6, QStringLiteral("10")},   {3, QStringLiteral("n")},
                                  {12, QStringLiteral("Ber")}, {19, heute.toString(QStringLiteral("dd.MM.yyyy"))}};
    qsizetype i = 0;
    qint64 zeilen = 0;
    for (auto _ : state) {
        const Filter& f = filter[i++ % filter.size()];
        Listenabfrage a;
        a.filter = QStringList(listen::kSpalten, QString());
        a.filter[f.spalte - 1] = f.text;
        const QList<int> ids = logik.ids(a, beschriftungen(), heute);
        const QList<Listenzeile> seite = logik.zeilen(ids.mid(0, BuchungslisteModell::kSeite));
        zeilen += ids.size();
        benchmark::DoNotOptimize(seite);
    }
    state.counters["Zeilen"] = benchmark::Counter(double(zeilen), benchmark::Counter::kAvgIterations);
}

void Fruehstueck(benchmark::State& state) {
    Database& db = *kopie().db;
    ScriptedDialogs dialogs;
    Tageslisten listen(db, dialogs, {});
    const QDate heute = Clock::current().today();
    qint64 gaeste = 0;
    for (auto _ : state) {
        const Listenergebnis e = listen.erstellen(Tagesliste::Fruehstueck, heute, heute);
        const QByteArray datei = e.datei().bytes();
        gaeste = e.saetze.size();
        benchmark::DoNotOptimize(datei);
    }
    state.counters["Buchungen"] = double(gaeste);
}

void Blaettern(benchmark::State& state) {
    Database& db = *kopie().db;
    ScriptedDialogs dialogs;
    SuchenLogik logik(db, dialogs);
    const QList<int> ids = logik.ids({}, beschriftungen(), Clock::current().today());
    constexpr int kSichtbar = 30;
    int groesstesImSpeicher = 0;
    double gelesenJeZeile = 0;
    for (auto _ : state) {
        BuchungslisteModell modell([&](const QList<int>& teil) { return logik.zeilen(teil); });
        modell.setzen(ids);
        for (int oben = 1; oben < modell.rowCount(); oben += kSichtbar) {
            for (int r = oben; r < std::min(oben + kSichtbar, modell.rowCount()); ++r)
                benchmark::DoNotOptimize(modell.data(modell.index(r, 7)));
            groesstesImSpeicher = std::max(groesstesImSpeicher, modell.imSpeicher());
        }
        gelesenJeZeile = double(modell.gelesen()) / double(std::max(1, modell.anzahl()));
    }
    state.counters["Zeilen"] = double(ids.size());
    state.counters["GelesenJeZeile"] = gelesenJeZeile;
    state.counters["MaxImSpeicher"] = double(groesstesImSpeicher);
}

}  // namespace

BENCHMARK(ListeOeffnen)->Name("lists.ListeOeffnen/abg_temp")->Unit(benchmark::kMillisecond);
BENCHMARK(FilterAendern)->Name("lists.FilterAendern/spalten")->Unit(benchmark::kMillisecond);
BENCHMARK(Fruehstueck)->Name("lists.Fruehstueck/ein_tag")->Unit(benchmark::kMillisecond);
BENCHMARK(Blaettern)->Name("lists.Blaettern/alle_zeilen")->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ClockOverride uhr(bench::GeneratedSet::instance().today());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
