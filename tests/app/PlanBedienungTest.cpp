#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <tuple>

#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "invoice/Vorlagen.h"
#include "invoice/ui/Rechnungsposten.h"
#include "plan/PlanModel.h"
#include "plan/ui/PlanMenue.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/Plantafel.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "reservation/ui/frmAdrSuchen.h"
#include "reservation/ui/frmCollision.h"
#include "reservation/ui/frmReservierung.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/Beispielinstallation.h"
#include "support/Child.h"
#include "support/TempFolder.h"

using namespace tav;
using test::child;

namespace {

// The program as a new user meets it: the main window on the sample database, the plan showing
// an empty stretch of the calendar, and every window opened from the plan as the program opens it.
class PlanBedienungTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::beispielInstallation(ordner, settings);
        // As the start-up leaves it after "Yes" to the sample question: the links reach the sample file.
        verknuepfung::alleNeuVerknuepfen(*Database::open(ordner.file(QStringLiteral("Lokal.mdb"))),
                                         ordner.file(QStringLiteral("Beispiel.mdb")), ordner.file(QStringLiteral("Beispiel.mdb")));
        variablen() = Variablen{};
        variablen().programmordner = ordner.path();
        frmReservierung::setEinstiegsDialogs(&formDialoge);

        hauptfenster = std::make_unique<frmMain>(variablen(), dialogs, settings, shell, fenster);
        ASSERT_EQ(hauptfenster->laden(), MainLogik::Ergebnis::Bereit) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
        hauptfenster->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(hauptfenster.get()));
        // Half a year ahead the sample hotel is empty.
        plan().zeigeAb(QDate::currentDate().addDays(180));
    }
    void TearDown() override {
        frmReservierung::setEinstiegsDialogs(nullptr);
        hauptfenster.reset();
        variablen() = Variablen{};
    }

    Planbereich& plan() { return *hauptfenster->plan(); }
    PlanModel& model() { return plan().model(); }
    Database& db() { return *variablen().db; }
    const Zelle& zelle(int zeile, int spalte) { return model().zelle(zeile, spalte); }

    void ziehen(int zeile, int von, int bis) {
        Plantafel* v = plan().view();
        QTest::mousePress(v, Qt::LeftButton, {}, v->zellMitte(zeile, von));
        for (int s = von + 1; s <= bis; ++s) QTest::mouseMove(v, v->zellMitte(zeile, s));
        QTest::mouseRelease(v, Qt::LeftButton, {}, v->zellMitte(zeile, bis));
    }

    // Runs `was` on the modal window of that type once it is open; opened tells whether it came.
    // It polls, because the mouse events that open the window run the event loop themselves.
    template <typename Fenster>
    void imModalenFenster(std::function<void(Fenster&)> was, bool* geoeffnet) {
        auto* warten = new QTimer(qApp);
        auto versuche = std::make_shared<int>(0);
        QObject::connect(warten, &QTimer::timeout, warten, [warten, was, geoeffnet, versuche] {
            auto* w = qobject_cast<Fenster*>(QApplication::activeModalWidget());
            if (!w && ++*versuche < 500) return;
            warten->stop();
            warten->deleteLater();
            if (!w) return;
            *geoeffnet = true;
            was(*w);
        });
        warten->start(10);
    }

    // Right click on a cell and the entry of the booking menu with that object name.
    void kontextmenue(int zeile, int spalte, const char* eintrag) {
        QTimer::singleShot(0, [eintrag] {
            auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menue, nullptr) << "the booking menu is open";
            QAction* a = menue->findChild<QAction*>(QString::fromUtf8(eintrag));
            ASSERT_NE(a, nullptr) << eintrag;
            EXPECT_TRUE(a->isEnabled()) << eintrag;
            menue->close();
            a->trigger();
        });
        Plantafel* v = plan().view();
        QTest::mousePress(v, Qt::RightButton, {}, v->zellMitte(zeile, spalte));
        QTest::mouseRelease(v, Qt::RightButton, {}, v->zellMitte(zeile, spalte));
    }

    // The first row of a real room whose nights von … bis are all free.
    int freieZeile(int von, int bis) {
        for (int z = 1; z <= model().bildschirmZeilen(); ++z) {
            if (model().istWarteZeile(z) || model().zimmerDerZeile(z) > model().einstellungen().raeume) continue;
            bool frei = true;
            for (int s = von; s <= bis && frei; ++s) frei = !zelle(z, s).belegt();
            if (frei) return z;
        }
        return 0;
    }

    QVariant wert(const QString& feld, int id) {
        return db().scalar(QStringLiteral("SELECT [%1] FROM tblBelegung WHERE ID = ?").arg(feld), {id});
    }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs, formDialoge;
    ScriptedShell shell;
    ProgrammFenster fenster{variablen(), dialogs};
    std::unique_ptr<frmMain> hauptfenster;
};

}  // namespace

TEST_F(PlanBedienungTest, DraggedNightsBecomeABookingThatGrowsAndMovesAsideForANewOne) {
    // 1. Drag over three free nights of one room and book a new guest.
    const int zeile = freieZeile(3, 12);
    ASSERT_GT(zeile, 0) << "an empty room in the window";
    const int zimmer = model().zimmerDerZeile(zeile);
    const QDate anreise = zelle(zeile, 5).datum.addDays(-1);
    bool formular = false;
    imModalenFenster<frmReservierung>(
        [](frmReservierung& w) {
            QTest::keyClicks(child<QComboBox>(w, "cboGastNeu"), QStringLiteral("Quandt"));
            child<QComboBox>(w, "cboLand")->setCurrentText(QStringLiteral("Österreich"));
            QTest::keyClicks(child<QLineEdit>(w, "fldKürzel"), QStringLiteral("Quandt"));
            child<QLineEdit>(w, "fldAnzahlGäste")->selectAll();
            QTest::keyClicks(child<QLineEdit>(w, "fldAnzahlGäste"), QStringLiteral("2"));
            child<QPushButton>(w, "cmdReservieren")->click();
            child<QPushButton>(w, "cmdZu")->click();
        },
        &formular);
    formDialoge.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    ziehen(zeile, 5, 7);
    ASSERT_TRUE(formular) << "the form opened on release";
    EXPECT_EQ(formDialoge.texts(), QStringList{QStringLiteral("Neue Adresse anlegen?")});

    const int id = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Quandt'")).toInt();
    ASSERT_NE(id, 0) << "the booking is stored";
    EXPECT_EQ(std::tuple(wert(QStringLiteral("Zimmernummer"), id).toInt(), wert(QStringLiteral("Von"), id).toDate(),
                         wert(QStringLiteral("Bis"), id).toDate()),
              std::tuple(zimmer, anreise, anreise.addDays(3)));
    // How the bar is painted is PlanModelTest's; here the plan shows it at once.
    for (int s = 5; s <= 7; ++s) EXPECT_EQ(zelle(zeile, s).buchungId, id) << "night " << s;
    EXPECT_FALSE(zelle(zeile, 8).belegt()) << "the departure night stays free";

    // 2. Open it by right click, one night more with "+" in the departure box.
    formular = false;
    imModalenFenster<frmReservierung>(
        [](frmReservierung& w) {
            EXPECT_EQ(child<QComboBox>(w, "cboGastNeu")->currentText(), QStringLiteral("Quandt"));
            child<QLineEdit>(w, "fldBis")->setFocus();
            QTest::keyClick(child<QLineEdit>(w, "fldBis"), '+');
            child<QPushButton>(w, "cmdReservieren")->click();
            child<QPushButton>(w, "cmdZu")->click();
        },
        &formular);
    kontextmenue(zeile, 6, "mnKontuRes_Oeffnen");
    ASSERT_TRUE(formular);
    EXPECT_EQ(wert(QStringLiteral("Bis"), id).toDate(), anreise.addDays(4));
    EXPECT_EQ(zelle(zeile, 8).buchungId, id) << "the bar is one night longer";
    EXPECT_FALSE(zelle(zeile, 9).belegt());

    // 3. A new booking two nights later, moved back over the older one in the form; the
    //    collision dialog moves the older booking to a free room.
    formular = false;
    bool kollision = false;
    QString neuesZimmer;
    imModalenFenster<frmReservierung>(
        [this, &kollision, &neuesZimmer](frmReservierung& w) {
            QTest::keyClicks(child<QComboBox>(w, "cboGastNeu"), QStringLiteral("Ruprecht"));
            QTest::keyClicks(child<QLineEdit>(w, "fldKürzel"), QStringLiteral("Ruprecht"));
            child<QLineEdit>(w, "fldVon")->setFocus();
            QTest::keyClick(child<QLineEdit>(w, "fldVon"), '-');
            QTest::keyClick(child<QLineEdit>(w, "fldVon"), '-');
            EXPECT_TRUE(child<QFrame>(w, "lbWarnung")->isEnabled()) << "the live warning shows the overlap";
            imModalenFenster<frmCollision>(
                [&neuesZimmer](frmCollision& d) {
                    auto* ziel = d.findChild<QComboBox*>(QStringLiteral("cboBez_0"));
                    ASSERT_NE(ziel, nullptr);
                    ASSERT_GT(ziel->count(), 1) << "free rooms are offered";
                    ziel->setCurrentIndex(1);  // the first free room; 0 is the empty choice
                    neuesZimmer = ziel->currentText();
                    d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
                },
                &kollision);
            child<QPushButton>(w, "cmdReservieren")->click();
            child<QPushButton>(w, "cmdZu")->click();
        },
        &formular);
    formDialoge.clear();
    formDialoge.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    ziehen(zeile, 10, 11);
    ASSERT_TRUE(formular);
    ASSERT_TRUE(kollision) << "the collision dialog came";
    EXPECT_EQ(formDialoge.texts(), QStringList{QStringLiteral("Neue Adresse anlegen?")});

    const int neu = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Ruprecht'")).toInt();
    ASSERT_NE(neu, 0);
    EXPECT_EQ(std::tuple(wert(QStringLiteral("Zimmernummer"), neu).toInt(), wert(QStringLiteral("Von"), neu).toDate()),
              std::tuple(zimmer, anreise.addDays(3)));
    const int verschoben = wert(QStringLiteral("Zimmernummer"), id).toInt();
    EXPECT_NE(verschoben, zimmer) << "the older booking left the room";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Zimmernummer FROM tbZimmernummern WHERE NeueNummer = ?"), {neuesZimmer}).toInt(),
              verschoben)
        << "it went to the room chosen in the dialog";
    EXPECT_EQ(zelle(zeile, 8).buchungId, neu) << "the plan shows the new booking in the room";
    EXPECT_EQ(zelle(model().zeileDesZimmers(verschoben), 6).buchungId, id) << "and the older one in its new room";
}

TEST_F(PlanBedienungTest, ALetterTypedOnThePlanOpensTheQuickSearchAndItsNewBookingOpensTheForm) {
    // The menu offers the windows the program has and disables the others.
    PlanMenue* menue = hauptfenster->menue();
    for (const char* da : {"mnuSaisonzeiten", "mnuSicherPfad", "mnuSchnellsuche", "mnuBearbeitenReservierung", "mnuLetzte",
                           "mnuDateiParameter", "mnuFeiertage", "mnuSuchen", "mnuAbreiseSuche"})
        EXPECT_TRUE(menue->eintrag(QString::fromUtf8(da))->isEnabled()) << da;
    EXPECT_TRUE(menue->eintrag(QStringLiteral("mnurechnungsNummern"))->isEnabled());

    bool suche = false, formular = false;
    QString gast;
    imModalenFenster<frmAdrSuchen>(
        [this, &formular, &gast](frmAdrSuchen& s) {
            EXPECT_EQ(s.txtSuchwort->text(), QStringLiteral("M"));
            EXPECT_TRUE(s.cmdUebersicht->isEnabled()) << "the account of the chosen address opens";
            s.chNachname->setChecked(true);
            QTest::keyClicks(s.txtSuchwort, QStringLiteral("e"));
            ASSERT_GT(s.modell().rowCount(), 0);
            gast = s.modell().treffer().first().nachname;
            imModalenFenster<frmReservierung>(
                [&gast](frmReservierung& w) {
                    EXPECT_EQ(child<QComboBox>(w, "cboGastNeu")->currentText(), gast) << "the form opens on the chosen address";
                    w.done(QDialog::Rejected);
                },
                &formular);
            s.cmdNeueRes->click();
            s.done(QDialog::Rejected);
        },
        &suche);
    plan().view()->setFocus();
    QTest::keyClick(plan().view(), 'M');
    ASSERT_TRUE(suche) << "the quick search opened";
    EXPECT_TRUE(formular) << "and the reservation form over it";
    EXPECT_TRUE(dialogs.shown().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
}

TEST_F(PlanBedienungTest, ABookingFromThePlanGetsItsQuickInvoiceWithTheExtrasAndOpensItAgain) {
    ASSERT_TRUE(test::vorlagenInstallieren(ordner.path()));
    frmReservierung::setEinstiegsShell(&shell);
    const QString pdf = ordner.file(QStringLiteral("Rechnungen/Quandt.pdf"));
    shell.addDocument(pdf);
    const int zeile = freieZeile(3, 8);
    ASSERT_GT(zeile, 0);

    // Book three nights from the plan, then the form's quick invoice; the extras dialog takes
    // 12,50 for drinks.
    bool formular = false, posten = false;
    QString titel;
    imModalenFenster<frmReservierung>(
        [this, &posten, &titel](frmReservierung& w) {
            QTest::keyClicks(child<QComboBox>(w, "cboGastNeu"), QStringLiteral("Quandt"));
            QTest::keyClicks(child<QLineEdit>(w, "fldKürzel"), QStringLiteral("Quandt"));
            imModalenFenster<Rechnungsposten>(
                [&titel](Rechnungsposten& d) {
                    titel = d.windowTitle();
                    child<QLineEdit>(d, "txtGetränkeBetrag")->setText(QStringLiteral("12,50"));
                    child<QPushButton>(d, "cmdOK")->click();
                },
                &posten);
            QAction* rechnung = child<QAction>(w, "mnuRechnungEinfach");
            ASSERT_TRUE(rechnung->isEnabled());
            rechnung->trigger();
            // The stored copy opens again from the document menu.
            child<QAction>(w, "mnuVorhRechnung")->trigger();
            child<QPushButton>(w, "cmdZu")->click();
        },
        &formular);
    formDialoge.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    ziehen(zeile, 4, 6);
    ASSERT_TRUE(formular);
    ASSERT_TRUE(posten) << "the extras dialog came";
    EXPECT_EQ(titel, QStringLiteral("Posten für Quandt"));
    EXPECT_TRUE(QFileInfo::exists(ordner.file(QStringLiteral("Rechnungen/Quandt.doc"))));
    EXPECT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(shell.opened(), (QStringList{pdf, pdf})) << qPrintable(formDialoge.texts().join(QLatin1Char('|')));
    QFile detail(ordner.file(QStringLiteral("ReDetail.doc")));
    ASSERT_TRUE(detail.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(detail.readAll()).contains(QStringLiteral("Getränke")));
    frmReservierung::setEinstiegsShell(nullptr);
}
