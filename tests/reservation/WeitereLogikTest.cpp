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

class WeitereLogikTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db().execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES ('Deutschland')"));
        db().execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES ('Österreich')"));
        db().execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES ('Frau')"));
        db().execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES ('Herr')"));
        db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, AnzahlGästeDefault) VALUES (2, '102', 2)"));
        db().execute(
            QStringLiteral("INSERT INTO Address (Lastname, Firstname, Address, postalcode, city, Country, IDAnrede) "
                           "VALUES ('Lindner', 'Eva', 'Hauptstr. 1', '89073', 'Ulm', 'Deutschland', 1)"));
        gast_ = db().scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
    }
    int booking(int guests) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, AnzahlGäste, Kürzel) "
                                    "VALUES (2, #05-01-2024#, #05-04-2024#, ?, ?, 'Lin')"),
                     {gast_, guests});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
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
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Sollen die Adressdaten der Reservierung übernommen werden?"));
    ASSERT_EQ(w.zeilen().size(), 5) << "the booking's 5 guests beat the room's default of 2";
    EXPECT_EQ(w.scrollMaximum(), 0) << "nine or fewer lines never scroll";
    const GastZeile& first = w.zeilen()[0];
    EXPECT_EQ(first.name, QStringLiteral("Lindner"));
    EXPECT_EQ(first.anrede, QStringLiteral("Frau"));
    EXPECT_EQ(first.strasse, QStringLiteral("Hauptstr. 1"));
    EXPECT_EQ(w.zeilen()[4].land, QStringLiteral("Deutschland"));
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
    w.zeilen()[0].name = QStringLiteral("Lindner");
    w.zeilen()[0].vorname = QStringLiteral("Paul");
    w.zeilen()[1].name = QStringLiteral("Lindner");
    w.zeilen()[1].vorname = QStringLiteral("Mia");
    w.speichern();
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM WeitereGäste WHERE ID_Belegung = %1").arg(id)), 2);
    EXPECT_NE(w.zeilen()[0].idGast, 0) << "the new key goes back into the line";

    WeitereLogik again(db(), dialogs_);
    again.laden(id);  // no copy question: persons exist
    ASSERT_EQ(again.zeilen().size(), 3);
    again.zeilen()[1].vorname = QStringLiteral("Mia-Sophie");
    QString gone;
    for (GastZeile& z : again.zeilen())
        if (z.vorname == QStringLiteral("Paul")) z.name.clear();
    again.speichern();
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM WeitereGäste")), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Vorname FROM WeitereGäste")).toString(), QStringLiteral("Mia-Sophie"));
    EXPECT_TRUE(dialogs_.unanswered().isEmpty());
}

TEST_F(WeitereLogikTest, APersonSavedAsAddressTwiceMakesOneAddressAndIsShownFromIt) {
    const int id = booking(2);
    dialogs_.answer(Answer::No);
    WeitereLogik w(db(), dialogs_);
    w.laden(id);
    GastZeile& z = w.zeilen()[1];
    z.anrede = QStringLiteral("Herr");
    z.name = QStringLiteral("Berger");
    z.vorname = QStringLiteral("Tom");
    z.land = QStringLiteral("Österreich");
    const int before = count(QStringLiteral("SELECT Count(*) FROM Address"));

    w.alsAdressenSpeichern(false);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Es wurden keine Einträge ausgewählt.")) << "nothing marked";
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Address")), before);

    w.markieren(1);
    EXPECT_TRUE(w.zeilen()[1].markiert);
    w.alsAdressenSpeichern(false);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Adressdaten wurden gespeichert."));
    EXPECT_FALSE(w.zeilen()[1].markiert);
    const int address = w.zeilen()[1].idAdresse;
    EXPECT_NE(address, 0);
    w.markieren(1);
    w.alsAdressenSpeichern(false);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Address")), before + 1);

    // A fresh window on an unsaved person finds the identical address instead of adding one.
    GastZeile copy = w.zeilen()[1];
    copy.idAdresse = 0;
    w.zeilen()[0] = copy;
    w.zeilen()[0].markiert = true;
    w.alsAdressenSpeichern(false);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Address")), before + 1);
    EXPECT_EQ(w.zeilen()[0].idAdresse, address);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT tbLänder.Länder FROM Address INNER JOIN tbLänder ON Address.IDLand = tbLänder.ID "
                                         "WHERE Address.ID = ?"),
                          {address})
                  .toString(),
              QStringLiteral("Österreich"));

    w.zeilen()[0] = GastZeile{};
    w.zeilen()[0].land = QStringLiteral("Deutschland");
    w.speichern();
    // The stored person shows the address's data, wherever the person's own fields say otherwise.
    db().execute(QStringLiteral("UPDATE Address SET city = 'Graz' WHERE ID = ?"), {address});
    WeitereLogik again(db(), dialogs_);
    again.laden(id);
    EXPECT_EQ(again.zeilen()[0].ort, QStringLiteral("Graz"));
    EXPECT_EQ(again.zeilen()[0].anrede, QStringLiteral("Herr"));
}

TEST_F(WeitereLogikTest, DeletingNeedsAMarkAndAYes) {
    const int id = booking(2);
    dialogs_.answer(Answer::No);
    WeitereLogik w(db(), dialogs_);
    w.laden(id);
    w.zeilen()[0].name = QStringLiteral("Eins");
    w.zeilen()[1].name = QStringLiteral("Zwei");
    w.speichern();

    w.loeschen();
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Es wurden keine Einträge ausgewählt."));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM WeitereGäste")), 2);

    w.markieren(1);
    dialogs_.answer(Answer::No);
    w.loeschen();
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM WeitereGäste")), 2);

    dialogs_.answer(Answer::Yes);
    w.loeschen();
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Daten wurden gelöscht"));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM WeitereGäste")), 1);
    EXPECT_TRUE(w.zeilen()[1].name.isEmpty());

    EXPECT_FALSE(w.landPruefen(QStringLiteral("Atlantis")));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Bitte wählen Sie einen Eintrag aus der Liste."));
    EXPECT_TRUE(w.landPruefen(QStringLiteral("österreich")));
    EXPECT_EQ(WeitereLogik::anfuehrungszeichenAusgleichen(QStringLiteral("Gasthof \"Post")), QStringLiteral("Gasthof \"Post\""));
    EXPECT_EQ(WeitereLogik::anfuehrungszeichenAusgleichen(QStringLiteral("\"Post\"")), QStringLiteral("\"Post\""));
}

TEST_F(WeitereLogikTest, TheWindowMarksScrollsSavesAndAsksBeforeClosing) {
    const int id = booking(12);
    dialogs_.answer(Answer::No);
    frmWeitere form(db(), dialogs_, id);
    form.resize(form.sizeHint());
    form.show();
    ASSERT_EQ(form.zeilen().size(), 9);
    EXPECT_EQ(form.scrColli()->maximum(), 3);

    QTest::keyClicks(form.zeilen()[0].txtName, QStringLiteral("Adam"));
    QTest::mouseClick(form.zeilen()[0].txtAuswahl, Qt::LeftButton);
    EXPECT_EQ(form.zeilen()[0].txtAuswahl->text(), WeitereLogik::kMarke);
    EXPECT_TRUE(form.logik().zeilen()[0].markiert);

    form.scrColli()->setValue(3);  // the last nine of twelve lines
    QTest::keyClicks(form.zeilen()[8].txtName, QStringLiteral("Zwoelfter"));
    form.scrColli()->setValue(0);
    EXPECT_EQ(form.zeilen()[0].txtName->text(), QStringLiteral("Adam"));
    EXPECT_EQ(form.logik().zeilen()[11].name, QStringLiteral("Zwoelfter"));

    dialogs_.answer(Answer::Yes);  // "Änderungen speichern?"
    form.cmdAbbrechen->click();
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Änderungen speichern?"));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM WeitereGäste")), 2);
}
