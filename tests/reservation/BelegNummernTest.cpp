#include <gtest/gtest.h>

#include "reservation/BelegungTestSupport.h"
#include "store/Parameter.h"

using namespace tav;
using namespace Qt::StringLiterals;

class BelegNummernTest : public test::BookingFixture {
protected:
    void nummern(const QList<int>& liste) {
        Transaction t(db());
        for (int n : liste)
            db().execute(u"INSERT INTO tblBelegung (BelegNummer, BelegNummer_eigen, Kürzel) VALUES (?, ?, ?)"_s,
                         {n, u"Üb %1"_s.arg(n), u"k%1"_s.arg(n)});
        t.commit();
    }
};

TEST_F(BelegNummernTest, NextNumberRefillsGapsOnlyWithAlle) {
    EXPECT_EQ(BelegNummern::naechste(db(), true), 1);
    EXPECT_EQ(BelegNummern::naechste(db(), false), 1);
    nummern({2, 3, 5, 5, 6});
    EXPECT_EQ(BelegNummern::naechste(db(), true), 1) << "the lowest number no booking holds";
    EXPECT_EQ(BelegNummern::naechste(db(), false), 7);
    nummern({1});
    EXPECT_EQ(BelegNummern::naechste(db(), true), 4);
    nummern({4});
    EXPECT_EQ(BelegNummern::naechste(db(), true), 7) << "no gap left: highest + 1";
    db().execute(u"INSERT INTO tblBelegung (BelegNummer, Kürzel) VALUES (-3, 'neg'), (Null, 'leer')"_s);
    EXPECT_EQ(BelegNummern::naechste(db(), true), 7);
}

TEST_F(BelegNummernTest, SecondRequestWithAlleTakesTheLowestFreeNumber) {
    nummern({1, 2, 3, 4});
    db().execute(u"DELETE * FROM tblBelegung WHERE BelegNummer IN (2, 3)"_s);
    ReservierungsFelder f = neue(u"101"_s, tag(10), tag(12), u"neu"_s);
    record_->belegNummerVergeben(f);
    EXPECT_EQ(QStringList({f.belegNummer, f.belegNummerEigen}), QStringList({"2", "Üb 0002 24"}));
    ASSERT_TRUE(record_->Reserv(f));
    ReservierungsFelder g = neue(u"102"_s, tag(10), tag(12), u"zweite"_s);
    record_->belegNummerVergeben(g);
    EXPECT_EQ(g.belegNummer, u"3"_s);
    // A number in the box that no other booking has stays; the own number is no conflict.
    g.belegNummer = u"17"_s;
    record_->belegNummerVergeben(g);
    EXPECT_EQ(g.belegNummer, u"17"_s);
    f.belegNummerEigen.clear();
    record_->belegNummerVergeben(f);
    EXPECT_EQ(QStringList({f.belegNummer, f.belegNummerEigen}), QStringList({"2", "Üb 0002 24"}));
    g.belegNummer = u"4"_s;
    record_->belegNummerVergeben(g);
    EXPECT_EQ(g.belegNummer, u"3"_s) << "4 belongs to another booking";

    record_->setNummernMuster(NummernMuster{QString(), QString(), false});
    g.belegNummer.clear();
    record_->belegNummerVergeben(g);
    EXPECT_EQ(QStringList({g.belegNummer, g.belegNummerEigen}), QStringList({"5", "0005"}));
}

TEST_F(BelegNummernTest, PrintedNumberWithEveryDatePart) {
    struct Fall {
        QString format;
        QDate datum;
        QString erwartet;
    };
    const QList<Fall> faelle = {
        {u"yy"_s, QDate(2002, 1, 13), u"Üb 0007 02"_s},
        {u"yyyy"_s, QDate(2002, 1, 13), u"Üb 0007 2002"_s},
        {u"mmm yy"_s, QDate(2002, 3, 13), u"Üb 0007 Mrz 02"_s},
        {u"mmm yyyy"_s, QDate(2002, 12, 13), u"Üb 0007 Dez 2002"_s},
        {u"mm yyyy"_s, QDate(2002, 1, 13), u"Üb 0007 01 2002"_s},
        {u"mm yy"_s, QDate(2002, 1, 13), u"Üb 0007 01 02"_s},
        {u"dd mm yy"_s, QDate(2002, 1, 13), u"Üb 0007 13 01 02"_s},
        {u"ww yy"_s, QDate(2002, 8, 20), u"Üb 0007 34 02"_s},
        {u"ww yyyy"_s, QDate(2002, 8, 20), u"Üb 0007 34 2002"_s},
        {QString(), QDate(2002, 8, 20), u"Üb 0007"_s},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(BelegNummern::eigene(NummernMuster{u"Üb"_s, f.format, true}, 7, f.datum), f.erwartet) << qPrintable(f.format);
    EXPECT_EQ(BelegNummern::eigene(NummernMuster{QString(), u"yy"_s, true}, 12345, QDate(2030, 1, 1)), u"12345 30"_s)
        << "without a prefix no blank stands before the number, so that a typed number matches the stored one";

    // Without an arrival the date part is today's.
    record_->setNummernMuster(NummernMuster{u"R"_s, u"dd mm yy"_s, true});
    ReservierungsFelder f;
    record_->belegNummerVergeben(f);
    EXPECT_EQ(f.belegNummerEigen, u"R 0001 01 03 24"_s);
}

TEST_F(BelegNummernTest, PatternComesFromTheSettingsRow) {
    Parameter(db()).write(u"BeNummer"_s, {{1, u"Res"_s}, {2, u"mm yy"_s}, {4, u"Alle"_s}});
    const NummernMuster m = NummernMuster::lesen(db());
    EXPECT_EQ(std::tuple(m.praefix, m.datumsformat, m.alle), std::tuple(u"Res"_s, u"mm yy"_s, true));
    EXPECT_FALSE(NummernMuster::aus({u"x"_s, QString(), QString(), u"Freilassen"_s}).alle);
    EXPECT_FALSE(NummernMuster::aus({}).alle);
}

TEST_F(BelegNummernTest, TypedPrintedNumbersMustBeUnique) {
    nummern({1, 2});
    EXPECT_TRUE(BelegNummern::BelegNummerEigenVergeben(db(), u"Üb 1"_s, 0));
    EXPECT_TRUE(BelegNummern::BelegNummerEigenVergeben(db(), u"üb 1"_s, 0));
    const int eigene = db().scalar(u"SELECT ID FROM tblBelegung WHERE BelegNummer = 1"_s).toInt();
    EXPECT_FALSE(BelegNummern::BelegNummerEigenVergeben(db(), u"Üb 1"_s, eigene));
    EXPECT_FALSE(BelegNummern::BelegNummerEigenVergeben(db(), u"Üb 1' OR 'a'='a"_s, 0));
    EXPECT_TRUE(BelegNummern::BelegNummerVergeben(db(), 2, eigene));
    EXPECT_FALSE(BelegNummern::BelegNummerVergeben(db(), 1, eigene));

    ReservierungsFelder f;
    f.belegNummerEigen = u"Üb 2"_s;
    record_->belegNummerEigenVerlassen(f);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Diese Belegnummer ist bereits vorhanden. Geben Sie eine andere Nummer ein "
                                                           "oder leeren Sie das Feld, damit eine neue Nummer vergeben werden kann.")});
    EXPECT_EQ(std::tuple(dialogs_.last().icon, f.belegNummerEigen), std::tuple(Icon::Information, QString()));
    record_->belegNummerEigenVerlassen(f);
    EXPECT_EQ(QStringList({f.belegNummer, f.belegNummerEigen}), QStringList({"3", "Üb 0003 24"})) << "an empty box gets the next number";
    f.belegNummerEigen = u"eigene Nummer"_s;
    record_->belegNummerEigenVerlassen(f);
    EXPECT_EQ(f.belegNummerEigen, u"eigene Nummer"_s);
    EXPECT_EQ(dialogs_.shown().size(), 1);
}

TEST_F(BelegNummernTest, SaveGivesANumberTakenMeanwhileANewOne) {
    ReservierungsFelder f = neue(u"101"_s, tag(10), tag(12), u"erste"_s);
    record_->belegNummerVergeben(f);
    ReservierungsFelder g = neue(u"102"_s, tag(10), tag(12), u"zweite"_s);
    record_->belegNummerVergeben(g);
    ASSERT_EQ(f.belegNummer, g.belegNummer) << "two forms opened at the same time";
    ASSERT_TRUE(record_->Reserv(f));
    ASSERT_TRUE(record_->Reserv(g));
    EXPECT_EQ(QStringList({g.belegNummer, g.belegNummerEigen}), QStringList({"2", "Üb 0002 24"}));
    EXPECT_EQ(db().scalar(u"SELECT Count(DISTINCT BelegNummer) FROM tblBelegung"_s).toInt(), 2);
}
