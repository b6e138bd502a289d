#include <gtest/gtest.h>

#include <QSet>
#include <tuple>

#include "store/BeispielVerschiebung.h"
#include "store/Beispieldaten.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"

using namespace tav;

namespace {

class BeispieldatenTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        sample = open(QStringLiteral("Beispiel.mdb"));
        beispieldaten::anlegen(*sample, stichtag);
    }
    int zahl(const QString& sql) { return sample->scalar(sql).toInt(); }

    const QDate stichtag{2024, 5, 15};
    std::unique_ptr<Database> sample;
};

}  // namespace

TEST(BeispieldatenFeiertageTest, EasterAndTheHolidaysThatFollowIt) {
    const QList<QPair<int, QDate>> ostern = {{2020, QDate(2020, 4, 12)},
                                             {2024, QDate(2024, 3, 31)},
                                             {2025, QDate(2025, 4, 20)},
                                             {2030, QDate(2030, 4, 21)},
                                             {2035, QDate(2035, 3, 25)}};
    for (const auto& [jahr, datum] : ostern) EXPECT_EQ(beispieldaten::ostersonntag(jahr), datum) << jahr;
    const auto tage = beispieldaten::feiertage(2025);
    ASSERT_EQ(tage.size(), 9);
    QHash<QString, QDate> nachName;
    for (const auto& [datum, name] : tage) nachName.insert(name, datum);
    EXPECT_EQ(std::tuple(nachName.value(QStringLiteral("Karfreitag")), nachName.value(QStringLiteral("Christi Himmelfahrt")),
                         nachName.value(QStringLiteral("Pfingstmontag")), nachName.value(QStringLiteral("Tag der Deutschen Einheit"))),
              std::tuple(QDate(2025, 4, 18), QDate(2025, 5, 29), QDate(2025, 6, 9), QDate(2025, 10, 3)));
}

TEST_F(BeispieldatenTest, AGuestHouseWithGuestsAndBookingsAroundTheDay) {
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM Address")), 60);
    const int buchungen = zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung"));
    EXPECT_TRUE(buchungen >= 130 && buchungen <= 180) << buchungen;
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbZimmernummern")), 10);
    for (int art = 1; art <= 4; ++art)
        EXPECT_GT(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Belegungsart = %1").arg(art)), 0) << "kind " << art;
    EXPECT_GT(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Checked = True")), 10);
    EXPECT_GT(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Gelöscht = True")), 0);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Checked = True AND Von > #05-15-2024#")), 0)
        << "nobody has checked in before arriving";
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Belegungsart = 4 AND Von <= #05-15-2024#")), 0)
        << "offers lie in the future";
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE GastID NOT IN (SELECT ID FROM Address)")), 0);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Len(Kürzel) > 17")), 0);
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT Von FROM tblBelegung ORDER BY ID")).toDate(), stichtag);
    EXPECT_GT(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Bis < #05-15-2024#")), 20);
    EXPECT_GT(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Von > #05-15-2024#")), 20);

    // No two bookings of a room that are not waiting overlap.
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung AS a INNER JOIN tblBelegung AS b ON a.Zimmernummer = b.Zimmernummer "
                                  "WHERE a.ID < b.ID AND a.Gelöscht = False AND b.Gelöscht = False AND a.Von < b.Bis AND b.Von < a.Bis")),
              0);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE AnzahlÜbernachtungen <> DateDiff('d', Von, Bis)")), 0);

    // Prices, seasons and the settings the program reads from the sample file.
    EXPECT_GT(zahl(QStringLiteral("SELECT Count(*) FROM tblTarife")), 3);
    EXPECT_GT(zahl(QStringLiteral("SELECT Count(*) FROM tbSaisonzeiten WHERE Saisonbezeichnung = 'Hauptsaison'")), 0);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbZimmernummern WHERE Zimmernummer <= 9 AND PreisHauptsaison Is Null")), 0);
    EXPECT_GT(zahl(QStringLiteral("SELECT Count(*) FROM tbFeiertage WHERE FTDatum = #12-25-2035#")), 0);
    Parameter p(*sample);
    EXPECT_EQ(p.read(QStringLiteral("Räumlichkeiten"))->text(3), QStringLiteral("320"));
    EXPECT_TRUE(p.read(QStringLiteral("ZeitDarstellung")).has_value());
}

TEST_F(BeispieldatenTest, TheShiftMovesBookingsPaymentsItemsAndInvoicesTogether) {
    sample->execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, DatumPo, DatumPoBis) VALUES (1, #05-15-2024#, #05-18-2024#)"));
    sample->execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, DatumRe) VALUES (1, #05-18-2024#)"));
    const QDate vorherVon = sample->scalar(QStringLiteral("SELECT Von FROM tblBelegung WHERE ID = 20")).toDate();
    const QDate vorherZahlung = sample->scalar(QStringLiteral("SELECT Min(ZahlDatum) FROM tbZahlung")).toDate();
    const int zahlungen = zahl(QStringLiteral("SELECT Count(*) FROM tbZahlung"));
    ASSERT_GT(zahlungen, 0);
    sample.reset();

    const int d = beispiel::verschieben(file(QStringLiteral("Beispiel.mdb")), QDate(2024, 7, 1));
    EXPECT_EQ(d, 47);
    sample = open(QStringLiteral("Beispiel.mdb"));
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT Von FROM tblBelegung ORDER BY ID")).toDate(), QDate(2024, 7, 1));
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT Von FROM tblBelegung WHERE ID = 20")).toDate(), vorherVon.addDays(47));
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT Min(ZahlDatum) FROM tbZahlung")).toDate(), vorherZahlung.addDays(47));
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT DatumPoBis FROM tbRePosten")).toDate(), QDate(2024, 7, 4));
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT DatumRe FROM tbRechnungen")).toDate(), QDate(2024, 7, 4));
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT Von FROM tblBelegung ORDER BY ID")).typeId(), QMetaType::QDate) << "still whole days";
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE AnzahlÜbernachtungen <> DateDiff('d', Von, Bis)")), 0);
    sample.reset();
    EXPECT_EQ(beispiel::verschieben(file(QStringLiteral("Beispiel.mdb")), QDate(2024, 7, 1)), 0) << "already there";
}

TEST_F(BeispieldatenTest, TheReferenceDatabaseGetsEveryHolidayOnceAndPostcodes) {
    auto ref = open(QStringLiteral("Feiertag.mdb"));
    beispieldaten::feiertageAnlegen(*ref, 2020, 2035);
    beispieldaten::feiertageAnlegen(*ref, 2034, 2036);
    EXPECT_EQ(ref->scalar(QStringLiteral("SELECT Count(*) FROM tbFeiertage")).toInt(), 17 * 9);
    EXPECT_EQ(ref->scalar(QStringLiteral("SELECT Max(IDFeiertage) FROM tbFeiertage")).toInt(), 17 * 9) << "keys continue";
    beispieldaten::postleitzahlenAnlegen(*ref);
    EXPECT_EQ(ref->scalar(QStringLiteral("SELECT Ort FROM tbPLZ WHERE PLZ = '80331'")), QVariant(QStringLiteral("München")));
}
