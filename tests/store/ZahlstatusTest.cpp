#include <gtest/gtest.h>

#include <functional>

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

// One booking through the steps of its life; each step keeps the ones before.
TEST_F(ZahlstatusTest, PaidOnlyWhenBookingAndItemsAreInvoicedAndPaidToTheCent) {
    const int b = buchung(1);
    int p = 0;
    struct Schritt {
        const char* label;
        std::function<void()> aenderung;
        bool bezahlt;
    };
    const QList<Schritt> schritte = {
        {"settled, but no invoice to be paid", [] {}, false},
        {"a paid confirmation is no invoice",
         [&] {
             rechnung(1, 300.10, QStringLiteral("B"));
             link(1, b);
             zahlung(1, 300.10);
         },
         false},
        {"invoiced, nothing paid",
         [&] {
             rechnung(2, 300.10);
             link(2, b);
         },
         false},
        {"one cent open",
         [&] {
             zahlung(2, 100);
             zahlung(2, 200.09);
         },
         false},
        {"less than half a cent open reads 0,00", [&] { zahlung(2, 0.006); }, true},
        {"an extra item not settled", [&] { p = posten(b, QStringLiteral("Nein")); }, false},
        {"the item settled, its invoice open",
         [&] {
             db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE IDRePosten = ?"), {p});
             rechnung(3, 20);
             link(3, QVariant(), p);
         },
         false},
        {"the item's invoice paid", [&] { zahlung(3, 20); }, true},
        {"an item without a state counts as open", [&] { posten(b, QVariant()); }, false},
    };
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(s.label);
        s.aenderung();
        EXPECT_EQ(bezahlt(b), s.bezahlt);
        EXPECT_EQ(zahlstatusDerBuchung(db(), b), s.bezahlt ? Zahlstatus::Bezahlt : Zahlstatus::Offen);
    }
    EXPECT_FALSE(bezahlt(999));
    EXPECT_EQ(zahlstatusDerBuchung(db(), 999), Zahlstatus::KeineBuchung);
}

TEST_F(ZahlstatusTest, NotSettledOrHeldBackIsNeverPaid) {
    for (const auto& [label, abgerechnet] : {std::pair{"not settled", 0}, std::pair{"held back", 2}}) {
        SCOPED_TRACE(label);
        const int b = buchung(abgerechnet);
        const int nr = 10 + abgerechnet;
        rechnung(nr, 50);
        link(nr, b);
        zahlung(nr, 50);
        EXPECT_FALSE(bezahlt(b));
    }
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
