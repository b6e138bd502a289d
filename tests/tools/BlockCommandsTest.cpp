#include <gtest/gtest.h>

#include <QProcess>

#include "engine/Database.h"
#include "support/TempFolder.h"

namespace {

struct Ergebnis {
    int code;
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

TEST(BlockCommandsTest, TheMembersOfABlockAndTheSumsOfAnAccount) {
    tav::test::TempFolder tmp;
    ASSERT_EQ(werkzeug({QStringLiteral("create"), tmp.path()}).code, 0);
    const QString datei = tmp.file(QStringLiteral("Lokal.mdb"));
    {
        auto db = tav::Database::open(datei);
        db->execute(QStringLiteral("INSERT INTO Address (ID, Lastname, Firstname, city) VALUES (5, 'Brandt', 'Hella', 'Kiel')"));
        // A payment for an invoice is listed with its room.
        db->execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (1, '101'), (2, '102')"));
        db->execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (1, 'Reserviert')"));
        db->execute(
            QStringLiteral("INSERT INTO tblBelegung (ID, Zimmernummer, GastID, Von, Bis, Kürzel, Preis, Belegungsart, Abgerechnet, "
                           "Gelöscht) VALUES (7, 1, 5, #06-01-2024#, #06-03-2024#, 'Chor', 160, 1, 0, False), (8, 2, 5, #06-01-2024#, "
                           "#06-03-2024#, 'Chor 102', 140.5, 1, 0, False)"));
        db->execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (4, 8, False), (4, 7, True)"));
        db->execute(
            QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, IST_Rechnung, IDAdresseRe, BetragBrutto, DatumRe) "
                           "VALUES (3, 'R-3', 'R', 5, 100, #06-03-2024#)"));
        db->execute(
            QStringLiteral("INSERT INTO tbZahlung (IDZahlung, IdRechnung, IDBelegung, ZahlDatum, Betrag) VALUES (1, 3, 7, #06-03-2024#, "
                           "120)"));
    }
    struct Fall {
        const char* name;
        QStringList args;
        int code;
        QString out;
    };
    const QString db = QStringLiteral("--db");
    const Fall faelle[] = {
        {"block of a member, leading booking first",
         {QStringLiteral("block"), db, datei, QStringLiteral("--buchung"), QStringLiteral("8")},
         0,
         QStringLiteral("IDBlockbuchung\tIDBelegung\tMaster\tZimmernummer\tVon\tBis\tKürzel\tPreis\n"
                        "4\t7\t-1\t1\t2024-06-01\t2024-06-03\tChor\t160.00\n"
                        "4\t8\t0\t2\t2024-06-01\t2024-06-03\tChor 102\t140.50\n")},
        {"account, more paid than invoiced",
         {QStringLiteral("konto"), db, datei, QStringLiteral("--adresse"), QStringLiteral("5")},
         0,
         QStringLiteral(
             "Reservierungen\t300.50\nRechnungen\t100.00\nZahlungen\t120.00\nDifferenz\t-20.00\nZahlungenFuerRechnungen\t120.00\n"
             "ZahlungenOhneRechnung\t0.00\nNichtAbgerechnet\t300.50\n")},
        {"booking outside a block", {QStringLiteral("block"), db, datei, QStringLiteral("--buchung"), QStringLiteral("99")}, 1, QString()},
        {"no such address", {QStringLiteral("konto"), db, datei, QStringLiteral("--adresse"), QStringLiteral("99")}, 1, QString()},
        {"not a number", {QStringLiteral("konto"), db, datei, QStringLiteral("--adresse"), QStringLiteral("fünf")}, 2, QString()},
        {"no database", {QStringLiteral("block"), QStringLiteral("--buchung"), QStringLiteral("8")}, 2, QString()},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const Ergebnis e = werkzeug(f.args);
        EXPECT_EQ(e.code, f.code) << e.err.toStdString();
        if (f.code == 0) {
            EXPECT_EQ(e.out, f.out);
        } else {
            EXPECT_TRUE(e.out.isEmpty());
            EXPECT_FALSE(e.err.isEmpty());
        }
    }
}
