#include "reservation/ui/Blockfenster.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "reservation/BelegungTestSupport.h"
#include "support/Child.h"
#include "support/FremdeSperre.h"

using namespace tav;
using namespace Qt::StringLiterals;
using test::child;

// The block program's window shows what its logic holds and forwards the clicks; the rules are
// tested in BlockverwaltungTest.
class BlockfensterTest : public test::BookingFixture {
protected:
    int bloecke() { return db().scalar(u"SELECT Count(*) FROM tbBlockbuchung"_s).toInt(); }
    void hinzufuegen(Blockfenster& w) {
        auto* liste = child<QListWidget>(w, "lstFreieZimmer");
        ASSERT_GT(liste->count(), 0);
        liste->setCurrentRow(0);
        child<QPushButton>(w, "cmdHinzufuegen")->click();
    }
};

TEST_F(BlockfensterTest, UnsavedMembersAreAskedAboutOnClosing) {
    const int id = buchung(1, tag(10), tag(13), u"Chor"_s);
    struct Fall {
        const char* warum;
        Answer antwort;
        bool offen;
        int zeilen;
    };
    const QList<Fall> faelle = {
        {"Cancel keeps the window open", Answer::Cancel, true, 0},
        {"No closes without writing", Answer::No, false, 0},
        {"Yes writes the block, then closes", Answer::Yes, false, 2},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        db().execute(u"DELETE * FROM tbBlockbuchung"_s);
        db().execute(u"DELETE * FROM tblBelegung WHERE ID <> ?"_s, {id});
        Blockfenster w(db(), dialogs_);
        ASSERT_TRUE(w.laden(id));
        w.show();
        // Nothing to save and no free room chosen yet: both buttons are disabled.
        EXPECT_EQ(std::tuple(child<QPushButton>(w, "cmdSpeichern")->isEnabled(), child<QPushButton>(w, "cmdHinzufuegen")->isEnabled()),
                  std::tuple(false, false));
        hinzufuegen(w);
        EXPECT_EQ(std::tuple(child<QTableWidget>(w, "tblMitglieder")->rowCount(), child<QPushButton>(w, "cmdSpeichern")->isEnabled()),
                  std::tuple(2, true));
        dialogs_.answer(f.antwort);
        w.close();
        EXPECT_EQ(dialogs_.last().text, u"Änderungen oder neue Daten speichern?"_s);
        EXPECT_EQ(std::tuple(w.isVisible(), bloecke()), std::tuple(f.offen, f.zeilen));
        dialogs_.clear();
    }
}

TEST_F(BlockfensterTest, ALockHeldElsewhereIsNamedAndTheWindowKeepsTheBlock) {
    const int id = buchung(1, tag(10), tag(13), u"Chor"_s);
    Blockfenster w(db(), dialogs_);
    ASSERT_TRUE(w.laden(id));
    w.show();
    hinzufuegen(w);
    {
        test::FremdeSperre sperre({test::FremdeSperre::dateiDer(db(), u"tblBelegung"_s)});
        test::FremdeSperre::kurzWarten(db());
        dialogs_.expectUnanswered();
        child<QPushButton>(w, "cmdSpeichern")->click();
        ASSERT_FALSE(dialogs_.shown().isEmpty());
        const QString text = dialogs_.shown().first().text;
        EXPECT_TRUE(text.startsWith(u"Die Blockbuchung konnte nicht gespeichert werden."_s) && text.contains(u"Zentral.mdb"_s) &&
                    !text.contains(u"INSERT"_s))
            << "the file is named, never the statement: " << qPrintable(text);
        dialogs_.clear();
    }
    EXPECT_EQ(child<QTableWidget>(w, "tblMitglieder")->rowCount(), 2) << "the chosen room is still there";
    child<QPushButton>(w, "cmdSpeichern")->click();
    EXPECT_EQ(bloecke(), 2);
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}
