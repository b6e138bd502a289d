#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

#include "invoice/clsRechnung.h"
#include "invoice/ui/StammFensterFixture.h"
#include "invoice/ui/frmRechnungPo.h"
#include "invoice/ui/frmRenummer.h"
#include "platform/Shell.h"
#include "store/Parameter.h"
#include "support/Screenshot.h"

using namespace tav;

namespace {

class frmRechnungPoTest : public test::StammFensterFixture {
protected:
    void SetUp() override {
        StammFensterFixture::SetUp();
        buchung_ = beispiel_
                       ->scalar(QStringLiteral("SELECT Min(ID) FROM tblBelegung WHERE Gelöscht = False AND PreisProNacht > 0 AND "
                                               "Abgerechnet = 0 AND (IST_Geteilt Is Null OR IST_Geteilt <> 'Y')"))
                       .toInt();
        ASSERT_NE(buchung_, 0) << "the sample has an open booking with a price per night";
    }
    void TearDown() override {
        fenster_.reset();
        StammFensterFixture::TearDown();
    }
    // The window on the booking, shown.
    frmRechnungPo& fenster(RechnungPoLogik::Modus modus = RechnungPoLogik::Modus::Rechnung) {
        fenster_.reset();
        fenster_ = std::make_unique<frmRechnungPo>(*beispiel_, dialogs_, umgebung(), buchung_, modus);
        fenster_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(fenster_.get()));
        return *fenster_;
    }
    frmRechnungPo::Umgebung umgebung() {
        frmRechnungPo::Umgebung u;
        u.shell = &shell_;
        u.programmordner = QStringLiteral("/programm");
        return u;
    }
    static int zeileVon(frmRechnungPo& w, bool buchung, int id) {
        const auto& z = w.logik().zeilen();
        for (int i = 0; i < z.size(); ++i)
            if (z[i].buchung == buchung && z[i].id == id) return i;
        return -1;
    }
    int nachtPosten() {
        return beispiel_->scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE IDBelegung = ? AND IST_Belegung = 'Y'"), {buchung_})
            .toInt();
    }

    ScriptedShell shell_;
    int buchung_ = 0;
    std::unique_ptr<frmRechnungPo> fenster_;
};

}  // namespace

TEST_F(frmRechnungPoTest, ASplitBookingShowsItsNightItemsUntilTheSplitIsUndone) {
    frmRechnungPo& w = fenster();
    QAbstractItemModelTester tester(w.ctrPosten->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Bestätigung/Rechnung"));
    EXPECT_EQ(w.aktuelleZeile(), zeileVon(w, true, buchung_)) << "the booking is shown in the fields";
    EXPECT_FALSE(w.cmdADressverw->isEnabled()) << "no address program in the program folder";
    EXPECT_FALSE(w.mnuAuswertung->isEnabled()) << "no evaluation program in the program folder";
    const int vorher = w.ctrPosten->model()->rowCount();

    dialogs_.answerText(QStringLiteral("2"));
    w.mnuTeilen->trigger();
    EXPECT_EQ(nachtPosten(), 2);
    EXPECT_EQ(w.ctrPosten->model()->rowCount(), vorher + 2);
    const int erste = vorher;  // the night items follow their booking, night items first
    EXPECT_EQ(w.ctrPosten->model()->data(w.ctrPosten->model()->index(erste, 1)).toString(), QStringLiteral("Übernachtungen"));
    EXPECT_EQ(w.ctrPosten->model()->data(w.ctrPosten->model()->index(zeileVon(w, true, buchung_), 6)).toString(),
              QStringLiteral("aufgeteilt"));
    test::saveScreenshot(w, QStringLiteral("frmRechnungPo-geteilt"));

    w.zeileWaehlen(zeileVon(w, true, buchung_));
    w.mnuKeineTeilung->trigger();
    EXPECT_EQ(nachtPosten(), 0);
    EXPECT_EQ(w.ctrPosten->model()->rowCount(), vorher);
}

TEST_F(frmRechnungPoTest, ThePrintedNumberTurnsGreenWhenFreeAndADoubleClickProposesTheNext) {
    beispiel_->execute(QStringLiteral("DELETE ReNummer FROM tbRechnungen"));
    beispiel_->execute(
        QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, IST_Rechnung, ReZaehler, DatumRe) VALUES "
                       "(1, 'R 0001', 'R', 1, Date())"));
    Parameter(*beispiel_).write(QStringLiteral("ReNummer"), {{1, QString()}, {2, QString()}, {4, QStringLiteral("Freilassen")}});
    frmRechnungPo& w = fenster();
    const QColor normal = w.txtReNummer_Eigen->palette().color(QPalette::Base);
    struct Fall {
        const char* name;
        QString text;
        bool frei;
    };
    const Fall faelle[] = {{"taken", "R 0001", false}, {"free", "R 0009", true}, {"empty", QString(), false}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        w.txtReNummer_Eigen->setText(f.text);
        EXPECT_EQ(w.txtReNummer_Eigen->property("frei").toBool(), f.frei);
        EXPECT_EQ(w.txtReNummer_Eigen->palette().color(QPalette::Base) != normal, f.frei);
        if (f.frei) {
            EXPECT_GT(w.txtReNummer_Eigen->palette().color(QPalette::Base).green(), 200);
        }
    }
    QTest::mouseDClick(w.txtReNummer_Eigen, Qt::LeftButton);
    EXPECT_EQ(w.txtReNummer_Eigen->text(), QStringLiteral("R 0002"));
    EXPECT_TRUE(w.txtReNummer_Eigen->property("frei").toBool());
}

TEST_F(frmRechnungPoTest, RememberedChoicesAndUnsavedChangesAsk) {
    {
        frmRechnungPo& w = fenster(RechnungPoLogik::Modus::Angebot);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Angebot"));
        EXPECT_FALSE(w.cmdDrucken->isVisible()) << "an offer is made with its own button";
        w.chAnzahlung->setChecked(true);
        w.opBerechnung[2]->setChecked(true);
        dialogs_.answer(Answer::Yes);
        QTest::keyClick(w.chAnzahlung, Qt::Key_F2);
        EXPECT_EQ(dialogs_.last().caption, RechnungPoLogik::kVorgabeTitel);
        dialogs_.answer(Answer::Yes);
        QTest::keyClick(w.opBerechnung[2], Qt::Key_F2);

        // A new item typed but not saved: leaving asks, No discards.
        w.CmdNeueDaten->click();
        QTest::keyClicks(w.txtBemerkung, QStringLiteral("Sekt"));
        dialogs_.answer(Answer::Cancel);
        w.close();
        EXPECT_EQ(dialogs_.last().text, QStringLiteral("Änderungen oder neue Daten speichern?"));
        EXPECT_TRUE(w.isVisible()) << "Cancel stays";
        dialogs_.answer(Answer::No);
        w.close();
        EXPECT_FALSE(w.isVisible());
    }
    frmRechnungPo& w = fenster();
    EXPECT_TRUE(w.chAnzahlung->isChecked());
    EXPECT_TRUE(w.opBerechnung[2]->isChecked());
}

TEST_F(frmRechnungPoTest, TheSiblingProgramsStartWhenTheyArePresent) {
    shell_.addProgram(QStringLiteral("/programm/Qubero.exe"));
    shell_.addProgram(QStringLiteral("/programm/Yorvak.exe"));
    frmRechnungPo& w = fenster();
    ASSERT_TRUE(w.cmdADressverw->isEnabled());
    ASSERT_TRUE(w.mnuAuswertung->isEnabled());
    w.cmdADressverw->click();
    w.mnuAuswertung->trigger();
    ASSERT_EQ(shell_.started().size(), 2);
    EXPECT_TRUE(shell_.started()[0].program.contains(QStringLiteral("Qubero")));
    EXPECT_TRUE(shell_.started()[1].program.contains(QStringLiteral("Yorvak")));
    EXPECT_EQ(shell_.started()[1].arguments, QStringList{QStringLiteral("RechnungInstanz")});
}

TEST_F(frmRechnungPoTest, DocumentSettingsShowTheLiveExampleAndWriteDisplayOptionsAtOnce) {
    frmRenummer f(*beispiel_, dialogs_, nullptr);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    f.txtVor->clear();
    f.cboDatum->setCurrentIndex(0);
    f.txtRenummer->setText(QStringLiteral("12"));
    EXPECT_EQ(f.txtRenummerBeispiel->text(), QStringLiteral("R  0012"));
    QTest::keyClicks(f.txtVor, QStringLiteral("Üb"));
    f.cboDatum->setCurrentIndex(1);
    EXPECT_EQ(f.txtRenummerBeispiel->text(), QStringLiteral("R Üb 0012 ") + QDate::currentDate().toString(QStringLiteral("yy")));
    test::saveScreenshot(f, QStringLiteral("frmRenummer-1-nummern"));
    f.cmdSpeichern->click();
    EXPECT_EQ(Parameter(*beispiel_).read(QStringLiteral("ReNummer"))->text(1), QStringLiteral("Üb"));

    f.tabs->setCurrentIndex(1);
    QCheckBox* gast = f.optionen.value(QStringLiteral("chGastnameR"));
    ASSERT_NE(gast, nullptr);
    const bool vorher = Parameter(*beispiel_).readYesNo(QStringLiteral("GastnameR"));
    gast->click();
    EXPECT_NE(Parameter(*beispiel_).readYesNo(QStringLiteral("GastnameR")), vorher) << "written without a save";
    test::saveScreenshot(f, QStringLiteral("frmRenummer-2-anzeige"));

    f.tabs->setCurrentIndex(2);
    test::saveScreenshot(f, QStringLiteral("frmRenummer-3-zahlungsziele"));
    QTest::keyClicks(f.txtZahlungszielAllgnR, QStringLiteral("14x"));
    EXPECT_EQ(f.txtZahlungszielAllgnR->text(), QStringLiteral("14")) << "digits only";
    dialogs_.answer(Answer::Yes);
    f.tabs->setCurrentIndex(3);
    EXPECT_EQ(dialogs_.last().text, RenummerLogik::kSpeichernFrage);
    EXPECT_EQ(f.tabs->currentIndex(), 3);
    EXPECT_EQ(Parameter(*beispiel_).read(QStringLiteral("Zahlungsziele"))->text(6), QStringLiteral("14"));
    test::saveScreenshot(f, QStringLiteral("frmRenummer-4-texte"));
    f.txtTextFuerUebernachtung->clear();
    f.Command3->click();
    EXPECT_EQ(f.txtTextFuerUebernachtung->text(), QStringLiteral("Übernachtung")) << "an empty word restores the default";
}

TEST_F(frmRechnungPoTest, TheAddressBookIsReadWhenTheBoxIsOpened) {
    frmRechnungPo& w = fenster();
    const int alle = beispiel_->scalar(QStringLiteral("SELECT Count(*) FROM Address")).toInt();
    ASSERT_GT(alle, 1);
    EXPECT_EQ(w.cboGastNeu->count(), 1) << "the booking's invoice address";
    const int gewaehlt = w.cboGastNeu->currentData().toInt();
    EXPECT_NE(gewaehlt, 0);
    QTest::mouseClick(w.cboGastNeu, Qt::LeftButton);
    QTest::keyClick(w.cboGastNeu, Qt::Key_Escape);
    EXPECT_EQ(w.cboGastNeu->count(), alle);
    EXPECT_EQ(w.cboGastNeu->currentData().toInt(), gewaehlt) << "the choice stays";
}
