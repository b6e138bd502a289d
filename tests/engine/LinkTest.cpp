#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <thread>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "store/Datenbankdateien.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class LinkTest : public test::DatabaseFixture {};

TEST_F(LinkTest, EveryTableIsReachedThroughTheLinkDatabaseAndWritesLandInItsFile) {
    db().execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname) VALUES ('Huber', 'Anna')"));
    db().execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('85,00')"));
    const int id = db().scalar(QStringLiteral("SELECT ID FROM Address WHERE Lastname = 'huber'")).toInt();
    db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID) VALUES (1, #05-01-2024#, #05-03-2024#, ?)"),
                 {id});
    Recordset rs = db().openRecordset(
        QStringLiteral("SELECT tblBelegung.ID, Address.Lastname FROM tblBelegung INNER JOIN Address ON tblBelegung.GastID = Address.ID"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.text(QStringLiteral("lastname")), QStringLiteral("Huber"));

    // The rows are in the files the links point to, not in the link database.
    auto central = open(QStringLiteral("Zentral.mdb"));
    auto working = open(QStringLiteral("Tavomera.mdb"));
    EXPECT_EQ(central->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), 1);
    EXPECT_EQ(working->scalar(QStringLiteral("SELECT Tarif FROM tblTarife")).toString(), QStringLiteral("85,00"));
    // The working database reaches the central bookings and addresses through its own links.
    EXPECT_EQ(
        working->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung INNER JOIN Address ON tblBelegung.GastID = Address.ID")).toInt(),
        1);
    const auto def = db().tableDef(QStringLiteral("tblbelegung"));
    ASSERT_TRUE(def && def->isLinked());
    EXPECT_TRUE(def->connect.contains(QStringLiteral("Zentral.mdb")));
    EXPECT_TRUE(def->connect.endsWith(QStringLiteral(";PWD=5h194x28")));
}

TEST_F(LinkTest, ARefreshedLinkPointsToTheNewFile) {
    db().execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('1,00')"));
    // A second working database with its own tariff.
    test::TempFolder other;
    dbfiles::createInstallation(other.path());
    {
        auto w2 = Database::open(other.file(QStringLiteral("Tavomera.mdb")));
        w2->execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('2,00')"));
    }
    db().refreshLink(QStringLiteral("tblTarife"), ConnectString::make(other.file(QStringLiteral("Tavomera.mdb"))));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Tarif FROM tblTarife")).toString(), QStringLiteral("2,00"));
    // Reopened, the link still points there.
    db_.reset();
    db_ = Database::open(file(QStringLiteral("Lokal.mdb")));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Tarif FROM tblTarife")).toString(), QStringLiteral("2,00"));
    EXPECT_TRUE(db().tableDef(QStringLiteral("tblTarife"))->connect.contains(other.path()));

    // A link to a file without the table is refused and stays as it was.
    EXPECT_THROW(db().refreshLink(QStringLiteral("tblTarife"), ConnectString::make(file(QStringLiteral("Zentral.mdb")))), DatabaseError);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Tarif FROM tblTarife")).toString(), QStringLiteral("2,00"));
}

TEST_F(LinkTest, AMissingSourceFileMakesOnlyItsTablesFail) {
    db_.reset();
    ASSERT_TRUE(QFile::remove(file(QStringLiteral("Zentral.mdb"))));
    db_ = Database::open(file(QStringLiteral("Lokal.mdb")));
    EXPECT_NO_THROW(db().openRecordset(QStringLiteral("SELECT * FROM tblTarife")));
    try {
        db().openRecordset(QStringLiteral("SELECT ID FROM tblBelegung"));
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Zentral.mdb")));
    }
}

TEST_F(LinkTest, ARolledBackTransactionLeavesBothFilesUnchanged) {
    db().beginTrans();
    db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer) VALUES (1)"));
    db().execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('3,00')"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), 1);
    db().rollback();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblTarife")).toInt(), 0);
    EXPECT_EQ(open(QStringLiteral("Zentral.mdb"))->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), 0);
    EXPECT_EQ(open(QStringLiteral("Tavomera.mdb"))->scalar(QStringLiteral("SELECT Count(*) FROM tblTarife")).toInt(), 0);

    {
        Transaction t(db());
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer) VALUES (2)"));
        db().execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('4,00')"));
        t.commit();
    }
    EXPECT_EQ(open(QStringLiteral("Zentral.mdb"))->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), 1);
    EXPECT_EQ(open(QStringLiteral("Tavomera.mdb"))->scalar(QStringLiteral("SELECT Count(*) FROM tblTarife")).toInt(), 1);
    {
        Transaction t(db());  // left without commit: rolled back
        db().execute(QStringLiteral("DELETE * FROM tblTarife"));
    }
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblTarife")).toInt(), 1);
}

TEST_F(LinkTest, FieldsAddedToALinkedTableLandInItsSourceAndNewLinksCanBeMade) {
    db().addField(QStringLiteral("tblBelegung"), FieldDef::text(QStringLiteral("Neu"), 50));
    EXPECT_TRUE(open(QStringLiteral("Zentral.mdb"))->tableDef(QStringLiteral("tblBelegung"))->field(QStringLiteral("Neu")));

    {
        auto working = open(QStringLiteral("Tavomera.mdb"));
        TableDef t;
        t.name = QStringLiteral("tbKurz");
        t.fields = {FieldDef::autoNumber(QStringLiteral("IDKurz")), FieldDef::text(QStringLiteral("Text"))};
        working->createTable(t);
    }
    EXPECT_FALSE(db().hasTableDef(QStringLiteral("tbKurz")));
    db().createLink(QStringLiteral("tbKurz"), ConnectString::make(file(QStringLiteral("Tavomera.mdb"))));
    EXPECT_TRUE(db().hasTableDef(QStringLiteral("TBKURZ")));
    db().execute(QStringLiteral("INSERT INTO tbKurz ([Text]) VALUES ('x')"));
    EXPECT_EQ(open(QStringLiteral("Tavomera.mdb"))->scalar(QStringLiteral("SELECT Count(*) FROM tbKurz")).toInt(), 1);
    EXPECT_THROW(db().createLink(QStringLiteral("tbKurz"), ConnectString::make(file(QStringLiteral("Tavomera.mdb")))), DatabaseError);
}

TEST_F(LinkTest, AWriteLockHoldsOnlyTheFileOfItsTable) {
    auto other = Database::open(file(QStringLiteral("Lokal.mdb")));
    db().beginWrite(QStringLiteral("tblBelegung"));
    // Another connection may write the working file at once …
    QElapsedTimer timer;
    timer.start();
    {
        Transaction t(*other, QStringLiteral("tblTarife"));
        other->execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('5,00')"));
        t.commit();
    }
    EXPECT_LT(timer.elapsed(), 2000);
    // … but waits for the central file until the first one commits.
    std::thread second([&] {
        auto third = Database::open(file(QStringLiteral("Lokal.mdb")));
        QElapsedTimer waited;
        waited.start();
        Transaction t(*third, QStringLiteral("tblBelegung"));
        third->execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer) VALUES (2)"));
        t.commit();
        EXPECT_GE(waited.elapsed(), 250);
    });
    QThread::msleep(400);
    db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer) VALUES (1)"));
    db().commitTrans();
    second.join();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), 2);
}

// Connect strings carry any file name: a value with ";" or braces is quoted, and what make()
// writes, parse() reads back; strings written without quotes read as before.
TEST_F(LinkTest, ConnectStringsCarryFileNamesWithSemicolons) {
    struct Case {
        const char* label;
        QString database;
        QString password;
    };
    const Case cases[] = {
        {"plain", QStringLiteral("/srv/hotel/Zentral.mdb"), QStringLiteral("5h194x28")},
        {"semicolon in a folder", QStringLiteral("C:\\Hotel;Sommer\\Zentral.mdb"), QStringLiteral("5h194x28")},
        {"braces and semicolon", QStringLiteral("/srv/{a};b}}/x.mdb"), QStringLiteral("p;w")},
        {"leading brace", QStringLiteral("{x}.mdb"), QString()},
        {"blanks at the ends", QStringLiteral(" a.mdb "), QStringLiteral("=;=")},
        {"equals sign", QStringLiteral("/a=b/PWD=c.mdb"), QStringLiteral("x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ConnectString cs = ConnectString::parse(ConnectString::make(c.database, c.password));
        EXPECT_EQ(cs.database, c.database);
        EXPECT_EQ(cs.password, c.password);
    }
    EXPECT_EQ(ConnectString::make(QStringLiteral("/a/b.mdb"), QStringLiteral("pw")), QStringLiteral(";DATABASE=/a/b.mdb;PWD=pw"));
    const ConnectString old = ConnectString::parse(QStringLiteral(";DATABASE=/a/b.mdb;PWD=pw"));
    EXPECT_EQ(old.database, QStringLiteral("/a/b.mdb"));
    EXPECT_EQ(old.password, QStringLiteral("pw"));
}

// A whole installation in a folder whose name holds ";": its links are made, reached,
// pointed at another such folder and still there after reopening.
TEST_F(LinkTest, AFolderWithASemicolonCanBeLinkedRelinkedAndOpened) {
    test::TempFolder root;
    const QString first = root.path() + QStringLiteral("/Hotel;Sommer {1}");
    const QString second = root.path() + QStringLiteral("/Zweit;stelle}");
    ASSERT_TRUE(QDir().mkpath(first));
    ASSERT_TRUE(QDir().mkpath(second));
    dbfiles::createInstallation(first);
    dbfiles::createInstallation(second);
    {
        auto w2 = Database::open(second + QStringLiteral("/Tavomera.mdb"));
        w2->execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('2,00')"));
    }
    auto link = Database::open(first + QStringLiteral("/Lokal.mdb"));
    link->execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('1,00')"));
    link->execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname) VALUES ('Huber', 'Anna')"));
    const auto def = link->tableDef(QStringLiteral("Address"));
    ASSERT_TRUE(def && def->isLinked());
    EXPECT_EQ(ConnectString::parse(def->connect).database, first + QStringLiteral("/Zentral.mdb"));
    auto central = Database::open(first + QStringLiteral("/Zentral.mdb"));
    EXPECT_EQ(central->scalar(QStringLiteral("SELECT Lastname FROM Address")).toString(), QStringLiteral("Huber"));

    link->refreshLink(QStringLiteral("tblTarife"), ConnectString::make(second + QStringLiteral("/Tavomera.mdb")));
    EXPECT_EQ(link->scalar(QStringLiteral("SELECT Tarif FROM tblTarife")).toString(), QStringLiteral("2,00"));
    link.reset();
    link = Database::open(first + QStringLiteral("/Lokal.mdb"));
    EXPECT_EQ(link->scalar(QStringLiteral("SELECT Tarif FROM tblTarife")).toString(), QStringLiteral("2,00"));
    EXPECT_EQ(link->scalar(QStringLiteral("SELECT Lastname FROM Address")).toString(), QStringLiteral("Huber"));
    EXPECT_EQ(ConnectString::parse(link->tableDef(QStringLiteral("tblTarife"))->connect).database,
              second + QStringLiteral("/Tavomera.mdb"));
}
