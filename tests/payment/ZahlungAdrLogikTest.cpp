#include "payment/ZahlungAdrLogik.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include "payment/AdressKontoModell.h"
#include "payment/ZahlungTestDaten.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"

using namespace tav;

// The account of an address: which rows each tab shows for whom, the sums, the tab rule, the
// stored default and the correction of old reservations.
class ZahlungAdrLogikTest : public test::ZahlungFixture {
protected:
    void SetUp() override {
        ZahlungFixture::SetUp();
        const QStringList arten = {QStringLiteral("Frei"), QStringLiteral("Einzel"), QStringLiteral("Doppel"), QStringLiteral("Tresen"),
                                   QStringLiteral("Angebot")};
        for (int i = 0; i < arten.size(); ++i)
            db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"), {i, arten[i]});
    }
    int gebucht(int zimmer, double preis, const QDate& von = QDate(2024, 7, 1)) {
        const int id = buchung(zimmer);
        db().execute(QStringLiteral("UPDATE tblBelegung SET Preis = ?, PreisProNacht = ?, AnzahlÜbernachtungen = 3, Von = ?, Bis = ? WHERE "
                                    "ID = ?"),
                     {preis, preis / 3, von, von.addDays(3), id});
        return id;
    }
    static QStringList spalte(const QList<KontoZeile>& zeilen, int c) {
        QStringList r;
        for (const KontoZeile& z : zeilen) r << z.texte.value(c);
        return r;
    }
    ScriptedDialogs dialogs_;
};

TEST_F(ZahlungAdrLogikTest, AnAddressWithoutDocumentsShowsEmptyGridsAndZeroSums) {
    gebucht(1, 300.0);
    ZahlungAdrLogik l(db(), dialogs_, gast_);
    EXPECT_EQ(l.ueberschrift(),
              QStringLiteral("Reservierungen, Rechnungen, Zahlungen, nicht abgerechnete Posten für:\nHella Brandt, Kiel"));
    for (int tab : {1, 2}) ASSERT_TRUE(l.tabWechseln(tab));
    EXPECT_TRUE(l.rechnungen().zeilen.isEmpty());
    EXPECT_TRUE(l.zahlungenMit().isEmpty());
    // The open items were not read yet: their sum is 0,00 too.
    EXPECT_EQ((QStringList{l.summeRechnung(), l.summeZahlRechnung(), l.differenz(), l.summeZahlungRechnung(), l.summeOffen()}),
              QStringList(5, QStringLiteral("0,00")));
    EXPECT_EQ(l.konto().dokumentListe(), QString());
}

TEST_F(ZahlungAdrLogikTest, OffersAndDeletedBookingsAreMarkedAndLeftOutOfTheSum) {
    const int normal = gebucht(1, 300.0, QDate(2024, 7, 1));
    const int angebot = gebucht(2, 1000.0, QDate(2024, 8, 1));
    const int wartend = gebucht(3, 50.0, QDate(2024, 6, 1));
    const int geteilt = gebucht(1, 70.0, QDate(2024, 9, 1));
    db().execute(QStringLiteral("UPDATE tblBelegung SET Belegungsart = 4 WHERE ID = ?"), {angebot});
    db().execute(QStringLiteral("UPDATE tblBelegung SET Gelöscht = True WHERE ID = ?"), {wartend});
    db().execute(QStringLiteral("UPDATE tblBelegung SET IST_Geteilt = 'Y' WHERE ID = ?"), {geteilt});
    ZahlungAdrLogik l(db(), dialogs_, gast_);
    const QList<KontoZeile>& z = l.reservierungen();
    ASSERT_EQ(z.size(), 3) << "the split booking is left out";
    EXPECT_EQ((QList<int>{z[0].buchung, z[1].buchung, z[2].buchung}), (QList<int>{angebot, normal, wartend})) << "newest arrival first";
    EXPECT_EQ(spalte(z, 0), (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Ja")}));
    EXPECT_EQ(spalte(z, 4), (QStringList{QStringLiteral("01.08.24"), QStringLiteral("01.07.24"), QStringLiteral("01.06.24")}));
    EXPECT_EQ(spalte(z, 11), (QStringList{QStringLiteral("1000.00"), QStringLiteral("300.00"), QStringLiteral("50.00")}));
    EXPECT_EQ(l.summeBelegungen(), QStringLiteral("300,00"));
    EXPECT_EQ(l.konto().buchungsListe(), QString::number(normal) + QStringLiteral(", ") + QString::number(angebot));
}

TEST_F(ZahlungAdrLogikTest, InvoicesPaymentsAndTheDifferenceWhichMayTurnNegative) {
    const int andere = adresse(QStringLiteral("Firma"), QStringLiteral("Nordwind"), QStringLiteral("Hamburg"));
    const int b1 = gebucht(1, 300.0);
    const int b2 = gebucht(2, 200.0);
    db().execute(QStringLiteral("UPDATE tblBelegung SET IDAdressRechnung = ? WHERE ID = ?"), {andere, b2});
    rechnung(1, 300.0, b1);
    rechnung(2, 100.0, 0);
    zahlung(b1, 250.0, 1, QDate(2024, 7, 4));
    zahlung(b1, 150.0, 2, QDate(2024, 7, 5));                   // more paid than invoiced on document 2
    zahlung(b1, 40.0, 0, QDate(2024, 6, 1));                    // a deposit without document: the guest's
    const int fremd = zahlung(b2, 60.0, 0, QDate(2024, 6, 2));  // invoice address elsewhere: not the guest's

    ZahlungAdrLogik l(db(), dialogs_, gast_);
    ASSERT_TRUE(l.tabWechseln(ZahlungAdrLogik::Rechnungen));
    const auto& r = l.rechnungen();
    ASSERT_EQ(r.zeilen.size(), 6);
    EXPECT_EQ(spalte(r.zeilen, 1),
              (QStringList{QStringLiteral("R-1"), QStringLiteral("Summe Zahlungen:"), QStringLiteral("noch zu zahlen:"),
                           QStringLiteral("R-2"), QStringLiteral("Summe Zahlungen:"), QStringLiteral("noch zu zahlen:")}));
    EXPECT_EQ(spalte(r.zeilen, 3), (QStringList{QStringLiteral("300,00"), QStringLiteral("250,00"), QStringLiteral("50,00"),
                                                QStringLiteral("100,00"), QStringLiteral("150,00"), QStringLiteral("-50,00")}));
    EXPECT_EQ((QStringList{l.summeRechnung(), l.summeZahlRechnung(), l.differenz()}), (QStringList{"400,00", "400,00", "0,00"}));
    db().execute(QStringLiteral("UPDATE tbZahlung SET Betrag = 500 WHERE IdRechnung = 2"));
    l.fuellen(ZahlungAdrLogik::Rechnungen);
    EXPECT_EQ(l.differenz(), QStringLiteral("-350,00")) << "more paid than invoiced";

    ASSERT_TRUE(l.tabWechseln(ZahlungAdrLogik::Zahlungen));
    EXPECT_EQ(spalte(l.zahlungenMit(), 0), (QStringList{QStringLiteral("R-2"), QStringLiteral("R-1")})) << "newest payment first";
    EXPECT_EQ(l.summeZahlungRechnung(), QStringLiteral("750,00"));
    ASSERT_EQ(l.zahlungenOhne().size(), 1);
    EXPECT_EQ(l.zahlungenOhne()[0].texte[3], QStringLiteral("40,00"));
    EXPECT_EQ(l.summeZahlungOhne(), QStringLiteral("40,00"));

    ZahlungAdrLogik firma(db(), dialogs_, andere);
    ASSERT_TRUE(firma.tabWechseln(ZahlungAdrLogik::Zahlungen));
    ASSERT_EQ(firma.zahlungenOhne().size(), 1) << "listed under the invoice address";
    EXPECT_EQ(firma.zahlungenOhne()[0].zahlung, fremd);
}

TEST_F(ZahlungAdrLogikTest, OpenItemsLeaveOutWhatIsOnADocumentEvenWhenUnpaid) {
    const int offen = gebucht(1, 300.0, QDate(2024, 7, 1));
    const int abgerechnet = gebucht(2, 200.0, QDate(2024, 7, 10));
    db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID = ?"), {abgerechnet});
    const int angebot = gebucht(3, 900.0, QDate(2024, 7, 20));
    db().execute(QStringLiteral("UPDATE tblBelegung SET Belegungsart = 4 WHERE ID = ?"), {angebot});
    rechnung(5, 12.5, 0);
    posten(offen, 12.5, 5);                     // on a document, not paid: not open
    const int frei = posten(abgerechnet, 8.0);  // on no document: open, though its stay is settled
    db().execute(QStringLiteral("UPDATE tbRePosten SET MengePo = 3, DatumPo = ? WHERE IDRePosten = ?"), {QDate(2024, 7, 11), frei});
    posten(angebot, 99.0);  // an offer's item: not open

    ZahlungAdrLogik l(db(), dialogs_, gast_);
    ASSERT_TRUE(l.tabWechseln(ZahlungAdrLogik::Offen));
    const QList<KontoZeile>& z = l.offen();
    ASSERT_EQ(z.size(), 2);
    EXPECT_EQ(spalte(z, 0), (QStringList{QStringLiteral("Zusatzposten"), QStringLiteral("Reservierung")})) << "newest start first";
    EXPECT_EQ(z[0].posten, frei);
    EXPECT_EQ(z[0].texte[11], QStringLiteral("24.00"));
    EXPECT_EQ(z[1].buchung, offen);
    EXPECT_EQ(l.summeOffen(), QStringLiteral("324,00"));
}

TEST_F(ZahlungAdrLogikTest, FurtherPersonsWidenTheBookingsAndKeepTheOtherTabsClosed) {
    const int andere = adresse(QStringLiteral("Ohm"), QStringLiteral("Ida"), QStringLiteral("Lübeck"));
    const int mitgast = gebucht(2, 120.0);
    db().execute(QStringLiteral("UPDATE tblBelegung SET GastID = ? WHERE ID = ?"), {andere, mitgast});
    db().execute(QStringLiteral("INSERT INTO [WeitereGäste] (ID_Belegung, ID_Adresse, Name) VALUES (?, ?, 'Brandt')"), {mitgast, gast_});
    gebucht(1, 300.0);

    ZahlungAdrLogik l(db(), dialogs_, gast_);
    EXPECT_FALSE(l.weitere()) << "no stored default";
    EXPECT_EQ(l.reservierungen().size(), 1);
    l.setWeitere(true);
    EXPECT_EQ(l.reservierungen().size(), 2);
    EXPECT_EQ(l.summeBelegungen(), QStringLiteral("420,00"));

    EXPECT_FALSE(l.tabWechseln(ZahlungAdrLogik::Rechnungen));
    EXPECT_EQ(dialogs_.last().text,
              QStringLiteral("Wenn auch weitere Personen angezeigt werden, können keine weiteren Registerkarten angezeigt werden."));
    EXPECT_EQ(l.tab(), ZahlungAdrLogik::Reservierungen);

    l.vorgabeSpeichern();
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("Vorgabe_Weitere"))->text(1), QStringLiteral("Ja"));
    EXPECT_TRUE(ZahlungAdrLogik(db(), dialogs_, gast_).weitere()) << "the next opening starts ticked";
    l.setWeitere(false);
    l.vorgabeSpeichern();
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("Vorgabe_Weitere"))->text(1), QStringLiteral("Nein"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblParameter WHERE Satz = 'Vorgabe_Weitere'")).toInt(), 1);
    EXPECT_TRUE(l.tabWechseln(ZahlungAdrLogik::Rechnungen));
}

TEST_F(ZahlungAdrLogikTest, TheCorrectionOfOldReservationsReportsWhatChanged) {
    const ClockOverride heute(QDate(2024, 9, 30));
    struct Fall {
        const char* warum;
        QString eingabe;
        bool buchungAlt, postenAlt;  // what is there before
        QString meldung;             // empty: none
    };
    const QList<Fall> faelle = {
        {"both", "30", true, true, " Es wurden 1 Reservierungen und 1 Zusatzposten geändert."},
        {"only bookings", "30", true, false, " Es wurden 1 Reservierungen geändert."},
        {"only items", "30", false, true, " Es wurden 1 Zusatzposten geändert."},
        {"nothing before the day", "200", true, true, "Vor dem angegbenen Datum gab es keine nicht abgerechneten Daten."},
        {"not a number", "dreißig", true, true, "Geben Sie eine Anzahl Tage ein."},
        {"Cancel", QString(), true, true, QString()},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        db().execute(QStringLiteral("DELETE * FROM tbRePosten"));
        db().execute(QStringLiteral("DELETE * FROM tblBelegung"));
        const int alt = gebucht(1, 300.0, QDate(2024, 7, 1));   // 91 days ago
        const int neu = gebucht(2, 100.0, QDate(2024, 9, 20));  // 10 days ago
        if (!f.buchungAlt) db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID = ?"), {alt});
        const int p = posten(alt, 5.0, 0, f.postenAlt ? QStringLiteral("Nein") : QStringLiteral("Ja"));
        db().execute(QStringLiteral("UPDATE tbRePosten SET IDAdressePo = ? WHERE IDRePosten = ?"), {gast_, p});

        ZahlungAdrLogik l(db(), dialogs_, gast_);
        dialogs_.answerText(f.eingabe);
        const bool geaendert = l.statusKorrektur();
        EXPECT_EQ(dialogs_.shown().first().caption, QStringLiteral("Korrektur vorhandener Reservierungsdaten"));
        EXPECT_TRUE(dialogs_.shown().first().text.contains(QStringLiteral("anzupassen.\rMit diesem Vorgang")));
        if (f.meldung.isEmpty())
            EXPECT_EQ(dialogs_.shown().size(), 1);
        else
            EXPECT_EQ(dialogs_.last().text, f.meldung);
        const bool korrigiert = f.meldung.startsWith(QStringLiteral(" Es wurden"));
        EXPECT_EQ(geaendert, korrigiert);
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {alt}).toInt(),
                  korrigiert || !f.buchungAlt ? 1 : 0);
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {neu}).toInt(), 0) << "too young";
        dialogs_.clear();
    }
}

TEST_F(ZahlungAdrLogikTest, TheGridModelSortsByValueAndKeepsADocumentWithItsSums) {
    rechnung(1, 30.0, 0);
    rechnung(2, 5.0, 0);
    db().execute(QStringLiteral("UPDATE tbRechnungen SET DatumRe = ? WHERE ReNummer = 2"), {QDate(2023, 12, 31)});
    ZahlungAdrLogik l(db(), dialogs_, gast_);
    ASSERT_TRUE(l.tabWechseln(ZahlungAdrLogik::Rechnungen));
    AdressKontoModell m(AdressKonto::spaltenRechnungen(), {2, 3});
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    m.setZeilen(l.rechnungen().zeilen);
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QStringLiteral("R-1")) << "newest document first";
    EXPECT_EQ(m.data(m.index(0, 3), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight, Qt::AlignRight);

    // "Summe": 5,00 sorts before 30,00 (as text "30,00" would come first).
    m.kopfGeklickt(3);
    EXPECT_EQ(m.aufsteigend(3), QStringLiteral("Ja"));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QStringLiteral("R-2"));
    EXPECT_EQ(m.data(m.index(1, 1)).toString(), QStringLiteral("Summe Zahlungen:")) << "the sums stay with their document";
    EXPECT_EQ(m.data(m.index(2, 3)).toString(), QStringLiteral("5,00"));
    EXPECT_EQ(m.data(m.index(3, 1)).toString(), QStringLiteral("R-1"));
    m.kopfGeklickt(3);
    EXPECT_EQ(m.aufsteigend(3), QStringLiteral("Nein"));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QStringLiteral("R-1"));
    // "Datum" by the date, not by its text ("31.12.23" > "04.07.24" as text).
    m.kopfGeklickt(2);
    EXPECT_EQ(m.data(m.index(0, 2)).toString(), QStringLiteral("31.12.23"));
}

TEST_F(ZahlungAdrLogikTest, MenuEntriesFitTheTabAndTheChosenRow) {
    using E = ZahlungAdrLogik::Eintrag;
    const int b = gebucht(1, 300.0);
    rechnung(1, 300.0, b);
    zahlung(b, 100.0, 1);
    ZahlungAdrLogik l(db(), dialogs_, gast_);
    struct Fall {
        int tab;
        bool zeile;
        QList<bool> erwartet;  // Reservierung, Rechnungsübersicht, Zahlungsübersicht, Status
    };
    const QList<Fall> faelle = {
        {0, false, {false, false, false, true}}, {0, true, {true, false, false, true}}, {1, true, {false, true, true, true}},
        {2, true, {true, false, true, true}},    {3, true, {true, true, false, true}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << "tab " << f.tab << (f.zeile ? " with a row" : " without a row"));
        ASSERT_TRUE(l.tabWechseln(f.tab));
        const QList<KontoZeile>& zeilen = f.tab == 0   ? l.reservierungen()
                                          : f.tab == 1 ? l.rechnungen().zeilen
                                          : f.tab == 2 ? l.zahlungenMit()
                                                       : l.offen();
        ASSERT_FALSE(zeilen.isEmpty());
        const KontoZeile* z = f.zeile ? &zeilen.first() : nullptr;
        EXPECT_EQ((QList<bool>{l.moeglich(E::Reservierung, z), l.moeglich(E::Rechnungsuebersicht, z), l.moeglich(E::Zahlungsuebersicht, z),
                               l.moeglich(E::StatusAbgerechnet, z)}),
                  f.erwartet);
    }
}
