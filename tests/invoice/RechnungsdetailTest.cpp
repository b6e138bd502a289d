#include "invoice/Rechnungsdetail.h"

#include <gtest/gtest.h>

#include <cmath>

#include "invoice/Belegdaten.h"
#include "platform/ScriptedDialogs.h"
#include "support/DatabaseFixture.h"

using namespace tav;
namespace b = tav::test::beleg;

class RechnungsdetailTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        b::zimmer(db(), 1, QStringLiteral("101"), QStringLiteral("Seeblick"), QStringLiteral("Gruppe Nord"));
        b::zimmer(db(), 2, QStringLiteral("102"));
        gast_ = b::gast(db(), QStringLiteral("Max"), QStringLiteral("Muster"));
        b::steuer(db(), 1, 7, true);
        b::steuer(db(), 2, 19, false);
        b::steuer(db(), 3, 0, false);
        db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (1, 'Privat')"));
    }

    Detailergebnis bauen(int nummer = 1, Rechnungsdetail::Optionen o = {}) {
        Steuerschluessel steuer(db(), dialogs_);
        Rechnungsdetail d(db(), dialogs_, steuer, saisonaufteilung(db(), dialogs_));
        return d.Reservierungsdetail(nummer, o);
    }
    static QList<Detailzeile> mitCode(const Detailergebnis& e, const QString& code) {
        QList<Detailzeile> out;
        for (const Detailzeile& z : e.zeilen)
            if (z.code == code) out << z;
        return out;
    }
    static const Detailzeile* mitText(const Detailergebnis& e, const QString& text) {
        for (const Detailzeile& z : e.zeilen)
            if (z.artikel == text) return &z;
        return nullptr;
    }
    static QStringList codes(const Detailergebnis& e) {
        QStringList out;
        for (const Detailzeile& z : e.zeilen) out << z.code;
        return out;
    }

    ScriptedDialogs dialogs_;
    int gast_ = 0;
};

TEST_F(RechnungsdetailTest, TheInformationLineCarriesBoardGuestCountAndNameButNoPrice) {
    for (const char* o : {"TextMitFrühstückR", "MitGästezahlR", "GastnameR"}) b::option(db(), QString::fromUtf8(o), true);
    struct Fall {
        const char* was;
        bool f, m, a;
        int gaeste, kinder;
        const char* verpflegung;
        const char* zahl;
    } faelle[] = {
        {"breakfast and dinner is half board", true, false, true, 2, 0, "mit Halbpension", "\nGästezahl: 2"},
        {"all three meals", true, true, true, 3, 1, "mit Vollpension", "\nGästezahl: 2 Erw./ 1 Kind"},
        {"lunch and dinner, two children", false, true, true, 4, 2, "mit Mittag- und Abendessen", "\nGästezahl: 2 Erw./ 2 Kinder"},
        {"breakfast and lunch", true, true, false, 1, 0, "mit Frühstück und Mittagessen", "\nGästezahl: 1"},
        {"breakfast only", true, false, false, 2, 0, "mit Frühstück", "\nGästezahl: 2"},
        {"lunch only", false, true, false, 2, 0, "mit Mittagessen", "\nGästezahl: 2"},
        {"dinner only", false, false, true, 2, 0, "mit Abendessen", "\nGästezahl: 2"},
        {"no meal", false, false, false, 2, 0, "", "\nGästezahl: 2"},
    };
    int nummer = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        b::Buchung bu;
        bu.fruehstueck = f.f, bu.mittag = f.m, bu.abendessen = f.a, bu.gaeste = f.gaeste, bu.kinder = f.kinder;
        const int id = b::buchung(db(), gast_, bu);
        b::dokument(db(), {.nummer = ++nummer});
        b::verknuepfen(db(), nummer, {id});
        const Detailergebnis e = bauen(nummer);
        const QList<Detailzeile> u = mitCode(e, QStringLiteral("U"));
        ASSERT_EQ(u.size(), 1);
        EXPECT_EQ(u[0].fruehstueck, QString::fromUtf8(f.verpflegung));
        EXPECT_EQ(u[0].anzahlGaeste, QString::fromUtf8(f.zahl));
        EXPECT_EQ(u[0].gastNachname, QStringLiteral("Muster"));
        EXPECT_TRUE(u[0].artikel.endsWith(QStringLiteral("Gast: Max Muster")));
        EXPECT_EQ(u[0].gesamtpreis, 0);
        // Board is text only: the stay is one priced line, 2 nights at 100,00.
        const QList<Detailzeile> nacht = mitCode(e, QStringLiteral("B"));
        ASSERT_EQ(nacht.size(), 1);
        EXPECT_EQ(nacht[0].menge, 2);
        EXPECT_DOUBLE_EQ(nacht[0].gesamtpreis, 200);
        EXPECT_DOUBLE_EQ(e.bruttoNachRabatt, 200);
    }
    // The editor's box suppresses the board text; the options switched off leave no line.
    b::Buchung halb;
    halb.fruehstueck = halb.abendessen = true;
    const int id = b::buchung(db(), gast_, halb);
    b::dokument(db(), {.nummer = 50});
    b::verknuepfen(db(), 50, {id});
    EXPECT_EQ(mitCode(bauen(50, {.ohneVerpflegung = true}), QStringLiteral("U")).value(0).fruehstueck, QString());
    for (const char* o : {"TextMitFrühstückR", "MitGästezahlR", "GastnameR"}) b::option(db(), QString::fromUtf8(o), false);
    EXPECT_TRUE(mitCode(bauen(50), QStringLiteral("U")).isEmpty());
    // Only the guest count left: the line stays, without the guest's name.
    b::option(db(), QStringLiteral("MitGästezahlR"), true);
    EXPECT_EQ(mitCode(bauen(50), QStringLiteral("U")).value(0).gastNachname, QString());
}

TEST_F(RechnungsdetailTest, TheDiscountScalesEveryRateAndTheCashDiscountWorksOnTheGross) {
    struct Fall {
        const char* was;
        QVariant proz, betrag, skonto;
        double brutto, mwst19, mwst7;
        QStringList codes;  // the total lines after the items
    } faelle[] = {
        {"an absolute 10,00 on a net of 200,00 is 5 %",
         {},
         10.0,
         {},
         (119.0 + 107.0) * 0.95,
         19 * 0.95,
         7 * 0.95,
         {"N", "R", "R", "M", "M", "G", "E"}},
        {"5 percent", 5.0, {}, {}, (119.0 + 107.0) * 0.95, 19 * 0.95, 7 * 0.95, {"N", "R", "R", "M", "M", "G", "E"}},
        {"no discount", {}, {}, {}, 226, 19, 7, {"I", "M", "M", "G", "G"}},
        {"2 % cash discount", {}, {}, 2.0, 226, 19, 7, {"I", "M", "M", "G", "G", "S", "X"}},
    };
    b::Buchung bu;
    bu.von = QDate(2024, 7, 1), bu.bis = QDate(2024, 7, 2), bu.preisProNacht = 107;
    const int id = b::buchung(db(), gast_, bu);
    const int posten = b::posten(db(), {.buchung = id, .preis = 119, .steuer = 2});
    Parameter(db()).write(QStringLiteral("Zahlungsziele"), {{3, QStringLiteral("10")}});
    int nummer = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        b::dokument(db(), {.nummer = ++nummer, .rabattProz = f.proz, .rabattBetrag = f.betrag, .skonto = f.skonto});
        b::verknuepfen(db(), nummer, {id, -posten});
        const Detailergebnis e = bauen(nummer);
        EXPECT_NEAR(e.netto, 200, 1e-9);
        EXPECT_NEAR(e.bruttoNachRabatt, f.brutto, 1e-9);
        ASSERT_EQ(e.saetze.size(), 2);
        EXPECT_EQ(e.saetze[0].satz, 19);
        EXPECT_NEAR(e.saetze[0].mwst, f.mwst19, 1e-9);
        EXPECT_NEAR(e.saetze[1].mwst, f.mwst7, 1e-9);
        EXPECT_EQ(codes(e).mid(2), f.codes);  // after the night line and the item
        // The gross total after the discount is written back unrounded.
        EXPECT_NEAR(db().scalar(QStringLiteral("SELECT BetragBrutto FROM tbRechnungen WHERE ReNummer = ?"), {nummer}).toDouble(), f.brutto,
                    1e-9);
    }
    const Detailergebnis mitRabatt = bauen(1);
    EXPECT_NEAR(mitCode(mitRabatt, QStringLiteral("R"))[0].gesamtpreis, -10, 1e-9);
    EXPECT_NEAR(mitCode(mitRabatt, QStringLiteral("R"))[1].gesamtpreis, 190, 1e-9);
    EXPECT_EQ(mitCode(bauen(2), QStringLiteral("R"))[0].artikel, QStringLiteral("Rabatt 5 % "));
    // The cash discount's date follows the payment target, 10 days after 03.07.2024.
    const Detailergebnis skonto = bauen(4);
    const Detailzeile s = mitCode(skonto, QStringLiteral("S")).value(0), x = mitCode(skonto, QStringLiteral("X")).value(0);
    EXPECT_EQ(s.artikel, QStringLiteral("Bei Zahlung bis zum 13.07.2024 2,0% "));
    EXPECT_NEAR(s.gesamtpreis, -4.52, 1e-9);
    EXPECT_EQ(x.artikel, QStringLiteral("Gesamtbetrag incl. Skonto:"));
    EXPECT_NEAR(x.gesamtpreis, 221.48, 1e-9);
}

TEST_F(RechnungsdetailTest, EachRateWithLinesGetsOneVatLineHighestFirst) {
    b::dokument(db(), {.nummer = 1});
    b::verknuepfen(db(), 1, {-b::posten(db(), {.preis = 50, .steuer = 3}), -b::posten(db(), {.preis = 50, .steuer = 2})});
    QStringList texte;
    for (const Detailzeile& m : mitCode(bauen(1), QStringLiteral("M"))) texte << m.artikel;
    EXPECT_EQ(texte, (QStringList{"19% MwSt", "0% MwSt"}));
    // 119,00 at 19 % is 100,00 net; 10,00 at 7 % is 9,345794… net.
    b::dokument(db(), {.nummer = 10});
    b::verknuepfen(db(), 10, {-b::posten(db(), {.preis = 119, .steuer = 2}), -b::posten(db(), {.preis = 10, .steuer = 1})});
    const Detailergebnis e = bauen(10);
    EXPECT_NEAR(e.saetze[0].netto, 100, 1e-9);
    EXPECT_NEAR(e.saetze[1].netto, 10 * 100 / 107.0, 1e-12);
    EXPECT_NEAR(e.mwst, 19 + 10 - 10 * 100 / 107.0, 1e-12);
}

TEST_F(RechnungsdetailTest, ItemsTakeTheRateOfTheirKeyOnTheDocumentDate) {
    // Key 4 ends on 31.12.2024 with successor 5 from 01.01.2025; key 9 does not exist. The
    // chain itself is the VAT class's; here the document date chooses.
    b::steuer(db(), 4, 16, false, {}, QDate(2024, 12, 31), 5);
    b::steuer(db(), 5, 17, false, QDate(2025, 1, 1), {});
    struct Fall {
        const char* was;
        QDate datum;
        int schluessel;
        double satz;
        bool meldung;
    } faelle[] = {
        {"the old key on its last day", QDate(2024, 12, 31), 4, 16, false},
        {"the old key after its end goes to the successor", QDate(2025, 1, 2), 4, 17, false},
        {"a missing key is reported and counts 0 %", QDate(2025, 1, 2), 9, 0, true},
    };
    int nummer = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        b::dokument(db(), {.nummer = ++nummer, .datum = f.datum});
        b::verknuepfen(db(), nummer, {-b::posten(db(), {.preis = 100, .steuer = f.schluessel})});
        const Detailergebnis e = bauen(nummer);
        ASSERT_EQ(e.saetze.size(), 1);
        EXPECT_EQ(e.saetze[0].satz, f.satz);
        EXPECT_EQ(dialogs_.texts().contains(Rechnungsdetail::kKeinSteuersatz), f.meldung);
        dialogs_.clear();
    }
}

TEST_F(RechnungsdetailTest, NightLinesSplitBySeasonWhenTheKindAsks) {
    db().execute(QStringLiteral("UPDATE tbZimmernummern SET PreisHauptsaison = 90, PreisNebensaison = 50 WHERE Zimmernummer = 1"));
    db().execute(QStringLiteral("INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES ('Nebensaison', ?, ?)"),
                 {QDate(2024, 3, 1), QDate(2024, 6, 1)});
    db().execute(QStringLiteral("INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES ('Hauptsaison', ?, ?)"),
                 {QDate(2024, 6, 1), QDate(2024, 9, 1)});
    b::Buchung bu;
    bu.von = QDate(2024, 5, 30), bu.bis = QDate(2024, 6, 3);  // 2 nights at 50, 2 at 90
    const int id = b::buchung(db(), gast_, bu);
    b::dokument(db(), {.nummer = 1});
    b::verknuepfen(db(), 1, {id});
    struct Fall {
        const char* was;
        bool split;
        QList<double> mengen, betraege;
        QStringList texte;
    } faelle[] = {
        {"without the option one line with the booking's price", false, {4}, {400}, {"Übernachtungen"}},
        {"with it one line per season part", true, {2, 2}, {180, 100}, {"Übernachtungen", "Übernachtungen"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        b::option(db(), QStringLiteral("SaisonaufteilungR"), f.split);
        QList<double> mengen, betraege;
        QStringList texte;
        for (const Detailzeile& z : mitCode(bauen(1), QStringLiteral("B")))
            mengen << z.menge, betraege << z.gesamtpreis, texte << z.artikel;
        EXPECT_EQ(mengen, f.mengen);
        EXPECT_EQ(betraege, f.betraege);
        EXPECT_EQ(texte, f.texte);
    }
    // One night reads the singular; a booking's own text wins; "K" replaces "B" on request.
    b::option(db(), QStringLiteral("SaisonaufteilungR"), false);
    b::Buchung eine;
    eine.bis = eine.von.addDays(1);
    b::Buchung seminar;
    seminar.reText = QStringLiteral("Seminaraufenthalt");
    b::dokument(db(), {.nummer = 2});
    b::verknuepfen(db(), 2, {b::buchung(db(), gast_, eine), b::buchung(db(), gast_, seminar)});
    const Detailergebnis e = bauen(2, {.nachtzeilenK = true});
    const QList<Detailzeile> k = mitCode(e, QStringLiteral("K"));
    ASSERT_EQ(k.size(), 2);
    EXPECT_EQ(k[0].artikel, QStringLiteral("Übernachtung"));
    EXPECT_EQ(k[1].artikel, QStringLiteral("Seminaraufenthalt"));
    EXPECT_TRUE(mitCode(e, QStringLiteral("B")).isEmpty());
}

TEST_F(RechnungsdetailTest, ExtraItemsShowRemarkDateAndNightWordingByOption) {
    b::Buchung bu;
    const int id = b::buchung(db(), gast_, bu);
    const int minibar = b::posten(db(), {.buchung = id, .menge = 3, .preis = 2.5, .bemerkung = QStringLiteral("Wasser")});
    const int ohneDatum = b::posten(db(), {.buchung = id, .artikel = QStringLiteral("Parken"), .keinDatum = true});
    const int eineNacht =
        b::posten(db(), {.buchung = id, .preis = 80, .steuer = 1, .von = QDate(2024, 7, 1), .bis = QDate(2024, 7, 2), .nacht = true});
    const int zweiNaechte = b::posten(
        db(), {.buchung = id, .menge = 2, .preis = 80, .steuer = 1, .von = QDate(2024, 7, 1), .bis = QDate(2024, 7, 3), .nacht = true});
    b::dokument(db(), {.nummer = 1});
    b::verknuepfen(db(), 1, {-minibar, -ohneDatum, -eineNacht, -zweiNaechte});
    struct Fall {
        const char* was;
        bool bemerkung, datum;
        QStringList bemerkungen;
        QList<QDate> daten;
    } faelle[] = {
        {"options off", false, false, {"", "", "", ""}, {{}, {}, QDate(2024, 7, 1), QDate(2024, 7, 1)}},
        {"options on", true, true, {"Wasser", "", "", ""}, {QDate(2024, 7, 2), {}, QDate(2024, 7, 1), QDate(2024, 7, 1)}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        b::option(db(), QStringLiteral("Artikel_BemerkungR"), f.bemerkung);
        b::option(db(), QStringLiteral("DatumZusatzpostenR"), f.datum);
        const QList<Detailzeile> z = mitCode(bauen(1), QStringLiteral("Z"));
        ASSERT_EQ(z.size(), 4);
        QStringList bemerkungen;
        QList<QDate> daten;
        for (const Detailzeile& l : z) bemerkungen << l.bemerkung, daten << l.von;
        EXPECT_EQ(bemerkungen, f.bemerkungen);
        EXPECT_EQ(daten, f.daten);
        EXPECT_DOUBLE_EQ(z[0].gesamtpreis, 7.5);
        EXPECT_EQ(z[2].artikel, QStringLiteral("Übernachtung "));
        EXPECT_EQ(z[3].artikel, QStringLiteral("Übernachtungen "));
        EXPECT_DOUBLE_EQ(z[3].gesamtpreis, 160);
    }
}

TEST_F(RechnungsdetailTest, RoomsGetSubtotalsAndRemarksByOption) {
    b::Buchung a, c;
    c.zimmer = 2;
    c.preisProNacht = 50;
    const int ida = b::buchung(db(), gast_, a), idc = b::buchung(db(), gast_, c);
    const int extra = b::posten(db(), {.buchung = ida, .preis = 20, .steuer = 2});
    b::dokument(db(), {.nummer = 1});
    b::verknuepfen(db(), 1, {ida, -extra, idc});
    for (const char* o : {"ZwischenR", "ZimmerbemerkungR", "BlockbezR"}) b::option(db(), QString::fromUtf8(o), true);
    const Detailergebnis e = bauen(1);
    EXPECT_EQ(codes(e).mid(0, 6), (QStringList{"B", "Z", "W", "B", "W", "C"}));
    const QList<Detailzeile> w = mitCode(e, QStringLiteral("W"));
    EXPECT_EQ(w[0].artikel, QStringLiteral("Summe für 101"));
    EXPECT_EQ(e.zeilen[0].zimmernummer, QStringLiteral("101 (Seeblick)"));
    // With the room-number option the room reads with the caption for rooms.
    b::option(db(), QStringLiteral("TextZimmerNummerR"), true);
    EXPECT_EQ(bauen(1).zeilen[0].zimmernummer, Parameter(db()).columnLabel(QStringLiteral("F2")) + QStringLiteral(" 101 (Seeblick)"));
    b::option(db(), QStringLiteral("TextZimmerNummerR"), false);
    EXPECT_DOUBLE_EQ(w[0].gesamtpreis, 220);
    EXPECT_EQ(w[1].artikel, QStringLiteral("Summe für 102"));
    EXPECT_DOUBLE_EQ(w[1].gesamtpreis, 100);
    EXPECT_DOUBLE_EQ(mitCode(e, QStringLiteral("C"))[0].gesamtpreis, 320);
    EXPECT_EQ(e.zeilen[0].zimBemerkung, QStringLiteral("Gruppe Nord"));
    // The block designation is not an offer's option; without the subtotal option no W and C.
    for (const char* o : {"ZwischenA", "ZimmerbemerkungA", "BlockbezA"}) b::option(db(), QString::fromUtf8(o), true);
    b::option(db(), QStringLiteral("ZwischenR"), false);
    db().execute(QStringLiteral("UPDATE tbRechnungen SET IST_Rechnung = 'A'"));
    EXPECT_EQ(bauen(1).zeilen[0].zimBemerkung, QString());
    db().execute(QStringLiteral("UPDATE tbRechnungen SET IST_Rechnung = 'R'"));
    EXPECT_TRUE(mitCode(bauen(1), QStringLiteral("W")).isEmpty());
}

TEST_F(RechnungsdetailTest, OffersWithoutVatPrintOnlyTheTotal) {
    b::option(db(), QStringLiteral("Keine_MWSTA"), true);
    b::option(db(), QStringLiteral("Keine_MWSTB"), true);
    const int id = b::buchung(db(), gast_, {});
    struct Fall {
        const char* art;
        QStringList summen;
    } faelle[] = {{"A", {"O"}}, {"B", {"O"}}, {"R", {"I", "M", "G", "G"}}};
    int nummer = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.art);
        b::dokument(db(), {.nummer = ++nummer, .art = QString::fromUtf8(f.art)});
        b::verknuepfen(db(), nummer, {id});
        const Detailergebnis e = bauen(nummer);
        EXPECT_EQ(codes(e).mid(1), f.summen);
        EXPECT_DOUBLE_EQ(e.zeilen.last().gesamtpreis, 200);
    }
}

TEST_F(RechnungsdetailTest, PaymentsAndTheDownPaymentSchedule) {
    b::option(db(), QStringLiteral("ZahlungR"), true);
    b::Buchung bu;
    bu.von = QDate(2024, 8, 1), bu.bis = QDate(2024, 8, 6);  // 500,00
    const int id = b::buchung(db(), gast_, bu);
    // F2 remainder 7 days before arrival, F4 down payment 30 days before, F5 20 %;
    // F6 remainder 14 days after the document, F7 down payment 5 days after, F8 30 %.
    Parameter(db()).write(QStringLiteral("Zahlungsziele"), {{2, QStringLiteral("7")},
                                                            {4, QStringLiteral("30")},
                                                            {5, QStringLiteral("20")},
                                                            {6, QStringLiteral("14")},
                                                            {7, QStringLiteral("5")},
                                                            {8, QStringLiteral("30")}});
    // The plan: the down payment and the remainder, each with its amount and due date.
    struct Fall {
        const char* was;
        QString modus;
        QDate datum;
        const char *anzahlung, *rest;
    } faelle[] = {
        {"from the arrival", "Y", QDate(2024, 6, 1), "100,00 bis zum 02.07.2024", "400,00 bis zum 25.07.2024"},
        {"from the arrival, the down payment's day already passed", "Y", QDate(2024, 7, 10), "100,00 sofort", "400,00 bis zum 25.07.2024"},
        {"from the document date", "N", QDate(2024, 6, 1), "150,00 bis zum 06.06.2024", "350,00 bis zum 15.06.2024"},
        {"split", "G", QDate(2024, 6, 1), "150,00 bis zum 06.06.2024", "350,00 bis zum 25.07.2024"},
        {"an empty mode counts as arrival", "", QDate(2024, 6, 1), "100,00 bis zum 02.07.2024", "400,00 bis zum 25.07.2024"},
    };
    int nummer = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        b::dokument(db(), {.nummer = ++nummer, .datum = f.datum, .anzahlung = QStringLiteral("Y"), .modus = f.modus});
        b::verknuepfen(db(), nummer, {id});
        QStringList texte;
        for (const Detailzeile& z : mitCode(bauen(nummer), QStringLiteral("A"))) texte << z.artikel;
        EXPECT_EQ(texte, (QStringList{"Bitte zahlen Sie die Rechnungssumme wie folgt:", QStringLiteral("Anzahlung:   ") + f.anzahlung,
                                      QStringLiteral("Restzahlung: ") + f.rest}));
    }

    // Payments in date order, their sum and what is left; the schedule then covers the rest.
    b::zahlung(db(), id, QDate(2024, 6, 20), 150, QStringLiteral("Abschlag"), QStringLiteral("Überweisung"));
    b::zahlung(db(), id, QDate(2024, 6, 10), 50);
    const Detailergebnis e = bauen(3);
    QStringList texte;
    QList<double> betraege;
    for (const Detailzeile& z : mitCode(e, QStringLiteral("A"))) texte << z.artikel + z.bemerkung, betraege << z.gesamtpreis;
    EXPECT_EQ(texte, (QStringList{"Zahlungen:", "Anzahlung am 10.06.2024 (bar)", "Abschlag am 20.06.2024 (Überweisung)",
                                  "Summe Zahlungen:", "noch zu zahlen:", "Bitte zahlen Sie die Rechnungssumme wie folgt:",
                                  "Anzahlung:   90,00 bis zum 06.06.2024", "Restsumme: 210,00 bis zum 15.06.2024"}));
    EXPECT_EQ(betraege.mid(1, 4), (QList<double>{50, 150, 200, 300}));
    EXPECT_DOUBLE_EQ(e.zahlungen, 200);

    // Without the kind's payment option no payment line.
    b::option(db(), QStringLiteral("ZahlungR"), false);
    EXPECT_TRUE(mitCode(bauen(3), QStringLiteral("A")).isEmpty());
}

TEST_F(RechnungsdetailTest, AMissingDocumentGivesNoLinesAndWritesNothing) {
    const Detailergebnis e = bauen(77);
    EXPECT_TRUE(e.zeilen.isEmpty());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen")).toInt(), 0);
}

TEST_F(RechnungsdetailTest, TheQuickInvoiceOfABookingTakesItsOpenItemsAndTheExtras) {
    const int id = b::buchung(db(), gast_, {});
    const int offen = b::posten(db(), {.buchung = id, .artikel = QStringLiteral("Sauna"), .preis = 15, .steuer = 2});
    const int abgerechnet = b::posten(db(), {.buchung = id, .artikel = QStringLiteral("Alt"), .preis = 99, .steuer = 2});
    db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Nein' WHERE IDRePosten = ?"), {offen});
    db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE IDRePosten = ?"), {abgerechnet});
    Steuerschluessel steuer(db(), dialogs_);
    Rechnungsdetail d(db(), dialogs_, steuer, saisonaufteilung(db(), dialogs_));
    const Detailergebnis e = d.Buchungsdetail(id, QDate(2024, 7, 3), {{QStringLiteral("Telefon"), 0}, {QStringLiteral("Mini-Bar"), 10.7}});
    QStringList texte;
    for (const Detailzeile& z : e.zeilen)
        if (z.code == QLatin1String("B") || z.code == QLatin1String("Z")) texte << z.artikel;
    EXPECT_EQ(texte, (QStringList{"Übernachtungen", "Sauna", "Mini-Bar"}));
    // The extras count at the standard rate: 200 + 10,70 at 7 %, 15 at 19 %.
    ASSERT_EQ(e.saetze.size(), 2);
    EXPECT_NEAR(e.saetze[1].mwst, 210.7 - 210.7 * 100 / 107, 1e-9);
    EXPECT_NEAR(e.bruttoNachRabatt, 225.7, 1e-9);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen")).toInt(), 0);
}

TEST_F(RechnungsdetailTest, PrintedTotalsAddUpToTheCent) {
    // 736,50 + 498,00 at 7 %, 82,50 at 19 %, 5 % discount: the exact VAT parts round to
    // 76,72 and 12,51, whose sum 89,23 is a cent below the rounded exact VAT total.
    b::Buchung eins, zwei;
    eins.bis = eins.von.addDays(3), eins.preisProNacht = 245.5;
    zwei.zimmer = 2, zwei.bis = zwei.von.addDays(3), zwei.preisProNacht = 166;
    const int a = b::buchung(db(), gast_, eins), c = b::buchung(db(), gast_, zwei);
    b::dokument(db(), {.nummer = 1, .rabattProz = 5.0});
    b::verknuepfen(db(), 1,
                   {a, -b::posten(db(), {.buchung = a, .menge = 3, .preis = 4.5, .steuer = 2}),
                    -b::posten(db(), {.buchung = a, .preis = 69, .steuer = 2}), c});
    const Detailergebnis e = bauen(1);
    const auto cent = [](double x) { return qint64(std::llround(x * 100)); };
    const QList<Detailzeile> r = mitCode(e, QStringLiteral("R")), m = mitCode(e, QStringLiteral("M"));
    ASSERT_EQ(r.size(), 2);
    ASSERT_EQ(m.size(), 2);
    const double netto = mitCode(e, QStringLiteral("N"))[0].gesamtpreis, mwst = mitCode(e, QStringLiteral("G"))[0].gesamtpreis,
                 brutto = mitCode(e, QStringLiteral("E"))[0].gesamtpreis;
    EXPECT_EQ(cent(m[0].gesamtpreis) + cent(m[1].gesamtpreis), cent(mwst));
    EXPECT_EQ(cent(r[1].gesamtpreis) + cent(mwst), cent(brutto));
    EXPECT_EQ(cent(netto) + cent(r[0].gesamtpreis), cent(r[1].gesamtpreis));
    EXPECT_EQ(cent(brutto), 125115);
    EXPECT_EQ(cent(mwst), 8923);
    // The written-back total stays the exact double.
    EXPECT_DOUBLE_EQ(e.bruttoNachRabatt, 1317 * 0.95);
}
