#include "payment/ui/frmZahlung.h"

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

#include "engine/Database.h"
#include "payment/ZahlungTestDaten.h"
#include "payment/ui/frmAbrechnen.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "store/Zahlstatus.h"
#include "support/FremdeSperre.h"
#include "support/Screenshot.h"

using namespace tav;

class frmZahlungTest : public test::ZahlungFixture {
protected:
    static ZahlungKontext fuer(QList<int> buchungen) {
        ZahlungKontext k;
        k.buchungen = std::move(buchungen);
        return k;
    }
    static void tippen(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    static QString zelle(QAbstractItemModel& m, int r, int c) { return m.data(m.index(r, c)).toString(); }

    ClockOverride uhr_{QDate(2024, 7, 4)};
    ScriptedDialogs dialogs_;
};

TEST_F(frmZahlungTest, ADepositTypedIntoTheWindowIsSavedAndShownInTheGrid) {
    const int b = buchung(1, 0, QStringLiteral("2024-0003"));
    frmZahlung f(db(), dialogs_, fuer({b}));
    QAbstractItemModelTester t1(&f.zahlungsModell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester t2(&f.rechnungsModell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Zahlungen und Rechnungen"));
    // The texts are the logic's (ZahlungLogikTest); the window shows them.
    EXPECT_EQ(f.lblKopf->toolTip(), QStringLiteral("Anzeige für folgende Zimmer: ") + f.lblKopf->text());
    EXPECT_TRUE(f.cmdWarnung->isVisible());
    EXPECT_FALSE(f.cboRechnung->isEnabled()) << "no invoice yet";
    EXPECT_EQ(f.cboZimmer->currentText(), QStringLiteral("101 (2024-0003)"));

    tippen(f.txtPreis, QStringLiteral("2x00,5"));
    EXPECT_EQ(f.txtPreis->text(), QStringLiteral("200,5")) << "letters are not taken";
    f.txtBemerkung->setFocus();  // leaving the amount formats it
    EXPECT_EQ(f.txtPreis->text(), QStringLiteral("200,50"));
    f.cboWasBezahlt->setCurrentText(QStringLiteral("Anzahlung"));
    f.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << dialogs_.texts().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(f.zahlungsModell().rowCount(), 1);
    EXPECT_EQ(zelle(f.zahlungsModell(), 0, ZahlungsModell::Betrag), QStringLiteral("200,50"));
    EXPECT_EQ(zelle(f.zahlungsModell(), 0, ZahlungsModell::WasBezahlt), QStringLiteral("Anzahlung"));

    // A click on the status label in its "change" colour starts a new payment.
    const QString aendern = f.lbStatus->text();
    QTest::mouseClick(f.lbStatus, Qt::LeftButton);
    EXPECT_NE(f.lbStatus->text(), aendern);
    EXPECT_TRUE(f.txtPreis->text().isEmpty());

    // A date like 31.02. is refused when leaving the box.
    tippen(f.txtZahlDatum, QStringLiteral("31.02.24"));
    f.txtBemerkung->setFocus();
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Bitte überprüfen Sie das Datum"));
    dialogs_.clear();

    // A new payment kind on Enter, removed again with F2.
    f.cboZahlart->setFocus();
    f.cboZahlart->lineEdit()->selectAll();
    QTest::keyClicks(f.cboZahlart->lineEdit(), QStringLiteral("Gutschein"));
    QTest::keyClick(f.cboZahlart->lineEdit(), Qt::Key_Return);
    EXPECT_GE(f.cboZahlart->findText(QStringLiteral("Gutschein")), 0);
    dialogs_.answer(Answer::Yes);
    QTest::keyClick(f.cboZahlart->lineEdit(), Qt::Key_F2);
    EXPECT_LT(f.cboZahlart->findText(QStringLiteral("Gutschein")), 0);
    test::saveScreenshot(f, QStringLiteral("frmZahlung-anzahlung"));

    // Closing keeps the column widths for the next opening.
    f.ctrflexZahlung->setColumnWidth(ZahlungsModell::Zahlart, 177);
    dialogs_.answer(Answer::No);
    f.cmdSchliessen->click();
    EXPECT_FALSE(f.isVisible());
    frmZahlung wieder(db(), dialogs_, fuer({b}));
    EXPECT_EQ(wieder.ctrflexZahlung->columnWidth(ZahlungsModell::Zahlart), 177);
}

// As a new user would: a deposit on a booking, then its invoice, then the settlement; the
// invoice shows paid and the booking's paid state turns.
TEST_F(frmZahlungTest, DepositInvoiceAndSettlementMakeTheBookingPaid) {
    const int b = buchung(2);
    {
        frmZahlung f(db(), dialogs_, fuer({b}));
        f.show();
        tippen(f.txtPreis, QStringLiteral("100"));
        f.cmdSpeichern->click();
        f.cmdSchliessen->click();
    }
    EXPECT_EQ(zahlstatusDerBuchung(db(), b), Zahlstatus::Offen);
    // Creating the invoice: its row and link, the deposit attached, the booking settled.
    rechnung(1, 250.0, b);
    db().execute(QStringLiteral("UPDATE tbZahlung SET IdRechnung = 1 WHERE IDBelegung = ? AND IdRechnung Is Null"), {b});
    db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID = ?"), {b});
    EXPECT_EQ(zahlstatusDerBuchung(db(), b), Zahlstatus::Offen);

    {
        frmAbrechnen a(db(), dialogs_, 1, b);
        a.show();
        EXPECT_EQ(a.txtBetrag->text(), QStringLiteral("150,00"));
        test::saveScreenshot(a, QStringLiteral("frmAbrechnen"));
        a.cmdOK->click();
        EXPECT_EQ(a.result(), QDialog::Accepted);
    }
    EXPECT_EQ(zahlstatusDerBuchung(db(), b), Zahlstatus::Bezahlt);

    frmZahlung f(db(), dialogs_, fuer({b}));
    f.show();
    EXPECT_FALSE(f.cmdWarnung->isVisible());
    ASSERT_EQ(f.rechnungsModell().rowCount(), 3);
    EXPECT_EQ(zelle(f.rechnungsModell(), 1, 2), QStringLiteral("Summe Zahlungen:"));
    EXPECT_EQ(zelle(f.rechnungsModell(), 1, 3), QStringLiteral("250,00"));
    EXPECT_EQ(zelle(f.rechnungsModell(), 2, 2), QStringLiteral("noch zu zahlen:"));
    EXPECT_EQ(zelle(f.rechnungsModell(), 2, 3), QStringLiteral("0,00"));
    EXPECT_EQ(f.zahlungsModell().rowCount(), 2);
    // A double click on the paid invoice changes nothing.
    const QString preis = f.txtPreis->text();
    const QRect r = f.ctrFlexRechnungen->visualRect(f.rechnungsModell().index(2, 3));
    QTest::mouseDClick(f.ctrFlexRechnungen->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(f.txtPreis->text(), preis);
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    test::saveScreenshot(f, QStringLiteral("frmZahlung-bezahlt"));
}

TEST_F(frmZahlungTest, ALockedFileIsReportedByNameAndTheWindowKeepsWhatWasTyped) {
    const int b = buchung(1);
    frmZahlung f(db(), dialogs_, fuer({b}));
    f.show();
    test::FremdeSperre::kurzWarten(db());
    tippen(f.txtPreis, QStringLiteral("70"));
    const QString datei = test::FremdeSperre::dateiDer(db(), QStringLiteral("tbZahlung"));
    {
        test::FremdeSperre sperre({datei});
        f.cmdSpeichern->click();
        ASSERT_FALSE(dialogs_.shown().isEmpty());
        const QString text = dialogs_.last().text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("Die Zahlung konnte nicht gespeichert werden."))) << text.toStdString();
        EXPECT_TRUE(text.contains(QFileInfo(datei).fileName())) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("SELECT")) || text.contains(QStringLiteral("INSERT")));
        EXPECT_EQ(f.txtPreis->text(), QStringLiteral("70"));
        dialogs_.clear();
    }
    f.cmdSpeichern->click();
    EXPECT_EQ(anzahlZahlungen(), 1) << "saved once the lock is gone";
}

TEST_F(frmZahlungTest, TheSettlementDialogRefusesABadDateAndAddsAPaymentKindOnEnter) {
    const int b = buchung(1, 1);
    rechnung(1, 90.0, b);
    frmAbrechnen a(db(), dialogs_, 1, b);
    a.show();
    tippen(a.txtDatumRechnung, QStringLiteral("31.02.2024"));
    a.cmdOK->click();
    EXPECT_EQ(dialogs_.shown().size(), 1);
    EXPECT_TRUE(a.isVisible());
    EXPECT_EQ(anzahlZahlungen(), 0);
    dialogs_.clear();

    a.cboZahlart->lineEdit()->selectAll();
    QTest::keyClicks(a.cboZahlart->lineEdit(), QStringLiteral("Kreditkarte"));
    QTest::keyClick(a.cboZahlart->lineEdit(), Qt::Key_Return);
    EXPECT_GE(a.cboZahlart->findText(QStringLiteral("Kreditkarte")), 0);
    tippen(a.txtDatumRechnung, QStringLiteral("05.07.2024"));
    a.cmdOK->click();
    EXPECT_FALSE(a.isVisible());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Zahlart FROM tbZahlung WHERE IdRechnung = 1")).toString(), QStringLiteral("Kreditkarte"));
}
