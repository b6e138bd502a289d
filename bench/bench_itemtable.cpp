// Benchmarks of a document's item table on the generated 70-room hotel (10 and 30 years):
//   itemtable.Rechnungstabelle/zwei_zimmer   the item table of a two-room invoice (two bookings
//                                            with board at 7 %, an extra item at 19 %, a 5 %
//                                            discount and a payment): link rows, bookings,
//                                            items, payments, VAT per rate and totals;
//   itemtable.RechnungPdf/zwei_zimmer        the same invoice printed: item table, the letter
//                                            and item table data files, the merge of the
//                                            invoice template and its PDF (goal ≤ 150 ms median).
//
// The invoice is written into a private copy of the set; the history around it is the set's.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <memory>

#include "GeneratedSet.h"
#include "engine/Database.h"
#include "invoice/Rechnungsdetail.h"
#include "invoice/Rechnungsdruck.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"

using namespace tav;

namespace {

struct Rechnung {
    std::unique_ptr<bench::SetCopy> kopie;
    std::unique_ptr<Database> db;
    QTemporaryDir programmordner;
    int reNummer = 0;

    Rechnung() {
        kopie = bench::GeneratedSet::instance().copy();
        db = kopie->open();
        Database& d = *db;
        const QDate von = bench::GeneratedSet::instance().today().addDays(400);
        d.execute(
            QStringLiteral("INSERT INTO Address (Firstname, Lastname, Address, postalcode, city, Anrede, Adressnummer) "
                           "VALUES ('Erika', 'Mustermann', 'Domstraße 1', '50667', 'Köln', 'Frau', '4711')"));
        const int gast = d.scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
        QList<int> zimmer;
        for (Recordset rs = d.openRecordset(QStringLiteral("SELECT Zimmernummer FROM tbZimmernummern ORDER BY Zimmernummer"));
             !rs.eof() && zimmer.size() < 2; rs.moveNext())
            zimmer << rs.integer(QStringLiteral("Zimmernummer"));
        QList<int> buchungen;
        for (int z : zimmer) {
            d.execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, AnzahlÜbernachtungen, GastID, Belegungsart, "
                                     "Kürzel, AnzahlGäste, Anz_Kinder, Frühstück, Abendessen, PreisProNacht, Preis, BelegNummer_eigen) "
                                     "VALUES (?, ?, ?, 3, ?, 1, 'Mustermann', 3, 1, True, True, 411.5, 1234.5, 'B 9999')"),
                      {z, von, von.addDays(3), gast});
            buchungen << d.scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
        }
        d.execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel, DatumPo, "
                                 "KeinDatum, AbgerechnetPo, IST_Belegung) VALUES (?, 'Minibar', 2, 12.5, 1, ?, False, 'Ja', 'N')"),
                  {buchungen[0], von.addDays(1)});
        const int posten = d.scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
        reNummer = d.scalar(QStringLiteral("SELECT Max(ReNummer) FROM tbRechnungen")).toInt() + 1;
        d.execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, IST_Rechnung, DatumRe, IDAdresseRe, Zahlart, "
                                 "Rabatt_Proz, Rabatt_Bezeichnung, Anzahlung, Anz_Vor_Reise) "
                                 "VALUES (?, 'R 99999', 'R', ?, ?, 'Überweisung', 5, 'Stammgastrabatt', 'N', 'Y')"),
                  {reNummer, von.addDays(3), gast});
        int reihe = 0;
        for (int b : {buchungen[0], 0, buchungen[1]})
            d.execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung, IDPostenRe, Reihenfolge) "
                                     "VALUES (?, ?, ?, ?)"),
                      {reNummer, b, b == 0 ? posten : 0, ++reihe});
        d.execute(QStringLiteral("INSERT INTO tbZahlung (IdRechnung, IDBelegung, ZahlDatum, Betrag, Zahlart, WasBezahlt) "
                                 "VALUES (?, ?, ?, 500, 'bar', 'Anzahlung')"),
                  {reNummer, buchungen[0], von.addDays(-20)});
        Parameter p(d);
        for (const char* o : {"TextMitFrühstückR", "GastnameR", "MitGästezahlR", "ZwischenR", "ZahlungR", "TextZimmerNummerR"})
            p.write(QString::fromUtf8(o), {{1, QStringLiteral("Ja")}});
        QFile::copy(QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/rechnung.html"),
                    QDir(programmordner.path()).filePath(QStringLiteral("rechnung.doc")));
    }
};

Rechnung& rechnung() {
    static Rechnung r;
    return r;
}

void Rechnungstabelle(benchmark::State& state) {
    Rechnung& r = rechnung();
    ScriptedDialogs dialogs;
    Steuerschluessel steuer(*r.db, dialogs);
    Rechnungsdetail builder(*r.db, dialogs, steuer, saisonaufteilung(*r.db, dialogs));
    for (auto _ : state) {
        const Detailergebnis e = builder.Reservierungsdetail(r.reNummer, {.zurueckschreiben = false});
        if (e.saetze.size() != 2) {
            state.SkipWithError("Die Rechnung hat nicht zwei Steuersätze.");
            break;
        }
        benchmark::DoNotOptimize(e.bruttoNachRabatt);
    }
}

void RechnungPdf(benchmark::State& state) {
    Rechnung& r = rechnung();
    ScriptedDialogs dialogs;
    Rechnungsdruck druck(*r.db, dialogs);
    const QString pdf = QDir(r.programmordner.path()).filePath(QStringLiteral("Rechnung.pdf"));
    for (auto _ : state) {
        const MergeResult m = druck.ausgeben(r.reNummer, r.programmordner.path(), r.programmordner.path(), QString(), pdf);
        if (!m.ok) {
            state.SkipWithError(m.message.toStdString().c_str());
            break;
        }
    }
}

}  // namespace

BENCHMARK(Rechnungstabelle)->Name("itemtable.Rechnungstabelle/zwei_zimmer")->Unit(benchmark::kMillisecond);
BENCHMARK(RechnungPdf)->Name("itemtable.RechnungPdf/zwei_zimmer")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
