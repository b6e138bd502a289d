#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "reservation/AdrSuchenLogik.h"
#include "support/DatabaseFixture.h"

using namespace tav;
using namespace Qt::StringLiterals;

class AdrSuchenLogikTest : public test::DatabaseFixture {
protected:
    int address(const QString& name, const QString& vorname, const QString& strasse, const QString& ort) {
        db().execute(u"INSERT INTO Address (Lastname, Firstname, Address, city) VALUES (?, ?, ?, ?)"_s, {name, vorname, strasse, ort});
        return db().scalar(u"SELECT Max(ID) FROM Address"_s).toInt();
    }
    int booking(int gast, int rechnung, const QDate& von) {
        db().execute(u"INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, IDAdressRechnung) VALUES (1, ?, ?, ?, ?)"_s,
                     {von, von.addDays(1), gast, rechnung == 0 ? QVariant() : QVariant(rechnung)});
        return db().scalar(u"SELECT Max(ID) FROM tblBelegung"_s).toInt();
    }
    static QStringList namen(const QList<AdrTreffer>& t) {
        QStringList out;
        for (const AdrTreffer& a : t) out << a.nachname;
        return out;
    }

    ScriptedDialogs dialogs_;
};

TEST_F(AdrSuchenLogikTest, TheWordSearchesTheTickedFieldsFromTheSecondCharacter) {
    address(u"Berger"_s, u"Anna"_s, u"Bergstraße 4"_s, u"Ulm"_s);
    address(u"Ulmer"_s, u"Bernd"_s, u"Hauptstr. 2"_s, u"Bern"_s);
    address(u"Adler"_s, u"Ute"_s, u"Am Berg 1"_s, u"Bergen"_s);
    address(u"Zeller"_s, u"Ida"_s, u"Ulmenweg 3"_s, u"Aalen"_s);
    AdrSuchenLogik s(db(), dialogs_);
    const SuchFelder alle{true, true, true, true};
    struct Fall {
        QString wort;
        SuchFelder felder;
        QStringList namen;
    } faelle[] = {
        {u"b"_s, alle, {}},
        {u"be"_s, alle, {u"Adler"_s, u"Berger"_s, u"Ulmer"_s}},
        {u"BE"_s, {true, false, false, false}, {u"Berger"_s}},
        {u"be"_s, {false, true, false, false}, {u"Ulmer"_s}},
        {u"be"_s, {false, false, true, false}, {u"Berger"_s}},
        {u"be"_s, {false, false, false, true}, {u"Adler"_s, u"Ulmer"_s}},
        {u"ul"_s, {false, false, true, true}, {u"Berger"_s, u"Zeller"_s}},
        {u"be"_s, {}, {u"Berger"_s}},  // none ticked: the last name
        {u"b*"_s, alle, {}},
        {u"am b"_s, alle, {u"Adler"_s}},
    };
    for (const Fall& f : faelle) EXPECT_EQ(namen(s.suchen(f.wort, f.felder)), f.namen) << qPrintable(f.wort);
    const AdrTreffer t = s.suchen(u"Ze"_s, alle).first();
    EXPECT_EQ(t.vorname, u"Ida"_s);
    EXPECT_EQ(t.strasse, u"Ulmenweg 3"_s);
    EXPECT_EQ(t.ort, u"Aalen"_s);
}

TEST_F(AdrSuchenLogikTest, OpeningBookingsLooksThirtyOneDaysEachWay) {
    ClockOverride uhr(QDateTime(QDate(2024, 7, 1), QTime(14, 0)));
    const int gast = address(u"Gast"_s, {}, {}, {});
    const int firma = address(u"Firma"_s, {}, {}, {});
    struct Fall {
        int tage;
        bool gefunden;
    } faelle[] = {{31, true}, {32, false}, {-31, true}, {-32, false}, {0, true}};
    AdrSuchenLogik s(db(), dialogs_);
    for (const Fall& f : faelle) {
        db().execute(u"DELETE * FROM tblBelegung"_s);
        const int id = booking(gast, firma, QDate(2024, 7, 1).addDays(f.tage));
        EXPECT_EQ(s.buchungenNahe(gast), f.gefunden ? QList<int>{id} : QList<int>{}) << f.tage;
        EXPECT_EQ(s.buchungenNahe(firma), f.gefunden ? QList<int>{id} : QList<int>{}) << f.tage << " as invoice address";
    }
}

TEST_F(AdrSuchenLogikTest, ReservationButtonOpensTheBookingTheOverviewOrAsks) {
    ClockOverride uhr(QDate(2024, 7, 1));
    const int eine = address(u"Eine"_s, {}, {}, {});
    const int zwei = address(u"Zwei"_s, {}, {}, {});
    const int alt = address(u"Alt"_s, {}, {}, {});
    const int keine = address(u"Keine"_s, {}, {}, {});
    const int buchung = booking(eine, 0, QDate(2024, 7, 20));
    booking(eine, 0, QDate(2023, 7, 20));
    booking(zwei, 0, QDate(2024, 7, 5));
    booking(zwei, 0, QDate(2024, 7, 25));
    booking(alt, 0, QDate(2022, 1, 1));
    AdrSuchenLogik s(db(), dialogs_);

    ResOeffnen r = s.resOeffnen(eine);
    EXPECT_EQ(r.ziel, ResOeffnen::Ziel::Reservierung);
    EXPECT_EQ(r.buchungId, buchung);
    EXPECT_EQ(s.resOeffnen(zwei).ziel, ResOeffnen::Ziel::Uebersicht);
    EXPECT_EQ(s.resOeffnen(alt).ziel, ResOeffnen::Ziel::Uebersicht);
    EXPECT_TRUE(dialogs_.shown().isEmpty());

    dialogs_.answer(Answer::No);
    EXPECT_EQ(s.resOeffnen(keine).ziel, ResOeffnen::Ziel::Nichts);
    EXPECT_EQ(dialogs_.last().text, u"Für diese Adresse existieren keine Reservierungen. Möchten Sie Übersicht für die Adresse öffnen?"_s);
    EXPECT_EQ(dialogs_.last().buttons, Buttons::YesNo);
    dialogs_.answer(Answer::Yes);
    EXPECT_EQ(s.resOeffnen(keine).ziel, ResOeffnen::Ziel::Uebersicht);

    // Without the account overview nothing is asked: the first near booking opens, or the user
    // is told that there is none.
    dialogs_.clear();
    EXPECT_EQ(s.resOeffnen(zwei, false).ziel, ResOeffnen::Ziel::Reservierung);
    EXPECT_EQ(s.resOeffnen(eine, false).buchungId, buchung);
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    for (int ohne : {alt, keine}) {
        dialogs_.clear();
        EXPECT_EQ(s.resOeffnen(ohne, false).ziel, ResOeffnen::Ziel::Nichts);
        EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Für diese Adresse gibt es keine Reservierung, deren Anreise weniger als "
                                                               "einen Monat zurückliegt oder bevorsteht.")});
    }

    dialogs_.clear();
    EXPECT_EQ(s.resOeffnen(0).ziel, ResOeffnen::Ziel::Nichts);
    EXPECT_EQ(dialogs_.last().text, u"Wählen Sie zunächst eine Adresse aus."_s);
    EXPECT_EQ(AdrSuchenLogik::neueAnreise(), QDate(2024, 7, 1));
    EXPECT_EQ(AdrSuchenLogik::neueAbreise(), QDate(2024, 7, 2));
}

// On a new database no search field is stored: the search starts with the last name ticked
// and finds on first use; a stored choice is kept as it is.
TEST_F(AdrSuchenLogikTest, WithoutStoredFieldsTheLastNameIsSearched) {
    address(u"Berger"_s, u"Anna"_s, u"Hauptstr. 1"_s, u"Ulm"_s);
    AdrSuchenLogik s(db(), dialogs_);
    SuchFelder nurNachname;
    nurNachname.nachname = true;
    EXPECT_EQ(s.vorgaben(), nurNachname);
    EXPECT_EQ(namen(s.suchen(u"be"_s, s.vorgaben())), QStringList{u"Berger"_s});
    SuchFelder ort;
    ort.ort = true;
    s.vorgabenSpeichern(ort);
    EXPECT_EQ(s.vorgaben(), ort);
    EXPECT_TRUE(s.suchen(u"be"_s, s.vorgaben()).isEmpty());
    EXPECT_EQ(namen(s.suchen(u"ul"_s, s.vorgaben())), QStringList{u"Berger"_s});
}
