// Typing in the guest box searches the addresses on every key; the seasonal price is computed
// whenever a booking is loaded or its prices are edited. Both must feel immediate.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <memory>

#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "platform/ScriptedDialogs.h"
#include "reservation/AdressLogik.h"
#include "reservation/AdressSuche.h"
#include "reservation/clsSaisonpreis.h"

using namespace tav;

namespace {

// The database under test: the folder named by TAVOMERA_BENCH_DB, or a fresh one with 20 000
// addresses, 70 rooms with season prices and ten years of seasons.
class Messdaten {
public:
    static Messdaten& get() {
        static Messdaten d;
        return d;
    }
    Database& db() { return *db_; }
    int zimmer = 1;
    QDate anreise;

private:
    Messdaten() {
        const QString ordner = qEnvironmentVariable("TAVOMERA_BENCH_DB");
        if (!ordner.isEmpty()) {
            db_ = Database::open(QDir(ordner).filePath(QStringLiteral("Lokal.mdb")));
            zimmer = db_->scalar(QStringLiteral("SELECT Min(Zimmernummer) FROM tbZimmernummern")).toInt();
            const QVariant start = db_->scalar(QStringLiteral("SELECT Max(Start) FROM tbSaisonzeiten"));
            anreise = start.isNull() ? QDate(2024, 7, 1) : QDate::fromString(start.toString().left(10), Qt::ISODate);
            return;
        }
        dbfiles::createInstallation(tmp_.path());
        db_ = Database::open(QDir(tmp_.path()).filePath(QStringLiteral("Lokal.mdb")));
        fuellen();
    }

    void fuellen() {
        static const char* const namen[] = {
            "Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner", "Becker", "Schulz", "Hoffmann",
            "Schäfer", "Koch", "Bauer", "Richter", "Klein", "Wolf", "Schröder", "Neumann", "Schwarz", "Zimmermann",
            "Braun", "Krüger", "Hofmann", "Hartmann", "Lange", "Schmitt", "Werner", "Schmitz", "Krause", "Meier",
            "Lehmann", "Schmid", "Schulze", "Maier", "Köhler", "Herrmann", "König", "Walter", "Mayer", "Huber",
            "Kaiser", "Fuchs", "Peters", "Lang", "Scholz", "Möller", "Weiß", "Jung", "Hahn", "Schubert",
            "Vogel", "Friedrich", "Keller", "Günther", "Frank", "Berger", "Winkler", "Roth", "Beck", "Lorenz",
            "Baumann", "Franke", "Albrecht", "Schuster", "Simon", "Ludwig", "Böhm", "Winter", "Kraus", "Martin",
            "Schumacher", "Krämer", "Vogt", "Stein", "Jäger", "Otto", "Sommer", "Groß", "Seidel", "Heinrich",
            "Brandt", "Haas", "Schreiber", "Graf", "Schulte", "Dietrich", "Ziegler", "Kuhn", "Kühn", "Pohl",
            "Engel", "Horn", "Busch", "Bergmann", "Thomas", "Voigt", "Sauer", "Arnold", "Wolff", "Pfeiffer"};
        static const char* const vornamen[] = {"Anna", "Hans", "Petra", "Klaus", "Sabine", "Jürgen", "Ute", "Thomas", "Eva", "Jörg"};
        QRandomGenerator zufall(20240701);
        Transaction t(*db_);
        db_->execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES ('Deutschland')"));
        for (int i = 0; i < 20000; ++i) {
            // Most guests carry a common name; every fifth has a rarer, numbered or double name.
            QString name = QString::fromUtf8(namen[zufall.bounded(100)]);
            if (i % 5 == 0) name += QLatin1Char('-') + QString::fromUtf8(namen[zufall.bounded(100)]);
            if (i % 7 == 0) name += QString::number(i);
            db_->execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, Address, postalcode, city, Country, IDLand) "
                                        "VALUES (?, ?, ?, ?, ?, 'Deutschland', 1)"),
                         {name, QString::fromUtf8(vornamen[zufall.bounded(10)]), QStringLiteral("Hauptstraße %1").arg(i % 200),
                          QString::number(10000 + zufall.bounded(89999)), QStringLiteral("Ort %1").arg(i % 900)});
        }
        for (int z = 1; z <= 70; ++z)
            db_->execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, PreisDefault, PreisHauptsaison, "
                                        "PreisZwischensaison, PreisNebensaison) VALUES (?, ?, 60, 90, 75, ?)"),
                         {z, QString::number(100 + z), z % 3 == 0 ? QVariant() : QVariant(55.0)});
        for (int jahr = 2016; jahr <= 2026; ++jahr) {
            const QList<std::tuple<const char*, QDate, QDate>> saisons = {
                {"Nebensaison", QDate(jahr, 3, 1), QDate(jahr, 5, 15)},  {"Zwischensaison", QDate(jahr, 5, 15), QDate(jahr, 7, 1)},
                {"Hauptsaison", QDate(jahr, 7, 1), QDate(jahr, 9, 1)},   {"Zwischensaison", QDate(jahr, 9, 1), QDate(jahr, 10, 15)},
                {"Sondersaison", QDate(jahr, 12, 23), QDate(jahr + 1, 1, 2)}};
            for (const auto& [name, start, ende] : saisons)
                db_->execute(QStringLiteral("INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES (?, ?, ?)"),
                             {QString::fromUtf8(name), start, ende});
        }
        t.commit();
        anreise = QDate(2024, 8, 25);  // 14 nights across the end of the main season
    }

    QTemporaryDir tmp_;
    std::unique_ptr<Database> db_;
};

// One keystroke in the guest box: search the typed prefix and load the first hit with its
// country and salutation. The prefixes are what a user types on the way to a name.
void BM_TippenImGastfeld(benchmark::State& state) {
    Messdaten& d = Messdaten::get();
    ScriptedDialogs dialogs;
    AdressLogik logik(d.db(), dialogs, AdressUmgebung{});
    static const QStringList getippt = {QStringLiteral("S"),  QStringLiteral("Sc"),  QStringLiteral("Sch"), QStringLiteral("Schm"),
                                        QStringLiteral("M"),  QStringLiteral("Mü"),  QStringLiteral("Mül"), QStringLiteral("Be"),
                                        QStringLiteral("Ber"), QStringLiteral("Kö"), QStringLiteral("Hof"), QStringLiteral("Wag")};
    qsizetype i = 0;
    for (auto _ : state) {
        const int id = logik.tippen(getippt[i++ % getippt.size()]);
        benchmark::DoNotOptimize(id);
    }
    state.counters["Treffer_letzte"] = double(logik.treffer().size());
}
BENCHMARK(BM_TippenImGastfeld)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The quick search dialog over all four fields (a full pass over the addresses).
void BM_SchnellsucheVierFelder(benchmark::State& state) {
    Messdaten& d = Messdaten::get();
    ScriptedDialogs dialogs;
    AdressSuche suche(d.db(), dialogs);
    for (auto _ : state) benchmark::DoNotOptimize(suche.suchen(QStringLiteral("Ber"), {true, true, true, true}).size());
}
BENCHMARK(BM_SchnellsucheVierFelder)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The seasonal price of a 14-night stay.
void BM_SaisonpreisVierzehnNaechte(benchmark::State& state) {
    Messdaten& d = Messdaten::get();
    ScriptedDialogs dialogs;
    clsSaisonpreis preis(d.db(), dialogs);
    for (auto _ : state)
        benchmark::DoNotOptimize(preis.Saisonpreis_Ausrechnen(d.zimmer, d.anreise, d.anreise.addDays(14), false));
}
BENCHMARK(BM_SaisonpreisVierzehnNaechte)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
