#include "payment/Zahlungen.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <algorithm>
#include <random>

#include "engine/Database.h"
#include "payment/ZahlungTestDaten.h"
#include "store/Zahlstatus.h"
#include "support/Feldwerte.h"

using namespace tav;

class ZahlungenTest : public test::ZahlungFixture {};

TEST_F(ZahlungenTest, SumsAreExactToTheCentWhateverTheOrderOfTheRows) {
    const int b = buchung(1);
    rechnung(1, 100.0, b);
    for (int i = 0; i < 1000; ++i) zahlung(b, 0.10, 1);
    Zahlungen z(db());
    EXPECT_EQ(z.summeProRechnung(1), 10000) << "1000 payments of 0,10";
    EXPECT_EQ(geld::text(z.summeProRechnung(1)), QStringLiteral("100,00"));
    EXPECT_TRUE(z.vollBezahlt(1));
    EXPECT_TRUE(belegungBezahlt(db(), b) == false) << "the booking itself is not settled yet";

    // Amounts that do not add up in binary floating point, in two orders.
    struct Fall {
        const char* name;
        std::vector<double> betraege;
        qint64 summe;
    };
    const Fall faelle[] = {
        {"tenths and hundredths", {0.1, 0.2, 0.3, 0.01, 0.02, 1e6, -1e6}, 63},
        {"a refund cancels a payment", {150.0, -150.0, 0.05}, 5},
        {"large amounts", {9999999.99, 0.01, 12345.67}, 1001234567},
    };
    int nr = 10;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        for (int reihenfolge = 0; reihenfolge < 2; ++reihenfolge) {
            ++nr;
            rechnung(nr, 0.0, b);
            std::vector<double> v = f.betraege;
            if (reihenfolge) std::reverse(v.begin(), v.end());
            for (double x : v) zahlung(b, x, nr);
            EXPECT_EQ(z.summeProRechnung(nr), f.summe);
            EXPECT_EQ(z.offenerBetrag(nr), -f.summe);
        }
    }
}

TEST_F(ZahlungenTest, OpenAmountIsGrossLessPaymentsAndANullGrossCountsAsZero) {
    const int b = buchung(1);
    rechnung(1, 250.0, b);
    zahlung(b, 100.0, 1);
    zahlung(b, 40.0);  // a deposit without invoice does not count for the invoice
    Zahlungen z(db());
    EXPECT_EQ(z.offenerBetrag(1), 15000);
    db().execute(QStringLiteral("UPDATE tbRechnungen SET BetragBrutto = Null WHERE ReNummer = 1"));
    EXPECT_EQ(z.offenerBetrag(1), -10000);
    EXPECT_EQ(z.offenerBetrag(99), 0) << "no such invoice, no payments";
    rechnung(2, 10.0, b, QStringLiteral("R"), adresse(QString(), QString(), QStringLiteral("Eutin")));
    const QList<RechnungsBlock> bloecke = z.alleRechnungen({b});
    ASSERT_EQ(bloecke.size(), 2);
    EXPECT_EQ(bloecke[0].adresse, QStringLiteral("Brandt, Hella Kiel"));
    EXPECT_EQ(bloecke[1].adresse, QStringLiteral("Eutin")) << "no separators around missing names";
    EXPECT_TRUE(z.nochNichtZugeordnete({b}));
    EXPECT_FALSE(z.nochNichtZugeordnete({b + 1}));
}

TEST_F(ZahlungenTest, ListsOfPaymentsAreOrderedByDateAndDaysSummingToZeroAreLeftOut) {
    const int b = buchung(1);
    rechnung(1, 300.0, b);
    zahlung(b, 50.0, 1, QDate(2024, 7, 3));
    zahlung(b, 1234.5, 1, QDate(2024, 7, 1));
    zahlung(b, 20.0, 0, QDate(2024, 7, 2));
    zahlung(b, -20.0, 0, QDate(2024, 7, 2));
    Zahlungen z(db());
    geld::Cent summe = 0;
    EXPECT_EQ(z.bisherigeZahlungenProRechnung(1, &summe), QStringLiteral("01.07.2024, 1.234,50\n03.07.2024, 50,00"));
    EXPECT_EQ(summe, 128450);
    const auto tage = z.zahlungenAuflistenBelegung(b);
    ASSERT_EQ(tage.size(), 2);
    EXPECT_EQ(tage[0].first, QDate(2024, 7, 1));
    EXPECT_EQ(tage[1].first, QDate(2024, 7, 3));
    const auto zeilen = z.zahlungenDerBelegungen({b});
    ASSERT_EQ(zeilen.size(), 4);
    EXPECT_EQ(zeilen[0].rechnungText, QStringLiteral("R-1"));
    EXPECT_EQ(zeilen[1].rechnungText, QStringLiteral("nicht zugeordnet"));
    EXPECT_EQ(zeilen[0].zimmerText, QStringLiteral("101"));
}

TEST_F(ZahlungenTest, APaymentWithoutInvoiceOfABookingCoveredByANightItemReadsNichtZugeordnet) {
    const int b = buchung(2, 0, QStringLiteral("2024-0007"));
    rechnung(5, 300.0, 0);
    posten(b, 300.0, 5, QStringLiteral("Ja"), true);
    zahlung(b, 10.0);
    Zahlungen z(db());
    const auto zeilen = z.zahlungenDerBelegungen({b});
    ASSERT_EQ(zeilen.size(), 1);
    EXPECT_EQ(zeilen[0].rechnungText, QStringLiteral("Nicht zugeordnet"));
    EXPECT_EQ(zeilen[0].zimmerText, QStringLiteral("102 (2024-0007)"));
    EXPECT_EQ(z.rechnungFindenBelegung(b), 5);
    // A confirmation does not cover a booking.
    const int c = buchung(3);
    rechnung(6, 100.0, c, QStringLiteral("B"));
    EXPECT_EQ(z.rechnungFindenBelegung(c), 0);
}

// What the settlement books is checked in clsRechnungAbrechnenTest; here the kind as data and
// the delete flag.
TEST_F(ZahlungenTest, BezahlenBooksTheOpenAmountOnceAndItsDeleteFlagRemovesAllPayments) {
    const int b = buchung(1);
    rechnung(1, 250.0, b);
    zahlung(b, 100.0, 1);
    Zahlungen z(db());
    EXPECT_EQ(z.bezahlen(false, QDate(2024, 7, 4), QString(), 1, b), 15000) << "250,00 with 100,00 paid";
    EXPECT_TRUE(z.vollBezahlt(1));
    EXPECT_EQ(z.bezahlen(false, QDate(2024, 7, 5), QStringLiteral("Bar"), 1, b), 0) << "a fully paid invoice books nothing";
    EXPECT_EQ(anzahlZahlungen(), 2);
    // A kind with a quote is data, not SQL.
    rechnung(2, 10.0, b);
    z.bezahlen(false, QDate(2024, 7, 5), QStringLiteral("O'Neil's Karte"), 2, b);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Zahlart FROM tbZahlung WHERE IdRechnung = 2")).toString(),
              QStringLiteral("O'Neil's Karte"));

    z.bezahlen(true, QDate(), QString(), 1, b);
    EXPECT_EQ(z.summeProRechnung(1), 0);
    EXPECT_EQ(anzahlZahlungen(), 1) << "only the other invoice's payment is left";
}

TEST_F(ZahlungenTest, TheOldPaidDateBecomesOneGesamtzahlungAndIsEmptiedAfterwards) {
    const int b = buchung(1, 1);
    rechnung(1, 480.5, b);
    rechnung(2, 99.0, b);
    db().execute(QStringLiteral("UPDATE tbRechnungen SET BezahltDatumRe = #07-10-2024# WHERE ReNummer = 1"));
    Zahlungen z(db());
    EXPECT_EQ(z.bezahltDatumUmwandeln(), 1);
    // The invoice without paid date gets nothing.
    EXPECT_EQ(test::zeilen(db(), QStringLiteral("SELECT IdRechnung, IDBelegung, ZahlDatum, Betrag, Zahlart, WasBezahlt FROM tbZahlung")),
              QStringList{QStringLiteral("1|<null>|2024-07-10|480.5|Überweisung|Gesamtzahlung")});
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT BezahltDatumRe FROM tbRechnungen WHERE ReNummer = 1")).isNull());
    EXPECT_TRUE(z.vollBezahlt(1));
    EXPECT_EQ(z.bezahltDatumUmwandeln(), 0) << "the next start finds nothing to convert";
    EXPECT_EQ(anzahlZahlungen(), 1);
}

TEST_F(ZahlungenTest, UnnumberedPaymentsOfAnOlderFileGetTheSmallestFreeNumbers) {
    // An older file whose payment key was a plain number field.
    db().dropTable(QStringLiteral("tbZahlung"));
    TableDef alt;
    alt.name = QStringLiteral("tbZahlung");
    alt.fields = {FieldDef::of(QStringLiteral("IDZahlung"), JetType::Long),  FieldDef::of(QStringLiteral("IdRechnung"), JetType::Long),
                  FieldDef::of(QStringLiteral("IDBelegung"), JetType::Long), FieldDef::of(QStringLiteral("ZahlDatum"), JetType::Date),
                  FieldDef::of(QStringLiteral("Betrag"), JetType::Double),   FieldDef::text(QStringLiteral("Zahlart"), 50),
                  FieldDef::text(QStringLiteral("WasBezahlt"), 50),          FieldDef::text(QStringLiteral("Zahlung_Bem"), 255)};
    db().createTable(alt);
    for (const QVariant& id : {QVariant(1), QVariant(), QVariant(3), QVariant(), QVariant(), QVariant(6)})
        db().execute(QStringLiteral("INSERT INTO tbZahlung (IDZahlung, Betrag) VALUES (?, 1)"), {id});
    Zahlungen z(db());
    EXPECT_EQ(z.ergaenzen(), 3);
    QList<int> ids;
    for (Recordset rs = db().openRecordset(QStringLiteral("SELECT IDZahlung FROM tbZahlung ORDER BY IDZahlung")); !rs.eof(); rs.moveNext())
        ids << rs.integer(QStringLiteral("IDZahlung"));
    EXPECT_EQ(ids, (QList<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(z.ergaenzen(), 0);
}

TEST_F(ZahlungenTest, PaymentKindsAreAddedOnceAndRemovedByText) {
    Zahlungen z(db());
    const QStringList vorher = z.zahlarten();
    struct Fall {
        const char* name;
        QString text;
        bool neu;
    };
    const Fall faelle[] = {{"a new kind", QStringLiteral("Gutschein"), true},
                           {"the same again", QStringLiteral("Gutschein"), false},
                           {"the same in other case", QStringLiteral("GUTSCHEIN"), false},
                           {"a wildcard is text", QStringLiteral("G*"), true},
                           {"empty", QStringLiteral("  "), false}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(z.zahlartHinzufuegen(f.text), f.neu);
    }
    EXPECT_EQ(z.zahlarten().size(), vorher.size() + 2);
    EXPECT_EQ(z.zahlartEntfernen(QStringLiteral("Gutschein")), 1);
    EXPECT_FALSE(z.zahlarten().contains(QStringLiteral("Gutschein")));
    EXPECT_TRUE(z.zahlarten().contains(QStringLiteral("G*")));
}

TEST_F(ZahlungenTest, BlockMembersAndTheSettledStateOfASetOfBookings) {
    const int a = buchung(1, 1), b = buchung(2, 0), c = buchung(3, 1);
    db().execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (7, ?, 0), (7, ?, -1)"), {a, b});
    Zahlungen z(db());
    EXPECT_EQ(z.blockMitglieder(a), (QList<int>{b, a})) << "the master first";
    EXPECT_EQ(z.blockMitglieder(c), (QList<int>{c}));
    EXPECT_FALSE(z.belegungenAbgerechnet({a, b}));
    EXPECT_TRUE(z.belegungenAbgerechnet({a, c}));
    EXPECT_FALSE(z.zusatzpostenOffen({a}));
    rechnung(3, 10.0, 0);
    posten(a, 5.0, 3);
    EXPECT_FALSE(z.zusatzpostenOffen({a})) << "an item on an invoice";
    rechnung(4, 10.0, 0, QStringLiteral("B"));
    posten(a, 5.0, 4);
    EXPECT_TRUE(z.zusatzpostenOffen({a})) << "an item only on a confirmation";
}
