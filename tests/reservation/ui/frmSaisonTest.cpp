#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "reservation/Beispieldaten.h"
#include "reservation/ui/frmSaison.h"
#include "reservation/ui/frmSaisonpreise.h"
#include "support/DatabaseFixture.h"
#include "support/FremdeSperre.h"

using namespace tav;
using namespace Qt::StringLiterals;

class frmSaisonTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        test::beispieldatenAnlegen(db(), QDate(2024, 7, 1));
    }
    static QStringList spalte(QAbstractItemModel& m, int c) {
        QStringList out;
        for (int r = 0; r < m.rowCount(); ++r) out << m.data(m.index(r, c)).toString();
        return out;
    }
    void klickZeile(QTableView* grid, int zeile) {
        const QRect r = grid->visualRect(grid->model()->index(zeile, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    }

    ScriptedDialogs dialogs_;
};

TEST_F(frmSaisonTest, TheSeasonGridSortsByHeaderClicksAndEditsTheClickedSeason) {
    frmSaison f(db(), dialogs_);
    QAbstractItemModelTester tester(&f.modell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.show();
    ASSERT_EQ(f.modell().rowCount(), 6);
    EXPECT_EQ(spalte(f.modell(), 1).first(), u"15.03.2024"_s) << "by start at opening";

    QHeaderView* kopf = f.ctrflexzustand->horizontalHeader();
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(kopf->sectionViewportPosition(0) + 5, 5));
    const QStringList aufsteigend = spalte(f.modell(), 0);
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(kopf->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(aufsteigend.first(), u"Hauptsaison"_s);
    EXPECT_EQ(spalte(f.modell(), 0).first(), aufsteigend.last()) << "a second click turns the order round";
    // Dates sort as dates, not as text ("02.01.2025" after "23.12.2024").
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(kopf->sectionViewportPosition(2) + 5, 5));
    EXPECT_EQ(spalte(f.modell(), 2).last(), u"15.03.2025"_s);

    // Ascending by end: the Hauptsaison (1.7.–15.9.) is the third row.
    klickZeile(f.ctrflexzustand, 2);
    EXPECT_EQ(QStringList({f.txtName->currentText(), f.txtVon->text(), f.txtBis->text()}),
              QStringList({"Hauptsaison", "01.07.2024", "15.09.2024"}));
    EXPECT_NE(f.txtID->text(), u"0"_s);

    // Moving its end into the next season is refused and changes nothing.
    f.txtBis->selectAll();
    QTest::keyClicks(f.txtBis, u"x20.09.2024"_s);
    EXPECT_EQ(f.txtBis->text(), u"20.09.2024"_s) << "letters are not taken";
    f.cmdSpeichern->click();  // the overlap rule itself: SaisonLogikTest
    EXPECT_EQ(dialogs_.shown().size(), 1);
    EXPECT_EQ(db().scalar(u"SELECT Count(*) FROM tbSaisonzeiten WHERE Ende = #09-20-2024#"_s).toInt(), 0);

    // Closing with the change asks; Cancel keeps the window.
    dialogs_.answer(Answer::Cancel);
    f.cmdSchliessen->click();
    EXPECT_TRUE(f.isVisible());
}

// The buttons forward to the season rules (SaisonLogikTest): new, save, delete, and the grid follows.
TEST_F(frmSaisonTest, ANewSeasonIsListedAfterSavingAndGoneAfterDeleting) {
    frmSaison f(db(), dialogs_);
    f.show();
    f.CmdNeueDaten->click();
    EXPECT_EQ(f.txtVon->text(), u"15.03.2025"_s);
    f.txtName->setCurrentText(u"Zwischensaison"_s);
    QTest::keyClicks(f.txtBis, u"01.05.2025"_s);
    f.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(u" | "_s));
    EXPECT_EQ(f.modell().rowCount(), 7);
    dialogs_.answer(Answer::Yes);
    f.cmdLöschen->click();
    EXPECT_EQ(f.modell().rowCount(), 6);
    f.close();
    EXPECT_FALSE(f.isVisible()) << "nothing unsaved: closing asks nothing";
    EXPECT_EQ(dialogs_.shown().size(), 1);
}

// The price editor shows one room, takes only amounts, stores what the rules say
// (clsSaisonpreisTest) and asks before another room replaces unsaved changes.
TEST_F(frmSaisonTest, TheRoomPriceEditorShowsAndStoresOneRoom) {
    frmSaisonpreise f(db(), dialogs_, 4);
    f.show();
    EXPECT_EQ(QStringList({f.cboZimmer->currentText(), f.txtHaupt->text(), f.txtNeben->text(), f.lblStandard->text()}),
              QStringList({"201", "70,00", "", "Standardpreis ohne Saison: 55,00"}));
    f.txtNeben->setFocus();
    QTest::keyClicks(f.txtNeben, u"4a8,5"_s);
    EXPECT_EQ(f.txtNeben->text(), u"48,5"_s);
    f.cmdSpeichern->click();
    EXPECT_EQ(f.txtNeben->text(), u"48,50"_s);
    EXPECT_DOUBLE_EQ(db().scalar(u"SELECT PreisNebensaison FROM tbZimmernummern WHERE Zimmernummer = 4"_s).toDouble(), 48.5);

    QTest::keyClicks(f.txtSonder, u"99"_s);
    dialogs_.answer(Answer::Cancel);
    f.cboZimmer->setCurrentIndex(0);
    emit f.cboZimmer->activated(0);
    EXPECT_EQ(f.cboZimmer->currentText(), u"201"_s) << "Cancel stays with the changed room";
    dialogs_.answer(Answer::No);
    emit f.cboZimmer->activated(0);
    EXPECT_EQ(f.txtHaupt->text(), u"85,00"_s);
}

TEST_F(frmSaisonTest, ALockHeldElsewhereKeepsBothEditorsOpenWithWhatWasTyped) {
    frmSaison saison(db(), dialogs_);
    frmSaisonpreise preise(db(), dialogs_, 4);
    saison.show();
    preise.show();
    test::FremdeSperre::kurzWarten(db());
    klickZeile(saison.ctrflexzustand, 0);
    saison.txtBis->selectAll();
    QTest::keyClicks(saison.txtBis, u"20.03.2024"_s);
    QTest::keyClicks(preise.txtSonder, u"99"_s);

    const QString datei = test::FremdeSperre::dateiDer(db(), u"tbSaisonzeiten"_s);
    ASSERT_EQ(datei, test::FremdeSperre::dateiDer(db(), u"tbZimmernummern"_s));
    test::FremdeSperre sperre({datei});
    struct Fall {
        const char* was;
        std::function<void()> tun;
        QString meldung;
        QWidget* fenster;
    };
    const QList<Fall> faelle = {
        {"saving a season", [&] { saison.cmdSpeichern->click(); }, u"Die Saison konnte nicht gespeichert werden."_s, &saison},
        {"a new season",
         [&] {
             dialogs_.answer(Answer::Yes);
             saison.CmdNeueDaten->click();
         },
         u"konnte nicht"_s, &saison},
        {"closing the seasons with Yes",
         [&] {
             dialogs_.answer(Answer::Yes);
             saison.cmdSchliessen->click();
         },
         u"Die Saison konnte nicht gespeichert werden."_s, &saison},
        {"saving the prices", [&] { preise.cmdSpeichern->click(); }, u"Die Preise konnten nicht gespeichert werden."_s, &preise},
        {"closing the prices with Yes",
         [&] {
             dialogs_.answer(Answer::Yes);
             preise.cmdSchliessen->click();
         },
         u"Die Preise konnten nicht gespeichert werden."_s, &preise},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        dialogs_.clear();
        f.tun();
        ASSERT_FALSE(dialogs_.shown().isEmpty());
        const QString text = dialogs_.last().text;
        EXPECT_TRUE(text.contains(f.meldung)) << text.toStdString();
        EXPECT_TRUE(text.contains(u"\nDatenbank: "_s + QFileInfo(datei).fileName() + QLatin1Char('\n'))) << text.toStdString();
        EXPECT_FALSE(text.contains(u"SELECT"_s) || text.contains(u"UPDATE"_s) || text.contains(u"Abfrage"_s)) << text.toStdString();
        EXPECT_TRUE(f.fenster->isVisible()) << "the window stays open";
        EXPECT_TRUE(dialogs_.allAnswersUsed());
    }
    EXPECT_EQ(preise.txtSonder->text(), u"99"_s) << "nothing typed is lost";

    // Once the lock is gone the same click saves.
    sperre.freigeben();
    dialogs_.clear();
    preise.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(u" | "_s));
    EXPECT_DOUBLE_EQ(db().scalar(u"SELECT PreisSondersaison FROM tbZimmernummern WHERE Zimmernummer = 4"_s).toDouble(), 99);
}
