#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "plan/PlanFixture.h"
#include "store/Variablen.h"
#include "plan/ui/PlanMenue.h"
#include "plan/ui/Planbereich.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "support/FremdeSperre.h"
#include "support/Screenshot.h"

using namespace tav;
using tav::test::ScriptedFenster;

namespace {

class PlanbereichTest : public test::PlanFixture {
protected:
    void SetUp() override {
        PlanFixture::SetUp();
        // Two attribute markers, so that both extra columns are in use.
        db().execute(QStringLiteral("INSERT INTO tbZusätze (ZusatzFeld, Beschriftung, Bedeutung, Farbe) VALUES (1, 'B', 'Balkon', ?)"),
                     {farbe::rgb(250, 210, 120)});
        db().execute(QStringLiteral("INSERT INTO tbZusätze (ZusatzFeld, Beschriftung, Bedeutung, Farbe) VALUES (2, 'S', 'Seeblick', ?)"),
                     {farbe::rgb(150, 200, 250)});
        db().execute(QStringLiteral("UPDATE tbZimmernummern SET Zusatz1 = 1 WHERE Zimmernummer IN (2, 3, 6)"));
        db().execute(QStringLiteral("UPDATE tbZimmernummern SET Zusatz2 = 2 WHERE Zimmernummer IN (3, 8, 9)"));
        ladeZimmer();
    }

    // Bookings as a small hotel has them in March: every kind, stays across weekends and the
    // Easter holidays, guests checked in, an offer, and tentative bookings in "Vorläufig".
    void fuelleHotel() {
        addHoliday(QDate(2024, 3, 29), QStringLiteral("Karfreitag"));
        addHoliday(QDate(2024, 4, 1), QStringLiteral("Ostermontag"));
        addGuest(4, QStringLiteral("Tom"), QStringLiteral("Weber"), QStringLiteral("Bonn"));
        addGuest(5, QStringLiteral("Lea"), QStringLiteral("Klein"), QStringLiteral("Trier"));
        const QDate s = S();
        addBooking(1, s.addDays(-2), s.addDays(3), 1, QStringLiteral("Berger"), 1, 1, false, true);
        addBooking(1, s.addDays(3), s.addDays(6), 2, QStringLiteral("Firma Kron"), 2, 1);
        addBooking(1, s.addDays(12), s.addDays(19), 1, QStringLiteral("Weber"), 4, 1);
        addBooking(2, s.addDays(1), s.addDays(8), 1, QStringLiteral("Müller"), 2, 2, false, true);
        addBooking(2, s.addDays(24), s.addDays(29), 1, QStringLiteral("Ostern"), 3, 2);
        addBooking(3, s.addDays(4), s.addDays(6), 3, QStringLiteral("Tresen"), 5, 2);
        addBooking(3, s.addDays(9), s.addDays(16), 2, QStringLiteral("Firma Alt"), 2, 2);
        addBooking(4, s.addDays(0), s.addDays(2), 1, QStringLiteral("Klein"), 5, 1);
        addBooking(4, s.addDays(20), s.addDays(40), 2, QStringLiteral("Monteur"), 4, 1);
        addBooking(5, s.addDays(6), s.addDays(13), 4, QStringLiteral("Angebot Lea"), 5, 3);
        addBooking(6, s.addDays(2), s.addDays(10), 1, QStringLiteral("Schäfer"), 3, 2);
        addBooking(6, s.addDays(10), s.addDays(12), 3, QStringLiteral("Tresen 2"), 1, 2);
        addBooking(7, s.addDays(15), s.addDays(22), 1, QStringLiteral("Kur"), 1, 1);
        addBooking(8, s.addDays(4), s.addDays(6), 1, QStringLiteral("Hochzeit"), 4, 2);
        addBooking(8, s.addDays(25), s.addDays(28), 1, QStringLiteral("Hochzeit 2"), 5, 2);
        addBooking(9, s.addDays(-6), s.addDays(4), 2, QStringLiteral("Gruppe"), 2, 4, false, true);
        addBooking(9, s.addDays(17), s.addDays(23), 1, QStringLiteral("Familie"), 3, 4);
        addBooking(4, s.addDays(8), s.addDays(11), 1, QStringLiteral("Vielleicht"), 4, 1, true);
        addBooking(2, s.addDays(18), s.addDays(21), 2, QStringLiteral("Anfrage"), 5, 2, true);
    }

    std::unique_ptr<Planbereich> widget(PlanEinstellungen e) {
        auto w = std::make_unique<Planbereich>(db(), dialogs, fenster, rooms, std::move(e), Zimmerliste::zusatzspaltenInGebrauch(db()));
        w->resize(w->sizeHint());
        w->show();
        return w;
    }
    std::unique_ptr<Planbereich> widget() { return widget(einstellungen()); }

    static void druecken(Planbereich& w, int zeile, int spalte, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(w.view(), b, {}, w.view()->zellMitte(zeile, spalte));
    }
    static void bewegen(Planbereich& w, int zeile, int spalte) { QTest::mouseMove(w.view(), w.view()->zellMitte(zeile, spalte)); }
    static void loslassen(Planbereich& w, int zeile, int spalte, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(w.view(), b, {}, w.view()->zellMitte(zeile, spalte));
    }
    template <typename T>
    static T* kind(Planbereich& w, const char* name) {
        return w.findChild<T*>(QString::fromUtf8(name));
    }
};

TEST_F(PlanbereichTest, PressDragAndReleaseHandOverTheNights) {
    addBooking(4, S().addDays(9), S().addDays(12), 1, QStringLiteral("Belegt"));
    fenster.setVorhanden(Ziel::Reservierung);
    auto w = widget();
    const auto neu = [this] { return int(fenster.ziele().count(Ziel::Reservierung)); };

    druecken(*w, 3, 5);
    EXPECT_TRUE(w->model().zelle(3, 5).markiert) << "the pressed free night is selected";
    bewegen(*w, 3, 6);
    bewegen(*w, 3, 8);
    EXPECT_TRUE(w->model().zelle(3, 7).markiert) << "the dragged range is shown";
    loslassen(*w, 3, 8);
    ASSERT_EQ(neu(), 1);
    EXPECT_EQ(uebergabe.anreise, QDate(2024, 3, 8));
    EXPECT_EQ(uebergabe.abreise, QDate(2024, 3, 12));
    EXPECT_EQ(uebergabe.zimmerNummer, 3);
    EXPECT_TRUE(uebergabe.neueBuchung);
    EXPECT_EQ(fenster.geoeffnet().at(0).aufruf.abreise, QDate(2024, 3, 12));
    EXPECT_EQ(fenster.geoeffnet().at(0).aufruf.zimmerNummer, 3);
    EXPECT_FALSE(w->model().zelle(3, 7).markiert);

    // One click on one free night: that night.
    druecken(*w, 7, 20);
    loslassen(*w, 7, 20);
    ASSERT_EQ(neu(), 2);
    EXPECT_EQ(uebergabe.anreise, QDate(2024, 3, 23));
    EXPECT_EQ(uebergabe.abreise, QDate(2024, 3, 24));
    EXPECT_EQ(uebergabe.zimmerNummer, 7);

    // Released on a booked night: the message and no hand-over.
    uebergabe = {};
    druecken(*w, 4, 7);
    bewegen(*w, 4, 11);
    loslassen(*w, 4, 11);
    EXPECT_EQ(neu(), 2);
    EXPECT_FALSE(uebergabe.neueBuchung);
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Hier besteht bereits eine Reservierung.")}));
    EXPECT_TRUE(dialogs.unanswered().isEmpty());
}

TEST_F(PlanbereichTest, ALockHeldByAnotherWorkstationLeavesTheWindowUsable) {
    addBooking(2, S().addDays(2), S().addDays(5), 1, QStringLiteral("Berger"), 1, 2);
    auto w = widget();
    const int gebucht = w->model().zelle(2, 4).buchungId;
    ASSERT_NE(gebucht, 0);
    test::FremdeSperre::kurzWarten(db());
    auto* hilfe = kind<QLabel>(*w, "lblHilfe");
    const QString gesperrt = QStringLiteral("Die Datenbank wird gerade von einem anderen Benutzer gesperrt.");

    const auto kontext = w->model().rechtsLoslassen(2, 4);
    ASSERT_TRUE(kontext);
    std::unique_ptr<QMenu> buchungsMenue(w->erstelleBuchungsMenue(*kontext, nullptr));
    const auto eintrag = [&](const char* name) { buchungsMenue->findChild<QAction*>(QString::fromUtf8(name))->trigger(); };

    // The lock is on the file of the bookings; the message names that file.
    const QString datei = test::FremdeSperre::dateiDer(db(), QStringLiteral("tblBelegung"));
    const QString name = QFileInfo(datei).fileName();
    ASSERT_NE(name, QStringLiteral("Lokal.mdb")) << "a data file, not the file of the links";
    test::FremdeSperre sperre({datei});
    struct Klick {
        const char* was;
        std::function<void()> tun;
    };
    const QList<Klick> klicks = {
        {"Aktualisieren", [&] { kind<QPushButton>(*w, "cmdAktualisieren")->click(); }},
        {"+1 Woche", [&] { kind<QPushButton>(*w, "cmdNextWeek")->click(); }},
        {"-1 Monat", [&] { kind<QPushButton>(*w, "cmdPrevMonth")->click(); }},
        {"scrolling", [&] { kind<QToolButton>(*w, "cmdLetzter")->click(); }},
        {"right click on a booking", [&] { loslassen(*w, 2, 4, Qt::RightButton); }},
        {"Check in", [&] { eintrag("mnuKontCheckIn"); }},
        {"Status anzeigen", [&] { eintrag("mnuKontStatus"); }},
    };
    for (const Klick& k : klicks) {
        SCOPED_TRACE(k.was);
        dialogs.clear();
        k.tun();
        ASSERT_EQ(dialogs.shown().size(), 1) << "one message, and the window goes on";
        const QString text = dialogs.last().text;
        EXPECT_TRUE(text.contains(QStringLiteral("konnte nicht gelesen werden")) ||
                    text.startsWith(QStringLiteral("\"%1\" konnte nicht ausgeführt werden.").arg(QString::fromUtf8(k.was))))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\nDatenbank: ") + name + QLatin1Char('\n'))) << "names the locked file: " << text.toStdString();
        EXPECT_TRUE(text.contains(gesperrt)) << text.toStdString();
        for (const char* sql : {"SELECT", "Abfrage", "FROM"}) EXPECT_FALSE(text.contains(QString::fromLatin1(sql))) << text.toStdString();
        EXPECT_EQ(w->model().start(), S()) << "a failed navigation keeps the window shown";
        EXPECT_EQ(w->model().zelle(2, 4).buchungId, gebucht) << "and its bookings";
    }

    // Neither the mouse nor the refresh timer shows a box: the help line stays empty or tells why.
    dialogs.clear();
    w->model().setAktualisierenFlag(1);
    bewegen(*w, 2, 4);
    bewegen(*w, 2, 3);
    EXPECT_EQ(hilfe->text(), QString());
    EXPECT_EQ(kind<QLabel>(*w, "cmdBezahlt")->text(), QString());
    EXPECT_EQ(w->model().aktualisierenFlag(), 1) << "the refresh asked for is tried again with the next move";
    for (int tick = 0; tick < 5; ++tick) w->timerTick();
    EXPECT_TRUE(hilfe->text().contains(gesperrt)) << hilfe->text().toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // Once the other workstation is done, everything works again.
    sperre.freigeben();
    const int neu = addBooking(3, S().addDays(1), S().addDays(3), 1, QStringLiteral("Neu"));
    bewegen(*w, 2, 4);
    EXPECT_EQ(w->model().aktualisierenFlag(), 0);
    EXPECT_EQ(w->model().zelle(3, 2).buchungId, neu) << "the pending refresh ran";
    EXPECT_TRUE(hilfe->text().startsWith(QStringLiteral("Reservierung vom: "))) << hilfe->text().toStdString();
    EXPECT_EQ(kind<QLabel>(*w, "cmdBezahlt")->text(), QStringLiteral("Offen"));
    kind<QPushButton>(*w, "cmdNextWeek")->click();
    EXPECT_EQ(w->model().start(), S().addDays(7));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(PlanbereichTest, StatusFieldsHelpLineAndShortNameFollowTheMouse) {
    addHoliday(QDate(2024, 3, 8), QStringLiteral("Frauentag"));
    addBooking(2, S().addDays(2), S().addDays(5), 1, QStringLiteral("Berger"), 1, 2, false, true);
    auto w = widget();
    bewegen(*w, 2, 5);
    EXPECT_EQ(kind<QLineEdit>(*w, "fldZimmer")->text(), QStringLiteral("102"));
    EXPECT_EQ(kind<QLineEdit>(*w, "fldTag")->text(), QStringLiteral("5"));
    EXPECT_EQ(kind<QLineEdit>(*w, "fldDatum")->text(), QStringLiteral("08.03.24"));
    EXPECT_EQ(kind<QLineEdit>(*w, "fldWochentag")->text(), QStringLiteral("Fr"));
    EXPECT_EQ(kind<QLineEdit>(*w, "txtFeiertag")->text(), QStringLiteral("Frauentag"));
    EXPECT_EQ(kind<QLabel>(*w, "lblHilfe")->text(), QStringLiteral("Reservierung vom: 06.03.2024 bis: 09.03.2024  von Anna Berger\n"
                                                                   "Sie können die Reservierung mit der rechten Maustaste öffnen."));
    EXPECT_EQ(w->view()->kuerzel(), QStringLiteral("Berger/CH/2"));
    EXPECT_TRUE(w->view()->kuerzelRechteck().contains(w->view()->zellMitte(2, 5)));
    EXPECT_EQ(kind<QLabel>(*w, "cmdBezahlt")->text(), QStringLiteral("Offen"));
    test::saveScreenshot(*w, QStringLiteral("plan-maus"));

    bewegen(*w, 2, 9);
    EXPECT_EQ(w->view()->kuerzel(), QString()) << "no short name over a free night";
    EXPECT_EQ(kind<QLabel>(*w, "cmdBezahlt")->text(), QString());

    // Help texts of the controls.
    QPushButton* woche = kind<QPushButton>(*w, "cmdNextWeek");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(woche, &enter);
    EXPECT_EQ(kind<QLabel>(*w, "lblHilfe")->text(), QStringLiteral("Verschiebt das Zeitfenster um 1 Woche vor"));
    QApplication::sendEvent(kind<QWidget>(*w, "optBelArt_2"), &enter);
    EXPECT_EQ(kind<QLabel>(*w, "lblHilfe")->text(), QStringLiteral("Wählen Sie vor Anlegen einer neuen Reservierung 'Bezeichnung' aus."));
}

TEST_F(PlanbereichTest, NavigationScrollingRefreshAndKeyboard) {
    PlanEinstellungen e = einstellungen();
    e.sichtbareZeilen = 5;
    auto w = widget(e);
    kind<QPushButton>(*w, "cmdNextWeek")->click();
    EXPECT_EQ(w->model().start(), S().addDays(7));
    kind<QPushButton>(*w, "cmdPrev3Months")->click();
    EXPECT_EQ(w->model().start(), QDate(2023, 12, 11));
    kind<QPushButton>(*w, "cmdHeute")->click();
    EXPECT_EQ(w->model().start(), S());

    // A right click on a navigation button asks for the start date.
    dialogs.answerText(QStringLiteral("1.5.24"));
    QTest::mouseClick(kind<QPushButton>(*w, "cmdPrevDay"), Qt::RightButton);
    EXPECT_EQ(w->model().start(), QDate(2024, 5, 1));
    EXPECT_EQ(dialogs.last().caption, QStringLiteral("Zeitleiste verschieben"));
    EXPECT_EQ(w->model().start(), QDate(2024, 5, 1)) << "a plain left click did not move as well";

    kind<QToolButton>(*w, "cmdLetzter")->click();
    EXPECT_EQ(w->model().erstesZimmer(), 6) << "the last screen ends with the waiting row";
    kind<QToolButton>(*w, "cmdErster")->click();
    EXPECT_EQ(w->model().erstesZimmer(), 1);
    kind<QScrollBar>(*w, "VScroll1")->setValue(2 * 320 + 100);
    EXPECT_EQ(w->model().erstesZimmer(), 3);

    // The timer refreshes on its fifth tick.
    kind<QToolButton>(*w, "cmdErster")->click();
    const int id = addBooking(1, QDate(2024, 5, 2), QDate(2024, 5, 4));
    for (int tick = 1; tick <= 4; ++tick) w->timerTick();
    EXPECT_FALSE(w->model().zelle(1, 2).belegt());
    w->timerTick();
    EXPECT_EQ(w->model().zelle(1, 2).buchungId, id);

    // A typed character starts the quick address search with it.
    w->view()->setFocus();
    QTest::keyClick(w->view(), 'Q');
    EXPECT_TRUE(fenster.geoeffnet().isEmpty()) << "no quick search in this program: the key does nothing";
    fenster.setVorhanden(Ziel::Adresssuche);
    QTest::keyClick(w->view(), 'M');
    QTest::keyClick(kind<QLineEdit>(*w, "fldDatum"), Qt::Key_X);
    ASSERT_EQ(fenster.ziele(), QList<Ziel>({Ziel::Adresssuche})) << "the status fields never take the keyboard";
    EXPECT_EQ(fenster.geoeffnet().at(0).aufruf.text, QStringLiteral("M"));

    // The legend chooses the kind of the next booking.
    kind<QRadioButton>(*w, "optBelArt_3")->click();
    EXPECT_EQ(w->model().belegungsart(), 2);
}

TEST_F(PlanbereichTest, BookingMenuChecksInAndDisablesWhatCannotOpenYet) {
    const int id = addBooking(2, S().addDays(2), S().addDays(5), 1, QStringLiteral("Berger"), 1, 2);
    const int angebot = addBooking(3, S().addDays(2), S().addDays(5), 4, QStringLiteral("Offerte"), 2, 2);
    auto w = widget();
    QSignalSpy kontext(w->view(), &Plantafel::buchungKontext);
    // Right click on a free night: nothing.
    loslassen(*w, 2, 10, Qt::RightButton);
    EXPECT_EQ(kontext.count(), 0);

    auto k = w->model().rechtsLoslassen(2, 4);
    ASSERT_TRUE(k);
    std::unique_ptr<QMenu> menue(w->erstelleBuchungsMenue(*k, nullptr));
    EXPECT_EQ(menue->objectName(), QStringLiteral("mnuKontRes"));
    QStringList texte, aus;
    for (QAction* a : menue->actions()) {
        if (a->isSeparator()) continue;
        texte << a->text();
        if (!a->isEnabled()) aus << a->objectName();
    }
    EXPECT_EQ(texte, QStringList({QStringLiteral("&Reservierung öffnen"), QStringLiteral("Check &in"), QStringLiteral("Check &out"),
                                  QStringLiteral("R&echnungen"), QStringLiteral("&Zahlungen"), QStringLiteral("Übersicht für Reservierungsadresse"),
                                  QStringLiteral("Übersicht für Rechnungs&adresse"), QStringLiteral("&Status anzeigen"), QStringLiteral("A&bbrechen")}));
    EXPECT_EQ(aus, QStringList({QStringLiteral("mnKontuRes_Oeffnen"), QStringLiteral("mnuKontRechnung"), QStringLiteral("mnuKontZahlungen"),
                                QStringLiteral("mnuKontResAdresse"), QStringLiteral("mnuKontAdrRechnung")}));

    menue->findChild<QAction*>(QStringLiteral("mnuKontCheckIn"))->trigger();
    EXPECT_TRUE(w->model().zelle(2, 4).gepunktet) << "checked in and repainted";
    menue->findChild<QAction*>(QStringLiteral("mnuKontCheck_aus"))->trigger();
    EXPECT_FALSE(w->model().zelle(2, 4).gepunktet);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << "no invoicing windows: no invoice question";

    // With the invoices there, checking out offers them; Yes opens the booking's invoices.
    fenster.setVorhanden({Ziel::Rechnungen, Ziel::Reservierung});
    menue->findChild<QAction*>(QStringLiteral("mnuKontCheckIn"))->trigger();
    dialogs.answer(Answer::Yes);
    menue->findChild<QAction*>(QStringLiteral("mnuKontCheck_aus"))->trigger();
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Rechnung schreiben?"));
    ASSERT_EQ(fenster.ziele(), QList<Ziel>({Ziel::Rechnungen}));
    EXPECT_EQ(fenster.geoeffnet().at(0).aufruf.buchungId, id);

    // Once the reservation form is there, the entry opens the booking.
    fenster.clear();
    std::unique_ptr<QMenu> offen(w->erstelleBuchungsMenue(*k, nullptr));
    QAction* a = offen->findChild<QAction*>(QStringLiteral("mnKontuRes_Oeffnen"));
    ASSERT_TRUE(a->isEnabled());
    a->trigger();
    ASSERT_EQ(fenster.ziele(), QList<Ziel>({Ziel::Reservierung}));
    EXPECT_EQ(fenster.geoeffnet().at(0).aufruf.buchungId, id);
    EXPECT_EQ(uebergabe.buchungId, id);
    EXPECT_FALSE(uebergabe.neueBuchung);

    auto ka = w->model().rechtsLoslassen(3, 4);
    ASSERT_TRUE(ka);
    EXPECT_EQ(ka->buchungId, angebot);
    std::unique_ptr<QMenu> m2(w->erstelleBuchungsMenue(*ka, nullptr));
    EXPECT_EQ(m2->findChild<QAction*>(QStringLiteral("mnuKontRechnung"))->text(), QStringLiteral("A&ngebot"));

    // The other context menus of the plan.
    std::unique_ptr<QMenu> datum(w->erstelleBereichsMenue(Plantafel::Bereich::Datum, nullptr));
    EXPECT_EQ(datum->objectName(), QStringLiteral("mnuKontextDatum"));
    EXPECT_EQ(datum->actions().at(0)->text(), QStringLiteral("Daten &anzeigen ab:"));
    std::unique_ptr<QMenu> zusa(w->erstelleBereichsMenue(Plantafel::Bereich::Zusatzspalten, nullptr));
    EXPECT_EQ(zusa->actions().size(), 2);
    EXPECT_FALSE(zusa->actions().at(0)->isEnabled()) << "the settings dialog is not there yet";
    std::unique_ptr<QMenu> grund(w->erstelleBereichsMenue(Plantafel::Bereich::Hintergrund, nullptr));
    EXPECT_EQ(grund->actions().at(1)->text(), QStringLiteral("neue &Reservierung"));
    EXPECT_TRUE(grund->actions().at(1)->isEnabled());
    EXPECT_FALSE(grund->actions().at(0)->isEnabled()) << "no booking list";
    EXPECT_EQ(w->view()->bereichBei(QPoint(5, w->view()->zellMitte(3, 1).y())), Plantafel::Bereich::Zimmer);
    EXPECT_EQ(w->view()->bereichBei(QPoint(w->view()->zellMitte(1, 3).x(), 5)), Plantafel::Bereich::Datum);
}

TEST_F(PlanbereichTest, MenuBarHasEveryItemAndDisablesWhatHasNoWindowYet) {
    ScriptedShell shell;
    SettingsStore settings;
    Variablen& v = variablen();
    v.programmordner = QStringLiteral("/opt/tavomera");
    shell.addProgram(QStringLiteral("/opt/tavomera/Yorvak.exe"));
    QMainWindow haupt;
    PlanEinstellungen e = einstellungen();
    e.beispieldaten = true;
    auto* plan = new Planbereich(db(), dialogs, fenster, rooms, e, Zimmerliste::zusatzspaltenInGebrauch(db()));
    haupt.setCentralWidget(plan);
    PlanMenue menue(haupt.menuBar(), plan, db(), dialogs, shell, settings, fenster, v);

    struct Eintrag {
        const char* name;
        const char* text;
        bool an;
    };
    const QList<Eintrag> erwartet = {
        {"mnuDatei", "&Datei", true},
        {"mnuDateiParameter", "Eins&tellungen", false},
        {"mnuSaisonzeiten", "Saison&zeiten festlegen", false},
        {"mnuBeispiedaten", "&Beispieldaten anzeigen", true},
        {"mnuDateiDrucken", "Tavomera &drucken", true},
        {"mnuDatenbank", "D&atenbankpfad einstellen", true},
        {"mnuSicherPfad", "&Datensicherung", false},
        {"mnuFeiertage", "&Feiertage", false},
        {"mnuDateiBeenden", "Be&enden   Alt+F4", true},
        {"mnuBearbeiten", "&Bearbeiten", true},
        {"mnuBearbeitenReservierung", "Neue &Reservierung", false},
        {"mnuDatenAB", "&Daten anzeigen ab:", true},
        {"mnuDateiReorganisation", "Re&organisation", true},
        {"mnuAdressenLöschen", "Adressen L&öschen", false},
        {"mnuAufbereiten", "Daten &aufbereiten", true},
        {"mnuDBUpdate", "Datenbank &Update", true},
        {"mnuInternet", "Inter&net", true},
        {"MnuInternet", "Internet - &Auftritt", true},
        {"mnuExtras", "E&xtras", true},
        {"mnuAdress", "&Adressverwaltung", true},
        {"mnuAuswert", "&Statistik", true},
        {"mnuDatenexport", "&Datenexport", false},  // hidden, and so disabled as well
        {"mnuDatenimport", "Da&tenimport", false},
        {"mnuDaten", "Datenübersicht", true},
        {"mnuSuchen", "Daten &suchen, Listen erstellen", false},
        {"mnuSchnellsuche", "Schnellsuche A&dressen", false},
        {"mnurechnungsNummern", "Suche nach &Rechnungsnummern", false},
        {"mnuAbreiseSuche", "Suche nach &Abreisedatum", false},
        {"mnuLetzte", "Zuletzt geöffnete Reservierung", false},
        {"mnuHilfe", "&Info", true},
        {"mnuHandbuch", "H&andbuch", true},
        {"mnuInternetHilfe", "Erste &Schritte für den Internet - Auftritt", true},
    };
    for (const Eintrag& e : erwartet) {
        QAction* a = menue.eintrag(QString::fromUtf8(e.name));
        ASSERT_TRUE(a) << e.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(e.text)) << e.name;
        EXPECT_EQ(a->isEnabled(), e.an) << e.name;
    }
    EXPECT_EQ(haupt.menuBar()->actions().size(), 5);
    EXPECT_TRUE(menue.eintrag(QStringLiteral("mnuBeispiedaten"))->isChecked()) << "the sample data are shown";
    EXPECT_FALSE(plan->findChild<QLabel*>(QStringLiteral("lbWarnung"))->isHidden());
    EXPECT_TRUE(menue.eintrag(QStringLiteral("mnuAuswert"))->isVisible());
    EXPECT_FALSE(menue.eintrag(QStringLiteral("mnuDatenexport"))->isVisible()) << "hidden while its program is missing";
    EXPECT_FALSE(menue.eintrag(QStringLiteral("mnuDatenimport"))->isVisible());

    fenster.setVorhanden({Ziel::Reservierung, Ziel::Saisonzeiten});
    menue.aktualisiereZustand();
    EXPECT_TRUE(menue.eintrag(QStringLiteral("mnuLetzte"))->isEnabled());
    EXPECT_TRUE(menue.eintrag(QStringLiteral("mnuSaisonzeiten"))->isEnabled());
    EXPECT_TRUE(menue.eintrag(QStringLiteral("mnuBearbeitenReservierung"))->isEnabled());
    EXPECT_TRUE(plan->findChild<QPushButton*>(QStringLiteral("cmdReservierung"))->isEnabled());

    // Commands that work now.
    v.letzteReservierung = 0;
    menue.eintrag(QStringLiteral("mnuLetzte"))->trigger();
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Es wurde noch keine Reservierung geöffnet."));
    EXPECT_TRUE(fenster.geoeffnet().isEmpty());
    v.letzteReservierung = 17;
    menue.eintrag(QStringLiteral("mnuLetzte"))->trigger();
    menue.eintrag(QStringLiteral("mnuSaisonzeiten"))->trigger();
    ASSERT_EQ(fenster.ziele(), QList<Ziel>({Ziel::Reservierung, Ziel::Saisonzeiten}));
    EXPECT_EQ(fenster.geoeffnet().at(0).aufruf.buchungId, 17);
    dialogs.answerText(QString());
    menue.eintrag(QStringLiteral("mnuDateiReorganisation"))->trigger();
    EXPECT_EQ(dialogs.last().caption, QStringLiteral("Löschen von alten Reservierungen"));
    menue.eintrag(QStringLiteral("mnuAuswert"))->trigger();
    ASSERT_EQ(shell.started().size(), 1);
    QSignalSpy beenden(&menue, &PlanMenue::beendenAngefordert);
    menue.eintrag(QStringLiteral("mnuDateiBeenden"))->trigger();
    EXPECT_EQ(beenden.count(), 1);

    haupt.resize(haupt.sizeHint());
    test::saveScreenshot(haupt, QStringLiteral("plan-hauptfenster"));
    EXPECT_LE(haupt.sizeHint().width(), 1600);
    EXPECT_LE(haupt.sizeHint().height(), 1000);
}

TEST_F(PlanbereichTest, VisibleRowsShrinkToFitTheScreen) {
    struct Fall {
        int gewuenscht, hoehe, erwartet;
    };
    for (const Fall f : {Fall{10, 1000, 10}, Fall{70, 1000, 30}, Fall{70, 600, 11}, Fall{10, 200, 1}})
        EXPECT_EQ(Planbereich::passendeZeilen(f.gewuenscht, 320, f.hoehe), f.erwartet) << f.gewuenscht << " rows, screen " << f.hoehe;
    // Thirty rooms in a window 1000 pixels high: 35 days and every row on screen.
    PlanEinstellungen e = einstellungen();
    e.sichtbareZeilen = Planbereich::passendeZeilen(30, 320, 1000);
    e.raeume = 30;
    auto w = widget(e);
    QMainWindow fenster;
    fenster.menuBar()->addMenu(QStringLiteral("&Datei"));
    fenster.setCentralWidget(w.release());
    EXPECT_LE(fenster.sizeHint().width(), 1600);
    EXPECT_LE(fenster.sizeHint().height() + 30, 1000) << "with the window caption";
}

TEST_F(PlanbereichTest, ScreenshotsOfASmallHotel) {
    fuelleHotel();
    PlanEinstellungen e = einstellungen();
    e.legendeUeberschrift = QStringLiteral("Reserviert als:");
    db().execute(QStringLiteral("INSERT INTO tblParameter (Satz, F1, F2) VALUES ('Beschriftungen', 'Reserviert als:', 'Zimmer')"));
    auto w = widget(e);
    EXPECT_EQ(kind<QComboBox>(*w, "lstÜberschrift1")->currentText(), QStringLiteral("Reserviert als:"));
    bewegen(*w, 6, 9);
    const QString bild = test::saveScreenshot(*w, QStringLiteral("plan-hotel"));
    EXPECT_FALSE(QImage(bild).isNull());
    EXPECT_LE(w->sizeHint().width(), 1600);

    kind<QPushButton>(*w, "cmdNextWeek")->click();
    bewegen(*w, 10, 4);
    test::saveScreenshot(*w, QStringLiteral("plan-hotel-woche"));

    const QPixmap druck = w->druckBild();
    druck.save(QFileInfo(bild).absolutePath() + QStringLiteral("/plan-druck.png"));
    EXPECT_EQ(druck.size(), w->size());
}

}  // namespace
