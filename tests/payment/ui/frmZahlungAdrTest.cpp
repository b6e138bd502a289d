#include "payment/ui/frmZahlungAdr.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "payment/ZahlungTestDaten.h"
#include "platform/ScriptedDialogs.h"
#include "support/ScriptedFenster.h"

using namespace tav;

// The account window shows what its logic reads and forwards double clicks and menu entries
// to the window service; the rules themselves are tested in ZahlungAdrLogikTest.
class frmZahlungAdrTest : public test::ZahlungFixture {
protected:
    void SetUp() override {
        ZahlungFixture::SetUp();
        buchung_ = buchung(1);
        db().execute(QStringLiteral("UPDATE tblBelegung SET Preis = 300 WHERE ID = ?"), {buchung_});
        rechnung(1, 300.0, buchung_);
        zahlung(buchung_, 120.0, 1);
        zahlung(buchung_, 30.0);
    }
    static void doppelklick(QTableView* g, int zeile) {
        QApplication::processEvents();
        const QModelIndex i = g->model()->index(zeile, 1);
        ASSERT_TRUE(i.isValid());
        ASSERT_FALSE(g->visualRect(i).isEmpty()) << "the row is on the screen";
        g->setCurrentIndex(i);
        // A double click is a press and release followed by a second press: the view needs the first.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
    }
    ScriptedDialogs dialogs_;
    test::ScriptedFenster fenster_;
    int buchung_ = 0;
};

TEST_F(frmZahlungAdrTest, ShowsTheSumsOfEveryTabAndForwardsDoubleClicks) {
    fenster_.setVorhanden({Ziel::Reservierung, Ziel::RechnungOeffnen, Ziel::Rechnungen, Ziel::Zahlungen});
    frmZahlungAdr w(db(), dialogs_, fenster_, gast_);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.tabKonto->tabText(3), QStringLiteral("nicht abgerechnete Posten"));
    EXPECT_EQ(w.txtSumBelegungen->text(), QStringLiteral("300,00"));
    EXPECT_EQ(w.txtSumRechnung->text(), QStringLiteral("0,00")) << "filled when its tab is chosen";

    w.tabKonto->setCurrentIndex(1);
    EXPECT_EQ(w.txtDiffRechZahl->text(), QStringLiteral("180,00"));
    doppelklick(w.ctrFlexRechnungen, 0);
    w.tabKonto->setCurrentIndex(2);
    EXPECT_EQ(w.txtSumZahlungOhne->text(), QStringLiteral("30,00"));
    doppelklick(w.ctrFlexZahlungOhne, 0);
    w.tabKonto->setCurrentIndex(0);
    doppelklick(w.ctrFlexBelegung, 0);

    ASSERT_EQ(fenster_.ziele(), (QList<Ziel>{Ziel::RechnungOeffnen, Ziel::Zahlungen, Ziel::Reservierung}));
    EXPECT_EQ(fenster_.geoeffnet()[0].aufruf.nummer, 1);
    EXPECT_EQ(fenster_.geoeffnet()[1].aufruf.buchungId, buchung_);
    EXPECT_EQ(fenster_.geoeffnet()[2].aufruf.buchungId, buchung_);
}

TEST_F(frmZahlungAdrTest, EntriesWhoseWindowIsMissingStayDisabledAndTheTabRuleHolds) {
    frmZahlungAdr w(db(), dialogs_, fenster_, gast_);
    w.show();
    w.ctrFlexBelegung->setCurrentIndex(w.ctrFlexBelegung->model()->index(0, 0));
    EXPECT_FALSE(w.mnuReservierung->isEnabled()) << "no reservation window in this service";
    EXPECT_TRUE(w.mnuStatus->isEnabled());
    doppelklick(w.ctrFlexBelegung, 0);
    EXPECT_TRUE(fenster_.geoeffnet().isEmpty());

    w.chWeitere->setChecked(true);
    w.tabKonto->setCurrentIndex(2);
    EXPECT_EQ(w.tabKonto->currentIndex(), 0) << "refused while further persons are shown";
    EXPECT_EQ(dialogs_.shown().size(), 1) << "the logic's message";
}
