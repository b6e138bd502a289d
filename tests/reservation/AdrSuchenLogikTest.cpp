#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "reservation/AdrSuchenLogik.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class AdrSuchenLogikTest : public test::DatabaseFixture {
protected:
    int address(const QString& name, const QString& vorname, const QString& strasse, const QString& ort) {
        db().execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, Address, city) VALUES (?, ?, ?, ?)"),
                     {name, vorname, strasse, ort});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
    }
    int booking(int gast, int rechnung, const QDate& von) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, IDAdressRechnung) VALUES (1, ?, ?, ?, ?)"),
                     {von, von.addDays(1), gast, rechnung == 0 ? QVariant() : QVariant(rechnung)});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    static QStringList namen(const QList<AdrTreffer>& t) {
        QStringList out;
        for (const AdrTreffer& a : t) out << a.nachname;
        return out;
    }

    ScriptedDialogs dialogs_;
};

TEST_F(AdrSuchenLogikTest, TheWordSearchesTheTickedFieldsFromTheSecondCharacter) {
    address(QStringLiteral("Berger"), QStringLiteral("Anna"), QStringLiteral("Bergstraße 4"), QStringLiteral("Ulm"));
    address(QStringLiteral("Ulmer"), QStringLiteral("Bernd"), QStringLiteral("Hauptstr. 2"), QStringLiteral("Bern"));
    address(QStringLiteral("Adler"), QStringLiteral("Ute"), QStringLiteral("Am Berg 1"), QStringLiteral("Bergen"));
    address(QStringLiteral("Zeller"), QStringLiteral("Ida"), QStringLiteral("Ulmenweg 3"), QStringLiteral("Aalen"));
    AdrSuchenLogik s(db(), dialogs_);
    const SuchFelder alle{true, true, true, true};
    struct Fall {
        QString wort;
        SuchFelder felder;
        QStringList namen;
    } faelle[] = {
        {QStringLiteral("b"), alle, {}},
        {QStringLiteral("be"), alle, {QStringLiteral("Adler"), QStringLiteral("Berger"), QStringLiteral("Ulmer")}},
        {QStringLiteral("BE"), {true, false, false, false}, {QStringLiteral("Berger")}},
        {QStringLiteral("be"), {false, true, false, false}, {QStringLiteral("Ulmer")}},
        {QStringLiteral("be"), {false, false, true, false}, {QStringLiteral("Berger")}},
        {QStringLiteral("be"), {false, false, false, true}, {QStringLiteral("Adler"), QStringLiteral("Ulmer")}},
        {QStringLiteral("ul"), {false, false, true, true}, {QStringLiteral("Berger"), QStringLiteral("Zeller")}},
        {QStringLiteral("be"), {}, {QStringLiteral("Berger")}},  // none ticked: the last name
        {QStringLiteral("b*"), alle, {}},
        {QStringLiteral("am b"), alle, {QStringLiteral("Adler")}},
    };
    for (const Fall& f : faelle) EXPECT_EQ(namen(s.suchen(f.wort, f.felder)), f.namen) << qPrintable(f.wort);
    const AdrTreffer t = s.suchen(QStringLiteral("Ze"), alle).first();
    EXPECT_EQ(t.vorname, QStringLiteral("Ida"));
    EXPECT_EQ(t.strasse, QStringLiteral("Ulmenweg 3"));
    EXPECT_EQ(t.ort, QStringLiteral("Aalen"));
}

TEST_F(AdrSuchenLogikTest, OpeningBookingsLooksThirtyOneDaysEachWay) {
    ClockOverride uhr(QDateTime(QDate(2024, 7, 1), QTime(14, 0)));
    const int gast = address(QStringLiteral("Gast"), {}, {}, {});
    const int firma = address(QStringLiteral("Firma"), {}, {}, {});
    struct Fall {
        int tage;
        bool gefunden;
    } faelle[] = {{31, true}, {32, false}, {-31, true}, {-32, false}, {0, true}};
    AdrSuchenLogik s(db(), dialogs_);
    for (const Fall& f : faelle) {
        db().execute(QStringLiteral("DELETE * FROM tblBelegung"));
        const int id = booking(gast, firma, QDate(2024, 7, 1).addDays(f.tage));
        EXPECT_EQ(s.buchungenNahe(gast), f.gefunden ? QList<int>{id} : QList<int>{}) << f.tage;
        EXPECT_EQ(s.buchungenNahe(firma), f.gefunden ? QList<int>{id} : QList<int>{}) << f.tage << " as invoice address";
    }
}

TEST_F(AdrSuchenLogikTest, ReservationButtonOpensTheBookingTheOverviewOrAsks) {
    ClockOverride uhr(QDate(2024, 7, 1));
    const int eine = address(QStringLiteral("Eine"), {}, {}, {});
    const int zwei = address(QStringLiteral("Zwei"), {}, {}, {});
    const int alt = address(QStringLiteral("Alt"), {}, {}, {});
    const int keine = address(QStringLiteral("Keine"), {}, {}, {});
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
    EXPECT_EQ(dialogs_.last().text,
              QStringLiteral("Für diese Adresse existieren keine Reservierungen. Möchten Sie Übersicht für die Adresse öffnen?"));
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
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Wählen Sie zunächst eine Adresse aus."));
    EXPECT_EQ(AdrSuchenLogik::neueAnreise(), QDate(2024, 7, 1));
    EXPECT_EQ(AdrSuchenLogik::neueAbreise(), QDate(2024, 7, 2));
}

// On a new database no search field is stored: the search starts with the last name ticked
// and finds on first use; a stored choice is kept as it is.
TEST_F(AdrSuchenLogikTest, WithoutStoredFieldsTheLastNameIsSearched) {
    address(QStringLiteral("Berger"), QStringLiteral("Anna"), QStringLiteral("Hauptstr. 1"), QStringLiteral("Ulm"));
    AdrSuchenLogik s(db(), dialogs_);
    SuchFelder nurNachname;
    nurNachname.nachname = true;
    EXPECT_EQ(s.vorgaben(), nurNachname);
    EXPECT_EQ(namen(s.suchen(QStringLiteral("be"), s.vorgaben())), QStringList{QStringLiteral("Berger")});
    SuchFelder ort;
    ort.ort = true;
    s.vorgabenSpeichern(ort);
    EXPECT_EQ(s.vorgaben(), ort);
    EXPECT_TRUE(s.suchen(QStringLiteral("be"), s.vorgaben()).isEmpty());
    EXPECT_EQ(namen(s.suchen(QStringLiteral("ul"), s.vorgaben())), QStringList{QStringLiteral("Berger")});
}
