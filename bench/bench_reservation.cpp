// Benchmarks of the reservation logic on the generated 70-room hotel (10 and 30 years):
//   reservation.AdressTippen/praefix            one keystroke in the guest box: the prefix search
//                                               over the addresses and the first hit loaded
//                                               (goal ≤ 5 ms median);
//   reservation.Saisonpreis_14_Naechte/…        Saisonpreis_Ausrechnen for a 14-night stay across
//                                               a season change (goal ≤ 1 ms);
//   reservation.NeueBuchungSpeichern/…          the full save of a new booking: validation,
//                                               overlap test, insert and re-check (goal ≤ 5 ms
//                                               median), on the disk and on /dev/shm;
// and the pieces around them: the bare committed insert (the floor of every save), the
// overlap test, the free rooms of a range, the next booking number, the quick search.
//
// The save writes, so it works on private copies of the set: one beside the cached set on
// the disk, one in /dev/shm. The commit syncs with full durability; on the disk the syncs
// dominate, in /dev/shm the program's own share is left.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <memory>

#include "GeneratedSet.h"
#include "engine/Database.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "platform/ScriptedDialogs.h"
#include "reservation/AdrSuchenLogik.h"
#include "reservation/AdressLogik.h"
#include "reservation/AdressTeil.h"
#include "reservation/BelegNummern.h"
#include "reservation/Belegung.h"
#include "reservation/CollisionLogik.h"
#include "reservation/clsSaisonpreis.h"

using namespace tav;

namespace {

// ---- address search and seasonal price (read only, on the cached set) ----------------------

std::unique_ptr<Database>& lesendeDb() {
    static std::unique_ptr<Database> db = bench::GeneratedSet::instance().open();
    return db;
}

// One keystroke in the guest box: the typed prefix searched and the first hit loaded with
// its country and salutation. The prefixes are what a user types on the way to a name.
void AdressTippen(benchmark::State& state) {
    Database& db = *lesendeDb();
    ScriptedDialogs dialogs;
    AdressLogik logik(db, dialogs, AdressUmgebung{});
    static const QStringList getippt = {QStringLiteral("S"),   QStringLiteral("Sc"), QStringLiteral("Sch"), QStringLiteral("Schm"),
                                        QStringLiteral("M"),   QStringLiteral("Mü"), QStringLiteral("Mül"), QStringLiteral("Be"),
                                        QStringLiteral("Ber"), QStringLiteral("Kö"), QStringLiteral("Hof"), QStringLiteral("Wag")};
    // The keystroke reads the first hit only; the list of all hits is read for the arrow keys
    // alone. It is counted once here, before the measurement.
    qint64 treffer = 0;
    for (const QString& t : getippt) {
        logik.tippen(t);
        treffer += logik.treffer().size();
    }
    qsizetype i = 0;
    for (auto _ : state) {
        const int id = logik.tippen(getippt[i++ % getippt.size()]);
        if (id == 0) {
            state.SkipWithError("Ein getippter Anfang fand keine Adresse.");
            break;
        }
    }
    state.counters["Treffer"] = double(treffer) / double(getippt.size());
}

// The quick search dialog over all four fields (a full pass over the addresses).
void SchnellsucheVierFelder(benchmark::State& state) {
    Database& db = *lesendeDb();
    ScriptedDialogs dialogs;
    AdrSuchenLogik suche(db, dialogs);
    for (auto _ : state) benchmark::DoNotOptimize(suche.suchen(QStringLiteral("Ber"), {true, true, true, true}).size());
}

// A 14-night stay across the end of the season that today lies in.
void Saisonpreis14Naechte(benchmark::State& state) {
    Database& db = *lesendeDb();
    const QDate heute = bench::GeneratedSet::instance().today();
    const QDate ende = db.scalar(QStringLiteral("SELECT Min(Ende) FROM tbSaisonzeiten WHERE Ende > ?"), {heute}).toDate();
    const int zimmer = db.scalar(QStringLiteral("SELECT Min(Zimmernummer) FROM tbZimmernummern WHERE PreisHauptsaison > 0")).toInt();
    if (!ende.isValid() || zimmer == 0) {
        state.SkipWithError("Keine Saison nach dem Stichtag oder kein Zimmer mit Saisonpreisen.");
        return;
    }
    const QDate anreise = ende.addDays(-7);
    ScriptedDialogs dialogs;
    clsSaisonpreis preis(db, dialogs);
    double summe = 0;
    for (auto _ : state) summe = preis.Saisonpreis_Ausrechnen(zimmer, anreise, anreise.addDays(14), false);
    if (summe <= 0) state.SkipWithError("Der Saisonpreis ist 0.");
    // No DoNotOptimize(summe) here: with this library's "+m,r" constraint GCC may hand the
    // asm a general register for the double, and the value read back afterwards is garbage
    // (the counter showed 4.6e-318). The computation reads the database and cannot be left out.
    state.counters["Preis"] = summe;
}

// ---- the booking save (on private copies) ---------------------------------------------------

// Any message means the save did not go through: the benchmark stops with its text. A question
// (the invoice address of the guest's last stay) is answered No.
class MerkendeDialogs final : public Dialogs {
public:
    QString letzte;

protected:
    Answer showMessage(const MessageRequest& r) override {
        letzte = r.text;
        return Answer::No;
    }
    QString showInput(const QString&, const QString&, const QString&) override { return {}; }
    QString showOpenFile(const QString&, const QString&, const QString&) override { return {}; }
};

// The address part with a chosen guest that needs no saving.
class GewaehlteAdresse final : public AdressTeil {
public:
    explicit GewaehlteAdresse(int id) : id_(id) {}
    QString land() const override { return QStringLiteral("Deutschland"); }
    bool adressSpeichern() override { return true; }
    int gastId() const override { return id_; }
    int rechnungsadresseId() const override { return 0; }
    void setRechnungsadresse(int) override {}
    void adresseBenutzt(int, bool) override {}

private:
    int id_;
};

class Aendern final : public KollisionsDialog {
public:
    void zeigen(CollisionLogik& p) override { p.cmdÄndern(); }
};

// A copy of the set with a free range in a room in the middle of the plan, four weeks after
// the reference day: the bookings there are removed once, so that the overlap test still walks
// a fully booked room.
struct Kopie {
    std::unique_ptr<bench::SetCopy> ordner;
    std::unique_ptr<Database> db;
    int zimmer = 0;
    QString label;
    QDate von, bis;
    int gast = 0;
    QString gastName;
    QString art;  // the name of booking kind 1, the first entry of the kind box
    NummernMuster muster;

    explicit Kopie(const QString& ort) {
        ordner = bench::GeneratedSet::instance().copy(ort);
        db = ordner->open();
        // Full durability, as the program commits: synchronous=FULL on every file, rollback journal.
        db->setDurable(true);
        zimmer = db->scalar(QStringLiteral("SELECT Min(Zimmernummer) FROM tbZimmernummern WHERE Zimmernummer >= 35")).toInt();
        label = db->scalar(QStringLiteral("SELECT NeueNummer FROM tbZimmernummern WHERE Zimmernummer = ?"), {zimmer}).toString();
        von = bench::GeneratedSet::instance().today().addDays(28);
        bis = von.addDays(3);
        db->execute(QStringLiteral("DELETE * FROM tblBelegung WHERE Zimmernummer = ? AND Von < ? AND Bis > ?"), {zimmer, bis, von});
        // A guest from the middle of the address table.
        gast = db->scalar(QStringLiteral("SELECT Min(ID) FROM Address WHERE ID >= (SELECT Max(ID) FROM Address) / 2")).toInt();
        gastName = db->scalar(QStringLiteral("SELECT Lastname FROM Address WHERE ID = ?"), {gast}).toString();
        art = db->scalar(QStringLiteral("SELECT BelegungsArt FROM tbBelegArten WHERE BelegungsID = 1")).toString();
        muster = NummernMuster::lesen(*db);
    }
};

Kopie& kopie(bool shm) {
    if (shm) {
        static Kopie k(QStringLiteral("/dev/shm"));
        return k;
    }
    static Kopie k(QString{});
    return k;
}

void NeueBuchungSpeichern(benchmark::State& state, bool shm) {
    if (shm && !QFileInfo(QStringLiteral("/dev/shm")).isWritable()) {
        state.SkipWithError("/dev/shm fehlt.");
        return;
    }
    Kopie& k = kopie(shm);
    Database& db = *k.db;
    MerkendeDialogs dialogs;
    GewaehlteAdresse adresse(k.gast);
    Aendern dialog;
    KollisionsErgebnis kollision;
    Belegung record(db, dialogs, adresse, dialog, kollision);
    record.setNummernMuster(k.muster);
    // The form gives the number when it opens; the save only checks that it is still free.
    const qint64 nummer = BelegNummern::naechste(db, k.muster.alle);
    int lauf = 0;
    for (auto _ : state) {
        ReservierungsFelder f;
        f.gastName = k.gastName;
        f.kuerzel = QStringLiteral("Messung %1").arg(++lauf);
        f.zimmer = k.label;
        f.von = dates::longDate(k.von);
        f.bis = dates::longDate(k.bis);
        f.artIndex = 0;
        f.artName = k.art;
        f.gaeste = QStringLiteral("2");
        f.waesche1 = QStringLiteral("7");
        f.waesche2 = QStringLiteral("3");
        f.tarif = QStringLiteral("80,00");
        f.preis = QStringLiteral("240,00");
        f.belegNummer = QString::number(nummer);
        f.belegNummerEigen = BelegNummern::eigene(k.muster, nummer, k.von);
        if (!record.Reserv(f)) {
            state.SkipWithError(qPrintable(QStringLiteral("nicht gespeichert: ") + dialogs.letzte));
            break;
        }
        state.PauseTiming();
        db.execute(QStringLiteral("DELETE * FROM tblBelegung WHERE ID = ?"), {f.id});
        state.ResumeTiming();
    }
}
void NeueBuchungSpeichernDisk(benchmark::State& state) { NeueBuchungSpeichern(state, false); }
void NeueBuchungSpeichernShm(benchmark::State& state) { NeueBuchungSpeichern(state, true); }

// The floor under every save: one row inserted and committed under the write lock of the
// bookings' file, as the save does it, without any check. On a disk this is the time of the
// file system's syncs.
void NurEinfuegen(benchmark::State& state, bool shm) {
    Kopie& k = kopie(shm);
    Database& db = *k.db;
    for (auto _ : state) {
        {
            Transaction t(db, QStringLiteral("tblBelegung"));
            db.execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel) VALUES (?, ?, ?, 'Boden')"),
                       {k.zimmer, k.von, k.bis});
            t.commit();
        }
        state.PauseTiming();
        db.execute(QStringLiteral("DELETE * FROM tblBelegung WHERE Kürzel = 'Boden'"));
        state.ResumeTiming();
    }
}
void NurEinfuegenDisk(benchmark::State& state) { NurEinfuegen(state, false); }
void NurEinfuegenShm(benchmark::State& state) { NurEinfuegen(state, true); }

// The overlap test of the save for the free range in the fully booked room.
void Ueberschneidungstest(benchmark::State& state) {
    Kopie& k = kopie(false);
    MerkendeDialogs dialogs;
    KollisionsErgebnis kollision;
    CollisionLogik p(*k.db, dialogs, kollision);
    for (auto _ : state) benchmark::DoNotOptimize(p.ueberschneidungen(CollisionLogik::Kopf::NeueBuchung, k.zimmer, k.von, k.bis));
}

// The free rooms of a range, as the collision dialog offers them.
void FreieZimmer(benchmark::State& state) {
    Kopie& k = kopie(false);
    MerkendeDialogs dialogs;
    KollisionsErgebnis kollision;
    CollisionLogik p(*k.db, dialogs, kollision);
    for (auto _ : state) benchmark::DoNotOptimize(p.freieZimmerLabels(k.von, k.bis));
}

void NaechsteBelegNummer(benchmark::State& state, bool alle) {
    Database& db = *lesendeDb();
    for (auto _ : state) benchmark::DoNotOptimize(BelegNummern::naechste(db, alle));
}
void NaechsteBelegNummerHoechste(benchmark::State& state) { NaechsteBelegNummer(state, false); }
void NaechsteBelegNummerLuecke(benchmark::State& state) { NaechsteBelegNummer(state, true); }

}  // namespace

BENCHMARK(AdressTippen)->Name("reservation.AdressTippen/praefix")->Unit(benchmark::kMillisecond);
BENCHMARK(SchnellsucheVierFelder)->Name("reservation.AdressSchnellsuche/vier_felder")->Unit(benchmark::kMillisecond);
BENCHMARK(Saisonpreis14Naechte)->Name("reservation.Saisonpreis_14_Naechte/ausrechnen")->Unit(benchmark::kMicrosecond);
BENCHMARK(NeueBuchungSpeichernDisk)->Name("reservation.NeueBuchungSpeichern/disk")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(NeueBuchungSpeichernShm)->Name("reservation.NeueBuchungSpeichern/shm")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(NurEinfuegenDisk)->Name("reservation.NurEinfuegen/disk")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(NurEinfuegenShm)->Name("reservation.NurEinfuegen/shm")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Ueberschneidungstest)->Name("reservation.Ueberschneidungstest/neue_buchung")->Unit(benchmark::kMicrosecond);
BENCHMARK(FreieZimmer)->Name("reservation.FreieZimmer/drei_naechte")->Unit(benchmark::kMillisecond);
BENCHMARK(NaechsteBelegNummerHoechste)->Name("reservation.NaechsteBelegNummer/hoechste")->Unit(benchmark::kMicrosecond);
BENCHMARK(NaechsteBelegNummerLuecke)->Name("reservation.NaechsteBelegNummer/luecke")->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ClockOverride uhr(bench::GeneratedSet::instance().today());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
