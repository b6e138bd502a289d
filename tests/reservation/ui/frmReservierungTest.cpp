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

#include "reservation/FormularTestSupport.h"
#include "reservation/ui/frmCollision.h"
#include "reservation/ui/frmReservierung.h"
#include "reservation/ui/frmWeitere.h"
#include "reservation/ui/frmZimmerauswahl.h"
#include "support/QtPrinters.h"
#include "support/Screenshot.h"

using namespace tav;

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
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Neue Reservierung"));
    EXPECT_EQ(w->cboZimmer->currentText(), QStringLiteral("102"));
    EXPECT_EQ(w->fldVon->text(), t(10));
    EXPECT_EQ(w->fldResTage->text(), QStringLiteral("2"));
    EXPECT_EQ(w->cboTarif->currentText(), QStringLiteral("80,00"));
    EXPECT_EQ(w->fldPreis->text(), QStringLiteral("160,00"));
    EXPECT_EQ(w->lblWäsche1->text(), QStringLiteral("Handtücher"));
    EXPECT_EQ(w->fldWäsche2->text(), QStringLiteral("3"));
    EXPECT_TRUE(w->chFrühstück->isChecked());
    EXPECT_FALSE(w->lbWarnung->isEnabled());
    EXPECT_FALSE(w->cmdErster->isVisibleTo(w.get())) << "browse buttons only on the waiting row";
    EXPECT_FALSE(w->cmdLöschen->isEnabled()) << "nothing stored to delete";
    EXPECT_TRUE(w->fldVorname->isReadOnly()) << "address fields are locked until a new or changed address";

    dialogs_.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    QTest::keyClicks(w->cboGastNeu, QStringLiteral("Zander"));
    EXPECT_EQ(w->cboGastNeu->currentText(), QStringLiteral("Zander"));
    EXPECT_FALSE(w->fldVorname->isReadOnly());
    QTest::keyClicks(w->fldVorname, QStringLiteral("Ida"));
    w->cboLand->setCurrentText(QStringLiteral("Österreich"));
    QTest::keyClicks(w->fldKürzel, QStringLiteral("Zander"));
    tippen(w->fldAnzahlGäste, QStringLiteral("3"));
    test::saveScreenshot(*w, QStringLiteral("frmReservierung_gross"));
    w->cmdReservieren->click();

    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Neue Adresse anlegen?")});
    ASSERT_EQ(zeilen(), 1);
    const int id = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Zander'")).toInt();
    EXPECT_EQ(wert(QStringLiteral("Zimmernummer"), id).toInt(), 2);
    EXPECT_EQ(wert(QStringLiteral("Von"), id).toDate(), tag(10));
    EXPECT_EQ(wert(QStringLiteral("Bis"), id).toDate(), tag(12));
    EXPECT_EQ(wert(QStringLiteral("AnzahlGäste"), id).toInt(), 3);
    EXPECT_EQ(wert(QStringLiteral("AnzahlÜbernachtungen"), id).toInt(), 2);
    EXPECT_DOUBLE_EQ(wert(QStringLiteral("Preis"), id).toDouble(), 160.0);
    EXPECT_EQ(wert(QStringLiteral("Frühstück"), id).toInt(), -1);
    EXPECT_EQ(wert(QStringLiteral("Belegungsart"), id).toInt(), 1);
    const int gast = wert(QStringLiteral("GastID"), id).toInt();
    Recordset adresse = db().openRecordset(QStringLiteral("SELECT * FROM Address WHERE ID = ?"), {gast});
    ASSERT_FALSE(adresse.eof());
    EXPECT_EQ(adresse.text(QStringLiteral("Lastname")), QStringLiteral("Zander"));
    EXPECT_EQ(adresse.text(QStringLiteral("Firstname")), QStringLiteral("Ida"));
    EXPECT_EQ(adresse.text(QStringLiteral("Country")), QStringLiteral("Österreich"));
    EXPECT_EQ(adresse.integer(QStringLiteral("IDLand")), 2);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Reservierung Zander"));
    EXPECT_EQ(w->txtBeNummer->text(), QStringLiteral("1"));
    EXPECT_TRUE(w->cmdLöschen->isEnabled());
    EXPECT_EQ(variablen().letzteReservierung, id) << "for \"Zuletzt geöffnete Reservierung\"";
    w->close();
    EXPECT_EQ(dialogs_.shown().size(), 1) << "saved: closing asks nothing";

    auto wieder = fenster();
    Uebergabe offen;
    offen.buchungId = id;
    ASSERT_TRUE(wieder->starten(offen));
    wieder->show();
    QApplication::processEvents();
    EXPECT_EQ(wieder->cboGastNeu->currentText(), QStringLiteral("Zander"));
    EXPECT_EQ(wieder->fldVorname->text(), QStringLiteral("Ida"));
    EXPECT_EQ(wieder->cboLand->currentText(), QStringLiteral("Österreich"));
    EXPECT_EQ(wieder->fldAnzahlGäste->text(), QStringLiteral("3"));
    QTest::keyClick(wieder->fldBis, '+');
    EXPECT_EQ(wieder->fldBis->text(), t(13));
    EXPECT_EQ(wieder->fldResTage->text(), QStringLiteral("3"));
    EXPECT_EQ(wieder->fldPreis->text(), QStringLiteral("240,00"));
    wieder->cmdReservieren->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Neue Adresse anlegen?")}) << "no further message";
    EXPECT_EQ(zeilen(), 1);
    EXPECT_EQ(wert(QStringLiteral("Bis"), id).toDate(), tag(13));
    EXPECT_EQ(wert(QStringLiteral("AnzahlÜbernachtungen"), id).toInt(), 3);
    EXPECT_DOUBLE_EQ(wert(QStringLiteral("Preis"), id).toDouble(), 240.0);
}

TEST_F(frmReservierungTest, OverlapIsResolvedByMovingTheOlderBookingInTheCollisionDialog) {
    const int alt = buchung(2, tag(11), tag(13), QStringLiteral("Alt"));
    auto w = fenster(nullptr);
    Uebergabe u = neu(2, tag(10), tag(12));
    ASSERT_TRUE(w->starten(u));
    w->show();
    QApplication::processEvents();
    EXPECT_TRUE(w->lbWarnung->isEnabled()) << "the room is taken on the 11th";
    EXPECT_TRUE(w->lbWarnungSchrift->isEnabled());
    EXPECT_EQ(w->lbWarnung->palette().color(QPalette::Window), QColor(255, 0, 0));
    const int meier = w->cboGastNeu->findData(1);
    ASSERT_GE(meier, 0);
    w->cboGastNeu->setCurrentIndex(meier);
    emit w->cboGastNeu->activated(meier);
    EXPECT_EQ(w->fldStadt->currentText(), QStringLiteral("Ulm"));
    QTest::keyClicks(w->fldKürzel, QStringLiteral("Neu"));
    test::saveScreenshot(*w, QStringLiteral("frmReservierung_ueberschneidung"));

    imModalenFenster<frmCollision>([](frmCollision& d) {
        auto* ziel = d.findChild<QComboBox*>(QStringLiteral("cboBez_0"));
        ASSERT_NE(ziel, nullptr);
        ziel->setCurrentIndex(ziel->findText(QStringLiteral("103")));
        d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    w->cmdReservieren->click();
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
    EXPECT_EQ(wert(QStringLiteral("Zimmernummer"), alt).toInt(), 3) << "the older booking moved";
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'Neu' AND Zimmernummer = 2 AND GastID = 1")), 1);
    EXPECT_FALSE(w->lbWarnung->isEnabled()) << "the room is free now";
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
    EXPECT_TRUE(w->lblWarteposition->isVisibleTo(w.get()));
    EXPECT_EQ(w->lblWarteposition->text(), QStringLiteral("Warteposition für den 08.03.2024 (3 vorläufige Reservierungen)"));
    EXPECT_TRUE(w->fldVorname->isVisibleTo(w.get())) << "the waiting position always shows the large form";
    EXPECT_FALSE(w->cmdErster->isEnabled());
    EXPECT_FALSE(w->cmdVoriger->isEnabled());
    EXPECT_EQ(w->fldKürzel->text(), QStringLiteral("Anton"));
    test::saveScreenshot(*w, QStringLiteral("frmReservierung_warteposition"));
    w->cmdNächster->click();
    EXPECT_EQ(w->fldKürzel->text(), QStringLiteral("Berta"));
    EXPECT_EQ(w->cboZimmer->currentText(), QStringLiteral("102"));
    w->cmdLetzter->click();
    EXPECT_EQ(w->fldKürzel->text(), QStringLiteral("Cäsar"));
    EXPECT_FALSE(w->cmdNächster->isEnabled());
    EXPECT_TRUE(w->cmdErster->isEnabled());
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
    for (QWidget* sichtbar : std::initializer_list<QWidget*>{w->cboGastNeu, w->cboZimmer, w->fldVon, w->fldBis, w->cboArt,
                                                              w->fldAnzahlGäste, w->fldKürzel, w->cboTarif, w->fldPreis,
                                                              w->lbChecked, w->cmdReservieren, w->cmdZu, w->cmdSchliessen})
        EXPECT_TRUE(sichtbar->isVisibleTo(w.get())) << qPrintable(sichtbar->objectName());
    for (QWidget* versteckt : std::initializer_list<QWidget*>{w->fldVorname, w->fldStrasse, w->cboAdrRechnung, w->fldInfo,
                                                               w->cboZahlart, w->cmdWarten, w->cmdLöschen, w->chFix})
        EXPECT_FALSE(versteckt->isVisibleTo(w.get())) << qPrintable(versteckt->objectName());
    EXPECT_TRUE(w->cmdKleiner->isChecked());
    test::saveScreenshot(*w, QStringLiteral("frmReservierung_klein"));
    const int kleineHoehe = w->height();

    w->cmdGroesser->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(w->fldVorname->isVisibleTo(w.get()));
    EXPECT_TRUE(w->cmdWarten->isVisibleTo(w.get()));
    EXPECT_GT(w->height(), kleineHoehe);
    EXPECT_EQ(Parameter(*beispiel_).read(QStringLiteral("Res_Groesse"))->text(1), QStringLiteral("gross"));
    test::saveScreenshot(*w, QStringLiteral("frmReservierung_gross_gespeichert"));
}

TEST_F(frmReservierungTest, BoxesTakeOnlyTheirCharactersAndShowDuplicates) {
    buchung(5, tag(20), tag(22), QStringLiteral("Meier"));
    auto w = fenster();
    Uebergabe u = neu(1, tag(10), tag(12));
    ASSERT_TRUE(w->starten(u));
    w->show();
    QApplication::processEvents();

    QTest::keyClicks(w->fldKürzel, QStringLiteral(" Mei:e.r"));
    EXPECT_EQ(w->fldKürzel->text(), QStringLiteral("Meier"));
    EXPECT_EQ(w->fldKürzel->palette().color(QPalette::Base), QColor(255, 187, 164)) << "another booking has it";
    QTest::keyClick(w->fldKürzel, Qt::Key_Backspace);
    EXPECT_EQ(w->fldKürzel->palette().color(QPalette::Base), QColor(149, 255, 173));
    QApplication::clipboard()->setText(QStringLiteral("Eingefügt"));
    QTest::keyClick(w->fldKürzel, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->fldKürzel->text(), QStringLiteral("Meie")) << "nothing is pasted";
    QTest::keyClick(w->fldKürzel, Qt::Key_Home);
    QTest::keyClick(w->fldKürzel, Qt::Key_Space);
    EXPECT_EQ(w->fldKürzel->text(), QStringLiteral("Meie")) << "no blank in front";
    QTest::keyClick(w->fldKürzel, Qt::Key_End);
    QTest::keyClicks(w->fldKürzel, QStringLiteral("r Hans-Peter Gruber"));
    EXPECT_EQ(w->fldKürzel->text(), QStringLiteral("Meier Hans-Peter ")) << "at most 17 characters";

    tippen(w->fldAnzahlGäste, QStringLiteral("a1-2"));
    EXPECT_EQ(w->fldAnzahlGäste->text(), QStringLiteral("12"));
    QTest::keyClicks(w->fldVon, QStringLiteral("x/"));
    EXPECT_EQ(w->fldVon->text(), t(10));
    QTest::keyClick(w->fldVon, '-');
    EXPECT_EQ(w->fldVon->text(), t(9));
    EXPECT_EQ(w->fldPreis->text(), QStringLiteral("240,00"));

    // The kind relabels the document buttons.
    const int angebot = w->cboArt->findText(QStringLiteral("Angebot"));
    w->cboArt->setCurrentIndex(angebot);
    emit w->cboArt->activated(angebot);
    EXPECT_EQ(w->cmdBestVorschau->text(), QStringLiteral("Angebot (ein&f.)"));
    EXPECT_EQ(w->cmdRechnung->text(), QStringLiteral("&Angebot"));

    // F2 on the room option stores the default for the next opening.
    dialogs_.answer(Answer::Yes);
    QTest::keyClick(w->optFreieZimmer, Qt::Key_F2);
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Vorgabe beim Öffnen"));
    EXPECT_TRUE(Parameter(db()).readYesNo(QStringLiteral("AlleFreien")));

    // Closing with unsaved changes asks; Cancel keeps the form open.
    dialogs_.answer(Answer::Cancel);
    w->cmdSchliessen->click();
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Änderungen der Reservierung speichern?"));
    EXPECT_TRUE(w->isVisible());
    dialogs_.answer(Answer::No);
    w->cmdSchliessen->click();
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
    EXPECT_EQ(w->cboZimmer->count(), 10) << "an empty entry and the nine rooms";

    imModalenFenster<frmZimmerauswahl>([](frmZimmerauswahl& d) {
        EXPECT_EQ(d.findChild<QGroupBox*>()->title(), QStringLiteral("Zimmerauswahl aus"));
        EXPECT_TRUE(d.optAllen->isChecked());
        test::saveScreenshot(d, QStringLiteral("frmZimmerauswahl"));
        d.optFreien->click();
        d.cmdOK->click();
    });
    w->mnuZimmerauswahl->trigger();
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(w->optFreieZimmer->isChecked());
    EXPECT_EQ(w->cboZimmer->findText(QStringLiteral("102")), -1) << "room 102 is taken";
    EXPECT_EQ(w->cboZimmer->currentText(), QStringLiteral("101"));

    geoeffnet_ = false;
    dialogs_.answer(Answer::No);  // do not copy the guest into the first person line
    imModalenFenster<frmWeitere>([](frmWeitere& d) { d.cmdAbbrechen->click(); });
    w->mnuWeiterePersonen->trigger();
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
    w->fldAnzahlGäste->setFocus();
    tippen(w->fldAnzahlGäste, QStringLiteral("0"));
    QTest::keyClick(w->fldAnzahlGäste, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Dieses Feld darf nicht leer bzw. '0' sein.")});
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Anzahl der Gäste"));
    EXPECT_EQ(QApplication::focusWidget(), w->fldAnzahlGäste);

    // Two refused boxes do not hand the focus back and forth: going back is no leaving.
    dialogs_.clear();
    tippen(w->fldVon, QStringLiteral("31.4.24"));
    w->fldVon->setFocus();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Dieses Feld darf nicht leer bzw. '0' sein.")});
    EXPECT_EQ(QApplication::focusWidget(), w->fldAnzahlGäste);
    tippen(w->fldAnzahlGäste, QStringLiteral("2"));
    dialogs_.clear();
    w->fldVon->setFocus();
    w->fldBis->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Bitte überprüfen Sie das Datum")});
    EXPECT_EQ(QApplication::focusWidget(), w->fldVon);
    // Once the box is left correctly, typing elsewhere does not pull the focus back to it.
    w->fldVon->setText(QStringLiteral("9.3.24"));
    w->fldKürzel->setFocus();
    QTest::keyClicks(w->fldKürzel, QStringLiteral("K"));
    EXPECT_EQ(QApplication::focusWidget(), w->fldKürzel);
    w->fldVon->setFocus();
    w->fldBis->setFocus();
    EXPECT_EQ(w->fldVon->text(), t(9)) << "a valid date is shown in full";

    // A remark of 300 characters is cut after Yes.
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    w->fldInfo->setFocus();
    w->fldInfo->setPlainText(QString(300, QLatin1Char('x')));
    w->fldKürzel->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(),
              QStringList{QStringLiteral("Die Datenmenge dieses Feldes ist zu groß. Soll die Information abgeschnitten werden?")});
    EXPECT_EQ(w->fldInfo->toPlainText().size(), 250);

    // The invoice address is found while typing; the box keeps the typed text until it is left.
    w->cboAdrRechnung->setFocus();
    QTest::keyClicks(w->cboAdrRechnung, QStringLiteral("Hu"));
    EXPECT_EQ(w->cboAdrRechnung->currentText(), QStringLiteral("Hu"));
    EXPECT_EQ(w->logik().adresse().rechnungsadresseId(), 2);
    w->fldKürzel->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w->cboAdrRechnung->currentText(), QStringLiteral("Huber, Anna, 5020 Salzburg"));
}

TEST_F(frmReservierungTest, EntryPointsOpenTheFormOnTheProgramsDatabase) {
    const int id = buchung(3, tag(10), tag(12), QStringLiteral("Meier"));
    alsProgrammdatenbank();

    // A stored booking, as the plan's booking menu opens it.
    imModalenFenster<frmReservierung>([](frmReservierung& f) {
        EXPECT_EQ(f.fldKürzel->text(), QStringLiteral("Meier"));
        EXPECT_EQ(f.cboZimmer->currentText(), QStringLiteral("103"));
        f.cmdSchliessen->click();
    });
    frmReservierung::oeffnenBuchung(id, nullptr);
    EXPECT_TRUE(geoeffnet_);
    EXPECT_EQ(variablen().letzteReservierung, id);

    // A new booking for an address from the quick search.
    geoeffnet_ = false;
    imModalenFenster<frmReservierung>([](frmReservierung& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Neue Reservierung"));
        EXPECT_EQ(f.cboGastNeu->currentText(), QStringLiteral("Huber"));
        EXPECT_EQ(f.cboLand->currentText(), QStringLiteral("Österreich"));
        EXPECT_EQ(f.fldVon->text(), QStringLiteral("01.03.2024"));
        EXPECT_EQ(f.fldBis->text(), QStringLiteral("02.03.2024"));
        EXPECT_EQ(f.cboZimmer->currentText(), QString());
        f.cmdSchliessen->click();
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
