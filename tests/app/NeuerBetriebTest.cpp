#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "plan/PlanModel.h"
#include "plan/ui/PlanMenue.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/Plantafel.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "reservation/ui/frmReservierung.h"
#include "reservation/ui/frmSaison.h"
#include "reservation/ui/frmSaisonpreise.h"
#include "settings/ui/frmFeiertag.h"
#include "settings/ui/frmParameter.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "support/Child.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"

using namespace tav;
using test::child;

namespace {

// A house that starts the program for the first time, declines the sample data and makes the
// program its own: rooms, prices, season prices, its address, and a first booking.
class NeuerBetriebTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbfiles::createInstallation(ordner.path());
        settings.deleteSection();
        settings.saveSetting(QStringLiteral("Pfad"), ordner.file(QStringLiteral("Tavomera.mdb")));
        settings.saveSetting(QStringLiteral("Zentral"), ordner.file(QStringLiteral("Zentral.mdb")));
        variablen() = Variablen{};
        variablen().programmordner = ordner.path();
        frmReservierung::setEinstiegsDialogs(&formDialoge);
    }
    void TearDown() override {
        frmReservierung::setEinstiegsDialogs(nullptr);
        hauptfenster.reset();
        variablen() = Variablen{};
    }
    // The main window (again, as the restart after the settings does).
    MainLogik::Ergebnis starten() {
        hauptfenster.reset();
        hauptfenster = std::make_unique<frmMain>(variablen(), dialogs, settings, shell, fenster);
        const MainLogik::Ergebnis e = hauptfenster->laden();
        if (e == MainLogik::Ergebnis::Bereit) hauptfenster->show();
        return e;
    }
    Planbereich& plan() { return *hauptfenster->plan(); }
    Database& db() { return *variablen().db; }

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
    static void tippen(QLineEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
    }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs, formDialoge;
    ScriptedShell shell;
    ProgrammFenster fenster{variablen(), dialogs};
    std::unique_ptr<frmMain> hauptfenster;
};

}  // namespace

TEST_F(NeuerBetriebTest, WithoutTheDisplayRowsTheStartOpensTheSettings) {
    // A sample database without "ZeitDarstellung": the start asks for the missing settings.
    bool einstellungen = false;
    imModalenFenster<frmParameter>(
        [](frmParameter& p) {
            EXPECT_EQ(p.tabParameter->currentIndex(), 0) << "the display tab";
            tippen(p.txtTage, QStringLiteral("28"));
            p.cmdOK->click();
        },
        &einstellungen);
    dialogs.answer(Answer::No);  // no sample data
    ASSERT_EQ(starten(), MainLogik::Ergebnis::Bereit) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    ASSERT_TRUE(einstellungen) << "the settings dialog opened";
    EXPECT_TRUE(dialogs.texts().contains(QStringLiteral("Zum Betrieb von Tavomera werden noch einige Angaben benötigt.")));
    auto beispiel = Database::open(ordner.file(QStringLiteral("Beispiel.mdb")));
    EXPECT_EQ(Parameter(*beispiel).read(QStringLiteral("ZeitDarstellung"))->text(1), QStringLiteral("28"));
    EXPECT_EQ(plan().model().tage(), 28) << "the plan shows what the dialog wrote at once";

    // The next start has what it needs and asks nothing.
    dialogs.clear();
    ASSERT_EQ(starten(), MainLogik::Ergebnis::Bereit);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    EXPECT_EQ(plan().model().tage(), 28);
}

TEST_F(NeuerBetriebTest, AHouseSetsUpItsRoomsPricesAndAddressAndBooksAtTheSeasonPrice) {
    beispieldaten::anlegen(*Database::open(ordner.file(QStringLiteral("Beispiel.mdb"))), QDate::currentDate());
    dialogs.answer(Answer::No);  // "… zunächst mit Beispieldaten ansehen?"
    ASSERT_EQ(starten(), MainLogik::Ergebnis::Bereit) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    ASSERT_TRUE(hauptfenster->menue()->eintrag(QStringLiteral("mnuDateiParameter"))->isEnabled());
    dialogs.clear();

    // 1. The settings: rename the first room, price it, its season prices, and the address.
    bool einstellungen = false, preise = false;
    imModalenFenster<frmParameter>(
        [this, &preise](frmParameter& p) {
            EXPECT_EQ(p.tabParameter->currentIndex(), 0);
            p.tabParameter->setCurrentIndex(3);
            EXPECT_EQ(p.txtAlteZimmernummer->text(), QStringLiteral("101"));
            tippen(p.txtNeueZimmer, QStringLiteral("Linde"));
            tippen(p.txtPreis, QStringLiteral("70,00"));
            p.cmdSpeichernNaechster->click();
            tippen(p.txtNeueZimmer, QStringLiteral("Buche"));
            p.cmdSpeichernNaechster->click();
            p.cmdErster->click();
            EXPECT_EQ(p.txtAlteZimmernummer->text(), QStringLiteral("Linde"));
            imModalenFenster<frmSaisonpreise>(
                [](frmSaisonpreise& s) {
                    EXPECT_EQ(s.windowTitle(), QStringLiteral("Preise für Zimmer 'Linde'"));
                    tippen(s.txtHaupt, QStringLiteral("95,00"));
                    s.cmdSpeichern->click();
                    test::saveScreenshot(s, QStringLiteral("neu-saisonpreise"));
                    s.done(QDialog::Accepted);
                },
                &preise);
            p.cmdSaisonpreise->click();
            p.tabParameter->setCurrentIndex(2);
            tippen(p.txtTexte[0], QStringLiteral("Pension Seeblick"));
            tippen(p.txtTexte[2], QStringLiteral("Uferweg 3"));
            tippen(p.txtTexte[3], QStringLiteral("82211"));
            tippen(p.txtTexte[4], QStringLiteral("Herrsching"));
            test::saveScreenshot(p, QStringLiteral("neu-einstellungen-texte"));
            p.cmdOK->click();
        },
        &einstellungen);
    QSignalSpy neustart(hauptfenster.get(), &frmMain::neustartGewuenscht);
    hauptfenster->menue()->eintrag(QStringLiteral("mnuDateiParameter"))->trigger();
    ASSERT_TRUE(einstellungen);
    ASSERT_TRUE(preise) << "the season prices opened from the room";
    EXPECT_EQ(neustart.count(), 1) << "the main window starts again after the settings";
    EXPECT_EQ(
        dialogs.texts().value(0),
        QStringLiteral("Wenn die Standardeinstellungen geändert werden, muss das Programm  auf allen Computern im Netzwerkbetrieb neu "
                       "gestartet werden."));
    dialogs.clear();
    ASSERT_EQ(starten(), MainLogik::Ergebnis::Bereit);
    EXPECT_EQ(Parameter(db()).text(QStringLiteral("Absender1")), QStringLiteral("Pension Seeblick"));

    // 2. The season in which the season price holds.
    const QDate anfang = QDate::currentDate().addDays(60);
    bool saison = false;
    imModalenFenster<frmSaison>(
        [anfang](frmSaison& s) {
            s.txtName->setCurrentText(QStringLiteral("Hauptsaison"));
            tippen(s.txtVon, anfang.toString(QStringLiteral("dd.MM.yyyy")));
            tippen(s.txtBis, anfang.addDays(90).toString(QStringLiteral("dd.MM.yyyy")));
            s.cmdSpeichern->click();
            s.done(QDialog::Accepted);
        },
        &saison);
    hauptfenster->menue()->eintrag(QStringLiteral("mnuSaisonzeiten"))->trigger();
    ASSERT_TRUE(saison);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));

    // 3. The plan shows the new labels; a stay dragged in the season proposes the season price.
    plan().zeigeAb(anfang.addDays(7));
    PlanModel& m = plan().model();
    ASSERT_EQ(m.zimmerDerZeile(1), 1);
    test::saveScreenshot(*hauptfenster, QStringLiteral("neu-plan"));
    QString tarif, zimmer, gesamt;
    bool formular = false;
    imModalenFenster<frmReservierung>(
        [&tarif, &zimmer, &gesamt](frmReservierung& w) {
            tarif = child<QComboBox>(w, "cboTarif")->currentText();
            zimmer = child<QComboBox>(w, "cboZimmer")->currentText();
            QTest::keyClicks(child<QComboBox>(w, "cboGastNeu"), QStringLiteral("Quandt"));
            QTest::keyClicks(child<QLineEdit>(w, "fldKürzel"), QStringLiteral("Quandt"));
            // The season price of the two nights, from the prices entered in the settings.
            child<QPushButton>(w, "cmdSaisonpreis")->click();
            gesamt = child<QLineEdit>(w, "fldPreis")->text();
            test::saveScreenshot(w, QStringLiteral("neu-reservierung"));
            child<QPushButton>(w, "cmdReservieren")->click();
            child<QPushButton>(w, "cmdZu")->click();
        },
        &formular);
    formDialoge.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    Plantafel* v = plan().view();
    QTest::mousePress(v, Qt::LeftButton, {}, v->zellMitte(1, 3));
    QTest::mouseMove(v, v->zellMitte(1, 4));
    QTest::mouseRelease(v, Qt::LeftButton, {}, v->zellMitte(1, 4));
    ASSERT_TRUE(formular) << "the form opened";
    EXPECT_EQ(zimmer, QStringLiteral("Linde"));
    EXPECT_EQ(tarif, QStringLiteral("70,00")) << "the room's own price per night";
    EXPECT_EQ(gesamt, QStringLiteral("190,00")) << "two nights at the season price of 95,00";
    ASSERT_EQ(formDialoge.texts().size(), 2) << qPrintable(formDialoge.texts().join(QLatin1Char('|')));
    EXPECT_EQ(formDialoge.texts()[0], QStringLiteral("Neue Adresse anlegen?")) << "asked when the guest's name is left";
    EXPECT_TRUE(formDialoge.texts()[1].startsWith(QStringLiteral("Folgende Saisonzeiten und Preise wurden gefunden:")));
    EXPECT_TRUE(formDialoge.texts()[1].contains(QStringLiteral("95,00"))) << qPrintable(formDialoge.texts()[1]);
    const int id = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Quandt'")).toInt();
    ASSERT_NE(id, 0) << "the stay is booked";
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT Preis FROM tblBelegung WHERE ID = ?"), {id}).toDouble(), 190.0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Zimmernummer FROM tblBelegung WHERE ID = ?"), {id}).toInt(), 1);
    test::saveScreenshot(*hauptfenster, QStringLiteral("neu-plan-gebucht"));
}

TEST_F(NeuerBetriebTest, AHolidayEnteredInTheHolidaysWindowShowsInThePlanAtOnce) {
    beispieldaten::anlegen(*Database::open(ordner.file(QStringLiteral("Beispiel.mdb"))), QDate::currentDate());
    dialogs.answer(Answer::No);
    ASSERT_EQ(starten(), MainLogik::Ergebnis::Bereit);
    dialogs.clear();
    const QDate tag = plan().model().start().addDays(4);
    ASSERT_TRUE(plan().model().feiertagAm(tag).isEmpty());
    bool feiertage = false;
    imModalenFenster<frmFeiertag>(
        [tag](frmFeiertag& f) {
            QTest::keyClicks(f.txtName, QStringLiteral("Kirchweih"));
            QTest::keyClicks(f.txtKurzbezeichnung, tag.toString(QStringLiteral("dd.MM.yyyy")));
            f.cmdSpeichern->click();
            f.done(QDialog::Accepted);
        },
        &feiertage);
    ASSERT_TRUE(hauptfenster->menue()->eintrag(QStringLiteral("mnuFeiertage"))->isEnabled());
    hauptfenster->menue()->eintrag(QStringLiteral("mnuFeiertage"))->trigger();
    ASSERT_TRUE(feiertage);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    EXPECT_EQ(plan().model().feiertagAm(tag), QStringLiteral("Kirchweih"));
}
