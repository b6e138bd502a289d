#include <gtest/gtest.h>

#include "engine/Database.h"
#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

using namespace tav::test;

TEST(PaymentCommandsTest, PaymentsAndOpenAmountsOfABookingAnInvoiceAndAnAddress) {
    TempFolder tmp;
    ASSERT_EQ(werkzeug({"create", tmp.path()}).code, 0);
    const QString datei = tmp.file(QStringLiteral("Lokal.mdb"));
    {
        auto db = tav::Database::open(datei);
        db->execute(QStringLiteral("INSERT INTO Address (ID, Lastname) VALUES (5, 'Brandt')"));
        db->execute(QStringLiteral("INSERT INTO tblBelegung (ID, Zimmernummer, GastID, Abgerechnet) VALUES (7, 1, 5, 1)"));
        db->execute(
            QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, IST_Rechnung, IDAdresseRe, BetragBrutto) "
                           "VALUES (3, 'R-3', 'R', 5, 250)"));
        db->execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung) VALUES (3, 7)"));
        db->execute(
            QStringLiteral("INSERT INTO tbZahlung (IDZahlung, IdRechnung, IDBelegung, ZahlDatum, Betrag, Zahlart, WasBezahlt) "
                           "VALUES (1, 3, 7, #06-20-2024#, 100.1, 'Bar', 'Anzahlung'), (2, Null, 7, #06-21-2024#, -0.1, 'Bar', Null)"));
    }
    const QString zahlungen = QStringLiteral(
        "IDZahlung\tIdRechnung\tIDBelegung\tZahlDatum\tBetrag\tZahlart\tWasBezahlt\tZahlung_Bem\n"
        "1\t3\t7\t2024-06-20\t100.10\tBar\tAnzahlung\t\n"
        "2\tNULL\t7\t2024-06-21\t-0.10\tBar\t\t\n");
    const QString rechnung = QStringLiteral(
        "\nReNummer\tReNummer_eigen\tBetragBrutto\tSummeZahlungen\tNochZuZahlen\n"
        "3\tR-3\t250.00\t100.10\t149.90\n");
    const QString summe = QStringLiteral("\nZahlungen\t100.00\nNochZuZahlen\t149.90\n");
    const QStringList z = {"zahlungen", "--db", datei};
    const Aufruf faelle[] = {
        {"booking", z + QStringList{"--buchung", "7"}, 0, zahlungen + rechnung + summe},
        {"address", z + QStringList{"--adresse", "5"}, 0, zahlungen + rechnung + summe},
        {"no such booking", z + QStringList{"--buchung", "99"}, 1},
        {"not a number", z + QStringList{"--rechnung", "drei"}, 2},
        {"no selection", z, 2},
    };
    for (const Aufruf& f : faelle) pruefe(f);
    const Lauf r = werkzeug(z + QStringList{"--rechnung", "3"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\nNochZuZahlen\t149.90\n"))) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("-0.10"))) << "the payment without invoice is not the invoice's";
}
