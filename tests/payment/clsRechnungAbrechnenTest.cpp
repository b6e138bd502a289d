#include "payment/clsRechnungAbrechnen.h"

#include <gtest/gtest.h>

#include "engine/Database.h"
#include "payment/AbrechnenLogik.h"
#include "payment/ZahlungTestDaten.h"
#include "payment/Zahlungen.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "support/Feldwerte.h"

using namespace tav;

class clsRechnungAbrechnenTest : public test::ZahlungFixture {
protected:
    ClockOverride uhr_{QDate(2024, 7, 4)};
    ScriptedDialogs dialogs_;
};

TEST_F(clsRechnungAbrechnenTest, SettlingProposesAndBooksTheOpenAmount) {
    struct Fall {
        const char* name;
        double brutto;
        std::vector<double> gezahlt;
        QString zahlart;
        QString vorschlag;
        int neueZahlungen;
        QString gespeicherteArt;
    };
    const Fall faelle[] = {
        {"250,00 with 100,00 paid", 250.0, {100.0}, "Bar", "150,00", 1, "Bar"},
        {"paid in full", 99.9, {50.0, 49.9}, "Bar", "0,00", 0, QString()},
        {"an empty kind", 80.0, {}, QString(), "80,00", 1, "Ohne"},
        {"paid too much", 80.0, {100.0}, "Bar", "-20,00", 1, "Bar"},
    };
    int nr = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const int b = buchung(1, 1);
        rechnung(++nr, f.brutto, b);
        for (double x : f.gezahlt) zahlung(b, x, nr);
        const int vorher = anzahlZahlungen();
        AbrechnenLogik l(db(), dialogs_);
        l.oeffnen(nr, b);
        EXPECT_EQ(l.betrag(), f.vorschlag);
        EXPECT_EQ(l.datum, QStringLiteral("04.07.2024"));
        EXPECT_EQ(l.zahlart, QStringLiteral("Überweisung")) << "the document's kind";
        l.zahlart = f.zahlart;
        EXPECT_TRUE(l.ok());
        EXPECT_EQ(anzahlZahlungen() - vorher, f.neueZahlungen);
        EXPECT_EQ(Zahlungen(db()).offenerBetrag(nr), 0);
        if (f.neueZahlungen) {
            EXPECT_EQ(
                test::zeile(
                    db(),
                    QStringLiteral(
                        "SELECT WasBezahlt, Zahlart, IDBelegung, ZahlDatum FROM tbZahlung WHERE IdRechnung = ? ORDER BY IDZahlung DESC"),
                    {nr}),
                (QStringList{"Gesamtzahlung", f.gespeicherteArt, QString::number(b), "2024-07-04"}));
        }
    }
}

TEST_F(clsRechnungAbrechnenTest, ABadDateBooksNothing) {
    const int b = buchung(1, 1);
    rechnung(1, 100.0, b);
    AbrechnenLogik l(db(), dialogs_);
    l.oeffnen(1, 0);
    EXPECT_EQ(l.belegung(), b) << "the document's booking when none is given";
    for (const char* datum : {"", "31.02.2024", "heute"}) {
        SCOPED_TRACE(datum);
        l.datum = QString::fromLatin1(datum);
        EXPECT_FALSE(l.ok());
        EXPECT_EQ(dialogs_.last().text, QStringLiteral("Bitte überprüfen Sie das Datum."));
    }
    EXPECT_EQ(anzahlZahlungen(), 0);
}

TEST_F(clsRechnungAbrechnenTest, SettledStateKindPaidDateAndTheBookingsOfADocument) {
    const int a = buchung(1, 1), b = buchung(2, 0), c = buchung(3, 1);
    db().execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (1, ?, 0), (1, ?, -1)"), {a, b});
    rechnung(1, 100.0, a);
    db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung) VALUES (1, ?)"), {b});
    posten(c, 50.0, 1, QStringLiteral("Ja"), true);
    clsRechnungAbrechnen r(db());
    EXPECT_EQ(r.AlleIDBelegungenEinerRechnung(1), QStringLiteral("%1, %2, %3").arg(b).arg(a).arg(c)) << "master first, night items last";
    EXPECT_FALSE(r.RechnungIstAbgerechnet(1)) << "one booking is open";
    db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1"));
    EXPECT_TRUE(r.RechnungIstAbgerechnet(1));
    db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Warten'"));
    EXPECT_FALSE(r.RechnungIstAbgerechnet(1)) << "an item waits";
    EXPECT_FALSE(r.RechnungIstAbgerechnet(42));
    EXPECT_EQ(r.AlleIDBelegungenEinerRechnung(42), QString());
    EXPECT_EQ(r.RechnungZahlart(1), QStringLiteral("Überweisung"));
    EXPECT_FALSE(r.RechnungBezahlt(1));
    db().execute(QStringLiteral("UPDATE tbRechnungen SET BezahltDatumRe = #07-01-2024#"));
    EXPECT_TRUE(r.RechnungBezahlt(1));

    zahlung(a, 30.0, 1, QDate(2024, 7, 2));
    EXPECT_EQ(r.BisHerigeZahlungen(a), QStringLiteral("02.07.2024, 30,00"));
}
