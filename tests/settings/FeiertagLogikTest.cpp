#include <gtest/gtest.h>

#include "engine/Recordset.h"
#include "platform/ScriptedDialogs.h"
#include "settings/FeiertagLogik.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class FeiertagLogikTest : public test::DatabaseFixture {
protected:
    void feiertag(int id, const QString& name, const QDate& d) {
        db().execute(QStringLiteral("INSERT INTO tbFeiertage (IDFeiertage, FTBezeichnung, FTDatum) VALUES (?, ?, ?)"), {id, name, d});
    }
    int zahl() { return db().scalar(QStringLiteral("SELECT Count(*) FROM tbFeiertage")).toInt(); }
    QString nameAm(const QDate& d) {
        return db().scalar(QStringLiteral("SELECT FTBezeichnung FROM tbFeiertage WHERE FTDatum = ?"), {d}).toString();
    }
    QString quelle() { return file(dbfiles::kHolidayFile); }

    ScriptedDialogs dialogs_;
};

TEST_F(FeiertagLogikTest, SavingChecksTheFieldsAndRefusesASecondHolidayOnADate) {
    {
        // The first key of an empty table is 1.
        FeiertagLogik l(db(), dialogs_);
        l.setName(QStringLiteral("Heilige Drei Könige"));
        l.setDatum(QStringLiteral("06.01.2026"));
        ASSERT_TRUE(l.speichern());
        EXPECT_EQ(l.felder().id, 1);
    }
    feiertag(4, QStringLiteral("Neujahr"), QDate(2025, 1, 1));
    struct Fall {
        const char* name;
        const char* datum;
        const char* meldung;  // empty: saved
    } faelle[] = {
        {"", "01.05.2025", "Das Feld 'Bezeichnung' darf zum Speichern nicht leer sein"},
        {"Tag der Arbeit", " ", "Das Feld 'Datum' darf zum Speichern nicht leer sein"},
        {"Tag der Arbeit", "30.02.2025", "Bitte überprüfen Sie das Datum"},
        {"Tag der Arbeit", "1.5.", "Bitte überprüfen Sie das Datum"},
        {"Neujahrsfest", "1.1.25", "Das Datum ist bereits vorhanden."},
        {"Tag der Arbeit", "1.5.25", ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.datum);
        dialogs_.clear();
        FeiertagLogik l(db(), dialogs_);
        l.setName(QString::fromUtf8(f.name));
        l.setDatum(QString::fromUtf8(f.datum));
        const int vorher = zahl();
        EXPECT_EQ(l.speichern(), *f.meldung == 0);
        EXPECT_EQ(dialogs_.texts(), *f.meldung ? QStringList{QString::fromUtf8(f.meldung)} : QStringList{});
        EXPECT_EQ(zahl(), vorher + (*f.meldung ? 0 : 1));
        if (!*f.meldung) {
            EXPECT_EQ(l.felder().id, 5) << "the key is the maximum + 1";
            EXPECT_EQ(l.felder().datum, QStringLiteral("01.05.2025"));
            EXPECT_FALSE(l.felder().geaendert);
        }
    }
    // A changed holiday may take a date another one has: the check is for new rows only.
    dialogs_.clear();
    FeiertagLogik l(db(), dialogs_);
    ASSERT_TRUE(l.laden({5, QStringLiteral("Tag der Arbeit"), QDate(2025, 5, 1)}));
    l.setDatum(QStringLiteral("01.01.2025"));
    EXPECT_TRUE(l.speichern());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbFeiertage WHERE FTDatum = #01-01-2025#")).toInt(), 2);
}

TEST_F(FeiertagLogikTest, ListSortsByDateOrNameBothWays) {
    feiertag(1, QStringLiteral("Neujahr"), QDate(2025, 1, 1));
    feiertag(2, QStringLiteral("Allerheiligen"), QDate(2025, 11, 1));
    feiertag(3, QStringLiteral("Tag der Arbeit"), QDate(2025, 5, 1));
    FeiertagLogik l(db(), dialogs_);
    const auto ids = [](const QList<Feiertag>& f) {
        QList<int> r;
        for (const Feiertag& x : f) r << x.id;
        return r;
    };
    EXPECT_EQ(ids(l.alle(FeiertagLogik::Sortierung::Datum, false)), (QList<int>{1, 3, 2}));
    EXPECT_EQ(ids(l.alle(FeiertagLogik::Sortierung::Datum, true)), (QList<int>{2, 3, 1}));
    EXPECT_EQ(ids(l.alle(FeiertagLogik::Sortierung::Bezeichnung, false)), (QList<int>{2, 1, 3}));
    EXPECT_EQ(ids(l.alle(FeiertagLogik::Sortierung::Bezeichnung, true)), (QList<int>{3, 1, 2}));
}

TEST_F(FeiertagLogikTest, UnsavedChangesAreAskedAboutBeforeTheyAreLeft) {
    feiertag(1, QStringLiteral("Neujahr"), QDate(2025, 1, 1));
    const Feiertag neujahr{1, QStringLiteral("Neujahr"), QDate(2025, 1, 1)};
    struct Fall {
        const char* was;
        Answer antwort;
        bool geladen;
        int zeilen;
    } faelle[] = {
        {"Yes saves", Answer::Yes, true, 2},
        {"No discards", Answer::No, true, 1},
        {"Cancel stays", Answer::Cancel, false, 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        db().execute(QStringLiteral("DELETE FROM tbFeiertage WHERE IDFeiertage <> 1"));
        dialogs_.clear();
        FeiertagLogik l(db(), dialogs_);
        l.setName(QStringLiteral("Reformationstag"));
        l.setDatum(QStringLiteral("31.10.2025"));
        dialogs_.answer(f.antwort);
        EXPECT_EQ(l.laden(neujahr), f.geladen);
        EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Änderung bzw. neue Daten speichern?")});
        EXPECT_EQ(zahl(), f.zeilen);
        EXPECT_EQ(l.felder().name, f.geladen ? QStringLiteral("Neujahr") : QStringLiteral("Reformationstag"));
    }
    dialogs_.clear();
    FeiertagLogik l(db(), dialogs_);
    l.setName(QStringLiteral("Buß- und Bettag"));
    dialogs_.answer(Answer::No);
    l.neu();
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Änderungen oder neue Daten speichern?"));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Änderungen speichern"));
    EXPECT_TRUE(l.felder().name.isEmpty());
}

TEST_F(FeiertagLogikTest, DeletingAsksAndAnEmptyFormDeletesNothing) {
    FeiertagLogik leer(db(), dialogs_);
    EXPECT_FALSE(leer.loeschen());
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    feiertag(1, QStringLiteral("Neujahr"), QDate(2025, 1, 1));
    for (Answer a : {Answer::No, Answer::Yes}) {
        dialogs_.clear();
        FeiertagLogik l(db(), dialogs_);
        l.laden({1, QStringLiteral("Neujahr"), QDate(2025, 1, 1)});
        dialogs_.answer(a);
        EXPECT_EQ(l.loeschen(), a == Answer::Yes);
        EXPECT_EQ(dialogs_.last().text, QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden?"));
        EXPECT_EQ(zahl(), a == Answer::Yes ? 0 : 1);
    }
}

TEST_F(FeiertagLogikTest, ImportSkipsDatesThatAreThereAndReportsWhenAllWere) {
    {
        auto q = open(dbfiles::kHolidayFile);
        q->execute(QStringLiteral("DELETE FROM tbFeiertage"));
        beispieldaten::feiertageAnlegen(*q, 2025, 2025);  // nine holidays
    }
    // A different name on New Year's Day: that source holiday is not imported.
    feiertag(7, QStringLiteral("Mein Neujahr"), QDate(2025, 1, 1));
    FeiertagLogik l(db(), dialogs_);
    EXPECT_EQ(l.importieren(quelle()), 8);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Es wurden 8 Feiertage importiert.")});
    EXPECT_EQ(nameAm(QDate(2025, 1, 1)), QStringLiteral("Mein Neujahr"));
    EXPECT_EQ(zahl(), 9);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Min(IDFeiertage) FROM tbFeiertage WHERE IDFeiertage <> 7")).toInt(), 8);
    dialogs_.clear();
    EXPECT_EQ(l.importieren(quelle()), 0);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Alle Feiertage waren bereits vorhanden.")});
    EXPECT_EQ(zahl(), 9);
}

TEST_F(FeiertagLogikTest, AMissingSourceIsReportedAndNothingAdded) {
    FeiertagLogik l(db(), dialogs_);
    EXPECT_EQ(l.importieren(folder() + QStringLiteral("/fehlt/Feiertag.mdb")), -1);
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Tabelle tbFeiertage anlegen"));
    EXPECT_TRUE(
        dialogs_.last().text.endsWith(QStringLiteral("sich die Datenbank 'Feiertag.mdb' im Standardverzeichnis des Tavomeras befindet.")));
    EXPECT_EQ(zahl(), 0);
}

// Easter Sunday and the days that depend on it, written down from a calendar: the import of the
// shipped holiday list brings them all, on these dates, for every year up to 2040.
TEST_F(FeiertagLogikTest, ImportedEasterHolidaysMatchTheCalendarUpTo2040) {
    struct Jahr {
        int jahr;
        const char *ostersonntag, *karfreitag, *ostermontag, *himmelfahrt, *pfingstmontag;
    } kalender[] = {
        {2024, "31.03.2024", "29.03.2024", "01.04.2024", "09.05.2024", "20.05.2024"},
        {2025, "20.04.2025", "18.04.2025", "21.04.2025", "29.05.2025", "09.06.2025"},
        {2026, "05.04.2026", "03.04.2026", "06.04.2026", "14.05.2026", "25.05.2026"},
        {2027, "28.03.2027", "26.03.2027", "29.03.2027", "06.05.2027", "17.05.2027"},
        {2028, "16.04.2028", "14.04.2028", "17.04.2028", "25.05.2028", "05.06.2028"},
        {2029, "01.04.2029", "30.03.2029", "02.04.2029", "10.05.2029", "21.05.2029"},
        {2030, "21.04.2030", "19.04.2030", "22.04.2030", "30.05.2030", "10.06.2030"},
        {2031, "13.04.2031", "11.04.2031", "14.04.2031", "22.05.2031", "02.06.2031"},
        {2032, "28.03.2032", "26.03.2032", "29.03.2032", "06.05.2032", "17.05.2032"},
        {2033, "17.04.2033", "15.04.2033", "18.04.2033", "26.05.2033", "06.06.2033"},
        {2034, "09.04.2034", "07.04.2034", "10.04.2034", "18.05.2034", "29.05.2034"},
        {2035, "25.03.2035", "23.03.2035", "26.03.2035", "03.05.2035", "14.05.2035"},
        {2036, "13.04.2036", "11.04.2036", "14.04.2036", "22.05.2036", "02.06.2036"},
        {2037, "05.04.2037", "03.04.2037", "06.04.2037", "14.05.2037", "25.05.2037"},
        {2038, "25.04.2038", "23.04.2038", "26.04.2038", "03.06.2038", "14.06.2038"},
        {2039, "10.04.2039", "08.04.2039", "11.04.2039", "19.05.2039", "30.05.2039"},
        {2040, "01.04.2040", "30.03.2040", "02.04.2040", "10.05.2040", "21.05.2040"},
    };
    {
        auto q = open(dbfiles::kHolidayFile);
        q->execute(QStringLiteral("DELETE FROM tbFeiertage"));
        beispieldaten::feiertageAnlegen(*q, 2020, 2040);
    }
    FeiertagLogik l(db(), dialogs_);
    ASSERT_GT(l.importieren(quelle()), 0);
    const auto tag = [](const char* t) { return QDate::fromString(QString::fromLatin1(t), QStringLiteral("dd.MM.yyyy")); };
    for (const Jahr& j : kalender) {
        SCOPED_TRACE(j.jahr);
        EXPECT_EQ(beispieldaten::ostersonntag(j.jahr), tag(j.ostersonntag));
        EXPECT_EQ(nameAm(tag(j.karfreitag)), QStringLiteral("Karfreitag"));
        EXPECT_EQ(nameAm(tag(j.ostermontag)), QStringLiteral("Ostermontag"));
        EXPECT_EQ(nameAm(tag(j.himmelfahrt)), QStringLiteral("Christi Himmelfahrt"));
        EXPECT_EQ(nameAm(tag(j.pfingstmontag)), QStringLiteral("Pfingstmontag"));
        EXPECT_EQ(nameAm(QDate(j.jahr, 12, 26)), QStringLiteral("2. Weihnachtsfeiertag"));
    }
}
