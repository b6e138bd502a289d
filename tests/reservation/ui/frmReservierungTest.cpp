#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
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
#include "support/FremdeSperre.h"

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

// Window tests: what the form's rules decide is ReservierungLogikTest's and BelegungTest's; here
// the window shows it, forwards its boxes and buttons, keeps the focus and disables what cannot work.
class frmReservierungTest : public test::FormularFixture {
protected:
    // The form over a new booking (zimmer > 0) or a stored one (id), shown; kollision nullptr:
    // the real collision dialog.
    std::unique_ptr<frmReservierung> fenster(Uebergabe u, KollisionsDialog* kollision, Fenster* dienst = nullptr) {
        auto w =
            std::make_unique<frmReservierung>(db(), beispiel_.get(), einstellungen(), umgebung(), nullptr, &dialogs_, kollision, dienst);
        EXPECT_TRUE(w->starten(u));
        w->show();
        QApplication::processEvents();
        return w;
    }
    std::unique_ptr<frmReservierung> neuesFenster(int zimmer, int von = 10, int bis = 12, Fenster* dienst = nullptr) {
        Uebergabe u;
        u.neueBuchung = true;
        u.zimmerNummer = zimmer;
        u.anreise = tag(von);
        u.abreise = tag(bis);
        return fenster(u, &kollisionsDialog_, dienst);
    }
    std::unique_ptr<frmReservierung> gespeichertesFenster(int id, Fenster* dienst = nullptr) {
        Uebergabe u;
        u.buchungId = id;
        return fenster(u, &kollisionsDialog_, dienst);
    }
    void aktiv(QWidget& w) {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

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

    // Runs `was` on the modal window that opens next.
    template <typename Fenster>
    void imModalenFenster(std::function<void(Fenster&)> was) {
        geoeffnet_ = false;
        QTimer::singleShot(0, [this, was] {
            auto* w = qobject_cast<Fenster*>(QApplication::activeModalWidget());
            ASSERT_NE(w, nullptr) << "the window is open";
            geoeffnet_ = true;
            was(*w);
        });
    }

    void kleinesFormular() { Parameter(*beispiel_).write(QStringLiteral("Res_Groesse"), {{1, QStringLiteral("klein")}}); }

    static void tippen(QLineEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
    }

    bool geoeffnet_ = false;
};

// The flow of a new guest: typed into the form, saved, reopened, one night more, saved again.
TEST_F(frmReservierungTest, NewGuestIsBookedAndTheReopenedBookingGetsOneNightMore) {
    auto w = neuesFenster(2);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Neue Reservierung"));
    EXPECT_EQ(child<QLineEdit>(*w, "fldPreis")->text(), QStringLiteral("160,00"));
    EXPECT_FALSE(child<QPushButton>(*w, "cmdLöschen")->isEnabled()) << "nothing stored to delete";
    EXPECT_TRUE(child<QLineEdit>(*w, "fldVorname")->isReadOnly()) << "address fields are locked until a new or changed address";

    dialogs_.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    QTest::keyClicks(child<QComboBox>(*w, "cboGastNeu"), QStringLiteral("Zander"));
    EXPECT_FALSE(child<QLineEdit>(*w, "fldVorname")->isReadOnly());
    QTest::keyClicks(child<QLineEdit>(*w, "fldVorname"), QStringLiteral("Ida"));
    child<QComboBox>(*w, "cboLand")->setCurrentText(QStringLiteral("Österreich"));
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), QStringLiteral("Zander"));
    tippen(child<QLineEdit>(*w, "fldAnzahlGäste"), QStringLiteral("3"));
    child<QPushButton>(*w, "cmdReservieren")->click();

    ASSERT_EQ(zeilen(), 1) << qPrintable(dialogs_.texts().join(QLatin1Char('|')));
    const int id = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Zander'")).toInt();
    EXPECT_EQ(std::tuple(wert(QStringLiteral("Zimmernummer"), id).toInt(), wert(QStringLiteral("Von"), id).toDate(),
                         wert(QStringLiteral("Bis"), id).toDate(), wert(QStringLiteral("AnzahlGäste"), id).toInt(),
                         wert(QStringLiteral("Preis"), id).toDouble()),
              std::tuple(2, tag(10), tag(12), 3, 160.0));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Lastname & '|' & Firstname & '|' & Country & '|' & IDLand FROM Address WHERE ID = ?"),
                          {wert(QStringLiteral("GastID"), id)}),
              QVariant(QStringLiteral("Zander|Ida|Österreich|2")));
    EXPECT_EQ(std::tuple(w->windowTitle(), child<QLineEdit>(*w, "txtBeNummer")->text(), child<QPushButton>(*w, "cmdLöschen")->isEnabled()),
              std::tuple(QStringLiteral("Reservierung Zander"), QStringLiteral("1"), true));
    EXPECT_EQ(variablen().letzteReservierung, id) << "for \"Zuletzt geöffnete Reservierung\"";
    w->close();

    auto wieder = gespeichertesFenster(id);
    EXPECT_EQ(child<QLineEdit>(*wieder, "fldVorname")->text(), QStringLiteral("Ida"));
    QTest::keyClick(child<QLineEdit>(*wieder, "fldBis"), '+');
    EXPECT_EQ(child<QLineEdit>(*wieder, "fldPreis")->text(), QStringLiteral("240,00"));
    child<QPushButton>(*wieder, "cmdReservieren")->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Neue Adresse anlegen?")}) << "closing and saving asked nothing more";
    EXPECT_EQ(std::tuple(zeilen(), wert(QStringLiteral("Bis"), id).toDate(), wert(QStringLiteral("Preis"), id).toDouble()),
              std::tuple(1, tag(13), 240.0));
}

TEST_F(frmReservierungTest, OverlapIsResolvedByMovingTheOlderBookingInTheCollisionDialog) {
    const int alt = buchung(2, tag(11), tag(13), QStringLiteral("Alt"));
    Uebergabe u;
    u.neueBuchung = true;
    u.zimmerNummer = 2;
    u.anreise = tag(10);
    u.abreise = tag(12);
    auto w = fenster(u, nullptr);
    EXPECT_TRUE(child<QFrame>(*w, "lbWarnung")->isEnabled()) << "the room is taken on the 11th";
    auto* gast = child<QComboBox>(*w, "cboGastNeu");
    const int meier = gast->findData(1);
    gast->setCurrentIndex(meier);
    emit gast->activated(meier);
    EXPECT_EQ(child<QComboBox>(*w, "fldStadt")->currentText(), QStringLiteral("Ulm"));
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), QStringLiteral("Neu"));

    imModalenFenster<frmCollision>([](frmCollision& d) {
        auto* ziel = test::child<QComboBox>(d, "cboBez_0");
        ziel->setCurrentIndex(ziel->findText(QStringLiteral("103")));
        test::child<QPushButton>(d, "cmdOK")->click();
    });
    child<QPushButton>(*w, "cmdReservieren")->click();
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
    EXPECT_EQ(wert(QStringLiteral("Zimmernummer"), alt).toInt(), 3) << "the older booking moved";
    EXPECT_EQ(zeilen(QStringLiteral("Kürzel = 'Neu' AND Zimmernummer = 2 AND GastID = 1")), 1);
    EXPECT_FALSE(child<QFrame>(*w, "lbWarnung")->isEnabled()) << "the room is free now";
}

// The small form shows the waiting row in the large one; its buttons browse and disable at the ends.
TEST_F(frmReservierungTest, WaitingRowShowsItsCountAndBrowses) {
    const int a = buchung(1, tag(7), tag(9), QStringLiteral("Anton"), true);
    const int b = buchung(2, tag(8), tag(10), QStringLiteral("Berta"), true);
    const int c = buchung(3, tag(6), tag(11), QStringLiteral("Cäsar"), true);
    kleinesFormular();
    Uebergabe u;
    u.buchungId = a;
    u.warteTag = tag(8);
    u.warteBuchungen = {a, b, c};
    auto w = fenster(u, &kollisionsDialog_);
    EXPECT_EQ(child<QLabel>(*w, "lblWarteposition")->text(),
              QStringLiteral("Warteposition für den 08.03.2024 (3 vorläufige Reservierungen)"));
    EXPECT_TRUE(child<QLineEdit>(*w, "fldVorname")->isVisibleTo(w.get())) << "the waiting position always shows the large form";
    EXPECT_FALSE(child<QPushButton>(*w, "cmdErster")->isEnabled());
    child<QPushButton>(*w, "cmdNächster")->click();
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->currentText(), QStringLiteral("102"));
    child<QPushButton>(*w, "cmdLetzter")->click();
    EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), QStringLiteral("Cäsar"));
    EXPECT_FALSE(child<QPushButton>(*w, "cmdNächster")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*w, "cmdErster")->isEnabled());
    EXPECT_EQ(variablen().letzteReservierung, c);
}

TEST_F(frmReservierungTest, SmallAndLargeSizeFromTheSizeMenu) {
    kleinesFormular();
    auto w = gespeichertesFenster(buchung(4, tag(10), tag(14), QStringLiteral("Meier")));
    EXPECT_TRUE(child<QLineEdit>(*w, "fldKürzel")->isVisibleTo(w.get()));
    EXPECT_FALSE(child<QLineEdit>(*w, "fldVorname")->isVisibleTo(w.get()));
    EXPECT_FALSE(child<QPushButton>(*w, "cmdWarten")->isVisibleTo(w.get()));
    const int kleineHoehe = w->height();
    auto* gast = child<QWidget>(*w, "fraGast");
    EXPECT_LE(gast->height(), gast->sizeHint().height() + 2) << "the guest group holds its one line, no empty panel";
    // A help text that wraps over several lines leaves the form where it is.
    const QSize vorher = w->size();
    child<QLabel>(*w, "lblHilfe")->setText(QString(400, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("Hilfe ")));
    QApplication::processEvents();
    EXPECT_EQ(w->size(), vorher);

    child<QAction>(*w, "cmdGroesser")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(child<QLineEdit>(*w, "fldVorname")->isVisibleTo(w.get()));
    EXPECT_TRUE(child<QPushButton>(*w, "cmdWarten")->isVisibleTo(w.get()));
    EXPECT_GT(w->height(), kleineHoehe);
    EXPECT_EQ(Parameter(*beispiel_).read(QStringLiteral("Res_Groesse"))->text(1), QStringLiteral("gross"));
}

TEST_F(frmReservierungTest, BoxesTakeOnlyTheirCharactersAndShowDuplicates) {
    buchung(5, tag(20), tag(22), QStringLiteral("Meier"));
    auto w = neuesFenster(1);
    auto* kuerzel = child<QLineEdit>(*w, "fldKürzel");
    QTest::keyClicks(kuerzel, QStringLiteral(" Mei:e.r"));
    EXPECT_EQ(kuerzel->text(), QStringLiteral("Meier"));
    const QColor doppelt = kuerzel->palette().color(QPalette::Base);
    QTest::keyClick(kuerzel, Qt::Key_Backspace);
    EXPECT_NE(kuerzel->palette().color(QPalette::Base), doppelt) << "only the short name another booking has is marked";
    QApplication::clipboard()->setText(QStringLiteral("Eingefügt"));
    QTest::keyClick(kuerzel, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(kuerzel, Qt::Key_Home);
    QTest::keyClick(kuerzel, Qt::Key_Space);
    EXPECT_EQ(kuerzel->text(), QStringLiteral("Meie")) << "nothing pasted, no blank in front";
    QTest::keyClick(kuerzel, Qt::Key_End);
    QTest::keyClicks(kuerzel, QStringLiteral("r Hans-Peter Gruber"));
    EXPECT_EQ(kuerzel->text(), QStringLiteral("Meier Hans-Peter ")) << "at most 17 characters";

    tippen(child<QLineEdit>(*w, "fldAnzahlGäste"), QStringLiteral("a1-2"));
    EXPECT_EQ(child<QLineEdit>(*w, "fldAnzahlGäste")->text(), QStringLiteral("12"));
    QTest::keyClicks(child<QLineEdit>(*w, "fldVon"), QStringLiteral("x/-"));
    EXPECT_EQ(child<QLineEdit>(*w, "fldVon")->text(), t(9)) << "no letters; '-' moves the date";
    EXPECT_EQ(child<QLineEdit>(*w, "fldPreis")->text(), QStringLiteral("240,00"));

    auto* art = child<QComboBox>(*w, "cboArt");
    art->setCurrentIndex(art->findText(QStringLiteral("Angebot")));
    emit art->activated(art->currentIndex());
    EXPECT_EQ(child<QPushButton>(*w, "cmdRechnung")->text(), QStringLiteral("&Angebot"));

    // F2 on the room option stores the default for the next opening.
    dialogs_.answer(Answer::Yes);
    QTest::keyClick(child<QRadioButton>(*w, "OptZiAuswahl1_1"), Qt::Key_F2);
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
    auto w = gespeichertesFenster(buchung(1, tag(10), tag(12), QStringLiteral("Meier")));
    imModalenFenster<frmZimmerauswahl>([](frmZimmerauswahl& d) {
        EXPECT_TRUE(d.optAllen->isChecked());
        d.optFreien->click();
        d.cmdOK->click();
    });
    child<QAction>(*w, "mnuZimmerauswahl")->trigger();
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(child<QRadioButton>(*w, "OptZiAuswahl1_1")->isChecked());
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->findText(QStringLiteral("102")), -1) << "room 102 is taken";
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->currentText(), QStringLiteral("101"));

    dialogs_.answer(Answer::No);  // do not copy the guest into the first person line
    imModalenFenster<frmWeitere>([](frmWeitere& d) { d.cmdAbbrechen->click(); });
    child<QAction>(*w, "mnuWeiterePersonen")->trigger();
    EXPECT_TRUE(geoeffnet_) << "a saved, unchanged booking opens the further guests at once";
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Sollen die Adressdaten der Reservierung übernommen werden?")});
}

// A refused box keeps the focus; going back to an earlier box is no leaving.
TEST_F(frmReservierungTest, LeavingABoxRunsItsCheckAndARefusedBoxKeepsTheFocus) {
    auto w = neuesFenster(1);
    aktiv(*w);
    auto* gaeste = child<QLineEdit>(*w, "fldAnzahlGäste");
    auto* von = child<QLineEdit>(*w, "fldVon");
    auto* kuerzel = child<QLineEdit>(*w, "fldKürzel");
    gaeste->setFocus();
    tippen(gaeste, QStringLiteral("0"));
    QTest::keyClick(gaeste, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Dieses Feld darf nicht leer bzw. '0' sein.")});
    EXPECT_EQ(QApplication::focusWidget(), gaeste);

    // Two refused boxes do not hand the focus back and forth.
    dialogs_.clear();
    tippen(von, QStringLiteral("31.4.24"));
    von->setFocus();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Dieses Feld darf nicht leer bzw. '0' sein.")});
    EXPECT_EQ(QApplication::focusWidget(), gaeste);
    tippen(gaeste, QStringLiteral("2"));
    dialogs_.clear();
    von->setFocus();
    child<QLineEdit>(*w, "fldBis")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Bitte überprüfen Sie das Datum")});
    EXPECT_EQ(QApplication::focusWidget(), von);
    // Once the box is left correctly, typing elsewhere does not pull the focus back to it.
    von->setText(QStringLiteral("9.3.24"));
    kuerzel->setFocus();
    QTest::keyClicks(kuerzel, QStringLiteral("K"));
    EXPECT_EQ(QApplication::focusWidget(), kuerzel);
    EXPECT_EQ(von->text(), t(9)) << "a valid date is shown in full";

    // The remark is cut after Yes when it is left.
    dialogs_.answer(Answer::Yes);
    child<QPlainTextEdit>(*w, "fldInfo")->setFocus();
    child<QPlainTextEdit>(*w, "fldInfo")->setPlainText(QString(300, QLatin1Char('x')));
    kuerzel->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(child<QPlainTextEdit>(*w, "fldInfo")->toPlainText().size(), 250);

    // The invoice address is found while typing; the box keeps the typed text until it is left.
    auto* rechnung = child<QComboBox>(*w, "cboAdrRechnung");
    rechnung->setFocus();
    QTest::keyClicks(rechnung, QStringLiteral("Hu"));
    EXPECT_EQ(rechnung->currentText(), QStringLiteral("Hu"));
    EXPECT_EQ(w->logik().adresse().rechnungsadresseId(), 2);
    kuerzel->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(rechnung->currentText(), QStringLiteral("Huber, Anna, 5020 Salzburg"));

    // A price per night beyond the bound is refused and the box keeps the focus.
    dialogs_.clear();
    auto* tarif = child<QComboBox>(*w, "cboTarif");
    tarif->setFocus();
    tarif->lineEdit()->selectAll();
    QTest::keyClicks(tarif, QStringLiteral("99999999999999999999"));
    kuerzel->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Der Preis pro Nacht muss zwischen 0,00 und 999.999,99 liegen.")});
    EXPECT_TRUE(QApplication::focusWidget() == tarif || QApplication::focusWidget() == tarif->lineEdit());
}

TEST_F(frmReservierungTest, EntryPointsOpenTheFormOnTheProgramsDatabase) {
    const int id = buchung(3, tag(10), tag(12), QStringLiteral("Meier"));
    alsProgrammdatenbank();
    // A stored booking, as the plan's booking menu opens it.
    imModalenFenster<frmReservierung>([](frmReservierung& f) {
        EXPECT_EQ(child<QLineEdit>(f, "fldKürzel")->text(), QStringLiteral("Meier"));
        child<QPushButton>(f, "cmdSchliessen")->click();
    });
    frmReservierung::oeffnenBuchung(id, nullptr);
    EXPECT_TRUE(geoeffnet_);
    EXPECT_EQ(variablen().letzteReservierung, id);

    // A new booking for an address from the quick search.
    imModalenFenster<frmReservierung>([](frmReservierung& f) {
        EXPECT_EQ(child<QComboBox>(f, "cboGastNeu")->currentText(), QStringLiteral("Huber"));
        EXPECT_EQ(child<QLineEdit>(f, "fldVon")->text() + QLatin1Char('-') + child<QLineEdit>(f, "fldBis")->text(),
                  QStringLiteral("01.03.2024-02.03.2024"));
        child<QPushButton>(f, "cmdSchliessen")->click();
    });
    frmReservierung::oeffnenNeu(2, tag(1), tag(2), nullptr);
    EXPECT_TRUE(geoeffnet_);

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
        {"payments and account", true, {Ziel::Zahlungen, Ziel::Adresskonto}, false, true, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        FensterProtokoll dienst(fall.da);
        auto w = gespeichertesFenster(id, fall.dienst ? &dienst : nullptr);
        EXPECT_EQ(child<QPushButton>(*w, "cmdRechnung")->isEnabled(), fall.rechnungen);
        EXPECT_EQ(child<QPushButton>(*w, "cmdBezahlt")->isEnabled(), fall.rechnungen) << "it opens the invoices";
        EXPECT_EQ(child<QPushButton>(*w, "cmdZahlDetails")->isEnabled(), fall.zahlungen);
        EXPECT_EQ(child<QAction>(*w, "mnuRechnungAdr")->isEnabled(), fall.konto);
        EXPECT_EQ(child<QAction>(*w, "mnuRechnungsadresse")->isEnabled(), fall.konto);
        child<QAction>(*w, "mnuRechnungAdr")->trigger();
        EXPECT_EQ(dienst.geoeffnet.size(), fall.konto ? 1 : 0) << "a disabled entry triggered anyway opens nothing";
    }
}

TEST_F(frmReservierungTest, ServiceWindowsOpenOnTheBookingAndItsAddresses) {
    const int id = buchung(3, tag(10), tag(12), QStringLiteral("Meier"));
    FensterProtokoll dienst({Ziel::Rechnungen, Ziel::Zahlungen, Ziel::Adresskonto});
    auto w = gespeichertesFenster(id, &dienst);
    child<QPushButton>(*w, "cmdRechnung")->click();
    child<QPushButton>(*w, "cmdZahlDetails")->click();
    child<QAction>(*w, "mnuRechnungAdr")->trigger();
    dialogs_.answer(Answer::Ok);  // not all items settled: said, then the invoices
    child<QPushButton>(*w, "cmdBezahlt")->click();
    const QList<Ziel> ziele = {Ziel::Rechnungen, Ziel::Zahlungen, Ziel::Adresskonto, Ziel::Rechnungen};
    ASSERT_EQ(dienst.geoeffnet.size(), ziele.size());
    for (int i = 0; i < ziele.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& o = dienst.geoeffnet[i];
        const bool konto = ziele[i] == Ziel::Adresskonto;
        EXPECT_EQ(std::tuple(o.ziel, o.eltern, o.aufruf.buchungId, o.aufruf.adressId),
                  std::tuple(ziele[i], static_cast<QObject*>(w.get()), konto ? 0 : id, konto ? 1 : 0));
    }

    // A new booking is saved before its invoices open; its payments need it saved first.
    dienst.geoeffnet.clear();
    dialogs_.clear();
    auto f = neuesFenster(5, 20, 22, &dienst);
    dialogs_.answer(Answer::Ok);
    child<QPushButton>(*f, "cmdZahlDetails")->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Bitte speichern Sie zunächst die Daten.")});
    EXPECT_TRUE(dienst.geoeffnet.isEmpty());
    emit child<QComboBox>(*f, "cboGastNeu")->activated(child<QComboBox>(*f, "cboGastNeu")->findData(2));
    QTest::keyClicks(child<QLineEdit>(*f, "fldKürzel"), QStringLiteral("Huber"));
    child<QPushButton>(*f, "cmdRechnung")->click();
    const int gespeichert = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Huber'")).toInt();
    ASSERT_NE(gespeichert, 0) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
    ASSERT_EQ(dienst.geoeffnet.size(), 1);
    EXPECT_EQ(std::tuple(dienst.geoeffnet[0].ziel, dienst.geoeffnet[0].aufruf.buchungId), std::tuple(Ziel::Rechnungen, gespeichert));
}

// Another workstation holds the database: the save is refused with a message naming the file,
// the form stays open with everything typed, and the same click saves once the lock is gone.
TEST_F(frmReservierungTest, ALockHeldElsewhereLeavesTheFormOpenWithWhatWasTyped) {
    auto w = neuesFenster(2);
    dialogs_.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    QTest::keyClicks(child<QComboBox>(*w, "cboGastNeu"), QStringLiteral("Zander"));
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), QStringLiteral("Zander"));
    dialogs_.clear();
    test::FremdeSperre::kurzWarten(db());
    {
        test::FremdeSperre sperre(test::FremdeSperre::installation(QFileInfo(db().path()).absolutePath()));
        child<QPushButton>(*w, "cmdReservieren")->click();
        ASSERT_FALSE(dialogs_.shown().isEmpty());
        const QString text = dialogs_.last().text;
        EXPECT_TRUE(text.contains(QStringLiteral("Datenbank: "))) << text.toStdString();
        for (const char* sql : {"SELECT", "INSERT", "UPDATE", "Abfrage"})
            EXPECT_FALSE(text.contains(QLatin1String(sql))) << text.toStdString();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), QStringLiteral("Zander"));
    }
    dialogs_.clear();
    child<QPushButton>(*w, "cmdReservieren")->click();
    EXPECT_EQ(zeilen(), 1) << qPrintable(dialogs_.texts().join(QLatin1Char('|')));
}
