#include <gtest/gtest.h>

#include "invoice/MwStLogik.h"
#include "platform/ScriptedDialogs.h"
#include "support/DatabaseFixture.h"
#include "support/FremdeSperre.h"

using namespace tav;

class MwStLogikTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db().execute(QStringLiteral("DELETE * FROM tbSteuerschluessel"));
        db().execute(QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, Standard) VALUES (1, 16, True)"));
        db().execute(QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, Standard) VALUES (2, 19, False)"));
        db().execute(QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, Standard) VALUES (3, 7, False)"));
    }
    QVariant feld(const char* name, int id) {
        return db().scalar(QStringLiteral("SELECT %1 FROM tbSteuerschluessel WHERE IDSteuerschluessel = ?").arg(QString::fromUtf8(name)),
                           {id});
    }

    ScriptedDialogs dialogs_;
};

TEST_F(MwStLogikTest, ASuccessorTakesOverTheStandardFromTheNextDay) {
    MwStLogik m(db(), dialogs_);
    ASSERT_TRUE(m.laden(1));
    m.bearbeiten().gueltigBis = QStringLiteral("31.12.2006");
    m.bearbeiten().nachfolger = QStringLiteral("19");
    ASSERT_TRUE(m.speichern());
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_EQ(feld("GUeltigBis", 1).toDate(), QDate(2006, 12, 31));
    EXPECT_EQ(feld("IDNachfolger", 1).toInt(), 2);
    EXPECT_EQ(feld("GUeltigseit", 2).toDate(), QDate(2007, 1, 1));
    EXPECT_NE(feld("Standard", 2).toInt(), 0) << "the standard mark of the 16 % key";
    const QList<StammZeile> z = m.zeilen();
    ASSERT_EQ(z.size(), 3);
    EXPECT_EQ(z[0].werte, (QStringList{QStringLiteral("3"), QStringLiteral("7"), QString(), QStringLiteral("Nein"), QString()}));
    EXPECT_EQ(z[1].werte, (QStringList{QStringLiteral("1"), QStringLiteral("16"), QStringLiteral("31.12.2006"), QStringLiteral("Ja"),
                                       QStringLiteral("19")}));
}

TEST_F(MwStLogikTest, SavingRefusesBadInputAndWritesNothing) {
    db().execute(QStringLiteral("UPDATE tbSteuerschluessel SET IDNachfolger = 1 WHERE IDSteuerschluessel = 2"));
    db().execute(QStringLiteral("UPDATE tbSteuerschluessel SET GUeltigseit = ? WHERE IDSteuerschluessel = 3"), {QDate(2020, 7, 1)});
    struct Fall {
        const char* name;
        int id;
        QString satz, bis, nachfolger;
        QString meldung;
    } faelle[] = {
        {"empty rate", 0, " ", {}, {}, MwStLogik::kSatzLeer},
        {"letters in the rate", 0, "1a", {}, {}, MwStAuswahl::kSatzUngueltig},
        {"a rate of 250 %", 0, "250", {}, {}, MwStAuswahl::kSatzUngueltig},
        {"no date", 0, "5", "31.02.2020", "19", MwStLogik::kDatumFalsch},
        {"end without successor", 0, "5", "31.12.2020", {}, MwStLogik::kOhneNachfolger},
        {"successor not in the list", 0, "5", "31.12.2020", "5", MwStAuswahl::kNichtInListe},
        {"end before the start", 3, "7", "30.06.2020", "19", MwStLogik::kEndeVorBeginn},
        {"its own successor", 2, "19", "31.12.2020", "19", MwStLogik::kSelbstNachfolger},
        {"a loop through the successor", 1, "16", "31.12.2020", "19", MwStLogik::kNachfolgerKreis},
    };
    const QString vorher =
        db().scalar(QStringLiteral("SELECT Count(*) & '/' & Sum(Steuersatz) & '/' & Count(GUeltigBis) FROM tbSteuerschluessel")).toString();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialogs_.clear();
        MwStLogik m(db(), dialogs_);
        if (f.id) {
            ASSERT_TRUE(m.laden(f.id));
        }
        m.bearbeiten().satz = f.satz;
        m.bearbeiten().gueltigBis = f.bis;
        m.bearbeiten().nachfolger = f.nachfolger;
        EXPECT_FALSE(m.speichern());
        EXPECT_EQ(dialogs_.texts(), QStringList{f.meldung});
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) & '/' & Sum(Steuersatz) & '/' & Count(GUeltigBis) FROM tbSteuerschluessel"))
                      .toString(),
                  vorher);
    }
    dialogs_.clear();
    MwStLogik m(db(), dialogs_);
    m.neu();
    m.bearbeiten().satz = QStringLiteral("5,5");
    ASSERT_TRUE(m.speichern());
    EXPECT_EQ(m.felder().id, 4) << "Max + 1";
    EXPECT_EQ(feld("Steuersatz", 4).toDouble(), 5.5);
    EXPECT_TRUE(feld("IDNachfolger", 4).isNull());
}

TEST_F(MwStLogikTest, ARateInUseCannotBeDeleted) {
    db().execute(
        QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel) VALUES (1, 'Sekt', 1, 20, 3)"));
    MwStLogik m(db(), dialogs_);
    ASSERT_TRUE(m.laden(3));
    EXPECT_FALSE(m.loeschen());
    EXPECT_EQ(dialogs_.texts(), QStringList{MwStLogik::kInGebrauch});
    EXPECT_FALSE(feld("Steuersatz", 3).isNull());

    dialogs_.clear();
    ASSERT_TRUE(m.laden(2));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(m.loeschen());
    EXPECT_TRUE(feld("Steuersatz", 2).isNull());

    // The list keys: F2 refuses a key in use and removes an unused one after the question.
    dialogs_.clear();
    MwStAuswahl& liste = m.auswahl();
    EXPECT_FALSE(liste.entfernen(3));
    EXPECT_EQ(dialogs_.texts(), QStringList{MwStAuswahl::kInGebrauch});
    dialogs_.clear();
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(liste.entfernen(1));
    EXPECT_EQ(dialogs_.last().caption, MwStAuswahl::kEntfernenTitel);
    EXPECT_FALSE(feld("Steuersatz", 1).isNull());
    // F3 changes the rate after the warning.
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(liste.aendern(1, QStringLiteral("17")));
    EXPECT_EQ(dialogs_.last().text, MwStAuswahl::kAendernWarnung + MwStAuswahl::kAendernFrage);
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Steuersatz ändern"));
    EXPECT_EQ(feld("Steuersatz", 1).toDouble(), 17.0);
    dialogs_.clear();
    EXPECT_FALSE(liste.aendern(1, QStringLiteral("250")));
    EXPECT_EQ(dialogs_.texts(), QStringList{MwStAuswahl::kSatzUngueltig});
}
