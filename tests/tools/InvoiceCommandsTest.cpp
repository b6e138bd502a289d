#include <gtest/gtest.h>

#include "engine/Database.h"
#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

using namespace tav;

using namespace tav::test;

class InvoiceCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbfiles::createInstallation(tmp_.path());
        datei_ = tmp_.file(QStringLiteral("Lokal.mdb"));
        auto db = Database::open(datei_);
        db->execute(QStringLiteral("INSERT INTO Address (Lastname, city) VALUES ('Huber', 'Kempten')"));
        const int adresse = db->scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
        db->execute(
            QStringLiteral(
                "INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, Abgerechnet) VALUES (1, #03-01-2024#, #03-04-2024#, ?, 0)"),
            {adresse});
        buchung_ = db->scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
        db->execute(
            QStringLiteral(
                "INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, AbgerechnetPo) VALUES (?, 'Sekt', 2, 10.5, 'Nein')"),
            {buchung_});
        const int posten = db->scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
        db->execute(QStringLiteral("INSERT INTO tbZahlung (IDBelegung, ZahlDatum, Betrag) VALUES (?, #03-04-2024#, 140.2)"), {buchung_});
        ScriptedDialogs dialogs;
        clsRechnung r(*db, dialogs);
        NeuesDokument d;
        d.adressId = adresse;
        d.datum = QDate(2024, 3, 4);
        d.eintraege = {DokumentEintrag::buchung(buchung_), DokumentEintrag::posten(posten)};
        d.summen.brutto = 0.1 + 0.2 + 139.9;
        d.summen.mwst = 9.17;
        ASSERT_EQ(r.ReZuordnungen(d), 1);
        adresse_ = adresse;
    }

    test::TempFolder tmp_;
    QString datei_;
    int buchung_ = 0;
    int adresse_ = 0;
};

TEST_F(InvoiceCommandsTest, ListsAndShowsDocumentsAsTsvAndBadInputGivesAGermanMessage) {
    const QString kopf = QStringLiteral("ReNummer\tNummer\tArt\tDatum\tAdresse\tName\tBrutto\tMwSt\tZustand\n");
    const QString zeile = QStringLiteral("1\tR 0001\tR\t2024-03-04\t%1\tHuber\t140.20\t9.17\tbezahlt\n").arg(adresse_);
    const QString buchung = QString::number(buchung_), adresse = QString::number(adresse_);
    const Aufruf faelle[] = {
        {"by booking", {"documents", "--db", datei_, "--booking", buchung}, 0, kopf + zeile},
        {"by address", {"documents", "--address", adresse, "--db", datei_}, 0, kopf + zeile},
        {"a booking without documents", {"documents", "--db", datei_, "--booking", "999"}, 0, kopf},
        {"one document with its entries",
         {"document", "--db", datei_, "1"},
         0,
         kopf + zeile +
             QStringLiteral(
                 "\nReihenfolge\tBuchung\tPosten\tText\tMenge\tPreis\n1\t%1\t0\tÜbernachtung\tNULL\tNULL\n2\t0\t1\tSekt\t2\t10.50\n")
                 .arg(buchung_)},
        {"unknown number", {"document", "--db", datei_, "42"}, 1, {}, QStringLiteral("Ein Dokument mit der Nummer 42 gibt es nicht.")},
        {"missing database", {"document", "--db", tmp_.file("Fehlt.mdb"), "1"}, 1, {}, QStringLiteral("wurde nicht gefunden")},
        {"letters as number", {"document", "--db", datei_, "eins"}, 2, {}, QStringLiteral("braucht eine ganze Zahl")},
        {"letters as booking",
         {"documents", "--db", datei_, "--booking", "x1"},
         2,
         {},
         QStringLiteral("--booking braucht eine ganze Zahl")},
        {"booking and address",
         {"documents", "--db", datei_, "--booking", "1", "--address", "1"},
         2,
         {},
         QStringLiteral("entweder --booking oder --address")},
        {"neither", {"documents", "--db", datei_}, 2, {}, QStringLiteral("Aufruf:")},
        {"not a database", {"document", "--db", tmp_.path(), "1"}, 1, {}, QStringLiteral("Fehler")},
    };
    for (const Aufruf& f : faelle) pruefe(f);
}
