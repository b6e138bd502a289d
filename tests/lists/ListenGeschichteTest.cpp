// The booking list gives the same rows through its indexes and prefix ranges as the plain
// statements that read every row, on a generated hotel: the recompute of Abg_Temp after every
// kind of stale value, and the column filters of names, towns, rooms and wildcards.

#include <gtest/gtest.h>

#include <QDir>
#include <QMap>

#include "Generator.h"
#include "engine/Database.h"
#include "lists/Listenspalten.h"
#include "lists/SuchenLogik.h"
#include "lists/Tageslisten.h"
#include "platform/ScriptedDialogs.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

class ListenGeschichteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ordner_ = new test::TempFolder;
        generator::Options o;
        o.rooms = 12;
        o.years = 3;
        o.seed = 11;
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

    // Every kind of stored value the recompute meets: Null, the two words in other cases, a
    // foreign word, "Ja" on open bookings and "Nein" on settled ones; items waiting, open, Null
    // and "ja"; some settled bookings opened again and some open ones deleted.
    void verstellen() {
        Transaction t(db());
        db().execute(QStringLiteral("UPDATE tblBelegung SET Abg_Temp = 'Ja'"));
        setzen(QStringLiteral("tblBelegung SET Abg_Temp = ? WHERE ID"),
               {{nullptr, 7}, {"nein", 11}, {"JA", 13}, {"Nein", 17}, {"x", 19}, {"Ja", 23}});
        db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 0 WHERE ID Mod 29 = 0"));
        db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID Mod 31 = 0"));
        db().execute(QStringLiteral("UPDATE tblBelegung SET Gelöscht = True WHERE ID Mod 37 = 0"));
        db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja'"));
        setzen(QStringLiteral("tbRePosten SET AbgerechnetPo = ? WHERE IDRePosten"),
               {{"Warten", 5}, {"Nein", 9}, {nullptr, 19}, {"ja", 23}});
        t.commit();
    }

    // "UPDATE <was> Mod teiler = 0" for each value and divisor; a null value writes Null.
    void setzen(const QString& was, std::initializer_list<std::pair<const char*, int>> werte) {
        for (const auto& [wert, teiler] : werte)
            db().execute(QStringLiteral("UPDATE ") + was + QStringLiteral(" Mod ? = 0"),
                         {wert ? QVariant(QString::fromLatin1(wert)) : QVariant(), teiler});
    }

    // The recompute as two statements over every booking.
    void ueberAlleNeuBerechnen() {
        const QString offen = QStringLiteral(
            "((tblBelegung.Abgerechnet = 0 AND tblBelegung.Gelöscht = False AND tblBelegung.Belegungsart NOT IN "
            "(SELECT BelegungsID FROM tbBelegArten WHERE BelegungsArt Like 'Angebot' AND BelegungsID Is Not Null))"
            " OR tblBelegung.ID IN (SELECT IDBelegung FROM tbRePosten WHERE AbgerechnetPo <> 'Ja' AND IDBelegung Is Not Null))");
        Transaction t(db());
        db().execute(QStringLiteral("UPDATE tblBelegung SET Abg_Temp = 'Nein' WHERE ") + offen +
                     QStringLiteral(" AND (Abg_Temp Is Null OR Abg_Temp <> 'Nein')"));
        db().execute(QStringLiteral("UPDATE tblBelegung SET Abg_Temp = 'Ja' WHERE NOT ") + offen +
                     QStringLiteral(" AND (Abg_Temp Is Null OR Abg_Temp <> 'Ja')"));
        t.commit();
    }

    QMap<int, QVariant> abgTemp() {
        QMap<int, QVariant> m;
        for (Recordset rs = db().openRecordset(QStringLiteral("SELECT ID, Abg_Temp FROM tblBelegung")); !rs.eof(); rs.moveNext())
            m.insert(rs.value(0).toInt(), rs.value(1));
        return m;
    }

    static test::TempFolder* ordner_;
    std::unique_ptr<Database> db_;
};
test::TempFolder* ListenGeschichteTest::ordner_ = nullptr;

}  // namespace

TEST_F(ListenGeschichteTest, AbgTempIsWhatTheStatementsOverEveryBookingGive) {
    ScriptedDialogs dialogs;
    SuchenLogik logik(db(), dialogs);

    verstellen();
    ueberAlleNeuBerechnen();
    const QMap<int, QVariant> erwartet = abgTemp();
    ASSERT_GT(erwartet.size(), 1000);
    int nein = 0, ja = 0;
    for (const QVariant& v : erwartet) {
        ASSERT_FALSE(v.isNull());
        (v.toString().compare(QStringLiteral("nein"), Qt::CaseInsensitive) == 0 ? nein : ja)++;
    }
    EXPECT_GT(nein, 100) << "open bookings and open items";
    EXPECT_GT(ja, 1000);

    verstellen();
    logik.abgTempNeuBerechnen();
    EXPECT_EQ(abgTemp(), erwartet) << "the same value, and the same spelling left where it already meant the same";

    // Nothing stale: a second recompute changes nothing, and a booking settled in between
    // turns to "Ja".
    logik.abgTempNeuBerechnen();
    EXPECT_EQ(abgTemp(), erwartet);
    const int offen = db().scalar(QStringLiteral("SELECT Min(ID) FROM tblBelegung WHERE Abg_Temp = 'Nein' AND ID NOT IN "
                                                 "(SELECT IDBelegung FROM tbRePosten WHERE IDBelegung Is Not Null)"))
                          .toInt();
    ASSERT_GT(offen, 0);
    db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID = ?"), {offen});
    logik.abgTempNeuBerechnen();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Abg_Temp FROM tblBelegung WHERE ID = ?"), {offen}), QVariant(QStringLiteral("Ja")));
}

TEST_F(ListenGeschichteTest, ColumnFiltersGiveTheRowsOfTheirLikeOverEveryBooking) {
    ScriptedDialogs dialogs;
    SuchenLogik logik(db(), dialogs);
    const QStringList k = listen::vorgabeBeschriftungen(QStringLiteral("Zimmer"), QStringLiteral("Art"));
    const QDate heute(2026, 6, 15);
    const int alle = db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt();
    struct Fall {
        const char* label;
        int spalte;
        QString text;
    };
    const Fall faelle[] = {
        {"last name", 8, "Sch"},
        {"last name in lower case", 8, "sch"},
        {"last name with an umlaut", 8, "Mü"},
        {"umlaut written in capitals", 8, "MÜL"},
        {"base letter of an umlaut", 8, "Mu"},
        {"a whole name", 8, "Müller"},
        {"wildcard inside", 8, "M*er"},
        {"percent as wildcard", 8, "Sch%der"},
        {"wildcard first", 8, "*mann"},
        {"first name", 7, "An"},
        {"town", 12, "Ber"},
        {"street", 10, "Haupt"},
        {"company, mostly empty", 9, "Rei"},
        {"room", 6, "1"},
        {"kind", 17, "Stamm"},
        {"checked-in text", 1, "J"},
        {"no such name", 8, "Qxz"},
    };
    int mitTreffern = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.label);
        Listenabfrage a;
        a.filter = QStringList(listen::kSpalten, QString());
        a.filter[f.spalte - 1] = f.text;
        const QList<int> gefunden = logik.ids(a, k, heute);

        const listen::Spalte& s = listen::spalten()[std::size_t(f.spalte - 1)];
        const QString feld = QString::fromUtf8(s.filter);
        const QString bedingung = s.art == listen::FilterArt::TextOderLeer ? QStringLiteral("(%1 Like ? OR %1 Is Null)").arg(feld)
                                                                           : feld + QStringLiteral(" Like ?");
        QString muster = f.text;
        muster.replace(QLatin1Char('%'), QLatin1Char('*'));
        const QString sql = QStringLiteral("SELECT tblBelegung.ID") + listen::vonKlausel() + QStringLiteral(" WHERE ") + bedingung +
                            QStringLiteral(" ORDER BY tblBelegung.Von, tblBelegung.ID");
        QList<int> erwartet;
        for (Recordset rs = db().openRecordset(sql, {muster + QLatin1Char('*')}); !rs.eof(); rs.moveNext()) erwartet << rs.value(0).toInt();
        EXPECT_EQ(gefunden, erwartet);
        if (!gefunden.isEmpty() && gefunden.size() < alle) ++mitTreffern;
    }
    EXPECT_GE(mitTreffern, 12) << "most cases choose some bookings, not none or all";
}

// The breakfast list of a day holds the bookings the plain statement over every booking gives,
// in its order: days across the history, the reference day, a day of the future and a day
// after the last booking.
TEST_F(ListenGeschichteTest, BreakfastListHoldsTheBookingsOfTheStatementOverEveryBooking) {
    ScriptedDialogs dialogs;
    Tageslisten listen(db(), dialogs, {});
    const QDate heute(2026, 6, 15);
    int mitGaesten = 0;
    for (const QDate& d : {QDate(2024, 1, 3), QDate(2024, 8, 1), QDate(2025, 12, 31), heute, QDate(2026, 9, 9), QDate(2027, 3, 1)}) {
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        QList<int> gefunden;
        for (const auto& satz : listen.erstellen(Tagesliste::Fruehstueck, d, heute).saetze)
            gefunden << satz.value(QStringLiteral("ID")).toInt();
        QList<int> erwartet;
        for (Recordset rs =
                 db().openRecordset(QStringLiteral("SELECT tblBelegung.ID") + listen::vonKlausel(true) +
                                        QStringLiteral(" WHERE tblBelegung.Frühstück = True AND tblBelegung.Gelöscht = False AND "
                                                       "(tbBelegArten.BelegungsArt Is Null OR tbBelegArten.BelegungsArt <> 'Angebot') AND "
                                                       "(tblBelegung.Bis = ? OR (tblBelegung.Von < ? AND tblBelegung.Bis > ?))"
                                                       " ORDER BY tbZimmernummern.NeueNummer, tblBelegung.ID"),
                                    {d, d, d});
             !rs.eof(); rs.moveNext())
            erwartet << rs.value(0).toInt();
        EXPECT_EQ(gefunden, erwartet);
        if (!erwartet.isEmpty()) ++mitGaesten;
    }
    EXPECT_GE(mitGaesten, 4);
}
