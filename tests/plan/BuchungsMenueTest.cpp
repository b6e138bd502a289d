#include <gtest/gtest.h>

#include "plan/BuchungsMenue.h"
#include "plan/PlanFixture.h"
#include "plan/PlanModel.h"
#include "plan/PlanUeberschriften.h"
#include "store/Parameter.h"

using namespace tav;

namespace {

class BuchungsMenueTest : public test::PlanFixture {
protected:
    bool checked(int id) { return db().scalar(QStringLiteral("SELECT Checked FROM tblBelegung WHERE ID = ?"), {id}).toInt() != 0; }
    void rechnung(int reNummer, double brutto, int buchung, const QString& art = QStringLiteral("R")) {
        db().execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, IST_Rechnung, BetragBrutto) VALUES (?, ?, ?)"),
                     {reNummer, art, brutto});
        db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung, IDPostenRe) VALUES (?, ?, 0)"),
                     {reNummer, buchung});
    }
    void zahlung(int reNummer, double betrag) {
        db().execute(QStringLiteral("INSERT INTO tbZahlung (IdRechnung, Betrag, ZahlDatum, WasBezahlt) VALUES (?, ?, ?, 'Teilzahlung')"),
                     {reNummer, betrag, heute()});
    }
    void abgerechnet(int id, int wert = 1) {
        db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = ? WHERE ID = ?"), {wert, id});
    }
};

TEST_F(BuchungsMenueTest, CheckInAndOutAreRefusedForOffersAndWaitingBookings) {
    const int normal = addBooking(1, S(), S().addDays(3), 1);
    const int angebot = addBooking(2, S(), S().addDays(3), 4);
    const int wartend = addBooking(3, S(), S().addDays(3), 1, QStringLiteral("W"), 1, 2, true);
    db().execute(QStringLiteral("UPDATE tbBelegArten SET BelegungsArt = 'ANGEBOT' WHERE BelegungsID = 4"));
    BuchungsMenue menue(db(), dialogs, fenster);
    const QString keinCheckIn =
        QStringLiteral("Die Reservierung ist als Angebot gekennzeichnet, deshalb ist ein 'Check in' nicht möglich.");
    const QString keinCheckOut =
        QStringLiteral("Die Reservierung ist als Angebot gekennzeichnet, deshalb ist ein 'Check out' nicht möglich.");

    for (int id : {angebot, wartend}) {
        dialogs.clear();
        EXPECT_TRUE(menue.angebotOderWartend(id));
        EXPECT_FALSE(menue.checkIn(id));
        EXPECT_EQ(menue.checkOut(id), BuchungsMenue::CheckOut::Abgelehnt);
        EXPECT_EQ(dialogs.texts(), QStringList({keinCheckIn, keinCheckOut}));
        EXPECT_FALSE(checked(id));
    }

    dialogs.clear();
    EXPECT_FALSE(menue.angebotOderWartend(normal));
    EXPECT_TRUE(menue.checkIn(normal));
    EXPECT_TRUE(checked(normal));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // Without the invoicing windows nothing is asked.
    EXPECT_EQ(menue.checkOut(normal), BuchungsMenue::CheckOut::Ausgecheckt);
    EXPECT_FALSE(checked(normal));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    fenster.setVorhanden(Ziel::Rechnungen);
    menue.checkIn(normal);
    dialogs.answer(Answer::No);
    EXPECT_EQ(menue.checkOut(normal), BuchungsMenue::CheckOut::Ausgecheckt);
    EXPECT_FALSE(checked(normal));
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Rechnung schreiben?"));
    EXPECT_EQ(dialogs.last().buttons, Buttons::YesNo);
    menue.checkIn(normal);
    dialogs.answer(Answer::Yes);
    EXPECT_EQ(menue.checkOut(normal), BuchungsMenue::CheckOut::RechnungSchreiben);
    EXPECT_FALSE(checked(normal));

    EXPECT_EQ(BuchungsMenue::rechnungsText(true), QStringLiteral("A&ngebot"));
    EXPECT_EQ(BuchungsMenue::rechnungsText(false), QStringLiteral("R&echnungen"));
}

// The rule of the payment state is tested in the store (ZahlstatusTest); here only its message.
TEST_F(BuchungsMenueTest, StatusMessageShowsThePaymentState) {
    const int id = addBooking(1, S(), S().addDays(3), 1);
    BuchungsMenue menue(db(), dialogs, fenster);
    abgerechnet(id);
    rechnung(8, 300.0, id);
    menue.statusAnzeigen(id);
    zahlung(8, 300.0);
    menue.statusAnzeigen(id);
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Status: Offen"), QStringLiteral("Status: Bezahlt")}));
}

TEST_F(BuchungsMenueTest, HeadingsAreChosenOrTypedWithoutSemicolonOrTilde) {
    PlanUeberschriften h(db(), dialogs);
    EXPECT_EQ(h.lesen(1), QStringLiteral("Bezeichnung")) << "without its row: the default";
    h.setzen(1, PlanUeberschriften::auswahl(1)[2]);
    h.setzen(2, QStringLiteral("Haus"));
    EXPECT_EQ(h.lesen(1), QStringLiteral("Reserviert als:"));
    EXPECT_EQ(h.lesen(2), QStringLiteral("Haus"));

    struct Fall {
        QString eingabe;
        QString meldung;
        QString danach;
    };
    for (const Fall& f : {Fall{QStringLiteral("Gast;Name"), QStringLiteral("Bitte verwenden Sie in der Bezeichnung kein Semikolon ';'."),
                               QStringLiteral("Reserviert als:")},
                          Fall{QStringLiteral("Art~"), QStringLiteral("Bitte verwenden Sie in der Bezeichnung keine Tilde '~'."),
                               QStringLiteral("Reserviert als:")},
                          Fall{QString(), QString(), QStringLiteral("Reserviert als:")},
                          Fall{QStringLiteral("Gebucht als"), QString(), QStringLiteral("Gebucht als")}}) {
        dialogs.clear();
        dialogs.answerText(f.eingabe);
        h.neueBezeichnung(1);
        EXPECT_EQ(dialogs.shown()[0].text, QStringLiteral("Bitte geben Sie die neue Bezeichnung ein."));
        EXPECT_EQ(dialogs.shown().size() > 1 ? dialogs.last().text : QString(), f.meldung);
        EXPECT_EQ(h.lesen(1), f.danach);
    }
    EXPECT_EQ(h.lesen(2), QStringLiteral("Haus")) << "the other heading is untouched";
    EXPECT_EQ(PlanUeberschriften::legendenHilfe(QStringLiteral("Reserviert als:")),
              QStringLiteral("Wählen Sie vor Anlegen einer neuen Reservierung 'Reserviert als:' aus."));
}

TEST_F(BuchungsMenueTest, PrintLabelsStandOnEachBookingsFirstCell) {
    addBooking(1, S().addDays(2), S().addDays(4), 1, QStringLiteral("Anna"));
    addBooking(2, S().addDays(-3), S().addDays(2), 1, QStringLiteral("Vorher"));
    addBooking(3, S().addDays(5), S().addDays(7), 1, QStringLiteral("Wartet"), 1, 2, true);
    addBooking(4, S().addDays(34), S().addDays(36), 1, QStringLiteral("Spaet"));
    addBooking(5, S().addDays(40), S().addDays(42), 1, QStringLiteral("Danach"));
    PlanModel m(db(), dialogs, rooms, einstellungen());
    m.zeigeFenster(S());
    QStringList labels;
    for (const auto& b : m.druckBeschriftungen()) labels << QStringLiteral("%1:%2:%3").arg(b.zeile).arg(b.spalte).arg(b.text);
    labels.sort();
    EXPECT_EQ(labels, QStringList({QStringLiteral("10:6:Wartet"), QStringLiteral("1:3:Anna"), QStringLiteral("2:1:Vorher")}));
}

}  // namespace
