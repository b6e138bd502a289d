// Speed of the occupancy plan on a hotel with 70 rooms and ten years of bookings:
//   PlanLadenUndMalen   – one show-window: holidays, the booking query, every booking painted
//                         (70 rooms × 35 days); goal ≤ 2 ms median.
//   PlanMausBewegung    – one evaluation of a mouse movement over a cell, timing log off;
//                         goal ≤ 0.3 ms median.
// The database is built once in a folder that later runs reuse ($TAVOMERA_PLAN_BENCH_DB, by
// default a folder in the system's temporary folder); delete it to build it anew.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <random>

#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "plan/PlanModel.h"
#include "plan/RoomList.h"
#include "platform/ScriptedDialogs.h"

using namespace tav;

namespace {

constexpr int kRaeume = 70;
constexpr int kTage = 35;
// Ten years of bookings: nine and a half years of history up to "today", a fully booked
// next two months and a thinly booked rest of the year ahead, as a running hotel has them.
const QDate kHeute(2025, 3, 3);
const QDate kErsterTag = kHeute.addMonths(-114);
const QDate kVolleZukunft = kHeute.addDays(60);
const QDate kLetzterTag = kHeute.addMonths(12);
// The plan opens two days before today.
const QDate kFensterStart = kHeute.addDays(-2);

struct Hotel {
    QString ordner;
    std::unique_ptr<Database> db;
    RoomList rooms;
    ScriptedDialogs dialogs;
    int buchungen = 0;

    Hotel() {
        ordner = qEnvironmentVariable("TAVOMERA_PLAN_BENCH_DB", QDir::temp().filePath(QStringLiteral("tavomera-plan-bench-4")));
        const QString fertig = QDir(ordner).filePath(QStringLiteral("fertig"));
        if (!QFileInfo::exists(fertig)) {
            QDir(ordner).removeRecursively();
            QDir().mkpath(ordner);
            dbfiles::createInstallation(ordner);
            db = Database::open(QDir(ordner).filePath(QStringLiteral("Lokal.mdb")));
            fuellen();
            QFile f(fertig);
            if (f.open(QIODevice::WriteOnly)) f.write("1");
        } else {
            db = Database::open(QDir(ordner).filePath(QStringLiteral("Lokal.mdb")));
        }
        rooms.load(*db);
    }

    void fuellen() {
        std::mt19937 zufall(20240306);
        auto wuerfel = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall); };
        Transaction t(*db);
        for (int i = 0; i <= 8; ++i)
            db->execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"),
                        {i, i == 4 ? QStringLiteral("Angebot") : QStringLiteral("Art %1").arg(i)});
        for (int z = 1; z <= kRaeume + 1; ++z)
            db->execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, Bemerkungen, AnzahlGästeDefault, PreisDefault) "
                                       "VALUES (?, ?, ?, ?, 70)"),
                        {z, z > kRaeume ? QStringLiteral("Vorläufig") : QString::number(100 + z), QStringLiteral("Zimmer"), 1 + z % 3});
        constexpr int kGaeste = 3000;
        for (int g = 1; g <= kGaeste; ++g)
            db->execute(QStringLiteral("INSERT INTO Address (ID, Firstname, Lastname, City) VALUES (?, ?, ?, ?)"),
                        {g, QStringLiteral("Vorname%1").arg(g), QStringLiteral("Nachname%1").arg(g), QStringLiteral("Ort%1").arg(g % 200)});
        int feiertag = 0;
        for (int jahr = kErsterTag.year(); jahr <= kLetzterTag.year(); ++jahr)
            for (const QDate d : {QDate(jahr, 1, 1), QDate(jahr, 5, 1), QDate(jahr, 10, 3), QDate(jahr, 12, 25), QDate(jahr, 12, 26)})
                db->execute(QStringLiteral("INSERT INTO tbFeiertage (IDFeiertage, FTBezeichnung, FTDatum) VALUES (?, 'Feiertag', ?)"),
                            {++feiertag, d});
        // Every room is booked about three nights in four, in stays of one to ten nights;
        // a few bookings wait in the waiting position, past ones are checked in.
        for (int z = 1; z <= kRaeume; ++z) {
            QDate tag = kErsterTag.addDays(wuerfel(0, 5));
            while (tag < kLetzterTag) {
                const int naechte = wuerfel(1, 10);
                const bool wartend = wuerfel(1, 40) == 1;
                const QDate bis = tag.addDays(naechte);
                db->execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Belegungsart, Kürzel, GastID, AnzahlGäste, "
                                           "Gelöscht, Checked, AnzahlÜbernachtungen, Abgerechnet) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                            {z, tag, bis, wuerfel(1, 4), QStringLiteral("K%1").arg(buchungen % 1000), wuerfel(1, kGaeste), wuerfel(1, 3),
                             wartend ? -1 : 0, tag <= kHeute ? -1 : 0, naechte, bis < kHeute ? 1 : 0});
                ++buchungen;
                const int luecke = bis > kVolleZukunft ? wuerfel(5, 40) : (wuerfel(0, 3) == 0 ? wuerfel(1, 4) : 0);
                tag = bis.addDays(luecke);
            }
        }
        t.commit();
    }

    PlanEinstellungen einstellungen() const {
        PlanEinstellungen e;
        e.tage = kTage;
        e.raeume = kRaeume;
        e.sichtbareZeilen = kRaeume;
        e.farben = {9399613, 16742405, 16762112, 16773888, 16056285, 0x808080, 0x808080, 0x808080, 0x808080, 0xB0A0A0, 0x8080F0};
        e.hatTeilbelegt = true;
        e.teilbelegtFarbe = 0x00A000;
        return e;  // no program folder: the timing log stays off
    }
};

Hotel& hotel() {
    static Hotel h;
    return h;
}

void laden(benchmark::State& state, QDate start) {
    Hotel& h = hotel();
    PlanModel m(*h.db, h.dialogs, h.rooms, h.einstellungen());
    int schritt = 0;
    qsizetype buchungen = 0;
    for (auto _ : state) {
        // Step through eight windows a week apart, as navigation does.
        m.zeigeFenster(start.addDays(7 * (schritt++ % 8)));
        buchungen += m.buchungsIds().size();
        benchmark::DoNotOptimize(m.zelle(1, 1).farbe);
    }
    state.counters["Buchungen"] = double(buchungen) / double(qMax<qint64>(1, state.iterations()));
    state.counters["Zellen"] = double(m.zellenAnzahl());
}

// The window as the plan opens it and the weeks after.
void PlanLadenUndMalen(benchmark::State& state) { laden(state, kFensterStart); }
// Five years back: the query reads the departures index from there to the end of the data.
void PlanLadenUndMalenFuenfJahreZurueck(benchmark::State& state) { laden(state, kFensterStart.addYears(-5)); }

void mausUeber(benchmark::State& state, bool nurBelegte) {
    Hotel& h = hotel();
    PlanModel m(*h.db, h.dialogs, h.rooms, h.einstellungen());
    m.zeigeFenster(kFensterStart);
    QList<QPair<int, int>> zellen;
    for (int r = 1; r <= kRaeume + 1; ++r)
        for (int c = 1; c <= kTage; ++c)
            if (!nurBelegte || m.zelle(r, c).belegt()) zellen.append({r, c});
    qsizetype i = 0;
    for (auto _ : state) {
        const auto& [r, c] = zellen[i++ % zellen.size()];
        auto s = m.mausBewegung(r, c);
        benchmark::DoNotOptimize(s);
    }
    state.counters["Zellen"] = double(zellen.size());
}

void PlanMausBewegung(benchmark::State& state) { mausUeber(state, false); }
void PlanMausBewegungBelegt(benchmark::State& state) { mausUeber(state, true); }

// The cell under a pixel, the part of the evaluation that the chart does before the model.
void PlanZelleUnterMaus(benchmark::State& state) {
    PlanGeometrie g;
    g.links = 110;
    g.oben = 48;
    g.tage = kTage;
    g.zeilen = kRaeume + 1;
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(g.zelleBei(QPoint(g.links + (x % 630), g.oben + (x * 7) % 1500)));
        ++x;
    }
}

BENCHMARK(PlanLadenUndMalen)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(PlanLadenUndMalenFuenfJahreZurueck)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(PlanMausBewegung)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(PlanMausBewegungBelegt)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(PlanZelleUnterMaus)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    hotel();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
