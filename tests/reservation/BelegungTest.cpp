#include <gtest/gtest.h>

#include <QFileInfo>
#include <functional>

#include "engine/Recordset.h"
#include "reservation/BelegungTestSupport.h"
#include "support/FremdeSperre.h"
#include "support/ScriptedFenster.h"

using namespace tav;

class BelegungTest : public test::BookingFixture {
protected:
    Recordset zeile(int id) {
        Recordset rs = db().openRecordset(QStringLiteral("SELECT * FROM tblBelegung WHERE ID = ") + QString::number(id));
        EXPECT_FALSE(rs.eof()) << "booking " << id;
        return rs;
    }
};

// ---- the checks of the save, in their order ------------------------------------------------

TEST_F(BelegungTest, SaveRefusesBadInputInOrderAndWritesNothing) {
    buchung(2, tag(20), tag(22), QStringLiteral("Vorhanden"));
    struct Fall {
        const char* warum;
        std::function<void(ReservierungsFelder&, test::SkriptAdresse&)> aendern;
        QString text;
        QString titel = QStringLiteral("Reservierung");
        Icon icon = Icon::Exclamation;
        Fokus fokus = Fokus::Keiner;
    };
    const QString name = QStringLiteral(
        "Bitte den Namen des Gastes eingeben oder aus der Liste auswählen. Der Name muss mindestens drei "
        "Zeichen lang sein.");
    const QString daten = QStringLiteral("Bitte Anfang und Ende der Zimmerbelegung angeben.");
    const QString res = QStringLiteral("Reservierung");
    const QList<Fall> faelle = {
        {"blank guest name, before everything else",
         [](auto& f, auto& a) {
             f.gastName = QStringLiteral("   ");
             f.zimmer.clear();
             a.land_.clear();
         },
         name, res, Icon::Exclamation, Fokus::GastName},
        {"short name marked as used",
         [](auto& f, auto&) {
             f.kuerzelDoppelt = true;
             f.zimmer.clear();
         },
         QStringLiteral("Bitte geben Sie eine eindeutige Kurzinfo ein."), res, Icon::Exclamation, Fokus::Kuerzel},
        {"no room", [](auto& f, auto&) { f.zimmer.clear(); }, QStringLiteral("Bitte Zimmernummer eingeben."), res, Icon::Exclamation,
         Fokus::Zimmer},
        {"unknown room label", [](auto& f, auto&) { f.zimmer = QStringLiteral("999"); }, QStringLiteral("Bitte Zimmernummer eingeben.")},
        {"31 April", [](auto& f, auto&) { f.von = QStringLiteral("31.04.2024"); }, daten, res, Icon::Exclamation, Fokus::Von},
        {"29 February 2001", [](auto& f, auto&) { f.bis = QStringLiteral("29.02.2001"); }, daten},
        {"year 1930", [](auto& f, auto&) { f.von = QStringLiteral("01.01.1930"); }, daten},
        {"year 2501", [](auto& f, auto&) { f.bis = QStringLiteral("01.01.2501"); }, daten},
        {"empty departure", [](auto& f, auto&) { f.bis.clear(); }, daten},
        {"arrival equals departure", [](auto& f, auto&) { f.bis = f.von; }, daten},
        {"arrival after departure", [](auto& f, auto&) { std::swap(f.von, f.bis); }, daten},
        {"no country, before the short name",
         [](auto& f, auto& a) {
             a.land_ = QStringLiteral(" ");
             f.kuerzel.clear();
         },
         QStringLiteral("Bitte wählen Sie ein Land aus."), res, Icon::Exclamation, Fokus::Land},
        {"no short name", [](auto& f, auto&) { f.kuerzel = QStringLiteral("  "); }, QStringLiteral("Bitte eindeutige Kunrzinfo eingeben."),
         res, Icon::Exclamation, Fokus::Kuerzel},
        {"offer starting yesterday",
         [](auto& f, auto&) {
             f.artName = QStringLiteral("Angebot");
             f.artIndex = 3;
             f.von = QStringLiteral("29.02.2024");
         },
         QStringLiteral("Ein Angebot kann nicht mit einem Anfangsdatum gespeichert werden, das in der Vergangenheit liegt."),
         QStringLiteral("Angebote speichern"), Icon::None},
        {"typed total that is no amount", [](auto& f, auto&) { f.preis = QStringLiteral("zwölf"); },
         QStringLiteral("Bitte überprüfen Sie den Preis.")},
        {"short name of another booking, any case", [](auto& f, auto&) { f.kuerzel = QStringLiteral("vorhanden"); },
         QStringLiteral("Die Kurzinfo existiert bereits! Bitte ändern Sie sie."), QStringLiteral("Neue Reservierung"), Icon::Exclamation,
         Fokus::Kuerzel},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.warum);
        dialogs_.clear();
        adresse_ = test::SkriptAdresse{};
        ReservierungsFelder f = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("Sommer"));
        fall.aendern(f, adresse_);
        EXPECT_FALSE(record_->Reserv(f));
        ASSERT_EQ(dialogs_.shown().size(), 1);
        EXPECT_EQ(dialogs_.last().text, fall.text);
        EXPECT_EQ(dialogs_.last().caption, fall.titel);
        EXPECT_EQ(dialogs_.last().icon, fall.icon);
        if (fall.fokus != Fokus::Keiner) {
            EXPECT_EQ(f.fokus, fall.fokus);
        }
        EXPECT_EQ(f.id, 0);
        EXPECT_EQ(f.geaendert, QStringLiteral("Ja"));
        EXPECT_EQ(zeilen(), 1);
    }
    EXPECT_EQ(kollisionsDialog_.gezeigt, 0);
}

TEST_F(BelegungTest, TwoDigitYearsFollowTheDateTest) {
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(1), tag(2), QStringLiteral("Silvester"));
    f.von = QStringLiteral("30.12.29");
    f.bis = QStringLiteral("2.1.30");
    ASSERT_TRUE(record_->Reserv(f));
    EXPECT_EQ(spalten(f.id, {"Von", "Bis"}), QStringList({"30.12.2029", "02.01.2030"}));
    ReservierungsFelder g = neue(QStringLiteral("102"), tag(1), tag(2), QStringLiteral("Jahrhundert"));
    g.von = QStringLiteral("30.12.30");
    g.bis = QStringLiteral("2.1.31");  // 1931: before the arrival in 2030
    EXPECT_FALSE(record_->Reserv(g));
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Bitte Anfang und Ende der Zimmerbelegung angeben.")});
}

TEST_F(BelegungTest, FailedAddressSaveStopsBeforeTheOverlapTest) {
    buchung(1, tag(10), tag(12), QStringLiteral("alt"));
    adresse_.speichernGelingt = false;
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("neu"));
    EXPECT_FALSE(record_->Reserv(f));
    EXPECT_EQ(adresse_.speicherAufrufe, 1);
    EXPECT_EQ(kollisionsDialog_.gezeigt, 0);
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "the address part shows its own message";
    EXPECT_EQ(zeilen(), 1);
}

// ---- what a save writes ----------------------------------------------------------------------

TEST_F(BelegungTest, NewBookingIsWrittenWithEveryField) {
    ReservierungsFelder f = neue(QStringLiteral("103"), tag(10), tag(14), QStringLiteral("  Sommer  "));
    f.artIndex = 1;
    f.artName = QStringLiteral("Doppel");
    f.gaeste = QStringLiteral("0");
    f.kinder = QStringLiteral("1");
    f.alterKinder = QStringLiteral("7 Jahre");
    f.fruehstueck = true;
    f.abendessen = true;
    f.tarif = QStringLiteral("85,5");
    f.preis = QStringLiteral("1.234,50");  // typed: a flat price
    f.naechte.clear();
    f.fix = true;
    f.info = QStringLiteral("  ruhiges Zimmer ");
    f.erstelltAm = QStringLiteral("20.02.24");
    ASSERT_TRUE(record_->Reserv(f)) << qPrintable(dialogs_.texts().join(QLatin1Char('\n')));
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    ASSERT_GT(f.id, 0);
    EXPECT_EQ(f.geaendert, QStringLiteral("Nein"));
    EXPECT_EQ(f.naechte, QStringLiteral("4"));
    EXPECT_EQ(f.belegNummer, QStringLiteral("1"));
    EXPECT_EQ(f.belegNummerEigen, QStringLiteral("Üb 0001 24"));

    // 0 guests are stored as 1; a typed total is kept; the texts are trimmed.
    EXPECT_EQ(spalten(f.id, {"Zimmernummer", "Von", "Bis", "AnzahlÜbernachtungen", "GastID", "IDAdressRechnung", "Belegungsart", "Kürzel",
                             "AnzahlGäste", "Anz_Kinder", "Alter_Kinder", "Wäsche1", "PreisProNacht", "Preis", "Info"}),
              QStringList({"3", t(10), t(14), "4", "7", "", "2", "Sommer", "1", "1", "7 Jahre", "7", "85.5", "1234.5", "ruhiges Zimmer"}));
    EXPECT_EQ(
        spalten(f.id, {"BelegNummer", "BelegNummer_eigen", "WannErstellt", "WerErstellt", "WerGeändert", "WannGeändert", "Abgerechnet"}),
        QStringList({"1", "Üb 0001 24", t(20, 2), "Empfang", "Empfang", t(1), "0"}));
    EXPECT_EQ(spalten(f.id, {"Frühstück", "Mittag", "Abendessen", "Fix", "Checked", "Gelöscht"}),
              QStringList({"-1", "0", "-1", "-1", "0", "0"}));
    EXPECT_EQ(adresse_.benutzt, (QList<QPair<int, bool>>{{7, true}}));
}

TEST_F(BelegungTest, EditKeepsCreatorAndKindWhenNoneIsSelected) {
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("Sommer"));
    f.erstelltAm.clear();
    f.artIndex = 2;
    f.tarif.clear();
    ASSERT_TRUE(record_->Reserv(f));
    EXPECT_EQ(f.tarif, QStringLiteral("0,00")) << "an empty tariff box shows 0,00";
    setUserNameForTests(QStringLiteral("Nachtportier"));
    Clock::install(std::make_shared<FixedClock>(tag(5)));
    ReservierungsFelder g;
    ASSERT_TRUE(record_->laden(f.id, g));
    g.gastName = QStringLiteral("Sommer");
    g.artIndex = -1;
    g.bis = t(13);
    ASSERT_TRUE(record_->Reserv(g));
    EXPECT_EQ(g.id, f.id);
    EXPECT_EQ(zeilen(), 1);
    // The kind is written only when an entry is selected; the number stays with the booking.
    EXPECT_EQ(spalten(f.id, {"Belegungsart", "WannErstellt", "WerErstellt", "WerGeändert", "WannGeändert", "AnzahlÜbernachtungen",
                             "BelegNummer"}),
              QStringList({"3", t(1), "Empfang", "Nachtportier", t(5), "3", "1"}));
}

TEST_F(BelegungTest, OffersFromTodayAndReservationsInThePastAreSaved) {
    ReservierungsFelder angebot = neue(QStringLiteral("101"), tag(1), tag(3), QStringLiteral("Angebot heute"));
    angebot.artName = QStringLiteral("Angebot");
    angebot.artIndex = 3;
    EXPECT_TRUE(record_->Reserv(angebot));
    ReservierungsFelder alt = neue(QStringLiteral("102"), tag(1, 1), tag(5, 1), QStringLiteral("Januar"));
    EXPECT_TRUE(record_->Reserv(alt));
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_EQ(zeilen(QStringLiteral("Belegungsart = 4")), 1);
}

TEST_F(BelegungTest, NewBookingMayTakeTheInvoiceAddressOfTheLastStay) {
    // Earlier stays of guest 7: the newest finished one with its own invoice address counts.
    db().execute(
        QStringLiteral("INSERT INTO tblBelegung (GastID, IDAdressRechnung, Von, Bis, Zimmernummer, Gelöscht) VALUES "
                       "(7, 40, #01-01-2023#, #01-05-2023#, 5, 0), (7, 41, #06-01-2023#, #06-05-2023#, 5, 0), "
                       "(7, 7, #07-01-2023#, #07-05-2023#, 5, 0), (7, 42, #03-10-2024#, #03-12-2024#, 6, 0), "
                       "(8, 43, #08-01-2023#, #08-05-2023#, 6, 0)"));
    EXPECT_EQ(Belegung::LetzteRechnungsadresse(db(), 7), 41);
    EXPECT_EQ(Belegung::LetzteRechnungsadresse(db(), 9), std::nullopt);

    dialogs_.answer(Answer::Yes);
    ReservierungsFelder ja = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("ja"));
    ASSERT_TRUE(record_->Reserv(ja));
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Möchten Sie die Rechnungsadresse der letzten Reservierung benutzen?")});
    EXPECT_EQ(dialogs_.last().buttons, Buttons::YesNo);
    EXPECT_EQ(adresse_.rechnung, 41) << "the form shows the address taken over";
    EXPECT_EQ(zeile(ja.id).integer(QStringLiteral("IDAdressRechnung")), 41);

    adresse_.rechnung = 0;
    dialogs_.clear();
    dialogs_.answer(Answer::No);
    ReservierungsFelder nein = neue(QStringLiteral("102"), tag(10), tag(12), QStringLiteral("nein"));
    ASSERT_TRUE(record_->Reserv(nein));
    EXPECT_TRUE(zeile(nein.id).value(QStringLiteral("IDAdressRechnung")).isNull());

    dialogs_.clear();
    ASSERT_TRUE(record_->Reserv(nein));  // edited: no question, still none
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_TRUE(zeile(nein.id).value(QStringLiteral("IDAdressRechnung")).isNull());

    adresse_.rechnung = 55;  // chosen in the form
    ReservierungsFelder gewaehlt = neue(QStringLiteral("103"), tag(10), tag(12), QStringLiteral("gewählt"));
    ASSERT_TRUE(record_->Reserv(gewaehlt));
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_EQ(zeile(gewaehlt.id).integer(QStringLiteral("IDAdressRechnung")), 55);
}

// ---- the overlap test in the save ------------------------------------------------------------

// Which ranges collide is the rule of CollisionLogik (tested there for every range, touching
// and waiting bookings included); the save asks it with its own ID and stops on a collision.
TEST_F(BelegungTest, TheSaveStopsOnAnOverlapButNotOnItsOwnRow) {
    const int erste = buchung(1, tag(3), tag(5), QStringLiteral("erste"));
    ReservierungsFelder selbst = neue(QStringLiteral("102"), tag(10), tag(12), QStringLiteral("selbst"));
    ASSERT_TRUE(record_->Reserv(selbst));
    selbst.info = QStringLiteral("später ergänzt");
    EXPECT_TRUE(record_->Reserv(selbst)) << "an edit with the same dates";
    EXPECT_EQ(zeile(selbst.id).text(QStringLiteral("Info")), QStringLiteral("später ergänzt"));
    EXPECT_EQ(kollisionsDialog_.gezeigt, 0);

    ReservierungsFelder gleich = neue(QStringLiteral("101"), tag(3), tag(5), QStringLiteral("gleich"));
    EXPECT_FALSE(record_->Reserv(gleich));
    EXPECT_EQ(kollisionsDialog_.gezeigt, 1);
    ASSERT_EQ(kollisionsDialog_.zuletzt.size(), 1);
    EXPECT_EQ(kollisionsDialog_.zuletzt[0].id, erste);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Es liegt eine Überschneidung mit anderer Reservierung vor. Bitte "
                                                           "korrigieren Sie Zimmernummer oder Zeiten.")});
    EXPECT_EQ(gleich.fokus, Fokus::Zimmer);
    EXPECT_FALSE(gleich.cmdLoeschenEnabled);
    EXPECT_TRUE(gleich.cmdWartenEnabled);
    EXPECT_TRUE(gleich.warnung) << "the live warning is refreshed after the dialog";
    EXPECT_EQ(zeilen(), 2);
}

TEST_F(BelegungTest, CollisionDialogOutcomesDecideTheSave) {
    const int alt = buchung(1, tag(10), tag(12), QStringLiteral("alt"));

    kollisionsDialog_.aktion = [](CollisionLogik& p) { p.cmdAbbrechen(); };
    ReservierungsFelder verworfen = neue(QStringLiteral("101"), tag(11), tag(13), QStringLiteral("verworfen"));
    EXPECT_FALSE(record_->Reserv(verworfen));
    EXPECT_TRUE(verworfen.schliessen);
    EXPECT_EQ(verworfen.geaendert, QStringLiteral("Nein"));
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "discarding shows no overlap message";
    EXPECT_EQ(zeilen(), 1);

    kollisionsDialog_.aktion = [](CollisionLogik& p) { p.cmdWarten(); };
    ReservierungsFelder geparkt = neue(QStringLiteral("101"), tag(11), tag(13), QStringLiteral("geparkt"));
    geparkt.eingecheckt = true;
    ASSERT_TRUE(record_->Reserv(geparkt));
    EXPECT_TRUE(geparkt.zimmer.isEmpty()) << "the room box is emptied after a save into the waiting position";
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'geparkt' AND Gelöscht = True AND Checked = False AND Zimmernummer = 1")), 1);
    EXPECT_FALSE(kollision_.inWarteposition) << "the wish is cleared when the save ends";

    kollisionsDialog_.aktion = [](CollisionLogik& p) {
        p.zielZimmerWaehlen(0, QStringLiteral("104"));
        p.cmdOK();
    };
    ReservierungsFelder verschoben = neue(QStringLiteral("101"), tag(11), tag(13), QStringLiteral("verschoben"));
    ASSERT_TRUE(record_->Reserv(verschoben));
    EXPECT_EQ(zeile(alt).integer(QStringLiteral("Zimmernummer")), 4);
    EXPECT_EQ(zeile(verschoben.id).integer(QStringLiteral("Zimmernummer")), 1);
    EXPECT_EQ(verschoben.zimmer, QStringLiteral("101"));
}

TEST_F(BelegungTest, CollidingInvoicedBookingIsNotMovedAndTheNewOneNotSaved) {
    const int rechnung = buchung(1, tag(10), tag(12), QStringLiteral("abgerechnet"), false, 1);
    kollisionsDialog_.aktion = [](CollisionLogik& p) {
        p.zielZimmerWaehlen(0, QStringLiteral("102"));
        p.cmdOK();
    };
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("neu"));
    EXPECT_FALSE(record_->Reserv(f));
    EXPECT_EQ(
        dialogs_.texts(),
        (QStringList{QStringLiteral("Die Reservierung (abgerechnet) konnte nicht gespeichert werden, weil sie bereits abgerechnet wurde."),
                     QStringLiteral("Es liegt eine Überschneidung mit anderer Reservierung vor. Bitte korrigieren Sie Zimmernummer "
                                    "oder Zeiten.")}));
    EXPECT_EQ(zeile(rechnung).integer(QStringLiteral("Zimmernummer")), 1);
    EXPECT_EQ(zeilen(), 1);
}

TEST_F(BelegungTest, DatesChangedInTheDialogAreSaved) {
    buchung(1, tag(10), tag(12), QStringLiteral("alt"));
    kollisionsDialog_.aktion = [](CollisionLogik& p) {
        p.datumGeaendert(true, QStringLiteral("12.03.2024"));
        p.datumGeaendert(false, QStringLiteral("15.03.2024"));
        p.cmdWarten();
    };
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(11), tag(13), QStringLiteral("neu"));
    ASSERT_TRUE(record_->Reserv(f));
    EXPECT_EQ(f.von, QStringLiteral("12.03.2024"));
    EXPECT_EQ(f.naechte, QStringLiteral("3")) << "nights are recomputed after the dialog";
    EXPECT_EQ(spalten(f.id, {"Von", "AnzahlÜbernachtungen"}), QStringList({t(12), "3"}));
}

// Dialogs that let "another workstation" save between the overlap test and the write: the
// invoice-address question comes in just there.
class DazwischenDialogs final : public Dialogs {
public:
    std::function<void()> dazwischen;
    QStringList texte;
    QList<Icon> icons;

protected:
    Answer showMessage(const MessageRequest& r) override {
        texte << r.text;
        icons << r.icon;
        if (dazwischen) dazwischen();
        return Answer::No;
    }
    QString showInput(const QString&, const QString&, const QString&) override { return {}; }
    QString showOpenFile(const QString&, const QString&, const QString&) override { return {}; }
};

TEST_F(BelegungTest, RowSavedMeanwhileByAnotherWorkstationRemovesTheNewOne) {
    db().execute(
        QStringLiteral("INSERT INTO tblBelegung (GastID, IDAdressRechnung, Von, Bis, Zimmernummer) VALUES "
                       "(7, 40, #01-01-2023#, #01-05-2023#, 6)"));
    DazwischenDialogs dialogs;
    Belegung record(db(), dialogs, adresse_, kollisionsDialog_, kollision_);
    dialogs.dazwischen = [&] {
        dialogs.dazwischen = nullptr;
        buchung(1, tag(11), tag(14), QStringLiteral("schneller"));
    };
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("neu"));
    EXPECT_FALSE(record.Reserv(f));
    ASSERT_EQ(dialogs.texte.size(), 2);
    EXPECT_EQ(dialogs.texte[1], QStringLiteral("Es sind Konflikte im Netzwerkbetrieb aufgetreten: Folgende Reservierung konnte nicht "
                                               "angelegt werden.\r\nReservierung vom 10.03.2024 bis 12.03.2024,Zimmer Nr.:101"));
    EXPECT_EQ(dialogs.icons[1], Icon::Critical);
    EXPECT_EQ(f.id, 0) << "the form keeps the booking as new";
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'neu'")), 0);
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'schneller'")), 1);
}

TEST_F(BelegungTest, EditCollidingWithARowSavedMeanwhileKeepsTheStoredBooking) {
    const int id = buchung(2, tag(10), tag(12), QStringLiteral("bestand"));
    const int imWeg = buchung(1, tag(10), tag(11), QStringLiteral("im Weg"));
    ReservierungsFelder f;
    ASSERT_TRUE(record_->laden(id, f));
    f.gastName = QStringLiteral("Sommer");
    f.zimmer = QStringLiteral("101");
    f.bis = t(13);
    kollisionsDialog_.aktion = [this](CollisionLogik& p) {
        p.zielZimmerWaehlen(0, QStringLiteral("103"));
        p.cmdOK();
        buchung(1, tag(12), tag(14), QStringLiteral("schneller"));  // another workstation, meanwhile
    };
    EXPECT_FALSE(record_->Reserv(f));
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Es sind Konflikte im Netzwerkbetrieb aufgetreten: Die Änderung folgender "
                                                           "Reservierung wurde nicht gespeichert.\r\nReservierung vom 10.03.2024 bis "
                                                           "13.03.2024,Zimmer Nr.:101")});
    EXPECT_EQ(spalten(id, {"Zimmernummer", "Bis"}), QStringList({"2", t(12)})) << "the stored booking keeps what it had";
    EXPECT_EQ(zeile(imWeg).integer(QStringLiteral("Zimmernummer")), 3) << "the move in the dialog was done";
}

// ---- waiting position ------------------------------------------------------------------------

TEST_F(BelegungTest, WaitingPositionKeepsTheRoomAndFreesIt) {
    ReservierungsFelder f = neue(QStringLiteral("102"), tag(10), tag(12), QStringLiteral("parken"));
    ASSERT_TRUE(record_->Reserv(f));
    ASSERT_TRUE(record_->warten(f));
    EXPECT_TRUE(f.zimmer.isEmpty());
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'parken' AND Gelöscht = True AND Checked = False AND Zimmernummer = 2")), 1);
    EXPECT_EQ(kollisionsDialog_.gezeigt, 0);

    ReservierungsFelder danach = neue(QStringLiteral("102"), tag(10), tag(12), QStringLiteral("danach"));
    EXPECT_TRUE(record_->Reserv(danach)) << "the parked booking no longer blocks its room";
    EXPECT_EQ(kollisionsDialog_.gezeigt, 0);

    // Saving it again normally brings it back after the overlap test.
    f.zimmer = QStringLiteral("102");
    EXPECT_FALSE(record_->Reserv(f));
    EXPECT_EQ(kollisionsDialog_.gezeigt, 1);
    f.zimmer = QStringLiteral("103");
    EXPECT_TRUE(record_->Reserv(f));
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'parken' AND Gelöscht = False AND Zimmernummer = 3")), 1);

    ReservierungsFelder ohneZimmer = neue(QString(), tag(10), tag(12), QStringLiteral("ohne Zimmer"));
    ASSERT_TRUE(record_->warten(ohneZimmer)) << "no room is needed for the waiting position";
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'ohne Zimmer' AND Zimmernummer = 1 AND Gelöscht = True")), 1);
}

TEST_F(BelegungTest, WaitingPositionIsRefusedForInvoicedCheckedInAndBlockBookings) {
    const int block = buchung(1, tag(10), tag(12), QStringLiteral("Block"));
    inBlock(3, block);
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(20), tag(22), QStringLiteral("x"));
    f.abgerechnet = 1;
    EXPECT_FALSE(record_->warten(f));
    f.abgerechnet = 0;
    f.eingecheckt = true;
    EXPECT_FALSE(record_->warten(f));
    EXPECT_EQ(dialogs_.texts(), (QStringList{QStringLiteral("Diese Reservierung wurde bereits abgerechnet."),
                                             QStringLiteral("Der Gast ist bereits eingecheckt. Die Reservierung kann dewegen nicht in "
                                                            "die Warteposition verschoben werden.")}));
    ReservierungsFelder mitglied;
    ASSERT_TRUE(record_->laden(block, mitglied));
    mitglied.gastName = QStringLiteral("Gruppe");
    EXPECT_TRUE(mitglied.blockbuchung);
    EXPECT_FALSE(mitglied.cmdWartenEnabled) << "a block member is not offered the waiting position";
    EXPECT_FALSE(record_->warten(mitglied));
    EXPECT_EQ(zeilen(QStringLiteral("Gelöscht = True")), 0);
}

// ---- check in and out ------------------------------------------------------------------------

TEST_F(BelegungTest, CheckInAndOutMoveTheDatesAndRefuseEqualOnes) {
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(10), tag(14), QStringLiteral("Gast"));
    f.tarif = QStringLiteral("50");
    ASSERT_TRUE(record_->Reserv(f));
    const auto checked = [this, &f] { return zeile(f.id).yes(QStringLiteral("Checked")); };

    f.checkDatum = t(14);
    EXPECT_FALSE(record_->einAuschecken(f)) << "arrival would equal departure";
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Das Anfangs- und Enddatum würde durch diesen Vorgang gleichgesetzt. Bitte "
                                                           "korrigieren Sie den Eintrag.")});
    EXPECT_FALSE(f.eingecheckt);
    EXPECT_FALSE(checked());
    EXPECT_EQ(f.von, t(10));

    dialogs_.clear();
    f.checkDatum = t(11);
    ASSERT_TRUE(record_->einAuschecken(f));
    EXPECT_TRUE(f.eingecheckt);
    EXPECT_TRUE(checked()) << "the state is written at once";
    EXPECT_EQ(f.von, t(11));
    EXPECT_EQ(f.naechte, QStringLiteral("3"));
    EXPECT_EQ(f.preis, QStringLiteral("150,00")) << "the price follows the new arrival";
    EXPECT_EQ(f.geaendert, QStringLiteral("Ja"));
    EXPECT_EQ(Belegung::checkedBeschriftung(f.eingecheckt), QStringLiteral("&Checked in"));
    EXPECT_EQ(Belegung::checkedFarbe(f.eingecheckt), 0x00ADFF95u);

    f.checkDatum = t(11);
    EXPECT_FALSE(record_->einAuschecken(f)) << "departure would equal arrival";
    EXPECT_TRUE(checked());

    // Checking out without the invoicing windows asks nothing.
    dialogs_.clear();
    f.checkDatum = t(13);
    ASSERT_TRUE(record_->einAuschecken(f));
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_NE(f.folgefenster, Folgefenster::Rechnungsuebersicht);
    f.checkDatum = t(11);
    ASSERT_TRUE(record_->einAuschecken(f));
    ASSERT_TRUE(f.eingecheckt);

    // With them the unpaid booking offers its invoice.
    test::ScriptedFenster fenster;
    fenster.setVorhanden(Ziel::Rechnungen);
    record_->setFenster(&fenster);
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    f.checkDatum = t(13);
    ASSERT_TRUE(record_->einAuschecken(f));
    EXPECT_FALSE(f.eingecheckt);
    EXPECT_FALSE(checked());
    EXPECT_EQ(f.bis, t(13));
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Rechnung jetzt drucken?")});
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("check out"));
    EXPECT_EQ(f.folgefenster, Folgefenster::Rechnungsuebersicht);
    EXPECT_EQ(Belegung::checkedBeschriftung(f.eingecheckt), QStringLiteral("&Checked out"));
    EXPECT_EQ(Belegung::checkedFarbe(f.eingecheckt), 0x00A4BBFFu);
}

TEST_F(BelegungTest, OffersAndInvoicedBookingsCannotBeCheckedIn) {
    ReservierungsFelder angebot = neue(QStringLiteral("101"), tag(10), tag(14), QStringLiteral("Angebot"));
    angebot.artName = QStringLiteral("Angebot");
    angebot.artBeschriftung = QStringLiteral("Art");
    angebot.checkDatum = t(11);
    EXPECT_FALSE(record_->einAuschecken(angebot));
    EXPECT_FALSE(record_->anmeldung(angebot, [] { return true; }));
    ReservierungsFelder rechnung = neue(QStringLiteral("101"), tag(10), tag(14), QStringLiteral("Rechnung"));
    rechnung.abgerechnet = 1;
    EXPECT_FALSE(record_->heute(rechnung));
    EXPECT_EQ(dialogs_.texts(),
              (QStringList{QStringLiteral("Bitte ändern Sie zunächst das Feld Art."),
                           QStringLiteral("Für ein Angebot kann keine Anmeldung gedruckt werden."),
                           QStringLiteral("Diese Reservierung wurde bereits abgerechnet. Sie können das Datum nicht mehr ändern, ohne die "
                                          "Rechnung zu stornieren.")}));
    EXPECT_EQ(dialogs_.shown()[0].caption, QStringLiteral("Angebot/Status"));
    EXPECT_FALSE(angebot.eingecheckt);
    EXPECT_EQ(angebot.von, t(10));
    EXPECT_EQ(rechnung.checkDatum, QString());
}

TEST_F(BelegungTest, TodayAndTheRegistrationFormCheckIn) {
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(28, 2), tag(4), QStringLiteral("heute"));
    ASSERT_TRUE(record_->Reserv(f));
    ASSERT_TRUE(record_->heute(f));
    EXPECT_EQ(f.checkDatum, t(1));
    EXPECT_EQ(f.von, t(1));
    EXPECT_TRUE(f.eingecheckt);

    ReservierungsFelder g = neue(QStringLiteral("102"), tag(1), tag(4), QStringLiteral("Anmeldung"));
    g.checkDatum = t(1);
    ASSERT_TRUE(record_->Reserv(g));
    int gedruckt = 0;
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(record_->anmeldung(g, [&gedruckt] { return ++gedruckt > 0; }));
    EXPECT_EQ(gedruckt, 1);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Gast einchecken?")});
    EXPECT_TRUE(g.eingecheckt);
    dialogs_.clear();
    EXPECT_TRUE(record_->anmeldung(g, [&gedruckt] { return ++gedruckt > 0; }));
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "a guest already in is not asked again";
}

// ---- deleting --------------------------------------------------------------------------------

TEST_F(BelegungTest, DeletingRemovesTheBookingItsItemsAndLinks) {
    const int id = buchung(1, tag(10), tag(12), QStringLiteral("weg"));
    const int bleibt = buchung(2, tag(10), tag(12), QStringLiteral("bleibt"));
    for (int b : {id, bleibt}) {
        db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo) VALUES (?, 'Sauna')"), {b});
        db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung) VALUES (1, ?)"), {b});
    }
    ReservierungsFelder f;
    ASSERT_TRUE(record_->laden(id, f));
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(record_->loeschen(f));
    EXPECT_EQ(zeilen(), 2);
    dialogs_.answer(Answer::Yes);
    ASSERT_TRUE(record_->loeschen(f));
    EXPECT_EQ(dialogs_.texts(), (QStringList(2, QStringLiteral("Soll die aktuelle Reservierung gelöscht werden?"))));
    EXPECT_EQ(dialogs_.last().icon, Icon::Question);
    EXPECT_EQ(dialogs_.last().buttons, Buttons::YesNo);
    EXPECT_TRUE(f.schliessen);
    EXPECT_EQ(zeilen(), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten")).toInt(), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten WHERE IDBelegung = ?"), {bleibt}).toInt(), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten")).toInt(), 1);
    EXPECT_EQ(adresse_.benutzt, (QList<QPair<int, bool>>{{3, false}}));
}

TEST_F(BelegungTest, DeletingABlockMemberAsksFirstAndCancelKeepsEverything) {
    const int id = buchung(1, tag(10), tag(12), QStringLiteral("Mitglied"));
    inBlock(4, id);
    ReservierungsFelder f;
    ASSERT_TRUE(record_->laden(id, f));
    const QString frage = QStringLiteral(
        "Diese Reservierung gehört zu einer Blockbuchung. Soll sie aus der Blockbuchung herausgenommen "
        "werden?");
    const auto mitglieder = [this] { return db().scalar(QStringLiteral("SELECT Count(*) FROM tbBlockbuchung")).toInt(); };

    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(record_->loeschen(f));
    EXPECT_EQ(dialogs_.texts(), QStringList{frage});
    EXPECT_EQ(dialogs_.last().buttons, Buttons::OkCancel);
    EXPECT_EQ(zeilen(), 1);
    EXPECT_EQ(mitglieder(), 1);

    dialogs_.clear();
    dialogs_.answer(Answer::Ok);
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(record_->loeschen(f));
    EXPECT_EQ(zeilen(), 1) << "the booking stays";
    EXPECT_EQ(mitglieder(), 0) << "OK took it out of its block, as the question asked";
    EXPECT_FALSE(f.blockbuchung);

    inBlock(4, id);
    ASSERT_TRUE(record_->laden(id, f));
    dialogs_.clear();
    dialogs_.answer(Answer::Ok);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(record_->loeschen(f));
    EXPECT_EQ(zeilen(), 0);
    EXPECT_EQ(mitglieder(), 0);
}

TEST_F(BelegungTest, InvoicedBookingsAreLocked) {
    const int id = buchung(1, tag(10), tag(12), QStringLiteral("Rechnung"), false, 1);
    ReservierungsFelder f;
    ASSERT_TRUE(record_->laden(id, f));
    f.gastName = QStringLiteral("Gast");
    EXPECT_FALSE(f.cmdLoeschenEnabled);
    EXPECT_FALSE(f.cmdWartenEnabled);
    EXPECT_EQ(Belegung::abgerechnetBeschriftung(f.abgerechnet), QStringLiteral("Abgerechnet"));
    EXPECT_EQ(Belegung::abgerechnetBeschriftung(0), QStringLiteral("&Offen"));
    f.info = QStringLiteral("geändert");
    EXPECT_FALSE(record_->loeschen(f));
    EXPECT_FALSE(record_->zu(f));
    EXPECT_EQ(dialogs_.texts(), (QStringList{QStringLiteral("Diese Reservierung wurde bereits abgerechnet."),
                                             QStringLiteral("Diese Reservierung wurde bereits abgerechnet. Wenn Sie trotzdem noch etwas "
                                                            "ändern möchten, stornieren Sie zunächst die Rechnung.")}));
    EXPECT_TRUE(f.schliessen);
    EXPECT_EQ(zeilen(), 1);
    EXPECT_EQ(zeile(id).text(QStringLiteral("Info")), QString()) << "nothing was saved";
}

TEST_F(BelegungTest, CloseSavesOrReportsTheFailedSave) {
    ReservierungsFelder gut = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("gut"));
    EXPECT_TRUE(record_->zu(gut));
    EXPECT_TRUE(gut.schliessen);
    ReservierungsFelder schlecht = neue(QStringLiteral("101"), tag(11), tag(13), QStringLiteral("schlecht"));
    EXPECT_FALSE(record_->zu(schlecht));
    EXPECT_FALSE(schlecht.schliessen);
    ASSERT_EQ(dialogs_.shown().size(), 2);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Reservierung konnte nicht gespeichert werden."));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Speicherkontrolle"));
    dialogs_.clear();
    kollisionsDialog_.aktion = [](CollisionLogik& p) { p.cmdAbbrechen(); };
    EXPECT_FALSE(record_->zu(schlecht));
    EXPECT_TRUE(schlecht.schliessen) << "discarded in the collision dialog: closed without a message";
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}

TEST_F(BelegungTest, PaidButtonTellsWhatIsMissing) {
    ReservierungsFelder neu = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("neu"));
    record_->bezahltKlick(neu);
    const int offen = buchung(1, tag(10), tag(12), QStringLiteral("offen"));
    ReservierungsFelder f;
    ASSERT_TRUE(record_->laden(offen, f));
    record_->bezahltKlick(f);
    EXPECT_EQ(f.folgefenster, Folgefenster::Rechnungsuebersicht);
    EXPECT_EQ(dialogs_.texts(), (QStringList{QStringLiteral("Bitte speichern Sie zunächst die Daten."),
                                             QStringLiteral("Es wurden noch nicht alle Posten dieser Reservierung abgerechnet.")}));
    EXPECT_EQ(dialogs_.shown()[0].icon, Icon::Information);
    EXPECT_EQ(dialogs_.shown()[1].caption, QStringLiteral("Hinweis"));
    EXPECT_EQ(dialogs_.shown()[1].icon, Icon::Critical);

    dialogs_.clear();
    const int abgerechnet = buchung(2, tag(10), tag(12), QStringLiteral("abgerechnet"), false, 1);
    ASSERT_TRUE(record_->laden(abgerechnet, f));
    record_->bezahltKlick(f);
    EXPECT_EQ(f.folgefenster, Folgefenster::Rechnungsuebersicht) << "no invoice link yet";
    db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung) VALUES (3, ?)"), {abgerechnet});
    record_->bezahltKlick(f);
    EXPECT_EQ(f.folgefenster, Folgefenster::Zahlungen);
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}

// ---- fields ----------------------------------------------------------------------------------

TEST_F(BelegungTest, PriceOfTheStay) {
    struct Fall {
        QString von, bis, tarif, preisVorher;
        QString naechte, tarifNachher, preis;
        bool gerechnet;
    };
    const QList<Fall> faelle = {
        {QStringLiteral("10.03.2024"), QStringLiteral("14.03.2024"), QStringLiteral("85,5"), QString(), QStringLiteral("4"),
         QStringLiteral("85,50"), QStringLiteral("342,00"), true},
        {QStringLiteral("28.02.24"), QStringLiteral("01.03.24"), QStringLiteral("1234,56"), QString(), QStringLiteral("2"),
         QStringLiteral("1.234,56"), QStringLiteral("2.469,12"), true},
        {QStringLiteral("10.03.2024"), QStringLiteral("14.03.2024"), QString(), QStringLiteral("500,00"), QStringLiteral("4"), QString(),
         QStringLiteral("0,00"), true},
        // Tariff 0: the typed total is a flat price and stays.
        {QStringLiteral("10.03.2024"), QStringLiteral("14.03.2024"), QStringLiteral("0"), QStringLiteral("500,00"), QStringLiteral("4"),
         QStringLiteral("0,00"), QStringLiteral("500,00"), true},
        {QStringLiteral("10.03.2024"), QStringLiteral("14.3."), QStringLiteral("80"), QStringLiteral("1,00"), QString(),
         QStringLiteral("80"), QStringLiteral("1,00"), false},
    };
    for (const Fall& fall : faelle) {
        ReservierungsFelder f;
        f.von = fall.von;
        f.bis = fall.bis;
        f.tarif = fall.tarif;
        f.preis = fall.preisVorher;
        EXPECT_EQ(Belegung::preisBerechnen(f), fall.gerechnet) << qPrintable(fall.von + " " + fall.bis + " " + fall.tarif);
        EXPECT_EQ(f.naechte, fall.naechte);
        EXPECT_EQ(f.tarif, fall.tarifNachher);
        EXPECT_EQ(f.preis, fall.preis);
    }
}

TEST_F(BelegungTest, FixedPriceIsCopiedAcrossTheBlock) {
    const int a = buchung(1, tag(10), tag(12), QStringLiteral("A"));
    const int b = buchung(2, tag(10), tag(12), QStringLiteral("B"));
    const int c = buchung(3, tag(10), tag(12), QStringLiteral("C"));
    const int fremd = buchung(4, tag(10), tag(12), QStringLiteral("fremd"));
    inBlock(1, a);
    inBlock(1, b);
    inBlock(1, c);
    inBlock(2, fremd);
    ReservierungsFelder f;
    ASSERT_TRUE(record_->laden(b, f));
    f.gastName = QStringLiteral("Gruppe");
    f.fix = true;
    ASSERT_TRUE(record_->Reserv(f));
    EXPECT_EQ(zeilen(QStringLiteral("Fix = True")), 3);
    EXPECT_EQ(zeilen(QStringLiteral("Fix = True AND ID = %1").arg(fremd)), 0);
    f.fix = false;
    ASSERT_TRUE(record_->Reserv(f));
    EXPECT_EQ(zeilen(QStringLiteral("Fix = True")), 0);
}

TEST_F(BelegungTest, LoadingShowsTheStoredBooking) {
    ReservierungsFelder f = neue(QStringLiteral("104"), tag(10), tag(12), QStringLiteral("laden"));
    f.tarif = QStringLiteral("99,9");
    f.preis = QStringLiteral("199,80");
    f.artIndex = 3;
    f.artName = QStringLiteral("Angebot");
    f.eingecheckt = true;
    ASSERT_TRUE(record_->Reserv(f));
    ReservierungsFelder g;
    ASSERT_TRUE(record_->laden(f.id, g));
    EXPECT_EQ(g.zimmer, QStringLiteral("104"));
    EXPECT_EQ(g.von, t(10));
    EXPECT_EQ(g.artIndex, 3);
    EXPECT_EQ(g.artName, QStringLiteral("Angebot"));
    EXPECT_EQ(g.tarif, QStringLiteral("99,90"));
    EXPECT_EQ(g.preis, QStringLiteral("199,80"));
    EXPECT_EQ(g.naechte, QStringLiteral("2"));
    EXPECT_EQ(g.belegNummerEigen, f.belegNummerEigen);
    EXPECT_TRUE(g.eingecheckt);
    EXPECT_EQ(g.checkDatum, t(12)) << "checked in: the check date is the departure";
    EXPECT_EQ(g.erstelltAm, t(1));
    EXPECT_EQ(g.geaendert, QStringLiteral("Nein"));
    EXPECT_FALSE(record_->laden(f.id + 1, g));
}

// Another workstation took the short name or the printed number after this form tested it:
// the test under the write lock refuses the save and the stored booking keeps what it had.
TEST_F(BelegungTest, NamesAndNumbersTakenMeanwhileAreRefusedUnderTheLock) {
    const int bestand = buchung(2, tag(10), tag(12), QStringLiteral("bestand"));
    struct Fall {
        const char* name;
        bool neu;
        std::function<void(ReservierungsFelder&)> aendern;
        std::function<void()> dazwischen;  // the other workstation, after the typing test
        QString text;
        QString titel;
    };
    const QString kurzinfo = QStringLiteral("Die Kurzinfo existiert bereits! Bitte ändern Sie sie.");
    const QString nummer = QStringLiteral(
        "Diese Belegnummer ist bereits vorhanden. Geben Sie eine andere Nummer ein oder leeren Sie das "
        "Feld, damit eine neue Nummer vergeben werden kann.");
    const std::vector<Fall> faelle = {
        {"edit to a short name saved meanwhile", false, [](auto& f) { f.kuerzel = QStringLiteral("Schnell"); },
         [this] { buchung(4, tag(20), tag(22), QStringLiteral("schnell")); }, kurzinfo, QStringLiteral("Reservierung")},
        {"new booking with a printed number saved meanwhile", true, [](auto& f) { f.belegNummerEigen = QStringLiteral("RE 77"); },
         [this, bestand] { db().execute(QStringLiteral("UPDATE tblBelegung SET BelegNummer_eigen = 'RE 77' WHERE ID = ?"), {bestand}); },
         nummer, QStringLiteral("Reservierung")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        ReservierungsFelder f = neue(QStringLiteral("103"), tag(10), tag(12), QStringLiteral("eigen"));
        if (!fall.neu) {
            ASSERT_TRUE(record_->laden(bestand, f));
            f.gastName = QStringLiteral("Sommer");
        }
        fall.aendern(f);
        EXPECT_FALSE(record_->kuerzelPruefen(f)) << "free while typed";
        fall.dazwischen();
        const int vorher = zeilen();
        dialogs_.clear();
        EXPECT_FALSE(record_->Reserv(f));
        ASSERT_EQ(dialogs_.texts(), QStringList{fall.text});
        EXPECT_EQ(dialogs_.last().caption, fall.titel);
        EXPECT_EQ(zeilen(), vorher) << "nothing written";
        EXPECT_EQ(zeile(bestand).text(QStringLiteral("Kürzel")), QStringLiteral("bestand"));
        EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'eigen'")), 0);
    }
}

// A failed statement is told as what could not be done and the file's name, never as SQL.
TEST_F(BelegungTest, ALockedDatabaseIsNamedWithoutItsStatements) {
    const int id = buchung(1, tag(10), tag(12), QStringLiteral("Gesperrt"));
    ReservierungsFelder f;
    ASSERT_TRUE(record_->laden(id, f));
    test::FremdeSperre::kurzWarten(db());
    test::FremdeSperre sperre(test::FremdeSperre::installation(QFileInfo(db().path()).absolutePath()));
    struct Fall {
        const char* was;
        std::function<bool()> tun;
        QString meldung;
    };
    const QList<Fall> faelle = {
        {"saving",
         [&] {
             f.info = QStringLiteral("geändert");
             f.gastName = QStringLiteral("Sommer");
             return record_->Reserv(f);
         },
         QStringLiteral("Die Reservierung konnte nicht gespeichert werden.")},
        {"deleting (refused before any question)", [&] { return record_->loeschen(f); },
         QStringLiteral("Die Reservierung konnte nicht gelöscht werden.")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        dialogs_.clear();
        EXPECT_FALSE(fall.tun());
        ASSERT_FALSE(dialogs_.shown().isEmpty());
        const QString text = dialogs_.last().text;
        EXPECT_TRUE(text.startsWith(fall.meldung)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\nDatenbank: "))) << text.toStdString();
        for (const char* sql : {"SELECT", "DELETE", "Abfrage"}) EXPECT_FALSE(text.contains(QLatin1String(sql))) << text.toStdString();
    }
    dialogs_.clear();
}
