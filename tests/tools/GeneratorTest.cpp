#include <gtest/gtest.h>

#include <QDir>

#include "Generator.h"
#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

using namespace tav;

namespace {

generator::Options small(quint64 seed) {
    generator::Options o;
    o.rooms = 6;
    o.years = 2;
    o.seed = seed;
    o.until = QDate(2024, 12, 31);
    o.today = QDate(2024, 6, 15);
    return o;
}

// Every row of the tables that the generator fills, as text.
QString dump(const QString& folder) {
    auto db = Database::open(QDir(folder).absoluteFilePath(QStringLiteral("Lokal.mdb")));
    QString out;
    for (const char* table : {"tblBelegung", "Address", "tbRechnungen", "tbRechnungen_zu_Posten", "tbRePosten", "tbZahlung",
                              "tbZimmernummern", "tbSaisonzeiten", "WeitereGäste", "tblParameter"}) {
        Recordset rs = db->openRecordset(QStringLiteral("SELECT * FROM ") + QString::fromUtf8(table));
        for (; !rs.eof(); rs.moveNext()) {
            for (int i = 0; i < rs.fieldCount(); ++i) out += rs.value(i).toString() + QLatin1Char('\t');
            out += QLatin1Char('\n');
        }
    }
    return out;
}

}  // namespace

TEST(GeneratorTest, TheSameSeedGivesTheSameDataAndAnotherSeedOtherData) {
    test::TempFolder a, b, c;
    generator::generate(a.path(), small(7));
    generator::generate(b.path(), small(7));
    generator::generate(c.path(), small(8));
    const QString first = dump(a.path());
    EXPECT_GT(first.size(), 10000);
    EXPECT_EQ(first, dump(b.path()));
    EXPECT_NE(first, dump(c.path()));
}

// A longer history of the same seed reaches further back and holds the same recent years: the
// same stays in the same rooms, and the same bookings waiting for a room.
TEST(GeneratorTest, ALongerHistoryHoldsTheSameRecentYears) {
    test::TempFolder kurz, lang;
    generator::generate(kurz.path(), small(5));
    generator::Options o = small(5);
    o.years = 5;
    generator::generate(lang.path(), o);
    const auto stays = [](const QString& folder) {
        auto db = Database::open(QDir(folder).absoluteFilePath(QStringLiteral("Lokal.mdb")));
        QStringList out;
        for (Recordset rs = db->openRecordset(QStringLiteral("SELECT Zimmernummer, Von, Bis, Gelöscht FROM tblBelegung WHERE Von >= "
                                                             "#01-01-2023# ORDER BY Zimmernummer, Von, Bis"));
             !rs.eof(); rs.moveNext())
            out << QStringList{rs.value(0).toString(), rs.value(1).toString(), rs.value(2).toString(), rs.value(3).toString()}.join(u'|');
        return out;
    };
    const QStringList recent = stays(kurz.path());
    EXPECT_GT(recent.size(), 500);
    EXPECT_EQ(stays(lang.path()), recent);
}

// The history is one the program could have written: no overlaps, every reference points to a
// row, invoices add up, occupancy about seventy percent.
TEST(GeneratorTest, AHotelHistoryWithoutOverlapsAtAboutSeventyPercent) {
    test::TempFolder tmp;
    generator::Options o = small(3);
    o.rooms = 12;
    o.years = 3;
    const generator::Summary s = generator::generate(tmp.path(), o);
    auto db = Database::open(tmp.file(QStringLiteral("Lokal.mdb")));

    EXPECT_EQ(s.rooms, 12);
    ASSERT_GT(s.payments, 0);
    ASSERT_GT(s.items, 0);
    ASSERT_GT(db->scalar(QStringLiteral("SELECT Count(*) FROM WeitereGäste")).toInt(), 0);
    struct Case {
        const char* label;
        const char* orphans;  // counts the rows whose reference leads nowhere
    };
    const Case cases[] = {
        {"guest of a booking", "SELECT Count(*) FROM tblBelegung WHERE GastID NOT IN (SELECT ID FROM Address)"},
        {"invoice address of a booking",
         "SELECT Count(*) FROM tblBelegung WHERE IDAdressRechnung Is Not Null AND IDAdressRechnung NOT IN (SELECT ID FROM Address)"},
        {"room of a booking", "SELECT Count(*) FROM tblBelegung WHERE Zimmernummer NOT IN (SELECT Zimmernummer FROM tbZimmernummern)"},
        {"booking of an invoice link",
         "SELECT Count(*) FROM tbRechnungen_zu_Posten WHERE IDBelegung <> 0 AND IDBelegung NOT IN (SELECT ID FROM tblBelegung)"},
        {"invoice of an invoice link",
         "SELECT Count(*) FROM tbRechnungen_zu_Posten WHERE IDRechnung NOT IN (SELECT ReNummer FROM tbRechnungen)"},
        {"booking of an item", "SELECT Count(*) FROM tbRePosten WHERE IDBelegung NOT IN (SELECT ID FROM tblBelegung)"},
        {"invoice of a payment", "SELECT Count(*) FROM tbZahlung WHERE IdRechnung NOT IN (SELECT ReNummer FROM tbRechnungen)"},
        {"booking of a further guest", "SELECT Count(*) FROM WeitereGäste WHERE ID_Belegung NOT IN (SELECT ID FROM tblBelegung)"},
        {"departure after arrival", "SELECT Count(*) FROM tblBelegung WHERE Bis <= Von"},
    };
    for (const Case& c : cases) EXPECT_EQ(db->scalar(QString::fromUtf8(c.orphans)).toInt(), 0) << c.label;
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), s.bookings);
    // No two live bookings of one room share a night; the waiting position may overlap.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung AS a INNER JOIN tblBelegung AS b "
                                        "ON a.Zimmernummer = b.Zimmernummer WHERE a.ID < b.ID AND a.Gelöscht = False "
                                        "AND b.Gelöscht = False AND a.Von < b.Bis AND b.Von < a.Bis"))
                  .toInt(),
              0);
    EXPECT_GT(s.waiting, 0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Gelöscht = True")).toInt(), s.waiting);
    // Stays of 1 … 14 nights, nights counted as the program counts them.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE AnzahlÜbernachtungen < 1 OR AnzahlÜbernachtungen > 14 "
                                        "OR AnzahlÜbernachtungen <> DateDiff('d', Von, Bis)"))
                  .toInt(),
              0);
    // Occupancy of the past years, in which every night was bookable.
    const double nights = db->scalar(QStringLiteral("SELECT Sum(AnzahlÜbernachtungen) FROM tblBelegung WHERE Gelöscht = False "
                                                    "AND Bis <= #06-15-2024#"))
                              .toDouble();
    const double available = 12.0 * QDate(2022, 1, 1).daysTo(QDate(2024, 6, 15));
    EXPECT_NEAR(nights / available, 0.70, 0.06);
    // About one new address per two bookings.
    EXPECT_NEAR(double(s.addresses) / s.bookings, 0.55, 0.1);
    // Every booking has its room, guest and kind, so the plan shows all of them.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM ((tblBelegung INNER JOIN tbZimmernummern ON tblBelegung.Zimmernummer = "
                                        "tbZimmernummern.Zimmernummer) INNER JOIN Address ON tblBelegung.GastID = Address.ID) "
                                        "INNER JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID"))
                  .toInt(),
              s.bookings);
    // Settled bookings have an invoice whose total is the stay plus its items and whose payments
    // never exceed it; offers lie ahead only.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Abgerechnet = 1")).toInt(), s.invoices);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen AS r WHERE r.IST_Rechnung = 'R' AND Abs(r.BetragBrutto - "
                                        "(SELECT Sum(b.Preis) FROM tblBelegung AS b INNER JOIN tbRechnungen_zu_Posten AS l ON "
                                        "l.IDBelegung = b.ID WHERE l.IDRechnung = r.ReNummer) - Nz((SELECT Sum(p.MengePo * p.PreisPo) "
                                        "FROM tbRePosten AS p INNER JOIN tbRechnungen_zu_Posten AS l ON l.IDPostenRe = p.IDRePosten "
                                        "WHERE l.IDRechnung = r.ReNummer), 0)) > 0.011"))
                  .toInt(),
              0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen AS r WHERE (SELECT Sum(Betrag) FROM tbZahlung AS z "
                                        "WHERE z.IdRechnung = r.ReNummer) > r.BetragBrutto + 0.001"))
                  .toInt(),
              0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Belegungsart = 4 AND Von <= #06-15-2024#")).toInt(), 0);
    // The settings rows a new database gets, and the display rows of the sample database.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT F1 FROM tblParameter WHERE Satz = 'Räumlichkeiten'")).toString(), QStringLiteral("12"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tbZimmernummern")).toInt(), 13) << "the rooms and the waiting row";
    for (const char* satz : {"Belegungsarten", "Beschriftungen", "Farben", "ZeitDarstellung", "ReNummer", "BeNummer", "Wäsche"})
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM tblParameter WHERE Satz = ?"), {QString::fromUtf8(satz)}).toInt(), 1)
            << satz;
    auto sample = Database::open(tmp.file(QStringLiteral("Beispiel.mdb")));
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT F1 & '/' & F2 & '/' & F3 FROM tblParameter WHERE Satz = 'Räumlichkeiten'")).toString(),
              QStringLiteral("12/10/320"));
    EXPECT_EQ(sample->scalar(QStringLiteral("SELECT F1 & '/' & F2 FROM tblParameter WHERE Satz = 'ZeitDarstellung'")).toString(),
              QStringLiteral("35/2"));
}

TEST(GeneratorTest, RefusesToWriteOverExistingDataAndBadSizes) {
    test::TempFolder tmp;
    generator::generate(tmp.path(), small(1));
    try {
        generator::generate(tmp.path(), small(2));
        FAIL() << "a second run must not add to or overwrite the data";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("enthalten bereits Daten"))) << e.message().toStdString();
    }
    generator::Options none = small(1);
    none.rooms = 0;
    test::TempFolder other;
    EXPECT_THROW(generator::generate(other.path(), none), DatabaseError);
}

TEST(GeneratorTest, TheCommandLineReportsWhatItMadeAndRefusesBadOptions) {
    test::TempFolder tmp;
    const test::Lauf l =
        test::werkzeug({"generate", tmp.path(), "--rooms", "4", "--years", "1", "--until", "31.12.2024", "--today", "2024-06-15"});
    ASSERT_EQ(l.code, 0) << l.err.toStdString();
    const QString bericht = l.out + l.err;
    EXPECT_TRUE(bericht.contains(QStringLiteral("Zeitraum 01.01.2024 bis 31.12.2024"))) << bericht.toStdString();
    EXPECT_TRUE(bericht.contains(QStringLiteral("4 Zimmer"))) << bericht.toStdString();
    const test::Aufruf faelle[] = {
        {"existing data is refused", {"generate", tmp.path()}, 1},
        {"rooms not a number", {"generate", tmp.path(), "--rooms", "viele"}, 2, {}, QStringLiteral("--rooms braucht eine ganze Zahl.")},
        {"no date", {"generate", tmp.path(), "--until", "32.13.2024"}, 2},
        {"unknown option", {"generate", tmp.path(), "--zimmer", "4"}, 2, {}, QStringLiteral("Unbekannte Option --zimmer.")},
    };
    for (const auto& f : faelle) test::pruefe(f);
}
