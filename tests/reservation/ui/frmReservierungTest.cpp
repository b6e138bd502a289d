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
using namespace Qt::StringLiterals;
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

    void kleinesFormular() { Parameter(*beispiel_).write(u"Res_Groesse"_s, {{1, u"klein"_s}}); }

    static void tippen(QLineEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
    }

    bool geoeffnet_ = false;
};

// The flow of a new guest: typed into the form, saved, reopened, one night more, saved again.
TEST_F(frmReservierungTest, NewGuestIsBookedAndTheReopenedBookingGetsOneNightMore) {
    auto w = neuesFenster(2);
    EXPECT_EQ(w->windowTitle(), u"Neue Reservierung"_s);
    EXPECT_EQ(child<QLineEdit>(*w, "fldPreis")->text(), u"160,00"_s);
    EXPECT_FALSE(child<QPushButton>(*w, "cmdLöschen")->isEnabled()) << "nothing stored to delete";
    EXPECT_TRUE(child<QLineEdit>(*w, "fldVorname")->isReadOnly()) << "address fields are locked until a new or changed address";

    dialogs_.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    QTest::keyClicks(child<QComboBox>(*w, "cboGastNeu"), u"Zander"_s);
    EXPECT_FALSE(child<QLineEdit>(*w, "fldVorname")->isReadOnly());
    QTest::keyClicks(child<QLineEdit>(*w, "fldVorname"), u"Ida"_s);
    child<QComboBox>(*w, "cboLand")->setCurrentText(u"Österreich"_s);
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), u"Zander"_s);
    tippen(child<QLineEdit>(*w, "fldAnzahlGäste"), u"3"_s);
    child<QPushButton>(*w, "cmdReservieren")->click();

    ASSERT_EQ(zeilen(), 1) << qPrintable(dialogs_.texts().join(QLatin1Char('|')));
    const int id = db().scalar(u"SELECT ID FROM tblBelegung WHERE Kürzel = 'Zander'"_s).toInt();
    EXPECT_EQ(std::tuple(wert(u"Zimmernummer"_s, id).toInt(), wert(u"Von"_s, id).toDate(), wert(u"Bis"_s, id).toDate(),
                         wert(u"AnzahlGäste"_s, id).toInt(), wert(u"Preis"_s, id).toDouble()),
              std::tuple(2, tag(10), tag(12), 3, 160.0));
    EXPECT_EQ(db().scalar(u"SELECT Lastname & '|' & Firstname & '|' & Country & '|' & IDLand FROM Address WHERE ID = ?"_s,
                          {wert(u"GastID"_s, id)}),
              QVariant(u"Zander|Ida|Österreich|2"_s));
    EXPECT_EQ(std::tuple(w->windowTitle(), child<QLineEdit>(*w, "txtBeNummer")->text(), child<QPushButton>(*w, "cmdLöschen")->isEnabled()),
              std::tuple(u"Reservierung Zander"_s, u"1"_s, true));
    EXPECT_EQ(variablen().letzteReservierung, id) << "for \"Zuletzt geöffnete Reservierung\"";
    w->close();

    auto wieder = gespeichertesFenster(id);
    EXPECT_EQ(child<QLineEdit>(*wieder, "fldVorname")->text(), u"Ida"_s);
    QTest::keyClick(child<QLineEdit>(*wieder, "fldBis"), '+');
    EXPECT_EQ(child<QLineEdit>(*wieder, "fldPreis")->text(), u"240,00"_s);
    child<QPushButton>(*wieder, "cmdReservieren")->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Neue Adresse anlegen?"_s}) << "closing and saving asked nothing more";
    EXPECT_EQ(std::tuple(zeilen(), wert(u"Bis"_s, id).toDate(), wert(u"Preis"_s, id).toDouble()), std::tuple(1, tag(13), 240.0));
}

TEST_F(frmReservierungTest, OverlapIsResolvedByMovingTheOlderBookingInTheCollisionDialog) {
    const int alt = buchung(2, tag(11), tag(13), u"Alt"_s);
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
    EXPECT_EQ(child<QComboBox>(*w, "fldStadt")->currentText(), u"Ulm"_s);
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), u"Neu"_s);

    imModalenFenster<frmCollision>([](frmCollision& d) {
        auto* ziel = test::child<QComboBox>(d, "cboBez_0");
        ziel->setCurrentIndex(ziel->findText(u"103"_s));
        test::child<QPushButton>(d, "cmdOK")->click();
    });
    child<QPushButton>(*w, "cmdReservieren")->click();
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(u" | "_s));
    EXPECT_EQ(wert(u"Zimmernummer"_s, alt).toInt(), 3) << "the older booking moved";
    EXPECT_EQ(zeilen(u"Kürzel = 'Neu' AND Zimmernummer = 2 AND GastID = 1"_s), 1);
    EXPECT_FALSE(child<QFrame>(*w, "lbWarnung")->isEnabled()) << "the room is free now";
}

// The small form shows the waiting row in the large one; its buttons browse and disable at the ends.
TEST_F(frmReservierungTest, WaitingRowShowsItsCountAndBrowses) {
    const int a = buchung(1, tag(7), tag(9), u"Anton"_s, true);
    const int b = buchung(2, tag(8), tag(10), u"Berta"_s, true);
    const int c = buchung(3, tag(6), tag(11), u"Cäsar"_s, true);
    kleinesFormular();
    Uebergabe u;
    u.buchungId = a;
    u.warteTag = tag(8);
    u.warteBuchungen = {a, b, c};
    auto w = fenster(u, &kollisionsDialog_);
    EXPECT_EQ(child<QLabel>(*w, "lblWarteposition")->text(), u"Warteposition für den 08.03.2024 (3 vorläufige Reservierungen)"_s);
    EXPECT_TRUE(child<QLineEdit>(*w, "fldVorname")->isVisibleTo(w.get())) << "the waiting position always shows the large form";
    EXPECT_FALSE(child<QPushButton>(*w, "cmdErster")->isEnabled());
    child<QPushButton>(*w, "cmdNächster")->click();
    EXPECT_EQ(child<QComboBox>(*w, "cboZimmer")->currentText(), u"102"_s);
    child<QPushButton>(*w, "cmdLetzter")->click();
    EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), u"Cäsar"_s);
    EXPECT_EQ(std::tuple(child<QPushButton>(*w, "cmdNächster")->isEnabled(), child<QPushButton>(*w, "cmdErster")->isEnabled(),
                         variablen().letzteReservierung),
              std::tuple(false, true, c));
}

TEST_F(frmReservierungTest, SmallAndLargeSizeFromTheSizeMenu) {
    kleinesFormular();
    auto w = gespeichertesFenster(buchung(4, tag(10), tag(14), u"Meier"_s));
    // Short name, first name and waiting button: the small form shows only the first.
    const auto sichtbar = [&w] {
        return QList<bool>({child<QLineEdit>(*w, "fldKürzel")->isVisibleTo(w.get()),
                            child<QLineEdit>(*w, "fldVorname")->isVisibleTo(w.get()),
                            child<QPushButton>(*w, "cmdWarten")->isVisibleTo(w.get())});
    };
    EXPECT_EQ(sichtbar(), QList<bool>({true, false, false}));
    const int kleineHoehe = w->height();
    auto* gast = child<QWidget>(*w, "fraGast");
    EXPECT_LE(gast->height(), gast->sizeHint().height() + 2) << "the guest group holds its one line, no empty panel";
    // A help text that wraps over several lines leaves the form where it is.
    const QSize vorher = w->size();
    child<QLabel>(*w, "lblHilfe")->setText(QString(400, QLatin1Char('x')).replace(QLatin1Char('x'), u"Hilfe "_s));
    QApplication::processEvents();
    EXPECT_EQ(w->size(), vorher);

    child<QAction>(*w, "cmdGroesser")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(sichtbar(), QList<bool>({true, true, true}));
    EXPECT_GT(w->height(), kleineHoehe);
    EXPECT_EQ(Parameter(*beispiel_).read(u"Res_Groesse"_s)->text(1), u"gross"_s);
}

TEST_F(frmReservierungTest, BoxesTakeOnlyTheirCharactersAndShowDuplicates) {
    buchung(5, tag(20), tag(22), u"Meier"_s);
    auto w = neuesFenster(1);
    auto* kuerzel = child<QLineEdit>(*w, "fldKürzel");
    QTest::keyClicks(kuerzel, u" Mei:e.r"_s);
    EXPECT_EQ(kuerzel->text(), u"Meier"_s);
    const QColor doppelt = kuerzel->palette().color(QPalette::Base);
    QTest::keyClick(kuerzel, Qt::Key_Backspace);
    EXPECT_NE(kuerzel->palette().color(QPalette::Base), doppelt) << "only the short name another booking has is marked";
    QApplication::clipboard()->setText(u"Eingefügt"_s);
    QTest::keyClick(kuerzel, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(kuerzel, Qt::Key_Home);
    QTest::keyClick(kuerzel, Qt::Key_Space);
    EXPECT_EQ(kuerzel->text(), u"Meie"_s) << "nothing pasted, no blank in front";
    QTest::keyClick(kuerzel, Qt::Key_End);
    QTest::keyClicks(kuerzel, u"r Hans-Peter Gruber"_s);
    EXPECT_EQ(kuerzel->text(), u"Meier Hans-Peter "_s) << "at most 17 characters";

    // Digits only in the guest count; no letters in a date, where '-' moves the date and the total follows.
    tippen(child<QLineEdit>(*w, "fldAnzahlGäste"), u"a1-2"_s);
    QTest::keyClicks(child<QLineEdit>(*w, "fldVon"), u"x/-"_s);
    EXPECT_EQ(QStringList({child<QLineEdit>(*w, "fldAnzahlGäste")->text(), child<QLineEdit>(*w, "fldVon")->text(),
                           child<QLineEdit>(*w, "fldPreis")->text()}),
              QStringList({"12", t(9), "240,00"}));

    auto* art = child<QComboBox>(*w, "cboArt");
    art->setCurrentIndex(art->findText(u"Angebot"_s));
    emit art->activated(art->currentIndex());
    EXPECT_EQ(child<QPushButton>(*w, "cmdRechnung")->text(), u"&Angebot"_s);

    // F2 on the room option stores the default for the next opening.
    dialogs_.answer(Answer::Yes);
    QTest::keyClick(child<QRadioButton>(*w, "OptZiAuswahl1_1"), Qt::Key_F2);
    EXPECT_TRUE(Parameter(db()).readYesNo(u"AlleFreien"_s));

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
    buchung(2, tag(10), tag(12), u"Belegt"_s);
    auto w = gespeichertesFenster(buchung(1, tag(10), tag(12), u"Meier"_s));
    imModalenFenster<frmZimmerauswahl>([](frmZimmerauswahl& d) {
        EXPECT_TRUE(d.optAllen->isChecked());
        d.optFreien->click();
        d.cmdOK->click();
    });
    child<QAction>(*w, "mnuZimmerauswahl")->trigger();
    EXPECT_TRUE(geoeffnet_ && child<QRadioButton>(*w, "OptZiAuswahl1_1")->isChecked());
    EXPECT_EQ(std::tuple(child<QComboBox>(*w, "cboZimmer")->findText(u"102"_s), child<QComboBox>(*w, "cboZimmer")->currentText()),
              std::tuple(-1, u"101"_s))
        << "room 102 is taken";

    dialogs_.answer(Answer::No);  // do not copy the guest into the first person line
    imModalenFenster<frmWeitere>([](frmWeitere& d) { d.cmdAbbrechen->click(); });
    child<QAction>(*w, "mnuWeiterePersonen")->trigger();
    EXPECT_TRUE(geoeffnet_) << "a saved, unchanged booking opens the further guests at once";
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Sollen die Adressdaten der Reservierung übernommen werden?"_s});
}

// A refused box keeps the focus; going back to an earlier box is no leaving.
TEST_F(frmReservierungTest, LeavingABoxRunsItsCheckAndARefusedBoxKeepsTheFocus) {
    auto w = neuesFenster(1);
    aktiv(*w);
    auto* gaeste = child<QLineEdit>(*w, "fldAnzahlGäste");
    auto* von = child<QLineEdit>(*w, "fldVon");
    auto* kuerzel = child<QLineEdit>(*w, "fldKürzel");
    gaeste->setFocus();
    tippen(gaeste, u"0"_s);
    QTest::keyClick(gaeste, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Dieses Feld darf nicht leer bzw. '0' sein."_s});
    EXPECT_EQ(QApplication::focusWidget(), gaeste);

    // Two refused boxes do not hand the focus back and forth.
    dialogs_.clear();
    tippen(von, u"31.4.24"_s);
    von->setFocus();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Dieses Feld darf nicht leer bzw. '0' sein."_s});
    EXPECT_EQ(QApplication::focusWidget(), gaeste);
    tippen(gaeste, u"2"_s);
    dialogs_.clear();
    von->setFocus();
    child<QLineEdit>(*w, "fldBis")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Bitte überprüfen Sie das Datum"_s});
    EXPECT_EQ(QApplication::focusWidget(), von);
    // Once the box is left correctly, typing elsewhere does not pull the focus back to it.
    von->setText(u"9.3.24"_s);
    kuerzel->setFocus();
    QTest::keyClicks(kuerzel, u"K"_s);
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
    QTest::keyClicks(rechnung, u"Hu"_s);
    EXPECT_EQ(rechnung->currentText(), u"Hu"_s);
    EXPECT_EQ(w->logik().adresse().rechnungsadresseId(), 2);
    kuerzel->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(rechnung->currentText(), u"Huber, Anna, 5020 Salzburg"_s);

    // A price per night beyond the bound is refused and the box keeps the focus.
    dialogs_.clear();
    auto* tarif = child<QComboBox>(*w, "cboTarif");
    tarif->setFocus();
    tarif->lineEdit()->selectAll();
    QTest::keyClicks(tarif, u"99999999999999999999"_s);
    kuerzel->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Der Preis pro Nacht muss zwischen 0,00 und 999.999,99 liegen."_s});
    EXPECT_TRUE(QApplication::focusWidget() == tarif || QApplication::focusWidget() == tarif->lineEdit());
}

TEST_F(frmReservierungTest, EntryPointsOpenTheFormOnTheProgramsDatabase) {
    const int id = buchung(3, tag(10), tag(12), u"Meier"_s);
    alsProgrammdatenbank();
    // A stored booking, as the plan's booking menu opens it.
    imModalenFenster<frmReservierung>([](frmReservierung& f) {
        EXPECT_EQ(child<QLineEdit>(f, "fldKürzel")->text(), u"Meier"_s);
        child<QPushButton>(f, "cmdSchliessen")->click();
    });
    frmReservierung::oeffnenBuchung(id, nullptr);
    EXPECT_TRUE(geoeffnet_);
    EXPECT_EQ(variablen().letzteReservierung, id);

    // A new booking for an address from the quick search.
    imModalenFenster<frmReservierung>([](frmReservierung& f) {
        EXPECT_EQ(child<QComboBox>(f, "cboGastNeu")->currentText(), u"Huber"_s);
        EXPECT_EQ(child<QLineEdit>(f, "fldVon")->text() + QLatin1Char('-') + child<QLineEdit>(f, "fldBis")->text(),
                  u"01.03.2024-02.03.2024"_s);
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
    const int id = buchung(3, tag(10), tag(12), u"Meier"_s);
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
    const int id = buchung(3, tag(10), tag(12), u"Meier"_s);
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
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Bitte speichern Sie zunächst die Daten."_s});
    EXPECT_TRUE(dienst.geoeffnet.isEmpty());
    emit child<QComboBox>(*f, "cboGastNeu")->activated(child<QComboBox>(*f, "cboGastNeu")->findData(2));
    QTest::keyClicks(child<QLineEdit>(*f, "fldKürzel"), u"Huber"_s);
    child<QPushButton>(*f, "cmdRechnung")->click();
    const int gespeichert = db().scalar(u"SELECT ID FROM tblBelegung WHERE Kürzel = 'Huber'"_s).toInt();
    ASSERT_NE(gespeichert, 0) << qPrintable(dialogs_.texts().join(u" | "_s));
    ASSERT_EQ(dienst.geoeffnet.size(), 1);
    EXPECT_EQ(std::tuple(dienst.geoeffnet[0].ziel, dienst.geoeffnet[0].aufruf.buchungId), std::tuple(Ziel::Rechnungen, gespeichert));
}

// Another workstation holds the database: the save is refused with a message naming the file,
// the form stays open with everything typed, and the same click saves once the lock is gone.
TEST_F(frmReservierungTest, ALockHeldElsewhereLeavesTheFormOpenWithWhatWasTyped) {
    auto w = neuesFenster(2);
    dialogs_.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    QTest::keyClicks(child<QComboBox>(*w, "cboGastNeu"), u"Zander"_s);
    QTest::keyClicks(child<QLineEdit>(*w, "fldKürzel"), u"Zander"_s);
    dialogs_.clear();
    test::FremdeSperre::kurzWarten(db());
    {
        test::FremdeSperre sperre(test::FremdeSperre::installation(QFileInfo(db().path()).absolutePath()));
        child<QPushButton>(*w, "cmdReservieren")->click();
        ASSERT_FALSE(dialogs_.shown().isEmpty());
        const QString text = dialogs_.last().text;
        EXPECT_TRUE(text.contains(u"Datenbank: "_s)) << text.toStdString();
        for (const char* sql : {"SELECT", "INSERT", "UPDATE", "Abfrage"})
            EXPECT_FALSE(text.contains(QLatin1String(sql))) << text.toStdString();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(child<QLineEdit>(*w, "fldKürzel")->text(), u"Zander"_s);
    }
    dialogs_.clear();
    child<QPushButton>(*w, "cmdReservieren")->click();
    EXPECT_EQ(zeilen(), 1) << qPrintable(dialogs_.texts().join(QLatin1Char('|')));
}
