#include <gtest/gtest.h>

#include "engine/Database.h"
#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

using namespace tav::test;

TEST(BlockCommandsTest, TheMembersOfABlockAndTheSumsOfAnAccount) {
    TempFolder tmp;
    ASSERT_EQ(werkzeug({"create", tmp.path()}).code, 0);
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
    const Aufruf faelle[] = {
        {"block of a member, leading booking first",
         {"block", "--db", datei, "--buchung", "8"},
         0,
         QStringLiteral("IDBlockbuchung\tIDBelegung\tMaster\tZimmernummer\tVon\tBis\tKürzel\tPreis\n"
                        "4\t7\t-1\t1\t2024-06-01\t2024-06-03\tChor\t160.00\n"
                        "4\t8\t0\t2\t2024-06-01\t2024-06-03\tChor 102\t140.50\n")},
        {"account, more paid than invoiced",
         {"konto", "--db", datei, "--adresse", "5"},
         0,
         QStringLiteral(
             "Reservierungen\t300.50\nRechnungen\t100.00\nZahlungen\t120.00\nDifferenz\t-20.00\nZahlungenFuerRechnungen\t120.00\n"
             "ZahlungenOhneRechnung\t0.00\nNichtAbgerechnet\t300.50\n")},
        {"booking outside a block", {"block", "--db", datei, "--buchung", "99"}, 1},
        {"no such address", {"konto", "--db", datei, "--adresse", "99"}, 1},
        {"not a number", {"konto", "--db", datei, "--adresse", "fünf"}, 2},
        {"no database", {"block", "--buchung", "8"}, 2},
    };
    for (const Aufruf& f : faelle) pruefe(f);
}
