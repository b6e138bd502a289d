#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <tuple>

#include "app/ProgrammFixture.h"
#include "reservation/ui/frmReservierung.h"
#include "support/Child.h"

using namespace tav;
using test::child;

namespace {

// The plan of the sample database showing an empty stretch of the calendar, and every window
// opened from the plan as the program opens it.
class PlanBedienungTest : public test::ProgrammFixture {
protected:
    void SetUp() override {
        beispielEinrichten();
        frmReservierung::setEinstiegsDialogs(&formDialoge);
        ASSERT_EQ(starten(), MainLogik::Ergebnis::Bereit) << qPrintable(meldungen());
        // Half a year ahead the sample hotel is empty.
        plan().zeigeAb(QDate::currentDate().addDays(180));
    }
    void TearDown() override {
        frmReservierung::setEinstiegsDialogs(nullptr);
        ProgrammFixture::TearDown();
    }

    const Zelle& zelle(int zeile, int spalte) { return model().zelle(zeile, spalte); }
    QVariant wert(const QString& feld, int id) {
        return db().scalar(QStringLiteral("SELECT [%1] FROM tblBelegung WHERE ID = ?").arg(feld), {id});
    }
};

}  // namespace

TEST_F(PlanBedienungTest, DraggedNightsBecomeABookingThatOpensAgainAndGrows) {
    // 1. Drag over three free nights of one room and book a new guest.
    const int zimmer = 1, zeile = model().zeileDesZimmers(zimmer);
    for (int s = 3; s <= 12; ++s) ASSERT_FALSE(zelle(zeile, s).belegt()) << "an empty room in the window, night " << s;
    const QDate anreise = zelle(zeile, 5).datum.addDays(-1);
    bool formular = false;
    imModalenFenster<frmReservierung>(
        [](frmReservierung& w) {
            QTest::keyClicks(child<QComboBox>(w, "cboGastNeu"), QStringLiteral("Quandt"));
            QTest::keyClicks(child<QLineEdit>(w, "fldKürzel"), QStringLiteral("Quandt"));
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
}
