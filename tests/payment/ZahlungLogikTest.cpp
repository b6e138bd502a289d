#include "payment/ZahlungLogik.h"

#include <gtest/gtest.h>

#include "engine/Database.h"
#include "payment/ZahlungTestDaten.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

using namespace tav;

class ZahlungLogikTest : public test::ZahlungFixture {
protected:
    ZahlungLogik& oeffnen(QList<int> buchungen, int reNummer = 0) {
        logik_ = std::make_unique<ZahlungLogik>(db(), dialogs_);
        ZahlungKontext k;
        k.buchungen = std::move(buchungen);
        k.reNummer = reNummer;
        logik_->oeffnen(k);
        return *logik_;
    }
    QVariant gespeichert(const char* feld) {
        return db().scalar(QStringLiteral("SELECT %1 FROM tbZahlung WHERE IDZahlung = ?").arg(QString::fromLatin1(feld)),
                           {logik_->felder().id});
    }

    ClockOverride uhr_{QDate(2024, 7, 4)};
    ScriptedDialogs dialogs_;
    std::unique_ptr<ZahlungLogik> logik_;
};

TEST_F(ZahlungLogikTest, SavingChecksTheFieldsInOrderWithTheirMessages) {
    const int b = buchung(1);
    ZahlungLogik& l = oeffnen({b});
    ASSERT_EQ(l.felder().zimmer, b) << "one booking is chosen";
    struct Fall {
        const char* name;
        QString datum, betrag, zahlart;
        bool zimmer;
        QString meldung;
        ZahlungFokus fokus;
    };
    const auto leer = [](const char* feld) {
        return QStringLiteral("Das Feld '%1' darf zum Speichern nicht leer sein").arg(QLatin1String(feld));
    };
    const QString heute = QStringLiteral("04.07.24"), bar = QStringLiteral("Bar"), zehn = QStringLiteral("10");
    const Fall faelle[] = {
        {"empty date", QString(), zehn, bar, true, leer("Zahldatum"), ZahlungFokus::Datum},
        {"a date like 31.02.", "31.02.24", zehn, bar, true, "Bitte überprüfen Sie das Datum", ZahlungFokus::Datum},
        {"no room", heute, zehn, bar, false, leer("Zimmer"), ZahlungFokus::Zimmer},
        {"no kind", heute, zehn, QString(), true, leer("Zahlart"), ZahlungFokus::Zahlart},
        {"amount 0,00", heute, "0,00", bar, true, leer("Betrag"), ZahlungFokus::Preis},
        {"amount 0", heute, " 0 ", bar, true, leer("Betrag"), ZahlungFokus::Preis},
        {"empty amount", heute, QString(), bar, true, leer("Betrag"), ZahlungFokus::Preis},
        {"letters in the amount", heute, "12a", bar, true, "Bitte geben Sie im Feld 'Betrag' einen Betrag wie 150,00 ein.",
         ZahlungFokus::Preis},
        {"below a cent", heute, "0,001", bar, true, leer("Betrag"), ZahlungFokus::Preis},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        l.setZimmer(f.zimmer ? b : 0);
        l.setDatum(f.datum);
        l.setBetrag(f.betrag);
        l.setZahlart(f.zahlart);
        EXPECT_FALSE(l.speichern());
        ASSERT_EQ(dialogs_.shown().size(), 1);
        EXPECT_EQ(dialogs_.last().text, f.meldung);
        EXPECT_EQ(l.fokus(), f.fokus);
        EXPECT_EQ(anzahlZahlungen(), 0) << "nothing is written";
        dialogs_.clear();
    }
}

TEST_F(ZahlungLogikTest, ANegativeAmountIsARefundAndABookingWithoutInvoiceSavesWithNullSilently) {
    const int b = buchung(1);
    ZahlungLogik& l = oeffnen({b});
    EXPECT_EQ(l.warnung(), QStringLiteral("Die Reservierung wurde noch nicht abgerechnet."));
    EXPECT_FALSE(l.felder().rechnungAktiv);
    EXPECT_EQ(l.status(), QStringLiteral("Eingabe einer neuen Zahlung"));
    EXPECT_EQ(l.felder().wasBezahlt, QStringLiteral("Teilzahlung"));
    EXPECT_EQ(l.felder().datum, QStringLiteral("04.07.24"));
    l.setBetrag(QStringLiteral("-25,5"));
    l.setBemerkung(QStringLiteral("Erstattung '; DROP TABLE tbZahlung; --"));
    ASSERT_TRUE(l.speichern());
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_DOUBLE_EQ(gespeichert("Betrag").toDouble(), -25.5);
    EXPECT_TRUE(gespeichert("IdRechnung").isNull());
    EXPECT_EQ(gespeichert("Zahlung_Bem").toString(), QStringLiteral("Erstattung '; DROP TABLE tbZahlung; --"));
    EXPECT_EQ(l.status(), QStringLiteral("Achtung: Sie ändern die Daten der gewählten Zahlung."));
    EXPECT_EQ(l.zahlungsZeilen().size(), 1);
    EXPECT_EQ(l.felder().betrag, QStringLiteral("-25,50"));
}

TEST_F(ZahlungLogikTest, APaymentIsAttachedToTheCoveringInvoice) {
    // The invoice has no address row, so it is not offered in the list, but it covers the booking.
    const int b = buchung(1, 1);
    rechnung(3, 200.0, b, QStringLiteral("R"), 999);
    ZahlungLogik& l = oeffnen({b});
    EXPECT_FALSE(l.felder().rechnungAktiv);
    l.setBetrag(QStringLiteral("50"));
    ASSERT_TRUE(l.speichern());
    EXPECT_EQ(gespeichert("IdRechnung").toInt(), 3);

    // Without a covering invoice a new payment keeps Null.
    const int c = buchung(2);
    ZahlungLogik& m = oeffnen({c});
    m.setBetrag(QStringLiteral("50"));
    ASSERT_TRUE(m.speichern());
    EXPECT_TRUE(gespeichert("IdRechnung").isNull());
}

TEST_F(ZahlungLogikTest, ASettledBookingAsksBeforeSavingWithoutInvoiceAndAnOpenOneDoesNot) {
    const int b = buchung(1, 1);
    rechnung(4, 300.0, b);
    ZahlungLogik& l = oeffnen({b});
    EXPECT_TRUE(l.warnung().isEmpty());
    ASSERT_TRUE(l.felder().rechnungAktiv);
    ASSERT_EQ(l.rechnungsListe().size(), 1);
    EXPECT_EQ(l.rechnungsListe().first().text, QStringLiteral("R-4 Hella Brandt Kiel"));
    l.setRechnung(0);
    l.setBetrag(QStringLiteral("80"));

    dialogs_.answer(Answer::No);
    EXPECT_FALSE(l.speichern());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Möchten Sie diese Zahlung ohne Zuordnung zur Rechnung speichern?"));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Zahlungen speichern"));
    EXPECT_EQ(dialogs_.last().buttons, Buttons::YesNo);
    EXPECT_EQ(l.felder().rechnung, 4) << "No selects the only invoice";
    EXPECT_EQ(anzahlZahlungen(), 0);

    l.setRechnung(0);
    dialogs_.answer(Answer::Yes);
    ASSERT_TRUE(l.speichern());
    EXPECT_TRUE(gespeichert("IdRechnung").isNull()) << "Yes: saved without assignment";
    dialogs_.clear();

    // Not yet settled (an open extra item): saved without invoice, nothing asked.
    const int c = buchung(2, 1);
    rechnung(5, 300.0, c);
    posten(c, 12.0);
    ZahlungLogik& m = oeffnen({c});
    EXPECT_EQ(m.warnung(), QStringLiteral("Für diese Reservierung existieren noch offene Zusatzposten"));
    m.setRechnung(0);
    m.setBetrag(QStringLiteral("12"));
    ASSERT_TRUE(m.speichern());
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_TRUE(gespeichert("IdRechnung").isNull());
}

TEST_F(ZahlungLogikTest, ChangingTheAmountOfAStoredPaymentAsksAndNoLeavesItUnchanged) {
    const int b = buchung(1);
    const int id = zahlung(b, 100.0);
    ZahlungLogik& l = oeffnen({b});
    ASSERT_EQ(l.felder().id, id) << "the first payment is loaded";
    EXPECT_EQ(l.felder().betrag, QStringLiteral("100,00"));

    l.setBemerkung(QStringLiteral("Karte"));
    l.setZahlart(QStringLiteral("EC-Karte"));
    ASSERT_TRUE(l.speichern());
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "remark and kind ask nothing";
    EXPECT_EQ(gespeichert("Zahlart").toString(), QStringLiteral("EC-Karte"));

    l.setBetrag(QStringLiteral("120,00"));
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(l.speichern());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Möchten Sie den Betrag einer vorhandenen Zahlung wirklich ändern?"));
    EXPECT_EQ(dialogs_.last().icon, Icon::Critical);
    EXPECT_DOUBLE_EQ(gespeichert("Betrag").toDouble(), 100.0);
    dialogs_.answer(Answer::Yes);
    ASSERT_TRUE(l.speichern());
    EXPECT_DOUBLE_EQ(gespeichert("Betrag").toDouble(), 120.0);
    EXPECT_EQ(anzahlZahlungen(), 1);
}

TEST_F(ZahlungLogikTest, ADoubleClickOnAnInvoiceFillsItsOpenAmountAndOnAPaidOneDoesNothing) {
    const int b = buchung(1, 1);
    rechnung(1, 250.0, b);
    rechnung(2, 80.0, b);
    zahlung(b, 100.0, 1);
    zahlung(b, 80.0, 2);
    ZahlungLogik& l = oeffnen({b});
    ASSERT_EQ(l.rechnungsBloecke().size(), 2);
    const ZahlungFelder vorher = l.felder();
    EXPECT_FALSE(l.rechnungUebernehmen(2)) << "fully paid";
    EXPECT_EQ(l.felder().id, vorher.id);
    EXPECT_EQ(l.felder().betrag, vorher.betrag);
    EXPECT_TRUE(dialogs_.shown().isEmpty());

    ASSERT_TRUE(l.rechnungUebernehmen(1));
    EXPECT_EQ(l.felder().betrag, QStringLiteral("150,00")) << "250,00 with 100,00 paid";
    EXPECT_EQ(l.felder().rechnung, 1);
    EXPECT_FALSE(l.felder().rechnungAktiv);
    EXPECT_EQ(l.felder().id, 0);
    ASSERT_TRUE(l.speichern());
    EXPECT_EQ(gespeichert("IdRechnung").toInt(), 1);
    EXPECT_EQ(Zahlungen(db()).offenerBetrag(1), 0);
    EXPECT_FALSE(l.rechnungUebernehmen(1)) << "now paid in full";
}

TEST_F(ZahlungLogikTest, NewLoadDeleteAndCloseAskAboutUnsavedChanges) {
    const int b = buchung(1);
    const int erste = zahlung(b, 10.0);
    const int zweite = zahlung(b, 20.0, 0, QDate(2024, 6, 21));
    ZahlungLogik& l = oeffnen({b});
    l.setBemerkung(QStringLiteral("geändert"));

    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(l.laden(zweite));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Änderung bzw. neue Daten speichern?"));
    EXPECT_EQ(l.felder().id, erste) << "Cancel keeps the payment";
    dialogs_.answer(Answer::No);
    EXPECT_TRUE(l.laden(zweite));
    EXPECT_EQ(l.felder().betrag, QStringLiteral("20,00"));
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT Zahlung_Bem FROM tbZahlung WHERE IDZahlung = ?"), {erste}).isNull());

    l.setBetrag(QStringLiteral("30"));
    dialogs_.answer(Answer::No);
    EXPECT_TRUE(l.neu());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Änderungen oder neue Daten speichern?"));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Änderungen speichern"));
    EXPECT_EQ(l.felder().id, 0);
    EXPECT_EQ(l.felder().zahlart, QStringLiteral("Bar"));
    EXPECT_EQ(l.fokus(), ZahlungFokus::Zimmer);

    dialogs_.answer(Answer::No);
    EXPECT_FALSE(l.loeschen(zweite));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden??"));
    EXPECT_EQ(anzahlZahlungen(), 2);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(l.loeschen(zweite));
    EXPECT_EQ(anzahlZahlungen(), 1);
    EXPECT_EQ(l.zahlungsZeilen().size(), 1);
    dialogs_.clear();

    EXPECT_TRUE(l.schliessen()) << "nothing typed";
    l.setBetrag(QStringLiteral("5"));
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(l.schliessen());
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(l.schliessen()) << "Yes saves";
    EXPECT_EQ(anzahlZahlungen(), 2);
    l.setDatum(QString());
    l.setBetrag(QString());
    EXPECT_TRUE(l.schliessen()) << "an empty date and amount are no change worth asking";
}

TEST_F(ZahlungLogikTest, HeaderAndWarningFollowTheContext) {
    const int a = buchung(1, 0, QStringLiteral("2024-0001")), b = buchung(2, 1);
    posten(b, 5.0);
    struct Fall {
        const char* name;
        QList<int> buchungen;
        QString kopf, warnung;
    };
    const Fall faelle[] = {
        {"one booking", {a}, "101 (2024-0001) vom 01.07.24 bis 04.07.24, Brandt Hella", "Die Reservierung wurde noch nicht abgerechnet."},
        {"a block",
         {b, a},
         "101 (2024-0001), 102",
         "Für die Blockbuchung existieren noch nicht abgerechnete Reservierungen und Zusatzposten."},
        {"settled with an open item",
         {b},
         "102 vom 01.07.24 bis 04.07.24, Brandt Hella",
         "Für diese Reservierung existieren noch offene Zusatzposten"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ZahlungLogik& l = oeffnen(f.buchungen);
        EXPECT_EQ(l.kopf(), f.kopf);
        EXPECT_EQ(l.warnung(), f.warnung);
        EXPECT_EQ(l.zimmerListe().size(), f.buchungen.size());
    }
    rechnung(9, 40.0, a);
    ZahlungLogik& l = oeffnen({}, 9);
    EXPECT_EQ(l.kopf(), QStringLiteral("R-9 vom 04.07.24, Brandt Hella"));
    EXPECT_EQ(l.kontext().buchungen, QList<int>{a});
}

TEST_F(ZahlungLogikTest, TypedTextsOutsideTheListsAndPaymentKinds) {
    const int b = buchung(1);
    ZahlungLogik& l = oeffnen({b});
    EXPECT_TRUE(l.listenTextPruefen(l.zimmerListe(), QStringLiteral("101")));
    EXPECT_TRUE(l.listenTextPruefen(l.zimmerListe(), QString()));
    EXPECT_FALSE(l.listenTextPruefen(l.zimmerListe(), QStringLiteral("999")));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Bitte wählen Sie einen Eintrag aus der Liste."));
    EXPECT_FALSE(l.datumPruefen(QStringLiteral("31.02.")));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Bitte überprüfen Sie das Datum"));
    EXPECT_EQ(dialogs_.last().icon, Icon::Exclamation);
    EXPECT_TRUE(l.datumPruefen(QStringLiteral("29.02.24")));
    dialogs_.clear();
    EXPECT_EQ(ZahlungLogik::betragFormatieren(QStringLiteral("1234,5")), QStringLiteral("1.234,50"));
    EXPECT_EQ(ZahlungLogik::betragFormatieren(QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_FALSE(ZahlungLogik::preisTasteErlaubt(QLatin1Char('a')));
    EXPECT_TRUE(ZahlungLogik::preisTasteErlaubt(QLatin1Char('-')));

    EXPECT_TRUE(l.zahlartEingabe(QStringLiteral("Gutschein")));
    l.setZahlart(QStringLiteral("Gutschein"));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(l.zahlartEntfernen(QStringLiteral("Gutschein")));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Listeneinträge löschen"));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?"));
    EXPECT_TRUE(l.felder().zahlart.isEmpty());
    EXPECT_FALSE(Zahlungen(db()).zahlarten().contains(QStringLiteral("Gutschein")));
}
