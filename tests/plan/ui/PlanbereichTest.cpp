#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "plan/PlanFixture.h"
#include "plan/ui/PlanMenue.h"
#include "plan/ui/Planbereich.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Variablen.h"
#include "support/FremdeSperre.h"

using namespace tav;
using tav::test::ScriptedFenster;

namespace {

class PlanbereichTest : public test::PlanFixture {
protected:
    void SetUp() override {
        PlanFixture::SetUp();
        // Two attribute markers, so that both extra columns are in use.
        for (int i : {1, 2}) {
            db().execute(QStringLiteral("INSERT INTO tbZusätze (ZusatzFeld, Beschriftung, Farbe) VALUES (?, 'X', 255)"), {i});
            db().execute(QStringLiteral("UPDATE tbZimmernummern SET Zusatz%1 = %1 WHERE Zimmernummer IN (3, 8)").arg(i));
        }
        ladeZimmer();
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

// On a wide screen the chart's columns widen with the window, and pressing, dragging and
// releasing the mouse still opens the reservation on the nights it points at.
TEST_F(PlanbereichTest, AWiderWindowWidensTheNightsAndADragStillOpensTheReservationOnThem) {
    fenster.setVorhanden(Ziel::Reservierung);
    auto w = widget();
    const int schmal = w->view()->zellMitte(1, 2).x() - w->view()->zellMitte(1, 1).x();
    w->resize(w->sizeHint().width() * 2, w->sizeHint().height());
    QApplication::processEvents();
    EXPECT_GT(w->view()->zellMitte(1, 2).x() - w->view()->zellMitte(1, 1).x(), schmal * 3 / 2);
    EXPECT_EQ(w->view()->minimumSizeHint(), w->view()->sizeHint()) << "never narrower than its own columns";
    druecken(*w, 3, 5);
    bewegen(*w, 3, 7);
    EXPECT_TRUE(w->model().zelle(3, 6).markiert) << "the dragged range is shown";
    loslassen(*w, 3, 8);
    ASSERT_EQ(fenster.ziele(), QList<Ziel>({Ziel::Reservierung}));
    EXPECT_EQ(std::tuple(fenster.geoeffnet().at(0).aufruf.anreise, fenster.geoeffnet().at(0).aufruf.abreise,
                         fenster.geoeffnet().at(0).aufruf.zimmerNummer),
              std::tuple(QDate(2024, 3, 8), QDate(2024, 3, 12), 3));
    EXPECT_FALSE(w->model().zelle(3, 7).markiert) << "released: the selection is gone";
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
        EXPECT_TRUE(text.contains(QStringLiteral("\nDatenbank: ") + name + QLatin1Char('\n')))
            << "names the locked file: " << text.toStdString();
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

// What the status under the mouse holds is PlanModelTest's; here the window shows it.
TEST_F(PlanbereichTest, StatusFieldsHelpLineAndShortNameFollowTheMouse) {
    addBooking(2, S().addDays(2), S().addDays(5), 1, QStringLiteral("Berger"), 1, 2, false, true);
    auto w = widget();
    bewegen(*w, 2, 5);
    EXPECT_EQ(kind<QLineEdit>(*w, "fldZimmer")->text(), QStringLiteral("102"));
    EXPECT_EQ(kind<QLineEdit>(*w, "fldDatum")->text(), QStringLiteral("08.03.24"));
    EXPECT_TRUE(kind<QLabel>(*w, "lblHilfe")->text().startsWith(QStringLiteral("Reservierung vom: 06.03.2024 bis: 09.03.2024")));
    EXPECT_EQ(w->view()->kuerzel(), QStringLiteral("Berger/CH/2"));
    EXPECT_TRUE(w->view()->kuerzelRechteck().contains(w->view()->zellMitte(2, 5)));
    EXPECT_EQ(kind<QLabel>(*w, "cmdBezahlt")->text(), QStringLiteral("Offen"));
    bewegen(*w, 2, 9);
    EXPECT_EQ(w->view()->kuerzel(), QString()) << "no short name over a free night";
    EXPECT_EQ(kind<QLabel>(*w, "cmdBezahlt")->text(), QString());

    // The controls explain themselves in the help line.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(kind<QPushButton>(*w, "cmdNextWeek"), &enter);
    EXPECT_EQ(kind<QLabel>(*w, "lblHilfe")->text(), QStringLiteral("Verschiebt das Zeitfenster um 1 Woche vor"));
    QApplication::sendEvent(kind<QWidget>(*w, "optBelArt_2"), &enter);
    EXPECT_EQ(kind<QLabel>(*w, "lblHilfe")->text(), QStringLiteral("Wählen Sie vor Anlegen einer neuen Reservierung 'Bezeichnung' aus."));
}

TEST_F(PlanbereichTest, NavigationScrollingRefreshAndKeyboard) {
    PlanEinstellungen e = einstellungen();
    e.sichtbareZeilen = 5;
    auto w = widget(e);
    // The steps themselves are PlanModelTest's; the buttons, the scroll bar and the timer reach them.
    kind<QPushButton>(*w, "cmdNextWeek")->click();
    EXPECT_EQ(w->model().start(), S().addDays(7));
    dialogs.answerText(QStringLiteral("1.5.24"));
    QTest::mouseClick(kind<QPushButton>(*w, "cmdPrevDay"), Qt::RightButton);
    EXPECT_EQ(w->model().start(), QDate(2024, 5, 1)) << "a right click asks for the start date, and does not step as well";
    kind<QToolButton>(*w, "cmdLetzter")->click();
    EXPECT_EQ(w->model().erstesZimmer(), 6) << "the last screen ends with the waiting row";
    kind<QScrollBar>(*w, "VScroll1")->setValue(2 * 320 + 100);
    EXPECT_EQ(w->model().erstesZimmer(), 3);
    kind<QToolButton>(*w, "cmdErster")->click();
    const int id = addBooking(1, QDate(2024, 5, 2), QDate(2024, 5, 4));
    for (int tick = 1; tick <= 5; ++tick) w->timerTick();
    EXPECT_EQ(w->model().zelle(1, 2).buchungId, id) << "refreshed by the timer";

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

// The object names of the disabled entries of a menu, in menu order.
static QStringList aus(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator() && !a->isEnabled()) out << a->objectName();
    return out;
}

// An entry whose window is not there is disabled; check in and out work on the plan.
TEST_F(PlanbereichTest, BookingMenuChecksInAndDisablesEntriesWithoutTheirWindow) {
    const int id = addBooking(2, S().addDays(2), S().addDays(5), 1, QStringLiteral("Berger"), 1, 2);
    const int angebot = addBooking(3, S().addDays(2), S().addDays(5), 4, QStringLiteral("Offerte"), 2, 2);
    auto w = widget();
    QSignalSpy kontext(w->view(), &Plantafel::buchungKontext);
    loslassen(*w, 2, 10, Qt::RightButton);
    EXPECT_EQ(kontext.count(), 0) << "a right click on a free night does nothing";

    auto k = w->model().rechtsLoslassen(2, 4);
    ASSERT_TRUE(k);
    std::unique_ptr<QMenu> menue(w->erstelleBuchungsMenue(*k, nullptr));
    EXPECT_EQ(aus(menue->actions()),
              QStringList({QStringLiteral("mnKontuRes_Oeffnen"), QStringLiteral("mnuKontRechnung"), QStringLiteral("mnuKontZahlungen"),
                           QStringLiteral("mnuKontResAdresse"), QStringLiteral("mnuKontAdrRechnung")}));
    menue->findChild<QAction*>(QStringLiteral("mnuKontCheckIn"))->trigger();
    EXPECT_TRUE(w->model().zelle(2, 4).gepunktet) << "checked in and repainted";
    menue->findChild<QAction*>(QStringLiteral("mnuKontCheck_aus"))->trigger();
    EXPECT_FALSE(w->model().zelle(2, 4).gepunktet);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << "no invoicing windows: no invoice question";

    // With the invoices there, Yes to the invoice question opens the booking's invoices.
    fenster.setVorhanden({Ziel::Rechnungen, Ziel::Reservierung});
    menue->findChild<QAction*>(QStringLiteral("mnuKontCheckIn"))->trigger();
    dialogs.answer(Answer::Yes);
    menue->findChild<QAction*>(QStringLiteral("mnuKontCheck_aus"))->trigger();
    ASSERT_EQ(fenster.ziele(), QList<Ziel>({Ziel::Rechnungen}));
    EXPECT_EQ(fenster.geoeffnet().at(0).aufruf.buchungId, id);

    // With the reservation form there, the entry opens the booking.
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
    ASSERT_TRUE(ka && ka->buchungId == angebot);
    std::unique_ptr<QMenu> m2(w->erstelleBuchungsMenue(*ka, nullptr));
    EXPECT_EQ(m2->findChild<QAction*>(QStringLiteral("mnuKontRechnung"))->text(), QStringLiteral("A&ngebot"));

    // The other context menus of the plan, and where they open.
    std::unique_ptr<QMenu> zusa(w->erstelleBereichsMenue(Plantafel::Bereich::Zusatzspalten, nullptr));
    EXPECT_FALSE(zusa->actions().at(0)->isEnabled()) << "without the settings window";
    std::unique_ptr<QMenu> grund(w->erstelleBereichsMenue(Plantafel::Bereich::Hintergrund, nullptr));
    EXPECT_TRUE(grund->actions().at(1)->isEnabled()) << "neue Reservierung, its window being there";
    EXPECT_FALSE(grund->actions().at(0)->isEnabled()) << "no booking list";
    EXPECT_EQ(w->view()->bereichBei(QPoint(5, w->view()->zellMitte(3, 1).y())), Plantafel::Bereich::Zimmer);
    EXPECT_EQ(w->view()->bereichBei(QPoint(w->view()->zellMitte(1, 3).x(), 5)), Plantafel::Bereich::Datum);
}

// An entry whose window is not there is disabled, and an entry whose program is missing is
// hidden; what works runs.
TEST_F(PlanbereichTest, MenuBarDisablesEntriesWithoutTheirWindowAndRunsTheRest) {
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
    const auto menueAus = [&] {
        QList<QAction*> alle;
        for (QAction* m : haupt.menuBar()->actions()) alle << m->menu()->actions();
        return aus(alle);
    };
    // Without their windows the entries that open one are disabled.
    for (const char* aus : {"mnuDateiParameter", "mnuSaisonzeiten", "mnuLetzte", "mnuBearbeitenReservierung", "mnuSuchen"})
        EXPECT_TRUE(menueAus().contains(QString::fromUtf8(aus))) << aus;
    EXPECT_TRUE(menue.eintrag(QStringLiteral("mnuBeispiedaten"))->isChecked()) << "the sample data are shown";
    EXPECT_FALSE(plan->findChild<QLabel*>(QStringLiteral("lbWarnung"))->isHidden());
    EXPECT_TRUE(menue.eintrag(QStringLiteral("mnuAuswert"))->isVisible());
    EXPECT_FALSE(menue.eintrag(QStringLiteral("mnuDatenexport"))->isVisible()) << "hidden while its program is missing";

    fenster.setVorhanden({Ziel::Reservierung, Ziel::Saisonzeiten});
    menue.aktualisiereZustand();
    for (const char* an : {"mnuLetzte", "mnuSaisonzeiten", "mnuBearbeitenReservierung"})
        EXPECT_TRUE(menue.eintrag(QString::fromUtf8(an))->isEnabled()) << an;
    EXPECT_TRUE(plan->findChild<QPushButton*>(QStringLiteral("cmdReservierung"))->isEnabled());

    v.letzteReservierung = 17;
    menue.eintrag(QStringLiteral("mnuLetzte"))->trigger();
    menue.eintrag(QStringLiteral("mnuSaisonzeiten"))->trigger();
    ASSERT_EQ(fenster.ziele(), QList<Ziel>({Ziel::Reservierung, Ziel::Saisonzeiten}));
    EXPECT_EQ(fenster.geoeffnet().at(0).aufruf.buchungId, 17);
    menue.eintrag(QStringLiteral("mnuAuswert"))->trigger();
    ASSERT_EQ(shell.started().size(), 1);
    QSignalSpy beenden(&menue, &PlanMenue::beendenAngefordert);
    menue.eintrag(QStringLiteral("mnuDateiBeenden"))->trigger();
    EXPECT_EQ(beenden.count(), 1);
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

}  // namespace
