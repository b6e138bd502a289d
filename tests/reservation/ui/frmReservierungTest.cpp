#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <tuple>

#include "reservation/FormularTestSupport.h"
#include "reservation/ui/frmCollision.h"
#include "reservation/ui/frmReservierung.h"
#include "reservation/ui/frmWeitere.h"
#include "reservation/ui/frmZimmerauswahl.h"
#include "store/Fenster.h"
#include "support/Child.h"

using namespace tav;
using test::child;

namespace {

// The window service as the program fills it: the windows it has, and every window opened.
class FensterProtokoll : public Fenster {
public:
    explicit FensterProtokoll(QList<Ziel> da) : da_(std::move(da)) {}
    bool vorhanden(Ziel ziel) const override { return da_.contains(ziel); }
    void oeffnen(Ziel ziel, const Aufruf& aufruf, QObject* eltern) override { geoeffnet.append({ziel, aufruf, eltern}); }

    struct Oeffnung {
        Ziel ziel;
        Aufruf aufruf;
        QObject* eltern;
    };
    QList<Oeffnung> geoeffnet;

private:
    QList<Ziel> da_;
};

}  // namespace

class frmReservierungTest : public test::FormularFixture {
protected:
    // The form with scripted message boxes; kollision nullptr: the real collision dialog.
    std::unique_ptr<frmReservierung> fenster(KollisionsDialog* kollision) {
        return std::make_unique<frmReservierung>(db(), beispiel_.get(), einstellungen(), umgebung(), nullptr, &dialogs_, kollision);
    }
    std::unique_ptr<frmReservierung> fenster() { return fenster(&kollisionsDialog_); }

    // The test's databases become the program's, as the main window holds them.
    void alsProgrammdatenbank() {
        variablen().db = std::move(db_);
        variablen().beispielDb = std::move(beispiel_);
    }
    void TearDown() override {
        if (variablen().db) {
            db_ = std::move(variablen().db);
            beispiel_ = std::move(variablen().beispielDb);
        }
        FormularFixture::TearDown();
    }

    static Uebergabe neu(int zimmer, const QDate& von, const QDate& bis) {
        Uebergabe u;
        u.neueBuchung = true;
        u.zimmerNummer = zimmer;
        u.anreise = von;
        u.abreise = bis;
        return u;
    }

    // Runs `was` on the modal window that opens next.
    template <typename Fenster>
    void imModalenFenster(std::function<void(Fenster&)> was) {
        QTimer::singleShot(0, [this, was] {
            auto* w = qobject_cast<Fenster*>(QApplication::activeModalWidget());
            ASSERT_NE(w, nullptr) << "the window is open";
            geoeffnet_ = true;
            was(*w);
        });
    }

    // The sample database asks for the small form.
    void kleinesFormular() { Parameter(*beispiel_).write(QStringLiteral("Res_Groesse"), {{1, QStringLiteral("klein")}}); }

    static void tippen(QLineEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
    }

    bool geoeffnet_ = false;
};

TEST_F(frmReservierungTest, NewGuestIsBookedAndTheReopenedBookingGetsOneNightMore) {
    auto w = fenster();
    Uebergabe u = neu(2, tag(10), tag(12));
    ASSERT_TRUE(w->starten(u));
    w->show();
    QApplication::processEvents();
    // What the hand-over fills in is ReservierungLogikTest's; here the window shows it.
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Neue Reservierung"));
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->currentText(), QStringLiteral("102"));
    EXPECT_EQ(child<QLineEdit>(*w, "fldPreis")->text(), QStringLiteral("160,00"));
    EXPECT_FALSE(child<QFrame>(*w, "lbWarnung")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*w, "cmdErster")->isVisibleTo(w.get())) << "browse buttons only on the waiting row";
    EXPECT_FALSE(child<QPushButton>(*w, "cmdLöschen")->isEnabled()) << "nothing stored to delete";
    EXPECT_TRUE(child<QLineEdit>(*w, "fldVorname")->isReadOnly()) << "address fields are locked until a new or changed address";

    dialogs_.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    QTest::keyClicks(child<QComboBox>(*w, "cboGastNeu"), QStringLiteral("Zander"));
    EXPECT_EQ(child<QComboBox>(*w, "cboGastNeu")->currentText(), QStringLiteral("Zander"));
    EXPECT_FALSE(child<QLineEdit>(*w, "fldVorname")->isReadOnly());
    QTest::keyClicks(child<QLineEdit>(*w, "fldVorname"), QStringLiteral("Ida"));
    child<QComboBox>(*w, "cboLand")->setCurrentText(QStringLiteral("Österreich"));
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), QStringLiteral("Zander"));
    tippen(child<QLineEdit>(*w, "fldAnzahlGäste"), QStringLiteral("3"));
    child<QPushButton>(*w, "cmdReservieren")->click();

    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Neue Adresse anlegen?")});
    ASSERT_EQ(zeilen(), 1);
    const int id = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Zander'")).toInt();
    EXPECT_EQ(std::tuple(wert(QStringLiteral("Zimmernummer"), id).toInt(), wert(QStringLiteral("Von"), id).toDate(),
                         wert(QStringLiteral("Bis"), id).toDate(), wert(QStringLiteral("AnzahlGäste"), id).toInt(),
                         wert(QStringLiteral("Preis"), id).toDouble()),
              std::tuple(2, tag(10), tag(12), 3, 160.0));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Lastname & '|' & Firstname & '|' & Country & '|' & IDLand FROM Address WHERE ID = ?"),
                          {wert(QStringLiteral("GastID"), id)}),
              QVariant(QStringLiteral("Zander|Ida|Österreich|2")));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Reservierung Zander"));
    EXPECT_EQ(child<QLineEdit>(*w, "txtBeNummer")->text(), QStringLiteral("1"));
    EXPECT_TRUE(child<QPushButton>(*w, "cmdLöschen")->isEnabled());
    EXPECT_EQ(variablen().letzteReservierung, id) << "for \"Zuletzt geöffnete Reservierung\"";
    w->close();
    EXPECT_EQ(dialogs_.shown().size(), 1) << "saved: closing asks nothing";

    auto wieder = fenster();
    Uebergabe offen;
    offen.buchungId = id;
    ASSERT_TRUE(wieder->starten(offen));
    wieder->show();
    QApplication::processEvents();
    EXPECT_EQ(child<QComboBox>(*wieder, "cboGastNeu")->currentText(), QStringLiteral("Zander"));
    EXPECT_EQ(child<QLineEdit>(*wieder, "fldVorname")->text(), QStringLiteral("Ida"));
    QTest::keyClick(child<QLineEdit>(*wieder, "fldBis"), '+');
    EXPECT_EQ(child<QLineEdit>(*wieder, "fldPreis")->text(), QStringLiteral("240,00"));
    child<QPushButton>(*wieder, "cmdReservieren")->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Neue Adresse anlegen?")}) << "no further message";
    EXPECT_EQ(zeilen(), 1);
    EXPECT_EQ(std::tuple(wert(QStringLiteral("Bis"), id).toDate(), wert(QStringLiteral("AnzahlÜbernachtungen"), id).toInt(),
                         wert(QStringLiteral("Preis"), id).toDouble()),
              std::tuple(tag(13), 3, 240.0));
}

TEST_F(frmReservierungTest, OverlapIsResolvedByMovingTheOlderBookingInTheCollisionDialog) {
    const int alt = buchung(2, tag(11), tag(13), QStringLiteral("Alt"));
    auto w = fenster(nullptr);
    Uebergabe u = neu(2, tag(10), tag(12));
    ASSERT_TRUE(w->starten(u));
    w->show();
    QApplication::processEvents();
    EXPECT_TRUE(child<QFrame>(*w, "lbWarnung")->isEnabled()) << "the room is taken on the 11th";
    EXPECT_TRUE(child<QLabel>(*w, "lbWarnungSchrift")->isEnabled());
    const int meier = child<QComboBox>(*w, "cboGastNeu")->findData(1);
    ASSERT_GE(meier, 0);
    child<QComboBox>(*w, "cboGastNeu")->setCurrentIndex(meier);
    emit child<QComboBox>(*w, "cboGastNeu")->activated(meier);
    EXPECT_EQ(child<QComboBox>(*w, "fldStadt")->currentText(), QStringLiteral("Ulm"));
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), QStringLiteral("Neu"));

    imModalenFenster<frmCollision>([](frmCollision& d) {
        auto* ziel = d.findChild<QComboBox*>(QStringLiteral("cboBez_0"));
        ASSERT_NE(ziel, nullptr);
        ziel->setCurrentIndex(ziel->findText(QStringLiteral("103")));
        d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    child<QPushButton>(*w, "cmdReservieren")->click();
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
    EXPECT_EQ(wert(QStringLiteral("Zimmernummer"), alt).toInt(), 3) << "the older booking moved";
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'Neu' AND Zimmernummer = 2 AND GastID = 1")), 1);
    EXPECT_FALSE(child<QFrame>(*w, "lbWarnung")->isEnabled()) << "the room is free now";
    EXPECT_NE(w->logik().felder().id, 0);
}

TEST_F(frmReservierungTest, WaitingRowShowsItsCountAndBrowses) {
    const int a = buchung(1, tag(7), tag(9), QStringLiteral("Anton"), true);
    const int b = buchung(2, tag(8), tag(10), QStringLiteral("Berta"), true);
    const int c = buchung(3, tag(6), tag(11), QStringLiteral("Cäsar"), true);
    kleinesFormular();
    auto w = fenster();
    Uebergabe u;
    u.buchungId = a;
    u.warteTag = tag(8);
    u.warteBuchungen = {a, b, c};
    ASSERT_TRUE(w->starten(u));
    w->show();
    QApplication::processEvents();
    EXPECT_TRUE(child<QLabel>(*w, "lblWarteposition")->isVisibleTo(w.get()));
    EXPECT_EQ(child<QLabel>(*w, "lblWarteposition")->text(),
              QStringLiteral("Warteposition für den 08.03.2024 (3 vorläufige Reservierungen)"));
    EXPECT_TRUE(child<QLineEdit>(*w, "fldVorname")->isVisibleTo(w.get())) << "the waiting position always shows the large form";
    // Which booking comes next is ReservierungLogikTest's; here the buttons browse and follow it.
    EXPECT_FALSE(child<QPushButton>(*w, "cmdErster")->isEnabled());
    child<QPushButton>(*w, "cmdNächster")->click();
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->currentText(), QStringLiteral("102"));
    child<QPushButton>(*w, "cmdLetzter")->click();
    EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), QStringLiteral("Cäsar"));
    EXPECT_FALSE(child<QPushButton>(*w, "cmdNächster")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*w, "cmdErster")->isEnabled());
    EXPECT_EQ(variablen().letzteReservierung, c);
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}

TEST_F(frmReservierungTest, SmallAndLargeSizeFromTheSizeMenu) {
    kleinesFormular();
    const int id = buchung(4, tag(10), tag(14), QStringLiteral("Meier"));
    auto w = fenster();
    Uebergabe u;
    u.buchungId = id;
    ASSERT_TRUE(w->starten(u));
    w->show();
    QApplication::processEvents();
    for (QWidget* sichtbar : std::initializer_list<QWidget*>{
             child<QComboBox>(*w, "cboGastNeu"), child<QComboBox>(*w, "cboZimmer"), child<QLineEdit>(*w, "fldVon"),
             child<QLineEdit>(*w, "fldBis"), child<QComboBox>(*w, "cboArt"), child<QLineEdit>(*w, "fldAnzahlGäste"),
             child<QLineEdit>(*w, "fldKürzel"), child<QComboBox>(*w, "cboTarif"), child<QLineEdit>(*w, "fldPreis"),
             child<QPushButton>(*w, "lbChecked"), child<QPushButton>(*w, "cmdReservieren"), child<QPushButton>(*w, "cmdZu"),
             child<QPushButton>(*w, "cmdSchliessen")})
        EXPECT_TRUE(sichtbar->isVisibleTo(w.get())) << qPrintable(sichtbar->objectName());
    for (QWidget* versteckt : std::initializer_list<QWidget*>{child<QLineEdit>(*w, "fldVorname"), child<QLineEdit>(*w, "fldStrasse"),
                                                              child<QComboBox>(*w, "cboAdrRechnung"), child<QPlainTextEdit>(*w, "fldInfo"),
                                                              child<QComboBox>(*w, "cboZahlart"), child<QPushButton>(*w, "cmdWarten"),
                                                              child<QPushButton>(*w, "cmdLöschen"), child<QCheckBox>(*w, "chFix")})
        EXPECT_FALSE(versteckt->isVisibleTo(w.get())) << qPrintable(versteckt->objectName());
    EXPECT_TRUE(child<QAction>(*w, "cmdKleiner")->isChecked());
    const int kleineHoehe = w->height();

    child<QAction>(*w, "cmdGroesser")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(child<QLineEdit>(*w, "fldVorname")->isVisibleTo(w.get()));
    EXPECT_TRUE(child<QPushButton>(*w, "cmdWarten")->isVisibleTo(w.get()));
    EXPECT_GT(w->height(), kleineHoehe);
    EXPECT_EQ(Parameter(*beispiel_).read(QStringLiteral("Res_Groesse"))->text(1), QStringLiteral("gross"));
}

TEST_F(frmReservierungTest, BoxesTakeOnlyTheirCharactersAndShowDuplicates) {
    buchung(5, tag(20), tag(22), QStringLiteral("Meier"));
    auto w = fenster();
    Uebergabe u = neu(1, tag(10), tag(12));
    ASSERT_TRUE(w->starten(u));
    w->show();
    QApplication::processEvents();

    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), QStringLiteral(" Mei:e.r"));
    EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), QStringLiteral("Meier"));
    const QColor doppelt = child<QLineEdit>(*w, "fldKürzel")->palette().color(QPalette::Base);
    QTest::keyClick(child<QLineEdit>(*w, "fldKürzel"), Qt::Key_Backspace);
    EXPECT_NE(child<QLineEdit>(*w, "fldKürzel")->palette().color(QPalette::Base), doppelt)
        << "only the short name another booking has is marked";
    QApplication::clipboard()->setText(QStringLiteral("Eingefügt"));
    QTest::keyClick(child<QLineEdit>(*w, "fldKürzel"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), QStringLiteral("Meie")) << "nothing is pasted";
    QTest::keyClick(child<QLineEdit>(*w, "fldKürzel"), Qt::Key_Home);
    QTest::keyClick(child<QLineEdit>(*w, "fldKürzel"), Qt::Key_Space);
    EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), QStringLiteral("Meie")) << "no blank in front";
    QTest::keyClick(child<QLineEdit>(*w, "fldKürzel"), Qt::Key_End);
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), QStringLiteral("r Hans-Peter Gruber"));
    EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), QStringLiteral("Meier Hans-Peter ")) << "at most 17 characters";

    tippen(child<QLineEdit>(*w, "fldAnzahlGäste"), QStringLiteral("a1-2"));
    EXPECT_EQ(child<QLineEdit>(*w, "fldAnzahlGäste")->text(), QStringLiteral("12"));
    QTest::keyClicks(child<QLineEdit>(*w, "fldVon"), QStringLiteral("x/"));
    EXPECT_EQ(child<QLineEdit>(*w, "fldVon")->text(), t(10));
    QTest::keyClick(child<QLineEdit>(*w, "fldVon"), '-');
    EXPECT_EQ(child<QLineEdit>(*w, "fldVon")->text(), t(9));
    EXPECT_EQ(child<QLineEdit>(*w, "fldPreis")->text(), QStringLiteral("240,00"));

    // The kind relabels the document buttons (the texts are ReservierungLogikTest's).
    const int angebot = child<QComboBox>(*w, "cboArt")->findText(QStringLiteral("Angebot"));
    child<QComboBox>(*w, "cboArt")->setCurrentIndex(angebot);
    emit child<QComboBox>(*w, "cboArt")->activated(angebot);
    EXPECT_EQ(child<QPushButton>(*w, "cmdRechnung")->text(), QStringLiteral("&Angebot"));

    // F2 on the room option stores the default for the next opening.
    dialogs_.answer(Answer::Yes);
    QTest::keyClick(child<QRadioButton>(*w, "OptZiAuswahl1_1"), Qt::Key_F2);
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Vorgabe beim Öffnen"));
    EXPECT_TRUE(Parameter(db()).readYesNo(QStringLiteral("AlleFreien")));

    // Closing with unsaved changes asks; Cancel keeps the form open.
    dialogs_.answer(Answer::Cancel);
    child<QPushButton>(*w, "cmdSchliessen")->click();
    EXPECT_TRUE(w->isVisible());
    dialogs_.answer(Answer::No);
    child<QPushButton>(*w, "cmdSchliessen")->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(zeilen(), 1);
}

TEST_F(frmReservierungTest, RoomChoiceDialogAndFurtherGuests) {
    buchung(2, tag(10), tag(12), QStringLiteral("Belegt"));
    const int id = buchung(1, tag(10), tag(12), QStringLiteral("Meier"));
    auto w = fenster();
    Uebergabe u;
    u.buchungId = id;
    ASSERT_TRUE(w->starten(u));
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->count(), 10) << "an empty entry and the nine rooms";

    imModalenFenster<frmZimmerauswahl>([](frmZimmerauswahl& d) {
        EXPECT_EQ(d.findChild<QGroupBox*>()->title(), QStringLiteral("Zimmerauswahl aus"));
        EXPECT_TRUE(d.optAllen->isChecked());
        d.optFreien->click();
        d.cmdOK->click();
    });
    child<QAction>(*w, "mnuZimmerauswahl")->trigger();
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(child<QRadioButton>(*w, "OptZiAuswahl1_1")->isChecked());
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->findText(QStringLiteral("102")), -1) << "room 102 is taken";
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->currentText(), QStringLiteral("101"));

    geoeffnet_ = false;
    dialogs_.answer(Answer::No);  // do not copy the guest into the first person line
    imModalenFenster<frmWeitere>([](frmWeitere& d) { d.cmdAbbrechen->click(); });
    child<QAction>(*w, "mnuWeiterePersonen")->trigger();
    EXPECT_TRUE(geoeffnet_) << "a saved, unchanged booking opens the further guests at once";
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Sollen die Adressdaten der Reservierung übernommen werden?")});
}

TEST_F(frmReservierungTest, LeavingABoxRunsItsCheck) {
    auto w = fenster();
    Uebergabe u = neu(1, tag(10), tag(12));
    ASSERT_TRUE(w->starten(u));
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));

    // An empty guest count is refused and the box keeps the focus.
    child<QLineEdit>(*w, "fldAnzahlGäste")->setFocus();
    tippen(child<QLineEdit>(*w, "fldAnzahlGäste"), QStringLiteral("0"));
    QTest::keyClick(child<QLineEdit>(*w, "fldAnzahlGäste"), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Dieses Feld darf nicht leer bzw. '0' sein.")});
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Anzahl der Gäste"));
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(*w, "fldAnzahlGäste"));

    // Two refused boxes do not hand the focus back and forth: going back is no leaving.
    dialogs_.clear();
    tippen(child<QLineEdit>(*w, "fldVon"), QStringLiteral("31.4.24"));
    child<QLineEdit>(*w, "fldVon")->setFocus();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Dieses Feld darf nicht leer bzw. '0' sein.")});
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(*w, "fldAnzahlGäste"));
    tippen(child<QLineEdit>(*w, "fldAnzahlGäste"), QStringLiteral("2"));
    dialogs_.clear();
    child<QLineEdit>(*w, "fldVon")->setFocus();
    child<QLineEdit>(*w, "fldBis")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Bitte überprüfen Sie das Datum")});
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(*w, "fldVon"));
    // Once the box is left correctly, typing elsewhere does not pull the focus back to it.
    child<QLineEdit>(*w, "fldVon")->setText(QStringLiteral("9.3.24"));
    child<QLineEdit>(*w, "fldKürzel")->setFocus();
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), QStringLiteral("K"));
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(*w, "fldKürzel"));
    child<QLineEdit>(*w, "fldVon")->setFocus();
    child<QLineEdit>(*w, "fldBis")->setFocus();
    EXPECT_EQ(child<QLineEdit>(*w, "fldVon")->text(), t(9)) << "a valid date is shown in full";

    // Leaving the remark runs its check: 300 characters are cut after Yes (the rule is ReservierungLogikTest's).
    dialogs_.answer(Answer::Yes);
    child<QPlainTextEdit>(*w, "fldInfo")->setFocus();
    child<QPlainTextEdit>(*w, "fldInfo")->setPlainText(QString(300, QLatin1Char('x')));
    child<QLineEdit>(*w, "fldKürzel")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(child<QPlainTextEdit>(*w, "fldInfo")->toPlainText().size(), 250);

    // The invoice address is found while typing; the box keeps the typed text until it is left.
    child<QComboBox>(*w, "cboAdrRechnung")->setFocus();
    QTest::keyClicks(child<QComboBox>(*w, "cboAdrRechnung"), QStringLiteral("Hu"));
    EXPECT_EQ(child<QComboBox>(*w, "cboAdrRechnung")->currentText(), QStringLiteral("Hu"));
    EXPECT_EQ(w->logik().adresse().rechnungsadresseId(), 2);
    child<QLineEdit>(*w, "fldKürzel")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(child<QComboBox>(*w, "cboAdrRechnung")->currentText(), QStringLiteral("Huber, Anna, 5020 Salzburg"));
}

TEST_F(frmReservierungTest, EntryPointsOpenTheFormOnTheProgramsDatabase) {
    const int id = buchung(3, tag(10), tag(12), QStringLiteral("Meier"));
    alsProgrammdatenbank();

    // A stored booking, as the plan's booking menu opens it.
    imModalenFenster<frmReservierung>([](frmReservierung& f) {
        EXPECT_EQ(child<QLineEdit>(f, "fldKürzel")->text(), QStringLiteral("Meier"));
        EXPECT_EQ(child<QComboBox>(f, "cboZimmer")->currentText(), QStringLiteral("103"));
        child<QPushButton>(f, "cmdSchliessen")->click();
    });
    frmReservierung::oeffnenBuchung(id, nullptr);
    EXPECT_TRUE(geoeffnet_);
    EXPECT_EQ(variablen().letzteReservierung, id);

    // A new booking for an address from the quick search.
    geoeffnet_ = false;
    imModalenFenster<frmReservierung>([](frmReservierung& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Neue Reservierung"));
        EXPECT_EQ(child<QComboBox>(f, "cboGastNeu")->currentText(), QStringLiteral("Huber"));
        EXPECT_EQ(child<QLineEdit>(f, "fldVon")->text() + QLatin1Char('-') + child<QLineEdit>(f, "fldBis")->text(),
                  QStringLiteral("01.03.2024-02.03.2024"));
        EXPECT_EQ(child<QComboBox>(f, "cboZimmer")->currentText(), QString());
        child<QPushButton>(f, "cmdSchliessen")->click();
    });
    frmReservierung::oeffnenNeu(2, tag(1), tag(2), nullptr);
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(variablen().uebergabe.neueBuchung);

    // A booking that was deleted meanwhile opens nothing.
    geoeffnet_ = false;
    variablen().uebergabe = Uebergabe{};
    variablen().uebergabe.buchungId = id + 1;
    frmReservierung::oeffnen(nullptr);
    EXPECT_FALSE(geoeffnet_);
    QApplication::processEvents();
}

TEST_F(frmReservierungTest, AnEntryWhoseWindowTheServiceLacksIsDisabled) {
    const int id = buchung(3, tag(10), tag(12), QStringLiteral("Meier"));
    struct Fall {
        const char* name;
        bool dienst;  // false: the form gets no window service at all
        QList<Ziel> da;
        bool rechnungen, zahlungen, konto;
    };
    const Fall faelle[] = {
        {"no service", false, {}, false, false, false},
        {"service without these windows", true, {Ziel::Reservierung, Ziel::Adresssuche}, false, false, false},
        {"invoices only", true, {Ziel::Rechnungen}, true, false, false},
        {"payments only", true, {Ziel::Zahlungen}, false, true, false},
        {"address account only", true, {Ziel::Adresskonto}, false, false, true},
        {"all three", true, {Ziel::Rechnungen, Ziel::Zahlungen, Ziel::Adresskonto}, true, true, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        FensterProtokoll dienst(fall.da);
        frmReservierung w(db(), beispiel_.get(), einstellungen(), umgebung(), nullptr, &dialogs_, &kollisionsDialog_,
                          fall.dienst ? &dienst : nullptr);
        Uebergabe u;
        u.buchungId = id;
        ASSERT_TRUE(w.starten(u));
        EXPECT_EQ(child<QPushButton>(w, "cmdRechnung")->isEnabled(), fall.rechnungen);
        EXPECT_EQ(child<QPushButton>(w, "cmdBezahlt")->isEnabled(), fall.rechnungen) << "it opens the invoices";
        EXPECT_EQ(child<QPushButton>(w, "cmdZahlDetails")->isEnabled(), fall.zahlungen);
        EXPECT_EQ(child<QAction>(w, "mnuRechnungAdr")->isEnabled(), fall.konto);
        EXPECT_EQ(child<QAction>(w, "mnuRechnungsadresse")->isEnabled(), fall.konto);
        // A disabled entry triggered anyway opens nothing.
        child<QAction>(w, "mnuRechnungAdr")->trigger();
        EXPECT_EQ(dienst.geoeffnet.size(), fall.konto ? 1 : 0);
    }
}

TEST_F(frmReservierungTest, ServiceWindowsOpenOnTheBookingAndItsAddresses) {
    const int id = buchung(3, tag(10), tag(12), QStringLiteral("Meier"));
    FensterProtokoll dienst({Ziel::Rechnungen, Ziel::Zahlungen, Ziel::Adresskonto});
    frmReservierung w(db(), beispiel_.get(), einstellungen(), umgebung(), nullptr, &dialogs_, &kollisionsDialog_, &dienst);
    Uebergabe u;
    u.buchungId = id;
    ASSERT_TRUE(w.starten(u));
    w.show();
    QApplication::processEvents();

    child<QPushButton>(w, "cmdRechnung")->click();
    child<QPushButton>(w, "cmdZahlDetails")->click();
    child<QAction>(w, "mnuRechnungAdr")->trigger();
    // With items not settled the paid button says so and opens the invoices.
    dialogs_.answer(Answer::Ok);
    child<QPushButton>(w, "cmdBezahlt")->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Es wurden noch nicht alle Posten dieser Reservierung abgerechnet.")});

    const QList<Ziel> ziele = {Ziel::Rechnungen, Ziel::Zahlungen, Ziel::Adresskonto, Ziel::Rechnungen};
    ASSERT_EQ(dienst.geoeffnet.size(), ziele.size());
    for (int i = 0; i < ziele.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& o = dienst.geoeffnet[i];
        EXPECT_EQ(o.ziel, ziele[i]);
        EXPECT_EQ(o.eltern, &w) << "over the form";
        EXPECT_EQ(o.aufruf.buchungId, ziele[i] == Ziel::Adresskonto ? 0 : id);
        EXPECT_EQ(o.aufruf.adressId, ziele[i] == Ziel::Adresskonto ? 1 : 0) << "the guest's address";
    }

    // A new booking is saved before its invoices open; its payments need it saved first.
    dienst.geoeffnet.clear();
    dialogs_.clear();
    Uebergabe n;
    n.neueBuchung = true;
    n.zimmerNummer = 5;
    n.anreise = tag(20);
    n.abreise = tag(22);
    frmReservierung f(db(), beispiel_.get(), einstellungen(), umgebung(), nullptr, &dialogs_, &kollisionsDialog_, &dienst);
    ASSERT_TRUE(f.starten(n));
    f.show();
    QApplication::processEvents();
    dialogs_.answer(Answer::Ok);
    child<QPushButton>(f, "cmdZahlDetails")->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Bitte speichern Sie zunächst die Daten.")});
    EXPECT_TRUE(dienst.geoeffnet.isEmpty());
    const int gast = f.findChild<QComboBox*>(QStringLiteral("cboGastNeu"))->findData(2);
    ASSERT_GE(gast, 0);
    emit child<QComboBox>(f, "cboGastNeu")->activated(gast);
    QTest::keyClicks(child<QLineEdit>(f, "fldKürzel"), QStringLiteral("Huber"));
    child<QPushButton>(f, "cmdRechnung")->click();
    const int gespeichert = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Huber'")).toInt();
    ASSERT_NE(gespeichert, 0) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
    ASSERT_EQ(dienst.geoeffnet.size(), 1);
    EXPECT_EQ(dienst.geoeffnet[0].ziel, Ziel::Rechnungen);
    EXPECT_EQ(dienst.geoeffnet[0].aufruf.buchungId, gespeichert);
}
