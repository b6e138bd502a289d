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

TEST(PaymentCommandsTest, PaymentsAndOpenAmountsOfABookingAnInvoiceAndAnAddress) {
    tav::test::TempFolder tmp;
    ASSERT_EQ(werkzeug({QStringLiteral("create"), tmp.path()}).code, 0);
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
    const QString erwartet = QStringLiteral(
        "IDZahlung\tIdRechnung\tIDBelegung\tZahlDatum\tBetrag\tZahlart\tWasBezahlt\tZahlung_Bem\n"
        "1\t3\t7\t2024-06-20\t100.10\tBar\tAnzahlung\t\n"
        "2\tNULL\t7\t2024-06-21\t-0.10\tBar\t\t\n"
        "\nReNummer\tReNummer_eigen\tBetragBrutto\tSummeZahlungen\tNochZuZahlen\n"
        "3\tR-3\t250.00\t100.10\t149.90\n"
        "\nZahlungen\t100.00\nNochZuZahlen\t149.90\n");
    struct Fall {
        const char* name;
        QStringList args;
        int code;
        QString out;
    };
    const Fall faelle[] = {
        {"booking", {QStringLiteral("--buchung"), QStringLiteral("7")}, 0, erwartet},
        {"address", {QStringLiteral("--adresse"), QStringLiteral("5")}, 0, erwartet},
        {"invoice", {QStringLiteral("--rechnung"), QStringLiteral("3")}, 0, QString()},
        {"no such booking", {QStringLiteral("--buchung"), QStringLiteral("99")}, 1, QString()},
        {"not a number", {QStringLiteral("--rechnung"), QStringLiteral("drei")}, 2, QString()},
        {"no selection", {}, 2, QString()},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const Ergebnis e = werkzeug(QStringList{QStringLiteral("zahlungen"), QStringLiteral("--db"), datei} + f.args);
        EXPECT_EQ(e.code, f.code) << e.err.toStdString();
        if (!f.out.isEmpty()) {
            EXPECT_EQ(e.out, f.out);
        }
        if (f.code != 0) {
            EXPECT_FALSE(e.err.isEmpty());
        }
    }
    const Ergebnis rechnung =
        werkzeug({QStringLiteral("zahlungen"), QStringLiteral("--db"), datei, QStringLiteral("--rechnung"), QStringLiteral("3")});
    EXPECT_TRUE(rechnung.out.contains(QStringLiteral("\nNochZuZahlen\t149.90\n"))) << rechnung.out.toStdString();
    EXPECT_FALSE(rechnung.out.contains(QStringLiteral("-0.10"))) << "the payment without invoice is not the invoice's";
}
