// The queries that read the history give the same rows through the indexes, the translator's
// rewrite and the kept run of booking numbers as a plain pass over every row does, on a
// generated hotel.

#include <gtest/gtest.h>

#include <QDir>
#include <QSet>
#include <algorithm>

#include "Generator.h"
#include "engine/Database.h"
#include "engine/JetText.h"
#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "reservation/AdrSuchenLogik.h"
#include "reservation/BelegNummern.h"
#include "reservation/CollisionLogik.h"
#include "store/Nummernstand.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

class GeschichteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ordner_ = new test::TempFolder;
        generator::Options o;
        o.rooms = 12;
        o.years = 3;
        o.seed = 7;
        o.until = QDate(2026, 12, 31);
        o.today = QDate(2026, 6, 15);
        generator::generate(ordner_->path(), o);
    }
    static void TearDownTestSuite() {
        delete ordner_;
        ordner_ = nullptr;
    }
    void SetUp() override {
        db_ = Database::open(QDir(ordner_->path()).absoluteFilePath(QStringLiteral("Lokal.mdb")));
        db_->setDurable(false);
    }
    Database& db() { return *db_; }

    static test::TempFolder* ordner_;
    std::unique_ptr<Database> db_;
};
test::TempFolder* GeschichteTest::ordner_ = nullptr;

struct Buchung {
    int id = 0;
    QVariant zimmer;
    QDate von, bis;
    bool geloescht = false;
};

// The first free number by the walk from 1 over every number, as it was written before the
// run was kept.
qint64 vonEinsGelaufen(Database& db) {
    Recordset rs =
        db.openRecordset(QStringLiteral("SELECT distinct BelegNummer From tblBelegung Where BelegNummer <> NULL and "
                                        "belegnummer > 0 ORDER BY tblBelegung.BelegNummer"));
    qint64 kandidat = 1;
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.value(0).toLongLong() > kandidat) break;
        ++kandidat;
    }
    return kandidat;
}

}  // namespace

// Every room without a booking (not deleted) that arrives, leaves or stays across the range is
// free, and the overlap test of a room finds exactly the bookings that start or end strictly
// inside the range, hold its first night or its departure day, for ranges across the whole
// history, the reference day and the future.
TEST_F(GeschichteTest, FreeRoomsAndOverlapsAreWhatAPassOverEveryBookingFinds) {
    QList<int> zimmer;
    for (Recordset rs = db().openRecordset(QStringLiteral("SELECT Zimmernummer FROM tbZimmernummern ORDER BY Zimmernummer")); !rs.eof();
         rs.moveNext())
        zimmer << rs.integer(QStringLiteral("Zimmernummer"));
    // Some bookings deleted, so that the deleted flag decides as well.
    db().execute(QStringLiteral("UPDATE tblBelegung SET Gelöscht = True WHERE ID Mod 17 = 0"));
    QList<Buchung> buchungen;
    for (Recordset rs = db().openRecordset(QStringLiteral("SELECT ID, Zimmernummer, Von, Bis, Gelöscht FROM tblBelegung")); !rs.eof();
         rs.moveNext())
        buchungen.push_back(
            {rs.value(0).toInt(), rs.value(1), rs.value(2).toDate(), rs.value(3).toDate(), rs.yes(QStringLiteral("Gelöscht"))});
    ASSERT_GT(buchungen.size(), 1000);

    ScriptedDialogs dialogs;
    KollisionsErgebnis ergebnis;
    CollisionLogik logik(db(), dialogs, ergebnis);
    const QDate erster(2024, 1, 3);
    int mitFreien = 0, ohneFreie = 0, mitUeberschneidung = 0;
    for (int schritt = 0; schritt < 60; ++schritt) {
        const QDate v = erster.addDays(schritt * 19);
        const QDate b = v.addDays(1 + schritt % 9);
        SCOPED_TRACE(qPrintable(v.toString(Qt::ISODate) + QLatin1Char('/') + b.toString(Qt::ISODate)));
        QSet<int> belegt;
        for (const Buchung& x : buchungen) {
            if (x.geloescht) continue;
            const bool trifft =
                x.von == v || (x.von > v && x.von < b) || (x.von <= v && x.bis >= b) || x.bis == b || (x.bis > v && x.bis < b);
            if (trifft) belegt.insert(x.zimmer.toInt());
        }
        QList<int> erwartet;
        for (int z : zimmer)
            if (!belegt.contains(z)) erwartet << z;
        QList<int> gefunden;
        for (const FreiesZimmer& f : logik.freieZimmer(v, b)) gefunden << f.nummer;
        EXPECT_EQ(gefunden, erwartet);
        (erwartet.isEmpty() ? ohneFreie : mitFreien) += 1;

        const int raum = zimmer[schritt % zimmer.size()];
        QSet<int> ueberschneidend;
        for (const Buchung& x : buchungen)
            if (!x.geloescht && x.zimmer.toInt() == raum &&
                ((x.von > v && x.von < b) || (x.bis > v && x.bis < b) || (v >= x.von && v < x.bis) || (b > x.von && b < x.bis)))
                ueberschneidend.insert(x.id);
        const QList<int> ids = logik.ueberschneidungen(CollisionLogik::Kopf::NeueBuchung, raum, v, b);
        EXPECT_EQ(QSet<int>(ids.begin(), ids.end()), ueberschneidend) << "room " << raum;
        EXPECT_EQ(ids.size(), ueberschneidend.size()) << "each booking once";
        mitUeberschneidung += ueberschneidend.isEmpty() ? 0 : 1;
    }
    EXPECT_GT(mitFreien, 0);
    EXPECT_GT(mitUeberschneidung, 10);
}

// The quick search finds the same addresses as the same statement read by a pass over every
// address (the key's Is Null in parentheses, which the translator leaves as written), for
// several words and every choice of fields, in the order of the last name.
TEST_F(GeschichteTest, QuickSearchFindsWhatAPassOverEveryAddressFinds) {
    ScriptedDialogs dialogs;
    AdrSuchenLogik suche(db(), dialogs);
    const char* woerter[] = {"Ber", "sch", "Mü", "ha", "Bahnhof", "Ka", "xq"};
    const SuchFelder auswahl[] = {
        {true, true, true, true}, {true, false, false, false}, {false, true, false, true}, {false, false, true, false}};
    int mitTreffern = 0;
    for (const char* w : woerter) {
        for (const SuchFelder& f : auswahl) {
            const QString wort = QString::fromUtf8(w);
            SCOPED_TRACE(qPrintable(wort + QStringLiteral(" %1%2%3%4").arg(f.nachname).arg(f.vorname).arg(f.strasse).arg(f.ort)));
            const QList<AdrTreffer> treffer = suche.suchen(wort, f);
            QString sql = QStringLiteral("SELECT Address.ID, Address.LastName FROM Address WHERE ((Address.ID) Is Null)");
            QVariantList params;
            const auto oder = [&](bool an, const char* feld) {
                if (!an) return;
                sql += QStringLiteral(" OR Address.%1 Like ?").arg(QString::fromUtf8(feld));
                params << wort + QLatin1Char('*');
            };
            oder(f.vorname, "FirstName");
            oder(f.nachname, "Lastname");
            oder(f.strasse, "Address");
            oder(f.ort, "City");
            QList<int> erwartet;
            for (Recordset rs = db().openRecordset(sql, params); !rs.eof(); rs.moveNext()) erwartet << rs.integer(QStringLiteral("ID"));
            QList<int> gefunden;
            for (const AdrTreffer& t : treffer) gefunden << t.id;
            for (qsizetype i = 1; i < treffer.size(); ++i)
                EXPECT_LE(jettext::compare(treffer[i - 1].nachname, treffer[i].nachname), 0) << "sorted by last name";
            std::sort(erwartet.begin(), erwartet.end());
            std::sort(gefunden.begin(), gefunden.end());
            EXPECT_EQ(gefunden, erwartet);
            if (!gefunden.isEmpty()) ++mitTreffern;
        }
    }
    EXPECT_GT(mitTreffern, 10);
}

// The next free number equals the walk from 1 over every number, on the generated numbers and
// after every kind of change: numbers given back in the middle and at the start, a gap filled,
// a number doubled and one of the two given back, numbers changed and cleared.
TEST_F(GeschichteTest, NextFreeNumberEqualsTheWalkOverEveryNumberAfterEveryChange) {
    const qint64 hoechste = db().scalar(QStringLiteral("SELECT Max(BelegNummer) FROM tblBelegung")).toLongLong();
    ASSERT_GT(hoechste, 1000);
    struct Schritt {
        const char* label;
        QString sql;
    };
    const QString h = QString::number(hoechste);
    const Schritt schritte[] = {
        {"generated", QString()},
        {"a number in the middle deleted", QStringLiteral("DELETE * FROM tblBelegung WHERE BelegNummer = 500")},
        {"a lower one deleted", QStringLiteral("DELETE * FROM tblBelegung WHERE BelegNummer = 200")},
        {"the lower gap filled", QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, BelegNummer) VALUES (1, 200)")},
        {"the other gap filled", QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, BelegNummer) VALUES (1, 500)")},
        {"a number doubled", QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, BelegNummer) VALUES (1, 300)")},
        {"one of the doubled deleted", QStringLiteral("DELETE * FROM tblBelegung WHERE ID = (SELECT Max(ID) FROM tblBelegung)")},
        {"a number changed away",
         QStringLiteral("UPDATE tblBelegung SET BelegNummer = ") + h + QStringLiteral(" + 5 WHERE BelegNummer = 42")},
        {"the number changed back",
         QStringLiteral("UPDATE tblBelegung SET BelegNummer = 42 WHERE BelegNummer = ") + h + QStringLiteral(" + 5")},
        {"a number cleared", QStringLiteral("UPDATE tblBelegung SET BelegNummer = Null WHERE BelegNummer = 7")},
        {"numbers after the top",
         QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, BelegNummer) VALUES (1, ") + h + QStringLiteral(" + 2)")},
        {"the cleared one given again",
         QStringLiteral("UPDATE tblBelegung SET BelegNummer = 7 WHERE BelegNummer Is Null AND Zimmernummer > 0")},
        {"the first number deleted", QStringLiteral("DELETE * FROM tblBelegung WHERE BelegNummer = 1")},
        {"every booking deleted", QStringLiteral("DELETE * FROM tblBelegung")},
        {"one booking numbered 1", QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, BelegNummer) VALUES (1, 1)")},
    };
    QSet<qint64> gesehen;
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(s.label);
        if (!s.sql.isEmpty()) db().execute(s.sql);
        const qint64 gelaufen = vonEinsGelaufen(db());
        EXPECT_EQ(BelegNummern::naechste(db(), true), gelaufen);
        EXPECT_EQ(nummernstand::lueckenlosBis(db(), nummernstand::kBelegNummern), gelaufen - 1)
            << "the kept run is exact, not only a lower bound";
        gesehen.insert(gelaufen);
    }
    EXPECT_GE(gesehen.size(), 5) << "the steps move the first gap";
}

// The next document key with reuse equals the walk from 1 over every key, on the generated
// documents and after keys are given back, filled again, moved and all deleted.
TEST_F(GeschichteTest, NextDocumentKeyEqualsTheWalkOverEveryKeyAfterEveryChange) {
    const auto gelaufen = [&] {
        qint64 kandidat = 1;
        for (Recordset rs = db().openRecordset(QStringLiteral("SELECT ReNummer FROM tbRechnungen WHERE ReNummer > 0 ORDER BY ReNummer"));
             !rs.eof() && rs.value(0).toLongLong() == kandidat; rs.moveNext())
            ++kandidat;
        return kandidat;
    };
    ASSERT_GT(gelaufen(), 100) << "the generated documents run from 1";
    const struct {
        const char* label;
        const char* sql;
    } schritte[] = {
        {"generated", nullptr},
        {"a key in the middle deleted", "DELETE * FROM tbRechnungen WHERE ReNummer = 50"},
        {"a lower one deleted", "DELETE * FROM tbRechnungen WHERE ReNummer = 20"},
        {"the lower gap filled", "INSERT INTO tbRechnungen (ReNummer, IST_Rechnung) VALUES (20, 'R')"},
        {"a key moved into the other gap",
         "UPDATE tbRechnungen SET ReNummer = 50 WHERE ReNummer = (SELECT Max(ReNummer) FROM tbRechnungen)"},
        {"the first key deleted", "DELETE * FROM tbRechnungen WHERE ReNummer = 1"},
        {"every document deleted", "DELETE * FROM tbRechnungen"},
        {"one document keyed 1", "INSERT INTO tbRechnungen (ReNummer, IST_Rechnung) VALUES (1, 'B')"},
    };
    ScriptedDialogs dialogs;
    clsRechnung r(db(), dialogs);
    for (const auto& s : schritte) {
        SCOPED_TRACE(s.label);
        if (s.sql) db().execute(QString::fromUtf8(s.sql));
        EXPECT_EQ(r.naechsteReNummer(true), gelaufen());
        EXPECT_EQ(nummernstand::lueckenlosBis(db(), nummernstand::kReNummern), gelaufen() - 1) << "the kept run is exact";
    }
}
