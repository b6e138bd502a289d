#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <tuple>

#include "app/ProgrammFixture.h"
#include "plan/ui/PlanMenue.h"
#include "reservation/ui/frmReservierung.h"
#include "reservation/ui/frmSaison.h"
#include "reservation/ui/frmSaisonpreise.h"
#include "settings/ui/frmParameter.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "store/Parameter.h"
#include "support/Child.h"

using namespace tav;
using test::child;

namespace {

// A house that starts the program for the first time, declines the sample data and makes the
// program its own: rooms, prices, season prices, its address, and a first booking.
class NeuerBetriebTest : public test::ProgrammFixture {
protected:
    void SetUp() override {
        dbfiles::createInstallation(ordner.path());
        beispieldaten::anlegen(*Database::open(ordner.file(QStringLiteral("Beispiel.mdb"))), QDate::currentDate());
        settings.deleteSection();
        settings.saveSetting(QStringLiteral("Pfad"), ordner.file(QStringLiteral("Tavomera.mdb")));
        settings.saveSetting(QStringLiteral("Zentral"), ordner.file(QStringLiteral("Zentral.mdb")));
        variablen() = Variablen{};
        variablen().programmordner = ordner.path();
        frmReservierung::setEinstiegsDialogs(&formDialoge);
    }
    void TearDown() override {
        frmReservierung::setEinstiegsDialogs(nullptr);
        ProgrammFixture::TearDown();
    }
    static void tippen(QLineEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
    }
};

}  // namespace

TEST_F(NeuerBetriebTest, AHouseSetsUpItsRoomsPricesAndAddressAndBooksAtTheSeasonPrice) {
    dialogs.answer(Answer::No);  // "… zunächst mit Beispieldaten ansehen?"
    ASSERT_EQ(starten(), MainLogik::Ergebnis::Bereit) << qPrintable(meldungen());
    dialogs.clear();

    // 1. The settings: rename the first room, price it, its season prices, and the address.
    bool einstellungen = false, preise = false;
    imModalenFenster<frmParameter>(
        [&preise](frmParameter& p) {
            p.tabParameter->setCurrentIndex(3);
            EXPECT_EQ(p.txtAlteZimmernummer->text(), QStringLiteral("101"));
            tippen(p.txtNeueZimmer, QStringLiteral("Linde"));
            tippen(p.txtPreis, QStringLiteral("70,00"));
            p.cmdSpeichernNaechster->click();
            p.cmdErster->click();
            imModalenFenster<frmSaisonpreise>(
                [](frmSaisonpreise& s) {
                    EXPECT_EQ(s.windowTitle(), QStringLiteral("Preise für Zimmer 'Linde'"));
                    tippen(s.txtHaupt, QStringLiteral("95,00"));
                    s.cmdSpeichern->click();
                    s.done(QDialog::Accepted);
                },
                &preise);
            p.cmdSaisonpreise->click();
            p.tabParameter->setCurrentIndex(2);
            tippen(p.txtTexte[0], QStringLiteral("Pension Seeblick"));
            tippen(p.txtTexte[2], QStringLiteral("Uferweg 3"));
            p.cmdOK->click();
        },
        &einstellungen);
    QSignalSpy neustart(hauptfenster.get(), &frmMain::neustartGewuenscht);
    QAction* parameter = hauptfenster->menue()->eintrag(QStringLiteral("mnuDateiParameter"));
    ASSERT_TRUE(parameter->isEnabled());
    parameter->trigger();
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
    EXPECT_TRUE(dialogs.shown().isEmpty()) << qPrintable(meldungen());

    // 3. The plan shows the renamed room; a stay dragged in the season proposes the season price.
    plan().zeigeAb(anfang.addDays(7));
    ASSERT_EQ(model().zimmerDerZeile(1), 1);
    QString tarif, zimmer, gesamt;
    bool formular = false;
    imModalenFenster<frmReservierung>(
        [&tarif, &zimmer, &gesamt](frmReservierung& w) {
            tarif = child<QComboBox>(w, "cboTarif")->currentText();
            zimmer = child<QComboBox>(w, "cboZimmer")->currentText();
            QTest::keyClicks(child<QComboBox>(w, "cboGastNeu"), QStringLiteral("Quandt"));
            QTest::keyClicks(child<QLineEdit>(w, "fldKürzel"), QStringLiteral("Quandt"));
            child<QPushButton>(w, "cmdSaisonpreis")->click();
            gesamt = child<QLineEdit>(w, "fldPreis")->text();
            child<QPushButton>(w, "cmdReservieren")->click();
            child<QPushButton>(w, "cmdZu")->click();
        },
        &formular);
    formDialoge.answer(Answer::Ok);  // "Neue Adresse anlegen?"
    ziehen(1, 3, 4);
    ASSERT_TRUE(formular) << "the form opened";
    EXPECT_EQ(std::tuple(zimmer, tarif, gesamt), std::tuple(QStringLiteral("Linde"), QStringLiteral("70,00"), QStringLiteral("190,00")))
        << "the room's own price per night; two nights at the season price of 95,00";
    ASSERT_EQ(formDialoge.texts().size(), 2) << qPrintable(formDialoge.texts().join(QLatin1Char('|')));
    EXPECT_EQ(formDialoge.texts()[0], QStringLiteral("Neue Adresse anlegen?"));
    EXPECT_TRUE(formDialoge.texts()[1].startsWith(QStringLiteral("Folgende Saisonzeiten und Preise wurden gefunden:")));
    const int id = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Quandt'")).toInt();
    ASSERT_NE(id, 0) << "the stay is booked";
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT Preis FROM tblBelegung WHERE ID = ?"), {id}).toDouble(), 190.0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Zimmernummer FROM tblBelegung WHERE ID = ?"), {id}).toInt(), 1);
}
