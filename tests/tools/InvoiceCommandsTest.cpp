#include <gtest/gtest.h>

#include <QProcess>

#include "engine/Database.h"
#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

struct Ergebnis {
    int exitCode;
    QString out;
    QString err;
};

Ergebnis werkzeug(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

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

TEST_F(InvoiceCommandsTest, ListsAndShowsDocumentsAsTsv) {
    const QString kopf = QStringLiteral("ReNummer\tNummer\tArt\tDatum\tAdresse\tName\tBrutto\tMwSt\tZustand\n");
    const QString zeile = QStringLiteral("1\tR 0001\tR\t2024-03-04\t%1\tHuber\t140.20\t9.17\tbezahlt\n").arg(adresse_);
    struct Fall {
        const char* name;
        QStringList args;
        QString out;
    } faelle[] = {
        {"by booking",
         {QStringLiteral("documents"), QStringLiteral("--db"), datei_, QStringLiteral("--booking"), QString::number(buchung_)},
         kopf + zeile},
        {"by address",
         {QStringLiteral("documents"), QStringLiteral("--address"), QString::number(adresse_), QStringLiteral("--db"), datei_},
         kopf + zeile},
        {"a booking without documents",
         {QStringLiteral("documents"), QStringLiteral("--db"), datei_, QStringLiteral("--booking"), QStringLiteral("999")},
         kopf},
        {"one document with its entries",
         {QStringLiteral("document"), QStringLiteral("--db"), datei_, QStringLiteral("1")},
         kopf + zeile +
             QStringLiteral(
                 "\nReihenfolge\tBuchung\tPosten\tText\tMenge\tPreis\n1\t%1\t0\tÜbernachtung\tNULL\tNULL\n2\t0\t1\tSekt\t2\t10.50\n")
                 .arg(buchung_)},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const Ergebnis e = werkzeug(f.args);
        EXPECT_EQ(e.exitCode, 0) << e.err.toStdString();
        EXPECT_EQ(e.out, f.out);
    }
}

TEST_F(InvoiceCommandsTest, BadInputGivesAGermanMessageAndAnExitCode) {
    struct Fall {
        const char* name;
        QStringList args;
        int exitCode;
        QString meldung;
    } faelle[] = {
        {"unknown number",
         {QStringLiteral("document"), QStringLiteral("--db"), datei_, QStringLiteral("42")},
         1,
         QStringLiteral("Ein Dokument mit der Nummer 42 gibt es nicht.")},
        {"missing database",
         {QStringLiteral("document"), QStringLiteral("--db"), tmp_.file(QStringLiteral("Fehlt.mdb")), QStringLiteral("1")},
         1,
         QStringLiteral("wurde nicht gefunden")},
        {"letters as number",
         {QStringLiteral("document"), QStringLiteral("--db"), datei_, QStringLiteral("eins")},
         2,
         QStringLiteral("braucht eine ganze Zahl")},
        {"letters as booking",
         {QStringLiteral("documents"), QStringLiteral("--db"), datei_, QStringLiteral("--booking"), QStringLiteral("x1")},
         2,
         QStringLiteral("--booking braucht eine ganze Zahl")},
        {"booking and address",
         {QStringLiteral("documents"), QStringLiteral("--db"), datei_, QStringLiteral("--booking"), QStringLiteral("1"),
          QStringLiteral("--address"), QStringLiteral("1")},
         2,
         QStringLiteral("entweder --booking oder --address")},
        {"neither", {QStringLiteral("documents"), QStringLiteral("--db"), datei_}, 2, QStringLiteral("Aufruf:")},
        {"not a database",
         {QStringLiteral("document"), QStringLiteral("--db"), tmp_.path(), QStringLiteral("1")},
         1,
         QStringLiteral("Fehler")},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const Ergebnis e = werkzeug(f.args);
        EXPECT_EQ(e.exitCode, f.exitCode);
        EXPECT_TRUE(e.err.contains(f.meldung)) << e.err.toStdString();
        EXPECT_FALSE(e.err.contains(QStringLiteral("SELECT"))) << "never SQL";
    }
}
