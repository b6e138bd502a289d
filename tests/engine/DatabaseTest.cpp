#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <memory>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/JetTypes.h"
#include "support/FremdeSperre.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

std::unique_ptr<Database> scratch(test::TempFolder& tmp) {
    auto db = Database::create(tmp.file(QStringLiteral("t.mdb")));
    TableDef t;
    t.name = QStringLiteral("Gäste");
    t.fields = {FieldDef::autoNumber(QStringLiteral("ID")), FieldDef::text(QStringLiteral("LastName")),
                FieldDef::of(QStringLiteral("Stammgast"), JetType::Boolean), FieldDef::of(QStringLiteral("Von"), JetType::Date),
                FieldDef::of(QStringLiteral("Preis"), JetType::Double)};
    db->createTable(t);
    return db;
}

}  // namespace

TEST(DatabaseTest, PasswordIsRequiredAndCheckedAndMissingFilesAreNamed) {
    test::TempFolder tmp;
    scratch(tmp);
    EXPECT_NO_THROW(Database::open(tmp.file(QStringLiteral("t.mdb")), QStringLiteral(";PWD=5h194x28")));
    try {
        Database::open(tmp.file(QStringLiteral("t.mdb")), QStringLiteral(";PWD=falsch"));
        FAIL() << "a wrong password must be refused";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Kein gültiges Kennwort."));
    }
    EXPECT_THROW(Database::open(tmp.file(QStringLiteral("t.mdb")), QString()), DatabaseError);
    try {
        Database::open(tmp.file(QStringLiteral("fehlt.mdb")));
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("fehlt.mdb")));
    }
    EXPECT_THROW(Database::create(tmp.file(QStringLiteral("t.mdb"))), DatabaseError) << "create never overwrites";
}

TEST(DatabaseTest, CountersNeverReuseADeletedKeyAndYesNoIsAlwaysMinusOneOrZero) {
    test::TempFolder tmp;
    auto db = scratch(tmp);
    for (const char* name : {"Adler", "Bauer", "Clausen"})
        db->execute(QStringLiteral("INSERT INTO Gäste (LastName) VALUES (?)"), {QString::fromLatin1(name)});
    EXPECT_EQ(db->execute(QStringLiteral("DELETE * FROM Gäste WHERE ID = 3")), 1);
    db->execute(QStringLiteral("INSERT INTO Gäste (LastName, Stammgast) VALUES ('Dorn', 1)"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Max(ID) FROM Gäste")).toInt(), 4);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Stammgast FROM Gäste WHERE ID = 4")).toInt(), -1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Stammgast FROM Gäste WHERE ID = 1")).toInt(), 0) << "Yes/No defaults to No";

    db->execute(QStringLiteral("UPDATE Gäste SET Stammgast = 7 WHERE ID = 1"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Stammgast FROM Gäste WHERE ID = 1")).toInt(), -1);
    db->execute(QStringLiteral("UPDATE Gäste SET Stammgast = Null WHERE ID = 1"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Stammgast FROM Gäste WHERE ID = 1")).toInt(), 0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE Stammgast = True")).toInt(), 1);
}

TEST(DatabaseTest, TextComparesAndSortsWithoutRegardToCaseInGermanOrder) {
    test::TempFolder tmp;
    auto db = scratch(tmp);
    for (const char* name : {"Birne", "Äpfel", "Müller", "Zander", "apfel", "MÜLLER", "Muller", "Straße"})
        db->execute(QStringLiteral("INSERT INTO Gäste (LastName) VALUES (?)"), {QString::fromUtf8(name)});
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE LastName = 'Müller'")).toInt(), 2);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE LastName = ?"), {QStringLiteral("müller")}).toInt(), 2);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE LastName Like 'mü*'")).toInt(), 2);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE LastName Like 'STRASSE'")).toInt(), 0)
        << "Like folds case, it does not expand ß";

    Recordset rs = db->openRecordset(QStringLiteral("SELECT LastName FROM Gäste ORDER BY LastName"));
    QStringList order;
    for (; !rs.eof(); rs.moveNext()) order << rs.text(QStringLiteral("lastname"));
    ASSERT_EQ(order.size(), 8);
    EXPECT_EQ(order.mid(0, 2).join(QLatin1Char(',')).toLower(), QStringLiteral("apfel,äpfel"));
    EXPECT_EQ(order[2], QStringLiteral("Birne"));
    EXPECT_EQ(order[3], QStringLiteral("Muller"));
    EXPECT_EQ(order.mid(4, 2).join(QLatin1Char(',')).toLower(), QStringLiteral("müller,müller"));
    EXPECT_EQ(order[6], QStringLiteral("Straße"));
    EXPECT_EQ(order[7], QStringLiteral("Zander"));
}

TEST(DatabaseTest, DatesAmountsAndNullsKeepTheirMeaning) {
    test::TempFolder tmp;
    auto db = scratch(tmp);
    db->execute(QStringLiteral("INSERT INTO Gäste (LastName, Von, Preis) VALUES ('A', #02-03-2007#, 1234.5)"));
    db->execute(QStringLiteral("INSERT INTO Gäste (LastName, Von) VALUES ('B', ?)"), {QDate(2024, 12, 31)});
    db->execute(QStringLiteral("INSERT INTO Gäste (LastName) VALUES ('C')"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Von FROM Gäste WHERE LastName = 'A'")).toDate(), QDate(2007, 2, 3));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Preis FROM Gäste WHERE LastName = 'A'")).toDouble(), 1234.5);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE Von <= #12-31-2024#")).toInt(), 2);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE Von = CDate('31.12.2024')")).toInt(), 1);
    const QVariant missing = db->scalar(QStringLiteral("SELECT Von FROM Gäste WHERE LastName = 'C'"));
    EXPECT_TRUE(missing.isNull());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE Von = Null")).toInt(), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE Von <> Null")).toInt(), 2);
}

TEST(DatabaseTest, BadStatementsGiveGermanErrorsNotCrashes) {
    test::TempFolder tmp;
    auto db = scratch(tmp);
    EXPECT_THROW(db->openRecordset(QStringLiteral("SELECT * FROM Fehlt")), DatabaseError);
    EXPECT_THROW(db->openRecordset(QStringLiteral("SELECT 'offen FROM Gäste")), DatabaseError);
    EXPECT_THROW(db->execute(QStringLiteral("SELEKT 1")), DatabaseError);
    try {
        db->openRecordset(QStringLiteral("SELECT Unbekannt FROM Gäste"));
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Das Feld 'Unbekannt' ist unbekannt.")));
    }
}

// A column of keys read straight from the statement: the rows and order of the Recordset of
// the same statement, Null as 0, and a failure while reading as a German error.
TEST(DatabaseTest, AColumnOfKeysHoldsTheRowsOfTheRecordsetAndFailsInGerman) {
    test::TempFolder tmp;
    auto db = scratch(tmp);
    for (const char* name : {"Müller", "meier", "Zander", "Mahler", "Adam"})
        db->execute(QStringLiteral("INSERT INTO Gäste (LastName, Preis) VALUES (?, Null)"), {QString::fromUtf8(name)});
    const struct {
        const char* label;
        const char* sql;
        QVariantList werte;
    } faelle[] = {
        {"all, by name", "SELECT ID FROM Gäste ORDER BY LastName", {}},
        {"a range with a parameter, descending", "SELECT ID FROM Gäste WHERE LastName >= ? ORDER BY LastName DESC", {QStringLiteral("m")}},
        {"nothing", "SELECT ID FROM Gäste WHERE ID < 0", {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.label);
        const QString sql = QString::fromUtf8(f.sql);
        QList<qint64> erwartet;
        for (Recordset rs = db->openRecordset(sql, f.werte); !rs.eof(); rs.moveNext()) erwartet << rs.value(0).toLongLong();
        EXPECT_EQ(db->integerColumn(sql, f.werte), erwartet);
    }
    EXPECT_EQ(db->integerColumn(QStringLiteral("SELECT ID FROM Gäste WHERE LastName >= ? ORDER BY LastName"), {QStringLiteral("m")}).size(),
              4);
    EXPECT_EQ(db->integerColumn(QStringLiteral("SELECT Preis FROM Gäste WHERE LastName = 'Adam'")), QList<qint64>{0});
    try {
        db->integerColumn(QStringLiteral("SELECT ID FROM Gäste WHERE LastName Like ?"), {QString(60000, QLatin1Char('a'))});
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Das Muster für Like ist zu lang."))) << e.message().toStdString();
    }
    EXPECT_EQ(db->integerColumn(QStringLiteral("SELECT Count(*) FROM Gäste")), QList<qint64>{5}) << "the statement is usable again";
}

TEST(DatabaseTest, TableDefinitionsCanBeReadAndExtended) {
    test::TempFolder tmp;
    auto db = scratch(tmp);
    db->addField(QStringLiteral("gäste"), FieldDef::text(QStringLiteral("Zahlart"), 50));
    db->addField(QStringLiteral("Gäste"), FieldDef::of(QStringLiteral("Frühstück"), JetType::Boolean));
    EXPECT_THROW(db->addField(QStringLiteral("Gäste"), FieldDef::text(QStringLiteral("zahlart"))), DatabaseError);
    const auto def = db->tableDef(QStringLiteral("GÄSTE"));
    ASSERT_TRUE(def.has_value());
    EXPECT_EQ(def->name, QStringLiteral("Gäste"));
    const FieldDef* zahlart = def->field(QStringLiteral("zahlart"));
    ASSERT_NE(zahlart, nullptr);
    EXPECT_EQ(zahlart->type, JetType::Text);
    EXPECT_EQ(zahlart->size, 50);
    EXPECT_TRUE(zahlart->allowZeroLength);
    EXPECT_TRUE(def->field(QStringLiteral("ID"))->counter);
    EXPECT_EQ(def->field(QStringLiteral("Von"))->type, JetType::Date);
    EXPECT_EQ(def->field(QStringLiteral("Stammgast"))->type, JetType::Boolean);
    // The new Yes/No field normalises like the others.
    db->execute(QStringLiteral("INSERT INTO Gäste (LastName, Frühstück) VALUES ('X', 1)"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Frühstück FROM Gäste")).toInt(), -1);
}

TEST(DatabaseTest, RepairChecksAndCompactWritesACopy) {
    test::TempFolder tmp;
    {
        auto db = scratch(tmp);
        db->execute(QStringLiteral("INSERT INTO Gäste (LastName) VALUES ('A')"));
    }
    EXPECT_NO_THROW(Database::repair(tmp.file(QStringLiteral("t.mdb"))));
    Database::compact(tmp.file(QStringLiteral("t.mdb")), tmp.file(QStringLiteral("k.mdb")));
    auto copy = Database::open(tmp.file(QStringLiteral("k.mdb")));
    EXPECT_EQ(copy->scalar(QStringLiteral("SELECT LastName FROM Gäste")).toString(), QStringLiteral("A"));
    EXPECT_THROW(Database::compact(tmp.file(QStringLiteral("t.mdb")), tmp.file(QStringLiteral("k.mdb"))), DatabaseError);
}

// A file that is no database is refused and left exactly as it was, whichever call meets it.
TEST(DatabaseTest, AFileThatIsNoDatabaseIsRefusedAndNeverWritten) {
    test::TempFolder tmp;
    const QString path = tmp.file(QStringLiteral("kaputt.mdb"));
    const QByteArray inhalt = QByteArray("Dies ist keine Datenbank.\n").repeated(200);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"open", [&] { Database::open(path); }},
        {"create", [&] { Database::create(path); }},
        {"repair", [&] { Database::repair(path); }},
        {"compact", [&] { Database::compact(path, tmp.file(QStringLiteral("kopie.mdb"))); }},
    };
    for (const auto& [label, call] : calls) {
        SCOPED_TRACE(label);
        EXPECT_THROW(call(), DatabaseError);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), inhalt);
    }
    EXPECT_FALSE(QFile::exists(tmp.file(QStringLiteral("kopie.mdb"))));
}

TEST(DatabaseTest, AFailedStatementNamesItsFileAndTheLockedFileAndKeepsTheStatementOutOfTheReason) {
    test::TempFolder tmp;
    scratch(tmp);
    const QString daten = tmp.file(QStringLiteral("t.mdb"));
    auto link = Database::create(tmp.file(QStringLiteral("l.mdb")));
    link->createLink(QStringLiteral("Gäste"), ConnectString::make(daten));
    test::FremdeSperre::kurzWarten(*link);

    struct Fall {
        const char* name;
        QString sql;
        bool sperren;
        QString datei;
        int code;
        QString grund;
    };
    const QString gesperrt =
        QStringLiteral("Die Datenbank wird gerade von einem anderen Benutzer gesperrt. Bitte versuchen Sie es erneut.");
    const QList<Fall> faelle = {
        {"reading a linked table its file's owner locked", QStringLiteral("SELECT * FROM Gäste"), true, daten, SQLITE_BUSY, gesperrt},
        {"writing it", QStringLiteral("UPDATE Gäste SET LastName = 'x'"), true, daten, SQLITE_BUSY, gesperrt},
        {"a statement SQLite refuses", QStringLiteral("SELECT Gäste.ID FROM Gäste GROUP BY LastName HAVING"), false, link->path(), 0, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        std::unique_ptr<test::FremdeSperre> sperre;
        if (f.sperren) sperre = std::make_unique<test::FremdeSperre>(QStringList{daten});
        try {
            if (f.sql.startsWith(QLatin1String("UPDATE")))
                link->execute(f.sql);
            else
                link->openRecordset(f.sql);
            ADD_FAILURE() << "no error";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.file(), f.datei);
            if (f.code) {
                EXPECT_EQ(e.code() & 0xff, f.code);
            }
            if (!f.grund.isEmpty()) {
                EXPECT_EQ(e.reason(), f.grund);
            }
            EXPECT_FALSE(e.reason().contains(QStringLiteral("Abfrage: "))) << e.reason().toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("Abfrage: "))) << "the whole text keeps the statement for the log";
        }
    }
    // Finding the locked file leaves the waiting time as it was.
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(link->handle(), "PRAGMA busy_timeout", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 20);
    sqlite3_finalize(st);
    EXPECT_EQ(link->scalar(QStringLiteral("SELECT Count(*) FROM Gäste")).toInt(), 0) << "readable again once the lock is gone";
}
