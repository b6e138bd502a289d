#include <gtest/gtest.h>

#include "platform/ScriptedDialogs.h"
#include "reservation/SaisonLogik.h"
#include "support/DatabaseFixture.h"

using namespace tav;
using namespace Qt::StringLiterals;

class SaisonLogikTest : public test::DatabaseFixture {
protected:
    int season(const QString& name, const QDate& start, const QDate& ende) {
        db().execute(u"INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES (?, ?, ?)"_s, {name, start, ende});
        return db().scalar(u"SELECT Max(idSaisonzeiten) FROM tbSaisonzeiten"_s).toInt();
    }
    int count() { return db().scalar(u"SELECT Count(*) FROM tbSaisonzeiten"_s).toInt(); }

    ScriptedDialogs dialogs_;
};

TEST_F(SaisonLogikTest, SavingChecksTheFieldsInOrder) {
    season(u"Hauptsaison"_s, QDate(2024, 6, 1), QDate(2024, 9, 1));
    struct Fall {
        QString name, von, bis, meldung;
    } faelle[] = {
        {{}, {}, {}, u"Das Feld 'Saisonbezeichnung' darf zum Speichern nicht leer sein"_s},
        {u"Nebensaison"_s, {}, {}, u"Das Feld 'Saisonbeginn' darf zum Speichern nicht leer sein"_s},
        {u"Nebensaison"_s, u"01.03.2024"_s, u" "_s, u"Das Feld 'Saisonende' darf zum Speichern nicht leer sein"_s},
        {u"Vorsaison"_s, u"01.03.2024"_s, u"01.04.2024"_s, u"Bitte wählen Sie einen Eintrag aus der Liste."_s},
        {u"Nebensaison"_s, u"31.04.2024"_s, u"01.05.2024"_s, u"Bitte überprüfen Sie das Datum"_s},
        {u"Nebensaison"_s, u"01.03.2024"_s, u"1.3.24"_s, u"Das Anfangs- und das Enddatum sind gleich. Bitte überprüfen Sie die Eingabe."_s},
        {u"Nebensaison"_s, u"01.03.2024"_s, u"28.02.2024"_s, u"Bitte überprüfen Sie das Anfangs- und Enddatum."_s},
        {u"Nebensaison"_s, u"01.05.2024"_s, u"02.06.2024"_s,
         u"Die Saisonzeiten überschneiden sich mit einer bereits vorhandenen Saison. Bitte überprüfen Sie die Eingabe."_s},
        {u"Nebensaison"_s, u"01.03.2024"_s, u"01.06.2024"_s, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.meldung.toStdString());
        dialogs_.clear();
        SaisonLogik s(db(), dialogs_);
        s.setName(f.name);
        s.setVon(f.von);
        s.setBis(f.bis);
        const bool gespeichert = f.meldung.isEmpty();
        EXPECT_EQ(s.speichern(), gespeichert);
        EXPECT_EQ(dialogs_.texts(), gespeichert ? QStringList() : QStringList{f.meldung});
        EXPECT_TRUE(gespeichert || dialogs_.last().caption == u"Saisonzeiten"_s);
        EXPECT_EQ(std::tuple(count(), s.felder().id != 0), std::tuple(gespeichert ? 2 : 1, gespeichert));
        EXPECT_TRUE(!gespeichert || (!s.felder().geaendert && s.felder().bis == u"01.06.2024"_s));
    }
}

TEST_F(SaisonLogikTest, OverlapsAreFoundButTouchingSeasonsAreNot) {
    const int sommer = season(u"Hauptsaison"_s, QDate(2024, 6, 1), QDate(2024, 6, 10));
    SaisonLogik s(db(), dialogs_);
    struct Fall {
        const char* was;
        QDate start, ende;
        bool ueberschneidet;
    } faelle[] = {
        {"ends on the first day of the existing one", QDate(2024, 5, 20), QDate(2024, 6, 1), false},
        {"begins on the last day of the existing one", QDate(2024, 6, 10), QDate(2024, 6, 20), false},
        {"reaches one night into it", QDate(2024, 5, 20), QDate(2024, 6, 2), true},
        {"begins one night before its end", QDate(2024, 6, 9), QDate(2024, 6, 20), true},
        {"lies inside it", QDate(2024, 6, 3), QDate(2024, 6, 5), true},
        {"encloses it", QDate(2024, 5, 1), QDate(2024, 7, 1), true},
        {"a single night inside it", QDate(2024, 6, 5), QDate(2024, 6, 6), true},
        {"the same start and a later end", QDate(2024, 6, 1), QDate(2024, 6, 20), true},
        {"the same start and an earlier end", QDate(2024, 6, 1), QDate(2024, 6, 5), true},
        {"exactly the same period", QDate(2024, 6, 1), QDate(2024, 6, 10), true},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(!s.ueberschneidungen(f.start, f.ende, 0).isEmpty(), f.ueberschneidet) << f.was;
        EXPECT_TRUE(s.ueberschneidungen(f.start, f.ende, sommer).isEmpty()) << f.was << ": the season itself does not count";
    }

    // Editing a season into a neighbour's period is refused; moving it within its own is not.
    const int herbst = season(u"Zwischensaison"_s, QDate(2024, 6, 10), QDate(2024, 7, 1));
    ASSERT_TRUE(s.laden({herbst, u"Zwischensaison"_s, QDate(2024, 6, 10), QDate(2024, 7, 1)}));
    s.setVon(u"15.06.2024"_s);
    EXPECT_TRUE(s.speichern());
    s.setVon(u"05.06.2024"_s);
    EXPECT_FALSE(s.speichern());
    EXPECT_EQ(count(), 2);
}

TEST_F(SaisonLogikTest, NewDeleteAndClosingAskAboutChanges) {
    season(u"Nebensaison"_s, QDate(2024, 3, 1), QDate(2024, 6, 1));
    const int haupt = season(u"Hauptsaison"_s, QDate(2024, 6, 1), QDate(2024, 9, 1));
    SaisonLogik s(db(), dialogs_);
    ASSERT_EQ(s.alle().size(), 2);
    EXPECT_EQ(s.alle().first().name, u"Nebensaison"_s);

    EXPECT_FALSE(s.loeschen()) << "nothing loaded, nothing deleted";
    EXPECT_TRUE(dialogs_.shown().isEmpty());

    ASSERT_TRUE(s.neu());
    EXPECT_EQ(std::tuple(s.felder().von, s.felder().bis, s.felder().id), std::tuple(u"01.09.2024"_s, QString(), 0))
        << "the latest end is proposed as the start";

    s.setName(u"Zwischensaison"_s);
    s.setBis(u"01.11.2024"_s);
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(s.schliessen());
    EXPECT_EQ(QStringList({dialogs_.last().text, dialogs_.last().caption}),
              QStringList({"Änderungen oder neue Daten speichern?", "Änderungen speichern"}));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(s.neu()) << "Yes saves the new season before the fields are emptied";
    EXPECT_EQ(std::tuple(s.alle().size(), s.felder().von), std::tuple(3, u"01.11.2024"_s));
    s.setName(u"Sondersaison"_s);
    dialogs_.answer(Answer::No);
    EXPECT_TRUE(s.schliessen());
    EXPECT_EQ(s.alle().size(), 3);

    ASSERT_TRUE(s.laden({haupt, u"Hauptsaison"_s, QDate(2024, 6, 1), QDate(2024, 9, 1)}));
    EXPECT_EQ(s.felder().von, u"01.06.2024"_s);
    dialogs_.clear();
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(s.loeschen());
    EXPECT_EQ(dialogs_.last().text, u"Soll dieser Datensatz endgültig gelöscht werden?"_s);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(s.loeschen());
    EXPECT_EQ(std::tuple(s.alle().size(), s.felder().id), std::tuple(2, 0));

    s.setName(u"Vorsaison"_s);
    dialogs_.clear();
    EXPECT_FALSE(s.namePruefen());
    EXPECT_EQ(dialogs_.last().text, u"Bitte wählen Sie einen Eintrag aus der Liste."_s);
    EXPECT_FALSE(s.datumPruefen(u"30.02.2024"_s));
    EXPECT_EQ(dialogs_.last().text, u"Bitte überprüfen Sie das Datum"_s);
    EXPECT_TRUE(s.datumPruefen({}));
}
