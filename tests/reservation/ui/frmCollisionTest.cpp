#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "reservation/BelegungTestSupport.h"
#include "reservation/ui/frmCollision.h"
#include "support/Child.h"

using namespace tav;
using namespace Qt::StringLiterals;
using test::child;

class frmCollisionTest : public test::BookingFixture {
protected:
    void SetUp() override {
        BookingFixture::SetUp();
        fenster_ = std::make_unique<Belegung>(db(), dialogs_, adresse_, qtDialog_, kollision_);
        fenster_->setNummernMuster(NummernMuster{u"Üb"_s, u"yy"_s, true});
    }
    void TearDown() override {
        fenster_.reset();
        BookingFixture::TearDown();
    }

    // Runs `was` on the collision dialog once it is open (it is modal: the save waits for it).
    void imDialog(std::function<void(frmCollision&)> was) {
        QTimer::singleShot(0, [this, was] {
            auto* dialog = qobject_cast<frmCollision*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "the collision dialog is open";
            geoeffnet_ = true;
            was(*dialog);
        });
    }

    QtKollisionsDialog qtDialog_;
    std::unique_ptr<Belegung> fenster_;
    bool geoeffnet_ = false;
};

TEST_F(frmCollisionTest, FourCollisionsScrollAndOkMovesThem) {
    const int a = buchung(1, tag(10), tag(11), u"Albrecht"_s);
    const int b = buchung(1, tag(11), tag(12), u"Brandt"_s);
    const int c = buchung(1, tag(12), tag(13), u"Castorf"_s);
    const int d = buchung(1, tag(13), tag(14), u"Dietrich"_s);
    buchung(2, tag(1), tag(28), u"voll"_s);
    buchung(5, tag(12), tag(13), u"halb"_s);

    imDialog([&](frmCollision& w) {
        EXPECT_EQ(child<QLabel>(w, "lblÜberschrift")->text(),
                  u"Die neue Reservierung überschneidet sich mit folgenden 4 bereits vorhandenen Reservierungen:"_s);
        EXPECT_EQ(QStringList({child<QLineEdit>(w, "txtKürzel")->text(), child<QLineEdit>(w, "txtBezeichnungNeu")->text(),
                               child<QLabel>(w, "lblKürzel_0")->text(), child<QLabel>(w, "lblKürzel_2")->text(),
                               child<QLabel>(w, "lblVon_2")->text()}),
                  QStringList({"Neu", "101", "Albrecht", "Castorf", t(12)}));
        EXPECT_EQ(child<QLabel>(w, "lblKürzel_2")->toolTip(), u"Diese Reservierung kann auf 103 oder 104 oder 106 verschoben werden."_s);
        QScrollBar* scr = child<QScrollBar>(w, "scrColli");
        EXPECT_TRUE(scr->isVisibleTo(&w));
        EXPECT_EQ(scr->maximum(), 1) << "three rows show, one more to scroll to";

        QComboBox* ziel0 = child<QComboBox>(w, "cboBez_0");
        EXPECT_EQ(ziel0->count(), 5) << "empty entry and the rooms 103 to 106";
        ziel0->setCurrentIndex(ziel0->findText(u"103"_s));
        child<QCheckBox>(w, "chkLöschen_1")->setChecked(true);

        scr->setValue(1);
        EXPECT_EQ(w.erste(), 1);
        EXPECT_EQ(child<QLabel>(w, "lblKürzel_0")->text(), u"Brandt"_s);
        EXPECT_TRUE(child<QCheckBox>(w, "chkLöschen_0")->isChecked()) << "the choice moves with its booking";
        EXPECT_EQ(child<QLabel>(w, "lblKürzel_2")->text(), u"Dietrich"_s);
        QComboBox* ziel1 = child<QComboBox>(w, "cboBez_1");
        ziel1->setCurrentIndex(ziel1->findText(u"104"_s));
        child<QCheckBox>(w, "chkLöschen_2")->setChecked(true);

        scr->setValue(0);
        EXPECT_EQ(child<QComboBox>(w, "cboBez_0")->currentText(), u"103"_s);
        child<QPushButton>(w, "cmdOK")->click();
    });
    dialogs_.answer(Answer::Yes);  // Brandt into the waiting position
    dialogs_.answer(Answer::Yes);  // Dietrich as well
    ReservierungsFelder f = neue(u"101"_s, tag(10), tag(14), u"Neu"_s);
    EXPECT_TRUE(fenster_->Reserv(f)) << qPrintable(dialogs_.texts().join(QLatin1Char('\n')));
    EXPECT_TRUE(geoeffnet_);
    EXPECT_EQ(dialogs_.texts(), (QStringList{u"Möchten Sie die Reservierung mit dem Kürzel Brandt in die Warteposition verschieben?"_s,
                                             u"Möchten Sie die Reservierung mit dem Kürzel Dietrich in die Warteposition verschieben?"_s}));
    // Room and waiting mark of Albrecht, Brandt, Castorf, Dietrich and the new booking.
    const QStringList zimmerGeloescht = {"Zimmernummer", "Gelöscht"};
    EXPECT_EQ(spalten(a, zimmerGeloescht) + spalten(b, zimmerGeloescht) + spalten(c, zimmerGeloescht) + spalten(d, zimmerGeloescht) +
                  spalten(f.id, zimmerGeloescht),
              QStringList({"3", "0", "1", "-1", "4", "0", "1", "-1", "1", "0"}));
    EXPECT_EQ(zeilen(u"Zimmernummer = 1 AND Gelöscht = False"_s), 1) << "the new booking has the room to itself";
}

TEST_F(frmCollisionTest, OneCollisionWithABlockMemberAndChangedDates) {
    const int mitglied = buchung(1, tag(10), tag(12), u"Reisegruppe"_s);
    inBlock(9, mitglied);
    buchung(3, tag(1), tag(28), u"voll"_s);

    imDialog([&](frmCollision& w) {
        // One row shows, without a scroll bar; a block member's waiting box is disabled.
        EXPECT_EQ(QList<bool>({child<QScrollBar>(w, "scrColli")->isVisibleTo(&w), child<QLabel>(w, "lblKürzel_0")->isVisibleTo(&w),
                               child<QLabel>(w, "lblKürzel_1")->isVisibleTo(&w), child<QCheckBox>(w, "chkLöschen_0")->isEnabled()}),
                  QList<bool>({false, true, false, false}));
        QLineEdit* bis = child<QLineEdit>(w, "txtBis");
        bis->clear();
        QTest::keyClicks(bis, u"16.03.2024"_s);
        child<QPushButton>(w, "cmdÄndern")->click();
    });
    ReservierungsFelder f = neue(u"101"_s, tag(11), tag(13), u"Neu"_s);
    EXPECT_FALSE(fenster_->Reserv(f));
    EXPECT_TRUE(geoeffnet_);
    EXPECT_EQ(f.bis, u"16.03.2024"_s) << "the date typed in the dialog went back into the form";
    EXPECT_EQ(std::tuple(f.fokus, dialogs_.shown().size(), zeilen()), std::tuple(Fokus::Zimmer, 1, 2)) << "the overlap is told";
}

TEST_F(frmCollisionTest, WaitingButtonParksTheNewBookingUnlessItIsABlockMember) {
    buchung(1, tag(10), tag(12), u"alt"_s);
    imDialog([&](frmCollision& w) {
        QPushButton* warten = child<QPushButton>(w, "cmdWarten");
        EXPECT_TRUE(warten->isEnabled());
        warten->click();
    });
    ReservierungsFelder f = neue(u"101"_s, tag(11), tag(13), u"wartet"_s);
    EXPECT_TRUE(fenster_->Reserv(f));
    EXPECT_EQ(zeilen(u"Kürzel = 'wartet' AND Gelöscht = True"_s), 1);

    const int mitglied = buchung(2, tag(10), tag(12), u"Mitglied"_s);
    inBlock(1, mitglied);
    ReservierungsFelder g;
    ASSERT_TRUE(fenster_->laden(mitglied, g));
    g.gastName = u"Gruppe"_s;
    g.zimmer = u"101"_s;
    geoeffnet_ = false;
    imDialog([&](frmCollision& w) {
        EXPECT_FALSE(child<QPushButton>(w, "cmdWarten")->isEnabled());
        child<QPushButton>(w, "cmdAbbrechen")->click();
    });
    EXPECT_FALSE(fenster_->Reserv(g));
    EXPECT_TRUE(geoeffnet_);
    EXPECT_TRUE(g.schliessen);
    EXPECT_EQ(zeilen(u"ID = %1 AND Zimmernummer = 2"_s.arg(mitglied)), 1);
}
