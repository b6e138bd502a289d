#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "platform/ScriptedDialogs.h"
#include "reservation/WeitereLogik.h"
#include "reservation/ui/frmWeitere.h"
#include "support/DatabaseFixture.h"

using namespace tav;
using namespace Qt::StringLiterals;

class WeitereLogikTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db().execute(u"INSERT INTO tbLänder (Länder) VALUES ('Deutschland')"_s);
        db().execute(u"INSERT INTO tbLänder (Länder) VALUES ('Österreich')"_s);
        db().execute(u"INSERT INTO tbAnreden (Anrede) VALUES ('Frau')"_s);
        db().execute(u"INSERT INTO tbAnreden (Anrede) VALUES ('Herr')"_s);
        db().execute(u"INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, AnzahlGästeDefault) VALUES (2, '102', 2)"_s);
        db().execute(
            QStringLiteral("INSERT INTO Address (Lastname, Firstname, Address, postalcode, city, Country, IDAnrede) "
                           "VALUES ('Lindner', 'Eva', 'Hauptstr. 1', '89073', 'Ulm', 'Deutschland', 1)"));
        gast_ = db().scalar(u"SELECT Max(ID) FROM Address"_s).toInt();
    }
    int booking(int guests) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, AnzahlGäste, Kürzel) "
                                    "VALUES (2, #05-01-2024#, #05-04-2024#, ?, ?, 'Lin')"),
                     {gast_, guests});
        return db().scalar(u"SELECT Max(ID) FROM tblBelegung"_s).toInt();
    }
    int count(const QString& sql) { return db().scalar(sql).toInt(); }

    ScriptedDialogs dialogs_;
    int gast_ = 0;
};

TEST_F(WeitereLogikTest, LinesFollowTheLargerGuestCountAndTheGuestCanBeCopied) {
    const int five = booking(5);
    dialogs_.answer(Answer::Yes);
    WeitereLogik w(db(), dialogs_);
    w.laden(five);
    EXPECT_EQ(dialogs_.last().text, u"Sollen die Adressdaten der Reservierung übernommen werden?"_s);
    ASSERT_EQ(w.zeilen().size(), 5) << "the booking's 5 guests beat the room's default of 2";
    EXPECT_EQ(w.scrollMaximum(), 0) << "nine or fewer lines never scroll";
    const GastZeile& first = w.zeilen()[0];
    EXPECT_EQ(QStringList({first.name, first.anrede, first.strasse, w.zeilen()[4].land}),
              QStringList({"Lindner", "Frau", "Hauptstr. 1", "Deutschland"}));
    EXPECT_TRUE(w.hatAenderungen());

    const int one = booking(1);
    dialogs_.answer(Answer::No);
    WeitereLogik small(db(), dialogs_);
    small.laden(one);
    EXPECT_EQ(small.zeilen().size(), 2) << "the room's default of 2 beats the booking's 1";
    EXPECT_TRUE(small.zeilen()[0].name.isEmpty());

    const int twelve = booking(12);
    dialogs_.answer(Answer::No);
    WeitereLogik big(db(), dialogs_);
    big.laden(twelve);
    EXPECT_EQ(big.scrollMaximum(), 3);
    EXPECT_TRUE(dialogs_.unanswered().isEmpty());
}

TEST_F(WeitereLogikTest, SavingStoresNamedLinesAndAnEmptiedNameDeletesTheRow) {
    const int id = booking(3);
    dialogs_.answer(Answer::No);
    WeitereLogik w(db(), dialogs_);
    w.laden(id);
    w.zeilen()[0].name = u"Lindner"_s;
    w.zeilen()[0].vorname = u"Paul"_s;
    w.zeilen()[1].name = u"Lindner"_s;
    w.zeilen()[1].vorname = u"Mia"_s;
    w.speichern();
    EXPECT_EQ(count(u"SELECT Count(*) FROM WeitereGäste WHERE ID_Belegung = %1"_s.arg(id)), 2);
    EXPECT_NE(w.zeilen()[0].idGast, 0) << "the new key goes back into the line";

    WeitereLogik again(db(), dialogs_);
    again.laden(id);  // no copy question: persons exist
    ASSERT_EQ(again.zeilen().size(), 3);
    again.zeilen()[1].vorname = u"Mia-Sophie"_s;
    for (GastZeile& z : again.zeilen())
        if (z.vorname == u"Paul"_s) z.name.clear();
    again.speichern();
    EXPECT_EQ(count(u"SELECT Count(*) FROM WeitereGäste"_s), 1);
    EXPECT_EQ(db().scalar(u"SELECT Vorname FROM WeitereGäste"_s).toString(), u"Mia-Sophie"_s);
    EXPECT_TRUE(dialogs_.unanswered().isEmpty());
}

TEST_F(WeitereLogikTest, APersonSavedAsAddressTwiceMakesOneAddressAndIsShownFromIt) {
    const int id = booking(2);
    dialogs_.answer(Answer::No);
    WeitereLogik w(db(), dialogs_);
    w.laden(id);
    GastZeile& z = w.zeilen()[1];
    z.anrede = u"Herr"_s;
    z.name = u"Berger"_s;
    z.vorname = u"Tom"_s;
    z.land = u"Österreich"_s;
    const int before = count(u"SELECT Count(*) FROM Address"_s);

    w.alsAdressenSpeichern(false);
    EXPECT_EQ(dialogs_.last().text, u"Es wurden keine Einträge ausgewählt."_s) << "nothing marked";
    EXPECT_EQ(count(u"SELECT Count(*) FROM Address"_s), before);

    w.markieren(1);
    EXPECT_TRUE(w.zeilen()[1].markiert);
    w.alsAdressenSpeichern(false);
    EXPECT_EQ(dialogs_.last().text, u"Die Adressdaten wurden gespeichert."_s);
    const int address = w.zeilen()[1].idAdresse;
    EXPECT_TRUE(!w.zeilen()[1].markiert && address != 0) << "the mark goes, the address is kept in the line";
    w.markieren(1);
    w.alsAdressenSpeichern(false);
    EXPECT_EQ(count(u"SELECT Count(*) FROM Address"_s), before + 1);

    // A fresh window on an unsaved person finds the identical address instead of adding one.
    GastZeile copy = w.zeilen()[1];
    copy.idAdresse = 0;
    w.zeilen()[0] = copy;
    w.zeilen()[0].markiert = true;
    w.alsAdressenSpeichern(false);
    EXPECT_EQ(count(u"SELECT Count(*) FROM Address"_s), before + 1);
    EXPECT_EQ(w.zeilen()[0].idAdresse, address);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT tbLänder.Länder FROM Address INNER JOIN tbLänder ON Address.IDLand = tbLänder.ID "
                                         "WHERE Address.ID = ?"),
                          {address})
                  .toString(),
              u"Österreich"_s)
        << "the typed country's key, not Germany's: key and text of the address agree";

    w.zeilen()[0] = GastZeile{};
    w.zeilen()[0].land = u"Deutschland"_s;
    w.speichern();
    // The stored person shows the address's data, wherever the person's own fields say otherwise.
    db().execute(u"UPDATE Address SET city = 'Graz' WHERE ID = ?"_s, {address});
    WeitereLogik again(db(), dialogs_);
    again.laden(id);
    EXPECT_EQ(QStringList({again.zeilen()[0].ort, again.zeilen()[0].anrede}), QStringList({"Graz", "Herr"}));
}

TEST_F(WeitereLogikTest, DeletingNeedsAMarkAndAYes) {
    const int id = booking(2);
    dialogs_.answer(Answer::No);
    WeitereLogik w(db(), dialogs_);
    w.laden(id);
    w.zeilen()[0].name = u"Eins"_s;
    w.zeilen()[1].name = u"Zwei"_s;
    w.speichern();

    w.loeschen();
    EXPECT_EQ(dialogs_.last().text, u"Es wurden keine Einträge ausgewählt."_s);
    EXPECT_EQ(count(u"SELECT Count(*) FROM WeitereGäste"_s), 2);

    w.markieren(1);
    dialogs_.answer(Answer::No);
    w.loeschen();
    EXPECT_EQ(count(u"SELECT Count(*) FROM WeitereGäste"_s), 2);

    dialogs_.answer(Answer::Yes);
    w.loeschen();
    EXPECT_EQ(dialogs_.last().text, u"Die Daten wurden gelöscht"_s);
    EXPECT_EQ(count(u"SELECT Count(*) FROM WeitereGäste"_s), 1);
    EXPECT_TRUE(w.zeilen()[1].name.isEmpty());

    EXPECT_FALSE(w.landPruefen(u"Atlantis"_s));
    EXPECT_EQ(dialogs_.last().text, u"Bitte wählen Sie einen Eintrag aus der Liste."_s);
    EXPECT_TRUE(w.landPruefen(u"österreich"_s));
    EXPECT_EQ(WeitereLogik::anfuehrungszeichenAusgleichen(u"Gasthof \"Post"_s), u"Gasthof \"Post\""_s);
    EXPECT_EQ(WeitereLogik::anfuehrungszeichenAusgleichen(u"\"Post\""_s), u"\"Post\""_s);
}

TEST_F(WeitereLogikTest, TheWindowMarksScrollsSavesAndAsksBeforeClosing) {
    const int id = booking(12);
    dialogs_.answer(Answer::No);
    frmWeitere form(db(), dialogs_, id);
    form.resize(form.sizeHint());
    form.show();
    ASSERT_EQ(form.zeilen().size(), 9);
    EXPECT_EQ(form.scrColli()->maximum(), 3);

    QTest::keyClicks(form.zeilen()[0].txtName, u"Adam"_s);
    QTest::mouseClick(form.zeilen()[0].txtAuswahl, Qt::LeftButton);
    EXPECT_EQ(form.zeilen()[0].txtAuswahl->text(), WeitereLogik::kMarke);
    EXPECT_TRUE(form.logik().zeilen()[0].markiert);

    form.scrColli()->setValue(3);  // the last nine of twelve lines
    QTest::keyClicks(form.zeilen()[8].txtName, u"Zwoelfter"_s);
    form.scrColli()->setValue(0);
    EXPECT_EQ(form.zeilen()[0].txtName->text(), u"Adam"_s);
    EXPECT_EQ(form.logik().zeilen()[11].name, u"Zwoelfter"_s);

    dialogs_.answer(Answer::Yes);  // "Änderungen speichern?"
    form.cmdAbbrechen->click();
    EXPECT_EQ(dialogs_.last().text, u"Änderungen speichern?"_s);
    EXPECT_EQ(count(u"SELECT Count(*) FROM WeitereGäste"_s), 2);
}

// The guest copied into a line and saved with "Alle als Adressen speichern" is found again,
// whether the guest's empty fields are stored as Null (as the address box stores them) or as
// empty text, and whether the salutation is stored as text or only as its key.
TEST_F(WeitereLogikTest, TheCopiedGuestSavedAsAddressIsFoundAgain) {
    struct Fall {
        const char* name;
        const char* werte;  // the guest's Firstname, Address, postalcode, city, Anrede, IDAnrede
    };
    const Fall faelle[] = {
        {"empty fields stored as Null, salutation only as key", "Null, Null, Null, Null, Null, 1"},
        {"empty fields stored as empty text", "'', '', '', '', 'Frau', 1"},
        {"a first name, the rest Null, no salutation at all", "'Eva', Null, '89073', Null, Null, Null"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        db().execute(u"DELETE FROM Address"_s);
        db().execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, Address, postalcode, city, Anrede, IDAnrede, Country) "
                                    "VALUES ('Lindner', %1, 'Deutschland')")
                         .arg(QString::fromLatin1(fall.werte)));
        gast_ = db().scalar(u"SELECT Max(ID) FROM Address"_s).toInt();
        const int id = booking(2);
        dialogs_.clear();
        dialogs_.answer(Answer::Yes);  // take the guest's address into the first line
        WeitereLogik w(db(), dialogs_);
        w.laden(id);
        ASSERT_EQ(w.zeilen()[0].name, u"Lindner"_s);
        w.alsAdressenSpeichern(true);
        EXPECT_EQ(dialogs_.last().text, u"Die Adressdaten wurden gespeichert."_s);
        EXPECT_EQ(count(u"SELECT Count(*) FROM Address"_s), 1) << "no second address of the guest";
        EXPECT_EQ(w.zeilen()[0].idAdresse, gast_);
        EXPECT_TRUE(db().scalar(u"SELECT city FROM Address WHERE ID = ?"_s, {gast_}).isNull() ||
                    !db().scalar(u"SELECT city FROM Address WHERE ID = ?"_s, {gast_}).toString().isEmpty())
            << "an empty field is written as Null";
    }
}
