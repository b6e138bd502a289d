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
    EXPECT_EQ(spalte(f.modell(), 1).first(), QStringLiteral("15.03.2024")) << "by start at opening";

    QHeaderView* kopf = f.ctrflexzustand->horizontalHeader();
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(kopf->sectionViewportPosition(0) + 5, 5));
    const QStringList aufsteigend = spalte(f.modell(), 0);
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(kopf->sectionViewportPosition(0) + 5, 5));
    const QStringList absteigend = spalte(f.modell(), 0);
    EXPECT_EQ(aufsteigend.first(), QStringLiteral("Hauptsaison"));
    EXPECT_EQ(absteigend.first(), QStringLiteral("Zwischensaison"));
    EXPECT_EQ(aufsteigend.last(), absteigend.first()) << "a second click turns the order round";
    // Dates sort as dates, not as text ("02.01.2025" after "23.12.2024").
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(kopf->sectionViewportPosition(2) + 5, 5));
    const QStringList enden = spalte(f.modell(), 2);
    EXPECT_EQ(enden.last(), QStringLiteral("15.03.2025"));

    // Ascending by end: the Hauptsaison (1.7.–15.9.) is the third row.
    klickZeile(f.ctrflexzustand, 2);
    EXPECT_EQ(f.txtName->currentText(), QStringLiteral("Hauptsaison"));
    EXPECT_EQ(f.txtVon->text(), QStringLiteral("01.07.2024"));
    EXPECT_EQ(f.txtBis->text(), QStringLiteral("15.09.2024"));
    EXPECT_NE(f.txtID->text(), QStringLiteral("0"));

    // Moving its end into the next season is refused and changes nothing.
    f.txtBis->selectAll();
    QTest::keyClicks(f.txtBis, QStringLiteral("x20.09.2024"));
    EXPECT_EQ(f.txtBis->text(), QStringLiteral("20.09.2024")) << "letters are not taken";
    f.cmdSpeichern->click();  // the overlap rule itself: SaisonLogikTest
    EXPECT_EQ(dialogs_.shown().size(), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbSaisonzeiten WHERE Ende = #09-20-2024#")).toInt(), 0);

    // Closing with the change: Cancel keeps the window, No closes it.
    dialogs_.answer(Answer::Cancel);
    f.cmdSchliessen->click();
    EXPECT_TRUE(f.isVisible());
    dialogs_.answer(Answer::No);
    f.cmdSchliessen->click();
    EXPECT_FALSE(f.isVisible());
}

TEST_F(frmSaisonTest, ANewSeasonStartsAtTheLatestEndAndIsListedAfterSaving) {
    frmSaison f(db(), dialogs_);
    f.show();
    f.CmdNeueDaten->click();
    EXPECT_EQ(f.txtVon->text(), QStringLiteral("15.03.2025"));
    f.txtName->setCurrentText(QStringLiteral("Zwischensaison"));
    QTest::keyClicks(f.txtBis, QStringLiteral("01.05.2025"));
    f.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
    EXPECT_EQ(f.modell().rowCount(), 7);
    EXPECT_NE(f.txtID->text(), QStringLiteral("0"));

    dialogs_.answer(Answer::Yes);
    f.cmdLöschen->click();
    EXPECT_EQ(f.modell().rowCount(), 6);
    f.close();
    EXPECT_FALSE(f.isVisible()) << "nothing unsaved: closing asks nothing";
    EXPECT_EQ(dialogs_.shown().size(), 1);
}

TEST_F(frmSaisonTest, TheRoomPriceEditorShowsAndStoresOneRoom) {
    frmSaisonpreise f(db(), dialogs_, 4);
    f.show();
    EXPECT_EQ(f.cboZimmer->currentText(), QStringLiteral("201"));
    EXPECT_EQ(f.txtHaupt->text(), QStringLiteral("70,00"));
    EXPECT_TRUE(f.txtNeben->text().isEmpty());
    EXPECT_EQ(f.lblStandard->text(), QStringLiteral("Standardpreis ohne Saison: 55,00"));

    f.txtNeben->setFocus();
    QTest::keyClicks(f.txtNeben, QStringLiteral("4a8,5"));
    EXPECT_EQ(f.txtNeben->text(), QStringLiteral("48,5"));
    f.txtHaupt->selectAll();
    QTest::keyClick(f.txtHaupt, Qt::Key_Backspace);
    f.cmdSpeichern->click();
    EXPECT_EQ(f.txtNeben->text(), QStringLiteral("48,50"));
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT PreisHauptsaison FROM tbZimmernummern WHERE Zimmernummer = 4")).isNull());
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT PreisNebensaison FROM tbZimmernummern WHERE Zimmernummer = 4")).toDouble(), 48.5);

    // Choosing another room with unsaved changes asks first.
    QTest::keyClicks(f.txtSonder, QStringLiteral("99"));
    dialogs_.answer(Answer::Cancel);
    f.cboZimmer->setCurrentIndex(0);
    emit f.cboZimmer->activated(0);
    EXPECT_EQ(f.cboZimmer->currentText(), QStringLiteral("201")) << "Cancel stays with the changed room";
    dialogs_.answer(Answer::No);
    emit f.cboZimmer->activated(0);
    EXPECT_EQ(f.txtHaupt->text(), QStringLiteral("85,00"));
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT PreisSondersaison FROM tbZimmernummern WHERE Zimmernummer = 4")).isNull());
}

TEST_F(frmSaisonTest, ALockHeldElsewhereKeepsBothEditorsOpenWithWhatWasTyped) {
    frmSaison saison(db(), dialogs_);
    frmSaisonpreise preise(db(), dialogs_, 4);
    saison.show();
    preise.show();
    test::FremdeSperre::kurzWarten(db());
    klickZeile(saison.ctrflexzustand, 0);
    saison.txtBis->selectAll();
    QTest::keyClicks(saison.txtBis, QStringLiteral("20.03.2024"));
    QTest::keyClicks(preise.txtSonder, QStringLiteral("99"));

    const QString datei = test::FremdeSperre::dateiDer(db(), QStringLiteral("tbSaisonzeiten"));
    ASSERT_EQ(datei, test::FremdeSperre::dateiDer(db(), QStringLiteral("tbZimmernummern")));
    test::FremdeSperre sperre({datei});
    struct Fall {
        const char* was;
        std::function<void()> tun;
        QString meldung;
        QWidget* fenster;
    };
    const QList<Fall> faelle = {
        {"saving a season", [&] { saison.cmdSpeichern->click(); }, QStringLiteral("Die Saison konnte nicht gespeichert werden."), &saison},
        {"a new season",
         [&] {
             dialogs_.answer(Answer::Yes);
             saison.CmdNeueDaten->click();
         },
         QStringLiteral("konnte nicht"), &saison},
        {"closing the seasons with Yes",
         [&] {
             dialogs_.answer(Answer::Yes);
             saison.cmdSchliessen->click();
         },
         QStringLiteral("Die Saison konnte nicht gespeichert werden."), &saison},
        {"saving the prices", [&] { preise.cmdSpeichern->click(); }, QStringLiteral("Die Preise konnten nicht gespeichert werden."),
         &preise},
        {"closing the prices with Yes",
         [&] {
             dialogs_.answer(Answer::Yes);
             preise.cmdSchliessen->click();
         },
         QStringLiteral("Die Preise konnten nicht gespeichert werden."), &preise},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        dialogs_.clear();
        f.tun();
        ASSERT_FALSE(dialogs_.shown().isEmpty());
        const QString text = dialogs_.last().text;
        EXPECT_TRUE(text.contains(f.meldung)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\nDatenbank: ") + QFileInfo(datei).fileName() + QLatin1Char('\n'))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("SELECT")) || text.contains(QStringLiteral("UPDATE")) ||
                     text.contains(QStringLiteral("Abfrage")))
            << text.toStdString();
        EXPECT_TRUE(f.fenster->isVisible()) << "the window stays open";
        EXPECT_TRUE(dialogs_.allAnswersUsed());
    }
    EXPECT_EQ(preise.txtSonder->text(), QStringLiteral("99")) << "nothing typed is lost";

    // Once the lock is gone the same click saves.
    sperre.freigeben();
    dialogs_.clear();
    preise.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT PreisSondersaison FROM tbZimmernummern WHERE Zimmernummer = 4")).toDouble(), 99);
}
