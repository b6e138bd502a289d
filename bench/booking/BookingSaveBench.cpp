// Speed of the booking save on a large installation: a new booking with every check of the
// save (validation, overlap test, insert and the re-check after it), and the queries around it.
//
// TAVOMERA_BENCH_DB=<folder with Lokal.mdb …> runs on a copy of that installation; without it
// the program fills its own: 70 rooms, ten years of bookings without overlaps, 20 000 addresses.
// The files lie in the temporary folder (TMPDIR): on a disk the commit's syncs dominate, which
// BM_NurEinfuegen shows on its own; TMPDIR=/dev/shm leaves the program's share.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "data/Datum.h"
#include "platform/Dialogs.h"
#include "reservation/AdressTeil.h"
#include "reservation/BelegNummern.h"
#include "reservation/BookingRecord.h"
#include "reservation/Kollisionspruefung.h"

using namespace tav;

namespace {

// Any message means the save did not go through: the benchmark stops with its text.
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

class Adresse final : public AdressTeil {
public:
    QString land() const override { return QStringLiteral("Deutschland"); }
    bool adressSpeichern() override { return true; }
    int gastId() const override { return 4711; }
    int rechnungsadresseId() const override { return 0; }
    void setRechnungsadresse(int) override {}
    void adresseBenutzt(int, bool) override {}
};

class Aendern final : public KollisionsDialog {
public:
    void zeigen(Kollisionspruefung& p) override { p.cmdÄndern(); }
};

constexpr int kZimmer = 70;
constexpr int kAdressen = 20000;
const QDate kAnfang(2015, 1, 1);
const QDate kEnde(2025, 1, 1);

// Ten years of stays of 1 to 7 nights with gaps of 0 to 3 nights, room by room.
void fuellen(Database& db) {
    QRandomGenerator zufall(20240301);
    Transaction t(db);
    for (int a = 1; a <= kAdressen; ++a)
        db.execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, city, Country) VALUES (?, ?, ?, 'Deutschland')"),
                   {QStringLiteral("Name%1").arg(a), QStringLiteral("Vorname%1").arg(a % 977), QStringLiteral("Ort%1").arg(a % 1300)});
    for (int z = 1; z <= kZimmer; ++z)
        db.execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, AnzahlGästeDefault, PreisDefault) "
                                  "VALUES (?, ?, 2, 80)"),
                   {z, QString::number(100 + z)});
    db.execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (0, 'Frei'), (1, 'Einzel'), (2, 'Doppel'), "
                              "(3, 'Angebot')"));
    int nummer = 0;
    for (int z = 1; z <= kZimmer; ++z) {
        QDate von = kAnfang.addDays(zufall.bounded(4));
        while (von < kEnde) {
            const QDate bis = von.addDays(1 + zufall.bounded(7));
            ++nummer;
            db.execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, AnzahlÜbernachtungen, GastID, Belegungsart, "
                                      "Kürzel, AnzahlGäste, Gelöscht, Checked, Abgerechnet, BelegNummer, BelegNummer_eigen, PreisProNacht, "
                                      "Preis) VALUES (?, ?, ?, ?, ?, ?, ?, 2, ?, 0, ?, ?, ?, 80, ?)"),
                       {z, von, bis, von.daysTo(bis), 1 + zufall.bounded(kAdressen), 1 + zufall.bounded(3),
                        QStringLiteral("B%1").arg(nummer), zufall.bounded(50) == 0 ? -1 : 0, bis < QDate(2024, 6, 1) ? 1 : 0,
                        nummer, QStringLiteral("Üb %1").arg(nummer, 4, 10, QLatin1Char('0')), 80.0 * double(von.daysTo(bis))});
            von = bis.addDays(zufall.bounded(4));
        }
    }
    t.commit();
}

// Copies an installation and points the links of the copies at each other.
void kopieren(const QString& quelle, const QString& ziel) {
    const QStringList dateien = QDir(quelle).entryList({QStringLiteral("*.mdb")}, QDir::Files);
    for (const QString& d : dateien) QFile::copy(QDir(quelle).filePath(d), QDir(ziel).filePath(d));
    for (const QString& d : dateien) {
        std::unique_ptr<Database> db = Database::open(QDir(ziel).filePath(d));
        for (const TableDef& t : db->tableDefs()) {
            if (!t.isLinked()) continue;
            const QString datei = QFileInfo(ConnectString::parse(t.connect).database).fileName();
            db->refreshLink(t.name, ConnectString::make(QDir(ziel).filePath(datei)));
        }
    }
}

struct Installation {
    QTemporaryDir ordner;
    std::unique_ptr<Database> db;

    Installation() {
        QElapsedTimer uhr;
        uhr.start();
        const QString vorgabe = qEnvironmentVariable("TAVOMERA_BENCH_DB");
        if (!vorgabe.isEmpty()) {
            kopieren(vorgabe, ordner.path());
            db = Database::open(ordner.filePath(QStringLiteral("Lokal.mdb")));
        } else {
            dbfiles::createInstallation(ordner.path());
            db = Database::open(ordner.filePath(QStringLiteral("Lokal.mdb")));
            fuellen(*db);
        }
        std::fprintf(stderr, "Datenbank: %s, %d Buchungen, %d Zimmer, %d Adressen (%lld ms)\n",
                     vorgabe.isEmpty() ? "selbst gefüllt" : qPrintable(vorgabe),
                     db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(),
                     db->scalar(QStringLiteral("SELECT Count(*) FROM tbZimmernummern")).toInt(),
                     db->scalar(QStringLiteral("SELECT Count(*) FROM Address")).toInt(), static_cast<long long>(uhr.elapsed()));
    }
};

Installation& installation() {
    static Installation i;
    return i;
}

// A room in the middle of the plan and a free range inside its busy years: the gap is made
// once by removing the bookings there, so the overlap test walks a full room.
struct Luecke {
    int zimmer = 0;
    QString label;
    QDate von;
    QDate bis;
};

Luecke luecke(Database& db) {
    static std::optional<Luecke> l;
    if (l) return *l;
    Luecke x;
    x.zimmer = db.scalar(QStringLiteral("SELECT Min(Zimmernummer) FROM tbZimmernummern WHERE Zimmernummer >= 35")).toInt();
    x.label = db.scalar(QStringLiteral("SELECT NeueNummer FROM tbZimmernummern WHERE Zimmernummer = ") + QString::number(x.zimmer))
                  .toString();
    const QDate min = db.scalar(QStringLiteral("SELECT Min(Von) FROM tblBelegung")).toDate();
    const QDate max = db.scalar(QStringLiteral("SELECT Max(Bis) FROM tblBelegung")).toDate();
    x.von = min.addDays(min.daysTo(max) / 2);
    x.bis = x.von.addDays(3);
    db.execute(QStringLiteral("DELETE * FROM tblBelegung WHERE Zimmernummer = ? AND Von < ? AND Bis > ?"), {x.zimmer, x.bis, x.von});
    l = x;
    return x;
}

void BM_NeueBuchungSpeichern(benchmark::State& state) {
    Database& db = *installation().db;
    const Luecke l = luecke(db);
    MerkendeDialogs dialogs;
    Adresse adresse;
    Aendern dialog;
    KollisionsErgebnis kollision;
    BookingRecord record(db, dialogs, adresse, dialog, kollision);
    record.setNummernMuster(NummernMuster{QStringLiteral("Üb"), QStringLiteral("yy"), true});
    // The form gives the number when it opens; the save only checks it is still free.
    const qint64 nummer = db.scalar(QStringLiteral("SELECT Max(BelegNummer) FROM tblBelegung")).toLongLong() + 1;
    int lauf = 0;
    for (auto _ : state) {
        ReservierungsFelder f;
        f.gastName = QStringLiteral("Sommer");
        f.kuerzel = QStringLiteral("Messung %1").arg(++lauf);
        f.zimmer = l.label;
        f.von = datum::lang(l.von);
        f.bis = datum::lang(l.bis);
        f.artIndex = 0;
        f.artName = QStringLiteral("Einzel");
        f.gaeste = QStringLiteral("2");
        f.waesche1 = QStringLiteral("7");
        f.waesche2 = QStringLiteral("3");
        f.tarif = QStringLiteral("80,00");
        f.preis = QStringLiteral("240,00");
        f.belegNummer = QString::number(nummer);
        f.belegNummerEigen = BelegNummern::eigene(NummernMuster{QStringLiteral("Üb"), QStringLiteral("yy"), true}, nummer, l.von);
        if (!record.Reserv(f)) {
            state.SkipWithError(qPrintable(QStringLiteral("nicht gespeichert: ") + dialogs.letzte));
            break;
        }
        state.PauseTiming();
        db.execute(QStringLiteral("DELETE * FROM tblBelegung WHERE ID = ") + QString::number(f.id));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NeueBuchungSpeichern)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7)->ReportAggregatesOnly(true);

// The floor under every save: one row inserted and committed under the write lock of every
// file, as the save does it, without any check. On a disk this is the time of the file
// system's syncs (with several files locked the commit goes through a master journal).
void BM_NurEinfuegen(benchmark::State& state) {
    Database& db = *installation().db;
    const Luecke l = luecke(db);
    for (auto _ : state) {
        {
            Transaction t(db, true);
            db.execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel) VALUES (?, ?, ?, 'Boden')"),
                       {l.zimmer, l.von, l.bis});
            t.commit();
        }
        state.PauseTiming();
        db.execute(QStringLiteral("DELETE * FROM tblBelegung WHERE Kürzel = 'Boden'"));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NurEinfuegen)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7)->ReportAggregatesOnly(true);

void BM_Ueberschneidungstest(benchmark::State& state) {
    Database& db = *installation().db;
    const Luecke l = luecke(db);
    MerkendeDialogs dialogs;
    KollisionsErgebnis kollision;
    Kollisionspruefung p(db, dialogs, kollision);
    for (auto _ : state)
        benchmark::DoNotOptimize(p.ueberschneidungen(Kollisionspruefung::Kopf::NeueBuchung, l.zimmer, l.von, l.bis));
}
BENCHMARK(BM_Ueberschneidungstest)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FreieZimmer(benchmark::State& state) {
    Database& db = *installation().db;
    const Luecke l = luecke(db);
    MerkendeDialogs dialogs;
    KollisionsErgebnis kollision;
    Kollisionspruefung p(db, dialogs, kollision);
    for (auto _ : state) benchmark::DoNotOptimize(p.freieZimmerLabels(l.von, l.bis));
}
BENCHMARK(BM_FreieZimmer)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_NaechsteBelegNummer(benchmark::State& state) {
    Database& db = *installation().db;
    const bool alle = state.range(0) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(BelegNummern::naechste(db, alle));
}
BENCHMARK(BM_NaechsteBelegNummer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
