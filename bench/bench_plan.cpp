// Benchmarks of the occupancy plan on the generated 70-room, 10-year hotel:
//   plan.LadenUndMalen_70x35/…  one show-window: the holidays, the booking query and every
//                               booking painted into the cells of 70 rooms × 35 days
//                               (goal ≤ 2 ms median for the window as the plan opens it);
//   plan.MausBewegung/…         one evaluation of a mouse movement over a cell, the timing log
//                               off (goal ≤ 0.3 ms median);
// and, for orientation, the chart widget painted from a loaded model and the pixel-to-cell
// arithmetic.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QList>
#include <QPair>
#include <memory>

#include "GeneratedSet.h"
#include "engine/Database.h"
#include "plan/PlanModel.h"
#include "plan/ui/Plantafel.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "store/Einstellungen.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "store/Zimmerliste.h"

using namespace tav;

namespace {

constexpr int kTage = 35;

// The plan as the program shows it on the generated hotel: every room visible, the colours,
// legend names and first-night brightening from the set's settings rows. No program folder,
// so the timing log stays off.
struct Plan {
    std::unique_ptr<Database> db = bench::GeneratedSet::instance().open();
    Zimmerliste rooms;
    ScriptedDialogs dialogs;
    int raeume = 0;

    Plan() {
        rooms.load(*db);
        // The room count N of the settings; the room after the last is the waiting row.
        if (const auto r = Parameter(*db).read(QStringLiteral("Räumlichkeiten"))) raeume = r->integer(1);
        if (raeume <= 0) raeume = int(rooms.rooms().size()) - 1;
    }

    PlanEinstellungen einstellungen() const {
        Variablen v;
        einstellungen::farben(*db, v);
        einstellungen::belegungsarten(*db, v);
        PlanEinstellungen e;
        e.tage = kTage;
        e.raeume = raeume;
        e.sichtbareZeilen = raeume;
        e.farben = v.farben;
        e.belegungsartNamen = v.belegungsartNamen;
        e.hatTeilbelegt = v.hatTeilbelegt;
        e.teilbelegtFarbe = v.teilbelegtFarbe;
        return e;
    }
};

Plan& plan() {
    static Plan p;
    return p;
}

// The plan opens two days before today.
QDate fensterStart() { return bench::GeneratedSet::instance().today().addDays(-2); }

void laden(benchmark::State& state, QDate start) {
    Plan& p = plan();
    PlanModel m(*p.db, p.dialogs, p.rooms, p.einstellungen());
    int schritt = 0;
    qint64 buchungen = 0;
    for (auto _ : state) {
        // Eight windows a week apart, as "+1 Woche" steps through them.
        m.zeigeFenster(start.addDays(7 * (schritt++ % 8)));
        buchungen += m.buchungsIds().size();
        benchmark::DoNotOptimize(m.zelle(1, 1).farbe);
    }
    state.counters["Buchungen"] = benchmark::Counter(double(buchungen), benchmark::Counter::kAvgIterations);
    state.counters["Zellen"] = double(m.zellenAnzahl());
}

// The window as the plan opens it and the weeks after: the goal.
void LadenUndMalenHeute(benchmark::State& state) { laden(state, fensterStart()); }
// Five years back: the booking query reads the departures index from there on.
void LadenUndMalenFuenfJahreZurueck(benchmark::State& state) { laden(state, fensterStart().addYears(-5)); }

// Loading the window and painting the chart widget into an image, as a navigation click does
// it on the screen.
void LadenUndMalenMitWidget(benchmark::State& state) {
    Plan& p = plan();
    PlanModel m(*p.db, p.dialogs, p.rooms, p.einstellungen());
    m.zeigeFenster(fensterStart());
    Plantafel view(m, 3);
    view.resize(view.sizeHint());
    QImage bild(view.size(), QImage::Format_ARGB32_Premultiplied);
    int schritt = 0;
    for (auto _ : state) {
        m.zeigeFenster(fensterStart().addDays(7 * (schritt++ % 8)));
        view.render(&bild);
        benchmark::DoNotOptimize(bild.constBits());
    }
    state.counters["Pixel"] = double(view.width()) * view.height();
}

void mausUeber(benchmark::State& state, bool nurBelegte) {
    Plan& p = plan();
    PlanModel m(*p.db, p.dialogs, p.rooms, p.einstellungen());
    m.zeigeFenster(fensterStart());
    QList<QPair<int, int>> zellen;
    for (int r = 1; r <= m.bildschirmZeilen(); ++r)
        for (int c = 1; c <= kTage; ++c)
            if (!nurBelegte || m.zelle(r, c).belegt()) zellen.append({r, c});
    if (zellen.isEmpty()) {
        state.SkipWithError("Keine Zelle im Fenster.");
        return;
    }
    qsizetype i = 0;
    for (auto _ : state) {
        const auto& [r, c] = zellen[i++ % zellen.size()];
        auto s = m.mausBewegung(r, c);
        benchmark::DoNotOptimize(s);
    }
    state.counters["Zellen"] = double(zellen.size());
}

// Every cell of the window in turn: the goal.
void MausBewegungAlleZellen(benchmark::State& state) { mausUeber(state, false); }
// Only booked cells: each one runs the payment state and the night's booking query.
void MausBewegungBelegt(benchmark::State& state) { mausUeber(state, true); }

// The cell under a pixel, the part of the evaluation that the chart does before the model.
void ZelleUnterMaus(benchmark::State& state) {
    PlanGeometrie g;
    g.links = 110;
    g.oben = 48;
    g.tage = kTage;
    g.zeilen = plan().raeume + 1;
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(g.zelleBei(QPoint(g.links + (x % 630), g.oben + (x * 7) % 1500)));
        ++x;
    }
}

}  // namespace

BENCHMARK(LadenUndMalenHeute)->Name("plan.LadenUndMalen_70x35/heute")->Unit(benchmark::kMillisecond);
BENCHMARK(LadenUndMalenFuenfJahreZurueck)->Name("plan.LadenUndMalen_70x35/fuenf_jahre_zurueck")->Unit(benchmark::kMillisecond);
BENCHMARK(LadenUndMalenMitWidget)->Name("plan.LadenUndMalen_70x35/mit_widget")->Unit(benchmark::kMillisecond);
BENCHMARK(MausBewegungAlleZellen)->Name("plan.MausBewegung/alle_zellen")->Unit(benchmark::kMicrosecond);
BENCHMARK(MausBewegungBelegt)->Name("plan.MausBewegung/belegt")->Unit(benchmark::kMicrosecond);
BENCHMARK(ZelleUnterMaus)->Name("plan.ZelleUnterMaus/geometrie")->Unit(benchmark::kNanosecond);

int main(int argc, char** argv) {
    // The widget benchmark paints: a QApplication on the offscreen platform, which bench/run sets.
    QApplication app(argc, argv);
    ClockOverride uhr(bench::GeneratedSet::instance().today());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
