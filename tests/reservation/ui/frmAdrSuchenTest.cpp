#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "reservation/Beispieldaten.h"
#include "store/Parameter.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "reservation/ui/frmAdrSuchen.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class frmAdrSuchenTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        test::beispieldatenAnlegen(db(), heute_);
    }
    QStringList namen(frmAdrSuchen& f) {
        QStringList out;
        for (const AdrTreffer& t : f.modell().treffer()) out << t.nachname;
        return out;
    }

    QDate heute_{2024, 7, 1};
    ClockOverride uhr_{heute_};
    ScriptedDialogs dialogs_;
};

TEST_F(frmAdrSuchenTest, TheFirstCharacterFromThePlanShowsNothingUntilTheSecond) {
    Parameter(db()).saveYesNo(QStringLiteral("Such_Nachname"), 1);
    Parameter(db()).saveYesNo(QStringLiteral("Such_Ort"), 1);
    frmAdrSuchen f(db(), dialogs_, QStringLiteral("M"));
    QAbstractItemModelTester tester(&f.modell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(f.chNachname->isChecked());
    EXPECT_FALSE(f.chVorname->isChecked());
    EXPECT_FALSE(f.chStrasse->isChecked());
    EXPECT_TRUE(f.chOrt->isChecked());
    EXPECT_EQ(f.txtSuchwort->text(), QStringLiteral("M"));
    EXPECT_EQ(f.modell().rowCount(), 0) << "one character shows nothing";

    // The next key typed goes after the character from the plan.
    f.show();
    QApplication::processEvents();
    QKeyEvent ue(QEvent::KeyPress, Qt::Key_Udiaeresis, Qt::NoModifier, QStringLiteral("ü"));
    QApplication::sendEvent(f.txtSuchwort, &ue);
    EXPECT_EQ(f.txtSuchwort->text(), QStringLiteral("Mü"));
    EXPECT_EQ(namen(f), QStringList({QStringLiteral("Müller"), QStringLiteral("Müller-Lüdenscheidt"), QStringLiteral("Neumann")}))
        << "Neumann lives in München";
    EXPECT_EQ(f.gewaehlteAdresse(), 8) << "the first row is chosen";

    f.chOrt->setChecked(false);
    EXPECT_EQ(f.modell().rowCount(), 2);
    f.chVorname->setChecked(true);
    f.cmdVorgabe->click();
    EXPECT_TRUE(Parameter(db()).readYesNo(QStringLiteral("Such_Vorname")));
    EXPECT_FALSE(Parameter(db()).readYesNo(QStringLiteral("Such_Ort")));

    const QStringList kopf = {QString(), QStringLiteral("Nachname"), QStringLiteral("Vorname"), QStringLiteral("Straße"),
                              QStringLiteral("Ort")};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(f.modell().headerData(c, Qt::Horizontal).toString(), kopf[c]);
        EXPECT_EQ(f.modell().headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
    }
}

TEST_F(frmAdrSuchenTest, ButtonsEmitWhatTheMainWindowOpens) {
    Parameter(db()).saveYesNo(QStringLiteral("Such_Nachname"), 1);
    frmAdrSuchen f(db(), dialogs_, QStringLiteral("Me"));
    ASSERT_EQ(namen(f), QStringList({QStringLiteral("Meier"), QStringLiteral("Meyer")}));
    QSignalSpy buchung(&f, &frmAdrSuchen::reservierungOeffnen);
    QSignalSpy neu(&f, &frmAdrSuchen::neueReservierung);
    QSignalSpy uebersicht(&f, &frmAdrSuchen::uebersichtOeffnen);

    // Meier arrives in ten days: Enter in the search word opens that booking.
    QTest::keyClick(f.txtSuchwort, Qt::Key_Return);
    ASSERT_EQ(buchung.count(), 1);
    EXPECT_EQ(buchung.first().first().toInt(), db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE GastID = 5")).toInt());

    // Meyer has no booking at all: asked first.
    f.ctrFlexAdresse->selectRow(1);
    dialogs_.answer(Answer::Yes);
    f.cmdResOeffnen->click();
    EXPECT_EQ(dialogs_.last().text,
              QStringLiteral("Für diese Adresse existieren keine Reservierungen. Möchten Sie Übersicht für die Adresse öffnen?"));
    ASSERT_EQ(uebersicht.count(), 1);
    EXPECT_EQ(uebersicht.first().first().toInt(), 6);

    f.cmdNeueRes->click();
    ASSERT_EQ(neu.count(), 1);
    EXPECT_EQ(neu.first()[0].toInt(), 6);
    EXPECT_EQ(neu.first()[1].toDate(), heute_);
    EXPECT_EQ(neu.first()[2].toDate(), heute_.addDays(1));

    f.cmdUebersicht->click();
    EXPECT_EQ(uebersicht.count(), 2);
    EXPECT_EQ(buchung.count(), 1);

    // Two bookings of Müller within the month: the overview.
    f.txtSuchwort->setText(QStringLiteral("Müller"));
    f.cmdResOeffnen->click();
    EXPECT_EQ(uebersicht.count(), 3);
    EXPECT_EQ(buchung.count(), 1);
}

TEST_F(frmAdrSuchenTest, WithoutTheOtherWindowsTheUserIsToldPlainly) {
    Parameter(db()).saveYesNo(QStringLiteral("Such_Nachname"), 1);
    frmAdrSuchen f(db(), dialogs_, QStringLiteral("Mü"));
    f.cmdResOeffnen->click();  // two bookings: the overview
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Übersicht für eine Adresse (Reservierungen, Rechnungen, Zahlungen) ist in "
                                                   "dieser Version noch nicht verfügbar."));
    f.txtSuchwort->setText(QStringLiteral("Mei"));
    f.cmdResOeffnen->click();
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Das Reservierungsformular ist in dieser Version noch nicht verfügbar."));
    f.txtSuchwort->setText(QStringLiteral("x"));
    dialogs_.clear();
    f.cmdNeueRes->click();
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Wählen Sie zunächst eine Adresse aus."));
}
