#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/Shell.h"
#include "platform/WindowAnnouncement.h"
#include "reservation/FormularTestSupport.h"
#include "reservation/ui/frmReservierung.h"
#include "store/mdBlockbuchung.h"
#include "support/Child.h"

using namespace tav;
using namespace Qt::StringLiterals;
using test::child;

// The reservation form's block command: it saves, hands the booking to the block program,
// follows what the block program changes while its window is open, and sets the plan's
// refresh flag when it closed.
class ReservierungBlockTest : public test::FormularFixture {
protected:
    void TearDown() override {
        // A watch that outlived its form watches a block window of this test only.
        qDeleteAll(qApp->findChildren<QTimer*>(u"timeBlockNachForm"_s));
        variablen().aktualisieren = 0;
        FormularFixture::TearDown();
    }
    std::unique_ptr<frmReservierung> fenster(int id) {
        auto f = std::make_unique<frmReservierung>(db(), beispiel_.get(), einstellungen(), umgebung(), nullptr, &dialogs_,
                                                   &kollisionsDialog_, nullptr, &shell_);
        Uebergabe u;
        u.buchungId = id;
        EXPECT_TRUE(f->starten(u));
        return f;
    }
    ScriptedShell shell_;
};

TEST_F(ReservierungBlockTest, TheBlockProgramIsStartedForTheBookingAndFollowedUntilItCloses) {
    const int id = buchung(2, tag(10), tag(12), u"Gruppe"_s);
    {
        auto ohne = fenster(id);
        EXPECT_FALSE(child<QPushButton>(*ohne, "cmdBlockbuchung")->isEnabled()) << "no block program: no command";
    }
    shell_.addProgram(folder() + u"/Tosmek.exe"_s);
    auto w = fenster(id);
    w->show();
    auto* knopf = child<QPushButton>(*w, "cmdBlockbuchung");
    auto* timeBlock = child<QTimer>(*w, "timeBlock");
    auto* kontrolle = child<QTimer>(*w, "timerKontrolle");
    ASSERT_TRUE(knopf->isEnabled());
    EXPECT_FALSE(knopf->isChecked());

    knopf->click();
    ASSERT_EQ(shell_.started().size(), 1);
    EXPECT_EQ(QStringList{shell_.started()[0].program} + shell_.started()[0].arguments,
              (QStringList{Shell::programPath(folder() + u"/Tosmek.exe"_s), QString::number(id), db().path()}));
    EXPECT_EQ(mdBlockbuchung::uebergabeLesen(db()), id) << "the booking is in the hand-over row";
    EXPECT_TRUE(timeBlock->isActive() && !knopf->isChecked()) << "watched; a click alone does not make a member";

    // The block program's window is open and makes the booking a member.
    shell_.addWindow(u"Blockbuchung"_s);
    const int partner = buchung(3, tag(10), tag(12), u"Gruppe 103"_s);
    db().execute(u"INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (1, ?, True)"_s, {id});
    db().execute(u"INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (1, ?, False)"_s, {partner});
    QTRY_VERIFY_WITH_TIMEOUT(knopf->isChecked(), 3000);
    EXPECT_FALSE(child<QPushButton>(*w, "cmdWarten")->isEnabled()) << "a member is not offered the waiting position";

    // A second click brings the open window forward instead of starting another program.
    knopf->click();
    EXPECT_EQ(shell_.started().size(), 1);
    EXPECT_EQ(shell_.raised(), QStringList{u"Blockbuchung"_s});

    // The window closes: the timer stops, the check runs once and asks the plan to reload.
    EXPECT_EQ(variablen().aktualisieren, 0);
    shell_.removeWindow(u"Blockbuchung"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!timeBlock->isActive(), 3000);
    QTRY_COMPARE_WITH_TIMEOUT(variablen().aktualisieren, 1, 3000);
    EXPECT_FALSE(kontrolle->isActive());
}

TEST_F(ReservierungBlockTest, TypedChangesAreNeitherLostNorOverwrittenWhileTheBlockProgramRuns) {
    const int id = buchung(2, tag(10), tag(12), u"Gruppe"_s);
    shell_.addProgram(folder() + u"/Tosmek.exe"_s);
    shell_.addWindow(u"Blockbuchung"_s);
    auto w = fenster(id);
    w->show();
    child<QPushButton>(*w, "cmdBlockbuchung")->click();
    ASSERT_TRUE(child<QTimer>(*w, "timeBlock")->isActive());
    auto* kuerzel = child<QLineEdit>(*w, "fldKürzel");
    kuerzel->selectAll();
    QTest::keyClicks(kuerzel, u"Neu"_s);
    db().execute(u"INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (1, ?, True)"_s, {id});
    QTest::qWait(1500);
    EXPECT_EQ(kuerzel->text(), u"Neu"_s) << "the typed short name stays";
    EXPECT_FALSE(child<QPushButton>(*w, "cmdBlockbuchung")->isChecked()) << "not reloaded over unsaved changes";
}

TEST_F(ReservierungBlockTest, ABookingThatCannotBeSavedIsNotHandedOver) {
    const int id = buchung(2, tag(10), tag(12), u"Gruppe"_s);
    buchung(3, tag(1), tag(2), u"Anderer"_s);
    shell_.addProgram(folder() + u"/Tosmek.exe"_s);
    auto w = fenster(id);
    w->show();
    // The short name of another booking: the save refuses it.
    auto* kuerzel = child<QLineEdit>(*w, "fldKürzel");
    kuerzel->selectAll();
    QTest::keyClicks(kuerzel, u"Anderer"_s);
    dialogs_.expectUnanswered();
    child<QPushButton>(*w, "cmdBlockbuchung")->click();
    ASSERT_FALSE(dialogs_.shown().isEmpty());
    EXPECT_EQ(QStringList({dialogs_.last().text, dialogs_.last().caption}),
              QStringList({"Die Reservierung konnte nicht gespeichert werden", "Speicherkontrolle"}));
    EXPECT_EQ(std::tuple(shell_.started().size(), mdBlockbuchung::uebergabeLesen(db()), child<QTimer>(*w, "timeBlock")->isActive()),
              std::tuple(0, 0, false));
}

TEST_F(ReservierungBlockTest, ClosingTheFormLeavesTheBlockWindowWatchedUntilItCloses) {
    const int id = buchung(2, tag(10), tag(12), u"Gruppe"_s);
    shell_.addProgram(folder() + u"/Tosmek.exe"_s);
    shell_.addWindow(u"Blockbuchung"_s);
    // The block program's window as the running program announces it.
    auto ansage = std::make_unique<WindowAnnouncement>(u"Blockbuchung"_s);
    ASSERT_TRUE(ansage->active());
    {
        auto w = fenster(id);
        child<QPushButton>(*w, "cmdBlockbuchung")->click();
        ASSERT_TRUE(child<QTimer>(*w, "timeBlock")->isActive());
    }
    QTest::qWait(1500);
    EXPECT_EQ(variablen().aktualisieren, 0) << "the block window is still open";
    ansage.reset();
    QTRY_COMPARE_WITH_TIMEOUT(variablen().aktualisieren, 1, 3000);
    EXPECT_EQ(qApp->findChild<QTimer*>(u"timeBlockNachForm"_s), nullptr) << "the watch ends with the window";
}
