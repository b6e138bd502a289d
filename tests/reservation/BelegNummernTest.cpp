#include <gtest/gtest.h>

#include "reservation/BelegungTestSupport.h"
#include "store/Parameter.h"

using namespace tav;

class BelegNummernTest : public test::BookingFixture {
protected:
    void nummern(const QList<int>& liste) {
        Transaction t(db());
        for (int n : liste)
            db().execute(QStringLiteral("INSERT INTO tblBelegung (BelegNummer, BelegNummer_eigen, Kürzel) VALUES (?, ?, ?)"),
                         {n, QStringLiteral("Üb %1").arg(n), QStringLiteral("k%1").arg(n)});
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
    db().execute(QStringLiteral("INSERT INTO tblBelegung (BelegNummer, Kürzel) VALUES (-3, 'neg'), (Null, 'leer')"));
    EXPECT_EQ(BelegNummern::naechste(db(), true), 7);
}

TEST_F(BelegNummernTest, SecondRequestWithAlleTakesTheLowestFreeNumber) {
    nummern({1, 2, 3, 4});
    db().execute(QStringLiteral("DELETE * FROM tblBelegung WHERE BelegNummer IN (2, 3)"));
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("neu"));
    record_->belegNummerVergeben(f);
    EXPECT_EQ(f.belegNummer, QStringLiteral("2"));
    EXPECT_EQ(f.belegNummerEigen, QStringLiteral("Üb 0002 24"));
    ASSERT_TRUE(record_->Reserv(f));
    ReservierungsFelder g = neue(QStringLiteral("102"), tag(10), tag(12), QStringLiteral("zweite"));
    record_->belegNummerVergeben(g);
    EXPECT_EQ(g.belegNummer, QStringLiteral("3"));
    // A number in the box that no other booking has stays; the own number is no conflict.
    g.belegNummer = QStringLiteral("17");
    record_->belegNummerVergeben(g);
    EXPECT_EQ(g.belegNummer, QStringLiteral("17"));
    f.belegNummerEigen.clear();
    record_->belegNummerVergeben(f);
    EXPECT_EQ(f.belegNummer, QStringLiteral("2"));
    EXPECT_EQ(f.belegNummerEigen, QStringLiteral("Üb 0002 24"));
    g.belegNummer = QStringLiteral("4");
    record_->belegNummerVergeben(g);
    EXPECT_EQ(g.belegNummer, QStringLiteral("3")) << "4 belongs to another booking";

    record_->setNummernMuster(NummernMuster{QString(), QString(), false});
    g.belegNummer.clear();
    record_->belegNummerVergeben(g);
    EXPECT_EQ(g.belegNummer, QStringLiteral("5"));
    EXPECT_EQ(g.belegNummerEigen, QStringLiteral("0005"));
}

TEST_F(BelegNummernTest, PrintedNumberWithEveryDatePart) {
    struct Fall {
        QString format;
        QDate datum;
        QString erwartet;
    };
    const QList<Fall> faelle = {
        {QStringLiteral("yy"), QDate(2002, 1, 13), QStringLiteral("Üb 0007 02")},
        {QStringLiteral("yyyy"), QDate(2002, 1, 13), QStringLiteral("Üb 0007 2002")},
        {QStringLiteral("mmm yy"), QDate(2002, 3, 13), QStringLiteral("Üb 0007 Mrz 02")},
        {QStringLiteral("mmm yyyy"), QDate(2002, 12, 13), QStringLiteral("Üb 0007 Dez 2002")},
        {QStringLiteral("mm yyyy"), QDate(2002, 1, 13), QStringLiteral("Üb 0007 01 2002")},
        {QStringLiteral("mm yy"), QDate(2002, 1, 13), QStringLiteral("Üb 0007 01 02")},
        {QStringLiteral("dd mm yy"), QDate(2002, 1, 13), QStringLiteral("Üb 0007 13 01 02")},
        {QStringLiteral("ww yy"), QDate(2002, 8, 20), QStringLiteral("Üb 0007 34 02")},
        {QStringLiteral("ww yyyy"), QDate(2002, 8, 20), QStringLiteral("Üb 0007 34 2002")},
        {QString(), QDate(2002, 8, 20), QStringLiteral("Üb 0007")},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(BelegNummern::eigene(NummernMuster{QStringLiteral("Üb"), f.format, true}, 7, f.datum), f.erwartet)
            << qPrintable(f.format);
    EXPECT_EQ(BelegNummern::eigene(NummernMuster{QString(), QStringLiteral("yy"), true}, 12345, QDate(2030, 1, 1)),
              QStringLiteral("12345 30"));

    // Without an arrival the date part is today's.
    record_->setNummernMuster(NummernMuster{QStringLiteral("R"), QStringLiteral("dd mm yy"), true});
    ReservierungsFelder f;
    record_->belegNummerVergeben(f);
    EXPECT_EQ(f.belegNummerEigen, QStringLiteral("R 0001 01 03 24"));
}

TEST_F(BelegNummernTest, PatternComesFromTheSettingsRow) {
    Parameter(db()).write(QStringLiteral("BeNummer"),
                          {{1, QStringLiteral("Res")}, {2, QStringLiteral("mm yy")}, {4, QStringLiteral("Alle")}});
    const NummernMuster m = NummernMuster::lesen(db());
    EXPECT_EQ(m.praefix, QStringLiteral("Res"));
    EXPECT_EQ(m.datumsformat, QStringLiteral("mm yy"));
    EXPECT_TRUE(m.alle);
    EXPECT_FALSE(NummernMuster::aus({QStringLiteral("x"), QString(), QString(), QStringLiteral("Freilassen")}).alle);
    EXPECT_FALSE(NummernMuster::aus({}).alle);
}

TEST_F(BelegNummernTest, TypedPrintedNumbersMustBeUnique) {
    nummern({1, 2});
    EXPECT_TRUE(BelegNummern::BelegNummerEigenVergeben(db(), QStringLiteral("Üb 1"), 0));
    EXPECT_TRUE(BelegNummern::BelegNummerEigenVergeben(db(), QStringLiteral("üb 1"), 0));
    const int eigene = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE BelegNummer = 1")).toInt();
    EXPECT_FALSE(BelegNummern::BelegNummerEigenVergeben(db(), QStringLiteral("Üb 1"), eigene));
    EXPECT_FALSE(BelegNummern::BelegNummerEigenVergeben(db(), QStringLiteral("Üb 1' OR 'a'='a"), 0));
    EXPECT_TRUE(BelegNummern::BelegNummerVergeben(db(), 2, eigene));
    EXPECT_FALSE(BelegNummern::BelegNummerVergeben(db(), 1, eigene));

    ReservierungsFelder f;
    f.belegNummerEigen = QStringLiteral("Üb 2");
    record_->belegNummerEigenVerlassen(f);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Diese Belegnummer ist bereits vorhanden. Geben Sie eine andere Nummer ein "
                                                           "oder leeren Sie das Feld, damit eine neue Nummer vergeben werden kann.")});
    EXPECT_EQ(dialogs_.last().icon, Icon::Information);
    EXPECT_TRUE(f.belegNummerEigen.isEmpty());
    record_->belegNummerEigenVerlassen(f);
    EXPECT_EQ(f.belegNummer, QStringLiteral("3")) << "an empty box gets the next number";
    EXPECT_EQ(f.belegNummerEigen, QStringLiteral("Üb 0003 24"));
    f.belegNummerEigen = QStringLiteral("eigene Nummer");
    record_->belegNummerEigenVerlassen(f);
    EXPECT_EQ(f.belegNummerEigen, QStringLiteral("eigene Nummer"));
    EXPECT_EQ(dialogs_.shown().size(), 1);
}

TEST_F(BelegNummernTest, SaveGivesANumberTakenMeanwhileANewOne) {
    ReservierungsFelder f = neue(QStringLiteral("101"), tag(10), tag(12), QStringLiteral("erste"));
    record_->belegNummerVergeben(f);
    ReservierungsFelder g = neue(QStringLiteral("102"), tag(10), tag(12), QStringLiteral("zweite"));
    record_->belegNummerVergeben(g);
    ASSERT_EQ(f.belegNummer, g.belegNummer) << "two forms opened at the same time";
    ASSERT_TRUE(record_->Reserv(f));
    ASSERT_TRUE(record_->Reserv(g));
    EXPECT_EQ(g.belegNummer, QStringLiteral("2"));
    EXPECT_EQ(g.belegNummerEigen, QStringLiteral("Üb 0002 24"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(DISTINCT BelegNummer) FROM tblBelegung")).toInt(), 2);
}
