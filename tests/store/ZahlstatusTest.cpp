#include <gtest/gtest.h>

#include "store/Zahlstatus.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class ZahlstatusTest : public test::DatabaseFixture {
protected:
    int buchung(int abgerechnet, const QString& geteilt = QString()) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Abgerechnet, IST_Geteilt) VALUES (1, ?, ?)"),
                     {abgerechnet, geteilt.isEmpty() ? QVariant() : QVariant(geteilt)});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    int posten(int belegung, const QVariant& abgerechnet) {
        db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, AbgerechnetPo) VALUES (?, ?)"), {belegung, abgerechnet});
        return db().scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
    }
    void rechnung(int nr, double brutto, const QString& art = QStringLiteral("R")) {
        db().execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, IST_Rechnung, BetragBrutto) VALUES (?, ?, ?)"), {nr, art, brutto});
    }
    void link(int nr, const QVariant& belegung, const QVariant& posten = {}) {
        db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung, IDPostenRe) VALUES (?, ?, ?)"),
                     {nr, belegung, posten});
    }
    void zahlung(int nr, double betrag) {
        db().execute(QStringLiteral("INSERT INTO tbZahlung (IdRechnung, Betrag) VALUES (?, ?)"), {nr, betrag});
    }
    bool bezahlt(int id) { return belegungBezahlt(db(), id); }
};

TEST_F(ZahlstatusTest, GreenOnlyWhenBookingAndItemsAreInvoicedAndPaid) {
    const int b = buchung(1);
    rechnung(1, 300.10);
    link(1, b);
    EXPECT_FALSE(bezahlt(b)) << "invoiced, nothing paid";
    zahlung(1, 100);
    zahlung(1, 200.09);
    EXPECT_FALSE(bezahlt(b)) << "one cent open";
    zahlung(1, 0.01);
    EXPECT_TRUE(bezahlt(b));

    const int p = posten(b, QStringLiteral("Nein"));
    EXPECT_FALSE(bezahlt(b)) << "an extra item is not settled";
    db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE IDRePosten = ?"), {p});
    rechnung(2, 20);
    link(2, QVariant(), p);
    EXPECT_FALSE(bezahlt(b)) << "the item's invoice is open";
    zahlung(2, 20);
    EXPECT_TRUE(bezahlt(b));
    posten(b, QVariant());
    EXPECT_FALSE(bezahlt(b)) << "an item without a state counts as open";

    EXPECT_FALSE(bezahlt(999)) << "no such booking";
}

TEST_F(ZahlstatusTest, NotInvoicedOrHeldBackIsNeverGreen) {
    const int offen = buchung(0);
    const int warten = buchung(2);
    const int ohneRechnung = buchung(1);
    rechnung(1, 0);
    link(1, offen);
    link(1, warten);
    EXPECT_FALSE(bezahlt(offen));
    EXPECT_FALSE(bezahlt(warten));
    EXPECT_FALSE(bezahlt(ohneRechnung)) << "settled, but no invoice to be paid";
    rechnung(2, 50, QStringLiteral("B"));
    link(2, ohneRechnung);
    zahlung(2, 50);
    EXPECT_FALSE(bezahlt(ohneRechnung)) << "a confirmation is no invoice";
}

TEST_F(ZahlstatusTest, SplitBookingFollowsItsNightItems) {
    const int b = buchung(0, QStringLiteral("Y"));
    const int n1 = posten(b, QStringLiteral("Ja"));
    const int n2 = posten(b, QStringLiteral("Ja"));
    rechnung(1, 80);
    rechnung(2, 90);
    link(1, QVariant(), n1);
    link(2, QVariant(), n2);
    zahlung(1, 80);
    EXPECT_FALSE(bezahlt(b));
    zahlung(2, 90);
    EXPECT_TRUE(bezahlt(b));
}
