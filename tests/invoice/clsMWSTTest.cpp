#include <gtest/gtest.h>

#include "invoice/clsMWST.h"
#include "platform/ScriptedDialogs.h"
#include "store/Geld.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class clsMWSTTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db().execute(QStringLiteral("DELETE * FROM tbSteuerschluessel"));
    }
    void schluessel(int id, double satz, const QDate& seit, const QDate& bis, bool standard, int nachfolger = 0) {
        db().execute(QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, GUeltigseit, GUeltigBis, Standard, "
                                    "IDNachfolger) VALUES (?, ?, ?, ?, ?, ?)"),
                     {id, satz, seit.isValid() ? QVariant(seit) : QVariant(), bis.isValid() ? QVariant(bis) : QVariant(), standard,
                      nachfolger ? QVariant(nachfolger) : QVariant()});
    }
    int anzahl() { return db().scalar(QStringLiteral("SELECT Count(*) FROM tbSteuerschluessel")).toInt(); }

    ScriptedDialogs dialogs_;
};

TEST_F(clsMWSTTest, EmptyTableCreatesTheSixteenPercentStandardKey) {
    clsMWST m(db(), dialogs_);
    EXPECT_EQ(m.AktuelleMwStErmitteln(true, QDate(2024, 5, 1)), QStringLiteral("1"));
    EXPECT_EQ(anzahl(), 1);
    ASSERT_EQ(m.satzTabelle().size(), 1);
    EXPECT_EQ(m.satzTabelle()[0].satz, 16.0);
    EXPECT_EQ(m.standardSatz(), 16.0);
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT Standard FROM tbSteuerschluessel")).toInt() != 0);
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT GUeltigBis FROM tbSteuerschluessel")).isNull());
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}

TEST_F(clsMWSTTest, ExpiredKeysOnlyGetASecondKey) {
    schluessel(1, 19, {}, QDate(2020, 12, 31), true);
    clsMWST m(db(), dialogs_);
    EXPECT_EQ(m.AktuelleMwStErmitteln(false, QDate(2021, 1, 1)), QStringLiteral("2"));
    EXPECT_EQ(anzahl(), 2);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Steuersatz FROM tbSteuerschluessel WHERE IDSteuerschluessel = 2")).toDouble(), 16.0);
    // Asked again on that date, the new key is valid and nothing more is added.
    EXPECT_EQ(m.AktuelleMwStErmitteln(false, QDate(2021, 1, 1)), QStringLiteral("2"));
    EXPECT_EQ(anzahl(), 2);
    // On a date inside the old key's validity only the open-ended new one and the old one count.
    EXPECT_EQ(m.AktuelleMwStErmitteln(false, QDate(2020, 6, 1)), QStringLiteral("1") + clsMWST::kSeparator + QStringLiteral("2"));
}

TEST_F(clsMWSTTest, ValidKeysAreOrderedByRateAndTheStandardIsRemembered) {
    schluessel(1, 7, {}, {}, false);
    schluessel(2, 19, QDate(2007, 1, 1), {}, true);
    schluessel(3, 16, {}, QDate(2006, 12, 31), true, 2);
    clsMWST m(db(), dialogs_);
    struct Fall {
        const char* name;
        QDate datum;
        QString liste;
        double standard;
    } faelle[] = {
        {"last day of the old rate", QDate(2006, 12, 31), "3" + clsMWST::kSeparator + "1", 16},
        {"first day of the new rate", QDate(2007, 1, 1), "2" + clsMWST::kSeparator + "1", 19},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(m.AktuelleMwStErmitteln(true, f.datum), f.liste);
        EXPECT_EQ(m.standardSatz(), f.standard);
        EXPECT_EQ(m.MwSTSSatztandardVonDatum(f.datum), f.standard);
        ASSERT_EQ(m.satzTabelle().size(), 2);
        EXPECT_GT(m.satzTabelle()[0].satz, m.satzTabelle()[1].satz);
    }
    EXPECT_EQ(m.IDMwSTStandardVonDatum(QDate(2006, 12, 31)), 3);
    EXPECT_EQ(m.IDMwSTStandardVonDatum(QDate(2007, 1, 2)), 2);
    EXPECT_EQ(m.LetzteNummer(), 3);
}

// A key valid until 31.12. with a successor from 01.01., and the other way round.
TEST_F(clsMWSTTest, RateOfAKeyFollowsSuccessorsAndPredecessors) {
    schluessel(1, 16, {}, QDate(2006, 12, 31), true, 2);
    schluessel(2, 19, QDate(2007, 1, 1), {}, true);
    schluessel(3, 5, QDate(2020, 7, 1), QDate(2020, 12, 31), false, 4);
    schluessel(4, 7, QDate(2021, 1, 1), {}, false);
    clsMWST m(db(), dialogs_);
    struct Fall {
        const char* name;
        int id;
        QDate datum;
        std::optional<double> satz;
    } faelle[] = {
        {"old key on 31.12.", 1, QDate(2006, 12, 31), 16},
        {"old key on 02.01. takes the successor", 1, QDate(2007, 1, 2), 19},
        {"new key before it starts takes the predecessor", 2, QDate(2006, 12, 31), 16},
        {"new key on 02.01.", 2, QDate(2007, 1, 2), 19},
        {"chain of two on a later date", 3, QDate(2024, 1, 1), 7},
        {"key before its start without predecessor", 3, QDate(2019, 1, 1), std::nullopt},
        {"missing key", 99, QDate(2024, 1, 1), std::nullopt},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(m.GueltigerMwstSatzFinden(f.id, f.datum), f.satz.has_value());
        EXPECT_EQ(m.gefundenerSatz(), f.satz);
    }
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}

TEST_F(clsMWSTTest, ASuccessorLoopEndsWithAMessage) {
    schluessel(1, 16, {}, QDate(2006, 12, 31), true, 2);
    schluessel(2, 19, {}, QDate(2006, 12, 31), false, 1);
    schluessel(3, 7, {}, QDate(2006, 12, 31), false, 3);  // its own successor
    clsMWST m(db(), dialogs_);
    for (int id : {1, 3}) {
        SCOPED_TRACE(id);
        dialogs_.clear();
        EXPECT_FALSE(m.GueltigerMwstSatzFinden(id, QDate(2010, 1, 1)));
        EXPECT_FALSE(m.gefundenerSatz().has_value());
        EXPECT_EQ(dialogs_.texts(), QStringList{clsMWST::kKreis});
    }
}

TEST_F(clsMWSTTest, GrossSplitsIntoNetAndVatExactly) {
    struct Fall {
        const char* name;
        double brutto, satz;
        const char *netto, *mwst;
    } faelle[] = {
        {"119,00 at 19 %", 119.0, 19, "100,00", "19,00"},
        {"10,00 at 7 %", 10.0, 7, "9,35", "0,65"},
        {"0,00", 0.0, 19, "0,00", "0,00"},
        {"credit -119,00", -119.0, 19, "-100,00", "-19,00"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const MwStAnteil a = clsMWST::aufteilen(f.brutto, f.satz);
        EXPECT_EQ(geld::text(a.netto), QString::fromUtf8(f.netto));
        EXPECT_EQ(geld::text(a.mwst), QString::fromUtf8(f.mwst));
        EXPECT_EQ(geld::cent(a.netto) + geld::cent(a.mwst), geld::cent(f.brutto)) << "net and VAT add up to the gross";
    }
    EXPECT_NEAR(clsMWST::aufteilen(10.0, 7).netto, 9.345794, 1e-6);
    EXPECT_EQ(geld::text(clsMWST::bruttoRabattZuNetto(119.0, 19)), QStringLiteral("100,00"));
}

TEST_F(clsMWSTTest, TwoRatesGiveTwoLinesHighestFirst) {
    schluessel(1, 7, {}, {}, false);
    schluessel(2, 19, {}, {}, true);
    clsMWST m(db(), dialogs_);
    m.AktuelleMwStErmitteln(true, QDate(2024, 3, 1));
    m.zeileBuchen(10.0, 7);
    m.zeileBuchen(119.0, 19);
    m.zeileBuchen(20.0, 7);
    ASSERT_EQ(m.satzTabelle().size(), 2);
    EXPECT_EQ(m.satzTabelle()[0].satz, 19.0);
    EXPECT_EQ(geld::text(m.satzTabelle()[0].mwst), QStringLiteral("19,00"));
    EXPECT_EQ(m.satzTabelle()[1].satz, 7.0);
    // 30,00 at 7 %: the VAT of the sum, not the sum of rounded line VATs (0,65 + 1,31).
    EXPECT_EQ(geld::text(m.satzTabelle()[1].mwst), QStringLiteral("1,96"));
    EXPECT_EQ(geld::text(m.mwstSumme()), QStringLiteral("20,96"));
    // A rate the date does not know is added in its place.
    m.zeileBuchen(11.0, 10);
    ASSERT_EQ(m.satzTabelle().size(), 3);
    EXPECT_EQ(m.satzTabelle()[1].satz, 10.0);
    // A 10 % discount scales net and VAT of every rate.
    m.rabattAnwenden(10);
    EXPECT_EQ(geld::text(m.satzTabelle()[0].netto), QStringLiteral("90,00"));
    EXPECT_EQ(geld::text(m.satzTabelle()[0].mwst), QStringLiteral("17,10"));
}

TEST_F(clsMWSTTest, AKeyInUseIsRecognised) {
    schluessel(1, 16, {}, QDate(2006, 12, 31), true, 2);
    schluessel(2, 19, QDate(2007, 1, 1), {}, true);
    schluessel(3, 7, {}, {}, false);
    schluessel(4, 0, {}, {}, false);
    schluessel(5, 10, {}, {}, false);
    db().execute(
        QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel) VALUES (1, 'Sekt', 1, 20, 3)"));
    db().execute(QStringLiteral("INSERT INTO tbArtKategorie (IDArtKategorie, ArtKategorie, Preis, MWST_SL) VALUES (1, 'Buch', 10, 4)"));
    clsMWST m(db(), dialogs_);
    struct Fall {
        const char* name;
        int id;
        bool inGebrauch;
    } faelle[] = {{"successor of another key", 2, true},
                  {"used by an item", 3, true},
                  {"used by an article", 4, true},
                  {"named by nobody", 5, false},
                  {"the old key itself", 1, false}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(m.MWSTInGebrauch(f.id), f.inGebrauch);
    }
}
