#include <gtest/gtest.h>

#include <functional>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/JetTypes.h"
#include "engine/Recordset.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

// A file with one table of guests; every check reads the file through a second connection,
// so what counts is what reached the disk, not what the writing connection still holds.
class TransactionTest : public ::testing::Test {
public:
    void SetUp() override {
        db = Database::create(tmp.file(QStringLiteral("t.mdb")));
        TableDef t;
        t.name = QStringLiteral("Gäste");
        t.fields = {FieldDef::autoNumber(QStringLiteral("ID")), FieldDef::text(QStringLiteral("Name"), 255),
                    FieldDef::of(QStringLiteral("Preis"), JetType::Double)};
        t.indexes = {IndexDef{QStringLiteral("NameEindeutig"), {QStringLiteral("Name")}, true}};
        db->createTable(t);
    }
    void add(const QString& name) { db->execute(QStringLiteral("INSERT INTO Gäste (Name) VALUES (?)"), {name}); }
    QStringList onDisk() {
        auto other = Database::open(tmp.file(QStringLiteral("t.mdb")));
        QStringList names;
        for (Recordset rs = other->openRecordset(QStringLiteral("SELECT Name FROM Gäste ORDER BY ID")); !rs.eof(); rs.moveNext())
            names << rs.text(QStringLiteral("Name"));
        return names;
    }

    test::TempFolder tmp;
    std::unique_ptr<Database> db;
};

}  // namespace

// Nested transactions: nothing of an inner level reaches the file unless the outermost
// level commits, and an inner rollback drops only its own writes.
TEST_F(TransactionTest, NestedLevelsKeepOrDropTheirWritesTogether) {
    struct Case {
        const char* label;
        std::function<void(TransactionTest&)> run;
        QStringList kept;
    };
    const QList<Case> cases = {
        {"inner and outer commit",
         [](TransactionTest& t) {
             t.db->beginTrans();
             t.add(QStringLiteral("außen"));
             t.db->beginTrans();
             t.add(QStringLiteral("innen"));
             t.db->commitTrans();
             t.db->commitTrans();
         },
         {QStringLiteral("außen"), QStringLiteral("innen")}},
        {"inner commit, outer rollback",
         [](TransactionTest& t) {
             t.db->beginTrans();
             t.add(QStringLiteral("außen"));
             t.db->beginTrans();
             t.add(QStringLiteral("innen"));
             t.db->commitTrans();
             EXPECT_TRUE(t.onDisk().isEmpty()) << "an inner commit writes nothing yet";
             t.db->rollback();
         },
         {}},
        {"inner rollback, outer commit",
         [](TransactionTest& t) {
             t.db->beginTrans();
             t.add(QStringLiteral("außen"));
             t.db->beginTrans();
             t.add(QStringLiteral("innen"));
             t.db->rollback();
             t.add(QStringLiteral("danach"));
             t.db->commitTrans();
         },
         {QStringLiteral("außen"), QStringLiteral("danach")}},
        {"a failing write leaves the Transaction without commit",
         [](TransactionTest& t) {
             try {
                 Transaction tr(*t.db);
                 t.add(QStringLiteral("erste"));
                 t.add(QStringLiteral("erste"));  // unique index: throws
                 tr.commit();
             } catch (const DatabaseError&) {}
         },
         {}},
        {"a Transaction inside a failed one is dropped with it",
         [](TransactionTest& t) {
             Transaction outer(*t.db);
             {
                 Transaction inner(*t.db);
                 t.add(QStringLiteral("innen"));
                 inner.commit();
             }
             t.add(QStringLiteral("außen"));
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        db->execute(QStringLiteral("DELETE * FROM Gäste"));
        c.run(*this);
        EXPECT_EQ(db->transactionDepth(), 0);
        EXPECT_EQ(onDisk(), c.kept);
    }
}

TEST_F(TransactionTest, CommitOrRollbackWithoutATransactionIsRefused) {
    for (const auto& step : {std::function<void()>([&] { db->commitTrans(); }), std::function<void()>([&] { db->rollback(); })}) {
        try {
            step();
            ADD_FAILURE() << "no transaction is open";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Es ist keine Transaktion offen."));
        }
    }
    EXPECT_EQ(db->transactionDepth(), 0);
}

// A refused write keeps the stored row as it was and says why in German.
TEST_F(TransactionTest, ADuplicateKeyKeepsTheStoredRow) {
    add(QStringLiteral("Meier"));
    add(QStringLiteral("Huber"));
    db->execute(QStringLiteral("UPDATE Gäste SET Preis = 80"));
    struct Case {
        const char* label;
        const char* sql;
        QVariantList params;
    };
    const Case cases[] = {
        {"insert", "INSERT INTO Gäste (Name, Preis) VALUES (?, 99)", {QStringLiteral("Meier")}},
        {"insert, other case", "INSERT INTO Gäste (Name, Preis) VALUES (?, 99)", {QStringLiteral("MEIER")}},
        {"update onto it", "UPDATE Gäste SET Name = ?, Preis = 1 WHERE Name = 'Huber'", {QStringLiteral("Meier")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        try {
            db->execute(QString::fromUtf8(c.sql), c.params);
            ADD_FAILURE() << "the key is taken";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.message().section(QLatin1Char('\n'), 0, 0),
                      QStringLiteral("Der Datensatz wurde nicht gespeichert, weil er einen doppelten Schlüsselwert erzeugen würde."));
        }
    }
    EXPECT_EQ(onDisk(), QStringList({QStringLiteral("Meier"), QStringLiteral("Huber")}));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Sum(Preis) FROM Gäste")).toDouble(), 160.0);
}

// Bound text is stored as typed, whatever SQL it looks like.
TEST_F(TransactionTest, BoundTextIsStoredVerbatim) {
    const QStringList texts = {QStringLiteral("O'Brien"),        QStringLiteral("\"Zum Hirschen\""),
                               QStringLiteral("Wer? Wie? Was?"), QStringLiteral("x'); DELETE * FROM Gäste; --"),
                               QStringLiteral("#01-01-2000#"),   QStringLiteral("Mü*ller [a-z] %_"),
                               QStringLiteral("Größe ½ €"),      QString(255, QLatin1Char('z'))};
    for (const QString& t : texts) add(t);
    EXPECT_EQ(onDisk(), texts);
    for (const QString& t : texts)
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Gäste WHERE Name = ?"), {t}).toInt(), 1) << t.toStdString();
    try {
        db->execute(QStringLiteral("INSERT INTO Gäste (Name, Preis) VALUES (?, ?)"), {QStringLiteral("zu wenig")});
        ADD_FAILURE() << "a missing parameter is refused";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Die Abfrage erwartet 2 Parameter, übergeben wurden 1."));
    }
    EXPECT_EQ(onDisk().size(), texts.size());
}

// Amounts come back exactly as they were written, bound or read back after reopening.
TEST_F(TransactionTest, AmountsComeBackExactly) {
    const double amounts[] = {0.1, 0.1 + 0.2, 1234.56, 99999.99, -0.01, 1e9 + 0.01, 0.0};
    for (const double a : amounts)
        db->execute(QStringLiteral("INSERT INTO Gäste (Name, Preis) VALUES (?, ?)"), {QString::number(a, 'g', 17), a});
    db.reset();
    auto other = Database::open(tmp.file(QStringLiteral("t.mdb")));
    for (const double a : amounts)
        EXPECT_EQ(other->scalar(QStringLiteral("SELECT Preis FROM Gäste WHERE Name = ?"), {QString::number(a, 'g', 17)}).toDouble(), a)
            << a;
}
