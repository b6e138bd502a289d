#include <gtest/gtest.h>

#include <functional>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class RecordsetTest : public test::DatabaseFixture {
protected:
    int addGuest(const QString& last) {
        Recordset rs = db().openRecordset(QStringLiteral("SELECT Address.* , Address.ID as AdID FROM Address"));
        rs.addNew();
        rs.setValue(QStringLiteral("lastname"), last);
        rs.setValue(QStringLiteral("OwnerID"), 1);
        rs.update();
        return rs.lastModified(QStringLiteral("AdID")).toInt();
    }
};

TEST_F(RecordsetTest, AddNewGivesTheNewKeyAndEditWritesBack) {
    const int a = addGuest(QStringLiteral("Adler"));
    const int b = addGuest(QStringLiteral("Bauer"));
    EXPECT_EQ(b, a + 1);

    Recordset rs = db().openRecordset(QStringLiteral("SELECT Address.*, Address.ID as AdID From Address WHERE (((Address.ID)=?));"), {b});
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(QStringLiteral("LASTNAME")).toString(), QStringLiteral("Bauer"));
    EXPECT_EQ(rs.value(QStringLiteral("adid")).toInt(), b);
    rs.edit();
    rs.setValue(QStringLiteral("City"), QStringLiteral("München"));
    rs.setValue(QStringLiteral("WannErstellt"), QDate(2024, 3, 1));
    rs.update();
    EXPECT_EQ(rs.value(QStringLiteral("city")).toString(), QStringLiteral("München"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT WannErstellt FROM Address WHERE ID = ?"), {b}).toDate(), QDate(2024, 3, 1));
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT Firstname FROM Address WHERE ID = ?"), {b}).isNull());
}

TEST_F(RecordsetTest, WalkCountDeleteAndRefuseWhatCannotBeEdited) {
    for (int i = 1; i <= 5; ++i) db().execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES (?)"), {QString::number(i)});
    Recordset rs = db().openRecordset(QStringLiteral("SELECT Tarif FROM tblTarife ORDER BY Tarif"));
    EXPECT_EQ(rs.recordCount(), 1) << "a dynaset counts the rows read so far";
    rs.moveLast();
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_EQ(rs.text(QStringLiteral("tarif")), QStringLiteral("5"));
    rs.moveFirst();
    EXPECT_EQ(rs.text(QStringLiteral("Tarif")), QStringLiteral("1"));
    rs.moveNext();
    rs.deleteCurrent();
    EXPECT_THROW(rs.value(0), DatabaseError) << "the deleted row is no longer current";
    rs.moveNext();
    EXPECT_EQ(rs.text(QStringLiteral("Tarif")), QStringLiteral("3"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblTarife")).toInt(), 4);

    Recordset empty = db().openRecordset(QStringLiteral("SELECT * FROM tblTarife WHERE Tarif = 'x'"));
    EXPECT_TRUE(empty.eof());
    EXPECT_TRUE(empty.bof());
    EXPECT_THROW(empty.value(QStringLiteral("Tarif")), DatabaseError);

    Recordset joined = db().openRecordset(QStringLiteral("SELECT Count(*) AS n FROM tblTarife"));
    EXPECT_FALSE(joined.updatable());
    EXPECT_THROW(joined.addNew(), DatabaseError);
    EXPECT_THROW(rs.value(QStringLiteral("Gibtsnicht")), DatabaseError);
}

TEST_F(RecordsetTest, AddNewOnAnEmptyQueryOfOneRowAndYesNoFromACheckBox) {
    Recordset rs = db().openRecordset(QStringLiteral("SELECT SATZ, F1 from tblParameter WHERE Satz = 'Stammkunden';"));
    EXPECT_TRUE(rs.eof());
    rs.addNew();
    rs.setValue(QStringLiteral("Satz"), QStringLiteral("Stammkunden"));
    rs.setValue(QStringLiteral("F1"), QStringLiteral("Ja"));
    rs.update();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT F1 FROM tblParameter WHERE Satz = 'stammkunden'")).toString(), QStringLiteral("Ja"));

    Recordset b = db().openRecordset(QStringLiteral("SELECT * FROM tblBelegung"));
    b.addNew();
    b.setValue(QStringLiteral("Checked"), 1);  // a ticked check box
    b.setValue(QStringLiteral("Von"), QDate(2024, 1, 5));
    b.update();
    const QVariant id = b.lastModified();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Checked FROM tblBelegung WHERE ID = ?"), {id}).toInt(), -1);
    EXPECT_EQ(b.lastModified(QStringLiteral("Checked")).toInt(), -1);
}

// Only update() writes: a change that is cancelled, abandoned or rolled back leaves the rows.
TEST_F(RecordsetTest, AChangeNotConfirmedLeavesTheStoredRows) {
    const int id = addGuest(QStringLiteral("Adler"));
    const auto query = [&] {
        return db().openRecordset(QStringLiteral("SELECT Address.*, Address.ID as AdID FROM Address WHERE ID = ?"), {id});
    };
    struct Case {
        const char* label;
        std::function<void()> change;
    };
    const QList<Case> cases = {
        {"edit, then cancelUpdate",
         [&] {
             Recordset rs = query();
             rs.edit();
             rs.setValue(QStringLiteral("lastname"), QStringLiteral("Geändert"));
             rs.cancelUpdate();
             EXPECT_THROW(rs.update(), DatabaseError) << "nothing is pending any more";
         }},
        {"addNew, then cancelUpdate",
         [&] {
             Recordset rs = query();
             rs.addNew();
             rs.setValue(QStringLiteral("lastname"), QStringLiteral("Neu"));
             rs.cancelUpdate();
         }},
        {"edit abandoned with the recordset",
         [&] {
             Recordset rs = query();
             rs.edit();
             rs.setValue(QStringLiteral("lastname"), QStringLiteral("Vergessen"));
         }},
        {"a value without edit or addNew",
         [&] {
             Recordset rs = query();
             EXPECT_THROW(rs.setValue(QStringLiteral("lastname"), QStringLiteral("Ohne")), DatabaseError);
         }},
        {"update and delete in a rolled back transaction",
         [&] {
             Transaction t(db());
             Recordset rs = query();
             rs.edit();
             rs.setValue(QStringLiteral("lastname"), QStringLiteral("Zurück"));
             rs.update();
             rs.deleteCurrent();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        c.change();
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM Address")).toInt(), 1);
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT Lastname FROM Address WHERE ID = ?"), {id}).toString(), QStringLiteral("Adler"));
    }
}

// Texts of text fields are shared between recordsets: every text read back is the one stored,
// whether it was met before, differs from another only past its first bytes, is empty, holds
// umlauts, or comes after the shared texts were full and started afresh.
TEST_F(RecordsetTest, SharedTextsAreAlwaysTheStoredOnes) {
    QStringList stored = {QString(),
                          QStringLiteral("Müller"),
                          QStringLiteral("Müller "),
                          QStringLiteral("müller"),
                          QStringLiteral("Abcdefgh1"),
                          QStringLiteral("Abcdefgh2"),
                          QStringLiteral("Abcdefgh"),
                          QString(64, QLatin1Char('x')),
                          QString(65, QLatin1Char('x')),
                          QStringLiteral("ß€")};
    // Enough different names to fill the shared texts (16384) more than once, each three times
    // in a row, so that the column's texts are worth sharing.
    for (int i = 0; i < 20000; ++i) {
        const QString name = QStringLiteral("Gast %1").arg(i * 7919 % 100003);
        stored << name << name << name;
    }
    db().beginTrans();
    for (const QString& s : stored) db().execute(QStringLiteral("INSERT INTO Address (Lastname, OwnerID) VALUES (?, 1)"), {s});
    db().commitTrans();
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "first read" : "second read");
        Recordset rs = db().openRecordset(QStringLiteral("SELECT Lastname FROM Address ORDER BY ID"));
        qsizetype i = 0, wrong = 0;
        for (; !rs.eof(); rs.moveNext(), ++i) {
            const QVariant v = rs.value(QStringLiteral("Lastname"));
            const QString expected = stored.value(i);
            if (v.toString() != expected) {
                if (++wrong < 5) ADD_FAILURE() << "row " << i << ": " << v.toString().toStdString() << " != " << expected.toStdString();
            }
        }
        EXPECT_EQ(i, stored.size());
        EXPECT_EQ(wrong, 0);
    }
}

// A number written into a whole-number field is rounded halves to even; one outside the
// field's range is an overflow, never a wrapped or saturated number in the file.
TEST_F(RecordsetTest, NumbersOutsideAFieldsRangeAreAnOverflow) {
    TableDef t;
    t.name = QStringLiteral("tblZahlen");
    t.fields = {FieldDef::autoNumber(QStringLiteral("ID")), FieldDef::of(QStringLiteral("B"), JetType::Byte),
                FieldDef::of(QStringLiteral("I"), JetType::Integer), FieldDef::of(QStringLiteral("L"), JetType::Long),
                FieldDef::of(QStringLiteral("D"), JetType::Double)};
    db().createTable(t);
    struct Case {
        const char* label;
        const char* field;
        QVariant value;
        QVariant stored;  // invalid: an overflow
    };
    const Case cases[] = {
        {"Byte at its top", "B", 255, 255},
        {"Byte past it", "B", 256, {}},
        {"Byte below 0", "B", -1, {}},
        {"Integer rounds halves to even", "I", 2.5, 2},
        {"Integer past its top", "I", 32768, {}},
        {"Long at its bottom", "L", -2147483648.0, qlonglong(-2147483648LL)},
        {"Long past its top", "L", 2147483647.5, {}},
        {"Long of a huge number", "L", 1e300, {}},
        {"Long of a 64-bit number", "L", qlonglong(9223372036854775807LL), {}},
        {"Long of text", "L", QStringLiteral("1234"), 1234},
        {"Double of infinity", "D", qInf(), {}},
        {"Double of a huge number", "D", 1e300, 1e300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Recordset rs = db().openRecordset(QStringLiteral("SELECT * FROM tblZahlen"));
        rs.addNew();
        if (!c.stored.isValid()) {
            try {
                rs.setValue(QString::fromLatin1(c.field), c.value);
                ADD_FAILURE() << "taken: " << c.value.toString().toStdString();
            } catch (const DatabaseError& e) {
                EXPECT_TRUE(e.message().startsWith(QStringLiteral("Überlauf"))) << e.message().toStdString();
            }
            continue;
        }
        rs.setValue(QString::fromLatin1(c.field), c.value);
        rs.update();
        const QVariant id = rs.lastModified();
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT %1 FROM tblZahlen WHERE ID = ?").arg(QString::fromLatin1(c.field)), {id}).toDouble(),
                  c.stored.toDouble());
    }
}
